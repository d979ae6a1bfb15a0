// Known dates and day numbers, each checked against the code and against the
// reference walk, so that a fault in either one shows.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string_view>
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
using reference::Mode;
constexpr Mode H = Mode::Historical;
constexpr Mode J = Mode::Julian;
constexpr Mode G = Mode::Gregorian;
constexpr std::int64_t rejected = 0;

struct DateCase {
    Mode mode;
    std::int32_t day;
    std::int32_t month;
    std::int64_t year;
    std::int64_t era_day;  // 0: the date does not exist in the mode
};

std::ostream& operator<<(std::ostream& out, const DateCase& c) {
    return out << "mode " << static_cast<int>(c.mode) << " " << c.day << "." << c.month << "."
               << c.year;
}

const std::vector<DateCase> date_cases = {
    // The first day of the Era and the years around it.
    {H, 1, 1, 1, 1}, {J, 1, 1, 1, 1}, {G, 1, 1, 1, 1},
    {H, 31, 12, 1, 365}, {J, 31, 12, 1, 365}, {G, 31, 12, 1, 365},
    {H, 31, 12, 4, 1460}, {J, 31, 12, 4, 1460}, {G, 31, 12, 4, 1461},
    {H, 29, 2, 4, rejected}, {J, 29, 2, 4, rejected}, {G, 29, 2, 4, 1155},
    {H, 29, 2, 8, rejected}, {J, 29, 2, 8, rejected}, {G, 29, 2, 8, 2616},
    {H, 29, 2, 12, 4075}, {J, 29, 2, 12, 4075}, {G, 29, 2, 12, 4077},
    {H, 1, 3, 13, 4441}, {J, 1, 3, 13, 4441}, {G, 1, 3, 13, 4443},
    // The reform of 1582.
    {G, 31, 12, 1581, 577448}, {G, 1, 1, 1582, 577449},
    {H, 29, 2, 1582, rejected}, {J, 29, 2, 1582, rejected}, {G, 29, 2, 1582, rejected},
    {H, 4, 10, 1582, 577735}, {J, 4, 10, 1582, 577735}, {G, 4, 10, 1582, 577725},
    {H, 5, 10, 1582, rejected}, {J, 5, 10, 1582, 577736}, {G, 5, 10, 1582, 577726},
    {H, 14, 10, 1582, rejected}, {J, 14, 10, 1582, 577745}, {G, 14, 10, 1582, 577735},
    {H, 15, 10, 1582, 577736}, {J, 15, 10, 1582, 577746}, {G, 15, 10, 1582, 577736},
    {G, 20, 10, 1582, 577741},
    // Century years after the reform.
    {H, 29, 2, 1600, 584082}, {J, 29, 2, 1600, 584092}, {G, 29, 2, 1600, 584082},
    {H, 29, 2, 1700, rejected}, {J, 29, 2, 1700, 620617}, {G, 29, 2, 1700, rejected},
    {H, 29, 2, 2000, 730179}, {J, 29, 2, 2000, 730192}, {G, 29, 2, 2000, 730179},
    {H, 1, 1, 1970, 719163}, {J, 1, 1, 1970, 719176}, {G, 1, 1, 1970, 719163},
    {H, 31, 12, 9999, 3652059}, {J, 31, 12, 9999, 3652132}, {G, 31, 12, 9999, 3652059},
    // Days that no year has.
    {H, 31, 4, 2017, rejected}, {J, 31, 4, 2017, rejected}, {G, 31, 4, 2017, rejected},
    {H, 31, 4, 2000, rejected}, {J, 30, 2, 2000, rejected}, {G, 31, 2, 2000, rejected},
    {H, 30, 2, 2000, rejected}, {J, 31, 2, 2000, rejected}, {G, 31, 6, 2000, rejected},
    {H, 31, 9, 2000, rejected}, {J, 31, 11, 2000, rejected}, {G, 31, 4, 2000, rejected},
    // Year 0 never exists; years before the Era only in the historical calendar.
    {H, 1, 1, 0, rejected}, {J, 1, 1, 0, rejected}, {G, 1, 1, 0, rejected},
    {J, 31, 12, -1, rejected}, {G, 31, 12, -1, rejected},
    {J, 1, 1, -45, rejected}, {G, 15, 6, -12345, rejected},
    // Before the Era: the triennial years and the 900-year rule.
    {H, 31, 12, -1, -1}, {H, 1, 1, -1, -365}, {H, 31, 12, -2, -366},
    {H, 31, 12, -4, -1096}, {H, 29, 2, -4, rejected}, {H, 31, 12, -5, -1461},
    {H, 29, 2, -5, -1767}, {H, 29, 2, -44, -16015}, {H, 29, 2, -45, rejected},
    {H, 1, 1, -45, -16439}, {H, 31, 12, -46, -16440}, {H, 1, 1, -46, -16804},
    {H, 29, 2, -48, -17476}, {H, 29, 2, -100, rejected}, {H, 29, 2, -200, -72993},
    {H, 29, 2, -600, -219090}, {H, 29, 2, -900, rejected}, {H, 1, 3, -1000, -365186},
    {H, 15, 6, -12345, -4508754},
};

TEST(Landmarks, DatesGiveTheirEraDaysOrAreRejected) {
    for (const DateCase& c : date_cases) {
        ConversionState state;
        state.calendar_mode = c.mode;
        EXPECT_EQ(era_day_from_date(state, c.year, c.month, c.day), c.era_day) << c;
        EXPECT_EQ(state.date_nonexistent, c.era_day == rejected) << c;
    }
}

TEST(Landmarks, TheReferenceAgrees) {
    for (const DateCase& c : date_cases) {
        EXPECT_EQ(reference::exists(c.mode, c.year, c.month, c.day), c.era_day != rejected) << c;
        if (c.era_day == rejected) continue;
        const reference::Date walked = reference::walk_date(c.mode, c.era_day);
        EXPECT_EQ(walked.year, c.year) << c;
        EXPECT_EQ(walked.month, c.month) << c;
        EXPECT_EQ(walked.day, c.day) << c;
    }
}

struct DayCase {
    Mode mode;
    std::int64_t era_day;
    std::int32_t day;
    std::int32_t month;
    std::int64_t year;
    std::string_view tag;
};

std::ostream& operator<<(std::ostream& out, const DayCase& c) {
    return out << "mode " << static_cast<int>(c.mode) << " Era Day " << c.era_day;
}

constexpr std::string_view none = "";
constexpr std::string_view tag_j = "(J)";
constexpr std::string_view tag_g = "(G)";

std::vector<DayCase> day_cases() {
    std::vector<DayCase> cases = {
        {H, 1, 1, 1, 1, none}, {J, 1, 1, 1, 1, none}, {G, 1, 1, 1, 1, tag_g},
        {H, 0, 0, 1, 1, none}, {J, 0, 0, 1, 1, none}, {G, 0, 0, 1, 1, tag_g},
        {H, 4075, 29, 2, 12, none}, {J, 4075, 29, 2, 12, none}, {G, 4075, 27, 2, 12, tag_g},
        {H, 577448, 21, 12, 1581, none}, {J, 577448, 21, 12, 1581, none},
        {G, 577448, 31, 12, 1581, tag_g}, {G, 577449, 1, 1, 1582, tag_g},
        {H, 577735, 4, 10, 1582, none}, {J, 577735, 4, 10, 1582, none},
        {G, 577735, 14, 10, 1582, tag_g},
        {H, 577736, 15, 10, 1582, none}, {J, 577736, 5, 10, 1582, tag_j},
        {G, 577736, 15, 10, 1582, none},
        {H, 719163, 1, 1, 1970, none}, {J, 719163, 19, 12, 1969, tag_j},
        {G, 719163, 1, 1, 1970, none},
        {H, 730240, 30, 4, 2000, none}, {J, 730240, 17, 4, 2000, tag_j},
        {G, 730240, 30, 4, 2000, none},
        {H, 3652059, 31, 12, 9999, none}, {J, 3652059, 19, 10, 9999, tag_j},
        {G, 3652059, 31, 12, 9999, none},
    };
    // Days before the Era are historical dates in every mode, never tagged.
    const std::vector<DayCase> before_era = {
        {H, -1, 31, 12, -1, none},        {H, -365, 1, 1, -1, none},
        {H, -366, 31, 12, -2, none},      {H, -1767, 29, 2, -5, none},
        {H, -16439, 1, 1, -45, none},     {H, -16440, 31, 12, -46, none},
        {H, -16804, 1, 1, -46, none},     {H, -17476, 29, 2, -48, none},
        {H, -72993, 29, 2, -200, none},   {H, -100000, 22, 3, -274, none},
    };
    for (Mode mode : {H, J, G}) {
        for (DayCase c : before_era) {
            c.mode = mode;
            cases.push_back(c);
        }
    }
    return cases;
}

TEST(Landmarks, EraDaysGiveTheirDatesAndTags) {
    for (const DayCase& c : day_cases()) {
        const CalendarDate date = calendar_date_from_era_day(c.mode, c.era_day);
        EXPECT_EQ(date.year, c.year) << c;
        EXPECT_EQ(date.month, c.month) << c;
        EXPECT_EQ(date.day, c.day) << c;
        EXPECT_EQ(calendar_tag_of(c.mode, c.era_day), c.tag) << c;

        ConversionState state;
        state.calendar_mode = c.mode;
        date_from_era_day(state, c.era_day);
        EXPECT_EQ(state.year, c.year) << c;
        EXPECT_EQ(state.month, c.month) << c;
        EXPECT_EQ(state.day, c.day) << c;
        EXPECT_EQ(state.calendar_tag, c.tag) << c;
        EXPECT_EQ(state.calendar_mode, c.mode) << c;
        EXPECT_FALSE(state.date_nonexistent) << c;

        const reference::Date walked = reference::walk_date(c.mode, c.era_day);
        EXPECT_EQ(walked, (reference::Date{c.year, c.month, c.day, c.tag})) << c;

        // The public form: no date for Era Day 0 nor, outside the historical
        // calendar, for days before the Era.
        const Result<Date> public_date = morvek::date_from_era_day(c.mode, c.era_day);
        if (c.era_day > 0 || (c.era_day < 0 && c.mode == CalendarMode::Historical)) {
            const Date want{static_cast<std::int32_t>(c.year), c.month, c.day};
            ASSERT_TRUE(public_date.has_value()) << c;
            EXPECT_EQ(*public_date, want) << c;
            EXPECT_EQ(morvek::era_day_from_date(c.mode, want).value_or(0), c.era_day) << c;
            EXPECT_EQ(outside_civil_use(c.mode, c.era_day), !c.tag.empty()) << c;
        } else {
            EXPECT_EQ(public_date.error(), Status::nonexistent_date) << c;
        }
    }
}

}  // namespace
}  // namespace morvek
