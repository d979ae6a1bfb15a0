#pragma once
// Recognising, counting, reading and guarding the numeric first argument.

#include <cstdint>
#include <string_view>

#include "command/conversion_state.h"
#include "morvek/command.h"

namespace morvek::cli {

enum class ScanManner { strict, lenient };

struct NumberShape {
    std::int32_t typed_sign = 0;  // -1, 0 or +1
    bool hexadecimal = false;
};

struct NumberScan {
    CommandOutcome outcome = CommandOutcome::report;
    NumberShape shape;
};

struct NumberRead {
    CommandOutcome outcome = CommandOutcome::report;
    std::int64_t value = 0;
};

// scan_number: whether the first argument is a number, and its shape.
//
//   Given:    a sign only first, an "x" only after exactly one leading digit
//   Writes:   state.digit_count: the digits (after an "x", the hexadecimal
//             ones behind it); 0 when the text is no number
//   Returns:  the typed sign and the hexadecimal mark; strict: the usage
//             outcome for a misfit, lenient: report, to go on (digit_count stays 0)
//   Example:  "-0x1F" -> digit_count 2, sign -1, hexadecimal; "1.5" -> 0
NumberScan scan_number(ConversionState& state, std::string_view text, ScanManner manner);

// read_scaled_number: the number of the E0 (factor 1000000), E3 (1000) and
// E6 (1) forms.
//
//   Reads:    state.digit_count
//   Returns:  the value; usage without digits; too_big beyond 19 decimal or
//             16 hexadecimal digits, outside 64 bits, or when value × factor is
//   Example:  ("9223372036854", factor 1000000) -> 9223372036854;
//             ("9223372036855", factor 1000000) -> too_big
NumberRead read_scaled_number(const ConversionState& state, std::string_view text,
                              NumberShape shape, std::int64_t factor);

// read_era_day: the number of the Era Day form.
//
//   Reads:    state.digit_count
//   Returns:  the day; usage without digits; too_big beyond 9 decimal or 7
//             hexadecimal digits; era_day_zero for 0
//   Example:  "736330" -> 736330; "-0" -> era_day_zero
NumberRead read_era_day(const ConversionState& state, std::string_view text, NumberShape shape);

// guard_era_day_result: the Era Day form after its conversion.
//
//   Returns:  too_big when the sign of the midnight's E0 contradicts the
//             typed sign, or its E6 leaves 64 bits; else report
//   Example:  (E0 of Era Day 106751993, no sign) -> too_big
CommandOutcome guard_era_day_result(std::int64_t era_seconds, NumberShape shape);

}  // namespace morvek::cli
