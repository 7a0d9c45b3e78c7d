#include "gui/definitions/define_dialog.h"

#include "gui/definitions/field_sheet_model.h"
#include "gui/definitions/repeat_dialog.h"
#include "gui/platform/color_box.h"
#include "gui/platform/text_codec.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace ranvo::gui {
namespace {

FieldSheetRange rangeOf(const QTableView& view) {
    const QItemSelection selection = view.selectionModel()->selection();
    if (selection.isEmpty()) {
        const QModelIndex current = view.currentIndex();
        return {current.row(), current.column(), current.row(), current.column()};
    }
    const QItemSelectionRange& range = selection.first();
    return {range.top(), range.left(), range.bottom(), range.right()};
}

} // namespace

TfrmDefine::TfrmDefine(const std::filesystem::path& programFolder,
                       const std::vector<std::string>& extraFolders, UiHost& host, QWidget* parent)
    : QDialog(parent), m_editor(programFolder, host), m_host(host) {
    setWindowTitle(QStringLiteral("定義ファイル作成ウィザード"));
    auto* top = new QHBoxLayout;
    top->addWidget(createFileArea());
    top->addWidget(createConditionList());
    top->addWidget(createConditionArea(), 1);
    for (const std::string& folder : extraFolders) {
        cmbDefineFolder->addItem(toQString(folder));
    }
    createFieldGrid();

    auto* cmdOpen = new QPushButton(QStringLiteral("開く(&O)"), this);
    auto* cmdSave = new QPushButton(QStringLiteral("保存(&S)"), this);
    auto* cmdCancel = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    auto* cmdXML = new QPushButton(QStringLiteral("XML出力(&X)"), this);
    connect(cmdOpen, &QPushButton::clicked, this, &TfrmDefine::cmdOpenClick);
    connect(cmdSave, &QPushButton::clicked, this, &TfrmDefine::cmdSaveClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdXML, &QPushButton::clicked, this, &TfrmDefine::cmdXMLClick);
    auto* commands = new QHBoxLayout;
    commands->addWidget(cmdOpen);
    commands->addWidget(cmdXML);
    commands->addStretch();
    commands->addWidget(cmdSave);
    commands->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("フィールド情報"), this));
    layout->addWidget(stgField, 1);
    layout->addLayout(commands);
    // A dialog makes its first push button the default one, and Enter in any box would press it.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
    }
    watchChanges();
    showScreen();
    resize(900, 640);
}

QWidget* TfrmDefine::createFileArea() {
    auto* area = new QGroupBox(this);
    txtDefineFileName = new QLineEdit(area);
    cmbDefineFolder = new QComboBox(area);
    cmbDefineFolder->setEditable(true);
    cmbDefineFolder->setInsertPolicy(QComboBox::NoInsert);
    auto* BitBtn1 = new QToolButton(area);
    BitBtn1->setText(QStringLiteral("..."));
    BitBtn1->setToolTip(QStringLiteral("フォルダ検索"));
    connect(BitBtn1, &QToolButton::clicked, this, [this] {
        takeScreen();
        m_editor.ChooseFolder();
        showScreen();
    });
    txtDefineName = new QLineEdit(area);
    connect(txtDefineName, &QLineEdit::editingFinished, this, [this] {
        takeScreen();
        m_editor.DefineNameLeft();
        showScreen();
    });
    optFix = new QRadioButton(QStringLiteral("固定長ファイル"), area);
    optNewLine = new QRadioButton(QStringLiteral("改行で区切る"), area);
    optRecord = new QRadioButton(QStringLiteral("レコード長指定"), area);
    txtByte = new QLineEdit(area);
    optCsv = new QRadioButton(QStringLiteral("CSVファイル"), area);
    txtSeparate = new QLineEdit(area);
    chkTabSep = new QCheckBox(QStringLiteral("タブ文字"), area);
    chkQuote = new QCheckBox(QStringLiteral("引用符"), area);
    txtBeforeQuote = new QLineEdit(area);
    chkQuoteAlways = new QCheckBox(QStringLiteral("常に使用"), area);
    chkTopTitle = new QCheckBox(QStringLiteral("先頭行はフィールド名として扱う"), area);
    // Two groups of exclusive choices: the format, and how fixed-length records end.
    auto* fixedRecords = new QWidget(area);
    auto* fixedLayout = new QGridLayout(fixedRecords);
    fixedLayout->setContentsMargins(16, 0, 0, 0);
    fixedLayout->addWidget(optNewLine, 0, 0, 1, 3);
    fixedLayout->addWidget(optRecord, 1, 0);
    fixedLayout->addWidget(txtByte, 1, 1);
    fixedLayout->addWidget(new QLabel(QStringLiteral("byte"), area), 1, 2);
    auto* csv = new QWidget(area);
    auto* csvLayout = new QGridLayout(csv);
    csvLayout->setContentsMargins(16, 0, 0, 0);
    csvLayout->addWidget(new QLabel(QStringLiteral("セパレータ"), area), 0, 0);
    csvLayout->addWidget(txtSeparate, 0, 1);
    csvLayout->addWidget(chkTabSep, 0, 2);
    csvLayout->addWidget(chkQuote, 1, 0);
    csvLayout->addWidget(txtBeforeQuote, 1, 1);
    csvLayout->addWidget(chkQuoteAlways, 1, 2);
    csvLayout->addWidget(chkTopTitle, 2, 0, 1, 3);
    auto* layout = new QGridLayout(area);
    layout->addWidget(new QLabel(QStringLiteral("ファイル名"), area), 0, 0);
    layout->addWidget(txtDefineFileName, 0, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("保存フォルダ"), area), 1, 0);
    layout->addWidget(cmbDefineFolder, 1, 1);
    layout->addWidget(BitBtn1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("定義名"), area), 2, 0);
    layout->addWidget(txtDefineName, 2, 1, 1, 2);
    layout->addWidget(optFix, 3, 0, 1, 3);
    layout->addWidget(fixedRecords, 4, 0, 1, 3);
    layout->addWidget(optCsv, 5, 0, 1, 3);
    layout->addWidget(csv, 6, 0, 1, 3);
    layout->setRowStretch(7, 1);
    for (QRadioButton* format : {optFix, optNewLine, optRecord, optCsv}) {
        connect(format, &QRadioButton::clicked, this, [this] {
            takeScreen();
            m_editor.ChooseFormat(optFix->isChecked(), optRecord->isChecked());
            showScreen();
        });
    }
    return area;
}

QWidget* TfrmDefine::createConditionList() {
    auto* area = new QWidget(this);
    lstDefine = new QListWidget(area);
    connect(lstDefine, &QListWidget::currentRowChanged, this, &TfrmDefine::lstDefineClick);
    auto* cmdUp = new QPushButton(QStringLiteral("上へ(&U)"), area);
    auto* cmdDown = new QPushButton(QStringLiteral("下へ(&D)"), area);
    auto* cmdDelete = new QPushButton(QStringLiteral("削除(&R)"), area);
    for (const auto& [button, move] : {std::pair{cmdUp, &DefinitionEditor::MoveUp},
                                       std::pair{cmdDown, &DefinitionEditor::MoveDown}}) {
        connect(button, &QPushButton::clicked, this, [this, move = move] {
            takeScreen();
            (m_editor.*move)();
            showScreen();
        });
    }
    connect(cmdDelete, &QPushButton::clicked, this, &TfrmDefine::cmdDeleteClick);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdUp);
    buttons->addWidget(cmdDown);
    buttons->addWidget(cmdDelete);
    auto* layout = new QVBoxLayout(area);
    layout->addWidget(new QLabel(QStringLiteral("定義一覧"), area));
    layout->addWidget(lstDefine, 1);
    layout->addLayout(buttons);
    return area;
}

QWidget* TfrmDefine::createConditionArea() {
    auto* area = new QGroupBox(this);
    txtConditionName = new QLineEdit(area);
    clbCondition = new ColorBox(area);
    chkWord = new QCheckBox(QStringLiteral("文字で指定"), area);
    lblStart = new QLabel(area);
    txtStart = new QLineEdit(area);
    txtKey = new QLineEdit(area);
    chkULWord = new QCheckBox(QStringLiteral("大小文字を区別しない"), area);
    chkLength = new QCheckBox(QStringLiteral("レコード長指定"), area);
    txtCheckLength = new QLineEdit(area);
    auto* cmdAdd = new QPushButton(QStringLiteral("新規追加(&A)"), area);
    auto* cmdEdit = new QPushButton(QStringLiteral("更新(&E)"), area);
    auto* cmdReset = new QPushButton(QStringLiteral("リセット(&S)"), area);
    auto* cmdCSV = new QPushButton(QStringLiteral("CSVファイル読込（＆L)"), area);
    connect(cmdAdd, &QPushButton::clicked, this, &TfrmDefine::cmdAddClick);
    connect(cmdEdit, &QPushButton::clicked, this, &TfrmDefine::cmdEditClick);
    connect(cmdReset, &QPushButton::clicked, this, [this] {
        takeScreen();
        m_editor.Reset();
        showScreen();
    });
    connect(cmdCSV, &QPushButton::clicked, this, [this] {
        takeScreen();
        m_editor.ReadCsv();
        showScreen();
    });
    auto* layout = new QGridLayout(area);
    layout->addWidget(new QLabel(QStringLiteral("定義名"), area), 0, 0);
    layout->addWidget(txtConditionName, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("背景色"), area), 1, 0);
    layout->addWidget(clbCondition, 1, 1);
    layout->addWidget(chkWord, 2, 0, 1, 2);
    layout->addWidget(lblStart, 3, 0);
    layout->addWidget(txtStart, 3, 1);
    layout->addWidget(new QLabel(QStringLiteral("チェック文字"), area), 4, 0);
    layout->addWidget(txtKey, 4, 1);
    layout->addWidget(chkULWord, 5, 0, 1, 2);
    layout->addWidget(chkLength, 6, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("レコード長"), area), 7, 0);
    layout->addWidget(txtCheckLength, 7, 1);
    auto* buttons = new QGridLayout;
    buttons->addWidget(cmdAdd, 0, 0);
    buttons->addWidget(cmdEdit, 0, 1);
    buttons->addWidget(cmdReset, 1, 0);
    buttons->addWidget(cmdCSV, 1, 1);
    layout->addLayout(buttons, 8, 0, 1, 2);
    layout->setRowStretch(9, 1);
    return area;
}

void TfrmDefine::createFieldGrid() {
    stgField = new QTableView(this);
    m_fields = new FieldSheetModel(m_editor.Fields, stgField);
    stgField->setModel(m_fields);
    m_delegate = new FieldSheetDelegate(stgField);
    stgField->setItemDelegate(m_delegate);
    stgField->verticalHeader()->hide();
    stgField->verticalHeader()->setDefaultSectionSize(stgField->fontMetrics().height() + 6);
    stgField->setSelectionMode(QAbstractItemView::ContiguousSelection);
    stgField->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                              QAbstractItemView::EditKeyPressed);
    for (const auto& [column, width] : {std::pair{FieldSheet::NumberColumn, 20},
                                        std::pair{FieldSheet::NameColumn, 100},
                                        std::pair{FieldSheet::StartColumn, 30},
                                        std::pair{FieldSheet::LengthColumn, 30},
                                        std::pair{FieldSheet::ColorColumn, 50}}) {
        stgField->setColumnWidth(column, width);
    }
    connect(m_fields, &FieldSheetModel::editRequested, this, &TfrmDefine::cellEdited);
    createFieldMenu();
}

// The selection is read before the cell still being edited is taken, since showing the taken
// edit clears it; a refused edit stops the command. Any change counts as a change of the
// condition.
template <typename Command>
void TfrmDefine::runFieldCommand(Command command) {
    const FieldSheetRange range = rangeOf(*stgField);
    commitCellEditor();
    const CellEdit pending = m_editor.ApplyPendingCell();
    bool changed = pending != CellEdit::Unchanged;
    if (pending != CellEdit::Refused) {
        const std::vector<FieldSheetRow> before = m_editor.Fields.Rows();
        command(m_editor.Fields, range);
        if (m_editor.Fields.Rows() != before) {
            m_editor.ConditionChanged = true;
            changed = true;
        }
    }
    if (changed) {
        showFields();
    }
}

void TfrmDefine::createFieldMenu() {
    stgField->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto add = [this](const QString& caption, auto handler) {
        auto* action = new QAction(caption, stgField);
        connect(action, &QAction::triggered, this, handler);
        stgField->addAction(action);
    };
    add(QStringLiteral("コピー"), [this] {
        runFieldCommand([this](FieldSheet& fields, const FieldSheetRange& range) {
            m_host.SetClipboardText(fields.CellsText(range));
        });
    });
    add(QStringLiteral("貼り付け"), [this] {
        runFieldCommand([this](FieldSheet& fields, const FieldSheetRange& range) {
            fields.PasteCells(m_host.ClipboardText(), range.Top, range.Left);
        });
    });
    add(QStringLiteral("選択レコードコピー"), [this] {
        runFieldCommand([this](FieldSheet& fields, const FieldSheetRange& range) {
            m_editor.CopiedRows = fields.CopyRows(range.Top, range.Bottom);
            m_host.SetClipboardText(fields.RowsText(range.Top, range.Bottom));
        });
    });
    add(QStringLiteral("レコード貼り付け"), [this] {
        runFieldCommand([this](FieldSheet& fields, const FieldSheetRange& range) {
            fields.PasteRows(m_editor.CopiedRows, range.Top);
        });
    });
    add(QStringLiteral("選択レコード削除"), [this] {
        runFieldCommand([this](FieldSheet& fields, const FieldSheetRange& range) {
            fields.DeleteRows(range.Top, range.Bottom, m_host);
        });
    });
    add(QStringLiteral("レコード挿入"), [this] {
        runFieldCommand([](FieldSheet& fields, const FieldSheetRange& range) {
            fields.InsertEmptyRows(range.Top, range.Bottom);
        });
    });
    add(QStringLiteral("レコード挿入貼り付け"), [this] {
        runFieldCommand([this](FieldSheet& fields, const FieldSheetRange& range) {
            fields.InsertRows(m_editor.CopiedRows, range.Top);
        });
    });
    add(QStringLiteral("繰り返し挿入貼り付け"), [this] {
        runFieldCommand([this](FieldSheet& fields, const FieldSheetRange& range) {
            TfrmRepeat repeat(this);
            if (repeat.exec() == QDialog::Accepted) {
                fields.InsertRows(m_editor.CopiedRows, range.Top, repeat.times(),
                                  repeat.serialStart());
            }
        });
    });
}

void TfrmDefine::watchChanges() {
    const auto fileChanged = [this] {
        m_editor.DefinitionChanged = m_editor.DefinitionChanged || !m_showing;
    };
    const auto conditionChanged = [this] {
        m_editor.ConditionChanged = m_editor.ConditionChanged || !m_showing;
    };
    for (QLineEdit* box : {txtDefineFileName, txtDefineName, txtByte, txtSeparate, txtBeforeQuote}) {
        connect(box, &QLineEdit::textEdited, this, fileChanged);
    }
    connect(cmbDefineFolder, &QComboBox::editTextChanged, this, fileChanged);
    for (QCheckBox* box : {chkTabSep, chkQuote, chkQuoteAlways, chkTopTitle}) {
        connect(box, &QCheckBox::clicked, this, fileChanged);
    }
    for (QLineEdit* box : {txtConditionName, txtStart, txtKey, txtCheckLength}) {
        connect(box, &QLineEdit::textEdited, this, conditionChanged);
    }
    for (QCheckBox* box : {chkWord, chkULWord, chkLength}) {
        connect(box, &QCheckBox::clicked, this, conditionChanged);
    }
    connect(clbCondition, &ColorBox::colorChosen, this, conditionChanged);
}

void TfrmDefine::takeScreen() {
    commitCellEditor();
    DefinitionFileControls& file = m_editor.File;
    file.FileName = fromQString(txtDefineFileName->text());
    file.Folder = fromQString(cmbDefineFolder->currentText());
    file.DefineName = fromQString(txtDefineName->text());
    // The format boxes are not copied: a format is chosen through ChooseFormat.
    file.RecordLength = fromQString(txtByte->text());
    file.Separate = fromQString(txtSeparate->text());
    file.TabSeparator = chkTabSep->isChecked();
    file.UseQuote = chkQuote->isChecked();
    file.Quote = fromQString(txtBeforeQuote->text());
    file.QuoteAlways = chkQuoteAlways->isChecked();
    file.TopTitle = chkTopTitle->isChecked();
    ConditionControls& condition = m_editor.Condition;
    condition.Name = fromQString(txtConditionName->text());
    condition.Color = clbCondition->color();
    condition.UseWord = chkWord->isChecked();
    condition.Start = fromQString(txtStart->text());
    condition.Word = fromQString(txtKey->text());
    condition.ULWord = chkULWord->isChecked();
    condition.UseLength = chkLength->isChecked();
    condition.CheckLength = fromQString(txtCheckLength->text());
}

void TfrmDefine::showScreen() {
    m_showing = true;
    const DefinitionFileControls& file = m_editor.File;
    txtDefineFileName->setText(toQString(file.FileName));
    cmbDefineFolder->setEditText(toQString(file.Folder));
    txtDefineName->setText(toQString(file.DefineName));
    (file.Fixed ? optFix : optCsv)->setChecked(true);
    (file.ByRecordLength ? optRecord : optNewLine)->setChecked(true);
    txtByte->setText(toQString(file.RecordLength));
    txtSeparate->setText(toQString(file.Separate));
    chkTabSep->setChecked(file.TabSeparator);
    chkQuote->setChecked(file.UseQuote);
    txtBeforeQuote->setText(toQString(file.Quote));
    chkQuoteAlways->setChecked(file.QuoteAlways);
    chkTopTitle->setChecked(file.TopTitle);
    for (QWidget* fixedOnly : {static_cast<QWidget*>(optNewLine), static_cast<QWidget*>(optRecord),
                               static_cast<QWidget*>(txtByte)}) {
        fixedOnly->setEnabled(file.Fixed);
    }

    {
        const QSignalBlocker blocker(lstDefine);
        lstDefine->clear();
        for (const std::string& name : m_editor.ConditionNames()) {
            lstDefine->addItem(toQString(name));
        }
        lstDefine->setCurrentRow(m_editor.Selected());
    }
    const ConditionControls& condition = m_editor.Condition;
    txtConditionName->setText(toQString(condition.Name));
    clbCondition->setColor(condition.Color);
    chkWord->setChecked(condition.UseWord);
    chkWord->setEnabled(!condition.UseWordLocked);
    lblStart->setText(file.Fixed ? QStringLiteral("チェック位置") : QStringLiteral("チェックフィールド"));
    txtStart->setText(toQString(condition.Start));
    txtKey->setText(toQString(condition.Word));
    chkULWord->setChecked(condition.ULWord);
    chkLength->setChecked(condition.UseLength);
    chkLength->setEnabled(!condition.UseLengthLocked);
    txtCheckLength->setText(toQString(condition.CheckLength));
    showFields();
    m_showing = false;
}

void TfrmDefine::showFields() {
    const QModelIndex current = stgField->currentIndex();
    m_fields->refresh();
    const bool csv = m_editor.Fields.Csv;
    stgField->setColumnHidden(FieldSheet::NumberColumn, !csv);
    stgField->setColumnHidden(FieldSheet::StartColumn, csv);
    stgField->setColumnHidden(FieldSheet::LengthColumn, csv);
    if (current.isValid()) {
        stgField->setCurrentIndex(m_fields->index(std::min(current.row(), m_fields->rowCount() - 1),
                                                  current.column()));
    }
}

// A cell editor still open (a command reached by a shortcut, or by a button that takes no
// focus) hands its text on as leaving the cell would. The grid has no index widgets of its own:
// a widget at the current cell is the editor opened there.
void TfrmDefine::commitCellEditor() {
    if (QWidget* editor = stgField->indexWidget(stgField->currentIndex())) {
        m_delegate->finishEditing(editor);
    }
}

void TfrmDefine::cellEdited(int row, int column, const QString& text) {
    m_editor.PendingCell = PendingCellEdit{row, column, fromQString(text)};
    // Applied once the cell editor has closed, unless a command takes it first.
    QMetaObject::invokeMethod(this, &TfrmDefine::applyPendingCell, Qt::QueuedConnection);
}

void TfrmDefine::applyPendingCell() {
    if (!m_editor.PendingCell) {
        return;
    }
    const int row = m_editor.PendingCell->Row;
    const int column = m_editor.PendingCell->Column;
    const CellEdit result = m_editor.ApplyPendingCell();
    showFields();
    if (result == CellEdit::Taken) { // an accepted edit goes on in the next row
        stgField->setCurrentIndex(
            m_fields->index(std::min(row + 1, m_fields->rowCount() - 1), column));
    }
}

void TfrmDefine::openDefinition(const std::filesystem::path& path) {
    m_editor.Open(path);
    showScreen();
}

void TfrmDefine::cmdOpenClick() {
    takeScreen(); // a cancelled chooser keeps what was typed
    m_editor.ChooseAndOpen();
    showScreen();
}

void TfrmDefine::cmdSaveClick() {
    takeScreen();
    m_editor.Save();
    showScreen();
}

void TfrmDefine::cmdXMLClick() {
    takeScreen();
    m_editor.ExportXml();
    showScreen();
}

void TfrmDefine::cmdAddClick() {
    takeScreen();
    m_editor.Add();
    showScreen();
}

void TfrmDefine::cmdEditClick() {
    takeScreen();
    m_editor.Update();
    showScreen();
}

void TfrmDefine::cmdDeleteClick() {
    takeScreen();
    m_editor.Delete();
    showScreen();
}

void TfrmDefine::lstDefineClick(int row) {
    takeScreen();
    m_editor.SelectCondition(row);
    showScreen();
}

void TfrmDefine::done(int result) {
    takeScreen();
    const bool mayClose = m_editor.Close();
    showScreen();
    if (mayClose) {
        QDialog::done(result);
    }
}

} // namespace ranvo::gui
