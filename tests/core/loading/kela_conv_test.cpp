#include "core/loading/kela_conv.h"
#include "core/platform/code_page.h"
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

// 亜 (88 9F), "A1", ア (83 41, trail byte "A"), 表 (95 5C, trail byte "\"), ｱ (B1), CR LF, ん.
const std::string kMixed = "\x88\x9F\x41\x31\x83\x41\x95\x5C\xB1\r\n\x82\xF1"s;

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
    // Line breaks do not reset the mode: CR LF read as a pair is no character.
    EXPECT_EQ(conv.JisToSjis("\x1B$B\x30\x21\r\n\x30\x21"), "\x88\x9F\x88\x9F");
    // Other escapes and a cut-off escape pass through as bytes.
    EXPECT_EQ(conv.JisToSjis("\x1B$(D\x1B(Ha\x1B$"), "\x1B$(D\x1B(Ha\x1B$");
    // A lone last byte in double-byte mode is kept, not dropped.
    EXPECT_EQ(conv.JisToSjis("\x1B$B\x30\x21\x30"), "\x88\x9F\x30");
    EXPECT_EQ(conv.JisToSjis("\x1B$B\x30"), "\x30");
    // Row bytes outside 21-7E give no character.
    EXPECT_EQ(conv.JisToSjis("\x1B$B\x7F\x21\x30\x21"), "\x88\x9F");
}

TEST(KelaConv, EucDecoderEdges) {
    const TKelaConv conv;
    EXPECT_EQ(conv.EucToSjis("abc\xA4\xA2\r\n"), "abc\x82\xA0\r\n");
    // 8F (three-byte JIS X 0212) is not recognised: it is copied and the rest read as a pair.
    EXPECT_EQ(conv.EucToSjis("\x8F\xB0\xA1"), "\x8F\x88\x9F");
    // 8E before a byte that is no katakana, bytes 80-A0, and a lead byte at the end are copied.
    EXPECT_EQ(conv.EucToSjis("\x8E\x41\x80\xA0\x8E"), "\x8E\x41\x80\xA0\x8E");
    EXPECT_EQ(conv.EucToSjis("a\xB0"), "a\xB0");
}

TEST(KelaConv, EncoderSettings) {
    TKelaConv conv;
    conv.JisByteCodeType = TJisByteCodeType::btRoman;
    EXPECT_EQ(conv.SjisToJis("\x88\x9F\x41\x88\x9F"), "\x1B$B\x30\x21\x1B(JA\x1B$B\x30\x21\x1B(J");

    conv = TKelaConv();
    conv.JisKanaConvType = TJisKanaConvType::ktNone;
    // Without conversion a half-width katakana is a single byte and ends double-byte mode.
    EXPECT_EQ(conv.SjisToJis("\x88\x9F\xB1"), "\x1B$B\x30\x21\x1B(B\xB1");
    EXPECT_EQ(conv.SjisToEuc("\xB1\xDE"), "\x8E\xB1\x8E\xDE");
    EXPECT_EQ(SjisToEucKeepingKana("\xB6\xDE\x88\x9F"), "\x8E\xB6\x8E\xDE\xB0\xA1");

    conv.JisKanaConvType = TJisKanaConvType::ktZenSepaDaku;
    EXPECT_EQ(conv.SjisToEuc("\xB6\xDE"), "\xA5\xAB\xA1\xAB"); // カ ゛
    EXPECT_EQ(conv.SjisToJis("a\xB1"), "a\x1B$B\x25\x22\x1B(B");
}

TEST(KelaConv, MixedTextRoundTrips) {
    const TKelaConv conv;
    EXPECT_EQ(conv.EucToSjis(SjisToEucKeepingKana(kMixed)), kMixed);
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
    EXPECT_EQ(conv.EucToSjis(SjisToEucKeepingKana(worst)), worst);
    EXPECT_EQ(TKelaConv::HanKanaToZenSepaDaku(std::string(300000, '\xB1')).size(), 600000u);
}

// The converters take runs of characters several at a time; converting character by character
// (where the fast paths cannot apply) must give the same bytes.
TEST(KelaConv, RunsConvertLikeSingleCharacters) {
    test::InputGenerator random(7);
    const auto anyByte = [&] { return static_cast<char>(random.below(256)); };
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
                sjisChars.push_back({byteFrom(0x81, 0x1F), anyByte()});
                break;
            case 2:
                sjisChars.push_back({byteFrom(0xA1, 0x3F)});
                break;
            default:
                sjisChars.push_back({byteFrom(0xE0, 0x1D), anyByte()});
                break;
            }
            switch (random.below(5)) {
            case 0:
                eucChars.push_back({byteFrom(0x20, 0x5F)});
                break;
            case 1:
                eucChars.push_back({'\x8E', byteFrom(0xA1, 0x3F)});
                break;
            case 2:
                eucChars.push_back({byteFrom(0xA1, 0x5E), anyByte()});
                break;
            default:
                eucChars.push_back({byteFrom(0xA1, 0x5E), byteFrom(0xA1, 0x5E)});
                break;
            }
        }
        std::string sjis;
        std::string eucExpected;
        std::string zenExpected;
        for (const std::string& character : sjisChars) {
            sjis += character;
            eucExpected += SjisToEucKeepingKana(character);
            zenExpected += TKelaConv::HanKanaToZenSepaDaku(character);
        }
        ASSERT_EQ(SjisToEucKeepingKana(sjis), eucExpected);
        ASSERT_EQ(TKelaConv::HanKanaToZenSepaDaku(sjis), zenExpected);
        // Converted one by one, every double-byte character of JIS comes with its own escapes;
        // without a return that is followed at once by a new start, the text is the same.
        TKelaConv sepa;
        sepa.JisKanaConvType = TJisKanaConvType::ktZenSepaDaku;
        std::string jisExpected;
        for (const std::string& character : sjisChars) {
            jisExpected += sepa.SjisToJis(character);
        }
        for (std::size_t at; (at = jisExpected.find("\x1B(B\x1B$B")) != std::string::npos;) {
            jisExpected.erase(at, 6);
        }
        ASSERT_EQ(sepa.SjisToJis(sjis), jisExpected);

        std::string euc;
        std::string sjisExpected;
        for (const std::string& character : eucChars) {
            euc += character;
            sjisExpected += conv.EucToSjis(character);
        }
        ASSERT_EQ(conv.EucToSjis(euc), sjisExpected);
    }
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
