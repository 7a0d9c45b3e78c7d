#include "core/loading/record_loader.h"

#include "core/loading/definition_builder.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

using test::DefinitionBuilder;
using Entries = std::vector<std::string>;

Entries entries(const RecordList& records) {
    Entries result;
    for (std::size_t i = 0; i < records.size(); ++i) {
        result.push_back(records.Entry(i));
    }
    return result;
}

class RecordLoaderTest : public ::testing::Test {
protected:
    // Writes `bytes` to a data file and reads it with the definition.
    bool read(std::string_view bytes, LoadOptions options = {}) {
        test::WriteBytes(dir / "data.txt", bytes);
        report = {};
        return ReadRecords(dir / "data.txt", options, definition, records, report);
    }

    test::TempDir dir;
    TDefineClass definition;
    RecordList records;
    LoadReport report;
};

TEST_F(RecordLoaderTest, FixedBlocksAreCutEveryRecordLengthBytes) {
    definition = DefinitionBuilder("FB", 10).condition("", 1, {{"all", 10}}).build();
    ASSERT_TRUE(read("0123456789abcdefghijKLMNO"));
    EXPECT_EQ(entries(records), (Entries{"  00123456789", "  0abcdefghij", "  0KLMNO     "}));
    EXPECT_TRUE(report.LengthMismatch);

    definition = DefinitionBuilder("FB", 1).condition("", 1, {{"c", 1}}).build();
    ASSERT_TRUE(read("0123456789"));
    EXPECT_EQ(records.size(), 10u);
    EXPECT_FALSE(report.LengthMismatch);
}

TEST_F(RecordLoaderTest, FixedBlocksKeepEveryByteButTheWritersLineEnd) {
    definition = DefinitionBuilder("FB", 4).condition("", 1, {{"c", 4}}).build();
    const std::string data("ab\0\n\r\ncd\r\n", 10);
    ASSERT_TRUE(read(data));
    EXPECT_EQ(entries(records), (Entries{std::string("  0ab\0\n", 7), "  0\r\ncd"}));
    EXPECT_FALSE(report.LengthMismatch);
}

TEST_F(RecordLoaderTest, FixedLinesArePaddedOrCutToTheirConditionsLength) {
    definition = DefinitionBuilder("FL")
                     .condition("", 1, {{"a", 10}})
                     .condition("H", 1, {{"kind", 1}, {"rest", 3}})
                     .build();
    ASSERT_TRUE(read("0123456789AB\r\nshort\r\nHxyz\r\nHxy"));
    EXPECT_EQ(entries(records), (Entries{"  00123456789", "  0short     ", "  1Hxyz", "  1Hxy "}));
    EXPECT_TRUE(report.LengthMismatch);

    ASSERT_TRUE(read("0123456789\nHabc\n"));
    EXPECT_FALSE(report.LengthMismatch);
}

TEST_F(RecordLoaderTest, ConditionPrefixHoldsTheIndexRightAligned) {
    DefinitionBuilder builder("FL");
    builder.condition("", 1, {{"a", 3}});
    for (int i = 1; i <= 12; ++i) {
        builder.condition(std::string(1, static_cast<char>('a' + i)), 1, {{"a", 3}});
    }
    definition = builder.build();
    ASSERT_TRUE(read("xxx\nyyy\nzzz\nwww\nmvv\n"));
    EXPECT_EQ(records.Entry(4), " 12mvv");
}

TEST_F(RecordLoaderTest, NulBytesInLinesAreKept) {
    definition = DefinitionBuilder("FL").condition("", 1, {{"a", 3}}).build();
    ASSERT_TRUE(read(std::string("a\0b\r\n\0\0\0", 8)));
    EXPECT_EQ(entries(records), (Entries{std::string("  0a\0b", 6), std::string("  0\0\0\0", 6)}));
}

TEST_F(RecordLoaderTest, CsvTitlesNameTheFallbackFields) {
    definition = DefinitionBuilder("CT").condition("", 1, {{"first", 1}}).topTitle().build();
    ASSERT_TRUE(read("No,Name,Price\r\n1,\"a,b\",100\r\n"));
    const TCondition& fallback = definition.Conditions[0];
    EXPECT_EQ(fallback.FieldName, (std::vector<std::string>{"No", "Name", "Price"}));
    EXPECT_EQ(fallback.FieldLength, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(fallback.FieldStart, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(fallback.FieldColor, (std::vector<std::string>{"0", "0", "0"}));
    EXPECT_EQ(entries(records), (Entries{"  01,\"a,b\",100"}));
}

TEST_F(RecordLoaderTest, ReadRangeKeepsRecordsFromTo) {
    definition = DefinitionBuilder("CS").condition("", 1, {}).build();
    const std::string tenLines = "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n";
    ASSERT_TRUE(read(tenLines, {KanjiCode::ShiftJis, {true, 3, 5}}));
    EXPECT_EQ(entries(records), (Entries{"  03", "  04", "  05"}));
    ASSERT_TRUE(read(tenLines, {KanjiCode::ShiftJis, {true, 8, 20}}));
    EXPECT_EQ(entries(records), (Entries{"  08", "  09", "  010"}));
    ASSERT_TRUE(read(tenLines, {KanjiCode::ShiftJis, {false, 8, 20}}));
    EXPECT_EQ(records.size(), 10u);
}

TEST_F(RecordLoaderTest, EmptyFilesLoadOnlyWhereNoFirstLineIsNeeded) {
    definition = DefinitionBuilder("FL").condition("", 1, {{"a", 3}}).build();
    EXPECT_TRUE(read(""));
    EXPECT_TRUE(records.empty());
    definition = DefinitionBuilder("CT").condition("", 1, {}).build();
    EXPECT_TRUE(read(""));
    definition = DefinitionBuilder("CT").condition("", 1, {}).topTitle().build();
    EXPECT_FALSE(read(""));
    definition = DefinitionBuilder("FB", 4).condition("", 1, {{"a", 4}}).build();
    EXPECT_FALSE(read(""));
    EXPECT_FALSE(ReadRecords(dir / "missing.txt", {}, definition, records, report));
}

TEST_F(RecordLoaderTest, FailedReadLeavesTheRecordListAsItWas) {
    definition = DefinitionBuilder("FL").condition("", 1, {{"a", 2}}).build();
    ASSERT_TRUE(read("ab\n"));
    definition.FileFormat = "FB";
    definition.RecordLength = 0;
    EXPECT_FALSE(read("cd\n"));
    EXPECT_EQ(entries(records), (Entries{"  0ab"}));
}

TEST_F(RecordLoaderTest, DefinitionsThatCannotCutTheFileAreRefused) {
    definition = DefinitionBuilder("FB", -5).condition("", 1, {{"a", 2}}).build();
    EXPECT_FALSE(read("abcd"));

    definition = DefinitionBuilder("FL").condition("", 1, {{"a", -7}}).build();
    EXPECT_FALSE(read("abcd\n"));

    // A record length that would take more memory than the machine has.
    definition = DefinitionBuilder("FL").condition("", 1, {{"a", 2'000'000'000}}).build();
    EXPECT_FALSE(read(std::string(2000, '\n')));

    DefinitionBuilder many("FL");
    for (int i = 0; i < 1000; ++i) {
        many.condition(std::to_string(i), 1, {{"a", 1}});
    }
    definition = many.build();
    EXPECT_FALSE(read("1\n"));

    definition = TDefineClass();
    EXPECT_FALSE(read("1\n"));
}

class LoadDataFileTest : public RecordLoaderTest {
protected:
    LoadDataFileTest() : state(AppHome(), TRanvoSetting::Defaults()) {
        state.Definition = DefinitionBuilder("FL").condition("", 1, {{"a", 4}}).build();
    }

    MainState state;
    test::FakeUiHost host;
};

TEST_F(LoadDataFileTest, SetsTheFileNameOptionsAndClearsModified) {
    test::WriteBytes(dir / "d.txt", "abcd\n");
    std::filesystem::create_directory(dir / "sub");
    state.Modified = true;
    const LoadOptions options{KanjiCode::Euc, {true, 1, 1}};
    ASSERT_EQ(LoadDataFile(state, state.Definition, dir / "sub" / ".." / "d.txt", options, host), LoadOutcome::Loaded);
    EXPECT_EQ(state.DataFileName, dir / "d.txt");
    EXPECT_EQ(state.Loaded.Code, KanjiCode::Euc);
    EXPECT_EQ(state.Loaded.Range, options.Range);
    EXPECT_FALSE(state.Modified);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(LoadDataFileTest, LengthMismatchIsWarnedOnlyWithFixCheck) {
    test::WriteBytes(dir / "d.txt", "abcdef\n");
    ASSERT_EQ(LoadDataFile(state, state.Definition, dir / "d.txt", {}, host), LoadOutcome::Loaded);
    EXPECT_TRUE(host.messages.empty());

    state.Settings.FixCheck = true;
    ASSERT_EQ(LoadDataFile(state, state.Definition, dir / "d.txt", {}, host), LoadOutcome::Loaded);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(host.messages[0].text,
              "読込ファイル：" + (dir / "d.txt").string() +
                  "\r\n定義ファイル：/defs/test.def\r\n\r\n"
                  "読み込んだファイルの長さと定義されている長さに違いのある行がある為、\n\r"
                  "正しく読み込めていない可能性があります");
}

TEST_F(LoadDataFileTest, CharactersCp932CannotHoldAreKeptAndOnlyLostOnesWarned) {
    // é has no CP932 code: it gets one of the file's own, and nothing is said.
    test::WriteBytes(dir / "d.txt", "\xC3\xA9xy\n\xC3\xA9zz\n");
    ASSERT_EQ(LoadDataFile(state, state.Definition, dir / "d.txt", {KanjiCode::Utf8, {}}, host), LoadOutcome::Loaded);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(entries(state.Grid.Records()), (Entries{"  0\xF9\xFCxy", "  0\xF9\xFCzz"}));
    EXPECT_EQ(state.Characters.CharacterOf(*UserAreaIndex(0xF9FC)), U'é');

    // Bytes that form no character are lost, and warned about once.
    test::WriteBytes(dir / "d.txt", "\xC3\xC3\xC3x\n");
    ASSERT_EQ(LoadDataFile(state, state.Definition, dir / "d.txt", {KanjiCode::Utf8, {}}, host), LoadOutcome::Loaded);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("3文字"), std::string::npos);
    EXPECT_FALSE(state.Characters.RedefinesAny()); // the new file's map
}

TEST(RecordLoaderRobustness, ArbitraryBytesInEveryCodeNeverCrash) {
    test::TempDir dir;
    test::InputGenerator generator(4242);
    const TDefineClass definitions[] = {
        DefinitionBuilder("FL").condition("", 1, {{"a", 3}, {"b", 5}}).condition("\x88", 2, {{"x", 1}}).build(),
        DefinitionBuilder("FB", 7).condition("", 1, {{"a", 7}}).build(),
        DefinitionBuilder("CT").condition("", 1, {}).condition("x", 2, {{"n", 1}}).topTitle().build(),
        DefinitionBuilder("CS").condition("", 1, {}).build(),
    };
    for (int round = 0; round < 1500; ++round) {
        test::WriteBytes(dir / "d", generator.bytes(round % 50 == 0 ? 20000 : 300));
        TDefineClass definition = definitions[round % 4];
        RecordList records;
        LoadReport report;
        const LoadOptions options{static_cast<KanjiCode>(round % 5),
                                  {round % 3 == 0, round % 7, round % 11}};
        (void)ReadRecords(dir / "d", options, definition, records, report);
        for (std::size_t i = 0; i < records.size(); ++i) {
            ASSERT_LT(static_cast<std::size_t>(records.Condition(i)), definition.Conditions.size());
        }
    }
}

} // namespace
} // namespace ranvo
