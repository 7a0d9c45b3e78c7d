#pragma once

// The program's own folder: config.ini, history.dat and the define/, filter/ and help/ folders
// live "beside the program". It is a value handed to whoever needs it, never a global, so tests
// point it at a temporary folder and the command-line tool at the folder the user names.

#include <filesystem>
#include <utility>

namespace ranvo {

class AppHome {
public:
    AppHome() = default;
    explicit AppHome(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    [[nodiscard]] const std::filesystem::path& Folder() const { return m_folder; }
    [[nodiscard]] bool IsSet() const { return !m_folder.empty(); }
    [[nodiscard]] std::filesystem::path ConfigFile() const { return m_folder / "config.ini"; }
    [[nodiscard]] std::filesystem::path HistoryFile() const { return m_folder / "history.dat"; }
    [[nodiscard]] std::filesystem::path DefineFolder() const { return m_folder / "define"; }
    [[nodiscard]] std::filesystem::path FilterFolder() const { return m_folder / "filter"; }
    [[nodiscard]] std::filesystem::path HelpFolder() const { return m_folder / "help"; }

private:
    std::filesystem::path m_folder;
};

} // namespace ranvo
