#pragma once

// The texts of the grid's column 0: a row number for most rows, otherwise a condition name or a
// mark such as "ADD". Each row holds a 32-bit code instead of a string: a number stands for
// itself, other texts are kept once in a table. Renumbering a million rows writes 4 MB of codes
// and allocates nothing; the digits of a number are made only when a row is looked at.

#include <cstdint>
#include <span>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ranvo {

class FixedColumn {
public:
    [[nodiscard]] int count() const { return static_cast<int>(m_codes.size()); }
    void resize(int count) { m_codes.resize(static_cast<std::size_t>(count), kEmpty); }
    void insert(int at, int count);
    void erase(int at, int count);
    void permute(std::span<const std::uint32_t> order, int first);

    [[nodiscard]] std::string_view text(int row) const;
    void setText(int row, std::string_view text);
    void setNumber(int row, std::uint32_t number);

private:
    static constexpr std::uint32_t kTextFlag = 0x80000000u;
    static constexpr std::uint32_t kEmpty = kTextFlag; // the first table entry is the empty text
    static constexpr std::size_t kNumbersPerBlock = 4096;
    static constexpr std::size_t kDigitSlot = 10; // 2^31 - 1 has ten digits

    [[nodiscard]] std::string_view numberText(std::uint32_t number) const;
    [[nodiscard]] std::uint32_t intern(std::string_view text);

    std::vector<std::uint32_t> m_codes;
    std::deque<std::string> m_texts{std::string()};
    std::unordered_map<std::string_view, std::uint32_t> m_textCodes{{std::string_view(), kEmpty}};
    mutable std::vector<std::unique_ptr<char[]>> m_digitBlocks;
};

} // namespace ranvo
