#include "core/editing/record_line.h"

#include "core/loading/definition_builder.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

std::string csvLine(const TDefineClass& definition, std::vector<std::string_view> values,
                    bool writeFirst = false) {
    return BuildCsvLine(CsvStyleOf(definition), values, writeFirst);
}

TDefineClass csvDefinition(bool quoteAlways) {
    TDefineClass definition = test::DefinitionBuilder("CT").condition("", 1, {}).build();
    definition.QuoteAlways = quoteAlways;
    return definition;
}

TEST(BuildCsvLine, QuotingRules) {
    const TDefineClass plain = csvDefinition(false);
    EXPECT_EQ(csvLine(plain, {"a", "b,c", "say \"hi\"", ""}), "a,\"b,c\",\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvLine(plain, {"", "", ""}), "");
    EXPECT_EQ(csvLine(plain, {"", "", ""}, true), "");
    // With "\" as separator, 表 (95 5C) holds no separator: its 5C is a trail byte.
    TDefineClass backslash = plain;
    backslash.Separate = "\\";
    EXPECT_EQ(csvLine(backslash, {"\x95\x5C", "a\\b"}), "\x95\x5C\\\"a\\b\"");

    const TDefineClass always = csvDefinition(true);
    EXPECT_EQ(csvLine(always, {"a", "", "b", "", ""}), "\"a\",\"\",\"b\"");
    EXPECT_EQ(csvLine(always, {"", ""}, true), "\"\"");
}

TEST(BuildRecordLine, FixedRowsAreTheirCellsJoined) {
    TDefineClass definition =
        test::DefinitionBuilder("FL").condition("", 1, {{"a", 2}}).condition("H", 1, {{"k", 1}, {"n", 2}}).build();
    DataGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(2);
    grid.SetRowCells(1, std::vector<std::string>{"H", "12", ""});
    EXPECT_EQ(BuildRecordLine(definition, grid, 1, false), "H12");
    EXPECT_EQ(BuildRecordLine(definition, grid, 1, true), "  1H12");
}

} // namespace
} // namespace ranvo
