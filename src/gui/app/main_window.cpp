#include "gui/app/main_window.h"

#include "core/app/cell_selection.h"
#include "core/app/column_sizes.h"
#include "core/app/command_failure.h"
#include "core/app/command_line.h"
#include "core/app/field_jump.h"
#include "core/app/fixed_captions.h"
#include "core/app/hiding.h"
#include "core/app/highlight.h"
#include "core/app/window_place.h"
#include "core/app/window_updates.h"
#include "core/editing/cell_editing.h"
#include "core/editing/reapply.h"
#include "core/export/save_commands.h"
#include "core/export/xml_export.h"
#include "core/platform/paths.h"
#include "core/text/sjis.h"
#include "gui/app/cell_actions.h"
#include "gui/app/command_gate.h"
#include "gui/app/column_width_dialog.h"
#include "gui/app/field_jump_box.h"
#include "gui/app/ranvo_application.h"
#include "gui/app/record_actions.h"
#include "gui/app/status_panels.h"
#include "gui/definitions/define_dialog.h"
#include "gui/editing/find_dialogs.h"
#include "gui/export/layout_save_dialog.h"
#include "gui/settings/info_dialog.h"
#include "gui/settings/option_dialog.h"
#include "gui/views/filter_dialog.h"
#include "gui/views/make_filter_dialog.h"
#include "gui/views/navigator_dialog.h"
#include "gui/views/visible_dialog.h"
#include "gui/grid/cell_painter.h"
#include "gui/grid/grid_view.h"
#include "gui/loading/open_dialog.h"
#include "gui/platform/colors_and_fonts.h"
#include "gui/platform/file_drop.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/text_codec.h"
#include "gui/printing/preview_dialog.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
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
    // Every text the window shows or takes goes through the loaded file's character map.
    useCharacterMap(&m_state->Characters);
    FormCreate();
}

TfrmShowData::~TfrmShowData() {
    useCharacterMap(nullptr);
}

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
    m_host->onBusyChanged = [this](bool busy) { stgData->setPaintingSuspended(busy); };
    m_gate = new CommandGate(this);
    m_records = new RecordActions(
        *m_state, [this]() -> UiHost& { return *m_ui; }, *stgData, *m_gate, [this] { refreshFromState(); }, this);
    m_cells = new CellActions(
        *m_state, [this]() -> UiHost& { return *m_ui; }, *stgData, *m_gate, [this] { refreshFromState(); }, this);
    m_gate->commitCellEdits = [this] {
        stgData->commitEditor();
        commitCellBox();
    };
    m_gate->commitRecordEntry = [this] { m_records->endRecordEntry(); };
    m_gate->anyTyping = [this] { return stgData->isEditing() || m_cellBoxEntered || m_state->AddBoxActive; };
    m_gate->onFailure = [this](std::exception_ptr failure, std::string_view failureWords) {
        reportFailure(failure, failureWords);
    };
    if (RanvoApplication* application = RanvoApplication::instance()) {
        application->setFailureHandler(
            this, [this](std::exception_ptr failure) { reportFailure(failure, {}); });
    }

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
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFileOpen = addCommand(
        file, QStringLiteral("開く(&O)"), [this] { mnuFileOpenClick(); }, {}, OpenFailureWords);
    file->addSeparator();
    addDataAction(file, QStringLiteral("上書き保存(&S)"), &TfrmShowData::mnuFileSaveClick,
                  QKeySequence(Qt::CTRL | Qt::Key_S), SaveInPlaceFailureWords);
    addDataAction(file, QStringLiteral("名前を付けて保存(&A)"), &TfrmShowData::mnuFileAsSaveClick,
                  {}, SaveFailureWords);
    file->addSeparator();
    addDataAction(file, QStringLiteral("印刷プレビュー"), &TfrmShowData::mnuFilePreviewClick,
                  QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    addDataAction(file, QStringLiteral("形式を指定して保存(&L)"), &TfrmShowData::mnuFileLayoutSaveClick);
    mnuFileSaveAsCsv = addDataAction(file, fromUtf8(SaveConvertedCaption(*m_state)),
                                     &TfrmShowData::mnuFileSaveAsCsvClick, {}, SaveFailureWords);
    addDataAction(file, QStringLiteral("XML出力(&X)"), &TfrmShowData::mnuFileSaveAsXMLClick, {},
                  SaveFailureWords);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    addDataAction(edit, QStringLiteral("検索(&F)"), &TfrmShowData::mnuEditFindClick,
                  QKeySequence(Qt::CTRL | Qt::Key_F));
    addDataAction(edit, QStringLiteral("置換(&H)"), &TfrmShowData::mnuEditReplaceClick,
                  QKeySequence(Qt::CTRL | Qt::Key_H));
    edit->addSeparator();
    addDataAction(edit, QStringLiteral("定義再適用(&R)"), &TfrmShowData::mnuEditRepaintClick);
    edit->addSeparator();
    for (const auto& [caption, algorithm] : {std::pair{QStringLiteral("標準ソート(&S)"), SortAlgorithm::Standard},
                                             std::pair{QStringLiteral("高速ソート(&Q)"), SortAlgorithm::Fast}}) {
        QMenu* sort = edit->addMenu(caption);
        addCommand(sort, QStringLiteral("昇順(&A)"), [this, algorithm = algorithm] {
            sortRecords(algorithm, SortDirection::Ascending);
        });
        addCommand(sort, QStringLiteral("降順(&D)"), [this, algorithm = algorithm] {
            sortRecords(algorithm, SortDirection::Descending);
        });
    }
    m_cells->addCopyAllTo(edit);
    m_records->addUndoTo(edit);
    createViewMenu();
    QMenu* options = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    mnuOptionFilter = addDataAction(options, QStringLiteral("フィルタ設定(&F)"), &TfrmShowData::mnuOptionFilterClick,
                                    QKeySequence(Qt::CTRL | Qt::Key_R));
    options->addSeparator();
    addCommand(options, QStringLiteral("定義ファイル作成(&D)"), [this] { mnuOptionDefineClick(); },
               QKeySequence(Qt::CTRL | Qt::Key_D));
    addCommand(options, QStringLiteral("フィルタファイル作成(&M)"), [this] { mnuOptionMakeFilterClick(); });
    options->addSeparator();
    addCommand(options, QStringLiteral("環境設定(&O)"), [this] { mnuOptionOptionClick(); });
    options->addAction(QStringLiteral("ヘルプ(&H)"), this, [this] { showHelp(0); });
    options->addSeparator();
    options->addAction(QStringLiteral("バージョン情報"), this, [this] { TfrmInfo(this).exec(); });
    createContextMenu();

    tlbMenu = addToolBar(QStringLiteral("tlbMenu"));
    tlbMenu->setObjectName(QStringLiteral("tlbMenu"));
    tlbMenu->setMovable(false);
    QAction* tbcSave = addDataAction(tlbMenu, QStringLiteral("保存"), &TfrmShowData::tbcSaveClick,
                                     {}, SaveInPlaceFailureWords);
    tbcSave->setToolTip(QStringLiteral("上書き保存　Ctrl + S"));
    QAction* tbcPreview = addCommand(tlbMenu, QStringLiteral("印刷"), [this] {
        if (!m_state->DataFileName.empty()) {
            mnuFilePreviewClick();
        }
    });
    tbcPreview->setToolTip(QStringLiteral("印刷プレビュー"));
    tlbMenu->addSeparator();
    m_records->addToolbarButtonsTo(tlbMenu);
    for (const auto& [text, hint, handler] :
         {std::tuple{QStringLiteral("列非表示"), QStringLiteral("列非表示"), &TfrmShowData::hideCols},
          std::tuple{QStringLiteral("行非表示"), QStringLiteral("行非表示"), &TfrmShowData::hideRows},
          std::tuple{QStringLiteral("条件表示"), QStringLiteral("指定条件表示"), &TfrmShowData::showByCondition},
          std::tuple{QStringLiteral("全表示"), QStringLiteral("全て表示"), &TfrmShowData::showAll}}) {
        addDataAction(tlbMenu, text, handler)->setToolTip(hint);
    }
    m_showAllActions.push_back(tlbMenu->actions().back());
    addDataAction(tlbMenu, QStringLiteral("セルフィット"), &TfrmShowData::mnuViewCellAutoFitClick);
    tlbMenu->addSeparator();
    for (const auto& [text, hint, direction] :
         {std::tuple{QStringLiteral("昇順"), QStringLiteral("昇順ソート"), SortDirection::Ascending},
          std::tuple{QStringLiteral("降順"), QStringLiteral("降順ソート"), SortDirection::Descending}}) {
        QAction* button = addCommand(tlbMenu, text, [this, direction = direction] {
            sortRecords(SortAlgorithm::Standard, direction);
        });
        button->setToolTip(hint);
        m_dataActions.push_back(button);
    }
    addDataAction(tlbMenu, QStringLiteral("再適用"), &TfrmShowData::mnuEditRepaintClick)
        ->setToolTip(QStringLiteral("定義再適用"));
    addDataAction(tlbMenu, QStringLiteral("強調表示"), &TfrmShowData::tbcHighLightClick);
    QAction* FlatButton2 = addCommand(tlbMenu, QStringLiteral("RV-NAVI"), [this] { mnuViewDefineInfoClick(); });
    FlatButton2->setToolTip(QStringLiteral("RV-NAVI　Ctrl + I"));
    QAction* FlatButton1 = addCommand(tlbMenu, QStringLiteral("フィルタ"), [this] {
        if (!m_state->DataFileName.empty() && mnuOptionFilter->isEnabled()) {
            mnuOptionFilterClick();
        }
    });
    FlatButton1->setToolTip(QStringLiteral("フィルタ設定　Ctrl+R"));
    tlbMenu->addSeparator();

    // The field-jump list and the cell edit box get a row of their own: the edit box needs room.
    addToolBarBreak();
    tlbBox = addToolBar(QStringLiteral("tlbBox"));
    tlbBox->setObjectName(QStringLiteral("tlbBox"));
    tlbBox->setMovable(false);
    Splitter1 = new QSplitter(Qt::Horizontal, tlbBox);
    cmbFieldJump = new FieldJumpBox(Splitter1);
    cmbFieldJump->setToolTip(QStringLiteral("フィールドジャンプ"));
    cmbFieldJump->setMinimumWidth(10);
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

QAction* TfrmShowData::addCommand(QWidget* owner, const QString& caption,
                                  std::function<void()> handler, const QKeySequence& shortcut,
                                  std::string_view failureWords) {
    auto* action = new QAction(caption, owner);
    action->setShortcut(shortcut);
    m_gate->connect(action, CommandGate::Typing::Commit, std::move(handler), failureWords);
    owner->addAction(action);
    return action;
}

QAction* TfrmShowData::addDataAction(QWidget* owner, const QString& caption,
                                     void (TfrmShowData::*handler)(), const QKeySequence& shortcut,
                                     std::string_view failureWords) {
    QAction* action = addCommand(
        owner, caption, [this, handler] { (this->*handler)(); }, shortcut, failureWords);
    m_dataActions.push_back(action);
    return action;
}

void TfrmShowData::createViewMenu() {
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    addDataAction(view, QStringLiteral("選択行非表示(&R)"), &TfrmShowData::hideRows);
    addDataAction(view, QStringLiteral("選択列非表示(&C)"), &TfrmShowData::hideCols);
    addDataAction(view, QStringLiteral("選択行列非表示(&B)"), &TfrmShowData::hideRowsAndCols);
    addDataAction(view, QStringLiteral("指定条件表示(&D)"), &TfrmShowData::showByCondition);
    view->addSeparator();
    m_showAllActions.push_back(addDataAction(view, QStringLiteral("再表示(&A)"), &TfrmShowData::showAll));
    view->addSeparator();
    QMenu* highLight = view->addMenu(QStringLiteral("強調表示"));
    addDataAction(highLight, QStringLiteral("強調表示する"), &TfrmShowData::tbcHighLightClick,
                  QKeySequence(Qt::CTRL | Qt::Key_K));
    addDataAction(highLight, QStringLiteral("強調表示解除"), &TfrmShowData::mnuViewHighLightOffClick,
                  QKeySequence(Qt::CTRL | Qt::Key_N));
    QMenu* cells = view->addMenu(QStringLiteral("セルの幅(&W)"));
    addDataAction(cells, QStringLiteral("データのサイズに合わせる"), &TfrmShowData::mnuViewCellAutoFitClick,
                  QKeySequence(Qt::CTRL | Qt::Key_W));
    addDataAction(cells, QStringLiteral("初期値に戻す(&D)"), &TfrmShowData::mnuViewCellDefaultClick);
    addDataAction(view, QStringLiteral("RV-NAVI(&I)"), &TfrmShowData::mnuViewDefineInfoClick,
                  QKeySequence(Qt::CTRL | Qt::Key_I));
}

void TfrmShowData::createContextMenu() {
    stgData->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_cells->addCellCommandsTo(stgData);
    addDataAction(stgData, QStringLiteral("選択行非表示(&L)"), &TfrmShowData::hideRows);
    addDataAction(stgData, QStringLiteral("選択列非表示(&V)"), &TfrmShowData::hideCols);
    addDataAction(stgData, QStringLiteral("指定条件表示(&Q)"), &TfrmShowData::showByCondition);
    m_showAllActions.push_back(addDataAction(stgData, QStringLiteral("全て表示(&A)"), &TfrmShowData::showAll));
    auto* hidingEnd = new QAction(stgData);
    hidingEnd->setSeparator(true);
    stgData->addAction(hidingEnd);
    m_records->addRecordCommandsTo(stgData);
    auto* recordsEnd = new QAction(stgData);
    recordsEnd->setSeparator(true);
    stgData->addAction(recordsEnd);
    auto* columnWidth = new QAction(QStringLiteral("列幅を指定する(&W)"), stgData);
    m_gate->connect(columnWidth, CommandGate::Typing::Commit, [this] { popColWidthClick(); });
    stgData->addAction(columnWidth);
    auto* separator = new QAction(stgData);
    separator->setSeparator(true);
    stgData->addAction(separator);
    mnuInteriFixCell = new QAction(fromUtf8(FixedCellInfoCaption(*m_state)), stgData);
    m_gate->connect(mnuInteriFixCell, CommandGate::Typing::Commit, [this] { mnuInteriFixCellClick(); });
    stgData->addAction(mnuInteriFixCell);
    auto* optionsStart = new QAction(stgData);
    optionsStart->setSeparator(true);
    stgData->addAction(optionsStart);
    m_cells->addOptionsTo(stgData);
}

void TfrmShowData::applySettings() {
    const TRanvoSetting& settings = m_state->Settings;
    stgData->setCellFont(toQFont(settings.EditorFont));
    stgData->setBackgroundColor(toQColor(settings.BackColor));
    staBar->setLook(toQFont(settings.StaFont), toQColor(settings.StaFont.Color),
                    toQColor(settings.StaColor));
    statusBar()->setFixedHeight(static_cast<int>(settings.StaFont.Size * 1.3) + 8);
    tlbMenu->setStyleSheet(toolbarStyle(toQColor(settings.ToolBarColor)));
}

// The kept place and size, unless they would put the window where the user cannot reach it.
void TfrmShowData::placeWindow() {
    const TRanvoSetting& settings = m_state->Settings;
    std::vector<WindowRect> screens;
    QList<QScreen*> desktop = QGuiApplication::screens();
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        desktop.removeAll(primary);
        desktop.prepend(primary);
    }
    for (const QScreen* screen : desktop) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    const WindowRect place = StartingWindowRect(
        screens, {settings.WindowX, settings.WindowY, settings.WindowWidth, settings.WindowHeight},
        settings.MemoryPosition);
    resize(place.Width, place.Height);
    move(place.X, place.Y);
}

void TfrmShowData::openStartupFile() {
    if (const auto open = ParseCommandLine(m_parameters)) {
        m_gate->run(
            CommandGate::Typing::Commit,
            [&] { DataFileLoad(open->DataPath, open->DefinitionPath); }, OpenFailureWords);
    }
}

// A command stopped by an exception: the user is told, and the window shows the data as the
// command left them; they stay to be saved.
void TfrmShowData::reportFailure(std::exception_ptr failure, std::string_view failureWords) {
    m_ui->ShowError(CommandFailureMessage(failure, failureWords));
    stgData->setPaintingSuspended(false);
    refreshFromState();
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
    statusBar()->setFixedHeight(m_host->TextHeight(FontRole::Status, "A") + 7);
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

void TfrmShowData::cmbFieldJumpActivated(int index) {
    JumpField(*m_state, index);
    stgData->gridChanged();
    refreshFromState();
    if (!m_state->JumpKeyDown) {
        stgData->setFocus();
    }
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
    if (txtData->isReadOnly()) {
        return;
    }
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
    if (!m_cellBoxEntered) {
        // The box holds at most maxLength() characters: a longer cell is shown from its start and
        // cannot be edited there, so that leaving the box never cuts it.
        const auto limit = static_cast<std::size_t>(txtData->maxLength());
        const bool fits = state.CellBoxText.size() <= limit;
        txtData->setReadOnly(!fits);
        txtData->setText(toQString(fits ? std::string_view(state.CellBoxText)
                                        : LeadingCharacters(state.CellBoxText, limit)));
    }
    txtData->setEnabled(state.CellBoxEnabled && state.DataCommandsEnabled);

    cmbFieldJump->setNames(state.JumpListItems);
    cmbFieldJump->setCurrentIndex(state.JumpListIndex);
    stgData->setEnabled(state.DataCommandsEnabled);
    for (QAction* action : m_dataActions) {
        action->setEnabled(state.DataCommandsEnabled);
    }
    m_records->updateEnabled();
    for (QAction* action : m_showAllActions) {
        action->setEnabled(state.DataCommandsEnabled && state.VisibleAllEnabled);
    }
    mnuFileSaveAsCsv->setText(fromUtf8(SaveConvertedCaption(state)));
    stgData->gridChanged();
}

void TfrmShowData::layoutStatusPanels() {
    if (!m_state->FormAlive) {
        return;
    }
    const int unit = width() / 20;
    staBar->setWidths({3 * unit, 4 * unit, 3 * unit, 6 * unit, 4 * unit});
}

void TfrmShowData::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutStatusPanels();
}

void TfrmShowData::closeEvent(QCloseEvent* event) {
    // A save that fails, also by an exception, keeps the window open with its data.
    bool settled = false;
    m_gate->run(
        CommandGate::Typing::Commit, [&] { settled = settleUnsavedChanges(); },
        SaveInPlaceFailureWords);
    if (!settled) {
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
    m_gate->run(
        CommandGate::Typing::Commit,
        [&] {
            if (path->size() <= kMaxDroppedPath && settleUnsavedChanges()) {
                DataFileLoad(pathFromQString(*path), {});
            }
        },
        OpenFailureWords);
}

} // namespace ranvo::gui
