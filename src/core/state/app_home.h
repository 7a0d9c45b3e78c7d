#pragma once

// The program's own folders. Its home holds what it writes: config.ini, history.dat and the
// define/ and filter/ folders. Its data folder holds what it only reads: the help document in
// help/. Both are the folder beside the program, except where LocateAppHome (app/program_home.h)
// parts them. It is a value handed to whoever needs it, never a global, so tests point it at a
// temporary folder and the command-line tool at the folder the user names.

#include <filesystem>
#include <utility>

namespace ranvo {

class AppHome {
public:
    AppHome() = default;
    // One folder for everything, as beside the program.
    explicit AppHome(std::filesystem::path folder)
        : m_folder(folder), m_dataFolder(std::move(folder)) {}
    AppHome(std::filesystem::path folder, std::filesystem::path dataFolder)
        : m_folder(std::move(folder)), m_dataFolder(std::move(dataFolder)) {}

    [[nodiscard]] const std::filesystem::path& Folder() const { return m_folder; }
    [[nodiscard]] const std::filesystem::path& DataFolder() const { return m_dataFolder; }
    [[nodiscard]] bool IsSet() const { return !m_folder.empty(); }
    [[nodiscard]] std::filesystem::path ConfigFile() const { return m_folder / "config.ini"; }
    [[nodiscard]] std::filesystem::path HistoryFile() const { return m_folder / "history.dat"; }
    [[nodiscard]] std::filesystem::path DefineFolder() const { return m_folder / "define"; }
    [[nodiscard]] std::filesystem::path FilterFolder() const { return m_folder / "filter"; }
    [[nodiscard]] std::filesystem::path HelpFile() const {
        return m_dataFolder / "help" / "ranvo.html";
    }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_dataFolder;
};

} // namespace ranvo
