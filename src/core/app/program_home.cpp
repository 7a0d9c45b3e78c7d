#include "core/app/program_home.h"

#include "core/platform/paths.h"

#include <system_error>

namespace ranvo {

AppHome LocateAppHome(const ProgramPlaces& places) {
    const bool installed = !PathExists(AppHome(places.ProgramFolder).HelpFile()) &&
                           PathExists(AppHome(places.SharedDataFolder).HelpFile());
    if (installed) {
        return AppHome(places.UserConfigFolder, places.SharedDataFolder);
    }
    if (!places.ProgramFolderWritable) {
        return AppHome(places.UserConfigFolder, places.ProgramFolder);
    }
    return AppHome(places.ProgramFolder);
}

bool PrepareAppHome(const AppHome& home) {
    for (const std::filesystem::path& folder : {home.DefineFolder(), home.FilterFolder()}) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            return false;
        }
    }
    return true;
}

} // namespace ranvo
