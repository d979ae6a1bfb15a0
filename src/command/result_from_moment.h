#pragma once

#include "command/conversion_state.h"
#include "morvek/command.h"

namespace morvek::cli {

// result_from_moment: the report of a moment read from a value, as the
// program shows a number it reads: the whole second (floored) through the
// Era-seconds conversion, its parts of a second in millis, micros and ticks,
// the two- and three-argument layout, no RD line.
//
//   Writes:   the state: reset, then as report_from_state leaves it
//   Returns:  the report, with `moment` the exact moment; too_big where the
//             moment's E6 leaves 64 bits (within a second of its ends)
//   Example:  {63618825627, 500000000} -> 01.01.2017 00:00:00, E3 63618825627500
CommandResult result_from_moment(ConversionState& state, Moment moment);

}  // namespace morvek::cli
