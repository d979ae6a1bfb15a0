#pragma once
// The command as one run on a state the caller owns: the public run_command
// with the state made visible, for the tests that look into it.

#include <array>
#include <span>
#include <string_view>

#include "cli/conversion_state.h"
#include "morvek/command.h"
#include "cli/output.h"
#include "morvek/command_text.h"

namespace morvek {

// The arguments as texts: four already make the usage form, so more need
// no texts; a null pointer reads as an empty text.
struct ArgumentTexts {
    std::array<std::string_view, 4> texts;
    std::size_t count = 0;
    std::span<const std::string_view> view() const { return {texts.data(), count}; }
};
ArgumentTexts argument_texts(std::span<const char* const> arguments);

// run_command on the caller's state.
//
//   Writes:   the state: reset first, then filled by the form's conversion
//             and, for a report, by report_from_state
//   Returns:  as run_command
CommandResult run_command(ConversionState& state, std::span<const std::string_view> arguments, UtcClock clock);

// run_morvek: one whole run of the program in-process.
//
//   Given:    the arguments after the program name (a null pointer reads as
//             an empty text)
//   Writes:   the state, and the program's output to the sink
//   Returns:  the exit code, always 0
int run_morvek(ConversionState& state, std::span<const char* const> arguments, UtcClock clock, TextSink out);

}  // namespace morvek
