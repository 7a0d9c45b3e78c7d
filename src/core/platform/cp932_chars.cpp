#include "core/platform/cp932_chars.h"

#include "core/platform/cp932_system.h"
#include "core/text/sjis.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace ranvo {

const Cp932Chars& Cp932Chars::Get() {
    static const Cp932Chars chars;
    return chars;
}

Cp932Chars::Cp932Chars() {
    std::fill(std::begin(m_characters), std::end(m_characters), kNoCharacter);
    std::fill(std::begin(m_codes), std::end(m_codes), kNoCode);
    for (unsigned byte = 0; byte < 0x80; ++byte) {
        m_characters[byte] = static_cast<char16_t>(byte);
        m_codes[byte] = static_cast<std::uint16_t>(byte);
    }
    cp932_system::OneCharacter system;
    if (!system.Valid()) {
        return; // without the platform's tables only ASCII is known
    }
    const auto learn = [&](std::uint16_t code, const unsigned char* bytes, std::size_t size) {
        const std::optional<char32_t> character =
            system.Decode(std::string_view(reinterpret_cast<const char*>(bytes), size));
        if (!character || *character >= 0x10000) {
            return;
        }
        m_characters[code] = static_cast<char16_t>(*character);
        if (system.Encode(*character) == code) {
            m_codes[*character] = code;
        }
    };
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
        if (!IsLeadByte(static_cast<unsigned char>(byte))) {
            const auto single = static_cast<unsigned char>(byte);
            learn(static_cast<std::uint16_t>(byte), &single, 1);
        }
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (IsTrailByte(static_cast<unsigned char>(trail))) {
                const unsigned char pair[] = {static_cast<unsigned char>(lead),
                                              static_cast<unsigned char>(trail)};
                learn(static_cast<std::uint16_t>(lead << 8 | trail), pair, 2);
            }
        }
    }
}

} // namespace ranvo
