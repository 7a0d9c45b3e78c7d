#pragma once

// Colours and fonts as the settings and definitions hold them, made into Qt's. A colour is
// 0x00BBGGRR; with its top bit set its low byte names a system colour (0x8000000F is the face
// of buttons), which is taken from the application's palette. The font names of the settings,
// "ＭＳ ゴシック" and its ideographic-space spelling, resolve to IPAGothic, which has the same
// metrics.

#include "core/platform/ui_host.h"
#include "core/settings/ranvo_setting.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>

#include <cstdint>
#include <optional>

namespace ranvo::gui {

[[nodiscard]] QColor toQColor(std::int32_t color);
// An ordinary colour (never a system one) as 0x00BBGGRR.
[[nodiscard]] std::int32_t fromQColor(const QColor& color);
[[nodiscard]] QFont toQFont(const FontSetting& font);
// The settings' font that text of `role` is drawn in.
[[nodiscard]] const FontSetting& fontSetting(const TRanvoSetting& settings, FontRole role);

// The width of one byte of text when the font gives every half-width character one unit and
// every full-width character two, so that a CP932 text's width is its byte count times the unit;
// nothing for any other font.
[[nodiscard]] std::optional<int> byteRegularWidth(const QFontMetrics& metrics);

// Registers the substitutions once at start-up, before any font is made.
void installFontSubstitutions();

} // namespace ranvo::gui
