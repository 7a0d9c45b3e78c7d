#pragma once

// The state of the main window that every command works on: the current definition, the record
// list and the grid beside it, the settings, the loaded file and how it was read, and the flags
// that tie the commands together. The window owns one; commands are plain functions over it, so
// every rule runs headless in tests.

#include "core/definitions/define_class.h"
#include "core/grid/data_grid.h"
#include "core/grid/record_list.h"
#include "core/settings/ranvo_setting.h"
#include "core/state/load_options.h"

#include <filesystem>
#include <utility>

namespace ranvo {

struct MainState {
    explicit MainState(TRanvoSetting settings) : Settings(std::move(settings)) {}

    TRanvoSetting Settings;
    TDefineClass Definition;
    // One entry per data row: the condition prefix and the record text (grid row r is entry r-1).
    RecordList Records;
    DataGrid Grid;

    // Full path of the loaded data file; empty while nothing is loaded.
    std::filesystem::path DataFileName;
    bool Modified = false;
    // How the loaded file was read; saving writes it back the same way.
    LoadOptions Loaded;
    // The file began with a UTF-8 byte order mark, which saving writes back.
    bool Utf8Bom = false;
};

} // namespace ranvo
