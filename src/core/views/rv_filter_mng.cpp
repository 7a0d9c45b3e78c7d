#include "core/views/rv_filter_mng.h"

#include "core/platform/code_page.h"
#include "core/platform/file_io.h"
#include "core/text/number_text.h"
#include "core/text/text_helpers.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace ranvo {
namespace {

// Appends `text` without the bytes in `unwritable`. They are all below 0x40, never the trail byte
// of a double-byte character, so they can be dropped byte by byte.
void appendWithout(std::string& line, std::string_view text, std::string_view unwritable) {
    for (const char c : text) {
        if (unwritable.find(c) == std::string_view::npos) {
            line += c;
        }
    }
}

constexpr std::string_view LineBreaks{"\r\n\0", 3};
constexpr std::string_view ItemBreaks{",\r\n\0", 4};

template <typename ItemText>
void appendItems(std::string& text, const std::vector<TRvFilterSetting>& fields, ItemText item) {
    for (std::size_t j = 0; j < fields.size(); ++j) {
        if (j > 0) {
            text += ',';
        }
        appendWithout(text, item(fields[j]), ItemBreaks);
    }
    text += "\r\n";
}

bool isOn(std::string_view item) {
    return ToBoolean(item).value_or(false);
}

} // namespace

void TRvFilterMng::Reset() {
    m_filters.clear();
    m_settings.clear();
}

void TRvFilterMng::Prepare(const TDefineClass& definition) {
    Reset();
    m_settings.reserve(definition.Conditions.size());
    for (const TCondition& condition : definition.Conditions) {
        // The length list sets a condition's number of fields, as everywhere else.
        m_settings.emplace_back(condition.FieldLength.size(),
                                TRvFilterSetting{false, std::string(NoMatchText), {}});
    }
}

bool TRvFilterMng::LoadFilters(const std::filesystem::path& folder) {
    m_filters.clear();
    bool allRead = true;
    for (std::size_t i = 0; i < m_settings.size(); ++i) {
        for (std::size_t j = 0; j < m_settings[i].size(); ++j) {
            const TRvFilterSetting& setting = m_settings[i][j];
            if (!setting.Applied) {
                continue;
            }
            Entry& entry = m_filters.emplace_back();
            entry.Condition = static_cast<int>(i);
            entry.Field = static_cast<int>(j);
            if (!entry.Filter.Load(folder / Cp932ToPath(setting.FilterFile))) {
                allRead = false;
                break;
            }
        }
    }
    return allRead;
}

const TRvFilterMng::Entry* TRvFilterMng::entryFor(int condition, int field) const {
    // LoadFilters appends the entries in the order of conditions and fields, one per pair.
    const auto found =
        std::lower_bound(m_filters.begin(), m_filters.end(), std::pair(condition, field),
                         [](const Entry& entry, const std::pair<int, int>& key) {
                             return std::pair(entry.Condition, entry.Field) < key;
                         });
    return found != m_filters.end() && found->Condition == condition && found->Field == field
               ? &*found
               : nullptr;
}

bool TRvFilterMng::HasFilter(int condition, int field) const {
    return Active && entryFor(condition, field) != nullptr;
}

std::string_view TRvFilterMng::TranslateView(int condition, int field,
                                             std::string_view value) const {
    const Entry* entry = Active ? entryFor(condition, field) : nullptr;
    if (entry == nullptr) {
        return value;
    }
    // Only Reset and Prepare change the shape of the settings, and both drop the filters, so an
    // entry always has its setting; the marker is merely the harmless answer if it had not.
    const TRvFilterSetting* setting = Setting(condition, field);
    return entry->Filter.TranslateView(value, setting != nullptr
                                                  ? std::string_view(setting->DefaultText)
                                                  : TRvFilter::NoDefaultMarker);
}

int TRvFilterMng::FieldCount(int condition) const {
    return condition >= 0 && condition < ConditionCount()
               ? static_cast<int>(m_settings[condition].size())
               : 0;
}

TRvFilterSetting* TRvFilterMng::Setting(int condition, int field) {
    return field >= 0 && field < FieldCount(condition) ? &m_settings[condition][field] : nullptr;
}

const TRvFilterSetting* TRvFilterMng::Setting(int condition, int field) const {
    return field >= 0 && field < FieldCount(condition) ? &m_settings[condition][field] : nullptr;
}

std::filesystem::path TRvFilterMng::SettingFileName(std::filesystem::path name) {
    name.replace_extension(".fls");
    return name;
}

bool TRvFilterMng::SaveSetting(const std::filesystem::path& fileName,
                               std::string_view headerLine) const {
    std::string text;
    appendWithout(text, headerLine, LineBreaks);
    text += "\r\n";
    const auto flag = [](bool on) { return std::string_view(on ? "-1" : "0"); };
    for (const std::vector<TRvFilterSetting>& fields : m_settings) {
        appendItems(text, fields, [&](const TRvFilterSetting& s) { return flag(s.Applied); });
        appendItems(text, fields,
                    [](const TRvFilterSetting& s) { return std::string_view(s.DefaultText); });
        appendItems(text, fields, [&](const TRvFilterSetting& s) {
            return flag(s.DefaultText != TRvFilter::NoDefaultMarker);
        });
        appendItems(text, fields,
                    [](const TRvFilterSetting& s) { return std::string_view(s.FilterFile); });
    }
    return WriteFileReplacing(SettingFileName(fileName), text);
}

FilterSettingResult TRvFilterMng::LoadSetting(const std::filesystem::path& fileName) {
    const std::optional<std::string> bytes = ReadFileBytes(fileName);
    if (!bytes) {
        return FilterSettingResult::FileNotFound;
    }
    std::vector<std::string_view> lines;
    SplitLines(TextBeforeNul(*bytes), lines);
    std::vector<std::string> items;
    std::size_t next = 1; // the header names the definition it was saved for; it is not checked
    for (std::size_t condition = 0; next < lines.size(); ++condition) {
        if (condition == m_settings.size()) {
            // Blocks for conditions the definition does not have: only empty ones, as a
            // definition whose last conditions have no fields writes them, still fit it.
            const bool surplus =
                std::any_of(lines.begin() + static_cast<std::ptrdiff_t>(next), lines.end(),
                            [](std::string_view l) { return !l.empty(); });
            return surplus ? FilterSettingResult::Mismatch : FilterSettingResult::Read;
        }
        std::vector<TRvFilterSetting>& fields = m_settings[condition];
        for (int part = 0; part < 4; ++part) {
            if (next == lines.size()) {
                return FilterSettingResult::Incomplete;
            }
            const std::string_view line = lines[next++];
            // An empty line changes nothing, except that for a condition of one field the writer
            // puts that field's empty default text or file name on an empty line: read as one
            // empty item, it comes back instead of leaving the old text in place.
            const bool oneEmptyItem = fields.size() == 1 && (part == 1 || part == 3);
            if (line.empty() && !oneEmptyItem) {
                continue;
            }
            const std::size_t count =
                static_cast<std::size_t>(SplitFields(line, items, std::string_view(",")));
            if (part == 0 ? count != fields.size() : count > fields.size()) {
                return FilterSettingResult::Mismatch;
            }
            for (std::size_t j = 0; j < count; ++j) {
                TRvFilterSetting& field = fields[j];
                switch (part) {
                case 0:
                    field.Applied = isOn(items[j]);
                    break;
                case 1:
                    field.DefaultText = items[j];
                    break;
                case 2:
                    if (!isOn(items[j])) {
                        field.DefaultText = TRvFilter::NoDefaultMarker;
                    }
                    break;
                default:
                    field.FilterFile = items[j];
                    break;
                }
            }
        }
    }
    return FilterSettingResult::Read;
}

} // namespace ranvo
