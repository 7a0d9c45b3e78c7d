#include "gui/platform/help_viewer.h"

#include "gui/platform/text_codec.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ranvo::gui {
namespace {

const char* const kHelpContext = "helpContext";

} // namespace

int helpContextOf(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        const QVariant context = widget->property(kHelpContext);
        if (context.isValid()) {
            return context.toInt();
        }
    }
    return 0;
}

void setHelpContext(QWidget* widget, int context) {
    widget->setProperty(kHelpContext, context);
}

HelpViewer::HelpViewer(const std::filesystem::path& file, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Ranvo ヘルプ"));
    browser = new QTextBrowser(this);
    browser->setOpenLinks(true);
    browser->setSource(QUrl::fromLocalFile(pathToQString(file)));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    resize(720, 640);
}

void HelpViewer::showTopic(int context) {
    if (context > 0) {
        browser->scrollToAnchor(QStringLiteral("ctx") + QString::number(context));
    } else {
        browser->scrollToAnchor(QStringLiteral("ctx1"));
    }
    show();
    raise();
    activateWindow();
}

} // namespace ranvo::gui
