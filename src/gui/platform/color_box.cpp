#include "gui/platform/color_box.h"

#include "gui/platform/colors_and_fonts.h"

#include <QColorDialog>
#include <QPixmap>

#include <array>
#include <utility>

namespace ranvo::gui {
namespace {

const std::array<std::pair<std::int32_t, const char16_t*>, 16> kStandardColors{{
    {0x000000, u"黒"}, {0x000080, u"栗色"}, {0x008000, u"緑"}, {0x008080, u"オリーブ"},
    {0x800000, u"紺"}, {0x800080, u"紫"}, {0x808000, u"青緑"}, {0x808080, u"灰色"},
    {0xC0C0C0, u"銀色"}, {0x0000FF, u"赤"}, {0x00FF00, u"ライム"}, {0x00FFFF, u"黄"},
    {0xFF0000, u"青"}, {0xFF00FF, u"赤紫"}, {0xFFFF00, u"水色"}, {0xFFFFFF, u"白"},
}};

// The entry that opens the colour dialog has no colour of its own.
constexpr int kOtherRole = Qt::UserRole + 1;

} // namespace

QString colorName(std::int32_t color) {
    for (const auto& [value, name] : kStandardColors) {
        if (value == color) {
            return QString::fromUtf16(name);
        }
    }
    return QString::number(color);
}

QIcon colorSwatch(std::int32_t color) {
    QPixmap swatch(12, 12);
    swatch.fill(toQColor(color));
    return QIcon(swatch);
}

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent) {
    for (const auto& [value, name] : kStandardColors) {
        addItem(colorSwatch(value), QString::fromUtf16(name), value);
    }
    addItem(QStringLiteral("その他..."));
    setItemData(count() - 1, true, kOtherRole);
    connect(this, &QComboBox::activated, this, &ColorBox::picked);
    setColor(0);
}

std::int32_t ColorBox::color() const {
    return m_color;
}

void ColorBox::setColor(std::int32_t color) {
    m_color = color;
    int index = findData(color);
    if (index < 0) {
        // One entry for a colour outside the standard ones, just before "その他...".
        const int custom = static_cast<int>(kStandardColors.size());
        if (itemData(custom, kOtherRole).toBool()) {
            insertItem(custom, QString());
        }
        setItemIcon(custom, colorSwatch(color));
        setItemText(custom, colorName(color));
        setItemData(custom, color);
        index = custom;
    }
    setCurrentIndex(index);
}

void ColorBox::picked(int index) {
    if (itemData(index, kOtherRole).toBool()) {
        const QColor chosen = QColorDialog::getColor(toQColor(m_color), this);
        setColor(chosen.isValid() ? fromQColor(chosen) : m_color);
    } else {
        m_color = itemData(index).toInt();
    }
    emit colorChosen(m_color);
}

} // namespace ranvo::gui
