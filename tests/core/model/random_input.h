#pragma once

// The editing model test's random input: values to type and paste, whole records as a file holds
// them or as a user types them, and keys to search for, made of the characters that matter to
// CP932 data (separators, quotes, TABs, half-width katakana, double-byte characters whose trail
// byte is a letter or a separator) and, in an FB file, line-end and NUL bytes.

#include "core/model/reference_file.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace ranvo::test {

// What a value is for: a cell takes any character of its file, a cell of a pasted block no TAB
// and no line end, since those cut the block.
enum class ValueUse { Cell, BlockCell };

class RandomInput {
public:
    RandomInput(const ReferenceFile& file, std::uint32_t seed) : m_file(file), m_random(seed) {}

    // 0 to bound - 1; true in `percent` of the calls.
    int Below(int bound);
    bool Chance(int percent) { return Below(100) < percent; }

    // Up to `maxCharacters` characters.
    std::string Value(int maxCharacters, ValueUse use = ValueUse::Cell);
    // A record of record type `condition` as a file holds it: the type's check word in place; in
    // FL sometimes longer or shorter than its type, in CT sometimes with quotes it does not need.
    std::string RecordText(int condition);
    // A record as typed into the add box: a type's record, any text at all, or nothing.
    std::string TypedRecord();
    // A key to search for: mostly a piece of a cell of `records` within the grid's `cols`
    // columns, so that there are matches, sometimes in the other letter case.
    std::string SearchKey(const std::vector<RefRecord>& records, int cols);

private:
    const ReferenceFile& m_file;
    std::mt19937 m_random;
};

} // namespace ranvo::test
