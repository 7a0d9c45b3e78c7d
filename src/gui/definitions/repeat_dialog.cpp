#include "gui/definitions/repeat_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>

namespace ranvo::gui {
namespace {

constexpr int kMostRepeats = 256;
constexpr int kLargestStart = 999999;

} // namespace

TfrmRepeat::TfrmRepeat(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("繰り返し貼り付け"));
    // The boxes hold numbers only, from one repeat to the most the editor takes.
    txtCount = new QSpinBox(this);
    txtCount->setRange(1, kMostRepeats);
    txtCount->setValue(1);
    chkSerial = new QCheckBox(QStringLiteral("通番セット"), this);
    txtStart = new QSpinBox(this);
    txtStart->setRange(0, kLargestStart);
    txtStart->setValue(1);
    auto* cmdSet = new QPushButton(QStringLiteral("セット(&S)"), this);
    auto* cmdCancel = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    connect(cmdSet, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("繰り返し回数"), txtCount);
    layout->addRow(chkSerial, txtStart);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSet);
    buttons->addWidget(cmdCancel);
    layout->addRow(buttons);
}

int TfrmRepeat::times() const {
    return txtCount->value();
}

std::optional<int> TfrmRepeat::serialStart() const {
    return chkSerial->isChecked() ? std::optional<int>(txtStart->value()) : std::nullopt;
}

} // namespace ranvo::gui
