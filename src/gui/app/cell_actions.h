#pragma once

// The cell commands of the main window: cell copy and paste, clearing with Delete, copying every
// cell, the total and the case conversions, and the commit of the grid's in-place editor. Each
// handler calls the core command and refreshes the window.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <QObject>

#include <functional>

class QMenu;
class QWidget;

namespace ranvo::gui {

class CommandGate;
class CommandTable;
class GridView;

class CellActions : public QObject {
    Q_OBJECT

public:
    CellActions(MainState& state, std::function<UiHost&()> ui, GridView& grid, CommandGate& gate,
                CommandTable& commands, std::function<void()> refresh, QWidget* parent);

    // The cell items that open the context menu, and its option submenu.
    void addCellCommandsTo(QWidget* contextMenuOwner);
    void addOptionsTo(QWidget* contextMenuOwner);
    void addCopyAllTo(QMenu* menu);

    void popCellCopyClick();
    void popCellPasteClick();
    void clearCells();
    void mnuEditAllCellCopyClick();

private:
    void done();

    MainState& m_state;
    std::function<UiHost&()> m_ui;
    GridView& m_grid;
    CommandGate& m_gate;
    CommandTable& m_commands;
    std::function<void()> m_refresh;
};

} // namespace ranvo::gui
