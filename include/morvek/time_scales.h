#pragma once
// Moments: Era seconds at three resolutions, a date with its time of day,
// Unix time and Windows FILE time.
//
// The Era seconds (E0) count seconds from 01.01.0001 00:00:00, each inserted
// leap second included; E3 and E6 are the same scale in milliseconds and
// microseconds. Before the Era they count back in days of 86400 seconds:
// E0 -1 is 31.12.-1 23:59:59. Unix time (from 01.01.1970) and FILE time
// (100 ns units from 01.01.1601) count no leap seconds.

#include <cstdint>
#include <limits>

#include "morvek/calendar.h"
#include "morvek/leap_seconds.h"
#include "morvek/result.h"

namespace morvek {

inline constexpr std::int64_t seconds_per_day = 24 * 60 * 60;

// The moments Morvek handles are those whose E6 fits in 64 bits.
inline constexpr std::int64_t max_e6 = std::numeric_limits<std::int64_t>::max();
inline constexpr std::int64_t min_e6 = std::numeric_limits<std::int64_t>::min();
inline constexpr std::int64_t max_e3 = max_e6 / 1000;     // 9223372036854775
inline constexpr std::int64_t min_e3 = -max_e3;
inline constexpr std::int64_t max_e0 = max_e6 / 1000000;  // 9223372036854
inline constexpr std::int64_t min_e0 = -max_e0;

inline constexpr std::int64_t unix_epoch_e0 = 62135596800;  // 01.01.1970 00:00:00, 719162 days
inline constexpr std::int64_t file_epoch_e0 = 50491123200;  // 01.01.1601 00:00:00, 584388 days
inline constexpr std::int64_t file_units_per_second = 10000000;

// The Unix times whose moment lies within [min_e0, max_e0].
inline constexpr std::int64_t min_unix_time = min_e0 - unix_epoch_e0;
inline constexpr std::int64_t max_unix_time =
    max_e0 - static_cast<std::int64_t>(leap_second_count) - unix_epoch_e0;

// A date with its time of day. The second is 60 only inside a leap second.
struct DateTime {
    Date date;
    std::int32_t hour = 0;         // 0 .. 23
    std::int32_t minute = 0;       // 0 .. 59
    std::int32_t second = 0;       // 0 .. 60
    std::int32_t microsecond = 0;  // 0 .. 999999
    friend constexpr bool operator==(const DateTime&, const DateTime&) = default;
};

// date_time_from_e0 / _e3 / _e6: a moment to its date and time of day in a
// calendar. A negative E3 or E6 is split by floor division, so the parts of
// a second are never negative: E6 -1 is 31.12.-1 23:59:59.999999.
//
//   Returns:  the date and time; out_of_range outside [min_e0, max_e0]
//             (resp. [min_e3, max_e3]); nonexistent_date for a moment before
//             01.01.0001 outside the historical calendar.
//   Example:  Historical E0 62214393600 -> 30.06.1972 23:59:60
[[nodiscard]] Result<DateTime> date_time_from_e0(CalendarMode mode, std::int64_t e0);
[[nodiscard]] Result<DateTime> date_time_from_e3(CalendarMode mode, std::int64_t e3);
[[nodiscard]] Result<DateTime> date_time_from_e6(CalendarMode mode, std::int64_t e6);

// e0_from_date_time / e3_ / e6_: a date and time of a calendar to the
// moment. E0 and E3 drop the finer parts of the second.
//
//   Returns:  the moment; nonexistent_date for a date the calendar does not
//             have; nonexistent_time for a field out of range or 23:59:60
//             on a day without a leap second; out_of_range beyond the limits.
//   Example:  Historical 01.01.2017 00:00:00 -> E0 63618825627
[[nodiscard]] Result<std::int64_t> e0_from_date_time(CalendarMode mode, const DateTime& moment);
[[nodiscard]] Result<std::int64_t> e3_from_date_time(CalendarMode mode, const DateTime& moment);
[[nodiscard]] Result<std::int64_t> e6_from_date_time(CalendarMode mode, const DateTime& moment);

// Unix time to E0 and back. Unix time has no 23:59:60: the leap second has
// the Unix time of the midnight after it.
//   Example:  Unix 1483228800 -> E0 63618825627; E0 63618825626 -> 1483228800
[[nodiscard]] Result<std::int64_t> e0_from_unix_time(std::int64_t unix_time);
[[nodiscard]] Result<std::int64_t> unix_time_from_e0(std::int64_t e0);

// A FILE time as a whole E0 second and the 100 ns units within it.
struct FileTimeMoment {
    std::int64_t e0 = 0;
    std::int32_t units = 0;  // 0 .. 9999999
    friend constexpr bool operator==(const FileTimeMoment&, const FileTimeMoment&) = default;
};

// FILE time to E0 and back. FILE time has no 23:59:60: the leap second has
// the FILE time of the 23:59:59 before it. out_of_range for a negative FILE
// time, a moment before 01.01.1601 or one beyond 14.09.30828 02:48:05.4775807.
//   Example:  FILE 12345678 -> E0 50491123201 and 2345678 units
[[nodiscard]] Result<FileTimeMoment> e0_from_file_time(std::int64_t file_time);
[[nodiscard]] Result<std::int64_t> file_time_from_e0(FileTimeMoment moment);

}  // namespace morvek
