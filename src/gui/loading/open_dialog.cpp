#include "gui/loading/open_dialog.h"

#include "core/app/window_updates.h"
#include "core/loading/definition_list.h"
#include "core/loading/open_command.h"
#include "core/loading/open_history.h"
#include "core/platform/code_page.h"
#include "core/text/number_text.h"
#include "gui/platform/file_drop.h"
#include "gui/platform/text_codec.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace ranvo::gui {
namespace {

// A dropped path longer than this many bytes is not taken.
constexpr std::size_t kMaxDroppedPath = 255;
// The lists are as wide as this many characters.
constexpr int kListCharacters = 48;

// The path list opens as wide as its widest entry and a margin.
class PathComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override {
        int widest = width();
        for (int i = 0; i < count(); ++i) {
            widest = std::max(widest, fontMetrics().horizontalAdvance(itemText(i)) + 40);
        }
        view()->setMinimumWidth(widest);
        QComboBox::showPopup();
    }
};

} // namespace

std::string OpenFileFilter(const TRanvoSetting& settings) {
    const auto& f = settings.FileFilters;
    const std::string f1 = Cp932ToUtf8(f[0]).bytes;
    const std::string f2 = Cp932ToUtf8(f[1]).bytes;
    const std::string f3 = Cp932ToUtf8(f[2]).bytes;
    return "全てのファイル  (*.*)|*.*|テキストファイル(*.txt;*.csv)|*.txt;*.csv|フィルタ１      (" + f1 +
           ")|" + f1 + "|" + "フィルタ２      (" + f2 + ")|" + f2 + "|" + "フィルタ３      (" + f3 +
           ")|" + f3;
}

TfrmDialog::TfrmDialog(MainState& state, UiHost& host, QWidget* parent)
    : QDialog(parent), m_state(state), m_host(host) {
    setWindowTitle(QStringLiteral("ファイルを開く"));
    setAcceptDrops(true);
    createControls();
    fillLists();
}

// Top to bottom: the data file, the definition, the buttons, the character code and the range.
// The lists keep their width whatever the length of the paths they hold; the path list drops
// down as wide as its entries.
void TfrmDialog::createControls() {
    auto* layout = new QGridLayout(this);
    cmbFilePath = new PathComboBox(this);
    cmbFilePath->setEditable(true);
    cmdDialog = new QToolButton(this);
    cmdDialog->setText(QStringLiteral("..."));
    cmdDialog->setToolTip(QStringLiteral("ファイル検索"));
    connect(cmdDialog, &QToolButton::clicked, this, &TfrmDialog::cmdDialogClick);
    layout->addWidget(new QLabel(QStringLiteral("読込ファイル"), this), 0, 0);
    layout->addWidget(cmbFilePath, 0, 1);
    layout->addWidget(cmdDialog, 0, 2);

    cmbDefine = new QComboBox(this);
    for (QComboBox* list : {static_cast<QComboBox*>(cmbFilePath), cmbDefine}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(kListCharacters);
    }
    layout->addWidget(new QLabel(QStringLiteral("定義ファイル"), this), 1, 0);
    layout->addWidget(cmbDefine, 1, 1, 1, 2);

    cmdOpen = new QPushButton(QStringLiteral("開く"), this);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdOpen->setDefault(true);
    connect(cmdOpen, &QPushButton::clicked, this, [this] { cmdOpenClick(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOpen);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons, 2, 0, 1, 3);

    cmbWordType = new QComboBox(this);
    cmbWordType->addItems({QStringLiteral("シフトJIS"), QStringLiteral("EUC"), QStringLiteral("JIS"),
                           QStringLiteral("UniCode"), QStringLiteral("UTF-8")});
    cmbWordType->setCurrentIndex(0);
    layout->addWidget(new QLabel(QStringLiteral("文字コード"), this), 3, 0);
    layout->addWidget(cmbWordType, 3, 1, 1, 2);

    chkReadRange = new QCheckBox(QStringLiteral("読込行範囲を指定する"), this);
    txtReadFrom = new QLineEdit(this);
    txtReadTo = new QLineEdit(this);
    auto* range = new QHBoxLayout;
    range->addWidget(chkReadRange);
    for (QLineEdit* box : {txtReadFrom, txtReadTo}) {
        box->setEnabled(false);
        box->setMaximumWidth(90);
    }
    range->addWidget(txtReadFrom);
    range->addWidget(new QLabel(QStringLiteral("～"), this));
    range->addWidget(txtReadTo);
    range->addStretch();
    connect(chkReadRange, &QCheckBox::toggled, this, [this](bool on) {
        txtReadFrom->setEnabled(on);
        txtReadTo->setEnabled(on);
    });
    layout->addLayout(range, 4, 0, 1, 3);
}

void TfrmDialog::fillLists() {
    m_definitions = BuildDefinitionList(m_state.Home, m_state.Settings.DefineFolders);
    cmbDefine->addItem(QStringLiteral("(自動判別)"));
    for (const std::filesystem::path& definition : m_definitions) {
        cmbDefine->addItem(pathToQString(definition.filename()));
    }
    cmbDefine->setCurrentIndex(0);
    if (m_state.Home.IsSet()) {
        const OpenHistory history = OpenHistory::Read(m_state.Home.HistoryFile());
        for (const std::filesystem::path& path : history.RecentDataFiles(m_state.Settings.HistoryLoad)) {
            cmbFilePath->addItem(pathToQString(path));
        }
    }
    cmbFilePath->setCurrentIndex(cmbFilePath->count() > 0 ? 0 : -1);
}

void TfrmDialog::setDataPath(const std::filesystem::path& path) {
    cmbFilePath->setEditText(pathToQString(path));
}

void TfrmDialog::selectAutomaticDetection() {
    cmbDefine->setCurrentIndex(0);
}

bool TfrmDialog::cmdOpenClick() {
    OpenChoice choice;
    choice.DataPath = pathFromQString(cmbFilePath->currentText());
    const int item = cmbDefine->currentIndex();
    choice.DefinitionSelected = item >= 0;
    if (item >= 1) {
        choice.DefinitionPath = m_definitions[static_cast<std::size_t>(item - 1)];
    }
    if (!m_state.PendingDefineFile.empty()) {
        choice.DefinitionPath = m_state.PendingDefineFile;
    }
    choice.Options.Code = static_cast<KanjiCode>(std::max(cmbWordType->currentIndex(), 0));
    choice.Options.Range = {chkReadRange->isChecked(), IntegerOr(fromQString(txtReadFrom->text()), 0),
                            IntegerOr(fromQString(txtReadTo->text()), 0)};
    choice.Definitions = m_definitions;

    switch (OpenDataFile(m_state, choice, m_host).Outcome) {
    case OpenOutcome::Opened:
        ShowOpenedFile(m_state, m_host);
        accept();
        return true;
    case OpenOutcome::Failed: ShowNothingLoaded(m_state); return false;
    case OpenOutcome::Cancelled: return false; // the file that was open stays open as it was
    case OpenOutcome::Refused:
        if (!IsValidReadRange(choice.Options.Range)) {
            chkReadRange->setChecked(false);
            txtReadFrom->setText(QStringLiteral("0"));
            txtReadTo->setText(QStringLiteral("0"));
        }
        return false;
    }
    return false;
}

void TfrmDialog::cmdDialogClick() {
    FileChoice choice;
    choice.filter = OpenFileFilter(m_state.Settings);
    choice.initial = pathFromQString(cmbFilePath->currentText());
    if (const auto path = m_host.ChooseOpenFile(choice)) {
        setDataPath(*path);
    }
}

void TfrmDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (carriesFiles(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void TfrmDialog::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = firstDroppedFile(event->mimeData());
    if (!path) {
        return;
    }
    if (path->toUtf8().size() <= static_cast<qsizetype>(kMaxDroppedPath)) {
        setDataPath(pathFromQString(*path));
    }
    event->acceptProposedAction();
}

} // namespace ranvo::gui
