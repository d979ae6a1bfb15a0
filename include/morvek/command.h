#pragma once
// The command forms of the morvek program as one call: argument texts in,
// every value of the report out. No printing, no heap, no global state; the
// clock is passed in, so calls may run on several threads at once.

#include <cstdint>
#include <span>
#include <string_view>

#include "morvek/calendar.h"

namespace morvek {

// A reading of the UTC clock; the current-time form is the only reader.
struct UtcClockReading {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
};

// A source of the current UTC time; tests pass one that returns a fixed moment.
using UtcClock = UtcClockReading (*)();

// The system clock (std::chrono::system_clock), which never shows 23:59:60.
UtcClockReading system_utc_clock();

// How a command ends: with its report, or with the usage text or one message.
enum class CommandOutcome : std::uint8_t {
    report,
    usage,             // the usage text
    too_big,           // "Too big number.."
    nonexistent_date,  // "<first> <second> - non-existent date"
    nonexistent_time,  // "<first> <second> - non-existent time"
    era_day_zero,      // the Era Day 0 message of the d+ /D form
};

enum class ReportLayout : std::uint8_t {
    single_argument,  // one argument: one date line, followed by the clock tag
    multi_argument,   // two or three: one date line, or two for a day of the other calendar's era
};

// Which RD line the report shows.
enum class RdLine : std::uint8_t { none, julian, gregorian };

// A date line of the report: the date as printed ("%02i.%02i.%i") and the
// calendar it is in. The first date line reads "Date:" for Historical,
// "Julian Date:" for Julian and "Gregorian Date:" for Gregorian.
struct ReportDate {
    CalendarMode calendar = CalendarMode::Historical;
    Date date;
};

struct CommandResult {
    CommandOutcome outcome = CommandOutcome::usage;

    // The argument texts the messages quote: views of the caller's texts,
    // valid as long as those are. One-argument messages quote "00:00:00"
    // in place of the second.
    std::string_view first_argument;
    std::string_view second_argument;
    bool has_second_argument = false;

    // The report, when outcome is report; every value as the report shows it.
    ReportLayout layout = ReportLayout::single_argument;
    ReportDate date;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;        // 60 inside a leap second
    std::string_view clock_tag;     // "(UTC)" for the current time, else empty
    bool has_era_date = false;      // a second date line, "Era Date:"
    ReportDate era_date;            // the same day in the calendar then in civil use
    RdLine rd_line = RdLine::none;
    std::int64_t rd_value = 0;
    std::int64_t era_day = 0;
    std::int32_t weekday = 0;       // 1 = Monday .. 7 = Sunday
    std::int64_t e0 = 0;
    std::int64_t e3 = 0;
    std::int64_t e6 = 0;
    std::int32_t leap_seconds = 0;
    std::int64_t unix_time = 0;
    std::int64_t file_time = 0;     // 0 before 01.01.1601
};

// run_command: the program's command forms on its arguments (the program
// name excluded), exactly as the program runs them.
//
//   Given:    the argument texts; a list of four or more is the usage form
//   Reads:    the clock, for the current-time form /C only
//   Returns:  the outcome and, for a report, every value it shows
//   Example:  {"1483228800", "/U"} -> report, date 01.01.2017, E0 63618825627;
//             {"31.02.2000"} -> nonexistent_date
[[nodiscard]] CommandResult run_command(std::span<const std::string_view> arguments, UtcClock clock);

}  // namespace morvek
