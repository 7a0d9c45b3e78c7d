// The main window's commands: its menus, toolbars, context menu and keys, each command with the
// handler it runs, its enabling group and its help topic.

#include "core/app/command_failure.h"
#include "core/app/fixed_captions.h"
#include "core/editing/sort.h"
#include "core/export/save_commands.h"
#include "gui/app/cell_actions.h"
#include "gui/app/command_gate.h"
#include "gui/app/command_table.h"
#include "gui/app/field_jump_box.h"
#include "gui/app/main_window.h"
#include "gui/app/record_actions.h"
#include "gui/grid/grid_view.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/program_images.h"
#include "gui/platform/text_codec.h"
#include "gui/settings/info_dialog.h"

#include <tuple>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

namespace ranvo::gui {

void TfrmShowData::createMenusAndToolbars() {
    using enum CommandGroup;
    const auto commit = CommandGate::Typing::Commit;
    const auto add = [this](QWidget* owner, const CommandEntry& entry,
                            void (TfrmShowData::*handler)()) {
        return m_commands->addTo(owner, entry, [this, handler] { (this->*handler)(); });
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    m_commands->add(file, "mnuFile", Always, 0);
    add(file, {"mnuFileOpen", QStringLiteral("開く(&O)"), Always, 8, {}, commit, OpenFailureWords},
        &TfrmShowData::mnuFileOpenClick);
    file->addSeparator();
    add(file,
        {"mnuFileSave", QStringLiteral("上書き保存(&S)"), FileMenus, 20,
         QKeySequence(Qt::CTRL | Qt::Key_S), commit, SaveInPlaceFailureWords},
        &TfrmShowData::mnuFileSaveClick);
    add(file, {"mnuFileAsSave", QStringLiteral("名前を付けて保存(&A)"), FileMenus, 20, {}, commit, SaveFailureWords},
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
        add(file, {"mnuFileSaveAsCsv", fromUtf8(SaveConvertedCaption(*m_state)), FileMenus, 20, {}, commit,
                   SaveFailureWords},
            &TfrmShowData::mnuFileSaveAsCsvClick);
    add(file, {"mnuFileSaveAsXML", QStringLiteral("XML出力(&X)"), FileMenus, 0, {}, commit, SaveFailureWords},
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
    cmbFieldJump = new FieldJumpBox(Splitter1);
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
    connect(helpKey, &QShortcut::activated, this,
            [this] { showHelp(helpContextOf(QApplication::focusWidget())); });
    new MenuHelpKey([this](int context) { showHelp(context); }, this);
    setHelpContext(this, 5);
    for (QWidget* widget : {static_cast<QWidget*>(stgData), static_cast<QWidget*>(statusBar())}) {
        setHelpContext(widget, 24);
    }
    for (QToolBar* toolbar : {tlbMenu, tlbBox}) {
        setHelpContext(toolbar, 9);
    }

    auto* jumpShortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_J), this);
    connect(jumpShortcut, &QShortcut::activated, this, [this] {
        m_gate->run(CommandGate::Typing::Commit, [this] { cmbFieldJump->setFocus(); });
    });
    auto* undoKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Backspace), stgData);
    connect(undoKey, &QShortcut::activated, this, [this] {
        m_gate->run(CommandGate::Typing::Refuse, [this] { m_records->mnuEditUndoClick(); });
    });
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
    const auto record = CommandGate::Typing::KeepRecord;
    const auto commit = CommandGate::Typing::Commit;
    struct Button {
        CommandEntry entry;
        const char* image = nullptr; // none: a divider
        std::function<void()> handler;
    };
    const Button buttons[] = {
        {{"tbcSave", QStringLiteral("上書き保存　Ctrl + S"), FileButtons, 9, {}, commit, SaveInPlaceFailureWords},
         "save",
         own(&TfrmShowData::tbcSaveClick)},
        {{"tbcPreview", QStringLiteral("印刷プレビュー"), Always, 38},
         "preview",
         own(&TfrmShowData::tbcPreviewClick)},
        {},
        {{"tbcCopy", QStringLiteral("レコードコピー　Ctrl + Alt + C"), FileButtons, 29, {}, record},
         "record-copy",
         [this] { m_records->mnuRecordCopyClick(); }},
        {{"tbcCut", QStringLiteral("レコードカット　Ctrl + Alt + T"), FileButtons, 29, {}, record},
         "record-cut",
         [this] { m_records->mnuRecordCutClick(); }},
        {{"tbcPaste", QStringLiteral("レコード貼り付け　Ctrl + Alt + P"), Always, 29, {}, record},
         "record-paste",
         [this] { m_records->mnuRecordPasteClick(); }},
        {{"tbcDelete", QStringLiteral("レコード削除　Ctrl + Alt + D"), FileButtons, 29, {}, record},
         "record-delete",
         [this] { m_records->mnuRecordDeleteClick(); }},
        {{"tbcFind", QStringLiteral("検索　Ctrl + F"), Always, 21},
         "find",
         own(&TfrmShowData::mnuEditFindClick)},
        {{"tbcReplace", QStringLiteral("置換　Ctrl + H"), Always, 52},
         "replace",
         own(&TfrmShowData::mnuEditReplaceClick)},
        {},
        {{"tbcAddNew", QStringLiteral("レコード追加　Ctrl + Alt + N"), FileButtons, 29, {}, record},
         "record-add",
         [this] { m_records->mnuRecordAddClick(); }},
        {{"tbcInsert", QStringLiteral("レコード挿入　Ctrl + Alt + I"), FileButtons, 29, {}, record},
         "record-insert",
         [this] { m_records->mnuRecordInsertClick(); }},
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
            m_commands->addTo(tlbMenu, button.entry, button.handler)
                ->setIcon(toolbarIcon(QString::fromLatin1(button.image)));
        }
    }
}

void TfrmShowData::createViewMenu() {
    using enum CommandGroup;
    const auto add = [this](QWidget* owner, const CommandEntry& entry,
                            void (TfrmShowData::*handler)()) {
        return m_commands->addTo(owner, entry, [this, handler] { (this->*handler)(); });
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
    const auto add = [this](const CommandEntry& entry, void (TfrmShowData::*handler)()) {
        return m_commands->addTo(stgData, entry, [this, handler] { (this->*handler)(); });
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

} // namespace ranvo::gui
