#pragma once

// How the printer draws a cell: header cells in the fixed colours, a highlighted field in the
// highlight colours, a filtered field (when the print asks for filtered values) in the filter
// colours with its translated text, any other cell in its record type's colour and its field's
// text colour.

#include "core/app/cell_look.h"

namespace ranvo {

[[nodiscard]] CellLook ChoosePrintCellLook(const MainState& state, int col, int row);

} // namespace ranvo
