#pragma once
// The program's own text for a command result: the report, the usage text
// or the message, byte for byte.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "morvek/command.h"

namespace morvek {

// Where text goes: the program's standard output, a string, a buffer.
struct TextSink {
    void (*write)(void* target, const char* data, std::size_t size) = nullptr;
    void* target = nullptr;
};

// write_command_output: what the program prints for the result.
//
//   Writes:   the report (several writes of at most a few hundred bytes),
//             the usage text or the message with the argument texts whole
//   Example:  the result of {"31.02.2000"} ->
//             "\n\t31.02.2000 00:00:00 - non-existent date\n"
void write_command_output(const CommandResult& result, TextSink out);

// The usage text alone, as the program prints it for --help.
void write_usage(TextSink out);

// "morvek 1.1.0\n": the name and the version, as the program prints them
// for --version.
void write_version(TextSink out);

// The name of weekday 1 .. 7 as the report prints it; "Not a Day of Week"
// for any other number.
[[nodiscard]] std::string_view report_weekday_name(std::int32_t weekday);

// A short text of the report, kept on the stack: three 32-bit numbers with
// their signs and two separators fit.
struct ReportText {
    char characters[40];
    std::size_t size;
    std::string_view view() const { return {characters, size}; }
};

// The report's texts of single values, for front ends that show the values
// on their own: a date "%02i.%02i.%i", a time of day "%02i:%02i:%02i", and
// the hexadecimal column "0x%016llX".
//
//   Example:  {-1, 12, 31} -> "31.12.-1"; 23, 59, 60 -> "23:59:60";
//             -1 -> "0xFFFFFFFFFFFFFFFF"
[[nodiscard]] ReportText report_date_text(const Date& date);
[[nodiscard]] ReportText report_time_text(std::int32_t hour, std::int32_t minute, std::int32_t second);
[[nodiscard]] ReportText report_hex_text(std::int64_t value);

}  // namespace morvek
