#pragma once

// The main window: the data grid with its record list, the field-jump list and the cell edit box
// on the toolbar, and the status bar. It owns the main state; its handlers turn events into calls
// on the core and refresh what the state says into widgets. Its menus, toolbars, context menu and
// keys are made in main_window_commands.cpp.

#include "core/editing/sort.h"
#include "core/printing/grid_printer.h"
#include "core/state/main_state.h"
#include "gui/app/field_jump_box.h"
#include "gui/platform/qt_ui_host.h"

#include <QMainWindow>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QComboBox;
class QLineEdit;
class QPrinter;
class QSplitter;
class QToolBar;

namespace ranvo::gui {

class CellActions;
class CellPainter;
class CommandGate;
class CommandTable;
class GridView;
class RecordActions;
class HelpViewer;
class StatusPanels;

class TfrmShowData : public QMainWindow {
    Q_OBJECT

public:
    // `parameters` are the command-line words after the program name.
    TfrmShowData(AppHome home, std::vector<std::string> parameters, QWidget* parent = nullptr);
    ~TfrmShowData() override;

    [[nodiscard]] MainState& state() { return *m_state; }
    [[nodiscard]] QtUiHost& host() { return *m_host; }
    // Talks to the user through `host` instead of Qt's message boxes and choosers (for tests).
    void useUiHost(UiHost& host) { m_ui = &host; }
    [[nodiscard]] GridView& grid() { return *stgData; }
    [[nodiscard]] StatusPanels& statusPanels() { return *staBar; }
    [[nodiscard]] QComboBox& fieldJumpList() { return *cmbFieldJump; }
    [[nodiscard]] QLineEdit& cellBox() { return *txtData; }
    [[nodiscard]] QAction& fixedCellInfoAction() { return *mnuInteriFixCell; }
    [[nodiscard]] RecordActions& recordActions() { return *m_records; }
    // The title the program shows for itself besides the window caption.
    [[nodiscard]] const QString& applicationTitle() const { return m_applicationTitle; }

    // Opens the command line's file, if any; the window calls it once it is shown.
    void openStartupFile();
    // Opens a data file handed to the window (command line or drop), with its definition or by
    // automatic detection.
    void DataFileLoad(const std::filesystem::path& dataPath,
                      const std::filesystem::path& definitionPath);
    // The open command of the menu and the toolbar.
    void mnuFileOpenClick();
    void mnuFileSaveClick();
    void tbcSaveClick();
    void tbcPreviewClick();
    void mnuFileAsSaveClick();
    void mnuFileSaveAsCsvClick();
    void mnuFilePreviewClick();
    void mnuViewDefineInfoClick();
    void mnuFileLayoutSaveClick();
    void mnuFileSaveAsXMLClick();
    void sortRecords(SortAlgorithm algorithm, SortDirection direction);
    void mnuEditRepaintClick();
    void mnuEditFindClick();
    void mnuEditReplaceClick();
    void hideRows();
    void hideCols();
    void hideRowsAndCols();
    void showAll();
    void showByCondition();
    void mnuOptionFilterClick();
    void FlatButton1Click();
    void mnuOptionDefineClick();
    void mnuOptionMakeFilterClick();
    void mnuOptionOptionClick();
    void showHelp(int context);
    void applyNewSettings(const TRanvoSetting& settings);
    void mnuInteriFixCellClick();
    void tbcHighLightClick();
    void mnuViewHighLightOffClick();
    void mnuViewCellAutoFitClick();
    void mnuViewCellDefaultClick();
    void popColWidthClick();
    // Shows what the state says: captions, status bar, cell box, field-jump list, grid.
    void refreshFromState();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void createMenusAndToolbars();
    void createToolbar();
    void createViewMenu();
    void createContextMenu();
    void reportFailure(std::exception_ptr failure, std::string_view failureWords);
    void enterCellBox();
    void commitCellBox();
    void applySettings();
    void fitStatusBar(int height);
    void placeWindow();
    bool stgDataSelectCell(int col, int row);
    void cmbFieldJumpActivated(int index);
    bool settleUnsavedChanges();
    void layoutStatusPanels();
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::unique_ptr<MainState> m_state;
    std::unique_ptr<QtUiHost> m_host;
    std::unique_ptr<CellPainter> m_painter;
    // Printing: the page layout, kept from one preview to the next, and the printer chosen.
    TOlenSGridPrinter m_gridPrinter;
    std::unique_ptr<QPrinter> m_printer;
    HelpViewer* m_help = nullptr;
    CommandGate* m_gate = nullptr;
    std::unique_ptr<CommandTable> m_commands;
    RecordActions* m_records = nullptr;
    CellActions* m_cells = nullptr;
    // The cell edit box holds the focus: what it holds goes into the cell when it is left.
    bool m_cellBoxEntered = false;
    UiHost* m_ui = nullptr;
    std::vector<std::string> m_parameters;
    QString m_applicationTitle;

    GridView* stgData = nullptr;
    StatusPanels* staBar = nullptr;
    QToolBar* tlbMenu = nullptr;
    QToolBar* tlbBox = nullptr;
    FieldJumpBox* cmbFieldJump = nullptr;
    QSplitter* Splitter1 = nullptr;
    QLineEdit* txtData = nullptr;
    QAction* mnuFileSaveAsCsv = nullptr;
    QAction* mnuOptionFilter = nullptr;
    QAction* mnuInteriFixCell = nullptr;
};

} // namespace ranvo::gui
