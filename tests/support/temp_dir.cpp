#include "support/temp_dir.h"

#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace ranvo::test {

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path()) {}

TempDir::TempDir(const std::filesystem::path& base) {
    // A fresh name until one is free: creating the folder is what claims it.
    static std::mt19937_64 names{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = base / ("ranvo-test-" + std::to_string(names()));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace ranvo::test
