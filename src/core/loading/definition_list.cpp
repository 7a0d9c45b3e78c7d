#include "core/loading/definition_list.h"

#include "core/loading/open_history.h"
#include "core/platform/code_page.h"
#include "core/platform/paths.h"
#include "core/text/upper_case_sort.h"

#include <algorithm>
#include <system_error>

namespace ranvo {
namespace {

// The definition files directly in `folder`. Within one folder they are taken in name order, so
// that the list does not depend on the order the file system happens to list them in.
void addFolder(const std::filesystem::path& folder, std::vector<std::filesystem::path>& list) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    std::vector<std::filesystem::path> found;
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (IsDefinitionFile(*entries)) {
            found.push_back(FullPath(entries->path()));
        }
    }
    std::sort(found.begin(), found.end());
    list.insert(list.end(), found.begin(), found.end());
}

} // namespace

bool IsDefinitionFile(const std::filesystem::directory_entry& entry) {
    return IsFileWithExtension(entry, ".def");
}

std::vector<std::filesystem::path>
BuildDefinitionList(const AppHome& home, const std::vector<std::string>& extraFolders) {
    std::vector<std::filesystem::path> list;
    if (home.IsSet()) {
        addFolder(home.Folder(), list);
        addFolder(home.DefineFolder(), list);
    }
    for (const std::string& folder : extraFolders) {
        addFolder(Cp932ToPath(folder), list);
    }
    SortByUpperCase(list, [](const std::filesystem::path& path) {
        return PathToCp932(path.filename());
    });
    return list;
}

} // namespace ranvo
