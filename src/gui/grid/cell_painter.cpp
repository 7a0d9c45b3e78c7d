#include "gui/grid/cell_painter.h"

#include "core/app/cell_look.h"
#include "core/text/sjis.h"
#include "gui/platform/colors_and_fonts.h"
#include "gui/platform/text_codec.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>

namespace ranvo::gui {
namespace {

constexpr int kTextInset = 2;

// The text as drawn: a byte without a glyph takes the room of a space and gets a mark instead.
std::string drawableText(std::string_view shown, const CellMarks& marks) {
    std::string text(shown);
    for (const std::size_t pos : marks.ControlBytes) {
        text[pos] = ' ';
    }
    return text;
}

// The pixels of the cell's text room that lie on the painted device: a cell may be far wider.
int roomOnDevice(const QPainter& painter, const QRect& rect) {
    const int deviceRight =
        painter.device() != nullptr ? painter.device()->width() : rect.right() + 1;
    return std::max(0, std::min(rect.right() + 1, deviceRight) - rect.left() - kTextInset);
}

} // namespace

CellPainter::CellPainter(const MainState& state) : m_state(state) {
    settingsChanged();
}

CellPainter::~CellPainter() = default;

void CellPainter::settingsChanged() {
    for (const FontRole role : {FontRole::Editor, FontRole::Fixed, FontRole::HighLight,
                                FontRole::Filter, FontRole::Status}) {
        m_texts[static_cast<std::size_t>(role)] =
            std::make_unique<CellText>(toQFont(fontSetting(m_state.Settings, role)));
    }
}

void CellPainter::paint(QPainter& painter, const QRect& rect, int col, int row, bool selected) const {
    const CellLook look = ChooseCellLook(m_state, col, row, selected);
    const TRanvoSetting& settings = m_state.Settings;
    painter.fillRect(rect, toQColor(look.Background));
    CellText& cellText = *m_texts[static_cast<std::size_t>(look.Font)];
    const QFontMetrics& metrics = cellText.metrics();
    painter.setPen(toQColor(look.TextColor.value_or(fontSetting(settings, look.Font).Color)));

    // Only what can show is converted and laid out: a cell may hold megabytes.
    const std::string_view shown =
        LeadingCharacters(look.Text, cellText.charactersWithin(roomOnDevice(painter, rect)));
    const CellMarks marks = FindCellMarks(shown, settings.UseSP);
    const std::string text = drawableText(shown, marks);
    if (!text.empty()) {
        cellText.draw(painter, QPoint(rect.left() + kTextInset, rect.top() + kTextInset), text);
    }

    const int left = rect.left();
    const int top = rect.top();
    for (const std::size_t pos : marks.ControlBytes) {
        const int x = left + kTextInset + cellText.width(std::string_view(text).substr(0, pos));
        const int width = metrics.horizontalAdvance(QLatin1Char(' '));
        painter.drawRect(x + 1, top + kTextInset + 2, std::max(width - 3, 1), metrics.ascent() - 3);
    }
    if (marks.HalfSpaces.empty() && marks.FullSpaces.empty()) {
        return;
    }
    const QPen savedPen = painter.pen();
    const int base = top + metrics.height();
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    painter.setPen(QPen(toQColor(settings.SPFontColor), 1, Qt::SolidLine));
    for (const std::size_t pos : marks.HalfSpaces) {
        const int x = left + cellText.width(std::string_view(text).substr(0, pos));
        painter.drawPolyline(QPolygon({QPoint(x + 1, base - 3), QPoint(x + 1, base),
                                       QPoint(x + space - 1, base), QPoint(x + space - 1, base - 4)}));
    }
    const int wide = metrics.horizontalAdvance(QChar(0x3000));
    painter.setPen(QPen(toQColor(settings.SPFontColor), 1, Qt::DotLine));
    for (const std::size_t pos : marks.FullSpaces) {
        const int x = left + cellText.width(std::string_view(text).substr(0, pos));
        painter.drawPolygon(QPolygon({QPoint(x + 2, top + 3), QPoint(x + 2, base),
                                      QPoint(x + wide - 2, base), QPoint(x + wide - 2, top + 3)}));
    }
    painter.setPen(savedPen);
}

} // namespace ranvo::gui
