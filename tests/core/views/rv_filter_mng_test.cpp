#include "core/views/rv_filter_mng.h"
#include "filter_definition.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

namespace fs = std::filesystem;
using test::definitionWithFields;

constexpr std::string_view NoDefault = TRvFilter::NoDefaultMarker;

class FilterMngTest : public ::testing::Test {
protected:
    TRvFilterSetting& setting(int condition, int field) {
        TRvFilterSetting* found = mng.Setting(condition, field);
        EXPECT_NE(found, nullptr);
        static TRvFilterSetting none;
        return found != nullptr ? *found : none;
    }

    FilterSettingResult loadSetting(const std::string& bytes) {
        test::WriteBytes(dir / "set.fls", bytes);
        return mng.LoadSetting(dir / "set.fls");
    }

    test::TempDir dir;
    TRvFilterMng mng;
};

TEST_F(FilterMngTest, PrepareSizesTheSettingsAndResetForgetsThemButNotActive) {
    mng.Prepare(definitionWithFields({2, 0, 3}));
    EXPECT_EQ(mng.ConditionCount(), 3);
    EXPECT_EQ(mng.FieldCount(0), 2);
    EXPECT_EQ(mng.FieldCount(1), 0);
    EXPECT_EQ(mng.FieldCount(2), 3);
    EXPECT_FALSE(setting(2, 2).Applied);
    EXPECT_EQ(setting(2, 2).DefaultText, "(NoMatch)");
    EXPECT_EQ(setting(2, 2).FilterFile, "");
    EXPECT_EQ(mng.Setting(1, 0), nullptr);
    EXPECT_EQ(mng.Setting(-1, 0), nullptr);

    test::WriteBytes(dir / "a.fil", "[Filter]\r\n1=one\r\n");
    setting(0, 0) = {true, "", "a.fil"};
    ASSERT_TRUE(mng.LoadFilters(dir.path()));
    mng.Active = true;
    mng.Reset();
    EXPECT_TRUE(mng.Active);
    EXPECT_EQ(mng.ConditionCount(), 0);
    EXPECT_TRUE(mng.Filters().empty());
    EXPECT_FALSE(mng.HasFilter(0, 0));
}

TEST_F(FilterMngTest, FiltersTranslateOnlyWhileActive) {
    test::WriteBytes(dir / "a.fil", "[Filter]\r\n1=one\r\n");
    mng.Prepare(definitionWithFields({3, 2}));
    setting(0, 0) = {true, "(NoMatch)", "a.fil"};
    setting(0, 1) = {true, "(NoMatch)", "missing.fil"};
    setting(0, 2) = {true, "(NoMatch)", "a.fil"}; // skipped: an earlier field failed
    setting(1, 1) = {true, std::string(NoDefault), "a.fil"};
    EXPECT_FALSE(mng.LoadFilters(dir.path()));
    ASSERT_EQ(mng.Filters().size(), 3u);
    EXPECT_FALSE(mng.Filters()[1].Filter.Loaded);

    EXPECT_FALSE(mng.HasFilter(0, 0));
    EXPECT_EQ(mng.Translate(0, 0, "1"), "1");

    mng.Active = true;
    EXPECT_TRUE(mng.HasFilter(0, 0));
    EXPECT_EQ(mng.Translate(0, 0, "1"), "one");
    EXPECT_EQ(mng.Translate(0, 0, "2"), "(NoMatch)");
    EXPECT_TRUE(mng.HasFilter(0, 1)); // its filter translates nothing, the default still shows
    EXPECT_EQ(mng.Translate(0, 1, "1"), "(NoMatch)");
    EXPECT_FALSE(mng.HasFilter(0, 2));
    EXPECT_EQ(mng.Translate(0, 2, "1"), "1");
    EXPECT_EQ(mng.Translate(1, 1, "1"), "one");
    EXPECT_EQ(mng.Translate(1, 1, "2"), "2");
    for (const auto& [condition, field] : {std::pair(-1, 0), std::pair(1, 0), std::pair(9, 9)}) {
        EXPECT_FALSE(mng.HasFilter(condition, field));
        EXPECT_EQ(mng.Translate(condition, field, "1"), "1");
    }
}

TEST_F(FilterMngTest, SavedSettingsReadBackTheSame) {
    mng.Prepare(definitionWithFields({2, 0, 1}));
    setting(0, 0) = {true, "N/A", "status.fil"};
    setting(0, 1) = {false, std::string(NoDefault), "x,y.fil"};
    setting(2, 0) = {true, "", "z.fil"}; // an empty default text is ordinary text
    ASSERT_TRUE(mng.SaveSetting(dir / "set.txt", "Sales\r\nname"));
    // Bytes that would break the layout are left out: line ends, and commas inside an item.
    EXPECT_EQ(test::ReadBytes(dir / "set.fls"), "Salesname\r\n"
                                                "-1,0\r\nN/A,\r\n-1,0\r\nstatus.fil,xy.fil\r\n"
                                                "\r\n\r\n\r\n\r\n"
                                                "-1\r\n\r\n-1\r\nz.fil\r\n");
    EXPECT_FALSE(fs::exists(dir / "set.txt"));

    mng.Prepare(definitionWithFields({2, 0, 1}));
    setting(2, 0).DefaultText = "old";
    EXPECT_EQ(mng.LoadSetting(dir / "set.fls"), FilterSettingResult::Read);
    EXPECT_TRUE(setting(0, 0).Applied);
    EXPECT_EQ(setting(0, 0).DefaultText, "N/A");
    EXPECT_FALSE(setting(0, 1).Applied);
    EXPECT_EQ(setting(0, 1).DefaultText, NoDefault);
    EXPECT_EQ(setting(0, 1).FilterFile, "xy.fil");
    EXPECT_EQ(setting(2, 0).DefaultText, ""); // not the "old" text: one field, one empty item

    EXPECT_FALSE(mng.SaveSetting(dir / "no/such/folder/set", "Sales"));
}

TEST_F(FilterMngTest, LoadSettingReportsWhatDoesNotFit) {
    const auto prepared = [&] { mng.Prepare(definitionWithFields({2, 1})); };
    prepared();
    EXPECT_EQ(mng.LoadSetting(dir / "none.fls"), FilterSettingResult::FileNotFound);
    EXPECT_EQ(loadSetting("Sales\r\n"), FilterSettingResult::Read);

    // Line b with fewer items changes only the first fields; the later conditions keep theirs.
    EXPECT_EQ(loadSetting("H\r\ntrue,yes\r\nX\r\n\r\na.fil,b.fil\r\n"), FilterSettingResult::Read);
    EXPECT_TRUE(setting(0, 0).Applied);
    EXPECT_FALSE(setting(0, 1).Applied); // neither a number nor True
    EXPECT_EQ(setting(0, 0).DefaultText, "X");
    EXPECT_EQ(setting(0, 1).DefaultText, "(NoMatch)");
    EXPECT_EQ(setting(0, 1).FilterFile, "b.fil");
    EXPECT_EQ(setting(1, 0).FilterFile, "");

    prepared();
    EXPECT_EQ(loadSetting("H\r\n-1\r\n"), FilterSettingResult::Mismatch); // line a: one too few
    EXPECT_FALSE(setting(0, 0).Applied);

    // What was read before the first error stays; nothing after it is read.
    EXPECT_EQ(loadSetting("H\r\n-1,-1\r\nA,B,C\r\n0,0\r\n"), FilterSettingResult::Mismatch);
    EXPECT_TRUE(setting(0, 1).Applied);
    EXPECT_EQ(setting(0, 1).DefaultText, "(NoMatch)");

    prepared();
    EXPECT_EQ(loadSetting("H\r\n0,-1\r\nA,B\r\n"), FilterSettingResult::Incomplete);
    EXPECT_TRUE(setting(0, 1).Applied);
    EXPECT_EQ(setting(0, 0).DefaultText, "A");

    // Blocks beyond the definition's conditions: empty ones fit, any content does not.
    const std::string full = "H\r\n0,0\r\n,\r\n0,0\r\n,\r\n-1\r\nZ\r\n-1\r\nz.fil\r\n";
    prepared();
    EXPECT_EQ(loadSetting(full + "\r\n\r\n\r\n\r\n\r\n"), FilterSettingResult::Read);
    EXPECT_EQ(setting(1, 0).DefaultText, "Z");
    prepared();
    EXPECT_EQ(loadSetting(full + "\r\n0\r\n"), FilterSettingResult::Mismatch);
    EXPECT_EQ(setting(1, 0).FilterFile, "z.fil");
}

} // namespace
} // namespace ranvo
