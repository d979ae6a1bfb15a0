// The command in a historical calendar of one's choice: dates as the
// parish registers and the chronicles give them, with the days they name
// (the proleptic Gregorian day numbers of the same days, which are Era Days).

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "command/command_runner.h"
#include "morvek/record.h"

namespace morvek {
namespace {

using command_testing::fixed_clock;

struct Case {
    std::string_view reform;
    YearStart style;
    std::vector<std::string_view> arguments;
    CommandOutcome outcome;
    std::string_view date;  // the report's first date line
    DayCount era_day;
    RdLine rd_line;
    std::string_view era_date;  // empty: no Era Date line
};

constexpr YearStart jan = YearStart::january;
constexpr YearStart lady_day = YearStart::annunciation;
constexpr YearStart christmas = YearStart::christmas;

const Case cases[] = {
    // Shakespeare and Cervantes, both dated 23 April 1616, ten days apart.
    {"britain", jan, {"23.04.1616"}, CommandOutcome::report, "23.04.1616", 589990, RdLine::julian, ""},
    {"rome", jan, {"23.04.1616"}, CommandOutcome::report, "23.04.1616", 589980, RdLine::gregorian, ""},
    // An English parish register: 11.02.1730/31 is Julian 11.02.1731.
    {"britain", jan, {"11.02.1731"}, CommandOutcome::report, "11.02.1731", 631922, RdLine::julian, ""},
    {"britain", lady_day, {"11.02.1730"}, CommandOutcome::report, "11.02.1731", 631922, RdLine::julian, ""},
    {"britain", lady_day, {"11.02.1730/31"}, CommandOutcome::report, "11.02.1731", 631922, RdLine::julian, ""},
    {"britain", lady_day, {"11.02.1730/1", "12:00:00"}, CommandOutcome::report, "11.02.1731", 631922, RdLine::julian, ""},
    {"britain", lady_day, {"11.05.1730/31"}, CommandOutcome::nonexistent_date, "", 0, RdLine::none, ""},
    {"britain", lady_day, {"11.02.1730/32"}, CommandOutcome::nonexistent_date, "", 0, RdLine::none, ""},
    {"britain", lady_day, {"11.02.17x0/31"}, CommandOutcome::usage, "", 0, RdLine::none, ""},
    {"britain", christmas, {"26.12.1700"}, CommandOutcome::report, "26.12.1699", 620552, RdLine::julian, ""},
    // The reform's two days, and the days that never were between them.
    {"britain", jan, {"02.09.1752"}, CommandOutcome::report, "02.09.1752", 639796, RdLine::julian, ""},
    {"britain", jan, {"14.09.1752"}, CommandOutcome::report, "14.09.1752", 639797, RdLine::gregorian, ""},
    {"britain", jan, {"10.09.1752"}, CommandOutcome::nonexistent_date, "", 0, RdLine::none, ""},
    {"britain", jan, {"29.02.1700"}, CommandOutcome::report, "29.02.1700", 620617, RdLine::julian, ""},
    {"rome", jan, {"29.02.1700"}, CommandOutcome::nonexistent_date, "", 0, RdLine::none, ""},
    // The October Revolution: 25.10.1917 in Russia, 07.11.1917 elsewhere.
    {"russia", jan, {"25.10.1917"}, CommandOutcome::report, "25.10.1917", 700115, RdLine::julian, ""},
    {"russia", jan, {"07.11.1917", "/G"}, CommandOutcome::report, "25.10.1917", 700115, RdLine::none, ""},
    // Day counts: the day's date in the reform's calendar; a Julian date
    // from the reform on and a Gregorian one before it are tagged.
    {"britain", jan, {"639796", "/D"}, CommandOutcome::report, "02.09.1752", 639796, RdLine::none, ""},
    {"britain", jan, {"639797", "/J"}, CommandOutcome::report, "03.09.1752", 639797, RdLine::none, "14.09.1752"},
    {"britain", jan, {"639796", "/G"}, CommandOutcome::report, "13.09.1752", 639796, RdLine::none, "02.09.1752"},
    {"rome", jan, {"639796", "/G"}, CommandOutcome::report, "13.09.1752", 639796, RdLine::none, ""},
    // A number on a scale: its day in the reform's calendar.
    {"britain", jan, {"54597974400"}, CommandOutcome::report, "11.02.1731", 631922, RdLine::none, ""},
    {"greece", jan, {"01.03.1923"}, CommandOutcome::report, "01.03.1923", 702055, RdLine::gregorian, ""},
    {"greece", jan, {"16.02.1923"}, CommandOutcome::nonexistent_date, "", 0, RdLine::none, ""},
};

std::string date_text(const Date& date) {
    char text[40];
    std::snprintf(text, sizeof text, "%02d.%02d.%d", date.day, date.month, date.year);
    return text;
}

TEST(HistorianCommand, DatesOfTheRecordsNameTheirDays) {
    for (const Case& c : cases) {
        std::string line;
        for (const std::string_view word : c.arguments) line.append(word).append(" ");
        SCOPED_TRACE(std::string(c.reform) + " " + std::string(year_start_name(c.style)) + ": " + line);
        const CalendarSettings settings{*reform_from_name(c.reform), c.style};
        const CommandResult result = run_command(c.arguments, fixed_clock, settings);
        ASSERT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.settings, settings);
        if (c.outcome != CommandOutcome::report) continue;
        EXPECT_EQ(date_text(result.date.date), c.date);
        EXPECT_EQ(result.era_day, c.era_day);
        EXPECT_EQ(result.rd_line, c.rd_line);
        if (c.rd_line != RdLine::none) {
            EXPECT_EQ(result.rd_value, c.era_day);
        }
        EXPECT_EQ(result.has_era_date, !c.era_date.empty());
        if (result.has_era_date) {
            EXPECT_EQ(date_text(result.era_date.date), c.era_date);
        }
    }
}

TEST(HistorianCommand, AReformGapDateSaysWhyItDoesNotExist) {
    const std::vector<std::string_view> arguments{"10.09.1752"};
    const CommandResult britain = run_command(arguments, fixed_clock, {*reform_from_name("britain"), jan});
    EXPECT_EQ(britain.date_fault, DateFault::reform_gap);
    const std::vector<std::string_view> leap{"29.02.1700"};
    EXPECT_EQ(run_command(leap, fixed_clock, {*reform_from_name("denmark"), jan}).date_fault, DateFault::reform_gap);
    EXPECT_EQ(run_command(leap, fixed_clock, {}).date_fault, DateFault::not_a_leap_year);
}

// The current time is read as a Gregorian date whatever the reform: a
// reform after the clock's day leaves it a Julian date in the report.
TEST(HistorianCommand, TheClockIsGregorianUnderEveryReform) {
    const std::vector<std::string_view> now{"/C"};
    const CommandResult rome = run_command(now, fixed_clock, {});
    for (const std::string_view date : {"15.10.1582", "14.09.1752", "31.12.9999"}) {
        Date first{};
        std::sscanf(std::string(date).c_str(), "%d.%d.%d", &first.day, &first.month, &first.year);
        const CommandResult result = run_command(now, fixed_clock, {*reform_from_first_gregorian_date(first), jan});
        EXPECT_EQ(result.e0, rome.e0) << date;
        EXPECT_EQ(result.era_day, rome.era_day) << date;
    }
}

}  // namespace
}  // namespace morvek
