#include "gui/export/layout_save_dialog.h"

#include "gui/platform/colors_and_fonts.h"
#include "gui/platform/text_codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ranvo::gui {
namespace {

enum Page { CsvPage, HtmlPage, FixedPage };

// A check box that enables its companions with it.
void enableWith(QCheckBox* box, std::initializer_list<QWidget*> companions) {
    const auto follow = [box, companions = std::vector<QWidget*>(companions)] {
        for (QWidget* widget : companions) {
            widget->setEnabled(box->isChecked());
        }
    };
    QObject::connect(box, &QCheckBox::toggled, box, follow);
    follow();
}

} // namespace

TfrmLayoutSave::TfrmLayoutSave(const MainState& state, UiHost& host, QWidget* parent)
    : QDialog(parent), m_state(state), m_host(host), m_layout(state) {
    setWindowTitle(QStringLiteral("形式を指定して保存"));
    pages = new QTabWidget(this);
    pages->addTab(createCsvPage(), QStringLiteral("CSV保存"));
    pages->addTab(createHtmlPage(), QStringLiteral("HTML保存"));
    pages->addTab(createFixedPage(), QStringLiteral("固定長保存"));

    cmbWordType = new QComboBox(this);
    cmbWordType->addItems({QStringLiteral("シフトJIS"), QStringLiteral("EUC"), QStringLiteral("JIS"),
                           QStringLiteral("UniCode"), QStringLiteral("UTF-8")});
    cmbWordType->setCurrentIndex(static_cast<int>(state.Loaded.Code));
    chkOnlyLoad = new QCheckBox(QStringLiteral("現在読み込んでいる行のみ出力"), this);
    chkVisible = new QCheckBox(QStringLiteral("表示セルのみ出力"), this);
    chkFilter = new QCheckBox(QStringLiteral("仮想置換を有効にする"), this);
    auto* cmdSave = new QPushButton(QStringLiteral("保存(&S)"), this);
    auto* cmdCancel = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    connect(cmdSave, &QPushButton::clicked, this, &TfrmLayoutSave::cmdSaveClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* common = new QFormLayout;
    common->addRow(QStringLiteral("文字コード"), cmbWordType);
    common->addRow(chkOnlyLoad);
    common->addRow(chkVisible);
    common->addRow(chkFilter);
    auto* right = new QVBoxLayout;
    right->addWidget(pages, 1);
    right->addLayout(common);
    auto* top = new QHBoxLayout;
    top->addWidget(createSlotArea(), 1);
    top->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    showSlots(-1);
    resize(760, 520);
}

QComboBox* TfrmLayoutSave::conditionBox(QWidget* parent) const {
    auto* box = new QComboBox(parent);
    for (const TCondition& condition : m_state.Definition.Conditions) {
        box->addItem(toQString(condition.ConditionName));
    }
    return box;
}

QWidget* TfrmLayoutSave::createSlotArea() {
    auto* area = new QWidget(this);
    cmbDefine = conditionBox(area);
    connect(cmbDefine, &QComboBox::activated, this, &TfrmLayoutSave::cmbDefineChange);
    lstField = new QListWidget(area);
    connect(lstField, &QListWidget::currentRowChanged, this, &TfrmLayoutSave::lstFieldClick);
    connect(lstField, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (std::vector<LayoutSlot>* shown = shownSlots()) {
            (*shown)[static_cast<std::size_t>(lstField->row(item))].Enabled = item->checkState() == Qt::Checked;
        }
    });
    auto* buttons = new QGridLayout;
    const auto button = [&](const QString& caption, int row, int column, auto handler) {
        auto* push = new QPushButton(caption, area);
        connect(push, &QPushButton::clicked, this, handler);
        buttons->addWidget(push, row, column);
    };
    const auto tickAll = [this](bool enabled) {
        if (std::vector<LayoutSlot>* shown = shownSlots()) {
            for (LayoutSlot& slot : *shown) {
                slot.Enabled = enabled;
            }
        }
        showSlots(m_slot);
    };
    button(QStringLiteral("全て選択"), 0, 0, [tickAll] { tickAll(true); });
    button(QStringLiteral("全て解除"), 0, 1, [tickAll] { tickAll(false); });
    button(QStringLiteral("上へ"), 1, 0, [this] { moveSlot(&OutputLayout::MoveUp); });
    button(QStringLiteral("下へ"), 1, 1, [this] { moveSlot(&OutputLayout::MoveDown); });
    button(QStringLiteral("追加"), 2, 0, [this] {
        if (m_slot < 0 || commitSlot()) {
            showSlots(m_layout.AddDummy(m_condition));
        }
    });
    auto* layout = new QVBoxLayout(area);
    layout->addWidget(new QLabel(QStringLiteral("定義名"), area));
    layout->addWidget(cmbDefine);
    layout->addWidget(new QLabel(QStringLiteral("フィールド一覧"), area));
    layout->addWidget(lstField, 1);
    layout->addLayout(buttons);
    return area;
}

QWidget* TfrmLayoutSave::createCsvPage() {
    auto* page = new QWidget(this);
    const TDefineClass& definition = m_state.Definition;
    const bool tab = definition.Separate == "\t";
    txtSeparate = new QLineEdit(tab ? QString() : toQString(definition.Separate.empty() ? "," : definition.Separate), page);
    chkTabSep = new QCheckBox(QStringLiteral("TAB文字を使用"), page);
    chkTabSep->setChecked(tab);
    txtQuote = new QLineEdit(toQString(definition.Quote), page);
    chkQuoteAlways = new QCheckBox(QStringLiteral("常に適用する"), page);
    chkTopTitle = new QCheckBox(QStringLiteral("定義内容をタイトル行出力"), page);
    cmbDefineName = conditionBox(page);
    cmbDefineName->setCurrentIndex(-1);
    auto* titleLabel = new QLabel(QStringLiteral("定義名"), page);
    chkTrim = new QCheckBox(QStringLiteral("前後の空白をカットする"), page);
    auto* layout = new QFormLayout(page);
    auto* separator = new QHBoxLayout;
    separator->addWidget(txtSeparate);
    separator->addWidget(chkTabSep);
    layout->addRow(QStringLiteral("セパレータ"), separator);
    auto* quote = new QHBoxLayout;
    quote->addWidget(txtQuote);
    quote->addWidget(chkQuoteAlways);
    layout->addRow(QStringLiteral("引用符"), quote);
    layout->addRow(chkTopTitle);
    layout->addRow(titleLabel, cmbDefineName);
    layout->addRow(chkTrim);
    enableWith(chkTopTitle, {titleLabel, cmbDefineName});
    return page;
}

QWidget* TfrmLayoutSave::createHtmlPage() {
    auto* page = new QWidget(this);
    chkTopTitleHTML = new QCheckBox(QStringLiteral("定義内容をタイトル行出力"), page);
    cmbDefineNameHTML = conditionBox(page);
    cmbDefineNameHTML->setCurrentIndex(-1);
    auto* titleLabel = new QLabel(QStringLiteral("定義名"), page);
    chkStyleSheet = new QCheckBox(QStringLiteral("スタイルシートを有効にする"), page);
    auto* layout = new QFormLayout(page);
    layout->addRow(chkTopTitleHTML);
    layout->addRow(titleLabel, cmbDefineNameHTML);
    layout->addRow(chkStyleSheet);
    enableWith(chkTopTitleHTML, {titleLabel, cmbDefineNameHTML});
    return page;
}

QWidget* TfrmLayoutSave::createFixedPage() {
    auto* page = new QWidget(this);
    lblFieldName = new QLabel(page);
    lblFieldIndex = new QLabel(page);
    txtLength = new QLineEdit(page);
    txtSetWord = new QLineEdit(page);
    txtSetWord->setMaxLength(1);
    optFront = new QRadioButton(QStringLiteral("先頭に追加"), page);
    optLast = new QRadioButton(QStringLiteral("末尾に追加"), page);
    optLast->setChecked(true);
    chkTriming = new QCheckBox(QStringLiteral("空白を置き換える"), page);
    chkNewLine = new QCheckBox(QStringLiteral("1レコード毎に改行"), page);
    chkNewLine->setChecked(m_state.Definition.FileFormat != "FB");
    auto* side = new QHBoxLayout;
    side->addWidget(optFront);
    side->addWidget(optLast);
    auto* layout = new QFormLayout(page);
    layout->addRow(QStringLiteral("フィールド名"), lblFieldName);
    layout->addRow(QStringLiteral("フィールドNo"), lblFieldIndex);
    layout->addRow(QStringLiteral("レコード長"), txtLength);
    layout->addRow(QStringLiteral("埋める文字"), txtSetWord);
    layout->addRow(side);
    layout->addRow(chkTriming);
    layout->addRow(chkNewLine);
    return page;
}

std::vector<LayoutSlot>* TfrmLayoutSave::shownSlots() {
    return m_layout.List(m_condition) != nullptr ? &m_layout.Lists()[static_cast<std::size_t>(m_condition)].Slots
                                                 : nullptr;
}

LayoutSlot* TfrmLayoutSave::selectedSlot() {
    std::vector<LayoutSlot>* shown = shownSlots();
    return shown != nullptr && m_slot >= 0 && m_slot < static_cast<int>(shown->size())
               ? &(*shown)[static_cast<std::size_t>(m_slot)]
               : nullptr;
}

void TfrmLayoutSave::showSlots(int selected) {
    const QSignalBlocker blocker(lstField);
    lstField->clear();
    if (const LayoutSlotList* list = m_layout.List(m_condition)) {
        for (const LayoutSlot& slot : list->Slots) {
            auto* item = new QListWidgetItem(toQString(slot.Name), lstField);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(slot.Enabled ? Qt::Checked : Qt::Unchecked);
        }
    }
    m_slot = selected;
    lstField->setCurrentRow(selected);
    showSlot();
}

void TfrmLayoutSave::showSlot() {
    const LayoutSlot* slot = selectedSlot();
    lblFieldName->setText(slot != nullptr ? toQString(slot->Name) : QString());
    lblFieldIndex->setText(slot == nullptr     ? QString()
                           : slot->IsDummy() ? QStringLiteral("なし")
                                             : QString::number(slot->Source + 1));
    txtLength->setText(slot != nullptr ? QString::number(slot->Width) : QString());
    txtSetWord->setText(slot != nullptr ? toQString(std::string(1, slot->Fill)) : QString());
    (slot != nullptr && slot->FillFront ? optFront : optLast)->setChecked(true);
    chkTriming->setChecked(slot != nullptr && slot->Trim);
}

bool TfrmLayoutSave::commitSlot() {
    LayoutSlot* slot = selectedSlot();
    return slot == nullptr ||
           CommitSlotSettings(*slot, fromQString(txtLength->text()), fromQString(txtSetWord->text()),
                              optFront->isChecked(), chkTriming->isChecked(), m_host);
}

void TfrmLayoutSave::lstFieldClick(int row) {
    if (!commitSlot()) {
        const QSignalBlocker blocker(lstField);
        lstField->setCurrentRow(m_slot);
        return;
    }
    m_slot = row;
    showSlot();
}

void TfrmLayoutSave::cmbDefineChange(int index) {
    if (!commitSlot()) {
        const QSignalBlocker blocker(cmbDefine);
        cmbDefine->setCurrentIndex(m_condition);
        return;
    }
    m_condition = index;
    showSlots(-1);
}

void TfrmLayoutSave::moveSlot(int (OutputLayout::*step)(int, int)) {
    if (m_slot >= 0 && commitSlot()) {
        showSlots((m_layout.*step)(m_condition, m_slot));
    }
}

void TfrmLayoutSave::cmdSaveClick() {
    const int page = pages->currentIndex();
    if (page == FixedPage && !commitSlot()) {
        return;
    }
    const LayoutOptions options{static_cast<KanjiCode>(cmbWordType->currentIndex()), chkOnlyLoad->isChecked(),
                                chkVisible->isChecked(), chkFilter->isChecked()};
    const CsvLayout csv{chkTabSep->isChecked(),        fromQString(txtSeparate->text()),
                        fromQString(txtQuote->text()), chkQuoteAlways->isChecked(),
                        chkTopTitle->isChecked(),      cmbDefineName->currentIndex(),
                        chkTrim->isChecked()};
    HtmlLayout html;
    html.Title = chkTopTitleHTML->isChecked();
    html.TitleCondition = cmbDefineNameHTML->currentIndex();
    html.StyleSheet = chkStyleSheet->isChecked();
    html.ResolveColor = [](std::int32_t color) { return fromQColor(toQColor(color)); };
    const LayoutForm form = page == CsvPage ? LayoutForm::Csv : page == HtmlPage ? LayoutForm::Html : LayoutForm::Fixed;
    SaveLayout(m_state, m_host, m_layout, form, options, csv, html, FixedLayout{chkNewLine->isChecked()});
}

} // namespace ranvo::gui
