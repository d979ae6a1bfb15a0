#pragma once
// The program's own text for a command result: the report, the usage text
// or the message, byte for byte; and the report's texts of single values.

#include <cstdint>

#include "morvek/command.h"
#include "morvek/text.h"

namespace morvek {

// write_command_output: what the program prints for the result.
//
//   Writes:   the report (one write of some 500 bytes), the usage text or the
//             message with the argument texts whole
//   Example:  the result of {"31.02.2000"} ->
//             "\n\t31.02.2000 00:00:00 - non-existent date\n"
void write_command_output(const CommandResult& result, TextSink out) noexcept;

// The usage text alone, as the program prints it for a form it cannot read.
void write_usage(TextSink out) noexcept;

// The usage text followed by the program's options beyond the command
// forms (the stream mode, --version) and where the manual is: --help.
void write_help(TextSink out) noexcept;

// "morvek 2.0.0\n": the name and the version, as --version prints them.
void write_version(TextSink out) noexcept;

// A short text of the report: three 32-bit numbers with their signs and two
// separators fit, and any 64-bit number.
using ReportText = FixedText<40>;

// The report's texts of single values: a date "%02i.%02i.%i", a time of day
// "%02i:%02i:%02i", a number "%lli" and the hexadecimal column "0x%016llX".
//
//   Example:  {-1, 12, 31} -> "31.12.-1"; 23, 59, 60 -> "23:59:60";
//             -1 -> "-1" and "0xFFFFFFFFFFFFFFFF"
[[nodiscard]] ReportText report_date_text(const Date& date) noexcept;
[[nodiscard]] ReportText report_time_text(std::int32_t hour, std::int32_t minute, std::int32_t second) noexcept;
[[nodiscard]] ReportText report_decimal_text(std::int64_t value) noexcept;
[[nodiscard]] ReportText report_hex_text(std::int64_t value) noexcept;

// elapsed_text: SI seconds as --between writes them: "N", or "N.F" with the
// fraction's digits (trailing zeros dropped, one kept) when `with_fraction`;
// a negative span with a fraction is one negative number.
//   Example:  ({-1, 750000000}, true) -> "-0.25"; ({2, 0}, true) -> "2.0"; ({2, 0}, false) -> "2"
[[nodiscard]] ReportText elapsed_text(Elapsed elapsed, bool with_fraction) noexcept;

}  // namespace morvek
