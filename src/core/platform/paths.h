#pragma once

// Path questions that never throw: whether something exists at a path, and a path's full form;
// paths to and from UTF-8 text, which is what the system's own strings hold on every system
// (a narrow string becomes a path in the ANSI code page on Windows).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace ranvo {

// Whether anything exists at the path; false also when the question cannot be answered.
[[nodiscard]] bool PathExists(const std::filesystem::path& path);
// Whether something other than a folder exists at the path: what a user means by a file.
[[nodiscard]] bool FileExists(const std::filesystem::path& path);

// Whether the entry is a regular file with the extension `extension` (such as ".def") in any
// letter case, as a pattern like *.def matches on the system the files come from.
[[nodiscard]] bool IsFileWithExtension(const std::filesystem::directory_entry& entry,
                                       std::string_view extension);

// What a file was at one moment: its size and when it was last written, so that a later look can
// tell whether another program has changed or removed it since. Unknown for a path that is no
// readable regular file.
struct FileStamp {
    bool Known = false;
    std::uint64_t Size = 0;
    std::int64_t Modified = 0; // the file clock's ticks

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
[[nodiscard]] FileStamp StampOf(const std::filesystem::path& path);

// The path's full, lexically normal form, without a trailing separator.
[[nodiscard]] std::filesystem::path FullPath(const std::filesystem::path& path);

[[nodiscard]] std::filesystem::path PathFromUtf8(std::string_view utf8);
// With "/" between its parts on every system, so that what is printed reads the same everywhere.
[[nodiscard]] std::string GenericUtf8(const std::filesystem::path& path);

} // namespace ranvo
