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
#include "core/app/status_bar.h"
#include "core/app/window_updates.h"
#include "core/editing/cell_editing.h"
#include "core/editing/reapply.h"
#include "core/export/save_commands.h"
#include "core/export/xml_export.h"
#include "core/platform/paths.h"
#include "core/text/sjis.h"
#include "gui/app/cell_actions.h"
#include "gui/app/column_width_dialog.h"
#include "gui/app/field_jump_box.h"
#include "gui/app/ranvo_application.h"
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
#include "gui/platform/text_codec.h"
#include "gui/printing/preview_dialog.h"
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
#include <QPrinter>
#include <QScreen>
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
            enterCellBox();
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
    if (txtData->isReadOnly()) {
        return;
    }
    CellBoxLeft(*m_state, fromQString(txtData->text()));
    refreshFromState();
    // A command that committed the box may leave the focus in it, showing the current cell
    // afresh (rows may have moved under it): what is typed next is a new visit.
    if (txtData->hasFocus()) {
        enterCellBox();
    }
}

void TfrmShowData::enterCellBox() {
    CellBoxEntered(*m_state, fromQString(txtData->text()));
    m_cellBoxEntered = true;
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
