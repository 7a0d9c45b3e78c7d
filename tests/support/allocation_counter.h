#pragma once

// Counting heap allocations, for tests of code that runs once per record or per painted cell and
// must not allocate. A program that links this replaces the global allocation functions.

#include <cstddef>

namespace ranvo::test {

void StartCountingAllocations();
// The allocations made since StartCountingAllocations.
std::size_t StopCountingAllocations();

template <class Work>
std::size_t AllocationsOf(Work work) {
    StartCountingAllocations();
    work();
    return StopCountingAllocations();
}

} // namespace ranvo::test
