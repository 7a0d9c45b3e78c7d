#include "gui/app/status_panels.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>

namespace ranvo::gui {

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {}

void StatusPanels::setTexts(const std::array<QString, kPanelCount>& texts) {
    if (texts != m_texts) {
        m_texts = texts;
        update();
    }
}

void StatusPanels::setWidths(const std::array<int, kPanelCount>& widths) {
    m_widths = widths;
    update();
}

void StatusPanels::layOut(int width, const QString& widestPosition) {
    const int unit = width / 20;
    std::array<int, kPanelCount> widths{3 * unit, 4 * unit, 3 * unit, 6 * unit, 4 * unit};
    const int needed = fontMetrics().horizontalAdvance(widestPosition) + 2 * kTextInset + 2;
    const int extra = std::clamp(needed - widths[0], 0, std::max(widths[3] - unit, 0));
    widths[0] += extra;
    widths[3] -= extra;
    setWidths(widths);
}

void StatusPanels::setLook(const QFont& font, const QColor& text, const QColor& background) {
    setFont(font);
    // The text stands 2 pixels below the box's top and keeps its frame line below it.
    setMinimumHeight(QFontMetrics(font).height() + kTextInset + 1);
    m_text = text;
    m_background = background;
    update();
}

void StatusPanels::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    int left = 0;
    for (int i = 0; i < kPanelCount; ++i) {
        const QRect box(left, 0, m_widths[static_cast<std::size_t>(i)] - 2, height());
        painter.fillRect(box, m_background);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(m_text);
        painter.drawText(box.adjusted(kTextInset, kTextInset, 0, 0),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         m_texts[static_cast<std::size_t>(i)]);
        left += m_widths[static_cast<std::size_t>(i)];
    }
}

} // namespace ranvo::gui
