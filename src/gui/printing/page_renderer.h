#pragma once

// Draws pages of the data grid as the grid printer lays them out: the page additions (headers
// and footers), then every cell in the colours, fonts and (when asked) filtered values of the
// printed cell look. The same drawing serves the preview bitmap and the printer.

#include "core/printing/grid_printer.h"
#include "core/state/main_state.h"

#include <string>

class QPainter;

namespace ranvo::gui {

class PageRenderer {
public:
    // `screenDpiY` is the screen's resolution, at which the headers' room is measured.
    PageRenderer(const MainState& state, TOlenSGridPrinter& printer, int screenDpiY)
        : m_state(state), m_printer(printer), m_screenDpiY(screenDpiY) {}

    // Draws page `page` with fonts scaled by `zoom` percent; `printedAt` dates the additions.
    // The headers' room found here is reserved in the printer for its next layout.
    void render(QPainter& painter, PagePosition page, int zoom, const std::string& printedAt) const;

private:
    void drawAdditions(QPainter& painter, PagePosition page, int zoom, const std::string& printedAt) const;
    void drawCells(QPainter& painter, PagePosition page, int zoom) const;

    const MainState& m_state;
    TOlenSGridPrinter& m_printer;
    int m_screenDpiY;
};

} // namespace ranvo::gui
