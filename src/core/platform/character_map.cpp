#include "core/platform/character_map.h"

#include <bit>
#include <cstring>

namespace ranvo {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x80 * kOnes;

// Bit 7 set in each of the eight bytes that lies in F0-F9, the lead bytes of the user-defined
// area. With the top bit set, the low seven bits lie in 70-79: adding 10 reaches 80 from 70 on,
// adding 06 from 7A on, and neither carries into the next byte.
[[nodiscard]] std::uint64_t userAreaLeads(std::uint64_t word) {
    const std::uint64_t low = word & ~kHighBits;
    const std::uint64_t from70 = low + 0x10 * kOnes;
    const std::uint64_t from7A = low + 0x06 * kOnes;
    return word & from70 & ~from7A & kHighBits;
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

void CharacterMap::reserveCodesAt(std::string_view cp932, std::size_t pos, std::uint64_t leads) {
    for (; leads != 0; leads &= leads - 1) {
        const std::size_t at = pos + static_cast<std::size_t>(std::countr_zero(leads)) / 8;
        if (at + 1 < cp932.size()) {
            const auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(cp932[at]) << 8 |
                                                         static_cast<unsigned char>(cp932[at + 1]));
            if (const std::optional<std::size_t> index = UserAreaIndex(code)) {
                take(*index, kFirstPrivateUse + static_cast<char32_t>(*index));
            }
        }
    }
}

void CharacterMap::ReserveCodesIn(std::string_view cp932) {
    // Any byte F0-F9 followed by a trail byte is taken for a code of the area, also where it is
    // the trail byte of the character before: a code kept needlessly costs nothing, and the text
    // is passed over a word at a time without walking its characters.
    std::size_t pos = 0;
    for (; pos + 8 <= cp932.size(); pos += 8) {
        std::uint64_t word;
        std::memcpy(&word, cp932.data() + pos, sizeof word);
        if (const std::uint64_t leads = userAreaLeads(word); leads != 0) {
            reserveCodesAt(cp932, pos, leads);
        }
    }
    if (pos < cp932.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, cp932.data() + pos, cp932.size() - pos);
        reserveCodesAt(cp932, pos, userAreaLeads(word));
    }
}

} // namespace ranvo
