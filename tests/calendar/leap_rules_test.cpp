// The leap rules seen through day numbers: a year's length is the distance
// between two New Year's Days, whatever the code does inside.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "command/calendar_in_state.h"
#include "command/conversion_state.h"
#include "morvek/calendar.h"
#include "reference/reference_calendar.h"

namespace morvek {
namespace {

using cli::ConversionState;
using reference::Mode;

std::int64_t era_day(Mode mode, std::int64_t year, std::int32_t month, std::int32_t day) {
    ConversionState state;
    state.calendar_mode = mode;
    const std::int64_t result = era_day_from_date(state, year, month, day);
    EXPECT_FALSE(state.date_nonexistent) << day << "." << month << "." << year;
    return result;
}

std::int64_t year_length(Mode mode, std::int64_t year) {
    const std::int64_t next_year = year == -1 ? 1 : year + 1;
    const std::int64_t gap = year == -1 ? 1 : 0;  // no Era Day 0
    return era_day(mode, next_year, 1, 1) - era_day(mode, year, 1, 1) - gap;
}

bool leap_day_exists(Mode mode, std::int64_t year) {
    ConversionState state;
    state.calendar_mode = mode;
    const std::int64_t result = era_day_from_date(state, year, 2, 29);
    EXPECT_EQ(result == 0, state.date_nonexistent) << year;
    return result != 0;
}

TEST(LeapRules, CenturiesBeforeTheEraFollowTheNineHundredYearCycle) {
    for (std::int64_t n : {200, 600, 1100, 1500, 2000, 2400, 2900}) {
        EXPECT_TRUE(leap_day_exists(Mode::Historical, -n)) << n << " BCE";
        EXPECT_EQ(year_length(Mode::Historical, -n), 366) << n << " BCE";
    }
    for (std::int64_t n : {100, 300, 400, 500, 700, 800, 900, 1000}) {
        EXPECT_FALSE(leap_day_exists(Mode::Historical, -n)) << n << " BCE";
        EXPECT_EQ(year_length(Mode::Historical, -n), 365) << n << " BCE";
    }
    // On the BCE number itself: 48 BCE is a leap year, 47 and 49 BCE are not.
    EXPECT_TRUE(leap_day_exists(Mode::Historical, -48));
    EXPECT_FALSE(leap_day_exists(Mode::Historical, -47));
    EXPECT_FALSE(leap_day_exists(Mode::Historical, -49));
}

TEST(LeapRules, EveryNineHundredYearsBeforeTheEraHold218LeapYears) {
    // Cycles near the Era, near the end of the 32-bit days and far beyond.
    for (std::int64_t first_n : {901LL, 9001LL, 5'000'401LL, 9'999'999'001LL}) {
        int leap_years = 0;
        for (std::int64_t n = first_n; n < first_n + 900; ++n) {
            const bool leap = leap_day_exists(Mode::Historical, -n);
            leap_years += leap ? 1 : 0;
            const bool century = n % 100 == 0;
            const bool expected = n % 4 == 0 && (!century || n % 900 == 200 || n % 900 == 600);
            EXPECT_EQ(leap, expected) << n << " BCE";
        }
        EXPECT_EQ(leap_years, 218) << "cycle from " << first_n << " BCE";
        EXPECT_EQ(era_day(Mode::Historical, -first_n + 1, 1, 1) -
                      era_day(Mode::Historical, -first_n - 899, 1, 1),
                  900 * 365 + 218)
            << "cycle from " << first_n << " BCE";
    }
}

TEST(LeapRules, EveryThirdYearFrom44To5BceThenNoneUntil12) {
    std::vector<std::int64_t> leap_years;
    for (std::int64_t year = -45; year <= -1; ++year) {
        if (leap_day_exists(Mode::Historical, year)) leap_years.push_back(year);
        EXPECT_EQ(year_length(Mode::Historical, year), leap_day_exists(Mode::Historical, year) ? 366 : 365)
            << year;
    }
    const std::vector<std::int64_t> expected = {-44, -41, -38, -35, -32, -29, -26,
                                                -23, -20, -17, -14, -11, -8,  -5};
    EXPECT_EQ(leap_years, expected);
    EXPECT_EQ(era_day(Mode::Historical, 1, 1, 1) - era_day(Mode::Historical, -45, 1, 1) - 1,
              45 * 365 + 14);

    for (std::int64_t year = 1; year <= 11; ++year) {
        EXPECT_FALSE(leap_day_exists(Mode::Historical, year)) << year;
        EXPECT_FALSE(leap_day_exists(Mode::Julian, year)) << year;
        EXPECT_EQ(leap_day_exists(Mode::Gregorian, year), year == 4 || year == 8) << year;
    }
    for (Mode mode : {Mode::Historical, Mode::Julian, Mode::Gregorian}) {
        EXPECT_TRUE(leap_day_exists(mode, 12));
    }
}

TEST(LeapRules, TheYear1582InEachMode) {
    EXPECT_EQ(year_length(Mode::Historical, 1582), 355);
    EXPECT_EQ(year_length(Mode::Julian, 1582), 365);
    EXPECT_EQ(year_length(Mode::Gregorian, 1582), 365);

    // October runs without a gap in two modes and skips ten days in one.
    for (Mode mode : {Mode::Julian, Mode::Gregorian}) {
        for (std::int32_t day = 2; day <= 31; ++day) {
            EXPECT_EQ(era_day(mode, 1582, 10, day), era_day(mode, 1582, 10, day - 1) + 1) << day;
        }
    }
    EXPECT_EQ(era_day(Mode::Historical, 1582, 10, 15), era_day(Mode::Historical, 1582, 10, 4) + 1);
    for (std::int32_t day = 5; day <= 14; ++day) {
        ConversionState state;
        EXPECT_EQ(era_day_from_date(state, 1582, 10, day), 0) << day;
        EXPECT_TRUE(state.date_nonexistent) << day;
    }
    // The historical calendar is Julian before the reform and Gregorian after.
    EXPECT_EQ(era_day(Mode::Historical, 1582, 10, 4), era_day(Mode::Julian, 1582, 10, 4));
    EXPECT_EQ(era_day(Mode::Historical, 1582, 10, 15), era_day(Mode::Gregorian, 1582, 10, 15));
    EXPECT_EQ(era_day(Mode::Historical, 1582, 1, 1), era_day(Mode::Julian, 1582, 1, 1));
    EXPECT_EQ(era_day(Mode::Historical, 1582, 12, 31), era_day(Mode::Gregorian, 1582, 12, 31));
}

TEST(LeapRules, LeapDaysOfTheCommonEraInEachMode) {
    struct Case {
        std::int64_t year;
        bool historical, julian, gregorian;
    };
    for (const Case& c : std::vector<Case>{{4, false, false, true},
                                           {8, false, false, true},
                                           {12, true, true, true},
                                           {1500, true, true, false},
                                           {1580, true, true, true},
                                           {1582, false, false, false},
                                           {1584, true, true, true},
                                           {1600, true, true, true},
                                           {1700, false, true, false},
                                           {1900, false, true, false},
                                           {2000, true, true, true},
                                           {2100, false, true, false}}) {
        EXPECT_EQ(leap_day_exists(Mode::Historical, c.year), c.historical) << c.year;
        EXPECT_EQ(leap_day_exists(Mode::Julian, c.year), c.julian) << c.year;
        EXPECT_EQ(leap_day_exists(Mode::Gregorian, c.year), c.gregorian) << c.year;
    }
}

// The public rule takes the 32-bit years of a Date; the rule inside takes
// years of any size.
TEST(LeapRules, TheLeapRuleHelpersMatchTheLeapTable) {
    for (Mode mode : {Mode::Historical, Mode::Julian, Mode::Gregorian}) {
        for (std::int32_t year = -40'000; year <= 40'000; ++year) {
            ASSERT_EQ(is_leap_year(mode, year), reference::is_leap(mode, year))
                << static_cast<int>(mode) << " " << year;
            ASSERT_EQ(detail::is_leap_year_in(mode, year), reference::is_leap(mode, year))
                << static_cast<int>(mode) << " " << year;
        }
        for (std::int32_t year : {std::numeric_limits<std::int32_t>::min(), -5'883'517, 5'883'516,
                                  std::numeric_limits<std::int32_t>::max() - 3}) {
            EXPECT_EQ(is_leap_year(mode, year), reference::is_leap(mode, year))
                << static_cast<int>(mode) << " " << year;
        }
        for (std::int64_t year : {-9'999'999'999LL, -5'883'517LL, 5'883'516LL, 9'999'999'996LL}) {
            EXPECT_EQ(detail::is_leap_year_in(mode, year), reference::is_leap(mode, year))
                << static_cast<int>(mode) << " " << year;
        }
    }
}

}  // namespace
}  // namespace morvek
