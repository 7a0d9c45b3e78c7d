#pragma once

// Whole-file reading, reading in pieces, and safe writing. Saving never destroys the previous
// file: the bytes go to a temporary file in the same folder, which is flushed to disk and then
// put in the target's place in one step.
//
// Saving keeps the file what it was: a symbolic link is followed and the file it names replaced;
// the permissions, and the owner and group where the process may set them, carry over; a file
// the user may not write, or that has no write permission for anybody, is not replaced. Where no
// temporary file can be made beside the target (a folder the user may not write) but the target
// itself is writable, the bytes overwrite the target in place: that keeps its hard links too,
// but a failure half way leaves it half written. A replaced file's other hard links keep the old
// bytes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ranvo {

// The file's bytes, or nothing when it does not exist or cannot be read (a folder, a named pipe or
// a device, no permission).
[[nodiscard]] std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Replaces the file with `bytes`; false (and the old file untouched) when anything fails.
[[nodiscard]] bool WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

// A regular file read piece by piece, for files too large to want in memory at once.
class FileReader {
public:
    explicit FileReader(const std::filesystem::path& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    [[nodiscard]] bool IsOpen() const { return m_handle != -1; }
    // The file's size when it was opened.
    [[nodiscard]] std::size_t Size() const { return m_size; }
    // Reads up to `count` bytes into `into`; the number read (0 at the end), or nothing on a read
    // error.
    [[nodiscard]] std::optional<std::size_t> ReadRaw(char* into, std::size_t count);
    // Appends up to `count` bytes to `buffer`; the number appended (0 at the end), or nothing on
    // a read error.
    [[nodiscard]] std::optional<std::size_t> ReadInto(std::string& buffer, std::size_t count);

private:
    std::intptr_t m_handle = -1; // the system's handle, -1 when none
    std::size_t m_size = 0;
};

// A file written through a temporary file beside it. Commit flushes it and puts it in the
// target's place; without a successful commit the temporary file is removed and the target is
// untouched. Where the save goes in place (see above), Commit cuts the target to the bytes
// written.
class ReplacingFileWriter {
public:
    explicit ReplacingFileWriter(const std::filesystem::path& target);
    ~ReplacingFileWriter();
    ReplacingFileWriter(const ReplacingFileWriter&) = delete;
    ReplacingFileWriter& operator=(const ReplacingFileWriter&) = delete;

    [[nodiscard]] bool IsOpen() const { return m_handle != -1; }
    // Whether the bytes go straight into the target (no temporary file could be made beside it).
    [[nodiscard]] bool WritesInPlace() const { return IsOpen() && m_temporary.empty(); }
    [[nodiscard]] bool Write(std::string_view bytes);
    [[nodiscard]] bool Commit();

private:
    std::filesystem::path m_target;    // the file a symbolic link names, not the link
    std::filesystem::path m_temporary; // empty when writing in place
    std::intptr_t m_handle = -1;
    std::uint64_t m_written = 0;
    bool m_failed = false;
};

} // namespace ranvo
