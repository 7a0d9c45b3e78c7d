#pragma once

// The find dialog ("検索") and the replace dialog ("置換"). They share the search key, the case
// flag and the direction group; the searching itself is the core's.

#include "core/editing/find_replace.h"
#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ranvo::gui {

class FindDialogBase : public QDialog {
    Q_OBJECT

public:
    // Called after a search moved the grid's cursor or a replacement changed a cell.
    std::function<void()> onGridChanged;

    QLineEdit* txtKey = nullptr;
    QCheckBox* chkLU = nullptr;
    QGroupBox* fraDirection = nullptr;

protected:
    FindDialogBase(MainState& state, UiHost& host, const QString& caption, QWidget* parent);

    [[nodiscard]] FindOptions options() const;
    // Runs a search; without a match, says so.
    void searched(bool found);
    void changed();

    MainState& m_state;
    UiHost& m_host;
    QGridLayout* m_layout = nullptr;
    std::array<QRadioButton*, 3> m_directions{};
};

class TfrmFind : public FindDialogBase {
    Q_OBJECT

public:
    TfrmFind(MainState& state, UiHost& host, QWidget* parent = nullptr);

    void cmdNextClick();
    void cmdFirstClick();

    QCheckBox* chkField = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdFirst = nullptr;
};

class TfrmReplace : public FindDialogBase {
    Q_OBJECT

public:
    TfrmReplace(MainState& state, UiHost& host, QWidget* parent = nullptr);

    void cmdReplaceClick();
    void cmdReplaceAllClick();

    QLineEdit* txtReplace = nullptr;
    QCheckBox* chkReplace = nullptr;
    QPushButton* cmdReplace = nullptr;
    QPushButton* cmdReplaceAll = nullptr;
};

} // namespace ranvo::gui
