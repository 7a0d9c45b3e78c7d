#include "gui/views/filter_dialog.h"

#include "gui/platform/text_codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace ranvo::gui {
namespace {

QStringList toQStrings(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) {
        list.append(toQString(text));
    }
    return list;
}

// Refills an editable list of file names without losing the name typed into it.
void offerNames(QComboBox* box, const std::vector<std::string>& names) {
    const QString typed = box->currentText();
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(toQStrings(names));
    box->setCurrentIndex(-1);
    box->setEditText(typed);
}

} // namespace

TfrmFilter::TfrmFilter(MainState& state, UiHost& host, QWidget* parent)
    : QDialog(parent), m_editor(state, host) {
    setWindowTitle(QStringLiteral("フィルタ設定"));
    cmbCondition = new QComboBox(this);
    cmbCondition->addItems(toQStrings(m_editor.ConditionNames()));
    lstField = new QListWidget(this);
    chkApply = new QCheckBox(QStringLiteral("適用する"), this);
    lblFilterFile = new QLabel(QStringLiteral("適用フィルタファイル"), this);
    cmbFilter = new QComboBox(this);
    cmbFilter->setEditable(true);
    cmbFilter->setMaxVisibleItems(16);
    offerNames(cmbFilter, m_editor.FilterFiles());
    chkDefault = new QCheckBox(QStringLiteral("初期値を設定する"), this);
    txtDefault = new QLineEdit(this);
    auto* cmdApply = new QPushButton(QStringLiteral("適用(&A)"), this);
    auto* cmdDis = new QPushButton(QStringLiteral("解除(&D)"), this);
    auto* cmbCancel = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    cmbFilterSet = new QComboBox(this);
    cmbFilterSet->setEditable(true);
    offerNames(cmbFilterSet, m_editor.SettingFiles());
    auto* cmdOpen = new QPushButton(QStringLiteral("開く(&O)"), this);
    auto* cmdSave = new QPushButton(QStringLiteral("保存(&S)"), this);

    auto* fieldBox = new QGroupBox(this);
    auto* fieldLayout = new QVBoxLayout(fieldBox);
    fieldLayout->addWidget(chkApply);
    fieldLayout->addWidget(lblFilterFile);
    fieldLayout->addWidget(cmbFilter);
    fieldLayout->addWidget(chkDefault);
    fieldLayout->addWidget(txtDefault);
    fieldLayout->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("適用定義名"), this), 0, 0);
    layout->addWidget(cmbCondition, 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("適用フィールド"), this), 2, 0);
    layout->addWidget(lstField, 3, 0);
    layout->addWidget(fieldBox, 1, 1, 3, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdApply);
    buttons->addWidget(cmdDis);
    buttons->addWidget(cmbCancel);
    buttons->addStretch();
    layout->addLayout(buttons, 1, 2, 3, 1);
    auto* settingFile = new QHBoxLayout;
    settingFile->addWidget(new QLabel(QStringLiteral("フィルタ設定ファイル名"), this));
    settingFile->addWidget(cmbFilterSet, 1);
    settingFile->addWidget(cmdOpen);
    settingFile->addWidget(cmdSave);
    layout->addLayout(settingFile, 4, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);

    connect(cmbCondition, &QComboBox::activated, this, &TfrmFilter::cmbConditionChange);
    connect(lstField, &QListWidget::currentRowChanged, this, &TfrmFilter::lstFieldClick);
    connect(chkApply, &QCheckBox::clicked, this, [this] {
        takeControls();
        m_editor.ApplyClicked();
        showControls();
    });
    connect(chkDefault, &QCheckBox::clicked, this, [this] {
        takeControls();
        m_editor.DefaultClicked();
        showControls();
    });
    connect(cmdApply, &QPushButton::clicked, this, &TfrmFilter::cmdApplyClick);
    connect(cmdDis, &QPushButton::clicked, this, &TfrmFilter::cmdDisClick);
    connect(cmbCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdOpen, &QPushButton::clicked, this, &TfrmFilter::cmdOpenClick);
    connect(cmdSave, &QPushButton::clicked, this, &TfrmFilter::cmdSaveClick);

    fillFields();
    showSelection();
    resize(560, 360);
}

void TfrmFilter::fillFields() {
    const QSignalBlocker blocker(lstField);
    lstField->clear();
    lstField->addItems(toQStrings(m_editor.FieldNames()));
    paintFields();
}

// Fields that are translated are blue, the others grey.
void TfrmFilter::paintFields() {
    for (int row = 0; row < lstField->count(); ++row) {
        lstField->item(row)->setForeground(m_editor.FieldApplied(row) ? QColor(Qt::blue)
                                                                      : QColor(Qt::gray));
    }
}

void TfrmFilter::takeControls() {
    FilterFieldControls& controls = m_editor.Controls;
    controls.Applied = chkApply->isChecked();
    controls.FilterFile = fromQString(cmbFilter->currentText());
    controls.HasDefault = chkDefault->isChecked();
    controls.DefaultText = fromQString(txtDefault->text());
}

void TfrmFilter::showControls() {
    const FilterFieldControls& controls = m_editor.Controls;
    chkApply->setEnabled(controls.ApplyEnabled);
    chkApply->setChecked(controls.Applied);
    for (QWidget* widget : {static_cast<QWidget*>(lblFilterFile), static_cast<QWidget*>(cmbFilter),
                            static_cast<QWidget*>(chkDefault)}) {
        widget->setEnabled(controls.FilterEnabled);
    }
    cmbFilter->setEditText(toQString(controls.FilterFile));
    chkDefault->setChecked(controls.HasDefault);
    txtDefault->setEnabled(controls.DefaultEnabled);
    txtDefault->setText(toQString(controls.DefaultText));
}

// The lists show the editor's condition and field: after a refused change they go back.
void TfrmFilter::showSelection() {
    {
        const QSignalBlocker conditionBlocker(cmbCondition);
        const QSignalBlocker fieldBlocker(lstField);
        cmbCondition->setCurrentIndex(m_editor.Condition());
        lstField->setCurrentRow(m_editor.Field());
    }
    showControls();
}

void TfrmFilter::cmbConditionChange(int index) {
    takeControls();
    if (m_editor.SelectCondition(index)) {
        fillFields();
    }
    showSelection();
}

void TfrmFilter::lstFieldClick(int row) {
    takeControls();
    m_editor.SelectField(row);
    showSelection();
    paintFields();
    if (m_editor.Field() != row) {
        // Refused: a click goes on to select the item it was on, so the list shows the field of
        // the controls again once the click is done.
        QTimer::singleShot(0, this, &TfrmFilter::showSelection);
    }
}

void TfrmFilter::cmdApplyClick() {
    takeControls();
    m_editor.Apply();
    paintFields();
    notifyFiltersChanged();
}

void TfrmFilter::cmdDisClick() {
    m_editor.Release();
    notifyFiltersChanged();
}

void TfrmFilter::cmdSaveClick() {
    takeControls();
    m_editor.SaveSetting(fromQString(cmbFilterSet->currentText()));
    offerNames(cmbFilterSet, m_editor.SettingFiles());
    paintFields();
}

void TfrmFilter::cmdOpenClick() {
    m_editor.OpenSetting(fromQString(cmbFilterSet->currentText()));
    showControls();
    paintFields();
}

void TfrmFilter::done(int result) {
    takeControls();
    m_editor.Close();
    QDialog::done(result);
}

void TfrmFilter::notifyFiltersChanged() {
    if (onFiltersChanged) {
        onFiltersChanged();
    }
}

} // namespace ranvo::gui
