#pragma once

// The one place that decides what a command does about typing still in progress. Every menu item,
// toolbar button, shortcut, context-menu item, drop and close of the main window passes through
// it: what the user typed into the in-place editor, the cell edit box or the add box is committed
// exactly as Enter would commit it, or the command does nothing while it is open. No command can
// then run over an open editor, move rows under it or save without what it holds.

#include <QObject>

#include <functional>

class QAction;

namespace ranvo::gui {

class CommandGate : public QObject {
    Q_OBJECT

public:
    enum class Typing {
        Commit,       // commit everything in progress, then run
        KeepRecord,   // commit cell edits; the record commands refuse while a record is typed
        Refuse,       // do nothing while anything is being typed (undo)
    };

    explicit CommandGate(QObject* parent) : QObject(parent) {}

    // How the window commits what is being typed, and tells whether anything is.
    std::function<void()> commitCellEdits;   // the in-place editor and the cell edit box
    std::function<void()> commitRecordEntry; // the add box
    std::function<bool()> anyTyping;

    // Settles what is being typed as `typing` says; false when the command must not run.
    bool prepare(Typing typing);
    // Runs `handler` through prepare.
    void run(Typing typing, const std::function<void()>& handler);
    // Connects the action's trigger to `handler`, through prepare.
    void connect(QAction* action, Typing typing, std::function<void()> handler);
};

} // namespace ranvo::gui
