#pragma once

// The status bar's five panels, drawn by the window itself: each a box of the status colour with
// its text in the status font, 2 pixels in from the box's corner.

#include <QColor>
#include <QFont>
#include <QWidget>

#include <array>

namespace ranvo::gui {

class StatusPanels : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPanelCount = 5;
    // Pixels from a box's left and top edges to its text.
    static constexpr int kTextInset = 2;

    explicit StatusPanels(QWidget* parent = nullptr);

    void setTexts(const std::array<QString, kPanelCount>& texts);
    void setWidths(const std::array<int, kPanelCount>& widths);
    // Widths for a window `width` pixels wide: 3, 4, 3, 6 and 4 twentieths of it, the first made
    // wide enough for `widestPosition` (the longest text it shows) at the cost of the fourth.
    void layOut(int width, const QString& widestPosition);
    void setLook(const QFont& font, const QColor& text, const QColor& background);

    [[nodiscard]] const std::array<QString, kPanelCount>& texts() const { return m_texts; }
    [[nodiscard]] const std::array<int, kPanelCount>& widths() const { return m_widths; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QString, kPanelCount> m_texts;
    std::array<int, kPanelCount> m_widths{100, 100, 100, 100, 50};
    QColor m_text;
    QColor m_background;
};

} // namespace ranvo::gui
