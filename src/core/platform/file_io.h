#pragma once

// Whole-file reading, reading in pieces, and safe writing. Saving never destroys the previous
// file: the bytes go to a temporary file in the same folder, which is flushed to disk and then
// renamed over the target.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ranvo {

// The file's bytes, or nothing when it does not exist or cannot be read (a folder, no permission).
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

    [[nodiscard]] bool IsOpen() const { return m_fd >= 0; }
    // The file's size when it was opened.
    [[nodiscard]] std::size_t Size() const { return m_size; }
    // Reads up to `count` bytes into `into`; the number read (0 at the end), or nothing on a read
    // error.
    [[nodiscard]] std::optional<std::size_t> ReadRaw(char* into, std::size_t count);
    // Appends up to `count` bytes to `buffer`; the number appended (0 at the end), or nothing on
    // a read error.
    [[nodiscard]] std::optional<std::size_t> ReadInto(std::string& buffer, std::size_t count);

private:
    int m_fd = -1;
    std::size_t m_size = 0;
};

// A file written through a temporary file beside it. Commit flushes it and renames it over the
// target; without a successful commit the temporary file is removed and the target is untouched.
class ReplacingFileWriter {
public:
    explicit ReplacingFileWriter(const std::filesystem::path& target);
    ~ReplacingFileWriter();
    ReplacingFileWriter(const ReplacingFileWriter&) = delete;
    ReplacingFileWriter& operator=(const ReplacingFileWriter&) = delete;

    [[nodiscard]] bool IsOpen() const { return m_fd >= 0; }
    [[nodiscard]] bool Write(std::string_view bytes);
    [[nodiscard]] bool Commit();

private:
    std::filesystem::path m_target;
    std::string m_tempName;
    int m_fd = -1;
    bool m_failed = false;
};

} // namespace ranvo
