#include "core/app/program_home.h"

#include "core/settings/ranvo_setting.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

namespace fs = std::filesystem;

// A prefix with the program in bin/ and, where asked, its help beside it or in share/ranvo/.
class ProgramHomeTest : public ::testing::Test {
protected:
    test::TempDir dir;
    ProgramPlaces places{dir / "prefix/bin", true, dir / "prefix/share/ranvo",
                         dir / "config/ranvo"};

    void putHelpIn(const fs::path& dataFolder) {
        fs::create_directories(AppHome(dataFolder).HelpFile().parent_path());
        test::WriteBytes(AppHome(dataFolder).HelpFile(), "<html></html>");
    }
};

TEST_F(ProgramHomeTest, ProgramWithItsHelpBesideItKeepsEverythingThereWhileItMayWrite) {
    putHelpIn(places.ProgramFolder);
    putHelpIn(places.SharedDataFolder); // an installed copy elsewhere does not matter
    const AppHome home = LocateAppHome(places);
    EXPECT_EQ(home.Folder(), places.ProgramFolder);
    EXPECT_EQ(home.DataFolder(), places.ProgramFolder);

    places.ProgramFolderWritable = false;
    const AppHome readOnly = LocateAppHome(places);
    EXPECT_EQ(readOnly.Folder(), places.UserConfigFolder);
    EXPECT_EQ(readOnly.DataFolder(), places.ProgramFolder);
}

TEST_F(ProgramHomeTest, InstalledProgramReadsSharedDataAndWritesToTheUsersFolder) {
    putHelpIn(places.SharedDataFolder);
    for (const bool writable : {true, false}) { // a personal prefix can be written, /usr cannot
        places.ProgramFolderWritable = writable;
        const AppHome home = LocateAppHome(places);
        EXPECT_EQ(home.Folder(), places.UserConfigFolder);
        EXPECT_EQ(home.DataFolder(), places.SharedDataFolder);
        EXPECT_EQ(home.HelpFile(), places.SharedDataFolder / "help/ranvo.html");
        EXPECT_EQ(home.ConfigFile(), places.UserConfigFolder / "config.ini");
    }
}

TEST_F(ProgramHomeTest, ProgramWithoutHelpAnywhereStaysBesideItself) {
    const AppHome home = LocateAppHome(places);
    EXPECT_EQ(home.Folder(), places.ProgramFolder);
    EXPECT_EQ(home.DataFolder(), places.ProgramFolder); // its missing help is reported there
}

TEST(PrepareAppHome, FirstStartMakesTheFoldersAndLeavesExistingContent) {
    test::TempDir dir;
    const AppHome home(dir / "config/ranvo"); // not even the parent exists yet
    ASSERT_TRUE(PrepareAppHome(home));
    EXPECT_TRUE(fs::is_directory(home.DefineFolder()));
    EXPECT_TRUE(fs::is_directory(home.FilterFolder()));

    const TRanvoSetting settings(home.ConfigFile());
    const TRanvoSetting besideTheProgram(dir / "config.ini");
    EXPECT_EQ(test::ReadBytes(home.ConfigFile()), test::ReadBytes(dir / "config.ini"));

    test::WriteBytes(home.FilterFolder() / "kubun.fil", "kept");
    ASSERT_TRUE(PrepareAppHome(home));
    EXPECT_EQ(test::ReadBytes(home.FilterFolder() / "kubun.fil"), "kept");
}

TEST(PrepareAppHome, FailsWhereAFileStandsInTheWay) {
    test::TempDir dir;
    test::WriteBytes(dir / "ranvo", "not a folder");
    EXPECT_FALSE(PrepareAppHome(AppHome(dir / "ranvo")));
}

} // namespace
} // namespace ranvo
