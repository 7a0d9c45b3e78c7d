#pragma once

// The program's application object. Whatever an event handler throws (memory that ran out, a text
// that grew past what a string holds, anything) stops at the event that raised it: the window it
// belongs to reports it once that event has been left, and goes on with the data it had, instead
// of the exception ending the program and every unsaved edit with it. The commands of the main
// window catch their own failures first (CommandGate), in their own words; this is the net for
// every other handler: dialogs, the grid's keys and mouse, painting.

#include <QApplication>
#include <QPointer>

#include <exception>
#include <functional>

namespace ranvo::gui {

class RanvoApplication : public QApplication {
    Q_OBJECT

public:
    RanvoApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    // `report` is called with each failure while `owner` lives (the main window).
    void setFailureHandler(QObject* owner, std::function<void(std::exception_ptr)> report);

    bool notify(QObject* receiver, QEvent* event) override;

    // The application object when it is a RanvoApplication.
    [[nodiscard]] static RanvoApplication* instance();

private:
    void reportLater(std::exception_ptr failure);

    QPointer<QObject> m_owner;
    std::function<void(std::exception_ptr)> m_report;
    // The failure waiting to be reported; later ones meanwhile (a paint that fails again at every
    // repaint) are not piled up behind it.
    bool m_reportPending = false;
};

} // namespace ranvo::gui
