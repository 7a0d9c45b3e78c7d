#pragma once

// The help file: an HTML document in the help folder beside the program, shown in a window of
// its own. F1 opens it at the topic of the focused item's help context, found as the property
// "helpContext" of the item or of the nearest item around it; the help menu opens its contents.

#include <QDialog>

#include <filesystem>

class QTextBrowser;

namespace ranvo::gui {

// The help context of `widget`, or of the nearest parent that has one; 0 when none has.
[[nodiscard]] int helpContextOf(const QWidget* widget);
// Gives `widget` its help context.
void setHelpContext(QWidget* widget, int context);

class HelpViewer : public QDialog {
    Q_OBJECT

public:
    HelpViewer(const std::filesystem::path& file, QWidget* parent = nullptr);

    // Shows the topic of `context`, or the contents for 0.
    void showTopic(int context);

    QTextBrowser* browser = nullptr;
};

} // namespace ranvo::gui
