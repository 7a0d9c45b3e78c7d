// Code page 932 through Windows' code page functions. Code page 932 there is Windows-31J too, but
// its tables differ from iconv's at a few codes; they are settled here to what iconv gives, so that
// a file converts to the same bytes, with the same characters lost, on every system.

#include "core/platform/cp932_system.h"

#include <windows.h>

namespace ranvo::cp932_system {

struct OneCharacter::State {};

OneCharacter::OneCharacter() = default;
OneCharacter::~OneCharacter() = default;

bool OneCharacter::Valid() const {
    return ::IsValidCodePage(932) != 0;
}

std::optional<char32_t> OneCharacter::Decode(std::string_view code) {
    // Windows gives the single bytes 80, A0 and FD-FF characters of their own (U+0080 and
    // private-use ones); iconv knows none of them.
    const auto first = static_cast<unsigned char>(code[0]);
    if (code.size() == 1 && (first == 0x80 || first == 0xA0 || first >= 0xFD)) {
        return std::nullopt;
    }
    wchar_t wide[2];
    const int units = ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, code.data(), static_cast<int>(code.size()),
                                            wide, 2);
    if (units != 1) {
        return std::nullopt;
    }
    return static_cast<char32_t>(wide[0]);
}

std::optional<std::uint16_t> OneCharacter::Encode(char32_t character) {
    if (character >= 0x10000 || character == 0x80 || (character >= 0xF8F0 && character <= 0xF8F3)) {
        return std::nullopt; // see Decode: iconv writes nothing for these
    }
    const wchar_t wide = static_cast<wchar_t>(character);
    char out[4];
    BOOL usedDefault = FALSE;
    const int written = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, out, 4, nullptr, &usedDefault);
    if (usedDefault || written < 1 || written > 2) {
        return std::nullopt;
    }
    return written == 1 ? static_cast<std::uint16_t>(static_cast<unsigned char>(out[0]))
                        : static_cast<std::uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                                     static_cast<unsigned char>(out[1]));
}

} // namespace ranvo::cp932_system
