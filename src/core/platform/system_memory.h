#pragma once

// How much memory the machine has, so that work sized by a file's content (a definition that asks
// to pad every record to a gigabyte) can be refused before it exhausts the machine.

#include <cstdint>

namespace ranvo {

[[nodiscard]] std::uint64_t PhysicalMemoryBytes();

} // namespace ranvo
