#pragma once

// The third character set of EUC-JP (8F, then row and cell with 80 added) and of JIS after
// ESC $ ( D: JIS X 0212, the supplementary kanji, with the two rows of IBM extension characters
// (73-74) that Windows' EUC-JP adds, held in a table of the program's own (no code page of every
// system has them). CP932 holds few of
// these characters, so a file's map gives them codes while the file is open; this table turns
// them back into the bytes they came from. Rows and cells are 21-7E; the user-defined rows 75-7E
// are left to the caller, which places CP932's user-defined area there.

#include <array>
#include <optional>
#include <unordered_map>

namespace ranvo {

class SupplementaryKanji {
public:
    using RowCell = std::array<unsigned char, 2>;

    [[nodiscard]] static const SupplementaryKanji& Get();

    // The character at a row and cell; nothing where the set has none.
    [[nodiscard]] std::optional<char32_t> CharacterAt(unsigned char row, unsigned char cell) const;
    // Where a character stands in the set; nothing for a character it lacks.
    [[nodiscard]] std::optional<RowCell> RowCellOf(char32_t character) const;

    SupplementaryKanji(const SupplementaryKanji&) = delete;
    SupplementaryKanji& operator=(const SupplementaryKanji&) = delete;

private:
    SupplementaryKanji();

    static constexpr unsigned kRows = 0x74 - 0x21 + 1;
    static constexpr unsigned kCells = 94;

    static const std::array<char32_t, kRows * kCells> kCharacters; // 0 where the set has none
    std::unordered_map<char32_t, RowCell> m_rowCells;
};

} // namespace ranvo
