#include "core/settings/option_values.h"

#include "core/settings/ranvo_setting.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

TEST(OptionValues, ListsHoldOnlyTheirValues) {
    EXPECT_EQ(ChoiceIndex(kMaxHistoryChoices, 50), 3);
    EXPECT_EQ(ChoiceIndex(kMaxHistoryChoices, 7), std::nullopt);
    EXPECT_EQ(ChoiceIndex(kHistoryLoadChoices, 0), 0);
    EXPECT_EQ(FontSizeIndex(6), 0);
    EXPECT_EQ(FontSizeIndex(24), 18);
    EXPECT_EQ(FontSizeIndex(30), std::nullopt);
}

TEST(OptionValues, BoldBoxMakesBoldOnlyOrTakesBoldAway) {
    EXPECT_EQ(StyleWithBold(FontStyleItalic, true), FontStyleBold);
    EXPECT_EQ(StyleWithBold(FontStyleBold | FontStyleItalic, false), FontStyleItalic);
    EXPECT_TRUE(ShowsBold(FontStyleBold));
    EXPECT_FALSE(ShowsBold(FontStyleBold | FontStyleUnderline));
}

TEST(OptionValues, FoldersAreAddedOnceAndOnlyWhenTheyExist) {
    test::TempDir dir;
    std::vector<std::string> folders;
    EXPECT_EQ(AddDefineFolder(folders, dir.path().string()), FolderAddition::Added);
    EXPECT_EQ(AddDefineFolder(folders, dir.path().string()), FolderAddition::AlreadyListed);
    EXPECT_EQ(AddDefineFolder(folders, (dir / "missing").string()), FolderAddition::NotAFolder);
    EXPECT_EQ(folders.size(), 1u);
    EXPECT_TRUE(FolderReachable(folders.front()));
    EXPECT_FALSE(FolderReachable((dir / "missing").string()));
    EXPECT_FALSE(FolderReachable(""));
}

} // namespace
} // namespace ranvo
