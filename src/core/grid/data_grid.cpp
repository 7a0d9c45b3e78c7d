#include "core/grid/data_grid.h"

#include <algorithm>

namespace ranvo {

DataGrid::DataGrid() {
    SetRowCount(1);
    m_widths.resize(m_colCount);
}

void DataGrid::changed() {
    m_cutRow = -1;
    m_unquoted.clear();
}

void DataGrid::SetRowCount(int count) {
    count = std::max(count, 0);
    if (static_cast<std::size_t>(std::max(count - 1, 0)) < m_records.size()) {
        (void)m_records.Erase(static_cast<std::size_t>(std::max(count - 1, 0)), m_records.size());
    }
    m_fixedColumn.resize(count);
    m_heights.resize(count);
    clampCursor();
    changed();
}

void DataGrid::SetColCount(int count) {
    count = std::max(count, 0);
    if (count == 0) {
        for (int row = 0; row < RowCount(); ++row) {
            m_fixedColumn.setText(row, {});
        }
    }
    m_colCount = count;
    m_captions.resize(static_cast<std::size_t>(count));
    m_widths.resize(count);
    clampCursor();
    changed();
}

void DataGrid::SetLayout(RecordLayout layout) {
    m_layout = std::move(layout);
    changed();
}

void DataGrid::SetRecords(RecordList records) {
    m_records = std::move(records);
    const int rows = static_cast<int>(m_records.size()) + 1;
    m_fixedColumn = FixedColumn();
    m_fixedColumn.resize(rows);
    m_heights.resize(0);
    m_heights.resize(rows);
    std::fill(m_captions.begin(), m_captions.end(), std::string());
    clampCursor();
    changed();
}

void DataGrid::SetRecord(int row, int condition, std::string_view text) {
    if (HasRecord(row)) {
        m_records.Set(static_cast<std::size_t>(row) - 1, condition, text);
        changed();
    }
}

void DataGrid::RestoreRecord(int row, const StoredRecord& record) {
    if (HasRecord(row)) {
        m_records.Restore(static_cast<std::size_t>(row) - 1, record);
        changed();
        // A CSV record from before may hold more values than the grid has columns by now (it
        // was reset to one cell when its last row went, and came back as wide as its rows then).
        widenForRecord(row);
    }
}

const CellList& DataGrid::cutRow(int row) const {
    if (m_cutRow != row) {
        m_layout.Cut(RecordText(row), RowCondition(row), m_cutCells);
        m_cutRow = row;
    }
    return m_cutCells;
}

std::string_view DataGrid::Cell(int col, int row) const {
    if (col < 0 || col >= m_colCount || row < 0 || row >= RowCount()) {
        return {};
    }
    if (col == 0) {
        return m_fixedColumn.text(row);
    }
    if (row == 0) {
        return m_captions[static_cast<std::size_t>(col)];
    }
    if (!HasRecord(row)) {
        return {};
    }
    const CellList& cells = cutRow(row);
    const auto index = static_cast<std::size_t>(col - 1);
    if (index >= cells.size()) {
        return {};
    }
    if (!cells.IsCopied(index)) {
        return cells[index];
    }
    // A value whose quotes were undone lives in the cut list, which the next row's cut reuses:
    // it is kept here until the grid changes.
    std::vector<std::string>& kept = m_unquoted[Stored(row).Data];
    if (kept.size() <= index) {
        kept.resize(cells.size());
    }
    kept[index].assign(cells[index]);
    return kept[index];
}

void DataGrid::SetCell(int col, int row, std::string_view text) {
    if (col < 0 || col >= m_colCount || row < 0 || row >= RowCount()) {
        return;
    }
    if (col == 0) {
        m_fixedColumn.setText(row, text);
    } else if (row == 0) {
        m_captions[static_cast<std::size_t>(col)].assign(text);
    } else if (HasRecord(row)) {
        const int condition = RowCondition(row);
        const std::string record = m_layout.WithCell(RecordText(row), condition,
                                                     static_cast<std::size_t>(col - 1), text);
        m_records.Set(static_cast<std::size_t>(row) - 1, condition, record);
    } else {
        return;
    }
    changed();
    // A plain CSV value that takes the separator becomes more than one value.
    if (col >= 1 && row >= 1 && m_layout.kind() == RecordLayout::Kind::PlainCsv) {
        widenForRecord(row);
    }
}

// The grid grows to show every cell of the row's record.
void DataGrid::widenForRecord(int row) {
    const CellList& cells = cutRow(row);
    if (cells.size() >= static_cast<std::size_t>(m_colCount)) {
        SetColCount(static_cast<int>(cells.size()) + 1);
    }
}

void DataGrid::CutRow(int row, CellList& cells) const {
    if (HasRecord(row)) {
        m_layout.Cut(RecordText(row), RowCondition(row), cells);
    } else {
        cells.clear();
    }
}

void DataGrid::InsertRecordRows(int at, std::span<const StoredRecord> records) {
    at = std::clamp(at, 1, static_cast<int>(m_records.size()) + 1);
    m_records.Insert(static_cast<std::size_t>(at) - 1, records);
    const auto count = static_cast<int>(records.size());
    m_fixedColumn.insert(at, count);
    m_heights.insert(at, count);
    changed();
}

void DataGrid::InsertRecordRow(int at, int condition, std::string_view text) {
    at = std::clamp(at, 1, static_cast<int>(m_records.size()) + 1);
    m_records.Insert(static_cast<std::size_t>(at) - 1, condition, text);
    m_fixedColumn.insert(at, 1);
    m_heights.insert(at, 1);
    changed();
}

void DataGrid::InsertRows(int at, int count) {
    at = std::clamp(at, static_cast<int>(m_records.size()) + 1, RowCount());
    count = std::max(count, 0);
    m_fixedColumn.insert(at, count);
    m_heights.insert(at, count);
    changed();
}

std::vector<StoredRecord> DataGrid::DeleteRows(int at, int count) {
    at = std::clamp(at, 0, RowCount());
    count = std::clamp(count, 0, RowCount() - at);
    std::vector<StoredRecord> taken;
    if (at >= 1) {
        taken = m_records.Erase(static_cast<std::size_t>(at) - 1, static_cast<std::size_t>(count));
    }
    m_fixedColumn.erase(at, count);
    m_heights.erase(at, count);
    clampCursor();
    changed();
    return taken;
}

void DataGrid::PermuteRows(std::span<const std::uint32_t> order) {
    if (order.size() > m_records.size()) {
        return;
    }
    m_records.Permute(order);
    m_fixedColumn.permute(order, 1);
    m_heights.permute(order, 1);
    changed();
}

void DataGrid::SetCurrent(int col, int row) {
    m_col = m_anchorCol = col;
    m_row = m_anchorRow = row;
}

void DataGrid::ExtendSelectionTo(int col, int row) {
    m_col = col;
    m_row = row;
}

GridRect DataGrid::Selection() const {
    return {std::min(m_anchorCol, m_col), std::min(m_anchorRow, m_row),
            std::max(m_anchorCol, m_col), std::max(m_anchorRow, m_row)};
}

void DataGrid::SetSelection(const GridRect& selection) {
    m_anchorCol = selection.Left;
    m_anchorRow = selection.Top;
    m_col = selection.Right;
    m_row = selection.Bottom;
}

void DataGrid::clampCursor() {
    const int lastCol = std::max(m_colCount - 1, 0);
    const int lastRow = std::max(RowCount() - 1, 0);
    m_col = std::min(m_col, lastCol);
    m_anchorCol = std::min(m_anchorCol, lastCol);
    m_row = std::min(m_row, lastRow);
    m_anchorRow = std::min(m_anchorRow, lastRow);
    m_topRow = std::min(m_topRow, lastRow);
    m_leftCol = std::min(m_leftCol, lastCol);
}

} // namespace ranvo
