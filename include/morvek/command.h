#pragma once
// The command forms of the morvek program as one call: argument texts in,
// every value of the report out. No printing, no heap, no global state; the
// clock is passed in, so calls may run on several threads at once.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "morvek/calendar.h"
#include "morvek/formats.h"
#include "morvek/moment.h"
#include "morvek/reform.h"

namespace morvek {

// UtcClock: a source of the current UTC time, a function with the context it
// is called with. It gives the date (proleptic Gregorian) and the time of
// day; the command uses the whole seconds. Tests pass one that gives a fixed
// moment; system_utc_clock() (morvek/system_clock.h) reads the system's.
struct UtcClock {
    DateTime (*read)(const void* context) = nullptr;
    const void* context = nullptr;
    DateTime operator()() const { return read(context); }
};

// utc_clock_from: a clock that calls `source()` -> DateTime; `source` (a
// lambda, a function object) must outlive the clock.
//   Example:  const auto fixed = [] { return DateTime{{2024, 3, 15}, 12, 34, 56, 0}; };
//             run_command(arguments, utc_clock_from(fixed));
template <class Source>
[[nodiscard]] UtcClock utc_clock_from(const Source& source) noexcept {
    return {[](const void* context) -> DateTime { return (*static_cast<const Source*>(context))(); }, &source};
}
// A temporary would be gone before the clock is read.
template <class Source>
UtcClock utc_clock_from(const Source&& source) = delete;

// The historical calendar a command reads and writes dates in: the reform
// it took the Gregorian calendar with, and the day its years begin on
// (the program's --reform= and --year-start=). The defaults are the
// program's calendar: Rome's reform, years from 1 January.
//
// Under another reform the historical dates are that calendar's, a Julian
// date from its first Gregorian day on is tagged (J) and a Gregorian date
// before it (G), and a Gregorian date is read as historical from the year
// after the reform's on (as from 1583 under Rome's). Under the
// annunciation or christmas style every typed date is read as written in
// the style (11.02.1730 is 11.02.1731), dual dates too (11.02.1730/31);
// the report shows the calendar date, the dual_date field the style's form.
struct CalendarSettings {
    Reform reform = rome_reform;
    YearStart year_start = YearStart::january;
    friend constexpr bool operator==(const CalendarSettings&, const CalendarSettings&) = default;
};

// How a command ends: with its report, or with the usage text or one
// message. too_long is the stream mode's: a line it could not read whole;
// bad_value a value that is no value of its format.
enum class CommandOutcome : std::uint8_t {
    report,
    usage,             // the usage text
    too_big,           // "Too big number.."
    nonexistent_date,  // "<first> <second> - non-existent date"
    nonexistent_time,  // "<first> <second> - non-existent time"
    era_day_zero,      // the Era Day 0 message of the d+ /D form
    too_long,          // a line longer than the stream mode reads
    bad_value,         // "<value> - not a value of <format>"
    no_column,         // a row of the stream mode's CSV or TSV input without the column to convert
};

// outcome_name: the outcome as the stream mode's records, the page and the
// bindings name it: "ok", "usage", "too-big", "nonexistent-date",
// "nonexistent-time", "era-day-zero", "too-long", "bad-value", "no-column".
[[nodiscard]] constexpr std::string_view outcome_name(CommandOutcome outcome) noexcept {
    switch (outcome) {
        case CommandOutcome::report: return "ok";
        case CommandOutcome::usage: return "usage";
        case CommandOutcome::too_big: return "too-big";
        case CommandOutcome::nonexistent_date: return "nonexistent-date";
        case CommandOutcome::nonexistent_time: return "nonexistent-time";
        case CommandOutcome::era_day_zero: return "era-day-zero";
        case CommandOutcome::too_long: return "too-long";
        case CommandOutcome::bad_value: return "bad-value";
        case CommandOutcome::no_column: return "no-column";
    }
    return "usage";
}

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
    // in place of the second. A value read in a format is the first, and
    // the messages name its format.
    std::string_view first_argument;
    std::string_view second_argument;
    bool has_second_argument = false;
    bool from_format = false;
    Format format = Format::e0;
    ByteOrder format_bytes = ByteOrder::none;  // read as the bytes of a hex dump (NAME:le, NAME:be)

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
    DayCount rd_value = 0;
    DayCount era_day = 0;
    Weekday weekday = Weekday::Monday;
    std::int64_t e0 = 0;
    std::int64_t e3 = 0;            // the report's: E0 × 1000 + the truncated milliseconds
    std::int64_t e6 = 0;
    std::int32_t leap_seconds = 0;
    std::int64_t unix_time = 0;
    std::int64_t file_time = 0;     // 0 before 01.01.1601, -1 beyond the FILE range
    Moment moment;                  // the instant itself, to 100 ns (E6 and a FILE time's last digit)

    // For nonexistent_date: why the calendar has no such date, with the
    // date as read in `date` (the typed date, or the date a day count gave);
    // none for a day count of 0, which names no date at all.
    DateFault date_fault = DateFault::none;

    // The calendar the command read and wrote its dates in.
    CalendarSettings settings;
};

// run_command: the program's command forms on its arguments (the program
// name excluded), exactly as the program runs them.
//
//   Given:    the argument texts; a list of four or more is the usage form
//   Reads:    the clock, for the current-time form /C only
//   Returns:  the outcome and, for a report, every value it shows
//   Example:  {"1483228800", "/U"} -> report, date 01.01.2017, E0 63618825627;
//             {"31.02.2000"} -> nonexistent_date
[[nodiscard]] CommandResult run_command(std::span<const std::string_view> arguments, UtcClock clock) noexcept;
// The same in a historical calendar of one's choice.
//   Example:  ({"11.02.1730"}, clock, {britain, annunciation}) -> report,
//             date 11.02.1731, RD Julian 631922
[[nodiscard]] CommandResult run_command(std::span<const std::string_view> arguments, UtcClock clock,
                                        const CalendarSettings& settings) noexcept;

// run_command on the arguments as main() receives them: argv[0] is the
// program's name and is skipped; a null pointer reads as an empty text.
//   Example:  {"morvek", "736330", "/D"} -> report, 01.01.2017
[[nodiscard]] CommandResult run_command(int argc, const char* const* argv, UtcClock clock) noexcept;

// run_line: one line of text as the stream mode reads it: split on spaces
// and tabs into words, the switch (when not empty) appended to a line that
// has any word, then run_command on them.
//   Example:  ("1483228800", "/U") -> as run_command({"1483228800", "/U"})
[[nodiscard]] CommandResult run_line(std::string_view line, std::string_view appended_switch, UtcClock clock) noexcept;
[[nodiscard]] CommandResult run_line(std::string_view line, std::string_view appended_switch, UtcClock clock,
                                     const CalendarSettings& settings) noexcept;

// convert_value: one value of a format, as its text (moment_from_text).
//
//   Returns:  the report of its moment as the program shows a number it
//             reads (historical calendar, two- and three-argument layout,
//             no RD line; the whole second, with its parts in E3, E6 and
//             FILE time), with `moment` the exact moment; or, with the
//             text as first argument: bad_value for a text that is no value
//             of the format, too_big outside its range or where the
//             moment's E6 leaves 64 bits, nonexistent_date, nonexistent_time
//   Example:  (unix_ms, "1483228800500") -> report, 01.01.2017 00:00:00,
//             E3 63618825627500; (hfs, "-1") -> too_big
[[nodiscard]] CommandResult convert_value(FormatSpec read_as, std::string_view text) noexcept;
// The same, the date in a historical calendar of one's choice.
[[nodiscard]] CommandResult convert_value(FormatSpec read_as, std::string_view text,
                                          const CalendarSettings& settings) noexcept;

// ---- how the arguments were read ---------------------------------------------------

// Why the command forms give no report, told of one argument: for front
// ends that mark the field a person typed wrong.
enum class ArgumentFault : std::uint8_t {
    none,                   // a report
    no_arguments,           // nothing to read: the usage text
    too_many_arguments,     // a fourth argument: the forms take at most three
    not_a_form,             // no date, number, time or switch the forms read there
    day_out_of_range,       // a date text whose day is not 1 .. 31
    month_out_of_range,     // a date text whose month is not 1 .. 12
    year_too_long,          // a date text whose year has more than 10 characters
    not_a_time,             // the second argument of a date is no hh:mm:ss
    hour_out_of_range,      // a time whose hour is not 0 .. 23
    minute_out_of_range,    // a time whose minute is not 0 .. 59
    second_out_of_range,    // a time whose second is not 0 .. 60
    time_without_date,      // a time of day alone: the forms take it after a date
    fraction,               // a number with a decimal fraction: the forms read whole numbers
    grouped_digits,         // digits grouped with "," "'" or "_": the forms read them plain
    unknown_switch,         // a switch the forms do not have in that place (/X, /E5, /U alone)
    not_a_number,           // the argument before a scale switch has no digits
    calendar_switch_needed, // the third argument is not /J or /G
    nonexistent_date,       // the date does not exist (CommandResult::date_fault says why), or day count 0
    era_day_zero,           // Era Day 0
    second_60_not_at_23_59, // a second 60 in another minute than the day's last
    no_leap_second_that_day,// 23:59:60 on a day without a leap second
    too_big,                // the number lies beyond its scale, or the moment beyond 64-bit E6
};

// argument_fault_name: "day-out-of-range" and so on, as the page's JSON names them.
[[nodiscard]] std::string_view argument_fault_name(ArgumentFault fault) noexcept;

// How the command forms read a line's arguments.
struct CommandReading {
    // The scale of a number form: e0, e3, e6, era_day, rd_julian,
    // rd_gregorian, unix_time or file_time, also when its number could not
    // be read; nullopt for a date, a date and time and the current time.
    std::optional<Format> scale;
    // The calendar of a date form: the /J or /G that follows the date or
    // its time, else historical; nullopt for the number forms, the current
    // time and a line the forms do not read as a date.
    std::optional<CalendarMode> calendar;
    // The number as the form read it, and whether a leading 0 made it octal
    // ("017" is 15, "08" is 0: the 8 ends the octal digits).
    std::int64_t number = 0;
    bool octal = false;
    // For an outcome other than report: why, and in which argument (0-based).
    ArgumentFault fault = ArgumentFault::none;
    std::size_t argument = 0;
};

// command_reading: what the command forms made of the arguments that gave
// `result` (run_command's result for the same arguments).
//
//   Example:  {"32.01.2000"} -> day_out_of_range in argument 0;
//             {"1483228800", "/U"} -> scale unix_time, number 1483228800;
//             {"08", "/U"} -> scale unix_time, number 0, octal;
//             {"25.12.1642", "/J"} -> calendar Julian;
//             {"01.01.2000", "23:59:60"} -> no_leap_second_that_day in argument 1
[[nodiscard]] CommandReading command_reading(std::span<const std::string_view> arguments,
                                             const CommandResult& result) noexcept;

}  // namespace morvek
