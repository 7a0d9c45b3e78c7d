#include "core/grid/data_grid.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace ranvo {
namespace {

// A row blob: a 32-bit header (stored cell count, top bit set when the cell ends are 32-bit),
// the cell ends (16-bit while the row's bytes fit), then the bytes of the cells back to back.
// Cells after the last stored one are empty.
constexpr std::uint32_t kWideEnds = 0x80000000u;
constexpr std::size_t kHeader = sizeof(std::uint32_t);

struct BlobLayout {
    std::size_t count = 0;
    std::size_t endSize = 0;

    static BlobLayout of(const char* blob) {
        std::uint32_t header = 0;
        std::memcpy(&header, blob, kHeader);
        return {header & ~kWideEnds, (header & kWideEnds) != 0 ? 4u : 2u};
    }

    [[nodiscard]] std::size_t end(const char* blob, std::size_t index) const {
        const char* at = blob + kHeader + index * endSize;
        if (endSize == 2) {
            std::uint16_t value = 0;
            std::memcpy(&value, at, 2);
            return value;
        }
        std::uint32_t value = 0;
        std::memcpy(&value, at, 4);
        return value;
    }

    [[nodiscard]] const char* bytes(const char* blob) const {
        return blob + kHeader + count * endSize;
    }

    [[nodiscard]] std::size_t size(const char* blob) const {
        return kHeader + count * endSize + (count == 0 ? 0 : end(blob, count - 1));
    }
};

std::string_view asView(std::string_view text) {
    return text;
}

} // namespace

GridRowCells::GridRowCells(const char* blob) : m_blob(blob) {
    if (blob != nullptr) {
        const BlobLayout layout = BlobLayout::of(blob);
        m_count = layout.count;
        m_endSize = layout.endSize;
    }
}

std::string_view GridRowCells::operator[](std::size_t index) const {
    if (index >= m_count) {
        return {};
    }
    const BlobLayout layout{m_count, m_endSize};
    const std::size_t start = index == 0 ? 0 : layout.end(m_blob, index - 1);
    return {layout.bytes(m_blob) + start, layout.end(m_blob, index) - start};
}

GridRowCells DataGrid::RowCells(int row) const {
    if (row < 0 || row >= RowCount()) {
        return {};
    }
    return GridRowCells(m_rows[static_cast<std::size_t>(row)]);
}

DataGrid::DataGrid() {
    SetRowCount(1);
    m_widths.resize(m_colCount);
}

void DataGrid::SetRowCount(int count) {
    count = std::max(count, 0);
    const int old = RowCount();
    if (count < old) {
        for (int row = count; row < old; ++row) {
            replaceBlob(row, nullptr);
        }
    }
    m_rows.resize(static_cast<std::size_t>(count), nullptr);
    m_fixedColumn.resize(count);
    m_heights.resize(count);
    clampCursor();
    compactIfWorthIt();
}

void DataGrid::SetColCount(int count) {
    count = std::max(count, 0);
    if (count < m_colCount) {
        const auto kept = static_cast<std::size_t>(std::max(count - 1, 0));
        for (int row = 0; row < RowCount(); ++row) {
            const char* blob = m_rows[static_cast<std::size_t>(row)];
            if (blob == nullptr || BlobLayout::of(blob).count <= kept) {
                continue;
            }
            std::vector<std::string_view> cells;
            for (std::size_t i = 0; i < kept; ++i) {
                cells.push_back(storedCell(blob, i));
            }
            storeRow(row, std::span<const std::string_view>(cells));
        }
        if (count == 0) {
            for (int row = 0; row < RowCount(); ++row) {
                m_fixedColumn.setText(row, {});
            }
        }
    }
    m_colCount = count;
    m_widths.resize(count);
    clampCursor();
    compactIfWorthIt();
}

std::string_view DataGrid::storedCell(const char* blob, std::size_t index) const {
    return GridRowCells(blob)[index];
}

std::string_view DataGrid::Cell(int col, int row) const {
    if (col < 0 || col >= m_colCount || row < 0 || row >= RowCount()) {
        return {};
    }
    if (col == 0) {
        return m_fixedColumn.text(row);
    }
    const char* blob = m_rows[static_cast<std::size_t>(row)];
    return blob == nullptr ? std::string_view{} : storedCell(blob, static_cast<std::size_t>(col - 1));
}

void DataGrid::SetCell(int col, int row, std::string_view text) {
    if (col < 0 || col >= m_colCount || row < 0 || row >= RowCount()) {
        return;
    }
    if (col == 0) {
        m_fixedColumn.setText(row, text);
        return;
    }
    const char* blob = m_rows[static_cast<std::size_t>(row)];
    const std::size_t stored = blob == nullptr ? 0 : BlobLayout::of(blob).count;
    const auto index = static_cast<std::size_t>(col - 1);
    std::vector<std::string_view> cells(std::max(stored, index + 1));
    for (std::size_t i = 0; i < stored; ++i) {
        cells[i] = storedCell(blob, i);
    }
    cells[index] = text;
    storeRow(row, std::span<const std::string_view>(cells));
}

void DataGrid::SetRowCells(int row, std::span<const std::string_view> values) {
    storeRow(row, values);
}

void DataGrid::SetRowCells(int row, std::span<const std::string> values) {
    storeRow(row, values);
}

template <class Text>
void DataGrid::storeRow(int row, std::span<const Text> values) {
    if (row < 0 || row >= RowCount()) {
        return;
    }
    std::size_t count = std::min(values.size(), static_cast<std::size_t>(std::max(m_colCount - 1, 0)));
    while (count > 0 && values[count - 1].empty()) {
        --count; // trailing empty cells need no storage
    }
    if (count == 0) {
        replaceBlob(row, nullptr);
        return;
    }
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < count; ++i) {
        bytes += values[i].size();
    }
    if (bytes > UINT32_MAX) {
        throw std::length_error("grid row longer than 4 GiB");
    }
    const bool wide = bytes > UINT16_MAX;
    const std::size_t endSize = wide ? 4 : 2;
    char* blob = m_arena.allocate(kHeader + count * endSize + bytes);
    const auto header = static_cast<std::uint32_t>(count) | (wide ? kWideEnds : 0u);
    std::memcpy(blob, &header, kHeader);
    char* ends = blob + kHeader;
    char* out = ends + count * endSize;
    std::size_t end = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view value = asView(values[i]);
        std::copy_n(value.data(), value.size(), out + end);
        end += value.size();
        if (wide) {
            const auto value32 = static_cast<std::uint32_t>(end);
            std::memcpy(ends + i * 4, &value32, 4);
        } else {
            const auto value16 = static_cast<std::uint16_t>(end);
            std::memcpy(ends + i * 2, &value16, 2);
        }
    }
    replaceBlob(row, blob);
}

void DataGrid::replaceBlob(int row, const char* blob) {
    const char*& slot = m_rows[static_cast<std::size_t>(row)];
    if (slot != nullptr) {
        m_arena.release(BlobLayout::of(slot).size(slot));
    }
    slot = blob;
    compactIfWorthIt();
}

void DataGrid::ClearRow(int row) {
    if (row < 0 || row >= RowCount()) {
        return;
    }
    replaceBlob(row, nullptr);
    m_fixedColumn.setText(row, {});
}

void DataGrid::InsertRows(int at, int count) {
    at = std::clamp(at, 0, RowCount());
    count = std::max(count, 0);
    m_rows.insert(m_rows.begin() + at, static_cast<std::size_t>(count), nullptr);
    m_fixedColumn.insert(at, count);
    m_heights.insert(at, count);
}

void DataGrid::DeleteRows(int at, int count) {
    at = std::clamp(at, 0, RowCount());
    count = std::clamp(count, 0, RowCount() - at);
    for (int row = at; row < at + count; ++row) {
        replaceBlob(row, nullptr);
    }
    m_rows.erase(m_rows.begin() + at, m_rows.begin() + at + count);
    m_fixedColumn.erase(at, count);
    m_heights.erase(at, count);
    clampCursor();
}

void DataGrid::PermuteRows(int first, const std::vector<std::size_t>& order) {
    std::vector<const char*> moved;
    moved.reserve(order.size());
    for (const std::size_t from : order) {
        moved.push_back(m_rows[static_cast<std::size_t>(first) + from]);
    }
    std::copy(moved.begin(), moved.end(), m_rows.begin() + first);
    m_fixedColumn.permute(order, first);
    m_heights.permute(order, first);
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

void DataGrid::compactIfWorthIt() {
    if (!m_arena.wantsCompaction()) {
        return;
    }
    BlobArena fresh;
    for (const char*& blob : m_rows) {
        if (blob != nullptr) {
            const std::size_t size = BlobLayout::of(blob).size(blob);
            char* copy = fresh.allocate(size);
            std::memcpy(copy, blob, size);
            blob = copy;
        }
    }
    m_arena = std::move(fresh);
}

} // namespace ranvo
