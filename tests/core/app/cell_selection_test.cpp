#include "core/app/cell_selection.h"

#include "core/app/app_fixture.h"
#include "core/app/field_jump.h"
#include "core/app/fixed_captions.h"

namespace ranvo {
namespace {

using test::DefinitionBuilder;

class CellSelectionTest : public test::AppFixture {
protected:
    void loadSales() {
        load(DefinitionBuilder("FL")
                 .condition("", 1, {{"code", 4}, {"rest", 6}})
                 .condition("H", 1, {{"kind", 1}, {"date", 8}, {"count", 3}, {"note", 2}})
                 .build(),
             {"  1H20261208003xx", "  0ABCDefghij", "  1H20261209004yy"});
        state.Definition.Conditions[1].ConditionName = "Header";
        state.Definition.DefineName = "Sales";
    }
};

TEST_F(CellSelectionTest, StatusBarDescribesTheField) {
    loadSales();
    ASSERT_TRUE(SetCurrentCell(state, 2, 1));
    EXPECT_EQ(state.StatusPanels,
              (std::array<std::string, 5>{"行:1　列:2", "開始:2 長さ:8", "Header", "date", "Sales"}));
    EXPECT_EQ(state.CellBoxText, "20261208");
    EXPECT_TRUE(state.CellBoxEnabled);

    ASSERT_TRUE(SetCurrentCell(state, 4, 2)); // beyond the fallback record's two fields
    EXPECT_EQ(state.StatusPanels[1], "定義なし");
    EXPECT_EQ(state.StatusPanels[3], "");

    state.Definition.FileFormat = "CT";
    ASSERT_TRUE(SetCurrentCell(state, 2, 2));
    EXPECT_EQ(state.StatusPanels[1], "フィールドNO:2");
}

TEST_F(CellSelectionTest, CellsWithoutAFieldShowNoDefinition) {
    load(DefinitionBuilder("FL").condition("", 1, {{"a", 2}}).build(), {});
    ASSERT_EQ(state.Grid.FixedRows(), 0);
    EXPECT_TRUE(SelectCell(state, 0, 0));
    EXPECT_EQ(state.StatusPanels, (std::array<std::string, 5>{"行:0　列:0", "定義なし", "", "", ""}));
}

TEST_F(CellSelectionTest, HiddenCellMovesToTheNextVisibleColumnInsteadOfTheClickedOne) {
    loadSales();
    ASSERT_TRUE(SetCurrentCell(state, 1, 1));
    state.Grid.SetColWidth(2, 0);
    state.Grid.SetColWidth(4, 0);
    EXPECT_FALSE(SelectCell(state, 4, 1)); // clicked: hidden column 4, right of the cursor
    EXPECT_EQ(state.Grid.Col(), 3);
    EXPECT_EQ(state.CellBoxText, "003"); // the box follows the cell moved to

    state.Grid.SetRowHeight(2, 0);
    EXPECT_FALSE(SelectCell(state, 3, 2)); // hidden row below: the next visible row
    EXPECT_EQ(state.Grid.Row(), 3);
    EXPECT_TRUE(state.HiddenCheck);
}

TEST_F(CellSelectionTest, SelectionScrollsTheCellIntoView) {
    loadSales();
    state.Grid.SetVisibleCounts(1, 1);
    ASSERT_TRUE(SetCurrentCell(state, 4, 3));
    EXPECT_EQ(state.Grid.TopRow(), 2);
    EXPECT_EQ(state.Grid.LeftCol(), 3);
    ASSERT_TRUE(SetCurrentCell(state, 1, 1));
    EXPECT_EQ(state.Grid.TopRow(), 1);
    EXPECT_EQ(state.Grid.LeftCol(), 1);
}

TEST_F(CellSelectionTest, FixedCaptionsShowDefinitionInformation) {
    loadSales();
    ToggleFixedCellInfo(state);
    EXPECT_EQ(FixedCellInfoCaption(state), "固定セルに列行情報を表示(&F)");
    EXPECT_EQ(state.Grid.Cell(0, 1), "Header");
    EXPECT_EQ(state.Grid.Cell(0, 2), "fallback");
    EXPECT_EQ(state.Grid.Cell(2, 0), "date");

    ASSERT_TRUE(SetCurrentCell(state, 1, 2)); // a fallback record: two names, then numbers
    EXPECT_EQ(state.Grid.Cell(2, 0), "rest");
    EXPECT_EQ(state.Grid.Cell(3, 0), "3");

    ToggleFixedCellInfo(state);
    EXPECT_EQ(FixedCellInfoCaption(state), "固定セルに定義情報を表示(&F)");
    for (int col = 1; col < state.Grid.ColCount(); ++col) {
        EXPECT_EQ(state.Grid.Cell(col, 0), std::to_string(col));
    }
    EXPECT_EQ(state.Grid.Cell(0, 3), "3");
}

TEST_F(CellSelectionTest, HiddenColumnKeepsItsCaptionWhenRepaintingTheFixedRow) {
    loadSales();
    state.FixedCellInfo = true;
    state.Grid.SetCell(3, 0, "kept");
    state.Grid.SetColWidth(3, 0);
    RepaintFixRow(state, 2); // the fallback record has two fields
    EXPECT_EQ(state.Grid.Cell(3, 0), "kept");
    EXPECT_EQ(state.Grid.Cell(4, 0), "4");
}

TEST_F(CellSelectionTest, FieldJumpListFollowsTheRowsCondition) {
    loadSales();
    ASSERT_TRUE(SetCurrentCell(state, 3, 1));
    EXPECT_EQ(state.JumpListItems, (std::vector<std::string>{"kind", "date", "count", "note"}));
    EXPECT_EQ(state.JumpListIndex, 2);
    ASSERT_TRUE(SetCurrentCell(state, 1, 2));
    EXPECT_EQ(state.JumpListItems, (std::vector<std::string>{"code", "rest"}));

    // Arrowing through the list does not move the cursor; a mouse pick or Enter does.
    state.JumpKeyDown = true;
    JumpField(state, 1);
    EXPECT_EQ(state.Grid.Col(), 1);
    EXPECT_FALSE(state.JumpKeyDown);
    JumpField(state, 1);
    EXPECT_EQ(state.Grid.Col(), 2);
    JumpListEnter(state, 0);
    EXPECT_EQ(state.Grid.Col(), 1);
    JumpListEnter(state, 9);
    EXPECT_EQ(state.Grid.Col(), 1);
}

} // namespace
} // namespace ranvo
