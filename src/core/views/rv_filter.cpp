#include "core/views/rv_filter.h"

#include "core/platform/file_io.h"
#include "core/text/number_text.h"
#include "core/text/sjis.h"
#include "core/text/text_helpers.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

namespace ranvo {
namespace {

constexpr std::size_t OptionLineCount = 5;

// AnsiUpperCase into a buffer the caller keeps, so that a lookup per drawn cell does not
// allocate a new string each time.
void upperCaseInto(std::string_view text, std::string& buffer) {
    buffer.assign(text.data(), text.size());
    for (std::size_t pos = 0; pos < buffer.size();) {
        const std::size_t length = CharLength(buffer, pos);
        if (length == 1 && buffer[pos] >= 'a' && buffer[pos] <= 'z') {
            buffer[pos] = static_cast<char>(buffer[pos] - 'a' + 'A');
        }
        pos += length;
    }
}

// "[" name "]", where the "]" must be a character of its own: 5D is also a trail byte.
std::optional<std::string_view> sectionName(std::string_view line) {
    if (line.size() < 2 || line.front() != '[') {
        return std::nullopt;
    }
    std::size_t last = 0;
    for (std::size_t pos = 0; pos < line.size(); pos += CharLength(line, pos)) {
        last = pos;
    }
    if (last == 0 || line[last] != ']') {
        return std::nullopt;
    }
    return Trim(line.substr(1, last - 1));
}

// Room for "-2147483648".
using DecimalBuffer = char[16];

std::string_view decimalText(std::int32_t number, DecimalBuffer& buffer) {
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), number);
    return {std::begin(buffer), result.ptr};
}

} // namespace

void ReadFilterOptions(const std::vector<std::string_view>& lines, TFilterOptions& options) {
    // Line k is an option only when a line follows it: a file of one line is all table.
    const std::size_t usable = lines.empty() ? 0 : std::min(lines.size() - 1, OptionLineCount);
    for (std::size_t k = 0; k < usable; ++k) {
        const std::string_view line = lines[k];
        if (!line.starts_with(';')) {
            continue;
        }
        const bool on = line.size() > 1 && line[1] == '1';
        switch (k) {
        case 0: options.IsNumeric = on; break;
        case 1: options.UseFit = on; break;
        case 2: options.FitText = line.substr(1); break;
        case 3: options.TrimSpaces = on; break;
        default: options.CutFit = on; break;
        }
    }
}

bool TRvFilter::Load(const std::filesystem::path& path) {
    m_table.clear();
    m_longestKey = 0;
    Loaded = false;
    static_cast<TFilterOptions&>(*this) = TFilterOptions();
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        return false;
    }
    std::vector<std::string_view> lines;
    SplitLines(TextBeforeNul(*bytes), lines);
    ReadFilterOptions(lines, *this);
    readTable(lines);
    Loaded = true;
    return true;
}

void TRvFilter::readTable(const std::vector<std::string_view>& lines) {
    bool inFilter = false;
    std::string upper;
    for (const std::string_view raw : lines) {
        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (const std::optional<std::string_view> name = sectionName(line)) {
            upperCaseInto(*name, upper);
            inFilter = upper == "FILTER";
            continue;
        }
        if (!inFilter) {
            continue;
        }
        // "=" is below 0x40 and never a trail byte: a byte search finds only a real "=".
        const std::size_t equals = line.find('=');
        std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value = equals == std::string_view::npos
                                           ? std::string_view()
                                           : Trim(line.substr(equals + 1));
        DecimalBuffer digits;
        if (IsNumeric) {
            if (const std::optional<std::int32_t> number = ToInteger(key)) {
                key = decimalText(*number, digits);
            }
        }
        upperCaseInto(key, upper);
        m_longestKey = std::max(m_longestKey, upper.size());
        m_table.try_emplace(upper, value);
    }
}

const std::string* TRvFilter::find(std::string_view key) const {
    if (key.size() > m_longestKey) {
        return nullptr;
    }
    upperCaseInto(key, m_keyBuffer);
    const auto found = m_table.find(m_keyBuffer);
    return found == m_table.end() ? nullptr : &found->second;
}

std::string_view TRvFilter::TranslateView(std::string_view value,
                                          std::string_view defaultText) const {
    const std::string_view untranslated = defaultText == NoDefaultMarker ? value : defaultText;
    if (!Loaded) {
        return untranslated;
    }
    std::string_view key = value;
    if (UseFit) {
        if (!key.starts_with(FitText)) {
            return untranslated;
        }
        if (CutFit) {
            key.remove_prefix(FitText.size());
        }
    }
    DecimalBuffer digits;
    if (IsNumeric) {
        // Text that is no integer counts as 0, so "abc" finds the key 0.
        key = decimalText(IntegerOr(Trim(key), 0), digits);
    }
    if (TrimSpaces) {
        key = Trim(key);
    }
    const std::string* found = find(key);
    return found != nullptr ? std::string_view(*found) : untranslated;
}

} // namespace ranvo
