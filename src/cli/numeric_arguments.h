#pragma once
// Recognising, counting, reading and guarding the numeric first argument.

#include <cstdint>
#include <optional>
#include <string_view>

#include "cli/conversion_state.h"

namespace morvek {

// How a run ends before its report.
enum class Ending {
    none,          // go on
    usage,         // the usage text
    too_big,       // "\nToo big number..\n"
    era_day_zero,  // the Era Day 0 message
    nonexistent_date,  // "... - non-existent date" with the argument texts
    nonexistent_time,  // "... - non-existent time" with the argument texts
};

enum class ScanManner { strict, lenient };

struct NumberShape {
    std::int32_t typed_sign = 0;  // -1, 0 or +1
    bool hexadecimal = false;
};

struct NumberScan {
    Ending ending = Ending::none;
    NumberShape shape;
};

struct NumberRead {
    Ending ending = Ending::none;
    std::int64_t value = 0;
};

// Sets state.digit_count (0 when the text is no number). Strict: a misfit
// ends with the usage text; lenient: it only leaves digit_count at 0.
NumberScan scan_number(ConversionState& state, std::string_view text, ScanManner manner);

// Reads with the base detection of "%i"/"%lli": sign, "0x" hexadecimal,
// leading "0" octal, up to the first character that does not continue the
// number. nullopt when the typed value lies outside the signed 64-bit range.
std::optional<std::int64_t> integer_from_text(std::string_view text);

// The E0 (factor 1000000), E3 (1000) and E6 (1) forms.
NumberRead read_scaled_number(const ConversionState& state, std::string_view text,
                              NumberShape shape, std::int64_t factor);

// The Era Day form: a nonzero day within the digit limits.
NumberRead read_era_day(const ConversionState& state, std::string_view text, NumberShape shape);

// The Era Day form after its conversion: the sign must match the typed one
// and the E6 value of the midnight must fit in 64 bits.
Ending guard_era_day_result(std::int64_t era_seconds, NumberShape shape);

}  // namespace morvek
