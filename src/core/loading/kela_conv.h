#pragma once

// Whole-text conversion between Shift_JIS, in which all data text is held, and the two other
// Japanese encodings a data file may use: EUC-JP and 7-bit JIS (ISO-2022-JP). The double-byte set
// is JIS X 0208 throughout, converted by the standard row/cell arithmetic without tables.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ranvo {

// Escape that JIS output writes when it returns from double-byte to single-byte mode:
// ESC ( B (ASCII) or ESC ( J (JIS X 0201 Roman).
enum class TJisByteCodeType { btAscii, btRoman };

// What happens to half-width katakana before encoding to JIS or EUC-JP: nothing; made full-width
// with a following voiced or semi-voiced mark merged into the kana; made full-width with the marks
// as characters of their own.
enum class TJisKanaConvType { ktNone, ktZenWithDaku, ktZenSepaDaku };

// Two bytes of one double-byte character, as unsigned values.
using CharBytes = std::array<unsigned char, 2>;

// The kanji code converter. Every conversion reads a byte string and answers a new one in a single
// pass; none fails, and bytes that mean nothing in the source encoding are copied unchanged, so a
// damaged file loads with its damage visible instead of being refused. The two properties only
// affect encoding to JIS and EUC-JP; the decoders accept what either setting writes.
//
// Decoding also accepts what older JIS writers produce: ESC $ @ (JIS C 6226) opens double-byte
// mode like ESC $ B, and ESC ( I opens half-width katakana mode, where bytes 21-5F stand for the
// katakana A1-DF. A lone byte at the end of double-byte JIS text, or an EUC-JP lead byte at the end
// of the text, is copied rather than dropped, so that nothing disappears silently. Only a pair in
// double-byte mode whose first byte lies outside 21-7E gives nothing; no other escape is known and
// line breaks keep the mode, as well-formed JIS returns to single-byte mode before a line end.
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

// EUC-JP for writing data files: half-width katakana stay half-width (8E xx), so that a record
// keeps its byte layout and reads back as it was written. JIS output has no such form in the
// 7-bit encoding the converter writes, so writers of JIS use TKelaConv with its defaults.
[[nodiscard]] std::string SjisToEucKeepingKana(std::string_view sjis);

} // namespace ranvo
