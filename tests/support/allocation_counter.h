#pragma once

// Counting heap allocations, for tests of code that runs once per record or per painted cell and
// must not allocate. A program that links this replaces the global allocation functions.

#include <cstddef>

namespace ranvo::test {

void StartCountingAllocations();
// The allocations made since StartCountingAllocations.
std::size_t StopCountingAllocations();
// The bytes those allocations asked for.
std::size_t CountedBytes();

template <class Work>
std::size_t AllocationsOf(Work work) {
    StartCountingAllocations();
    work();
    return StopCountingAllocations();
}

template <class Work>
std::size_t AllocatedBytesOf(Work work) {
    StartCountingAllocations();
    work();
    StopCountingAllocations();
    return CountedBytes();
}

} // namespace ranvo::test
