#include "core/platform/native_file.h"

#include <algorithm>
#include <string>
#include <windows.h>

namespace ranvo::native {
namespace {

HANDLE win(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

Handle own(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? kNoHandle : reinterpret_cast<Handle>(handle);
}

// ReadFile and WriteFile take at most a DWORD of bytes at a time.
constexpr std::size_t kLargestTransfer = std::size_t{1} << 30;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

} // namespace

Handle OpenRegularFile(const std::filesystem::path& path) {
    const HANDLE opened = ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return kNoHandle; // also a folder, which needs a flag to be opened at all
    }
    if (::GetFileType(opened) != FILE_TYPE_DISK) {
        ::CloseHandle(opened); // a pipe or a device
        return kNoHandle;
    }
    return own(opened);
}

std::optional<std::uint64_t> SizeOf(Handle handle) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(win(handle), &size)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<std::size_t> ReadSome(Handle handle, char* into, std::size_t count) {
    DWORD got = 0;
    if (!::ReadFile(win(handle), into, static_cast<DWORD>(std::min(count, kLargestTransfer)), &got,
                    nullptr)) {
        return std::nullopt;
    }
    return got;
}

bool WriteAll(Handle handle, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!::WriteFile(win(handle), bytes.data(),
                         static_cast<DWORD>(std::min(bytes.size(), kLargestTransfer)), &written,
                         nullptr)) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool Flush(Handle handle) {
    return ::FlushFileBuffers(win(handle)) != 0;
}

bool Close(Handle handle) {
    return ::CloseHandle(win(handle)) != 0;
}

TargetState InspectTarget(const std::filesystem::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    const bool regular = (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (!regular || (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return {true, regular, false};
    }
    // The file's access rights decide the rest: opening it for writing asks them without
    // changing a byte.
    const HANDLE probe = ::CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool writable = probe != INVALID_HANDLE_VALUE;
    if (writable) {
        ::CloseHandle(probe);
    }
    return {true, true, writable};
}

TemporaryFile CreateTemporaryBeside(const std::filesystem::path& target) {
    TemporaryFile temporary;
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    // Names drawn from the process, the clock and a counter until one is free.
    const unsigned long long seed =
        (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^ ::GetTickCount64();
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path name =
            folder / (".ranvo-save-" + std::to_string((seed + attempt * 7919ULL) % 1000000007ULL));
        const HANDLE created = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created != INVALID_HANDLE_VALUE) {
            temporary.handle = own(created);
            temporary.path = name;
            return temporary;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            temporary.denied = error == ERROR_ACCESS_DENIED;
            return temporary;
        }
    }
    return temporary;
}

Handle OpenForOverwrite(const std::filesystem::path& path) {
    return own(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool Truncate(Handle handle, std::uint64_t size) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(size);
    return ::SetFilePointerEx(win(handle), position, nullptr, FILE_BEGIN) &&
           ::SetEndOfFile(win(handle));
}

bool ReplaceWith(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    // ReplaceFileW keeps the target's attributes, security and creation time; a new target has
    // none to keep.
    if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    }
    return ::MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void Remove(const std::filesystem::path& path) {
    ::DeleteFileW(path.c_str());
}

} // namespace ranvo::native
