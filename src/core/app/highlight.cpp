#include "core/app/highlight.h"

#include "core/app/grid_queries.h"

namespace ranvo {
namespace {

void clearHighLight(MainState& state) {
    state.HighLightOn = false;
    state.HighLightCondition = -1;
    state.HighLightField = -1;
}

} // namespace

void ToggleHighLight(MainState& state) {
    if (state.DataFileName.empty() || state.AddBoxActive) {
        return;
    }
    const GridRect selection = state.Grid.Selection();
    const int col = selection.Left;
    const int row = selection.Top;
    if (col < 1 || row < 1) {
        return;
    }
    const int condition = RowCondition(state, row);
    if (col == state.HighLightField + 1 && condition == state.HighLightCondition) {
        clearHighLight(state);
        return;
    }
    state.HighLightOn = true;
    state.HighLightCondition = condition;
    state.HighLightField = col - 1;
}

void HighLightOff(MainState& state) {
    if (!state.DataFileName.empty()) {
        clearHighLight(state);
    }
}

} // namespace ranvo
