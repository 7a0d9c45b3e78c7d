#pragma once

// "繰り返し貼り付け": how many times the copied field rows are inserted, and whether their names
// get a serial number counting from a start number.

#include <QDialog>

#include <optional>

class QCheckBox;
class QSpinBox;

namespace ranvo::gui {

class TfrmRepeat : public QDialog {
    Q_OBJECT

public:
    explicit TfrmRepeat(QWidget* parent = nullptr);

    [[nodiscard]] int times() const;
    [[nodiscard]] std::optional<int> serialStart() const;

    QSpinBox* txtCount = nullptr;
    QCheckBox* chkSerial = nullptr;
    QSpinBox* txtStart = nullptr;
};

} // namespace ranvo::gui
