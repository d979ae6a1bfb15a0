#include "command/parse_date.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "timescale_test_support.h"

namespace morvek::cli {
namespace {

struct DateReading {
    std::int64_t result;
    ConversionState state;
};

DateReading read_date(const std::string& text, CalendarMode mode = CalendarMode::Historical,
                      std::int32_t digit_count = 0) {
    DateReading reading{0, {}};
    reading.state.calendar_mode = mode;
    reading.state.digit_count = digit_count;
    reading.result = parse_date(reading.state, text);
    return reading;
}

TEST(ParseDate, MidnightCountsTheLeapSecondsBeforeTheDay) {
    EXPECT_EQ(read_date("01.01.0001").result, 0);
    EXPECT_EQ(read_date("31.12.-1").result, -86400);
    EXPECT_EQ(read_date("30.06.1972").result, 720073LL * 86400);
    EXPECT_EQ(read_date("01.07.1972").result, 720074LL * 86400 + 1);
    EXPECT_EQ(read_date("31.12.2016").result, 736328LL * 86400 + 26);
    EXPECT_EQ(read_date("01.01.2017").result, 736329LL * 86400 + 27);
    EXPECT_EQ(read_date("01.01.2017", CalendarMode::Gregorian).result, 736329LL * 86400 + 27);

    const DateReading read = read_date("30.06.1972");
    EXPECT_FALSE(testing::any_flag(read.state));
    EXPECT_EQ(read.state.day, 30);
    EXPECT_EQ(read.state.month, 6);
    EXPECT_EQ(read.state.year, 1972);
}

TEST(ParseDate, FieldWidthsSeparatorsAndSigns) {
    const std::int64_t first_of_february = read_date("01.02.2000").result;
    for (const char* same : {"1.2.2000", "01.2.2000", "+1.+2.2000", " 1. 2. 2000", "1a.2b.2000x",
                             "01.02.0000002000"}) {
        const DateReading read = read_date(same);
        EXPECT_EQ(read.result, first_of_february) << same;
        EXPECT_FALSE(testing::any_flag(read.state)) << same;
    }
    for (const char* malformed : {"001.02.2000", "01.002.2000", "01.02", "01", "", ".01.2000", "01..2000",
                                  "01/02/2000", "0.01.2000", "32.01.2000", "-1.01.2000", "01.0.2000",
                                  "01.13.2000", "01.-1.2000", "x.01.2000", "01.02.00000002000"}) {
        const DateReading read = read_date(malformed);
        EXPECT_TRUE(read.state.bad_format) << malformed;
        EXPECT_FALSE(read.state.date_nonexistent) << malformed;
        EXPECT_EQ(read.result, 0) << malformed;
    }
    // The fields read before the failure stay.
    const DateReading late_failure = read_date("05.13.2000");
    EXPECT_EQ(late_failure.state.day, 5);
    EXPECT_EQ(late_failure.state.month, 0);
}

TEST(ParseDate, YearZeroAndMissingYearsDoNotExist) {
    for (const char* no_year : {"01.02.", "01.02.x", "01.02.0", "01.02.-0", "01.02.+", "01.02.  "}) {
        const DateReading read = read_date(no_year);
        EXPECT_TRUE(read.state.date_nonexistent) << no_year;
        EXPECT_FALSE(read.state.bad_format) << no_year;
        EXPECT_EQ(read.result, 0) << no_year;
        EXPECT_EQ(read.state.year, 0) << no_year;
    }
}

TEST(ParseDate, NonexistentDatesReturnOnlyTheMonthsLeapSeconds) {
    const DateReading april = read_date("31.04.2017");
    EXPECT_TRUE(april.state.date_nonexistent);
    EXPECT_EQ(april.result, 27);
    const DateReading reform = read_date("10.10.1582");
    EXPECT_TRUE(reform.state.date_nonexistent);
    EXPECT_EQ(reform.result, 0);
    EXPECT_TRUE(read_date("29.02.1900").state.date_nonexistent);
    EXPECT_TRUE(read_date("01.01.-1", CalendarMode::Julian).state.date_nonexistent);
}

TEST(ParseDate, YearsBeyondThirtyTwoBitsAreReadWhole) {
    // 400 Gregorian years always hold 146097 days, however far out.
    const DateReading far = read_date("01.01.9999999599");
    const DateReading farther = read_date("01.01.9999999999");
    EXPECT_FALSE(testing::any_flag(far.state));
    EXPECT_FALSE(testing::any_flag(farther.state));
    EXPECT_EQ(farther.result - far.result, 146097LL * 86400);
    EXPECT_EQ(farther.state.year, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ((farther.result - 27) % 86400, 0);

    const DateReading early = read_date("31.12.-999999999");
    EXPECT_FALSE(testing::any_flag(early.state));
    EXPECT_EQ(early.state.year, -999999999);
    EXPECT_LT(early.result, -999999998LL * 365 * 86400);
    EXPECT_EQ(early.result % 86400, 0);
}

TEST(ParseDate, JulianTextIsCountedByItsCivilDate) {
    // Julian 19.12.2016 is 01.01.2017 of the civil calendar.
    ConversionState typed;
    typed.calendar_mode = CalendarMode::Julian;
    typed.second_of_day = 1234;
    typed.hour = 5;
    EXPECT_EQ(parse_date(typed, "19.12.2016"), 736329LL * 86400 + 27);
    EXPECT_EQ(typed.day, 1);
    EXPECT_EQ(typed.month, 1);
    EXPECT_EQ(typed.year, 2017);
    EXPECT_EQ(typed.second_of_day, 0);
    EXPECT_EQ(typed.hour, 5);
    EXPECT_EQ(typed.calendar_mode, CalendarMode::Julian);
    EXPECT_TRUE(typed.calendar_tag.empty());

    // A day count keeps the date in its own calendar but counts the same.
    const DateReading counted = read_date("19.12.2016", CalendarMode::Julian, 6);
    EXPECT_EQ(counted.result, 736329LL * 86400 + 27);
    EXPECT_EQ(counted.state.day, 19);
    EXPECT_EQ(counted.state.month, 12);
    EXPECT_EQ(counted.state.year, 2016);

    // Julian 18.06.1972 is 01.07.1972: one leap second already, by the civil month.
    EXPECT_EQ(read_date("18.06.1972", CalendarMode::Julian, 6).result, 720074LL * 86400 + 1);
    // Day 1 is the same date everywhere and needs no replacement.
    EXPECT_EQ(read_date("01.01.0001", CalendarMode::Julian).result, 0);
}

TEST(ParseDate, GregorianDateAfterTheReformSwitchesToHistorical) {
    const DateReading modern = read_date("01.01.1970", CalendarMode::Gregorian);
    EXPECT_EQ(modern.result, 719162LL * 86400);
    EXPECT_EQ(modern.state.calendar_mode, CalendarMode::Historical);
    const DateReading old = read_date("20.10.1582", CalendarMode::Gregorian);
    EXPECT_EQ(old.result, 577740LL * 86400);
    EXPECT_EQ(old.state.calendar_mode, CalendarMode::Gregorian);
    EXPECT_EQ(old.state.day, 20);  // the same day in the civil calendar
}

}  // namespace
}  // namespace morvek::cli
