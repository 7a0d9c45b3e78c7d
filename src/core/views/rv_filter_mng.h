#pragma once

// The filters of the current definition: which filter table applies to which field of which
// condition and what a value missing from the table shows (the filter settings), the filter
// tables loaded for them, and whether filtered display is on. Cell drawing, printing and the
// layout save ask it for the display text of a value; the filter dialogs change the settings, load
// the tables and save and open the settings as `.fls` files.

#include "core/definitions/define_class.h"
#include "core/views/rv_filter.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

// The filter setting of one field.
struct TRvFilterSetting {
    bool Applied = false;
    // Shown for a value that the table does not hold; TRvFilter::NoDefaultMarker shows the value.
    std::string DefaultText;
    // A file name in the filter folder (CP932).
    std::string FilterFile;

    bool operator==(const TRvFilterSetting&) const = default;
};

// What LoadSetting found; the filter dialog words a message for each.
enum class FilterSettingResult : int {
    Read = 0,
    Incomplete = 1,   // the file ends inside a condition's four lines
    Mismatch = 2,     // the file does not fit the definition the settings were prepared for
    FileNotFound = 3, // nothing changed
};

// A `.fls` file is CP932 text with CR LF line ends: a header line (the definition's name, not
// checked on reading), then four lines per condition in order, each with one comma-separated item
// per field of the condition: Applied ("-1" or "0"), DefaultText, whether DefaultText is ordinary
// text ("-1") or the no-default marker ("0"), and FilterFile. Nothing is quoted, so the writer
// leaves out of every item the bytes that would break the layout: commas, CR, LF and NUL (the
// marker itself is written as an empty item).
class TRvFilterMng {
public:
    // What Prepare gives every field to show for a value that is not in its table.
    static constexpr std::string_view NoMatchText = "(NoMatch)";

    // One applied field and its table, in the order of conditions and fields.
    struct Entry {
        int Condition = 0;
        int Field = 0;
        TRvFilter Filter;
    };

    // Filtered display is on. While it is off, HasFilter and Translate answer as if there were no
    // filters at all.
    bool Active = false;

    // Forgets the settings and the filters; leaves Active as it is.
    void Reset();
    // Reset, then one setting per field of every condition of the definition: not applied, no
    // filter file, the default text NoMatchText.
    void Prepare(const TDefineClass& definition);
    // Loads the table of every applied field from `folder`. A table that cannot be read makes the
    // result false and skips the remaining fields of its condition; its entry stays, translating
    // nothing, and the later conditions are still loaded.
    bool LoadFilters(const std::filesystem::path& folder);

    // Condition and field are 0-based: field j is data-grid column j+1. Both queries run for every
    // drawn cell: they find the entry by binary search and allocate nothing for short texts.
    [[nodiscard]] bool HasFilter(int condition, int field) const;
    // The display text of `value`: the value itself unless filtered display is on and the field
    // has a filter.
    [[nodiscard]] std::string Translate(int condition, int field, std::string_view value) const {
        return std::string(TranslateView(condition, field, value));
    }
    // The same without a copy: a view of `value`, or of a filter's table or default text, valid
    // while the filters stay as they are.
    [[nodiscard]] std::string_view TranslateView(int condition, int field,
                                                 std::string_view value) const;

    // The name a setting file is saved under: `name` with the extension ".fls".
    [[nodiscard]] static std::filesystem::path SettingFileName(std::filesystem::path name);
    // Writes the settings to SettingFileName(fileName), `headerLine` first, replacing the file
    // only when the whole text is written; false when it cannot be written.
    [[nodiscard]] bool SaveSetting(const std::filesystem::path& fileName,
                                   std::string_view headerLine) const;
    // Reads a setting file into the prepared settings; see FilterSettingResult. Reading stops at
    // the first line that is missing or does not fit, and what was read before it stays.
    FilterSettingResult LoadSetting(const std::filesystem::path& fileName);

    // The settings, as the filter dialog shows and changes them.
    [[nodiscard]] int ConditionCount() const { return static_cast<int>(m_settings.size()); }
    [[nodiscard]] int FieldCount(int condition) const;
    // Null for a condition or field the settings were not prepared for.
    [[nodiscard]] TRvFilterSetting* Setting(int condition, int field);
    [[nodiscard]] const TRvFilterSetting* Setting(int condition, int field) const;

    [[nodiscard]] const std::vector<Entry>& Filters() const { return m_filters; }

private:
    [[nodiscard]] const Entry* entryFor(int condition, int field) const;

    std::vector<std::vector<TRvFilterSetting>> m_settings;
    std::vector<Entry> m_filters;
};

} // namespace ranvo
