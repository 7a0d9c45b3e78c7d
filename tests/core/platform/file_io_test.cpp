#include "core/platform/file_io.h"
#include "core/platform/paths.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

namespace fs = std::filesystem;

int entriesIn(const fs::path& folder) {
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++entries;
    }
    return entries;
}

TEST(FileIo, ReadsEveryByte) {
    test::TempDir dir;
    const std::string bytes("a\0\r\n\xFF", 5);
    test::WriteBytes(dir / "f.bin", bytes);
    EXPECT_EQ(ReadFileBytes(dir / "f.bin"), bytes);
    FileReader reader(dir / "f.bin");
    ASSERT_TRUE(reader.IsOpen());
    std::string pieces;
    EXPECT_EQ(reader.ReadInto(pieces, 3), 3u);
    EXPECT_EQ(reader.ReadInto(pieces, 3), 2u);
    EXPECT_EQ(reader.ReadInto(pieces, 3), 0u);
    EXPECT_EQ(pieces, bytes);
}

TEST(FileIo, MissingFilesAndFoldersAreNotRead) {
    test::TempDir dir;
    EXPECT_EQ(ReadFileBytes(dir / "missing"), std::nullopt);
    EXPECT_EQ(ReadFileBytes(dir.path()), std::nullopt);
    EXPECT_FALSE(FileReader(dir.path()).IsOpen());
}

TEST(FileIo, WriteReplacesTheFileAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    test::WriteBytes(dir / "f.txt", "old contents");
    ASSERT_TRUE(WriteFileReplacing(dir / "f.txt", "new"));
    EXPECT_EQ(test::ReadBytes(dir / "f.txt"), "new");
    ASSERT_TRUE(WriteFileReplacing(dir / "created.txt", "fresh"));
    EXPECT_EQ(test::ReadBytes(dir / "created.txt"), "fresh");
    EXPECT_EQ(entriesIn(dir.path()), 2);
}

TEST(FileIo, FailedWriteLeavesTheOldFile) {
    test::TempDir dir;
    EXPECT_FALSE(WriteFileReplacing(dir / "no-such-folder" / "f.txt", "x"));
    // A folder in the way cannot be replaced by a file.
    fs::create_directory(dir / "taken");
    EXPECT_FALSE(WriteFileReplacing(dir / "taken", "x"));
    EXPECT_TRUE(fs::is_directory(dir / "taken"));
    // Without a commit the target stays as it was and nothing is left beside it.
    test::WriteBytes(dir / "kept.txt", "kept");
    {
        ReplacingFileWriter writer(dir / "kept.txt");
        ASSERT_TRUE(writer.Write("abandoned"));
    }
    EXPECT_EQ(test::ReadBytes(dir / "kept.txt"), "kept");
    EXPECT_EQ(entriesIn(dir.path()), 2);
}

TEST(FileIo, ReadOnlyFileIsNotReplaced) {
    test::TempDir dir;
    const fs::path file = dir / "locked.txt";
    test::WriteBytes(file, "keep me");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(WriteFileReplacing(file, "lost"));
    EXPECT_EQ(test::ReadBytes(file), "keep me");
    EXPECT_EQ(entriesIn(dir.path()), 1);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(WriteFileReplacing(file, "written"));
}

TEST(FileIo, TargetNamesUpToTheSystemsLimitSave) {
    test::TempDir dir;
    // 255 bytes of ASCII, and 82 Japanese characters (246 bytes in UTF-8) with an extension.
    std::u8string japanese;
    for (int i = 0; i < 82; ++i) {
        japanese += u8"日";
    }
    const std::vector<fs::path> names = {std::string(251, 'n') + ".txt",
                                         fs::path(japanese + u8".csv")};
    for (const fs::path& name : names) {
        ASSERT_TRUE(WriteFileReplacing(dir / name, "first"));
        ASSERT_TRUE(WriteFileReplacing(dir / name, "second"));
        EXPECT_EQ(ReadFileBytes(dir / name), "second");
    }
    EXPECT_EQ(entriesIn(dir.path()), 2);
}

TEST(Paths, Utf8TextBecomesThePathItNames) {
    const fs::path path = PathFromUtf8("data/\xE6\x97\xA5\xE6\x9C\xAC.csv");
    EXPECT_EQ(path, fs::path(u8"data/日本.csv"));
    EXPECT_EQ(GenericUtf8(path), "data/\xE6\x97\xA5\xE6\x9C\xAC.csv");
    EXPECT_EQ(GenericUtf8(fs::path(u8"a") / u8"b"), "a/b");
}

} // namespace
} // namespace ranvo
