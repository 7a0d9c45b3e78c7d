#include "core/loading/grid_fill.h"

#include "core/loading/definition_builder.h"
#include "support/fake_ui_host.h"
#include "support/record_entries.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

using test::DefinitionBuilder;
using Texts = std::vector<std::string>;

class GridFillTest : public ::testing::Test {
protected:
    GridFillTest() : state(AppHome(), TRanvoSetting::Defaults()) {}

    void records(std::initializer_list<std::string_view> entries) {
        state.Grid.SetRecords(test::RecordsOf(entries));
    }

    Texts row(int r) const {
        Texts texts;
        for (int c = 0; c < state.Grid.ColCount(); ++c) {
            texts.emplace_back(state.Grid.Cell(c, r));
        }
        return texts;
    }

    MainState state;
    test::FakeUiHost host;
};

TEST_F(GridFillTest, FixedRecordsAreSlicedByFieldLengthsFromTheFirstByte) {
    // Starts are deliberately wrong: cutting uses the lengths only.
    state.Definition = DefinitionBuilder("FL")
                           .condition("", 1, {{"a", 2}, {"b", 3}})
                           .condition("H", 1, {{"k", 1}, {"d", 2}, {"n", 2}, {"m", 1}})
                           .build();
    state.Definition.Conditions[0].FieldStart = {"9", "9"};
    records({"  0abcde", "  1H\x88\x9F" "12X", "  0a"});
    ASSERT_TRUE(FillGrid(state, host));
    EXPECT_EQ(state.Grid.ColCount(), 5);
    EXPECT_EQ(state.Grid.RowCount(), 4);
    EXPECT_EQ(row(0), (Texts{"", "1", "2", "3", "4"}));
    EXPECT_EQ(row(1), (Texts{"1", "ab", "cde", "", ""}));
    EXPECT_EQ(row(2), (Texts{"2", "H", "\x88\x9F", "12", "X"}));
    EXPECT_EQ(row(3), (Texts{"3", "a", "", "", ""}));
    EXPECT_EQ(state.Grid.FixedRows(), 1);
    EXPECT_EQ(state.Grid.FixedCols(), 1);
    EXPECT_EQ(state.Grid.ColWidth(0), 5 * test::FakeUiHost::kCharWidth + 5);
}

TEST_F(GridFillTest, DoubleByteCharactersMaySplitAcrossFields) {
    state.Definition = DefinitionBuilder("FL").condition("", 1, {{"a", 1}, {"b", 1}}).build();
    records({"  0\x88\x9F"});
    ASSERT_TRUE(FillGrid(state, host));
    EXPECT_EQ(row(1), (Texts{"1", "\x88", "\x9F"}));
}

TEST_F(GridFillTest, ConditionWithoutFieldNamesFailsTheFill) {
    state.Definition = DefinitionBuilder("FL").condition("", 1, {{"a", 2}}).condition("Z", 1, {}).build();
    records({"  0ab", "  1Z"});
    EXPECT_FALSE(FillGrid(state, host));
    EXPECT_TRUE(state.Grid.Records().empty());
    EXPECT_EQ(state.Grid.RowCount(), 1);
    EXPECT_EQ(state.Grid.ColCount(), 1);
}

TEST_F(GridFillTest, CsvRowsGetTheirValuesAndTheGridTheWidestRow) {
    state.Definition = DefinitionBuilder("CT").condition("", 1, {}).build();
    records({"  0a,\"b,c\"", "  01,2,3,4", "  0x"});
    ASSERT_TRUE(FillGrid(state, host));
    EXPECT_EQ(state.Grid.ColCount(), 5);
    EXPECT_EQ(row(1), (Texts{"1", "a", "b,c", "", ""}));
    EXPECT_EQ(row(2), (Texts{"2", "1", "2", "3", "4"}));

    state.Definition.FileFormat = "CS";
    ASSERT_TRUE(FillGrid(state, host));
    EXPECT_EQ(row(1), (Texts{"1", "a", "\"b", "c\"", ""}));
}

TEST_F(GridFillTest, EmptyQuotedCsvLineFailsButAPlainOneDoesNot) {
    state.Definition = DefinitionBuilder("CS").condition("", 1, {}).build();
    records({"  0a", "  0", "  0b"});
    EXPECT_TRUE(FillGrid(state, host));
    state.Definition.FileFormat = "CT";
    EXPECT_FALSE(FillGrid(state, host));
}

TEST_F(GridFillTest, NoRecordsLeavesOnlyTheCorner) {
    state.Definition = DefinitionBuilder("FL").condition("", 1, {{"a", 2}}).build();
    records({});
    ASSERT_TRUE(FillGrid(state, host));
    EXPECT_EQ(state.Grid.RowCount(), 1);
    EXPECT_EQ(state.Grid.ColCount(), 1);
    EXPECT_EQ(state.Grid.FixedRows(), 0);
    EXPECT_EQ(state.Grid.FixedCols(), 0);
}

TEST_F(GridFillTest, APrefixNamingAMissingConditionHasNoCells) {
    state.Definition = DefinitionBuilder("FL").condition("", 1, {{"a", 1}, {"b", 1}}).build();
    records({"  0ab"});
    ASSERT_TRUE(FillGrid(state, host));
    state.Grid.SetRecord(1, 77, "ab");
    EXPECT_EQ(row(1), (Texts{"1", "", ""}));
}

} // namespace
} // namespace ranvo
