// Saving and reading where POSIX file systems differ from others: symbolic and hard links,
// owners, folder permissions, named pipes.

#include "core/platform/file_io.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ranvo {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

struct stat statOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

// Runs `work` as an unprivileged user in a child process and returns what it returned. As the
// superuser every permission is granted, so the checks of permissions need another user.
bool asAnotherUser(const std::function<bool()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped =
            ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        ::_exit(dropped && work() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A folder that another user may enter, for the tests that run as one.
class FileIoAsAnotherUser : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "needs the superuser to own files for, and act as, another user";
        }
        fs::permissions(dir.path(), fs::perms::all);
    }

    test::TempDir dir;
};

TEST(FileIoPosix, SymbolicLinksAreFollowedToTheFileTheyName) {
    test::TempDir dir;
    fs::create_directory(dir / "real");
    test::WriteBytes(dir / "real" / "data.txt", "old");
    fs::create_symlink("real/data.txt", dir / "relative");
    fs::create_symlink(dir / "relative", dir / "chained");
    fs::create_symlink(dir / "real" / "new.txt", dir / "dangling");

    ASSERT_TRUE(WriteFileReplacing(dir / "relative", "through a link"));
    EXPECT_TRUE(fs::is_symlink(dir / "relative"));
    EXPECT_EQ(test::ReadBytes(dir / "real" / "data.txt"), "through a link");
    ASSERT_TRUE(WriteFileReplacing(dir / "chained", "through two"));
    EXPECT_TRUE(fs::is_symlink(dir / "chained"));
    EXPECT_EQ(test::ReadBytes(dir / "real" / "data.txt"), "through two");
    // A link to a file not yet there creates the file.
    ASSERT_TRUE(WriteFileReplacing(dir / "dangling", "created"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
    EXPECT_EQ(test::ReadBytes(dir / "real" / "new.txt"), "created");
    // A loop of links is no file to write.
    fs::create_symlink(dir / "loop-b", dir / "loop-a");
    fs::create_symlink(dir / "loop-a", dir / "loop-b");
    EXPECT_FALSE(WriteFileReplacing(dir / "loop-a", "x"));
    EXPECT_TRUE(fs::is_symlink(dir / "loop-a"));
}

TEST(FileIoPosix, PermissionsAreKeptAndNewFilesAreReadable) {
    test::TempDir dir;
    test::WriteBytes(dir / "private.txt", "old");
    ::chmod((dir / "private.txt").c_str(), 0640);
    ASSERT_TRUE(WriteFileReplacing(dir / "private.txt", "new"));
    EXPECT_EQ(statOf(dir / "private.txt").st_mode & 07777, 0640u);
    ASSERT_TRUE(WriteFileReplacing(dir / "new.txt", "new"));
    EXPECT_EQ(statOf(dir / "new.txt").st_mode & 07777, 0644u);
}

TEST_F(FileIoAsAnotherUser, OwnerAndGroupAreKeptWhereTheProcessMaySetThem) {
    const fs::path file = dir / "theirs.txt";
    test::WriteBytes(file, "old");
    ASSERT_EQ(::chown(file.c_str(), 1234, 5678), 0);
    ASSERT_TRUE(WriteFileReplacing(file, "new"));
    EXPECT_EQ(statOf(file).st_uid, 1234u);
    EXPECT_EQ(statOf(file).st_gid, 5678u);
    EXPECT_EQ(test::ReadBytes(file), "new");
}

TEST_F(FileIoAsAnotherUser, FileTheUserMayNotWriteIsNotReplaced) {
    // The folder lets anybody rename over the file; the file itself is root's.
    const fs::path file = dir / "roots.txt";
    test::WriteBytes(file, "keep me");
    ::chmod(file.c_str(), 0644);
    EXPECT_FALSE(asAnotherUser([&] { return WriteFileReplacing(file, "lost"); }));
    EXPECT_EQ(test::ReadBytes(file), "keep me");
    EXPECT_EQ(statOf(file).st_uid, 0u);
}

TEST_F(FileIoAsAnotherUser, WritableFileInAFolderTheUserMayNotWriteIsOverwrittenInPlace) {
    const fs::path file = dir / "shared.txt";
    test::WriteBytes(file, "a longer old text");
    ::chmod(file.c_str(), 0666);
    fs::create_hard_link(file, dir / "other-name.txt");
    ::chmod(dir.path().c_str(), 0755);
    const ino_t inode = statOf(file).st_ino;

    EXPECT_TRUE(asAnotherUser([&] { return WriteFileReplacing(file, "short"); }));
    EXPECT_EQ(test::ReadBytes(file), "short");
    EXPECT_EQ(statOf(file).st_ino, inode);
    EXPECT_EQ(statOf(file).st_uid, 0u);
    EXPECT_EQ(test::ReadBytes(dir / "other-name.txt"), "short");
    // A new file needs the folder.
    EXPECT_FALSE(asAnotherUser([&] { return WriteFileReplacing(dir / "new.txt", "x"); }));
    EXPECT_FALSE(fs::exists(dir / "new.txt"));
}

TEST(FileIoPosix, NamedPipesAndDevicesAreRefusedWithoutWaiting) {
    test::TempDir dir;
    const fs::path pipe = dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    auto read = std::async(std::launch::async, [&] {
        return std::pair(ReadFileBytes(pipe), FileReader(pipe).IsOpen());
    });
    if (read.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "reading a named pipe waits for a writer";
        // Let the waiting reads go: writers open the pipe and leave until they have.
        while (read.wait_for(std::chrono::milliseconds(10)) == std::future_status::timeout) {
            const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                ::close(writer);
            }
        }
    }
    const auto [bytes, opened] = read.get();
    EXPECT_EQ(bytes, std::nullopt);
    EXPECT_FALSE(opened);
    EXPECT_EQ(ReadFileBytes("/dev/null"), std::nullopt);
}

} // namespace
} // namespace ranvo
