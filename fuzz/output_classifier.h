#pragma once
// Decides whether one run's output is something the program may print for
// the given arguments: the usage text, one of its messages with the argument
// texts in place, or a report laid out line for line as the program lays it
// out. Shared by the fuzz target and the property tests, so it knows nothing
// of the program's own code.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace morvek::check {

enum class OutputKind {
    invalid,
    usage,
    nonexistent_date_one,  // one argument
    nonexistent_date_two,  // two or three arguments
    nonexistent_time,
    too_big,
    era_day_zero,
    report,
};

enum class DateBlock {
    plain,       // "Date:"
    gregorian,   // "Gregorian Date:" then "Era Date:"
    julian,      // "Julian Date:" then "Era Date:"
};

struct DateTime {
    std::int32_t day = 0;
    std::int32_t month = 0;
    std::int32_t year = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

struct Report {
    bool single_layout = false;
    std::string clock_tag;   // single layout only
    DateBlock block = DateBlock::plain;
    DateTime first;          // the first date line
    DateTime era_date;       // the "Era Date:" line, or the first one in a plain block
    bool has_rd = false;
    bool rd_gregorian = false;
    std::int64_t rd = 0;
    std::int64_t era_day = 0;
    std::string weekday;
    std::int64_t e0 = 0;
    std::int64_t e3 = 0;
    std::int64_t e6 = 0;
    std::int32_t leap_seconds = 0;
    std::int64_t unix_time = 0;
    std::int64_t file_time = 0;

    // The date in the historical calendar: the last date line printed.
    const DateTime& historical() const { return era_date; }
};

struct Classification {
    OutputKind kind = OutputKind::invalid;
    std::string problem;  // why the output was rejected
    Report report;        // filled when kind is report

    bool accepted() const { return kind != OutputKind::invalid; }
};

// The exact usage text.
std::string_view usage_text();

// Structure only: every byte of the output, and which outputs the number of
// arguments allows.
Classification classify_output(std::string_view output, std::span<const std::string_view> arguments);

// Arithmetic that every report must satisfy between its own lines (weekday,
// sub-second parts, leap seconds, time of day, Unix and FILE time). Empty
// when all hold, else a description of the first that fails.
std::string report_inconsistency(const Report& report);

// Reference values kept apart from the program's tables.
inline constexpr std::int64_t unix_epoch_e0 = 62135596800;
inline constexpr std::int64_t file_epoch_e0 = 50491123200;
std::int32_t leap_seconds_up_to(std::int64_t e0);
bool is_leap_second(std::int64_t e0);

// The two's complement of the value as the hexadecimal column shows it.
std::string hex_column(std::int64_t value);

}  // namespace morvek::check
