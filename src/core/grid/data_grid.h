#pragma once

// The string grid every command works on: row 0 and column 0 are the fixed captions, row r >= 1
// is record r - 1 of the record list and column c >= 1 its field c - 1. Besides the cells it
// holds the grid's shape (row and column counts, fixed rows and columns), row heights and column
// widths (0 and -1 mean hidden), the current cell, the selection and the scroll position.
//
// Storage is built for millions of rows: a row's cells are one blob in an arena (cell ends, then
// the bytes), column 0 is a column of codes (FixedColumn), and extents use prefix sums
// (AxisExtents). Inserting, deleting and reordering rows move pointers, codes and extents
// together, so a hidden record stays hidden wherever it goes.

#include "core/grid/axis_extents.h"
#include "core/grid/blob_arena.h"
#include "core/grid/fixed_column.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

struct GridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    friend bool operator==(const GridRect&, const GridRect&) = default;
};

// The stored cells of one row, read without looking the row up again for every cell: cell i is
// column i + 1. Valid until the next change of the grid's cells.
class GridRowCells {
public:
    GridRowCells() = default;
    explicit GridRowCells(const char* blob);

    [[nodiscard]] std::size_t size() const { return m_count; }
    [[nodiscard]] std::string_view operator[](std::size_t index) const;

private:
    const char* m_blob = nullptr;
    std::size_t m_count = 0;
    std::size_t m_endSize = 2;
};

class DataGrid {
public:
    DataGrid();

    [[nodiscard]] int RowCount() const { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] int ColCount() const { return m_colCount; }
    // Growing adds empty rows or columns; shrinking drops the cells beyond the new count.
    void SetRowCount(int count);
    void SetColCount(int count);
    [[nodiscard]] int FixedRows() const { return m_fixedRows; }
    [[nodiscard]] int FixedCols() const { return m_fixedCols; }
    void SetFixedRows(int count) { m_fixedRows = count; }
    void SetFixedCols(int count) { m_fixedCols = count; }

    // The cell's text; empty outside the grid. A view stays valid until the next change of the
    // grid's cells.
    [[nodiscard]] std::string_view Cell(int col, int row) const;
    void SetCell(int col, int row, std::string_view text);
    // The stored cells of a data row (columns 1 onward); empty outside the grid.
    [[nodiscard]] GridRowCells RowCells(int row) const;
    // Cells 1, 2, ... of a row get the values; the row's later cells are emptied. Column 0 is
    // left alone.
    void SetRowCells(int row, std::span<const std::string_view> values);
    void SetRowCells(int row, std::span<const std::string> values);
    // Empties every cell of the row, column 0 included.
    void ClearRow(int row);
    // Writes the number into the row's column-0 cell without making a string of it.
    void SetRowNumber(int row, int number) { m_fixedColumn.setNumber(row, static_cast<unsigned>(number)); }

    // Row moves carry cells, column 0 and heights together.
    void InsertRows(int at, int count);
    void DeleteRows(int at, int count);
    // Rows first + k take what rows first + order[k] held (`order` is a permutation).
    void PermuteRows(int first, const std::vector<std::size_t>& order);

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
    template <class Text>
    void storeRow(int row, std::span<const Text> values);
    [[nodiscard]] std::string_view storedCell(const char* blob, std::size_t index) const;
    void replaceBlob(int row, const char* blob);
    void compactIfWorthIt();
    void clampCursor();

    std::vector<const char*> m_rows; // nullptr: a row without stored cells
    FixedColumn m_fixedColumn;
    BlobArena m_arena;
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
};

} // namespace ranvo
