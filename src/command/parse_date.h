#pragma once

#include <cstdint>
#include <string_view>

#include "command/conversion_state.h"

namespace morvek::cli {

// parse_date: a date text "dd.mm.yyyy" to the Era seconds of its midnight.
//
//   Given:    fields of at most 2, 2 and 10 characters, each read as "%d"
//             reads it ("1a" is 1, an empty field 0)
//   Reads:    state.calendar_mode; state.digit_count (nonzero: a numeric
//             first argument)
//   Writes:   day, month, year (first 0), leap_second := 0; bad_format for
//             text of the wrong shape, date_nonexistent for year 0 or a date
//             the calendar lacks (through era_day_from_date, which may also
//             switch a Gregorian date after 1582 to Historical). A Julian or
//             Gregorian date after the Era is then replaced in day, month,
//             year by its historical date, and second_of_day := 0, unless
//             digit_count is nonzero
//   Returns:  the E0 of the day's midnight, the leap seconds inserted before
//             it counted by the historical date's month; 0 on a format error
//   Example:  Historical "01.01.2017" -> 63618825627 (27 leap seconds);
//             Julian "19.12.2016" -> the same, fields 01.01.2017
std::int64_t parse_date(ConversionState& state, std::string_view text);

// parse_typed_date: a date text as the user typed it: in the year-start
// style of state.settings, parse_date of the calendar date it names; a
// dual date "dd.mm.yyyy/yy" too, whose two years must be those the style
// gives the day (else date_nonexistent, with day, month and the first
// year in the fields). In the january style, parse_date itself.
//
//   Example:  annunciation "11.02.1730" and "11.02.1730/31" -> as "11.02.1731";
//             annunciation "11.05.1730/31" -> date_nonexistent
std::int64_t parse_typed_date(ConversionState& state, std::string_view text);

}  // namespace morvek::cli
