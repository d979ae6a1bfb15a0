#pragma once
// One value in the stream mode's formats: morvek --from=NAME VALUE...,
// morvek --guess VALUE.

#include <span>

#include "morvek/command.h"

namespace morvek::stream {

// Whether the program's first argument begins such a run: --from=,
// --format=, --fields=, --header, --guess, --window=, --reform=,
// --year-start= or --between.
bool starts_one_moment_run(std::string_view first_argument);

// run_one_moment: the value's words joined by single spaces, read with
// --from (a format, or a switch appended to the words as to a stream line;
// without --from the words are a command line), written in --format (list
// when none is given) to standard output. --guess lists every format that
// reads the value as a moment within --window (1970..2099 when none).
// --reform= and --year-start= choose the historical calendar (and add the
// historian's fields to the list); --between runs run_between.
//
//   Returns:  0 when the value was converted (a guess was found), 1 when
//             not, 2 for wrong options or an output that cannot be written
//   Example:  {"--from=webkit", "13300000000000000"} -> the list, 0
int run_one_moment(std::span<const char* const> arguments, UtcClock clock);

}  // namespace morvek::stream
