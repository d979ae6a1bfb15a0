#include "calendar/weekday.h"

namespace morvek {

// Era Day 1 is a Monday, and the week runs on across the missing day 0.
std::int32_t weekday_from_era_day(std::int64_t era_day) {
    if (era_day > 0) return static_cast<std::int32_t>((era_day - 1) % 7) + 1;
    if (era_day < 0) return 7 - static_cast<std::int32_t>((-1 - era_day) % 7);
    return 0;
}

}  // namespace morvek
