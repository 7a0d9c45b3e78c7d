#pragma once

// Whole-text conversion between Shift_JIS, in which all data text is held, and the two other
// Japanese encodings a data file may use: EUC-JP and 7-bit JIS (ISO-2022-JP). The double-byte set
// is JIS X 0208, converted by the standard row/cell arithmetic without tables; CP932's extensions
// are placed where Windows' EUC-JP places them (see TKelaConv).

#include "core/platform/character_map.h"
#include "core/platform/code_page.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ranvo {

// Escape that JIS output writes when it returns from double-byte to single-byte mode:
// ESC ( B (ASCII) or ESC ( J (JIS X 0201 Roman).
enum class TJisByteCodeType { btAscii, btRoman };

// What happens to half-width katakana before encoding to JIS or EUC-JP: nothing (they stay
// half-width: 8E xx in EUC-JP, ESC ( I in JIS); made full-width with a following voiced or
// semi-voiced mark merged into the kana; made full-width with the marks as characters of their own.
enum class TJisKanaConvType { ktNone, ktZenWithDaku, ktZenSepaDaku };

// Two bytes of one double-byte character, as unsigned values.
using CharBytes = std::array<unsigned char, 2>;

// The set JIS text is in after its last escape: ASCII (ESC ( B, or JIS Roman ESC ( J), half-width
// katakana (ESC ( I), JIS X 0208 (ESC $ B, or ESC $ @) or JIS X 0212 (ESC $ ( D). A text read or
// written in pieces carries it from one piece to the next.
enum class JisMode : unsigned char { Ascii, Kana, Kanji, Supplementary };

// The kanji code converter. Every conversion reads a byte string and answers a new one in a single
// pass, and none fails.
//
// CP932's codes beyond JIS X 0208 are placed as Windows' EUC-JP places them, so that they come back
// as the same characters: NEC row 13 (lead byte 87) and the NEC-selected IBM extension (ED, EE,
// rows 89-92) by the same arithmetic as JIS X 0208; the IBM extension (FA40-FC4B) as its
// NEC-selected or row 13 equal; the user-defined area's F040-F1FC in rows 85-88 and F440-F4FC in
// rows 93-94, and F540-F9FC in rows 85-94 of JIS X 0212 (8F in EUC-JP, ESC $ ( D in JIS). Codes
// with no such place (lead bytes EB, EC, EF, F2 and F3, whose rows the NEC-selected kanji hold,
// and FC4C on), bytes that form no Shift_JIS character, and on decoding any bytes that form no
// character of the source, become "?" and are counted as lost: a damaged text shows its damage
// once and keeps it as it is, instead of each conversion reading it differently. JIS X 0212
// characters are read through a CharacterMap where one is given (see AppendEucAsCp932).
//
// The decoders accept what older JIS writers produce: ESC $ @ (JIS C 6226) opens JIS X 0208 like
// ESC $ B, and ESC ( I, or an 8-bit byte A1-DF, is half-width katakana. In a double-byte mode a
// byte below 21 (a line end) stands for itself, as a JIS writer that leaves the mode open across
// lines means it to.
class TKelaConv {
public:
    TJisByteCodeType JisByteCodeType = TJisByteCodeType::btAscii;
    TJisKanaConvType JisKanaConvType = TJisKanaConvType::ktZenWithDaku;

    [[nodiscard]] std::string JisToSjis(std::string_view jis) const;
    [[nodiscard]] std::string EucToSjis(std::string_view euc) const;
    [[nodiscard]] std::string SjisToJis(std::string_view sjis) const;
    [[nodiscard]] std::string SjisToEuc(std::string_view sjis) const;

    // The Shift_JIS bytes of the JIS X 0208 character at row byte j1, cell byte j2; nothing when
    // j1 lies outside 21-7E. The cell byte is not checked: results are taken modulo 100 (hex).
    // The cases are added in as 0 or 1 rather than branched on: in Japanese text they alternate
    // at random, and a mispredicted branch costs more than the whole character.
    [[nodiscard]] static constexpr std::optional<CharBytes> JisCharToSjis(unsigned char j1,
                                                                          unsigned char j2) {
        if (j1 < 0x21 || j1 > 0x7E) {
            return std::nullopt;
        }
        // Lead: (j1 + 1) / 2 + 70, or + B0 above row 5E. Trail: j2 + 7E for an even row;
        // j2 + 1F, or + 20 from cell 60 on, for an odd one.
        const unsigned odd = j1 & 1u;
        const unsigned lead = (j1 + 1u) / 2u + 0x70u + 0x40u * unsigned{j1 > 0x5E};
        const unsigned trail = j2 + 0x1Fu + odd * unsigned{j2 >= 0x60} + (1u - odd) * 0x5Fu;
        return CharBytes{static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
    }

    // The JIS row and cell bytes of the Shift_JIS character s1 s2 (the inverse of the above).
    [[nodiscard]] static constexpr CharBytes SjisCharToJis(unsigned char s1, unsigned char s2) {
        // Row: 2 * s1 - E0 (s1 < A0) or - 160, one less when s2 < 9F. Cell: s2 - 1F up to 7E,
        // s2 - 20 up to 9E, s2 - 7E from 9F on.
        const unsigned j1 = 2u * s1 - 0xE0u - 0x80u * unsigned{s1 >= 0xA0} - unsigned{s2 < 0x9F};
        const unsigned j2 = s2 - 0x1Fu - unsigned{s2 >= 0x7F} - 0x5Eu * unsigned{s2 >= 0x9F};
        return CharBytes{static_cast<unsigned char>(j1), static_cast<unsigned char>(j2)};
    }

    // Shift_JIS text with every half-width katakana (a single-byte character A1-DF, never the
    // trail byte of a double-byte character) made full-width.
    [[nodiscard]] static std::string HanKanaToZenWithDaku(std::string_view sjis);
    [[nodiscard]] static std::string HanKanaToZenSepaDaku(std::string_view sjis);
};

// The equal of an IBM extension code (FA40-FC4B) among CP932's other codes: the NEC-selected
// kanji in the same order, and for the symbols the NEC-selected, row 13 or JIS X 0208 code of the
// same character. Any other code is answered unchanged.
[[nodiscard]] std::uint16_t NecEqualOfIbmCode(std::uint16_t code);

// The conversions of data files, a piece at a time: they append to `out` and answer how many
// input bytes were taken; unless `last`, a character or escape cut off at the end is left for
// the next piece. Half-width katakana stay half-width, so that a record keeps its byte layout,
// and what cannot be converted becomes "?" and is counted in `out.replaced`.
//
// Reading, a JIS X 0212 character gets a code of `characters` (the open file's map), which
// writing turns back into the same bytes; without a map it is read as its CP932 code where CP932
// has one. Writing, a code the map gave out is written as its character where the target holds
// it, and counted as lost where it does not.
std::size_t AppendEucAsCp932(std::string_view euc, bool last, CharacterMap* characters,
                             ConvertedText& out);
std::size_t AppendJisAsCp932(std::string_view jis, bool last, JisMode& mode,
                             CharacterMap* characters, ConvertedText& out);
std::size_t AppendCp932AsEuc(std::string_view cp932, bool last, const CharacterMap* characters,
                             ConvertedText& out);
// At the last piece JIS output returns to ASCII.
std::size_t AppendCp932AsJis(std::string_view cp932, bool last, JisMode& mode,
                             const CharacterMap* characters, ConvertedText& out);

} // namespace ranvo
