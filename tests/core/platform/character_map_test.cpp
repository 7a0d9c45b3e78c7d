#include "core/platform/character_map.h"
#include "core/platform/cp932_chars.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

TEST(CharacterMap, UserAreaIndexesCoverF040ToF9FC) {
    EXPECT_EQ(UserAreaIndex(0xF040), 0u);
    EXPECT_EQ(UserAreaIndex(0xF07E), 62u);
    EXPECT_EQ(UserAreaIndex(0xF080), 63u);
    EXPECT_EQ(UserAreaIndex(0xF9FC), kUserAreaSize - 1);
    EXPECT_FALSE(UserAreaIndex(0xF07F).has_value());
    EXPECT_FALSE(UserAreaIndex(0xEFFC).has_value());
    EXPECT_FALSE(UserAreaIndex(0xFA40).has_value());
    EXPECT_FALSE(UserAreaIndex(0xF03F).has_value());
    for (std::size_t index = 0; index < kUserAreaSize; ++index) {
        ASSERT_EQ(UserAreaIndex(UserAreaCode(index)), index);
        // CP932's own meaning of the code.
        ASSERT_EQ(Cp932Chars::Get().CharacterOf(UserAreaCode(index)), kFirstPrivateUse + index);
    }
}

TEST(CharacterMap, CodesAreGivenFromTheTopAndKeptForTheFile) {
    CharacterMap characters;
    EXPECT_FALSE(characters.RedefinesAny());
    EXPECT_EQ(characters.CodeFor(U'𠮷'), 0xF9FC);
    EXPECT_EQ(characters.CodeFor(U'〜'), 0xF9FB);
    EXPECT_EQ(characters.CodeFor(U'𠮷'), 0xF9FC);
    EXPECT_TRUE(characters.RedefinesAny());
    EXPECT_EQ(characters.CharacterOf(*UserAreaIndex(0xF9FC)), U'𠮷');
    EXPECT_TRUE(characters.IsRedefined(*UserAreaIndex(0xF9FB)));
    // A code never given out keeps CP932's private-use character.
    EXPECT_EQ(characters.CharacterOf(0), kFirstPrivateUse);
    EXPECT_FALSE(characters.IsRedefined(0));
}

TEST(CharacterMap, PrivateUseCharactersKeepTheirCodeWhileItIsFree) {
    CharacterMap characters;
    EXPECT_EQ(characters.CodeFor(0xE005), 0xF045);
    EXPECT_FALSE(characters.RedefinesAny());
    // U+E757's own code went to 𠮷 first: it gets another, so no code means two characters.
    EXPECT_EQ(characters.CodeFor(U'𠮷'), 0xF9FC);
    const std::optional<std::uint16_t> displaced = characters.CodeFor(0xE757);
    ASSERT_TRUE(displaced.has_value());
    EXPECT_NE(*displaced, 0xF9FC);
    EXPECT_EQ(characters.CharacterOf(*UserAreaIndex(*displaced)), 0xE757u);
    EXPECT_TRUE(characters.IsRedefined(*UserAreaIndex(*displaced)));
}

TEST(CharacterMap, CodesATextUsesAreNotGivenAway) {
    CharacterMap characters;
    // F9FC as a character, F9 FB after a lead byte (a trail byte) kept too: a code spared costs
    // nothing. Long enough for the scan to go a word at a time.
    characters.ReserveCodesIn("abcdefgh\xF9\xFCijklmnop\x82\xF9\xFBqrstuvwxyz");
    EXPECT_FALSE(characters.RedefinesAny());
    EXPECT_EQ(characters.CodeFor(U'𠮷'), 0xF9FA);
}

TEST(CharacterMap, NothingIsGivenWhenEveryCodeIsTaken) {
    CharacterMap characters;
    for (char32_t c = 0; c < kUserAreaSize; ++c) {
        ASSERT_TRUE(characters.CodeFor(0x20000 + c).has_value());
    }
    EXPECT_FALSE(characters.CodeFor(0x30000).has_value());
    EXPECT_FALSE(characters.CodeFor(0xE000).has_value());
    EXPECT_EQ(characters.CodeFor(0x20000), 0xF9FC);
}

} // namespace
} // namespace ranvo
