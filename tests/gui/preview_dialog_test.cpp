// The print preview and the page additions driven as a user drives them, printing to PDF.

#include "gui/app/main_window.h"
#include "gui/printing/addition_dialog.h"
#include "gui/printing/preview_dialog.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

#include <filesystem>

namespace ranvo::gui {

namespace fs = std::filesystem;

class PreviewDialogTest : public QObject {
    Q_OBJECT

private:
    struct Setup {
        test::TempDir dir;
        TfrmShowData window{AppHome(dir / "home"), {}};
        test::FakeUiHost host;
        QPrinter printer{QPrinter::HighResolution};
        TOlenSGridPrinter gridPrinter;

        Setup() {
            fs::create_directories(dir / "home");
            for (const char* name : {"sales.txt", "sales.def"}) {
                fs::copy_file(fs::path(RANVO_SAMPLES) / "sales" / name, dir / name);
            }
            window.useUiHost(host);
            window.DataFileLoad(dir / "sales.txt", dir / "sales.def");
            printer.setOutputFormat(QPrinter::PdfFormat);
            // Landscape: the sample's width fits one page whatever the screen's resolution.
            printer.setPageOrientation(QPageLayout::Landscape);
            printer.setOutputFileName(QString::fromStdString((dir / "out.pdf").string()));
        }
    };

    static int inkedPixels(const QImage& image) {
        int inked = 0;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                inked += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
            }
        }
        return inked;
    }

private slots:
    void aOnePageFileShowsOneOfOne() {
        Setup setup;
        TfrmPreView preview(setup.window.state(), setup.gridPrinter, setup.printer, setup.host);
        QCOMPARE(preview.lblPage->text(), QStringLiteral("1/1"));
        QVERIFY(!preview.cmdNext->isEnabled());
        QVERIFY(!preview.cmbPrev->isEnabled());
        QCOMPARE(preview.cmbZoom->currentText(), QStringLiteral("100%"));
        QVERIFY(inkedPixels(preview.page()) > 100);

        const int width = preview.page().width();
        preview.zoomChange(0);
        QVERIFY(std::abs(preview.page().width() - 2 * width) <= 2);
        QCOMPARE(setup.window.state().PrintZoom, 200);

        preview.printPages(1, -1);
        QVERIFY(fs::file_size(setup.dir / "out.pdf") > 0);
        QCOMPARE(setup.window.state().PrintZoom, 200); // the preview's zoom comes back after printing
    }

    void pagesAreSteppedThroughAndAZoomShowsTheFirstAgain() {
        Setup setup;
        setup.window.state().Grid.SetDefaultRowHeight(400);
        TfrmPreView preview(setup.window.state(), setup.gridPrinter, setup.printer, setup.host);
        const QString count = preview.lblPage->text().section(QLatin1Char('/'), 1);
        QVERIFY(count.toInt() > 3);
        preview.cmdNextClick();
        preview.cmdNextClick();
        QCOMPARE(preview.lblPage->text(), QStringLiteral("3/") + count);
        QVERIFY(preview.cmbPrev->isEnabled());
        preview.zoomChange(4);
        QCOMPARE(preview.lblPage->text(), QStringLiteral("1/") + count);
        QVERIFY(!preview.cmbPrev->isEnabled());
    }

    void additionsAreSetPositionByPosition() {
        Setup setup;
        MainState& state = setup.window.state();
        TfrmAddition dialog(state.Additions, setup.host);
        dialog.onSet = [&state](const PageAdditions& additions) { state.Additions = additions; };
        dialog.chkBold->setChecked(true);
        dialog.lstPosition->item(1)->setCheckState(Qt::Checked);
        dialog.lstPosition->setCurrentRow(1);
        dialog.cmbAdditionType->setCurrentIndex(1);
        dialog.cmdSetClick();
        QCOMPARE(state.Additions[0].Font.Style, static_cast<std::int32_t>(FontStyleBold));
        QVERIFY(state.Additions[1].Enabled);
        QCOMPARE(state.Additions[1].Kind, AdditionKind::PageNumber);
        QCOMPARE(state.Additions[1].Font.Name, TPageAddition().Font.Name); // the name stays unless changed

        dialog.cmbSize->setEditText(QStringLiteral("100"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget& positions = *dialog.lstPosition;
        QTest::mouseClick(positions.viewport(), Qt::LeftButton, {},
                          positions.visualItemRect(positions.item(2)).center());
        QCoreApplication::processEvents();
        QCOMPARE(positions.currentRow(), 1);
        QCOMPARE(positions.selectedItems(),
                 QList<QListWidgetItem*>{positions.item(1)}); // not the clicked one
        QCOMPARE(setup.host.messageTexts().back(), std::string("文字サイズは、1～99で設定して下さい"));

        // The header's room pushes the grid down on the next layout.
        TfrmPreView preview(state, setup.gridPrinter, setup.printer, setup.host);
        QVERIFY(setup.gridPrinter.ExtraTopMargin > 0);
    }
};

} // namespace ranvo::gui

QTEST_MAIN(ranvo::gui::PreviewDialogTest)
#include "preview_dialog_test.moc"
