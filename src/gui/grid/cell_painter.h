#pragma once

// Paints one grid cell as the core's cell look says: background, font and colour, the text 2
// pixels in from the corner, and the marks over it (cups under half-width spaces, dotted boxes
// around full-width ones, small boxes for bytes without a glyph).

#include "core/state/main_state.h"
#include "gui/grid/cell_text.h"

#include <array>
#include <memory>

class QPainter;
class QRect;

namespace ranvo::gui {

class CellPainter {
public:
    explicit CellPainter(const MainState& state);
    ~CellPainter();

    // Takes the fonts and colours of the settings as they are now.
    void settingsChanged();
    void paint(QPainter& painter, const QRect& rect, int col, int row, bool selected) const;

private:
    const MainState& m_state;
    // By font role: made once, since making fonts and laying out their texts per cell costs more
    // than drawing the cell.
    mutable std::array<std::unique_ptr<CellText>, 5> m_texts;
};

} // namespace ranvo::gui
