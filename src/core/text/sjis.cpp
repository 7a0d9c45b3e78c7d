#include "core/text/sjis.h"

namespace ranvo {
namespace {

template <char From, char To>
std::string convertSingleByteLetters(std::string_view text) {
    std::string result(text);
    for (std::size_t pos = 0; pos < result.size();) {
        const std::size_t length = CharLength(result, pos);
        if (length == 1 && result[pos] >= From && result[pos] <= From + 25) {
            result[pos] = static_cast<char>(result[pos] - From + To);
        }
        pos += length;
    }
    return result;
}

} // namespace

std::string AnsiUpperCase(std::string_view text) {
    return convertSingleByteLetters<'a', 'A'>(text);
}

std::string AnsiLowerCase(std::string_view text) {
    return convertSingleByteLetters<'A', 'a'>(text);
}

} // namespace ranvo
