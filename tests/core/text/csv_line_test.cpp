#include "core/text/csv_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ranvo {
namespace {

std::string csvLine(const CsvStyle& style, std::vector<std::string_view> values, bool writeFirst = false) {
    return BuildCsvLine(style, values, writeFirst);
}

constexpr CsvStyle kPlain{",", "\"", false};
constexpr CsvStyle kAlways{",", "\"", true};

TEST(BuildCsvLine, QuotingRules) {
    EXPECT_EQ(csvLine(kPlain, {"a", "b,c", "say \"hi\"", ""}), "a,\"b,c\",\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvLine(kPlain, {"", "", ""}), "");
    EXPECT_EQ(csvLine(kPlain, {"", "", ""}, true), "");
    // With "\" as separator, 表 (95 5C) holds no separator: its 5C is a trail byte.
    EXPECT_EQ(csvLine({"\\", "\"", false}, {"\x95\x5C", "a\\b"}), "\x95\x5C\\\"a\\b\"");
    EXPECT_EQ(csvLine(kAlways, {"a", "", "b", "", ""}), "\"a\",\"\",\"b\"");
    EXPECT_EQ(csvLine(kAlways, {"", ""}, true), "\"\"");
}

TEST(BuildCsvLine, QuotesAreDoubledPerCharacterNeverOnATrailByte) {
    // ポ is 83 7C: with "|" as the quote its trail byte is no quote, and doubling it would split
    // the character.
    const CsvStyle pipe{",", "|", false};
    EXPECT_EQ(csvLine(pipe, {"\x83\x7C", "a|b"}), "\x83\x7C,|a||b|");
    EXPECT_EQ(csvLine({",", "|", true}, {"\x83\x7C|"}), "|\x83\x7C|||");
}

} // namespace
} // namespace ranvo
