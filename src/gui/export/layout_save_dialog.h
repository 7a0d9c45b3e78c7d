#pragma once

// "形式を指定して保存": the loaded data exported as CSV, an HTML table or fixed-length text
// through an output layout per condition. The layout and the writers are the core's; the dialog
// shows one condition's slots at a time and the selected slot's fixed-length settings.

#include "core/export/layout_save.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTabWidget;

namespace ranvo::gui {

class TfrmLayoutSave : public QDialog {
    Q_OBJECT

public:
    TfrmLayoutSave(const MainState& state, UiHost& host, QWidget* parent = nullptr);

    [[nodiscard]] OutputLayout& layout() { return m_layout; }

    void cmbDefineChange(int index);
    void lstFieldClick(int row);
    void cmdSaveClick();

    QComboBox* cmbDefine = nullptr;
    QListWidget* lstField = nullptr;
    QComboBox* cmbWordType = nullptr;
    QCheckBox* chkOnlyLoad = nullptr;
    QCheckBox* chkVisible = nullptr;
    QCheckBox* chkFilter = nullptr;
    QTabWidget* pages = nullptr;
    // CSV
    QLineEdit* txtSeparate = nullptr;
    QCheckBox* chkTabSep = nullptr;
    QLineEdit* txtQuote = nullptr;
    QCheckBox* chkQuoteAlways = nullptr;
    QCheckBox* chkTopTitle = nullptr;
    QComboBox* cmbDefineName = nullptr;
    QCheckBox* chkTrim = nullptr;
    // HTML
    QCheckBox* chkTopTitleHTML = nullptr;
    QComboBox* cmbDefineNameHTML = nullptr;
    QCheckBox* chkStyleSheet = nullptr;
    // Fixed-length
    QLabel* lblFieldName = nullptr;
    QLabel* lblFieldIndex = nullptr;
    QLineEdit* txtLength = nullptr;
    QLineEdit* txtSetWord = nullptr;
    QRadioButton* optFront = nullptr;
    QRadioButton* optLast = nullptr;
    QCheckBox* chkTriming = nullptr;
    QCheckBox* chkNewLine = nullptr;

private:
    QWidget* createSlotArea();
    QWidget* createCsvPage();
    QWidget* createHtmlPage();
    QWidget* createFixedPage();
    QComboBox* conditionBox(QWidget* parent) const;
    void showSlots(int selected);
    void showSlot();
    // Stores the fixed-length boxes into the selected slot; false when they are not fit.
    [[nodiscard]] bool commitSlot();
    [[nodiscard]] std::vector<LayoutSlot>* shownSlots();
    [[nodiscard]] LayoutSlot* selectedSlot();
    void moveSlot(int (OutputLayout::*step)(int, int));

    const MainState& m_state;
    UiHost& m_host;
    OutputLayout m_layout;
    int m_condition = 0;
    int m_slot = -1;
};

} // namespace ranvo::gui
