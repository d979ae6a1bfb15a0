#include "command/calendar_in_state.h"

#include "morvek/detail/date_from_era_day.h"
#include "morvek/detail/era_day_from_date.h"
#include "morvek/reform.h"

namespace morvek::cli {

namespace {

// The years in which the historical calendar with a reform of its own
// differs from the default one: those of any reform up to 9999.
constexpr bool reform_years(std::int64_t year) { return year >= 1582 && year <= 10000; }

std::optional<std::int64_t> era_day_in_mode(const ConversionState& state, std::int64_t year, std::int32_t month,
                                            std::int32_t day) {
    if (state.calendar_mode == CalendarMode::Historical && has_own_reform(state) && reform_years(year)) {
        const Result<DayCount> era_day =
            morvek::era_day_from_date(state.settings.reform, {static_cast<std::int32_t>(year), month, day});
        if (!era_day) return std::nullopt;
        return *era_day;
    }
    return detail::era_day_from_year_month_day(state.calendar_mode, year, month, day);
}

}  // namespace

std::string_view calendar_tag_of(CalendarMode mode, std::int64_t era_day, Reform reform) {
    if (era_day < 0) return {};
    const std::int64_t last_julian_day = detail::first_gregorian_day_of(reform) - 1;
    if (mode == CalendarMode::Julian && era_day > last_julian_day) return julian_tag;
    if (mode == CalendarMode::Gregorian && era_day <= last_julian_day) return gregorian_tag;
    return {};
}

std::int64_t era_day_from_date(ConversionState& state, std::int64_t year, std::int32_t month, std::int32_t day) {
    const auto era_day = era_day_in_mode(state, year, month, day);
    const std::int64_t reform_year = has_own_reform(state) ? first_gregorian_date(state.settings.reform).year : 1582;
    if (state.calendar_mode == CalendarMode::Gregorian && year > reform_year && detail::day_and_month_exist(month, day)) {
        state.calendar_mode = CalendarMode::Historical;
    }
    if (!era_day) {
        state.date_nonexistent = true;
        return 0;
    }
    return *era_day;
}

CalendarMode rule_in_state(const ConversionState& state, std::int64_t era_day) {
    const bool julian_days = state.calendar_mode == CalendarMode::Historical && has_own_reform(state) &&
                             era_day >= 1 && era_day < detail::first_gregorian_day_of(state.settings.reform);
    return julian_days ? CalendarMode::Julian : state.calendar_mode;
}

void date_from_era_day(ConversionState& state, std::int64_t era_day) {
    const detail::CalendarDate date = detail::calendar_date_from_era_day(rule_in_state(state, era_day), era_day);
    state.year = detail::saturated_to_int32(date.year);
    state.month = date.month;
    state.day = date.day;
    const std::string_view tag = calendar_tag_of(state.calendar_mode, era_day, state.settings.reform);
    if (!tag.empty()) state.calendar_tag = tag;
}

}  // namespace morvek::cli
