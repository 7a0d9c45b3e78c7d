#include "core/platform/file_io.h"

#include "core/platform/native_file.h"

#include <system_error>

namespace ranvo {
namespace {

// The systems' own limit on links followed in a row; more means a loop.
constexpr int kMostLinksFollowed = 40;

// The file that `path` names once its symbolic links are followed, or nothing for a loop.
std::optional<std::filesystem::path> followLinks(std::filesystem::path path) {
    for (int followed = 0; followed < kMostLinksFollowed; ++followed) {
        std::error_code error;
        if (!std::filesystem::is_symlink(path, error)) {
            return path;
        }
        const std::filesystem::path link = std::filesystem::read_symlink(path, error);
        if (error) {
            return std::nullopt;
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
    FileReader reader(path);
    if (!reader.IsOpen()) {
        return std::nullopt;
    }
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    // One byte more than the file's size, so that reaching the end needs no reallocation of a
    // large buffer; a file that grew meanwhile is still read to its end.
    std::string bytes;
    bytes.reserve(error ? 0 : static_cast<std::size_t>(size) + 1);
    for (;;) {
        const std::size_t room = bytes.capacity() > bytes.size() ? bytes.capacity() - bytes.size()
                                                                 : std::size_t{1} << 16;
        const std::optional<std::size_t> got = reader.ReadInto(bytes, room);
        if (!got) {
            return std::nullopt;
        }
        if (*got == 0) {
            return bytes;
        }
    }
}

bool WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
    ReplacingFileWriter writer(path);
    return writer.Write(bytes) && writer.Commit();
}

FileReader::FileReader(const std::filesystem::path& path)
    : m_handle(native::OpenRegularFile(path)),
      m_size(IsOpen() ? static_cast<std::size_t>(native::SizeOf(m_handle).value_or(0)) : 0) {}

FileReader::~FileReader() {
    if (IsOpen()) {
        [[maybe_unused]] const bool closed = native::Close(m_handle);
    }
}

std::optional<std::size_t> FileReader::ReadRaw(char* into, std::size_t count) {
    return native::ReadSome(m_handle, into, count);
}

std::optional<std::size_t> FileReader::ReadInto(std::string& buffer, std::size_t count) {
    const std::size_t start = buffer.size();
    buffer.resize(start + count);
    const std::optional<std::size_t> got = native::ReadSome(m_handle, buffer.data() + start, count);
    buffer.resize(start + got.value_or(0));
    return got;
}

ReplacingFileWriter::ReplacingFileWriter(const std::filesystem::path& target) {
    const std::optional<std::filesystem::path> resolved = followLinks(target);
    const native::TargetState state =
        resolved ? native::InspectTarget(*resolved) : native::TargetState{true, false, false};
    if (!resolved || (state.exists && !state.writable)) {
        m_failed = true;
        return;
    }
    m_target = *resolved;
    native::TemporaryFile temporary = native::CreateTemporaryBeside(m_target);
    if (temporary.handle != native::kNoHandle) {
        m_handle = temporary.handle;
        m_temporary = std::move(temporary.path);
    } else if (temporary.denied && state.exists) {
        m_handle = native::OpenForOverwrite(m_target);
    }
    m_failed = !IsOpen();
}

ReplacingFileWriter::~ReplacingFileWriter() {
    if (IsOpen()) {
        [[maybe_unused]] const bool closed = native::Close(m_handle);
        if (!m_temporary.empty()) {
            native::Remove(m_temporary);
        }
    }
}

bool ReplacingFileWriter::Write(std::string_view bytes) {
    m_failed = m_failed || !native::WriteAll(m_handle, bytes);
    m_written += bytes.size();
    return !m_failed;
}

bool ReplacingFileWriter::Commit() {
    const bool inPlace = m_temporary.empty();
    if (m_failed || (inPlace && !native::Truncate(m_handle, m_written)) ||
        !native::Flush(m_handle)) {
        return false;
    }
    const native::Handle handle = m_handle;
    m_handle = native::kNoHandle;
    if (!native::Close(handle)) {
        if (!inPlace) {
            native::Remove(m_temporary);
        }
        return false;
    }
    if (!inPlace && !native::ReplaceWith(m_temporary, m_target)) {
        native::Remove(m_temporary);
        return false;
    }
    return true;
}

} // namespace ranvo
