#include "core/loading/auto_detect.h"
#include "core/loading/open_history.h"
#include "core/platform/code_page.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

using Lines = std::vector<std::string>;

TEST(OpenHistory, ReopeningMovesThePairToTheEndWithTheNewDefinition) {
    OpenHistory history(Lines{"a.txt", "1.def", "b.txt", "2.def", "c.txt", "3.def"});
    history.Record("b.txt", "9.def", 0);
    EXPECT_EQ(history.Lines(), (Lines{"a.txt", "1.def", "c.txt", "3.def", "b.txt", "9.def"}));

    // Only data lines match: a definition line equal to the data path stays with its data line,
    // also when it is the last line.
    OpenHistory same(Lines{"x.txt", "same", "same", "2.def"});
    same.Record("same", "n.def", 0);
    EXPECT_EQ(same.Lines(), (Lines{"x.txt", "same", "same", "n.def"}));
    OpenHistory last(Lines{"x.txt", "same"});
    last.Record("same", "n.def", 0);
    EXPECT_EQ(last.Lines(), (Lines{"x.txt", "same", "same", "n.def"}));
}

TEST(OpenHistory, AnOddLastLineIsDroppedAndTheFileWrittenWholeAgain) {
    // A file cut short: its last pair lacks the definition line. Kept, it would pair every
    // later data line with the definition line before it.
    test::TempDir dir;
    test::WriteBytes(dir / "history.dat", "a.txt\r\n1.def\r\nb.txt\r\n");
    const OpenHistory read = OpenHistory::Read(dir / "history.dat");
    EXPECT_EQ(read.Lines(), (Lines{"a.txt", "1.def"}));
    EXPECT_EQ(read.RecentDataFiles(0), std::vector<std::filesystem::path>{"a.txt"});

    ASSERT_TRUE(UpdateOpenHistory(dir / "history.dat", dir / "c.txt", dir / "c.def", 0));
    const OpenHistory updated = OpenHistory::Read(dir / "history.dat");
    ASSERT_EQ(updated.PairCount(), 2u);
    EXPECT_EQ(updated.DataLine(0), "a.txt");
    EXPECT_EQ(updated.DefinitionLine(0), "1.def");
    EXPECT_EQ(updated.DataLine(1), HistoryLine(dir / "c.txt"));
    EXPECT_EQ(updated.DefinitionLine(1), HistoryLine(dir / "c.def"));
}

TEST(OpenHistory, MaxHistoryNumDropsTheOldestPairs) {
    const Lines three{"a.txt", "1.def", "b.txt", "2.def", "c.txt", "3.def"};
    OpenHistory limited(three);
    limited.Record("d.txt", "4.def", 3);
    EXPECT_EQ(limited.Lines(), (Lines{"b.txt", "2.def", "c.txt", "3.def", "d.txt", "4.def"}));

    // Lowering the limit drops every pair beyond it at once; 0 keeps them all.
    OpenHistory lowered(three);
    lowered.Record("d.txt", "4.def", 1);
    EXPECT_EQ(lowered.Lines(), (Lines{"d.txt", "4.def"}));
    OpenHistory unlimited(three);
    unlimited.Record("d.txt", "4.def", 0);
    EXPECT_EQ(unlimited.PairCount(), 4u);
}

TEST(OpenHistory, PathListShowsTheNewestDataFilesFirst) {
    Lines lines;
    for (int k = 1; k <= 20; ++k) {
        lines.push_back("/data/" + std::to_string(k) + ".txt");
        lines.push_back("/define/" + std::to_string(k) + ".def");
    }
    const OpenHistory history(lines);
    const std::vector<std::filesystem::path> recent = history.RecentDataFiles(8);
    ASSERT_EQ(recent.size(), 8u);
    EXPECT_EQ(recent.front(), "/data/20.txt");
    EXPECT_EQ(recent.back(), "/data/13.txt");
    EXPECT_EQ(history.RecentDataFiles(0).size(), 20u);
    EXPECT_EQ(history.RecentDataFiles(64).size(), 20u);
}

TEST(OpenHistory, FileHoldsFullPathsAsCp932TextWithCrLf) {
    test::TempDir dir;
    const std::filesystem::path data = dir / u8"データ" / "." / u8"売上.txt";
    const std::string folder = PathToCp932(dir.path());
    const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
    test::WriteBytes(dir / "history.dat", "old.txt\r\nold.def\r\n");

    ASSERT_TRUE(UpdateOpenHistory(dir / "history.dat", data, dir / "define/a.def", 0));
    EXPECT_EQ(test::ReadBytes(dir / "history.dat"),
              "old.txt\r\nold.def\r\n" + folder + separator + "\x83\x66\x81\x5B\x83\x5E" +
                  separator + "\x94\x84\x8F\xE3.txt\r\n" + folder + separator + "define" +
                  separator + "a.def\r\n");
    EXPECT_EQ(OpenHistory::Read(dir / "history.dat").RecentDataFiles(1).front(),
              dir / u8"データ" / u8"売上.txt");
    EXPECT_EQ(OpenHistory::Read(dir / "missing.dat").PairCount(), 0u);
}

// Hangul and a wave dash (which CP932 turns into a full-width tilde) have no CP932 form of their
// own: such a path keeps its own bytes behind a mark, so the file is offered and detected again.
TEST(OpenHistory, PathsThatCp932CannotHoldAreFoundAgain) {
    test::TempDir dir;
    const AppHome home(dir.path());
    const std::filesystem::path data = dir / u8"한국" / u8"売上〜.txt";
    std::filesystem::create_directories(data.parent_path());
    std::filesystem::create_directories(home.DefineFolder());
    test::WriteBytes(data, "X1\r\n");
    test::WriteBytes(home.DefineFolder() / u8"정의.def", "");
    ASSERT_TRUE(UpdateOpenHistory(home.HistoryFile(), data, home.DefineFolder() / u8"정의.def", 0));
    ASSERT_TRUE(
        UpdateOpenHistory(home.HistoryFile(), dir / "plain.txt", home.DefineFolder() / "a.def", 0));

    const OpenHistory history = OpenHistory::Read(home.HistoryFile());
    EXPECT_TRUE(history.DataLine(0).starts_with("\xEF\xBB\xBF"));
    EXPECT_EQ(history.DataLine(1), PathToCp932(dir / "plain.txt")); // others keep the CP932 form
    EXPECT_EQ(history.RecentDataFiles(0),
              (std::vector<std::filesystem::path>{dir / "plain.txt", data}));

    TRanvoSetting settings = TRanvoSetting::Defaults();
    settings.CurCheck = false;
    EXPECT_EQ(DetectDefinition(data, KanjiCode::ShiftJis, home, settings, {}),
              home.DefineFolder() / u8"정의.def");

    // Opened again, its pair moves to the end instead of being kept twice.
    ASSERT_TRUE(UpdateOpenHistory(home.HistoryFile(), data, home.DefineFolder() / "a.def", 0));
    EXPECT_EQ(OpenHistory::Read(home.HistoryFile()).PairCount(), 2u);
}

TEST(OpenHistory, ArbitraryBytesNeverBreakIt) {
    test::TempDir dir;
    test::WriteBytes(dir / "data.txt", "A\r\n");
    const AppHome home(dir.path());
    TRanvoSetting settings = TRanvoSetting::Defaults();
    settings.CurCheck = false;
    test::InputGenerator generator(2405);
    for (int round = 0; round < 300; ++round) {
        // Every other file names the data file first, so the history strategy goes on to test
        // whatever bytes follow as a definition path.
        const std::string prefix = round % 2 == 0 ? HistoryLine(dir / "data.txt") + "\r\n" : "";
        test::WriteBytes(home.HistoryFile(), prefix + generator.bytes(400));
        OpenHistory history = OpenHistory::Read(home.HistoryFile());
        (void)history.RecentDataFiles(static_cast<std::int32_t>(generator.below(5)) - 1);
        for (std::size_t pair = 0; pair <= history.PairCount(); ++pair) {
            (void)history.DefinitionLine(pair);
        }
        EXPECT_FALSE(DetectDefinition(dir / "data.txt", KanjiCode::ShiftJis, home, settings, {}));
        history.Record(history.DataLine(generator.below(4)), "x.def",
                       static_cast<std::int32_t>(generator.below(4)));
        EXPECT_EQ(history.Lines().back(), "x.def");
    }
}

} // namespace
} // namespace ranvo
