#pragma once

// The program's icon, drawn once as a scalable image in the program's resources and shown by
// every window, the about box and the desktop's menu entry.

#include <QIcon>

namespace ranvo::gui {

[[nodiscard]] QIcon programIcon();

} // namespace ranvo::gui
