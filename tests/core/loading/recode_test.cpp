#include "core/loading/data_encoding.h"
#include "core/loading/recode.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

constexpr KanjiCode kCodes[] = {KanjiCode::ShiftJis, KanjiCode::Euc, KanjiCode::Jis,
                                KanjiCode::Unicode, KanjiCode::Utf8};

// One line of 1.1 MB without a line end, so that the pieces the file goes through are cut inside
// runs of double-byte characters, katakana and JIS modes rather than after line ends.
std::string longLine() {
    // 亜, ｱ, a, user-defined F040, ソ (trail byte 5C): characters every code holds as they are.
    const std::string unit = "\x88\x9F\xB1"
                             "a\xF0\x40\x83\x5C\x88\x9F\x88\x9F";
    std::string line;
    while (line.size() < 1'100'000) {
        line += unit;
        line += std::string(line.size() % 7, 'x'); // shifts the characters against the pieces
        line += "\x82\xA0";
    }
    return line;
}

TEST(Recode, LongLinesConvertInPiecesLikeWholeFiles) {
    test::TempDir dir;
    const std::string text = longLine();
    const CharacterMap none;
    for (const KanjiCode from : kCodes) {
        test::WriteBytes(dir / "in", EncodeDataFile(text, from, false, none).bytes);
        for (const KanjiCode to : kCodes) {
            const RecodeResult result = RecodeFile(dir / "in", dir / "out", from, to);
            ASSERT_TRUE(result.Read && result.Written);
            EXPECT_EQ(result.LostCharacters, 0u);
            const std::string expected = EncodeDataFile(text, to, false, none).bytes;
            ASSERT_TRUE(test::ReadBytes(dir / "out") == expected)
                << static_cast<int>(from) << " to " << static_cast<int>(to);
        }
    }
}

TEST(Recode, CharactersReachATargetThatHoldsThemAndAreCountedWhereNone) {
    test::TempDir dir;
    test::WriteBytes(dir / "in", "\xEF\xBB\xBF丂𠮷〜x\r\n");
    RecodeResult result = RecodeFile(dir / "in", dir / "out", KanjiCode::Utf8, KanjiCode::Utf8);
    EXPECT_EQ(result.LostCharacters, 0u);
    EXPECT_EQ(test::ReadBytes(dir / "out"), "\xEF\xBB\xBF丂𠮷〜x\r\n");
    result = RecodeFile(dir / "in", dir / "out", KanjiCode::Utf8, KanjiCode::Euc);
    EXPECT_EQ(result.LostCharacters, 2u);
    EXPECT_EQ(test::ReadBytes(dir / "out"), "\x8F\xB0\xA1??x\r\n");
    EXPECT_FALSE(RecodeFile(dir / "none", dir / "out", KanjiCode::Utf8, KanjiCode::Euc).Read);
}

} // namespace
} // namespace ranvo
