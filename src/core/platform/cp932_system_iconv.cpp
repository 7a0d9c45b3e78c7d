// Code page 932 through iconv's "CP932" (Windows-31J).

#include "core/platform/cp932_system.h"

#include <cstring>
#include <iconv.h>

namespace ranvo::cp932_system {
namespace {

// One iconv conversion of a single character; answers the bytes written, 0 on failure.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(::iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) {
            ::iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    [[nodiscard]] bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    std::size_t convert(const void* input, std::size_t size, unsigned char (&out)[8]) {
        char buffer[8];
        std::memcpy(buffer, input, size);
        char* in = buffer;
        std::size_t inLeft = size;
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t outLeft = sizeof out;
        ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (::iconv(m_cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
            return 0;
        }
        return sizeof out - outLeft;
    }

private:
    iconv_t m_cd;
};

} // namespace

struct OneCharacter::State {
    Converter decoder{"UTF-32LE", "CP932"};
    Converter encoder{"CP932", "UTF-32LE"};
};

OneCharacter::OneCharacter() : m_state(std::make_unique<State>()) {}
OneCharacter::~OneCharacter() = default;

bool OneCharacter::Valid() const {
    return m_state->decoder.valid() && m_state->encoder.valid();
}

std::optional<char32_t> OneCharacter::Decode(std::string_view code) {
    unsigned char out[8];
    if (m_state->decoder.convert(code.data(), code.size(), out) != 4) {
        return std::nullopt;
    }
    return static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) | (char32_t{out[3]} << 24));
}

std::optional<std::uint16_t> OneCharacter::Encode(char32_t character) {
    const unsigned char in[4] = {static_cast<unsigned char>(character), static_cast<unsigned char>(character >> 8),
                                 static_cast<unsigned char>(character >> 16), static_cast<unsigned char>(character >> 24)};
    unsigned char out[8];
    const std::size_t written = m_state->encoder.convert(in, 4, out);
    if (written == 1) {
        return out[0];
    }
    if (written == 2) {
        return static_cast<std::uint16_t>(out[0] << 8 | out[1]);
    }
    return std::nullopt;
}

} // namespace ranvo::cp932_system
