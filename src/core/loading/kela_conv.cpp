#include "core/loading/kela_conv.h"

#include "core/platform/cp932_chars.h"
#include "core/platform/supplementary_kanji.h"
#include "core/text/sjis.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace ranvo {
namespace {

constexpr unsigned char kEsc = 0x1B;

// Full-width Shift_JIS codes of the half-width katakana A1 to DF, in the JIS X 0201 to JIS X 0208
// correspondence: punctuation, ヲ, the small kana, ー, the kana ア to ン, then ゛ and ゜.
constexpr std::array<std::uint16_t, 63> kZenKana = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348,
    0x8383, 0x8385, 0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A,
    0x834C, 0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360,
    0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C, 0x836D, 0x836E, 0x8371, 0x8374,
    0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389,
    0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B};

// The equals of the IBM extension symbols FA40-FA5B: small roman numerals (NEC-selected), roman
// numerals (row 13), ￢, ￤, ＇, ＂, ㈱, №, ℡, ∵.
constexpr std::array<std::uint16_t, 28> kIbmSymbolEquals = {
    0xEEEF, 0xEEF0, 0xEEF1, 0xEEF2, 0xEEF3, 0xEEF4, 0xEEF5, 0xEEF6, 0xEEF7, 0xEEF8,
    0x8754, 0x8755, 0x8756, 0x8757, 0x8758, 0x8759, 0x875A, 0x875B, 0x875C, 0x875D,
    0x81CA, 0xEEFA, 0xEEFB, 0xEEFC, 0x878A, 0x8782, 0x8784, 0x81E6};

constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;

[[nodiscard]] constexpr bool isHanKana(unsigned char byte) {
    return byte >= 0xA1 && byte <= 0xDF;
}

[[nodiscard]] constexpr bool isJisByte(unsigned char byte) {
    return byte >= 0x21 && byte <= 0x7E;
}

[[nodiscard]] constexpr bool isEucByte(unsigned char byte) {
    return byte >= 0xA1 && byte <= 0xFE;
}

// ｶ to ﾄ, ﾊ to ﾎ and ｳ take the voiced mark; ﾊ to ﾎ also the semi-voiced one.
[[nodiscard]] constexpr bool takesVoicedMark(unsigned char kana) {
    return (kana >= 0xB6 && kana <= 0xC4) || (kana >= 0xCA && kana <= 0xCE) || kana == 0xB3;
}

[[nodiscard]] constexpr bool takesSemiVoicedMark(unsigned char kana) {
    return kana >= 0xCA && kana <= 0xCE;
}

// Lead bytes of the user-defined area and the rows they take: F0, F1 and F4 stand in JIS X 0208
// where the arithmetic puts EB, EC and EF; F5-F9 stand in JIS X 0212 where it puts EB-EF.
constexpr unsigned kKanjiUserShift = 5;
constexpr unsigned kSupplementaryUserShift = 10;
constexpr unsigned char kFirstUserRow = 0x75; // rows 85-94
constexpr unsigned char kFirstNecSelectedRow = 0x79;
constexpr unsigned char kLastNecSelectedRow = 0x7C;

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

[[nodiscard]] inline std::uint64_t loadWord(const unsigned char* in) {
    std::uint64_t word;
    std::memcpy(&word, in, sizeof word);
    return word;
}

// How many of the eight bytes of `word`, in memory order, come before the first byte of 80 or
// above. Text is scanned a word at a time: the word is stored whole and the output advanced by
// this count, so a run of ASCII costs one step per eight bytes and the switch between ASCII and
// double-byte characters needs no hard-to-predict branch per byte.
[[nodiscard]] inline std::size_t leadingAscii(std::uint64_t word) {
    static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
    return static_cast<std::size_t>(std::countr_zero(word & kHighBits)) / 8;
}

// The same, up to the first ESC byte.
[[nodiscard]] inline std::size_t leadingPlain(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    const std::uint64_t esc = word ^ (kEsc * kOnes); // 0 in a byte that is ESC
    const std::uint64_t stop = (word | ((esc - kOnes) & ~esc)) & kHighBits;
    return static_cast<std::size_t>(std::countr_zero(stop)) / 8;
}

// Four double-byte characters at a time. In a word of eight bytes read little-endian, each 16-bit
// lane holds one character: its first byte in the low half, its second in the high half. The
// per-character arithmetic is done on all four lanes at once; every intermediate value stays
// below 10000 (hex), so no lane carries into the next, and comparisons are made by adding the
// distance to 100 and reading bit 8.
constexpr std::uint64_t kLaneOnes = 0x0001000100010001ULL;
constexpr std::uint64_t kLaneLowBytes = 0x00FF00FF00FF00FFULL;

// 1 in each lane whose value (00-FF) is at least `bound`, else 0.
[[nodiscard]] constexpr std::uint64_t lanesAtLeast(std::uint64_t lanes, unsigned bound) {
    return ((lanes + (0x100u - bound) * kLaneOnes) >> 8) & kLaneOnes;
}

// 1 in each lane whose value lies in `low`-`high`.
[[nodiscard]] constexpr std::uint64_t lanesWithin(std::uint64_t lanes, unsigned low,
                                                  unsigned high) {
    return lanesAtLeast(lanes, low) & (lanesAtLeast(lanes, high + 1) ^ kLaneOnes);
}

// How many lanes at the front of the word have their flag (bit 0) set: the characters, up to
// four, that one step converts. The rest of the word is converted too but not taken.
[[nodiscard]] constexpr std::size_t leadingLanes(std::uint64_t flags) {
    return static_cast<std::size_t>(std::countr_zero(flags ^ kLaneOnes)) / 16;
}

// 1 in each lane that holds an EUC-JP character of rows 1-84 (first byte A1-F4, second A1-FE),
// which the arithmetic alone converts.
[[nodiscard]] constexpr std::uint64_t eucCharLanes(std::uint64_t word) {
    return lanesWithin(word & kLaneLowBytes, 0xA1, 0xF4) &
           lanesWithin((word >> 8) & kLaneLowBytes, 0xA1, 0xFE);
}

// 1 in each lane that holds a JIS X 0208 pair of rows 1-84 (first byte 21-74, second 21-7E).
[[nodiscard]] constexpr std::uint64_t jisCharLanes(std::uint64_t word) {
    return lanesWithin(word & kLaneLowBytes, 0x21, 0x74) &
           lanesWithin((word >> 8) & kLaneLowBytes, 0x21, 0x7E);
}

// TKelaConv::JisCharToSjis of the EUC-JP characters in the lanes whose bytes lie in A1-FE, or of
// the JIS pairs in the lanes whose bytes lie in 21-7E (the top bit is not looked at).
[[nodiscard]] constexpr std::uint64_t fourEucCharsToSjis(std::uint64_t word) {
    const std::uint64_t j1 = word & 0x007F007F007F007FULL;
    const std::uint64_t j2 = (word >> 8) & 0x007F007F007F007FULL;
    const std::uint64_t odd = j1 & kLaneOnes;
    const std::uint64_t lead = (((j1 + kLaneOnes) >> 1) & kLaneLowBytes) + 0x70 * kLaneOnes +
                               0x40 * lanesAtLeast(j1, 0x5F);
    const std::uint64_t trail =
        j2 + 0x1F * kLaneOnes + (odd & lanesAtLeast(j2, 0x60)) + 0x5F * (odd ^ kLaneOnes);
    return lead | (trail << 8);
}

// 1 in each lane that holds a Shift_JIS character of rows 1-84: a lead byte 81-9F or E0-EA and a
// trail byte 40-7E or 80-FC. Flipping bit 5 maps those lead bytes, and only them, onto A1-CA.
[[nodiscard]] constexpr std::uint64_t sjisCharLanes(std::uint64_t word) {
    const std::uint64_t flipped = (word & kLaneLowBytes) ^ (0x20 * kLaneOnes);
    const std::uint64_t trail = (word >> 8) & kLaneLowBytes;
    return lanesWithin(flipped, 0xA1, 0xCA) & lanesWithin(trail, 0x40, 0xFC) &
           lanesAtLeast(trail ^ (0x7F * kLaneOnes), 0x01);
}

// TKelaConv::SjisCharToJis of four Shift_JIS characters, plus `offset` (80 for EUC-JP) on every
// byte, all modulo 100. Subtractions are made as additions of their complement modulo 100.
[[nodiscard]] constexpr std::uint64_t fourSjisCharsToJis(std::uint64_t word, unsigned offset) {
    const std::uint64_t s1 = word & kLaneLowBytes;
    const std::uint64_t s2 = (word >> 8) & kLaneLowBytes;
    const std::uint64_t trailFrom9F = lanesAtLeast(s2, 0x9F);
    // 2 s1 - E0 - 80 (s1 >= A0) - 1 (s2 < 9F)
    const std::uint64_t j1 = 2 * s1 + (0x20u + offset) * kLaneOnes + 0x80 * lanesAtLeast(s1, 0xA0) +
                             0xFF * (trailFrom9F ^ kLaneOnes);
    // s2 - 1F - 1 (s2 >= 7F) - 5E (s2 >= 9F)
    const std::uint64_t j2 =
        s2 + (0xE1u + offset) * kLaneOnes + 0xFF * lanesAtLeast(s2, 0x7F) + 0xA2 * trailFrom9F;
    return (j1 & kLaneLowBytes) | ((j2 & kLaneLowBytes) << 8);
}

// Output is made a piece at a time in a buffer that stays in the first-level cache and then
// appended to the result, so the result is written once and never filled with zeros first, and
// the inner loops never check for room per character: a piece of input is chosen small enough
// for its worst case to fit.
constexpr std::size_t kPiece = 16384;
// What the last character of a piece may write beyond the piece's share: an ASCII word store
// (up to seven bytes past its run), escapes and a double-byte character.
constexpr std::size_t kPieceSlack = 32;
using PieceBuffer = std::array<unsigned char, kPiece + kPieceSlack>;

void appendPiece(std::string& result, const PieceBuffer& buffer, const unsigned char* end) {
    result.append(reinterpret_cast<const char*>(buffer.data()),
                  static_cast<std::size_t>(end - buffer.data()));
}

[[nodiscard]] inline unsigned char* putCode(unsigned char* out, std::uint16_t code) {
    if (code < 0x100) {
        *out = static_cast<unsigned char>(code);
        return out + 1;
    }
    out[0] = static_cast<unsigned char>(code >> 8);
    out[1] = static_cast<unsigned char>(code);
    return out + 2;
}

// ---- Shift_JIS to EUC-JP and JIS ----

enum class Target { Sjis, Jis, Euc };

// The escape JIS output writes to enter a mode; `returnFinal` (B or J) ends the one to ASCII.
std::string_view escapeOf(JisMode mode, unsigned char returnFinal) {
    switch (mode) {
    case JisMode::Ascii:
        return returnFinal == 'J' ? "\x1B(J" : "\x1B(B";
    case JisMode::Kana:
        return "\x1B(I";
    case JisMode::Kanji:
        return "\x1B$B";
    case JisMode::Supplementary:
        break;
    }
    return "\x1B$(D";
}

// Where a double-byte code is written: a row and cell of JIS X 0208 or JIS X 0212, or nowhere.
struct Placement {
    JisMode set; // Kanji or Supplementary; Ascii for a code with no place
    unsigned char row;
    unsigned char cell;
};

constexpr Placement kNoPlace{JisMode::Ascii, 0, 0};

// A CP932 code as it stands in JIS, with no character of a map behind it.
Placement placeCode(std::uint16_t code) {
    code = NecEqualOfIbmCode(code);
    auto lead = static_cast<unsigned char>(code >> 8);
    JisMode set = JisMode::Kanji;
    if (lead >= 0xF5 && lead <= 0xF9) {
        set = JisMode::Supplementary;
        lead = static_cast<unsigned char>(lead - kSupplementaryUserShift);
    } else if (lead == 0xF0 || lead == 0xF1 || lead == 0xF4) {
        lead = static_cast<unsigned char>(lead - kKanjiUserShift);
    } else if (lead >= 0xEB && lead != 0xED && lead != 0xEE) {
        return kNoPlace;
    }
    const CharBytes jis = TKelaConv::SjisCharToJis(lead, static_cast<unsigned char>(code));
    return {set, jis[0], jis[1]};
}

// A code the map gave to a character is written as that character: back where JIS X 0212 has it
// (what it was read from), else as its CP932 code.
Placement placeMappedCode(std::uint16_t code, const CharacterMap* characters) {
    const std::optional<std::size_t> userArea = UserAreaIndex(code);
    if (characters == nullptr || !userArea || !characters->IsRedefined(*userArea)) {
        return placeCode(code);
    }
    const char32_t character = characters->CharacterOf(*userArea);
    if (const auto rowCell = SupplementaryKanji::Get().RowCellOf(character)) {
        return {JisMode::Supplementary, (*rowCell)[0], (*rowCell)[1]};
    }
    const std::uint16_t own = Cp932Chars::Get().CodeOf(character);
    return own != kNoCode && own >= 0x100 ? placeCode(own) : kNoPlace;
}

struct EncodeSettings {
    TJisKanaConvType kana = TJisKanaConvType::ktNone;
    unsigned char returnFinal = 'B'; // ESC ( B or ESC ( J back to single bytes
    const CharacterMap* characters = nullptr;
};

// Writes the escape into `next` unless JIS output is in it already.
template <Target target>
[[nodiscard]] inline unsigned char* enter(unsigned char* out, JisMode& mode, JisMode next,
                                          unsigned char returnFinal) {
    if (target == Target::Jis && mode != next) {
        const std::string_view escape = escapeOf(next, returnFinal);
        std::memcpy(out, escape.data(), escape.size());
        out += escape.size();
        mode = next;
    }
    return out;
}

// The escape at the front of `rest` and the mode it sets, with its length; nothing for any other
// escape, which stays in the text as bytes.
struct Escape {
    JisMode mode;
    std::size_t length;
};

std::optional<Escape> jisEscape(const unsigned char* rest, std::size_t left) {
    if (left >= 3 && rest[1] == '(') {
        switch (rest[2]) {
        case 'B':
        case 'J':
            return Escape{JisMode::Ascii, 3};
        case 'I':
            return Escape{JisMode::Kana, 3};
        default:
            return std::nullopt;
        }
    }
    if (left >= 3 && rest[1] == '$' && (rest[2] == 'B' || rest[2] == '@')) {
        return Escape{JisMode::Kanji, 3};
    }
    if (left >= 4 && rest[1] == '$' && rest[2] == '(' && rest[3] == 'D') {
        return Escape{JisMode::Supplementary, 4};
    }
    return std::nullopt;
}

// Whether a piece that ends with `rest` may end inside an escape that is known.
bool mayBeEscape(const unsigned char* rest, std::size_t left) {
    for (const std::string_view known :
         {"\x1B(B", "\x1B(J", "\x1B(I", "\x1B$B", "\x1B$@", "\x1B$(D"}) {
        if (left < known.size() && std::memcmp(rest, known.data(), left) == 0) {
            return true;
        }
    }
    return false;
}

// Shift_JIS to `target`, with the katakana step of the settings folded into the same pass. The
// write position, the mode and the count of lost characters live in locals that never have their
// address taken, so the compiler keeps them in registers across the byte stores. Target::Sjis
// only widens katakana and copies everything else, so that it never loses a byte.
template <Target target>
std::size_t encode(std::string_view text, bool last, const EncodeSettings& settings,
                   JisMode& modeCarried, ConvertedText& result) {
    // Most bytes an input byte can become: a lone kana in JIS is ESC $ B and a full-width pair.
    constexpr std::size_t kMaxGrowth = target == Target::Jis ? 5 : 2;

    const auto* const in = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    const bool convertKana = settings.kana != TJisKanaConvType::ktNone;
    const bool mergeMarks = settings.kana == TJisKanaConvType::ktZenWithDaku;
    // Most text keeps its size (a double-byte character stays two bytes); a little more covers
    // some escapes or widened katakana without growing.
    result.bytes.reserve(result.bytes.size() + size + size / 8 + 8);
    PieceBuffer buffer;

    const unsigned char returnFinal = settings.returnFinal;
    JisMode mode = modeCarried;
    std::size_t lost = 0;
    std::size_t pos = 0;
    bool cut = false;
    while (pos < size && !cut) {
        const std::size_t pieceEnd = std::min(size, pos + kPiece / kMaxGrowth);
        unsigned char* out = buffer.data();
        while (pos < pieceEnd) {
            // Eight bytes at a time where eight remain: the ASCII, or the up to four double-byte
            // characters, at the front of the word are taken in one step. The whole word is
            // stored; what lies past the part taken is overwritten next (or by the slack).
            if (pos + 8 <= size) {
                const std::uint64_t word = loadWord(in + pos);
                // JIS stops at an ESC byte of the text, which might be read back as an escape.
                const std::size_t ascii =
                    target == Target::Jis ? leadingPlain(word) : leadingAscii(word);
                if (ascii != 0) {
                    out = enter<target>(out, mode, JisMode::Ascii, returnFinal);
                    std::memcpy(out, &word, sizeof word);
                    out += ascii;
                    pos += ascii;
                    continue;
                }
                if (const std::size_t chars = leadingLanes(sjisCharLanes(word)); chars != 0) {
                    out = enter<target>(out, mode, JisMode::Kanji, returnFinal);
                    const std::uint64_t converted =
                        target == Target::Sjis
                            ? word
                            : fourSjisCharsToJis(word, target == Target::Euc ? 0x80 : 0);
                    std::memcpy(out, &converted, sizeof converted);
                    out += 2 * chars;
                    pos += 2 * chars;
                    continue;
                }
            }
            // One character; from here on `byte` is 80 or above, or in the last seven bytes.
            const unsigned char byte = in[pos];
            std::uint16_t code = 0;
            if (target == Target::Jis && byte == kEsc) {
                // An ESC that begins a known escape would switch the mode when the file is read
                // back: it is written as "?" and counted, like any character JIS cannot hold.
                if (!last && mayBeEscape(in + pos, size - pos)) {
                    cut = true;
                    break;
                }
                out = enter<target>(out, mode, JisMode::Ascii, returnFinal);
                const bool escape = jisEscape(in + pos, size - pos).has_value();
                *out++ = escape ? '?' : byte;
                lost += escape ? 1 : 0;
                ++pos;
                continue;
            }
            if (byte < 0x80) {
                out = enter<target>(out, mode, JisMode::Ascii, returnFinal);
                *out++ = byte;
                ++pos;
                continue;
            }
            if (IsLeadByte(byte) && pos + 1 == size && !last) {
                cut = true;
                break;
            }
            if (IsLeadByte(byte) && pos + 1 < size && IsTrailByte(in[pos + 1])) {
                code = static_cast<std::uint16_t>(byte << 8 | in[pos + 1]);
                pos += 2;
            } else if (convertKana && isHanKana(byte)) {
                code = kZenKana[byte - 0xA1];
                ++pos;
                if (mergeMarks && pos < size) {
                    if (in[pos] == kVoicedMark && takesVoicedMark(byte)) {
                        code = byte == 0xB3 ? 0x8394 : code + 1; // ｳﾞ is ヴ, not ウ + 1
                        ++pos;
                    } else if (in[pos] == kSemiVoicedMark && takesSemiVoicedMark(byte)) {
                        code += 2;
                        ++pos;
                    }
                }
            } else if (isHanKana(byte) && target != Target::Sjis) {
                out = enter<target>(out, mode, JisMode::Kana, returnFinal);
                if (target == Target::Euc) {
                    *out++ = 0x8E;
                    *out++ = byte;
                } else {
                    *out++ = static_cast<unsigned char>(byte - 0x80);
                }
                ++pos;
                continue;
            } else {
                // A byte that is no character: a lead byte without its trail byte, 80, A0, FD-FF.
                ++pos;
                if constexpr (target == Target::Sjis) {
                    *out++ = byte;
                } else {
                    out = enter<target>(out, mode, JisMode::Ascii, returnFinal);
                    *out++ = '?';
                    ++lost;
                }
                continue;
            }
            if constexpr (target == Target::Sjis) {
                out = putCode(out, code);
                continue;
            }
            const Placement place = placeMappedCode(code, settings.characters);
            if (place.set == JisMode::Ascii) {
                out = enter<target>(out, mode, JisMode::Ascii, returnFinal);
                *out++ = '?';
                ++lost;
                continue;
            }
            const unsigned char offset = target == Target::Euc ? 0x80 : 0;
            out = enter<target>(out, mode, place.set, returnFinal);
            if (target == Target::Euc && place.set == JisMode::Supplementary) {
                *out++ = 0x8F;
            }
            out[0] = static_cast<unsigned char>(place.row + offset);
            out[1] = static_cast<unsigned char>(place.cell + offset);
            out += 2;
        }
        appendPiece(result.bytes, buffer, out);
    }
    if (target == Target::Jis && last && pos == size && mode != JisMode::Ascii) {
        result.bytes += escapeOf(JisMode::Ascii, returnFinal);
        mode = JisMode::Ascii;
    }
    modeCarried = mode;
    result.replaced += lost;
    return pos;
}

// ---- EUC-JP and JIS to Shift_JIS ----

// The code of a user-defined character read from a file: its own, unless the map gave that to
// another character while this one was not yet seen.
std::optional<std::uint16_t> userAreaCode(std::uint16_t code, CharacterMap* characters) {
    if (characters == nullptr) {
        return code;
    }
    return characters->CodeFor(kFirstPrivateUse + static_cast<char32_t>(*UserAreaIndex(code)));
}

// The CP932 code of a JIS X 0208 row and cell (both 21-7E), with the rows of CP932's extensions
// placed as TKelaConv describes.
std::optional<std::uint16_t> kanjiCode(unsigned char row, unsigned char cell,
                                       CharacterMap* characters) {
    const CharBytes sjis = *TKelaConv::JisCharToSjis(row, cell);
    const auto code = static_cast<std::uint16_t>(sjis[0] << 8 | sjis[1]);
    if (row < kFirstUserRow || (row >= kFirstNecSelectedRow && row <= kLastNecSelectedRow)) {
        return code;
    }
    return userAreaCode(static_cast<std::uint16_t>(code + (kKanjiUserShift << 8)), characters);
}

// The CP932 code of a JIS X 0212 row and cell (both 21-7E): the user-defined rows arithmetically,
// any other character through the map (or, without one, as the CP932 code of the same character).
std::optional<std::uint16_t> supplementaryCode(unsigned char row, unsigned char cell,
                                               CharacterMap* characters) {
    if (row >= kFirstUserRow) {
        const CharBytes sjis = *TKelaConv::JisCharToSjis(row, cell);
        const auto code =
            static_cast<std::uint16_t>((sjis[0] + kSupplementaryUserShift) << 8 | sjis[1]);
        return userAreaCode(code, characters);
    }
    const std::optional<char32_t> character = SupplementaryKanji::Get().CharacterAt(row, cell);
    if (!character) {
        return std::nullopt;
    }
    if (characters != nullptr) {
        return characters->CodeFor(*character);
    }
    const std::uint16_t own = Cp932Chars::Get().CodeOf(*character);
    return own != kNoCode ? std::optional<std::uint16_t>(own) : std::nullopt;
}

unsigned char* putCodeOrLose(unsigned char* out, std::optional<std::uint16_t> code,
                             ConvertedText& result) {
    if (code) {
        return putCode(out, *code);
    }
    ++result.replaced;
    *out = '?';
    return out + 1;
}

std::size_t decodeEuc(std::string_view euc, bool last, CharacterMap* characters,
                      ConvertedText& result) {
    const auto* const in = reinterpret_cast<const unsigned char*>(euc.data());
    const std::size_t size = euc.size();
    result.bytes.reserve(result.bytes.size() + size);
    PieceBuffer buffer;

    std::size_t pos = 0;
    bool cut = false;
    while (pos < size && !cut) {
        const std::size_t pieceEnd = std::min(size, pos + kPiece);
        // Every character becomes at most as many bytes as it had, so the output never passes
        // the input position: word stores stay inside the buffer.
        unsigned char* out = buffer.data();
        while (pos < pieceEnd) {
            if (pos + 8 <= size) {
                const std::uint64_t word = loadWord(in + pos);
                if (const std::size_t ascii = leadingAscii(word); ascii != 0) {
                    std::memcpy(out, &word, sizeof word);
                    out += ascii;
                    pos += ascii;
                    continue;
                }
                if (const std::size_t chars = leadingLanes(eucCharLanes(word)); chars != 0) {
                    const std::uint64_t converted = fourEucCharsToSjis(word);
                    std::memcpy(out, &converted, sizeof converted);
                    out += 2 * chars;
                    pos += 2 * chars;
                    continue;
                }
            }
            const unsigned char byte = in[pos];
            const std::size_t left = size - pos;
            const std::size_t needed = byte == 0x8F ? 3 : byte == 0x8E || isEucByte(byte) ? 2 : 1;
            if (left < needed && !last) {
                cut = true;
                break;
            }
            const unsigned char second = left > 1 ? in[pos + 1] : 0;
            const unsigned char third = left > 2 ? in[pos + 2] : 0;
            if (byte < 0x80) {
                *out++ = byte;
                ++pos;
            } else if (isEucByte(byte) && isEucByte(second)) {
                out = putCodeOrLose(out, kanjiCode(byte & 0x7F, second & 0x7F, characters), result);
                pos += 2;
            } else if (byte == 0x8E && isHanKana(second)) {
                *out++ = second;
                pos += 2;
            } else if (byte == 0x8F && isEucByte(second) && isEucByte(third)) {
                out = putCodeOrLose(out, supplementaryCode(second & 0x7F, third & 0x7F, characters),
                                    result);
                pos += 3;
            } else {
                // A byte that starts no character; the byte after it is read afresh.
                out = putCodeOrLose(out, std::nullopt, result);
                ++pos;
            }
        }
        appendPiece(result.bytes, buffer, out);
    }
    return pos;
}

// The length of the run of bytes from `pos` that a single-byte mode copies as they are: below 80
// and no escape.
std::size_t plainRun(const unsigned char* in, std::size_t pos, std::size_t end) {
    std::size_t at = pos;
    for (; at + 8 <= end; at += 8) {
        if (const std::size_t plain = leadingPlain(loadWord(in + at)); plain < 8) {
            return at + plain - pos;
        }
    }
    while (at < end && in[at] < 0x80 && in[at] != kEsc) {
        ++at;
    }
    return at - pos;
}

std::size_t decodeJis(std::string_view jis, bool last, JisMode& mode, CharacterMap* characters,
                      ConvertedText& result) {
    const auto* const in = reinterpret_cast<const unsigned char*>(jis.data());
    const std::size_t size = jis.size();
    result.bytes.reserve(result.bytes.size() + size);
    PieceBuffer buffer;

    std::size_t pos = 0;
    bool cut = false;
    while (pos < size && !cut) {
        const std::size_t pieceEnd = std::min(size, pos + kPiece);
        // Escapes vanish and a pair stays a pair, so the output never outgrows the input.
        unsigned char* out = buffer.data();
        while (pos < pieceEnd) {
            if (mode == JisMode::Kanji && pos + 8 <= size) {
                const std::uint64_t word = loadWord(in + pos);
                if (const std::size_t chars = leadingLanes(jisCharLanes(word)); chars != 0) {
                    const std::uint64_t converted = fourEucCharsToSjis(word);
                    std::memcpy(out, &converted, sizeof converted);
                    out += 2 * chars;
                    pos += 2 * chars;
                    continue;
                }
            }
            const unsigned char byte = in[pos];
            const std::size_t left = size - pos;
            if (byte == kEsc) {
                if (const std::optional<Escape> escape = jisEscape(in + pos, left)) {
                    mode = escape->mode;
                    pos += escape->length;
                    continue;
                }
                if (!last && mayBeEscape(in + pos, left)) {
                    cut = true;
                    break;
                }
            }
            const bool doubleByte = mode == JisMode::Kanji || mode == JisMode::Supplementary;
            if (byte < 0x21 || (byte < 0x80 && !doubleByte)) {
                // Single-byte text, and control bytes in any mode, are copied up to the next
                // escape or 8-bit byte (one byte in a double-byte mode, whose pairs come next).
                const std::size_t run =
                    doubleByte ? 1 : std::max<std::size_t>(1, plainRun(in, pos, pieceEnd));
                if (mode == JisMode::Kana) {
                    for (std::size_t i = 0; i < run; ++i) {
                        const unsigned char c = in[pos + i];
                        out[i] = c >= 0x21 && c <= 0x5F ? static_cast<unsigned char>(c + 0x80) : c;
                    }
                } else {
                    std::memcpy(out, in + pos, run);
                }
                out += run;
                pos += run;
            } else if (isHanKana(byte)) {
                *out++ = byte; // 8-bit katakana, as JIS writers for 8-bit channels wrote them
                ++pos;
            } else if (!doubleByte || !isJisByte(byte)) {
                out = putCodeOrLose(out, std::nullopt, result);
                ++pos;
            } else if (left < 2 && !last) {
                cut = true;
                break;
            } else if (left < 2 || !isJisByte(in[pos + 1])) {
                out = putCodeOrLose(out, std::nullopt, result);
                ++pos;
            } else {
                const unsigned char cell = in[pos + 1];
                out = putCodeOrLose(out,
                                    mode == JisMode::Kanji
                                        ? kanjiCode(byte, cell, characters)
                                        : supplementaryCode(byte, cell, characters),
                                    result);
                pos += 2;
            }
        }
        appendPiece(result.bytes, buffer, out);
    }
    return pos;
}

EncodeSettings settingsOf(const TKelaConv& converter) {
    return {converter.JisKanaConvType,
            static_cast<unsigned char>(
                converter.JisByteCodeType == TJisByteCodeType::btRoman ? 'J' : 'B'),
            nullptr};
}

} // namespace

std::uint16_t NecEqualOfIbmCode(std::uint16_t code) {
    constexpr std::uint16_t kFirstIbmKanji = 0xFA5C;
    if (code < 0xFA40 || code > 0xFC4B || !IsTrailByte(static_cast<unsigned char>(code))) {
        return code;
    }
    if (code < kFirstIbmKanji) {
        return kIbmSymbolEquals[code - 0xFA40];
    }
    // The IBM extension kanji stand in the NEC-selected rows in the same order, from ED40 on.
    const auto indexOf = [](std::uint16_t c) {
        const unsigned trail = c & 0xFFu;
        return (c >> 8) * 188u + trail - 0x40u - unsigned{trail > 0x7F};
    };
    const unsigned index = indexOf(code) - indexOf(kFirstIbmKanji) + indexOf(0xED40);
    const unsigned trail = index % 188;
    return static_cast<std::uint16_t>((index / 188) << 8 |
                                      (trail + 0x40 + unsigned{trail >= 0x3F}));
}

std::string TKelaConv::JisToSjis(std::string_view jis) const {
    ConvertedText result;
    JisMode mode = JisMode::Ascii;
    decodeJis(jis, true, mode, nullptr, result);
    return std::move(result.bytes);
}

std::string TKelaConv::EucToSjis(std::string_view euc) const {
    ConvertedText result;
    decodeEuc(euc, true, nullptr, result);
    return std::move(result.bytes);
}

std::string TKelaConv::SjisToJis(std::string_view sjis) const {
    ConvertedText result;
    JisMode mode = JisMode::Ascii;
    encode<Target::Jis>(sjis, true, settingsOf(*this), mode, result);
    return std::move(result.bytes);
}

std::string TKelaConv::SjisToEuc(std::string_view sjis) const {
    ConvertedText result;
    JisMode mode = JisMode::Ascii;
    encode<Target::Euc>(sjis, true, settingsOf(*this), mode, result);
    return std::move(result.bytes);
}

std::string TKelaConv::HanKanaToZenWithDaku(std::string_view sjis) {
    ConvertedText result;
    JisMode mode = JisMode::Ascii;
    encode<Target::Sjis>(sjis, true, {TJisKanaConvType::ktZenWithDaku}, mode, result);
    return std::move(result.bytes);
}

std::string TKelaConv::HanKanaToZenSepaDaku(std::string_view sjis) {
    ConvertedText result;
    JisMode mode = JisMode::Ascii;
    encode<Target::Sjis>(sjis, true, {TJisKanaConvType::ktZenSepaDaku}, mode, result);
    return std::move(result.bytes);
}

std::size_t AppendEucAsCp932(std::string_view euc, bool last, CharacterMap* characters,
                             ConvertedText& out) {
    return decodeEuc(euc, last, characters, out);
}

std::size_t AppendJisAsCp932(std::string_view jis, bool last, JisMode& mode,
                             CharacterMap* characters, ConvertedText& out) {
    return decodeJis(jis, last, mode, characters, out);
}

std::size_t AppendCp932AsEuc(std::string_view cp932, bool last, const CharacterMap* characters,
                             ConvertedText& out) {
    JisMode mode = JisMode::Ascii;
    return encode<Target::Euc>(cp932, last, {TJisKanaConvType::ktNone, 'B', characters}, mode, out);
}

std::size_t AppendCp932AsJis(std::string_view cp932, bool last, JisMode& mode,
                             const CharacterMap* characters, ConvertedText& out) {
    return encode<Target::Jis>(cp932, last, {TJisKanaConvType::ktNone, 'B', characters}, mode, out);
}

} // namespace ranvo
