#pragma once
// The calendar operations as the command runs them on its state: the date
// fields, the non-existent-date flag, the calendar tag and the switch of a
// Gregorian date after 1582 to the historical calendar.

#include <cstdint>
#include <string_view>

#include "command/conversion_state.h"

namespace morvek::cli {

inline constexpr std::string_view julian_tag = "(J)";     // Julian date of a Gregorian-era day
inline constexpr std::string_view gregorian_tag = "(G)";  // Gregorian date of a Julian-era day

// The tag of the date an Era Day has in a mode: julian_tag for a Julian
// date from the reform's first Gregorian day (15.10.1582) on, gregorian_tag
// for a Gregorian date before it (Era Day 0 included), else empty.
std::string_view calendar_tag_of(CalendarMode mode, std::int64_t era_day, Reform reform = rome_reform);

// The mode whose rule names an Era Day for the state: Julian for the
// historical calendar's days before a reform of its own, else the state's.
CalendarMode rule_in_state(const ConversionState& state, std::int64_t era_day);

// era_day_from_date: a date read in the state's calendar to its Era Day.
//
//   Reads:    state.calendar_mode, state.settings.reform
//   Writes:   state.date_nonexistent = true when the date does not exist (never false);
//             state.calendar_mode = Historical for a Gregorian date after the
//             reform's year (1582) whose
//             day and month exist, before its 29 February is tested: both
//             calendars name those days alike
//   Returns:  the Era Day (01.01.0001 is 1, 31.12.-1 is -1); 0 when rejected
//   Example:  Historical 15.10.1582 -> 577736; Historical 10.10.1582 -> 0, rejected
std::int64_t era_day_from_date(ConversionState& state, std::int64_t year, std::int32_t month, std::int32_t day);

// date_from_era_day: an Era Day to the date fields.
//
//   Reads:    state.calendar_mode, state.settings.reform
//   Writes:   state.day, month, year (a year beyond 32 bits at the nearest
//             32-bit value: no reportable moment has one); state.calendar_tag
//             when the date is tagged (never cleared)
//   Example:  Gregorian 577735 -> 14.10.1582, tag "(G)"; Era Day 0 -> 00.01.0001
void date_from_era_day(ConversionState& state, std::int64_t era_day);

}  // namespace morvek::cli
