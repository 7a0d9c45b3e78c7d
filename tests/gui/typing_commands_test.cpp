// What the user typed is what the main window keeps: every command that comes while the in-place
// editor, the cell edit box or the add box is open takes the typed text first or does nothing,
// and what the window then shows and saves is that text. Driven as a user drives the window,
// with keys and toolbar buttons, against a scripted UiHost.

#include "core/loading/definition_builder.h"
#include "gui/app/main_window.h"
#include "gui/app/record_actions.h"
#include "gui/grid/grid_view.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <QAction>
#include <QLineEdit>
#include <QtTest>

namespace ranvo::gui {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUnsavedQuestion = "ファイルの内容が変更されています\r\n保存しますか？";

// The lines of a file ended by CR LF.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

// A data file with its definition, opened in a shown and active window that talks to a scripted
// host: by default a copy of the sample sales file (headers, details and trailers of fixed length).
struct OpenedWindow {
    test::TempDir dir;
    fs::path data = dir / "sales.txt";
    fs::path definition = dir / "sales.def";
    test::FakeUiHost host;
    TfrmShowData window{AppHome(dir / "home"), {}};

    OpenedWindow() {
        fs::copy_file(fs::path(RANVO_SAMPLES) / "sales" / "sales.txt", data);
        fs::copy_file(fs::path(RANVO_SAMPLES) / "sales" / "sales.def", definition);
        open(data, definition);
    }

    OpenedWindow(const fs::path& dataFile, const fs::path& definitionFile)
        : data(dataFile), definition(definitionFile) {
        open(data, definition);
    }

    ~OpenedWindow() { state().Modified = false; } // nothing to ask when the test ends

    void open(const fs::path& dataFile, const fs::path& definitionFile) {
        fs::create_directories(dir / "home");
        window.useUiHost(host);
        window.show();
        window.DataFileLoad(dataFile, definitionFile);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid().setFocus();
    }

    MainState& state() { return window.state(); }
    GridView& grid() { return window.grid(); }

    // Types into cell (col, row) without ending the edit: the first key opens the editor.
    void typeIntoCell(int col, int row, const QString& text) {
        grid().moveTo(col, row, false);
        QTest::keyClicks(&grid(), text.left(1));
        QVERIFY(grid().isEditing());
        QTest::keyClicks(grid().editor(), text.mid(1));
    }

    // A key as the user presses it in whatever has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused != nullptr ? focused : &window, key, modifiers);
    }

    // A toolbar button or menu item, clicked: neither takes the focus from the editor.
    void click(const QString& hintOrCaption) {
        const QList<QAction*> actions = window.findChildren<QAction*>();
        const auto button =
            std::find_if(actions.begin(), actions.end(), [&](const QAction* action) {
                return action->toolTip() == hintOrCaption || action->text() == hintOrCaption;
            });
        QVERIFY(button != actions.end());
        (*button)->trigger();
    }

    std::vector<std::string> records() {
        std::vector<std::string> texts;
        const RecordList& list = state().Grid.Records();
        for (std::size_t i = 0; i < list.size(); ++i) {
            texts.emplace_back(list.Text(i));
        }
        return texts;
    }

    std::vector<std::string> savedLines() const { return linesOf(test::ReadBytes(data)); }
};

} // namespace

class TypingCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void ctrlSSavesTheTextStillBeingTyped() {
        OpenedWindow sales;
        sales.typeIntoCell(2, 2, QStringLiteral("SAVE01"));
        sales.press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!sales.grid().isEditing());
        QVERIFY(sales.savedLines()[1].starts_with("DSAVE01"));
        QVERIFY(!sales.state().Modified);
    }

    void theSortButtonSortsWithTheTypedValueInItsOwnRecord() {
        OpenedWindow sales;
        const std::vector<std::string> loaded = sales.records();
        sales.typeIntoCell(2, 2, QStringLiteral("ZZZZZZ"));
        sales.click(QStringLiteral("昇順ソート"));
        QVERIFY(!sales.grid().isEditing());
        std::string edited = loaded[1];
        edited.replace(1, 6, "ZZZZZZ");
        const std::vector<std::string> sorted = sales.records();
        QCOMPARE(sorted.back(), edited); // the largest key, in the record it was typed into
        QCOMPARE(std::count(sorted.begin(), sorted.end(), edited), 1);
        // The cell box follows the cursor into the sorted rows.
        const DataGrid& grid = sales.state().Grid;
        QCOMPARE(sales.window.cellBox().text().toStdString(),
                 std::string(grid.Cell(grid.Col(), grid.Row())));

        sales.press(Qt::Key_Z, Qt::ControlModifier); // the sort
        QCOMPARE(sales.records()[1], edited);
        sales.press(Qt::Key_Z, Qt::ControlModifier); // the typing
        QCOMPARE(sales.records(), loaded);
    }

    void closingAsksAboutTheTextStillBeingTyped() {
        OpenedWindow sales;
        sales.typeIntoCell(2, 3, QStringLiteral("CLOSE1"));
        sales.host.answers = {Answer::Yes};
        QVERIFY(sales.window.close());
        QCOMPARE(sales.host.messageTexts(),
                 std::vector<std::string>{std::string(kUnsavedQuestion)});
        QVERIFY(sales.savedLines()[2].starts_with("DCLOSE1"));
    }

    // Neither the undo key nor the undo menu item undoes an earlier edit while the editor or the
    // cell box is open.
    void undoDoesNothingWhileTextIsBeingTyped() {
        OpenedWindow sales;
        sales.typeIntoCell(2, 2, QStringLiteral("EARLY1"));
        sales.press(Qt::Key_Return);
        QCOMPARE(sales.state().UndoData.Count(), std::size_t{1});

        sales.typeIntoCell(2, 3, QStringLiteral("LATER"));
        sales.press(Qt::Key_Backspace, Qt::AltModifier);
        sales.click(QStringLiteral("やり直し"));
        QCOMPARE(sales.state().Grid.Cell(2, 2), std::string_view("EARLY1"));
        QVERIFY(sales.grid().isEditing());
        sales.press(Qt::Key_Escape);

        sales.window.cellBox().setFocus();
        QTest::keyClicks(&sales.window.cellBox(), QStringLiteral("BOX"));
        sales.press(Qt::Key_Backspace, Qt::AltModifier);
        sales.click(QStringLiteral("やり直し"));
        QCOMPARE(sales.state().Grid.Cell(2, 2), std::string_view("EARLY1"));
        QCOMPARE(sales.state().UndoData.Count(), std::size_t{1});
    }

    // A save commits the cell box and leaves the focus in it, showing the cell as stored: what
    // is typed after it is kept too.
    void typingGoesOnInTheCellBoxAfterASave() {
        OpenedWindow sales;
        sales.grid().moveTo(2, 3, false);
        QLineEdit& box = sales.window.cellBox();
        box.setFocus();
        box.selectAll();
        QTest::keyClicks(&box, QStringLiteral("AB"));
        sales.press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(box.text(), QStringLiteral("AB    "));
        box.selectAll();
        QTest::keyClicks(&box, QStringLiteral("CD"));
        sales.press(Qt::Key_Return);
        QCOMPARE(sales.state().Grid.Cell(2, 3), std::string_view("CD    "));
        QVERIFY(sales.state().Modified);
    }

    void theCellBoxShowsAPastedCell() {
        OpenedWindow sales;
        sales.grid().moveTo(2, 3, false);
        sales.host.clipboard = "PASTED\r\n"; // as a spreadsheet puts one cell on the clipboard
        sales.press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(sales.state().Grid.Cell(2, 3), std::string_view("PASTED"));
        QCOMPARE(sales.state().Grid.Cell(2, 4),
                 std::string_view("B10001")); // the row below keeps its cell
        QCOMPARE(sales.window.cellBox().text(), QStringLiteral("PASTED"));
    }

    void deleteWhileAnInsertedRowIsPendingAsksAndDeletesNothing() {
        OpenedWindow sales;
        const std::vector<std::string> loaded = sales.records();
        sales.grid().moveTo(1, 3, false);
        sales.press(Qt::Key_I, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(sales.state().AddBoxActive);
        QVERIFY(sales.window.recordActions().addBox().hasFocus());
        sales.press(Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(sales.host.messages.empty());
        QVERIFY(sales.state().AddBoxActive);
        sales.press(Qt::Key_Escape);
        QCOMPARE(sales.records(), loaded);
    }

    // Leaving the add box hides it, and the focus leaving it ends the entry a second time.
    void leavingTheAddBoxEndsTheEntryOnce() {
        OpenedWindow sales;
        const std::vector<std::string> loaded = sales.records();
        sales.grid().moveTo(1, 3, false);
        sales.press(Qt::Key_I, Qt::ControlModifier | Qt::AltModifier);
        sales.press(Qt::Key_Escape);
        QCOMPARE(sales.records(), loaded);

        sales.grid().moveTo(1, 3, false);
        sales.press(Qt::Key_I, Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClicks(&sales.window.recordActions().addBox(), QStringLiteral("T000001      9"));
        sales.press(Qt::Key_Return);
        QCOMPARE(sales.records().size(), loaded.size() + 1);
        sales.press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(sales.records(), loaded);
        QVERIFY(!sales.state().UndoEnabled);
    }

    void ctrlSSavesTheRecordStillBeingTyped() {
        OpenedWindow sales;
        const std::size_t count = sales.records().size();
        sales.press(Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClicks(&sales.window.recordActions().addBox(), QStringLiteral("T000009      5"));
        sales.press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!sales.state().AddBoxActive);
        const std::vector<std::string> lines = sales.savedLines();
        QCOMPARE(lines.size(), count + 1);
        QCOMPARE(lines.back(), std::string("T000009      5   ")); // at the trailer's 17 bytes
        QVERIFY(!sales.state().Modified);
    }

    void aRecordTypedAfterCuttingEveryRecordIsTheFirstAndIsSaved() {
        OpenedWindow sales;
        DataGrid& grid = sales.state().Grid;
        grid.SetSelection({1, 1, grid.ColCount() - 1, grid.RowCount() - 1});
        sales.host.answers = {Answer::Yes};
        sales.press(Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(grid.Records().empty());
        sales.press(Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClicks(&sales.window.recordActions().addBox(), QStringLiteral("T000001      9"));
        sales.press(Qt::Key_Return);
        QCOMPARE(grid.RowCount(), 2);
        QCOMPARE(grid.Cell(2, 1), std::string_view("000001"));
        sales.press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(sales.savedLines(), std::vector<std::string>{"T000001      9   "});
    }

    void undoAfterASaveLeavesTheFileModified() {
        OpenedWindow sales;
        sales.typeIntoCell(2, 2, QStringLiteral("UNDONE"));
        sales.press(Qt::Key_Return);
        sales.press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!sales.state().Modified);
        sales.press(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(sales.state().Modified);
        sales.host.answers = {Answer::Yes};
        QVERIFY(sales.window.close());
        QCOMPARE(sales.host.messageTexts(),
                 std::vector<std::string>{std::string(kUnsavedQuestion)});
        QVERIFY(
            sales.savedLines()[1].starts_with("DA00010")); // the undone edit is gone from the file
    }

    void aShortRecordTypedIntoAnFbFileIsPadded() {
        test::TempDir dir;
        TDefineClass definition =
            test::DefinitionBuilder("FB", 10).condition("", 1, {{"code", 4}, {"value", 6}}).build();
        QVERIFY(definition.SaveToFile(dir / "blocks.def"));
        test::WriteBytes(dir / "blocks.dat", "AAAA111111BBBB222222\r\n");
        OpenedWindow blocks(dir / "blocks.dat", dir / "blocks.def");
        blocks.press(Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClicks(&blocks.window.recordActions().addBox(), QStringLiteral("CC"));
        blocks.press(Qt::Key_Return);
        blocks.press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(test::ReadBytes(dir / "blocks.dat"),
                 std::string("AAAA111111BBBB222222CC        \r\n"));
    }
};

} // namespace ranvo::gui

QTEST_MAIN(ranvo::gui::TypingCommandsTest)
#include "typing_commands_test.moc"
