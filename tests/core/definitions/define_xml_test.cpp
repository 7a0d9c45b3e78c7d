#include "core/definitions/define_class.h"
#include "example_definition.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

class DefineXmlTest : public ::testing::Test {
protected:
    DefineXmlTest() {
        test::WriteBytes(dir / "sales.def", test::exampleDefinitionText());
        EXPECT_TRUE(definition.LoadFromFile(dir / "sales.def"));
    }

    std::string exported() {
        EXPECT_TRUE(definition.SaveToXml(dir / "sales.xml"));
        return test::ReadBytes(dir / "sales.xml");
    }

    test::TempDir dir;
    TDefineClass definition;
};

TEST_F(DefineXmlTest, WritesEveryValueOnItsOwnTabIndentedLine) {
    definition.DefineName = "A&B";
    definition.Conditions[1].CheckWord = "a<b";
    definition.Conditions[1].FieldLength.pop_back(); // the field list follows the lengths
    EXPECT_EQ(exported(),
              test::CrLfLines({
                  R"(<?xml version = "1.0" encoding = "Shift_JIS" ?>)", "<Define>",
                  "\t<DefineName>A&amp;B</DefineName>", "\t<FileFormat>FL</FileFormat>",
                  "\t<Separate>,</Separate>", "\t<Quote>\"</Quote>", "\t<TopTitle>False</TopTitle>",
                  "\t<RecordLength>0</RecordLength>", "\t<QuoteAlways>True</QuoteAlways>",
                  "\t<Condition>", std::string("\t<ConditionName>") + std::string(test::fallbackName) +
                                       "</ConditionName>",
                  "\t\t<UseWord>True</UseWord>", "\t<CheckStart>1</CheckStart>",
                  "\t<CheckWord></CheckWord>", "\t\t<ULWord>False</ULWord>",
                  "\t\t<UseLength>False</UseLength>", "\t\t<CheckLength>0</CheckLength>",
                  "\t\t<ConditionLength>0</ConditionLength>",
                  "\t\t<ConditionColor>16777215</ConditionColor>", "\t\t<MaxLength>10</MaxLength>",
                  "<Field>", "<FieldName>Code</FieldName>", "<FieldStart>1</FieldStart>",
                  "<FieldLength>4</FieldLength>", "<FieldColor>0</FieldColor>", "</Field>",
                  "<Field>", "<FieldName>Rest</FieldName>", "<FieldStart>5</FieldStart>",
                  "<FieldLength>6</FieldLength>", "<FieldColor>0</FieldColor>", "</Field>",
                  "\t</Condition>", "\t<Condition>", "\t<ConditionName>Header</ConditionName>",
                  "\t\t<UseWord>True</UseWord>", "\t<CheckStart>1</CheckStart>",
                  "\t<CheckWord>a&lt;b</CheckWord>", "\t\t<ULWord>False</ULWord>",
                  "\t\t<UseLength>False</UseLength>", "\t\t<CheckLength>0</CheckLength>",
                  "\t\t<ConditionLength>1</ConditionLength>",
                  "\t\t<ConditionColor>65535</ConditionColor>", "\t\t<MaxLength>12</MaxLength>",
                  "<Field>", "<FieldName>Kind</FieldName>", "<FieldStart>1</FieldStart>",
                  "<FieldLength>1</FieldLength>", "<FieldColor>0</FieldColor>", "</Field>",
                  "<Field>", "<FieldName>Date</FieldName>", "<FieldStart>2</FieldStart>",
                  "<FieldLength>8</FieldLength>", "<FieldColor>255</FieldColor>", "</Field>",
                  "\t</Condition>", "</Define>",
              }));
}

TEST_F(DefineXmlTest, SeparatorsAreWordsOrCharactersThatKeepTheDocumentWellFormed) {
    const auto separateLine = [this] {
        const std::string xml = exported();
        const std::size_t start = xml.find("<Separate>");
        return xml.substr(start, xml.find("\r\n", start) - start);
    };
    definition.Separate = "\t";
    EXPECT_EQ(separateLine(), "<Separate>tab</Separate>");
    definition.Separate = "";
    EXPECT_EQ(separateLine(), "<Separate></Separate>");
    definition.Separate = "<";
    EXPECT_EQ(separateLine(), "<Separate>&lt;</Separate>");
    definition.Quote = "&";
    EXPECT_NE(exported().find("<Quote>&amp;</Quote>"), std::string::npos);
}

TEST_F(DefineXmlTest, NothingIsWrittenForShortListsOrAMissingFolder) {
    definition.Conditions[1].FieldColor.pop_back();
    EXPECT_FALSE(definition.SaveToXml(dir / "short.xml"));
    EXPECT_FALSE(std::filesystem::exists(dir / "short.xml"));
    definition.Conditions[1].FieldColor.push_back("0");
    EXPECT_FALSE(definition.SaveToXml(dir / "none" / "d.xml"));
    definition.Conditions[1].FieldLength.clear();
    EXPECT_TRUE(definition.SaveToXml(dir / "nofields.xml"));
    EXPECT_NE(test::ReadBytes(dir / "nofields.xml")
                  .find("<MaxLength>12</MaxLength>\r\n\t</Condition>"),
              std::string::npos);
}

} // namespace
} // namespace ranvo
