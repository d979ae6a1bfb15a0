// What the conversion of Era seconds shows, read back as a typed date and
// time, is the same moment.

#include <gtest/gtest.h>

#include <cstdlib>

#include "command/date_time_from_era_seconds.h"
#include "timescale_test_support.h"

namespace morvek::cli {
namespace {

using testing::era_seconds_sample_limit;
using testing::printed_date;
using testing::printed_time;

// The state after a conversion, read back: the date text gives the
// midnight D, the time text the seconds into the day.
void expect_reads_back(const ConversionState& shown, std::int64_t midnight, std::int64_t e0) {
    ASSERT_EQ(midnight + shown.second_of_day, e0);
    const testing::ReadBack read = testing::read_back(printed_date(shown), printed_time(shown));
    ASSERT_FALSE(testing::any_flag(read.state)) << printed_date(shown) << " " << printed_time(shown);
    EXPECT_EQ(read.midnight, midnight) << e0;
    EXPECT_EQ(read.second_of_day, shown.second_of_day) << e0;
    EXPECT_EQ(read.state.leap_second, shown.leap_second) << e0;
}

void expect_e0_round_trip(std::int64_t e0) {
    ConversionState shown;
    const std::int64_t midnight = date_time_from_era_seconds(shown, e0);
    expect_reads_back(shown, midnight, e0);
}

// E3 and E6: the whole seconds read back, and the sub-second parts rebuild
// the input; in the last second before the Era the shown time is the
// second before 0 while the sum stays 0.
void expect_sub_second_round_trip(ConversionState& shown, std::int64_t midnight, std::int64_t whole,
                                  std::int64_t rebuilt, std::int64_t input, bool last_second_before_era) {
    EXPECT_EQ(rebuilt, input);
    if (last_second_before_era) {
        EXPECT_EQ(midnight + shown.second_of_day, 0) << input;
        const testing::ReadBack read = testing::read_back(printed_date(shown), printed_time(shown));
        EXPECT_EQ(read.moment(), -1) << input;
        return;
    }
    expect_reads_back(shown, midnight, whole);
}

void expect_e3_round_trip(std::int64_t e3) {
    ConversionState shown;
    const std::int64_t midnight = date_time_from_e3(shown, e3);
    const std::int64_t whole = midnight + shown.second_of_day;
    expect_sub_second_round_trip(shown, midnight, whole, whole * 1000 + shown.millis, e3, e3 < 0 && e3 > -1000);
    EXPECT_LT(std::abs(shown.millis), 1000);
}

void expect_e6_round_trip(std::int64_t e6) {
    ConversionState shown;
    const std::int64_t midnight = date_time_from_e6(shown, e6);
    const std::int64_t whole = midnight + shown.second_of_day;
    expect_sub_second_round_trip(shown, midnight, whole,
                                 whole * 1000000 + shown.millis * 1000 + shown.micros, e6,
                                 e6 < 0 && e6 > -1000000);
    EXPECT_LT(std::abs(shown.millis), 1000);
    EXPECT_LT(std::abs(shown.micros), 1000);
}

TEST(DateTimeRoundTrip, EraSecondsAroundLeapSecondsAndTheEra) {
    for (const std::int64_t e0 : testing::era_seconds_windows()) expect_e0_round_trip(e0);
}

TEST(DateTimeRoundTrip, EraSecondsAtRandom) {
    auto random = testing::fixed_random();
    std::uniform_int_distribution<std::int64_t> anywhere(-era_seconds_sample_limit, era_seconds_sample_limit);
    std::uniform_int_distribution<std::int64_t> common_era(0, 400LL * 366 * 86400 + 63618825626);
    for (int i = 0; i < 5000; ++i) {
        expect_e0_round_trip(anywhere(random));
        expect_e0_round_trip(common_era(random));
    }
}

TEST(DateTimeRoundTrip, MillisecondsEverywhereInTheWindows) {
    for (const std::int64_t e0 : testing::era_seconds_windows()) {
        for (std::int64_t millis = -999; millis <= 999; ++millis) expect_e3_round_trip(e0 * 1000 + millis);
    }
    auto random = testing::fixed_random();
    std::uniform_int_distribution<std::int64_t> anywhere(-era_seconds_sample_limit * 1000,
                                                         era_seconds_sample_limit * 1000);
    for (int i = 0; i < 5000; ++i) expect_e3_round_trip(anywhere(random));
}

TEST(DateTimeRoundTrip, MicrosecondsAtTheEdgesOfEverySecondInTheWindows) {
    for (const std::int64_t e0 : testing::era_seconds_windows()) {
        for (const std::int64_t offset : {0LL, 1LL, 2LL, 999LL, 1000LL, 1001LL, 500000LL, 998999LL, 999000LL,
                                          999998LL, 999999LL}) {
            expect_e6_round_trip(e0 * 1000000 + offset);
            expect_e6_round_trip(e0 * 1000000 - offset);
        }
    }
    auto random = testing::fixed_random();
    std::uniform_int_distribution<std::int64_t> anywhere(-era_seconds_sample_limit * 1000000,
                                                         era_seconds_sample_limit * 1000000);
    std::uniform_int_distribution<std::int64_t> near_era(-3000000, 3000000);
    for (int i = 0; i < 5000; ++i) {
        expect_e6_round_trip(anywhere(random));
        expect_e6_round_trip(near_era(random));
    }
}

}  // namespace
}  // namespace morvek::cli
