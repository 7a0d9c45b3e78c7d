// The system's conversions through Windows' code page functions. Code page 932 there is
// Windows-31J too, but its tables differ from iconv's at a few codes; the differences are settled
// here so that a file converts to the same bytes, with the same characters lost, on every system.

#include "core/platform/code_page_system.h"
#include "core/text/sjis.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <windows.h>

namespace ranvo::code_page {
namespace {

// Characters handed to the system in one call at most; after a refusal the runs shrink so that
// the refused character is found in a few calls, and grow again behind it.
constexpr std::size_t kLongestRun = 4096;

[[nodiscard]] unsigned char byteAt(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]);
}

// Bytes of the character at the front of `rest` (never empty) as its first byte announces it,
// cut short by the end of `rest`; whether it is a valid character is the system's to say.
[[nodiscard]] std::size_t characterLength(Charset charset, std::string_view rest) {
    std::size_t length = 1;
    switch (charset) {
    case Charset::Cp932:
        length = IsLeadByte(rest[0]) ? 2 : 1;
        break;
    case Charset::Utf8: {
        const unsigned char first = byteAt(rest, 0);
        length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        break;
    }
    case Charset::Utf16Le: {
        const bool high = rest.size() >= 2 && byteAt(rest, 1) >= 0xD8 && byteAt(rest, 1) <= 0xDB;
        length = high ? 4 : 2;
        break;
    }
    }
    return std::min(length, rest.size());
}

// The code point of a well-formed UTF-8 or UTF-16 character of the Basic Multilingual Plane.
[[nodiscard]] std::optional<char32_t> bmpCodePoint(Charset charset, std::string_view character) {
    const auto continuation = [&](std::size_t i) { return (byteAt(character, i) & 0xC0) == 0x80; };
    if (charset == Charset::Utf16Le) {
        return character.size() == 2
                   ? std::optional<char32_t>(byteAt(character, 0) | (byteAt(character, 1) << 8))
                   : std::nullopt;
    }
    char32_t code = 0;
    if (character.size() == 2 && continuation(1)) {
        code = ((byteAt(character, 0) & 0x1Fu) << 6) | (byteAt(character, 1) & 0x3Fu);
        return code >= 0x80 ? std::optional(code) : std::nullopt;
    }
    if (character.size() == 3 && continuation(1) && continuation(2)) {
        code = ((byteAt(character, 0) & 0x0Fu) << 12) | ((byteAt(character, 1) & 0x3Fu) << 6) |
               (byteAt(character, 2) & 0x3Fu);
        return code >= 0x800 ? std::optional(code) : std::nullopt;
    }
    return std::nullopt;
}

// Characters that iconv writes to code page 932 although that code's character is another
// (¥ as the backslash byte, 〜 as ～'s code), which Windows refuses without a best fit.
struct OneWayCode {
    char32_t character;
    std::string_view cp932;
};
constexpr OneWayCode kOneWayCodes[] = {
    {0x00A2, "\x81\x91"}, {0x00A3, "\x81\x92"}, {0x00A5, "\x5C"},
    {0x00AC, "\x81\xCA"}, {0x2014, "\x81\x5C"}, {0x2016, "\x81\x61"},
    {0x203E, "\x7E"},     {0x2212, "\x81\x7C"}, {0x301C, "\x81\x60"},
};

// What a character gets instead of the system's conversion.
struct Settled {
    bool refused = false;
    std::string_view cp932; // the code written for it, when not refused
};

// Windows (or wine) gives the single bytes 80, A0 and FD-FF characters of their own (U+0080 and
// private-use ones), and takes those characters back to them; iconv knows neither.
[[nodiscard]] std::optional<Settled> settledCharacter(Charset from, Charset to,
                                                      std::string_view character) {
    if (from == Charset::Cp932) {
        const unsigned char byte = byteAt(character, 0);
        const bool refused =
            character.size() == 1 && (byte == 0x80 || byte == 0xA0 || byte >= 0xFD);
        return refused ? std::optional(Settled{true, {}}) : std::nullopt;
    }
    if (to != Charset::Cp932) {
        return std::nullopt;
    }
    const std::optional<char32_t> code = bmpCodePoint(from, character);
    if (!code) {
        return std::nullopt;
    }
    if (*code == 0x80 || (*code >= 0xF8F0 && *code <= 0xF8F3)) {
        return Settled{true, {}};
    }
    for (const OneWayCode& oneWay : kOneWayCodes) {
        if (oneWay.character == *code) {
            return Settled{false, oneWay.cp932};
        }
    }
    return std::nullopt;
}

[[nodiscard]] UINT codePage(Charset charset) {
    return charset == Charset::Cp932 ? 932 : CP_UTF8;
}

} // namespace

struct SystemConverter::State {
    Charset from;
    Charset to;
    std::size_t runLimit = kLongestRun;
    std::wstring wide;

    // The run as UTF-16; false when the system refuses any of it.
    bool widen(std::string_view run) {
        if (from == Charset::Utf16Le) {
            wide.resize(run.size() / 2);
            std::memcpy(wide.data(), run.data(), wide.size() * 2);
            return run.size() % 2 == 0;
        }
        wide.resize(run.size());
        const int units = ::MultiByteToWideChar(codePage(from), MB_ERR_INVALID_CHARS, run.data(),
                                                static_cast<int>(run.size()), wide.data(),
                                                static_cast<int>(wide.size()));
        wide.resize(static_cast<std::size_t>(std::max(units, 0)));
        return units > 0;
    }

    // Writes `wide` in the target; false, with nothing written, when any of it has no code there.
    bool narrow(Output& out) {
        if (to == Charset::Utf16Le) {
            out.append(
                std::string_view(reinterpret_cast<const char*>(wide.data()), wide.size() * 2));
            return true;
        }
        const std::size_t most = wide.size() * 3;
        char* room = out.room(most);
        BOOL usedDefault = FALSE;
        const bool toCp932 = to == Charset::Cp932;
        const int bytes = ::WideCharToMultiByte(
            codePage(to), toCp932 ? WC_NO_BEST_FIT_CHARS : WC_ERR_INVALID_CHARS, wide.data(),
            static_cast<int>(wide.size()), room, static_cast<int>(most), toCp932 ? "?" : nullptr,
            toCp932 ? &usedDefault : nullptr);
        if (bytes <= 0 || usedDefault) {
            return false;
        }
        out.advance(static_cast<std::size_t>(bytes));
        return true;
    }
};

SystemConverter::SystemConverter(Charset from, Charset to)
    : m_state(new State{from, to, kLongestRun, {}}) {}

SystemConverter::~SystemConverter() = default;

std::size_t SystemConverter::ConvertPrefix(std::string_view block, Output& out) {
    State& state = *m_state;
    std::size_t pos = 0;
    while (pos < block.size()) {
        // A run of characters up to the next one settled here.
        std::size_t end = pos;
        std::size_t characters = 0;
        std::optional<Settled> settled;
        while (end < block.size() && characters < state.runLimit) {
            const std::string_view character =
                block.substr(end, characterLength(state.from, block.substr(end)));
            settled = settledCharacter(state.from, state.to, character);
            if (settled) {
                break;
            }
            end += character.size();
            ++characters;
        }
        if (characters > 0) {
            if (!state.widen(block.substr(pos, end - pos)) || !state.narrow(out)) {
                if (characters == 1) {
                    return pos;
                }
                state.runLimit = std::max<std::size_t>(1, characters / 2);
                continue;
            }
            state.runLimit = std::min(kLongestRun, state.runLimit * 2);
            pos = end;
            continue;
        }
        if (settled->refused) {
            return pos;
        }
        out.append(settled->cp932);
        pos += characterLength(state.from, block.substr(pos));
    }
    return pos;
}

} // namespace ranvo::code_page
