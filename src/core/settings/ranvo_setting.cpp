#include "core/settings/ranvo_setting.h"

#include "core/platform/code_page.h"
#include "core/platform/file_io.h"
#include "core/text/sjis.h"
#include "core/text/text_helpers.h"

#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace ranvo {
namespace {

// "ＭＳ　ゴシック" with the ideographic space (81 40), in CP932: the editor font name that a first
// run writes, while a missing key reads as the ASCII-space form.
constexpr std::string_view FirstRunEditorFontName =
    "\x82\x6C\x82\x72\x81\x40\x83\x53\x83\x56\x83\x62\x83\x4E";

constexpr std::string_view DefineSection = "Define";
constexpr std::string_view FolderKey = "Folder";

// Every key of the settings, in the order a first run writes them, which is also the order of
// sections and keys in a new file and the order SaveSetting writes them in. Keeping one list for
// reading and writing means a key can never be read under one name and written under another.
template <class Visitor>
void visitKeys(TRanvoSetting& s, Visitor& visit) {
    visit.font("Editor", "", s.EditorFont);
    visit.integer("Editor", "BackColor", s.BackColor);
    visit.font("Editor", "Fixed", s.FixedFont);
    visit.integer("Editor", "FixedColor", s.FixedColor);
    visit.font("Editor", "HighLight", s.HighLightFont);
    visit.integer("Editor", "HighLightColor", s.HighLightColor);
    visit.font("Editor", "Filter", s.FilterFont);
    visit.integer("Editor", "FilterColor", s.FilterColor);
    visit.integer("Editor", "IntactColor", s.IntactColor);
    visit.boolean("Editor", "UseIntact", s.UseIntact);
    visit.integer("Editor", "SPFontColor", s.SPFontColor);
    visit.boolean("Editor", "UseSP", s.UseSP);
    visit.boolean("Sort", "Default", s.SortDefault);
    visit.integer("ToolBar", "Color", s.ToolBarColor);
    visit.font("Sta", "", s.StaFont);
    visit.integer("Sta", "Color", s.StaColor);
    visit.string("FileFilter", "Filter1", s.FileFilters[0]);
    visit.string("FileFilter", "Filter2", s.FileFilters[1]);
    visit.string("FileFilter", "Filter3", s.FileFilters[2]);
    visit.boolean("AutoDistinction", "History", s.UseHistory);
    visit.boolean("AutoDistinction", "Drop", s.DropAuto);
    visit.boolean("AutoDistinction", "Quick", s.Quick);
    visit.boolean("AutoDistinction", "CurCheck", s.CurCheck);
    visit.readOnlyBoolean("Memory", "Save", s.MemorySave);
    visit.boolean("Ather", "OpenAutoFit", s.OpenAutoFit);
    visit.boolean("Ather", "AutoFitTrim", s.AutoFitTrim);
    visit.integer("AutoDistinction", "MaxHistoryNum", s.MaxHistoryNum);
    visit.boolean("Window", "MemoryPosition", s.MemoryPosition);
    visit.integer("Window", "X", s.WindowX);
    visit.integer("Window", "Y", s.WindowY);
    visit.integer("Window", "Width", s.WindowWidth);
    visit.integer("Window", "Height", s.WindowHeight);
    visit.integer("History", "Load", s.HistoryLoad);
    visit.boolean("Ather", "FixCheck", s.FixCheck);
}

std::string fontKey(std::string_view prefix, std::string_view name) {
    std::string key(prefix);
    key += "Font";
    key += name;
    return key;
}

// Reads each key with the member's value as the default, so it must run on default members.
class KeyReader {
public:
    explicit KeyReader(const IniFile& ini) : m_ini(ini) {}

    void font(std::string_view section, std::string_view prefix, FontSetting& font) {
        font.Name = m_ini.readString(section, fontKey(prefix, "Name"), font.Name);
        integer(section, fontKey(prefix, "Size"), font.Size);
        integer(section, fontKey(prefix, "Color"), font.Color);
        integer(section, fontKey(prefix, "Style"), font.Style);
    }
    void integer(std::string_view section, std::string_view key, std::int32_t& value) {
        value = m_ini.readInteger(section, key, value);
    }
    void boolean(std::string_view section, std::string_view key, bool& value) {
        value = m_ini.readBool(section, key, value);
    }
    void readOnlyBoolean(std::string_view section, std::string_view key, bool& value) {
        boolean(section, key, value);
    }
    void string(std::string_view section, std::string_view key, std::string& value) {
        value = m_ini.readString(section, key, value);
    }

private:
    const IniFile& m_ini;
};

class KeyWriter {
public:
    KeyWriter(IniFile& ini, bool withReadOnly) : m_ini(ini), m_withReadOnly(withReadOnly) {}

    void font(std::string_view section, std::string_view prefix, const FontSetting& font) {
        m_ini.writeString(section, fontKey(prefix, "Name"), font.Name);
        m_ini.writeInteger(section, fontKey(prefix, "Size"), font.Size);
        m_ini.writeInteger(section, fontKey(prefix, "Color"), font.Color);
        m_ini.writeInteger(section, fontKey(prefix, "Style"), font.Style);
    }
    void integer(std::string_view section, std::string_view key, std::int32_t value) {
        m_ini.writeInteger(section, key, value);
    }
    void boolean(std::string_view section, std::string_view key, bool value) {
        m_ini.writeBool(section, key, value);
    }
    // Only a first run writes these: afterwards the value in the file belongs to the user.
    void readOnlyBoolean(std::string_view section, std::string_view key, bool value) {
        if (m_withReadOnly) {
            boolean(section, key, value);
        }
    }
    void string(std::string_view section, std::string_view key, std::string_view value) {
        m_ini.writeString(section, key, value);
    }

private:
    IniFile& m_ini;
    bool m_withReadOnly;
};

// The folder without its trailing "\" characters. The walk goes character by character so that
// a folder name ending in a double-byte character whose trail byte is 5C (表 is 95 5C) keeps that
// character whole. A name made only of "\" stays as it is.
std::string_view trimTrailingBackslashes(std::string_view folder) {
    std::size_t keep = 0;
    for (std::size_t pos = 0; pos < folder.size();) {
        const std::size_t length = CharLength(folder, pos);
        pos += length;
        if (length == 2 || folder[pos - 1] != '\\') {
            keep = pos;
        }
    }
    return keep == 0 ? folder : folder.substr(0, keep);
}

bool isExistingFolder(std::string_view folder) {
    if (folder.empty()) {
        return false;
    }
    std::error_code ignored;
    return std::filesystem::is_directory(Cp932ToPath(folder), ignored);
}

} // namespace

TRanvoSetting::TRanvoSetting() = default;

TRanvoSetting::TRanvoSetting(std::filesystem::path fileName) : m_ini(fileName) {
    // Only a file that is not there at all is created: one that exists but cannot be read (no
    // permission, a folder in its place) may still hold the user's settings.
    std::error_code error;
    const bool missing = !std::filesystem::exists(fileName, error) && !error;
    if (missing) {
        writeFirstRun();
        // A folder that cannot be written to still gives working settings, from memory.
        static_cast<void>(m_ini.updateFile());
    }
    readKeys();
}

TRanvoSetting TRanvoSetting::Defaults() {
    TRanvoSetting settings;
    settings.writeFirstRun();
    settings.readKeys();
    return settings;
}

TRanvoSetting TRanvoSetting::ReadOnly(const std::filesystem::path& fileName) {
    const std::optional<std::string> bytes = ReadFileBytes(fileName);
    if (!bytes) {
        return Defaults();
    }
    TRanvoSetting settings;
    settings.m_ini.loadText(*bytes);
    settings.readKeys();
    return settings;
}

void TRanvoSetting::writeFirstRun() {
    // Every first-run value is also the default of a missing key, except the editor font name.
    EditorFont.Name = FirstRunEditorFontName;
    writeKeys(true);
    EditorFont.Name = DefaultFontName;
}

void TRanvoSetting::readKeys() {
    KeyReader reader(m_ini);
    visitKeys(*this, reader);

    std::vector<std::string> pieces;
    SplitFields(m_ini.readString(DefineSection, FolderKey, ""), pieces, ",");
    DefineFolders.clear();
    for (const std::string& piece : pieces) {
        const std::string_view folder = trimTrailingBackslashes(piece);
        if (isExistingFolder(folder)) {
            DefineFolders.emplace_back(folder);
        }
    }
}

void TRanvoSetting::writeKeys(bool withMemorySave) {
    KeyWriter writer(m_ini, withMemorySave);
    visitKeys(*this, writer);

    std::string folders;
    for (const std::string& folder : DefineFolders) {
        if (isExistingFolder(folder)) {
            if (!folders.empty()) {
                folders += ',';
            }
            folders += folder;
        }
    }
    m_ini.writeString(DefineSection, FolderKey, folders);
}

bool TRanvoSetting::SaveSetting() {
    writeKeys(false);
    return m_ini.updateFile();
}

} // namespace ranvo
