// The historical calendar with a chosen reform and the styles of the year's
// start, against the reference calendar's day-by-day Julian and Gregorian
// dates and against dates as historians record them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "morvek/reform.h"
#include "reference/reference_calendar.h"

namespace morvek {
namespace {

using reference::Mode;

Date plain(const reference::Date& date) { return {static_cast<std::int32_t>(date.year), date.month, date.day}; }

std::string text(Date date) {
    return std::to_string(date.day) + "." + std::to_string(date.month) + "." + std::to_string(date.year);
}

// The days each place lived through at its reform: the last Julian day and
// the first Gregorian one with their weekdays, as the records give them.
struct Switch {
    std::string_view name;
    Date last_julian;
    Weekday last_weekday;
    Date first_gregorian;
};
constexpr Switch switches[] = {
    {"rome", {1582, 10, 4}, Weekday::Thursday, {1582, 10, 15}},
    {"france", {1582, 12, 9}, Weekday::Sunday, {1582, 12, 20}},
    {"prussia", {1610, 8, 22}, Weekday::Wednesday, {1610, 9, 2}},
    {"denmark", {1700, 2, 18}, Weekday::Sunday, {1700, 3, 1}},
    {"britain", {1752, 9, 2}, Weekday::Wednesday, {1752, 9, 14}},
    {"sweden", {1753, 2, 17}, Weekday::Wednesday, {1753, 3, 1}},
    {"russia", {1918, 1, 31}, Weekday::Wednesday, {1918, 2, 14}},
    {"greece", {1923, 2, 15}, Weekday::Wednesday, {1923, 3, 1}},
};

TEST(Reform, EachPresetJoinsItsLastJulianDayToItsFirstGregorianDay) {
    for (const Switch& s : switches) {
        SCOPED_TRACE(std::string(s.name));
        const std::optional<Reform> reform = reform_from_name(s.name);
        ASSERT_TRUE(reform.has_value());
        EXPECT_EQ(reform_name(*reform), s.name);
        EXPECT_EQ(last_julian_date(*reform), s.last_julian);
        EXPECT_EQ(first_gregorian_date(*reform), s.first_gregorian);
        const Result<DayCount> last = era_day_from_date(*reform, s.last_julian);
        ASSERT_TRUE(last.has_value());
        EXPECT_EQ(*era_day_from_date(*reform, s.first_gregorian), *last + 1);
        EXPECT_EQ(*era_day_from_date(CalendarMode::Julian, s.last_julian), *last);
        EXPECT_EQ(*weekday_from_era_day(*last), s.last_weekday);
        // The days around: the Julian day before, the Gregorian day after.
        EXPECT_EQ(*date_from_era_day(*reform, *last - 1), *date_from_era_day(CalendarMode::Julian, *last - 1));
        EXPECT_EQ(*date_from_era_day(*reform, *last + 2), *date_from_era_day(CalendarMode::Gregorian, *last + 2));
        // Every date between the two never was.
        for (DayCount day = *last + 1; day < *last + 20; ++day) {
            const Date julian = *date_from_era_day(CalendarMode::Julian, day);
            if (julian >= s.first_gregorian) break;
            EXPECT_FALSE(era_day_from_date(*reform, julian).has_value()) << text(julian);
            EXPECT_EQ(date_fault(*reform, julian), DateFault::reform_gap) << text(julian);
        }
        EXPECT_EQ(reform_from_first_gregorian_date(s.first_gregorian).value_or(Reform{}), *reform);
    }
    EXPECT_FALSE(reform_from_name("england").has_value());
    EXPECT_EQ(reform_name(Reform{600000}), "");
}

// Every day from 1500 to 1972 for every preset: the Julian date (the
// reference's) up to the last Julian day, the Gregorian date from the
// first Gregorian day; each converts back; the day of the year counts on
// from 1 on each 1 January (or first day of the year); every date the
// reference's calendars have and the reform's has not lies between the two.
TEST(Reform, EveryDayOfEachPresetFollowsTheRuleOfItsSide) {
    constexpr std::int64_t first_day = 547508;  // 01.01.1500 (Julian)
    constexpr std::int64_t last_day = 719527;   // 31.12.1970
    for (const Switch& s : switches) {
        SCOPED_TRACE(std::string(s.name));
        const Reform reform = *reform_from_name(s.name);
        reference::DayStepper julian(Mode::Julian, first_day);
        reference::DayStepper gregorian(Mode::Gregorian, first_day);
        bool switched = false;
        std::int32_t want_day_of_year = 0;
        std::int32_t previous_year = 0;
        int failures = 0;
        for (std::int64_t day = first_day; day <= last_day && failures < 5; ++day) {
            switched = switched || plain(gregorian.date()) == s.first_gregorian;
            const Date want = plain(switched ? gregorian.date() : julian.date());
            want_day_of_year = want.year == previous_year ? want_day_of_year + 1 : 1;
            previous_year = want.year;
            const Result<Date> got = date_from_era_day(reform, day);
            const bool ok = got && *got == want && era_day_from_date(reform, want).value_or(0) == day &&
                            day_of_year(reform, want).value_or(0) == want_day_of_year &&
                            rule_of_day(reform, day) == (switched ? CalendarMode::Gregorian : CalendarMode::Julian);
            if (!ok) {
                ++failures;
                ADD_FAILURE() << "Era Day " << day << ": " << (got ? text(*got) : "none") << ", want " << text(want)
                              << " day " << want_day_of_year;
            }
            // The date of the other calendar exists in the reform's only
            // where it names the same day, or not at all (between the two).
            const Date other = plain(switched ? julian.date() : gregorian.date());
            const Result<DayCount> other_day = era_day_from_date(reform, other);
            if (other_day && *other_day != day) {
                const Result<DayCount> side = switched ? era_day_from_date(CalendarMode::Gregorian, other)
                                                        : era_day_from_date(CalendarMode::Julian, other);
                EXPECT_EQ(*other_day, side.value_or(0)) << text(other);
            }
            julian.advance();
            gregorian.advance();
        }
        EXPECT_TRUE(switched);
    }
}

struct YearCase {
    std::string_view reform;
    std::int32_t year;
    std::int32_t days;
    bool leap;  // has 29.02
};
constexpr YearCase year_cases[] = {
    {"rome", 1582, 355, false},    {"rome", 1700, 365, false},    {"britain", 1700, 366, true},
    {"britain", 1752, 355, true},  {"britain", 1753, 365, false}, {"denmark", 1700, 355, false},
    {"sweden", 1753, 354, false},  {"sweden", 1752, 366, true},   {"russia", 1918, 352, false},
    {"russia", 1900, 366, true},   {"greece", 1923, 352, false},  {"france", 1582, 355, false},
    {"rome", -1, 365, false},      {"rome", -45, 365, false},     {"rome", -44, 366, true},
    {"greece", 4, 365, false},     {"greece", 12, 366, true},
};

TEST(Reform, YearsHaveTheDaysTheirReformLeft) {
    for (const YearCase& c : year_cases) {
        SCOPED_TRACE(std::string(c.reform) + " " + std::to_string(c.year));
        const Reform reform = *reform_from_name(c.reform);
        EXPECT_EQ(days_in_year(reform, c.year).value_or(0), c.days);
        EXPECT_EQ(is_leap_year(reform, c.year), c.leap);
        EXPECT_EQ(day_of_year(reform, {c.year, 12, 31}).value_or(0), c.days);
    }
    EXPECT_FALSE(days_in_year(rome_reform, 0).has_value());
}

TEST(Reform, CustomReformsAreGregorianDatesFromRomesToTheYear9999) {
    struct Case {
        Date first_gregorian;
        Status status;
    };
    for (const Case& c : {Case{{1582, 10, 15}, Status::ok}, Case{{1582, 10, 14}, Status::out_of_range},
                          Case{{9999, 12, 31}, Status::ok}, Case{{10000, 1, 1}, Status::out_of_range},
                          Case{{1700, 2, 29}, Status::nonexistent_date}, Case{{1800, 1, 5}, Status::ok}}) {
        EXPECT_EQ(reform_from_first_gregorian_date(c.first_gregorian).error(), c.status) << text(c.first_gregorian);
    }
    // A reform across the turn of a year: 1799 ends early, 1800 begins late.
    const Reform reform = *reform_from_first_gregorian_date({1800, 1, 5});
    EXPECT_EQ(last_julian_date(reform), (Date{1799, 12, 24}));
    EXPECT_EQ(date_fault(reform, {1799, 12, 25}), DateFault::reform_gap);
    EXPECT_EQ(date_fault(reform, {1800, 1, 1}), DateFault::reform_gap);
    EXPECT_EQ(*day_of_year(reform, {1800, 1, 5}), 1);
    EXPECT_EQ(*days_in_year(reform, 1799), 358);
    // Out-of-range reforms are read as the nearer end.
    EXPECT_EQ(first_gregorian_date(Reform{0}), (Date{1582, 10, 15}));
    EXPECT_EQ(first_gregorian_date(Reform{max_era_day}), (Date{9999, 12, 31}));
}

TEST(Reform, DateFaultsNameTheFirstReason) {
    const Reform denmark = *reform_from_name("denmark");
    const Reform britain = *reform_from_name("britain");
    EXPECT_EQ(date_fault(denmark, {1700, 2, 29}), DateFault::reform_gap);
    EXPECT_EQ(date_fault(rome_reform, {1700, 2, 29}), DateFault::not_a_leap_year);
    EXPECT_EQ(date_fault(britain, {1700, 2, 29}), DateFault::none);
    EXPECT_EQ(date_fault(britain, {1800, 2, 29}), DateFault::not_a_leap_year);
    EXPECT_EQ(date_fault(britain, {1752, 2, 30}), DateFault::day_not_in_month);
    EXPECT_EQ(date_fault(britain, {0, 1, 1}), DateFault::year_zero);
    EXPECT_EQ(date_fault(britain, {5879612, 1, 1}), DateFault::out_of_range);
    EXPECT_TRUE(outside_civil_use(britain, CalendarMode::Gregorian, 600000));
    EXPECT_FALSE(outside_civil_use(rome_reform, CalendarMode::Gregorian, 600000));
    EXPECT_TRUE(outside_civil_use(britain, CalendarMode::Julian, 639797));
    EXPECT_FALSE(outside_civil_use(britain, CalendarMode::Julian, 639796));
}

// ---- the year's start -------------------------------------------------------------------

struct StyleCase {
    YearStart style;
    Date date;                // the calendar date (January style)
    std::string_view written;  // as the style writes it
};
constexpr StyleCase style_cases[] = {
    // Both ends of the annunciation style's overlap, and the days around.
    {YearStart::annunciation, {1730, 12, 31}, "31.12.1730"},
    {YearStart::annunciation, {1731, 1, 1}, "01.01.1730/31"},
    {YearStart::annunciation, {1731, 2, 11}, "11.02.1730/31"},
    {YearStart::annunciation, {1731, 3, 24}, "24.03.1730/31"},
    {YearStart::annunciation, {1731, 3, 25}, "25.03.1731"},
    {YearStart::annunciation, {1700, 3, 1}, "01.03.1699/1700"},
    {YearStart::annunciation, {1, 2, 1}, "01.02.-1/1"},
    {YearStart::annunciation, {50, 2, 1}, "01.02.49/50"},
    // Both ends of the christmas style's.
    {YearStart::christmas, {1499, 12, 24}, "24.12.1499"},
    {YearStart::christmas, {1499, 12, 25}, "25.12.1499/1500"},
    {YearStart::christmas, {1499, 12, 26}, "26.12.1499/1500"},
    {YearStart::christmas, {1499, 12, 31}, "31.12.1499/1500"},
    {YearStart::christmas, {1500, 1, 1}, "01.01.1500"},
    {YearStart::christmas, {1520, 12, 26}, "26.12.1520/21"},
    {YearStart::january, {1731, 2, 11}, "11.02.1731"},
};

TEST(YearStart, DualDatesAreWrittenWhereTheTwoYearsDiffer) {
    for (const StyleCase& c : style_cases) {
        EXPECT_EQ(dual_date_text(c.style, c.date).view(), c.written) << year_start_name(c.style);
    }
    EXPECT_EQ(year_start_from_name("annunciation"), YearStart::annunciation);
    EXPECT_EQ(year_start_from_name("lady-day"), std::nullopt);
}

// Reads "DD.MM.A" or "DD.MM.A/B" as the style writes it.
Result<Date> read_styled(YearStart style, std::string_view text) {
    const auto number = [](std::string_view digits) { return std::stoll(std::string(digits)); };
    const Date styled{static_cast<std::int32_t>(number(text.substr(6))), static_cast<std::int32_t>(number(text.substr(3, 2))),
                      static_cast<std::int32_t>(number(text.substr(0, 2)))};
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return january_date_from_styled(style, styled);
    const std::string_view second = text.substr(slash + 1);
    return january_date_from_dual(style, styled, number(second), static_cast<int>(second.size()));
}

// Every day of 1690 to 1710 written in each style reads back as itself; the
// style's year changes once a year, on the style's first day.
TEST(YearStart, EveryDayWrittenInAStyleReadsBackAndTheYearTurnsOnceOnItsDay) {
    for (const YearStart style : {YearStart::january, YearStart::annunciation, YearStart::christmas}) {
        SCOPED_TRACE(std::string(year_start_name(style)));
        reference::DayStepper stepper(Mode::Gregorian, *era_day_from_date(CalendarMode::Gregorian, {1690, 1, 1}));
        std::int64_t previous_styled = styled_year(style, {1689, 12, 31});
        int turns = 0;
        for (; stepper.date().year <= 1710; stepper.advance()) {
            const Date date = plain(stepper.date());
            const std::int64_t styled = styled_year(style, date);
            EXPECT_EQ(read_styled(style, dual_date_text(style, date).view()).value_or(Date{}), date) << text(date);
            const Date written{static_cast<std::int32_t>(styled), date.month, date.day};
            EXPECT_EQ(january_date_from_styled(style, written).value_or(Date{}), date) << text(date);
            if (styled != previous_styled) {
                ++turns;
                EXPECT_EQ(styled, previous_styled + 1);
                const Date first_day = style == YearStart::annunciation ? Date{date.year, 3, 25}
                                       : style == YearStart::christmas ? Date{date.year, 12, 25}
                                                                        : Date{date.year, 1, 1};
                EXPECT_EQ(date, first_day);
            }
            previous_styled = styled;
        }
        EXPECT_EQ(turns, 21);
    }
}

TEST(YearStart, DualDatesThatDisagreeWithTheStyleDoNotExist) {
    struct Case {
        YearStart style;
        std::string_view written;
        Status status;
    };
    const Case cases[] = {
        {YearStart::annunciation, "11.02.1730/31", Status::ok},
        {YearStart::annunciation, "11.02.1730/1", Status::ok},
        {YearStart::annunciation, "11.02.1730/1731", Status::ok},
        {YearStart::annunciation, "11.02.1730/32", Status::nonexistent_date},
        {YearStart::annunciation, "11.02.1730/30", Status::nonexistent_date},
        {YearStart::annunciation, "11.05.1730/31", Status::nonexistent_date},
        {YearStart::annunciation, "25.03.1730/31", Status::nonexistent_date},
        {YearStart::annunciation, "24.03.1730/31", Status::ok},
        {YearStart::christmas, "26.12.1499/1500", Status::ok},
        {YearStart::christmas, "24.12.1499/1500", Status::nonexistent_date},
        {YearStart::january, "11.02.1730/31", Status::nonexistent_date},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(read_styled(c.style, c.written).error(), c.status) << c.written;
    }
    EXPECT_EQ(*read_styled(YearStart::annunciation, "11.02.1730/31"), (Date{1731, 2, 11}));
    EXPECT_EQ(*read_styled(YearStart::christmas, "26.12.1499/1500"), (Date{1499, 12, 26}));
}

// ---- spans ---------------------------------------------------------------------------

TEST(DaysBetween, CountsTheDaysThatWereAcrossReformsAndYearZero) {
    struct Case {
        Date first;
        Date second;
        std::string_view reform;
        DayCount days;
    };
    const Case cases[] = {
        {{1752, 9, 2}, {1752, 9, 14}, "britain", 1},
        {{1582, 10, 4}, {1582, 10, 15}, "rome", 1},
        {{1616, 4, 23}, {1616, 4, 23}, "britain", 10},  // Cervantes (Spain) to Shakespeare (England)
        {{-1, 12, 31}, {1, 1, 1}, "rome", 1},
        {{-45, 1, 1}, {1, 1, 1}, "rome", 16439},
        {{1731, 2, 11}, {1730, 2, 11}, "britain", -365},
    };
    for (const Case& c : cases) {
        // Cervantes' date is Spain's (Rome's reform), Shakespeare's England's.
        const Reform first_reform = c.first == Date{1616, 4, 23} ? rome_reform : *reform_from_name(c.reform);
        const DayCount first = *era_day_from_date(first_reform, c.first);
        const DayCount second = *era_day_from_date(*reform_from_name(c.reform), c.second);
        EXPECT_EQ(days_between(first, second), c.days) << text(c.first) << " to " << text(c.second);
        EXPECT_EQ(days_between(second, first), -c.days);
    }
    // Sums of spans are spans, across the missing day 0 too.
    for (const DayCount a : {-1000, -1, 1, 5000}) {
        for (const DayCount b : {-7, -1, 1, 2}) {
            for (const DayCount c : {-3, 1, 100}) {
                EXPECT_EQ(days_between(a, b) + days_between(b, c), days_between(a, c));
            }
        }
    }
}

}  // namespace
}  // namespace morvek
