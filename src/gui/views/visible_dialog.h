#pragma once

// The show-by-condition dialog ("指定条件表示"): which record types and which field columns stay
// shown, and optional tests on the fields by column number. "表示(&V)" applies the choice to the
// whole grid and leaves the dialog open.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTreeWidget;

namespace ranvo::gui {

class TfrmVisible : public QDialog {
    Q_OBJECT

public:
    TfrmVisible(MainState& state, UiHost& host, QWidget* parent = nullptr);

    // Called after the choice was applied, so that the window repaints.
    std::function<void()> onApplied;
    void cmdVisibleClick();

    QListWidget* cltDefine = nullptr;
    QTreeWidget* lvwField = nullptr;
    QCheckBox* chkFieldNum = nullptr;
    QTableWidget* stgKey = nullptr;
    QPushButton* cmdVisible = nullptr;

private:
    void fillConditions();
    void fillFields();
    void tickAllFields(bool tick);

    MainState& m_state;
    UiHost& m_host;
};

} // namespace ranvo::gui
