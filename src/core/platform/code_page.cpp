#include "core/platform/code_page.h"

#include "core/platform/cp932_chars.h"
#include "core/platform/paths.h"
#include "core/text/sjis.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace ranvo {
namespace {

static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");

// Output is made a piece at a time in a buffer that stays in the first-level cache and then
// appended to the result, so the inner loops never check for room per character: a piece of
// input is chosen small enough for its worst case to fit. The slack takes what a word store
// writes beyond the characters it keeps.
constexpr std::size_t kPiece = 16384;
constexpr std::size_t kSlack = 32;
using PieceBuffer = std::array<unsigned char, kPiece + kSlack>;

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
// Bits that are set in a word of four UTF-16 units wherever a unit is not ASCII.
constexpr std::uint64_t kUtf16NotAscii = 0xFF80FF80FF80FF80ULL;

[[nodiscard]] inline std::uint64_t loadWord(const unsigned char* in) {
    std::uint64_t word;
    std::memcpy(&word, in, sizeof word);
    return word;
}

void appendPiece(ConvertedText& out, const PieceBuffer& buffer, const unsigned char* end) {
    out.bytes.append(reinterpret_cast<const char*>(buffer.data()),
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

template <UnicodeForm form>
[[nodiscard]] inline unsigned char* putCharacter(unsigned char* out, char32_t c) {
    if constexpr (form == UnicodeForm::Utf8) {
        if (c < 0x80) {
            *out = static_cast<unsigned char>(c);
            return out + 1;
        }
        if (c < 0x800) {
            out[0] = static_cast<unsigned char>(0xC0 | c >> 6);
            out[1] = static_cast<unsigned char>(0x80 | (c & 0x3F));
            return out + 2;
        }
        if (c < 0x10000) {
            out[0] = static_cast<unsigned char>(0xE0 | c >> 12);
            out[1] = static_cast<unsigned char>(0x80 | (c >> 6 & 0x3F));
            out[2] = static_cast<unsigned char>(0x80 | (c & 0x3F));
            return out + 3;
        }
        out[0] = static_cast<unsigned char>(0xF0 | c >> 18);
        out[1] = static_cast<unsigned char>(0x80 | (c >> 12 & 0x3F));
        out[2] = static_cast<unsigned char>(0x80 | (c >> 6 & 0x3F));
        out[3] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        return out + 4;
    } else {
        const auto putUnit = [&out](char32_t unit) {
            out[0] = static_cast<unsigned char>(unit);
            out[1] = static_cast<unsigned char>(unit >> 8);
            out += 2;
        };
        if (c >= 0x10000) {
            putUnit(0xD800 + ((c - 0x10000) >> 10));
            putUnit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            putUnit(c);
        }
        return out;
    }
}

// One character read from Unicode input: its length in bytes, or the length of the invalid
// sequence that becomes one "?"; `cut` when the input ended inside it.
struct ReadCharacter {
    char32_t character = 0;
    std::size_t length = 1;
    bool valid = false;
    bool cut = false;
};

// The well-formed UTF-8 character at the front, or else its longest start that could still have
// become one (at least one byte): one "?" for each maximal ill-formed part, as Unicode advises.
ReadCharacter readUtf8(const unsigned char* in, std::size_t left) {
    const unsigned char first = in[0];
    std::size_t following = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t character = 0;
    if (first < 0x80) {
        return {first, 1, true, false};
    }
    if (first >= 0xC2 && first <= 0xDF) {
        following = 1;
        character = first & 0x1Fu;
    } else if (first >= 0xE0 && first <= 0xEF) {
        following = 2;
        character = first & 0x0Fu;
        low = first == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = first == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (first >= 0xF0 && first <= 0xF4) {
        following = 3;
        character = first & 0x07u;
        low = first == 0xF0 ? 0x90 : 0x80;
        high = first == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return {};
    }
    for (std::size_t i = 1; i <= following; ++i) {
        if (i >= left) {
            return {0, i, false, true};
        }
        if (in[i] < low || in[i] > high) {
            return {0, i, false, false};
        }
        character = character << 6 | (in[i] & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    return {character, following + 1, true, false};
}

// A unit, or a surrogate pair; a lone surrogate is one invalid unit, an odd last byte another.
ReadCharacter readUtf16(const unsigned char* in, std::size_t left) {
    if (left < 2) {
        return {0, left, false, true};
    }
    const char32_t unit = in[0] | static_cast<char32_t>(in[1]) << 8;
    if (unit < 0xD800 || unit > 0xDFFF) {
        return {unit, 2, true, false};
    }
    if (unit >= 0xDC00) {
        return {0, 2, false, false};
    }
    if (left < 4) {
        return {0, 2, false, true};
    }
    const char32_t next = in[2] | static_cast<char32_t>(in[3]) << 8;
    if (next < 0xDC00 || next > 0xDFFF) {
        return {0, 2, false, false};
    }
    return {0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), 4, true, false};
}

// The CP932 code for a character: the code page's own where it gives the character back, else
// (with a map) the map's; a private-use character always goes through the map, so that its code
// is never one the map gave to another character.
[[nodiscard]] std::uint16_t codeFor(char32_t character, const Cp932Chars& chars,
                                    CharacterMap* characters) {
    if (characters == nullptr) {
        return chars.CodeOf(character);
    }
    const bool privateUse = character - kFirstPrivateUse < kUserAreaSize;
    const std::uint16_t code = privateUse ? kNoCode : chars.CodeOf(character);
    return code != kNoCode ? code : characters->CodeFor(character).value_or(kNoCode);
}

template <UnicodeForm form>
std::size_t fromCp932(std::string_view cp932, bool last, const CharacterMap* characters,
                      ConvertedText& out) {
    // Most bytes one input byte can become: a half-width katakana is three bytes of UTF-8.
    constexpr std::size_t kGrowth = form == UnicodeForm::Utf8 ? 3 : 2;
    const Cp932Chars& chars = Cp932Chars::Get();
    const auto* const in = reinterpret_cast<const unsigned char*>(cp932.data());
    const std::size_t size = cp932.size();
    // Japanese text grows by half in UTF-8 (two bytes become three) and doubles in UTF-16.
    out.bytes.reserve(out.bytes.size() + (form == UnicodeForm::Utf8 ? size + size / 2 : 2 * size) +
                      16);
    PieceBuffer buffer;
    std::size_t pos = 0;
    bool cut = false;
    while (pos < size && !cut) {
        const std::size_t pieceEnd = std::min(size, pos + kPiece / kGrowth);
        unsigned char* o = buffer.data();
        while (pos < pieceEnd) {
            if (pos + 8 <= size) {
                const std::uint64_t word = loadWord(in + pos);
                if (const std::size_t ascii =
                        static_cast<std::size_t>(std::countr_zero(word & kHighBits)) / 8;
                    ascii != 0) {
                    if constexpr (form == UnicodeForm::Utf8) {
                        std::memcpy(o, &word, sizeof word);
                        o += ascii;
                    } else {
                        for (std::size_t i = 0; i < 8; ++i) {
                            o[2 * i] = in[pos + i];
                            o[2 * i + 1] = 0;
                        }
                        o += 2 * ascii;
                    }
                    pos += ascii;
                    continue;
                }
            }
            const unsigned char byte = in[pos];
            char32_t character = kNoCharacter;
            std::size_t length = 1;
            if (!IsLeadByte(byte)) {
                character = chars.CharacterOf(byte);
            } else if (pos + 1 == size && !last) {
                cut = true;
                break;
            } else if (pos + 1 < size && IsTrailByte(in[pos + 1])) {
                const auto code = static_cast<std::uint16_t>(byte << 8 | in[pos + 1]);
                const std::optional<std::size_t> userArea = UserAreaIndex(code);
                character = characters != nullptr && userArea ? characters->CharacterOf(*userArea)
                                                              : chars.CharacterOf(code);
                length = 2;
            }
            pos += length;
            if (character == kNoCharacter) {
                character = '?';
                ++out.replaced;
            }
            o = putCharacter<form>(o, character);
        }
        appendPiece(out, buffer, o);
    }
    return pos;
}

template <UnicodeForm form>
std::size_t toCp932(std::string_view unicode, bool last, CharacterMap* characters,
                    ConvertedText& out) {
    const Cp932Chars& chars = Cp932Chars::Get();
    const auto* const in = reinterpret_cast<const unsigned char*>(unicode.data());
    const std::size_t size = unicode.size();
    // A character never takes more bytes in CP932 than in either form of Unicode.
    out.bytes.reserve(out.bytes.size() + (form == UnicodeForm::Utf8 ? size : size / 2) + 16);
    PieceBuffer buffer;
    std::size_t pos = 0;
    bool cut = false;
    while (pos < size && !cut) {
        const std::size_t pieceEnd = std::min(size, pos + kPiece);
        unsigned char* o = buffer.data();
        while (pos < pieceEnd) {
            if (pos + 8 <= size) {
                const std::uint64_t word = loadWord(in + pos);
                if constexpr (form == UnicodeForm::Utf8) {
                    if (const std::size_t ascii =
                            static_cast<std::size_t>(std::countr_zero(word & kHighBits)) / 8;
                        ascii != 0) {
                        std::memcpy(o, &word, sizeof word);
                        o += ascii;
                        pos += ascii;
                        continue;
                    }
                } else if (const std::size_t ascii =
                               static_cast<std::size_t>(std::countr_zero(word & kUtf16NotAscii)) /
                               16;
                           ascii != 0) {
                    for (std::size_t i = 0; i < 4; ++i) {
                        o[i] = in[pos + 2 * i];
                    }
                    o += ascii;
                    pos += 2 * ascii;
                    continue;
                }
            }
            const ReadCharacter read = form == UnicodeForm::Utf8 ? readUtf8(in + pos, size - pos)
                                                                 : readUtf16(in + pos, size - pos);
            if (read.cut && !last) {
                cut = true;
                break;
            }
            pos += read.length;
            const std::uint16_t code =
                read.valid ? codeFor(read.character, chars, characters) : kNoCode;
            if (code == kNoCode) {
                *o++ = '?';
                ++out.replaced;
            } else {
                o = putCode(o, code);
            }
        }
        appendPiece(out, buffer, o);
    }
    return pos;
}

} // namespace

std::size_t AppendCp932AsUnicode(std::string_view cp932, UnicodeForm form, bool last,
                                 const CharacterMap* characters, ConvertedText& out) {
    return form == UnicodeForm::Utf8
               ? fromCp932<UnicodeForm::Utf8>(cp932, last, characters, out)
               : fromCp932<UnicodeForm::Utf16Le>(cp932, last, characters, out);
}

std::size_t AppendUnicodeAsCp932(std::string_view unicode, UnicodeForm form, bool last,
                                 CharacterMap* characters, ConvertedText& out) {
    return form == UnicodeForm::Utf8
               ? toCp932<UnicodeForm::Utf8>(unicode, last, characters, out)
               : toCp932<UnicodeForm::Utf16Le>(unicode, last, characters, out);
}

ConvertedText Cp932ToUtf8(std::string_view cp932, const CharacterMap* characters) {
    ConvertedText out;
    fromCp932<UnicodeForm::Utf8>(cp932, true, characters, out);
    return out;
}

ConvertedText Utf8ToCp932(std::string_view utf8, CharacterMap* characters) {
    ConvertedText out;
    toCp932<UnicodeForm::Utf8>(utf8, true, characters, out);
    return out;
}

ConvertedText Cp932ToUtf16Le(std::string_view cp932, const CharacterMap* characters) {
    ConvertedText out;
    fromCp932<UnicodeForm::Utf16Le>(cp932, true, characters, out);
    return out;
}

ConvertedText Utf16LeToCp932(std::string_view utf16le, CharacterMap* characters) {
    ConvertedText out;
    toCp932<UnicodeForm::Utf16Le>(utf16le, true, characters, out);
    return out;
}

std::filesystem::path Cp932ToPath(std::string_view cp932) {
    return PathFromUtf8(Cp932ToUtf8(cp932).bytes);
}

std::string PathToCp932(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()))
        .bytes;
}

} // namespace ranvo
