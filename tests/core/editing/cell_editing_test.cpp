#include "core/editing/cell_editing.h"

#include "core/app/app_fixture.h"
#include "core/editing/undo.h"

namespace ranvo {
namespace {

using test::DefinitionBuilder;

class CellEditingTest : public test::AppFixture {
protected:
    // Three fixed-length records of fields 5, 3, 2, 2 and 2 bytes.
    void loadFixed() {
        load(DefinitionBuilder("FL").condition("", 1, {{"a", 5}, {"b", 3}, {"c", 2}, {"d", 2}, {"e", 2}}).build(),
             {"  0AAAAABBBCCDDEE", "  012   xx yyzzww", "  0-2   ..........", "  0Q    ++!!##$$"});
        state.DataFileName = "/data/file.txt";
    }

    std::string cell(int col, int row) const { return std::string(state.Grid.Cell(col, row)); }
};

TEST_F(CellEditingTest, ValuesAreFittedToTheirFieldsBytes) {
    loadFixed();
    EXPECT_EQ(FitToField(state, 1, 1, "AB"), "AB   ");
    EXPECT_EQ(FitToField(state, 1, 1, "ABCDEFG"), "ABCDE");
    // 亜 (88 9F) would be cut in two at byte 5: it is left out and its room padded.
    EXPECT_EQ(FitToField(state, 1, 1, "AB\x88\x9F\x88\x9F"), "AB\x88\x9F ");
    load(DefinitionBuilder("CT").condition("", 1, {}).build(), {"  0a,b"});
    EXPECT_EQ(FitToField(state, 1, 1, "ABCDEFG"), "ABCDEFG");
}

TEST_F(CellEditingTest, CommittedEditsPushWhatTheCellHeld) {
    loadFixed();
    CommitCellEdit(state, 2, 1, "X", "BBB");
    EXPECT_EQ(cell(2, 1), "X  ");
    EXPECT_TRUE(state.Modified);
    ASSERT_EQ(state.UndoData.Count(), 1u);
    CommitCellEdit(state, 2, 1, "X  ", "X  "); // no change: nothing pushed
    state.Grid.SetColWidth(3, 0);
    CommitCellEdit(state, 3, 1, "zz", "CC"); // a hidden cell takes nothing
    EXPECT_EQ(cell(3, 1), "CC");
    EXPECT_EQ(state.UndoData.Count(), 1u);
    UndoLast(state);
    EXPECT_EQ(cell(2, 1), "BBB");
}

TEST_F(CellEditingTest, ClearFillsFixedCellsWithBlanksAndUndoRestoresThem) {
    loadFixed();
    state.Grid.SetSelection({1, 2, 2, 3});
    ClearSelectedCells(state);
    EXPECT_EQ(cell(1, 2), "     ");
    EXPECT_EQ(cell(2, 3), "   ");
    UndoLast(state);
    EXPECT_EQ(cell(1, 2), "12   ");
    EXPECT_EQ(cell(1, 3), "-2   ");
}

TEST_F(CellEditingTest, PasteSkipsHiddenColumnsAndUndoPutsEveryValueBack) {
    loadFixed();
    state.Grid.SetColWidth(3, 0);
    state.Grid.SetCurrent(2, 1);
    PasteCells(state, "p\tq\tr\r\ns\tt\tu");
    EXPECT_EQ(cell(2, 1), "p  ");
    EXPECT_EQ(cell(3, 1), "CC"); // hidden: receives nothing
    EXPECT_EQ(cell(4, 1), "q ");
    EXPECT_EQ(cell(5, 2), "u ");
    UndoLast(state);
    EXPECT_EQ(cell(2, 1), "BBB");
    EXPECT_EQ(cell(3, 1), "CC");
    EXPECT_EQ(cell(4, 1), "DD");
    EXPECT_EQ(cell(5, 2), "ww");
}

TEST_F(CellEditingTest, CopyTakesVisibleCellsOnly) {
    loadFixed();
    state.Grid.SetColWidth(2, 0);
    state.Grid.SetRowHeight(2, 0);
    state.Grid.SetSelection({1, 1, 3, 3});
    EXPECT_EQ(CopySelectedCells(state), "AAAAA\tCC\r\n-2   \t..");
}

TEST_F(CellEditingTest, TotalCountsIntegersOnly) {
    loadFixed();
    state.Grid.SetSelection({1, 2, 1, 4}); // "12   " counts 0 (trailing blanks), "-2   " too
    EXPECT_EQ(TotalOfSelection(state), 0);
    state.Grid.SetCell(1, 2, "   12"); // leading blanks are read, trailing ones are not
    state.Grid.SetCell(1, 3, "   -2");
    EXPECT_EQ(TotalOfSelection(state), 10 - 0); // "Q    " counts 0
    ShowTotal(state, host);
    EXPECT_EQ(host.messages.back().text, "10");
}

TEST_F(CellEditingTest, CellBoxCommitsOnEveryExitUnlessItsCellIsHidden) {
    loadFixed();
    state.Grid.SetCurrent(2, 1);
    CellBoxEntered(state, "BBB");
    CellBoxLeft(state, "BBB");
    EXPECT_TRUE(state.Modified);
    EXPECT_EQ(state.UndoData.Count(), 1u);
    state.Grid.SetRowHeight(1, 0);
    CellBoxEntered(state, "BBB");
    CellBoxLeft(state, "new");
    EXPECT_EQ(cell(2, 1), "BBB");
    EXPECT_EQ(state.CellBoxText, "BBB");
}

TEST_F(CellEditingTest, AnUnchangedCellBoxKeepsBytesItShowsAsOtherCharacters) {
    loadFixed();
    state.Grid.SetCurrent(2, 1);
    state.Grid.SetCell(2, 1, "\x85\x40" "B"); // a code without a character, shown as "?"
    CellBoxEntered(state, "?B");
    CellBoxLeft(state, "?B");
    EXPECT_EQ(cell(2, 1), "\x85\x40" "B");
    EXPECT_EQ(state.UndoData.Count(), 1u);
}

TEST_F(CellEditingTest, CaseConversionLeavesTrailBytesAlone) {
    load(DefinitionBuilder("CT").condition("", 1, {}).build(), {"  0abc,\x83\x61x"});
    state.Grid.SetSelection({1, 1, 2, 1});
    ChangeCaseOfSelection(state, true);
    EXPECT_EQ(cell(1, 1), "ABC");
    EXPECT_EQ(cell(2, 1), "\x83\x61X"); // チ (83 61): its trail byte is no "a"
    UndoLast(state);
    EXPECT_EQ(cell(1, 1), "abc");
}

} // namespace
} // namespace ranvo
