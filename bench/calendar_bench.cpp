// Nanoseconds per call of the two date conversions, next to the year-by-year
// walk, near 2000 and near both ends of the 32-bit Era Days.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "calendar/date_from_era_day.h"
#include "calendar/era_day_from_date.h"
#include "command/calendar_in_state.h"
#include "command/conversion_state.h"
#include "reference/reference_calendar.h"

namespace {

using morvek::CalendarMode;

constexpr std::int64_t near_2000 = 2000;
constexpr std::int64_t near_end = 5'879'000;
constexpr std::int64_t near_start = -5'879'000;
constexpr std::int64_t era_day_2000 = 730'120;          // 01.01.2000
constexpr std::int64_t era_day_near_end = 2'146'000'000;
constexpr std::int64_t era_day_near_start = -2'146'000'000;

// The year, month and day wander a little from call to call so that no
// result can be computed ahead.
void era_day_from_date_bench(benchmark::State& bench, CalendarMode mode, std::int64_t year) {
    morvek::ConversionState state;
    std::uint32_t i = 0;
    for (auto _ : bench) {
        state.calendar_mode = mode;
        const std::int64_t y = year + (i & 63);
        const std::int32_t month = static_cast<std::int32_t>(i % 12) + 1;
        const std::int32_t day = static_cast<std::int32_t>(i % 28) + 1;
        benchmark::DoNotOptimize(morvek::era_day_from_date(state, y, month, day));
        ++i;
    }
}

void date_from_era_day_bench(benchmark::State& bench, CalendarMode mode, std::int64_t era_day) {
    morvek::ConversionState state;
    state.calendar_mode = mode;
    std::uint32_t i = 0;
    for (auto _ : bench) {
        morvek::date_from_era_day(state, era_day + (i & 4095));
        benchmark::DoNotOptimize(state.day);
        benchmark::DoNotOptimize(state.month);
        benchmark::DoNotOptimize(state.year);
        ++i;
    }
}

void reference_walk_bench(benchmark::State& bench, CalendarMode mode, std::int64_t era_day) {
    std::uint32_t i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(morvek::reference::walk_date(mode, era_day + (i & 4095)));
        ++i;
    }
}

#define MORVEK_BENCH_MODES(function, label, value)                                             \
    BENCHMARK_CAPTURE(function, historical_##label, CalendarMode::Historical, value);         \
    BENCHMARK_CAPTURE(function, julian_##label, CalendarMode::Julian, value);                 \
    BENCHMARK_CAPTURE(function, gregorian_##label, CalendarMode::Gregorian, value)

MORVEK_BENCH_MODES(era_day_from_date_bench, year_2000, near_2000);
MORVEK_BENCH_MODES(era_day_from_date_bench, year_plus_5879000, near_end);
BENCHMARK_CAPTURE(era_day_from_date_bench, historical_year_minus_5879000,
                  CalendarMode::Historical, near_start);

MORVEK_BENCH_MODES(date_from_era_day_bench, year_2000, era_day_2000);
MORVEK_BENCH_MODES(date_from_era_day_bench, year_plus_5876000, era_day_near_end);
MORVEK_BENCH_MODES(date_from_era_day_bench, year_minus_5876000, era_day_near_start);

BENCHMARK_CAPTURE(reference_walk_bench, historical_year_2000, CalendarMode::Historical,
                  era_day_2000);
BENCHMARK_CAPTURE(reference_walk_bench, gregorian_year_2000, CalendarMode::Gregorian,
                  era_day_2000);
BENCHMARK_CAPTURE(reference_walk_bench, historical_year_plus_5876000, CalendarMode::Historical,
                  era_day_near_end)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reference_walk_bench, historical_year_minus_5876000, CalendarMode::Historical,
                  era_day_near_start)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
