#include "command/numeric_arguments.h"

#include <cstdint>
#include <limits>

#include "morvek/detail/arithmetic.h"
#include "text/integer_from_text.h"
#include "text/text_characters.h"

namespace morvek::cli {

namespace {

constexpr bool is_hexadecimal_digit(char c) { return detail::is_decimal_digit(c) || (c >= 'A' && c <= 'F'); }

struct DigitLimits {
    std::int32_t decimal;
    std::int32_t hexadecimal;
};

// Limits that keep every admitted text inside the type it is read into.
constexpr DigitLimits scaled_number_limits{19, 16};
constexpr DigitLimits era_day_limits{9, 7};

constexpr bool exceeds(DigitLimits limits, std::int32_t digit_count, NumberShape shape) {
    return digit_count > (shape.hexadecimal ? limits.hexadecimal : limits.decimal);
}

constexpr std::int64_t e6_per_era_second = 1000000;

}  // namespace

NumberScan scan_number(ConversionState& state, std::string_view text, ScanManner manner) {
    state.digit_count = 0;
    NumberScan scan;
    const CommandOutcome misfit = manner == ScanManner::strict ? CommandOutcome::usage : CommandOutcome::report;

    bool sign_seen = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = detail::ascii_upper(text[i]);
        if (i == 0 && (c == '+' || c == '-')) {
            sign_seen = true;
            scan.shape.typed_sign = c == '+' ? 1 : -1;
            continue;
        }
        const bool counts = scan.shape.hexadecimal ? is_hexadecimal_digit(c) : detail::is_decimal_digit(c);
        if (counts) {
            ++state.digit_count;
            continue;
        }
        state.digit_count = 0;
        const bool prefix_place = (i == 1 && !sign_seen) || (i == 2 && sign_seen);
        if (!scan.shape.hexadecimal && prefix_place && c == 'X') {
            scan.shape.hexadecimal = true;
            continue;
        }
        scan.outcome = misfit;
        return scan;
    }
    if (state.digit_count == 0) scan.outcome = misfit;
    return scan;
}

NumberRead read_scaled_number(const ConversionState& state, std::string_view text, NumberShape shape,
                              std::int64_t factor) {
    if (state.digit_count == 0) return {CommandOutcome::usage, 0};
    if (exceeds(scaled_number_limits, state.digit_count, shape)) return {CommandOutcome::too_big, 0};
    const auto value = detail::integer_from_text(text);
    if (!value) return {CommandOutcome::too_big, 0};
    if (factor > 1 && !detail::checked_multiply(*value, factor)) return {CommandOutcome::too_big, 0};
    return {CommandOutcome::report, *value};
}

NumberRead read_era_day(const ConversionState& state, std::string_view text, NumberShape shape) {
    if (state.digit_count == 0) return {CommandOutcome::usage, 0};
    if (exceeds(era_day_limits, state.digit_count, shape)) return {CommandOutcome::too_big, 0};
    const auto value = detail::integer_from_text(text);
    // The digit limits keep the value within 32 bits; the test only guards
    // against a caller that skipped the scan.
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max()) {
        return {CommandOutcome::too_big, 0};
    }
    if (*value == 0) return {CommandOutcome::era_day_zero, 0};
    return {CommandOutcome::report, *value};
}

CommandOutcome guard_era_day_result(std::int64_t era_seconds, NumberShape shape) {
    const bool typed_negative = shape.typed_sign < 0;
    if (typed_negative != (era_seconds < 0)) return CommandOutcome::too_big;
    if (!detail::checked_multiply(era_seconds, e6_per_era_second)) return CommandOutcome::too_big;
    return CommandOutcome::report;
}

}  // namespace morvek::cli
