#pragma once

// The filter setting dialog ("フィルタ設定"): assigns filter tables and default texts to the
// fields of the current definition, switches translated display on and off, and saves and opens
// filter setting files. The rules are the core's FilterSettingEditor; the dialog copies its
// widgets into the editor's controls before each step and shows them again after it.

#include "core/app/filter_setting_editor.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ranvo::gui {

class TfrmFilter : public QDialog {
    Q_OBJECT

public:
    TfrmFilter(MainState& state, UiHost& host, QWidget* parent = nullptr);

    // Called after filters were applied or released, so that the window repaints.
    std::function<void()> onFiltersChanged;

    void cmbConditionChange(int index);
    void lstFieldClick(int row);
    void cmdApplyClick();
    void cmdDisClick();
    void cmdSaveClick();
    void cmdOpenClick();
    // Every way of closing commits the shown field.
    void done(int result) override;

    QComboBox* cmbCondition = nullptr;
    QListWidget* lstField = nullptr;
    QCheckBox* chkApply = nullptr;
    QLabel* lblFilterFile = nullptr;
    QComboBox* cmbFilter = nullptr;
    QCheckBox* chkDefault = nullptr;
    QLineEdit* txtDefault = nullptr;
    QComboBox* cmbFilterSet = nullptr;

private:
    void fillFields();
    void paintFields();
    void takeControls();
    void showControls();
    void showSelection();
    void notifyFiltersChanged();

    FilterSettingEditor m_editor;
};

} // namespace ranvo::gui
