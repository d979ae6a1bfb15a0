#pragma once

#include "morvek/command.h"

namespace morvek::cli {

// result_from_moment: the report of a moment read from a value, as the
// program shows a number it reads: the whole second (floored), its parts of
// a second in E3, E6 and the FILE time, the historical calendar, the two-
// and three-argument layout, no RD line. Computed straight from the moment;
// the tests hold it against the command's own conversions.
//
//   Returns:  the report, with `moment` the exact moment; too_big where the
//             moment's E6 leaves 64 bits (within a second of its ends)
//   Example:  {63618825627, 500000000} -> 01.01.2017 00:00:00, E3 63618825627500
CommandResult result_from_moment(Moment moment) noexcept;

// The same in a historical calendar of one's choice (another reform, another
// year start), through the command's own conversions.
CommandResult result_from_moment(Moment moment, const CalendarSettings& settings) noexcept;

}  // namespace morvek::cli
