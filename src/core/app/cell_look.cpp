#include "core/app/cell_look.h"

#include "core/app/grid_queries.h"
#include "core/text/sjis.h"

namespace ranvo {
namespace {

constexpr std::int32_t kSelectionColor = 0x800000; // navy
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::string_view kFullWidthSpace = "\x81\x40";

} // namespace

CellLook ChooseCellLook(const MainState& state, int col, int row, bool selected) {
    const DataGrid& grid = state.Grid;
    const TRanvoSetting& settings = state.Settings;
    const std::string_view text = grid.Cell(col, row);
    CellLook look;
    if (row < grid.FixedRows() || col < grid.FixedCols()) {
        look = {CellRule::Fixed, settings.FixedColor, FontRole::Fixed, std::nullopt, text};
        return look;
    }
    if (selected) {
        look = {CellRule::Selected, kSelectionColor, FontRole::Editor, kWhite, text};
        return look;
    }
    const int condition = RowCondition(state, row);
    const int field = col - 1;
    const bool hasRecord = grid.HasRecord(row);
    if (hasRecord && state.HighLightOn && condition == state.HighLightCondition &&
        field == state.HighLightField) {
        look = {CellRule::HighLight, settings.HighLightColor, FontRole::HighLight, std::nullopt,
                state.FilterMng.TranslateView(condition, field, text)};
        return look;
    }
    if (state.FilterMng.HasFilter(condition, field)) {
        look = {CellRule::Filter, settings.FilterColor, FontRole::Filter, std::nullopt,
                state.FilterMng.TranslateView(condition, field, text)};
        return look;
    }
    if (state.Definition.IsFixedFormat() && settings.UseIntact &&
        FieldCount(state.Definition, condition) < col) {
        look = {CellRule::Unused, settings.IntactColor, FontRole::Editor, std::nullopt, {}};
        return look;
    }
    const auto* conditionRecord =
        condition >= 0 && static_cast<std::size_t>(condition) < state.Definition.Conditions.size()
            ? &state.Definition.Conditions[static_cast<std::size_t>(condition)]
            : nullptr;
    look = {CellRule::Ordinary,
            conditionRecord != nullptr ? conditionRecord->ConditionColor : kWhite, FontRole::Editor,
            state.Definition.GetFieldColor(condition, field, 0), text};
    return look;
}

CellMarks FindCellMarks(std::string_view text, bool spaceMarks) {
    CellMarks marks;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = CharLength(text, pos);
        if (length == 1 && IsControlByte(text[pos])) {
            marks.ControlBytes.push_back(pos);
        } else if (spaceMarks && length == 1 && text[pos] == ' ') {
            marks.HalfSpaces.push_back(pos);
        } else if (spaceMarks && text.substr(pos, length) == kFullWidthSpace) {
            marks.FullSpaces.push_back(pos);
        }
        pos += length;
    }
    return marks;
}

} // namespace ranvo
