#pragma once

// The about box ("バージョン情報"): the program's icon, its version and a word of thanks.

#include <QDialog>

class QLabel;

namespace ranvo::gui {

class TfrmInfo : public QDialog {
    Q_OBJECT

public:
    explicit TfrmInfo(QWidget* parent = nullptr);

    QLabel* lblIcon = nullptr;
};

// "ver." and the program's version, as the about box shows it.
[[nodiscard]] QString VersionText();

} // namespace ranvo::gui
