#include "core/platform/supplementary_kanji.h"

#include <iconv.h>

namespace ranvo {

const SupplementaryKanji& SupplementaryKanji::Get() {
    static const SupplementaryKanji table;
    return table;
}

SupplementaryKanji::SupplementaryKanji() {
    iconv_t cd = ::iconv_open("UTF-32LE", "EUC-JP-MS");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        cd = ::iconv_open("UTF-32LE", "EUC-JP");
    }
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return; // without the platform's tables the set is empty: its characters are lost
    }
    for (unsigned row = 0; row < kRows; ++row) {
        for (unsigned cell = 0; cell < kCells; ++cell) {
            char bytes[] = {'\x8F', static_cast<char>(0xA1 + row), static_cast<char>(0xA1 + cell)};
            unsigned char out[8];
            char* in = bytes;
            std::size_t inLeft = sizeof bytes;
            char* outPtr = reinterpret_cast<char*>(out);
            std::size_t outLeft = sizeof out;
            ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (::iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
                sizeof out - outLeft != 4) {
                continue;
            }
            const char32_t character =
                out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
            m_characters[row * kCells + cell] = character;
            m_rowCells.emplace(character, RowCell{static_cast<unsigned char>(0x21 + row),
                                                  static_cast<unsigned char>(0x21 + cell)});
        }
    }
    ::iconv_close(cd);
}

std::optional<char32_t> SupplementaryKanji::CharacterAt(unsigned char row,
                                                        unsigned char cell) const {
    if (row < 0x21 || row > 0x74 || cell < 0x21 || cell > 0x7E) {
        return std::nullopt;
    }
    const char32_t character = m_characters[(row - 0x21u) * kCells + (cell - 0x21u)];
    return character != 0 ? std::optional<char32_t>(character) : std::nullopt;
}

std::optional<SupplementaryKanji::RowCell> SupplementaryKanji::RowCellOf(char32_t character) const {
    const auto found = m_rowCells.find(character);
    return found != m_rowCells.end() ? std::optional<RowCell>(found->second) : std::nullopt;
}

} // namespace ranvo
