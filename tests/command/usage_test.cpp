#include <gtest/gtest.h>

#include <vector>

#include "command_runner.h"
#include "morvek/command_text.h"
#include "text/usage.h"

namespace morvek {
namespace {

using command_testing::command_line;
using command_testing::run_command;
using command_testing::usage_text;

TEST(Usage, PrintsTheWholeTextByItself) {
    std::string output;
    write_usage(string_sink(output));
    EXPECT_EQ(output, usage_text);
}

// --help: the usage text, then the program's own options after it.
TEST(Usage, HelpIsTheUsageTextFollowedByTheOptions) {
    std::string output;
    write_help(string_sink(output));
    EXPECT_EQ(output, std::string(usage_text) + std::string(detail::help_text));
    EXPECT_NE(detail::help_text.find("--batch"), std::string_view::npos);
    EXPECT_NE(detail::help_text.find("--version"), std::string_view::npos);
}

TEST(Usage, IsTheWholeOutputOfEveryCommandThatCannotBeRead) {
    const std::vector<std::vector<const char*>> commands = {
        {},
        {"01.01.2000", "12:00:00", "/J", "x"},
        {"1", "2", "3", "4", "5"},
        // switch letters that name no form, /C among two arguments
        {"5", "/X"}, {"5", "/H"}, {"5", "/E9"}, {"5", "/EX"}, {"5", "/C"}, {"5", "-c"},
        // first arguments that are no number where one is needed
        {"01.01.2000", "/D"}, {"01.01.2000", "/E3"}, {"01.01.2000", "/U"}, {"01.01.2000", "/F"},
        {"0x", "/E6"}, {"+", "/D"}, {"12a", "/U"}, {"", "/F"}, {"x5", "/J"}, {"1.5", "/G"},
        // misshapen single numbers
        {"+-5"}, {"5-"}, {"--5"}, {"x5"}, {"+x5"}, {"0x"}, {"+"}, {"-"}, {"/"}, {"1.5"}, {""},
        {" 5"}, {"5 "}, {"0x1g"}, {"0x1x2"}, {"12x4"}, {"-"},
        // date and time texts of the wrong shape
        {"5", "-3"}, {"01.01.2000", "12:00"}, {"01.01.2000", "24:00:00"}, {"1.2000", "12:00:00"},
        {"32.01.2000", "12:00:00"}, {"01.01.2000", "12:00:00", "/X"}, {"01.01.2000", "12:0:0:0", "/J"},
        {"01-01-2000"}, {"/"},
    };
    for (const auto& arguments : commands) {
        EXPECT_EQ(run_command(arguments), usage_text) << command_line(arguments);
    }
}

// The text also stands where a third argument is no switch: ending in
// silence would look like success.
TEST(Usage, FollowsADateAndTimeWhoseThirdArgumentIsNoSwitch) {
    const std::vector<std::vector<const char*>> commands = {
        {"01.01.2000", "12:00:00", "X"}, {"01.01.2000", "12:00:00", "J"},
        {"01.01.2000", "12:00:00", "-5"}, {"01.01.2000", "12:00:00", "/"},
        {"01.01.2000", "12:00:00", ""},
    };
    for (const auto& arguments : commands) {
        EXPECT_EQ(run_command(arguments), usage_text) << command_line(arguments);
    }
}

}  // namespace
}  // namespace morvek
