#pragma once

// The values of one record, cut without copying: each value is a view into the record's text,
// except a quoted CSV value whose doubled quotes had to be undone, which is copied into the
// list's own buffer. A list is reused from record to record, so cutting millions of records
// allocates nothing once it has grown. Views stay valid until the list is cut again or cleared.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

class CellList {
public:
    [[nodiscard]] std::size_t size() const { return m_pieces.size(); }
    [[nodiscard]] bool empty() const { return m_pieces.empty(); }
    [[nodiscard]] std::string_view operator[](std::size_t index) const;
    // The value, or the empty text beyond the last one (a grid row's later cells are empty).
    [[nodiscard]] std::string_view ValueOr(std::size_t index) const {
        return index < size() ? (*this)[index] : std::string_view{};
    }

    // Whether the value was copied (its view dies with the list) rather than cut from the text.
    [[nodiscard]] bool IsCopied(std::size_t index) const { return m_pieces[index].owned; }

    void clear();
    // A value that is a piece of the text being cut.
    void Add(std::string_view piece) { m_pieces.push_back({piece.data(), piece.size(), false}); }
    // A quoted value's inner text with every doubled `quote` taken as one.
    void AddUnquoted(std::string_view inner, char quote);

private:
    struct Piece {
        const char* data; // the text's bytes, or for an owned piece its offset into m_owned
        std::size_t size;
        bool owned;
    };
    std::vector<Piece> m_pieces;
    std::string m_owned;
};

// Cuts at every occurrence of `separator` (one or more bytes), found character by character so
// that a separator is never found on a trail byte. The empty text gives one empty value, and a
// trailing separator a trailing empty value.
void CutFields(std::string_view text, std::string_view separator, CellList& cells);

// Cuts a CSV line at `separator` outside values enclosed in `quote`; a doubled quote inside a
// quoted value stands for one quote, and a trail byte is never taken for a quote. A trailing separator gives no trailing empty value, the empty
// text gives no value, and a quoted value that is never closed ends the line there.
void CutQuoted(std::string_view text, char separator, char quote, CellList& cells);

} // namespace ranvo
