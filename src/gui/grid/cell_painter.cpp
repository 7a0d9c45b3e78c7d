#include "gui/grid/cell_painter.h"

#include "core/app/cell_look.h"
#include "gui/platform/colors_and_fonts.h"
#include "gui/platform/text_codec.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace ranvo::gui {
namespace {

constexpr int kTextInset = 2;

const FontSetting& fontSetting(const TRanvoSetting& settings, FontRole role) {
    switch (role) {
    case FontRole::Fixed: return settings.FixedFont;
    case FontRole::HighLight: return settings.HighLightFont;
    case FontRole::Filter: return settings.FilterFont;
    case FontRole::Status: return settings.StaFont;
    case FontRole::Editor: break;
    }
    return settings.EditorFont;
}

// The text as drawn: a byte without a glyph takes the room of a space and gets a mark instead.
std::string drawableText(std::string text, const CellMarks& marks) {
    for (const std::size_t pos : marks.ControlBytes) {
        text[pos] = ' ';
    }
    return text;
}

int prefixWidth(const QFontMetrics& metrics, const std::string& text, std::size_t bytes) {
    return metrics.horizontalAdvance(toQString(std::string_view(text).substr(0, bytes)));
}

} // namespace

CellPainter::CellPainter(const MainState& state) : m_state(state) {
    settingsChanged();
}

void CellPainter::settingsChanged() {
    m_metrics.clear();
    for (auto& texts : m_texts) {
        texts.clear();
    }
    for (const FontRole role : {FontRole::Editor, FontRole::Fixed, FontRole::HighLight,
                                FontRole::Filter, FontRole::Status}) {
        m_fonts[static_cast<std::size_t>(role)] = toQFont(fontSetting(m_state.Settings, role));
        m_metrics.emplace_back(m_fonts[static_cast<std::size_t>(role)]);
    }
}

const QStaticText& CellPainter::laidOut(FontRole role, const QString& text) const {
    // Enough for several screens; past that the cache starts again rather than tracking age.
    constexpr qsizetype kMaxTexts = 8192;
    auto& texts = m_texts[static_cast<std::size_t>(role)];
    auto found = texts.find(text);
    if (found == texts.end()) {
        if (texts.size() >= kMaxTexts) {
            texts.clear();
        }
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), m_fonts[static_cast<std::size_t>(role)]);
        found = texts.insert(text, laid);
    }
    return found.value();
}

void CellPainter::paint(QPainter& painter, const QRect& rect, int col, int row, bool selected) const {
    const CellLook look = ChooseCellLook(m_state, col, row, selected);
    const TRanvoSetting& settings = m_state.Settings;
    painter.fillRect(rect, toQColor(look.Background));
    const auto role = static_cast<std::size_t>(look.Font);
    const QFont& font = m_fonts[role];
    const QFontMetrics& metrics = m_metrics[role];
    const QColor textColor = toQColor(look.TextColor.value_or(fontSetting(settings, look.Font).Color));
    if (painter.font() != font) {
        painter.setFont(font);
    }
    painter.setPen(textColor);

    const CellMarks marks = FindCellMarks(look.Text, settings.UseSP);
    const std::string text = drawableText(look.Text, marks);
    if (!text.empty()) {
        painter.drawStaticText(QPoint(rect.left() + kTextInset, rect.top() + kTextInset),
                               laidOut(look.Font, toQString(text)));
    }

    const int left = rect.left();
    const int top = rect.top();
    for (const std::size_t pos : marks.ControlBytes) {
        const int x = left + kTextInset + prefixWidth(metrics, text, pos);
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
        const int x = left + prefixWidth(metrics, text, pos);
        painter.drawPolyline(QPolygon({QPoint(x + 1, base - 3), QPoint(x + 1, base),
                                       QPoint(x + space - 1, base), QPoint(x + space - 1, base - 4)}));
    }
    const int wide = metrics.horizontalAdvance(QChar(0x3000));
    painter.setPen(QPen(toQColor(settings.SPFontColor), 1, Qt::DotLine));
    for (const std::size_t pos : marks.FullSpaces) {
        const int x = left + prefixWidth(metrics, text, pos);
        painter.drawPolygon(QPolygon({QPoint(x + 2, top + 3), QPoint(x + 2, base),
                                      QPoint(x + wide - 2, base), QPoint(x + wide - 2, top + 3)}));
    }
    painter.setPen(savedPen);
}

} // namespace ranvo::gui
