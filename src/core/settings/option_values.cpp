#include "core/settings/option_values.h"

#include "core/platform/code_page.h"
#include "core/settings/ranvo_setting.h"

#include <algorithm>
#include <system_error>

namespace ranvo {

std::optional<int> ChoiceIndex(const std::vector<std::int32_t>& choices, std::int32_t value) {
    const auto found = std::find(choices.begin(), choices.end(), value);
    if (found == choices.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - choices.begin());
}

std::optional<int> FontSizeIndex(std::int32_t size) {
    if (size < kSmallestFontSize || size > kLargestFontSize) {
        return std::nullopt;
    }
    return size - kSmallestFontSize;
}

std::int32_t StyleWithBold(std::int32_t style, bool bold) {
    return bold ? FontStyleBold : style & ~FontStyleBold;
}

bool ShowsBold(std::int32_t style) {
    return style == FontStyleBold;
}

bool FolderReachable(const std::string& folder) {
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(Cp932ToPath(folder), error);
}

FolderAddition AddDefineFolder(std::vector<std::string>& folders, const std::string& folder) {
    if (!FolderReachable(folder)) {
        return FolderAddition::NotAFolder;
    }
    if (std::find(folders.begin(), folders.end(), folder) != folders.end()) {
        return FolderAddition::AlreadyListed;
    }
    folders.push_back(folder);
    return FolderAddition::Added;
}

} // namespace ranvo
