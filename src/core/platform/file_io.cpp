#include "core/platform/file_io.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ranvo {
namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Reads into buffer[filled, size): the bytes read, 0 at the end, -1 on an error.
ssize_t readSome(int fd, char* into, std::size_t count) {
    for (;;) {
        const ssize_t got = ::read(fd, into, count);
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

int openRegularFile(const std::filesystem::path& path, off_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    size = info.st_size;
    return fd;
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

FileReader::FileReader(const std::filesystem::path& path) {
    off_t size = 0;
    m_fd = openRegularFile(path, size);
    m_size = m_fd >= 0 ? static_cast<std::size_t>(size) : 0;
}

FileReader::~FileReader() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

std::optional<std::size_t> FileReader::ReadRaw(char* into, std::size_t count) {
    const ssize_t got = readSome(m_fd, into, count);
    return got < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(got));
}

std::optional<std::size_t> FileReader::ReadInto(std::string& buffer, std::size_t count) {
    const std::size_t start = buffer.size();
    buffer.resize(start + count);
    const ssize_t got = readSome(m_fd, buffer.data() + start, count);
    buffer.resize(start + static_cast<std::size_t>(got < 0 ? 0 : got));
    return got < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(got));
}

ReplacingFileWriter::ReplacingFileWriter(const std::filesystem::path& target) : m_target(target) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    m_tempName = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    m_fd = ::mkstemp(m_tempName.data());
    struct stat existing {};
    const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644;
    m_failed = m_fd < 0 || ::fchmod(m_fd, mode) != 0;
}

ReplacingFileWriter::~ReplacingFileWriter() {
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_tempName.c_str());
    }
}

bool ReplacingFileWriter::Write(std::string_view bytes) {
    m_failed = m_failed || !writeAll(m_fd, bytes);
    return !m_failed;
}

bool ReplacingFileWriter::Commit() {
    if (m_failed || ::fsync(m_fd) != 0) {
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_tempName.c_str(), m_target.c_str()) != 0) {
        ::unlink(m_tempName.c_str());
        return false;
    }
    return true;
}

} // namespace ranvo
