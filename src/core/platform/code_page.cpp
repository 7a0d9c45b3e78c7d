#include "core/platform/code_page.h"

#include "core/platform/code_page_system.h"
#include "core/platform/paths.h"
#include "core/text/sjis.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace ranvo {
namespace {

using code_page::Charset;

// An ASCII run shorter than this stays inside the block handed to the system: one more call
// costs more than the system converting a line's worth of ASCII, and records of Japanese text are
// full of short runs (numbers, blanks, line ends).
constexpr std::size_t kMinCopiedAsciiRun = 64;

// One side of a conversion as the block splitter sees it.
struct Encoding {
    Charset charset;
    std::size_t unitWidth; // bytes of an ASCII character: 1, or 2 for UTF-16
    // Whether a byte below 80 can be the second byte of a character (CP932: "ア" is 83 41).
    bool asciiMayTrail;
    // Bytes from the front of `rest` (never empty) that the system refused or could not finish,
    // which together become one "?".
    std::size_t (*invalidLength)(std::string_view rest);
};

[[nodiscard]] unsigned char byteAt(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]);
}

[[nodiscard]] bool isTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// A lead byte with a byte after it that could be a trail byte is one (undefined) character; any
// other refused byte stands alone, so that the byte after it is read afresh.
std::size_t cp932InvalidLength(std::string_view rest) {
    return IsLeadByte(rest[0]) && rest.size() >= 2 && isTrailByte(byteAt(rest, 1)) ? 2 : 1;
}

// The well-formed UTF-8 character at the front, or else its longest start that could still have
// become one (at least one byte): one "?" for each maximal ill-formed part, as Unicode advises.
std::size_t utf8InvalidLength(std::string_view rest) {
    const unsigned char first = byteAt(rest, 0);
    std::size_t following = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        following = 1;
    } else if (first >= 0xE0 && first <= 0xEF) {
        following = 2;
        low = first == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = first == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (first >= 0xF0 && first <= 0xF4) {
        following = 3;
        low = first == 0xF0 ? 0x90 : 0x80;
        high = first == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 1;
    }
    for (std::size_t i = 1; i <= following; ++i) {
        if (i >= rest.size() || byteAt(rest, i) < low || byteAt(rest, i) > high) {
            return i;
        }
        low = 0x80;
        high = 0xBF;
    }
    return following + 1;
}

[[nodiscard]] unsigned utf16UnitAt(std::string_view text, std::size_t pos) {
    return byteAt(text, pos) | (static_cast<unsigned>(byteAt(text, pos + 1)) << 8);
}

std::size_t utf16InvalidLength(std::string_view rest) {
    if (rest.size() < 2) {
        return rest.size();
    }
    const unsigned unit = utf16UnitAt(rest, 0);
    const bool pair = unit >= 0xD800 && unit <= 0xDBFF && rest.size() >= 4 &&
                      utf16UnitAt(rest, 2) >= 0xDC00 && utf16UnitAt(rest, 2) <= 0xDFFF;
    return pair ? 4 : 2;
}

constexpr Encoding kCp932{Charset::Cp932, 1, true, cp932InvalidLength};
constexpr Encoding kUtf8{Charset::Utf8, 1, false, utf8InvalidLength};
constexpr Encoding kUtf16Le{Charset::Utf16Le, 2, false, utf16InvalidLength};

[[nodiscard]] bool isAsciiAt(const Encoding& encoding, std::string_view text, std::size_t pos) {
    if (encoding.unitWidth == 1) {
        return byteAt(text, pos) < 0x80;
    }
    return pos + 1 < text.size() && byteAt(text, pos) < 0x80 && byteAt(text, pos + 1) == 0;
}

// Converts block by block: long ASCII runs are copied (widened or narrowed for UTF-16), and
// everything between them goes to the system in one call, resumed after each refused sequence.
class BlockConverter {
public:
    BlockConverter(const Encoding& from, const Encoding& to, std::size_t expectedSize)
        : m_from(from), m_to(to), m_system(from.charset, to.charset), m_out(expectedSize) {}

    ConvertedText run(std::string_view input) {
        std::size_t pos = 0;
        while (pos < input.size()) {
            const auto [asciiStart, asciiEnd] = nextAsciiRun(input, pos);
            convertBlock(input.substr(pos, asciiStart - pos));
            copyAscii(input.substr(asciiStart, asciiEnd - asciiStart));
            pos = asciiEnd;
        }
        return {m_out.take(), m_replaced};
    }

private:
    // The first ASCII run from `pos` on that is long enough to copy, or an empty run at the end.
    // Scanned eight bytes at a time: only where a run could begin or end are units looked at.
    [[nodiscard]] std::pair<std::size_t, std::size_t> nextAsciiRun(std::string_view input,
                                                                   std::size_t pos) const {
        const std::size_t width = m_from.unitWidth;
        // Bits that are set in a word wherever a unit is not ASCII.
        const std::uint64_t notAscii = width == 1 ? 0x8080808080808080ULL : 0xFF80FF80FF80FF80ULL;
        const std::size_t minRun = kMinCopiedAsciiRun * width;
        std::size_t runStart = pos;
        std::size_t end = pos;
        for (; end + 8 <= input.size(); end += 8) {
            std::uint64_t word;
            std::memcpy(&word, input.data() + end, sizeof word);
            const std::uint64_t high = word & notAscii;
            if (high == 0) {
                continue;
            }
            const std::size_t firstOff = static_cast<std::size_t>(std::countr_zero(high)) / 8;
            if (end + firstOff / width * width - runStart >= minRun) {
                return copiedRun(runStart, end + firstOff / width * width);
            }
            const std::size_t lastOff = static_cast<std::size_t>(63 - std::countl_zero(high)) / 8;
            runStart = end + (lastOff / width + 1) * width;
        }
        for (; end + width <= input.size(); end += width) {
            if (!isAsciiAt(m_from, input, end)) {
                if (end - runStart >= minRun) {
                    return copiedRun(runStart, end);
                }
                runStart = end + width;
            }
        }
        if (end - runStart >= minRun) {
            return copiedRun(runStart, end); // an odd last byte of UTF-16 stays for the system
        }
        return {input.size(), input.size()};
    }

    // A run found by the scan, minus its first byte when that may be the trail byte of a CP932
    // character whose lead byte comes just before it ("ア" is 83 41): the system gets that byte
    // with the block before, where it is read either way.
    [[nodiscard]] std::pair<std::size_t, std::size_t> copiedRun(std::size_t start,
                                                                std::size_t end) const {
        return {m_from.asciiMayTrail && start > 0 ? start + 1 : start, end};
    }

    void copyAscii(std::string_view run) {
        const std::size_t characters = run.size() / m_from.unitWidth;
        char* out = m_out.room(characters * m_to.unitWidth);
        if (m_from.unitWidth == m_to.unitWidth) {
            std::memcpy(out, run.data(), run.size());
        } else if (m_to.unitWidth == 2) {
            for (std::size_t i = 0; i < characters; ++i) {
                out[2 * i] = run[i];
                out[2 * i + 1] = '\0';
            }
        } else {
            for (std::size_t i = 0; i < characters; ++i) {
                out[i] = run[2 * i];
            }
        }
        m_out.advance(characters * m_to.unitWidth);
    }

    void replace(std::string_view& rest) {
        const std::size_t length = m_from.invalidLength(rest);
        m_out.append(m_to.unitWidth == 2 ? std::string_view("?\0", 2) : std::string_view("?"));
        ++m_replaced;
        rest.remove_prefix(length);
    }

    void convertBlock(std::string_view block) {
        while (!block.empty()) {
            block.remove_prefix(m_system.ConvertPrefix(block, m_out));
            if (!block.empty()) {
                replace(block);
            }
        }
    }

    const Encoding& m_from;
    const Encoding& m_to;
    code_page::SystemConverter m_system;
    code_page::Output m_out;
    std::size_t m_replaced = 0;
};

ConvertedText convert(std::string_view input, const Encoding& from, const Encoding& to,
                      std::size_t expectedSize) {
    return BlockConverter(from, to, expectedSize).run(input);
}

} // namespace

namespace code_page {

char* Output::room(std::size_t bytes) {
    if (roomLeft() < bytes) {
        m_bytes.resize(std::max(m_bytes.size() * 2, m_used + bytes));
    }
    return m_bytes.data() + m_used;
}

void Output::append(std::string_view bytes) {
    std::memcpy(room(bytes.size()), bytes.data(), bytes.size());
    m_used += bytes.size();
}

std::string Output::take() {
    m_bytes.resize(m_used);
    m_used = 0;
    return std::move(m_bytes);
}

} // namespace code_page

ConvertedText Cp932ToUtf8(std::string_view cp932) {
    // Japanese text grows by half (two bytes become three); half-width katakana triple.
    return convert(cp932, kCp932, kUtf8, cp932.size() + cp932.size() / 2 + 16);
}

ConvertedText Utf8ToCp932(std::string_view utf8) {
    return convert(utf8, kUtf8, kCp932, utf8.size());
}

ConvertedText Cp932ToUtf16Le(std::string_view cp932) {
    return convert(cp932, kCp932, kUtf16Le, cp932.size() * 2);
}

ConvertedText Utf16LeToCp932(std::string_view utf16le) {
    return convert(utf16le, kUtf16Le, kCp932, utf16le.size());
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
