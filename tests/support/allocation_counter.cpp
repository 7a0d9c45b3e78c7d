#include "support/allocation_counter.h"

#include <cstdlib>
#include <new>

namespace {

bool counting = false;
std::size_t allocations = 0;
std::size_t bytes = 0;

void count(std::size_t size) {
    if (counting) {
        ++allocations;
        bytes += size;
    }
}

} // namespace

void* operator new(std::size_t size) {
    count(size);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

// The library's temporary buffers (std::stable_sort) come from the nothrow form and go back
// through the plain delete below, so both forms must take their memory from the same place.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    count(size);
    return std::malloc(size == 0 ? 1 : size);
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
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
#pragma GCC diagnostic pop

namespace ranvo::test {

void StartCountingAllocations() {
    allocations = 0;
    bytes = 0;
    counting = true;
}

std::size_t StopCountingAllocations() {
    counting = false;
    return allocations;
}

std::size_t CountedBytes() {
    return bytes;
}

} // namespace ranvo::test
