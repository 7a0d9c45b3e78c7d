// The loader asks FindCondition once for each of a million records, so the test must not
// allocate per record. This file replaces the global allocation functions of the test program
// to count the allocations made while a test asks for them.

#include "core/definitions/define_class.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <new>

namespace {

bool counting = false;
std::size_t allocations = 0;

} // namespace

void* operator new(std::size_t size) {
    if (counting) {
        ++allocations;
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

// The replacement new takes its memory from malloc, so free is the matching release; GCC cannot
// see that through the replacement and warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

#pragma GCC diagnostic pop

namespace ranvo {
namespace {

template <typename Work>
std::size_t allocationsOf(Work work) {
    allocations = 0;
    counting = true;
    work();
    counting = false;
    return allocations;
}

TEST(FindCondition, AllocatesNothingPerRecord) {
    TDefineClass::DefineLoaded = true;
    TDefineClass definition;
    definition.FileFormat = "FL";
    definition.Separate = ",";
    definition.Quote = "\"";
    definition.Conditions.resize(4);
    for (std::size_t i = 1; i < 4; ++i) {
        TCondition& condition = definition.Conditions[i];
        condition.CheckWord = "KIND-NUMBER-" + std::to_string(i) + "-WITH-A-LONG-WORD";
        condition.CheckStart = static_cast<std::int32_t>(i);
        condition.ConditionLength = static_cast<std::int32_t>(condition.CheckWord.size());
        condition.UseWord = true;
        condition.UseLength = i == 2;
        condition.CheckLength = 80;
        condition.FieldLength = {"20", "20", "40"};
        condition.FieldStart = {"1", "21", "41"};
    }
    std::vector<std::string> records;
    for (std::size_t i = 0; i < 4; ++i) {
        records.push_back(std::string(i, 'x') +
                          definition.Conditions[std::max<std::size_t>(i, 1)].CheckWord +
                          std::string(60, 'y'));
    }
    records.push_back("LONG-RECORD-THAT-MATCHES-NOTHING-AT-ALL-" + std::string(100, 'z'));

    int found = 0;
    EXPECT_EQ(allocationsOf([&] {
                  for (int round = 0; round < 1000; ++round) {
                      for (const std::string& record : records) {
                          found += definition.FindCondition(record);
                      }
                  }
              }),
              0u);
    EXPECT_GT(found, 0);

    std::vector<std::string> values;
    (void)definition.SplitRecord(records[0], values);
    EXPECT_EQ(allocationsOf([&] {
                  for (const std::string& record : records) {
                      (void)definition.SplitRecord(record, values);
                  }
              }),
              0u);

    definition.FileFormat = "CT";
    definition.Conditions[1].CheckStart = 3;
    const std::string wide = "\"a long first column value, quoted\",second column value,"
                             "KIND-NUMBER-1-WITH-A-LONG-WORD,and a fourth column";
    // The first record sizes the column list. Records of a file have the same number of columns;
    // one with fewer would shrink the list, and the next wider one would allocate again.
    (void)definition.FindCondition(wide);
    EXPECT_EQ(allocationsOf([&] {
                  for (int round = 0; round < 1000; ++round) {
                      found += definition.FindCondition(wide);
                      found += definition.FindCondition("a,b,c,d");
                  }
              }),
              0u);
    EXPECT_EQ(definition.FindCondition(wide), 1);
}

} // namespace
} // namespace ranvo
