#pragma once
// The program's own text for a command result: the report, the usage text
// or the message, byte for byte.

#include <cstddef>
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

// The name of weekday 1 .. 7 as the report prints it; "Not a Day of Week"
// for any other number.
[[nodiscard]] std::string_view report_weekday_name(std::int32_t weekday);

}  // namespace morvek
