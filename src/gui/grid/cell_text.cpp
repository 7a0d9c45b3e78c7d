#include "gui/grid/cell_text.h"

#include "core/text/sjis.h"
#include "gui/platform/colors_and_fonts.h"
#include "gui/platform/text_codec.h"

#include <algorithm>

#include <QGlyphRun>
#include <QPainter>

namespace ranvo::gui {
namespace {

constexpr quint32 kUnknownGlyph = 0xFFFFFFFFu;
// Enough for several screens; past that the layouts start again rather than tracking their age.
constexpr qsizetype kMaxLaidOut = 8192;

} // namespace

CellText::CellText(const QFont& font) : m_font(font), m_metrics(font) {
    // Bold and slanted faces may be drawn by emboldening or shearing the regular one, which only
    // Qt's own layout does; they take that way.
    if (!font.bold() && !font.italic()) {
        m_unit = byteRegularWidth(m_metrics);
        m_rawFont = QRawFont::fromFont(font);
    }
    if (m_unit && m_rawFont.isValid()) {
        m_glyphs.assign(0x10000, kUnknownGlyph);
    }
}

void CellText::draw(QPainter& painter, const QPoint& topLeft, std::string_view cp932) {
    const QString text = toQString(cp932);
    if (!m_glyphs.empty() && drawGlyphs(painter, topLeft, cp932, text)) {
        return;
    }
    painter.setFont(m_font);
    painter.drawStaticText(topLeft, laidOut(text));
}

bool CellText::drawGlyphs(QPainter& painter, const QPoint& topLeft, std::string_view cp932,
                          const QString& text) {
    // toQString gives one UTF-16 unit per CP932 character, so unit i is the i-th character; a
    // character beyond U+FFFF (two units, from the file's character map) is left to Qt's layout.
    m_runGlyphs.clear();
    m_runPositions.clear();
    qreal x = 0;
    qsizetype unit = 0;
    for (std::size_t pos = 0; pos < cp932.size(); ++unit) {
        const std::size_t length = CharLength(cp932, pos);
        if (text[unit].isSurrogate()) {
            return false;
        }
        const quint32 glyph = glyphFor(text[unit]);
        if (glyph == 0) {
            return false;
        }
        m_runGlyphs.push_back(glyph);
        m_runPositions.emplace_back(x, 0);
        x += static_cast<qreal>(length) * *m_unit;
        pos += length;
    }
    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setGlyphIndexes(QList<quint32>(m_runGlyphs.begin(), m_runGlyphs.end()));
    run.setPositions(QList<QPointF>(m_runPositions.begin(), m_runPositions.end()));
    run.setUnderline(m_font.underline());
    run.setStrikeOut(m_font.strikeOut());
    painter.drawGlyphRun(QPointF(topLeft.x(), topLeft.y() + m_metrics.ascent()), run);
    return true;
}

int CellText::width(std::string_view cp932) const {
    if (m_unit) {
        return static_cast<int>(cp932.size()) * *m_unit;
    }
    return m_metrics.horizontalAdvance(toQString(cp932));
}

std::size_t CellText::charactersWithin(int pixels) const {
    const int narrowest = m_unit.value_or(1);
    return static_cast<std::size_t>(std::max(pixels, 0) / std::max(narrowest, 1)) + 1;
}

quint32 CellText::glyphFor(QChar c) {
    quint32& glyph = m_glyphs[c.unicode()];
    if (glyph == kUnknownGlyph) {
        int count = 1;
        quint32 index = 0;
        glyph = m_rawFont.glyphIndexesForChars(&c, 1, &index, &count) && count == 1 ? index : 0;
    }
    return glyph;
}

const QStaticText& CellText::laidOut(const QString& text) {
    auto found = m_laidOut.find(text);
    if (found == m_laidOut.end()) {
        if (m_laidOut.size() >= kMaxLaidOut) {
            m_laidOut.clear();
        }
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), m_font);
        found = m_laidOut.insert(text, laid);
    }
    return found.value();
}

} // namespace ranvo::gui
