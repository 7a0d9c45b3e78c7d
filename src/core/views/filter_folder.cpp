#include "core/views/filter_folder.h"

#include "core/platform/code_page.h"
#include "core/platform/paths.h"
#include "core/text/upper_case_sort.h"

#include <algorithm>
#include <system_error>

namespace ranvo {

std::vector<std::string> ListFilterFiles(const std::filesystem::path& folder,
                                         std::string_view extension) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (IsFileWithExtension(*entries, extension)) {
            names.push_back(PathToCp932(entries->path().filename()));
        }
    }
    // The directory's own order is arbitrary: byte order first makes the result the same on
    // every system.
    std::sort(names.begin(), names.end());
    SortByUpperCase(names, [](const std::string& name) -> const std::string& { return name; });
    return names;
}

bool ReadyFilterFileForSaving(UiHost& host, const std::filesystem::path& path) {
    if (PathExists(path) && !host.AskYesNo("同名ファイルが存在します\r\n上書きしますか？")) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return true;
}

} // namespace ranvo
