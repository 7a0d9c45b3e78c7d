#pragma once

// Files dropped on a window: only the first dropped file counts, and only a local one.

#include <QString>

#include <optional>

class QMimeData;

namespace ranvo::gui {

[[nodiscard]] bool carriesFiles(const QMimeData* data);
[[nodiscard]] std::optional<QString> firstDroppedFile(const QMimeData* data);

} // namespace ranvo::gui
