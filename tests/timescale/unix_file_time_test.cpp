#include "command/unix_file_time_in_state.h"
#include "morvek/moment.h"

#include <gtest/gtest.h>

#include <limits>

#include "command/date_time_from_era_seconds.h"
#include "timescale_test_support.h"

namespace morvek::cli {
namespace {

constexpr std::int64_t int64_max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64_min = std::numeric_limits<std::int64_t>::min();
// The largest Unix time whose E0, 27 leap seconds included, fits.
constexpr std::int64_t unix_time_limit = int64_max - unix_epoch_e0 - 27;
constexpr std::int64_t file_units = 10000000;

std::int64_t unix_from(std::int64_t e0, std::int32_t leap_second) {
    ConversionState state;
    state.leap_second = leap_second;
    return unix_time_from_era_seconds(state, e0);
}

TEST(UnixTime, EdgeValues) {
    EXPECT_EQ(era_seconds_from_unix(0), 62135596800);
    EXPECT_EQ(era_seconds_from_unix(-1), 62135596799);
    EXPECT_EQ(era_seconds_from_unix(-62135596800), 0);
    EXPECT_EQ(era_seconds_from_unix(-62135596801), -1);
    EXPECT_EQ(era_seconds_from_unix(78796799), 62214393599);
    EXPECT_EQ(era_seconds_from_unix(78796800), 62214393601);
    EXPECT_EQ(era_seconds_from_unix(1483228799), 63618825625);
    EXPECT_EQ(era_seconds_from_unix(1483228800), 63618825627);

    EXPECT_EQ(unix_from(62214393600, 1), 78796800);
    EXPECT_EQ(unix_from(62214393601, 0), 78796800);
    EXPECT_EQ(unix_from(62214393599, 0), 78796799);
    EXPECT_EQ(unix_from(0, 0), -62135596800);
}

TEST(UnixTime, EndsOfTheRangeStayDefined) {
    EXPECT_EQ(unix_time_limit, 9223371974719178980);
    EXPECT_EQ(era_seconds_from_unix(unix_time_limit), int64_max);
    EXPECT_EQ(era_seconds_from_unix(unix_time_limit + 1), int64_max);
    EXPECT_EQ(era_seconds_from_unix(int64_max), int64_max);
    EXPECT_EQ(era_seconds_from_unix(int64_min), int64_min + unix_epoch_e0);
    EXPECT_EQ(unix_from(int64_min, 0), int64_min);
    EXPECT_EQ(unix_from(int64_min + 5, 0), int64_min);
    EXPECT_EQ(unix_from(int64_max, 0), unix_time_limit);
    EXPECT_EQ(unix_from(int64_max, 1), unix_time_limit + 1);
}

// Through E0 and the shown date and time, and back.
void expect_unix_round_trip(std::int64_t unix_time) {
    const std::int64_t e0 = era_seconds_from_unix(unix_time);
    ConversionState state;
    const std::int64_t midnight = date_time_from_era_seconds(state, e0);
    EXPECT_EQ(state.leap_second, 0) << unix_time;
    EXPECT_EQ(midnight + state.second_of_day, e0) << unix_time;
    EXPECT_EQ(unix_time_from_era_seconds(state, e0), unix_time);
}

TEST(UnixTime, RoundTrips) {
    for (std::size_t k = 0; k < detail::leap_second_table.size(); ++k) {
        const std::int64_t next_midnight =
            detail::leap_second_table[k] - static_cast<std::int64_t>(k) - unix_epoch_e0;
        for (std::int64_t d = -3; d <= 3; ++d) expect_unix_round_trip(next_midnight + d);
    }
    for (std::int64_t d = -3; d <= 3; ++d) {
        expect_unix_round_trip(d);
        expect_unix_round_trip(d - unix_epoch_e0);
        expect_unix_round_trip(unix_time_limit - 3 + d);
        expect_unix_round_trip(int64_min + 3 + d);
    }
    auto random = testing::fixed_random();
    std::uniform_int_distribution<std::int64_t> anywhere(int64_min, unix_time_limit);
    std::uniform_int_distribution<std::int64_t> reportable(-testing::era_seconds_sample_limit,
                                                           testing::era_seconds_sample_limit);
    for (int i = 0; i < 5000; ++i) {
        expect_unix_round_trip(anywhere(random));
        expect_unix_round_trip(reportable(random));
    }
}

TEST(FileTime, EdgeValues) {
    struct Case {
        std::int64_t file_time, e0;
        std::int32_t millis, micros, ticks;
    };
    for (const Case& c : {Case{0, 50491123200, 0, 0, 0}, Case{12345678, 50491123201, 234, 567, 8},
                          Case{116444736000000000, 62135596800, 0, 0, 0},
                          Case{int64_max, 972828326912, 477, 580, 7}}) {
        ConversionState state;
        EXPECT_EQ(era_seconds_from_file_time(state, c.file_time), c.e0) << c.file_time;
        EXPECT_EQ(state.millis, c.millis) << c.file_time;
        EXPECT_EQ(state.micros, c.micros) << c.file_time;
        EXPECT_EQ(state.ticks, c.ticks) << c.file_time;
        EXPECT_EQ(file_time_from_era_seconds(state, c.e0), c.file_time);
    }
    for (const std::int64_t negative : {std::int64_t{-1}, int64_min}) {
        ConversionState state;
        EXPECT_EQ(era_seconds_from_file_time(state, negative), 50491123200);
        EXPECT_EQ(state.millis + state.micros + state.ticks, 0);
        EXPECT_EQ(file_time_from_era_seconds(state, 50491123200), 0);
    }

    const ConversionState whole_seconds;
    for (const std::int64_t before_1601 : {std::int64_t{50491123199}, std::int64_t{0}, std::int64_t{-1}, int64_min}) {
        EXPECT_EQ(file_time_from_era_seconds(whole_seconds, before_1601), 0);
    }
    // The leap second has the FILE time of the second before it.
    EXPECT_EQ(file_time_from_era_seconds(whole_seconds, 62214393599), 117232703990000000);
    EXPECT_EQ(file_time_from_era_seconds(whole_seconds, 62214393600), 117232703990000000);
    EXPECT_EQ(file_time_from_era_seconds(whole_seconds, 62214393601), 117232704000000000);
}

TEST(FileTime, BeyondTheRangeIsMinusOne) {
    ConversionState state;
    EXPECT_EQ(file_time_from_era_seconds(state, 972828326912), 9223372036850000000);
    state.millis = 477;
    state.micros = 580;
    state.ticks = 7;
    EXPECT_EQ(file_time_from_era_seconds(state, 972828326912), int64_max);
    state.ticks = 8;
    EXPECT_EQ(file_time_from_era_seconds(state, 972828326912), -1);
    const ConversionState whole_seconds;
    for (const std::int64_t e0 : {std::int64_t{972828326913}, std::int64_t{1} << 62, int64_max}) {
        EXPECT_EQ(file_time_from_era_seconds(whole_seconds, e0), -1) << e0;
    }
}

void expect_file_round_trip(std::int64_t file_time) {
    ConversionState state;
    const std::int64_t e0 = era_seconds_from_file_time(state, file_time);
    const std::int64_t midnight = date_time_from_era_seconds(state, e0);
    EXPECT_EQ(midnight + state.second_of_day, e0) << file_time;
    EXPECT_EQ(state.leap_second, 0) << file_time;
    EXPECT_EQ(file_time_from_era_seconds(state, e0), file_time);
}

TEST(FileTime, RoundTrips) {
    auto around = [](std::int64_t centre) {
        for (std::int64_t s = -3; s <= 3; ++s) {
            for (std::int64_t d = -3; d <= 3; ++d) {
                const std::int64_t file_time = centre + s * file_units + d;
                if (file_time >= 0) expect_file_round_trip(file_time);
            }
        }
    };
    for (std::size_t k = 0; k < detail::leap_second_table.size(); ++k) {
        around((detail::leap_second_table[k] - static_cast<std::int64_t>(k) - file_epoch_e0) * file_units);
    }
    around(0);
    around(116444736000000000);
    for (std::int64_t d = 0; d < 1000; ++d) {
        expect_file_round_trip(d);
        expect_file_round_trip(int64_max - d);
    }
    auto random = testing::fixed_random();
    std::uniform_int_distribution<std::int64_t> anywhere(0, int64_max);
    for (int i = 0; i < 10000; ++i) expect_file_round_trip(anywhere(random));
}

}  // namespace
}  // namespace morvek::cli
