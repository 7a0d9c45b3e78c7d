#include "core/platform/character_map.h"

#include <cstring>

namespace ranvo {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;

// Whether any of the eight bytes is F0 or above.
[[nodiscard]] bool anyFromF0(std::uint64_t word) {
    const std::uint64_t notF = (word & 0xF0 * kOnes) ^ 0xF0 * kOnes; // 0 where a byte is Fx
    return ((notF - kOnes) & ~notF & 0x80 * kOnes) != 0;
}

} // namespace

bool CharacterMap::take(std::size_t index, char32_t character) {
    if (m_characters.empty()) {
        m_characters.assign(kUserAreaSize, kFree);
    }
    if (m_characters[index] != kFree) {
        return false;
    }
    m_characters[index] = character;
    m_codes.emplace(character, UserAreaCode(index));
    m_redefined += character != kFirstPrivateUse + index ? 1 : 0;
    return true;
}

std::optional<std::uint16_t> CharacterMap::CodeFor(char32_t character) {
    if (const auto found = m_codes.find(character); found != m_codes.end()) {
        return found->second;
    }
    const char32_t privateIndex = character - kFirstPrivateUse;
    if (privateIndex < kUserAreaSize && take(privateIndex, character)) {
        return UserAreaCode(privateIndex);
    }
    while (m_searchFrom > 0) {
        const std::size_t index = --m_searchFrom;
        if (take(index, character)) {
            return UserAreaCode(index);
        }
    }
    return std::nullopt;
}

void CharacterMap::ReserveCodesIn(std::string_view cp932) {
    // Any byte F0-F9 followed by a trail byte is taken for a code of the area, also where it is
    // the trail byte of the character before: a code kept needlessly costs nothing, and text
    // without such bytes (nearly all) is passed over a word at a time.
    const auto* const bytes = reinterpret_cast<const unsigned char*>(cp932.data());
    const std::size_t size = cp932.size();
    for (std::size_t pos = 0; pos + 1 < size; ++pos) {
        if (pos + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, bytes + pos, sizeof word);
            if (!anyFromF0(word)) {
                pos += 7;
                continue;
            }
        }
        const std::uint16_t code = static_cast<std::uint16_t>(bytes[pos] << 8 | bytes[pos + 1]);
        if (const std::optional<std::size_t> index = UserAreaIndex(code)) {
            take(*index, kFirstPrivateUse + static_cast<char32_t>(*index));
        }
    }
}

} // namespace ranvo
