#include "core/loading/auto_detect.h"
#include "core/loading/definition_builder.h"
#include "core/loading/definition_list.h"
#include "core/loading/open_history.h"
#include "core/platform/code_page.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

namespace fs = std::filesystem;
using test::DefinitionBuilder;
using Scores = std::vector<std::size_t>;

// A home with definitions in define/ and a data folder without any beside the data.
class AutoDetectTest : public ::testing::Test {
protected:
    AutoDetectTest() : home(dir / "home"), settings(TRanvoSetting::Defaults()) {
        fs::create_directories(home.DefineFolder());
        fs::create_directories(dir / "data");
    }

    // A fixed-length definition whose conditions recognise records beginning with the words.
    static void writeDefinition(const fs::path& path, const std::vector<std::string>& words,
                                std::string format = "FL", int recordLength = 0) {
        DefinitionBuilder builder(std::move(format), recordLength);
        builder.condition("", 1, {{"all", 5}});
        for (const std::string& word : words) {
            builder.condition(word, 1, {{"kind", 1}, {"rest", 4}});
        }
        fs::create_directories(path.parent_path());
        TDefineClass definition = builder.build();
        ASSERT_TRUE(definition.SaveToFile(path));
    }

    fs::path writeData(std::string_view bytes) {
        test::WriteBytes(data, bytes);
        return data;
    }

    [[nodiscard]] std::vector<fs::path> list() const {
        return BuildDefinitionList(home, settings.DefineFolders);
    }

    [[nodiscard]] std::optional<fs::path> detect(KanjiCode code = KanjiCode::ShiftJis) const {
        const std::vector<fs::path> definitions = list();
        return DetectDefinition(data, code, home, settings, definitions);
    }

    [[nodiscard]] Scores scores(KanjiCode code = KanjiCode::ShiftJis) const {
        return ScoreDefinitions(data, code, list(), settings.Quick);
    }

    test::TempDir dir;
    AppHome home;
    TRanvoSetting settings;
    fs::path data = dir / "data/sales.txt";
};

TEST_F(AutoDetectTest, ScoringPicksTheFirstOfTheHighestScores) {
    writeDefinition(home.DefineFolder() / "1.def", {"A"});
    writeDefinition(home.DefineFolder() / "2.def", {"A", "B"});
    writeDefinition(home.DefineFolder() / "3.def", {"C", "A"});
    writeData("A0001\r\nA0002\r\nB0003\r\nA0004\r\nC0005\r\nB0006\r\nA0007\r\nB0008\r\nC0009\r\n"
              "C0010\r\n");
    EXPECT_EQ(scores(), (Scores{4, 7, 7}));
    EXPECT_EQ(detect(), home.DefineFolder() / "2.def");
}

TEST_F(AutoDetectTest, WhenNothingIsRecognisedTheFirstDefinitionWins) {
    writeDefinition(home.DefineFolder() / "b.def", {"A"});
    writeDefinition(home.Folder() / "a.def", {"B"});
    test::WriteBytes(home.DefineFolder() / "z.def", "not a definition\r\n");
    writeData("Z0001\r\nZ0002\r\n");
    TDefineClass::DefineLoaded = true;
    EXPECT_EQ(scores(), (Scores{0, 0, 0}));
    EXPECT_EQ(detect(), home.Folder() / "a.def");
    // The unreadable candidate scored last; the current definition still answers as loaded.
    EXPECT_TRUE(TDefineClass::DefineLoaded);

    // Detection fails only without candidates or without a readable data file.
    EXPECT_EQ(DetectDefinition(data, KanjiCode::ShiftJis, home, settings, {}), std::nullopt);
    const std::vector<fs::path> definitions = list();
    EXPECT_EQ(DetectDefinition(dir / "data/missing.txt", KanjiCode::ShiftJis, home, settings,
                               definitions),
              std::nullopt);
}

TEST_F(AutoDetectTest, QuickNeverScoresMoreRecordsThanThereAre) {
    writeDefinition(home.DefineFolder() / "a.def", {"A"});
    writeDefinition(home.DefineFolder() / "b.def", {"B"});
    writeData("A1\r\nA2\r\nB3\r\n");
    settings.Quick = true;
    EXPECT_EQ(scores(), (Scores{2, 1}));
}

TEST_F(AutoDetectTest, OneLineFileIsCutIntoRecordsForFixedBlockDefinitions) {
    writeDefinition(home.DefineFolder() / "1-fb.def", {"A"}, "FB", 5);
    writeDefinition(home.DefineFolder() / "2-fb-no-length.def", {"A"}, "FB", 0);
    writeDefinition(home.DefineFolder() / "3-fl.def", {"A"});
    writeData("A0001B0002A0003A0\r\n");
    EXPECT_EQ(scores(), (Scores{3, 0, 1}));
    // Quick scores ten records of the cut line.
    settings.Quick = true;
    writeData(std::string(60, 'A'));
    EXPECT_EQ(scores(), (Scores{10, 0, 1}));
}

TEST_F(AutoDetectTest, ScoringReadsTheFileInItsCharacterCode) {
    writeDefinition(home.DefineFolder() / "other.def", {"Z"});
    // 売上 in CP932 as the check word; the data file holds it in EUC-JP.
    writeDefinition(home.DefineFolder() / "sales.def", {"\x94\x84\x8F\xE3"});
    writeData("\xC7\xE4\xBE\xE5"
              "1\r\n\xC7\xE4\xBE\xE5"
              "2\r\n");
    EXPECT_EQ(scores(KanjiCode::Euc), (Scores{0, 2}));
    EXPECT_EQ(detect(KanjiCode::Euc), home.DefineFolder() / "sales.def");
}

TEST_F(AutoDetectTest, DefinitionBesideTheDataFileIsTakenUnread) {
    writeDefinition(home.DefineFolder() / "match.def", {"A"});
    test::WriteBytes(dir / "data/first.DEF", "");
    test::WriteBytes(dir / "data/second.def", "");
    writeData("A1\r\nA2\r\n");
    fs::path firstListed;
    for (const auto& entry : fs::directory_iterator(dir / "data")) {
        if (IsDefinitionFile(entry)) {
            firstListed = entry.path();
            break;
        }
    }
    EXPECT_EQ(detect(), firstListed);
    settings.CurCheck = false;
    EXPECT_EQ(detect(), home.DefineFolder() / "match.def");
}

TEST_F(AutoDetectTest, HistoryTrustsOnlyTheProgramsOwnFolders) {
    writeDefinition(home.DefineFolder() / "a.def", {"X"});
    writeDefinition(home.DefineFolder() / "used.def", {"X"});
    writeDefinition(dir / "extra/b.def", {"A"});
    writeDefinition(home.Folder() / "top.def", {"X"});
    settings.DefineFolders = {PathToCp932(dir / "extra")};
    writeData("A1\r\nA2\r\n");
    const std::string dataLine = HistoryLine(data);
    const auto writeHistory = [&](const std::vector<std::string>& lines) {
        test::WriteBytes(home.HistoryFile(), OpenHistory(lines).Text());
    };

    // Oldest first: the pair with an extra folder's definition and the one whose definition is
    // gone are passed over.
    writeHistory({dataLine, HistoryLine(dir / "extra/b.def"), dataLine,
                  HistoryLine(home.DefineFolder() / "gone.def"), HistoryLine(dir / "other.txt"),
                  HistoryLine(home.Folder() / "top.def"), dataLine,
                  HistoryLine(home.DefineFolder() / "used.def")});
    EXPECT_EQ(detect(), home.DefineFolder() / "used.def");

    writeHistory({dataLine, HistoryLine(home.Folder() / "top.def")});
    EXPECT_EQ(detect(), home.Folder() / "top.def");

    // The extra folder's definition is found again by scoring only.
    writeHistory({dataLine, HistoryLine(dir / "extra/b.def")});
    EXPECT_EQ(detect(), dir / "extra/b.def");

    writeHistory({dataLine, HistoryLine(home.Folder() / "top.def")});
    settings.UseHistory = false;
    EXPECT_EQ(detect(), dir / "extra/b.def");
}

} // namespace
} // namespace ranvo
