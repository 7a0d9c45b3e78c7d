#include "gui/app/command_gate.h"

#include <QAction>

namespace ranvo::gui {

bool CommandGate::prepare(Typing typing) {
    if (typing == Typing::Refuse) {
        return !(anyTyping && anyTyping());
    }
    if (commitCellEdits) {
        commitCellEdits();
    }
    if (typing == Typing::Commit && commitRecordEntry) {
        commitRecordEntry();
    }
    return true;
}

bool CommandGate::run(Typing typing, const std::function<void()>& handler,
                      std::string_view failureWords) {
    try {
        if (!prepare(typing)) {
            return false;
        }
        handler();
        return true;
    } catch (...) {
        if (!onFailure) {
            throw;
        }
        onFailure(std::current_exception(), failureWords);
        return false;
    }
}

void CommandGate::connect(QAction* action, Typing typing, std::function<void()> handler,
                          std::string_view failureWords) {
    QObject::connect(action, &QAction::triggered, this,
                     [this, typing, handler = std::move(handler), failureWords] {
                         run(typing, handler, failureWords);
                     });
}

} // namespace ranvo::gui
