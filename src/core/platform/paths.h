#pragma once

// Path questions that never throw: whether something exists at a path, and a path's full form.

#include <filesystem>
#include <string_view>

namespace ranvo {

// Whether anything exists at the path; false also when the question cannot be answered.
[[nodiscard]] bool PathExists(const std::filesystem::path& path);

// Whether the entry is a regular file with the extension `extension` (such as ".def") in any
// letter case, as a pattern like *.def matches on the system the files come from.
[[nodiscard]] bool IsFileWithExtension(const std::filesystem::directory_entry& entry,
                                       std::string_view extension);

// The path's full, lexically normal form, without a trailing separator.
[[nodiscard]] std::filesystem::path FullPath(const std::filesystem::path& path);

} // namespace ranvo
