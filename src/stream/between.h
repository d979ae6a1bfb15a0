#pragma once
// The span between two moments: morvek [--reform=R] [--year-start=S]
// --between WORDS -- WORDS.

#include <span>
#include <string>

#include "morvek/command.h"

namespace morvek::stream {

// run_between: each side a command line as the program reads it, in the
// calendar that the options before --between (only --reform= and
// --year-start=) choose. Writes "days\tN\nseconds\tN[.F]\n": the days
// from the first side's Era Day to the second's (days_between), the SI
// seconds from its moment to the second's, leap seconds counted, with the
// fraction when either moment has one; negative when the second is earlier.
//
//   Returns:  0; 1 when a side is no moment (its status and message on
//             standard error: "morvek: --between: first: nonexistent-date:
//             31.02.2000 00:00:00 - non-existent date"); 2 for wrong
//             options, no "--" between the sides, or an output that
//             cannot be written
//   Example:  {}, {"31.12.2016", "23:59:59", "--", "01.01.2017"} -> "days\t1\nseconds\t2\n", 0
int run_between(std::span<const char* const> options, std::span<const char* const> sides, UtcClock clock);

}  // namespace morvek::stream
