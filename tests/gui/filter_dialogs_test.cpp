// The filter setting dialog and the filter table editor driven as a user drives them.

#include "core/loading/definition_builder.h"
#include "gui/views/filter_dialog.h"
#include "gui/views/make_filter_dialog.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

#include <filesystem>

namespace ranvo::gui {

namespace fs = std::filesystem;

class FilterDialogsTest : public QObject {
    Q_OBJECT

private:
    struct Setup {
        test::TempDir dir;
        MainState state{AppHome(dir.path()), TRanvoSetting::Defaults()};
        test::FakeUiHost host;

        Setup() {
            state.Definition = test::DefinitionBuilder("FL")
                                   .condition("H", 1, {{"kind", 1}, {"code", 2}})
                                   .condition("D", 1, {{"kind", 1}, {"status", 2}, {"name", 5}})
                                   .build();
            fs::create_directories(dir / "filter");
            test::WriteBytes(dir / "filter" / "codes.fil", "[Filter]\r\n1=one\r\n");
        }
    };

    static QString cell(QTableView& view, int row, int column) {
        return view.model()->index(row, column).data().toString();
    }

private slots:
    void fieldSettingsAreCommittedAppliedAndRefusedWhenUnfit() {
        Setup setup;
        TfrmFilter dialog(setup.state, setup.host);
        int repaints = 0;
        dialog.onFiltersChanged = [&repaints] { ++repaints; };
        QCOMPARE(dialog.cmbCondition->count(), 2);
        QCOMPARE(dialog.lstField->count(), 2);
        QVERIFY(!dialog.chkApply->isEnabled());
        QCOMPARE(dialog.cmbFilter->count(), 1);

        dialog.lstField->setCurrentRow(1);
        QVERIFY(dialog.chkApply->isEnabled());
        QVERIFY(!dialog.cmbFilter->isEnabled());
        dialog.chkApply->click();
        QVERIFY(dialog.cmbFilter->isEnabled());
        dialog.cmbFilter->setEditText(QStringLiteral("codes.fil"));
        dialog.cmdApplyClick();
        QVERIFY(setup.state.FilterMng.Active);
        QCOMPARE(setup.state.FilterMng.Translate(0, 1, "1"), std::string("one"));
        QCOMPARE(dialog.lstField->item(1)->foreground().color(), QColor(Qt::blue));
        QCOMPARE(repaints, 1);

        dialog.cmbFilter->setEditText(QStringLiteral("gone.fil"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget& fields = *dialog.lstField;
        QTest::mouseClick(fields.viewport(), Qt::LeftButton, {},
                          fields.visualItemRect(fields.item(0)).center());
        QCoreApplication::processEvents();
        QCOMPARE(fields.currentRow(), 1);
        QCOMPARE(fields.selectedItems(),
                 QList<QListWidgetItem*>{fields.item(1)}); // not the clicked one
        QCOMPARE(setup.host.messages.size(), std::size_t{1});
        dialog.cmbCondition->setCurrentIndex(1);
        dialog.cmbConditionChange(1);
        QCOMPARE(dialog.cmbCondition->currentIndex(), 0);

        dialog.chkApply->click();
        dialog.reject();
        QVERIFY(!setup.state.FilterMng.Setting(0, 1)->Applied);
        QCOMPARE(setup.state.FilterMng.Setting(0, 1)->FilterFile, std::string("gone.fil"));
    }

    void typedKeysGrowTheTableAndTheGridKeysWork() {
        Setup setup;
        TfrmMakeFilter dialog(setup.dir / "filter", setup.host);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTableView& grid = *dialog.stgFilter;
        grid.setFocus();
        QCOMPARE(grid.model()->rowCount(), 1);
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("キー"));

        QTest::keyClicks(&grid, QStringLiteral("7"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(grid.currentIndex().column(), 1);
        QCOMPARE(grid.model()->rowCount(), 2); // the typed key opened a new entry row
        // Typed as an input method hands text over: one key event carrying it.
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("出荷"));
        QApplication::sendEvent(&grid, &typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(grid.currentIndex().column(), 0);
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("出荷"));

        grid.selectAll();
        QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(setup.host.clipboard, std::string("7\t\x8f\x6f\x89\xd7\r\n\t"));

        setup.host.clipboard = "8\teight\r\n9\tnine\r\n";
        grid.setCurrentIndex(grid.model()->index(1, 0));
        QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid.model()->rowCount(), 4);
        QCOMPARE(cell(grid, 2, 1), QStringLiteral("nine"));
        grid.setCurrentIndex(grid.model()->index(2, 1));
        QTest::keyClicks(&grid, QStringLiteral("N"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents(); // the editor commits on a queued call
        QCOMPARE(cell(grid, 2, 1), QStringLiteral("N")); // typing replaces the whole text

        dialog.cmbFilter->setEditText(QStringLiteral("codes2"));
        dialog.chkTrim->setChecked(true);
        QTest::keyClick(&grid, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(test::ReadBytes(setup.dir / "filter" / "codes2.fil"),
                 test::CrLfLines({";0", ";0", ";", ";1", ";0", "[Filter]", "7=\x8f\x6f\x89\xd7",
                                  "8=eight", "9=N"}));
        QCOMPARE(dialog.cmbFilter->count(), 2);

        QTest::keyClick(&grid, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

    void openedTablesAreSortedAndSearched() {
        Setup setup;
        test::WriteBytes(setup.dir / "filter" / "b.fil",
                         test::CrLfLines({";1", ";0", ";", ";0", ";0", "[Filter]", "b=2", "A=1", "a=3"}));
        TfrmMakeFilter dialog(setup.dir / "filter", setup.host);
        dialog.cmbFilter->setEditText(QStringLiteral("b.fil"));
        dialog.cmdOpenClick();
        QVERIFY(dialog.chkIsNumeric->isChecked());
        QVERIFY(!dialog.chkTrim->isChecked());
        QTableView& grid = *dialog.stgFilter;
        QCOMPARE(grid.model()->rowCount(), 4);

        dialog.mnuSortClick();
        QCOMPARE(cell(grid, 0, 0), QStringLiteral("A"));
        QCOMPARE(cell(grid, 1, 0), QStringLiteral("a"));
        QCOMPARE(cell(grid, 3, 0), QString());
        QCOMPARE(setup.host.busyDepth, 0);

        dialog.optValue->setChecked(true);
        dialog.txtWord->setText(QStringLiteral("2"));
        dialog.cmdFindClick();
        QCOMPARE(grid.currentIndex().row(), 2);
        dialog.optNo->setChecked(true);
        dialog.txtWord->setText(QStringLiteral("99"));
        dialog.cmdFindClick();
        QCOMPARE(grid.currentIndex().row(), 3);
    }
};

} // namespace ranvo::gui

QTEST_MAIN(ranvo::gui::FilterDialogsTest)
#include "filter_dialogs_test.moc"
