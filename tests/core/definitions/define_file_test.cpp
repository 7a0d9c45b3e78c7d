#include "core/definitions/define_class.h"
#include "example_definition.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>

namespace ranvo {
namespace {

using Values = std::vector<std::string>;
using test::CrLfLines;
using namespace std::string_literals;

constexpr std::string_view systemColor = "-2147483633"; // 0x8000000F, the button face

// A definition file with the given define line and the lines after "conditions".
std::string definitionText(std::string_view defineLine,
                           std::initializer_list<std::string_view> rest) {
    std::string text = CrLfLines({"rvDefine ver1.0", "define", defineLine, "conditions"});
    text += CrLfLines(rest);
    return text;
}

bool loadText(TDefineClass& definition, const test::TempDir& dir, std::string_view text) {
    test::WriteBytes(dir / "in.def", text);
    return definition.LoadFromFile(dir / "in.def");
}

TEST(DefineFile, ExampleReadsAsDescribedAndWritesBackByteForByte) {
    test::TempDir dir;
    TDefineClass definition;
    ASSERT_TRUE(loadText(definition, dir, test::exampleDefinitionText()));
    EXPECT_TRUE(TDefineClass::DefineLoaded);
    EXPECT_EQ(definition.FilePath, dir / "in.def");
    EXPECT_EQ(definition.SourcePath, dir / "in.def");
    EXPECT_EQ(definition.DefineName, "Sales");
    EXPECT_EQ(definition.RecordLength, 0);
    EXPECT_EQ(definition.FileFormat, "FL");
    EXPECT_EQ(definition.Separate, ",");
    EXPECT_EQ(definition.Quote, "\"");
    EXPECT_TRUE(definition.QuoteAlways);
    EXPECT_FALSE(definition.TopTitle);
    ASSERT_EQ(definition.Conditions.size(), 2u);
    const TCondition& header = definition.Conditions[1];
    EXPECT_EQ(definition.Conditions[0].ConditionName, test::fallbackName);
    EXPECT_EQ(definition.Conditions[0].MaxLength, 10);
    EXPECT_EQ(header.ConditionName, "Header");
    EXPECT_EQ(header.CheckWord, "H");
    EXPECT_EQ(header.CheckStart, 1);
    EXPECT_EQ(header.MaxLength, 12);
    EXPECT_EQ(header.ConditionColor, 65535);
    EXPECT_TRUE(header.UseWord);
    EXPECT_EQ(header.FieldLength, (Values{"1", "8", "3"}));
    EXPECT_EQ(header.FieldStart, (Values{"1", "2", "10"}));
    EXPECT_EQ(definition.FindCondition("H20240101003"), 1);

    ASSERT_TRUE(definition.SaveToFile(dir / "out.def"));
    EXPECT_EQ(test::ReadBytes(dir / "out.def"), test::exampleDefinitionText());
}

TEST(DefineFile, WritesEveryAttributeInItsPlace) {
    test::TempDir dir;
    TDefineClass definition;
    definition.DefineName = "Mix";
    definition.RecordLength = 120;
    definition.FileFormat = "FB";
    definition.Separate = ";";
    definition.Quote = "'";
    definition.TopTitle = true;
    TCondition& fallback = definition.Conditions.emplace_back();
    fallback.ConditionName = "anything";
    fallback.CheckStart = 1;
    fallback.ConditionColor = -2147483633;
    fallback.MaxLength = 99;
    fallback.UseWord = true;
    TCondition& detail = definition.Conditions.emplace_back();
    detail.ConditionName = "Detail";
    detail.CheckWord = "D";
    detail.CheckStart = 3;
    detail.ConditionLength = 1;
    detail.ConditionColor = 255;
    detail.ULWord = true;
    detail.CheckLength = 20;
    detail.UseLength = true;
    detail.FieldLength = {"2", "18"};
    detail.FieldName = {"k", "v"};
    detail.FieldColor = {"", "-2147483633"};
    detail.FieldStart = {"1", "3"};

    ASSERT_TRUE(definition.SaveToFile(dir / "out.def"));
    EXPECT_EQ(test::ReadBytes(dir / "out.def"),
              CrLfLines({"rvDefine ver1.0", "define", "header,Mix,120,FB,;,',,-1", "conditions",
                         "head,anything,,1,0,0,-2147483633,0,0,0,-1", "length", "name", "color",
                         "start", "head,Detail,D,3,1,20,255,-1,20,-1,0", "length,2,18", "name,k,v",
                         "color,0,-2147483633", "start,1,3"}));
    // Saving recomputes MaxLength and fills the empty colour in the definition itself.
    EXPECT_EQ(definition.Conditions[0].MaxLength, 0);
    EXPECT_EQ(definition.Conditions[1].MaxLength, 20);
    EXPECT_EQ(definition.Conditions[1].FieldColor[0], "0");
}

TEST(DefineFile, TabSeparatorAndSystemColoursSurviveARoundTrip) {
    test::TempDir dir;
    TDefineClass definition;
    definition.FileFormat = "CT";
    definition.Separate = "\t";
    definition.Quote = "\"";
    TCondition& fallback = definition.Conditions.emplace_back();
    fallback.ConditionColor = -2147483633;
    fallback.FieldLength = {"1"};
    fallback.FieldName = {"a"};
    fallback.FieldColor = {std::string(systemColor)};
    fallback.FieldStart = {"1"};
    ASSERT_TRUE(definition.SaveToFile(dir / "tab.def"));
    const std::string bytes = test::ReadBytes(dir / "tab.def");
    EXPECT_NE(bytes.find("\r\nheader,,0,CT,\t,\",,0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\ncolor,-2147483633\r\n"), std::string::npos);

    TDefineClass read;
    ASSERT_TRUE(read.LoadFromFile(dir / "tab.def"));
    EXPECT_EQ(read.Separate, "\t");
    EXPECT_EQ(read.Conditions[0].ConditionColor, -2147483633);
    EXPECT_EQ(read.GetFieldColor(0, 0, 0), -2147483633);
    Values values;
    EXPECT_EQ(read.SplitRecord("x\ty", values), 2);
}

TEST(DefineFile, FixedFieldsWithoutNumericPositionsAreNotWritten) {
    test::TempDir dir;
    TDefineClass definition;
    definition.FileFormat = "FL";
    TCondition& fallback = definition.Conditions.emplace_back();
    fallback.UseWord = true;
    fallback.FieldLength = {"3", "2", "5", "4", "-1", "6"};
    fallback.FieldName = {"A", "B", "C", "D", "E"}; // the sixth length has no name
    fallback.FieldColor = {"1", "", "3", "4", "5", "6"};
    fallback.FieldStart = {"1", "", "4", "x", "9", "9"};
    const std::string_view head = "head,,,0,0,";
    const std::string_view tail = ",0,0,0,0,-1";

    ASSERT_TRUE(definition.SaveToFile(dir / "fixed.def"));
    EXPECT_EQ(test::ReadBytes(dir / "fixed.def"),
              CrLfLines({"rvDefine ver1.0", "define", "header,,0,FL,,,,0", "conditions",
                         std::string(head) + "8" + std::string(tail), "length,3,5", "name,A,C",
                         "color,1,3", "start,1,4"}));
    EXPECT_EQ(fallback.MaxLength, 8);
    EXPECT_EQ(fallback.FieldColor[1], ""); // a field left out keeps its colour text

    definition.FileFormat = "CS";
    ASSERT_TRUE(definition.SaveToFile(dir / "csv.def"));
    EXPECT_EQ(test::ReadBytes(dir / "csv.def"),
              CrLfLines({"rvDefine ver1.0", "define", "header,,0,CS,,,,0", "conditions",
                         std::string(head) + "13" + std::string(tail), "length,3,2,5,4,-1",
                         "name,A,B,C,D,E", "color,1,0,3,4,5", "start,1,,4,x,9"}));
    EXPECT_EQ(fallback.MaxLength, 13);
    EXPECT_EQ(fallback.FieldColor[1], "0");
}

TEST(DefineFile, SaveWritesNothingWhenAFieldListIsShort) {
    test::TempDir dir;
    test::WriteBytes(dir / "old.def", "old");
    for (auto list : {&TCondition::FieldLength, &TCondition::FieldColor, &TCondition::FieldStart}) {
        TDefineClass definition;
        definition.FileFormat = "CS";
        definition.Conditions.emplace_back();
        TCondition& condition = definition.Conditions.emplace_back();
        condition.MaxLength = 77;
        condition.FieldLength = {"1", "2"};
        condition.FieldName = {"a", "b"};
        condition.FieldColor = {"", ""};
        condition.FieldStart = {"1", "2"};
        (condition.*list).pop_back();
        EXPECT_FALSE(definition.SaveToFile(dir / "old.def"));
        EXPECT_FALSE(definition.SaveToFile(dir / "new.def"));
        EXPECT_EQ(condition.MaxLength, 77);
        EXPECT_EQ(condition.FieldColor[0], "");
    }
    EXPECT_EQ(test::ReadBytes(dir / "old.def"), "old");
    EXPECT_FALSE(std::filesystem::exists(dir / "new.def"));

    TDefineClass empty;
    EXPECT_FALSE(empty.SaveToFile(dir / "no-such-folder" / "x.def"));
}

TEST(LoadFromFile, RejectsBrokenFiles) {
    const std::string_view define = "header,N,0,FL,,,,0";
    const std::string_view head = "head,a,,1,0,0,0,0,0,0,-1";
    std::string tooManyConditions = definitionText(define, {});
    for (int n = 0; n < 1000; ++n) {
        tooManyConditions += "head,c,,1,0\r\n";
    }
    const std::pair<const char*, std::string> cases[] = {
        {"empty file", ""},
        {"other version", CrLfLines({"rvDefine ver1.1", "define", define, "conditions", head})},
        {"short magic", CrLfLines({"rvDefine ver1", "define", define, "conditions", head})},
        {"blank before magic",
         CrLfLines({" rvDefine ver1.0", "define", define, "conditions", head})},
        {"Define", CrLfLines({"rvDefine ver1.0", "Define", define, "conditions", head})},
        {"define blank", CrLfLines({"rvDefine ver1.0", "define ", define, "conditions", head})},
        {"Conditions", CrLfLines({"rvDefine ver1.0", "define", define, "Conditions", head})},
        {"three lines", CrLfLines({"rvDefine ver1.0", "define", define})},
        {"NUL in the head",
         "rvDefine ver1.0\r\ndefine\r\n\0\r\nconditions\r\n"s + std::string(head)},
        {"no head line", definitionText(define, {"", "other", "x,y"})},
        {"field line first", definitionText(define, {"name,a", head})},
        {"CheckStart text", definitionText(define, {"head,a,,x,0"})},
        {"CheckStart missing", definitionText(define, {"head,a,"})},
        {"CheckStart too big", definitionText(define, {"head,a,,2147483648,0"})},
        {"ConditionLength", definitionText(define, {"head,a,,1,1.5,0,0"})},
        {"ULWord", definitionText(define, {"head,a,,1,0,0,0,yes"})},
        {"ULWord empty", definitionText(define, {"head,a,,1,0,0,0,"})},
        {"UseLength", definitionText(define, {"head,a,,1,0,0,0,0,0,maybe,-1"})},
        {"UseWord", definitionText(define, {"head,a,,1,0,0,0,0,0,0,"})},
        {"later head", definitionText(define, {head, "length,1", "head,b,,1,z"})},
        {"1000 conditions", tooManyConditions},
    };
    test::TempDir dir;
    for (const auto& [why, text] : cases) {
        TDefineClass definition;
        TDefineClass::DefineLoaded = true;
        EXPECT_FALSE(loadText(definition, dir, text)) << why;
        EXPECT_FALSE(TDefineClass::DefineLoaded) << why;
        // The file was read, so it is the definition's file even though it was rejected.
        EXPECT_EQ(definition.FilePath, dir / "in.def") << why;
        EXPECT_EQ(definition.SourcePath, dir / "in.def") << why;
    }

    TDefineClass definition;
    tooManyConditions.resize(tooManyConditions.size() - 13); // one head line less
    EXPECT_TRUE(loadText(definition, dir, tooManyConditions));
    EXPECT_EQ(definition.Conditions.size(), 999u);

    TDefineClass::DefineLoaded = true;
    EXPECT_FALSE(definition.LoadFromFile(dir / "missing.def"));
    EXPECT_FALSE(TDefineClass::DefineLoaded);
    EXPECT_FALSE(definition.LoadFromFile(dir.path()));
    // Nothing was read, so the paths still name the file read before.
    EXPECT_EQ(definition.FilePath, dir / "in.def");
    EXPECT_EQ(definition.SourcePath, dir / "in.def");
}

TEST(LoadFromFile, DefaultsWhatCanBeDefaulted) {
    test::TempDir dir;
    TDefineClass definition;
    const std::string text = "rvDefine ver1.0 trailing text\ndefine\rheader\r\nconditions\r\n\r\n"
                             "comment,ignored\nhead,Other,W,2,1,999,x\nlength,2,x,3\nname,a,b\n"
                             "\0head,a,,x\r\n"s;
    ASSERT_TRUE(loadText(definition, dir, text));
    EXPECT_EQ(definition.DefineName, "");
    EXPECT_EQ(definition.RecordLength, 0);
    EXPECT_EQ(definition.FileFormat, "");
    EXPECT_EQ(definition.Separate, ",");
    EXPECT_EQ(definition.Quote, "");
    EXPECT_FALSE(definition.QuoteAlways);
    EXPECT_FALSE(definition.TopTitle);
    ASSERT_EQ(definition.Conditions.size(), 1u);
    const TCondition& condition = definition.Conditions[0];
    EXPECT_EQ(condition.ConditionName, test::fallbackName);
    EXPECT_EQ(condition.CheckWord, "W");
    EXPECT_EQ(condition.CheckStart, 2);
    EXPECT_EQ(condition.ConditionColor, 16777215);
    EXPECT_EQ(condition.MaxLength, 5); // from the lengths, not from the head line
    EXPECT_EQ(condition.FieldLength, (Values{"2", "x", "3"}));
    EXPECT_EQ(condition.FieldStart, (Values{"1", "3", "3"}));
    EXPECT_EQ(condition.FieldName, (Values{"a", "b"}));
    EXPECT_EQ(condition.FieldColor, Values{});
}

TEST(LoadFromFile, ReadsTheDefineLine) {
    test::TempDir dir;
    TDefineClass definition;
    ASSERT_TRUE(loadText(definition, dir,
                         definitionText("header,Name,12,FBX9,\t,'x,q,True", {"head,,,1,0"})));
    EXPECT_EQ(definition.DefineName, "Name");
    EXPECT_EQ(definition.RecordLength, 12);
    EXPECT_EQ(definition.FileFormat, "FBX");
    EXPECT_EQ(definition.Separate, "\t");
    EXPECT_EQ(definition.Quote, "'");
    EXPECT_TRUE(definition.QuoteAlways);
    EXPECT_TRUE(definition.TopTitle);

    ASSERT_TRUE(
        loadText(definition, dir, definitionText("header,N,abc,CT,;;,,,maybe", {"head,,,1,0"})));
    EXPECT_EQ(definition.RecordLength, 0);
    EXPECT_EQ(definition.Separate, ";");
    EXPECT_EQ(definition.Quote, "");
    EXPECT_FALSE(definition.QuoteAlways);
    EXPECT_FALSE(definition.TopTitle);

    // A double-byte character is one character.
    ASSERT_TRUE(
        loadText(definition, dir,
                 definitionText("header,N,-1,\x82\x62SV,\x81\x40x,\x81\x41y,,-1", {"head,,,1,0"})));
    EXPECT_EQ(definition.RecordLength, -1);
    EXPECT_EQ(definition.FileFormat, "\x82\x62SV");
    EXPECT_EQ(definition.Separate, "\x81\x40");
    EXPECT_EQ(definition.Quote, "\x81\x41");
    EXPECT_TRUE(definition.TopTitle);
}

TEST(LoadFromFile, OldAndNewHeadLines) {
    test::TempDir dir;
    TDefineClass definition;
    ASSERT_TRUE(
        loadText(definition, dir,
                 definitionText("header,N,0,FL,,,,0", {
                                                          "head,,,1,0",
                                                          "head,a,W,1,1,0,-2147483633",
                                                          "head,b,W,1,1,0,255,True",
                                                          "head,c,W,1,1,0,255,false,9,-1",
                                                          "head,d,W,1,1,0,255,FALSE,7,TRUE,0",
                                                          "head,e,W,1,1,0,255,1,x,0,1,extra",
                                                      })));
    ASSERT_EQ(definition.Conditions.size(), 6u);
    const auto& conditions = definition.Conditions;
    EXPECT_EQ(conditions[1].ConditionColor, -2147483633);
    EXPECT_FALSE(conditions[1].ULWord);
    EXPECT_EQ(conditions[1].CheckLength, 0);
    EXPECT_FALSE(conditions[1].UseLength);
    EXPECT_TRUE(conditions[1].UseWord);
    EXPECT_TRUE(conditions[2].ULWord);
    EXPECT_TRUE(conditions[2].UseWord);
    EXPECT_FALSE(conditions[3].ULWord);
    EXPECT_EQ(conditions[3].CheckLength, 0); // items 8 and 9 count only in 11-item lines
    EXPECT_FALSE(conditions[3].UseLength);
    EXPECT_TRUE(conditions[3].UseWord);
    EXPECT_FALSE(conditions[4].ULWord);
    EXPECT_EQ(conditions[4].CheckLength, 7);
    EXPECT_TRUE(conditions[4].UseLength);
    EXPECT_FALSE(conditions[4].UseWord);
    EXPECT_TRUE(conditions[5].ULWord);
    EXPECT_EQ(conditions[5].CheckLength, 0);
    EXPECT_TRUE(conditions[5].UseWord);
}

TEST(LoadFromFile, StartsLeftOutAreComputedFromTheLengths) {
    test::TempDir dir;
    TDefineClass definition;
    ASSERT_TRUE(loadText(definition, dir,
                         definitionText("header,N,0,FL,,,,0", {
                                                                  "head,a,,1,0",
                                                                  "length,3,4,5",
                                                                  "name,x,y,z",
                                                                  "head,b,,1,0",
                                                                  "length,3,4,5",
                                                                  "start,9,9,9",
                                                                  "head,c,,1,0",
                                                                  "start,7",
                                                                  "length,2,2",
                                                                  "head,d,,1,0",
                                                                  "length",
                                                                  "head,e,,1,0",
                                                                  "head,f,,1,0",
                                                                  "length,3,x,5",
                                                              })));
    const auto& conditions = definition.Conditions;
    ASSERT_EQ(conditions.size(), 6u);
    EXPECT_EQ(conditions[0].FieldStart, (Values{"1", "4", "8"}));
    EXPECT_EQ(conditions[1].FieldStart, (Values{"9", "9", "9"}));
    EXPECT_EQ(conditions[2].FieldStart, (Values{"1", "3"})); // the later length line wins
    EXPECT_EQ(conditions[3].FieldStart, (Values{"1"}));
    EXPECT_EQ(conditions[4].FieldStart, Values{});
    EXPECT_EQ(conditions[5].FieldStart, (Values{"1", "4", "4"}));
    EXPECT_EQ(conditions[5].MaxLength, 8);
}

TEST(LoadFromFile, EachReadReplacesTheWholeDefinition) {
    test::TempDir dir;
    TDefineClass definition;
    ASSERT_TRUE(loadText(definition, dir, test::exampleDefinitionText()));
    test::WriteBytes(dir / "small.def",
                     definitionText("header,Small,0,CS,;,,,-1", {"head,only,,1,0", "length,1"}));
    ASSERT_TRUE(definition.LoadFromFile(dir / "small.def"));
    EXPECT_EQ(definition.DefineName, "Small");
    EXPECT_EQ(definition.Separate, ";");
    EXPECT_FALSE(definition.QuoteAlways);
    ASSERT_EQ(definition.Conditions.size(), 1u);
    EXPECT_EQ(definition.Conditions[0].FieldLength, (Values{"1"}));
    EXPECT_EQ(definition.Conditions[0].FieldName, Values{});

    // A missing file changes neither path; a rejected one is still the definition's file.
    EXPECT_FALSE(definition.LoadFromFile(dir / "missing.def"));
    EXPECT_EQ(definition.FilePath, dir / "small.def");
    EXPECT_EQ(definition.SourcePath, dir / "small.def");
    EXPECT_FALSE(loadText(definition, dir, "rvDefine ver1.0\r\n"));
    EXPECT_EQ(definition.SourcePath, dir / "in.def");
    EXPECT_TRUE(definition.Conditions.empty());

    // The flag follows the latest read of any definition.
    ASSERT_TRUE(loadText(definition, dir, test::exampleDefinitionText()));
    EXPECT_EQ(definition.FindCondition("H"), 1);
    TDefineClass other;
    EXPECT_FALSE(other.LoadFromFile(dir / "missing.def"));
    EXPECT_EQ(definition.FindCondition("H"), 0);
}

} // namespace
} // namespace ranvo
