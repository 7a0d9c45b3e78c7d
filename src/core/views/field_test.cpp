#include "core/views/field_test.h"

#include "core/text/sjis.h"
#include "core/text/text_helpers.h"

#include <string>

namespace ranvo {
namespace {

// The first occurrence of the two-byte operator that starts on a character boundary.
std::size_t findOperator(std::string_view text, std::string_view op) {
    for (std::size_t pos = 0; pos + 1 < text.size(); pos += CharLength(text, pos)) {
        if (text.substr(pos, 2) == op) {
            return pos;
        }
    }
    return std::string_view::npos;
}

// An operator is escaped by a backslash in front of its own; one at the very start counts as
// escaped too.
bool isEscaped(std::string_view text, std::size_t pos) {
    return pos == 0 || text[pos - 1] == '\\';
}

// The operator's own backslash deleted: the rest is plain text.
std::string unescape(std::string_view text, std::size_t pos) {
    std::string plain(text.substr(0, pos));
    plain += text.substr(pos + 1);
    return plain;
}

} // namespace

bool FieldTestPasses(std::string_view test, std::string_view value) {
    if (!test.empty()) {
        const std::string_view rest = test.substr(1);
        switch (test[0]) {
        case '!': return value != rest;
        case '=': return value == rest;
        case '>': return value >= rest;
        case '<': return value <= rest;
        case '\'': return !value.empty() && ContainsCharacterWise(value, rest);
        default: break;
        }
    }
    std::string text(test);
    if (const std::size_t range = findOperator(text, "\\|"); range != std::string::npos) {
        if (!isEscaped(text, range)) {
            const std::string_view all = text;
            return all.substr(0, range) <= value && value <= all.substr(range + 2);
        }
        text = unescape(text, range);
    }
    if (const std::size_t outside = findOperator(text, "\\!"); outside != std::string::npos) {
        if (!isEscaped(text, outside)) {
            const std::string_view all = text;
            return value < all.substr(0, outside) || value > all.substr(outside + 2);
        }
        text = unescape(text, outside);
    }
    return !value.empty() && ContainsCharacterWise(value, text);
}

} // namespace ranvo
