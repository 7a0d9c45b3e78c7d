#include "core/app/grid_queries.h"

namespace ranvo {

int RowCondition(const MainState& state, int row) {
    return state.Grid.RowCondition(row);
}

int FieldCount(const TDefineClass& definition, int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= definition.Conditions.size()) {
        return 0;
    }
    return static_cast<int>(definition.Conditions[static_cast<std::size_t>(i)].FieldLength.size());
}

const std::string& ConditionName(const TDefineClass& definition, int i) {
    static const std::string none;
    if (i < 0 || static_cast<std::size_t>(i) >= definition.Conditions.size()) {
        return none;
    }
    return definition.Conditions[static_cast<std::size_t>(i)].ConditionName;
}

bool IsCellVisible(const DataGrid& grid, int col, int row) {
    return col >= 0 && col < grid.ColCount() && row >= 0 && row < grid.RowCount() &&
           grid.ColWidth(col) > 0 && grid.RowHeight(row) > 0;
}

} // namespace ranvo
