#include "core/platform/system_memory.h"

#include <windows.h>

namespace ranvo {

std::uint64_t PhysicalMemoryBytes() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!::GlobalMemoryStatusEx(&status) || status.ullTotalPhys == 0) {
        return std::uint64_t{1} << 32; // unknown: assume a modest machine
    }
    return status.ullTotalPhys;
}

// Large pages need a privilege that desktop users do not hold; the system's own pages serve.
void AdviseLargePages(void*, std::size_t) {}

} // namespace ranvo
