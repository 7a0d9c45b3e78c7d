#pragma once

// How one cell of the grid is drawn: its background, font and text, chosen by the first rule that
// applies (fixed, selected, highlighted, filtered, unused, ordinary), and where marks go over its
// text. The view paints what this says; every choice lives here, where it is tested without pixels.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace ranvo {

enum class CellRule { Fixed, Selected, HighLight, Filter, Unused, Ordinary };

struct CellLook {
    CellRule Rule = CellRule::Ordinary;
    std::int32_t Background = 0; // 0x00BBGGRR, or a system colour
    FontRole Font = FontRole::Editor;
    // Replaces the font's own colour: white on the selection, the field's colour on data.
    std::optional<std::int32_t> TextColor;
    // CP932, not copied: a view of the cell or of its filter's text, valid until the grid or the
    // filters change. A cell may hold megabytes, and it is looked at every time it is painted.
    std::string_view Text;
};

// The look of cell (col, row); `selected` says whether the view draws it as selected.
[[nodiscard]] CellLook ChooseCellLook(const MainState& state, int col, int row, bool selected);

// Where marks go over a cell's text, as byte positions: half-width spaces and full-width
// (ideographic) spaces when space marks are on, and bytes that have no glyph (NUL and the other
// control bytes a record may hold), which are always marked so that no byte is drawn as nothing.
struct CellMarks {
    std::vector<std::size_t> HalfSpaces;
    std::vector<std::size_t> FullSpaces;
    std::vector<std::size_t> ControlBytes;
};

[[nodiscard]] CellMarks FindCellMarks(std::string_view text, bool spaceMarks);

// True for the bytes drawn as a mark instead of a glyph.
[[nodiscard]] constexpr bool IsControlByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value < 0x20 || value == 0x7F;
}

} // namespace ranvo
