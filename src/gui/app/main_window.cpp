#include "gui/app/main_window.h"

#include "core/app/cell_selection.h"
#include "core/app/column_sizes.h"
#include "core/app/command_line.h"
#include "core/app/field_jump.h"
#include "core/app/fixed_captions.h"
#include "core/app/hiding.h"
#include "core/app/highlight.h"
#include "core/app/status_bar.h"
#include "core/app/window_updates.h"
#include "core/editing/cell_editing.h"
#include "core/editing/reapply.h"
#include "core/export/save_commands.h"
#include "core/export/xml_export.h"
#include "core/platform/paths.h"
#include "gui/app/cell_actions.h"
#include "gui/app/column_width_dialog.h"
#include "gui/app/command_gate.h"
#include "gui/app/command_table.h"
#include "gui/app/record_actions.h"
#include "gui/app/status_panels.h"
#include "gui/definitions/define_dialog.h"
#include "gui/editing/find_dialogs.h"
#include "gui/export/layout_save_dialog.h"
#include "gui/grid/cell_painter.h"
#include "gui/grid/grid_view.h"
#include "gui/loading/open_dialog.h"
#include "gui/platform/colors_and_fonts.h"
#include "gui/platform/file_drop.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/program_images.h"
#include "gui/platform/text_codec.h"
#include "gui/printing/preview_dialog.h"
#include "gui/settings/info_dialog.h"
#include "gui/settings/option_dialog.h"
#include "gui/views/filter_dialog.h"
#include "gui/views/make_filter_dialog.h"
#include "gui/views/navigator_dialog.h"
#include "gui/views/visible_dialog.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

namespace ranvo::gui {
namespace {

const QString kCaption = QStringLiteral("RANVO - Lentra");
const QString kApplicationTitle = QStringLiteral("Ranvo");
// A dropped file name longer than this is not taken.
constexpr qsizetype kMaxDroppedPath = 255;

QString toolbarStyle(const QColor& color) {
    return QStringLiteral("QToolBar { background: %1; }").arg(color.name());
}

} // namespace

TfrmShowData::TfrmShowData(AppHome home, std::vector<std::string> parameters, QWidget* parent)
    : QMainWindow(parent),
      m_state(std::make_unique<MainState>(home, TRanvoSetting(home.ConfigFile()))),
      m_parameters(std::move(parameters)), m_applicationTitle(kApplicationTitle) {
    FormCreate();
}

TfrmShowData::~TfrmShowData() = default;

void TfrmShowData::FormCreate() {
    m_host = std::make_unique<QtUiHost>(this, m_state->Settings);
    m_ui = m_host.get();
    stgData = new GridView(m_state->Grid, this);
    setCentralWidget(stgData);
    stgData->canSelectCell = [this](int col, int row) { return stgDataSelectCell(col, row); };
    m_painter = std::make_unique<CellPainter>(*m_state);
    stgData->drawCell = [this](QPainter& painter, const QRect& rect, int col, int row, bool selected) {
        if (m_state->FormAlive) {
            m_painter->paint(painter, rect, col, row, selected);
        }
    };
    connect(stgData, &GridView::currentCellChanged, this, &TfrmShowData::refreshFromState);
    m_host->onBusyChanged = [this](bool busy) {
        stgData->setPaintingSuspended(busy);
        if (!busy) {
            stgData->gridChanged(); // the work may have moved the cursor and scrolled
        }
    };
    m_gate = new CommandGate(this);
    m_commands = std::make_unique<CommandTable>(*m_gate);
    m_records = new RecordActions(
        *m_state, [this]() -> UiHost& { return *m_ui; }, *stgData, *m_commands,
        [this] { refreshFromState(); }, this);
    m_cells = new CellActions(
        *m_state, [this]() -> UiHost& { return *m_ui; }, *stgData, *m_gate, *m_commands,
        [this] { refreshFromState(); }, this);
    m_gate->commitCellEdits = [this] {
        stgData->commitEditor();
        commitCellBox();
    };
    m_gate->commitRecordEntry = [this] { m_records->endRecordEntry(); };
    m_gate->anyTyping = [this] { return stgData->isEditing() || m_cellBoxEntered || m_state->AddBoxActive; };

    staBar = new StatusPanels(this);
    statusBar()->addWidget(staBar, 1);
    statusBar()->setSizeGripEnabled(false);
    // The panels are the whole bar: no frame or margin of the bar's own eats into their height.
    statusBar()->setStyleSheet(QStringLiteral("QStatusBar { padding: 0px; } QStatusBar::item { border: 0px; }"));
    statusBar()->setContentsMargins(0, 0, 0, 0);
    createMenusAndToolbars();
    applySettings();
    placeWindow();
    InitGridSizes(*m_state, *m_host);
    setWindowTitle(kCaption);
    refreshFromState();
    setAcceptDrops(true);
}

void TfrmShowData::createMenusAndToolbars() {
    using enum CommandGroup;
    const auto add = [this](QWidget* owner, const CommandSpec& spec,
                            void (TfrmShowData::*handler)()) {
        return m_commands->addTo(owner, spec, [this, handler] { (this->*handler)(); });
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    m_commands->add(file, "mnuFile", Always, 0);
    add(file, {"mnuFileOpen", QStringLiteral("開く(&O)"), Always, 8},
        &TfrmShowData::mnuFileOpenClick);
    file->addSeparator();
    add(file,
        {"mnuFileSave", QStringLiteral("上書き保存(&S)"), FileMenus, 20,
         QKeySequence(Qt::CTRL | Qt::Key_S)},
        &TfrmShowData::mnuFileSaveClick);
    add(file, {"mnuFileAsSave", QStringLiteral("名前を付けて保存(&A)"), FileMenus, 20},
        &TfrmShowData::mnuFileAsSaveClick);
    file->addSeparator();
    add(file,
        {"mnuFilePreview", QStringLiteral("印刷プレビュー"), FileMenus, 38,
         QKeySequence(Qt::CTRL | Qt::Key_P)},
        &TfrmShowData::mnuFilePreviewClick);
    file->addSeparator();
    add(file, {"mnuFileLayoutSave", QStringLiteral("形式を指定して保存(&L)"), FileMenus, 45},
        &TfrmShowData::mnuFileLayoutSaveClick);
    mnuFileSaveAsCsv =
        add(file, {"mnuFileSaveAsCsv", fromUtf8(SaveConvertedCaption(*m_state)), FileMenus, 20},
            &TfrmShowData::mnuFileSaveAsCsvClick);
    add(file, {"mnuFileSaveAsXML", QStringLiteral("XML出力(&X)"), FileMenus},
        &TfrmShowData::mnuFileSaveAsXMLClick);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    m_commands->add(edit, "mnuEdit", EditViewMenus, 0);
    add(edit,
        {"mnuEditFind", QStringLiteral("検索(&F)"), FileMenus, 21,
         QKeySequence(Qt::CTRL | Qt::Key_F)},
        &TfrmShowData::mnuEditFindClick);
    add(edit,
        {"mnuEditReplace", QStringLiteral("置換(&H)"), FileMenus, 52,
         QKeySequence(Qt::CTRL | Qt::Key_H)},
        &TfrmShowData::mnuEditReplaceClick);
    edit->addSeparator();
    add(edit, {"mnuEditRepaint", QStringLiteral("定義再適用(&R)"), FileMenus, 22},
        &TfrmShowData::mnuEditRepaintClick);
    edit->addSeparator();
    for (const auto& [name, caption, algorithm] :
         {std::tuple{"mnuEditSort", QStringLiteral("標準ソート(&S)"), SortAlgorithm::Standard},
          std::tuple{"mnuEditQuickSort", QStringLiteral("高速ソート(&Q)"), SortAlgorithm::Fast}}) {
        QMenu* sort = m_commands->addMenu(edit, name, caption, FileMenus, 23);
        m_commands->addTo(
            sort, {"", QStringLiteral("昇順(&A)"), Always, 23},
            [this, algorithm = algorithm] { sortRecords(algorithm, SortDirection::Ascending); });
        m_commands->addTo(
            sort, {"", QStringLiteral("降順(&D)"), Always, 23},
            [this, algorithm = algorithm] { sortRecords(algorithm, SortDirection::Descending); });
    }
    m_cells->addCopyAllTo(edit);
    edit->addSeparator();
    m_records->addUndoTo(edit);
    createViewMenu();
    QMenu* options = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    m_commands->add(options, "mnuOption", Always, 0);
    mnuOptionFilter = add(options,
                          {"mnuOptionFilter", QStringLiteral("フィルタ設定(&F)"), FileMenus, 37,
                           QKeySequence(Qt::CTRL | Qt::Key_R)},
                          &TfrmShowData::mnuOptionFilterClick);
    options->addSeparator();
    add(options,
        {"mnuOptionDefine", QStringLiteral("定義ファイル作成(&D)"), Always, 7,
         QKeySequence(Qt::CTRL | Qt::Key_D)},
        &TfrmShowData::mnuOptionDefineClick);
    add(options, {"mnuOptionMakeFilter", QStringLiteral("フィルタファイル作成(&M)"), Always, 36},
        &TfrmShowData::mnuOptionMakeFilterClick);
    options->addSeparator();
    add(options, {"mnuOptionOption", QStringLiteral("環境設定(&O)"), Always, 11},
        &TfrmShowData::mnuOptionOptionClick);
    m_commands->addTo(options, {"mnuOptionHelp", QStringLiteral("ヘルプ(&H)"), Always, 1},
                      [this] { showHelp(0); });
    options->addSeparator();
    m_commands->addTo(options, {"mnuOptionVersion", QStringLiteral("バージョン情報"), Always, 1},
                      [this] { TfrmInfo(this).exec(); });
    createContextMenu();
    createToolbar();

    // The field-jump list and the cell edit box get a row of their own: the edit box needs room.
    addToolBarBreak();
    tlbBox = addToolBar(QStringLiteral("tlbBox"));
    tlbBox->setObjectName(QStringLiteral("tlbBox"));
    tlbBox->setMovable(false);
    Splitter1 = new QSplitter(Qt::Horizontal, tlbBox);
    cmbFieldJump = new QComboBox(Splitter1);
    cmbFieldJump->setToolTip(QStringLiteral("フィールドジャンプ"));
    cmbFieldJump->setMinimumWidth(10);
    cmbFieldJump->view()->installEventFilter(this);
    cmbFieldJump->installEventFilter(this);
    connect(cmbFieldJump, &QComboBox::activated, this, &TfrmShowData::cmbFieldJumpActivated);
    txtData = new QLineEdit(Splitter1);
    txtData->setToolTip(QStringLiteral("セル編集ボックス"));
    txtData->installEventFilter(this);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({160, 400});
    tlbBox->addWidget(Splitter1);

    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(helpKey, &QShortcut::activated, this, [this] { showHelp(helpContextOf(QApplication::focusWidget())); });
    new MenuHelpKey([this](int context) { showHelp(context); }, this);
    setHelpContext(this, 5);
    for (QWidget* widget : {static_cast<QWidget*>(stgData), static_cast<QWidget*>(statusBar())}) {
        setHelpContext(widget, 24);
    }
    for (QToolBar* toolbar : {tlbMenu, tlbBox}) {
        setHelpContext(toolbar, 9);
    }

    auto* jumpShortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_J), this);
    connect(jumpShortcut, &QShortcut::activated, this,
            [this] { m_gate->run(CommandGate::Typing::Commit, [this] { cmbFieldJump->setFocus(); }); });
    auto* undoKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Backspace), stgData);
    connect(undoKey, &QShortcut::activated, this,
            [this] { m_gate->run(CommandGate::Typing::Refuse, [this] { m_records->mnuEditUndoClick(); }); });
}

// Image buttons with their hints as tool tips. The buttons that need a file are enabled by the
// first open and kept by a failed one; the others stay enabled and do nothing without a file.
void TfrmShowData::createToolbar() {
    using enum CommandGroup;
    tlbMenu = addToolBar(QStringLiteral("tlbMenu"));
    tlbMenu->setObjectName(QStringLiteral("tlbMenu"));
    tlbMenu->setMovable(false);
    tlbMenu->setIconSize(QSize(16, 16));
    tlbMenu->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const auto own = [this](void (TfrmShowData::*handler)()) {
        return [this, handler] { (this->*handler)(); };
    };
    const auto records = [this](void (RecordActions::*handler)()) {
        return [this, handler] { (m_records->*handler)(); };
    };
    const auto record = CommandGate::Typing::KeepRecord;
    struct Button {
        CommandSpec spec;
        const char* image = nullptr; // none: a divider
        std::function<void()> handler;
    };
    const Button buttons[] = {
        {{"tbcSave", QStringLiteral("上書き保存　Ctrl + S"), FileButtons, 9},
         "save",
         own(&TfrmShowData::tbcSaveClick)},
        {{"tbcPreview", QStringLiteral("印刷プレビュー"), Always, 38},
         "preview",
         own(&TfrmShowData::tbcPreviewClick)},
        {},
        {{"tbcCopy", QStringLiteral("レコードコピー　Ctrl + Alt + C"), FileButtons, 29, {}, record},
         "record-copy",
         records(&RecordActions::mnuRecordCopyClick)},
        {{"tbcCut", QStringLiteral("レコードカット　Ctrl + Alt + T"), FileButtons, 29, {}, record},
         "record-cut",
         records(&RecordActions::mnuRecordCutClick)},
        {{"tbcPaste", QStringLiteral("レコード貼り付け　Ctrl + Alt + P"), Always, 29, {}, record},
         "record-paste",
         records(&RecordActions::mnuRecordPasteClick)},
        {{"tbcDelete", QStringLiteral("レコード削除　Ctrl + Alt + D"), FileButtons, 29, {}, record},
         "record-delete",
         records(&RecordActions::mnuRecordDeleteClick)},
        {{"tbcFind", QStringLiteral("検索　Ctrl + F"), Always, 21},
         "find",
         own(&TfrmShowData::mnuEditFindClick)},
        {{"tbcReplace", QStringLiteral("置換　Ctrl + H"), Always, 52},
         "replace",
         own(&TfrmShowData::mnuEditReplaceClick)},
        {},
        {{"tbcAddNew", QStringLiteral("レコード追加　Ctrl + Alt + N"), FileButtons, 29, {}, record},
         "record-add",
         records(&RecordActions::mnuRecordAddClick)},
        {{"tbcInsert", QStringLiteral("レコード挿入　Ctrl + Alt + I"), FileButtons, 29, {}, record},
         "record-insert",
         records(&RecordActions::mnuRecordInsertClick)},
        {},
        {{"tbcUnVisCol", QStringLiteral("列非表示"), FileButtons, 29},
         "hide-columns",
         own(&TfrmShowData::hideCols)},
        {{"tbcUnVisRow", QStringLiteral("行非表示"), FileButtons, 29},
         "hide-rows",
         own(&TfrmShowData::hideRows)},
        {{"tbcUnVisDefine", QStringLiteral("指定条件表示"), FileButtons, 50},
         "show-by-condition",
         own(&TfrmShowData::showByCondition)},
        {{"tbcVisAll", QStringLiteral("全て表示"), ShowAllButton, 29},
         "show-all",
         own(&TfrmShowData::showAll)},
        {{"tbcCellFit", QStringLiteral("セルフィット"), Always, 29},
         "cell-fit",
         own(&TfrmShowData::mnuViewCellAutoFitClick)},
        {},
        {{"tbcAsk", QStringLiteral("昇順ソート"), Always, 23},
         "sort-ascending",
         [this] { sortRecords(SortAlgorithm::Standard, SortDirection::Ascending); }},
        {{"tbcDesk", QStringLiteral("降順ソート"), Always, 23},
         "sort-descending",
         [this] { sortRecords(SortAlgorithm::Standard, SortDirection::Descending); }},
        {{"tbcRepaint", QStringLiteral("定義再適用"), Always, 22},
         "reapply",
         own(&TfrmShowData::mnuEditRepaintClick)},
        {{"tbcHighLight", QStringLiteral("強調表示"), Always, 29},
         "highlight",
         own(&TfrmShowData::tbcHighLightClick)},
        {{"FlatButton2", QStringLiteral("RV-NAVI　Ctrl + I"), Always, 27},
         "navigator",
         own(&TfrmShowData::mnuViewDefineInfoClick)},
        {{"FlatButton1", QStringLiteral("フィルタ設定　Ctrl+R"), Always, 37},
         "filter",
         own(&TfrmShowData::FlatButton1Click)},
        {},
    };
    for (const Button& button : buttons) {
        if (button.image == nullptr) {
            tlbMenu->addSeparator();
        } else {
            m_commands->addTo(tlbMenu, button.spec, button.handler)
                ->setIcon(toolbarIcon(QString::fromLatin1(button.image)));
        }
    }
}

void TfrmShowData::createViewMenu() {
    using enum CommandGroup;
    const auto add = [this](QWidget* owner, const CommandSpec& spec,
                            void (TfrmShowData::*handler)()) {
        return m_commands->addTo(owner, spec, [this, handler] { (this->*handler)(); });
    };
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    m_commands->add(view, "mnuView", EditViewMenus, 0);
    add(view, {"mnuViewUnVisibleRow", QStringLiteral("選択行非表示(&R)"), FileMenus, 10},
        &TfrmShowData::hideRows);
    add(view, {"mnuViewUnVisibleCol", QStringLiteral("選択列非表示(&C)"), FileMenus, 10},
        &TfrmShowData::hideCols);
    add(view, {"mnuViewUnVisibleBoth", QStringLiteral("選択行列非表示(&B)"), FileMenus, 10},
        &TfrmShowData::hideRowsAndCols);
    add(view, {"mnuViewUnVisibleDefine", QStringLiteral("指定条件表示(&D)"), FileMenus, 50},
        &TfrmShowData::showByCondition);
    view->addSeparator();
    add(view, {"mnuViewVisibleAll", QStringLiteral("再表示(&A)"), ShowAllMenus, 10},
        &TfrmShowData::showAll);
    view->addSeparator();
    QMenu* highLight =
        m_commands->addMenu(view, "mnuViewHighLight", QStringLiteral("強調表示"), FileMenus, 10);
    add(highLight,
        {"mnuViewHighLightOn", QStringLiteral("強調表示する"), Always, 10,
         QKeySequence(Qt::CTRL | Qt::Key_K)},
        &TfrmShowData::tbcHighLightClick);
    add(highLight,
        {"mnuViewHighLightOff", QStringLiteral("強調表示解除"), Always, 10,
         QKeySequence(Qt::CTRL | Qt::Key_N)},
        &TfrmShowData::mnuViewHighLightOffClick);
    QMenu* cells =
        m_commands->addMenu(view, "mnuViewCell", QStringLiteral("セルの幅(&W)"), FileMenus, 10);
    add(cells,
        {"mnuViewCellAutoFit", QStringLiteral("データのサイズに合わせる"), FileMenus, 10,
         QKeySequence(Qt::CTRL | Qt::Key_W)},
        &TfrmShowData::mnuViewCellAutoFitClick);
    add(cells, {"mnuViewCellDefault", QStringLiteral("初期値に戻す(&D)"), FileMenus, 10},
        &TfrmShowData::mnuViewCellDefaultClick);
    add(view,
        {"mnuViewDefineInfo", QStringLiteral("RV-NAVI(&I)"), FileMenus, 27,
         QKeySequence(Qt::CTRL | Qt::Key_I)},
        &TfrmShowData::mnuViewDefineInfoClick);
}

void TfrmShowData::createContextMenu() {
    using enum CommandGroup;
    const auto add = [this](const CommandSpec& spec, void (TfrmShowData::*handler)()) {
        return m_commands->addTo(stgData, spec, [this, handler] { (this->*handler)(); });
    };
    const auto separator = [this] {
        auto* line = new QAction(stgData);
        line->setSeparator(true);
        stgData->addAction(line);
    };
    stgData->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_cells->addCellCommandsTo(stgData);
    add({"mnuRecordViewUnVisRow", QStringLiteral("選択行非表示(&L)"), FileMenus, 10},
        &TfrmShowData::hideRows);
    add({"mnuRecordViewUnVisCol", QStringLiteral("選択列非表示(&V)"), FileMenus, 10},
        &TfrmShowData::hideCols);
    add({"mnuRecordViewUnVisDefine", QStringLiteral("指定条件表示(&Q)"), FileMenus, 10},
        &TfrmShowData::showByCondition);
    add({"mnuRecordViewVisAll", QStringLiteral("全て表示(&A)"), ShowAllMenus, 10},
        &TfrmShowData::showAll);
    separator();
    m_records->addRecordCommandsTo(stgData);
    separator();
    add({"popColWidth", QStringLiteral("列幅を指定する(&W)"), Always, 10},
        &TfrmShowData::popColWidthClick);
    separator();
    mnuInteriFixCell =
        add({"mnuInteriFixCell", fromUtf8(FixedCellInfoCaption(*m_state)), Always, 10},
            &TfrmShowData::mnuInteriFixCellClick);
    separator();
    m_cells->addOptionsTo(stgData);
}

void TfrmShowData::applySettings() {
    const TRanvoSetting& settings = m_state->Settings;
    stgData->setCellFont(toQFont(settings.EditorFont));
    stgData->setBackgroundColor(toQColor(settings.BackColor));
    staBar->setLook(toQFont(settings.StaFont), toQColor(settings.StaFont.Color),
                    toQColor(settings.StaColor));
    fitStatusBar(static_cast<int>(settings.StaFont.Size * 1.3) + 8);
    tlbMenu->setStyleSheet(toolbarStyle(toQColor(settings.ToolBarColor)));
}

// The status bar gets `height`, or more when its font needs more: the whole text always shows.
void TfrmShowData::fitStatusBar(int height) {
    statusBar()->layout()->activate();
    statusBar()->setFixedHeight(std::max(height, statusBar()->layout()->minimumSize().height()));
}

void TfrmShowData::placeWindow() {
    const TRanvoSetting& settings = m_state->Settings;
    if (settings.MemoryPosition) {
        move(settings.WindowX, settings.WindowY);
        resize(settings.WindowWidth, settings.WindowHeight);
        return;
    }
    resize(settings.WindowWidth, settings.WindowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TfrmShowData::openStartupFile() {
    if (const auto open = ParseCommandLine(m_parameters)) {
        DataFileLoad(open->DataPath, open->DefinitionPath);
    }
}

void TfrmShowData::DataFileLoad(const std::filesystem::path& dataPath,
                                const std::filesystem::path& definitionPath) {
    TfrmDialog dialog(*m_state, *m_ui, this);
    dialog.setDataPath(dataPath);
    dialog.selectAutomaticDetection();
    if (!definitionPath.empty()) {
        m_state->PendingDefineFile = definitionPath;
        dialog.cmdOpenClick();
        // A definition handed over with a file that failed to open must not stay behind and
        // take the place of the user's choice at the next open.
        m_state->PendingDefineFile.clear();
    } else if (!m_state->Settings.DropAuto || m_ui->ShiftDown()) {
        dialog.exec();
    } else {
        dialog.cmdOpenClick();
    }
    refreshFromState();
}

void TfrmShowData::mnuFileOpenClick() {
    if (!settleUnsavedChanges()) {
        return;
    }
    TfrmDialog dialog(*m_state, *m_ui, this);
    dialog.exec();
    refreshFromState();
}

void TfrmShowData::mnuFileSaveClick() {
    SaveInPlace(*m_state, *m_ui);
    refreshFromState();
}

void TfrmShowData::tbcSaveClick() {
    mnuFileSaveClick();
}

void TfrmShowData::tbcPreviewClick() {
    if (!m_state->DataFileName.empty()) {
        mnuFilePreviewClick();
    }
}

void TfrmShowData::FlatButton1Click() {
    if (!m_state->DataFileName.empty() && mnuOptionFilter->isEnabled()) {
        mnuOptionFilterClick();
    }
}

void TfrmShowData::mnuFileAsSaveClick() {
    SaveAs(*m_state, *m_ui);
    refreshFromState();
}

void TfrmShowData::mnuFileSaveAsCsvClick() {
    SaveConverted(*m_state, *m_ui);
    refreshFromState();
}

void TfrmShowData::sortRecords(SortAlgorithm algorithm, SortDirection direction) {
    SortRecords(*m_state, *m_ui, algorithm, direction);
    stgData->gridChanged();
    refreshFromState();
}

void TfrmShowData::mnuEditRepaintClick() {
    const QuestionTitle title(*m_ui, "確認");
    ReapplyDefinition(*m_state, *m_ui);
    refreshFromState();
}

void TfrmShowData::mnuEditFindClick() {
    if (m_state->DataFileName.empty() || m_state->AddBoxActive) {
        return;
    }
    TfrmFind dialog(*m_state, *m_ui, this);
    dialog.onGridChanged = [this] { refreshFromState(); };
    dialog.exec();
}

void TfrmShowData::mnuEditReplaceClick() {
    if (m_state->DataFileName.empty()) {
        return;
    }
    TfrmReplace dialog(*m_state, *m_ui, this);
    dialog.onGridChanged = [this] { refreshFromState(); };
    dialog.exec();
}

void TfrmShowData::hideRows() {
    HideSelectedRows(*m_state);
    refreshFromState();
}

void TfrmShowData::hideCols() {
    HideSelectedCols(*m_state);
    refreshFromState();
}

void TfrmShowData::hideRowsAndCols() {
    HideSelectedRowsAndCols(*m_state);
    refreshFromState();
}

void TfrmShowData::showAll() {
    ShowAllRowsAndCols(*m_state);
    refreshFromState();
}

void TfrmShowData::showByCondition() {
    if (m_state->DataFileName.empty() || m_state->AddBoxActive) {
        return;
    }
    TfrmVisible dialog(*m_state, *m_ui, this);
    dialog.onApplied = [this] { refreshFromState(); };
    dialog.exec();
}

void TfrmShowData::mnuViewDefineInfoClick() {
    if (m_state->DataFileName.empty() || m_state->AddBoxActive) {
        return;
    }
    TfrmDefineInfo dialog(*m_state, *m_ui, this);
    dialog.onGridChanged = [this] { refreshFromState(); };
    dialog.exec();
}

void TfrmShowData::mnuFilePreviewClick() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    TfrmPreView dialog(*m_state, m_gridPrinter, *m_printer, *m_ui, this);
    dialog.exec();
}

void TfrmShowData::mnuFileLayoutSaveClick() {
    TfrmLayoutSave dialog(*m_state, *m_ui, this);
    dialog.exec();
}

void TfrmShowData::mnuFileSaveAsXMLClick() {
    ExportXml(*m_state, *m_ui);
}

void TfrmShowData::mnuOptionFilterClick() {
    TfrmFilter dialog(*m_state, *m_ui, this);
    dialog.onFiltersChanged = [this] { stgData->gridChanged(); };
    dialog.exec();
}

// The editor opens on the loaded file's definition, or on a new one.
void TfrmShowData::mnuOptionDefineClick() {
    TfrmDefine dialog(m_state->Home.Folder(), m_state->Settings.DefineFolders, *m_ui, this);
    if (!m_state->DataFileName.empty()) {
        dialog.openDefinition(m_state->Definition.FilePath);
    }
    dialog.exec();
}

void TfrmShowData::mnuOptionMakeFilterClick() {
    TfrmMakeFilter dialog(m_state->Home.FilterFolder(), *m_ui, this);
    dialog.exec();
}

// The program's help document, at the topic of `context` (0: the contents).
void TfrmShowData::showHelp(int context) {
    const std::filesystem::path file = m_state->Home.HelpFile();
    if (!PathExists(file)) {
        m_ui->ShowError("ヘルプファイル\"" + file.string() + "\"が見つかりません");
        return;
    }
    if (m_help == nullptr) {
        m_help = new HelpViewer(file, this);
    }
    m_help->showTopic(context);
}

void TfrmShowData::mnuOptionOptionClick() {
    TfrmOption dialog(m_state->Settings, *m_ui, this);
    dialog.onApply = [this](const TRanvoSetting& settings) { applyNewSettings(settings); };
    dialog.exec();
}

// The options dialog's settings take effect at once and are written to config.ini.
void TfrmShowData::applyNewSettings(const TRanvoSetting& settings) {
    m_state->Settings = settings;
    m_host->fontsChanged();
    m_painter->settingsChanged();
    applySettings();
    const int rowHeight = m_host->TextHeight(FontRole::Editor, "1") + 5;
    const int colWidth = m_host->TextWidth(FontRole::Editor, "9999999999") + 5;
    DataGrid& grid = m_state->Grid;
    if (rowHeight != grid.DefaultRowHeight()) {
        grid.SetDefaultRowHeight(rowHeight);
    }
    if (colWidth != grid.DefaultColWidth()) {
        grid.SetDefaultColWidth(colWidth);
    }
    if (grid.ColCount() > 0) {
        grid.SetColWidth(0, RecordNumberColumnWidth(*m_host));
    }
    fitStatusBar(m_host->TextHeight(FontRole::Status, "A") + 7);
    m_state->Settings.SaveSetting();
    refreshFromState();
}

void TfrmShowData::mnuInteriFixCellClick() {
    ToggleFixedCellInfo(*m_state);
    mnuInteriFixCell->setText(fromUtf8(FixedCellInfoCaption(*m_state)));
    stgData->gridChanged();
}

void TfrmShowData::tbcHighLightClick() {
    ToggleHighLight(*m_state);
    stgData->gridChanged();
}

void TfrmShowData::mnuViewHighLightOffClick() {
    HighLightOff(*m_state);
    stgData->gridChanged();
}

void TfrmShowData::mnuViewCellAutoFitClick() {
    FitCellSizes(*m_state, *m_host);
    stgData->gridChanged();
}

void TfrmShowData::mnuViewCellDefaultClick() {
    ResetSizes(*m_state, *m_host);
    stgData->gridChanged();
}

void TfrmShowData::popColWidthClick() {
    TfrmSetColWidth dialog(*m_state, *m_ui, this);
    dialog.onApplied = [this] { stgData->gridChanged(); };
    dialog.exec();
}

bool TfrmShowData::stgDataSelectCell(int col, int row) {
    return SelectCell(*m_state, col, row);
}

// A pick with the mouse jumps; arrowing through the list only moves its selection, and the list
// keeps the focus until Enter jumps or the user leaves it.
void TfrmShowData::cmbFieldJumpActivated(int index) {
    const bool fromKeyboard = m_state->JumpKeyDown;
    JumpField(*m_state, index);
    if (fromKeyboard) {
        return;
    }
    stgData->gridChanged();
    refreshFromState();
    stgData->setFocus();
}

bool TfrmShowData::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtData) {
        if (event->type() == QEvent::FocusIn) {
            CellBoxEntered(*m_state, fromQString(txtData->text()));
            m_cellBoxEntered = true;
        } else if (event->type() == QEvent::FocusOut) {
            commitCellBox();
        } else if (event->type() == QEvent::KeyPress &&
                   (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                    static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter)) {
            stgData->setFocus();
            return true;
        }
    }
    // The keys of the list only move its selection; a pick from the dropped-down list, with the
    // mouse or Enter, and a visit that ended are no key of the list any more.
    const bool listLeft = watched == cmbFieldJump && event->type() == QEvent::FocusOut &&
                          static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason;
    const bool listDropped = event->type() == QEvent::Show && watched == cmbFieldJump->view();
    if (listLeft || listDropped) {
        m_state->JumpKeyDown = false;
    }
    if (watched == cmbFieldJump && event->type() == QEvent::KeyPress) {
        m_state->JumpKeyDown = true;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            JumpListEnter(*m_state, cmbFieldJump->currentIndex());
            m_state->JumpKeyDown = false;
            stgData->setFocus();
            stgData->gridChanged();
            refreshFromState();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Leaving the cell edit box stores its text in the cell, once per visit.
void TfrmShowData::commitCellBox() {
    if (!m_cellBoxEntered) {
        return;
    }
    m_cellBoxEntered = false;
    CellBoxLeft(*m_state, fromQString(txtData->text()));
    refreshFromState();
}

bool TfrmShowData::settleUnsavedChanges() {
    return SettleUnsavedChanges(*m_state, *m_ui, [this] { return SaveInPlace(*m_state, *m_ui); });
}

void TfrmShowData::refreshFromState() {
    if (!m_cellBoxEntered) {
        ShowCurrentCell(*m_state);
    }
    const MainState& state = *m_state;
    if (!state.DataFileName.empty()) {
        const QString path = pathToQString(state.DataFileName);
        setWindowTitle(kCaption + QLatin1Char(':') + path);
        m_applicationTitle = QStringLiteral("RANVO:") + path;
    }
    std::array<QString, StatusPanels::kPanelCount> panels;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        panels[i] = fromUtf8(state.StatusPanels[i]);
    }
    staBar->setTexts(panels);
    layoutStatusPanels();
    if (!m_cellBoxEntered) {
        txtData->setText(toQString(state.CellBoxText));
    }
    txtData->setEnabled(state.CellBoxEnabled && state.DataCommandsEnabled);

    QStringList names;
    for (const std::string& name : state.JumpListItems) {
        names.append(toQString(name));
    }
    QStringList shown;
    for (int i = 0; i < cmbFieldJump->count(); ++i) {
        shown.append(cmbFieldJump->itemText(i));
    }
    if (names != shown) {
        cmbFieldJump->clear();
        cmbFieldJump->addItems(names);
        int widest = 0;
        for (const QString& name : names) {
            widest = std::max(widest, cmbFieldJump->fontMetrics().horizontalAdvance(name));
        }
        cmbFieldJump->view()->setMinimumWidth(widest + 20);
    }
    cmbFieldJump->setCurrentIndex(state.JumpListIndex);
    stgData->setEnabled(state.DataCommandsEnabled);
    m_commands->update(state);
    mnuFileSaveAsCsv->setText(fromUtf8(SaveConvertedCaption(state)));
    stgData->gridChanged();
}

void TfrmShowData::layoutStatusPanels() {
    if (m_state->FormAlive) {
        staBar->layOut(width(), fromUtf8(WidestPositionText(*m_state)));
    }
}

void TfrmShowData::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutStatusPanels();
}

void TfrmShowData::closeEvent(QCloseEvent* event) {
    m_gate->prepare(CommandGate::Typing::Commit);
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    TRanvoSetting& settings = m_state->Settings;
    if (settings.MemoryPosition) {
        settings.WindowX = x();
        settings.WindowY = y();
        settings.WindowWidth = width();
        settings.WindowHeight = height();
        settings.SaveSetting();
    }
    m_state->FormAlive = false;
    event->accept();
}

void TfrmShowData::dragEnterEvent(QDragEnterEvent* event) {
    if (carriesFiles(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void TfrmShowData::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = firstDroppedFile(event->mimeData());
    if (!path) {
        return;
    }
    event->acceptProposedAction();
    m_gate->prepare(CommandGate::Typing::Commit);
    if (path->size() > kMaxDroppedPath || !settleUnsavedChanges()) {
        return;
    }
    DataFileLoad(pathFromQString(*path), {});
}

} // namespace ranvo::gui
