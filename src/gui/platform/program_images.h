#pragma once

// The program's images, drawn once as scalable images in the program's resources: its icon,
// shown by every window, the about box and the desktop's menu entry, and the toolbar's buttons,
// in the same flat style and palette.

#include <QIcon>
#include <QString>

namespace ranvo::gui {

[[nodiscard]] QIcon programIcon();
// The toolbar image `name` (resources/icons/toolbar/NAME.svg).
[[nodiscard]] QIcon toolbarIcon(const QString& name);

} // namespace ranvo::gui
