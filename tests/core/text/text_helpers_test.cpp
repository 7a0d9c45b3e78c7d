#include "core/text/text_helpers.h"

#include "support/byte_files.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

using Pieces = std::vector<std::string>;

Pieces splitFields(std::string_view text, std::string_view separator) {
    Pieces list;
    const int count = SplitFields(text, list, separator);
    EXPECT_EQ(count, static_cast<int>(list.size()));
    return list;
}

Pieces splitQuoted(std::string_view text, char separator = ',', char quote = '\'') {
    Pieces list{"stale", "values"};
    const int count = SplitQuoted(text, list, separator, quote);
    EXPECT_EQ(count, static_cast<int>(list.size()));
    return list;
}

TEST(SplitFields, EmptyPiecesAreKept) {
    EXPECT_EQ(splitFields("a,,b", ","), (Pieces{"a", "", "b"}));
    EXPECT_EQ(splitFields("a,", ","), (Pieces{"a", ""}));
    EXPECT_EQ(splitFields(",a", ","), (Pieces{"", "a"}));
    EXPECT_EQ(splitFields("", ","), (Pieces{""}));
}

TEST(SplitFields, MultiByteSeparator) {
    EXPECT_EQ(splitFields("a<>b<>", "<>"), (Pieces{"a", "b", ""}));
    // The ideographic comma (81 41) as separator.
    EXPECT_EQ(splitFields("x\x81\x41y", "\x81\x41"), (Pieces{"x", "y"}));
}

TEST(SplitFields, SeparatorIsNeverFoundOnATrailByte) {
    // 表示 is 95 5C 8E A6: its 5C is the trail byte of 表, not a backslash.
    EXPECT_EQ(splitFields("\x95\x5C\x8E\xA6", "\\"), (Pieces{"\x95\x5C\x8E\xA6"}));
    EXPECT_EQ(splitFields("\x95\x5C\\x", "\\"), (Pieces{"\x95\x5C", "x"}));
    // A double-byte separator is not found straddling two characters: 81 41 here is the trail
    // byte of 8E 81 followed by the letter A.
    EXPECT_EQ(splitFields("\x8E\x81\x41", "\x81\x41"), (Pieces{"\x8E\x81\x41"}));
}

TEST(SplitFields, ReusesTheCallersListWithoutLeftovers) {
    Pieces list{"1", "2", "3", "4"};
    EXPECT_EQ(SplitFields("x,y", list, ","), 2);
    EXPECT_EQ(list, (Pieces{"x", "y"}));
}

TEST(SplitQuoted, PlainValues) {
    EXPECT_EQ(splitQuoted("a,,b"), (Pieces{"a", "", "b"}));
    EXPECT_EQ(splitQuoted(",a"), (Pieces{"", "a"}));
    EXPECT_EQ(splitQuoted("a,b,"), (Pieces{"a", "b"}));
    EXPECT_EQ(splitQuoted(""), Pieces{});
}

TEST(SplitQuoted, QuotedValuesKeepSeparatorsAndUndoubleQuotes) {
    EXPECT_EQ(splitQuoted("'x,y',z"), (Pieces{"x,y", "z"}));
    EXPECT_EQ(splitQuoted("'a''b'"), (Pieces{"a'b"}));
    EXPECT_EQ(splitQuoted("'a''b',c"), (Pieces{"a'b", "c"}));
    EXPECT_EQ(splitQuoted("'',x"), (Pieces{"", "x"}));
    EXPECT_EQ(splitQuoted("\"1\",\"2\"", ',', '"'), (Pieces{"1", "2"}));
}

TEST(SplitQuoted, UnclosedQuoteDropsTheValueAndEndsTheScan) {
    EXPECT_EQ(splitQuoted("'abc"), Pieces{});
    EXPECT_EQ(splitQuoted("x,'abc,d"), (Pieces{"x"}));
}

TEST(SplitQuoted, QuoteInsideAnUnquotedValueIsContent) {
    EXPECT_EQ(splitQuoted("ab',c"), (Pieces{"ab'", "c"}));
    EXPECT_EQ(splitQuoted("ab'"), (Pieces{"ab'"}));
}

TEST(SplitQuoted, DoubledQuotesInTheLastUnquotedValueAreUndoubled) {
    EXPECT_EQ(splitQuoted("a''b,c''d"), (Pieces{"a''b", "c'd"}));
}

TEST(SplitQuoted, SeparatorOnATrailByteDoesNotSplit) {
    // With "\" as separator, 表 (95 5C) stays whole.
    EXPECT_EQ(splitQuoted("\x95\x5C\\b", '\\'), (Pieces{"\x95\x5C", "b"}));
    EXPECT_EQ(splitQuoted("a\tb\t", '\t', '"'), (Pieces{"a", "b"}));
}

TEST(IsDigits, OnlyNonEmptyAsciiDigitRuns) {
    EXPECT_TRUE(IsDigits("0123"));
    EXPECT_FALSE(IsDigits("12a"));
    EXPECT_FALSE(IsDigits("-1"));
    EXPECT_FALSE(IsDigits(" 1"));
    EXPECT_FALSE(IsDigits(""));
    EXPECT_FALSE(IsDigits("\x82\x50")); // full-width one
}

TEST(IsInteger, StandardConversionRules) {
    EXPECT_TRUE(IsInteger("  -12"));
    EXPECT_TRUE(IsInteger("+7"));
    EXPECT_TRUE(IsInteger("$1F"));
    EXPECT_TRUE(IsInteger("0x1f"));
    EXPECT_TRUE(IsInteger("2147483647"));
    EXPECT_TRUE(IsInteger("-2147483648"));
    EXPECT_FALSE(IsInteger("2147483648"));
    EXPECT_FALSE(IsInteger("12 "));
    EXPECT_FALSE(IsInteger("1.5"));
    EXPECT_FALSE(IsInteger(""));
    EXPECT_FALSE(IsInteger("-"));
    EXPECT_FALSE(IsInteger("0x"));
}

TEST(FindFrom, SearchesBytesFromTheStartPosition) {
    EXPECT_EQ(FindFrom("ab", "xxab", 4), 0);
    EXPECT_EQ(FindFrom("ab", "xxab", 3), 3);
    EXPECT_EQ(FindFrom("ab", "xxab", 1), 3);
    EXPECT_EQ(FindFrom("ab", "xxab", 0), 3);
    EXPECT_EQ(FindFrom(" ", "a b c", 3), 4);
    EXPECT_EQ(FindFrom("abc", "ab", 1), 0);
    EXPECT_EQ(FindFrom("", "ab", 1), 0);
    // Byte-wise: the trail byte 5C of 表 matches a backslash.
    EXPECT_EQ(FindFrom("\\", "\x95\x5C", 1), 2);
}

TEST(LeftBytes, PrefixInBytes) {
    EXPECT_EQ(LeftBytes("abc", 2), "ab");
    EXPECT_EQ(LeftBytes("abc", 5), "abc");
    EXPECT_EQ(LeftBytes("abc", -1), "");
    EXPECT_EQ(LeftBytes("\x88\x9F", 1), "\x88");
}

TEST(XmlEscape, EntitiesWithAmpersandFirst) {
    EXPECT_EQ(XmlEscape("a<b&c"), "a&lt;b&amp;c");
    EXPECT_EQ(XmlEscape("'\">&lt;"), "&apos;&quot;&gt;&amp;lt;");
    EXPECT_EQ(XmlEscape("\x95\x5C"), "\x95\x5C");
}

TEST(XmlTagName, Examples) {
    EXPECT_EQ(XmlTagName("1\x8C\x8E"), "_1\x8C\x8E");         // 1月
    EXPECT_EQ(XmlTagName("\x82\x50\x8C\x8E"), "_1\x8C\x8E");  // １月
    EXPECT_EQ(XmlTagName("A B(c)"), "A_B_c_");
    EXPECT_EQ(XmlTagName("\x94\x84\x8F\xE3.\x8B\xE0\x8A\x7A"), // 売上.金額
              "\x94\x84\x8F\xE3_\x8B\xE0\x8A\x7A");
    EXPECT_EQ(XmlTagName(""), "");
    EXPECT_EQ(XmlTagName("a-b_c"), "a-b_c");
}

TEST(XmlTagName, EveryTableEntryBecomesAnUnderscore) {
    const auto& table = XmlTagNameReplacements();
    ASSERT_EQ(table.size(), 68u);
    for (const std::string_view entry : table) {
        EXPECT_EQ(XmlTagName(std::string("a") + std::string(entry) + "b"), "a_b")
            << "entry " << entry;
    }
}

TEST(XmlTagName, FullWidthDigitsAndTrailBytesAreNotMistaken) {
    EXPECT_EQ(XmlTagName("\x82\x58"), "_9");                 // ９
    EXPECT_EQ(XmlTagName("\x95\x5C"), "\x95\x5C");           // 表: trail 5C is no backslash
    EXPECT_EQ(XmlTagName("\x83\x40"), "\x83\x40");           // ァ: trail 40 is no "@"
    EXPECT_EQ(XmlTagName("\x81\x40x"), "_x");                // ideographic space
}

TEST(Splitters, ArbitraryBytesNeverCrashOrReadOutOfBounds) {
    test::InputGenerator generator(20261208);
    Pieces list;
    for (int round = 0; round < 4000; ++round) {
        const std::string text = generator.bytes(round % 10 == 0 ? 4096 : 64);
        const int fields = SplitFields(text, list, round % 2 == 0 ? "," : "\x81\x41");
        ASSERT_GE(fields, 1);
        const int values = SplitQuoted(text, list, round % 3 == 0 ? '\t' : ',', '"');
        ASSERT_GE(values, 0);
        std::size_t total = 0;
        for (const auto& value : list) {
            total += value.size();
        }
        ASSERT_LE(total, text.size());
        (void)XmlTagName(text);
    }
}

} // namespace
} // namespace ranvo
