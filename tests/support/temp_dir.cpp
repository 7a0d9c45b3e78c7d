#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <system_error>

#include <stdlib.h>

namespace ranvo::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ranvo-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace ranvo::test
