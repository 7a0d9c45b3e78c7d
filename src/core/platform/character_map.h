#pragma once

// The characters of one open file that CP932 cannot hold exactly, each given a code of its own in
// CP932's user-defined area (F040-F9FC, 1880 codes) for as long as the file is open. Text stays
// CP932 bytes everywhere: such a character is two bytes wide like any full-width character, is
// shown as itself, and is written back as itself to a file whose code can hold it.
//
// A code of the area that the map never gave out keeps CP932's meaning: the private-use character
// U+E000 + its index (F040 is U+E000). So that one code never means two characters, the map also
// records private-use characters: each keeps its own code while that is free, and codes for other
// characters are given out from the top of the area down, away from the codes files use most.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ranvo {

inline constexpr std::size_t kUserAreaSize = 1880;
inline constexpr char32_t kFirstPrivateUse = 0xE000;

// Index 0-1879 of a code of the user-defined area (lead F0-F9, any trail byte), or nothing.
[[nodiscard]] constexpr std::optional<std::size_t> UserAreaIndex(std::uint16_t code) {
    const unsigned lead = code >> 8;
    const unsigned trail = code & 0xFFu;
    if (lead < 0xF0 || lead > 0xF9 || trail < 0x40 || trail > 0xFC || trail == 0x7F) {
        return std::nullopt;
    }
    return (lead - 0xF0) * 188 + trail - 0x40 - (trail > 0x7F ? 1 : 0);
}

[[nodiscard]] constexpr std::uint16_t UserAreaCode(std::size_t index) {
    const auto trail = static_cast<unsigned>(index % 188);
    return static_cast<std::uint16_t>((0xF0 + index / 188) << 8 |
                                      (trail + 0x40 + (trail >= 0x3F ? 1 : 0)));
}

class CharacterMap {
public:
    // The code standing for `character`, given out now when it has none yet; nothing when every
    // code of the area is taken.
    [[nodiscard]] std::optional<std::uint16_t> CodeFor(char32_t character);
    // The character a code of the area stands for: the one the map gave it to, else CP932's
    // private-use character.
    [[nodiscard]] char32_t CharacterOf(std::size_t userAreaIndex) const {
        return userAreaIndex < m_characters.size() && m_characters[userAreaIndex] != kFree
                   ? m_characters[userAreaIndex]
                   : kFirstPrivateUse + static_cast<char32_t>(userAreaIndex);
    }
    // Whether the map gave the code to a character other than CP932's own.
    [[nodiscard]] bool IsRedefined(std::size_t userAreaIndex) const {
        return CharacterOf(userAreaIndex) != kFirstPrivateUse + userAreaIndex;
    }
    // The codes of the area that `cp932` uses keep their own characters.
    void ReserveCodesIn(std::string_view cp932);

    // Whether any code stands for a character other than CP932's own.
    [[nodiscard]] bool RedefinesAny() const { return m_redefined != 0; }

private:
    static constexpr char32_t kFree = 0;

    bool take(std::size_t index, char32_t character);
    // Reserves the codes that start at the bytes of `cp932` from `pos` marked in `leads`.
    void reserveCodesAt(std::string_view cp932, std::size_t pos, std::uint64_t leads);

    std::vector<char32_t> m_characters; // by index; kFree where not given out
    std::unordered_map<char32_t, std::uint16_t> m_codes;
    std::size_t m_searchFrom = kUserAreaSize; // no free code above this index
    std::size_t m_redefined = 0;
};

} // namespace ranvo
