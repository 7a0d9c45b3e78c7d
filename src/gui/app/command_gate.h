#pragma once

// The one place that decides what a command does about typing still in progress. Every menu item,
// toolbar button, shortcut, context-menu item, drop and close of the main window passes through
// it: what the user typed into the in-place editor, the cell edit box or the add box is committed
// exactly as Enter would commit it, or the command does nothing while it is open. No command can
// then run over an open editor, move rows under it or save without what it holds.
//
// A command that throws (memory ran out, a text grew past what a string holds) is stopped here
// and reported in its own words where it has them; the window goes on with its data.

#include <QObject>

#include <exception>
#include <functional>
#include <string_view>

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
    // Reports a command stopped by an exception, with the command's words for its failure (UTF-8,
    // empty when it has none). Without it the exception goes on.
    std::function<void(std::exception_ptr failure, std::string_view failureWords)> onFailure;

    // Settles what is being typed as `typing` says; false when the command must not run.
    bool prepare(Typing typing);
    // Runs `handler` through prepare; true when it ran to its end, false when it was not to run
    // or was stopped by an exception (which is then reported).
    bool run(Typing typing, const std::function<void()>& handler,
             std::string_view failureWords = {});
    // Connects the action's trigger to `handler`, through run.
    void connect(QAction* action, Typing typing, std::function<void()> handler,
                 std::string_view failureWords = {});
};

} // namespace ranvo::gui
