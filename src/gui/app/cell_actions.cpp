#include "gui/app/cell_actions.h"

#include "core/editing/cell_editing.h"
#include "gui/grid/grid_view.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>

namespace ranvo::gui {

CellActions::CellActions(MainState& state, std::function<UiHost&()> ui, GridView& grid,
                         std::function<void()> refresh, QWidget* parent)
    : QObject(parent), m_state(state), m_ui(std::move(ui)), m_grid(grid),
      m_refresh(std::move(refresh)) {
    grid.commitEdit = [this](int col, int row, const std::string& text, const std::string& previous) {
        CommitCellEdit(m_state, col, row, text, previous);
        m_refresh();
    };
    // The grid's own keys act only while no editor is open: the editor has the focus then.
    const auto key = [&](const QKeySequence& sequence, void (CellActions::*handler)()) {
        auto* shortcut = new QShortcut(sequence, &grid);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    key(QKeySequence(Qt::Key_Delete), &CellActions::clearCells);
    key(QKeySequence(Qt::CTRL | Qt::Key_C), &CellActions::popCellCopyClick);
    key(QKeySequence(Qt::CTRL | Qt::Key_V), &CellActions::popCellPasteClick);
}

void CellActions::addCellCommandsTo(QWidget* contextMenuOwner) {
    // The shortcuts are shown in the captions only: the grid's keys carry them.
    auto* copy = new QAction(QStringLiteral("セルコピー      Ctrl+C"), this);
    connect(copy, &QAction::triggered, this, &CellActions::popCellCopyClick);
    auto* paste = new QAction(QStringLiteral("セル貼り付け  Ctrl+V"), this);
    connect(paste, &QAction::triggered, this, &CellActions::popCellPasteClick);
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    contextMenuOwner->addActions({copy, paste, separator});
}

void CellActions::addOptionsTo(QWidget* contextMenuOwner) {
    auto* options = new QMenu(QStringLiteral("オプション(&O)"), contextMenuOwner);
    options->addAction(QStringLiteral("合計(&A)"), this, [this] { ShowTotal(m_state, m_ui()); });
    options->addAction(QStringLiteral("大文字→小文字(&L)"), this, [this] {
        ChangeCaseOfSelection(m_state, false);
        done();
    });
    options->addAction(QStringLiteral("小文字→大文字(&U)"), this, [this] {
        ChangeCaseOfSelection(m_state, true);
        done();
    });
    contextMenuOwner->addAction(options->menuAction());
}

void CellActions::addCopyAllTo(QMenu* menu) {
    menu->addAction(QStringLiteral("全てセルコピー(&A)"), this, &CellActions::mnuEditAllCellCopyClick);
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
