#include "gui/platform/help_viewer.h"

#include "gui/platform/text_codec.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ranvo::gui {
namespace {

const char* const kHelpContext = "helpContext";

int ownHelpContext(const QObject* object) {
    return object != nullptr ? object->property(kHelpContext).toInt() : 0;
}

} // namespace

void setHelpContext(QObject* object, int context) {
    object->setProperty(kHelpContext, context);
}

int helpContextOf(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (const int context = ownHelpContext(widget); context > 0) {
            return context;
        }
    }
    return 0;
}

MenuHelpKey::MenuHelpKey(std::function<void(int)> show, QObject* parent)
    : QObject(parent), m_show(std::move(show)) {
    QApplication::instance()->installEventFilter(this);
}

bool MenuHelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1) {
        return false;
    }
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu == nullptr) {
        return false;
    }
    const int itemContext = ownHelpContext(menu->activeAction());
    while (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    m_show(itemContext > 0 ? itemContext : helpContextOf(QApplication::focusWidget()));
    return true;
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
    m_topic = context;
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
