#include "core/text/cell_list.h"

#include "core/text/sjis.h"
#include "core/text/text_helpers.h"

namespace ranvo {

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
