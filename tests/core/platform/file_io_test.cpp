#include "core/platform/file_io.h"

#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

TEST(FileIo, ReadsEveryByte) {
    test::TempDir dir;
    const std::string bytes("a\0\r\n\xFF", 5);
    test::WriteBytes(dir / "f.bin", bytes);
    EXPECT_EQ(ReadFileBytes(dir / "f.bin"), bytes);
}

TEST(FileIo, MissingFilesAndFoldersAreNotRead) {
    test::TempDir dir;
    EXPECT_EQ(ReadFileBytes(dir / "missing"), std::nullopt);
    EXPECT_EQ(ReadFileBytes(dir.path()), std::nullopt);
}

TEST(FileIo, WriteReplacesTheFileAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    test::WriteBytes(dir / "f.txt", "old contents");
    ASSERT_TRUE(WriteFileReplacing(dir / "f.txt", "new"));
    EXPECT_EQ(test::ReadBytes(dir / "f.txt"), "new");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(FileIo, FailedWriteLeavesTheOldFile) {
    test::TempDir dir;
    EXPECT_FALSE(WriteFileReplacing(dir / "no-such-folder" / "f.txt", "x"));
    // A folder in the way cannot be replaced by a file.
    std::filesystem::create_directory(dir / "taken");
    EXPECT_FALSE(WriteFileReplacing(dir / "taken", "x"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken"));
}

} // namespace
} // namespace ranvo
