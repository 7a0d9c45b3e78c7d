#include "gui/views/visible_dialog.h"

#include "core/app/grid_queries.h"
#include "core/app/hiding.h"
#include "gui/platform/edge_moving_delegate.h"
#include "gui/platform/text_codec.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

namespace ranvo::gui {

TfrmVisible::TfrmVisible(MainState& state, UiHost& host, QWidget* parent)
    : QDialog(parent), m_state(state), m_host(host) {
    setWindowTitle(QStringLiteral("指定条件表示"));
    auto* layout = new QGridLayout(this);
    cltDefine = new QListWidget(this);
    lvwField = new QTreeWidget(this);
    chkFieldNum = new QCheckBox(QStringLiteral("フィールドNoを条件に含める"), this);
    stgKey = new QTableWidget(this);
    cmdVisible = new QPushButton(QStringLiteral("表示(&V)"), this);
    auto* cmdCancel = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    auto* cmbAllSelect = new QPushButton(QStringLiteral("全て選択"), this);
    auto* cmbAllRelease = new QPushButton(QStringLiteral("全て解除"), this);
    fillConditions();
    fillFields();
    stgKey->setEnabled(false);
    connect(chkFieldNum, &QCheckBox::toggled, stgKey, &QWidget::setEnabled);
    connect(cmdVisible, &QPushButton::clicked, this, &TfrmVisible::cmdVisibleClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmbAllSelect, &QPushButton::clicked, this, [this] { tickAllFields(true); });
    connect(cmbAllRelease, &QPushButton::clicked, this, [this] { tickAllFields(false); });

    layout->addWidget(cltDefine, 0, 0);
    layout->addWidget(lvwField, 0, 1);
    auto* fieldButtons = new QHBoxLayout;
    fieldButtons->addStretch();
    fieldButtons->addWidget(cmbAllSelect);
    fieldButtons->addWidget(cmbAllRelease);
    layout->addLayout(fieldButtons, 1, 1);
    layout->addWidget(chkFieldNum, 2, 0, 1, 2);
    layout->addWidget(stgKey, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdVisible);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons, 4, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 3);
    resize(760, 480);
}

void TfrmVisible::fillConditions() {
    for (const TCondition& condition : m_state.Definition.Conditions) {
        auto* item = new QListWidgetItem(toQString(condition.ConditionName), cltDefine);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void TfrmVisible::fillFields() {
    const TDefineClass& definition = m_state.Definition;
    const int columns = m_state.Grid.ColCount() - 1;
    const auto conditions = static_cast<int>(definition.Conditions.size());
    QStringList headers{QStringLiteral("No")};
    for (const TCondition& condition : definition.Conditions) {
        headers.append(toQString(condition.ConditionName));
    }
    lvwField->setHeaderLabels(headers);
    lvwField->setRootIsDecorated(false);
    for (int n = 1; n <= columns; ++n) {
        auto* item = new QTreeWidgetItem(lvwField);
        item->setText(0, QString::number(n));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        for (int k = 0; k < conditions; ++k) {
            const int fields = FieldCount(definition, k);
            item->setText(k + 1, n <= fields ? toQString(definition.GetFieldName(k, n - 1))
                                             : QStringLiteral("Blank") + QString::number(n - fields));
        }
    }
    // Each condition's column as wide as its caption and entries, and a margin.
    const QFontMetrics metrics(lvwField->font());
    for (int k = 1; k <= conditions; ++k) {
        int widest = metrics.horizontalAdvance(headers[k]);
        for (int i = 0; i < lvwField->topLevelItemCount(); ++i) {
            widest = std::max(widest, metrics.horizontalAdvance(lvwField->topLevelItem(i)->text(k)));
        }
        lvwField->setColumnWidth(k, widest + 15);
    }

    stgKey->setItemDelegate(new EdgeMovingDelegate(stgKey));
    stgKey->setRowCount(2);
    stgKey->setColumnCount(columns);
    stgKey->verticalHeader()->hide();
    stgKey->horizontalHeader()->hide();
    for (int n = 0; n < columns; ++n) {
        auto* number = new QTableWidgetItem(QString::number(n + 1));
        number->setFlags(number->flags() & ~Qt::ItemIsEditable);
        stgKey->setItem(0, n, number);
        stgKey->setItem(1, n, new QTableWidgetItem());
    }
    stgKey->setFixedHeight(stgKey->rowHeight(0) * 2 + 24);
}

void TfrmVisible::tickAllFields(bool tick) {
    for (int i = 0; i < lvwField->topLevelItemCount(); ++i) {
        lvwField->topLevelItem(i)->setCheckState(0, tick ? Qt::Checked : Qt::Unchecked);
    }
}

void TfrmVisible::cmdVisibleClick() {
    VisibilityChoice choice;
    for (int k = 0; k < cltDefine->count(); ++k) {
        choice.Conditions.push_back(cltDefine->item(k)->checkState() == Qt::Checked);
    }
    for (int i = 0; i < lvwField->topLevelItemCount(); ++i) {
        choice.Columns.push_back(lvwField->topLevelItem(i)->checkState(0) == Qt::Checked);
    }
    if (chkFieldNum->isChecked()) {
        std::vector<std::string> tests;
        for (int n = 0; n < stgKey->columnCount(); ++n) {
            const QTableWidgetItem* item = stgKey->item(1, n);
            tests.push_back(item != nullptr ? fromQString(item->text()) : std::string());
        }
        choice.FieldTests = std::move(tests);
    }
    ApplyVisibility(m_state, m_host, choice);
    if (onApplied) {
        onApplied();
    }
}

} // namespace ranvo::gui
