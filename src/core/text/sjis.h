#pragma once

// Shift_JIS (code page 932) character boundaries. All data text in Ranvo is held as CP932 bytes;
// a lead byte (81-9F, E0-FC) starts a two-byte character, every other byte is a character of its
// own. Byte positions are what users see, so the core walks text with these helpers instead of
// decoding it.

#include <cstddef>
#include <string>
#include <string_view>

namespace ranvo {

[[nodiscard]] constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

[[nodiscard]] constexpr bool IsLeadByte(char byte) {
    return IsLeadByte(static_cast<unsigned char>(byte));
}

// A byte below 0x40 can be neither a lead nor a trail byte, so a plain byte search finds it only
// where it stands as a character of its own.
[[nodiscard]] constexpr bool IsNeverPartOfDoubleByte(char byte) {
    return static_cast<unsigned char>(byte) < 0x40;
}

// Byte length of the character at `pos`: 2 for a lead byte that has a byte after it, else 1.
// A lead byte at the very end of the text counts as one byte, so a walk never reads past the end.
[[nodiscard]] constexpr std::size_t CharLength(std::string_view text, std::size_t pos) {
    return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

// The first `count` characters of `text`, a double-byte character counting as one.
[[nodiscard]] constexpr std::string_view LeadingCharacters(std::string_view text,
                                                           std::size_t count) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < count && end < text.size(); ++n) {
        end += CharLength(text, end);
    }
    return text.substr(0, end);
}

// The platform's ANSI case conversions for CP932: only single-byte letters change; the trail
// byte of a double-byte character is never taken for a letter.
[[nodiscard]] std::string AnsiUpperCase(std::string_view text);
[[nodiscard]] std::string AnsiLowerCase(std::string_view text);

} // namespace ranvo
