#include "core/loading/open_command.h"

#include "core/loading/auto_detect.h"
#include "core/loading/grid_fill.h"
#include "core/loading/open_history.h"
#include "core/loading/record_loader.h"
#include "core/platform/paths.h"

#include <system_error>

namespace ranvo {
namespace {

std::string quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

// Nothing is loaded after a failure past the checks: the commands that need data are off.
OpenResult failed(MainState& state, UiHost& host, const std::string& message,
                  const std::filesystem::path& definitionPath) {
    host.ShowError(message);
    state.DataFileName.clear();
    state.Grid.SetRecords({});
    state.Grid.SetColCount(1);
    state.Grid.SetRowCount(1);
    state.Grid.SetFixedRows(0);
    state.Grid.SetFixedCols(0);
    return {OpenOutcome::Failed, definitionPath};
}

OpenResult refused(UiHost& host, std::string_view message) {
    host.ShowError(message);
    return {OpenOutcome::Refused, {}};
}

} // namespace

OpenResult OpenDataFile(MainState& state, const OpenChoice& choice, UiHost& host) {
    BusyGuard busy(host);
    if (!IsValidReadRange(choice.Options.Range)) {
        return refused(host, "読込範囲が不正です");
    }
    // A folder is no data file: it would pass only to fail the reading with a misleading message.
    if (!FileExists(choice.DataPath)) {
        return refused(host, "読込ファイルが存在しません");
    }
    if (!choice.DefinitionSelected) {
        return refused(host, "定義ファイルが選択されていません");
    }
    std::filesystem::path definitionPath = choice.DefinitionPath;
    if (definitionPath.empty()) {
        std::optional<std::filesystem::path> detected = DetectDefinition(
            choice.DataPath, choice.Options.Code, state.Home, state.Settings, choice.Definitions);
        if (!detected) {
            return refused(host, "定義ファイルの自動判別に失敗しました");
        }
        definitionPath = std::move(*detected);
    }
    if (!FileExists(definitionPath)) {
        return refused(host, "指定された定義ファイル" + quoted(definitionPath) + "は存在しません");
    }
    // The definition is read beside the current one, which stays until the data is in.
    TDefineClass definition;
    if (!definition.LoadFromFile(definitionPath)) {
        return failed(state, host, "定義ファイル" + quoted(definitionPath) + "の読込に失敗しました",
                      definitionPath);
    }
    switch (LoadDataFile(state, std::move(definition), choice.DataPath, choice.Options, host)) {
    case LoadOutcome::Loaded: break;
    case LoadOutcome::Cancelled: return {OpenOutcome::Cancelled, definitionPath};
    case LoadOutcome::Failed:
        return failed(state, host, "ファイル" + quoted(choice.DataPath) + "の読込に失敗しました",
                      definitionPath);
    }
    // Another file's hidden rows and columns mean nothing for this one: it opens fully shown.
    state.Grid.ResetExtents();
    if (!FillGrid(state, host)) {
        return failed(state, host, "データの取り込みに失敗しました", definitionPath);
    }
    state.FilterMng.Active = false;
    state.FilterMng.Reset(); // its settings were made for the previous definition
    state.FiltersPrepared = false;
    if (choice.RecordHistory && state.Home.IsSet()) {
        // A history that cannot be written costs the user nothing but a list entry; the file
        // is open and stays open.
        (void)UpdateOpenHistory(state.Home.HistoryFile(), choice.DataPath, definitionPath,
                                state.Settings.MaxHistoryNum);
    }
    return {OpenOutcome::Opened, definitionPath};
}

} // namespace ranvo
