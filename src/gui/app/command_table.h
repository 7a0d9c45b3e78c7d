#pragma once

// Every command of the main window: each menu item, toolbar button and context-menu item is made
// here from its description, runs through the command gate, carries its help topic, and belongs
// to the group that decides when it is enabled. After every change the window lets the table
// enable what the state allows.

#include "core/app/command_enabling.h"
#include "gui/app/command_gate.h"

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;
class QObject;
class QWidget;

namespace ranvo::gui {

struct CommandEntry {
    const char* name; // the object name: the control's name in the window
    QString caption;
    CommandGroup group = CommandGroup::Always;
    int help = 0; // the help file's topic for F1
    QKeySequence shortcut{};
    CommandGate::Typing typing = CommandGate::Typing::Commit;
    // The command's own words for its failure, shown when an exception stops it (UTF-8).
    std::string_view failureWords{};
};

class CommandTable {
public:
    explicit CommandTable(CommandGate& gate) : m_gate(gate) {}

    // A new action owned by `parent` that runs `handler` through the gate.
    QAction* create(QObject* parent, const CommandEntry& entry, std::function<void()> handler);
    // The same, added to `owner` (a menu, a toolbar, the grid's context menu).
    QAction* addTo(QWidget* owner, const CommandEntry& entry, std::function<void()> handler);
    // A submenu of `menu`, enabled as `group` says.
    QMenu* addMenu(QMenu* menu, const char* name, const QString& caption, CommandGroup group,
                   int help);
    // A menu of the window's menu bar, or any other menu made elsewhere.
    void add(QMenu* menu, const char* name, CommandGroup group, int help);

    // Enables each command as its group says for `state`.
    void update(const MainState& state) const;

private:
    void add(QAction* action, CommandGroup group, int help);

    CommandGate& m_gate;
    std::vector<std::pair<QAction*, CommandGroup>> m_commands;
};

} // namespace ranvo::gui
