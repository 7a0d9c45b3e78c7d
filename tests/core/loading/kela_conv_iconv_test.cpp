// The EUC-JP converter against iconv's tables, where the system has iconv.

#include "core/loading/kela_conv.h"
#include "core/platform/supplementary_kanji.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <string>

namespace ranvo {
namespace {

std::string sjisOf(unsigned char j1, unsigned char j2) {
    const auto bytes = TKelaConv::JisCharToSjis(j1, j2);
    return bytes ? std::string{static_cast<char>((*bytes)[0]), static_cast<char>((*bytes)[1])}
                 : std::string();
}

// iconv's EUC-JP for one CP932 character, or nothing when it has no two-byte code there.
std::string iconvEuc(iconv_t cd, const std::string& sjis) {
    char out[8];
    char* in = const_cast<char*>(sjis.data());
    std::size_t inLeft = sjis.size();
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        outPtr - out != 2) {
        return {};
    }
    return std::string(out, 2);
}

TEST(KelaConv, AgreesWithIconvOnEucJp) {
    const iconv_t cd = iconv_open("EUC-JP", "CP932");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string sjis;
    std::string euc;
    std::size_t kanji = 0;
    for (unsigned j1 = 0x21; j1 <= 0x74; ++j1) {
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            if (j1 >= 0x29 && j1 <= 0x2F) {
                continue; // empty in JIS X 0208; CP932 puts NEC's symbols in row 2D
            }
            const std::string character =
                sjisOf(static_cast<unsigned char>(j1), static_cast<unsigned char>(j2));
            const std::string expected = iconvEuc(cd, character);
            if (expected.empty()) {
                continue; // unassigned, or a symbol CP932 and EUC-JP map to different characters
            }
            // Runs of characters, now and then broken by ASCII, as in real text.
            const std::string breaker = j2 % 7 == 0 ? "a" : "";
            sjis += character + breaker;
            euc += expected + breaker;
            kanji += j1 >= 0x30 ? 1 : 0;
        }
    }
    iconv_close(cd);
    EXPECT_EQ(kanji, 2965u + 3390u); // both levels of JIS X 0208 kanji
    const TKelaConv conv;
    EXPECT_TRUE(conv.SjisToEuc(sjis) == euc);
    EXPECT_TRUE(conv.EucToSjis(euc) == sjis);
    EXPECT_TRUE(conv.JisToSjis(conv.SjisToJis(sjis)) == sjis);
}

// The supplementary kanji are a table of the program's own: it must hold what the system's
// EUC-JP-MS reads for every code of rows 21-74, and nothing else.
TEST(SupplementaryKanji, AgreesWithIconvOnEucJpMs) {
    const iconv_t cd = iconv_open("UTF-32LE", "EUC-JP-MS");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        GTEST_SKIP() << "this system's iconv has no EUC-JP-MS";
    }
    const SupplementaryKanji& table = SupplementaryKanji::Get();
    std::size_t characters = 0;
    for (unsigned row = 0x21; row <= 0x74; ++row) {
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            char code[] = {'\x8F', static_cast<char>(0x80 + row), static_cast<char>(0x80 + cell)};
            char32_t expected = 0;
            char* in = code;
            std::size_t inLeft = sizeof code;
            char* out = reinterpret_cast<char*>(&expected);
            std::size_t outLeft = sizeof expected;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
                expected = 0;
            }
            const auto rowByte = static_cast<unsigned char>(row);
            const auto cellByte = static_cast<unsigned char>(cell);
            EXPECT_EQ(table.CharacterAt(rowByte, cellByte).value_or(0), expected)
                << std::hex << row << ' ' << cell;
            if (expected != 0) {
                ++characters;
                // A character at two codes is written at the first of them.
                const auto written = table.RowCellOf(expected);
                ASSERT_TRUE(written.has_value());
                EXPECT_EQ(table.CharacterAt((*written)[0], (*written)[1]), expected);
                EXPECT_LE(*written, (SupplementaryKanji::RowCell{rowByte, cellByte}));
            }
        }
    }
    iconv_close(cd);
    EXPECT_EQ(characters, 6173u);
}

} // namespace
} // namespace ranvo
