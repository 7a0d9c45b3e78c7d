#include "core/platform/native_file.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ranvo::native {
namespace {

int fd(Handle handle) {
    return static_cast<int>(handle);
}

template <typename Call>
auto retryInterrupted(Call call) {
    for (;;) {
        const auto result = call();
        if (result >= 0 || errno != EINTR) {
            return result;
        }
    }
}

// Makes the folder's new entry survive a crash along with the file's bytes.
void flushFolder(const std::filesystem::path& folder) {
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
}

std::filesystem::path folderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

} // namespace

Handle OpenRegularFile(const std::filesystem::path& path) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come.
    const int opened = retryInterrupted(
        [&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY); });
    if (opened < 0) {
        return kNoHandle;
    }
    struct stat info {};
    if (::fstat(opened, &info) != 0 || !S_ISREG(info.st_mode) ||
        ::fcntl(opened, F_SETFL, ::fcntl(opened, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(opened);
        return kNoHandle;
    }
    return opened;
}

std::optional<std::uint64_t> SizeOf(Handle handle) {
    struct stat info {};
    if (::fstat(fd(handle), &info) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::size_t> ReadSome(Handle handle, char* into, std::size_t count) {
    const ssize_t got = retryInterrupted([&] { return ::read(fd(handle), into, count); });
    return got < 0 ? std::nullopt : std::optional(static_cast<std::size_t>(got));
}

bool WriteAll(Handle handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written =
            retryInterrupted([&] { return ::write(fd(handle), bytes.data(), bytes.size()); });
        if (written < 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool Flush(Handle handle) {
    return ::fsync(fd(handle)) == 0;
}

bool Close(Handle handle) {
    return ::close(fd(handle)) == 0;
}

TargetState InspectTarget(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return {};
    }
    const bool regular = S_ISREG(info.st_mode);
    const bool writable =
        (info.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
    return {true, regular, regular && writable};
}

TemporaryFile CreateTemporaryBeside(const std::filesystem::path& target) {
    TemporaryFile temporary;
    std::string name = (folderOf(target) / ".ranvo-save-XXXXXX").string();
    const int created = ::mkstemp(name.data());
    if (created < 0) {
        temporary.denied = errno == EACCES || errno == EPERM || errno == EROFS;
        return temporary;
    }
    struct stat existing {};
    mode_t mode = 0644;
    if (::stat(target.c_str(), &existing) == 0) {
        // Changing the owner clears the set-user-ID bits, so the mode comes after it. Only a
        // privileged process may give a file away; anyone else's save becomes their own file.
        [[maybe_unused]] const int ignored = ::fchown(created, existing.st_uid, existing.st_gid);
        mode = existing.st_mode & 07777;
    }
    if (::fchmod(created, mode) != 0) {
        ::close(created);
        ::unlink(name.c_str());
        return temporary;
    }
    temporary.handle = created;
    temporary.path = name;
    return temporary;
}

Handle OpenForOverwrite(const std::filesystem::path& path) {
    const int opened = retryInterrupted([&] { return ::open(path.c_str(), O_WRONLY | O_CLOEXEC); });
    return opened < 0 ? kNoHandle : opened;
}

bool Truncate(Handle handle, std::uint64_t size) {
    return ::ftruncate(fd(handle), static_cast<off_t>(size)) == 0;
}

bool ReplaceWith(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        return false;
    }
    flushFolder(folderOf(target));
    return true;
}

void Remove(const std::filesystem::path& path) {
    ::unlink(path.c_str());
}

} // namespace ranvo::native
