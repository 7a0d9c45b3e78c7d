#pragma once

// Where the window program keeps its files. Run from its build folder, or from any folder that
// holds its help beside it, the program keeps everything beside itself, as long as it may write
// there. Installed, it reads its help from the shared data folder and keeps what it writes in
// the user's configuration folder, even where the program's folder could be written (a
// personal prefix), so that no settings end up among the installed programs.

#include "core/state/app_home.h"

#include <filesystem>

namespace ranvo {

struct ProgramPlaces {
    std::filesystem::path ProgramFolder; // the folder of the executable
    bool ProgramFolderWritable = false;
    std::filesystem::path SharedDataFolder; // the installed data: <prefix>/share/ranvo
    std::filesystem::path UserConfigFolder; // the user's own folder for the program's settings
};

[[nodiscard]] AppHome LocateAppHome(const ProgramPlaces& places);

// Creates the home folder with its definition and filter folders where they are missing, so
// that a first start finds them as the program's folder holds them. config.ini is written by
// the settings themselves. False when a folder cannot be created.
[[nodiscard]] bool PrepareAppHome(const AppHome& home);

} // namespace ranvo
