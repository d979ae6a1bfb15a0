#include "timescale/day_and_second.h"

#include "calendar/checked_arithmetic.h"
#include "calendar/era_day_index.h"
#include "morvek/time_scales.h"

namespace morvek {

DayAndSecond day_and_second_from_e0(std::int64_t e0) {
    // A leap second shares its leap-free value with the 23:59:59 before it;
    // no leap second lies before the Era, so this never overflows.
    const std::int64_t leap_free = e0 - leap_seconds_up_to(e0);
    const auto second = static_cast<std::int32_t>(floor_mod(leap_free, seconds_per_day));  // [0, 86399]
    const std::int64_t index = floor_div(leap_free, seconds_per_day);
    return {era_day_from_day_index(index), second + (is_leap_second(e0) ? 1 : 0)};
}

}  // namespace morvek
