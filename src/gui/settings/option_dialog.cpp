#include "gui/settings/option_dialog.h"

#include "core/platform/code_page.h"
#include "core/settings/option_values.h"
#include "gui/platform/colors_and_fonts.h"
#include "gui/platform/text_codec.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ranvo::gui {
namespace {

enum Item { Editor, Fixed, HighLight, Intact, Filter, Status, ToolBar, SpaceMarks };

// The colour a box shows is kept in the box itself, as the setting value it stands for.
constexpr const char* kColorProperty = "ranvoColor";

} // namespace

TfrmOption::TfrmOption(const TRanvoSetting& settings, UiHost& host, QWidget* parent)
    : QDialog(parent), m_draft(settings), m_host(host) {
    setWindowTitle(QStringLiteral("環境設定"));
    auto* pages = new QTabWidget(this);
    pages->addTab(createLookPage(), QStringLiteral("設定１"));
    pages->addTab(createOpeningPage(), QStringLiteral("設定２"));
    auto* cmdApply = new QPushButton(QStringLiteral("適用(&A)"), this);
    auto* cmdCancel = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    connect(cmdApply, &QPushButton::clicked, this, &TfrmOption::cmdApplyClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdApply);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);
    lstItem->setCurrentRow(0);
}

QWidget* TfrmOption::createLookPage() {
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    lstItem = new QListWidget(page);
    lstItem->addItems({QStringLiteral("エディタ部"), QStringLiteral("固定セル"), QStringLiteral("強調セル"),
                       QStringLiteral("未使用セル"), QStringLiteral("フィルタリング"),
                       QStringLiteral("ステータスバー"), QStringLiteral("ツールバー"),
                       QStringLiteral("全角半角文字")});
    connect(lstItem, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            storeItem(m_shownItem);
            showItem(row);
        }
    });
    cmbFontName = new QFontComboBox(page);
    cmbFontSize = new QComboBox(page);
    for (int size = kSmallestFontSize; size <= kLargestFontSize; ++size) {
        cmbFontSize->addItem(QString::number(size));
    }
    clbFontColor = new QPushButton(page);
    clbBackColor = new QPushButton(page);
    for (QPushButton* box : {clbFontColor, clbBackColor}) {
        connect(box, &QPushButton::clicked, this, [this, box] {
            const QColor chosen = QColorDialog::getColor(toQColor(colorOf(box)), this);
            if (chosen.isValid()) {
                setColor(box, fromQColor(chosen));
            }
        });
    }
    chkBold = new QCheckBox(QStringLiteral("太字"), page);
    chkUseIntact = new QCheckBox(QStringLiteral("未使用セルに背景色を指定する"), page);
    chkUseSP = new QCheckBox(QStringLiteral("全角半角文字を表示する"), page);
    auto* look = new QFormLayout;
    look->addRow(QStringLiteral("フォント"), cmbFontName);
    look->addRow(QStringLiteral("サイズ"), cmbFontSize);
    look->addRow(QStringLiteral("文字色"), clbFontColor);
    look->addRow(QString(), chkBold);
    look->addRow(QStringLiteral("背景色"), clbBackColor);
    look->addRow(QString(), chkUseIntact);
    look->addRow(QString(), chkUseSP);
    layout->addWidget(lstItem, 0, 0);
    layout->addLayout(look, 0, 1);

    lstFolder = new QListWidget(page);
    for (const std::string& folder : m_draft.DefineFolders) {
        lstFolder->addItem(toQString(folder));
    }
    auto* add = new QPushButton(QStringLiteral(">>"), page);
    add->setToolTip(QStringLiteral("追加"));
    auto* remove = new QPushButton(QStringLiteral("<<"), page);
    remove->setToolTip(QStringLiteral("削除"));
    connect(add, &QPushButton::clicked, this, [this] { addFolder({}); });
    connect(lstFolder, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { browseFolder(lstFolder->row(item)); });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = lstFolder->currentRow();
        if (row >= 0) {
            delete lstFolder->takeItem(row);
            m_draft.DefineFolders.erase(m_draft.DefineFolders.begin() + row);
        }
    });
    auto* folderButtons = new QVBoxLayout;
    folderButtons->addWidget(add);
    folderButtons->addWidget(remove);
    folderButtons->addStretch();
    layout->addWidget(new QLabel(QStringLiteral("定義ファイルフォルダ"), page), 1, 0, 1, 2);
    auto* folders = new QHBoxLayout;
    folders->addLayout(folderButtons);
    folders->addWidget(lstFolder, 1);
    layout->addLayout(folders, 2, 0, 1, 2);
    return page;
}

QWidget* TfrmOption::createOpeningPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    cmbFilterName = new QComboBox(page);
    cmbFilterName->addItems({QStringLiteral("フィルタ１"), QStringLiteral("フィルタ２"), QStringLiteral("フィルタ３")});
    txtFilter = new QLineEdit(toQString(m_draft.FileFilters[0]), page);
    txtFilter->setToolTip(QStringLiteral("複数指定の場合は、セミコロン「；」で区切ってください"));
    connect(cmbFilterName, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_draft.FileFilters[static_cast<std::size_t>(m_shownFilter)] = fromQString(txtFilter->text());
        m_shownFilter = std::max(index, 0);
        txtFilter->setText(toQString(m_draft.FileFilters[static_cast<std::size_t>(m_shownFilter)]));
    });
    auto* filters = new QHBoxLayout;
    filters->addWidget(cmbFilterName);
    filters->addWidget(txtFilter, 1);
    layout->addLayout(filters);

    const std::array<std::pair<QString, bool*>, 8> switches{{
        {QStringLiteral("履歴情報を使用する"), &m_draft.UseHistory},
        {QStringLiteral("エディタにファイルドロップした時は自動判別によってファイルを開く\n"
                        "※使用しない場合、ダイアログを開きます"), &m_draft.DropAuto},
        {QStringLiteral("高速モードを使用する\n※使用する場合、判別精度が落ちます"), &m_draft.Quick},
        {QStringLiteral("開くファイルと同一フォルダ内に定義ファイルがあれば、それを優先する"), &m_draft.CurCheck},
        {QStringLiteral("ファイルを開いたとき、セルフィットを適用する"), &m_draft.OpenAutoFit},
        {QStringLiteral("セルフィット適用時、後ろの空白も幅として考慮する"), &m_draft.AutoFitTrim},
        {QStringLiteral("固定長ファイルを開くとき、レコード長をチェックする"), &m_draft.FixCheck},
        {QStringLiteral("終了時の位置とサイズを記憶する"), &m_draft.MemoryPosition},
    }};
    for (std::size_t i = 0; i < switches.size(); ++i) {
        m_switches[i] = new QCheckBox(switches[i].first, page);
        m_switches[i]->setChecked(*switches[i].second);
        bool* setting = switches[i].second;
        connect(m_switches[i], &QCheckBox::toggled, this, [setting](bool on) { *setting = on; });
        layout->addWidget(m_switches[i]);
    }
    cmbMaxHistory = new QComboBox(page);
    cmbMaxHistory->addItems({QStringLiteral("無制限"), QStringLiteral("10件"), QStringLiteral("30件"),
                             QStringLiteral("50件"), QStringLiteral("100件"), QStringLiteral("200件")});
    cmbMaxHistory->setCurrentIndex(ChoiceIndex(kMaxHistoryChoices, m_draft.MaxHistoryNum).value_or(-1));
    cmbHistoryLoad = new QComboBox(page);
    cmbHistoryLoad->addItems({QStringLiteral("全て"), QStringLiteral("8"), QStringLiteral("16"), QStringLiteral("32"),
                              QStringLiteral("64"), QStringLiteral("128"), QStringLiteral("256")});
    cmbHistoryLoad->setCurrentIndex(ChoiceIndex(kHistoryLoadChoices, m_draft.HistoryLoad).value_or(-1));
    auto* lists = new QFormLayout;
    lists->addRow(QStringLiteral("履歴の保存件数"), cmbMaxHistory);
    lists->addRow(QStringLiteral("ファイルオープンダイアログに読み込む履歴の数"), cmbHistoryLoad);
    layout->addLayout(lists);
    layout->addStretch();
    return page;
}

FontSetting* TfrmOption::fontOf(int item) {
    switch (item) {
    case Editor: return &m_draft.EditorFont;
    case Fixed: return &m_draft.FixedFont;
    case HighLight: return &m_draft.HighLightFont;
    case Filter: return &m_draft.FilterFont;
    case Status: return &m_draft.StaFont;
    default: return nullptr;
    }
}

std::int32_t* TfrmOption::backgroundOf(int item) {
    switch (item) {
    case Editor: return &m_draft.BackColor;
    case Fixed: return &m_draft.FixedColor;
    case HighLight: return &m_draft.HighLightColor;
    case Intact: return &m_draft.IntactColor;
    case Filter: return &m_draft.FilterColor;
    case Status: return &m_draft.StaColor;
    case ToolBar: return &m_draft.ToolBarColor;
    default: return nullptr;
    }
}

void TfrmOption::setColor(QPushButton* box, std::int32_t color) {
    box->setProperty(kColorProperty, color);
    box->setStyleSheet(QStringLiteral("background: %1").arg(toQColor(color).name()));
}

std::int32_t TfrmOption::colorOf(const QPushButton* box) const {
    return box->property(kColorProperty).toInt();
}

void TfrmOption::storeItem(int item) {
    if (FontSetting* font = fontOf(item)) {
        if (cmbFontName->currentFont().family() != m_shownFamily) {
            font->Name = fromQString(cmbFontName->currentFont().family());
        }
        font->Color = colorOf(clbFontColor);
        // A size the list does not hold stays as it was.
        if (cmbFontSize->currentIndex() >= 0) {
            font->Size = cmbFontSize->currentIndex() + kSmallestFontSize;
        }
        font->Style = StyleWithBold(font->Style, chkBold->isChecked());
    }
    if (std::int32_t* background = backgroundOf(item)) {
        *background = colorOf(clbBackColor);
    }
    if (item == Intact) {
        m_draft.UseIntact = chkUseIntact->isChecked();
    }
    if (item == SpaceMarks) {
        m_draft.SPFontColor = colorOf(clbFontColor);
        m_draft.UseSP = chkUseSP->isChecked();
    }
}

void TfrmOption::showItem(int item) {
    m_shownItem = item;
    const FontSetting* font = fontOf(item);
    const std::int32_t* background = backgroundOf(item);
    for (QWidget* control : std::initializer_list<QWidget*>{cmbFontName, cmbFontSize, chkBold}) {
        control->setEnabled(font != nullptr);
    }
    clbFontColor->setEnabled(font != nullptr || item == SpaceMarks);
    clbBackColor->setEnabled(background != nullptr);
    chkUseIntact->setEnabled(item == Intact);
    chkUseSP->setEnabled(item == SpaceMarks);
    if (font != nullptr) {
        cmbFontName->setCurrentFont(toQFont(*font));
        m_shownFamily = cmbFontName->currentFont().family();
        cmbFontSize->setCurrentIndex(FontSizeIndex(font->Size).value_or(-1));
        setColor(clbFontColor, font->Color);
        chkBold->setChecked(ShowsBold(font->Style));
    }
    if (item == SpaceMarks) {
        setColor(clbFontColor, m_draft.SPFontColor);
    }
    if (background != nullptr) {
        setColor(clbBackColor, *background);
    }
    chkUseIntact->setChecked(m_draft.UseIntact);
    chkUseSP->setChecked(m_draft.UseSP);
}

// The chooser opens at a listed folder, and the folder chosen there joins the list as with ">>".
void TfrmOption::browseFolder(int row) {
    const std::string& folder = m_draft.DefineFolders[static_cast<std::size_t>(row)];
    if (!FolderReachable(folder)) {
        m_host.ShowWarning("このドライブは現在使用できません");
        return;
    }
    addFolder(Cp932ToPath(folder));
}

void TfrmOption::addFolder(const std::filesystem::path& start) {
    const std::optional<std::filesystem::path> chosen = m_host.ChooseFolder("", start);
    if (!chosen) {
        return;
    }
    switch (AddDefineFolder(m_draft.DefineFolders, PathToCp932(*chosen))) {
    case FolderAddition::Added: lstFolder->addItem(pathToQString(*chosen)); break;
    case FolderAddition::NotAFolder: m_host.ShowWarning("指定されたフォルダは使用できません"); break;
    case FolderAddition::AlreadyListed: m_host.ShowWarning("指定されたフォルダは、既に登録されています"); break;
    }
}

void TfrmOption::cmdApplyClick() {
    storeItem(m_shownItem);
    m_draft.FileFilters[static_cast<std::size_t>(m_shownFilter)] = fromQString(txtFilter->text());
    if (cmbMaxHistory->currentIndex() >= 0) {
        m_draft.MaxHistoryNum = kMaxHistoryChoices[static_cast<std::size_t>(cmbMaxHistory->currentIndex())];
    }
    if (cmbHistoryLoad->currentIndex() >= 0) {
        m_draft.HistoryLoad = kHistoryLoadChoices[static_cast<std::size_t>(cmbHistoryLoad->currentIndex())];
    }
    if (onApply) {
        onApply(m_draft);
    }
}

} // namespace ranvo::gui
