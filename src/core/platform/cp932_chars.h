#pragma once

// Every character of code page 932 (CP932, Windows' Shift_JIS) in both directions, read once from
// the platform's code page. A code is a single byte (below 100 hex) or lead << 8 | trail.
//
// The table towards CP932 holds only codes that give their character back: CP932 turns some
// characters into a look-alike of its own (U+301C WAVE DASH into the code of U+FF5E, U+00A5 into
// the backslash), and such a character has no code here, so that a caller can tell a character
// CP932 holds exactly from one it would change. Where CP932 has two codes for one character (NEC
// row 13 and JIS row 2, the NEC-selected and the IBM extension kanji) the table names the one the
// code page writes.

#include <cstdint>

namespace ranvo {

inline constexpr char16_t kNoCharacter = 0xFFFF;
inline constexpr std::uint16_t kNoCode = 0xFFFF;

[[nodiscard]] constexpr bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

class Cp932Chars {
public:
    [[nodiscard]] static const Cp932Chars& Get();

    // The character of a code; kNoCharacter for a code CP932 leaves undefined.
    [[nodiscard]] char16_t CharacterOf(std::uint16_t code) const { return m_characters[code]; }
    // The code that holds `character` and gives it back; kNoCode when there is none.
    [[nodiscard]] std::uint16_t CodeOf(char32_t character) const {
        return character < 0x10000 ? m_codes[character] : kNoCode;
    }

    Cp932Chars(const Cp932Chars&) = delete;
    Cp932Chars& operator=(const Cp932Chars&) = delete;

private:
    Cp932Chars();

    char16_t m_characters[0x10000];
    std::uint16_t m_codes[0x10000];
};

} // namespace ranvo
