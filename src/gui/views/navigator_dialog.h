#pragma once

// "RV-NAVI": the current definition and one chosen condition in detail, with buttons that hide
// or show that condition's records, find them, and highlight one of its fields. The texts and the
// actions are the core's navigator; the window shows them and repaints the grid after each.

#include "core/app/navigator.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace ranvo::gui {

class TfrmDefineInfo : public QDialog {
    Q_OBJECT

public:
    TfrmDefineInfo(MainState& state, UiHost& host, QWidget* parent = nullptr);

    // Called after the grid changed (rows hidden or shown, cursor moved, highlight switched).
    std::function<void()> onGridChanged;

    void cmbDefineNameChange(int index);
    void find(RecordSearch search);
    void cmdHighlightClick();

    QComboBox* cmbDefineName = nullptr;
    QTableWidget* stgDefine = nullptr;
    QLabel* lblRecordCount = nullptr;
    QLabel* lblCheckWord = nullptr;
    QLabel* lblLength = nullptr;
    QPushButton* cmdHighlight = nullptr;

private:
    QWidget* createInfoPanel();
    QWidget* createConditionPanel();
    void showDefinition();
    [[nodiscard]] int chosenField() const;
    void gridChanged();

    MainState& m_state;
    UiHost& m_host;
    std::vector<int> m_recordCounts;
    QLabel* lblName = nullptr;
    QLabel* lblFileName = nullptr;
    QLabel* lblFileType = nullptr;
    QLabel* lblSeparate = nullptr;
    QLabel* lblQuote = nullptr;
    QLabel* lblQuoteAlways = nullptr;
    QLabel* lblTopTitle = nullptr;
    QLabel* lblMaxLength = nullptr;
    QLabel* lblCheckPoint = nullptr;
    QLabel* lblULWord = nullptr;
    QLabel* lblDefineCheckPoint = nullptr;
    QLabel* lblDefineCheckWord = nullptr;
    QLabel* sttBackColor = nullptr;
};

} // namespace ranvo::gui
