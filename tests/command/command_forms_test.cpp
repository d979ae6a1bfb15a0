#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "command/conversion_state.h"
#include "command/run_command.h"
#include "command_runner.h"

namespace morvek {
namespace {

using command_testing::command_line;
using command_testing::era_day_zero_message;
using command_testing::reported_value;
using command_testing::run_command;
using command_testing::too_big_message;
using command_testing::usage_text;

struct WholeOutput {
    std::vector<const char*> arguments;
    std::string_view expected;
};

void expect_outputs(const std::vector<WholeOutput>& cases) {
    for (const auto& c : cases) {
        EXPECT_EQ(run_command(c.arguments), c.expected) << command_line(c.arguments);
    }
}

// A value the report shows: the line's label and the word after it.
struct ReportedValue {
    std::vector<const char*> arguments;
    std::string_view label;
    std::string_view value;
};

void expect_reported(const std::vector<ReportedValue>& cases) {
    for (const auto& c : cases) {
        EXPECT_EQ(reported_value(run_command(c.arguments), c.label), c.value) << command_line(c.arguments);
    }
}

TEST(Messages, NameTheArgumentsOfADateOrTimeThatDoesNotExist) {
    expect_outputs({
        {{"31.02.2000"}, "\n\t31.02.2000 00:00:00 - non-existent date\n"},
        {{"29.02.1900"}, "\n\t29.02.1900 00:00:00 - non-existent date\n"},
        {{"10.10.1582"}, "\n\t10.10.1582 00:00:00 - non-existent date\n"},
        {{"01.01.0"}, "\n\t01.01.0 00:00:00 - non-existent date\n"},
        {{"31.02.2000", "12:00:00"}, "\n\t31.02.2000 12:00:00 - non-existent date\n"},
        {{"31.02.2000", "/J"}, "\n\t31.02.2000 /J - non-existent date\n"},
        {{"29.02.1900", "/Gregorian"}, "\n\t29.02.1900 /Gregorian - non-existent date\n"},
        {{"01.01.-5", "/J"}, "\n\t01.01.-5 /J - non-existent date\n"},
        {{"-5", "/J"}, "\n\t-5 /J - non-existent date\n"},
        {{"-1", "/g"}, "\n\t-1 /g - non-existent date\n"},
        {{"31.02.2000", "12:00:00", "/J"}, "\n\t31.02.2000 12:00:00 - non-existent date\n"},
        {{"01.01.2000", "23:59:60"}, "\n\t01.01.2000 23:59:60 - non-existent time\n"},
        {{"30.06.1972", "12:00:60"}, "\n\t30.06.1972 12:00:60 - non-existent time\n"},
        {{"01.01.2000", "23:59:60", "/G"}, "\n\t01.01.2000 23:59:60 - non-existent time\n"},
        // Julian 31.12.2016 is 13.01.2017, which had no leap second.
        {{"31.12.2016", "23:59:60", "/J"}, "\n\t31.12.2016 23:59:60 - non-existent time\n"},
        // the date is tested first
        {{"31.02.2000", "23:59:60"}, "\n\t31.02.2000 23:59:60 - non-existent date\n"},
    });
}

TEST(Messages, CarryArgumentTextsOfAnyLengthWhole) {
    const std::string long_switch = "/J" + std::string(1000, 'j');
    EXPECT_EQ(run_command({"31.02.2000", long_switch.c_str()}),
              "\n\t31.02.2000 " + long_switch + " - non-existent date\n");
}

TEST(Messages, RefuseEraDayZero) {
    expect_outputs({
        {{"0", "/D"}, era_day_zero_message},
        {{"-0", "/D"}, era_day_zero_message},
        {{"+0", "/ed"}, era_day_zero_message},
        {{"0x0", "/D"}, era_day_zero_message},
        {{"000000000", "/D"}, era_day_zero_message},
    });
}

TEST(OneArgument, ReadsADateTheClockOrABareE0Value) {
    expect_reported({
        {{"01.01.2000"}, "Date:", "01.01.2000"},
        {{"/C"}, "Date:", "15.03.2024"},
        {{"-5"}, "E0 time:", "-5"},  // a negative number, no switch
        {{"-5"}, "Date:", "31.12.-1"},
        {{"5"}, "Date:", "01.01.1"},
    });
}

TEST(TwoArguments, ChooseTheFormBySwitchLetter) {
    expect_reported({
        {{"5", "/E"}, "E0 time:", "5"},
        {{"5", "/E0"}, "E0 time:", "5"},
        {{"5", "-e0"}, "E0 time:", "5"},
        {{"5", "/E3"}, "E3 time:", "5"},
        {{"5", "/E3"}, "E0 time:", "0"},
        {{"5", "/e6"}, "E6 time:", "5"},
        {{"5", "/D"}, "Date:", "05.01.1"},
        {{"5", "/d"}, "Date:", "05.01.1"},
        {{"5", "/ED"}, "Date:", "05.01.1"},
        {{"5", "/Eday"}, "Date:", "05.01.1"},
        {{"0", "/U"}, "Date:", "01.01.1970"},
        {{"0", "/Unix"}, "E0 time:", "62135596800"},
        {{"-1", "/U"}, "E0 time:", "62135596799"},
        {{"1483228800", "/U"}, "E0 time:", "63618825627"},
        {{"0", "/F"}, "Date:", "01.01.1601"},
        {{"-1", "/F"}, "FILE time:", "0"},
        {{"116444736000000000", "/F"}, "Date:", "01.01.1970"},
        {{"01.01.2000", "/J"}, "Date:", "14.01.2000"},
        {{"01.01.2000", "/G"}, "Date:", "01.01.2000"},
        {{"730000", "/J"}, "Julian Date:", "21.08.1999"},
        {{"730000", "/G"}, "Date:", "03.09.1999"},
        {{"01.01.2000", "12:00:00"}, "Date:", "01.01.2000"},
        {{"30.06.1972", "23:59:60"}, "E0 time:", "62214393600"},
    });
}

TEST(ThreeArguments, ReadDateAndTimeInTheNamedCalendar) {
    expect_reported({
        {{"01.01.2000", "12:00:00", "/g"}, "E0 time:", "63082324822"},
        {{"01.01.2000", "12:00:00", "-G"}, "ED:", "730120"},
        {{"01.01.2000", "12:00:00", "/J"}, "ED:", "730133"},
        {{"31.12.2016", "23:59:60", "/Gregorian"}, "E0 time:", "63618825626"},
    });
}

// Numeric arguments: digit limits, ranges and the products that the E6
// line needs, with signs, octal and hexadecimal.
TEST(NumericArguments, ReadAndGuardTheFirstArgument) {
    expect_reported({
        {{"9223372036854"}, "E0 time:", "9223372036854"},
        {{"-9223372036854"}, "E0 time:", "-9223372036854"},
        {{"9223372036854775", "/E3"}, "E3 time:", "9223372036854775"},
        {{"-9223372036854775", "/E3"}, "E3 time:", "-9223372036854775"},
        {{"9223372036854775807", "/E6"}, "E6 time:", "9223372036854775807"},
        {{"-9223372036854775808", "/E6"}, "E6 time:", "-9223372036854775808"},
        {{"0x7FFFFFFFFFFFFFFF", "/E6"}, "E6 time:", "9223372036854775807"},
        {{"-0x8000000000000000", "/E6"}, "E6 time:", "-9223372036854775808"},
        {{"0000000000000000005", "/E6"}, "E6 time:", "5"},
        {{"-0"}, "E0 time:", "0"},
        {{"0", "/E3"}, "E3 time:", "0"},
        {{"-0", "/E3"}, "E3 time:", "0"},
        {{"010"}, "E0 time:", "8"},
        {{"08"}, "E0 time:", "0"},
        {{"0x1f"}, "E0 time:", "31"},
        {{"0X1F"}, "E0 time:", "31"},
        {{"5x10"}, "E0 time:", "5"},
        {{"+5"}, "E0 time:", "5"},
        {{"1", "/D"}, "Date:", "01.01.1"},
        {{"-1", "/D"}, "Date:", "31.12.-1"},
        {{"010", "/D"}, "ED:", "8"},
        {{"106751992", "/D"}, "ED:", "106751992"},
        {{"-106751991", "/D"}, "ED:", "-106751991"},
        {{"0x65CE7F8", "/D"}, "ED:", "106751992"},
        {{"-0x65ce7f7", "/D"}, "ED:", "-106751991"},
        {{"0000000000000000000000005", "/F"}, "FILE time:", "5"},
        {{"0000000000000000000000005", "/U"}, "Unix time:", "5"},
        {{"0x10", "/U"}, "Unix time:", "16"},
        {{"017", "/G"}, "Gregorian Date:", "15.01.1"},
    });
    expect_outputs({
        {{"9223372036855"}, too_big_message},
        {{"-9223372036855"}, too_big_message},
        {{"9223372036854776", "/E3"}, too_big_message},
        {{"-9223372036854776", "/E3"}, too_big_message},
        {{"9223372036854775808", "/E6"}, too_big_message},
        {{"-9223372036854775809", "/E6"}, too_big_message},
        {{"00000000000000000005", "/E6"}, too_big_message},
        {{"00000000000000000005"}, too_big_message},
        {{"0x8000000000000000", "/E6"}, too_big_message},
        {{"0x00000000000000005", "/E6"}, too_big_message},
        {{"999999999", "/D"}, too_big_message},
        {{"-999999999", "/D"}, too_big_message},
        {{"1000000000", "/D"}, too_big_message},
        {{"0000000001", "/D"}, too_big_message},
        {{"106751993", "/D"}, too_big_message},
        {{"-106751992", "/D"}, too_big_message},
        {{"0xFFFFFFF", "/D"}, too_big_message},  // within the digit limit, beyond the product
        {{"0x65CE7F9", "/D"}, too_big_message},
        {{"0x10000000", "/D"}, too_big_message},
        {{"-0x10000000", "/D"}, too_big_message},
    });
}

// A moment whose E6 value leaves 64 bits is refused, whatever form and
// calendar led there, and nothing wraps on the way.
TEST(NumericArguments, RefuseMomentsTheReportCannotShow) {
    expect_reported({
        {{"9161236440027", "/U"}, "E0 time:", "9223372036854"},
        {{"106751992", "/G"}, "ED:", "106751992"},
        {{"01.01.200000"}, "Date:", "01.01.200000"},
        {{"9223372036854775807", "/F"}, "FILE time:", "9223372036854775807"},
    });
    expect_outputs({
        {{"9223372036854775807", "/U"}, too_big_message},
        {{"-9223372036854775808", "/U"}, too_big_message},
        {{"9161236440028", "/U"}, too_big_message},
        {{"-9223372036855000000", "/U"}, too_big_message},
        {{"106751993", "/G"}, too_big_message},
        {{"2147483647", "/G"}, too_big_message},
        {{"2147483647", "/J"}, too_big_message},
        {{"01.01.300000"}, too_big_message},
        {{"01.01.-300000"}, too_big_message},
        {{"01.01.9999999999"}, too_big_message},
        {{"01.01.-999999999"}, too_big_message},
        {{"01.01.300000", "/J"}, too_big_message},
        {{"01.01.300000", "12:00:00"}, too_big_message},
        {{"01.01.300000", "12:00:00", "/G"}, too_big_message},
    });
}

// Day counts must fit in 32 bits and the other scales in 64, read by the
// same rules as every number.
TEST(NumericArguments, RefuseDayCountsAndScalesBeyondTheirType) {
    expect_outputs({
        {{"2147483648", "/J"}, too_big_message},
        {{"-2147483649", "/G"}, too_big_message},
        {{"0x80000000", "/J"}, too_big_message},
        {{"99999999999999999999999", "/G"}, too_big_message},
        {{"9223372036854775808", "/U"}, too_big_message},
        {{"-9223372036854775809", "/U"}, too_big_message},
        {{"9999999999999999999999999", "/F"}, too_big_message},
        {{"0x10000000000000000", "/F"}, too_big_message},
    });
    EXPECT_EQ(run_command({"-2147483648", "/J"}), "\n\t-2147483648 /J - non-existent date\n");
}

// A day count of 0 names no day in either calendar.
TEST(NumericArguments, RefuseDayCountZero) {
    expect_outputs({
        {{"0", "/J"}, "\n\t0 /J - non-existent date\n"},
        {{"0", "/G"}, "\n\t0 /G - non-existent date\n"},
        {{"-0", "/gregorian"}, "\n\t-0 /gregorian - non-existent date\n"},
        {{"0x0", "/J"}, "\n\t0x0 /J - non-existent date\n"},
        {{"000", "-j"}, "\n\t000 -j - non-existent date\n"},
    });
}

// One run leaves nothing behind for the next on the same state.
TEST(Entry, StartsEveryRunAfresh) {
    cli::ConversionState state;
    std::string first;
    std::string second;
    const std::vector<std::string_view> leap_second = {"31.12.2016", "23:59:60"};
    const std::vector<std::string_view> plain = {"01.01.2000"};
    const std::vector<std::string_view> failing = {"31.02.2000", "12:00:00", "/J"};
    const auto unused_reading = [] { return DateTime{}; };
    const UtcClock unused_clock = utc_clock_from(unused_reading);
    write_command_output(cli::run_command(state, failing, unused_clock), string_sink(first));
    write_command_output(cli::run_command(state, leap_second, unused_clock), string_sink(first));
    write_command_output(cli::run_command(state, plain, unused_clock), string_sink(second));
    EXPECT_EQ(second, run_command({"01.01.2000"}));
}

TEST(Entry, TakesAMissingArgumentTextAsEmpty) {
    EXPECT_EQ(run_command({nullptr}), usage_text);
    EXPECT_EQ(run_command({"5", nullptr}), usage_text);
    EXPECT_EQ(run_command({nullptr, "/E3"}), usage_text);
}

}  // namespace
}  // namespace morvek
