#include "core/platform/cp932_chars.h"

#include "core/text/sjis.h"

#include <algorithm>
#include <cstring>
#include <iconv.h>

namespace ranvo {
namespace {

// One iconv conversion of a single character; answers the bytes written, 0 on failure.
class OneCharacter {
public:
    OneCharacter(const char* to, const char* from) : m_cd(::iconv_open(to, from)) {}
    ~OneCharacter() {
        if (valid()) {
            ::iconv_close(m_cd);
        }
    }
    OneCharacter(const OneCharacter&) = delete;
    OneCharacter& operator=(const OneCharacter&) = delete;

    [[nodiscard]] bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    std::size_t convert(const void* input, std::size_t size, unsigned char (&out)[8]) {
        char buffer[8];
        std::memcpy(buffer, input, size);
        char* in = buffer;
        std::size_t inLeft = size;
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t outLeft = sizeof out;
        ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (::iconv(m_cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0) {
            return 0;
        }
        return sizeof out - outLeft;
    }

private:
    iconv_t m_cd;
};

} // namespace

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
    OneCharacter decoder("UTF-32LE", "CP932");
    OneCharacter encoder("CP932", "UTF-32LE");
    if (!decoder.valid() || !encoder.valid()) {
        return; // without the platform's tables only ASCII is known
    }
    const auto learn = [&](std::uint16_t code, const unsigned char* bytes, std::size_t size) {
        unsigned char out[8];
        if (decoder.convert(bytes, size, out) != 4) {
            return;
        }
        const char32_t character =
            out[0] | (out[1] << 8) | (out[2] << 16) | (char32_t{out[3]} << 24);
        if (character >= 0x10000) {
            return;
        }
        m_characters[code] = static_cast<char16_t>(character);
        unsigned char back[8];
        const std::size_t written = encoder.convert(out, 4, back);
        const std::uint16_t written16 =
            written == 1 ? back[0] : static_cast<std::uint16_t>(back[0] << 8 | back[1]);
        if (written != 0 && written16 == code) {
            m_codes[character] = code;
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
