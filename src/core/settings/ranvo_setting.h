#pragma once

// The user's preferences and their file, config.ini.

#include "core/settings/ini_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

// Bits of FontSetting::Style, as config.ini stores them.
enum FontStyleBits : std::int32_t {
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleUnderline = 4,
    FontStyleStrikeOut = 8,
};

// A font as the settings hold it: the name as CP932 bytes, the size in points, the colour as
// 0x00BBGGRR (a negative value, top bit set, names a system colour) and the style bits above.
struct FontSetting {
    std::string Name;
    std::int32_t Size = 9;
    std::int32_t Color = 0;
    std::int32_t Style = 0;

    bool operator==(const FontSetting&) const = default;
};

// Every preference of the program, and config.ini, the INI file that keeps them. The whole file
// stays in memory for the object's life, so that writing the settings back changes only the keys
// they own and every section, key and comment that the program does not know survives. Readers use
// the members directly; whoever changes them calls SaveSetting to keep the change. Colours are
// 0x00BBGGRR values (negative ones name system colours); text is CP932 bytes. The object never
// fails: a missing key or a value that does not convert reads as its default, and a file that
// cannot be written leaves the settings working in memory.
class TRanvoSetting {
public:
    // Reads config.ini at `fileName`. When there is no such file it is first created with the
    // first-run values; a file that exists but cannot be read is left alone, and every key then
    // reads as its default.
    explicit TRanvoSetting(std::filesystem::path fileName);

    // The first-run values, without any file: nothing is read and SaveSetting writes nothing. For
    // tools that run without an application home and must not create files there.
    [[nodiscard]] static TRanvoSetting Defaults();
    // config.ini at `fileName` as it is, or the first-run values when there is none; nothing is
    // written, neither now nor by SaveSetting. For tools that only read the settings of a home.
    [[nodiscard]] static TRanvoSetting ReadOnly(const std::filesystem::path& fileName);

    // Writes every member back to its key (except MemorySave, which the program only reads), then
    // the definition folders that still exist, then the file. False when the file could not be
    // written, or for the settings of Defaults().
    bool SaveSetting();

    // "ＭＳ ゴシック" with an ASCII space, in CP932: the font every font key defaults to.
    static constexpr std::string_view DefaultFontName =
        "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";
    // The system colour of button faces, 0x8000000F.
    static constexpr std::int32_t ButtonFaceColor = static_cast<std::int32_t>(0x8000000Fu);

    FontSetting EditorFont{std::string(DefaultFontName)};
    std::int32_t BackColor = 0xFFFFFF;
    FontSetting FixedFont{std::string(DefaultFontName)};
    std::int32_t FixedColor = ButtonFaceColor;
    FontSetting HighLightFont{std::string(DefaultFontName), 9, 0x800000};
    std::int32_t HighLightColor = 0x00FFFF;
    FontSetting StaFont{std::string(DefaultFontName)};
    std::int32_t StaColor = ButtonFaceColor;
    FontSetting FilterFont{std::string(DefaultFontName), 9, 0xFF0000};
    std::int32_t FilterColor = 0xF0FBFF;
    bool SortDefault = true;
    std::int32_t ToolBarColor = ButtonFaceColor;
    std::int32_t SPFontColor = 0xC0C0C0;
    bool UseSP = false;
    std::array<std::string, 3> FileFilters{"*.txt;*.csv", "*.dat;*.def", "*.*"};
    bool UseHistory = true;
    bool DropAuto = true;
    bool Quick = false;
    bool MemorySave = true;
    bool OpenAutoFit = true;
    std::int32_t MaxHistoryNum = 0;
    bool MemoryPosition = false;
    std::int32_t WindowX = 246;
    std::int32_t WindowY = 159;
    std::int32_t WindowWidth = 696;
    std::int32_t WindowHeight = 474;
    std::int32_t HistoryLoad = 8;
    bool FixCheck = false;
    bool AutoFitTrim = true;
    bool CurCheck = true;
    std::int32_t IntactColor = 0x808080;
    bool UseIntact = true;
    // Extra folders searched for definition files, CP932 text, each an existing folder when read.
    std::vector<std::string> DefineFolders;

private:
    // Members holding the defaults, and an empty INI without a file name.
    TRanvoSetting();

    void writeFirstRun();
    void readKeys();
    void writeKeys(bool withMemorySave);

    IniFile m_ini;
};

} // namespace ranvo
