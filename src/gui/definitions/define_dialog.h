#pragma once

// The definition editor ("定義ファイル作成ウィザード"): the file area, the condition list, the
// condition area and the field grid of a definition of its own. The rules are the core's
// DefinitionEditor; the window copies its widgets into the editor before each command, a field
// cell still being edited included, and shows the editor again after it. No button is the
// default button: Enter in a box never runs a command.

#include "core/definitions/definition_editor.h"

#include <QDialog>

#include <filesystem>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTableView;

namespace ranvo::gui {

class ColorBox;
class FieldSheetDelegate;
class FieldSheetModel;

class TfrmDefine : public QDialog {
    Q_OBJECT

public:
    // `extraFolders` are the settings' definition folders the folder list offers (CP932).
    TfrmDefine(const std::filesystem::path& programFolder,
               const std::vector<std::string>& extraFolders, UiHost& host,
               QWidget* parent = nullptr);

    [[nodiscard]] DefinitionEditor& editor() { return m_editor; }
    // Shows the definition file `path`, as when it was opened with the open button.
    void openDefinition(const std::filesystem::path& path);

    void cmdOpenClick();
    void cmdSaveClick();
    void cmdXMLClick();
    void cmdAddClick();
    void cmdEditClick();
    void cmdDeleteClick();
    void lstDefineClick(int row);
    // Every way of closing offers to save what changed; the window stays open when the user
    // goes back or the save does not complete.
    void done(int result) override;

    QLineEdit* txtDefineFileName = nullptr;
    QComboBox* cmbDefineFolder = nullptr;
    QLineEdit* txtDefineName = nullptr;
    QRadioButton* optFix = nullptr;
    QRadioButton* optNewLine = nullptr;
    QRadioButton* optRecord = nullptr;
    QLineEdit* txtByte = nullptr;
    QRadioButton* optCsv = nullptr;
    QLineEdit* txtSeparate = nullptr;
    QCheckBox* chkTabSep = nullptr;
    QCheckBox* chkQuote = nullptr;
    QLineEdit* txtBeforeQuote = nullptr;
    QCheckBox* chkQuoteAlways = nullptr;
    QCheckBox* chkTopTitle = nullptr;
    QListWidget* lstDefine = nullptr;
    QLineEdit* txtConditionName = nullptr;
    ColorBox* clbCondition = nullptr;
    QCheckBox* chkWord = nullptr;
    QLabel* lblStart = nullptr;
    QLineEdit* txtStart = nullptr;
    QLineEdit* txtKey = nullptr;
    QCheckBox* chkULWord = nullptr;
    QCheckBox* chkLength = nullptr;
    QLineEdit* txtCheckLength = nullptr;
    QTableView* stgField = nullptr;

private:
    QWidget* createFileArea();
    QWidget* createConditionList();
    QWidget* createConditionArea();
    void createFieldGrid();
    void createFieldMenu();
    void watchChanges();
    void takeScreen();
    void showScreen();
    void showFields();
    void commitCellEditor();
    void cellEdited(int row, int column, const QString& text);
    void applyPendingCell();
    // Runs a command of the field grid's pop-up menu on the selected cells, once a cell still
    // being edited is taken, and shows what changed.
    template <typename Command>
    void runFieldCommand(Command command);

    DefinitionEditor m_editor;
    UiHost& m_host;
    FieldSheetModel* m_fields = nullptr;
    FieldSheetDelegate* m_delegate = nullptr;
    // While the screen is being shown, its signals are not the user's changes.
    bool m_showing = false;
};

} // namespace ranvo::gui
