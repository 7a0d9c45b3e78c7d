#include "core/text/text_helpers.h"

#include "core/text/cell_list.h"
#include "core/text/number_text.h"
#include "core/text/sjis.h"

#include <algorithm>
#include <cstring>

namespace ranvo {
namespace {

int toList(const CellList& cells, std::vector<std::string>& list) {
    list.resize(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        list[i].assign(cells[i]);
    }
    return static_cast<int>(cells.size());
}

} // namespace

std::size_t FindCharacterWise(std::string_view text, std::string_view pattern, std::size_t from) {
    if (pattern.empty()) {
        return std::string_view::npos;
    }
    if (pattern.size() == 1 && IsNeverPartOfDoubleByte(pattern[0])) {
        return text.find(pattern[0], from);
    }
    for (std::size_t pos = from; pos < text.size(); pos += CharLength(text, pos)) {
        if (text.substr(pos, pattern.size()) == pattern) {
            return pos;
        }
    }
    return std::string_view::npos;
}

bool ContainsCharacterWise(std::string_view text, std::string_view pattern) {
    return FindCharacterWise(text, pattern, 0) != std::string_view::npos;
}

int SplitFields(std::string_view text, std::vector<std::string>& list, std::string_view separator) {
    thread_local CellList cells;
    CutFields(text, separator, cells);
    return toList(cells, list);
}

int SplitQuoted(std::string_view text, std::vector<std::string>& list, char separator, char quote) {
    thread_local CellList cells;
    CutQuoted(text, separator, quote, cells);
    return toList(cells, list);
}

bool IsDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsInteger(std::string_view text) {
    return ToInteger(text).has_value();
}

int FindFrom(std::string_view pattern, std::string_view text, int start) {
    if (pattern.empty() || pattern.size() > text.size()) {
        return 0;
    }
    const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
    const std::size_t found = text.find(pattern, from);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

std::string_view LeftBytes(std::string_view text, int count) {
    return text.substr(0, count < 0 ? 0 : static_cast<std::size_t>(count));
}

// Bytes up to 32 are all below 0x40, so none of them is ever the trail byte of a double-byte
// character and the cut can go byte by byte.
std::string_view Trim(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) {
        text.remove_suffix(1);
    }
    return text;
}

std::string XmlEscape(std::string_view text) {
    std::string result;
    AppendXmlEscaped(result, text);
    return result;
}

// The five special characters are all below 0x40, so no trail byte is ever taken for one, and runs
// without them are copied whole.
void AppendXmlEscaped(std::string& out, std::string_view text) {
    constexpr std::string_view kSpecial = "&<>'\"";
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t special = text.find_first_of(kSpecial, start);
        out.append(text, start, special == std::string_view::npos ? std::string_view::npos : special - start);
        if (special == std::string_view::npos) {
            break;
        }
        switch (text[special]) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += "&apos;"; break;
        default: out += "&quot;"; break;
        }
        start = special + 1;
    }
}

const std::vector<std::string_view>& XmlTagNameReplacements() {
    static const std::vector<std::string_view> table = {
        "<",        ">",        "\x81\x60", "\x81\x7C", "\x81\x42", "'",        "\x81\x66",
        "\x81\x68", "#",        "\x81\x94", "!",        "\x81\x49", "\"",       "&",
        "\x81\x95", "%",        "\x81\x93", "$",        "\x81\x90", "=",        "\x81\x81",
        "\x81\x69", "\x81\x6A", "(",        ")",        "~",        "[",        "]",
        "\x81\x75", "\x81\x76", "@",        "/",        "\x81\x5E", ":",        "\x81\x46",
        "*",        "\x81\x96", "+",        "\x81\x7B", "?",        "\x81\x48", "\x81\x83",
        "\x81\x84", " ",        "\x81\x40", "|",        "\x81\x62", "\\",       "\x81\x8F",
        "{",        "}",        "\x81\x6F", "\x81\x70", "\x81\x97", ",",        "\x81\x43",
        "\x81\x42", "\x81\x41", ".",        "\x81\x44", ";",        "\x81\x47", "\x81\x45",
        "\xA5",     "\xA1",     "\xA4",     "`",        "\x81\x65",
    };
    return table;
}

std::string XmlTagName(std::string_view text) {
    // Every entry of the table is one whole character and "_" is not in it, so one pass that
    // replaces character by character gives what replacing entry after entry gives.
    const auto& table = XmlTagNameReplacements();
    std::string result;
    result.reserve(text.size() + 1);
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = CharLength(text, pos);
        const std::string_view character = text.substr(pos, length);
        pos += length;
        // The full-width digits ０ to ９ are 82 4F to 82 58.
        const bool fullWidthDigit = length == 2 && character[0] == '\x82' &&
                                    character[1] >= '\x4F' && character[1] <= '\x58';
        if (fullWidthDigit) {
            result += static_cast<char>('0' + (character[1] - '\x4F'));
        } else if (std::find(table.begin(), table.end(), character) != table.end()) {
            result += '_';
        } else {
            result += character;
        }
    }
    if (!result.empty() && result[0] >= '0' && result[0] <= '9') {
        result.insert(result.begin(), '_');
    }
    return result;
}

} // namespace ranvo
