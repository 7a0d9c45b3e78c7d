#include "core/text/cell_list.h"

#include "core/text/sjis.h"
#include "core/text/text_helpers.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace ranvo {
namespace {

// Cuts at every `separator` byte, a byte that stands only as a character of its own. Rows of many short fields are common, and a search call
// per field costs more than the field: the text is read a word at a time instead.
void cutAtByte(std::string_view text, char separator, CellList& cells) {
    static_assert(std::endian::native == std::endian::little, "bytes are counted from the low end");
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t pattern = 0x0101010101010101ull * static_cast<unsigned char>(separator);
    std::size_t start = 0;
    std::size_t pos = 0;
    for (; pos + sizeof(std::uint64_t) <= text.size(); pos += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + pos, sizeof word);
        const std::uint64_t differs = word ^ pattern;
        // The high bit of every byte that equals the separator, exactly: no carry crosses bytes.
        std::uint64_t hits = ~(((differs & kLow7) + kLow7) | differs | kLow7);
        while (hits != 0) {
            const std::size_t at = pos + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
            cells.Add(text.substr(start, at - start));
            start = at + 1;
            hits &= hits - 1;
        }
    }
    for (; pos < text.size(); ++pos) {
        if (text[pos] == separator) {
            cells.Add(text.substr(start, pos - start));
            start = pos + 1;
        }
    }
    cells.Add(text.substr(start));
}

} // namespace

std::string_view CellList::operator[](std::size_t index) const {
    const Piece& piece = m_pieces[index];
    if (piece.owned) {
        return std::string_view(m_owned).substr(reinterpret_cast<std::size_t>(piece.data), piece.size);
    }
    return {piece.data, piece.size};
}

void CellList::clear() {
    m_pieces.clear();
    m_owned.clear();
}

void CellList::AddUnquoted(std::string_view inner, char quote) {
    if (inner.find(quote) == std::string_view::npos) {
        Add(inner);
        return;
    }
    const std::size_t offset = m_owned.size();
    for (std::size_t pos = 0; pos < inner.size();) {
        const std::size_t length = CharLength(inner, pos);
        m_owned.append(inner, pos, length);
        const bool doubled = length == 1 && inner[pos] == quote && pos + 1 < inner.size() && inner[pos + 1] == quote;
        pos += doubled ? 2 : length;
    }
    m_pieces.push_back({reinterpret_cast<const char*>(offset), m_owned.size() - offset, true});
}

void CutFields(std::string_view text, std::string_view separator, CellList& cells) {
    cells.clear();
    if (separator.size() == 1 && IsNeverPartOfDoubleByte(separator[0])) {
        cutAtByte(text, separator[0], cells);
        return;
    }
    std::size_t start = 0;
    if (!separator.empty()) {
        for (std::size_t found = FindCharacterWise(text, separator, start); found != std::string_view::npos;
             found = FindCharacterWise(text, separator, start)) {
            cells.Add(text.substr(start, found - start));
            start = found + separator.size();
        }
    }
    cells.Add(text.substr(start));
}

void CutQuoted(std::string_view text, char separator, char quote, CellList& cells) {
    cells.clear();
    const std::size_t size = text.size();
    std::size_t start = 0;
    while (start < size) {
        if (text[start] == quote) {
            std::size_t pos = start + 1;
            bool closed = false;
            // Walked character by character: the trail byte of a double-byte character is never
            // taken for the quote.
            while (pos < size) {
                if (text[pos] == quote) {
                    if (pos + 1 == size || text[pos + 1] == separator) {
                        closed = true;
                        break;
                    }
                    if (text[pos + 1] == quote) {
                        pos += 2;
                        continue;
                    }
                }
                pos += CharLength(text, pos);
            }
            if (!closed) {
                return;
            }
            cells.AddUnquoted(text.substr(start + 1, pos - start - 1), quote);
            start = pos + 2;
            continue;
        }
        std::size_t pos = start;
        while (pos < size && text[pos] != separator) {
            pos += CharLength(text, pos);
        }
        if (pos < size) {
            cells.Add(text.substr(start, pos - start));
            start = pos + 1;
        } else {
            cells.AddUnquoted(text.substr(start), quote);
            start = size;
        }
    }
}

} // namespace ranvo
