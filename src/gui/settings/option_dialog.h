#pragma once

// The options dialog ("環境設定"): fonts and colours of the grid's parts, the switches of opening
// and detection, the file filters and the definition folders. It works on a copy of the settings;
// "適用(&A)" hands the copy to the window and writes config.ini, and the dialog stays open.

#include "core/platform/ui_host.h"
#include "core/settings/ranvo_setting.h"

#include <array>
#include <filesystem>
#include <functional>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ranvo::gui {

class TfrmOption : public QDialog {
    Q_OBJECT

public:
    TfrmOption(const TRanvoSetting& settings, UiHost& host, QWidget* parent = nullptr);

    // Receives the settings to take on "適用(&A)".
    std::function<void(const TRanvoSetting&)> onApply;
    void cmdApplyClick();

    QListWidget* lstItem = nullptr;
    QFontComboBox* cmbFontName = nullptr;
    QComboBox* cmbFontSize = nullptr;
    QPushButton* clbFontColor = nullptr;
    QCheckBox* chkBold = nullptr;
    QPushButton* clbBackColor = nullptr;
    QCheckBox* chkUseIntact = nullptr;
    QCheckBox* chkUseSP = nullptr;
    QListWidget* lstFolder = nullptr;
    QComboBox* cmbFilterName = nullptr;
    QLineEdit* txtFilter = nullptr;
    QComboBox* cmbMaxHistory = nullptr;
    QComboBox* cmbHistoryLoad = nullptr;
    std::array<QCheckBox*, 8> m_switches{};

private:
    QWidget* createLookPage();
    QWidget* createOpeningPage();
    void storeItem(int item);
    void showItem(int item);
    // ">>": the chooser, opened at `start`, adds the folder chosen in it.
    void addFolder(const std::filesystem::path& start);
    void browseFolder(int row);
    [[nodiscard]] FontSetting* fontOf(int item);
    [[nodiscard]] std::int32_t* backgroundOf(int item);
    void setColor(QPushButton* box, std::int32_t color);
    [[nodiscard]] std::int32_t colorOf(const QPushButton* box) const;

    TRanvoSetting m_draft;
    UiHost& m_host;
    int m_shownItem = -1; // no item shown yet: nothing to store
    int m_shownFilter = 0;
    // The family the name list showed for the item: the settings name a font the system may only
    // substitute ("ＭＳ ゴシック"), and that name stays unless another font is chosen.
    QString m_shownFamily;
};

} // namespace ranvo::gui
