#pragma once

// A drop-down of colours as definitions hold them (0x00BBGGRR): the sixteen standard colours,
// each with its swatch and name, the current colour when it is none of them, and "その他..."
// that opens the colour dialog for any other.

#include <QComboBox>
#include <QIcon>

#include <cstdint>

namespace ranvo::gui {

// The standard colour's name, or the number for any other.
[[nodiscard]] QString colorName(std::int32_t color);
[[nodiscard]] QIcon colorSwatch(std::int32_t color);

class ColorBox : public QComboBox {
    Q_OBJECT

public:
    explicit ColorBox(QWidget* parent = nullptr);

    [[nodiscard]] std::int32_t color() const;
    void setColor(std::int32_t color);

signals:
    // The user picked a colour.
    void colorChosen(std::int32_t color);

private:
    void picked(int index);

    std::int32_t m_color = 0;
};

} // namespace ranvo::gui
