#include "core/loading/open_command.h"

#include "core/loading/grid_fill.h"
#include "core/loading/record_loader.h"

#include <system_error>

namespace ranvo {
namespace {

bool isValidRange(const ReadRange& range) {
    if (range.Enabled && (range.From < 1 || range.To < 1)) {
        return false;
    }
    return range.From <= range.To;
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::string quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

// Nothing is loaded after a failure past the checks: the commands that need data are off.
OpenOutcome failed(MainState& state, UiHost& host, const std::string& message) {
    host.ShowError(message);
    state.DataFileName.clear();
    return OpenOutcome::Failed;
}

} // namespace

OpenOutcome OpenDataFile(MainState& state, const OpenChoice& choice, UiHost& host) {
    BusyGuard busy(host);
    if (!isValidRange(choice.Options.Range)) {
        host.ShowError("読込範囲が不正です");
        return OpenOutcome::Refused;
    }
    if (!fileExists(choice.DataPath)) {
        host.ShowError("読込ファイルが存在しません");
        return OpenOutcome::Refused;
    }
    const std::filesystem::path& definitionPath = choice.DefinitionPath;
    if (definitionPath.empty()) {
        host.ShowError("定義ファイルの自動判別に失敗しました");
        return OpenOutcome::Refused;
    }
    if (!fileExists(definitionPath)) {
        host.ShowError("指定された定義ファイル" + quoted(definitionPath) + "は存在しません");
        return OpenOutcome::Refused;
    }
    if (!state.Definition.LoadFromFile(definitionPath)) {
        return failed(state, host, "定義ファイル" + quoted(definitionPath) + "の読込に失敗しました");
    }
    if (!LoadDataFile(state, choice.DataPath, choice.Options, host)) {
        return failed(state, host, "ファイル" + quoted(choice.DataPath) + "の読込に失敗しました");
    }
    if (!FillGrid(state, host)) {
        return failed(state, host, "データの取り込みに失敗しました");
    }
    return OpenOutcome::Opened;
}

} // namespace ranvo
