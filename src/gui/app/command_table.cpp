#include "gui/app/command_table.h"

#include "gui/platform/help_viewer.h"

#include <QAction>
#include <QMenu>

namespace ranvo::gui {

QAction* CommandTable::create(QObject* parent, const CommandEntry& entry,
                              std::function<void()> handler) {
    auto* action = new QAction(entry.caption, parent);
    action->setObjectName(QString::fromLatin1(entry.name));
    action->setShortcut(entry.shortcut);
    m_gate.connect(action, entry.typing, std::move(handler), entry.failureWords);
    add(action, entry.group, entry.help);
    return action;
}

QAction* CommandTable::addTo(QWidget* owner, const CommandEntry& entry,
                             std::function<void()> handler) {
    QAction* action = create(owner, entry, std::move(handler));
    owner->addAction(action);
    return action;
}

QMenu* CommandTable::addMenu(QMenu* menu, const char* name, const QString& caption,
                             CommandGroup group, int help) {
    QMenu* submenu = menu->addMenu(caption);
    add(submenu, name, group, help);
    return submenu;
}

void CommandTable::add(QMenu* menu, const char* name, CommandGroup group, int help) {
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    add(menu->menuAction(), group, help);
}

void CommandTable::add(QAction* action, CommandGroup group, int help) {
    if (help > 0) {
        setHelpContext(action, help);
    }
    m_commands.emplace_back(action, group);
}

void CommandTable::update(const MainState& state) const {
    for (const auto& [action, group] : m_commands) {
        action->setEnabled(CommandEnabled(state, group));
    }
}

} // namespace ranvo::gui
