#pragma once

// Whole-file reading and safe writing. Saving never destroys the previous file: the bytes go to
// a temporary file in the same folder, which is flushed to disk and then renamed over the target.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ranvo {

// The file's bytes, or nothing when it does not exist or cannot be read (a folder, no permission).
[[nodiscard]] std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Replaces the file with `bytes`; false (and the old file untouched) when anything fails.
[[nodiscard]] bool WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

} // namespace ranvo
