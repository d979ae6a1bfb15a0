#pragma once

#include <cstdint>
#include <string_view>

#include "cli/conversion_state.h"

namespace morvek {

// 04.10.1582, the last day of the Julian calendar in civil use.
inline constexpr std::int64_t last_julian_era_day = 577735;

inline constexpr std::string_view julian_tag = "(J)";     // Julian date of a Gregorian-era day
inline constexpr std::string_view gregorian_tag = "(G)";  // Gregorian date of a Julian-era day

struct CalendarDate {
    std::int64_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::string_view tag;  // julian_tag, gregorian_tag or empty
};

// The date of an Era Day in a mode. Negative days are always dates of the
// historical calendar. Era Day 0 is no day and gives 00.01.0001. Constant time.
CalendarDate calendar_date_from_era_day(CalendarMode mode, std::int64_t era_day);

// Writes the date of the Era Day in state.calendar_mode into day, month and
// year, and sets calendar_tag when the date belongs to the calendar that was
// not in civil use that day (never clears it). A year beyond 32 bits is
// stored at the nearest 32-bit value; no reportable moment has one.
void date_from_era_day(ConversionState& state, std::int64_t era_day);

}  // namespace morvek
