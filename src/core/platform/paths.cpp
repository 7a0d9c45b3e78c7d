#include "core/platform/paths.h"

#include "core/text/sjis.h"

#include <system_error>

namespace ranvo {

bool PathExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

bool FileExists(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool IsFileWithExtension(const std::filesystem::directory_entry& entry,
                         std::string_view extension) {
    std::error_code error;
    return entry.is_regular_file(error) &&
           AnsiUpperCase(entry.path().extension().string()) == AnsiUpperCase(extension);
}

std::filesystem::path FullPath(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    std::filesystem::path normal = (error ? path : absolute).lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path()) {
        normal = normal.parent_path();
    }
    return normal;
}

FileStamp StampOf(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return {};
    }
    const auto written = std::filesystem::last_write_time(path, error);
    if (error) {
        return {};
    }
    return {true, static_cast<std::uint64_t>(size), static_cast<std::int64_t>(written.time_since_epoch().count())};
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string GenericUtf8(const std::filesystem::path& path) {
    const std::u8string utf8 = path.generic_u8string();
    return std::string(reinterpret_cast<const char*>(utf8.data()), utf8.size());
}

} // namespace ranvo
