#include "core/definitions/define_class.h"
#include "example_definition.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace ranvo {
namespace {

// Every query on whatever a read left behind, with indices on both sides of every bound.
void queryEverything(const TDefineClass& definition, test::InputGenerator& generator) {
    std::vector<std::string> values;
    for (int n = 0; n < 4; ++n) {
        const std::string record = generator.bytes(n == 0 ? 0 : 60);
        const int condition = definition.FindCondition(record);
        EXPECT_GE(condition, 0);
        EXPECT_LT(condition, std::max<int>(1, static_cast<int>(definition.Conditions.size())));
        const int count = definition.SplitRecord(record, values);
        EXPECT_EQ(count, static_cast<int>(values.size()));
        EXPECT_EQ(definition.FindCondition(values), definition.FindCondition(values));
    }
    const int conditions = std::min<int>(static_cast<int>(definition.Conditions.size()), 8);
    for (int i = -1; i <= conditions; ++i) {
        for (int j = -1; j <= 12; ++j) {
            (void)definition.GetFieldColor(i, j, 0);
            (void)definition.GetFieldLength(i, j);
            (void)definition.GetFieldStart(i, j);
            (void)definition.GetFieldName(i, j).size();
            (void)definition.FieldIndexAt(i, j * 5);
        }
    }
}

// Lines made of the words a definition file is built from, so that the generated files get
// past the first checks and reach the condition blocks.
std::string structuredDefinition(test::InputGenerator& generator) {
    static constexpr std::array<std::string_view, 6> keys = {"head",  "length", "name",
                                                             "color", "start",  "other"};
    static constexpr std::array<std::string_view, 14> words = {
        "0", "1",    "-1", "3",  "2147483647", "-2147483648", "99999999999",
        "x", "True", "",   " 5", "$FF",        "\x81",        "\x82\xA0"};
    static constexpr std::array<std::string_view, 6> formats = {"FB", "FL", "CS", "CT", "C", "X"};
    std::string text = "rvDefine ver1.0\r\ndefine\r\nheader,N,";
    text += words[generator.below(words.size())];
    text += ',';
    text += formats[generator.below(formats.size())];
    text += ",,\"\r\nconditions\r\n";
    const std::size_t lines = generator.below(30);
    for (std::size_t line = 0; line < lines; ++line) {
        text += keys[generator.below(line == 0 ? 1 : keys.size())];
        const std::size_t items = generator.below(13);
        for (std::size_t item = 0; item < items; ++item) {
            text += ',';
            text += generator.below(8) == 0 ? generator.bytes(4)
                                            : std::string(words[generator.below(words.size())]);
        }
        text += generator.below(6) == 0 ? "\n" : "\r\n";
    }
    return text;
}

TEST(DefinitionRobustness, ArbitraryFilesNeverBreakTheReaderOrTheQueries) {
    test::TempDir dir;
    test::InputGenerator generator(1234567);
    const std::string example = test::exampleDefinitionText();
    int accepted = 0;
    for (int n = 0; n < 3000; ++n) {
        std::string text;
        switch (n % 4) {
        case 0:
            text = generator.mutate(example);
            break;
        case 1:
            text = structuredDefinition(generator);
            break;
        case 2:
            text = generator.mutate(structuredDefinition(generator));
            break;
        default:
            text = example.substr(0, 60) + generator.bytes(300);
            break;
        }
        test::WriteBytes(dir / "in.def", text);
        TDefineClass definition;
        const bool loaded = definition.LoadFromFile(dir / "in.def");
        accepted += loaded ? 1 : 0;
        queryEverything(definition, generator);
        // A rejected read leaves a partly filled definition; its queries must hold up as well.
        TDefineClass::DefineLoaded = true;
        queryEverything(definition, generator);

        // Every save is flushed to disk, which is slow: write back only some of them.
        if (loaded && accepted % 8 == 1 && definition.SaveToFile(dir / "out.def")) {
            // What was accepted and written is accepted again.
            TDefineClass reread;
            ASSERT_TRUE(reread.LoadFromFile(dir / "out.def")) << n;
            EXPECT_EQ(reread.Conditions.size(), definition.Conditions.size()) << n;
        }
    }
    // The generator must reach the condition blocks, or this test proves little.
    EXPECT_GT(accepted, 300);
}

TEST(DefinitionRobustness, OversizedLinesAndValues) {
    test::TempDir dir;
    std::string lengths = "length";
    for (int n = 0; n < 100000; ++n) {
        lengths += ",7";
    }
    std::string head = "head,a,W,1,1";
    for (int n = 0; n < 100000; ++n) {
        head += ",0";
    }
    const std::string text =
        test::CrLfLines({"rvDefine ver1.0", "define", "header,N,0,FL," + std::string(200000, 'y'),
                         "conditions", head, lengths, "name," + std::string(1000000, 'n'),
                         "color,1", "head,b,Q,1,1", "length,2147483647,2147483647,9"});
    test::WriteBytes(dir / "big.def", text);
    TDefineClass definition;
    ASSERT_TRUE(definition.LoadFromFile(dir / "big.def"));
    const TCondition& big = definition.Conditions[0];
    EXPECT_EQ(big.MaxLength, 700000);
    ASSERT_EQ(big.FieldStart.size(), 100000u);
    EXPECT_EQ(big.FieldStart.back(), "699994");
    EXPECT_EQ(definition.Conditions[1].MaxLength, 2147483647); // not wrapped round
    EXPECT_EQ(definition.Conditions[1].FieldStart.back(), "4294967295");

    const std::string record(1000000, 'W');
    std::vector<std::string> values;
    EXPECT_EQ(definition.FindCondition(record), 0);
    EXPECT_EQ(definition.FindCondition("Q" + record), 1);
    EXPECT_EQ(definition.SplitRecord("Q" + record, values), 3);
    EXPECT_EQ(definition.SplitRecord(record, values), 100000);
    EXPECT_EQ(values[99999], "WWWWWWW");
    EXPECT_EQ(definition.FieldIndexAt(0, 700000), 99999);
    EXPECT_EQ(definition.GetFieldName(0, 0).size(), 1000000u);
    EXPECT_EQ(definition.GetFieldStart(1, 2), 0); // 4294967295 is not a 32-bit number

    ASSERT_TRUE(definition.SaveToFile(dir / "out.def"));
    TDefineClass reread;
    ASSERT_TRUE(reread.LoadFromFile(dir / "out.def"));
    EXPECT_EQ(reread.Conditions[0].FieldLength.size(), 1u); // only one field has a name
}

} // namespace
} // namespace ranvo
