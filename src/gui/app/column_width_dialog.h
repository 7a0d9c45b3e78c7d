#pragma once

// The column-width dialog ("列幅指定"): shows the grid's default column width and applies a typed
// width to the selected columns. Applying leaves the dialog open.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

namespace ranvo::gui {

class TfrmSetColWidth : public QDialog {
    Q_OBJECT

public:
    TfrmSetColWidth(MainState& state, UiHost& host, QWidget* parent = nullptr);

    // Called after a width was applied, so that the grid repaints.
    std::function<void()> onApplied;
    void cmdExecuteClick();

    QLineEdit* txtWidth = nullptr;
    QPushButton* cmdExecute = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    MainState& m_state;
    UiHost& m_host;
};

} // namespace ranvo::gui
