// command_reading: which argument the command forms could not read and why,
// and the scale of a number form. Its checks follow the readers they explain,
// so the sweep holds them to the command itself: a fault exactly when there
// is no report, in an argument that is there, and one that moves away when
// that argument is replaced by a good one.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "command_runner.h"
#include "morvek/command.h"

namespace morvek {
namespace {

using command_testing::fixed_clock;

CommandReading reading_of(const std::vector<std::string_view>& arguments, CommandResult* result_out = nullptr) {
    const CommandResult result = run_command(arguments, fixed_clock);
    if (result_out != nullptr) *result_out = result;
    return command_reading(arguments, result);
}

std::string joined(const std::vector<std::string_view>& arguments) {
    std::string line;
    for (const std::string_view argument : arguments) line.append(line.empty() ? "" : " ").append(argument);
    return line;
}

TEST(CommandReading, NamesTheArgumentAndTheReason) {
    struct Case {
        std::vector<std::string_view> arguments;
        ArgumentFault fault;
        std::size_t argument;
    };
    using enum ArgumentFault;
    const std::vector<Case> cases = {
        {{}, no_arguments, 0},
        {{"1", "2", "3", "4"}, too_many_arguments, 3},
        {{"23:59"}, time_without_date, 0},
        {{"12345:00"}, not_a_form, 0},
        {{"23:59:00"}, time_without_date, 0},
        {{"32.01.2000"}, day_out_of_range, 0},
        {{"00.01.2000"}, day_out_of_range, 0},
        {{"31.13.2000"}, month_out_of_range, 0},
        {{"01.01.12345678901"}, year_too_long, 0},
        {{"2017-01-01"}, not_a_form, 0},
        {{"hello"}, not_a_form, 0},
        {{"1483228800.5"}, fraction, 0},
        {{"-.5", "/U"}, fraction, 0},
        {{"1,483,228,800"}, grouped_digits, 0},
        {{"1_483_228_800", "/U"}, grouped_digits, 0},
        {{"/U"}, unknown_switch, 0},
        {{"5", "/X"}, unknown_switch, 1},
        {{"5", "/E5"}, unknown_switch, 1},
        {{"1483228800", "U"}, unknown_switch, 1},
        {{"abc", "/U"}, not_a_number, 0},
        {{"01.01.2000", "24:00:00"}, hour_out_of_range, 1},
        {{"01.01.2000", "12:60:00"}, minute_out_of_range, 1},
        {{"01.01.2000", "12:00:61"}, second_out_of_range, 1},
        {{"01.01.2000", "12:00"}, not_a_time, 1},
        {{"01.01.2000", "12:00:00", "12:00"}, calendar_switch_needed, 2},
        {{"01.01.2000", "12:00:00", "/U"}, calendar_switch_needed, 2},
        {{"32.12.2000", "12:00:00", "/J"}, day_out_of_range, 0},
        {{"31.02.2000"}, nonexistent_date, 0},
        {{"0", "/J"}, nonexistent_date, 0},
        {{"0", "/D"}, era_day_zero, 0},
        {{"9223372036855"}, too_big, 0},
        {{"01.01.2000", "23:59:60"}, no_leap_second_that_day, 1},
        {{"31.12.2016", "23:58:60"}, second_60_not_at_23_59, 1},
        {{"01.01.2000", "12:00:00", "/J"}, none, 0},
        {{"/C"}, none, 0},
    };
    for (const Case& c : cases) {
        const CommandReading reading = reading_of(c.arguments);
        EXPECT_EQ(argument_fault_name(reading.fault), argument_fault_name(c.fault)) << joined(c.arguments);
        EXPECT_EQ(reading.argument, c.argument) << joined(c.arguments);
    }
}

TEST(CommandReading, TheCalendarOfEachDateForm) {
    struct Case {
        std::vector<std::string_view> arguments;
        std::optional<CalendarMode> calendar;
    };
    const std::vector<Case> cases = {
        {{"25.12.1642"}, CalendarMode::Historical},
        {{"25.12.1642", "/J"}, CalendarMode::Julian},
        {{"25.12.1642", "-g"}, CalendarMode::Gregorian},
        {{"25.12.1642", "12:00:00"}, CalendarMode::Historical},
        {{"25.12.1642", "12:00:00", "/j"}, CalendarMode::Julian},
        {{"31.02.2000", "/G"}, CalendarMode::Gregorian},  // a date form, though the day is not in February
        {{"730000", "/J"}, std::nullopt},
        {{"730000"}, std::nullopt},
        {{"/C"}, std::nullopt},
        {{"25.12.1642", "/U"}, std::nullopt},
        {{"hello", "/J"}, std::nullopt},
    };
    for (const Case& c : cases) {
        const CommandReading reading = reading_of(c.arguments);
        EXPECT_EQ(reading.calendar.has_value(), c.calendar.has_value()) << joined(c.arguments);
        if (reading.calendar && c.calendar) {
            EXPECT_EQ(calendar_name(*reading.calendar), calendar_name(*c.calendar)) << joined(c.arguments);
        }
    }
}

TEST(CommandReading, TheScaleOfEachNumberForm) {
    struct Case {
        std::vector<std::string_view> arguments;
        std::optional<Format> scale;
        std::int64_t number;
        bool octal;
    };
    const std::vector<Case> cases = {
        {{"63618825627"}, Format::e0, 63618825627, false},
        {{"5", "/E"}, Format::e0, 5, false},
        {{"5", "/E3"}, Format::e3, 5, false},
        {{"5", "-e6"}, Format::e6, 5, false},
        {{"5", "/ED"}, Format::era_day, 5, false},
        {{"0x1F", "/d"}, Format::era_day, 31, false},
        {{"017", "/D"}, Format::era_day, 15, true},
        {{"08", "/U"}, Format::unix_time, 0, true},
        {{"-010", "/F"}, Format::file_time, -8, true},
        {{"0", "/U"}, Format::unix_time, 0, false},
        {{"730000", "/J"}, Format::rd_julian, 730000, false},
        {{"100", "/G"}, Format::rd_gregorian, 100, false},
        {{"abc", "/U"}, Format::unix_time, 0, false},
        {{"01.01.2000", "/J"}, std::nullopt, 0, false},
        {{"01.01.2000"}, std::nullopt, 0, false},
        {{"01.01.2000", "12:00:00"}, std::nullopt, 0, false},
        {{"/C"}, std::nullopt, 0, false},
    };
    for (const Case& c : cases) {
        const CommandReading reading = reading_of(c.arguments);
        EXPECT_EQ(reading.scale.has_value(), c.scale.has_value()) << joined(c.arguments);
        if (reading.scale && c.scale) {
            EXPECT_EQ(format_info(*reading.scale).name, format_info(*c.scale).name) << joined(c.arguments);
        }
        EXPECT_EQ(reading.number, c.number) << joined(c.arguments);
        EXPECT_EQ(reading.octal, c.octal) << joined(c.arguments);
    }
}

// Words of every kind the forms meet, good and bad.
const std::vector<std::string_view> pool = {
    "01.01.2000", "31.12.2016", "29.02.1900", "10.10.1582", "01.01.0", "32.01.2000", "01.13.2000", "1.1.-44",
    "12:00:00", "23:59:60", "24:00:00", "12:60", "23:58:60", "0", "5", "-1", "017", "08", "0x1F", "736330",
    "1483228800", "9223372036855", "1.5", "1,000", "abc", "2017-01-01", "/C", "/U", "/F", "/D", "/E", "/E3",
    "/E6", "/E5", "/J", "/G", "/X", "-u", "",
};

// A text that the forms read in the place of the marked argument.
std::vector<std::string_view> repairs_for(ArgumentFault fault) {
    using enum ArgumentFault;
    switch (fault) {
        case not_a_time:
        case hour_out_of_range:
        case minute_out_of_range:
        case second_out_of_range:
        case no_leap_second_that_day:
        case second_60_not_at_23_59: return {"12:00:00"};
        case calendar_switch_needed: return {"/J"};
        case unknown_switch: return {"/U", "12:00:00", "/C"};
        default: return {"01.01.2000", "5", "01.01.2000"};
    }
}

TEST(CommandReading, SweepAFaultExactlyWithoutAReportAndInTheArgumentToBlame) {
    std::size_t lines = 0;
    std::vector<std::string_view> arguments;
    const auto check = [&] {
        ++lines;
        CommandResult result;
        const CommandReading reading = reading_of(arguments, &result);
        const std::string line = joined(arguments);
        ASSERT_EQ(reading.fault == ArgumentFault::none, result.outcome == CommandOutcome::report) << line;
        if (reading.fault == ArgumentFault::none) return;
        ASSERT_LT(reading.argument, arguments.size()) << line;
        // Another text in that place: the fault goes, or moves to another argument.
        bool repaired = false;
        for (const std::string_view repair : repairs_for(reading.fault)) {
            std::vector<std::string_view> fixed = arguments;
            fixed[reading.argument] = repair;
            const CommandReading after = reading_of(fixed);
            repaired = repaired || after.fault == ArgumentFault::none || after.argument != reading.argument;
        }
        EXPECT_TRUE(repaired) << line << ": " << argument_fault_name(reading.fault) << " in " << reading.argument;
    };
    for (const std::string_view a : pool) {
        arguments = {a};
        check();
        for (const std::string_view b : pool) {
            arguments = {a, b};
            check();
            for (const std::string_view c : {"/J", "/G", "/U", "x"}) {
                arguments = {a, b, c};
                check();
            }
        }
    }
    EXPECT_GT(lines, 7000u);
}

// The scale as a format reads the same number: the moment agrees with the report's.
TEST(CommandReading, TheScaleReadsTheNumberAsTheCommandDid) {
    const std::vector<std::string_view> numbers = {"1", "-1", "736330", "1483228800", "63618825627", "-5",
                                                   "0x1F", "577735", "131277024005000000", "63618825627500"};
    const std::vector<std::string_view> switches = {"", "/E3", "/E6", "/D", "/J", "/G", "/U", "/F"};
    std::size_t compared = 0;
    for (const std::string_view number : numbers) {
        for (const std::string_view number_switch : switches) {
            std::vector<std::string_view> arguments = {number};
            if (!number_switch.empty()) arguments.push_back(number_switch);
            CommandResult result;
            const CommandReading reading = reading_of(arguments, &result);
            ASSERT_TRUE(reading.scale.has_value()) << joined(arguments);
            if (result.outcome != CommandOutcome::report) continue;
            // The command reads a FILE time before 1601 too; the format's range starts there.
            const CommandResult as_format = convert_value({*reading.scale}, number);
            if (reading.scale == Format::file_time && number.starts_with('-')) continue;
            ASSERT_EQ(as_format.outcome, CommandOutcome::report) << joined(arguments);
            EXPECT_EQ(as_format.moment, result.moment) << joined(arguments);
            ++compared;
        }
    }
    EXPECT_GT(compared, 50u);
}

}  // namespace
}  // namespace morvek
