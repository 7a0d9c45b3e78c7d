#include "core/export/save_commands.h"

#include "core/export/data_writer.h"
#include "core/export/save_target.h"
#include "core/platform/paths.h"


namespace ranvo {
namespace {

constexpr std::string_view kSaved = "保存しました";
constexpr std::string_view kSaveFailed = "保存に失敗しました";

// After a save in the file's own layout the grid's rows stand where the read range stood, so the
// range follows them: a later save neither repeats nor loses the lines around it.
void followReadRange(MainState& state) {
    ReadRange& range = state.Loaded.Range;
    if (range.Enabled) {
        range.To = range.From - 1 + static_cast<int>(state.Grid.Records().size());
    }
}

// Writes the file, asking first when characters of the text have no form in the file's code,
// and shows `failure` when the write fails. True when the file was written.
bool writeAsking(const MainState& state, UiHost& host, const std::filesystem::path& target,
                 TargetLayout layout, std::string_view failure) {
    WriteOutcome outcome = WriteOutcome::Failed;
    {
        BusyGuard busy(host);
        outcome = WriteDataFile(state, target, layout, [&host](std::size_t lost) {
            return AskToWriteLostCharacters(host, lost);
        });
    }
    if (outcome == WriteOutcome::Failed) {
        host.ShowError(failure);
    }
    return outcome == WriteOutcome::Written;
}

// The file as written is the file as loaded from now on.
void saved(MainState& state, const std::filesystem::path& target) {
    state.Modified = false;
    state.UndoData.MarkSaved();
    followReadRange(state);
    state.LoadedStamp = StampOf(target);
}

// The written file becomes the current one.
void becomeCurrent(MainState& state, const std::filesystem::path& target) {
    saved(state, target);
    state.DataFileName = FullPath(target);
}

// A file opened with a read range is written back around the rows with the rest of it as it was
// read. When another program has changed or removed the file since, that would silently undo
// its work: the user is told, and may save under another name instead.
bool rangeFileUnchanged(const MainState& state, UiHost& host) {
    if (!state.Loaded.Range.Enabled || StampOf(state.DataFileName) == state.LoadedStamp) {
        return true;
    }
    host.ShowWarning("読込範囲を指定して開いたファイル\"" + GenericUtf8(state.DataFileName) +
                     "\"は、開いた後に変更されたか削除されています\r\n"
                     "上書きせずに、名前を付けて保存して下さい");
    return false;
}

} // namespace

bool SaveInPlace(MainState& state, UiHost& host) {
    if (state.DataFileName.empty()) {
        return false;
    }
    if (!rangeFileUnchanged(state, host)) {
        return SaveAs(state, host);
    }
    if (!PathExists(state.DataFileName)) {
        return SaveAs(state, host);
    }
    if (!writeAsking(state, host, state.DataFileName, TargetLayout::Own, "ファイルの保存に失敗しました")) {
        return false;
    }
    saved(state, state.DataFileName);
    return true;
}

bool SaveAs(MainState& state, UiHost& host) {
    if (state.DataFileName.empty()) {
        return false;
    }
    const std::optional<std::filesystem::path> target = ChooseSaveTarget(host, state.DataFileName);
    if (!target) {
        return false;
    }
    if (!writeAsking(state, host, *target, TargetLayout::Own, kSaveFailed)) {
        return false;
    }
    host.ShowInformation(kSaved);
    becomeCurrent(state, *target);
    return true;
}

void SaveConverted(MainState& state, UiHost& host) {
    if (state.DataFileName.empty()) {
        return;
    }
    const bool toCsv = state.Definition.IsFixedFormat();
    std::filesystem::path proposed = state.DataFileName;
    if (toCsv) {
        proposed.replace_extension(".csv");
    }
    const std::optional<std::filesystem::path> target = ChooseSaveTarget(host, proposed);
    if (!target) {
        return;
    }
    if (!writeAsking(state, host, *target, toCsv ? TargetLayout::CsvCopy : TargetLayout::Fixed, kSaveFailed)) {
        return;
    }
    // A converted copy is an export: the file being edited stays the current one.
    host.ShowInformation(kSaved);
}

std::string_view SaveConvertedCaption(const MainState& state) {
    return state.Definition.IsCsvFormat() ? "固定長形式で保存" : "CSV形式で保存(&C)";
}

} // namespace ranvo
