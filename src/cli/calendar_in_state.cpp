#include "cli/calendar_in_state.h"

#include "calendar/checked_arithmetic.h"
#include "calendar/date_from_era_day.h"
#include "calendar/era_day_from_date.h"
#include "calendar/month_tables.h"
#include "calendar/reform_1582.h"

namespace morvek {

std::string_view calendar_tag_of(CalendarMode mode, std::int64_t era_day) {
    if (era_day < 0) return {};
    if (mode == CalendarMode::Julian && era_day > last_julian_era_day) return julian_tag;
    if (mode == CalendarMode::Gregorian && era_day <= last_julian_era_day) return gregorian_tag;
    return {};
}

std::int64_t era_day_from_date(ConversionState& state, std::int64_t year, std::int32_t month, std::int32_t day) {
    const auto era_day = era_day_from_year_month_day(state.calendar_mode, year, month, day);
    const bool day_and_month_exist =
        month >= 1 && month <= 12 && day >= 1 && day <= 31 && day_of_year_table[month - 1][day - 1] != no_such_day;
    if (state.calendar_mode == CalendarMode::Gregorian && year > 1582 && day_and_month_exist) {
        state.calendar_mode = CalendarMode::Historical;
    }
    if (!era_day) {
        state.date_nonexistent = true;
        return 0;
    }
    return *era_day;
}

void date_from_era_day(ConversionState& state, std::int64_t era_day) {
    const CalendarDate date = calendar_date_from_era_day(state.calendar_mode, era_day);
    state.year = saturated_to_int32(date.year);
    state.month = date.month;
    state.day = date.day;
    const std::string_view tag = calendar_tag_of(state.calendar_mode, era_day);
    if (!tag.empty()) state.calendar_tag = tag;
}

}  // namespace morvek
