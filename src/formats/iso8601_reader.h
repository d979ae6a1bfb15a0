#pragma once

#include <string_view>

#include "morvek/moment.h"

namespace morvek::detail {

// moment_from_iso8601: ISO 8601 / RFC 3339 text in the proleptic Gregorian
// calendar with astronomical years (0 is 1 BCE).
//
//   Given:    YYYY-MM-DD, then optionally T, t or one space and HH:MM,
//             HH:MM:SS or HH:MM:SS.f (1 to 9 digits), then optionally Z, z,
//             +HH:MM, -HH:MM, +HHMM or -HHMM (nothing is UTC); the basic
//             forms YYYYMMDD and YYYYMMDDTHHMMSS[.f] with Z or +HHMM; years
//             with a sign and more than four digits (+012345-01-01); in
//             place of the month and day an ISO week date (2016-W52-6,
//             basic 2016W526) or a day of the year (2016-366; not the basic
//             2016366, which reads as a number in the other formats)
//   Returns:  the UTC moment: the offset is subtracted; bad_format for other
//             text; nonexistent_date for a date the calendar lacks;
//             nonexistent_time for 24:00 or :60 where the UTC moment is no
//             leap second; out_of_range beyond the moments Morvek handles
//   Example:  "2017-01-01T00:59:60+01:00" -> 31.12.2016 23:59:60 UTC;
//             "2016-W52-6" and "2016-366" -> 31.12.2016 00:00:00 UTC
Result<Moment> moment_from_iso8601(std::string_view text) noexcept;

}  // namespace morvek::detail
