#include "core/definitions/define_class.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

using Values = std::vector<std::string>;

TCondition wordCondition(std::string word, std::int32_t start) {
    TCondition condition;
    condition.ConditionLength = static_cast<std::int32_t>(word.size());
    condition.CheckWord = std::move(word);
    condition.CheckStart = start;
    condition.UseWord = true;
    return condition;
}

TCondition lengthCondition(std::int32_t length, std::int32_t start = 1) {
    TCondition condition;
    condition.CheckStart = start;
    condition.CheckLength = length;
    condition.UseLength = true;
    return condition;
}

TCondition fields(Values lengths, Values starts) {
    TCondition condition;
    condition.FieldLength = std::move(lengths);
    condition.FieldStart = std::move(starts);
    return condition;
}

// A definition of the given format whose condition 0 is an empty fallback.
TDefineClass definition(std::string format, std::vector<TCondition> conditions) {
    TDefineClass result;
    result.FileFormat = std::move(format);
    result.Separate = ",";
    result.Quote = "\"";
    result.Conditions.emplace_back();
    for (TCondition& condition : conditions) {
        result.Conditions.push_back(std::move(condition));
    }
    return result;
}

Values split(const TDefineClass& definition, std::string_view record) {
    Values list{"stale", "stale", "stale", "stale", "stale"};
    const int count = definition.SplitRecord(record, list);
    EXPECT_EQ(count, static_cast<int>(list.size()));
    return list;
}

TEST(FindCondition, FixedTriesConditionsFromOneInOrder) {
    TDefineClass::DefineLoaded = true;
    TDefineClass fixed = definition("FL", {wordCondition("H", 1), wordCondition("HD", 1)});
    // Condition 0 would match everything but is never tried.
    fixed.Conditions[0] = wordCondition("X", 1);
    EXPECT_EQ(fixed.FindCondition("HD123"), 1); // both match: the lower index wins
    EXPECT_EQ(fixed.FindCondition("X123"), 0);
    EXPECT_EQ(fixed.FindCondition(""), 0);
    std::swap(fixed.Conditions[1], fixed.Conditions[2]);
    EXPECT_EQ(fixed.FindCondition("HD123"), 1);
    EXPECT_EQ(fixed.FindCondition("H123"), 2);
}

TEST(FindCondition, FixedWordAndLengthTests) {
    TDefineClass::DefineLoaded = true;
    TCondition both = wordCondition("AB", 2);
    both.UseLength = true;
    both.CheckLength = 5;
    TCondition cutShort = wordCondition("de", 4);
    cutShort.ConditionLength = 3;
    TCondition neither;
    neither.CheckStart = 3;
    neither.CheckWord = "zz";
    const TDefineClass fixed =
        definition("FB", {both, lengthCondition(4), lengthCondition(2, 5), cutShort, neither});
    EXPECT_EQ(fixed.FindCondition("xAByy"), 1);
    EXPECT_EQ(fixed.FindCondition("xAxy"), 2);
    // Shorter than CheckStart: skipped, even by a test of the length alone.
    EXPECT_EQ(fixed.FindCondition("ab"), 0);
    // The part compared is cut at the end of the record.
    EXPECT_EQ(fixed.FindCondition("abcde"), 4);
    // No test at all: any record reaching CheckStart.
    EXPECT_EQ(fixed.FindCondition("abcdef"), 5);
    EXPECT_EQ(fixed.FindCondition("abc"), 5);
}

TEST(FindCondition, ULWordComparesInUpperCase) {
    TDefineClass::DefineLoaded = true;
    TCondition caseless = wordCondition("abc", 2);
    caseless.ULWord = true;
    TDefineClass fixed = definition("FL", {caseless});
    EXPECT_EQ(fixed.FindCondition("xABC"), 1);
    EXPECT_EQ(fixed.FindCondition("xAbC"), 1);
    EXPECT_EQ(fixed.FindCondition("xABD"), 0);
    // The trail byte 61 of 83 61 is not the letter a, so it is not upper-cased to 41.
    fixed.Conditions[1] = wordCondition("\x83\x41", 1);
    fixed.Conditions[1].ULWord = true;
    EXPECT_EQ(fixed.FindCondition("\x83\x61"), 0);
    EXPECT_EQ(fixed.FindCondition("\x83\x41"), 1);
    fixed.Conditions[1] = wordCondition("abc", 2);
    EXPECT_EQ(fixed.FindCondition("xABC"), 0);
    EXPECT_EQ(fixed.FindCondition("xabc"), 1);
}

TEST(FindCondition, CsvComparesTheWholeColumn) {
    TDefineClass::DefineLoaded = true;
    TCondition third = wordCondition("x", 3);
    third.UseWord = false; // the word test flags play no part for CSV
    third.ConditionLength = 0;
    TDefineClass csv = definition("CS", {third});
    EXPECT_EQ(csv.FindCondition("a,b,x"), 1);
    EXPECT_EQ(csv.FindCondition("a,b,x,d"), 1);
    EXPECT_EQ(csv.FindCondition("a,x"), 0);
    EXPECT_EQ(csv.FindCondition("a,b,xy"), 0);
    EXPECT_EQ(csv.FindCondition("a,b,X"), 0);
    csv.Conditions[1].ULWord = true;
    EXPECT_EQ(csv.FindCondition("a,b,X"), 1);
    csv.Conditions[1].CheckStart = 0; // there is no column 0
    EXPECT_EQ(csv.FindCondition("x,x,x"), 0);
    csv.Conditions[1].CheckStart = 3;
    // Already split columns give the same answers.
    EXPECT_EQ(csv.FindCondition(Values{"a", "b", "X"}), 1);
    EXPECT_EQ(csv.FindCondition(Values{"a", "X"}), 0);
}

TEST(FindCondition, CsvSplitFollowsTheLastLetterOfTheFormat) {
    TDefineClass::DefineLoaded = true;
    TDefineClass csv = definition("CT", {wordCondition("x", 3)});
    EXPECT_EQ(csv.FindCondition("a,\"b,c\",x"), 1);
    csv.FileFormat = "CS";
    EXPECT_EQ(csv.FindCondition("a,\"b,c\",x"), 0);
    EXPECT_EQ(csv.FindCondition("a,\"b,x"), 1);
    csv.Separate = "\t";
    EXPECT_EQ(csv.FindCondition("a\tb\tx"), 1);
    EXPECT_EQ(csv.FindCondition("a,b,x"), 0);
    for (const char* format : {"C", "CX", "XS", ""}) {
        csv.FileFormat = format;
        EXPECT_EQ(csv.FindCondition("a\tb\tx"), 0) << format;
        EXPECT_EQ(csv.FindCondition(Values{"a", "b", "x"}), 0) << format;
    }
}

TEST(FindCondition, NothingMatchesWhileNoDefinitionIsLoaded) {
    const TDefineClass fixed = definition("FL", {wordCondition("H", 1)});
    const TDefineClass csv = definition("CS", {wordCondition("H", 1)});
    TDefineClass::DefineLoaded = false;
    EXPECT_EQ(fixed.FindCondition("H"), 0);
    EXPECT_EQ(csv.FindCondition("H"), 0);
    EXPECT_EQ(csv.FindCondition(Values{"H"}), 0);
    TDefineClass::DefineLoaded = true;
    EXPECT_EQ(fixed.FindCondition("H"), 1);
}

TEST(SplitRecord, FixedCutsByStartAndLengthWithinTheRecord) {
    TDefineClass::DefineLoaded = true;
    TCondition header = fields({"1", "2"}, {"1", "2"});
    header.CheckWord = "H";
    header.CheckStart = 1;
    header.ConditionLength = 1;
    header.UseWord = true;
    TDefineClass fixed = definition("FL", {header});
    fixed.Conditions[0] = fields({"3", "4", "5"}, {"1", "4", "8"});
    EXPECT_EQ(split(fixed, "abcdefghijkl"), (Values{"abc", "defg", "hijkl"}));
    EXPECT_EQ(split(fixed, "abcdefghij"), (Values{"abc", "defg", "hij"}));
    EXPECT_EQ(split(fixed, "abcde"), (Values{"abc", "de", ""}));
    EXPECT_EQ(split(fixed, ""), (Values{"", "", ""}));
    EXPECT_EQ(split(fixed, "Hxyz"), (Values{"H", "xy"}));
    // While nothing is loaded every record is cut by condition 0.
    TDefineClass::DefineLoaded = false;
    EXPECT_EQ(split(fixed, "Hxyz"), (Values{"Hxy", "z", ""}));
}

TEST(SplitRecord, FixedEntriesThatDoNotConvert) {
    TDefineClass::DefineLoaded = true;
    TDefineClass fixed = definition("FB", {});
    // The start list sets the count; a bad length cuts nothing, a missing one too.
    fixed.Conditions[0] = fields({"2", "x", "2"}, {"2", "3", "4", "1"});
    EXPECT_EQ(split(fixed, "abcdef"), (Values{"bc", "", "de", ""}));
    // A start that does not convert is 0 and counts from byte 1.
    fixed.Conditions[0] = fields({"2"}, {"?"});
    EXPECT_EQ(split(fixed, "abc"), (Values{"ab"}));
    fixed.Conditions.clear();
    EXPECT_EQ(split(fixed, "abc"), Values{});
}

TEST(SplitRecord, CsvCodesAreComparedWhole) {
    TDefineClass::DefineLoaded = true;
    TDefineClass csv = definition("CS", {});
    EXPECT_EQ(split(csv, "a,\"b,c\","), (Values{"a", "\"b", "c\"", ""}));
    csv.FileFormat = "CT";
    EXPECT_EQ(split(csv, "a,\"b,c\","), (Values{"a", "b,c"}));
    csv.Quote.clear(); // no quote character: quotes are content
    EXPECT_EQ(split(csv, "a,\"b,c\""), (Values{"a", "\"b", "c\""}));
    for (const char* format : {"CXT", "C", "CSV", "XY", ""}) {
        csv.FileFormat = format;
        EXPECT_EQ(split(csv, "a,b"), Values{}) << format;
    }
}

TEST(FieldQueries, AnswerTheirDefaults) {
    TDefineClass::DefineLoaded = true;
    TDefineClass fixed = definition("FL", {});
    TCondition& condition = fixed.Conditions[0];
    condition.FieldLength = {"3", "x"};
    condition.FieldName = {"A", "B", "C"};
    condition.FieldColor = {"255", "x", "-2147483633"};
    condition.FieldStart = {"1", "y"};

    EXPECT_EQ(fixed.GetFieldColor(0, 0, 7), 255);
    EXPECT_EQ(fixed.GetFieldColor(0, 1, 7), 8421504);
    EXPECT_EQ(fixed.GetFieldColor(0, 2, 7), -2147483633);
    EXPECT_EQ(fixed.GetFieldColor(0, 3, 7), 7);
    EXPECT_EQ(fixed.GetFieldColor(0, -1, 7), 7);
    EXPECT_EQ(fixed.GetFieldColor(1, 0, 7), 7);
    EXPECT_EQ(fixed.GetFieldColor(-1, 0, 7), 7);

    EXPECT_EQ(fixed.GetFieldLength(0, 0), 3);
    EXPECT_EQ(fixed.GetFieldLength(0, 1), 0);
    EXPECT_EQ(fixed.GetFieldLength(0, 2), 0);
    EXPECT_EQ(fixed.GetFieldLength(1, 0), 0);

    EXPECT_EQ(fixed.GetFieldStart(0, 0), 1);
    EXPECT_EQ(fixed.GetFieldStart(0, 1), 0);
    EXPECT_EQ(fixed.GetFieldStart(0, 2), 1);
    EXPECT_EQ(fixed.GetFieldStart(0, -1), 1);
    EXPECT_EQ(fixed.GetFieldStart(5, 0), 1);

    EXPECT_EQ(fixed.GetFieldName(0, 1), "B");
    EXPECT_EQ(fixed.GetFieldName(0, 2), ""); // a name without a length
    EXPECT_EQ(fixed.GetFieldName(0, -1), "");
    EXPECT_EQ(fixed.GetFieldName(1, 0), "");
    condition.FieldName.resize(1);
    EXPECT_EQ(fixed.GetFieldName(0, 1), ""); // a length without a name

    TDefineClass::DefineLoaded = false;
    EXPECT_EQ(fixed.GetFieldColor(0, 0, 7), 7);
    EXPECT_EQ(fixed.GetFieldLength(0, 0), 0);
    EXPECT_EQ(fixed.GetFieldStart(0, 1), 1);
    EXPECT_EQ(fixed.GetFieldName(0, 0), "");
}

TEST(FieldIndexAt, RunningSumOfLengths) {
    TDefineClass fixed = definition("FL", {fields({"3", "4", "5"}, {})});
    TDefineClass::DefineLoaded = false; // not consulted
    for (int position = 1; position <= 13; ++position) {
        const int expected = position <= 3 ? 0 : position <= 7 ? 1 : position <= 12 ? 2 : 0;
        EXPECT_EQ(fixed.FieldIndexAt(1, position), expected) << position;
    }
    EXPECT_EQ(fixed.FieldIndexAt(0, 1), 0);
    EXPECT_EQ(fixed.FieldIndexAt(2, 1), 0);
    EXPECT_EQ(fixed.FieldIndexAt(-1, 1), 0);
    // A length that is not an integer ends the walk with 0; lengths before it still count.
    fixed.Conditions[1].FieldLength = {"3", "4", "x", "5"};
    EXPECT_EQ(fixed.FieldIndexAt(1, 5), 1);
    EXPECT_EQ(fixed.FieldIndexAt(1, 9), 0);
    fixed.Conditions[1].FieldLength = {"-5", "7"};
    EXPECT_EQ(fixed.FieldIndexAt(1, 2), 1);
    // A sum below the 32-bit range does not wrap round to a large one.
    fixed.Conditions[1].FieldLength = {"-2147483648", "-1", "10"};
    EXPECT_EQ(fixed.FieldIndexAt(1, 5), 0);
}

} // namespace
} // namespace ranvo
