#pragma once

// The help file: an HTML document in the help folder beside the program, shown in a window of
// its own. F1 opens it at the topic of the item it is pressed on: the active item of an open
// menu, or else the focused control. An item's topic is its help context, the property
// "helpContext" of the item or of the nearest control around it; the help menu opens the
// contents.

#include <filesystem>
#include <functional>

#include <QDialog>

class QTextBrowser;

namespace ranvo::gui {

// Gives a control or a menu item its help context.
void setHelpContext(QObject* object, int context);
// The help context of `widget`, or of the nearest parent that has one; 0 when none has.
[[nodiscard]] int helpContextOf(const QWidget* widget);
// F1 in any open menu: the menus are closed and `show` gets the active item's help context, or
// the focused control's for an item without one. Lives as long as its parent.
class MenuHelpKey : public QObject {
    Q_OBJECT

public:
    MenuHelpKey(std::function<void(int)> show, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(int)> m_show;
};

class HelpViewer : public QDialog {
    Q_OBJECT

public:
    HelpViewer(const std::filesystem::path& file, QWidget* parent = nullptr);

    // Shows the topic of `context`, or the contents for 0.
    void showTopic(int context);
    // The help context of the topic shown last.
    [[nodiscard]] int topic() const { return m_topic; }

    QTextBrowser* browser = nullptr;

private:
    int m_topic = 0;
};

} // namespace ranvo::gui
