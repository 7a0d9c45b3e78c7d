#include "core/views/rv_filter.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>

namespace ranvo {
namespace {

using namespace std::string_literals;
using test::CrLfLines;

constexpr std::string_view NoDefault = TRvFilter::NoDefaultMarker;

class FilterTest : public ::testing::Test {
protected:
    TRvFilter load(const std::string& bytes) {
        test::WriteBytes(file, bytes);
        TRvFilter filter;
        EXPECT_TRUE(filter.Load(file));
        return filter;
    }

    // The value's translation, or the value itself when the table does not hold it.
    static std::string shown(const TRvFilter& filter, std::string_view value) {
        return filter.Translate(value, NoDefault);
    }

    test::TempDir dir;
    std::filesystem::path file = dir / "codes.fil";
};

TEST_F(FilterTest, OptionLinesCountOnlyWithALineAfterThem) {
    const TRvFilter plain = load(CrLfLines({"[Filter]", "1=one"}));
    EXPECT_FALSE(plain.IsNumeric);
    EXPECT_FALSE(plain.UseFit);
    EXPECT_TRUE(plain.TrimSpaces); // these two default to on
    EXPECT_TRUE(plain.CutFit);

    EXPECT_FALSE(load(";1").IsNumeric); // one line: no option line at all
    const TRvFilter two = load(CrLfLines({";1", ";1"}));
    EXPECT_TRUE(two.IsNumeric);
    EXPECT_FALSE(two.UseFit);

    // Every line given: only a second byte "1" is on, a bare ";" is off (not the default), and
    // a line without ";" keeps the default.
    const TRvFilter all = load(CrLfLines({";0", ";1x", "; AB ", ";", "0", "[Filter]"}));
    EXPECT_FALSE(all.IsNumeric);
    EXPECT_TRUE(all.UseFit);
    EXPECT_EQ(all.FitText, " AB ");
    EXPECT_FALSE(all.TrimSpaces);
    EXPECT_TRUE(all.CutFit);
}

TEST_F(FilterTest, RowsAreReadAsAnIniSection) {
    // 83 5D is ゾ, whose trail byte is "]": "[ゾ" opens no section but is a row of Filter.
    const TRvFilter filter =
        load("x=outside\r\n[ filter ]\r\n  Ab  =  first \r\nAB=second\r\n; ab=comment\r\n"
             "bare\r\n=nothing\r\n[\x83\x5D\r\nz=after\r\n[Other]\r\nq=other\r\n[FILTER]\r\n"
             "late=again\0\r\ncut=yes\r\n"s);
    EXPECT_EQ(shown(filter, "aB"), "first"); // any case; the first of equal keys wins
    EXPECT_EQ(shown(filter, "bare"), "");    // a row without "=" is a key with no value
    EXPECT_EQ(shown(filter, ""), "nothing");
    EXPECT_EQ(shown(filter, "[\x83\x5D"), ""); // a row, since its "]" is a trail byte
    EXPECT_EQ(shown(filter, "z"), "after");
    EXPECT_EQ(shown(filter, "late"), "again"); // every section named Filter counts
    for (const char* value : {"x", "q", "; ab"}) {
        EXPECT_EQ(shown(filter, value), value);
    }
    EXPECT_EQ(shown(filter, "cut"), "cut"); // the text ends at its NUL
}

TEST_F(FilterTest, NumericValuesAndKeysCompareAsIntegers) {
    const TRvFilter filter = load(CrLfLines(
        {";1", ";0", ";", ";1", ";1", "[Filter]", "7=seven", "0=zero", "012=twelve", "-3=minus"}));
    for (const char* value : {"7", "007", " 7 ", "+7"}) {
        EXPECT_EQ(shown(filter, value), "seven") << value;
    }
    EXPECT_EQ(shown(filter, "abc"), "zero"); // no integer counts as 0
    EXPECT_EQ(shown(filter, "12"), "twelve");
    EXPECT_EQ(shown(filter, "-03"), "minus");
    EXPECT_EQ(shown(filter, "99999999999"), "zero"); // beyond 32 bits is no integer
}

TEST_F(FilterTest, TrimSpacesCutsBlanksBeforeTheLookup) {
    const std::string rows = CrLfLines({"[Filter]", "A=yes"});
    EXPECT_EQ(shown(load(CrLfLines({";0", ";0", ";", ";1", ";1"}) + rows), " A\t"), "yes");
    EXPECT_EQ(shown(load(CrLfLines({";0", ";0", ";", ";0", ";1"}) + rows), " A\t"), " A\t");
}

TEST_F(FilterTest, UseFitTranslatesOnlyValuesWithThePrefix) {
    const std::string rows = CrLfLines({"[Filter]", "12=twelve", "AB12=whole"});
    const TRvFilter cut = load(CrLfLines({";0", ";1", ";A", ";1", ";1"}) + rows);
    EXPECT_EQ(cut.Translate("A12", "none"), "twelve");
    EXPECT_EQ(cut.Translate("B12", "none"), "none");
    EXPECT_EQ(shown(cut, "12"), "12"); // without the prefix, even a key of the table is not used
    EXPECT_EQ(shown(cut, "a12"), "a12");
    EXPECT_EQ(shown(load(CrLfLines({";0", ";1", ";AB", ";1", ";1"}) + rows), "AB12"), "twelve");
    EXPECT_EQ(shown(load(CrLfLines({";0", ";1", ";AB", ";1", ";0"}) + rows), "AB12"), "whole");
    // With IsNumeric the prefix is cut first: "A007" is 7.
    const TRvFilter numeric =
        load(CrLfLines({";1", ";1", ";A", ";1", ";1", "[Filter]", "7=seven"}));
    EXPECT_EQ(shown(numeric, "A007"), "seven");
}

TEST_F(FilterTest, DefaultTextOrTheValueShowsWhenNothingIsFound) {
    TRvFilter filter = load(CrLfLines({"[Filter]", "1=one"}));
    EXPECT_EQ(filter.Translate("2", "(NoMatch)"), "(NoMatch)");
    EXPECT_EQ(filter.Translate("2", NoDefault), "2");
    EXPECT_EQ(filter.Translate("1", "(NoMatch)"), "one");
    // A failed load frees the old table: the filter translates nothing any more.
    EXPECT_FALSE(filter.Load(dir / "missing.fil"));
    EXPECT_FALSE(filter.Loaded);
    EXPECT_EQ(filter.Translate("1", "(NoMatch)"), "(NoMatch)");
    EXPECT_EQ(filter.Translate("1", NoDefault), "1");
}

} // namespace
} // namespace ranvo
