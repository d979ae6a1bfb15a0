#include "command/era_seconds_now.h"

#include <gtest/gtest.h>

#include <chrono>

#include "command/era_seconds_from_day_count.h"
#include "morvek/system_clock.h"
#include "timescale_test_support.h"

namespace morvek::cli {
namespace {

const auto new_year_2017 = [] { return DateTime{{2017, 1, 1}, 0, 0, 1, 0}; };
const auto last_second_of_1972 = [] { return DateTime{{1972, 12, 31}, 23, 59, 59, 999999999}; };

TEST(EraSecondsNow, ReadsTheClockThroughBothParsers) {
    ConversionState state;
    EXPECT_EQ(era_seconds_now(state, utc_clock_from(new_year_2017)), 63618825627);
    EXPECT_EQ(state.second_of_day, 1);
    EXPECT_EQ(testing::printed_date(state), "01.01.2017");
    EXPECT_EQ(testing::printed_time(state), "00:00:01");
    EXPECT_FALSE(testing::any_flag(state));

    ConversionState earlier;
    EXPECT_EQ(era_seconds_now(earlier, utc_clock_from(last_second_of_1972)) + earlier.second_of_day, 62230291200);
}

TEST(EraSecondsNow, SystemClockGivesTheCurrentMoment) {
    const auto before = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    ConversionState state;
    const std::int64_t midnight = era_seconds_now(state, system_utc_clock());
    const auto after = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    ASSERT_FALSE(testing::any_flag(state));
    // From 2017 on, E0 is the Unix time plus the epoch and 27 leap seconds.
    const std::int64_t unix_now = midnight + state.second_of_day - 62135596800 - 27;
    EXPECT_GE(unix_now, before.time_since_epoch().count());
    EXPECT_LE(unix_now, after.time_since_epoch().count());
}

TEST(EraSecondsFromDayCount, DayCountsGoThroughTheirDateText) {
    ConversionState julian;
    julian.digit_count = 6;
    // Day 736330 is Julian 19.12.2016, the civil 01.01.2017.
    EXPECT_EQ(era_seconds_from_rd_julian(julian, 736330), 63618825627);
    EXPECT_EQ(testing::printed_date(julian), "19.12.2016");
    EXPECT_EQ(julian.calendar_mode, CalendarMode::Julian);
    EXPECT_EQ(julian.calendar_tag, "(J)");

    ConversionState gregorian;
    gregorian.digit_count = 6;
    EXPECT_EQ(era_seconds_from_rd_gregorian(gregorian, 736330), 63618825627);
    EXPECT_EQ(gregorian.calendar_mode, CalendarMode::Historical);
    EXPECT_EQ(era_seconds_from_rd_gregorian(gregorian = {}, 1), 0);
    EXPECT_EQ(gregorian.calendar_tag, "(G)");
    EXPECT_EQ(gregorian.calendar_mode, CalendarMode::Gregorian);

    for (const auto convert : {era_seconds_from_rd_julian, era_seconds_from_rd_gregorian}) {
        ConversionState day_zero;
        EXPECT_EQ(convert(day_zero, 0), 0);
        EXPECT_TRUE(day_zero.bad_format);
        ConversionState negative;
        convert(negative, -1);
        EXPECT_TRUE(negative.date_nonexistent);
        EXPECT_FALSE(negative.bad_format);
    }
}

}  // namespace
}  // namespace morvek::cli
