#include "core/platform/supplementary_kanji.h"

namespace ranvo {

const SupplementaryKanji& SupplementaryKanji::Get() {
    static const SupplementaryKanji table;
    return table;
}

SupplementaryKanji::SupplementaryKanji() {
    for (unsigned row = 0; row < kRows; ++row) {
        for (unsigned cell = 0; cell < kCells; ++cell) {
            if (const char32_t character = kCharacters[row * kCells + cell]; character != 0) {
                m_rowCells.emplace(character, RowCell{static_cast<unsigned char>(0x21 + row),
                                                      static_cast<unsigned char>(0x21 + cell)});
            }
        }
    }
}

std::optional<char32_t> SupplementaryKanji::CharacterAt(unsigned char row,
                                                        unsigned char cell) const {
    if (row < 0x21 || row > 0x74 || cell < 0x21 || cell > 0x7E) {
        return std::nullopt;
    }
    const char32_t character = kCharacters[(row - 0x21u) * kCells + (cell - 0x21u)];
    return character != 0 ? std::optional<char32_t>(character) : std::nullopt;
}

std::optional<SupplementaryKanji::RowCell> SupplementaryKanji::RowCellOf(char32_t character) const {
    const auto found = m_rowCells.find(character);
    return found != m_rowCells.end() ? std::optional<RowCell>(found->second) : std::nullopt;
}

} // namespace ranvo
