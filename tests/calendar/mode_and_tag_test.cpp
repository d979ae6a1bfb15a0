// What the two conversions leave in the state besides the date: the switch
// of Gregorian dates after 1582 to the historical calendar, the flag of a
// non-existent date and the tag of a date from the other calendar's era.

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

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

struct Outcome {
    std::int64_t era_day;
    bool nonexistent;
    CalendarMode mode;
};

Outcome convert(CalendarMode mode, std::int64_t year, std::int32_t month, std::int32_t day) {
    ConversionState state;
    state.calendar_mode = mode;
    const std::int64_t era_day = era_day_from_date(state, year, month, day);
    return {era_day, state.date_nonexistent, state.calendar_mode};
}

TEST(ModeSwitch, GregorianDatesAfter1582SwitchOnceTheDayAndMonthAreValid) {
    // Switched before the leap-day test: rejected, yet switched.
    const Outcome feb29_1900 = convert(CalendarMode::Gregorian, 1900, 2, 29);
    EXPECT_EQ(feb29_1900.era_day, 0);
    EXPECT_TRUE(feb29_1900.nonexistent);
    EXPECT_EQ(feb29_1900.mode, CalendarMode::Historical);

    // Rejected by the table before the switch.
    for (auto [month, day] : {std::pair{4, 31}, {2, 30}, {2, 31}, {11, 31}}) {
        const Outcome outcome = convert(CalendarMode::Gregorian, 2000, month, day);
        EXPECT_TRUE(outcome.nonexistent) << day << "." << month;
        EXPECT_EQ(outcome.mode, CalendarMode::Gregorian) << day << "." << month;
    }

    const Outcome new_year_1970 = convert(CalendarMode::Gregorian, 1970, 1, 1);
    EXPECT_EQ(new_year_1970.era_day, 719163);
    EXPECT_EQ(new_year_1970.mode, CalendarMode::Historical);
    EXPECT_EQ(convert(CalendarMode::Gregorian, 1583, 1, 1).mode, CalendarMode::Historical);

    // 1582 and earlier keep the mode, the reformed part of 1582 included.
    const Outcome october_20_1582 = convert(CalendarMode::Gregorian, 1582, 10, 20);
    EXPECT_EQ(october_20_1582.era_day, 577741);
    EXPECT_EQ(october_20_1582.mode, CalendarMode::Gregorian);
    EXPECT_EQ(convert(CalendarMode::Gregorian, 1582, 12, 31).mode, CalendarMode::Gregorian);
    EXPECT_EQ(convert(CalendarMode::Gregorian, 4, 2, 29).mode, CalendarMode::Gregorian);

    // Rejected years never reach the switch.
    EXPECT_EQ(convert(CalendarMode::Gregorian, 0, 1, 1).mode, CalendarMode::Gregorian);
    EXPECT_EQ(convert(CalendarMode::Gregorian, -2000, 1, 1).mode, CalendarMode::Gregorian);
}

TEST(ModeSwitch, OtherModesAreNeverChanged) {
    for (CalendarMode mode : {CalendarMode::Historical, CalendarMode::Julian}) {
        for (std::int64_t year : {-500LL, -1LL, 0LL, 1LL, 1582LL, 1583LL, 1900LL, 2000LL}) {
            for (auto [month, day] : {std::pair{1, 1}, {2, 29}, {4, 31}, {10, 10}}) {
                EXPECT_EQ(convert(mode, year, month, day).mode, mode)
                    << static_cast<int>(mode) << " " << day << "." << month << "." << year;
            }
        }
    }
}

TEST(NonexistentFlag, IsSetByARejectionAndNeverCleared) {
    ConversionState state;
    EXPECT_EQ(era_day_from_date(state, 2017, 4, 31), 0);
    EXPECT_TRUE(state.date_nonexistent);
    EXPECT_EQ(era_day_from_date(state, 1970, 1, 1), 719163);
    EXPECT_TRUE(state.date_nonexistent);

    ConversionState untouched;
    EXPECT_EQ(era_day_from_date(untouched, 1970, 1, 1), 719163);
    EXPECT_FALSE(untouched.date_nonexistent);
}

TEST(CalendarTag, MarksExactlyTheDaysOfTheOtherCalendarsEra) {
    // Around both ends of the reform and around the Era's start.
    for (std::int64_t era_day = -400; era_day <= 400; ++era_day) {
        ConversionState state;
        state.calendar_mode = CalendarMode::Gregorian;
        date_from_era_day(state, era_day);
        EXPECT_EQ(state.calendar_tag, era_day >= 0 ? "(G)" : "") << era_day;
    }
    for (std::int64_t era_day = 577736 - 400; era_day <= 577736 + 400; ++era_day) {
        for (CalendarMode mode :
             {CalendarMode::Historical, CalendarMode::Julian, CalendarMode::Gregorian}) {
            ConversionState state;
            state.calendar_mode = mode;
            date_from_era_day(state, era_day);
            std::string_view expected;
            if (mode == CalendarMode::Julian && era_day >= 577736) expected = "(J)";
            if (mode == CalendarMode::Gregorian && era_day < 577736) expected = "(G)";
            EXPECT_EQ(state.calendar_tag, expected) << static_cast<int>(mode) << " " << era_day;
        }
    }
}

TEST(CalendarTag, IsNeverClearedAndSurvivesTheSecondCalendarsCall) {
    ConversionState state;
    state.calendar_mode = CalendarMode::Gregorian;
    date_from_era_day(state, 100'000);
    EXPECT_EQ(state.calendar_tag, "(G)");
    // The same day in the Julian calendar, as the report shows it next.
    state.calendar_mode = CalendarMode::Julian;
    date_from_era_day(state, 100'000);
    EXPECT_EQ(state.calendar_tag, "(G)");
    state.calendar_mode = CalendarMode::Historical;
    date_from_era_day(state, 719163);
    EXPECT_EQ(state.calendar_tag, "(G)");
    date_from_era_day(state, -5);
    EXPECT_EQ(state.calendar_tag, "(G)");

    ConversionState julian;
    julian.calendar_mode = CalendarMode::Julian;
    date_from_era_day(julian, 719163);
    EXPECT_EQ(julian.calendar_tag, "(J)");
    julian.calendar_mode = CalendarMode::Gregorian;
    date_from_era_day(julian, 719163);
    EXPECT_EQ(julian.calendar_tag, "(J)");
}

TEST(CalendarDate, TheStateFormWritesWhatThePureFormComputes) {
    for (CalendarMode mode :
         {CalendarMode::Historical, CalendarMode::Julian, CalendarMode::Gregorian}) {
        for (std::int64_t era_day = -40'000; era_day <= 800'000; era_day += 7) {
            const CalendarDate date = calendar_date_from_era_day(mode, era_day);
            ConversionState state;
            state.calendar_mode = mode;
            date_from_era_day(state, era_day);
            ASSERT_EQ(state.year, date.year) << era_day;
            ASSERT_EQ(state.month, date.month) << era_day;
            ASSERT_EQ(state.day, date.day) << era_day;
            ASSERT_EQ(state.calendar_tag, calendar_tag_of(mode, era_day)) << era_day;
            ASSERT_EQ(state.calendar_mode, mode) << era_day;
        }
    }
}

TEST(ReferenceCalendar, TheStepperFollowsTheWalk) {
    for (CalendarMode mode :
         {CalendarMode::Historical, CalendarMode::Julian, CalendarMode::Gregorian}) {
        reference::DayStepper stepper(mode, -20'000);
        for (; stepper.era_day() < 800'000; stepper.advance()) {
            if (stepper.era_day() % 499 != 0 && stepper.era_day() != 0 &&
                stepper.era_day() != 577736) {
                continue;
            }
            ASSERT_EQ(stepper.date(), reference::walk_date(mode, stepper.era_day()))
                << static_cast<int>(mode) << " " << stepper.era_day();
        }
    }
}

}  // namespace
}  // namespace morvek
