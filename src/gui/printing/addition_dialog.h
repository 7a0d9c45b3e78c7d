#pragma once

// "付加情報設定": the six page additions (headers and footers) edited on a working copy; "設定(&S)"
// hands them to the main window, closing drops what was not set.

#include "core/printing/page_additions.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QListWidget;

namespace ranvo::gui {

class ColorBox;

class TfrmAddition : public QDialog {
    Q_OBJECT

public:
    TfrmAddition(const PageAdditions& additions, UiHost& host, QWidget* parent = nullptr);

    // Called with the six additions "設定(&S)" takes over.
    std::function<void(const PageAdditions&)> onSet;

    void lstPositionClick(int row);
    void cmdSetClick();

    QListWidget* lstPosition = nullptr;
    QComboBox* cmbAdditionType = nullptr;
    QLineEdit* txtFree = nullptr;
    QFontComboBox* fncName = nullptr;
    ColorBox* clbColor = nullptr;
    QComboBox* cmbSize = nullptr;
    QCheckBox* chkBold = nullptr;

private:
    void takeShown();
    void showPosition();
    void showShown();

    AdditionEditor m_editor;
    // The font list shows the nearest installed font; the addition keeps its own name until
    // the user picks another.
    bool m_fontPicked = false;
};

} // namespace ranvo::gui
