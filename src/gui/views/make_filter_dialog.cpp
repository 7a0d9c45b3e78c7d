#include "gui/views/make_filter_dialog.h"

#include "core/views/filter_folder.h"
#include "core/views/filter_table_commands.h"
#include "gui/platform/edge_moving_delegate.h"
#include "gui/platform/text_codec.h"
#include "gui/views/filter_sheet_model.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ranvo::gui {
TfrmMakeFilter::TfrmMakeFilter(std::filesystem::path filterFolder, UiHost& host, QWidget* parent)
    : QDialog(parent), m_folder(std::move(filterFolder)), m_host(host) {
    setWindowTitle(QStringLiteral("フィルタファイル作成"));
    setMinimumSize(464, 242);
    cmbFilter = new QComboBox(this);
    cmbFilter->setEditable(true);
    auto* cmdOpen = new QPushButton(QStringLiteral("開く(&O)"), this);
    createGrid();

    auto* options = new QGroupBox(QStringLiteral("比較値オプション"), this);
    chkIsNumeric = new QCheckBox(QStringLiteral("数値として扱う"), options);
    chkUseFit = new QCheckBox(QStringLiteral("先頭文字を指定する"), options);
    txtFit = new QLineEdit(options);
    chkTrim = new QCheckBox(QStringLiteral("前後の空白カット"), options);
    chkCut = new QCheckBox(QStringLiteral("指定文字カット"), options);
    auto* optionLayout = new QVBoxLayout(options);
    optionLayout->addWidget(chkIsNumeric);
    optionLayout->addWidget(chkUseFit);
    optionLayout->addWidget(new QLabel(QStringLiteral("指定先頭文字"), options));
    optionLayout->addWidget(txtFit);
    optionLayout->addWidget(chkTrim);
    optionLayout->addWidget(chkCut);

    auto* find = new QGroupBox(this);
    txtWord = new QLineEdit(find);
    optNo = new QRadioButton(QStringLiteral("No指定"), find);
    optKey = new QRadioButton(QStringLiteral("キー指定"), find);
    optValue = new QRadioButton(QStringLiteral("値指定"), find);
    optNo->setChecked(true);
    auto* cmdFind = new QPushButton(QStringLiteral("検索"), find);
    auto* findLayout = new QVBoxLayout(find);
    findLayout->addWidget(txtWord);
    for (QWidget* widget : {static_cast<QWidget*>(optNo), static_cast<QWidget*>(optKey),
                            static_cast<QWidget*>(optValue), static_cast<QWidget*>(cmdFind)}) {
        findLayout->addWidget(widget);
    }

    auto* cmdOpenCSV = new QPushButton(QStringLiteral("CSVファイル読込(&R)"), this);
    auto* cmbSave = new QPushButton(QStringLiteral("保存(&S)"), this);
    auto* cmdCancel = new QPushButton(QStringLiteral("キャンセル(&C)"), this);

    auto* layout = new QGridLayout(this);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("フィルタファイル名"), this));
    fileRow->addWidget(cmbFilter, 1);
    fileRow->addWidget(cmdOpen);
    layout->addLayout(fileRow, 0, 0, 1, 2);
    layout->addWidget(stgFilter, 1, 0, 2, 1);
    layout->addWidget(options, 1, 1);
    layout->addWidget(find, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOpenCSV);
    buttons->addStretch();
    buttons->addWidget(cmbSave);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setColumnStretch(0, 1);

    connect(cmdOpen, &QPushButton::clicked, this, &TfrmMakeFilter::cmdOpenClick);
    connect(cmdFind, &QPushButton::clicked, this, &TfrmMakeFilter::cmdFindClick);
    connect(cmdOpenCSV, &QPushButton::clicked, this, &TfrmMakeFilter::cmdOpenCSVClick);
    connect(cmbSave, &QPushButton::clicked, this, &TfrmMakeFilter::cmbSaveClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    createMenu();
    listTables();
    showOptions();
    resize(620, 420);
}

void TfrmMakeFilter::createGrid() {
    stgFilter = new QTableView(this);
    m_model = new FilterSheetModel(m_sheet, stgFilter);
    stgFilter->setModel(m_model);
    stgFilter->setItemDelegate(new EdgeMovingDelegate(stgFilter));
    stgFilter->setSelectionMode(QAbstractItemView::ContiguousSelection);
    stgFilter->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed);
    stgFilter->verticalHeader()->setMinimumWidth(30);
    stgFilter->verticalHeader()->setDefaultSectionSize(18);
    stgFilter->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    stgFilter->setCurrentIndex(m_model->index(0, FilterTableSheet::KeyColumn));
}

void TfrmMakeFilter::createMenu() {
    stgFilter->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto add = [this](const QString& caption, void (TfrmMakeFilter::*handler)(),
                            const QKeySequence& shortcut) {
        auto* action = new QAction(caption, stgFilter);
        action->setShortcut(shortcut);
        // Only while the grid itself has the focus: an open cell editor keeps its own keys.
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, handler);
        stgFilter->addAction(action);
    };
    add(QStringLiteral("コピー(&C)"), &TfrmMakeFilter::mnuCopyClick, QKeySequence(Qt::CTRL | Qt::Key_C));
    add(QStringLiteral("貼り付け(&V)"), &TfrmMakeFilter::mnuPasteClick, QKeySequence(Qt::CTRL | Qt::Key_V));
    add(QStringLiteral("削除(&D)"), &TfrmMakeFilter::mnuDeleteClick, QKeySequence(Qt::CTRL | Qt::Key_D));
    add(QStringLiteral("追加(&A)"), &TfrmMakeFilter::mnuAddClick, QKeySequence(Qt::CTRL | Qt::Key_N));
    add(QStringLiteral("キーソート(&K)"), &TfrmMakeFilter::mnuSortClick, {});
    add(QStringLiteral("保存(&S)"), &TfrmMakeFilter::cmbSaveClick, QKeySequence(Qt::CTRL | Qt::Key_S));
}

void TfrmMakeFilter::listTables() {
    const QString typed = cmbFilter->currentText();
    cmbFilter->clear();
    for (const std::string& name : ListFilterFiles(m_folder, ".fil")) {
        cmbFilter->addItem(toQString(name));
    }
    cmbFilter->setCurrentIndex(cmbFilter->findText(typed));
    cmbFilter->setEditText(typed);
}

void TfrmMakeFilter::showOptions() {
    const TFilterOptions& options = m_sheet.Options;
    chkIsNumeric->setChecked(options.IsNumeric);
    chkUseFit->setChecked(options.UseFit);
    txtFit->setText(toQString(options.FitText));
    chkTrim->setChecked(options.TrimSpaces);
    chkCut->setChecked(options.CutFit);
}

void TfrmMakeFilter::takeOptions() {
    m_sheet.Options = {chkIsNumeric->isChecked(), chkUseFit->isChecked(), fromQString(txtFit->text()),
                       chkTrim->isChecked(), chkCut->isChecked()};
}

FilterCellRange TfrmMakeFilter::selectedRange() const {
    const QItemSelection selection = stgFilter->selectionModel()->selection();
    if (selection.isEmpty()) {
        const QModelIndex current = stgFilter->currentIndex();
        return {current.row(), current.column(), current.row(), current.column()};
    }
    const QItemSelectionRange& range = selection.first();
    return {range.top(), range.left(), range.bottom(), range.right()};
}

void TfrmMakeFilter::moveTo(int row, int column) {
    stgFilter->setCurrentIndex(m_model->index(row, column));
    stgFilter->scrollTo(stgFilter->currentIndex());
}

void TfrmMakeFilter::cmdOpenClick() {
    // Only a table the list offers: a typed name is for saving.
    if (cmbFilter->findText(cmbFilter->currentText()) < 0) {
        return;
    }
    m_model->change([this] {
        OpenFilterTable(m_sheet, m_host, m_folder, fromQString(cmbFilter->currentText()));
    });
    showOptions();
    moveTo(0, FilterTableSheet::KeyColumn);
}

void TfrmMakeFilter::cmdOpenCSVClick() {
    m_model->change([this] { ReadFilterTableCsv(m_sheet, m_host); });
    moveTo(0, FilterTableSheet::KeyColumn);
}

void TfrmMakeFilter::cmbSaveClick() {
    takeOptions();
    if (const std::optional<std::string> saved =
            SaveFilterTable(m_sheet, m_host, m_folder, fromQString(cmbFilter->currentText()))) {
        cmbFilter->setEditText(toQString(*saved));
        listTables();
    }
}

void TfrmMakeFilter::cmdFindClick() {
    const FilterFindBy by = optKey->isChecked()     ? FilterFindBy::Key
                            : optValue->isChecked() ? FilterFindBy::Value
                                                    : FilterFindBy::Number;
    const QModelIndex current = stgFilter->currentIndex();
    if (const std::optional<int> row = FindInFilterTable(
            m_sheet, m_host, by, fromQString(txtWord->text()), std::max(current.row(), 0))) {
        moveTo(*row, std::max(current.column(), 0));
    }
}

void TfrmMakeFilter::mnuCopyClick() {
    m_host.SetClipboardText(m_sheet.CopyText(selectedRange()));
}

void TfrmMakeFilter::mnuPasteClick() {
    const FilterCellRange range = selectedRange();
    const std::string text = m_host.ClipboardText();
    m_model->change([&] { m_sheet.Paste(text, range.Top, range.Left); });
    moveTo(range.Top, range.Left);
}

void TfrmMakeFilter::mnuDeleteClick() {
    const FilterCellRange range = selectedRange();
    m_model->change([&] { DeleteFilterTableRows(m_sheet, m_host, range.Top, range.Bottom); });
    moveTo(std::min(range.Top, m_sheet.RowCount() - 1), std::max(range.Left, 0));
}

void TfrmMakeFilter::mnuAddClick() {
    moveTo(m_sheet.RowCount() - 1, FilterTableSheet::KeyColumn);
}

void TfrmMakeFilter::mnuSortClick() {
    const BusyGuard busy(m_host);
    m_model->change([this] { m_sheet.SortByKey(); });
    moveTo(0, FilterTableSheet::KeyColumn);
}

} // namespace ranvo::gui
