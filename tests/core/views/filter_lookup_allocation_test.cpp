// Cell drawing asks the filter manager once for every drawn cell of a filtered field, so a lookup
// must not allocate. The test counts the allocations made meanwhile.

#include "core/views/rv_filter_mng.h"
#include "filter_definition.h"
#include "support/allocation_counter.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

TEST(FilterLookup, AllocatesNothingPerCell) {
    test::TempDir dir;
    // Keys longer than any short-string buffer, so that a copy of one would show; short results,
    // which the returned text holds without allocating.
    const std::string key = "A-CODE-LONGER-THAN-SIXTEEN-BYTES-";
    test::WriteBytes(dir / "long.fil", test::CrLfLines({";0", ";1", ";A-", ";1", ";0", "[Filter]",
                                                        key + "1=one", key + "2=two"}));
    test::WriteBytes(dir / "numeric.fil", test::CrLfLines({";1", "[Filter]", "7=seven"}));
    TRvFilterMng mng;
    mng.Prepare(test::definitionWithFields({1, 3}));
    *mng.Setting(0, 0) = {true, "-", "long.fil"};
    *mng.Setting(1, 2) = {true, std::string(TRvFilter::NoDefaultMarker), "numeric.fil"};
    ASSERT_TRUE(mng.LoadFilters(dir.path()));
    mng.Active = true;
    const std::string values[] = {key + "1 \t", key + "9", "B" + key,
                                  "A-code-longer-than-sixteen-bytes-2"};
    (void)mng.Translate(0, 0, values[0]); // sizes the key buffer once

    std::size_t found = 0;
    EXPECT_EQ(test::AllocationsOf([&] {
                  for (int round = 0; round < 100; ++round) {
                      for (const std::string& value : values) {
                          found += mng.HasFilter(0, 0) ? mng.Translate(0, 0, value).size() : 0;
                          found +=
                              mng.Translate(1, 2, "0007").size() + mng.Translate(1, 1, "x").size();
                      }
                  }
              }),
              0u);
    EXPECT_EQ(mng.Translate(0, 0, values[0]), "one");
    EXPECT_EQ(mng.Translate(0, 0, values[3]), "two");
    EXPECT_EQ(mng.Translate(1, 2, "0007"), "seven");
    EXPECT_GT(found, 0u);
}

TEST(FilterLookup, LongValuesAreNeitherCopiedNorUpperCased) {
    // A cell may hold megabytes: a value longer than every key cannot be in the table.
    test::TempDir dir;
    test::WriteBytes(dir / "codes.fil", test::CrLfLines({"[Filter]", "ab=x"}));
    TRvFilterMng mng;
    mng.Prepare(test::definitionWithFields({1}));
    *mng.Setting(0, 0) = {true, std::string(TRvFilter::NoDefaultMarker), "codes.fil"};
    ASSERT_TRUE(mng.LoadFilters(dir.path()));
    mng.Active = true;
    const std::string value(1 << 20, 'a');
    std::string_view shown;
    EXPECT_EQ(test::AllocationsOf([&] { shown = mng.TranslateView(0, 0, value); }), 0u);
    EXPECT_EQ(shown.data(), value.data());
    EXPECT_EQ(shown.size(), value.size());
    EXPECT_EQ(mng.TranslateView(0, 0, " AB "), "x");
}

} // namespace
} // namespace ranvo
