#pragma once
// One converted value as every front end shows it: the fields of the stream
// mode's records and of the bindings' columns, each with its name, its type
// and its text, from one place.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "morvek/command.h"
#include "morvek/formats.h"
#include "morvek/text.h"

namespace morvek {

// The fields, in the order of the default set, then the ones chosen only
// by name; the formats that are not Morvek's own scales are fields too.
// unix_time is named "unix" (a GNU compiler defines `unix` as a macro).
enum class Field : std::uint8_t {
    line, input, status, message, date, time, calendar, era_date, rd_julian, rd_gregorian, era_day, weekday,
    e0, e3, e6, leap_seconds, unix_time, file_time,
    e0_hex, e3_hex, e6_hex, unix_hex, file_time_hex, jdn, mjd, iso,
    unix_ms, unix_us, unix_ns, webkit, cocoa, cocoa_ns, hfs, dotnet_ticks, ole, excel, excel_1904, gps, fat,
    julian_date, gregorian_date, historical_date, dual_date, day_of_year, iso_week, easter_julian, easter_gregorian,
};
inline constexpr std::size_t field_count = static_cast<std::size_t>(Field::easter_gregorian) + 1;
// The historian's fields, from julian_date on: the day in each calendar,
// the dual date, the day of the year, the ISO week, the two Easters.
inline constexpr std::size_t first_historian_field = static_cast<std::size_t>(Field::julian_date);
inline constexpr std::size_t default_field_count = static_cast<std::size_t>(Field::file_time) + 1;

// The names the records, --fields and the bindings use, indexed by Field.
inline constexpr std::array<std::string_view, field_count> field_names = {
    "line", "input", "status", "message", "date", "time", "calendar", "era_date", "rd_julian", "rd_gregorian",
    "era_day", "weekday", "e0", "e3", "e6", "leap_seconds", "unix", "file_time",
    "e0_hex", "e3_hex", "e6_hex", "unix_hex", "file_time_hex", "jdn", "mjd", "iso",
    "unix_ms", "unix_us", "unix_ns", "webkit", "cocoa", "cocoa_ns", "hfs", "dotnet_ticks", "ole", "excel",
    "excel_1904", "gps", "fat",
    "julian_date", "gregorian_date", "historical_date", "dual_date", "day_of_year", "iso_week", "easter_julian",
    "easter_gregorian",
};

[[nodiscard]] constexpr std::string_view field_name(Field field) noexcept {
    return field_names[static_cast<std::size_t>(field)];
}

// field_from_name: "unix_ms" -> Field::unix_ms; nullopt for no such field.
[[nodiscard]] std::optional<Field> field_from_name(std::string_view name) noexcept;

// How a value is typed: a number (JSON number, an integer column), a number
// given as its digits (JSON string: E6 and FILE times pass 2^53; still an
// integer column), or a text.
enum class FieldType : std::uint8_t { number, digits, text };
[[nodiscard]] FieldType field_type(Field field) noexcept;

// The format a field writes, for the fields that are formats of their own.
[[nodiscard]] std::optional<Format> format_of_field(Field field) noexcept;

// A converted line or value: its number, its text and what came of it.
struct Record {
    std::uint64_t line = 0;     // 1-based
    std::string_view input;     // the line or value as given; empty when too long to be read
    CommandResult result;       // result.outcome is the status
};

// field_has_value: whether the record has the field. A record that was not
// converted has only its line, input, status and (but for usage) message;
// era_date and the RD lines only where the report shows them; a format only
// where the moment has a value in it; julian_date and gregorian_date from
// 01.01.0001 on, the Easters from the year 1 of historical_date on.
//
// The historian's fields, in the record's calendar settings:
//   julian_date, gregorian_date, historical_date  the day in each calendar
//   dual_date        the date field's date as its year-start style writes it
//   day_of_year      of the date field's date in its own calendar (the days
//                    a reform took away not counted)
//   iso_week         the ISO 8601 week date, "2016-W52-6"
//   easter_julian    Easter Sunday of historical_date's year, a Julian date
//   easter_gregorian the same by the Gregorian computus, a Gregorian date
[[nodiscard]] bool field_has_value(Field field, const Record& record) noexcept;

// field_integer: the value of a number or digits field that has one.
//   Example:  (e6, the record of "1483228800 /U") -> 63618825627000000
[[nodiscard]] std::optional<std::int64_t> field_integer(Field field, const Record& record) noexcept;

// The text of one field's value: any field but input and message (whose
// texts come from the input) fits.
using FieldText = FixedText<48>;

// field_text: the text of a field that has a value, as the records show it;
// empty for a field without one, and for input and message.
//   Example:  (date, the record of "1483228800 /U") -> "01.01.2017"
[[nodiscard]] FieldText field_text(Field field, const Record& record) noexcept;

// moment_field_integer / moment_field_text: one field of the record that
// convert_value gives for a value of this moment, computed alone, without
// the whole report: for front ends that convert columns of values. The
// fields of the line (line, input, status, message) are the caller's; a
// moment whose E6 leaves 64 bits has no field (its record is too_big).
//   Example:  (unix_time, moment_from_integer(file_time, 131277024005000000)) -> 1483228800
// The settings are those convert_value was given.
[[nodiscard]] std::optional<std::int64_t> moment_field_integer(Field field, Moment moment,
                                                               const CalendarSettings& settings = {}) noexcept;
[[nodiscard]] FieldText moment_field_text(Field field, Moment moment, const CalendarSettings& settings = {}) noexcept;

// list_fields: the fields a person reads, as --format=list shows them when
// none are chosen: all but line, input and the hexadecimal columns; the
// historian's (julian_date to easter_gregorian) only when asked for.
[[nodiscard]] std::span<const Field> list_fields(bool with_calendar_fields) noexcept;

// write_list: the record as lines of a name and its value, for each field
// that has a value, the values aligned two blanks after the longest name;
// a text from the input with its backslash, tab, line ends or NUL escaped
// as tsv escapes them (\\, \t, \n, \r, \0).
//   Example:  (the record of "31.02.2000", {status, message}, {"status", "message"}) ->
//             "status   nonexistent-date\nmessage  31.02.2000 00:00:00 - non-existent date\n"
void write_list(const Record& record, std::span<const Field> fields, std::span<const std::string_view> names,
                TextSink out) noexcept;

// moment_field_integers: moment_field_integer of each moment of a column,
// the field looked up once: values[i] the value, or 0 where there is none,
// and present[i] whether there is one (not written when `present` is
// shorter than the column). Up to the shorter of moments and values.
//   Example:  (unix_time, {the moments of FILE times}) -> their Unix times
void moment_field_integers(Field field, std::span<const Moment> moments, std::span<std::int64_t> values,
                           std::span<bool> present, const CalendarSettings& settings = {}) noexcept;

// write_message: the program's message for a record that was not converted,
// as one line (each run of blanks and line ends one space, trimmed); the
// usage text gives nothing, a too-long line "line longer than 4096 bytes".
//   Example:  the record of "31.02.2000" -> "31.02.2000 00:00:00 - non-existent date"
void write_message(const Record& record, TextSink out) noexcept;

}  // namespace morvek
