#include "gui/app/record_actions.h"

#include "core/app/status_bar.h"
#include "core/editing/record_operations.h"
#include "core/editing/undo.h"
#include "gui/app/command_gate.h"
#include "gui/grid/grid_view.h"
#include "gui/platform/text_codec.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>

namespace ranvo::gui {

RecordActions::RecordActions(MainState& state, std::function<UiHost&()> ui, GridView& grid,
                             CommandGate& gate, std::function<void()> refresh, QWidget* parent)
    : QObject(parent), m_state(state), m_ui(std::move(ui)), m_grid(grid), m_gate(gate),
      m_refresh(std::move(refresh)) {
    txtAdd = new QLineEdit(grid.viewport());
    txtAdd->hide();
    txtAdd->installEventFilter(this);

    mnuEditUndo = makeAction(QStringLiteral("やり直し"), &RecordActions::mnuEditUndoClick,
                             QKeySequence(Qt::CTRL | Qt::Key_Z));
    const auto ctrlAlt = [](Qt::Key key) { return QKeySequence(Qt::CTRL | Qt::ALT | key); };
    mnuRecordCopy = makeAction(QStringLiteral("レコードコピー(&C)"), &RecordActions::mnuRecordCopyClick, ctrlAlt(Qt::Key_C));
    mnuRecordCut = makeAction(QStringLiteral("レコード切り取り(&T)"), &RecordActions::mnuRecordCutClick, ctrlAlt(Qt::Key_T));
    mnuRecordPaste = makeAction(QStringLiteral("レコード貼り付け(&P)"), &RecordActions::mnuRecordPasteClick, ctrlAlt(Qt::Key_P));
    mnuRecordDelete = makeAction(QStringLiteral("レコード削除(&D)"), &RecordActions::mnuRecordDeleteClick, ctrlAlt(Qt::Key_D));
    mnuRecordAdd = makeAction(QStringLiteral("レコード新規作成(&N)"), &RecordActions::mnuRecordAddClick, ctrlAlt(Qt::Key_N));
    mnuRecordInsert = makeAction(QStringLiteral("レコード挿入(&I)"), &RecordActions::mnuRecordInsertClick, ctrlAlt(Qt::Key_I));
    m_loadedOnly = {mnuRecordCopy, mnuRecordCut, mnuRecordDelete, mnuRecordAdd, mnuRecordInsert};
}

QAction* RecordActions::makeAction(const QString& caption, void (RecordActions::*handler)(),
                                   const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    // Undo does nothing while anything is being typed; the record commands commit cell edits and
    // refuse while a record is typed into the add box.
    const bool undo = handler == &RecordActions::mnuEditUndoClick;
    m_gate.connect(action, undo ? CommandGate::Typing::Refuse : CommandGate::Typing::KeepRecord,
                   [this, handler] { (this->*handler)(); });
    return action;
}

void RecordActions::addUndoTo(QMenu* menu) {
    menu->addAction(mnuEditUndo);
}

void RecordActions::addRecordCommandsTo(QWidget* contextMenuOwner) {
    contextMenuOwner->addActions({mnuRecordCopy, mnuRecordCut, mnuRecordPaste, mnuRecordDelete});
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    contextMenuOwner->addActions({separator, mnuRecordAdd, mnuRecordInsert});
}

void RecordActions::addToolbarButtonsTo(QToolBar* toolbar) {
    // The buttons share the menu's shortcuts, so they carry none.
    const auto button = [&](const QString& hint, const QString& text, void (RecordActions::*handler)()) {
        auto* action = new QAction(text, toolbar);
        action->setToolTip(hint);
        m_gate.connect(action, CommandGate::Typing::KeepRecord, [this, handler] { (this->*handler)(); });
        toolbar->addAction(action);
        m_loadedOnly.push_back(action);
        return action;
    };
    button(QStringLiteral("レコードコピー　Ctrl + Alt + C"), QStringLiteral("コピー"), &RecordActions::mnuRecordCopyClick);
    button(QStringLiteral("レコードカット　Ctrl + Alt + T"), QStringLiteral("カット"), &RecordActions::mnuRecordCutClick);
    button(QStringLiteral("レコード貼り付け　Ctrl + Alt + P"), QStringLiteral("貼付"), &RecordActions::mnuRecordPasteClick);
    button(QStringLiteral("レコード削除　Ctrl + Alt + D"), QStringLiteral("削除"), &RecordActions::mnuRecordDeleteClick);
    toolbar->addSeparator();
    button(QStringLiteral("レコード追加　Ctrl + Alt + N"), QStringLiteral("追加"), &RecordActions::mnuRecordAddClick);
    button(QStringLiteral("レコード挿入　Ctrl + Alt + I"), QStringLiteral("挿入"), &RecordActions::mnuRecordInsertClick);
    toolbar->addSeparator();
}

void RecordActions::updateEnabled() {
    const bool loaded = m_state.DataCommandsEnabled;
    for (QAction* action : m_loadedOnly) {
        action->setEnabled(loaded);
    }
    mnuRecordPaste->setEnabled(m_state.RecordPasteEnabled);
    mnuEditUndo->setEnabled(m_state.UndoEnabled);
}

void RecordActions::done() {
    m_grid.gridChanged();
    m_refresh();
}

void RecordActions::mnuEditUndoClick() {
    BusyGuard busy(m_ui());
    UndoLast(m_state);
    done();
}

void RecordActions::mnuRecordCopyClick() {
    CopyRecords(m_state, m_ui());
    done();
}

void RecordActions::mnuRecordCutClick() {
    CutRecords(m_state, m_ui());
    done();
}

void RecordActions::mnuRecordPasteClick() {
    const int top = m_state.Grid.Selection().Top;
    PasteRecords(m_state);
    if (top >= 1 && top < m_state.Grid.RowCount()) {
        m_state.Grid.SetCurrent(std::min(1, m_state.Grid.ColCount() - 1), top);
        SetStsBar(m_state, m_state.Grid.Col(), top);
    }
    done();
}

void RecordActions::mnuRecordDeleteClick() {
    DeleteRecords(m_state, m_ui());
    done();
}

void RecordActions::mnuRecordAddClick() {
    if (BeginNewRecord(m_state)) {
        showAddBox();
    }
}

void RecordActions::mnuRecordInsertClick() {
    if (BeginInsertRecord(m_state)) {
        showAddBox();
    }
}

// The box covers the working row from column 1 rightwards: to the last column's right edge when
// that is on screen, otherwise to the grid's right edge.
void RecordActions::showAddBox() {
    m_grid.gridChanged();
    const int row = m_state.AddRow;
    const QRect first = m_grid.cellRect(std::min(1, m_state.Grid.ColCount() - 1), row);
    const QRect last = m_grid.cellRect(m_state.Grid.ColCount() - 1, row);
    const int right = last.isNull() ? m_grid.viewport()->width() : last.right();
    txtAdd->setGeometry(first.left(), first.top(), std::max(right - first.left(), 40),
                        std::max(first.height(), txtAdd->sizeHint().height()));
    txtAdd->clear();
    txtAdd->show();
    txtAdd->setFocus();
    m_refresh();
}

void RecordActions::endRecordEntry() {
    if (!m_state.AddBoxActive) {
        return;
    }
    // The entry ends before the box hides: hiding takes the focus from it, which ends the entry
    // too, and that must find it ended.
    EndRecordEntry(m_state, fromQString(txtAdd->text()));
    txtAdd->hide();
    done();
}

bool RecordActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtAdd) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape) {
                txtAdd->clear();
            }
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                // Leaving the box ends the entry, whether or not the focus change is reported.
                endRecordEntry();
                m_grid.setFocus();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            endRecordEntry();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ranvo::gui
