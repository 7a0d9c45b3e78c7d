#include "core/loading/definition_list.h"
#include "core/platform/code_page.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

namespace fs = std::filesystem;

TEST(DefinitionList, GathersEveryFolderSortedByUpperCaseFileName) {
    test::TempDir dir;
    const fs::path home = dir / "home";
    const fs::path extra = dir / u8"定義";
    for (const fs::path& file :
         {home / "b.def", home / "notes.txt", home / "define/c.def", home / "define/A.DEF",
          extra / "a.def", extra / "deeper/0.def", dir / "elsewhere.def"}) {
        fs::create_directories(file.parent_path());
        test::WriteBytes(file, "");
    }
    fs::create_directories(home / "folder.def");

    // The extra folder comes as the settings hold it: CP932 text, here with a trailing slash.
    const std::vector<fs::path> list =
        BuildDefinitionList(AppHome(home), {PathToCp932(extra) + "/"});
    // a.def and A.DEF compare equal and keep the order of their folders: define/ before the
    // extra folders.
    EXPECT_EQ(list, (std::vector<fs::path>{home / "define/A.DEF", extra / "a.def", home / "b.def",
                                           home / "define/c.def"}));

    EXPECT_TRUE(BuildDefinitionList(AppHome(), {}).empty());
}

} // namespace
} // namespace ranvo
