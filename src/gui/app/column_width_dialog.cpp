#include "gui/app/column_width_dialog.h"

#include "core/app/column_sizes.h"
#include "gui/platform/text_codec.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ranvo::gui {

TfrmSetColWidth::TfrmSetColWidth(MainState& state, UiHost& host, QWidget* parent)
    : QDialog(parent), m_state(state), m_host(host) {
    setWindowTitle(QStringLiteral("列幅指定"));
    auto* layout = new QFormLayout(this);
    const QString defaultWidth = QString::number(state.Grid.DefaultColWidth());
    layout->addRow(QStringLiteral("初期値"), new QLabel(defaultWidth, this));
    txtWidth = new QLineEdit(defaultWidth, this);
    layout->addRow(QStringLiteral("新しい幅"), txtWidth);
    cmdExecute = new QPushButton(QStringLiteral("実行"), this);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdExecute->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExecute);
    buttons->addWidget(cmdCancel);
    layout->addRow(buttons);
    connect(cmdExecute, &QPushButton::clicked, this, &TfrmSetColWidth::cmdExecuteClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSetColWidth::cmdExecuteClick() {
    if (ApplyColumnWidth(m_state, m_host, fromQString(txtWidth->text())) && onApplied) {
        onApplied();
    }
}

} // namespace ranvo::gui
