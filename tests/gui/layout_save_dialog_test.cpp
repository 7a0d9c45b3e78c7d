// The layout-save dialog driven as a user drives it, on the sample sales file.

#include "gui/app/main_window.h"
#include "gui/export/layout_save_dialog.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QtTest>

#include <filesystem>

namespace ranvo::gui {

namespace fs = std::filesystem;

class LayoutSaveDialogTest : public QObject {
    Q_OBJECT

private slots:
    void slotsAreChosenOrderedAndWritten() {
        test::TempDir dir;
        fs::create_directories(dir / "home");
        for (const char* name : {"sales.txt", "sales.def"}) {
            fs::copy_file(fs::path(RANVO_SAMPLES) / "sales" / name, dir / name);
        }
        TfrmShowData window(AppHome(dir / "home"), {});
        test::FakeUiHost host;
        window.useUiHost(host);
        window.DataFileLoad(dir / "sales.txt", dir / "sales.def");

        TfrmLayoutSave dialog(window.state(), host, &window);
        QCOMPARE(dialog.cmbDefine->count(), 4);
        dialog.cmbDefine->setCurrentIndex(1); // the header records
        dialog.cmbDefineChange(1);
        QCOMPARE(dialog.lstField->count(), 4);
        dialog.lstField->item(2)->setCheckState(Qt::Unchecked); // the shop code
        dialog.lstField->setCurrentRow(1);
        QCOMPARE(dialog.txtLength->text(), QStringLiteral("8"));

        dialog.txtLength->setText(QStringLiteral("0"));
        dialog.lstField->setCurrentRow(3);
        QCOMPARE(dialog.lstField->currentRow(), 1); // refused: the width is no width
        QCOMPARE(host.messageTexts().back(), std::string("レコード長が不正です"));
        dialog.txtLength->setText(QStringLiteral("8"));

        host.chosenPaths.push_back(dir / "out.csv");
        dialog.pages->setCurrentIndex(0);
        dialog.chkOnlyLoad->setChecked(true);
        dialog.cmdSaveClick();
        QCOMPARE(host.messageTexts().back(), std::string("保存しました"));
        const std::string csv = test::ReadBytes(dir / "out.csv");
        QVERIFY2(csv.starts_with("H,20261208,\x90V\x8Fh\x81@\x96{\x93X"), csv.c_str());
        QVERIFY(!window.state().Modified);
    }
};

} // namespace ranvo::gui

QTEST_MAIN(ranvo::gui::LayoutSaveDialogTest)
#include "layout_save_dialog_test.moc"
