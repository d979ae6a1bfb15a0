#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "command/numeric_arguments.h"
#include "text/integer_from_text.h"

namespace morvek::cli {
namespace {

using detail::integer_from_text;

// The C library's own base-detecting conversion is the reference here.
TEST(IntegerFromText, ReadsAsTheBaseDetectingConversionDoes) {
    const std::vector<std::string> blanks = {"", " ", "\t \n"};
    const std::vector<std::string> signs = {"", "+", "-"};
    const std::vector<std::string> prefixes = {"", "0", "00", "0x", "0X", "1x"};
    const std::vector<std::string> bodies = {
        "", "7", "8", "19", "fF", "777", "1a", "10",
        "9223372036854775807", "9223372036854775808", "9223372036854775809", "99999999999999999999",
        "7fffffffffffffff", "8000000000000000", "8000000000000001", "ffffffffffffffffff",
        "777777777777777777777", "1000000000000000000000", "1000000000000000000001",
        "0000000000000000000000000000005",
    };
    const std::vector<std::string> tails = {"", "x10", ".5", " 3", "g", "-1"};
    int compared = 0;
    for (const auto& blank : blanks) {
        for (const auto& sign : signs) {
            for (const auto& prefix : prefixes) {
                for (const auto& body : bodies) {
                    for (const auto& tail : tails) {
                        const std::string text = blank + sign + prefix + body + tail;
                        errno = 0;
                        const long long reference = std::strtoll(text.c_str(), nullptr, 0);
                        const bool out_of_range = errno == ERANGE;
                        const auto value = integer_from_text(text);
                        if (out_of_range) {
                            EXPECT_FALSE(value.has_value()) << '"' << text << '"';
                        } else {
                            ASSERT_TRUE(value.has_value()) << '"' << text << '"';
                            EXPECT_EQ(*value, reference) << '"' << text << '"';
                        }
                        ++compared;
                    }
                }
            }
        }
    }
    EXPECT_EQ(compared, 3 * 3 * 6 * 20 * 6);
}

TEST(IntegerFromText, ReachesBothEndsOfTheRangeAndNoFurther) {
    constexpr auto largest = std::numeric_limits<std::int64_t>::max();
    constexpr auto smallest = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(integer_from_text("9223372036854775807"), largest);
    EXPECT_EQ(integer_from_text("-9223372036854775808"), smallest);
    EXPECT_EQ(integer_from_text("0x7FFFFFFFFFFFFFFF"), largest);
    EXPECT_EQ(integer_from_text("-0x8000000000000000"), smallest);
    EXPECT_EQ(integer_from_text("0777777777777777777777"), largest);
    EXPECT_EQ(integer_from_text("-01000000000000000000000"), smallest);
    EXPECT_EQ(integer_from_text("9223372036854775808"), std::nullopt);
    EXPECT_EQ(integer_from_text("-9223372036854775809"), std::nullopt);
    EXPECT_EQ(integer_from_text("0x8000000000000000"), std::nullopt);
    EXPECT_EQ(integer_from_text("18446744073709551616"), std::nullopt);
    EXPECT_EQ(integer_from_text("-0"), 0);
    EXPECT_EQ(integer_from_text(""), 0);
    EXPECT_EQ(integer_from_text("5x10"), 5);
    EXPECT_EQ(integer_from_text("08"), 0);
}

TEST(ScanNumber, CountsDigitsAndFindsSignAndPrefix) {
    struct Case {
        std::string_view text;
        std::int32_t digit_count;
        std::int32_t typed_sign;
        bool hexadecimal;
    };
    const std::vector<Case> numbers = {
        {"0", 1, 0, false},
        {"-0", 1, -1, false},
        {"+5", 1, 1, false},
        {"00000000000000000005", 20, 0, false},
        {"010", 3, 0, false},
        {"0x1f", 2, 0, true},
        {"0X1F", 2, 0, true},
        {"-0x7FFFFFFFFFFFFFFF", 16, -1, true},
        {"5x10", 2, 0, true},  // any one digit may stand before the x
        {"+9xA", 1, 1, true},
    };
    for (const auto& number : numbers) {
        for (const ScanManner manner : {ScanManner::strict, ScanManner::lenient}) {
            ConversionState state;
            const NumberScan scan = scan_number(state, number.text, manner);
            EXPECT_EQ(scan.outcome, CommandOutcome::report) << number.text;
            EXPECT_EQ(state.digit_count, number.digit_count) << number.text;
            EXPECT_EQ(scan.shape.typed_sign, number.typed_sign) << number.text;
            EXPECT_EQ(scan.shape.hexadecimal, number.hexadecimal) << number.text;
        }
    }
}

// Strict scanning ends the run with the usage text; lenient scanning only
// marks the text as no number, leaving it to be read as a date (the outcome
// report: go on).
TEST(ScanNumber, RefusesMisshapenTextStrictlyOrLeniently) {
    const std::vector<std::string_view> misfits = {
        "", "+", "-", "0x", "-0x", "+-5", "5-", "--5", "x5", "+x5", "1.5", "01.01.2000", " 5", "5 ",
        "0x1g", "0x1x", "12x4", "1xx", "0xx1", "5e3", "/5",
    };
    for (const std::string_view text : misfits) {
        ConversionState strict_state;
        EXPECT_EQ(scan_number(strict_state, text, ScanManner::strict).outcome, CommandOutcome::usage) << text;
        EXPECT_EQ(strict_state.digit_count, 0) << text;

        ConversionState lenient_state;
        lenient_state.digit_count = 3;
        EXPECT_EQ(scan_number(lenient_state, text, ScanManner::lenient).outcome, CommandOutcome::report) << text;
        EXPECT_EQ(lenient_state.digit_count, 0) << text;
    }
}

TEST(ReadNumbers, NeedAScannedNumber) {
    const ConversionState no_number;
    EXPECT_EQ(read_scaled_number(no_number, "5", {}, 1).outcome, CommandOutcome::usage);
    EXPECT_EQ(read_era_day(no_number, "5", {}).outcome, CommandOutcome::usage);
}

// The digit limits stop a text before it is read, whatever its value.
TEST(ReadNumbers, StopTooManyDigitsBeforeReading) {
    ConversionState state;
    state.digit_count = 20;
    EXPECT_EQ(read_scaled_number(state, "00000000000000000005", {}, 1).outcome, CommandOutcome::too_big);
    state.digit_count = 19;
    EXPECT_EQ(read_scaled_number(state, "0000000000000000005", {}, 1).value, 5);
    state.digit_count = 17;
    EXPECT_EQ(read_scaled_number(state, "0x00000000000000005", {0, true}, 1).outcome, CommandOutcome::too_big);
    state.digit_count = 16;
    EXPECT_EQ(read_scaled_number(state, "0x0000000000000005", {0, true}, 1).value, 5);

    state.digit_count = 10;
    EXPECT_EQ(read_era_day(state, "0000000005", {}).outcome, CommandOutcome::too_big);
    state.digit_count = 9;
    EXPECT_EQ(read_era_day(state, "000000005", {}).value, 5);
    state.digit_count = 8;
    EXPECT_EQ(read_era_day(state, "0x00000005", {0, true}).outcome, CommandOutcome::too_big);
    state.digit_count = 7;
    EXPECT_EQ(read_era_day(state, "0x0000005", {0, true}).value, 5);
}

TEST(ReadNumbers, GuardTheProductWithTheFactor) {
    ConversionState state;
    state.digit_count = 13;
    EXPECT_EQ(read_scaled_number(state, "9223372036854", {}, 1000000).value, 9223372036854);
    EXPECT_EQ(read_scaled_number(state, "9223372036855", {}, 1000000).outcome, CommandOutcome::too_big);
    EXPECT_EQ(read_scaled_number(state, "-9223372036855", {-1, false}, 1000000).outcome, CommandOutcome::too_big);
    state.digit_count = 16;
    EXPECT_EQ(read_scaled_number(state, "9223372036854775", {}, 1000).value, 9223372036854775);
    EXPECT_EQ(read_scaled_number(state, "9223372036854776", {}, 1000).outcome, CommandOutcome::too_big);
    EXPECT_EQ(read_scaled_number(state, "-9223372036854775", {-1, false}, 1000).value, -9223372036854775);
    state.digit_count = 19;
    EXPECT_EQ(read_scaled_number(state, "9223372036854775807", {}, 1).value,
              std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(read_scaled_number(state, "9223372036854775808", {}, 1).outcome, CommandOutcome::too_big);
}

TEST(ReadNumbers, RefuseEraDayZeroWithItsOwnOutcome) {
    ConversionState state;
    state.digit_count = 1;
    EXPECT_EQ(read_era_day(state, "0", {}).outcome, CommandOutcome::era_day_zero);
    EXPECT_EQ(read_era_day(state, "-0", {-1, false}).outcome, CommandOutcome::era_day_zero);
    state.digit_count = 2;
    EXPECT_EQ(read_era_day(state, "00", {}).outcome, CommandOutcome::era_day_zero);
    EXPECT_EQ(read_era_day(state, "08", {}).outcome, CommandOutcome::era_day_zero);  // octal stops at 8
    EXPECT_EQ(read_era_day(state, "0x0", {0, true}).outcome, CommandOutcome::era_day_zero);
}

TEST(GuardEraDayResult, WantsTheTypedSignAndARoomyE6Value) {
    const NumberShape unsigned_shape{0, false};
    const NumberShape plus_shape{1, false};
    const NumberShape minus_shape{-1, false};
    EXPECT_EQ(guard_era_day_result(0, unsigned_shape), CommandOutcome::report);
    EXPECT_EQ(guard_era_day_result(0, plus_shape), CommandOutcome::report);
    EXPECT_EQ(guard_era_day_result(0, minus_shape), CommandOutcome::too_big);
    EXPECT_EQ(guard_era_day_result(-86400, minus_shape), CommandOutcome::report);
    EXPECT_EQ(guard_era_day_result(-86400, unsigned_shape), CommandOutcome::too_big);
    EXPECT_EQ(guard_era_day_result(-86400, plus_shape), CommandOutcome::too_big);
    EXPECT_EQ(guard_era_day_result(86400, minus_shape), CommandOutcome::too_big);

    constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max() / 1000000;
    EXPECT_EQ(guard_era_day_result(largest, unsigned_shape), CommandOutcome::report);
    EXPECT_EQ(guard_era_day_result(largest + 1, unsigned_shape), CommandOutcome::too_big);
    EXPECT_EQ(guard_era_day_result(-largest, minus_shape), CommandOutcome::report);
    EXPECT_EQ(guard_era_day_result(-largest - 1, minus_shape), CommandOutcome::too_big);
}

}  // namespace
}  // namespace morvek::cli
