#include "core/grid/record_layout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace ranvo {
namespace {

std::vector<std::string> cut(const RecordLayout& layout, std::string_view record, int condition = 0) {
    CellList cells;
    layout.Cut(record, condition, cells);
    std::vector<std::string> values;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        values.emplace_back(cells[i]);
    }
    return values;
}

using Values = std::vector<std::string>;

TEST(RecordLayout, FixedRecordsAreSlicesOfTheirConditionsLengths) {
    const RecordLayout layout = RecordLayout::Fixed({{2, 3}, {1, 0, 2}});
    EXPECT_EQ(cut(layout, "abcde"), (Values{"ab", "cde"}));
    EXPECT_EQ(cut(layout, "Hxy", 1), (Values{"H", "", "xy"}));
    EXPECT_EQ(cut(layout, "a"), (Values{"a", ""}));
    EXPECT_EQ(cut(layout, "abc", 5), Values{}); // a condition the layout does not know
    EXPECT_EQ(layout.RecordLength(0), 5u);
    CellList scratch;
    EXPECT_EQ(layout.CellOf("abcde", 0, 1, scratch), "cde");
    EXPECT_EQ(layout.CellOf("abcde", 0, 2, scratch), "");
}

TEST(RecordLayout, FittingPadsAndNeverCutsACharacterInTwo) {
    const RecordLayout layout = RecordLayout::Fixed({{3}});
    EXPECT_EQ(layout.Fit(0, 0, "A"), "A  ");
    EXPECT_EQ(layout.Fit(0, 0, "ABCDE"), "ABC");
    EXPECT_EQ(layout.Fit(0, 0, "A\x88\x9F\x88\x9F"), "A\x88\x9F");
    EXPECT_EQ(layout.Fit(0, 0, "AB\x88\x9F"), "AB "); // 亜 would be cut: left out, room padded
    EXPECT_EQ(layout.Fit(0, 1, "x"), ""); // no such field
    EXPECT_EQ(layout.FitRecord(0, "\x88\x9F\x88\x9F"), "\x88\x9F ");
    const RecordLayout csv = RecordLayout::Csv(true, ",", "\"", false);
    EXPECT_EQ(csv.Fit(0, 7, "as typed "), "as typed ");
}

TEST(RecordLayout, ChangingOneFixedCellKeepsEveryOtherByte) {
    const RecordLayout layout = RecordLayout::Fixed({{2, 3, 1}});
    EXPECT_EQ(layout.WithCell("abcdef", 0, 1, "X"), "abX  f");
    EXPECT_EQ(layout.WithCell("ab", 0, 2, "Z"), "ab   Z"); // a short record grows to its length
    EXPECT_EQ(layout.WithCell("abcdef", 0, 7, "Z"), "abcdef");
}

TEST(RecordLayout, ChangingOneCsvCellWritesTheRowAgain) {
    const RecordLayout quoted = RecordLayout::Csv(true, ",", "\"", false);
    EXPECT_EQ(quoted.WithCell("\"a\",b,", 0, 1, "x,y"), "a,\"x,y\"");
    EXPECT_EQ(quoted.WithCell("a", 0, 3, "d"), "a,,,d");
    // A row of empty values is one empty quoted value: an empty line is no record.
    EXPECT_EQ(quoted.WithCell("a", 0, 0, ""), "\"\"");
    EXPECT_EQ(cut(quoted, "\"\""), Values{""});
    const RecordLayout plain = RecordLayout::Csv(false, ",", "\"", false);
    EXPECT_EQ(plain.WithCell("a", 0, 0, ""), "");
    EXPECT_EQ(cut(plain, ""), Values{""});
}

// A plain CSV row is read back without quote handling: written with quotes, a changed row would
// change the values beside the changed one (and every write would double their quotes again).
TEST(RecordLayout, PlainCsvRowsAreWrittenWithoutQuotes) {
    for (const bool quoteAlways : {false, true}) {
        const RecordLayout plain = RecordLayout::Csv(false, ",", "\"", quoteAlways);
        const std::string record = plain.WithCell("a,\"b\",c d,", 0, 0, "x");
        EXPECT_EQ(record, "x,\"b\",c d");
        EXPECT_EQ(cut(plain, record), (Values{"x", "\"b\"", "c d"}));
        // A value cannot hold the separator: it becomes two values.
        EXPECT_EQ(plain.WithCell(record, 0, 2, "e,f"), "x,\"b\",e,f");
    }
}

// A quoted line that yields no value is not a record a file can be read back with.
TEST(RecordLayout, TypedQuotedLinesWithoutAValueAreKeptAsOneEmptyValue) {
    const RecordLayout quoted = RecordLayout::Csv(true, ",", "\"", false);
    EXPECT_EQ(quoted.FitRecord(0, "\"abc"), "\"\"");
    EXPECT_EQ(quoted.FitRecord(0, ""), "\"\"");
    EXPECT_EQ(quoted.FitRecord(0, "a,\"bc"), "a,\"bc"); // one value: kept as typed
    EXPECT_EQ(RecordLayout::Csv(false, ",", "\"", false).FitRecord(0, "\"abc"), "\"abc");
}

// What a quoted CSV row writes, it reads back as the same values (trailing empty values aside,
// which a row does not write).
TEST(RecordLayout, QuotedRowsReadBackAsWritten) {
    std::mt19937 random(11);
    const std::string alphabet[] = {"a", ",", "\"", "|", " ", "\x83\x7C", "\x95\x5C", "x\"", ""};
    for (const std::string_view quote : {"\"", "|"}) {
        const RecordLayout layout = RecordLayout::Csv(true, ",", std::string(quote), random() % 2 == 0);
        for (int round = 0; round < 2000; ++round) {
            Values values(1 + random() % 5);
            for (std::string& value : values) {
                for (std::size_t k = random() % 4; k > 0; --k) {
                    value += alphabet[random() % std::size(alphabet)];
                }
            }
            CellList cells;
            for (const std::string& value : values) {
                cells.Add(value);
            }
            Values read = cut(layout, layout.Build(cells));
            while (values.size() > read.size() && values.back().empty()) {
                values.pop_back();
            }
            read.resize(values.size());
            ASSERT_EQ(read, values) << layout.Build(cells);
        }
    }
}

} // namespace
} // namespace ranvo
