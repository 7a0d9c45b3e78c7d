#include "bench/bench_data.h"
#include "core/definitions/define_class.h"
#include "core/loading/data_encoding.h"
#include "core/loading/record_loader.h"
#include "core/text/sjis.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace ranvo::bench {
namespace {

constexpr std::size_t kRecords = 300;

std::vector<std::string_view> splitCrLf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t end; (end = text.find("\r\n")) != std::string_view::npos;) {
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 2);
    }
    EXPECT_TRUE(text.empty()) << "text after the last line end";
    return lines;
}

std::string_view trimmedRight(std::string_view text) {
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// One small data set for all cases: the generator writes the same bytes for the same count.
class BenchDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = std::make_unique<test::TempDir>();
        std::string error;
        s_generated = GenerateBenchData(s_dir->path(), kRecords, error);
        ASSERT_TRUE(s_generated) << error;
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    void SetUp() override { ASSERT_TRUE(s_generated); }

    static std::filesystem::path file(std::string_view name) { return s_dir->path() / name; }

    static TDefineClass definition(std::string_view name) {
        TDefineClass result;
        EXPECT_TRUE(result.LoadFromFile(file(name))) << name;
        return result;
    }

    static RecordList load(std::string_view data, KanjiCode code, TDefineClass& def) {
        RecordList records;
        LoadReport report;
        EXPECT_TRUE(ReadRecords(file(data), {code, {}}, def, records, report)) << data;
        EXPECT_FALSE(report.LengthMismatch) << data;
        EXPECT_EQ(report.LostCharacters, 0u) << data;
        return records;
    }

    static inline std::unique_ptr<test::TempDir> s_dir;
    static inline bool s_generated = false;
};

TEST_F(BenchDataTest, EveryCharacterCodeDecodesToTheSameShiftJisText) {
    const std::string sjis = test::ReadBytes(file(kFixedLineFiles[0].name));
    ASSERT_EQ(splitCrLf(sjis).size(), kRecords);
    for (const CodedFile& coded : kFixedLineFiles) {
        CharacterMap characters;
        const DecodedText decoded =
            DecodeDataFile(test::ReadBytes(file(coded.name)), coded.code, characters);
        EXPECT_EQ(decoded.text, sjis) << coded.name;
        EXPECT_EQ(decoded.LostCharacters, 0u) << coded.name;
    }
}

TEST_F(BenchDataTest, SameBytesOnEveryRun) {
    test::TempDir again;
    std::string error;
    ASSERT_TRUE(GenerateBenchData(again.path(), kRecords, error)) << error;
    for (const auto& entry : std::filesystem::directory_iterator(s_dir->path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(test::ReadBytes(again / name), test::ReadBytes(entry.path())) << name;
    }
}

// Every record is as long as its type, every field starts on a character of its own (a kanji
// cut in two would show as garbage in two cells), and no half-width katakana slipped in.
TEST_F(BenchDataTest, RecordsFitTheirTypesLayout) {
    const TDefineClass fl = definition(kFixedLineDefinition);
    const std::string sjis = test::ReadBytes(file(kFixedLineFiles[0].name));
    std::set<char> kinds;
    for (const std::string_view record : splitCrLf(sjis)) {
        ASSERT_FALSE(record.empty());
        kinds.insert(record[0]);
        const std::size_t kind = std::string_view("HDT").find(record[0]);
        ASSERT_NE(kind, std::string_view::npos) << record;
        const int type = static_cast<int>(kind) + 1;
        const TCondition& condition = fl.Conditions.at(static_cast<std::size_t>(type));
        EXPECT_EQ(record.size(), static_cast<std::size_t>(condition.MaxLength)) << record;

        std::vector<bool> characterStarts(record.size() + 1, false);
        for (std::size_t i = 0; i < record.size(); i += CharLength(record, i)) {
            characterStarts[i] = true;
            const auto byte = static_cast<unsigned char>(record[i]);
            EXPECT_FALSE(byte >= 0xA1 && byte <= 0xDF) << "half-width katakana in " << record;
        }
        for (std::size_t j = 0; j < condition.FieldStart.size(); ++j) {
            const auto start =
                static_cast<std::size_t>(fl.GetFieldStart(type, static_cast<int>(j)));
            EXPECT_TRUE(characterStarts[start - 1]) << "field " << j << " of " << record;
        }
    }
    EXPECT_EQ(kinds, (std::set<char>{'H', 'D', 'T'}));
}

TEST_F(BenchDataTest, FixedLinesLoadAsTheirTypesInEveryCode) {
    for (const CodedFile& coded : kFixedLineFiles) {
        TDefineClass fl = definition(kFixedLineDefinition);
        const RecordList records = load(coded.name, coded.code, fl);
        ASSERT_EQ(records.size(), kRecords) << coded.name;
        for (std::size_t i = 0; i < records.size(); ++i) {
            const int condition = records.Condition(i);
            ASSERT_TRUE(condition >= 1 && condition <= 3) << coded.name << ": " << records.Entry(i);
            EXPECT_EQ(records.Text(i)[0], "HDT"[condition - 1]) << records.Entry(i);
        }
    }
}

// The block file holds the same records padded to one length, and the CSV file the same
// fields, so a fault in padding or in quoting shows as a difference from the fixed lines.
TEST_F(BenchDataTest, BlocksAndCsvHoldTheSameRecordsAsTheLines) {
    TDefineClass fl = definition(kFixedLineDefinition);
    TDefineClass fb = definition(kFixedBlockDefinition);
    TDefineClass csv = definition(kCsvDefinition);
    const RecordList lines = load(kFixedLineFiles[0].name, KanjiCode::ShiftJis, fl);
    const RecordList blocks = load(kFixedBlockFile, KanjiCode::ShiftJis, fb);
    const RecordList rows = load(kCsvFile, KanjiCode::ShiftJis, csv);
    ASSERT_EQ(lines.size(), kRecords);
    ASSERT_EQ(blocks.size(), kRecords);
    ASSERT_EQ(rows.size(), kRecords);

    std::vector<std::string> fields;
    std::vector<std::string> columns;
    for (std::size_t i = 0; i < kRecords; ++i) {
        const std::string_view line = lines.Text(i);
        EXPECT_EQ(blocks.Condition(i), lines.Condition(i)) << i;
        EXPECT_EQ(trimmedRight(blocks.Text(i)), trimmedRight(line)) << i;

        EXPECT_EQ(rows.Condition(i), lines.Condition(i)) << i;
        fl.SplitRecord(line, fields);
        csv.SplitRecord(rows.Text(i), columns);
        ASSERT_LT(columns.size(), fields.size()) << rows.Text(i);
        for (std::size_t j = 0; j < fields.size(); ++j) {
            // The last fixed field is blank filler, which the CSV file leaves out.
            const std::string_view expected = trimmedRight(fields[j]);
            EXPECT_EQ(j < columns.size() ? columns[j] : "", expected) << j << ": " << line;
        }
    }
}

} // namespace
} // namespace ranvo::bench
