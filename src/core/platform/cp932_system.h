#pragma once

// The system's code page 932, one character at a time: what Cp932Chars reads its tables from,
// once. iconv's "CP932", or Windows' code page 932 settled to give what iconv gives; one
// implementation chosen when the library is built.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace ranvo::cp932_system {

class OneCharacter {
public:
    OneCharacter();
    ~OneCharacter();
    OneCharacter(const OneCharacter&) = delete;
    OneCharacter& operator=(const OneCharacter&) = delete;

    // Whether the system has the code page at all.
    [[nodiscard]] bool Valid() const;
    // The character of a code (one or two bytes); nothing where the code page leaves it undefined.
    [[nodiscard]] std::optional<char32_t> Decode(std::string_view code);
    // The code (one or two bytes, lead << 8 | trail) the code page writes for a character of the
    // Basic Multilingual Plane; nothing when it has none.
    [[nodiscard]] std::optional<std::uint16_t> Encode(char32_t character);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace ranvo::cp932_system
