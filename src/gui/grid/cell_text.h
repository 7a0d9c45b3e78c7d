#pragma once

// Drawing cell texts in one font. Laying text out is what painting a screen of cells costs, so
// texts are not laid out one by one: in a font where every half-width character is one unit wide
// and every full-width character two (the Japanese monospace fonts the settings name), each
// character's glyph is looked up once and placed by its byte count; any other font, or a text with
// a character the font has no glyph for, is laid out by Qt, and the layout kept for later paints.

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRawFont>
#include <QStaticText>

#include <optional>
#include <string_view>
#include <vector>

class QPainter;
class QPoint;

namespace ranvo::gui {

class CellText {
public:
    explicit CellText(const QFont& font);

    [[nodiscard]] const QFont& font() const { return m_font; }
    [[nodiscard]] const QFontMetrics& metrics() const { return m_metrics; }

    // The width of CP932 text, without laying it out when the font's widths follow byte counts.
    [[nodiscard]] int width(std::string_view cp932) const;
    // The most characters that can show, at least in part, in `pixels`: every character is at
    // least a byte's width wide in a font whose widths follow byte counts, and a pixel in any.
    [[nodiscard]] std::size_t charactersWithin(int pixels) const;
    // Draws CP932 text with its top-left corner at `topLeft`.
    void draw(QPainter& painter, const QPoint& topLeft, std::string_view cp932);

private:
    bool drawGlyphs(QPainter& painter, const QPoint& topLeft, std::string_view cp932,
                    const QString& text);
    [[nodiscard]] quint32 glyphFor(QChar c);
    [[nodiscard]] const QStaticText& laidOut(const QString& text);

    QFont m_font;
    QFontMetrics m_metrics;
    std::optional<int> m_unit;
    QRawFont m_rawFont;
    std::vector<quint32> m_glyphs; // by UTF-16 unit; kUnknownGlyph until looked up
    std::vector<quint32> m_runGlyphs;
    std::vector<QPointF> m_runPositions;
    QHash<QString, QStaticText> m_laidOut;
};

} // namespace ranvo::gui
