#include "gui/printing/page_renderer.h"

#include "core/printing/page_additions.h"
#include "core/printing/print_cell_look.h"
#include "gui/platform/colors_and_fonts.h"
#include "gui/platform/text_codec.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>

namespace ranvo::gui {
namespace {

// A settings font at `zoom` percent, measured on the device painted on.
QFont zoomedFont(const FontSetting& setting, int zoom, QPaintDevice* device) {
    FontSetting zoomed = setting;
    zoomed.Size = std::max(setting.Size * zoom / 100, 1);
    return QFont(toQFont(zoomed), device);
}

} // namespace

void PageRenderer::render(QPainter& painter, PagePosition page, int zoom, const std::string& printedAt) const {
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    drawAdditions(painter, page, zoom, printedAt);
    drawCells(painter, page, zoom);
    painter.restore();
}

void PageRenderer::drawAdditions(QPainter& painter, PagePosition page, int zoom, const std::string& printedAt) const {
    // The room is measured at the screen's resolution, whatever the device: the layout turns it
    // into millimetres with the screen's resolution.
    int headerHeight = 0;
    int footerHeight = 0;
    for (int position = 0; position < PageAdditionCount; ++position) {
        const TPageAddition& addition = m_state.Additions[static_cast<std::size_t>(position)];
        if (addition.Enabled) {
            const int height = QFontMetrics(toQFont(addition.Font)).height();
            int& room = position < 3 ? headerHeight : footerHeight;
            room = std::max(room, height);
        }
    }
    ReserveAdditionRoom(m_printer, headerHeight, footerHeight, m_screenDpiY);

    const int pageCount = m_printer.PageCount();
    const int number = m_printer.PageNumber(page);
    for (int position = 0; position < PageAdditionCount; ++position) {
        const TPageAddition& addition = m_state.Additions[static_cast<std::size_t>(position)];
        if (!addition.Enabled) {
            continue;
        }
        const QFont font = zoomedFont(addition.Font, zoom, painter.device());
        const QFontMetrics metrics(font);
        const QString text = toQString(AdditionText(m_state, addition, number, pageCount, printedAt));
        const AdditionSpot spot = PlaceAddition(position, metrics.horizontalAdvance(text), m_printer, zoom);
        painter.setFont(font);
        painter.setPen(toQColor(addition.Font.Color));
        painter.drawText(QPoint(spot.X, spot.Y + metrics.ascent()), text);
    }
}

void PageRenderer::drawCells(QPainter& painter, PagePosition page, int zoom) const {
    const TOlenSGridPrinter::PagePlan plan = m_printer.PlanPage(m_state.Grid, page);
    const TRanvoSetting& settings = m_state.Settings;
    std::array<QFont, 5> fonts;
    for (const FontRole role : {FontRole::Editor, FontRole::Fixed, FontRole::HighLight, FontRole::Filter}) {
        fonts[static_cast<std::size_t>(role)] = zoomedFont(fontSetting(settings, role), zoom, painter.device());
    }
    for (const PageCell& cell : plan.Cells) {
        const CellLook look = ChoosePrintCellLook(m_state, cell.Col, cell.Row);
        const QRect rect(QPoint(cell.Rect.Left, cell.Rect.Top), QPoint(cell.Rect.Right - 1, cell.Rect.Bottom - 1));
        painter.fillRect(rect, toQColor(look.Background));
        const QFont& font = fonts[static_cast<std::size_t>(look.Font)];
        painter.setFont(font);
        painter.setPen(toQColor(look.TextColor.value_or(fontSetting(settings, look.Font).Color)));
        painter.save();
        painter.setClipRect(rect);
        painter.drawText(QPoint(rect.left() + 1, rect.top() + 1 + QFontMetrics(font).ascent()), toQString(look.Text));
        painter.restore();
        painter.setPen(Qt::black);
        painter.drawRect(rect.adjusted(0, 0, 1, 1));
    }
}

} // namespace ranvo::gui
