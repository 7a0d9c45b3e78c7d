#pragma once

// The system's file calls under file_io.cpp, one implementation chosen when the library is built
// (POSIX or Windows). A handle is a file descriptor or a Windows HANDLE held as an integer.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace ranvo::native {

using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// A regular file opened for reading; kNoHandle when it is missing or unreadable, or is a folder,
// a named pipe or a device, which are refused without waiting for anything to be written to them.
[[nodiscard]] Handle OpenRegularFile(const std::filesystem::path& path);
// The size of an open file.
[[nodiscard]] std::optional<std::uint64_t> SizeOf(Handle handle);
// The bytes read into `into`, 0 at the end, nothing on an error.
[[nodiscard]] std::optional<std::size_t> ReadSome(Handle handle, char* into, std::size_t count);
[[nodiscard]] bool WriteAll(Handle handle, std::string_view bytes);
// Forces the written bytes to the disk.
[[nodiscard]] bool Flush(Handle handle);
[[nodiscard]] bool Close(Handle handle);

// What is at a path that a save is about to replace.
struct TargetState {
    bool exists = false;
    bool regularFile = false;
    // Whether the user may write the file itself: it is not read-only, and the system grants
    // this process writing. A file with no write permission for anybody (mode 444, or the
    // read-only attribute) counts as read-only even where the system would grant it.
    bool writable = false;
};
[[nodiscard]] TargetState InspectTarget(const std::filesystem::path& path);

struct TemporaryFile {
    Handle handle = kNoHandle;
    std::filesystem::path path;
    // Whether making it failed because the folder may not be written to.
    bool denied = false;
};
// A new file in the target's folder under a short name of its own, carrying the permissions,
// owner and group of the target where it exists and the process may set them.
[[nodiscard]] TemporaryFile CreateTemporaryBeside(const std::filesystem::path& target);

// The existing file opened for writing over its bytes from the start, for a save that cannot go
// through a temporary file.
[[nodiscard]] Handle OpenForOverwrite(const std::filesystem::path& path);
// Cuts the file off after `size` bytes.
[[nodiscard]] bool Truncate(Handle handle, std::uint64_t size);

// Puts the temporary file in the target's place in one step, the target's name keeping its
// attributes where the system keeps them.
[[nodiscard]] bool ReplaceWith(const std::filesystem::path& temporary,
                               const std::filesystem::path& target);
void Remove(const std::filesystem::path& path);

} // namespace ranvo::native
