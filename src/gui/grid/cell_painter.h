#pragma once

// Paints one grid cell as the core's cell look says: background, font and colour, the text 2
// pixels in from the corner, and the marks over it (cups under half-width spaces, dotted boxes
// around full-width ones, small boxes for bytes without a glyph).

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>

#include <array>
#include <vector>

class QPainter;
class QRect;

namespace ranvo::gui {

class CellPainter {
public:
    explicit CellPainter(const MainState& state);

    // Takes the fonts and colours of the settings as they are now.
    void settingsChanged();
    void paint(QPainter& painter, const QRect& rect, int col, int row, bool selected) const;

private:
    // Laid-out texts by font role and text: a screen is mostly the texts of the previous one, and
    // laying text out costs far more than drawing it.
    [[nodiscard]] const QStaticText& laidOut(FontRole role, const QString& text) const;

    const MainState& m_state;
    // By FontRole: made once, since making fonts and their metrics per cell costs more than
    // drawing the cell.
    std::array<QFont, 5> m_fonts;
    std::vector<QFontMetrics> m_metrics;
    mutable std::array<QHash<QString, QStaticText>, 5> m_texts;
};

} // namespace ranvo::gui
