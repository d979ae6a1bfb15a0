#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "command/calendar_in_state.h"
#include "command/conversion_state.h"
#include "command/rata_die_totals.h"
#include "morvek/calendar.h"
#include "reference/reference_calendar.h"

namespace morvek {
namespace {

using cli::ConversionState;
using cli::rd_gregorian_total;
using cli::rd_julian_total;
using reference::TotalRule;

constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t int64_min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t int64_max = std::numeric_limits<std::int64_t>::max();

std::int64_t total(TotalRule rule, std::int32_t year, std::int32_t month, std::int32_t day) {
    return rule == TotalRule::julian ? rd_julian_total(year, month, day)
                                     : rd_gregorian_total(year, month, day);
}

TEST(RataDie, KnownTotals) {
    struct Case {
        std::int32_t year, month, day;
        std::int64_t julian, gregorian;
    };
    for (const Case& c : std::vector<Case>{{1, 1, 1, 1, 1},
                                           {4, 12, 31, 1460, 1461},
                                           {9, 1, 1, 2921, 2923},
                                           {1582, 10, 4, 577735, 577725},
                                           {1582, 10, 15, 577746, 577736},
                                           {2017, 1, 1, 736343, 736330}}) {
        EXPECT_EQ(rd_julian_total(c.year, c.month, c.day), c.julian) << c.year;
        EXPECT_EQ(rd_gregorian_total(c.year, c.month, c.day), c.gregorian) << c.year;
        EXPECT_EQ(reference::day_total_walk(TotalRule::julian, c.year, c.month, c.day), c.julian);
        EXPECT_EQ(reference::day_total_walk(TotalRule::gregorian, c.year, c.month, c.day),
                  c.gregorian);
    }
}

TEST(RataDie, YearsBeforeOneGiveTheDayAlone) {
    for (TotalRule rule : {TotalRule::julian, TotalRule::gregorian}) {
        for (std::int32_t year : {0, -1, -45, -1000, int32_min}) {
            for (std::int32_t month : {1, 2, 12}) {
                for (std::int32_t day : {1, 17, 31}) {
                    EXPECT_EQ(total(rule, year, month, day), day) << year;
                }
            }
        }
    }
}

// Every day/month pair 1..31/1..12 of the years, against the year walk kept
// from one year to the next. Years must ascend.
void expect_totals_match_walk(TotalRule rule, const std::vector<std::int32_t>& years) {
    reference::DayTotalWalk walk(rule);
    for (std::int32_t year : years) {
        walk.advance_to(year);
        for (std::int32_t month = 1; month <= 12; ++month) {
            for (std::int32_t day = 1; day <= 31; ++day) {
                ASSERT_EQ(total(rule, year, month, day), walk.total(month, day))
                    << (rule == TotalRule::julian ? "julian " : "gregorian ") << day << "."
                    << month << "." << year;
            }
        }
    }
}

TEST(RataDie, EveryDateOfTheFirstTenThousandYearsMatchesTheYearWalk) {
    std::vector<std::int32_t> years;
    for (std::int32_t year = 1; year <= 10'000; ++year) years.push_back(year);
    expect_totals_match_walk(TotalRule::julian, years);
    expect_totals_match_walk(TotalRule::gregorian, years);
}

TEST(RataDie, SampledYearsUpToTheEndOfThe32BitEraDaysMatchTheYearWalk) {
    const std::vector<std::int32_t> years = {
        10'001,    12'345,    65'535,    65'536,    99'999,    100'000,   100'400,
        262'144,   400'000,   500'001,   999'999,   1'000'000, 1'234'567, 1'600'000,
        2'000'000, 2'097'152, 2'500'000, 2'999'999, 3'000'000, 3'333'333, 3'600'000,
        4'000'000, 4'194'304, 4'500'000, 4'800'000, 5'000'000, 5'200'000, 5'500'000,
        5'800'000, 5'879'609, 5'879'610, 5'879'611, 5'880'000, 5'883'516, 5'883'517,
        5'888'888, 5'899'999, 5'900'000};
    expect_totals_match_walk(TotalRule::julian, years);
    expect_totals_match_walk(TotalRule::gregorian, years);
}

TEST(RataDie, TheLargestYearsCountWithoutOverflow) {
    // Days of the years before by whole cycles, checked against the walk above
    // for the year 5,900,000 and then used where the walk cannot go.
    auto gregorian_before = [](std::int64_t year) {
        const std::int64_t y = year - 1;
        return 365 * y + y / 4 - y / 100 + y / 400;
    };
    auto julian_before = [](std::int64_t year) { return 365 * (year - 1) + (year - 1) / 4 - 2; };
    EXPECT_EQ(rd_gregorian_total(5'900'000, 1, 1), gregorian_before(5'900'000) + 1);
    EXPECT_EQ(rd_julian_total(5'900'000, 1, 1), julian_before(5'900'000) + 1);
    EXPECT_EQ(rd_gregorian_total(int32_max, 12, 31), gregorian_before(int32_max) + 334 + 31);
    EXPECT_EQ(rd_julian_total(int32_max, 12, 31), julian_before(int32_max) + 334 + 31);
    EXPECT_EQ(rd_gregorian_total(int32_max, 1, int32_max),
              gregorian_before(int32_max) + int32_max);
    EXPECT_EQ(rd_julian_total(int32_max, 1, int32_min), julian_before(int32_max) + int32_min);
}

TEST(RataDie, MonthsOutOfRangeCountNoMonthOrTheWholeYear) {
    // As the walk does: nothing before January, all twelve months after December.
    for (TotalRule rule : {TotalRule::julian, TotalRule::gregorian}) {
        for (std::int32_t year : {1, 2000, 5'000'000}) {
            for (std::int32_t month : {0, -1, int32_min}) {
                EXPECT_EQ(total(rule, year, month, 5), total(rule, year, 1, 5)) << month;
            }
            for (std::int32_t month : {13, 100, int32_max}) {
                EXPECT_EQ(total(rule, year, month, 5), total(rule, year + 1, 1, 5)) << month;
            }
        }
    }
}

TEST(RataDie, TotalsAreTheEraDaysOfTheirCalendars) {
    for (std::int32_t year = 1; year <= 4000; ++year) {
        for (std::int32_t month = 1; month <= 12; ++month) {
            for (std::int32_t day = 1; day <= 31; ++day) {
                ConversionState julian;
                julian.calendar_mode = CalendarMode::Julian;
                const std::int64_t julian_day = era_day_from_date(julian, year, month, day);
                if (julian_day != 0) {
                    ASSERT_EQ(rd_julian_total(year, month, day), julian_day)
                        << day << "." << month << "." << year;
                }
                ConversionState gregorian;
                gregorian.calendar_mode = CalendarMode::Gregorian;
                const std::int64_t gregorian_day = era_day_from_date(gregorian, year, month, day);
                if (gregorian_day != 0) {
                    ASSERT_EQ(rd_gregorian_total(year, month, day), gregorian_day)
                        << day << "." << month << "." << year;
                }
            }
        }
    }
}

// The weekday as a number, 1 = Monday .. 7 = Sunday; 0 when there is none.
std::int32_t weekday_number(std::int64_t era_day) {
    const Result<Weekday> weekday = weekday_from_era_day(era_day);
    return weekday ? static_cast<std::int32_t>(*weekday) : 0;
}

TEST(Weekday, KnownDays) {
    EXPECT_EQ(weekday_number(736330), 7);  // 01.01.2017, a Sunday
    EXPECT_EQ(weekday_number(719163), 4);  // 01.01.1970, a Thursday
    EXPECT_EQ(weekday_number(577736), 5);  // 15.10.1582, a Friday
    EXPECT_EQ(weekday_number(1), 1);
    EXPECT_EQ(weekday_number(7), 7);
    EXPECT_EQ(weekday_number(8), 1);
    EXPECT_EQ(weekday_number(-1), 7);
    EXPECT_EQ(weekday_number(-7), 1);
    EXPECT_EQ(weekday_number(-8), 7);
    EXPECT_EQ(weekday_from_era_day(0).error(), Status::nonexistent_date);
    for (const std::int64_t beyond : {min_era_day - 1, max_era_day + 1, int64_min, int64_max}) {
        EXPECT_EQ(weekday_from_era_day(beyond).error(), Status::out_of_range) << beyond;
    }
}

TEST(Weekday, ConsecutiveDaysCycleAcrossTheMissingDayZero) {
    auto expect_run = [](std::int64_t first, std::int64_t last) {
        std::int32_t previous = weekday_number(first);
        ASSERT_GE(previous, 1);
        ASSERT_LE(previous, 7);
        for (std::int64_t era_day = first + 1; era_day <= last && era_day > first; ++era_day) {
            if (era_day == 0) continue;
            const std::int32_t weekday = weekday_number(era_day);
            ASSERT_EQ(weekday, previous % 7 + 1) << era_day;
            previous = weekday;
            if (era_day == last) break;
        }
    };
    expect_run(-100'000, 100'000);
    expect_run(min_era_day, min_era_day + 100);
    expect_run(max_era_day - 100, max_era_day);
    // Whole weeks apart, far from each other.
    EXPECT_EQ(weekday_number(1 + 7 * 300'000'000LL), 1);
    EXPECT_EQ(weekday_number(-7 * 300'000'000LL), 1);
}

}  // namespace
}  // namespace morvek
