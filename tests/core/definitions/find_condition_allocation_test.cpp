// The loader asks FindCondition once for each of a million records, so the test must not
// allocate per record. The test counts the allocations made meanwhile.

#include "core/definitions/define_class.h"
#include "support/allocation_counter.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

TEST(FindCondition, AllocatesNothingPerRecord) {
    TDefineClass::DefineLoaded = true;
    TDefineClass definition;
    definition.FileFormat = "FL";
    definition.Conditions.resize(3);
    // Words and records longer than any short-string buffer, so a copy would show.
    const std::string word = "A-CHECK-WORD-LONGER-THAN-SIXTEEN-BYTES";
    for (TCondition& condition : definition.Conditions) {
        condition.CheckWord = word;
        condition.CheckStart = 2;
        condition.ConditionLength = 38;
        condition.UseWord = true;
        condition.FieldLength = {"20", "20", "40"};
        condition.FieldStart = {"1", "21", "41"};
    }
    definition.Conditions[1].UseLength = true;
    const std::string records[] = {"x" + word + std::string(41, 'y'), "x" + word,
                                   std::string(100, 'z')};
    std::vector<std::string> values;
    (void)definition.SplitRecord(records[0], values); // sizes the value list once
    int found = 0;
    EXPECT_EQ(test::AllocationsOf([&] {
                  for (int round = 0; round < 100; ++round) {
                      for (const std::string& record : records) {
                          found += definition.FindCondition(record);
                          found += definition.SplitRecord(record, values);
                      }
                  }
              }),
              0u);
    EXPECT_EQ(definition.FindCondition(records[1]), 2);

    definition.FileFormat = "CT";
    definition.Separate = ",";
    definition.Quote = "\"";
    definition.Conditions[1].CheckStart = 3; // the column of the word
    // The first record sizes the column list. Records of a file have the same number of columns;
    // one with fewer would shrink the list, and the next wider one would allocate again.
    const std::string wide = "\"a long first column, quoted\",second long column value," + word;
    (void)definition.FindCondition(wide);
    EXPECT_EQ(test::AllocationsOf([&] {
                  for (int round = 0; round < 100; ++round) {
                      found += definition.FindCondition(wide);
                      found += definition.FindCondition("a,b,c");
                  }
              }),
              0u);
    EXPECT_EQ(definition.FindCondition(wide), 1);
}

} // namespace
} // namespace ranvo
