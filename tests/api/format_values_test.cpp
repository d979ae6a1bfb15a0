// The integer formats counted from an epoch: each value read as its moment
// is the moment the scale functions of moment.h give for the same count,
// reached by their own arithmetic, and reads back to itself.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

#include "morvek/formats.h"
#include "morvek/moment.h"

namespace morvek {
namespace {

__extension__ typedef __int128 int128;

std::int64_t floor_div(int128 a, int128 b) { return static_cast<std::int64_t>(a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0)); }
std::int64_t floor_mod(int128 a, int128 b) { return static_cast<std::int64_t>(a - static_cast<int128>(floor_div(a, b)) * b); }

// Unix seconds of the epochs, from the calendar (proleptic Gregorian days).
std::int64_t unix_midnight(std::int32_t year, std::int32_t month, std::int32_t day) {
    return (*era_day_from_date(CalendarMode::Gregorian, {year, month, day}) - 719163) * 86400;
}

// The moment of `count` units of 10^-digits s after a leap-free epoch, by Unix time.
std::optional<Moment> leap_free(std::int64_t epoch_unix, int128 count, std::int64_t per_second) {
    const int128 seconds = static_cast<int128>(floor_div(count, per_second)) + epoch_unix;
    if (seconds < min_unix_time || seconds > max_unix_time) return std::nullopt;
    const auto nanosecond = static_cast<std::int32_t>(floor_mod(count, per_second) * (1000000000 / per_second));
    const Result<Moment> moment = moment_from_unix_time({static_cast<std::int64_t>(seconds), nanosecond});
    return moment ? std::optional<Moment>(*moment) : std::nullopt;
}

std::optional<Moment> expected(Format format, std::int64_t value) {
    const auto from = [](Result<Moment> moment) { return moment ? std::optional<Moment>(*moment) : std::nullopt; };
    switch (format) {
        case Format::e0: return from(moment_from_e0(value));
        case Format::e3: return from(moment_from_e3(value));
        case Format::e6: return from(moment_from_e6(value));
        case Format::unix_time: return leap_free(0, value, 1);
        case Format::unix_ms: return leap_free(0, value, 1000);
        case Format::unix_us: return leap_free(0, value, 1000000);
        case Format::unix_ns: return leap_free(0, value, 1000000000);
        case Format::file_time: return value < 0 ? std::nullopt : from(moment_from_file_time(value));
        case Format::webkit: return leap_free(unix_midnight(1601, 1, 1), value, 1000000);
        case Format::cocoa_ns: return leap_free(unix_midnight(2001, 1, 1), value, 1000000000);
        case Format::hfs:
            if (value < 0 || value > 4294967295) return std::nullopt;
            return leap_free(unix_midnight(1904, 1, 1), value, 1);
        case Format::dotnet_ticks:
            if (value < 0 || value > 3155378975999999999) return std::nullopt;
            return leap_free(unix_midnight(1, 1, 1), value, 10000000);
        case Format::gps: {
            // Nine leap seconds had been inserted by 06.01.1980.
            const std::optional<Moment> epoch = leap_free(unix_midnight(1980, 1, 6), 0, 1);
            const int128 e0 = static_cast<int128>(epoch->seconds) + value;
            if (e0 < min_e0 || e0 > max_e0) return std::nullopt;
            return from(moment_from_e0(static_cast<std::int64_t>(e0)));
        }
        default: break;
    }
    ADD_FAILURE() << "no expectation for format " << static_cast<int>(format);
    return std::nullopt;
}

std::vector<std::int64_t> values_of_every_size() {
    std::mt19937_64 random(1601);
    std::vector<std::int64_t> values = {0, 1, -1, 999, -999, 1000, -1000, 1000001, -1000001,
                                        std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()};
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = random();
        const int shift = static_cast<int>(random() % 64);
        const auto value = static_cast<std::int64_t>(bits >> shift);
        values.push_back(i % 2 == 0 ? value : -value);
    }
    return values;
}

TEST(FormatValues, EachLinearFormatReadsAsTheScaleFunctionsCount) {
    const Format formats[] = {Format::e0, Format::e3, Format::e6, Format::unix_time, Format::unix_ms, Format::unix_us,
                              Format::unix_ns, Format::file_time, Format::webkit, Format::cocoa_ns, Format::hfs,
                              Format::dotnet_ticks, Format::gps};
    std::size_t read = 0;
    for (const Format format : formats) {
        for (const std::int64_t value : values_of_every_size()) {
            const Result<Moment> moment = moment_from_integer(format, value);
            const std::optional<Moment> want = expected(format, value);
            ASSERT_EQ(moment.has_value(), want.has_value()) << format_info(format).name << " " << value;
            if (!want) continue;
            ASSERT_EQ(*moment, *want) << format_info(format).name << " " << value;
            // Back to the value; a moment has one value per unit, so every value read is written again.
            const Result<std::int64_t> back = integer_from_moment(format, *moment);
            ASSERT_TRUE(back.has_value()) << format_info(format).name << " " << value;
            EXPECT_EQ(*back, value) << format_info(format).name;
            ++read;
        }
    }
    EXPECT_GT(read, 100000u);
}

// A column of values of every integer format gives what each value gives alone.
TEST(FormatValues, AColumnOfValuesIsEachValuesMoment) {
    const std::vector<std::int64_t> values = values_of_every_size();
    std::vector<Moment> moments(values.size());
    std::vector<Status> statuses(values.size());
    for (const FormatInfo& info : format_table) {
        std::fill(moments.begin(), moments.end(), Moment{-5, 5});
        moments_from_integers(info.format, values, moments, statuses);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const Result<Moment> alone = moment_from_integer(info.format, values[i]);
            ASSERT_EQ(statuses[i], alone.error()) << info.name << " " << values[i];
            ASSERT_EQ(moments[i], alone.value_or(Moment{})) << info.name << " " << values[i];
        }
    }
}

}  // namespace
}  // namespace morvek
