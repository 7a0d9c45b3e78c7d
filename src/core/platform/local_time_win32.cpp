#include "core/platform/local_time.h"

namespace ranvo {

std::tm LocalTime(std::time_t moment) {
    std::tm local{};
    localtime_s(&local, &moment);
    return local;
}

} // namespace ranvo
