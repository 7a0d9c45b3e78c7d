#include "gui/views/navigator_dialog.h"

#include "core/app/hiding.h"
#include "gui/platform/colors_and_fonts.h"
#include "gui/platform/text_codec.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ranvo::gui {
namespace {

enum Column { NumberColumn, NameColumn, StartColumn, LengthColumn, ColorColumn };

QTableWidgetItem* readOnly(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

TfrmDefineInfo::TfrmDefineInfo(MainState& state, UiHost& host, QWidget* parent)
    : QDialog(parent), m_state(state), m_host(host), m_recordCounts(CountRecordsByCondition(state)) {
    setWindowTitle(QStringLiteral("RV-NAVI"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(createInfoPanel());
    layout->addWidget(createConditionPanel(), 1);
    showDefinition();
    resize(820, 460);
}

QWidget* TfrmDefineInfo::createInfoPanel() {
    auto* panel = new QWidget(this);
    auto* definition = new QGroupBox(QStringLiteral("Define Info"), panel);
    auto* definitionLayout = new QVBoxLayout(definition);
    for (QLabel** label : {&lblName, &lblFileName, &lblFileType, &lblSeparate, &lblQuote, &lblQuoteAlways, &lblTopTitle}) {
        *label = new QLabel(definition);
        definitionLayout->addWidget(*label);
    }
    auto* condition = new QGroupBox(QStringLiteral("Condition Info"), panel);
    auto* conditionLayout = new QFormLayout(condition);
    lblMaxLength = new QLabel(condition);
    lblDefineCheckPoint = new QLabel(QStringLiteral("チェック位置"), condition);
    lblCheckPoint = new QLabel(condition);
    lblDefineCheckWord = new QLabel(QStringLiteral("チェック文字"), condition);
    lblCheckWord = new QLabel(condition);
    lblULWord = new QLabel(condition);
    lblLength = new QLabel(condition);
    lblRecordCount = new QLabel(condition);
    sttBackColor = new QLabel(condition);
    sttBackColor->setAutoFillBackground(true);
    sttBackColor->setFrameShape(QFrame::Box);
    conditionLayout->addRow(QStringLiteral("最大バイト数"), lblMaxLength);
    conditionLayout->addRow(lblDefineCheckPoint, lblCheckPoint);
    conditionLayout->addRow(lblDefineCheckWord, lblCheckWord);
    conditionLayout->addRow(lblULWord);
    conditionLayout->addRow(lblLength);
    conditionLayout->addRow(QStringLiteral("レコード数"), lblRecordCount);
    conditionLayout->addRow(QStringLiteral("背景色"), sttBackColor);
    auto* cmdUnVis = new QPushButton(QStringLiteral("非表示(&U)"), panel);
    auto* cmdVis = new QPushButton(QStringLiteral("表示(&V)"), panel);
    auto* cmdVisAll = new QPushButton(QStringLiteral("再表示(&A)"), panel);
    connect(cmdUnVis, &QPushButton::clicked, this, [this] {
        HideRecordsOf(m_state, m_host, cmbDefineName->currentIndex());
        gridChanged();
    });
    connect(cmdVis, &QPushButton::clicked, this, [this] {
        ShowOnlyRecordsOf(m_state, m_host, cmbDefineName->currentIndex());
        gridChanged();
    });
    connect(cmdVisAll, &QPushButton::clicked, this, [this] {
        ShowAll(m_state);
        gridChanged();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdUnVis);
    buttons->addWidget(cmdVis);
    buttons->addWidget(cmdVisAll);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(definition);
    layout->addWidget(condition);
    layout->addLayout(buttons);
    layout->addStretch();
    return panel;
}

QWidget* TfrmDefineInfo::createConditionPanel() {
    auto* panel = new QWidget(this);
    cmbDefineName = new QComboBox(panel);
    connect(cmbDefineName, &QComboBox::activated, this, &TfrmDefineInfo::cmbDefineNameChange);
    stgDefine = new QTableWidget(0, 5, panel);
    stgDefine->setHorizontalHeaderLabels({QStringLiteral("NO"), QStringLiteral("フィールド名"), QStringLiteral("開始"),
                                          QStringLiteral("長さ"), QStringLiteral("色")});
    stgDefine->verticalHeader()->hide();
    stgDefine->setSelectionBehavior(QAbstractItemView::SelectItems);
    stgDefine->setSelectionMode(QAbstractItemView::SingleSelection);
    stgDefine->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    auto* buttons = new QHBoxLayout;
    for (const auto& [caption, search] : {std::pair{QStringLiteral("先頭"), RecordSearch::First},
                                          std::pair{QStringLiteral("前へ"), RecordSearch::Previous},
                                          std::pair{QStringLiteral("次へ"), RecordSearch::Next},
                                          std::pair{QStringLiteral("末尾"), RecordSearch::Last}}) {
        auto* button = new QPushButton(caption, panel);
        connect(button, &QPushButton::clicked, this, [this, search = search] { find(search); });
        buttons->addWidget(button);
    }
    cmdHighlight = new QPushButton(panel);
    connect(cmdHighlight, &QPushButton::clicked, this, &TfrmDefineInfo::cmdHighlightClick);
    buttons->addWidget(cmdHighlight);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(cmbDefineName);
    layout->addWidget(stgDefine, 1);
    layout->addLayout(buttons);
    return panel;
}

void TfrmDefineInfo::showDefinition() {
    const TDefineClass& definition = m_state.Definition;
    const DefinitionInfo info = DescribeDefinition(definition);
    lblName->setText(fromUtf8(info.Name));
    lblFileName->setText(fromUtf8(info.FileName));
    lblFileType->setText(fromUtf8(info.FileType));
    lblSeparate->setText(fromUtf8(info.Separate));
    lblQuote->setText(fromUtf8(info.Quote));
    lblQuoteAlways->setText(fromUtf8(info.QuoteAlways));
    lblTopTitle->setText(fromUtf8(info.TopTitle));
    for (const TCondition& condition : definition.Conditions) {
        cmbDefineName->addItem(toQString(condition.ConditionName));
    }
    cmdHighlight->setText(m_state.HighLightOn ? QStringLiteral("強調解除") : QStringLiteral("強調表示"));
    if (!definition.Conditions.empty()) {
        cmbDefineName->setCurrentIndex(0);
        cmbDefineNameChange(0);
    }
}

void TfrmDefineInfo::cmbDefineNameChange(int index) {
    const ConditionInfo info = DescribeCondition(m_state.Definition, index, m_recordCounts);
    stgDefine->setRowCount(static_cast<int>(info.Fields.size()));
    for (int row = 0; row < static_cast<int>(info.Fields.size()); ++row) {
        const NavigatorField& field = info.Fields[static_cast<std::size_t>(row)];
        stgDefine->setItem(row, NumberColumn, readOnly(fromUtf8(field.Number)));
        stgDefine->setItem(row, NameColumn, readOnly(fromUtf8(field.Name)));
        stgDefine->setItem(row, StartColumn, readOnly(fromUtf8(field.Start)));
        stgDefine->setItem(row, LengthColumn, readOnly(fromUtf8(field.Length)));
        // The colour itself; its number is written in it, so that it does not show.
        QTableWidgetItem* color = readOnly(QString::number(field.Color));
        color->setBackground(toQColor(field.Color));
        color->setForeground(toQColor(field.Color));
        stgDefine->setItem(row, ColorColumn, color);
    }
    if (!info.Fields.empty()) {
        stgDefine->setCurrentCell(0, NameColumn);
    }
    lblMaxLength->setText(fromUtf8(info.MaxLength));
    for (QLabel* label : {lblDefineCheckPoint, lblCheckPoint, lblDefineCheckWord, lblCheckWord, lblULWord}) {
        label->setVisible(info.WordShown);
    }
    lblCheckPoint->setText(fromUtf8(info.CheckPoint));
    lblCheckWord->setText(fromUtf8(info.CheckWord));
    lblULWord->setText(fromUtf8(info.ULWord));
    lblLength->setVisible(info.LengthShown);
    lblLength->setText(fromUtf8(info.Length));
    lblRecordCount->setText(fromUtf8(info.RecordCount));
    QPalette palette = sttBackColor->palette();
    palette.setColor(QPalette::Window, toQColor(info.BackColor));
    sttBackColor->setPalette(palette);
}

int TfrmDefineInfo::chosenField() const {
    return stgDefine->currentRow();
}

void TfrmDefineInfo::find(RecordSearch search) {
    if (FindConditionRecord(m_state, cmbDefineName->currentIndex(), chosenField(), search)) {
        gridChanged();
    }
}

void TfrmDefineInfo::cmdHighlightClick() {
    const bool on = ToggleNavigatorHighlight(m_state, cmbDefineName->currentIndex(), chosenField());
    cmdHighlight->setText(on ? QStringLiteral("強調解除") : QStringLiteral("強調表示"));
    gridChanged();
}

void TfrmDefineInfo::gridChanged() {
    if (onGridChanged) {
        onGridChanged();
    }
}

} // namespace ranvo::gui
