#include "core/app/command_line.h"

#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

TEST(ParseCommandLine, EveryForm) {
    test::TempDir dir;
    test::WriteBytes(dir / "a.def", "x");
    test::WriteBytes(dir / "b.DEF", "x");
    const std::string def = (dir / "a.def").string();

    EXPECT_FALSE(ParseCommandLine({}));
    const auto single = ParseCommandLine({"data.txt"});
    ASSERT_TRUE(single);
    EXPECT_EQ(single->DataPath, "data.txt");
    EXPECT_TRUE(single->DefinitionPath.empty());

    const auto pair = ParseCommandLine({"-d", "missing-data.txt", def});
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->DataPath, "missing-data.txt"); // the open command reports a missing data file
    EXPECT_EQ(pair->DefinitionPath, def);

    EXPECT_FALSE(ParseCommandLine({"-d", "data.txt", (dir / "b.DEF").string()}));
    EXPECT_FALSE(ParseCommandLine({"-d", "data.txt", (dir / "none.def").string()}));
    EXPECT_FALSE(ParseCommandLine({"-d", "data.txt"}));
    EXPECT_FALSE(ParseCommandLine({"-d", "data.txt", dir.path().string()}));
}

} // namespace
} // namespace ranvo
