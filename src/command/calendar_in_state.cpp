#include "command/calendar_in_state.h"

#include "morvek/detail/date_from_era_day.h"
#include "morvek/detail/era_day_from_date.h"

namespace morvek::cli {

std::string_view calendar_tag_of(CalendarMode mode, std::int64_t era_day) {
    if (era_day < 0) return {};
    if (mode == CalendarMode::Julian && era_day > detail::last_julian_era_day) return julian_tag;
    if (mode == CalendarMode::Gregorian && era_day <= detail::last_julian_era_day) return gregorian_tag;
    return {};
}

std::int64_t era_day_from_date(ConversionState& state, std::int64_t year, std::int32_t month, std::int32_t day) {
    const auto era_day = detail::era_day_from_year_month_day(state.calendar_mode, year, month, day);
    if (state.calendar_mode == CalendarMode::Gregorian && year > 1582 && detail::day_and_month_exist(month, day)) {
        state.calendar_mode = CalendarMode::Historical;
    }
    if (!era_day) {
        state.date_nonexistent = true;
        return 0;
    }
    return *era_day;
}

void date_from_era_day(ConversionState& state, std::int64_t era_day) {
    const detail::CalendarDate date = detail::calendar_date_from_era_day(state.calendar_mode, era_day);
    state.year = detail::saturated_to_int32(date.year);
    state.month = date.month;
    state.day = date.day;
    const std::string_view tag = calendar_tag_of(state.calendar_mode, era_day);
    if (!tag.empty()) state.calendar_tag = tag;
}

}  // namespace morvek::cli
