#pragma once

// A folder of its own for one test, removed with everything in it when the test ends.

#include <filesystem>

namespace ranvo::test {

class TempDir {
public:
    TempDir();
    // A folder of its own in `base` instead of the system's temporary folder.
    explicit TempDir(const std::filesystem::path& base);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }
    [[nodiscard]] std::filesystem::path operator/(const std::filesystem::path& name) const {
        return m_path / name;
    }

private:
    std::filesystem::path m_path;
};

} // namespace ranvo::test
