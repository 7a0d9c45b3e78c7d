#include "core/views/rv_filter_mng.h"
#include "filter_definition.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

constexpr int Rounds = 2000;

std::vector<std::vector<TRvFilterSetting>> allSettings(const TRvFilterMng& mng) {
    std::vector<std::vector<TRvFilterSetting>> settings(mng.ConditionCount());
    for (int i = 0; i < mng.ConditionCount(); ++i) {
        for (int j = 0; j < mng.FieldCount(i); ++j) {
            settings[i].push_back(*mng.Setting(i, j));
        }
    }
    return settings;
}

TEST(FilterRobustness, AnyFilterTableLoadsAndTranslates) {
    test::TempDir dir;
    test::InputGenerator generator(20240611);
    const std::string sample = test::CrLfLines(
        {";1", ";1", ";A", ";0", ";1", "[Filter]", "A1=one", " 02 = two ", "\x83\x5D=z", "x"});
    const std::filesystem::path file = dir / "t.fil";
    for (int round = 0; round < Rounds; ++round) {
        test::WriteBytes(file, round % 2 == 0 ? generator.bytes(200) : generator.mutate(sample));
        TRvFilter filter;
        ASSERT_TRUE(filter.Load(file));
        for (int n = 0; n < 4; ++n) {
            const std::string value = generator.bytes(12);
            (void)filter.Translate(value, TRvFilter::NoDefaultMarker);
            (void)filter.Translate(value, "(NoMatch)");
        }
    }
}

// Whatever a setting file held, the settings it left behind save and read back unchanged.
TEST(FilterRobustness, AnySettingFileReadsAndWhatItLeftRoundTrips) {
    test::TempDir dir;
    test::InputGenerator generator(77);
    const std::string sample = test::CrLfLines(
        {"Sales", "-1,0", "N/A,", "-1,0", "a.fil,b.fil", "", "", "", "", "True", "x", "0", "c"});
    TRvFilterMng mng;
    for (int round = 0; round < Rounds; ++round) {
        mng.Prepare(test::definitionWithFields({2, 0, 1}));
        test::WriteBytes(dir / "in.fls",
                         round % 2 == 0 ? generator.bytes(120) : generator.mutate(sample));
        const FilterSettingResult result = mng.LoadSetting(dir / "in.fls");
        ASSERT_NE(result, FilterSettingResult::FileNotFound);
        if (round % 32 > 1) {
            continue; // saving flushes to disk: a sample of the rounds is enough
        }
        const auto settings = allSettings(mng);
        ASSERT_TRUE(mng.SaveSetting(dir / "out.fls", generator.bytes(10)));
        mng.Prepare(test::definitionWithFields({2, 0, 1}));
        ASSERT_EQ(mng.LoadSetting(dir / "out.fls"), FilterSettingResult::Read);
        ASSERT_EQ(allSettings(mng), settings) << "round " << round;
    }
}

} // namespace
} // namespace ranvo
