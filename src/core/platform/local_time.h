#pragma once

// The calendar time of a moment in the machine's time zone, without the shared buffer of
// std::localtime.

#include <ctime>

namespace ranvo {

[[nodiscard]] std::tm LocalTime(std::time_t moment);

} // namespace ranvo
