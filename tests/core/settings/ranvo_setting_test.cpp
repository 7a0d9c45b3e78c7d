#include "core/settings/ranvo_setting.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ranvo {
namespace {

// "ＭＳ　ゴシック" (ideographic space) and "ＭＳ ゴシック" (ASCII space) in CP932.
constexpr std::string_view WideSpaceGothic =
    "\x82\x6C\x82\x72\x81\x40\x83\x53\x83\x56\x83\x62\x83\x4E";
constexpr std::string_view AsciiSpaceGothic = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";

// The whole file as a first run writes it ("%" the editor font name, "@" the ASCII-space one).
// SaveSetting on a file without any of the keys writes the same without Memory/Save.
std::string expectedFile(std::string_view editorFontName, bool withMemory) {
    std::string layout =
        "[Editor]\nFontName=%\nFontSize=9\nFontColor=0\nFontStyle=0\nBackColor=16777215\n"
        "FixedFontName=@\nFixedFontSize=9\nFixedFontColor=0\nFixedFontStyle=0\n"
        "FixedColor=-2147483633\nHighLightFontName=@\nHighLightFontSize=9\n"
        "HighLightFontColor=8388608\nHighLightFontStyle=0\nHighLightColor=65535\n"
        "FilterFontName=@\nFilterFontSize=9\nFilterFontColor=16711680\nFilterFontStyle=0\n"
        "FilterColor=15793151\nIntactColor=8421504\nUseIntact=1\nSPFontColor=12632256\nUseSP=0\n"
        "\n[Sort]\nDefault=1\n\n[ToolBar]\nColor=-2147483633\n"
        "\n[Sta]\nFontName=@\nFontSize=9\nFontColor=0\nFontStyle=0\nColor=-2147483633\n"
        "\n[FileFilter]\nFilter1=*.txt;*.csv\nFilter2=*.dat;*.def\nFilter3=*.*\n"
        "\n[AutoDistinction]\nHistory=1\nDrop=1\nQuick=0\nCurCheck=1\nMaxHistoryNum=0\n"
        "\n[Memory]\nSave=1\n"
        "\n[Ather]\nOpenAutoFit=1\nAutoFitTrim=1\nFixCheck=0\n"
        "\n[Window]\nMemoryPosition=0\nX=246\nY=159\nWidth=696\nHeight=474\n"
        "\n[History]\nLoad=8\n\n[Define]\nFolder=\n";
    if (!withMemory) {
        layout.erase(layout.find("\n[Memory]"), std::string_view("\n[Memory]\nSave=1\n").size());
    }
    std::string file;
    for (const char c : layout) {
        file += c == '%'    ? std::string(editorFontName)
                : c == '@'  ? std::string(AsciiSpaceGothic)
                : c == '\n' ? std::string("\r\n")
                            : std::string(1, c);
    }
    return file;
}

// Every member as text, so that two settings compare in one expectation with a readable diff.
std::string describe(const TRanvoSetting& s) {
    std::string text;
    const auto add = [&text](const auto&... values) {
        ((text += values, text += ' '), ...);
        text += '\n';
    };
    const auto font = [&add](const FontSetting& f) {
        add(f.Name, std::to_string(f.Size), std::to_string(f.Color), std::to_string(f.Style));
    };
    const auto n = [](auto value) { return std::to_string(value); };
    font(s.EditorFont);
    font(s.FixedFont);
    font(s.HighLightFont);
    font(s.StaFont);
    font(s.FilterFont);
    add(n(s.BackColor), n(s.FixedColor), n(s.HighLightColor), n(s.StaColor), n(s.FilterColor),
        n(s.ToolBarColor), n(s.SPFontColor), n(s.IntactColor));
    add(n(s.SortDefault), n(s.UseSP), n(s.UseHistory), n(s.DropAuto), n(s.Quick), n(s.MemorySave),
        n(s.OpenAutoFit), n(s.MemoryPosition), n(s.FixCheck), n(s.AutoFitTrim), n(s.CurCheck),
        n(s.UseIntact));
    add(n(s.MaxHistoryNum), n(s.WindowX), n(s.WindowY), n(s.WindowWidth), n(s.WindowHeight),
        n(s.HistoryLoad));
    add(s.FileFilters[0], s.FileFilters[1], s.FileFilters[2]);
    for (const std::string& folder : s.DefineFolders) {
        add(folder);
    }
    return text;
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const std::size_t pos = text.find(from);
    EXPECT_NE(pos, std::string::npos) << from;
    return pos == std::string::npos ? text : text.replace(pos, from.size(), to);
}

TEST(TRanvoSetting, FirstRunWritesEveryKeyInItsOrder) {
    test::TempDir dir;
    const TRanvoSetting settings(dir / "config.ini");
    EXPECT_EQ(test::ReadBytes(dir / "config.ini"), expectedFile(WideSpaceGothic, true));
    EXPECT_EQ(settings.EditorFont.Name, WideSpaceGothic);
    EXPECT_EQ(settings.FixedFont.Name, AsciiSpaceGothic);
    EXPECT_EQ(settings.StaColor, -2147483633);
    EXPECT_EQ(settings.HighLightFont.Color, 0x800000);
    EXPECT_TRUE(settings.MemorySave);
    EXPECT_TRUE(settings.DefineFolders.empty());

    // The headless tool's values are the same, and they never reach a file.
    TRanvoSetting defaults = TRanvoSetting::Defaults();
    EXPECT_EQ(describe(defaults), describe(settings));
    EXPECT_FALSE(defaults.SaveSetting());
}

TEST(TRanvoSetting, MissingKeysAndBadNumbersTakeTheDefaults) {
    test::TempDir dir;
    const std::string file = "[editor]\r\nFontSize=abc\r\nFixedFontColor=$FF\r\n"
                             "HighLightColor=99999999999\r\n[Window]\r\nX=\r\nY=-5\r\n"
                             "MemoryPosition=2\r\n[Sta]\r\nColor=0x8000000F\r\n"
                             "[AutoDistinction]\r\nQuick=yes\r\nDrop=0\r\n";
    test::WriteBytes(dir / "config.ini", file);
    const TRanvoSetting settings(dir / "config.ini");
    EXPECT_EQ(settings.EditorFont.Name, AsciiSpaceGothic); // the read default, not the first run's
    EXPECT_EQ(settings.EditorFont.Size, 9);
    EXPECT_EQ(settings.FixedFont.Color, 255);
    EXPECT_EQ(settings.HighLightColor, 0x00FFFF);
    EXPECT_EQ(settings.WindowX, 246);
    EXPECT_EQ(settings.WindowY, -5);
    EXPECT_TRUE(settings.MemoryPosition);
    EXPECT_EQ(settings.StaColor, -2147483633);
    EXPECT_FALSE(settings.Quick);
    EXPECT_FALSE(settings.DropAuto);
    EXPECT_TRUE(settings.UseHistory);
    EXPECT_EQ(settings.HistoryLoad, 8);
    EXPECT_EQ(settings.FileFilters[2], "*.*");
    // Reading alone never rewrites an existing file.
    EXPECT_EQ(test::ReadBytes(dir / "config.ini"), file);
}

TEST(TRanvoSetting, SaveSettingWritesEveryKeyButMemorySaveInOrderAndReadsBack) {
    test::TempDir dir;
    test::WriteBytes(dir / "config.ini", "");
    TRanvoSetting settings(dir / "config.ini");
    ASSERT_TRUE(settings.SaveSetting());
    EXPECT_EQ(test::ReadBytes(dir / "config.ini"), expectedFile(AsciiSpaceGothic, false));

    settings.EditorFont = {"Other", 12, 0x123456, FontStyleBold | FontStyleItalic};
    settings.FilterColor = TRanvoSetting::ButtonFaceColor;
    settings.UseSP = true;
    settings.UseIntact = false;
    settings.FileFilters[1] = "*.\x83\x65\x83\x4C\x83\x58\x83\x67"; // *.テキスト
    settings.FixedFont.Name = "\x95\x5C\x8E\xA6";                   // 表示, a 5C trail byte
    settings.MaxHistoryNum = 200;
    settings.WindowHeight = -1;
    settings.FixCheck = true;
    ASSERT_TRUE(settings.SaveSetting());
    const std::string saved = test::ReadBytes(dir / "config.ini");
    EXPECT_NE(saved.find("\r\nFixedFontName=\x95\x5C\x8E\xA6\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nFilter2=*.\x83\x65\x83\x4C\x83\x58\x83\x67\r\n"), std::string::npos);
    EXPECT_EQ(describe(TRanvoSetting(dir / "config.ini")), describe(settings));
}

TEST(TRanvoSetting, DefineFoldersKeepOnlyExistingFolders) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "defs");
    const std::string defs = (dir / "defs").string();
    const std::string gone = (dir / "gone").string();
    test::WriteBytes(dir / "config.ini", "[Define]\r\nFolder=" + defs + "\\\\," + gone + "\r\n");
    TRanvoSetting settings(dir / "config.ini");
    EXPECT_EQ(settings.DefineFolders, std::vector<std::string>{defs});

    ASSERT_TRUE(settings.SaveSetting());
    const std::string saved = test::ReadBytes(dir / "config.ini");
    EXPECT_NE(saved.find("[Define]\r\nFolder=" + defs + "\r\n"), std::string::npos) << saved;

    // A folder removed while the program runs is not written back.
    settings.DefineFolders.push_back(gone);
    std::filesystem::remove(dir / "defs");
    ASSERT_TRUE(settings.SaveSetting());
    EXPECT_NE(test::ReadBytes(dir / "config.ini").find("[Define]\r\nFolder=\r\n"),
              std::string::npos);
}

TEST(TRanvoSetting, DefineFolderTrimSparesTrailBytes) {
    // 表 is 95 5C in CP932: its trail byte is the code of "\", and it must not be cut.
    test::TempDir dir;
    std::filesystem::create_directory(dir / u8"表");
    std::filesystem::create_directory(dir / "a");
    const std::string hyou = dir.path().string() + "/\x95\x5C";
    const std::string a = (dir / "a").string();
    test::WriteBytes(dir / "config.ini",
                     "[Define]\r\nFolder=" + hyou + "," + hyou + "\\," + a + "\\\\\\,\\\\\r\n");
    TRanvoSetting settings(dir / "config.ini");
    EXPECT_EQ(settings.DefineFolders, (std::vector<std::string>{hyou, hyou, a}));
    ASSERT_TRUE(settings.SaveSetting());
    EXPECT_NE(
        test::ReadBytes(dir / "config.ini").find("Folder=" + hyou + "," + hyou + "," + a + "\r\n"),
        std::string::npos);
}

TEST(TRanvoSetting, HandEditsSurviveSaveSetting) {
    test::TempDir dir;
    { const TRanvoSetting firstRun(dir / "config.ini"); }
    std::string file = test::ReadBytes(dir / "config.ini");
    file = replaced(file, "Save=1", "Save=0");
    file =
        replaced(file, "[Editor]\r\n", "; kept as written\r\n[Editor]\r\nUnknown = keep  me\r\n");
    file = replaced(file, "Height=474", "Height = 474  ");
    file += "\r\n[Mine]\r\nfoo = bar\r\n\r\n";
    test::WriteBytes(dir / "config.ini", file);

    TRanvoSetting settings(dir / "config.ini");
    EXPECT_FALSE(settings.MemorySave);
    settings.MemorySave = true; // never written back
    settings.EditorFont.Size = 12;
    ASSERT_TRUE(settings.SaveSetting());
    EXPECT_EQ(test::ReadBytes(dir / "config.ini"),
              replaced(file, "\r\nFontSize=9", "\r\nFontSize=12"));
}

TEST(TRanvoSetting, FilesThatCannotBeUsedLeaveWorkingSettings) {
    test::TempDir dir;
    // Something that exists but cannot be read is never replaced by a first run.
    std::filesystem::create_directory(dir / "config.ini");
    TRanvoSetting unreadable(dir / "config.ini");
    EXPECT_EQ(unreadable.EditorFont.Name, AsciiSpaceGothic);
    EXPECT_FALSE(unreadable.SaveSetting());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "config.ini"));

    // A folder that does not exist cannot take the new file; the first-run values still hold.
    TRanvoSetting unwritable(dir / "missing" / "config.ini");
    EXPECT_EQ(describe(unwritable), describe(TRanvoSetting::Defaults()));
    EXPECT_FALSE(unwritable.SaveSetting());
}

TEST(TRanvoSetting, ReadOnlySettingsNeverWriteTheirFile) {
    test::TempDir dir;
    TRanvoSetting missing = TRanvoSetting::ReadOnly(dir / "config.ini");
    EXPECT_EQ(describe(missing), describe(TRanvoSetting::Defaults()));
    EXPECT_FALSE(missing.SaveSetting());
    EXPECT_FALSE(std::filesystem::exists(dir / "config.ini"));

    const std::string file = "[Editor]\r\nFontSize=12\r\n";
    test::WriteBytes(dir / "config.ini", file);
    TRanvoSetting existing = TRanvoSetting::ReadOnly(dir / "config.ini");
    EXPECT_EQ(existing.EditorFont.Size, 12);
    EXPECT_EQ(existing.HistoryLoad, 8); // a missing key reads as its default
    existing.EditorFont.Size = 10;
    EXPECT_FALSE(existing.SaveSetting());
    EXPECT_EQ(test::ReadBytes(dir / "config.ini"), file);
}

TEST(TRanvoSetting, ArbitraryFilesReadAndSaveConsistently) {
    test::TempDir dir;
    const std::filesystem::path path = dir / "config.ini";
    const std::string fresh = expectedFile(WideSpaceGothic, true);
    test::InputGenerator generator(7);
    for (int round = 0; round < 300; ++round) {
        const std::string bytes = round % 4 == 0 ? generator.bytes(2000) : generator.mutate(fresh);
        test::WriteBytes(path, bytes);
        TRanvoSetting first(path);
        ASSERT_TRUE(first.SaveSetting());
        const std::string saved = test::ReadBytes(path);
        // What was saved reads back as it was, and saving it again changes nothing.
        TRanvoSetting second(path);
        ASSERT_EQ(describe(second), describe(first)) << testing::PrintToString(bytes);
        ASSERT_TRUE(second.SaveSetting());
        ASSERT_EQ(test::ReadBytes(path), saved) << testing::PrintToString(bytes);
    }
}

} // namespace
} // namespace ranvo
