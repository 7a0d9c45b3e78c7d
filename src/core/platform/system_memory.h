#pragma once

// How much memory the machine has, so that work sized by a file's content (a definition that asks
// to pad every record to a gigabyte) can be refused before it exhausts the machine.

#include <cstddef>
#include <cstdint>

namespace ranvo {

[[nodiscard]] std::uint64_t PhysicalMemoryBytes();

// Asks the system to back a large buffer that is about to be written with large pages where it
// has them, so that filling it takes a few hundred page faults instead of tens of thousands.
void AdviseLargePages(void* data, std::size_t size);

} // namespace ranvo
