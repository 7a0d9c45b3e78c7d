#include "core/loading/data_encoding.h"
#include "core/platform/code_page.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

using namespace std::string_literals;

// 亜A ｱ\r\n全角　空白\n — kanji, ASCII, a half-width katakana, an ideographic space, both line ends.
const std::string kText = "\x88\x9F" "A \xB1\r\n\x91\x53\x8A\x70\x81\x40\x8B\xF3\x94\x92\n";

struct CodedFile {
    const char* name;
    KanjiCode code;
    bool utf8Bom;
    std::string bytes;
};

void PrintTo(const CodedFile& file, std::ostream* out) {
    *out << file.name;
}

// Characters that do not pass through Shift_JIS unchanged, in each code that can hold them:
// half-width katakana, IBM extension kanji (髙 﨑), JIS X 0212 kanji (丂), WAVE DASH and the other
// characters CP932 turns into look-alikes, characters CP932 lacks (𠮷, an emoji), private use.
const std::string kHardUtf8 = "ｶﾅ 髙﨑 丂 〜−‖¢£¬—¥ 𠮷😀 \uE000\uE757 あ\r\n";

std::vector<CodedFile> hardFiles() {
    std::string utf16le;
    for (std::size_t pos = 0; pos < kHardUtf8.size();) {
        // UTF-8 to UTF-16LE by hand, so that the test does not lean on the converters it tests.
        const auto byte = static_cast<unsigned char>(kHardUtf8[pos]);
        const std::size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? byte : byte & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) {
            c = c << 6 | (static_cast<unsigned char>(kHardUtf8[pos + i]) & 0x3Fu);
        }
        pos += length;
        const auto unit = [&](char32_t u) {
            utf16le += static_cast<char>(u & 0xFF);
            utf16le += static_cast<char>(u >> 8);
        };
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    }
    return {
        {"Shift_JIS", KanjiCode::ShiftJis, false,
         "\xB6\xC5 \xFB\xFC\xFA\xB1\xEE\xE0\xED\x95 \x81\x60 \xF0\x40\xF9\xFC \x82\xA0\r\n"},
        // Windows' EUC-JP row for 髙 and eucJP-ms's JIS X 0212 one, 﨑 in the NEC-selected rows,
        // 丂, 〜 (A1C1), user-defined F040 and F9FC.
        {"EUC-JP", KanjiCode::Euc, false,
         "\x8E\xB6\x8E\xC5 \xFC\xE2\x8F\xF4\xFB\xF9\xF5 \x8F\xB0\xA1 \xA1\xC1 \xF5\xA1\x8F\xFE\xFE "
         "\xA4\xA2\r\n"},
        {"JIS", KanjiCode::Jis, false,
         "\x1B(I\x36\x45\x1B(B \x1B$B\x7C\x62\x1B$(D\x74\x7B\x1B$B\x79\x75\x1B(B "
         "\x1B$(D\x30\x21\x1B(B \x1B$B\x21\x41\x1B(B \x1B$B\x75\x21\x1B$(D\x7E\x7E\x1B(B "
         "\x1B$B\x24\x22\x1B(B\r\n"},
        {"UTF-16", KanjiCode::Unicode, false, "\xFF\xFE" + utf16le},
        {"UTF-8", KanjiCode::Utf8, false, kHardUtf8},
        {"UTF-8 with its mark", KanjiCode::Utf8, true, "\xEF\xBB\xBF" + kHardUtf8},
    };
}

class HardText : public ::testing::TestWithParam<CodedFile> {};

TEST_P(HardText, ReadAndWrittenBackGivesTheSameBytes) {
    const CodedFile& file = GetParam();
    CharacterMap characters;
    const DecodedText decoded = DecodeDataFile(file.bytes, file.code, characters);
    EXPECT_EQ(decoded.LostCharacters, 0u);
    EXPECT_EQ(decoded.Utf8Bom, file.utf8Bom);
    const EncodedText encoded = EncodeDataFile(decoded.text, file.code, file.utf8Bom, characters);
    EXPECT_EQ(encoded.LostCharacters, 0u);
    EXPECT_TRUE(encoded.bytes == file.bytes) << ::testing::PrintToString(encoded.bytes);
}

TEST_P(HardText, ReadInPiecesLikeWhole) {
    // Cut at every position: a piece may end inside a character, an escape or the mark.
    const CodedFile& file = GetParam();
    CharacterMap wholeMap;
    const DecodedText whole = DecodeDataFile(file.bytes, file.code, wholeMap);
    const EncodedText wholeEncoded = EncodeDataFile(whole.text, file.code, file.utf8Bom, wholeMap);
    for (std::size_t cut = kLongestFileMark; cut < file.bytes.size(); ++cut) {
        CharacterMap characters;
        DataFileDecoder decoder(file.code, characters);
        DecodedText pieces;
        const std::size_t taken =
            decoder.Decode(std::string_view(file.bytes).substr(0, cut), false, pieces);
        ASSERT_LE(taken, cut);
        decoder.Decode(std::string_view(file.bytes).substr(taken), true, pieces);
        ASSERT_EQ(pieces.text, whole.text) << "cut at " << cut;

        DataFileEncoder encoder(file.code, file.utf8Bom, characters);
        EncodedText encoded;
        const std::size_t textCut = std::min(cut, whole.text.size());
        const std::size_t used =
            encoder.Encode(std::string_view(whole.text).substr(0, textCut), false, encoded);
        encoder.Encode(std::string_view(whole.text).substr(used), true, encoded);
        ASSERT_TRUE(encoded.bytes == wholeEncoded.bytes) << "cut at " << cut;
    }
}

INSTANTIATE_TEST_SUITE_P(DataEncoding, HardText, ::testing::ValuesIn(hardFiles()));

TEST(DataEncoding, CharactersShownAsThemselvesThroughTheMap) {
    CharacterMap characters;
    const DecodedText decoded = DecodeDataFile(kHardUtf8, KanjiCode::Utf8, characters);
    EXPECT_EQ(Cp932ToUtf8(decoded.text, &characters).bytes, kHardUtf8);
    // A character CP932 lacks is one code, two bytes wide like any full-width character.
    CharacterMap fresh;
    EXPECT_EQ(DecodeDataFile("a𠮷b", KanjiCode::Utf8, fresh).text, "a\xF9\xFC"
                                                                   "b");
}

TEST(DataEncoding, WrittenInAnotherCodeWhatItCannotHoldIsCounted) {
    CharacterMap characters;
    const DecodedText decoded = DecodeDataFile("丂𠮷〜髙あ", KanjiCode::Utf8, characters);
    ASSERT_EQ(decoded.LostCharacters, 0u);
    const EncodedText sjis = EncodeDataFile(decoded.text, KanjiCode::ShiftJis, false, characters);
    EXPECT_EQ(sjis.bytes, "???\xFB\xFC\x82\xA0");
    EXPECT_EQ(sjis.LostCharacters, 3u);
    // JIS X 0212 holds 丂; 髙 goes to Windows' row for it.
    const EncodedText euc = EncodeDataFile(decoded.text, KanjiCode::Euc, false, characters);
    EXPECT_EQ(euc.bytes, "\x8F\xB0\xA1??\xFC\xE2\xA4\xA2");
    EXPECT_EQ(euc.LostCharacters, 2u);
    const EncodedText jis = EncodeDataFile(decoded.text, KanjiCode::Jis, false, characters);
    EXPECT_EQ(jis.bytes, "\x1B$(D\x30\x21\x1B(B??\x1B$B\x7C\x62\x24\x22\x1B(B");
    EXPECT_EQ(jis.LostCharacters, 2u);
    // A JIS X 0212 character read from EUC-JP reaches UTF-8 as itself.
    CharacterMap fromEuc;
    const DecodedText eucText = DecodeDataFile("\x8F\xB0\xA1", KanjiCode::Euc, fromEuc);
    EXPECT_EQ(EncodeDataFile(eucText.text, KanjiCode::Utf8, false, fromEuc).bytes, "丂");
}

TEST(DataEncoding, OnlyWhenNoCodeIsLeftAreCharactersLost) {
    // 1880 codes for 1881 distinct characters CP932 lacks (Hangul syllables).
    std::string hangul;
    for (char32_t c = 0xAC00; c < 0xAC00 + 1881; ++c) {
        hangul += static_cast<char>(0xE0 | c >> 12);
        hangul += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        hangul += static_cast<char>(0x80 | (c & 0x3F));
    }
    CharacterMap characters;
    const DecodedText decoded = DecodeDataFile(hangul + hangul, KanjiCode::Utf8, characters);
    EXPECT_EQ(decoded.LostCharacters, 2u); // the last one, each time it appears
    EXPECT_EQ(decoded.text.size(), 2 * (1880 * 2 + 1));
}

TEST(DataEncoding, ShiftJisFilesKeepTheirUserDefinedCodes) {
    // A character typed later gets a code the file does not use.
    CharacterMap characters;
    const DecodedText decoded = DecodeDataFile("\xF9\xFC\xF9\xFB", KanjiCode::ShiftJis, characters);
    EXPECT_EQ(decoded.text, "\xF9\xFC\xF9\xFB");
    EXPECT_EQ(characters.CodeFor(U'𠮷'), 0xF9FA);
}

class EveryCode : public ::testing::TestWithParam<KanjiCode> {};

TEST_P(EveryCode, WrittenTextReadsBackUnchanged) {
    const KanjiCode code = GetParam();
    const CharacterMap none;
    const EncodedText encoded = EncodeDataFile(kText, code, false, none);
    EXPECT_EQ(encoded.LostCharacters, 0u);
    CharacterMap characters;
    const DecodedText decoded = DecodeDataFile(encoded.bytes, code, characters);
    EXPECT_EQ(decoded.LostCharacters, 0u);
    EXPECT_EQ(decoded.text, kText);
}

TEST_P(EveryCode, EmptyTextStaysEmpty) {
    const KanjiCode code = GetParam();
    CharacterMap characters;
    const EncodedText encoded = EncodeDataFile("", code, false, characters);
    EXPECT_EQ(DecodeDataFile(encoded.bytes, code, characters).text, "");
}

INSTANTIATE_TEST_SUITE_P(DataEncoding, EveryCode,
                         ::testing::Values(KanjiCode::ShiftJis, KanjiCode::Euc, KanjiCode::Jis,
                                           KanjiCode::Unicode, KanjiCode::Utf8));

TEST(DataEncoding, DecodesEachCode) {
    CharacterMap characters;
    EXPECT_EQ(DecodeDataFile("\xB0\xA1\x8E\xB1", KanjiCode::Euc, characters).text, "\x88\x9F\xB1");
    EXPECT_EQ(DecodeDataFile("\x1B$B0!\x1B(BA", KanjiCode::Jis, characters).text, "\x88\x9F"
                                                                                  "A");
    EXPECT_EQ(DecodeDataFile("\xE4\xBA\x9C"
                             "A",
                             KanjiCode::Utf8, characters)
                  .text,
              "\x88\x9F"
              "A");
    EXPECT_EQ(DecodeDataFile("\xFF\xFE\x9C\x4E\x41\x00"s, KanjiCode::Unicode, characters).text,
              "\x88\x9F"
              "A");
}

TEST(DataEncoding, UnicodeWithoutItsMarkIsReadWithBlanksForZeroBytes) {
    CharacterMap characters;
    EXPECT_EQ(DecodeDataFile("A\0B\0"s, KanjiCode::Unicode, characters).text, "A B ");
    // A file that is nothing but the mark is an empty text, not two odd bytes.
    EXPECT_EQ(DecodeDataFile("\xFF\xFE", KanjiCode::Unicode, characters).text, "");
}

TEST(DataEncoding, Utf8MarkIsDroppedAndWrittenBackOnlyWhenItWasThere) {
    CharacterMap characters;
    const DecodedText decoded = DecodeDataFile("\xEF\xBB\xBFH12", KanjiCode::Utf8, characters);
    EXPECT_EQ(decoded.text, "H12");
    EXPECT_TRUE(decoded.Utf8Bom);
    EXPECT_EQ(EncodeDataFile("H12", KanjiCode::Utf8, true, characters).bytes, "\xEF\xBB\xBFH12");
    EXPECT_EQ(EncodeDataFile("H12", KanjiCode::Utf8, false, characters).bytes, "H12");
    EXPECT_EQ(EncodeDataFile("H", KanjiCode::Unicode, false, characters).bytes, "\xFF\xFEH\0"s);
}

TEST(DataEncoding, BytesThatFormNoCharacterAreCounted) {
    CharacterMap characters;
    const DecodedText decoded = DecodeDataFile("a\xF0\x9F\x98"
                                               "b\xC3",
                                               KanjiCode::Utf8, characters);
    EXPECT_EQ(decoded.text, "a?b?");
    EXPECT_EQ(decoded.LostCharacters, 2u);
}

TEST(DataEncoding, EucAndJisKeepHalfWidthKatakanaSoRecordsKeepTheirLayout) {
    const CharacterMap none;
    EXPECT_EQ(EncodeDataFile("\xB6\xDE", KanjiCode::Euc, false, none).bytes, "\x8E\xB6\x8E\xDE");
    EXPECT_EQ(EncodeDataFile("\xB6\xDE"
                             "A",
                             KanjiCode::Jis, false, none)
                  .bytes,
              "\x1B(I\x36\x5E\x1B(BA");
}

} // namespace
} // namespace ranvo
