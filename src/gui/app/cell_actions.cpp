#include "gui/app/cell_actions.h"

#include "core/editing/cell_editing.h"
#include "gui/app/command_gate.h"
#include "gui/app/command_table.h"
#include "gui/grid/grid_view.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>

namespace ranvo::gui {

CellActions::CellActions(MainState& state, std::function<UiHost&()> ui, GridView& grid,
                         CommandGate& gate, CommandTable& commands, std::function<void()> refresh,
                         QWidget* parent)
    : QObject(parent), m_state(state), m_ui(std::move(ui)), m_grid(grid), m_gate(gate),
      m_commands(commands), m_refresh(std::move(refresh)) {
    grid.commitEdit = [this](int col, int row, const std::string& text, const std::string& previous) {
        CommitCellEdit(m_state, col, row, text, previous);
        m_refresh();
    };
    // The grid's own keys act only while no editor is open: the editor has the focus then.
    const auto key = [&](const QKeySequence& sequence, void (CellActions::*handler)()) {
        auto* shortcut = new QShortcut(sequence, &grid);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, handler] {
            m_gate.run(CommandGate::Typing::Commit, [this, handler] { (this->*handler)(); });
        });
    };
    key(QKeySequence(Qt::Key_Delete), &CellActions::clearCells);
    key(QKeySequence(Qt::CTRL | Qt::Key_C), &CellActions::popCellCopyClick);
    key(QKeySequence(Qt::CTRL | Qt::Key_V), &CellActions::popCellPasteClick);
}

void CellActions::addCellCommandsTo(QWidget* contextMenuOwner) {
    // The shortcuts are shown in the captions only: the grid's keys carry them.
    m_commands.addTo(
        contextMenuOwner,
        {"popCellCopy", QStringLiteral("セルコピー      Ctrl+C"), CommandGroup::Always, 10},
        [this] { popCellCopyClick(); });
    m_commands.addTo(
        contextMenuOwner,
        {"popCellPaste", QStringLiteral("セル貼り付け  Ctrl+V"), CommandGroup::Always, 10},
        [this] { popCellPasteClick(); });
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    contextMenuOwner->addAction(separator);
}

void CellActions::addOptionsTo(QWidget* contextMenuOwner) {
    auto* options = new QMenu(QStringLiteral("オプション(&O)"), contextMenuOwner);
    m_commands.add(options, "popOption", CommandGroup::Always, 10);
    const auto item = [&](const char* name, const QString& caption, std::function<void()> handler) {
        m_commands.addTo(options, {name, caption, CommandGroup::Always, 10}, std::move(handler));
    };
    item("popTotal", QStringLiteral("合計(&A)"), [this] { ShowTotal(m_state, m_ui()); });
    item("popLowerCase", QStringLiteral("大文字→小文字(&L)"), [this] {
        ChangeCaseOfSelection(m_state, false);
        done();
    });
    item("popUpperCase", QStringLiteral("小文字→大文字(&U)"), [this] {
        ChangeCaseOfSelection(m_state, true);
        done();
    });
    contextMenuOwner->addAction(options->menuAction());
}

void CellActions::addCopyAllTo(QMenu* menu) {
    m_commands.addTo(
        menu,
        {"mnuEditAllCellCopy", QStringLiteral("全てセルコピー(&A)"), CommandGroup::FileMenus, 10},
        [this] { mnuEditAllCellCopyClick(); });
}

void CellActions::done() {
    m_grid.gridChanged();
    m_refresh();
}

void CellActions::popCellCopyClick() {
    if (!m_grid.isEditing()) {
        m_ui().SetClipboardText(CopySelectedCells(m_state));
    }
}

void CellActions::popCellPasteClick() {
    if (!m_grid.isEditing()) {
        BusyGuard busy(m_ui());
        PasteCells(m_state, m_ui().ClipboardText());
        done();
    }
}

void CellActions::clearCells() {
    if (!m_grid.isEditing()) {
        ClearSelectedCells(m_state);
        done();
    }
}

void CellActions::mnuEditAllCellCopyClick() {
    CopyAllCells(m_state, m_ui());
}

} // namespace ranvo::gui
