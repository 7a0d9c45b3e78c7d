#pragma once

// The open dialog ("ファイルを開く"): where a data file is paired with a definition, a character
// code and an optional range of records. Its open command runs the whole open through the core
// and closes the dialog when it succeeds; any failure leaves it open after the message.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <QDialog>

#include <filesystem>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace ranvo::gui {

class TfrmDialog : public QDialog {
    Q_OBJECT

public:
    TfrmDialog(MainState& state, UiHost& host, QWidget* parent = nullptr);

    void setDataPath(const std::filesystem::path& path);
    void selectAutomaticDetection();
    // Runs the open; answers whether the file was opened.
    bool cmdOpenClick();

    [[nodiscard]] const std::vector<std::filesystem::path>& definitions() const { return m_definitions; }

    QComboBox* cmbFilePath = nullptr;
    QToolButton* cmdDialog = nullptr;
    QComboBox* cmbDefine = nullptr;
    QPushButton* cmdOpen = nullptr;
    QPushButton* cmdCancel = nullptr;
    QComboBox* cmbWordType = nullptr;
    QCheckBox* chkReadRange = nullptr;
    QLineEdit* txtReadFrom = nullptr;
    QLineEdit* txtReadTo = nullptr;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void fillLists();
    void cmdDialogClick();

    MainState& m_state;
    UiHost& m_host;
    std::vector<std::filesystem::path> m_definitions;
};

// The chooser's filter: every file, text files, and the user's three patterns.
[[nodiscard]] std::string OpenFileFilter(const TRanvoSetting& settings);

} // namespace ranvo::gui
