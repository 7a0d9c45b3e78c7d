#include "gui/app/command_table.h"

#include "gui/platform/help_viewer.h"

#include <QAction>
#include <QMenu>

namespace ranvo::gui {

QAction* CommandTable::create(QObject* parent, const CommandSpec& spec,
                              std::function<void()> handler) {
    auto* action = new QAction(spec.caption, parent);
    action->setObjectName(QString::fromLatin1(spec.name));
    action->setShortcut(spec.shortcut);
    m_gate.connect(action, spec.typing, std::move(handler), spec.failureWords);
    add(action, spec.group, spec.help);
    return action;
}

QAction* CommandTable::addTo(QWidget* owner, const CommandSpec& spec,
                             std::function<void()> handler) {
    QAction* action = create(owner, spec, std::move(handler));
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
