#pragma once
// Month lengths and day-of-year numbers, the two tables all date arithmetic
// looks months up in.

#include <array>
#include <cstdint>

namespace morvek {

// [leap][month]; column 0 is unused so that January is column 1.
inline constexpr std::int32_t month_lengths[2][13] = {
    // -  Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// [leap][month]: days of the whole months before that month; [leap][13] is
// the length of the year.
inline constexpr auto days_before_month = [] {
    std::array<std::array<std::int32_t, 14>, 2> table{};
    for (int leap = 0; leap < 2; ++leap) {
        for (int month = 1; month <= 12; ++month) {
            table[leap][month + 1] = table[leap][month] + month_lengths[leap][month];
        }
    }
    return table;
}();
static_assert(days_before_month[0][13] == 365 && days_before_month[1][13] == 366);
static_assert(days_before_month[0][3] == 59 && days_before_month[0][12] == 334);

inline constexpr std::int32_t february_29 = 0;  // leap day marker
inline constexpr std::int32_t no_such_day = -1;  // 30.02, 31.04, ... marker

// [month - 1][day - 1]: day of the year in a common year, with the two markers.
inline constexpr auto day_of_year_table = [] {
    std::array<std::array<std::int32_t, 31>, 12> table{};
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            std::int32_t& entry = table[month - 1][day - 1];
            if (month == 2 && day == 29) {
                entry = february_29;
            } else if (day > month_lengths[1][month]) {
                entry = no_such_day;
            } else {
                entry = days_before_month[0][month] + day;
            }
        }
    }
    return table;
}();
static_assert(day_of_year_table[0][0] == 1 && day_of_year_table[11][30] == 365);
static_assert(day_of_year_table[1][27] == 59 && day_of_year_table[2][0] == 60);
static_assert(day_of_year_table[1][28] == february_29);
static_assert(day_of_year_table[1][29] == no_such_day && day_of_year_table[3][30] == no_such_day);

}  // namespace morvek
