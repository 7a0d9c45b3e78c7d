#pragma once

// The filter table editor's sheet: one filter table (`.fil`) as rows of key and value with the
// table's options, read from and written to the file, filled from CSV or the clipboard, sorted,
// searched. The sheet always ends in an entry row, an empty row where the next key is typed.
// Rows and columns are 0-based: row i is the row numbered i+1, column 0 the key, 1 the value.

#include "core/views/rv_filter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

struct FilterTableRow {
    std::string Key;
    std::string Value;

    bool operator==(const FilterTableRow&) const = default;
};

// A rectangle of cells, inclusive at both ends.
struct FilterCellRange {
    int Top = 0;
    int Left = 0;
    int Bottom = 0;
    int Right = 0;
};

enum class FilterFindBy { Number, Key, Value };

class FilterTableSheet {
public:
    static constexpr int KeyColumn = 0;
    static constexpr int ValueColumn = 1;
    static constexpr int ColumnCount = 2;

    FilterTableSheet();

    // The editor's option boxes start unticked.
    TFilterOptions Options{false, false, {}, false, false};

    [[nodiscard]] const std::vector<FilterTableRow>& Rows() const { return m_rows; }
    [[nodiscard]] int RowCount() const { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] const std::string& Cell(int row, int column) const;
    // Sets one cell as the user typed it. A key typed into the entry row that is not blank makes
    // it a row of the table, and a new entry row follows.
    void SetCell(int row, int column, std::string text);
    // Whether SetCell with these arguments appends a new entry row.
    [[nodiscard]] bool AddsRow(int row, int column, std::string_view text) const;

    // Replaces options and rows by those of a `.fil` file's bytes. An option the file does not
    // give is off, as the editor shows it; the rows are the "key=value" lines after the first
    // line that holds "[Filter]", key and value as they stand, split at the first "=".
    void ReadFilterFile(std::string_view bytes);
    // Replaces the rows (not the options) by the lines of a CSV file: one row per line, its first
    // two values as key and value; a line of fewer than two values gives an empty row.
    void ReadCsv(std::string_view bytes);
    // The `.fil` file: the option lines, "[Filter]", then "key=value" for every row whose key is
    // not blank, key and value trimmed; CR LF line ends.
    [[nodiscard]] std::string FilterFileText() const;
    // The first row whose key the file cannot hold: one that would be read back as a comment
    // (";") or a section ("[") instead of a row, or one holding "=", where the row would be cut.
    [[nodiscard]] std::optional<int> FirstUnstorableKey() const;

    // Removes rows `top` to `bottom` (clamped to the sheet). An entry row is put back at the end
    // if none is left there.
    void DeleteRows(int top, int bottom);
    // The cells of `range` as text: cells separated by tabs, rows by CR LF, nothing after the last.
    [[nodiscard]] std::string CopyText(const FilterCellRange& range) const;
    // Fills cells from lines of tab-separated values (double quotes quote), line by line from row
    // `top` down, each line's values from column `left` rightwards as far as the last column. A
    // line without values is skipped, and so is one whose first value is empty when pasting into
    // the keys. Pasted keys append rows at the end, also when `top` lies past it; values alone
    // stop there.
    void Paste(std::string_view text, int top, int left);
    // Sorts the rows but the last (the entry row) by key in upper case, byte by byte; rows of
    // equal keys keep their order.
    void SortByKey();
    // The row that a search for `text` moves the cursor at row `current` to. By number: the row
    // numbered so, or the last row for a larger number; nothing for a number below 1 or text
    // that is not digits. By key or value: the first row below `current` whose key or value
    // holds the text, going on from the top after the last row and stopping before `current`.
    [[nodiscard]] std::optional<int> Find(FilterFindBy by, std::string_view text,
                                          int current) const;

private:
    void ensureEntryRow();

    std::vector<FilterTableRow> m_rows;
};

} // namespace ranvo
