#include "command/date_time_from_era_seconds.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "timescale_test_support.h"

namespace morvek::cli {
namespace {

using testing::printed_date;
using testing::printed_time;

struct Shown {
    std::int64_t midnight;
    ConversionState state;
    std::string text() const { return printed_date(state) + " " + printed_time(state); }
};

Shown show_e0(std::int64_t e0) {
    Shown shown{0, {}};
    shown.midnight = date_time_from_era_seconds(shown.state, e0);
    return shown;
}
Shown show_e3(std::int64_t e3) {
    Shown shown{0, {}};
    shown.midnight = date_time_from_e3(shown.state, e3);
    return shown;
}
Shown show_e6(std::int64_t e6) {
    Shown shown{0, {}};
    shown.midnight = date_time_from_e6(shown.state, e6);
    return shown;
}

TEST(DateTimeFromEraSeconds, LandmarksAndDayStarts) {
    struct Case {
        std::int64_t e0;
        const char* text;
        std::int64_t midnight;
    };
    for (const Case& c : {
             Case{0, "01.01.1 00:00:00", 0},
             Case{86399, "01.01.1 23:59:59", 0},
             Case{86400, "02.01.1 00:00:00", 86400},
             Case{-1, "31.12.-1 23:59:59", -86400},
             Case{-86400, "31.12.-1 00:00:00", -86400},
             Case{-86401, "30.12.-1 23:59:59", -172800},
             Case{62135596800, "01.01.1970 00:00:00", 62135596800},
             Case{50491123200, "01.01.1601 00:00:00", 50491123200},
             Case{62214393599, "30.06.1972 23:59:59", 62214307200},
             Case{62214393600, "30.06.1972 23:59:60", 62214307200},
             Case{62214393601, "01.07.1972 00:00:00", 62214393601},
             Case{62230291201, "31.12.1972 23:59:60", 62230204801},
             Case{63618825627, "01.01.2017 00:00:00", 63618825627},
         }) {
        const Shown shown = show_e0(c.e0);
        EXPECT_EQ(shown.text(), c.text) << c.e0;
        EXPECT_EQ(shown.midnight, c.midnight) << c.e0;
        EXPECT_EQ(shown.midnight + shown.state.second_of_day, c.e0) << c.e0;
        EXPECT_EQ(shown.state.leap_second, shown.state.second == 60 ? 1 : 0) << c.e0;
    }
    EXPECT_EQ(show_e0(62214393600).state.second_of_day, 86400);
    EXPECT_EQ(show_e0(-1).state.second_of_day, 86399);
}

TEST(DateTimeFromEraSeconds, SubSecondPartsCarryTheSignOfTheWhole) {
    struct Case {
        std::int64_t input;
        std::int64_t e0;
        std::int32_t millis, micros;
    };
    for (const Case& c : {Case{999, 0, 999, 0}, Case{1500, 1, 500, 0}, Case{-1000, -1, 0, 0},
                          Case{-1001, -1, -1, 0}, Case{-1500, -1, -500, 0}, Case{-86400001, -86400, -1, 0}}) {
        const Shown shown = show_e3(c.input);
        EXPECT_EQ(shown.midnight + shown.state.second_of_day, c.e0) << c.input;
        EXPECT_EQ(shown.state.millis, c.millis) << c.input;
    }
    for (const Case& c : {Case{-1000000, -1, 0, 0}, Case{1500000, 1, 500, 0}, Case{-1000001, -1, 0, -1},
                          Case{-2999999, -2, -999, -999}}) {
        const Shown shown = show_e6(c.input);
        EXPECT_EQ(shown.midnight + shown.state.second_of_day, c.e0) << c.input;
        EXPECT_EQ(shown.state.millis, c.millis) << c.input;
        EXPECT_EQ(shown.state.micros, c.micros) << c.input;
    }
    const Shown leap = show_e3(62214393600999);
    EXPECT_EQ(leap.text(), "30.06.1972 23:59:60");
    EXPECT_EQ(leap.state.millis, 999);
}

// The instants just before the Era whose whole-second part is 0.
TEST(DateTimeFromEraSeconds, LastSecondBeforeTheEra) {
    auto expect_last_second_before_era = [](const Shown& shown, std::int64_t input) {
        EXPECT_EQ(shown.text(), "31.12.-1 23:59:59") << input;
        EXPECT_EQ(shown.midnight, -86400) << input;
        EXPECT_EQ(shown.state.second_of_day, 86400) << input;
        EXPECT_EQ(shown.state.leap_second, 0) << input;
        EXPECT_TRUE(shown.state.calendar_tag.empty()) << input;
    };
    for (std::int64_t e3 = -999; e3 <= -1; ++e3) {
        const Shown shown = show_e3(e3);
        expect_last_second_before_era(shown, e3);
        EXPECT_EQ((shown.midnight + shown.state.second_of_day) * 1000 + shown.state.millis, e3);
    }
    for (const std::int64_t e6 : {-1LL, -999LL, -1000LL, -1001LL, -500000LL, -999999LL}) {
        const Shown shown = show_e6(e6);
        expect_last_second_before_era(shown, e6);
        EXPECT_EQ((shown.midnight + shown.state.second_of_day) * 1000000 + shown.state.millis * 1000 +
                      shown.state.micros,
                  e6);
    }
    EXPECT_EQ(show_e6(-1000).state.millis, -1);
    EXPECT_EQ(show_e6(-1000).state.micros, 0);
    EXPECT_EQ(show_e6(-1).state.millis, 0);
    EXPECT_EQ(show_e6(-1).state.micros, -1);

    // Nothing beyond the named fields is written.
    ConversionState state;
    state.calendar_tag = "(G)";
    state.leap_second = 0;
    date_time_from_e3(state, -5);
    EXPECT_EQ(state.calendar_tag, "(G)");
}

TEST(DateTimeFromEraSeconds, WholeRangeIsDefined) {
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    for (const std::int64_t e0 : {min, min + 1, min + 86400, max - 1, max}) {
        const Shown shown = show_e0(e0);
        EXPECT_GE(shown.state.second_of_day, 0);
        EXPECT_LT(shown.state.second_of_day, 86400);
        EXPECT_LE(shown.midnight, e0);
    }
    // Below the lowest representable midnight, D stops at the range end.
    EXPECT_EQ(show_e0(min).midnight, min);
    EXPECT_EQ(show_e0(max).midnight + show_e0(max).state.second_of_day, max);
    for (const std::int64_t input : {min, max}) {
        const Shown e3 = show_e3(input);
        EXPECT_EQ(e3.state.millis, input % 1000);
        const Shown e6 = show_e6(input);
        EXPECT_EQ(e6.state.micros, input % 1000);
    }
}

}  // namespace
}  // namespace morvek::cli
