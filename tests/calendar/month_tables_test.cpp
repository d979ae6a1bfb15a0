#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "morvek/detail/calendar_rules.h"

namespace morvek::detail {
namespace {

TEST(MonthTables, MonthLengthsOfCommonAndLeapYears) {
    constexpr std::array<std::array<std::int32_t, 13>, 2> expected = {{
        {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
        {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    }};
    for (int leap = 0; leap < 2; ++leap) {
        for (int month = 0; month <= 12; ++month) {
            EXPECT_EQ(month_lengths[leap][month], expected[leap][month])
                << "leap " << leap << " month " << month;
        }
    }
}

TEST(MonthTables, DayOfYearRunsOnFromEachMonthsFirstDayWithTwoMarkers) {
    constexpr std::array<std::int32_t, 12> first = {1,   32,  60,  91,  121, 152,
                                                     182, 213, 244, 274, 305, 335};
    constexpr std::array<std::int32_t, 12> last_day = {31, 29, 31, 30, 31, 30,
                                                       31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            std::int32_t expected = first[month - 1] + day - 1;
            if (month == 2 && day == 29) expected = 0;
            if (day > last_day[month - 1]) expected = -1;
            EXPECT_EQ(day_of_year_table[month - 1][day - 1], expected)
                << day << "." << month;
        }
    }
    EXPECT_EQ(day_of_year_table[11][30], 365);
}

}  // namespace
}  // namespace morvek::detail
