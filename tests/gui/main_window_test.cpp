// The main window and the open dialog driven as a user drives them, with a scripted UiHost.

#include "gui/app/main_window.h"
#include "gui/app/ranvo_application.h"
#include "gui/app/record_actions.h"
#include "gui/app/status_panels.h"
#include "gui/editing/find_dialogs.h"
#include "gui/grid/grid_view.h"
#include "gui/loading/open_dialog.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/text_codec.h"
#include "gui/settings/option_dialog.h"
#include "gui/views/filter_dialog.h"
#include "gui/views/navigator_dialog.h"
#include "gui/views/visible_dialog.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <new>
#include <stdexcept>

namespace ranvo::gui {

namespace fs = std::filesystem;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    // A home and a data folder with the sample sales file and its definition beside it.
    struct Setup {
        test::TempDir dir;
        fs::path home;
        fs::path data;
        fs::path definition;

        Setup() : home(dir / "home"), data(dir / "data" / "sales.txt"), definition(dir / "data" / "sales.def") {
            fs::create_directories(home);
            fs::create_directories(data.parent_path());
            fs::copy_file(fs::path(RANVO_SAMPLES) / "sales" / "sales.txt", data);
            fs::copy_file(fs::path(RANVO_SAMPLES) / "sales" / "sales.def", definition);
        }
    };

    enum class Shown { No, Active };

    // The sample file opened in a window of the setup's home that talks to a scripted host; with
    // Shown::Active the window is shown, and active, before the file opens.
    struct SalesWindow {
        Setup setup;
        test::FakeUiHost host;
        TfrmShowData window{AppHome(setup.home), {}};

        explicit SalesWindow(Shown shown = Shown::No) {
            window.useUiHost(host);
            if (shown == Shown::Active) {
                window.show();
            }
            window.DataFileLoad(setup.data, setup.definition);
            if (shown == Shown::Active) {
                window.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&window));
            }
        }
    };

    static QAction* actionNamed(QWidget& window, const QString& text) {
        for (QAction* action : window.findChildren<QAction*>()) {
            if (action->text() == text) {
                return action;
            }
        }
        qFatal("no action %s", qPrintable(text));
    }

    // Closes the next modal dialog as soon as it shows and notes that it did.
    static void rejectNextDialog(bool& shown) {
        QTimer::singleShot(0, [&shown] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                shown = true;
                static_cast<QDialog*>(dialog)->reject();
            }
        });
    }

private slots:
    void commandLineOpensOnlyWellFormedDefinitions() {
        Setup setup;
        test::WriteBytes(setup.dir / "data" / "SALES.DEF", test::ReadBytes(setup.definition));
        {
            // A handed-over definition whose data file is missing is not kept for later opens.
            TfrmShowData window(AppHome(setup.home), {"-d", (setup.dir / "none.txt").string(),
                                                       setup.definition.string()});
            test::FakeUiHost host;
            window.useUiHost(host);
            window.openStartupFile();
            QCOMPARE(host.messageTexts(), std::vector<std::string>{"読込ファイルが存在しません"});
            QVERIFY(window.state().PendingDefineFile.empty());
        }
        {
            TfrmShowData window(AppHome(setup.home), {"-d", setup.data.string(),
                                                       (setup.dir / "data" / "SALES.DEF").string()});
            test::FakeUiHost host;
            window.useUiHost(host);
            window.openStartupFile();
            QVERIFY(window.state().DataFileName.empty());
            QVERIFY(host.messages.empty());
        }
        TfrmShowData window(AppHome(setup.home), {"-d", setup.data.string(), setup.definition.string()});
        test::FakeUiHost host;
        window.useUiHost(host);
        window.openStartupFile();
        QCOMPARE(window.state().DataFileName, setup.data);
        QCOMPARE(window.windowTitle(), QStringLiteral("RANVO - Lentra:") + QString::fromStdString(setup.data.string()));
        QCOMPARE(window.applicationTitle(), QStringLiteral("RANVO:") + QString::fromStdString(setup.data.string()));
        QVERIFY(window.state().PendingDefineFile.empty());
    }

    void droppedFileOpensDirectlyUnlessShiftIsHeld() {
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        test::FakeUiHost host;
        window.useUiHost(host);

        host.shiftDown = true;
        bool dialogShown = false;
        rejectNextDialog(dialogShown);
        window.DataFileLoad(setup.data, {});
        QVERIFY(dialogShown);
        QVERIFY(window.state().DataFileName.empty());

        host.shiftDown = false;
        window.DataFileLoad(setup.data, {}); // found beside the data file
        QCOMPARE(window.state().DataFileName, setup.data);
        QCOMPARE(window.state().Grid.Records().size(), std::size_t{19});
    }

    void openedFileFillsStatusBarAndFieldJumpList() {
        SalesWindow opened;
        auto& [setup, host, window] = opened;

        const auto& panels = window.statusPanels().texts();
        QCOMPARE(panels[0], QStringLiteral("行:1　列:1"));
        QCOMPARE(panels[1], QStringLiteral("開始:1 長さ:1"));
        QCOMPARE(panels[2], QStringLiteral("ヘッダ"));
        QCOMPARE(panels[4], QStringLiteral("売上伝票"));
        QCOMPARE(window.fieldJumpList().count(), 4);
        QCOMPARE(window.fieldJumpList().itemText(3), QStringLiteral("店名"));

        window.grid().moveTo(3, 2, false); // a detail record: its own field names
        QCOMPARE(window.fieldJumpList().itemText(2), QStringLiteral("商品名"));
        QCOMPARE(window.fieldJumpList().currentIndex(), 2);
        QCOMPARE(window.statusPanels().texts()[3], QStringLiteral("商品名"));

        window.mnuInteriFixCellClick();
        QCOMPARE(window.fixedCellInfoAction().text(), QStringLiteral("固定セルに列行情報を表示(&F)"));
        QCOMPARE(window.state().Grid.Cell(0, 1), std::string_view("\x83\x77\x83\x62\x83\x5F")); // ヘッダ
    }

    void fieldJumpListIsUsedFromTheKeyboard() {
        SalesWindow opened(Shown::Active);
        auto& [setup, host, window] = opened;
        window.grid().setFocus();
        QComboBox& list = window.fieldJumpList();

        QTest::keyClick(&window.grid(), Qt::Key_J, Qt::AltModifier);
        QVERIFY(list.hasFocus());
        QTest::keyClick(&list, Qt::Key_Down); // arrowing moves the list's selection only
        QTest::keyClick(&list, Qt::Key_Down);
        QVERIFY(list.hasFocus());
        QCOMPARE(list.currentIndex(), 2);
        QCOMPARE(window.state().Grid.Col(), 1);
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(window.state().Grid.Col(), 3);
        QVERIFY(window.grid().hasFocus());

        // A pick with the mouse jumps at once, also after keys went down in the list.
        QTest::keyClick(&window.grid(), Qt::Key_J, Qt::AltModifier);
        QTest::keyClick(&list, Qt::Key_Up);
        list.showPopup();
        QVERIFY(!window.state().JumpKeyDown);
        list.hidePopup();
        emit list.activated(3);
        QCOMPARE(window.state().Grid.Col(), 4);
    }

    void commandsAreEnabledByAnOpenAndTheMenusTakenBackByAFailedOne() {
        Setup setup;
        const fs::path broken = setup.dir / "data" / "broken.def";
        test::WriteBytes(broken, "no definition\r\n");
        TfrmShowData window(AppHome(setup.home), {});
        test::FakeUiHost host;
        window.useUiHost(host);
        const std::vector<std::string> watched{"mnuFileOpen",
                                               "mnuFileSave",
                                               "mnuEdit",
                                               "mnuEditSort",
                                               "mnuEditQuickSort",
                                               "mnuEditAllCellCopy",
                                               "mnuEditUndo",
                                               "mnuView",
                                               "mnuViewHighLight",
                                               "mnuViewCell",
                                               "mnuViewVisibleAll",
                                               "mnuRecordCopy",
                                               "mnuRecordViewUnVisRow",
                                               "tbcSave",
                                               "tbcUnVisRow",
                                               "tbcVisAll",
                                               "tbcFind",
                                               "tbcReplace",
                                               "tbcAsk"};
        // The names of the watched commands that are enabled, between spaces.
        const auto enabled = [&] {
            std::string on;
            for (const std::string& name : watched) {
                const auto* action = window.findChild<QAction*>(QString::fromStdString(name));
                if (action == nullptr || action->isEnabled()) {
                    on += (action == nullptr ? " missing:" : " ") + name;
                }
            }
            return QString::fromStdString(on);
        };
        QCOMPARE(
            enabled(),
            QStringLiteral(" mnuFileOpen mnuEdit mnuView mnuRecordCopy tbcFind tbcReplace tbcAsk"));
        QVERIFY(!window.grid().isEnabled());

        window.DataFileLoad(setup.data, setup.definition);
        QCOMPARE(
            enabled(),
            QStringLiteral(" mnuFileOpen mnuFileSave mnuEdit mnuEditSort mnuEditQuickSort"
                           " mnuEditAllCellCopy mnuView mnuViewHighLight mnuViewCell mnuRecordCopy"
                           " mnuRecordViewUnVisRow tbcSave tbcUnVisRow tbcFind tbcReplace tbcAsk"));
        window.grid().moveTo(1, 2, false);
        window.findChild<QAction*>(QStringLiteral("mnuViewUnVisibleRow"))->trigger();
        QVERIFY(window.findChild<QAction*>(QStringLiteral("mnuViewVisibleAll"))->isEnabled());
        QVERIFY(window.findChild<QAction*>(QStringLiteral("tbcVisAll"))->isEnabled());
        window.findChild<QAction*>(QStringLiteral("tbcVisAll"))->trigger();
        QVERIFY(!window.findChild<QAction*>(QStringLiteral("mnuViewVisibleAll"))->isEnabled());
        QVERIFY(window.findChild<QAction*>(QStringLiteral("tbcVisAll"))
                    ->isEnabled()); // the button stays

        // A definition that cannot be read: the menus go, the toolbar keeps its buttons.
        window.DataFileLoad(setup.data, broken);
        QCOMPARE(host.messageTexts().back(),
                 "定義ファイル\"" + broken.string() + "\"の読込に失敗しました");
        QCOMPARE(enabled(), QStringLiteral(" mnuFileOpen mnuRecordCopy tbcSave tbcUnVisRow "
                                           "tbcVisAll tbcFind tbcReplace tbcAsk"));
        QVERIFY(!window.grid().isEnabled());
        QVERIFY(!window.cellBox().isEnabled());
        window.findChild<QAction*>(QStringLiteral("tbcSave"))
            ->trigger(); // nothing loaded: nothing happens
        QCOMPARE(host.messages.size(), std::size_t{1});
    }

    void hidingRowsAndColumnsTogetherKeepsTheCursorOnAVisibleCell() {
        SalesWindow opened;
        auto& [setup, host, window] = opened;
        window.grid().moveTo(1, 2, false);
        window.grid().moveTo(2, 3, true);
        window.findChild<QAction*>(QStringLiteral("mnuViewUnVisibleBoth"))->trigger();
        const DataGrid& grid = window.state().Grid;
        QCOMPARE(grid.RowHeight(2), 0);
        QCOMPARE(grid.ColWidth(1), 0);
        QVERIFY(grid.RowHeight(grid.Row()) > 0);
        QVERIFY(grid.ColWidth(grid.Col()) > 0);
        QCOMPARE(window.statusPanels().texts()[0], QStringLiteral("行:1　列:3"));
    }

    void editMenuSeparatesItsGroups() {
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        QStringList items;
        for (const QAction* action :
             window.findChild<QMenu*>(QStringLiteral("mnuEdit"))->actions()) {
            items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        QCOMPARE(items.join(QLatin1Char('|')),
                 QStringLiteral("検索(&F)|置換(&H)|-|定義再適用(&R)|-|標準ソート(&S)|高速ソート(&Q)"
                                "|全てセルコピー(&A)|-|やり直し"));
    }

    void toolbarShowsEveryButtonAsAnImageAtTheDefaultSize() {
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* toolbar = window.findChild<QToolBar*>(QStringLiteral("tlbMenu"));
        int buttons = 0;
        for (QAction* action : toolbar->actions()) {
            if (action->isSeparator()) {
                continue;
            }
            ++buttons;
            QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
            const QWidget* button = toolbar->widgetForAction(action);
            QVERIFY2(button != nullptr && button->isVisible(), qPrintable(action->objectName()));
            QVERIFY(button->geometry().right() < toolbar->width());
        }
        QCOMPARE(buttons, 21);
        QCOMPARE(window.findChild<QAction*>(QStringLiteral("tbcFind"))->toolTip(),
                 QStringLiteral("検索　Ctrl + F"));
        QCOMPARE(window.findChild<QAction*>(QStringLiteral("tbcReplace"))->toolTip(),
                 QStringLiteral("置換　Ctrl + H"));
    }

    void statusBarShowsItsTextsWhole() {
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        test::FakeUiHost host;
        window.useUiHost(host);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.DataFileLoad(setup.data, setup.definition);
        StatusPanels& panels = window.statusPanels();
        const QFontMetrics metrics(panels.font());
        QVERIFY(panels.height() >= StatusPanels::kTextInset + metrics.height());

        window.state().Grid.SetRowCount(1000001); // a file of a million records
        window.refreshFromState();
        const auto& widths = panels.widths();
        QVERIFY(widths[0] > metrics.horizontalAdvance(QStringLiteral("行:1000000　列:5")) +
                                StatusPanels::kTextInset);
        QCOMPARE(widths[0] + widths[1] + widths[2] + widths[3] + widths[4],
                 window.width() / 20 * 20);
        QCOMPARE(widths[1], window.width() / 20 * 4); // only the field name's panel gives way
    }

    void openDialogListsTheEightNewestFiles() {
        Setup setup;
        std::string history;
        for (int i = 1; i <= 20; ++i) {
            history += "/data/file" + std::to_string(i) + ".txt\r\n/def/a.def\r\n";
        }
        test::WriteBytes(setup.home / "history.dat", history);
        TfrmShowData window(AppHome(setup.home), {});
        TfrmDialog dialog(window.state(), window.host(), &window);
        QCOMPARE(dialog.cmbFilePath->count(), 8);
        QCOMPARE(dialog.cmbFilePath->itemText(0), QStringLiteral("/data/file20.txt"));
        QCOMPARE(dialog.cmbFilePath->itemText(7), QStringLiteral("/data/file13.txt"));
        QCOMPARE(dialog.cmbFilePath->currentIndex(), 0);
        QCOMPARE(dialog.cmbDefine->itemText(0), QStringLiteral("(自動判別)"));
    }

    void openDialogKeepsItsShapeWhateverTheHistoryHolds() {
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        const int usualWidth =
            TfrmDialog(window.state(), window.host(), &window).sizeHint().width();
        test::WriteBytes(setup.home / "history.dat",
                         "/data/" + std::string(300, 'x') + ".txt\r\n/def/a.def\r\n");
        TfrmDialog dialog(window.state(), window.host(), &window);
        QCOMPARE(dialog.sizeHint().width(), usualWidth);

        // 開く and キャンセル stand between the definition and the character code.
        const auto top = [&dialog](QWidget* widget) {
            return widget->mapTo(&dialog, QPoint()).y();
        };
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(top(dialog.cmbDefine) < top(dialog.cmdOpen));
        QCOMPARE(top(dialog.cmdCancel), top(dialog.cmdOpen));
        QVERIFY(top(dialog.cmdOpen) < top(dialog.cmbWordType));
        QVERIFY(top(dialog.cmbWordType) < top(dialog.chkReadRange));
    }

    void badRangeIsRefusedAndReset() {
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        test::FakeUiHost host;
        window.useUiHost(host);
        TfrmDialog dialog(window.state(), host, &window);
        dialog.setDataPath(setup.data);
        dialog.chkReadRange->setChecked(true);
        dialog.txtReadFrom->setText(QStringLiteral("5"));
        dialog.txtReadTo->setText(QStringLiteral("2"));
        QVERIFY(!dialog.cmdOpenClick());
        QCOMPARE(host.messageTexts(), std::vector<std::string>{"読込範囲が不正です"});
        QVERIFY(!dialog.chkReadRange->isChecked());
        QCOMPARE(dialog.txtReadFrom->text(), QStringLiteral("0"));
    }

    void recordsAreTypedIntoTheAddBoxAndUndone() {
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        test::FakeUiHost host;
        window.useUiHost(host);
        window.resize(700, 300); // the last rows below the screen
        window.show();
        window.DataFileLoad(setup.data, setup.definition);
        const int rows = window.state().Grid.RowCount();

        window.recordActions().mnuRecordAddClick();
        QLineEdit& box = window.recordActions().addBox();
        QVERIFY(box.isVisible());
        QVERIFY(window.state().AddBoxActive);
        // The box lies over the new row, scrolled into view.
        const QRect working = window.grid().cellRect(1, window.state().AddRow);
        QVERIFY(!working.isNull());
        QCOMPARE(box.geometry().top(), working.top());
        QCOMPARE(window.state().Grid.Cell(0, window.state().AddRow), std::string_view("ADD"));
        QTest::keyClicks(&box, QStringLiteral("T000001      7"));
        QTest::keyClick(&box, Qt::Key_Return);
        QVERIFY(!box.isVisible());
        QCOMPARE(window.state().Grid.RowCount(), rows + 1);
        QCOMPARE(window.state().Grid.Cell(2, rows), std::string_view("000001"));
        QVERIFY(window.state().Modified);

        window.recordActions().mnuEditUndoClick();
        QCOMPARE(window.state().Grid.RowCount(), rows);

        window.recordActions().mnuRecordAddClick(); // Esc leaves nothing behind
        QTest::keyClick(&window.recordActions().addBox(), Qt::Key_Escape);
        QCOMPARE(window.state().Grid.RowCount(), rows);
        QVERIFY(!window.state().AddBoxActive);
        window.state().Modified = false;
    }

    void typingIntoACellEditsItInPlace() {
        SalesWindow opened(Shown::Active);
        auto& [setup, host, window] = opened;
        GridView& grid = window.grid();
        grid.setFocus();
        grid.moveTo(2, 2, false); // a detail record's item code, 6 bytes
        QTest::keyClick(&grid, Qt::Key_Z);
        QVERIFY(grid.isEditing());
        QTest::keyClicks(grid.editor(), QStringLiteral("123456789"));
        QTest::keyClick(grid.editor(), Qt::Key_Return);
        QVERIFY(!grid.isEditing());
        QCOMPARE(window.state().Grid.Cell(2, 2), std::string_view("z12345")); // cut to 6 bytes
        QVERIFY(window.state().Modified);

        grid.moveTo(2, 3, false);
        QTest::keyClick(&grid, Qt::Key_Q);
        QTest::keyClick(grid.editor(), Qt::Key_Escape); // nothing changes
        QCOMPARE(window.state().Grid.Cell(2, 3), std::string_view("A00020"));

        window.state().Grid.SetSelection({2, 2, 2, 3});
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(window.state().Grid.Cell(2, 3), std::string_view("      "));
        QTest::keyClick(&grid, Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(window.state().Grid.Cell(2, 3), std::string_view("A00020"));
        window.state().Modified = false;
    }

    void findDialogMovesToMatchesAndSaysWhenThereAreNoMore() {
        SalesWindow opened;
        auto& [setup, host, window] = opened;
        TfrmFind find(window.state(), host, &window);
        QCOMPARE(find.txtKey->text(), QStringLiteral("H")); // the current cell's text
        find.txtKey->setText(QStringLiteral("カレーパン"));
        find.cmdFirstClick();
        QCOMPARE(window.state().Grid.Row(), 5);
        find.cmdNextClick();
        QCOMPARE(window.state().Grid.Row(), 10);
        find.cmdNextClick();
        find.cmdNextClick();
        QCOMPARE(host.messageTexts(), std::vector<std::string>{"「カレーパン」はみつかりませんでした"});
        QCOMPARE(window.state().Grid.Row(), 15);

        TfrmReplace replace(window.state(), host, &window);
        replace.txtKey->setText(QStringLiteral("カレー"));
        replace.txtReplace->setText(QStringLiteral("メロン"));
        replace.chkReplace->setChecked(false);
        replace.cmdReplaceAllClick();
        QCOMPARE(window.state().Grid.Cell(3, 5).substr(0, 10), std::string_view("\x83\x81\x83\x8D\x83\x93\x83\x70\x83\x93")); // メロンパン
        window.state().Modified = false;
    }

    // The question is asked with the grid showing the cell it is about.
    void replaceAsksWithTheFoundCellInView() {
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        window.resize(500, 250);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.DataFileLoad(setup.data, setup.definition);
        QVERIFY(window.grid().cellRect(3, 17).isNull()); // out of view at first
        TfrmReplace replace(window.state(), window.host(), &window);
        replace.txtKey->setText(QStringLiteral("ノート"));
        replace.txtReplace->setText(QStringLiteral("メモ帳"));
        bool asked = false;
        bool cellShown = false;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text() == QStringLiteral("置き換えますか？");
                cellShown = window.grid().viewport()->updatesEnabled() &&
                            !window.grid().cellRect(3, 17).isNull();
                box->button(QMessageBox::No)->click();
            }
        });
        replace.cmdReplaceClick();
        QVERIFY(asked);
        QVERIFY(cellShown);
        QCOMPARE(window.state().Grid.Row(), 17);
        QVERIFY(!window.state().Modified);
    }

    void reapplyAsksUnderTheTitleConfirmation() {
        SalesWindow opened;
        auto& [setup, host, window] = opened;
        host.answers = {Answer::No};
        window.findChild<QAction*>(QStringLiteral("tbcRepaint"))->trigger();
        QCOMPARE(host.messages.back().title, std::string("確認"));
        QCOMPARE(host.messages.back().buttons, MessageButtons::YesNo);
        window.state().Modified = true; // any other question keeps the program's name
        host.answers = {Answer::No};
        window.close();
        QVERIFY(host.messages.back().title.empty());
    }

    void showByConditionHidesTheUntickedRecordTypes() {
        SalesWindow opened;
        auto& [setup, host, window] = opened;
        TfrmVisible dialog(window.state(), host, &window);
        QCOMPARE(dialog.cltDefine->count(), 4);
        QCOMPARE(dialog.lvwField->topLevelItem(4)->text(1), QStringLiteral("Blank4")); // fallback: one field
        dialog.cltDefine->item(2)->setCheckState(Qt::Unchecked); // the detail records
        dialog.cmdVisibleClick();
        const DataGrid& grid = window.state().Grid;
        QVERIFY(grid.RowHeight(1) > 0); // a header
        QVERIFY(grid.RowHeight(2) <= 0);
        QVERIFY(grid.RowHeight(5) <= 0);
        QVERIFY(grid.RowHeight(6) > 0); // a trailer
    }

    void conditionCellsAreLeftByTheArrowsAtTheirEdges() {
        SalesWindow opened;
        auto& [setup, host, window] = opened;
        TfrmVisible dialog(window.state(), host, &window);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.chkFieldNum->setChecked(true);
        QTableWidget& keys = *dialog.stgKey;
        const int last = keys.columnCount() - 1;
        keys.setFocus();
        keys.setCurrentCell(1, 0);
        QTest::keyClicks(&keys, QStringLiteral("=")); // typing starts editing the cell
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("H"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right); // the caret is at the end
        QCOMPARE(keys.currentColumn(), 1);
        QCOMPARE(keys.item(1, 0)->text(), QStringLiteral("=H"));
        QTest::keyClicks(&keys, QStringLiteral("x"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left); // within the text
        QCOMPARE(keys.currentColumn(), 1);
        QTest::keyClick(QApplication::focusWidget(),
                        Qt::Key_Left); // at its start: to the first column
        QCOMPARE(keys.currentColumn(), 0);
        QCOMPARE(keys.item(1, 1)->text(), QStringLiteral("x"));

        keys.setCurrentCell(1, last);
        QTest::keyClicks(&keys, QStringLiteral("9"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right); // no column beyond the last
        QCOMPARE(keys.currentColumn(), last);
    }

    void filterSettingsOpenWithCtrlROnceAFileIsLoaded() {
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        test::FakeUiHost host;
        window.useUiHost(host);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        bool shown = false;
        rejectNextDialog(shown);
        QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
        QApplication::processEvents();
        QVERIFY(!shown);

        window.DataFileLoad(setup.data, setup.definition);
        rejectNextDialog(shown);
        QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
        QVERIFY(shown);
        QVERIFY(window.state().FiltersPrepared);
        QCOMPARE(window.state().FilterMng.ConditionCount(), 4);

        // The sample's filter setting fits its definition and names its record types.
        fs::copy(fs::path(RANVO_SAMPLES) / "sales" / "filter", setup.home / "filter");
        TfrmFilter dialog(window.state(), host, &window);
        dialog.cmbFilterSet->setEditText(QStringLiteral("sales.fls"));
        dialog.cmdOpenClick();
        QCOMPARE(host.messageTexts().back(), std::string("フィルタ設定ファイルを開きました"));
        dialog.cmdApplyClick();
        QVERIFY(window.state().FilterMng.Active);
        QCOMPARE(window.state().FilterMng.Translate(2, 0, "D"), std::string("\x96\xbe\x8d\xd7")); // 明細
        QCOMPARE(window.state().FilterMng.Translate(2, 1, "A00020"), std::string("A00020"));
    }

    void theNavigatorFindsAndHighlightsAConditionsField() {
        SalesWindow opened;
        auto& [setup, host, window] = opened;
        TfrmDefineInfo navigator(window.state(), host, &window);
        int changes = 0;
        navigator.onGridChanged = [&changes] { ++changes; };
        QCOMPARE(navigator.cmbDefineName->count(), 4);
        navigator.cmbDefineName->setCurrentIndex(3); // the trailers
        navigator.cmbDefineNameChange(3);
        QCOMPARE(navigator.stgDefine->rowCount(), 3);
        QCOMPARE(navigator.lblRecordCount->text(), QStringLiteral("3レコード"));
        navigator.stgDefine->setCurrentCell(2, 1);
        navigator.find(RecordSearch::Last);
        QCOMPARE(window.state().Grid.Row(), 18);
        QCOMPARE(window.state().Grid.Col(), 3);
        navigator.cmdHighlightClick();
        QVERIFY(window.state().HighLightOn);
        QCOMPARE(navigator.cmdHighlight->text(), QStringLiteral("強調解除"));
        QCOMPARE(changes, 2);
    }

    void f1OpensTheHelpAtTheFocusedItemsTopic() {
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        test::FakeUiHost host;
        window.useUiHost(host);
        window.showHelp(0);
        QVERIFY(host.messageTexts().back().starts_with("ヘルプファイル"));

        fs::create_directories(setup.home / "help");
        fs::copy_file(fs::path(RANVO_SAMPLES) / ".." / "help" / "ranvo.html", setup.home / "help" / "ranvo.html");
        window.DataFileLoad(setup.data, setup.definition);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.grid().setFocus();
        QCOMPARE(helpContextOf(&window.grid()), 24);
        QTest::keyClick(&window.grid(), Qt::Key_F1);
        auto* viewer = window.findChild<HelpViewer*>();
        QVERIFY(viewer != nullptr && viewer->isVisible());
        QVERIFY(viewer->browser->toPlainText().contains(QStringLiteral("グリッドとキー操作")));
        QCOMPARE(viewer->topic(), 24);

        // F1 on an item of an open menu: that item's topic, and the menu closes.
        auto* edit = window.findChild<QMenu*>(QStringLiteral("mnuEdit"));
        edit->popup(window.mapToGlobal(QPoint(20, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        edit->setActiveAction(window.findChild<QAction*>(QStringLiteral("mnuEditReplace")));
        QTest::keyClick(edit, Qt::Key_F1);
        QCOMPARE(viewer->topic(), 52);
        QVERIFY(!edit->isVisible());

        // The add box and the context menu's items have topics of their own.
        QCOMPARE(helpContextOf(&window.recordActions().addBox()), 24);
        QCOMPARE(window.findChild<QAction*>(QStringLiteral("mnuRecordCopy"))
                     ->property("helpContext")
                     .toInt(),
                 10);
    }

    void optionsAreAppliedAndWritten() {
        Setup setup;
        test::WriteBytes(setup.home / "config.ini", "[Editor]\r\nFontSize=30\r\nFontStyle=2\r\n");
        TfrmShowData window(AppHome(setup.home), {});
        test::FakeUiHost host;
        window.useUiHost(host);
        TfrmOption dialog(window.state().Settings, host, &window);
        dialog.onApply = [&window](const TRanvoSetting& settings) { window.applyNewSettings(settings); };
        QCOMPARE(dialog.cmbFontSize->currentIndex(), -1); // 30 is not in the list
        dialog.chkBold->setChecked(true);
        dialog.m_switches[6]->setChecked(true); // FixCheck
        dialog.cmbMaxHistory->setCurrentIndex(2);
        dialog.cmdApplyClick();
        const TRanvoSetting& settings = window.state().Settings;
        QCOMPARE(settings.EditorFont.Size, 30); // kept: the list had no selection
        QCOMPARE(settings.EditorFont.Name, std::string(TRanvoSetting::DefaultFontName)); // unchanged
        QCOMPARE(settings.EditorFont.Style, static_cast<std::int32_t>(FontStyleBold));
        QVERIFY(settings.FixCheck);
        QCOMPARE(settings.MaxHistoryNum, 30);
        const std::string written = test::ReadBytes(setup.home / "config.ini");
        QVERIFY(written.find("FixCheck=1") != std::string::npos);
        QVERIFY(written.find("MaxHistoryNum=30") != std::string::npos);
    }

    void doubleClickedDefinitionFolderOpensTheChooserThere() {
        Setup setup;
        fs::create_directories(setup.dir / "defs" / "more");
        TfrmShowData window(AppHome(setup.home), {});
        window.state().Settings.DefineFolders = {(setup.dir / "defs").string()};
        test::FakeUiHost host;
        TfrmOption dialog(window.state().Settings, host, &window);
        host.chosenPaths = {setup.dir / "defs" / "more"};
        emit dialog.lstFolder->itemDoubleClicked(dialog.lstFolder->item(0));
        QCOMPARE(host.fileChoices.back().initial, setup.dir / "defs");
        QCOMPARE(dialog.lstFolder->count(), 2); // the folder chosen there joins the list
        QCOMPARE(dialog.lstFolder->item(1)->text(),
                 QString::fromStdString((setup.dir / "defs" / "more").string()));

        fs::remove_all(setup.dir / "defs");
        emit dialog.lstFolder->itemDoubleClicked(dialog.lstFolder->item(0));
        QCOMPARE(host.messageTexts(), std::vector<std::string>{"このドライブは現在使用できません"});
        QCOMPARE(host.fileChoices.size(), std::size_t{1});
    }

    void unsavedChangesAreAskedAboutBeforeOpening() {
        SalesWindow opened;
        auto& [setup, host, window] = opened;
        window.state().Modified = true;
        std::filesystem::remove(setup.data);
        // Save first: the file is gone and its save dialog is cancelled, so no other file opens.
        host.answers = {Answer::Yes};
        bool dialogShown = false;
        rejectNextDialog(dialogShown);
        window.mnuFileOpenClick();
        QVERIFY(!dialogShown);
        QCOMPARE(host.messages.size(), std::size_t{1});

        host.answers = {Answer::No}; // go on without saving
        rejectNextDialog(dialogShown);
        window.mnuFileOpenClick();
        QVERIFY(dialogShown);
    }

    void unsavedChangesAreAskedAboutOnClose() {
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        test::FakeUiHost host;
        window.useUiHost(host);
        window.show();
        window.DataFileLoad(setup.data, setup.definition);
        window.state().Modified = true;
        std::filesystem::remove(setup.data);
        host.answers = {Answer::Yes};
        QVERIFY(!window.close()); // the save dialog was cancelled: the window stays open
        QVERIFY(window.isVisible());
        QCOMPARE(host.fileChoices.size(), std::size_t{1});

        host.answers = {Answer::Yes};
        host.chosenPaths = {setup.data};
        QVERIFY(window.close()); // saved: the window closes
        QVERIFY(std::filesystem::exists(setup.data));
        QCOMPARE(host.messages[0].text, std::string("ファイルの内容が変更されています\r\n保存しますか？"));
    }

    // A line edit holds at most 32767 characters: a longer cell is never put into one and cut.
    void aCellLongerThanTheEditorsHoldIsNeverCut() {
        Setup setup;
        const std::string cell(40'000, 'v');
        test::WriteBytes(setup.dir / "long.csv", cell + "\r\n");
        test::WriteBytes(setup.dir / "long.def",
                         test::CrLfLines({"rvDefine ver1.0", "define", "header,long,0,CS,,\",\",0",
                                          "conditions", "head,x,,1,0,0,16777215,0,0,0,0", "length",
                                          "name", "color", "start"}));
        TfrmShowData window(AppHome(setup.home), {});
        test::FakeUiHost host;
        window.useUiHost(host);
        window.show();
        window.DataFileLoad(setup.dir / "long.csv", setup.dir / "long.def");
        QCOMPARE(window.state().Grid.Cell(1, 1).size(), cell.size());
        QVERIFY(window.cellBox().isReadOnly());
        QFocusEvent focusIn(QEvent::FocusIn);
        QFocusEvent focusOut(QEvent::FocusOut);
        QCoreApplication::sendEvent(&window.cellBox(), &focusIn);
        QCoreApplication::sendEvent(&window.cellBox(), &focusOut); // leaving the box commits it
        window.grid().openEditor(false); // a double-click
        QVERIFY(!window.grid().isEditing());
        QCOMPARE(window.state().Grid.Cell(1, 1), std::string_view(cell));
        QVERIFY(!window.state().Modified);
    }

    // A command stopped by an exception is reported in its own words; the edits made before it
    // stay, and can be saved.
    void aFailedCommandLeavesTheDataToSave() {
        struct ThrowingHost : test::FakeUiHost {
            std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice&) override {
                throw std::bad_alloc();
            }
        };
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        ThrowingHost host;
        window.useUiHost(host);
        window.DataFileLoad(setup.data, setup.definition);
        window.state().Grid.SetCell(4, 2, "99");
        window.state().Modified = true;
        actionNamed(window, QStringLiteral("名前を付けて保存(&A)"))->trigger();
        QCOMPARE(host.messageTexts(),
                 std::vector<std::string>{
                     "保存に失敗しました\r\nメモリが不足したため、処理を中止しました"});
        QCOMPARE(host.busyDepth, 0);
        QVERIFY(window.state().Modified);
        QCOMPARE(window.state().Grid.Cell(4, 2), std::string_view("99  "));

        actionNamed(window, QStringLiteral("上書き保存(&S)"))->trigger();
        QVERIFY(!window.state().Modified);
        QVERIFY(test::ReadBytes(setup.data).find("99  ") != std::string::npos);
    }

    void aKeptPlaceNoScreenShowsIsNotUsed() {
        Setup setup;
        test::WriteBytes(setup.home / "config.ini",
                         "[Window]\r\nMemoryPosition=1\r\nX=-2147483648\r\n"
                         "Y=100\r\nWidth=2147483647\r\nHeight=300\r\n");
        TfrmShowData window(AppHome(setup.home), {});
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(window.pos()));
        QVERIFY(window.width() > 0 && window.width() <= screen.width());
    }

    // Any other handler that throws is stopped at its event and reported once it is left.
    void aThrowingHandlerIsReportedAfterItsEvent() {
        struct Throwing : QObject {
            bool event(QEvent* event) override {
                if (event->type() == QEvent::User) {
                    throw std::length_error("basic_string::_M_create");
                }
                return QObject::event(event);
            }
        };
        Setup setup;
        TfrmShowData window(AppHome(setup.home), {});
        test::FakeUiHost host;
        window.useUiHost(host);
        Throwing throwing;
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&throwing, &event));
        QVERIFY(host.messages.empty());
        QTRY_COMPARE(
            host.messageTexts(),
            std::vector<std::string>{"扱える大きさを超えるデータがあるため、処理を中止しました"});
    }

    void charactersCp932CannotHoldAreTypedShownAndAskedAboutOnSaving() {
        SalesWindow opened(Shown::Active);
        auto& [setup, host, window] = opened;
        GridView& grid = window.grid();
        grid.setFocus();
        grid.moveTo(3, 2, false); // a detail record's item name, 20 bytes
        QTest::keyClick(&grid, Qt::Key_A);
        QVERIFY(grid.isEditing());
        grid.editor()->setText(QStringLiteral("𠮷〜あ"));
        QTest::keyClick(grid.editor(), Qt::Key_Return);
        // Each gets a code of the file's own, two bytes wide, and is shown as itself.
        const std::string cell(window.state().Grid.Cell(3, 2));
        QCOMPARE(cell.substr(0, 6), std::string("\xF9\xFC\xF9\xFB\x82\xA0"));
        QCOMPARE(toQString(cell.substr(0, 6)), QStringLiteral("𠮷〜あ"));
        QCOMPARE(fromQString(QStringLiteral("〜")), std::string("\xF9\xFB"));

        // Shift_JIS has no place for them: the save asks first.
        host.answers = {Answer::No};
        const std::string before = test::ReadBytes(setup.data);
        window.mnuFileSaveClick();
        QCOMPARE(host.messageTexts().back(),
                 std::string("保存する文字コードで表せない文字が2文字あります。\r\n「?"
                             "」に置き換えて保存しますか？"));
        QCOMPARE(test::ReadBytes(setup.data), before);
        window.state().Modified = false;
    }
};

} // namespace ranvo::gui

// The program's own application object, which catches what handlers throw.
int main(int argc, char** argv) {
    ranvo::gui::RanvoApplication application(argc, argv);
    ranvo::gui::MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "main_window_test.moc"
