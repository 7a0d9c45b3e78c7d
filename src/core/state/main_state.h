#pragma once

// The state of the main window that every command works on: the current definition, the record
// list and the grid beside it, the settings, the loaded file and how it was read, and the flags
// that tie the commands together. The window owns one; commands are plain functions over it, so
// every rule runs headless in tests.

#include "core/definitions/define_class.h"
#include "core/grid/data_grid.h"
#include "core/platform/paths.h"
#include "core/platform/character_map.h"
#include "core/settings/ranvo_setting.h"
#include "core/state/app_home.h"
#include "core/state/load_options.h"
#include "core/state/outside_range.h"
#include "core/state/page_addition.h"
#include "core/state/undo_data.h"
#include "core/views/rv_filter_mng.h"

#include <array>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace ranvo {

struct MainState {
    MainState(AppHome home, TRanvoSetting settings)
        : Home(std::move(home)), Settings(std::move(settings)) {}

    // Where config.ini, history.dat and the definition folder are; not set for a tool that runs
    // without one.
    AppHome Home;
    TRanvoSetting Settings;
    TDefineClass Definition;
    // The grid and the records behind its rows (grid row r is record r - 1).
    DataGrid Grid;

    // Full path of the loaded data file; empty while nothing is loaded.
    std::filesystem::path DataFileName;
    bool Modified = false;
    // How the loaded file was read; saving writes it back the same way.
    LoadOptions Loaded;
    // The file began with a UTF-8 byte order mark, which saving writes back.
    bool Utf8Bom = false;
    // With a read range: the rest of the file as read, and what the file was when it was read.
    OutsideRange Outside;
    FileStamp LoadedStamp;
    // A CSV file's title line as read; written back as it was while the titles are unchanged.
    std::string TitleLine;
    // The codes that stand, while the file is open, for characters CP932 cannot hold; loading
    // fills it, typing may add to it, saving and display read it.
    CharacterMap Characters;
    // The filters of the current definition, and whether its settings were prepared for it.
    TRvFilterMng FilterMng;
    bool FiltersPrepared = false;

    // Edits: the undo stack and the records copied or cut (with their condition prefixes).
    TUndoData UndoData;
    std::vector<std::string> RecordClipboard;
    bool UndoEnabled = false;        // the undo command
    bool RecordPasteEnabled = false; // record paste, enabled by the first record copy
    // The row a record is being typed for, and whether it was inserted (else added at the end).
    int AddRow = 0;
    bool InsertMode = false;

    // Where the last search found its match (row, column); 0, 0 after a search found nothing.
    int SearchRow = 0;
    int SearchCol = 0;

    // The show-all menu items are enabled once anything was hidden, until everything is shown;
    // the toolbar's show-all button once rows were hidden, and then it stays.
    bool VisibleAllEnabled = false;
    bool VisibleAllButtonEnabled = false;

    // Cell selection and the field-jump list.
    bool SkipSelectCheck = false; // the next cell selection only clears this flag
    bool HiddenCheck = true;      // selecting a hidden cell is refused
    int JumpListCondition = -1;   // the condition whose field names fill the field-jump list
    bool JumpKeyDown = false;     // a key went down in the field-jump list
    int AnchorCol = 1;            // mouse selection anchor
    int AnchorRow = 1;
    bool FixedCellInfo = false; // fixed cells show condition and field names
    bool FormAlive = true;      // the window is open: cells are drawn, the status bar laid out
    bool AddBoxActive = false;  // a record is being typed into the add box
    // Highlight of one field of one condition.
    bool HighLightOn = false;
    int HighLightCondition = -1;
    int HighLightField = -1;
    // The definition handed to the open command with a file, instead of automatic detection.
    std::filesystem::path PendingDefineFile;
    // Texts of the in-place editor and the cell edit box (CP932).
    std::string LastEditText;
    std::string EditOriginalText;
    std::string EditStartText;
    std::string DataBoxText;

    // What the window shows beside the grid; commands keep it and the window draws it.
    std::array<std::string, 5> StatusPanels; // UTF-8
    std::string CellBoxText;                 // the cell edit box (txtData), CP932
    bool CellBoxEnabled = false;
    std::vector<std::string> JumpListItems; // field names, CP932
    int JumpListIndex = -1;
    // The menu commands that need a loaded file are enabled; an open that fails disables them.
    bool DataCommandsEnabled = false;
    // The toolbar buttons that need a loaded file are enabled; a failed open leaves them.
    bool DataButtonsEnabled = false;
    // The Edit and View menus are enabled: from the start, and until an open fails.
    bool EditViewMenusEnabled = true;

    // Printing: the headers and footers, whether filtered values are printed, and the preview's
    // zoom in percent (100 while printing). They last while the program runs.
    PageAdditions Additions;
    bool PrintFilter = false;
    int PrintZoom = 100;
};

} // namespace ranvo
