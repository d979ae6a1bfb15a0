// 23:59:60 is read on exactly the days that end with a second of the table.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "timescale_test_support.h"

namespace morvek::cli {
namespace {

using testing::read_back;

// Every date text of the years, read in the mode with 23:59:60: accepted
// exactly when the moment it names is a leap second of the table.
std::set<std::int64_t> leap_seconds_accepted(CalendarMode mode, std::int32_t first_year, std::int32_t last_year) {
    std::set<std::int64_t> accepted;
    for (std::int32_t year = first_year; year <= last_year; ++year) {
        for (std::int32_t month = 1; month <= 12; ++month) {
            for (std::int32_t day = 1; day <= 31; ++day) {
                char date[16];
                std::snprintf(date, sizeof date, "%02i.%02i.%i", day, month, year);
                const testing::ReadBack read = read_back(date, "23:59:60", mode);
                if (read.state.date_nonexistent) continue;
                EXPECT_FALSE(read.state.bad_format) << date;
                const bool leap_day = is_leap_second(read.midnight + 86400);
                EXPECT_EQ(!read.state.time_nonexistent, leap_day) << date;
                if (!read.state.time_nonexistent) {
                    EXPECT_EQ(read.second_of_day, 86400) << date;
                    EXPECT_EQ(read.state.leap_second, 1) << date;
                    accepted.insert(read.moment());
                }
            }
        }
    }
    return accepted;
}

const std::set<std::int64_t> every_leap_second(detail::leap_second_table.begin(), detail::leap_second_table.end());

TEST(LeapSecondTimeSweep, HistoricalDates1972To2017) {
    EXPECT_EQ(leap_seconds_accepted(CalendarMode::Historical, 1972, 2017), every_leap_second);
}

// A typed Julian date is replaced by its civil date before the time is
// read, so the Julian names of the same 27 days carry the leap seconds.
TEST(LeapSecondTimeSweep, JulianDatesOfTheSameDays) {
    EXPECT_EQ(leap_seconds_accepted(CalendarMode::Julian, 1971, 2017), every_leap_second);
    EXPECT_FALSE(read_back("18.12.2016", "23:59:60", CalendarMode::Julian).state.time_nonexistent);
    EXPECT_TRUE(read_back("31.12.2016", "23:59:60", CalendarMode::Julian).state.time_nonexistent);
}

}  // namespace
}  // namespace morvek::cli
