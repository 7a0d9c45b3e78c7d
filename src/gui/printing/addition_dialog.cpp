#include "gui/printing/addition_dialog.h"

#include "gui/platform/color_box.h"
#include "gui/platform/text_codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace ranvo::gui {

TfrmAddition::TfrmAddition(const PageAdditions& additions, UiHost& host, QWidget* parent)
    : QDialog(parent), m_editor(additions, host) {
    setWindowTitle(QStringLiteral("付加情報設定"));
    lstPosition = new QListWidget(this);
    for (const QString& name : {QStringLiteral("左ヘッダー"), QStringLiteral("中ヘッダー"), QStringLiteral("右ヘッダー"),
                                QStringLiteral("左フッター"), QStringLiteral("中フッター"), QStringLiteral("右フッター")}) {
        auto* item = new QListWidgetItem(name, lstPosition);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(m_editor.Enabled[static_cast<std::size_t>(lstPosition->row(item))] ? Qt::Checked
                                                                                               : Qt::Unchecked);
    }
    lstPosition->setCurrentRow(0);
    connect(lstPosition, &QListWidget::currentRowChanged, this, &TfrmAddition::lstPositionClick);
    connect(lstPosition, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_editor.Enabled[static_cast<std::size_t>(lstPosition->row(item))] = item->checkState() == Qt::Checked;
    });
    cmbAdditionType = new QComboBox(this);
    cmbAdditionType->addItems({QStringLiteral("出力日時"), QStringLiteral("現在のページ／ページ数"),
                               QStringLiteral("印刷ファイル名"), QStringLiteral("印刷ファイルパス"),
                               QStringLiteral("定義ファイル名"), QStringLiteral("定義ファイルパス"),
                               QStringLiteral("フリーコメント")});
    txtFree = new QLineEdit(this);
    fncName = new QFontComboBox(this);
    connect(fncName, &QFontComboBox::activated, this, [this] { m_fontPicked = true; });
    clbColor = new ColorBox(this);
    cmbSize = new QComboBox(this);
    cmbSize->setEditable(true);
    for (const int size : {6, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 32, 36}) {
        cmbSize->addItem(QString::number(size));
    }
    chkBold = new QCheckBox(QStringLiteral("太文字"), this);
    auto* cmdSet = new QPushButton(QStringLiteral("設定(&S)"), this);
    auto* cmdExit = new QPushButton(QStringLiteral("閉じる(&E)"), this);
    connect(cmdSet, &QPushButton::clicked, this, &TfrmAddition::cmdSetClick);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("出力データ種別"), cmbAdditionType);
    fields->addRow(QStringLiteral("フリーコメント"), txtFree);
    fields->addRow(QStringLiteral("フォント名"), fncName);
    fields->addRow(QStringLiteral("フォント色"), clbColor);
    fields->addRow(QStringLiteral("フォントサイズ"), cmbSize);
    fields->addRow(chkBold);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSet);
    buttons->addWidget(cmdExit);
    fields->addRow(buttons);
    auto* position = new QFormLayout;
    position->addRow(QStringLiteral("位置"), lstPosition);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(position);
    layout->addLayout(fields, 1);
    showShown();
}

void TfrmAddition::takeShown() {
    AdditionEditor::ShownAddition& shown = m_editor.Shown;
    shown.Kind = static_cast<AdditionKind>(cmbAdditionType->currentIndex());
    shown.FreeText = fromQString(txtFree->text());
    if (m_fontPicked) {
        shown.FontName = fromQString(fncName->currentFont().family());
    }
    shown.FontColor = clbColor->color();
    shown.FontSize = fromQString(cmbSize->currentText());
    shown.Bold = chkBold->isChecked();
}

void TfrmAddition::showShown() {
    const AdditionEditor::ShownAddition& shown = m_editor.Shown;
    cmbAdditionType->setCurrentIndex(static_cast<int>(shown.Kind));
    txtFree->setText(toQString(shown.FreeText));
    {
        const QSignalBlocker blocker(fncName);
        fncName->setCurrentFont(QFont(toQString(shown.FontName)));
    }
    m_fontPicked = false;
    clbColor->setColor(shown.FontColor);
    cmbSize->setEditText(toQString(shown.FontSize));
    chkBold->setChecked(shown.Bold);
}

void TfrmAddition::lstPositionClick(int row) {
    takeShown();
    if (!m_editor.Select(row)) {
        // A click goes on to select the item it was on: the list shows the position of the
        // controls again now and once the click is done.
        showPosition();
        QTimer::singleShot(0, this, &TfrmAddition::showPosition);
        return;
    }
    showShown();
}

void TfrmAddition::showPosition() {
    const QSignalBlocker blocker(lstPosition);
    lstPosition->setCurrentRow(m_editor.Position());
}

void TfrmAddition::cmdSetClick() {
    takeShown();
    if (const std::optional<PageAdditions> additions = m_editor.Set(); additions && onSet) {
        onSet(*additions);
    }
}

} // namespace ranvo::gui
