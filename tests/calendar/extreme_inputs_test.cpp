// Inputs far outside everyday dates: months and days out of range, years and
// day numbers up to the ends of 64 bits. Each is either exact or rejected,
// never wrapped; the sanitizer build checks that nothing overflows.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "command/calendar_in_state.h"
#include "command/conversion_state.h"
#include "morvek/calendar.h"
#include "reference/reference_calendar.h"

namespace morvek {
namespace {

using cli::calendar_tag_of;
using cli::ConversionState;
using detail::calendar_date_from_era_day;
using detail::CalendarDate;

__extension__ typedef __int128 wide;

constexpr std::int64_t int64_min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t int64_max = std::numeric_limits<std::int64_t>::max();
constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();

constexpr CalendarMode all_modes[] = {CalendarMode::Historical, CalendarMode::Julian,
                                      CalendarMode::Gregorian};

TEST(ExtremeInputs, MonthsAndDaysOutOfRangeAreRejectedWithoutSwitchingTheMode) {
    const std::vector<std::int32_t> bad_months = {0, 13, -5, -1, 100, int32_min, int32_max};
    const std::vector<std::int32_t> bad_days = {0, 32, -1, 100, int32_min, int32_max};
    for (CalendarMode mode : all_modes) {
        for (std::int64_t year : {2000LL, 1LL, -100LL, 1582LL, 9'999'999'999LL}) {
            auto expect_rejected = [&](std::int32_t month, std::int32_t day) {
                ConversionState state;
                state.calendar_mode = mode;
                EXPECT_EQ(era_day_from_date(state, year, month, day), 0)
                    << static_cast<int>(mode) << " " << day << "." << month << "." << year;
                EXPECT_TRUE(state.date_nonexistent);
                EXPECT_EQ(state.calendar_mode, mode);
            };
            for (std::int32_t month : bad_months) expect_rejected(month, 1);
            for (std::int32_t day : bad_days) {
                expect_rejected(1, day);
                expect_rejected(2, day);
            }
            expect_rejected(int32_min, int32_min);
        }
    }
}

// The Era Day of 01.01 of a year, counted by whole leap cycles in 128 bits.
wide new_year_by_cycles(CalendarMode mode, wide year) {
    if (year > 0) {
        const wide before = year - 1;
        const bool gregorian =
            mode == CalendarMode::Gregorian || (mode == CalendarMode::Historical && year > 1582);
        if (gregorian) return 365 * before + before / 4 - before / 100 + before / 400 + 1;
        // Every fourth year but 4 and 8.
        const wide leap_years = before < 12 ? 0 : before / 4 - 2;
        return 365 * before + leap_years + 1;
    }
    // Before 46 BCE, on n = -year: every fourth year, a century only as 2 or 6 of 9.
    const wide n = -year;
    const wide centuries = n / 100;
    const wide leap_centuries = 2 * (centuries / 9) + (centuries % 9 >= 2) + (centuries % 9 >= 6);
    const wide leap_years_to_n = n / 4 - centuries + leap_centuries;
    const wide leap_years_to_45 = 11;
    return -(16439 + (n - 45) * 365 + (leap_years_to_n - leap_years_to_45));
}

std::int32_t day_of_year(CalendarMode mode, std::int64_t year, std::int32_t month,
                         std::int32_t day) {
    const CalendarMode rule = year < 0 ? CalendarMode::Historical : mode;
    const bool leap = reference::is_leap(rule, year);
    std::int32_t result = day;
    for (std::int32_t m = 1; m < month; ++m) result += reference::month_length(leap, m);
    return result;
}

TEST(ExtremeInputs, TheCycleCountAgreesWithTheReferenceWalk) {
    for (CalendarMode mode : all_modes) {
        for (std::int64_t year : {1LL, 2LL, 9LL, 12LL, 13LL, 17LL, 100LL, 1581LL, 1583LL, 1700LL,
                                  2000LL, 10'001LL, 123'456LL, 5'000'000LL}) {
            const wide era_day = new_year_by_cycles(mode, year);
            const reference::Date walked =
                reference::walk_date(mode, static_cast<std::int64_t>(era_day));
            EXPECT_EQ(walked.year, year) << static_cast<int>(mode);
            EXPECT_EQ(walked.month, 1) << static_cast<int>(mode) << " " << year;
            EXPECT_EQ(walked.day, 1) << static_cast<int>(mode) << " " << year;
        }
    }
    for (std::int64_t year : {-46LL, -47LL, -48LL, -100LL, -901LL, -12'345LL, -5'000'000LL}) {
        const wide era_day = new_year_by_cycles(CalendarMode::Historical, year);
        const reference::Date walked =
            reference::walk_date(CalendarMode::Historical, static_cast<std::int64_t>(era_day));
        EXPECT_EQ(walked, (reference::Date{year, 1, 1, ""})) << year;
    }
}

bool fits_with_room(wide value) { return value > (wide{int64_min} / 2) && value < (wide{int64_max} / 2); }
bool fits(wide value) { return value >= wide{int64_min} && value <= wide{int64_max}; }

// The largest year whose 31 December still has a 64-bit Gregorian Era Day.
std::int64_t last_year_in_64_bits() {
    std::int64_t low = 1;
    std::int64_t high = int64_max / 365;
    while (low < high) {
        const std::int64_t middle = low + (high - low + 1) / 2;
        if (fits(new_year_by_cycles(CalendarMode::Gregorian, wide{middle} + 1) - 1)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

TEST(ExtremeInputs, HugeYearsGiveExactEraDaysOrAreRejected) {
    const std::int64_t edge = last_year_in_64_bits();
    std::vector<std::int64_t> years = {9'999'999'999LL, 1'000'000'000'000LL,
                                       1'000'000'000'000'000LL, std::int64_t{int32_max} + 1};
    for (std::int64_t offset = -3; offset <= 3; ++offset) years.push_back(edge + offset);
    const std::size_t positive_years = years.size();
    for (std::size_t i = 0; i < positive_years; ++i) years.push_back(-years[i]);

    for (CalendarMode mode : all_modes) {
        for (std::int64_t year : years) {
            for (const auto& month_and_day : {std::pair{1, 1}, {2, 28}, {2, 29}, {3, 1}, {12, 31}}) {
                // Named copies: a lambda may not capture a structured binding before C++23 in clang.
                const std::int32_t month = month_and_day.first;
                const std::int32_t day = month_and_day.second;
                ConversionState state;
                state.calendar_mode = mode;
                const std::int64_t got = era_day_from_date(state, year, month, day);
                const auto where = [&] {
                    return ::testing::Message() << static_cast<int>(mode) << " " << day << "."
                                                << month << "." << year;
                };
                EXPECT_EQ(got == 0, state.date_nonexistent) << where();
                if (!reference::exists(mode, year, month, day)) {
                    EXPECT_EQ(got, 0) << where();
                    continue;
                }
                const wide want =
                    new_year_by_cycles(mode, year) + day_of_year(mode, year, month, day) - 1;
                if (fits_with_room(want)) {
                    EXPECT_EQ(wide{got}, want) << where();
                } else if (!fits(want)) {
                    EXPECT_EQ(got, 0) << where();
                } else if (got != 0) {
                    EXPECT_EQ(wide{got}, want) << where();
                }
            }
        }
        for (std::int64_t year : {int64_min, int64_min + 1, int64_max - 1, int64_max}) {
            ConversionState state;
            state.calendar_mode = mode;
            EXPECT_EQ(era_day_from_date(state, year, 1, 1), 0) << year;
            EXPECT_EQ(era_day_from_date(state, year, 12, 31), 0) << year;
            EXPECT_TRUE(state.date_nonexistent);
        }
    }
}

TEST(ExtremeInputs, HugeEraDaysGiveValidDatesThatConvertBack) {
    const std::vector<std::int64_t> era_days = {
        int64_min,        int64_min + 1,          -1'000'000'000'000'000LL,
        -9'999'999'999LL, std::int64_t{int32_min} - 1, std::int64_t{int32_max} + 1,
        9'999'999'999LL,  1'000'000'000'000'000LL, int64_max - 1,
        int64_max};
    for (CalendarMode mode : all_modes) {
        for (std::int64_t era_day : era_days) {
            const CalendarDate date = calendar_date_from_era_day(mode, era_day);
            const auto where = [&] {
                return ::testing::Message() << static_cast<int>(mode) << " Era Day " << era_day
                                            << " gave " << date.day << "." << date.month << "."
                                            << date.year;
            };
            const CalendarMode rule = era_day < 0 ? CalendarMode::Historical : mode;
            ASSERT_TRUE(reference::exists(rule, date.year, date.month, date.day)) << where();
            EXPECT_EQ(new_year_by_cycles(rule, date.year) +
                          day_of_year(rule, date.year, date.month, date.day) - 1,
                      wide{era_day})
                << where();
            const bool tagged = era_day > 0 && mode == CalendarMode::Julian;
            EXPECT_EQ(calendar_tag_of(mode, era_day), tagged ? "(J)" : "") << where();

            ConversionState back;
            back.calendar_mode = rule;
            const std::int64_t round_trip = era_day_from_date(back, date.year, date.month, date.day);
            if (fits_with_room(wide{era_day}) || round_trip != 0) {
                EXPECT_EQ(round_trip, era_day) << where();
            }

            ConversionState state;
            state.calendar_mode = mode;
            date_from_era_day(state, era_day);
            const std::int64_t stored_year =
                date.year > int32_max ? int32_max : (date.year < int32_min ? int32_min : date.year);
            EXPECT_EQ(state.year, stored_year) << where();
            EXPECT_EQ(state.month, date.month) << where();
            EXPECT_EQ(state.day, date.day) << where();
            EXPECT_EQ(state.calendar_tag, calendar_tag_of(mode, era_day)) << where();
        }
    }
}

}  // namespace
}  // namespace morvek
