#include "command/parse_time_of_day.h"

#include <gtest/gtest.h>

#include <string>

#include "timescale_test_support.h"

namespace morvek::cli {
namespace {

struct TimeReading {
    std::int32_t result;
    ConversionState state;
};

TimeReading read_time(const std::string& text, std::int32_t day = 1, std::int32_t month = 1,
                      std::int32_t year = 2000) {
    TimeReading reading{0, {}};
    reading.state.day = day;
    reading.state.month = month;
    reading.state.year = year;
    reading.result = parse_time_of_day(reading.state, text);
    return reading;
}

TEST(ParseTimeOfDay, FieldsAndEmptyFields) {
    struct Case {
        const char* text;
        std::int32_t hour, minute, second;
    };
    for (const Case& c : {Case{"00:00:00", 0, 0, 0}, Case{"::", 0, 0, 0}, Case{"12:30:", 12, 30, 0},
                          Case{":30:15", 0, 30, 15}, Case{"1:2:3", 1, 2, 3}, Case{"23:59:59", 23, 59, 59},
                          Case{"1a:2b:3c", 1, 2, 3}, Case{" 9:+5: 7", 9, 5, 7}, Case{"-0:00:00", 0, 0, 0}}) {
        const TimeReading read = read_time(c.text);
        EXPECT_FALSE(testing::any_flag(read.state)) << c.text;
        EXPECT_EQ(read.result, c.hour * 3600 + c.minute * 60 + c.second) << c.text;
        EXPECT_EQ(read.state.hour, c.hour) << c.text;
        EXPECT_EQ(read.state.minute, c.minute) << c.text;
        EXPECT_EQ(read.state.second, c.second) << c.text;
        EXPECT_EQ(read.state.leap_second, 0) << c.text;
    }
}

TEST(ParseTimeOfDay, MalformedTimesAreBadFormat) {
    for (const char* malformed : {"24:00:00", "12:60:00", "12:00:61", "-1:00:00", "12:-1:00", "12:00:-1",
                                  "123:00:00", "12:000:00", "12:00:000", "12", "12:30", "", ":", "12.30.00",
                                  "12:30:00:", "99:00:00"}) {
        ConversionState state;
        state.hour = 7;
        state.leap_second = 1;
        EXPECT_EQ(parse_time_of_day(state, malformed), 0) << malformed;
        EXPECT_TRUE(state.bad_format) << malformed;
        EXPECT_FALSE(state.time_nonexistent) << malformed;
        EXPECT_EQ(state.leap_second, 0) << malformed;
    }
}

TEST(ParseTimeOfDay, SecondSixtyOnlyAtTheEndOfALeapSecondDay) {
    const TimeReading leap = read_time("23:59:60", 31, 12, 2016);
    EXPECT_EQ(leap.result, 86400);
    EXPECT_EQ(leap.state.leap_second, 1);
    EXPECT_EQ(leap.state.second, 60);
    EXPECT_FALSE(testing::any_flag(leap.state));

    for (const auto& [text, day, month, year] :
         {std::tuple{"23:59:60", 31, 12, 2017}, std::tuple{"23:59:60", 30, 6, 2016},
          std::tuple{"23:58:60", 31, 12, 2016}, std::tuple{"22:59:60", 30, 6, 1972},
          std::tuple{"00:00:60", 1, 1, 2017}}) {
        const TimeReading read = read_time(text, day, month, year);
        EXPECT_TRUE(read.state.time_nonexistent) << text << " " << day << "." << month << "." << year;
        EXPECT_FALSE(read.state.bad_format);
        EXPECT_EQ(read.result, 0);
    }
}

}  // namespace
}  // namespace morvek::cli
