#pragma once

// Path questions that never throw: whether something exists at a path, and a path's full form.

#include <filesystem>

namespace ranvo {

// Whether anything exists at the path; false also when the question cannot be answered.
[[nodiscard]] bool PathExists(const std::filesystem::path& path);

// The path's full, lexically normal form, without a trailing separator.
[[nodiscard]] std::filesystem::path FullPath(const std::filesystem::path& path);

} // namespace ranvo
