#pragma once

// How the records of a file are cut into cells and built back from them: a fixed-length record
// into consecutive byte slices of its condition's field lengths, a CSV record at its separator
// (with quotes for the quoted kind). The record is the one store of a row's data; its cells are
// read from it when they are needed, and a changed cell rewrites it, so that records and cells can
// never disagree. The definition decides the layout (see LayoutOf); the grid and every reader of
// cells use it.

#include "core/text/cell_list.h"
#include "core/text/csv_line.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

class RecordLayout {
public:
    enum class Kind : std::uint8_t { None, Fixed, PlainCsv, QuotedCsv };

    // A layout that cuts nothing (a definition of unknown format): records have no cells.
    RecordLayout() = default;
    // Fixed-length records: per condition, the byte length of each named field.
    static RecordLayout Fixed(std::vector<std::vector<std::uint32_t>> fieldLengths);
    // CSV records; `quoted` honours the quote when cutting.
    static RecordLayout Csv(bool quoted, std::string separator, std::string quote, bool quoteAlways);

    [[nodiscard]] Kind kind() const { return m_kind; }
    [[nodiscard]] bool IsFixed() const { return m_kind == Kind::Fixed; }
    [[nodiscard]] bool IsCsv() const { return m_kind == Kind::PlainCsv || m_kind == Kind::QuotedCsv; }
    [[nodiscard]] CsvStyle Style() const { return {m_separator, m_quote, m_quoteAlways}; }

    // The cells of a record of `condition`. A fixed-length record has one cell per named field of
    // its condition (slices past the end of a short record are empty).
    void Cut(std::string_view record, int condition, CellList& cells) const;
    // Cell `index` alone; a quoted CSV value that needed its quotes undone is copied to `scratch`.
    [[nodiscard]] std::string_view CellOf(std::string_view record, int condition, std::size_t index,
                                          CellList& scratch) const;

    // Fixed-length: the named fields of a condition, the byte length of one (0 beyond them) and the
    // record's length (their sum).
    [[nodiscard]] std::size_t FieldCount(int condition) const;
    [[nodiscard]] std::size_t FieldLength(int condition, std::size_t index) const;
    [[nodiscard]] std::size_t RecordLength(int condition) const;

    // The value as cell `index` of a `condition` record stores it: in a fixed-length layout exactly
    // the field's byte length, padded with blanks or cut, never in the middle of a double-byte
    // character (a character that would be cut in two is left out and its room padded); in CSV
    // unchanged.
    [[nodiscard]] std::string Fit(int condition, std::size_t index, std::string_view value) const;
    // A whole record typed or pasted as text, as the store keeps it: fixed-length records are
    // brought to their condition's length the same way; CSV records are kept as typed, except a
    // quoted CSV line that yields no value, which is kept as one empty value.
    [[nodiscard]] std::string FitRecord(int condition, std::string_view text) const;

    // The record with cell `index` changed to `value` (fitted). A fixed-length record keeps every
    // other byte; a CSV record is written again from its cells.
    [[nodiscard]] std::string WithCell(std::string_view record, int condition, std::size_t index,
                                       std::string_view value) const;
    // A record built from its cells: joined (fixed-length), or written as a CSV row: the values up to
    // the last non-empty one, joined by the separator, and in quoted CSV quoted where needed. A
    // quoted CSV row of empty values is written as one empty quoted value, since an empty line
    // could not be read back as a record.
    [[nodiscard]] std::string Build(const CellList& cells) const;

private:
    Kind m_kind = Kind::None;
    std::vector<std::vector<std::uint32_t>> m_lengths;
    std::vector<std::vector<std::uint64_t>> m_offsets; // start of each field, then the record length
    std::string m_separator;
    std::string m_quote;
    bool m_quoteAlways = false;
};

} // namespace ranvo
