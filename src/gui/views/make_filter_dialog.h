#pragma once

// The filter table editor ("フィルタファイル作成"): edits one `.fil` table of the filter folder
// as a grid of keys and values with the table's options, fills it from CSV or the clipboard,
// sorts and searches it, and saves it. The rules are the core's FilterTableSheet and its
// commands; the dialog moves the cursor and shows the result.

#include "core/platform/ui_host.h"
#include "core/views/filter_table_sheet.h"

#include <QDialog>

#include <filesystem>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QTableView;

namespace ranvo::gui {

class FilterSheetModel;

class TfrmMakeFilter : public QDialog {
    Q_OBJECT

public:
    TfrmMakeFilter(std::filesystem::path filterFolder, UiHost& host, QWidget* parent = nullptr);

    [[nodiscard]] FilterTableSheet& sheet() { return m_sheet; }

    void cmdOpenClick();
    void cmdOpenCSVClick();
    void cmbSaveClick();
    void cmdFindClick();
    void mnuCopyClick();
    void mnuPasteClick();
    void mnuDeleteClick();
    void mnuAddClick();
    void mnuSortClick();

    QComboBox* cmbFilter = nullptr;
    QTableView* stgFilter = nullptr;
    QCheckBox* chkIsNumeric = nullptr;
    QCheckBox* chkUseFit = nullptr;
    QLineEdit* txtFit = nullptr;
    QCheckBox* chkTrim = nullptr;
    QCheckBox* chkCut = nullptr;
    QLineEdit* txtWord = nullptr;
    QRadioButton* optNo = nullptr;
    QRadioButton* optKey = nullptr;
    QRadioButton* optValue = nullptr;

private:
    void createGrid();
    void createMenu();
    void listTables();
    void showOptions();
    void takeOptions();
    [[nodiscard]] FilterCellRange selectedRange() const;
    void moveTo(int row, int column);

    std::filesystem::path m_folder;
    UiHost& m_host;
    FilterTableSheet m_sheet;
    FilterSheetModel* m_model = nullptr;
};

} // namespace ranvo::gui
