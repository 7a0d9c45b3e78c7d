#include "gui/app/record_actions.h"

#include "core/app/status_bar.h"
#include "core/editing/record_operations.h"
#include "core/editing/undo.h"
#include "gui/app/command_table.h"
#include "gui/grid/grid_view.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/text_codec.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace ranvo::gui {

RecordActions::RecordActions(MainState& state, std::function<UiHost&()> ui, GridView& grid,
                             CommandTable& commands, std::function<void()> refresh, QWidget* parent)
    : QObject(parent), m_state(state), m_ui(std::move(ui)), m_grid(grid),
      m_refresh(std::move(refresh)) {
    txtAdd = new QLineEdit(grid.viewport());
    txtAdd->hide();
    txtAdd->installEventFilter(this);
    setHelpContext(txtAdd, 24);

    // Undo does nothing while anything is being typed.
    mnuEditUndo =
        commands.create(this,
                        {"mnuEditUndo", QStringLiteral("やり直し"), CommandGroup::Undo, 25,
                         QKeySequence(Qt::CTRL | Qt::Key_Z), CommandGate::Typing::Refuse},
                        [this] { mnuEditUndoClick(); });
    mnuEditUndo->setShortcutContext(Qt::WindowShortcut);
    mnuRecordCopy = makeAction(commands, "mnuRecordCopy", QStringLiteral("レコードコピー(&C)"),
                               &RecordActions::mnuRecordCopyClick, Qt::Key_C);
    mnuRecordCut = makeAction(commands, "mnuRecordCut", QStringLiteral("レコード切り取り(&T)"),
                              &RecordActions::mnuRecordCutClick, Qt::Key_T);
    mnuRecordPaste = makeAction(commands, "mnuRecordPaste", QStringLiteral("レコード貼り付け(&P)"),
                                &RecordActions::mnuRecordPasteClick, Qt::Key_P);
    mnuRecordDelete = makeAction(commands, "mnuRecordDelete", QStringLiteral("レコード削除(&D)"),
                                 &RecordActions::mnuRecordDeleteClick, Qt::Key_D);
    mnuRecordAdd = makeAction(commands, "mnuRecordAdd", QStringLiteral("レコード新規作成(&N)"),
                              &RecordActions::mnuRecordAddClick, Qt::Key_N);
    mnuRecordInsert = makeAction(commands, "mnuRecordInsert", QStringLiteral("レコード挿入(&I)"),
                                 &RecordActions::mnuRecordInsertClick, Qt::Key_I);
}

// The record commands commit cell edits and refuse while a record is typed into the add box.
// They stay enabled without a file and do nothing then; paste waits for something copied.
QAction* RecordActions::makeAction(CommandTable& commands, const char* name, const QString& caption,
                                   void (RecordActions::*handler)(), Qt::Key key) {
    const CommandGroup group = handler == &RecordActions::mnuRecordPasteClick
                                   ? CommandGroup::RecordPaste
                                   : CommandGroup::Always;
    QAction* action =
        commands.create(this,
                        {name, caption, group, 10, QKeySequence(Qt::CTRL | Qt::ALT | key),
                         CommandGate::Typing::KeepRecord},
                        [this, handler] { (this->*handler)(); });
    action->setShortcutContext(Qt::WindowShortcut);
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
    m_grid.scrollToCurrent(); // the working row, which is current
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
