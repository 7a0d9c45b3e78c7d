#include "core/app/navigator.h"

#include "core/app/app_fixture.h"
#include "core/app/hiding.h"

namespace ranvo {
namespace {

using test::DefinitionBuilder;

class NavigatorTest : public test::AppFixture {
protected:
    // Headers H and details D: H,D,D,H,D.
    void loadSales() {
        load(DefinitionBuilder("FL")
                 .condition("", 1, {{"data", 10}})
                 .condition("H", 1, {{"kind", 1}, {"date", 8}})
                 .condition("D", 1, {{"kind", 1}, {"item", 3}, {"count", 2}})
                 .build(),
             {"  1H20261208", "  2DA0105", "  2DB0203", "  1H20261209", "  2DC0301"});
        state.DataFileName = "/data/sales.txt";
    }
};

TEST_F(NavigatorTest, TheDefinitionAndAConditionAreDescribed) {
    loadSales();
    TDefineClass& definition = state.Definition;
    definition.DefineName = "Sales";
    definition.FilePath = "/defs/sales.def";
    const DefinitionInfo info = DescribeDefinition(definition);
    EXPECT_EQ(info.FileName, "sales.def");
    EXPECT_EQ(info.FileType, "固定長改行");
    EXPECT_EQ(info.Separate, "「,」");
    EXPECT_EQ(info.TopTitle, "");

    const std::vector<int> counts = CountRecordsByCondition(state);
    EXPECT_EQ(counts, (std::vector<int>{0, 2, 3}));
    const ConditionInfo header = DescribeCondition(definition, 1, counts);
    ASSERT_EQ(header.Fields.size(), 2U);
    EXPECT_EQ(header.Fields[1].Start, "2");
    EXPECT_EQ(header.Fields[1].Length, "8");
    EXPECT_EQ(header.MaxLength, "9byte");
    EXPECT_TRUE(header.WordShown);
    EXPECT_EQ(header.CheckWord, "「H」");
    EXPECT_EQ(header.RecordCount, "2レコード");
    EXPECT_EQ(DescribeCondition(definition, 0, counts).Length, "他に適用できる条件がない場合");

    definition.FileFormat = "CS";
    definition.Separate = "\t";
    const ConditionInfo csv = DescribeCondition(definition, 2, counts);
    EXPECT_EQ(csv.Fields[0].Start, "---");
    EXPECT_EQ(csv.MaxLength, "可変長");
    EXPECT_EQ(DescribeDefinition(definition).Separate, "「TAB文字」");
}

TEST_F(NavigatorTest, RecordsOfAConditionAreHiddenOrShownAlone) {
    loadSales();
    state.Grid.SetCurrent(1, 2);
    HideRecordsOf(state, host, 2);
    EXPECT_GT(state.Grid.RowHeight(1), 0);
    EXPECT_LE(state.Grid.RowHeight(2), 0);
    EXPECT_LE(state.Grid.RowHeight(5), 0);
    EXPECT_GT(state.Grid.RowHeight(state.Grid.Row()), 0) << "the cursor left the hidden row";
    EXPECT_TRUE(state.VisibleAllEnabled);

    ShowOnlyRecordsOf(state, host, 2);
    EXPECT_LE(state.Grid.RowHeight(1), 0);
    EXPECT_EQ(state.Grid.RowHeight(2), state.Grid.DefaultRowHeight());
    EXPECT_EQ(state.Grid.Cell(0, 5), "3") << "shown rows are numbered again";

    ShowOnlyRecordsOf(state, host, 0);
    for (int row = 1; row <= 5; ++row) {
        EXPECT_LE(state.Grid.RowHeight(row), 0) << row;
    }
    ShowAll(state);
    EXPECT_EQ(state.Grid.RowHeight(4), state.Grid.DefaultRowHeight());
    EXPECT_EQ(host.busyDepth, 0);
}

TEST_F(NavigatorTest, RecordsAreFoundInTheFieldsColumnAmongVisibleRows) {
    loadSales();
    state.Grid.SetCurrent(1, 1);
    ASSERT_TRUE(FindConditionRecord(state, 2, 1, RecordSearch::First));
    EXPECT_EQ(state.Grid.Row(), 2);
    EXPECT_EQ(state.Grid.Col(), 2);
    ASSERT_TRUE(FindConditionRecord(state, 2, 1, RecordSearch::Last));
    EXPECT_EQ(state.Grid.Row(), 5);
    EXPECT_FALSE(FindConditionRecord(state, 2, 1, RecordSearch::Next)) << "nothing after the last";
    EXPECT_EQ(state.Grid.Row(), 5);
    HideRows(state, 3, 3);
    ASSERT_TRUE(FindConditionRecord(state, 2, 1, RecordSearch::Previous));
    EXPECT_EQ(state.Grid.Row(), 2) << "hidden rows are passed over";
    state.Grid.SetColWidth(3, 0);
    EXPECT_FALSE(FindConditionRecord(state, 2, 2, RecordSearch::First)) << "a hidden column finds nothing";
}

TEST_F(NavigatorTest, ARecordFoundOutOfViewBecomesTheTopRow) {
    loadSales();
    state.Grid.SetVisibleCounts(2, 1);
    ASSERT_TRUE(FindConditionRecord(state, 2, 1, RecordSearch::Last));
    EXPECT_EQ(state.Grid.TopRow(), 4) << "not past the grid's end: rows 4 and 5 fill the view";
    EXPECT_EQ(state.Grid.LeftCol(), 2);
    ASSERT_TRUE(FindConditionRecord(state, 1, 0, RecordSearch::First));
    EXPECT_EQ(state.Grid.TopRow(), 1);
    ASSERT_TRUE(FindConditionRecord(state, 2, 0, RecordSearch::Next));
    EXPECT_EQ(state.Grid.TopRow(), 1) << "row 2 is in view: nothing scrolls";
    ASSERT_TRUE(FindConditionRecord(state, 2, 0, RecordSearch::Next));
    EXPECT_EQ(state.Grid.Row(), 3);
    EXPECT_EQ(state.Grid.TopRow(), 3);
    ASSERT_TRUE(FindConditionRecord(state, 2, 2, RecordSearch::Next));
    EXPECT_EQ(state.Grid.LeftCol(), 3);
}

TEST_F(NavigatorTest, HighlightingIsSwitchedAndItsColumnComesIntoView) {
    loadSales();
    state.Grid.SetVisibleCounts(10, 1);
    EXPECT_TRUE(ToggleNavigatorHighlight(state, 2, 2));
    EXPECT_EQ(state.HighLightCondition, 2);
    EXPECT_EQ(state.HighLightField, 2);
    EXPECT_EQ(state.Grid.LeftCol(), 3);
    EXPECT_FALSE(ToggleNavigatorHighlight(state, 2, 2));
    EXPECT_FALSE(state.HighLightOn);
}

} // namespace
} // namespace ranvo
