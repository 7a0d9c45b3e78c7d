#include "core/app/hiding.h"

#include "core/app/app_fixture.h"

namespace ranvo {
namespace {

using test::DefinitionBuilder;

class HidingTest : public test::AppFixture {
protected:
    void loadTen() {
        load(DefinitionBuilder("CS").condition("", 1, {}).build(),
             {"  0a,1", "  0b,2", "  0c,3", "  0d,4", "  0e,5", "  0f,6", "  0g,7", "  0h,8", "  0i,9", "  0j,10"});
        state.DataFileName = "/data/file.csv";
    }
};

TEST_F(HidingTest, RunsOfHiddenRowsLeaveOneMarkLine) {
    loadTen();
    HideRows(state, 5, 7);
    EXPECT_EQ(state.Grid.RowHeight(5), 0);
    EXPECT_EQ(state.Grid.RowHeight(6), -1);
    EXPECT_EQ(state.Grid.RowHeight(7), -1);
    HideRows(state, 2, 2);
    EXPECT_EQ(state.Grid.RowHeight(2), 0);
    HideRows(state, 8, 8); // next to a hidden row
    EXPECT_EQ(state.Grid.RowHeight(8), -1);
    EXPECT_TRUE(state.VisibleAllEnabled);
}

TEST_F(HidingTest, ShowAllGivesTheDefaultSizesBackAndRenumbers) {
    loadTen();
    state.Grid.SetColWidth(2, 300);
    HideCols(state, 2, 2);
    HideRows(state, 3, 4);
    state.Grid.SetCell(0, 5, "Header");
    ShowAll(state);
    EXPECT_EQ(state.Grid.ColWidth(2), state.Grid.DefaultColWidth());
    EXPECT_EQ(state.Grid.RowHeight(4), state.Grid.DefaultRowHeight());
    EXPECT_EQ(state.Grid.Cell(0, 5), "5");
    EXPECT_FALSE(state.VisibleAllEnabled);
}

TEST_F(HidingTest, HidingTheCursorsRowMovesItUpOrElseDown) {
    loadTen();
    state.Grid.SetSelection({1, 4, 1, 5});
    HideSelectedRows(state);
    EXPECT_EQ(state.Grid.Row(), 3);
    state.Grid.SetSelection({1, 1, 1, 3});
    HideSelectedRows(state);
    EXPECT_EQ(state.Grid.Row(), 6);
    state.Grid.SetSelection({1, 6, 2, 6});
    HideSelectedCols(state);
    EXPECT_EQ(state.Grid.ColWidth(1), 0);
    EXPECT_EQ(state.Grid.ColWidth(2), -1);
}

TEST_F(HidingTest, HidingBothTakesRowsAndColumnsOfTheSameSelection) {
    loadTen();
    state.Grid.SetSelection({1, 2, 2, 3});
    HideSelectedRowsAndCols(state);

    EXPECT_EQ(state.Grid.RowHeight(2), 0);
    EXPECT_EQ(state.Grid.RowHeight(3), -1);
    EXPECT_EQ(state.Grid.ColWidth(1), 0);
    EXPECT_EQ(state.Grid.ColWidth(2), -1);
}

TEST_F(HidingTest, HidingBothMovesTheCursorOffTheHiddenBlock) {
    loadTen();
    state.Grid.SetSelection({1, 2, 1, 3}); // the cursor on (1, 3)
    HideSelectedRowsAndCols(state);
    // The nearest visible row above and the nearest visible column, not a hidden cell.
    EXPECT_EQ(state.Grid.Row(), 1);
    EXPECT_EQ(state.Grid.Col(), 2);
    EXPECT_GT(state.Grid.RowHeight(state.Grid.Row()), 0);
}

TEST_F(HidingTest, ShowByConditionReplacesTheVisibilityOfEveryRowAndColumn) {
    load(DefinitionBuilder("CS").condition("", 1, {}).condition("H", 1, {{"k", 1}}).build(),
         {"  1H,100", "  0d,150", "  0d,1500", "  0d,0150", "  1H,9"});
    state.DataFileName = "/data/file.csv";
    state.Grid.SetRowHeight(2, 0); // hidden by hand: it passes, so it comes back
    state.Grid.SetCurrent(2, 4);
    VisibilityChoice choice;
    choice.Conditions = {true, false}; // the H records go
    choice.Columns = {false, true};    // column 1 goes
    choice.FieldTests = std::vector<std::string>{"", "100\\|200"};
    ApplyVisibility(state, host, choice);
    std::vector<int> heights;
    for (int row = 1; row <= 5; ++row) {
        heights.push_back(state.Grid.RowHeight(row) > 0 ? 1 : state.Grid.RowHeight(row));
    }
    // Row 1 takes -1: when it was hidden, row 2 was still hidden by hand. Row 5 follows hidden row 4.
    EXPECT_EQ(heights, (std::vector<int>{-1, 1, 1, 0, -1}));
    EXPECT_EQ(state.Grid.ColWidth(1), 0);
    EXPECT_EQ(state.Grid.Row(), 3); // the cursor's row was hidden: the nearest above
    EXPECT_TRUE(state.VisibleAllEnabled);

    choice.FieldTests.reset(); // field tests off: only the record types count
    ApplyVisibility(state, host, choice);
    EXPECT_GT(state.Grid.RowHeight(4), 0);
    EXPECT_LE(state.Grid.RowHeight(5), 0);
}

} // namespace
} // namespace ranvo
