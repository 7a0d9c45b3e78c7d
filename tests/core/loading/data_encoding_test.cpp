#include "core/loading/data_encoding.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

// 亜A ｱ\r\n全角　空白\n — kanji, ASCII, a half-width katakana, an ideographic space, both line ends.
const std::string kText = "\x88\x9F" "A \xB1\r\n\x91\x53\x8A\x70\x81\x40\x8B\xF3\x94\x92\n";

class EveryCode : public ::testing::TestWithParam<KanjiCode> {};

TEST_P(EveryCode, WrittenTextReadsBackUnchanged) {
    const KanjiCode code = GetParam();
    const EncodedText encoded = EncodeDataFile(kText, code, false);
    EXPECT_EQ(encoded.LostCharacters, 0u);
    const DecodedText decoded = DecodeDataFile(encoded.bytes, code);
    EXPECT_EQ(decoded.LostCharacters, 0u);
    if (code == KanjiCode::Jis) {
        // 7-bit JIS has no half-width katakana: ｱ comes back full-width (ア, 83 41).
        std::string expected = kText;
        expected.replace(expected.find('\xB1'), 1, "\x83\x41");
        EXPECT_EQ(decoded.text, expected);
    } else {
        EXPECT_EQ(decoded.text, kText);
    }
}

TEST_P(EveryCode, EmptyTextStaysEmpty) {
    const KanjiCode code = GetParam();
    const EncodedText encoded = EncodeDataFile("", code, false);
    EXPECT_EQ(DecodeDataFile(encoded.bytes, code).text, "");
}

INSTANTIATE_TEST_SUITE_P(DataEncoding, EveryCode,
                         ::testing::Values(KanjiCode::ShiftJis, KanjiCode::Euc, KanjiCode::Jis,
                                           KanjiCode::Unicode, KanjiCode::Utf8));

TEST(DataEncoding, DecodesEachCode) {
    EXPECT_EQ(DecodeDataFile("\xB0\xA1\x8E\xB1", KanjiCode::Euc).text, "\x88\x9F\xB1");
    EXPECT_EQ(DecodeDataFile("\x1B$B0!\x1B(BA", KanjiCode::Jis).text, "\x88\x9F" "A");
    EXPECT_EQ(DecodeDataFile("\xE4\xBA\x9C" "A", KanjiCode::Utf8).text, "\x88\x9F" "A");
    EXPECT_EQ(DecodeDataFile(std::string("\xFF\xFE\x9C\x4E\x41\x00", 6), KanjiCode::Unicode).text,
              "\x88\x9F" "A");
}

TEST(DataEncoding, UnicodeWithoutItsMarkIsReadWithBlanksForZeroBytes) {
    EXPECT_EQ(DecodeDataFile(std::string("A\0B\0", 4), KanjiCode::Unicode).text, "A B ");
    // A file that is nothing but the mark is an empty text, not two odd bytes.
    EXPECT_EQ(DecodeDataFile("\xFF\xFE", KanjiCode::Unicode).text, "");
}

TEST(DataEncoding, Utf8MarkIsDroppedAndWrittenBackOnlyWhenItWasThere) {
    const DecodedText decoded = DecodeDataFile("\xEF\xBB\xBFH12", KanjiCode::Utf8);
    EXPECT_EQ(decoded.text, "H12");
    EXPECT_TRUE(decoded.Utf8Bom);
    EXPECT_EQ(EncodeDataFile("H12", KanjiCode::Utf8, true).bytes, "\xEF\xBB\xBFH12");
    EXPECT_EQ(EncodeDataFile("H12", KanjiCode::Utf8, false).bytes, "H12");
    EXPECT_EQ(EncodeDataFile("H", KanjiCode::Unicode, false).bytes, std::string("\xFF\xFEH\0", 4));
}

TEST(DataEncoding, CharactersShiftJisCannotHoldAreCounted) {
    // U+1F600 and U+00E9 have no CP932 form.
    const DecodedText decoded = DecodeDataFile("a\xF0\x9F\x98\x80\xC3\xA9", KanjiCode::Utf8);
    EXPECT_EQ(decoded.text, "a??");
    EXPECT_EQ(decoded.LostCharacters, 2u);
}

TEST(DataEncoding, EucKeepsHalfWidthKatakanaSoRecordsKeepTheirLayout) {
    EXPECT_EQ(EncodeDataFile("\xB6\xDE", KanjiCode::Euc, false).bytes, "\x8E\xB6\x8E\xDE");
}

} // namespace
} // namespace ranvo
