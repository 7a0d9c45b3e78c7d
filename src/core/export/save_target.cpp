#include "core/export/save_target.h"

#include "core/platform/paths.h"

namespace ranvo {

std::optional<std::filesystem::path> ChooseSaveTarget(UiHost& host, const std::filesystem::path& proposed) {
    FileChoice choice;
    choice.initial = proposed;
    std::optional<std::filesystem::path> chosen = host.ChooseSaveFile(choice);
    if (chosen && PathExists(*chosen) &&
        !host.AskYesNo("同名のファイルが既に存在します\r\n上書きしますか？")) {
        return std::nullopt;
    }
    return chosen;
}

} // namespace ranvo
