#pragma once
// Timestamps as analysts meet them: one table of named formats, each read
// from its text to a Moment and written from a Moment, exactly. No value
// passes through floating point; decimal fractions are read and written
// digit by digit.
//
// "Without leap seconds" below means: a moment inside a leap second
// (23:59:60.x) has the value of the next day's 00:00:00 exactly, and no
// value of the format names a leap second.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "morvek/moment.h"
#include "morvek/result.h"
#include "morvek/text.h"

namespace morvek {

enum class Format : std::uint8_t {
    // Morvek's own scales, as the program reads them.
    e0, e3, e6, era_day, rd_julian, rd_gregorian, unix_time, file_time,  // unix_time is named "unix"
    // Everyone else's.
    unix_ms, unix_us, unix_ns, webkit, cocoa, cocoa_ns, hfs, dotnet_ticks, ole, excel, excel_1904, gps, fat,
    jdn, mjd, iso,
};

enum class FormatKind : std::uint8_t {
    integer,  // a 64-bit integer: decimal or 0x hexadecimal text, or its bytes (NAME:le, NAME:be)
    decimal,  // decimal text with a fraction: cocoa, ole, excel, excel_1904
    text,     // ISO 8601 text
};

struct FormatInfo {
    Format format;
    std::string_view name;     // as --from, --fields, the page and the bindings name it
    FormatKind kind;
    std::uint8_t byte_count;   // the bytes of NAME:le / NAME:be; 0 where there is no byte form
    std::string_view meaning;  // one line: what the value counts, from when
    std::string_view where;    // where analysts meet it
    std::string_view example;  // one value of 01.01.2017 00:00:00 UTC or near it
};

// The table, in the order of Format.
extern const std::array<FormatInfo, 24> format_table;

// format_info: the row of a format.
[[nodiscard]] const FormatInfo& format_info(Format format) noexcept;

// format_from_name: "unix_ms" -> Format::unix_ms; nullopt for a name no row has.
[[nodiscard]] std::optional<Format> format_from_name(std::string_view name) noexcept;

// How a value's text is read: as written, or as the hexadecimal bytes of its
// little-endian or big-endian two's complement, as a hex dump shows them
// ("00 C0 B0 FE C1 63 D2 01", with or without blanks between the bytes).
enum class ByteOrder : std::uint8_t { none, little_endian, big_endian };

struct FormatSpec {
    Format format = Format::e0;
    ByteOrder bytes = ByteOrder::none;
};

// format_spec_from_name: "file_time", "file_time:le", "hfs:be"; nullopt for
// an unknown name, or a byte form of a format that is not an integer.
[[nodiscard]] std::optional<FormatSpec> format_spec_from_name(std::string_view name) noexcept;

// moment_from_text: one value of a format, as text.
//
//   Given:    the text; blanks (spaces, tabs) at both ends are ignored.
//             Integers are decimal or 0x hexadecimal, with an optional sign
//             (a leading 0 is decimal, never octal); decimal fractions are
//             read digit by digit and floored to the nanosecond.
//   Returns:  the moment; bad_format for a text that is no value of the
//             format (empty, a sign alone, a fraction where none is allowed,
//             bytes of the wrong count, ...); out_of_range for a value
//             outside the format's range or beyond the moments Morvek
//             handles; nonexistent_date / nonexistent_time for a value that
//             names no date or time (Excel's 29.02.1900, a FAT date with
//             month 13, ISO 2017-02-29, 24:00, 23:59:60 on a day without a
//             leap second)
//   Example:  (webkit, "13300000000000000") -> 2022-06-18T04:26:40Z;
//             (cocoa, "700000000") -> 2023-03-08T20:26:40Z
[[nodiscard]] Result<Moment> moment_from_text(FormatSpec read_as, std::string_view text) noexcept;

// moment_from_integer: a value of an integer format, given as a number.
//   Returns:  as moment_from_text; bad_format for a format that is not an integer
//   Example:  (unix_ms, 1483228800500) -> 2017-01-01T00:00:00.500Z
[[nodiscard]] Result<Moment> moment_from_integer(Format format, std::int64_t value) noexcept;

// moments_from_integers: moment_from_integer of each value of a column, the
// format looked up once: moments[i] and Status::ok, or a default Moment and
// the status moment_from_integer gives. Up to the shortest span's length.
//   Example:  (file_time, {131277024005000000, -1}) -> {2017-01-01T00:00:00.5Z, ok}, {{}, out_of_range}
void moments_from_integers(Format format, std::span<const std::int64_t> values, std::span<Moment> moments,
                           std::span<Status> statuses) noexcept;

// The text of one value: at most 47 characters.
using FormatText = FixedText<48>;

// text_from_moment: the value a moment has in a format, as text.
//
//   Returns:  the text: integers in decimal; decimal fractions as the
//             shortest text that reads back to the same nanosecond, without
//             trailing zeros and without a fraction for a whole value; a
//             moment finer than the format's unit rounded toward the past
//             (floor, also before the epoch); fat to the even second before.
//             out_of_range where the format has no value for the moment
//             (before its epoch for an unsigned format, beyond its range).
//   Example:  (unix_ms, 2017-01-01T00:00:00.5Z) -> "1483228800500";
//             (ole, 29.12.1899 06:00:00) -> "-1.25"
[[nodiscard]] Result<FormatText> text_from_moment(Format format, Moment moment) noexcept;

// integer_from_moment: the value of an integer format, as a number.
//   Returns:  as text_from_moment; bad_format for a format that is not an integer
[[nodiscard]] Result<std::int64_t> integer_from_moment(Format format, Moment moment) noexcept;

// ---- guessing ----------------------------------------------------------------------

// The years a guess must fall in, both included.
struct YearWindow {
    std::int32_t first = 1970;
    std::int32_t last = 2099;
};

struct Guess {
    Format format;
    Moment moment;
};

struct Guesses {
    std::array<Guess, 24> items{};
    std::size_t count = 0;
    [[nodiscard]] std::span<const Guess> view() const noexcept { return {items.data(), count}; }
};

// guess_formats: every format that reads the text as a moment within the
// window (years of the proleptic Gregorian calendar, UTC, astronomical: the
// years of the moment's ISO text, 0 is 1 BCE), ordered by format name.
//   Example:  "1483228800" -> unix 2017-01-01T00:00:00Z and gps 2027-01-05T23:59:42Z among
//             others; not hfs, whose reading (1951) lies outside the window
[[nodiscard]] Guesses guess_formats(std::string_view text, YearWindow window = {}) noexcept;

}  // namespace morvek
