// The definition editor driven as a user drives it, on the sample sales definition.

#include "gui/definitions/define_dialog.h"
#include "gui/platform/color_box.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

#include <filesystem>

namespace ranvo::gui {

namespace fs = std::filesystem;

class DefineDialogTest : public QObject {
    Q_OBJECT

private:
    static QString cell(QTableView& view, int row, int column) {
        return view.model()->index(row, column).data(Qt::EditRole).toString();
    }

private slots:
    void theSampleIsShownAndItsFieldsEdited() {
        test::TempDir dir;
        test::FakeUiHost host;
        fs::copy_file(fs::path(RANVO_SAMPLES) / "sales" / "sales.def", dir / "sales.def");
        TfrmDefine dialog(dir.path(), {"/extra"}, host);
        dialog.openDefinition(dir / "sales.def");
        QCOMPARE(dialog.txtDefineFileName->text(), QStringLiteral("sales.def"));
        QCOMPARE(dialog.txtDefineName->text(), QStringLiteral("売上伝票"));
        QVERIFY(dialog.optFix->isChecked() && dialog.optNewLine->isChecked());
        QCOMPARE(dialog.lstDefine->count(), 4);
        QCOMPARE(dialog.cmbDefineFolder->itemText(0), QStringLiteral("/extra"));

        dialog.lstDefine->setCurrentRow(2); // the detail records
        QCOMPARE(dialog.txtKey->text(), QStringLiteral("D"));
        QTableView& grid = *dialog.stgField;
        QCOMPARE(grid.model()->rowCount(), 6);
        QVERIFY(grid.isColumnHidden(FieldSheet::NumberColumn));
        QCOMPARE(cell(grid, 2, FieldSheet::NameColumn), QStringLiteral("商品名"));

        grid.model()->setData(grid.model()->index(1, FieldSheet::LengthColumn), QStringLiteral("8"));
        QApplication::processEvents(); // the edit is applied once the cell editor is gone
        QCOMPARE(cell(grid, 2, FieldSheet::StartColumn), QStringLiteral("10"));
        QCOMPARE(grid.currentIndex().row(), 2);
        QVERIFY(dialog.editor().ConditionChanged);

        grid.model()->setData(grid.model()->index(1, FieldSheet::LengthColumn), QStringLiteral("abc"));
        QApplication::processEvents();
        QCOMPARE(cell(grid, 1, FieldSheet::LengthColumn), QStringLiteral("8"));
        QCOMPARE(host.messageTexts().back(), std::string("不正なデータが入力されました"));

        dialog.optCsv->click();
        QVERIFY(grid.isColumnHidden(FieldSheet::LengthColumn));
        QCOMPARE(grid.model()->rowCount(), 1);
        QVERIFY(dialog.chkWord->isChecked() && !dialog.chkWord->isEnabled());
        QCOMPARE(dialog.lblStart->text(), QStringLiteral("チェックフィールド"));

        host.messages.clear();
        dialog.reject(); // the fake answers No to saving
        QCOMPARE(host.messageTexts(), std::vector<std::string>{"定義ファイルに更新があります\n\r保存しますか？"});
    }

    void aNewDefinitionIsSavedIntoTheDefaultFolder() {
        test::TempDir dir;
        test::FakeUiHost host;
        TfrmDefine dialog(dir.path(), {}, host);
        QCOMPARE(dialog.lstDefine->count(), 1);
        QVERIFY(dialog.optRecord->isChecked());
        dialog.txtDefineName->setText(QStringLiteral("Orders"));
        emit dialog.txtDefineName->editingFinished();
        QCOMPARE(dialog.txtDefineFileName->text(), QStringLiteral("Orders.def"));
        dialog.txtByte->setText(QStringLiteral("256"));
        host.answers = {Answer::Yes}; // the missing define/ folder: use it anyway
        dialog.cmdSaveClick();
        QCOMPARE(host.messageTexts().back(), std::string("定義ファイルの保存に成功しました"));
        QVERIFY(fs::exists(dir / "define" / "Orders.def"));

        TDefineClass saved;
        const DefineLoadedKeeper keeper;
        QVERIFY(saved.LoadFromFile(dir / "define" / "Orders.def"));
        QCOMPARE(saved.FileFormat, std::string("FB"));
        QCOMPARE(saved.RecordLength, 256);
        QCOMPARE(saved.Conditions[0].FieldLength, std::vector<std::string>{"256"});
    }
};

} // namespace ranvo::gui

QTEST_MAIN(ranvo::gui::DefineDialogTest)
#include "define_dialog_test.moc"
