#include "calendar/weekday.h"

#include <array>

#include "calendar/checked_arithmetic.h"
#include "calendar/era_day_index.h"
#include "morvek/calendar.h"

namespace morvek {

// Era Day 1 (day index 0) is a Monday, and the week runs on across the
// missing day 0.
std::int32_t weekday_number(std::int64_t era_day) {
    if (era_day == 0) return 0;
    return static_cast<std::int32_t>(floor_mod(day_index_from_era_day(era_day), 7)) + 1;  // [1, 7]
}

Result<Weekday> weekday_from_era_day(std::int64_t era_day) {
    if (era_day == 0) return {Weekday::Monday, Status::nonexistent_date};
    return {static_cast<Weekday>(weekday_number(era_day)), Status::ok};
}

Result<Weekday> weekday_from_date(CalendarMode mode, Date date) {
    const Result<std::int64_t> era_day = era_day_from_date(mode, date);
    if (!era_day) return {Weekday::Monday, era_day.status};
    return weekday_from_era_day(era_day.value);
}

std::string_view weekday_name(Weekday weekday) {
    constexpr std::array<std::string_view, 7> names = {
        "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday",
    };
    const auto index = static_cast<std::int32_t>(weekday) - 1;
    return index >= 0 && index < 7 ? names[static_cast<std::size_t>(index)] : std::string_view{};
}

}  // namespace morvek
