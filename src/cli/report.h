#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "cli/conversion_state.h"
#include "cli/output.h"

namespace morvek {

enum class ReportLayout {
    single_argument,  // one date line followed by the clock tag
    multi_argument,   // date lines chosen by calendar_tag
};

inline constexpr std::array<std::string_view, 8> weekday_names = {
    "Not a Day of Week", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday",
};

// Prints the whole report from a filled state. Adds second_of_day to
// era_seconds; a two-calendar date block also changes the date fields and
// calendar_mode.
void print_report(ConversionState& state, OutputSink out, ReportLayout layout,
                  std::string_view clock_tag);

// One value line: the format (with one "%lli") with tabs expanded, then the
// value's two's complement in hexadecimal at column 41, or the text at
// column 33. A line too long for its column is printed unexpanded alone.
void print_with_hex_column(OutputSink out, const char* format, std::int64_t value);
void print_with_text_column(OutputSink out, const char* format, std::int64_t value,
                            std::string_view text);

}  // namespace morvek
