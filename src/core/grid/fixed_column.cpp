#include "core/grid/fixed_column.h"

#include <charconv>
#include <cstring>

namespace ranvo {
namespace {

// A row number written as digits: no sign, no leading zero, below 2^31.
bool isRowNumberText(std::string_view text, std::uint32_t& number) {
    if (text.empty() || text.size() > 10 || text[0] == '0') {
        return false;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value >= 0x80000000u) {
        return false;
    }
    number = static_cast<std::uint32_t>(value);
    return true;
}

} // namespace

void FixedColumn::insert(int at, int count) {
    m_codes.insert(m_codes.begin() + at, static_cast<std::size_t>(count), kEmpty);
}

void FixedColumn::erase(int at, int count) {
    m_codes.erase(m_codes.begin() + at, m_codes.begin() + at + count);
}

void FixedColumn::permute(std::span<const std::uint32_t> order, int first) {
    std::vector<std::uint32_t> moved;
    moved.reserve(order.size());
    for (const std::uint32_t from : order) {
        moved.push_back(m_codes[static_cast<std::size_t>(first) + from]);
    }
    std::copy(moved.begin(), moved.end(), m_codes.begin() + first);
}

std::string_view FixedColumn::text(int row) const {
    const std::uint32_t code = m_codes[static_cast<std::size_t>(row)];
    if ((code & kTextFlag) != 0) {
        return m_texts[code & ~kTextFlag];
    }
    return numberText(code);
}

void FixedColumn::setText(int row, std::string_view text) {
    std::uint32_t number = 0;
    m_codes[static_cast<std::size_t>(row)] =
        isRowNumberText(text, number) ? number : intern(text);
}

void FixedColumn::setNumber(int row, std::uint32_t number) {
    m_codes[static_cast<std::size_t>(row)] = number & ~kTextFlag;
}

std::uint32_t FixedColumn::intern(std::string_view text) {
    if (const auto found = m_textCodes.find(text); found != m_textCodes.end()) {
        return found->second;
    }
    const auto code = static_cast<std::uint32_t>(m_texts.size()) | kTextFlag;
    // Strings in a deque never move, so the map's views of them stay valid.
    const std::string& stored = m_texts.emplace_back(text);
    m_textCodes.emplace(stored, code);
    return code;
}

std::string_view FixedColumn::numberText(std::uint32_t number) const {
    const std::size_t block = number / kNumbersPerBlock;
    if (block >= m_digitBlocks.size()) {
        m_digitBlocks.resize(block + 1);
    }
    auto& digits = m_digitBlocks[block];
    if (!digits) {
        digits = std::make_unique<char[]>(kNumbersPerBlock * kDigitSlot);
        for (std::size_t i = 0; i < kNumbersPerBlock; ++i) {
            char* slot = digits.get() + i * kDigitSlot;
            std::to_chars(slot, slot + kDigitSlot, block * kNumbersPerBlock + i);
        }
    }
    const char* slot = digits.get() + (number % kNumbersPerBlock) * kDigitSlot;
    return {slot, strnlen(slot, kDigitSlot)};
}

} // namespace ranvo
