#include "gui/platform/program_images.h"

// The resources live in this static library: nothing refers to them, so they are registered by
// hand before their first use (the registration cannot be written inside a namespace).
static void registerResources() {
    Q_INIT_RESOURCE(ranvo);
}

namespace ranvo::gui {

QIcon programIcon() {
    registerResources();
    return QIcon(QStringLiteral(":/icons/ranvo.svg"));
}

QIcon toolbarIcon(const QString& name) {
    registerResources();
    return QIcon(QStringLiteral(":/icons/toolbar/") + name + QStringLiteral(".svg"));
}

} // namespace ranvo::gui
