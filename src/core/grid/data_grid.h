#pragma once

// The string grid every command works on: row 0 and column 0 are the fixed captions, row r >= 1
// is record r - 1 of the record list and column c >= 1 its field c - 1. Besides the cells it
// holds the grid's shape (row and column counts, fixed rows and columns), row heights and column
// widths (0 and -1 mean hidden), the current cell, the selection and the scroll position.
//
// The grid owns the record list, and the records are the one store of its data cells: a cell is
// read from its row's record through the record layout when it is asked for, and setting a cell
// rewrites the record. Rows and their records are inserted, deleted and reordered together, with
// column 0 and the row heights, so a hidden record stays hidden wherever it goes.
//
// A data row may have no record: after every record was cut, one empty row stays to type into.
// Such rows come after the rows with records; their cells are empty and cannot be set.

#include "core/grid/axis_extents.h"
#include "core/grid/fixed_column.h"
#include "core/grid/record_layout.h"
#include "core/grid/record_list.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ranvo {

struct GridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    friend bool operator==(const GridRect&, const GridRect&) = default;
};

class DataGrid {
public:
    DataGrid();

    [[nodiscard]] int RowCount() const { return static_cast<int>(m_fixedColumn.count()); }
    [[nodiscard]] int ColCount() const { return m_colCount; }
    // Growing adds empty rows (without records) or columns. Shrinking drops rows, with their
    // records, or columns.
    void SetRowCount(int count);
    void SetColCount(int count);
    [[nodiscard]] int FixedRows() const { return m_fixedRows; }
    [[nodiscard]] int FixedCols() const { return m_fixedCols; }
    void SetFixedRows(int count) { m_fixedRows = count; }
    void SetFixedCols(int count) { m_fixedCols = count; }

    // The records behind the data rows (row r holds record r - 1) and how they are cut into cells.
    [[nodiscard]] const RecordList& Records() const { return m_records; }
    [[nodiscard]] const RecordLayout& Layout() const { return m_layout; }
    void SetLayout(RecordLayout layout);
    // Replaces every row: one data row per record (row 0 stays), every cell of row 0 and column 0
    // emptied, the heights of the rows reset.
    void SetRecords(RecordList records);
    [[nodiscard]] bool HasRecord(int row) const {
        return row >= 1 && static_cast<std::size_t>(row) <= m_records.size();
    }
    // The condition of the row's record; 0 for a row without one.
    [[nodiscard]] int RowCondition(int row) const {
        return HasRecord(row) ? m_records.Condition(static_cast<std::size_t>(row) - 1) : 0;
    }
    [[nodiscard]] std::string_view RecordText(int row) const {
        return HasRecord(row) ? m_records.Text(static_cast<std::size_t>(row) - 1) : std::string_view{};
    }
    [[nodiscard]] const StoredRecord& Stored(int row) const {
        return m_records.Stored(static_cast<std::size_t>(row) - 1);
    }
    // The row's record becomes `text` of `condition` (a copy), or a record stored before; the grid
    // grows when a restored record holds more cells than it has columns for.
    void SetRecord(int row, int condition, std::string_view text);
    void RestoreRecord(int row, const StoredRecord& record);

    // The cell's text; empty outside the grid. A view stays valid until the next change of the
    // grid's records, layout or captions.
    [[nodiscard]] std::string_view Cell(int col, int row) const;
    // Row 0 and column 0 take the text as it is. A data cell with a record rewrites the record with
    // the value fitted to its field (the grid grows when a plain CSV value took a separator and
    // became more values than it has columns for); a cell without a record or beyond the grid is
    // left alone.
    void SetCell(int col, int row, std::string_view text);
    // The cells of a data row (columns 1 onward; later columns are empty), cut in one pass.
    void CutRow(int row, CellList& cells) const;
    // Writes the number into the row's column-0 cell without making a string of it.
    void SetRowNumber(int row, int number) { m_fixedColumn.setNumber(row, static_cast<unsigned>(number)); }

    // Rows inserted at `at` for records stored before (undo), or new rows without records.
    void InsertRecordRows(int at, std::span<const StoredRecord> records);
    void InsertRecordRow(int at, int condition, std::string_view text);
    void InsertRows(int at, int count);
    // Takes rows out with their records; the records are answered for undo.
    std::vector<StoredRecord> DeleteRows(int at, int count);
    // Row 1 + k takes what row 1 + order[k] held (`order` is a permutation of the rows with
    // records).
    void PermuteRows(std::span<const std::uint32_t> order);

    [[nodiscard]] int RowHeight(int row) const { return m_heights.extent(row); }
    void SetRowHeight(int row, int height) { m_heights.setExtent(row, height); }
    [[nodiscard]] int ColWidth(int col) const { return m_widths.extent(col); }
    void SetColWidth(int col, int width) { m_widths.setExtent(col, width); }
    [[nodiscard]] int DefaultRowHeight() const { return m_heights.defaultExtent(); }
    [[nodiscard]] int DefaultColWidth() const { return m_widths.defaultExtent(); }
    // A new default size is given to every row (or column), as a string grid does.
    void SetDefaultRowHeight(int height) { m_heights.setDefaultExtent(height); }
    void SetDefaultColWidth(int width) { m_widths.setDefaultExtent(width); }
    // Every row and column back to the default size, hidden ones included.
    void ResetExtents() {
        m_heights.setDefaultExtent(m_heights.defaultExtent());
        m_widths.setDefaultExtent(m_widths.defaultExtent());
    }
    [[nodiscard]] const AxisExtents& RowHeights() const { return m_heights; }
    [[nodiscard]] const AxisExtents& ColWidths() const { return m_widths; }
    [[nodiscard]] AxisExtents& RowHeights() { return m_heights; }
    [[nodiscard]] AxisExtents& ColWidths() { return m_widths; }

    // The current cell and the selection, kept as a string grid keeps them: the selection is the
    // rectangle between an anchor and the current cell. Moving the current cell collapses the
    // selection onto it; extending moves the current cell and keeps the anchor.
    [[nodiscard]] int Col() const { return m_col; }
    [[nodiscard]] int Row() const { return m_row; }
    void SetCurrent(int col, int row);
    void SetCol(int col) { SetCurrent(col, m_row); }
    void SetRow(int row) { SetCurrent(m_col, row); }
    void ExtendSelectionTo(int col, int row);
    [[nodiscard]] GridRect Selection() const;
    // Anchor at the top-left corner, current cell at the bottom-right one.
    void SetSelection(const GridRect& selection);

    [[nodiscard]] int TopRow() const { return m_topRow; }
    [[nodiscard]] int LeftCol() const { return m_leftCol; }
    void SetTopRow(int row) { m_topRow = row; }
    void SetLeftCol(int col) { m_leftCol = col; }
    // How many whole rows and columns the view shows below and right of the fixed ones; the
    // view reports them whenever its size or the extents change.
    [[nodiscard]] int VisibleRowCount() const { return m_visibleRowCount; }
    [[nodiscard]] int VisibleColCount() const { return m_visibleColCount; }
    void SetVisibleCounts(int rows, int cols) {
        m_visibleRowCount = rows;
        m_visibleColCount = cols;
    }

private:
    void changed();
    void clampCursor();
    void widenForRecord(int row);
    [[nodiscard]] const CellList& cutRow(int row) const;

    RecordList m_records;
    RecordLayout m_layout;
    FixedColumn m_fixedColumn; // one entry per row: its count is the row count
    std::vector<std::string> m_captions; // row 0, by column
    AxisExtents m_heights;
    AxisExtents m_widths;
    int m_colCount = 1;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    int m_col = 0;
    int m_row = 0;
    int m_anchorCol = 0;
    int m_anchorRow = 0;
    int m_topRow = 0;
    int m_leftCol = 0;
    int m_visibleRowCount = 0;
    int m_visibleColCount = 0;

    // The last row cut, so that reading a row cell by cell cuts its record once; and the cells
    // whose quotes had to be undone, kept until the next change so that their views stay valid.
    mutable int m_cutRow = -1;
    mutable CellList m_cutCells;
    mutable std::unordered_map<const char*, std::vector<std::string>> m_unquoted;
};

} // namespace ranvo
