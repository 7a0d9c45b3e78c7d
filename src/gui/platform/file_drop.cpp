#include "gui/platform/file_drop.h"

#include <QMimeData>
#include <QUrl>

namespace ranvo::gui {

bool carriesFiles(const QMimeData* data) {
    return data != nullptr && data->hasUrls();
}

std::optional<QString> firstDroppedFile(const QMimeData* data) {
    if (!carriesFiles(data)) {
        return std::nullopt;
    }
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) {
        return std::nullopt;
    }
    return urls.first().toLocalFile();
}

} // namespace ranvo::gui
