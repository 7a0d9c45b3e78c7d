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

} // namespace
} // namespace ranvo
