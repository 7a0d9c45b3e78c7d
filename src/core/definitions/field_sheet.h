#pragma once

// The definition editor's field grid: one row per field of the condition being edited (name,
// start, length, colour, as texts) and an empty row at the bottom where the next field is typed.
// For a fixed-length format the starts follow from the lengths; for CSV every field is one
// column, so its length is 1 and the starts simply count. Rows are 0-based (row i is numbered
// i+1); columns are those of the grid: 0 the number, 1 name, 2 start, 3 length, 4 colour.

#include "core/platform/ui_host.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

struct FieldSheetRow {
    std::string Name;
    std::string Start;
    std::string Length;
    std::string Color;

    bool operator==(const FieldSheetRow&) const = default;
};

// What became of a cell edit: nothing to take (the same text, or a cell that cannot be edited),
// taken, or refused after an error message with the cell keeping its text.
enum class CellEdit { Unchanged, Taken, Refused };

struct FieldSheetRange {
    int Top = 0;
    int Left = 0;
    int Bottom = 0;
    int Right = 0;
};

class FieldSheet {
public:
    enum Column { NumberColumn = 0, NameColumn, StartColumn, LengthColumn, ColorColumn, ColumnCount };

    FieldSheet();

    // CSV fields have no start or length of their own.
    bool Csv = false;

    [[nodiscard]] const std::vector<FieldSheetRow>& Rows() const { return m_rows; }
    [[nodiscard]] int RowCount() const { return static_cast<int>(m_rows.size()); }
    // The rows above the empty row at the bottom.
    [[nodiscard]] int FieldRowCount() const { return RowCount() - 1; }
    // A cell's text; the number column shows the row's number.
    [[nodiscard]] std::string Cell(int row, int column) const;

    // Leaves only the empty row.
    void Clear();
    // The fields of a condition, and the empty row.
    void Fill(const std::vector<FieldSheetRow>& fields);
    // The fields a condition is written from: every row above the empty one; for a fixed
    // format, rows left empty are passed over and the list ends at the first other row whose
    // start or length is not a run of digits.
    [[nodiscard]] std::vector<FieldSheetRow> Fields() const;

    // A cell edited by the user. A name must be one the `.def` file can hold, a colour an integer
    // (or nothing), a start or length a number that fits the fields around it. An accepted edit
    // of the empty row makes it a field row and adds a new empty row; the starts follow.
    CellEdit Edit(int row, int column, std::string_view text, UiHost& host);

    // Rows `top` to `bottom` with a length, as the clipboard gets them: the cells number, name,
    // start, length, colour (number and name for CSV) joined by tabs, one row a line.
    [[nodiscard]] std::vector<FieldSheetRow> CopyRows(int top, int bottom) const;
    [[nodiscard]] std::string RowsText(int top, int bottom) const;
    // `rows` over the rows from `row` on, the sheet growing as needed.
    void PasteRows(const std::vector<FieldSheetRow>& rows, int row);
    // `rows` inserted before `row`, `times` times one block after the other; with a serial
    // number from `serialStart` (above 0), each block's names end in "-" and the block's number.
    void InsertRows(const std::vector<FieldSheetRow>& rows, int row, int times = 1,
                    std::optional<int> serialStart = std::nullopt);
    // Empty rows inserted at `top`, as many as rows `top` to `bottom`; nothing else moves.
    void InsertEmptyRows(int top, int bottom);
    // Removes rows `top` to `bottom` after the user agrees; false when nothing was removed.
    bool DeleteRows(int top, int bottom, UiHost& host);

    // The cells of `range`, tab-separated, one row a line (CR LF between lines).
    [[nodiscard]] std::string CellsText(const FieldSheetRange& range) const;
    // Tab-separated lines pasted from (`top`, `left`): names as they are, lengths and colours as
    // integers only ("1" and "0" for anything else), starts not at all.
    void PasteCells(std::string_view text, int top, int left);
    // The lines of a CSV file of name, start (ignored), length and colour pasted into the
    // emptied sheet.
    void ReadCsv(std::string_view bytes);

    // Every length that is not above 0 becomes "1", the first start "1" and each following start
    // (the empty row's too) the previous start plus the previous length.
    void Recalculate();

private:
    bool take(int row, int column, std::string_view text, UiHost& host);
    bool editName(int row, std::string_view text, UiHost& host);
    bool editColor(int row, std::string_view text, UiHost& host);
    bool editStart(int row, std::string_view text, UiHost& host);
    bool editLength(int row, std::string_view text, UiHost& host);
    void pasteItems(const std::vector<std::string>& items, int row, int left);
    void endWithEmptyRow();

    std::vector<FieldSheetRow> m_rows;
};

} // namespace ranvo
