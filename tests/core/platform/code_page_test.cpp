#include "core/platform/code_page.h"
#include "core/platform/cp932_chars.h"
#include "support/byte_files.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace ranvo {
namespace {

using namespace std::string_literals;

// 日本語テキスト: kanji, and katakana whose trail bytes look like ASCII (テ is 83 65, キ 83 4C).
const std::string kJapaneseCp932 = "\x93\xFA\x96\x7B\x8C\xEA\x83\x65\x83\x4C\x83\x58\x83\x67";
const std::string kJapaneseUtf8 = "日本語テキスト";
const std::string kJapaneseUtf16 = "\xE5\x65\x2C\x67\x9E\x8A\xC6\x30\xAD\x30\xB9\x30\xC8\x30"s;

using Conversion = ConvertedText (*)(std::string_view);

// The conversions without a file's character map.
constexpr Conversion kToUtf8 = [](std::string_view text) { return Cp932ToUtf8(text); };
constexpr Conversion kFromUtf8 = [](std::string_view text) { return Utf8ToCp932(text); };
constexpr Conversion kToUtf16 = [](std::string_view text) { return Cp932ToUtf16Le(text); };
constexpr Conversion kFromUtf16 = [](std::string_view text) { return Utf16LeToCp932(text); };

// One conversion with the bytes that must come out and the characters that must be counted as
// lost. Every system converts through its own functions (iconv, or Windows' code pages), and
// every one must give these results.
struct ConversionCase {
    const char* what;
    Conversion convert;
    std::string input;
    std::string output;
    std::size_t lost;
};

const ConversionCase kConversionCases[] = {
    {"kanji and katakana", kToUtf8, kJapaneseCp932, kJapaneseUtf8, 0},
    {"kanji and katakana", kFromUtf8, kJapaneseUtf8, kJapaneseCp932, 0},
    {"kanji and katakana", kToUtf16, kJapaneseCp932, kJapaneseUtf16, 0},
    {"kanji and katakana", kFromUtf16, kJapaneseUtf16, kJapaneseCp932, 0},
    {"half-width katakana", kToUtf8, "\xB1\xDE\xA1", "ｱﾞ｡", 0},
    {"half-width katakana", kFromUtf16, "\x71\xFF", "\xB1", 0},
    {"backslash and tilde stay ASCII", kToUtf8, "\\~", "\\~", 0},
    // NEC's row 13, IBM's extension and NEC's selection of it, the user-defined area.
    {"extension kanji", kToUtf8, "\x87\x40\xFA\x40\xED\x40\xF0\x40\xF9\xFC",
     "①ⅰ纊\xEE\x80\x80\xEE\x9D\x97", 0},
    {"extension kanji", kFromUtf8, "①ⅰ纊\xEE\x80\x80\xEE\x9D\x97",
     "\x87\x40\xFA\x40\xFA\x5C\xF0\x40\xF9\xFC", 0},
    {"doubled symbols take the JIS code", kFromUtf8, "≒∵￢", "\x81\xE0\x81\xE6\x81\xCA", 0},
    {"codes read one way", kToUtf8, "\x81\x60\x81\x5C\x81\x61\x81\x7C",
     "\xEF\xBD\x9E\xE2\x80\x95\xE2\x88\xA5\xEF\xBC\x8D", 0},
    // Characters CP932 would write as the code of a look-alike have no code of their own: without
    // a file's map to give them one, they are lost.
    {"look-alikes", kFromUtf8, "〜−‖—¢£¬¥‾", "?????????", 9},
    {"look-alikes", kFromUtf16, "\x1C\x30\xA5\x00"s, "??", 2},
    {"bytes that are no character", kToUtf8, "\x80\x61\xA0\xFD\xFE\xFF\x85\x40\x62\x81 c\x88"s,
     "?a?????b? c?", 8},
    {"bytes that are no character", kToUtf16, "\xFF\x41\x80"s, "?\0A\0?\0"s, 2},
    {"characters with no code", kFromUtf8, "a\xC2\x80\xEF\xA3\xB0\xF0\x9F\x98\x80\x62한",
     "a???b?", 4},
    {"characters with no code", kFromUtf16, "\x80\x00\xF0\xF8\x42\xD8\xB7\xDF\x41\x00"s, "???A",
     3},
    {"ill-formed UTF-8", kFromUtf8, "\x80\x61\xC0\xAF\x62\xED\xA0\x80\x63\xE3\x81\x64\xE6\x97"s,
     "?a??b???c?d?", 8},
    {"ill-formed UTF-16", kFromUtf16, "\x00\xDC\x41\x00\x00\xD8\x42\x00\x43"s, "?A?B?", 3},
    {"high surrogate at the end", kFromUtf16, "A\x00\x3D\xD8"s, "A?", 1},
};

TEST(CodePage, EverySystemConvertsTheCasesAlike) {
    for (const ConversionCase& test : kConversionCases) {
        SCOPED_TRACE(test.what);
        const ConvertedText converted = test.convert(test.input);
        EXPECT_EQ(converted.bytes, test.output);
        EXPECT_EQ(converted.replaced, test.lost);
        // Inside a long text the same characters convert the same, run by run. Blanks cannot
        // be the second byte of a character, so a cut-off character stays cut off.
        const std::string padding(100, ' ');
        const bool utf16In = test.convert == kFromUtf16;
        const bool utf16Out = test.convert == kToUtf16;
        std::string paddingIn;
        std::string paddingOut;
        for (const char c : padding) {
            paddingIn += utf16In ? std::string{c, '\0'} : std::string{c};
            paddingOut += utf16Out ? std::string{c, '\0'} : std::string{c};
        }
        // After an odd last byte of UTF-16 the padding would be read out of step.
        const bool whole = !utf16In || test.input.size() % 2 == 0;
        const ConvertedText embedded =
            test.convert(paddingIn + test.input + (whole ? paddingIn : ""));
        EXPECT_EQ(embedded.bytes, paddingOut + test.output + (whole ? paddingOut : ""));
        EXPECT_EQ(embedded.replaced, test.lost);
    }
}

TEST(CodePage, JapaneseTextRoundTrips) {
    const ConvertedText utf8 = Cp932ToUtf8(kJapaneseCp932);
    EXPECT_EQ(utf8.bytes, kJapaneseUtf8);
    EXPECT_EQ(utf8.replaced, 0u);
    const ConvertedText utf16 = Cp932ToUtf16Le(kJapaneseCp932);
    EXPECT_EQ(utf16.bytes, kJapaneseUtf16);
    EXPECT_EQ(utf16.replaced, 0u);
    EXPECT_EQ(Utf8ToCp932(kJapaneseUtf8).bytes, kJapaneseCp932);
    EXPECT_EQ(Utf16LeToCp932(kJapaneseUtf16).bytes, kJapaneseCp932);
    EXPECT_EQ(Utf8ToCp932(kJapaneseUtf8).replaced, 0u);
    // ソ (83 5C) and 表 (95 5C) end in the backslash byte, followed by a long ASCII run that is
    // copied directly: the trail byte must stay with its lead byte.
    const std::string tricky = "\x83\x5C\x95\x5C" + std::string(100, '\\') + "\x83";
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(tricky).bytes).bytes,
              tricky.substr(0, tricky.size() - 1) + "?");
    EXPECT_EQ(Cp932ToUtf8(tricky).bytes, "ソ表" + std::string(100, '\\') + "?");
    EXPECT_EQ(Cp932ToUtf16Le("\x83" + std::string(100, 'A')).bytes.substr(0, 4),
              "\xA2\x30\x41\x00"s);
}

TEST(CodePage, AsciiAndHalfWidthKatakana) {
    std::string ascii;
    for (int c = 0; c < 0x80; ++c) {
        ascii += static_cast<char>(c);
    }
    ascii += ascii; // long enough to be copied as a run as well as converted in a block
    std::string asciiUtf16;
    for (const char c : ascii) {
        asciiUtf16 += c;
        asciiUtf16 += '\0';
    }
    EXPECT_EQ(Cp932ToUtf8(ascii).bytes, ascii);
    EXPECT_EQ(Utf8ToCp932(ascii).bytes, ascii);
    EXPECT_EQ(Cp932ToUtf16Le(ascii).bytes, asciiUtf16);
    EXPECT_EQ(Utf16LeToCp932(asciiUtf16).bytes, ascii);
    EXPECT_EQ(Cp932ToUtf8("\\~").bytes, "\\~"); // never the yen sign or overline

    // ｱ (B1), ﾞ (DE), ｡ (A1) are U+FF71, U+FF9E, U+FF61.
    EXPECT_EQ(Cp932ToUtf8("\xB1\xDE\xA1").bytes, "ｱﾞ｡");
    EXPECT_EQ(Utf8ToCp932("ｱﾞ｡").bytes, "\xB1\xDE\xA1");
    EXPECT_EQ(Cp932ToUtf16Le("\xB1").bytes, "\x71\xFF");
    EXPECT_EQ(Utf16LeToCp932("\x71\xFF").bytes, "\xB1");
    // Empty text, also without any storage behind it.
    EXPECT_TRUE(Cp932ToUtf8("").bytes.empty());
    EXPECT_TRUE(Cp932ToUtf16Le(std::string_view()).bytes.empty());
    EXPECT_TRUE(Utf8ToCp932(std::string_view()).bytes.empty());
    EXPECT_TRUE(Utf16LeToCp932(std::string_view()).bytes.empty());
}

TEST(CodePage, CharactersCp932CannotHoldBecomeQuestionMarks) {
    const ConvertedText smile = Utf8ToCp932("a\xF0\x9F\x98\x80\x62\xF0\xA0\xAE\xB7");
    EXPECT_EQ(smile.bytes, "a?b?");
    EXPECT_EQ(smile.replaced, 2u);
    // 𠮷 as a surrogate pair is one character, so one "?".
    const ConvertedText yoshi = Utf16LeToCp932("\x42\xD8\xB7\xDF\x41\x00"s);
    EXPECT_EQ(yoshi.bytes, "?A");
    EXPECT_EQ(yoshi.replaced, 1u);
    const ConvertedText hangul = Utf8ToCp932("한" + kJapaneseUtf8);
    EXPECT_EQ(hangul.bytes, "?" + kJapaneseCp932);
    EXPECT_EQ(hangul.replaced, 1u);
}

TEST(CodePage, CharactersCp932WouldChangeHaveNoCodeOfTheirOwn) {
    const Cp932Chars& chars = Cp932Chars::Get();
    // WAVE DASH, MINUS SIGN, DOUBLE VERTICAL LINE, ¢ £ ¬, EM DASH, ¥ and OVERLINE: CP932 writes
    // them as codes that read back as other characters.
    for (const char32_t oneWay : {U'〜', U'−', U'‖', U'¢', U'£', U'¬', U'—', U'¥', U'‾'}) {
        EXPECT_EQ(chars.CodeOf(oneWay), kNoCode) << static_cast<unsigned>(oneWay);
    }
    EXPECT_EQ(chars.CodeOf(U'～'), 0x8160);
    EXPECT_EQ(chars.CharacterOf(0x8160), u'～');
    // Where two codes hold a character, the one the code page writes.
    EXPECT_EQ(chars.CodeOf(U'≒'), 0x81E0);
    EXPECT_EQ(chars.CodeOf(U'髙'), 0xFBFC);
    EXPECT_EQ(chars.CharacterOf(0xEEE0), u'髙');
    EXPECT_EQ(chars.CodeOf(0xE000), 0xF040);
    EXPECT_EQ(chars.CharacterOf(0x80), kNoCharacter);
    // Without a map they become "?" rather than their look-alikes.
    const ConvertedText converted = Utf8ToCp932("〜¥a");
    EXPECT_EQ(converted.bytes, "??a");
    EXPECT_EQ(converted.replaced, 2u);
}

TEST(CodePage, WithAMapEveryCharacterComesBack) {
    const std::string text = "〜¥𠮷😀\uE000あ〜";
    CharacterMap characters;
    const ConvertedText cp932 = Utf8ToCp932(text, &characters);
    EXPECT_EQ(cp932.replaced, 0u);
    EXPECT_EQ(cp932.bytes, "\xF9\xFC\xF9\xFB\xF9\xFA\xF9\xF9\xF0\x40\x82\xA0\xF9\xFC");
    EXPECT_EQ(Cp932ToUtf8(cp932.bytes, &characters).bytes, text);
    const ConvertedText utf16 = Cp932ToUtf16Le(cp932.bytes, &characters);
    EXPECT_EQ(utf16.bytes.substr(4, 4), "\x42\xD8\xB7\xDF"s); // 𠮷 as a surrogate pair
    EXPECT_EQ(Utf16LeToCp932(utf16.bytes, &characters).bytes, cp932.bytes);
    // Without the map the codes are CP932's own private-use characters.
    EXPECT_EQ(Cp932ToUtf8("\xF9\xFC").bytes, "\uE757");
}

TEST(CodePage, APieceLeavesACharacterCutAtItsEnd) {
    const auto taken = [](std::string_view input, UnicodeForm form) {
        ConvertedText out;
        const std::size_t used = AppendUnicodeAsCp932(input, form, false, nullptr, out);
        EXPECT_EQ(out.replaced, 0u);
        return used;
    };
    EXPECT_EQ(taken("a\xE3\x81", UnicodeForm::Utf8), 1u); // あ cut after two bytes
    EXPECT_EQ(taken("a\xF0\x9F\x98", UnicodeForm::Utf8), 1u);
    EXPECT_EQ(taken("a\0\x42"s, UnicodeForm::Utf16Le), 2u);     // an odd byte
    EXPECT_EQ(taken("a\0\x42\xD8"s, UnicodeForm::Utf16Le), 2u); // a high surrogate
    ConvertedText out;
    EXPECT_EQ(AppendCp932AsUnicode("a\x82", UnicodeForm::Utf8, false, nullptr, out), 1u);
    EXPECT_EQ(AppendCp932AsUnicode("\xA0\x82", UnicodeForm::Utf8, true, nullptr, out), 2u);
    EXPECT_EQ(out.bytes, "a??");
}

TEST(CodePage, InvalidInputIsCountedAndDoesNotStop) {
    // Undefined single bytes, an undefined double-byte code, a lead byte before a byte that
    // cannot follow it, and a lead byte at the end.
    const ConvertedText cp932 = Cp932ToUtf8("\x80\x61\xA0\xFD\x85\x40\x62\x81 c\x88"s);
    EXPECT_EQ(cp932.bytes, "?a???b? c?");
    EXPECT_EQ(cp932.replaced, 6u);
    const ConvertedText cp932To16 = Cp932ToUtf16Le("\xFF\x41"s);
    EXPECT_EQ(cp932To16.bytes, "?\0A\0"s);
    EXPECT_EQ(cp932To16.replaced, 1u);

    // A stray continuation byte, an overlong form, an encoded surrogate, a cut-off character
    // before ASCII, and one at the end: one "?" per maximal ill-formed part.
    const ConvertedText utf8 =
        Utf8ToCp932("\x80\x61\xC0\xAF\x62\xED\xA0\x80\x63\xE3\x81\x64\xE6\x97"s);
    EXPECT_EQ(utf8.bytes, "?a??b???c?d?");
    EXPECT_EQ(utf8.replaced, 8u);

    // Lone low surrogate, high surrogate before an ordinary character, odd last byte.
    const ConvertedText utf16 = Utf16LeToCp932("\x00\xDC\x41\x00\x00\xD8\x42\x00\x43"s);
    EXPECT_EQ(utf16.bytes, "?A?B?");
    EXPECT_EQ(utf16.replaced, 3u);
    const ConvertedText highAtEnd = Utf16LeToCp932("A\x00\x3D\xD8"s);
    EXPECT_EQ(highAtEnd.bytes, "A?");
    EXPECT_EQ(highAtEnd.replaced, 1u);
}

TEST(CodePage, PathsAreStoredAsCp932) {
    const std::filesystem::path path = Cp932ToPath("/data/\x93\xFA\x96\x7B/a.def");
    EXPECT_EQ(path, std::filesystem::path(u8"/data/日本/a.def"));
    EXPECT_EQ(PathToCp932(path), "/data/\x93\xFA\x96\x7B/a.def");
    EXPECT_EQ(PathToCp932(std::filesystem::path(u8"/x/😀.csv")), "/x/?.csv");
}

// Pieces that keep their meaning wherever they stand, so that converting their concatenation in
// one call must give the concatenation of converting each on its own.
struct Pieces {
    std::vector<std::string> atoms;
    std::string whole;
    std::vector<std::size_t> order;
};

Pieces makePieces(std::vector<std::string> atoms, std::size_t unitWidth, std::uint32_t seed,
                  std::size_t size) {
    test::InputGenerator random(seed);
    // ASCII runs of every length up to 64, the longer ones copied as they are.
    for (std::size_t length = 1; length <= 64; ++length) {
        std::string run;
        for (std::size_t i = 0; i < length; ++i) {
            run += static_cast<char>(0x20 + random.below(0x5F));
            run.append(unitWidth - 1, '\0');
        }
        atoms.push_back(run);
    }
    Pieces pieces{std::move(atoms), {}, {}};
    while (pieces.whole.size() < size) {
        pieces.order.push_back(random.below(pieces.atoms.size()));
        pieces.whole += pieces.atoms[pieces.order.back()];
    }
    return pieces;
}

template <typename Convert>
void expectBlocksAgreeWithPieces(const Pieces& pieces, Convert convert) {
    std::vector<ConvertedText> converted;
    for (const std::string& atom : pieces.atoms) {
        converted.push_back(convert(atom));
    }
    std::string expected;
    std::size_t expectedReplaced = 0;
    for (const std::size_t index : pieces.order) {
        expected += converted[index].bytes;
        expectedReplaced += converted[index].replaced;
    }
    const ConvertedText whole = convert(pieces.whole);
    EXPECT_EQ(whole.replaced, expectedReplaced);
    ASSERT_EQ(whole.bytes.size(), expected.size());
    EXPECT_TRUE(whole.bytes == expected);
}

TEST(CodePage, LargeInputsConvertLikeTheirPieces) {
    constexpr std::size_t kSize = 3 << 20;
    const std::vector<std::string> cp932Atoms = {
        kJapaneseCp932, "\x83\x41", "\x83\x5C", "\x95\x5C", "\x82\xA0", "\x81\x40", "\xB1",
        "\xDF",         "\xA1",     "\x80",     "\xA0",     "\xFD",     "\x85\x40", "\r\n"};
    const Pieces cp932 = makePieces(cp932Atoms, 1, 1, kSize);
    expectBlocksAgreeWithPieces(cp932, [](std::string_view text) { return Cp932ToUtf8(text); });
    expectBlocksAgreeWithPieces(cp932, [](std::string_view text) { return Cp932ToUtf16Le(text); });

    const std::vector<std::string> utf8Atoms = {
        kJapaneseUtf8,  "ｱ",  "\xF0\x9F\x98\x80", "\xFF", "\xE3\x81\x41", "\xC0\xAF",
        "\xED\xA0\x80", "한", "\xC2\xA7"};
    expectBlocksAgreeWithPieces(makePieces(utf8Atoms, 1, 2, kSize),
                                [](std::string_view text) { return Utf8ToCp932(text); });

    const std::vector<std::string> utf16Atoms = {
        kJapaneseUtf16,      "\x71\xFF", "\x42\xD8\xB7\xDF", "\x00\xDC"s,
        "\x00\xD8\x41\x00"s, "A\x00"s,   "\x5C\x00"s,        "\x00\x41"s};
    expectBlocksAgreeWithPieces(makePieces(utf16Atoms, 2, 3, kSize),
                                [](std::string_view text) { return Utf16LeToCp932(text); });

    // Output three times the input, far beyond the first guess of its size.
    const std::string kana(1 << 20, '\xB1');
    const ConvertedText tripled = Cp932ToUtf8(kana);
    ASSERT_EQ(tripled.bytes.size(), kana.size() * 3);
    EXPECT_EQ(tripled.bytes.substr(tripled.bytes.size() - 3), "ｱ");
    EXPECT_EQ(Utf8ToCp932(tripled.bytes).bytes, kana);
}

TEST(CodePage, ArbitraryBytesNeverBreakAConversion) {
    test::InputGenerator random(932);
    for (int i = 0; i < 2000; ++i) {
        const std::string generated =
            i % 2 == 0 ? random.bytes(200) : random.mutate(kJapaneseCp932 + std::string(70, 'a'));
        // A heap block of exactly the input's size, so that the sanitizer sees any read past it.
        const auto exact = std::make_unique<char[]>(generated.size());
        std::copy(generated.begin(), generated.end(), exact.get());
        const std::string_view input(exact.get(), generated.size());
        const ConvertedText utf8 = Cp932ToUtf8(input);
        EXPECT_LE(utf8.bytes.size(), input.size() * 3);
        EXPECT_LE(Cp932ToUtf16Le(input).bytes.size(), input.size() * 2);
        EXPECT_LE(Utf8ToCp932(input).bytes.size(), input.size());
        EXPECT_LE(Utf16LeToCp932(input).bytes.size(), input.size());
        // Whatever was read, its UTF-8 form is valid UTF-8 and comes back unchanged.
        const ConvertedText back = Utf8ToCp932(utf8.bytes);
        EXPECT_EQ(Cp932ToUtf8(back.bytes).bytes, utf8.bytes);
    }
}

} // namespace
} // namespace ranvo
