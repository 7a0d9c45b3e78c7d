#include "core/printing/print_cell_look.h"

#include "core/app/grid_queries.h"

namespace ranvo {

CellLook ChoosePrintCellLook(const MainState& state, int col, int row) {
    CellLook look;
    const std::string_view text = state.Grid.Cell(col, row);
    if (col == 0 || row == 0) {
        look.Rule = CellRule::Fixed;
        look.Background = state.Settings.FixedColor;
        look.Font = FontRole::Fixed;
        look.Text = text;
        return look;
    }
    const int condition = RowCondition(state, row);
    const int field = col - 1;
    const TRvFilterMng& filters = state.FilterMng;
    const auto translated = [&] {
        return state.PrintFilter ? filters.Translate(condition, field, text) : std::string(text);
    };
    if (state.HighLightOn && condition == state.HighLightCondition && field == state.HighLightField) {
        look.Rule = CellRule::HighLight;
        look.Background = state.Settings.HighLightColor;
        look.Font = FontRole::HighLight;
        look.Text = translated();
    } else if (state.PrintFilter && filters.HasFilter(condition, field)) {
        look.Rule = CellRule::Filter;
        look.Background = state.Settings.FilterColor;
        look.Font = FontRole::Filter;
        look.Text = translated();
    } else {
        const TDefineClass& definition = state.Definition;
        look.Background = condition >= 0 && condition < static_cast<int>(definition.Conditions.size())
                              ? definition.Conditions[static_cast<std::size_t>(condition)].ConditionColor
                              : state.Settings.BackColor;
        look.TextColor = definition.GetFieldColor(condition, field, state.Settings.EditorFont.Color);
        look.Text = text;
    }
    return look;
}

} // namespace ranvo
