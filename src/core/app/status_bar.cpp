#include "core/app/status_bar.h"

#include "core/app/grid_queries.h"
#include "core/platform/code_page.h"

namespace ranvo {
namespace {

std::string position(int col, int row) {
    // The separator is an ideographic space.
    return "行:" + std::to_string(row) + "　列:" + std::to_string(col);
}

std::string display(std::string_view cp932) {
    return Cp932ToUtf8(cp932).bytes;
}

} // namespace

void SetStsBar(MainState& state, int col, int row) {
    const DataGrid& grid = state.Grid;
    if (col < 1 || row < 1 || row >= grid.RowCount() || col >= grid.ColCount()) {
        return;
    }
    const TDefineClass& definition = state.Definition;
    const int condition = RowCondition(state, row);
    const int field = col - 1;
    auto& panels = state.StatusPanels;
    panels[0] = position(col, row);
    const std::int32_t length = definition.GetFieldLength(condition, field);
    if (length <= 0) {
        panels[1] = "定義なし";
    } else if (definition.IsFixedFormat()) {
        const std::int32_t start = definition.GetFieldStart(condition, field);
        panels[1] = start > 0 ? "開始:" + std::to_string(start) + " " : std::string();
        panels[1] += "長さ:" + std::to_string(length);
    } else {
        panels[1] = "フィールドNO:" + std::to_string(col);
    }
    panels[2] = display(ConditionName(definition, condition));
    panels[3] = display(definition.GetFieldName(condition, field));
    panels[4] = display(definition.DefineName);
}

void SetStsBarWithoutField(MainState& state, int col, int row) {
    state.StatusPanels = {position(col, row), "定義なし", "", "", ""};
}

std::string WidestPositionText(const MainState& state) {
    return position(std::max(state.Grid.ColCount() - 1, 0), std::max(state.Grid.RowCount() - 1, 0));
}

} // namespace ranvo
