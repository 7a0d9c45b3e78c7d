#include "gui/app/ranvo_application.h"

#include "core/app/command_failure.h"

#include <QTimer>

#include <iostream>

namespace ranvo::gui {

void RanvoApplication::setFailureHandler(QObject* owner,
                                         std::function<void(std::exception_ptr)> report) {
    m_owner = owner;
    m_report = std::move(report);
}

RanvoApplication* RanvoApplication::instance() {
    return qobject_cast<RanvoApplication*>(QCoreApplication::instance());
}

bool RanvoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportLater(std::current_exception());
        return false;
    }
}

// Reported from the event loop, not from inside the handler that failed: a message box shown
// from a paint or a key handler would run its event loop in the middle of that handler.
void RanvoApplication::reportLater(std::exception_ptr failure) {
    if (m_reportPending) {
        return;
    }
    m_reportPending = true;
    QTimer::singleShot(0, this, [this, failure] {
        m_reportPending = false;
        if (m_owner && m_report) {
            m_report(failure);
        } else {
            std::cerr << "ranvo: " << CommandFailureMessage(failure) << '\n';
        }
    });
}

} // namespace ranvo::gui
