#pragma once

// The record commands of the main window (new, insert, copy, cut, paste, delete) and undo: their
// menu items and shortcuts, and the add box a new record is typed into. Each handler runs through
// the command gate, calls the core command and refreshes the window; the toolbar's record buttons
// call the same handlers.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <QObject>

#include <functional>

class QAction;
class QLineEdit;
class QMenu;
class QWidget;

namespace ranvo::gui {

class CommandTable;
class GridView;

class RecordActions : public QObject {
    Q_OBJECT

public:
    RecordActions(MainState& state, std::function<UiHost&()> ui, GridView& grid,
                  CommandTable& commands, std::function<void()> refresh, QWidget* parent);

    void addUndoTo(QMenu* menu);
    void addRecordCommandsTo(QWidget* contextMenuOwner);

    [[nodiscard]] QLineEdit& addBox() { return *txtAdd; }
    // Ends the record being typed into the add box with its text, as Enter does.
    void endRecordEntry();

    void mnuEditUndoClick();
    void mnuRecordAddClick();
    void mnuRecordInsertClick();
    void mnuRecordCopyClick();
    void mnuRecordCutClick();
    void mnuRecordPasteClick();
    void mnuRecordDeleteClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* makeAction(CommandTable& commands, const char* name, const QString& caption,
                        void (RecordActions::*handler)(), Qt::Key key);
    void showAddBox();
    void done();

    MainState& m_state;
    std::function<UiHost&()> m_ui;
    GridView& m_grid;
    std::function<void()> m_refresh;
    QLineEdit* txtAdd = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuRecordAdd = nullptr;
    QAction* mnuRecordInsert = nullptr;
    QAction* mnuRecordCopy = nullptr;
    QAction* mnuRecordCut = nullptr;
    QAction* mnuRecordPaste = nullptr;
    QAction* mnuRecordDelete = nullptr;
};

} // namespace ranvo::gui
