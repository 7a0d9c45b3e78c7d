#include "core/loading/kela_conv.h"
#include "core/platform/code_page.h"
#include "core/platform/cp932_chars.h"
#include "core/text/sjis.h"
#include "support/byte_files.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace ranvo {
namespace {

using namespace std::string_literals;

std::string sjisOf(unsigned char j1, unsigned char j2) {
    const auto bytes = TKelaConv::JisCharToSjis(j1, j2);
    return bytes ? std::string{static_cast<char>((*bytes)[0]), static_cast<char>((*bytes)[1])}
                 : std::string();
}

// The data files' conversions of whole texts, with a map or without.
ConvertedText toEuc(std::string_view sjis, const CharacterMap* characters = nullptr) {
    ConvertedText out;
    AppendCp932AsEuc(sjis, true, characters, out);
    return out;
}

ConvertedText toJis(std::string_view sjis, const CharacterMap* characters = nullptr) {
    ConvertedText out;
    JisMode mode = JisMode::Ascii;
    AppendCp932AsJis(sjis, true, mode, characters, out);
    return out;
}

ConvertedText fromEuc(std::string_view euc, CharacterMap* characters = nullptr) {
    ConvertedText out;
    AppendEucAsCp932(euc, true, characters, out);
    return out;
}

ConvertedText fromJis(std::string_view jis, CharacterMap* characters = nullptr) {
    ConvertedText out;
    JisMode mode = JisMode::Ascii;
    AppendJisAsCp932(jis, true, mode, characters, out);
    return out;
}

std::string codeBytes(unsigned code) {
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// 亜 (88 9F), "A1", ア (83 41, trail byte "A"), 表 (95 5C, trail byte "\"), ｱ (B1), CR LF, ん.
const std::string kMixed = "\x88\x9F\x41\x31\x83\x41\x95\x5C\xB1\r\n\x82\xF1"s;

// An ESC of the text that begins a known escape would switch the mode when the file is read
// back: JIS writes it as a lost character, whether it comes in one piece or is cut between two;
// any other ESC stays. Long runs of ASCII around it go the word-at-a-time way.
TEST(KelaConv, JisOutputNeverWritesAnEscapeTheTextHeld) {
    const std::string text = "ABCDEFGHIJ\x1B$B0!\x1B(B\x1Bx" "abcdefghij";
    const ConvertedText whole = toJis(text);
    EXPECT_EQ(whole.bytes, "ABCDEFGHIJ?$B0!?(B\x1Bx" "abcdefghij");
    EXPECT_EQ(whole.replaced, 2u);
    EXPECT_EQ(fromJis(whole.bytes).bytes, "ABCDEFGHIJ?$B0!?(B\x1Bx" "abcdefghij");

    ConvertedText pieces;
    JisMode mode = JisMode::Ascii;
    const std::size_t taken = AppendCp932AsJis(text.substr(0, 11), false, mode, nullptr, pieces);
    EXPECT_EQ(taken, 10u); // the ESC waits for what follows it
    AppendCp932AsJis(std::string_view(text).substr(taken), true, mode, nullptr, pieces);
    EXPECT_EQ(pieces.bytes, whole.bytes);
    EXPECT_EQ(pieces.replaced, whole.replaced);
}

TEST(KelaConv, DefaultsAndDocumentedExamples) {
    const TKelaConv conv;
    EXPECT_EQ(conv.JisByteCodeType, TJisByteCodeType::btAscii);
    EXPECT_EQ(conv.JisKanaConvType, TJisKanaConvType::ktZenWithDaku);

    EXPECT_EQ(conv.JisToSjis("\x1B$B\x30\x21\x1B(BA"), "\x88\x9F\x41");
    EXPECT_EQ(conv.EucToSjis("\xB0\xA1"), "\x88\x9F");
    EXPECT_EQ(conv.EucToSjis("\x8E\xB1"), "\xB1");
    EXPECT_EQ(conv.SjisToJis("\x88\x9F\x41"), "\x1B$B\x30\x21\x1B(BA");
    EXPECT_EQ(conv.SjisToJis("\x88\x9F"), "\x1B$B\x30\x21\x1B(B");
    EXPECT_EQ(conv.SjisToEuc("\xB6\xDE"), "\xA5\xAC"); // ｶﾞ → ガ
    EXPECT_EQ(conv.SjisToEuc("\xDF"), "\xA1\xAC");     // ﾟ → ゜
    // Empty text, also without any storage behind it.
    EXPECT_EQ(conv.SjisToJis(""), "");
    EXPECT_EQ(conv.JisToSjis(std::string_view()), "");
    EXPECT_EQ(conv.EucToSjis(std::string_view()), "");
    EXPECT_EQ(conv.SjisToEuc(std::string_view()), "");
    EXPECT_EQ(TKelaConv::HanKanaToZenWithDaku(std::string_view()), "");
}

TEST(KelaConv, CharArithmeticCoversJisX0208BothWays) {
    for (unsigned j1 = 0x21; j1 <= 0x74; ++j1) {
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            const auto sjis = TKelaConv::JisCharToSjis(static_cast<unsigned char>(j1),
                                                       static_cast<unsigned char>(j2));
            ASSERT_TRUE(sjis.has_value());
            ASSERT_TRUE(IsLeadByte((*sjis)[0])) << j1 << " " << j2;
            ASSERT_TRUE((*sjis)[1] >= 0x40 && (*sjis)[1] <= 0xFC && (*sjis)[1] != 0x7F);
            ASSERT_EQ(TKelaConv::SjisCharToJis((*sjis)[0], (*sjis)[1]),
                      (CharBytes{static_cast<unsigned char>(j1), static_cast<unsigned char>(j2)}));
        }
    }
    // Every Shift_JIS code of those rows maps back onto itself.
    for (unsigned s1 = 0x81; s1 <= 0xEA; s1 = s1 == 0x9F ? 0xE0 : s1 + 1) {
        for (unsigned s2 = 0x40; s2 <= 0xFC; ++s2) {
            if (s2 == 0x7F) {
                continue;
            }
            const CharBytes jis = TKelaConv::SjisCharToJis(static_cast<unsigned char>(s1),
                                                           static_cast<unsigned char>(s2));
            EXPECT_EQ(TKelaConv::JisCharToSjis(jis[0], jis[1]),
                      (CharBytes{static_cast<unsigned char>(s1), static_cast<unsigned char>(s2)}));
        }
    }
    EXPECT_FALSE(TKelaConv::JisCharToSjis(0x20, 0x21).has_value());
    EXPECT_FALSE(TKelaConv::JisCharToSjis(0x7F, 0x21).has_value());
    EXPECT_EQ(sjisOf(0x7E, 0x7E), "\xEF\xFC");
}

TEST(KelaConv, HalfWidthKatakanaBecomeFullWidth) {
    std::string allKana;
    for (int byte = 0xA1; byte <= 0xDF; ++byte) {
        allKana += static_cast<char>(byte);
    }
    EXPECT_EQ(Cp932ToUtf8(TKelaConv::HanKanaToZenSepaDaku(allKana)).bytes,
              "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハ"
              "ヒフヘホマミムメモヤユヨラリルレロワン゛゜");
    EXPECT_EQ(TKelaConv::HanKanaToZenWithDaku(allKana), TKelaConv::HanKanaToZenSepaDaku(allKana));

    const auto withDaku = [](std::string_view sjis) {
        return Cp932ToUtf8(TKelaConv::HanKanaToZenWithDaku(sjis)).bytes;
    };
    EXPECT_EQ(withDaku("\xB6\xDE\xC4\xDE\xCA\xDE\xCA\xDF\xCE\xDF\xB3\xDE"), "ガドバパポヴ");
    // Marks that cannot merge stand on their own; a mark merges once.
    EXPECT_EQ(withDaku("\xB1\xDE\xB6\xDF\xDE\xCA\xDE\xDF"), "ア゛カ゜゛バ゜");
    EXPECT_EQ(Cp932ToUtf8(TKelaConv::HanKanaToZenSepaDaku("\xB6\xDE\xCA\xDF")).bytes, "カ゛ハ゜");

    // Trail bytes in A1-DF (こ 82 B1, は 82 CD) are never kana, and a lead byte at the end stays
    // as it is.
    EXPECT_EQ(TKelaConv::HanKanaToZenWithDaku("\x82\xB1\x82\xCD\xB1\x88"),
              "\x82\xB1\x82\xCD\x83\x41\x88");
    const TKelaConv conv;
    EXPECT_EQ(conv.SjisToEuc("\x82\xCD\xDE"), "\xA4\xCF\xA1\xAB"); // は then ゛, not ﾊﾞ
    EXPECT_EQ(conv.SjisToJis("\x82\xB1"), "\x1B$B\x24\x33\x1B(B");
}

TEST(KelaConv, JisDecoderModes) {
    const TKelaConv conv;
    // ESC $ @ opens double-byte mode like ESC $ B; ESC ( J returns like ESC ( B.
    EXPECT_EQ(conv.JisToSjis("\x1B$@\x30\x21\x1B(Ja"), "\x88\x9F\x61");
    // Half-width katakana mode: 21-5F stand for A1-DF, other bytes are copied.
    EXPECT_EQ(conv.JisToSjis("\x1B(I\x31\x5F\x21 \x1B(Bz"), "\xB1\xDF\xA1 z");
    // Line breaks keep the mode, and stand for themselves in it: a writer that leaves the mode
    // open across lines loses no line end.
    EXPECT_EQ(conv.JisToSjis("\x1B$B\x30\x21\r\n\x30\x21"), "\x88\x9F\r\n\x88\x9F");
    // Other escapes and a cut-off escape pass through as bytes.
    EXPECT_EQ(conv.JisToSjis("\x1B$(C\x1B(Ha\x1B$"), "\x1B$(C\x1B(Ha\x1B$");
    // A lone last byte in double-byte mode, and a byte that cannot start a pair, are lost
    // without taking the byte after them.
    EXPECT_EQ(conv.JisToSjis("\x1B$B\x30\x21\x30"), "\x88\x9F?");
    EXPECT_EQ(conv.JisToSjis("\x1B$B\x7F\x30\x21"), "?\x88\x9F");
    EXPECT_EQ(conv.JisToSjis("\x1B$B\x30\x7F\x30\x21"), "??\x88\x9F");
}

TEST(KelaConv, EucDecoderEdges) {
    const TKelaConv conv;
    EXPECT_EQ(conv.EucToSjis("abc\xA4\xA2\r\n"), "abc\x82\xA0\r\n");
    // 8E before a byte that is no katakana, bytes 80-A0, and a lead byte at the end are lost;
    // the byte after each is read afresh.
    EXPECT_EQ(conv.EucToSjis("\x8E\x41\x80\xA0\x8E"), "?A???");
    EXPECT_EQ(conv.EucToSjis("a\xB0"), "a?");
    EXPECT_EQ(conv.EucToSjis("\xB0\x41\xB0\xA1"), "?A\x88\x9F");
}

TEST(KelaConv, EncoderSettings) {
    TKelaConv conv;
    conv.JisByteCodeType = TJisByteCodeType::btRoman;
    EXPECT_EQ(conv.SjisToJis("\x88\x9F\x41\x88\x9F"), "\x1B$B\x30\x21\x1B(JA\x1B$B\x30\x21\x1B(J");

    conv = TKelaConv();
    conv.JisKanaConvType = TJisKanaConvType::ktNone;
    // Without conversion half-width katakana stay: in JIS in their own mode.
    EXPECT_EQ(conv.SjisToJis("\x88\x9F\xB1\xDE"
                             "a"),
              "\x1B$B\x30\x21\x1B(I\x31\x5E\x1B(Ba");
    EXPECT_EQ(conv.SjisToEuc("\xB1\xDE"), "\x8E\xB1\x8E\xDE");

    conv.JisKanaConvType = TJisKanaConvType::ktZenSepaDaku;
    EXPECT_EQ(conv.SjisToEuc("\xB6\xDE"), "\xA5\xAB\xA1\xAB"); // カ ゛
    EXPECT_EQ(conv.SjisToJis("a\xB1"), "a\x1B$B\x25\x22\x1B(B");
}

TEST(KelaConv, MixedTextRoundTrips) {
    const TKelaConv conv;
    EXPECT_EQ(conv.EucToSjis(toEuc(kMixed).bytes), kMixed);
    EXPECT_EQ(conv.JisToSjis(toJis(kMixed).bytes), kMixed);
    const std::string fullWidth = TKelaConv::HanKanaToZenWithDaku(kMixed);
    EXPECT_EQ(conv.EucToSjis(conv.SjisToEuc(kMixed)), fullWidth);
    EXPECT_EQ(conv.JisToSjis(conv.SjisToJis(kMixed)), fullWidth);

    // Long texts whose output outgrows the first guess of its size: katakana alternating with
    // ASCII is the worst case of JIS (ESC $ B, a pair, ESC ( B for every two bytes).
    std::string worst;
    std::string worstZen;
    for (int i = 0; i < 200000; ++i) {
        worst += "\xCA\xDF\x61\xB1\x62";
        worstZen += "\x83\x70\x61\x83\x41\x62";
    }
    EXPECT_EQ(conv.SjisToJis(worst).size(), 200000u * 2 * 9);
    EXPECT_EQ(conv.JisToSjis(conv.SjisToJis(worst)), worstZen);
    EXPECT_EQ(conv.EucToSjis(conv.SjisToEuc(worst)), worstZen);
    EXPECT_EQ(conv.EucToSjis(toEuc(worst).bytes), worst);
    EXPECT_EQ(conv.JisToSjis(toJis(worst).bytes), worst);
    EXPECT_EQ(TKelaConv::HanKanaToZenSepaDaku(std::string(300000, '\xB1')).size(), 600000u);
}

// The converters take runs of characters several at a time; converting character by character
// (where the fast paths cannot apply) must give the same bytes.
TEST(KelaConv, RunsConvertLikeSingleCharacters) {
    test::InputGenerator random(7);
    const auto anyByte = [&] { return static_cast<char>(random.below(256)); };
    // An ESC depends on what follows it in JIS output, so it never ends a character here.
    const auto anyByteButEsc = [&] {
        const char byte = anyByte();
        return byte == '\x1B' ? '\x1C' : byte;
    };
    const auto byteFrom = [&](unsigned first, unsigned count) {
        return static_cast<char>(first + random.below(count));
    };
    const TKelaConv conv;
    for (int round = 0; round < 200; ++round) {
        // Characters that convert the same wherever they stand: ASCII, any lead byte with any
        // byte after it, half-width katakana (for the conversions that do not merge marks), and
        // the bytes that are neither (80, A0, FD-FF).
        std::vector<std::string> sjisChars;
        std::vector<std::string> eucChars;
        for (int i = 0; i < 150; ++i) {
            switch (random.below(6)) {
            case 0:
                sjisChars.push_back({byteFrom(0x20, 0x5F)});
                break;
            case 5:
                sjisChars.push_back({"\x80\xA0\xFD\xFE\xFF"[random.below(5)]});
                break;
            case 1:
                sjisChars.push_back({byteFrom(0x81, 0x1F), anyByteButEsc()});
                break;
            case 2:
                sjisChars.push_back({byteFrom(0xA1, 0x3F)});
                break;
            default:
                sjisChars.push_back({byteFrom(0xE0, 0x1D), anyByteButEsc()});
                break;
            }
            switch (random.below(6)) {
            case 0:
                eucChars.push_back({byteFrom(0x20, 0x5F)});
                break;
            case 1:
                eucChars.push_back({'\x8E', byteFrom(0xA1, 0x3F)});
                break;
            case 2: {
                // Any byte but the starts of the longer forms, which would take the next one.
                const char second = anyByte();
                eucChars.push_back(
                    {byteFrom(0xA1, 0x5E), second == '\x8E' || second == '\x8F' ? 'x' : second});
                break;
            }
            case 3:
                eucChars.push_back({'\x8F', byteFrom(0xA1, 0x5E), byteFrom(0xA1, 0x5E)});
                break;
            default:
                eucChars.push_back({byteFrom(0xA1, 0x5E), byteFrom(0xA1, 0x5E)});
                break;
            }
        }
        std::string sjis;
        std::string eucExpected;
        std::string zenExpected;
        // JIS converted one character at a time, its mode carried from one to the next.
        ConvertedText jisExpected;
        JisMode mode = JisMode::Ascii;
        for (const std::string& character : sjisChars) {
            sjis += character;
            eucExpected += toEuc(character).bytes;
            zenExpected += TKelaConv::HanKanaToZenSepaDaku(character);
            ASSERT_EQ(AppendCp932AsJis(character, false, mode, nullptr, jisExpected),
                      character.size());
        }
        AppendCp932AsJis("", true, mode, nullptr, jisExpected);
        ASSERT_EQ(toEuc(sjis).bytes, eucExpected);
        ASSERT_EQ(TKelaConv::HanKanaToZenSepaDaku(sjis), zenExpected);
        ASSERT_EQ(toJis(sjis).bytes, jisExpected.bytes);

        std::string euc;
        std::string sjisExpected;
        for (const std::string& character : eucChars) {
            euc += character;
            sjisExpected += conv.EucToSjis(character);
        }
        ASSERT_EQ(conv.EucToSjis(euc), sjisExpected);
    }
}

TEST(KelaConv, DataFilesKeepHalfWidthKatakanaInJis) {
    // An FL record "ｶﾅ12" keeps its four bytes through JIS, and a JIS text changes nothing.
    const std::string record = "\xB6\xC5"
                               "12\r\n";
    const ConvertedText jis = toJis(record);
    EXPECT_EQ(jis.bytes, "\x1B(I\x36\x45\x1B(B12\r\n");
    EXPECT_EQ(fromJis(jis.bytes).bytes, record);
    EXPECT_EQ(toJis("\x88\x9F\xB6\xDE\x88\x9F").bytes,
              "\x1B$B\x30\x21\x1B(I\x36\x5E\x1B$B\x30\x21\x1B(B");
    // TKelaConv's own default still makes them full-width.
    EXPECT_EQ(TKelaConv().SjisToJis("\xB6\xDE"), "\x1B$B\x25\x2C\x1B(B");
}

TEST(KelaConv, ExtensionKanjiComeBackAsTheSameCharacters) {
    // The reported case: 髙 (FB FC), ⅰ (FA 40) and the user-defined F0 40 through EUC-JP.
    const std::string sjis = "A\xFB\xFC"
                             "B\xFA\x40"
                             "C\xF0\x40"
                             "D\r\n";
    const ConvertedText euc = toEuc(sjis);
    EXPECT_EQ(euc.bytes, "A\xFC\xE2"
                         "B\xFC\xF1"
                         "C\xF5\xA1"
                         "D\r\n");
    EXPECT_EQ(euc.replaced, 0u);
    EXPECT_EQ(fromEuc(euc.bytes).bytes, "A\xEE\xE0"
                                        "B\xEE\xEF"
                                        "C\xF0\x40"
                                        "D\r\n");
    EXPECT_EQ(fromJis(toJis(sjis).bytes).bytes, fromEuc(euc.bytes).bytes);

    // Every IBM extension code, and every NEC row 13 and NEC-selected code, comes back as a code
    // of the same character.
    const Cp932Chars& chars = Cp932Chars::Get();
    std::size_t checked = 0;
    for (unsigned lead : {0x87u, 0xEDu, 0xEEu, 0xFAu, 0xFBu, 0xFCu}) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const auto code = static_cast<std::uint16_t>(lead << 8 | trail);
            if (chars.CharacterOf(code) == kNoCharacter) {
                continue;
            }
            const std::string back = fromEuc(toEuc(codeBytes(code)).bytes).bytes;
            ASSERT_EQ(back.size(), 2u) << std::hex << code;
            const auto backCode = static_cast<std::uint16_t>(
                static_cast<unsigned char>(back[0]) << 8 | static_cast<unsigned char>(back[1]));
            EXPECT_EQ(chars.CharacterOf(backCode), chars.CharacterOf(code)) << std::hex << code;
            EXPECT_EQ(fromJis(toJis(codeBytes(code)).bytes).bytes, back);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 83u + 374u + 388u);
}

TEST(KelaConv, UserDefinedAreaStandsWhereEucJpMsPutsIt) {
    EXPECT_EQ(toEuc("\xF0\x40\xF1\xFC\xF4\x40\xF4\xFC").bytes, "\xF5\xA1\xF8\xFE\xFD\xA1\xFE\xFE");
    EXPECT_EQ(toEuc("\xF5\x40\xF9\xFC").bytes, "\x8F\xF5\xA1\x8F\xFE\xFE");
    EXPECT_EQ(toJis("\xF0\x40\xF5\x40").bytes, "\x1B$B\x75\x21\x1B$(D\x75\x21\x1B(B");
    for (unsigned lead = 0xF0; lead <= 0xF9; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsTrailByte(static_cast<unsigned char>(trail))) {
                continue;
            }
            const std::string code = codeBytes(lead << 8 | trail);
            const ConvertedText euc = toEuc(code);
            const ConvertedText jis = toJis(code);
            if (lead == 0xF2 || lead == 0xF3) {
                // Their rows hold the NEC-selected kanji: no code can take them.
                ASSERT_EQ(euc.bytes, "?");
                ASSERT_EQ(euc.replaced, 1u);
                ASSERT_EQ(jis.replaced, 1u);
            } else {
                ASSERT_EQ(fromEuc(euc.bytes).bytes, code);
                ASSERT_EQ(fromJis(jis.bytes).bytes, code);
            }
        }
    }
    // Codes with no character and no place are lost, not turned into other characters.
    const ConvertedText lost = toEuc("\xEB\x40\xEC\x40\xEF\x40\xFC\xFC");
    EXPECT_EQ(lost.bytes, "????");
    EXPECT_EQ(lost.replaced, 4u);
}

TEST(KelaConv, SupplementaryKanjiAreOneCharacterEach) {
    // The reported case: 8F B0 A1 (丂) took the B after it.
    CharacterMap characters;
    const ConvertedText read = fromEuc("A\x8F\xB0\xA1"
                                       "B\xA4\xA2"
                                       "C",
                                       &characters);
    EXPECT_EQ(read.bytes, "A\xF9\xFC"
                          "B\x82\xA0"
                          "C");
    EXPECT_EQ(read.replaced, 0u);
    EXPECT_EQ(Cp932ToUtf8(read.bytes, &characters).bytes, "A丂BあC");
    EXPECT_EQ(toEuc(read.bytes, &characters).bytes, "A\x8F\xB0\xA1"
                                                    "B\xA4\xA2"
                                                    "C");
    EXPECT_EQ(toJis(read.bytes, &characters).bytes, "A\x1B$(D\x30\x21\x1B(BB\x1B$B\x24\x22\x1B(BC");
    EXPECT_EQ(fromJis("A\x1B$(D\x30\x21\x1B(BB", &characters).bytes, "A\xF9\xFC"
                                                                     "B");
    // Without a map a character CP932 lacks is lost, one CP932 has is read as its code (髙 from
    // eucJP-ms's IBM rows); an 8F not followed by two bytes of a character takes nothing.
    EXPECT_EQ(fromEuc("A\x8F\xB0\xA1"
                      "B")
                  .bytes,
              "A?B");
    EXPECT_EQ(fromEuc("\x8F\xF4\xFB").bytes, "\xFB\xFC");
    EXPECT_EQ(fromEuc("\x8F"
                      "AB\x8F\xB0"
                      "C")
                  .bytes,
              "?AB??C");
}

// Bytes that form no character are lost once and then stay as they are: reading and writing the
// result again gives the same bytes, however damaged the input was.
TEST(KelaConv, DamageStaysAsItIsAcrossSaves) {
    // The reported case: 81 02 became 81 03, then 81 04, at each EUC-JP save.
    const ConvertedText first = toEuc("\x81\x02"
                                      "A");
    EXPECT_EQ(first.bytes, "?\x02"
                           "A");
    EXPECT_EQ(first.replaced, 1u);
    EXPECT_EQ(toEuc(fromEuc(first.bytes).bytes).bytes, first.bytes);

    test::InputGenerator random(1113);
    for (int i = 0; i < 3000; ++i) {
        const std::string damaged =
            i % 2 == 0 ? random.bytes(64) : random.mutate(kMixed + "\x8F\xB0\xA1\x1B$(D\x30\x21");
        for (const bool euc : {true, false}) {
            CharacterMap characters;
            const auto save = [&](std::string_view bytes) {
                const std::string text =
                    euc ? fromEuc(bytes, &characters).bytes : fromJis(bytes, &characters).bytes;
                return euc ? toEuc(text, &characters).bytes : toJis(text, &characters).bytes;
            };
            const std::string once = save(damaged);
            ASSERT_EQ(save(once), once) << ::testing::PrintToString(damaged);
        }
        // Shift_JIS text that no file gave (cells joined wrongly, say) is made stable too.
        const std::string once = toEuc(damaged).bytes;
        ASSERT_EQ(toEuc(fromEuc(once).bytes).bytes, once);
    }
}

TEST(KelaConv, NecEqualsOfIbmCodes) {
    EXPECT_EQ(NecEqualOfIbmCode(0xFA5C), 0xED40); // 纊, the first kanji
    EXPECT_EQ(NecEqualOfIbmCode(0xFC4B), 0xEEEC); // 黑, the last
    EXPECT_EQ(NecEqualOfIbmCode(0xFBFC), 0xEEE0); // 髙
    EXPECT_EQ(NecEqualOfIbmCode(0xFA58), 0x878A); // ㈱
    EXPECT_EQ(NecEqualOfIbmCode(0x889F), 0x889F);
    EXPECT_EQ(NecEqualOfIbmCode(0xFC4C), 0xFC4C);
}

TEST(KelaConv, ArbitraryBytesNeverBreakAConversion) {
    test::InputGenerator random(2024);
    TKelaConv settings[3];
    settings[1].JisKanaConvType = TJisKanaConvType::ktNone;
    settings[1].JisByteCodeType = TJisByteCodeType::btRoman;
    settings[2].JisKanaConvType = TJisKanaConvType::ktZenSepaDaku;
    const std::string valid = kMixed + "\x1B$B\x30\x21\x1B(I\x31\x1B(B\xB6\xDE\xCA\xDF\x8E\xB1";
    for (int i = 0; i < 3000; ++i) {
        // Some inputs span several of the pieces the converters work in.
        const std::string generated = i % 500 == 0 ? random.bytes(50000)
                                      : i % 2 == 0 ? random.bytes(64)
                                                   : random.mutate(valid);
        // A heap block of exactly the input's size, so that the sanitizer sees any read past it.
        const auto exact = std::make_unique<char[]>(generated.size());
        std::copy(generated.begin(), generated.end(), exact.get());
        const std::string_view input(exact.get(), generated.size());
        const TKelaConv& conv = settings[i % 3];
        EXPECT_LE(conv.JisToSjis(input).size(), input.size());
        EXPECT_LE(conv.EucToSjis(input).size(), input.size());
        EXPECT_LE(conv.SjisToJis(input).size(), input.size() * 5 + 3);
        EXPECT_LE(conv.SjisToEuc(input).size(), input.size() * 2);
        EXPECT_LE(TKelaConv::HanKanaToZenWithDaku(input).size(), input.size() * 2);
        EXPECT_LE(TKelaConv::HanKanaToZenSepaDaku(input).size(), input.size() * 2);
    }
}

} // namespace
} // namespace ranvo
