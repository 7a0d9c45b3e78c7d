#include "core/loading/grid_fill.h"

#include "core/definitions/definition_layout.h"

#include <algorithm>
#include <string>
#include <vector>

namespace ranvo {

RecordShape ShapeOf(const RecordList& records, const RecordLayout& layout) {
    RecordShape shape;
    if (layout.IsFixed()) {
        // Every record of a condition has the same cells: each condition is looked at once.
        std::vector<bool> seen;
        for (std::size_t i = 0; i < records.size(); ++i) {
            const auto condition = static_cast<std::size_t>(records.Condition(i));
            if (condition >= seen.size()) {
                seen.resize(condition + 1, false);
            }
            if (!seen[condition]) {
                seen[condition] = true;
                const std::size_t cells = layout.FieldCount(static_cast<int>(condition));
                shape.MostCells = std::max(shape.MostCells, cells);
                shape.EveryRecordHasCells = shape.EveryRecordHasCells && cells > 0;
            }
        }
        return shape;
    }
    CellList cells;
    for (std::size_t i = 0; i < records.size(); ++i) {
        layout.Cut(records.Text(i), records.Condition(i), cells);
        shape.MostCells = std::max(shape.MostCells, cells.size());
        shape.EveryRecordHasCells = shape.EveryRecordHasCells && !cells.empty();
    }
    return shape;
}

bool WidenForCells(DataGrid& grid, std::size_t cells) {
    if (static_cast<std::size_t>(grid.ColCount()) > cells) {
        return false;
    }
    grid.SetColCount(static_cast<int>(cells) + 1);
    return true;
}

bool FillGrid(MainState& state, UiHost& host) {
    DataGrid& grid = state.Grid;
    grid.SetLayout(LayoutOf(state.Definition));
    const bool cut = state.Definition.IsFixedFormat() || state.Definition.IsCsvFormat();
    const RecordShape shape = cut ? ShapeOf(grid.Records(), grid.Layout()) : RecordShape{};
    grid.SetColCount(1);
    if (!shape.EveryRecordHasCells) {
        grid.SetRecords({});
        grid.SetRowCount(1);
        grid.SetFixedRows(0);
        grid.SetFixedCols(0);
        return false;
    }
    WidenForCells(grid, shape.MostCells);
    grid.SetRowCount(static_cast<int>(grid.Records().size()) + 1);
    grid.SetFixedRows(grid.RowCount() > 1 ? 1 : 0);
    grid.SetFixedCols(grid.ColCount() > 1 ? 1 : 0);
    for (int col = 1; col < grid.ColCount(); ++col) {
        grid.SetCell(col, 0, std::to_string(col));
    }
    for (int row = 1; row < grid.RowCount(); ++row) {
        grid.SetRowNumber(row, row);
    }
    grid.SetColWidth(0, host.TextWidth(FontRole::Editor, "99999") + 5);
    return true;
}

} // namespace ranvo
