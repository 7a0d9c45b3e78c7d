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

void CommandGate::run(Typing typing, const std::function<void()>& handler) {
    if (prepare(typing)) {
        handler();
    }
}

void CommandGate::connect(QAction* action, Typing typing, std::function<void()> handler) {
    QObject::connect(action, &QAction::triggered, this,
                     [this, typing, handler = std::move(handler)] { run(typing, handler); });
}

} // namespace ranvo::gui
