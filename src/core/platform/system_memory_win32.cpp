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

} // namespace ranvo
