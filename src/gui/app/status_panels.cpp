#include "gui/app/status_panels.h"

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

void StatusPanels::setLook(const QFont& font, const QColor& text, const QColor& background) {
    setFont(font);
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
        painter.drawText(box.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         m_texts[static_cast<std::size_t>(i)]);
        left += m_widths[static_cast<std::size_t>(i)];
    }
}

} // namespace ranvo::gui
