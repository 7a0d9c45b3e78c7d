#include "app_state.h"

#include "core/loading/definition_list.h"
#include "core/platform/paths.h"

namespace ranvo::cli {

std::unique_ptr<MainState> makeState(const std::optional<std::string>& home) {
    if (home) {
        const AppHome appHome{PathFromUtf8(*home)};
        return std::make_unique<MainState>(appHome, TRanvoSetting::ReadOnly(appHome.ConfigFile()));
    }
    return std::make_unique<MainState>(AppHome(), TRanvoSetting::Defaults());
}

std::vector<std::filesystem::path> definitionList(const MainState& state) {
    return BuildDefinitionList(state.Home, state.Settings.DefineFolders);
}

} // namespace ranvo::cli
