#include "gui/platform/colors_and_fonts.h"

#include "gui/platform/text_codec.h"

#include <QGuiApplication>
#include <QPalette>
#include <QStringList>

namespace ranvo::gui {
namespace {

// The platform's system colour numbers and the palette roles that play their parts here.
QColor systemColor(int index) {
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 5: return palette.color(QPalette::Base);               // window background
    case 6: return palette.color(QPalette::Shadow);             // window frame
    case 7:                                                     // menu text
    case 8: return palette.color(QPalette::Text);               // window text
    case 13: return palette.color(QPalette::Highlight);         // selection
    case 14: return palette.color(QPalette::HighlightedText);   // selected text
    case 16: return palette.color(QPalette::Mid);               // button shadow
    case 17: return palette.color(QPalette::PlaceholderText);   // grey text
    case 18: return palette.color(QPalette::ButtonText);        // button text
    case 20: return palette.color(QPalette::Light);             // button highlight
    case 21: return palette.color(QPalette::Dark);              // dark shadow
    case 22: return palette.color(QPalette::Midlight);          // light
    case 23: return palette.color(QPalette::ToolTipText);       // tooltip text
    case 24: return palette.color(QPalette::ToolTipBase);       // tooltip background
    default: return palette.color(QPalette::Button);            // 15, button face, and the rest
    }
}

} // namespace

QColor toQColor(std::int32_t color) {
    const auto bits = static_cast<std::uint32_t>(color);
    if ((bits & 0x80000000u) != 0) {
        return systemColor(static_cast<int>(bits & 0xFFu));
    }
    return {static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
            static_cast<int>((bits >> 16) & 0xFFu)};
}

std::int32_t fromQColor(const QColor& color) {
    return static_cast<std::int32_t>(color.red() | (color.green() << 8) | (color.blue() << 16));
}

QFont toQFont(const FontSetting& font) {
    QFont result(toQString(font.Name));
    result.setPointSize(font.Size > 0 ? font.Size : 9);
    result.setBold((font.Style & FontStyleBold) != 0);
    result.setItalic((font.Style & FontStyleItalic) != 0);
    result.setUnderline((font.Style & FontStyleUnderline) != 0);
    result.setStrikeOut((font.Style & FontStyleStrikeOut) != 0);
    return result;
}

const FontSetting& fontSetting(const TRanvoSetting& settings, FontRole role) {
    switch (role) {
    case FontRole::Editor: return settings.EditorFont;
    case FontRole::Fixed: return settings.FixedFont;
    case FontRole::HighLight: return settings.HighLightFont;
    case FontRole::Filter: return settings.FilterFont;
    case FontRole::Status: return settings.StaFont;
    }
    return settings.EditorFont;
}

std::optional<int> byteRegularWidth(const QFontMetrics& metrics) {
    const int unit = metrics.horizontalAdvance(QLatin1Char('0'));
    bool regular = unit > 0;
    for (const QChar c : QStringLiteral("iW .,-_|@ｱﾝﾟ")) {
        regular = regular && metrics.horizontalAdvance(c) == unit;
    }
    for (const QChar c : QStringLiteral("亜漢あア　Ａ０ー")) {
        regular = regular && metrics.horizontalAdvance(c) == 2 * unit;
    }
    return regular ? std::optional(unit) : std::nullopt;
}

void installFontSubstitutions() {
    const QStringList japaneseMonospace{QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                                        QStringLiteral("Noto Sans Mono CJK JP"),
                                        QStringLiteral("monospace")};
    for (const QString& name :
         {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ　ゴシック"), QStringLiteral("MS Gothic"),
          QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ　明朝")}) {
        QFont::insertSubstitutions(name, japaneseMonospace);
    }
}

} // namespace ranvo::gui
