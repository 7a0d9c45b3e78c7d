#include "core/loading/kela_conv.h"

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

constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;

[[nodiscard]] constexpr bool isHanKana(unsigned char byte) {
    return byte >= 0xA1 && byte <= 0xDF;
}

// ｶ to ﾄ, ﾊ to ﾎ and ｳ take the voiced mark; ﾊ to ﾎ also the semi-voiced one.
[[nodiscard]] constexpr bool takesVoicedMark(unsigned char kana) {
    return (kana >= 0xB6 && kana <= 0xC4) || (kana >= 0xCA && kana <= 0xCE) || kana == 0xB3;
}

[[nodiscard]] constexpr bool takesSemiVoicedMark(unsigned char kana) {
    return kana >= 0xCA && kana <= 0xCE;
}

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

// How many lanes at the front of the word have their flag (bit 0) set: the characters, up to
// four, that one step converts. The rest of the word is converted too but not taken.
[[nodiscard]] constexpr std::size_t leadingLanes(std::uint64_t flags) {
    return static_cast<std::size_t>(std::countr_zero(flags ^ kLaneOnes)) / 16;
}

// 1 in each lane whose two bytes both lie in A1-FE: an EUC-JP double-byte character.
[[nodiscard]] constexpr std::uint64_t eucCharLanes(std::uint64_t word) {
    const std::uint64_t first = word & kLaneLowBytes;
    const std::uint64_t second = (word >> 8) & kLaneLowBytes;
    return lanesAtLeast(first, 0xA1) & lanesAtLeast(second, 0xA1) &
           ((lanesAtLeast(first, 0xFF) | lanesAtLeast(second, 0xFF)) ^ kLaneOnes);
}

// TKelaConv::JisCharToSjis of the EUC-JP characters in the lanes whose bytes lie in A1-FE.
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

// 1 in each lane whose first byte is a Shift_JIS lead byte (which takes whatever byte follows
// it). Flipping bit 5 maps the lead bytes 81-9F and E0-FC, and only them, onto one range A1-DC.
[[nodiscard]] constexpr std::uint64_t sjisCharLanes(std::uint64_t word) {
    const std::uint64_t flipped = (word & kLaneLowBytes) ^ (0x20 * kLaneOnes);
    return lanesAtLeast(flipped, 0xA1) & (lanesAtLeast(flipped, 0xDD) ^ kLaneOnes);
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

// Writes ESC, `intermediate`, `final` and answers the position after them. Positions are passed
// by value so that the caller's stays in a register.
[[nodiscard]] inline unsigned char* putEscape(unsigned char* out, unsigned char intermediate,
                                              unsigned char final) {
    out[0] = kEsc;
    out[1] = intermediate;
    out[2] = final;
    return out + 3;
}

enum class Target { Sjis, Jis, Euc };

// Shift_JIS to `target`, with the katakana step of `kanaType` folded into the same pass. The
// write position lives in a local that never has its address taken, so the compiler keeps it in
// a register across the byte stores.
template <Target target>
std::string encode(std::string_view text, TJisKanaConvType kanaType,
                   TJisByteCodeType byteCodeType) {
    // Most bytes an input byte can become: a lone kana in JIS is ESC $ B and a full-width pair.
    constexpr std::size_t kMaxGrowth = target == Target::Jis ? 5 : 2;

    const auto* const in = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    const auto returnFinal =
        static_cast<unsigned char>(byteCodeType == TJisByteCodeType::btRoman ? 'J' : 'B');
    const bool convertKana = kanaType != TJisKanaConvType::ktNone;
    const bool mergeMarks = kanaType == TJisKanaConvType::ktZenWithDaku;
    std::string result;
    // Most text keeps its size (a double-byte character stays two bytes); a little more covers
    // some escapes or widened katakana without growing.
    result.reserve(size + size / 8 + 8);
    PieceBuffer buffer;
    bool doubleByteMode = false;

    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t pieceEnd = std::min(size, pos + kPiece / kMaxGrowth);
        unsigned char* out = buffer.data();
        while (pos < pieceEnd) {
            // Eight bytes at a time where eight remain: the ASCII, or the up to four double-byte
            // characters, at the front of the word are taken in one step. The whole word is
            // stored; what lies past the part taken is overwritten next (or by the slack).
            if (pos + 8 <= size) {
                const std::uint64_t word = loadWord(in + pos);
                if (const std::size_t ascii = leadingAscii(word); ascii != 0) {
                    if (target == Target::Jis && doubleByteMode) {
                        out = putEscape(out, '(', returnFinal);
                        doubleByteMode = false;
                    }
                    std::memcpy(out, &word, sizeof word);
                    out += ascii;
                    pos += ascii;
                    continue;
                }
                if (const std::size_t chars = leadingLanes(sjisCharLanes(word)); chars != 0) {
                    if (target == Target::Jis && !doubleByteMode) {
                        out = putEscape(out, '$', 'B');
                        doubleByteMode = true;
                    }
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
            unsigned char s1 = byte;
            unsigned char s2 = 0;
            if (IsLeadByte(byte) && pos + 1 < size) {
                s2 = in[pos + 1];
                pos += 2;
            } else if (convertKana && isHanKana(byte)) {
                unsigned zen = kZenKana[byte - 0xA1];
                ++pos;
                if (mergeMarks && pos < size) {
                    if (in[pos] == kVoicedMark && takesVoicedMark(byte)) {
                        zen = byte == 0xB3 ? 0x8394 : zen + 1; // ｳﾞ is ヴ, not ウ + 1
                        ++pos;
                    } else if (in[pos] == kSemiVoicedMark && takesSemiVoicedMark(byte)) {
                        zen += 2;
                        ++pos;
                    }
                }
                s1 = static_cast<unsigned char>(zen >> 8);
                s2 = static_cast<unsigned char>(zen);
            } else if (target == Target::Euc && isHanKana(byte)) {
                out[0] = 0x8E;
                out[1] = byte;
                out += 2;
                ++pos;
                continue;
            } else {
                if (target == Target::Jis && doubleByteMode) {
                    out = putEscape(out, '(', returnFinal);
                    doubleByteMode = false;
                }
                *out++ = byte;
                ++pos;
                continue;
            }
            if constexpr (target == Target::Sjis) {
                out[0] = s1;
                out[1] = s2;
            } else if constexpr (target == Target::Euc) {
                const CharBytes jis = TKelaConv::SjisCharToJis(s1, s2);
                out[0] = static_cast<unsigned char>(jis[0] + 0x80);
                out[1] = static_cast<unsigned char>(jis[1] + 0x80);
            } else {
                if (!doubleByteMode) {
                    out = putEscape(out, '$', 'B');
                    doubleByteMode = true;
                }
                const CharBytes jis = TKelaConv::SjisCharToJis(s1, s2);
                out[0] = jis[0];
                out[1] = jis[1];
            }
            out += 2;
        }
        appendPiece(result, buffer, out);
    }
    if (target == Target::Jis && doubleByteMode) {
        result += static_cast<char>(kEsc);
        result += '(';
        result += static_cast<char>(returnFinal);
    }
    return result;
}

} // namespace

std::string TKelaConv::JisToSjis(std::string_view jis) const {
    enum class Mode { Single, Double, Kana };
    const auto* const in = reinterpret_cast<const unsigned char*>(jis.data());
    const std::size_t size = jis.size();
    std::string result;
    result.reserve(size);
    PieceBuffer buffer;
    Mode mode = Mode::Single;

    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t pieceEnd = std::min(size, pos + kPiece);
        // Escapes vanish and a pair stays a pair, so the output never outgrows the input.
        unsigned char* out = buffer.data();
        while (pos < pieceEnd) {
            if (in[pos] == kEsc && pos + 2 < size) {
                const unsigned char intermediate = in[pos + 1];
                const unsigned char final = in[pos + 2];
                std::optional<Mode> next;
                if (intermediate == '$' && (final == 'B' || final == '@')) {
                    next = Mode::Double;
                } else if (intermediate == '(' && (final == 'B' || final == 'J')) {
                    next = Mode::Single;
                } else if (intermediate == '(' && final == 'I') {
                    next = Mode::Kana;
                }
                if (next) {
                    mode = *next;
                    pos += 3;
                    continue;
                }
            }
            if (mode == Mode::Single) {
                // Everything up to the next escape is copied as it is.
                const void* const esc = std::memchr(in + pos + 1, kEsc, pieceEnd - pos - 1);
                const std::size_t end =
                    esc != nullptr
                        ? static_cast<std::size_t>(static_cast<const unsigned char*>(esc) - in)
                        : pieceEnd;
                std::memcpy(out, in + pos, end - pos);
                out += end - pos;
                pos = end;
            } else if (mode == Mode::Double) {
                if (pos + 1 < size) {
                    if (const auto sjis = JisCharToSjis(in[pos], in[pos + 1])) {
                        out[0] = (*sjis)[0];
                        out[1] = (*sjis)[1];
                        out += 2;
                    }
                    pos += 2;
                } else {
                    *out++ = in[pos++];
                }
            } else {
                const unsigned char byte = in[pos++];
                *out++ =
                    byte >= 0x21 && byte <= 0x5F ? static_cast<unsigned char>(byte + 0x80) : byte;
            }
        }
        appendPiece(result, buffer, out);
    }
    return result;
}

std::string TKelaConv::EucToSjis(std::string_view euc) const {
    const auto* const in = reinterpret_cast<const unsigned char*>(euc.data());
    const std::size_t size = euc.size();
    std::string result;
    result.reserve(size);
    PieceBuffer buffer;

    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t pieceEnd = std::min(size, pos + kPiece);
        // Two bytes become at most two, so the output never passes the input position: word
        // stores stay inside the buffer.
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
            if (byte < 0x80) {
                *out++ = byte;
                ++pos;
            } else if (byte >= 0xA1 && byte <= 0xFE && pos + 1 < size) {
                // The row byte lies in 21-7E, so there is always a character.
                const CharBytes sjis =
                    *JisCharToSjis(static_cast<unsigned char>(byte - 0x80),
                                   static_cast<unsigned char>(in[pos + 1] - 0x80));
                out[0] = sjis[0];
                out[1] = sjis[1];
                out += 2;
                pos += 2;
            } else if (byte == 0x8E && pos + 1 < size && isHanKana(in[pos + 1])) {
                *out++ = in[pos + 1];
                pos += 2;
            } else {
                *out++ = byte;
                ++pos;
            }
        }
        appendPiece(result, buffer, out);
    }
    return result;
}

std::string TKelaConv::SjisToJis(std::string_view sjis) const {
    return encode<Target::Jis>(sjis, JisKanaConvType, JisByteCodeType);
}

std::string TKelaConv::SjisToEuc(std::string_view sjis) const {
    return encode<Target::Euc>(sjis, JisKanaConvType, JisByteCodeType);
}

std::string TKelaConv::HanKanaToZenWithDaku(std::string_view sjis) {
    return encode<Target::Sjis>(sjis, TJisKanaConvType::ktZenWithDaku, TJisByteCodeType::btAscii);
}

std::string TKelaConv::HanKanaToZenSepaDaku(std::string_view sjis) {
    return encode<Target::Sjis>(sjis, TJisKanaConvType::ktZenSepaDaku, TJisByteCodeType::btAscii);
}

std::string SjisToEucKeepingKana(std::string_view sjis) {
    TKelaConv converter;
    converter.JisKanaConvType = TJisKanaConvType::ktNone;
    return converter.SjisToEuc(sjis);
}

} // namespace ranvo
