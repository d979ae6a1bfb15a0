// Nanoseconds per call of the public day conversions in each calendar mode,
// beside Neri and Schneider's proleptic Gregorian algorithms ("Euclidean
// affine functions and their application to calendar algorithms", 2022),
// the fastest published, on the same inputs in the same run. At the end a
// table gives each Morvek figure as a multiple of the reference's.
//
// Inputs are drawn ahead into tables of 4096 dates and days, so that the
// loop costs one load and the call; no result can be computed ahead.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "morvek/calendar.h"
#include "reference/reference_calendar.h"

namespace {

using morvek::CalendarMode;
using morvek::Date;
using morvek::DayCount;

// ---- the reference: Neri-Schneider, proleptic Gregorian -----------------------------
// Years are shifted by whole 400-year cycles so that every intermediate
// value is unsigned; the computational year starts on 1 March. The day
// counts are 64-bit so that the reference covers the same 32-bit Era Days
// as Morvek (the 32-bit original stops near the year 2.9 million).
namespace neri_schneider {

constexpr std::uint64_t year_shift = 400 * 14700;  // keeps every year of the 32-bit Era Days positive

constexpr std::uint64_t computational_day(std::int32_t year, std::uint32_t month, std::uint32_t day) {
    const std::uint32_t january_or_february = month <= 2;
    const std::uint64_t y = static_cast<std::uint64_t>(std::int64_t{year} + std::int64_t{year_shift}) - january_or_february;
    const std::uint32_t m = january_or_february ? month + 12 : month;
    const std::uint64_t century = y / 100;
    const std::uint64_t year_days = 1461 * y / 4 - century + century / 4;
    const std::uint32_t month_days = (979 * m - 2919) / 32;
    return year_days + month_days + day - 1;
}

// The computational day of 01.01.0001 is Era Day 1.
constexpr std::int64_t era_day_offset = static_cast<std::int64_t>(computational_day(1, 1, 1)) - 1;

constexpr DayCount era_day_from_date(Date date) {
    return static_cast<std::int64_t>(computational_day(date.year, static_cast<std::uint32_t>(date.month),
                                                       static_cast<std::uint32_t>(date.day))) - era_day_offset;
}

constexpr Date date_from_era_day(DayCount era_day) {
    const auto n = static_cast<std::uint64_t>(era_day + era_day_offset);
    const std::uint64_t n1 = 4 * n + 3;
    const std::uint64_t century = n1 / 146097;
    const auto day_of_century = static_cast<std::uint32_t>(n1 % 146097 / 4);
    const std::uint32_t n2 = 4 * day_of_century + 3;
    const std::uint64_t p2 = std::uint64_t{2939745} * n2;
    const auto year_of_century = static_cast<std::uint32_t>(p2 / 4294967296);
    const auto day_of_year = static_cast<std::uint32_t>(p2 % 4294967296) / 2939745 / 4;
    const std::uint64_t y = 100 * century + year_of_century;
    const std::uint32_t n3 = 2141 * day_of_year + 197913;
    const std::uint32_t m = n3 / 65536;
    const std::uint32_t d = n3 % 65536 / 2141;
    const std::uint32_t january_or_february = day_of_year >= 306;
    return {static_cast<std::int32_t>(static_cast<std::int64_t>(y + january_or_february) - std::int64_t{year_shift}),
            static_cast<std::int32_t>(january_or_february ? m - 12 : m), static_cast<std::int32_t>(d + 1)};
}

static_assert(era_day_from_date({1, 1, 1}) == 1);
static_assert(era_day_from_date({2017, 1, 1}) == 736330);
static_assert(date_from_era_day(736330) == Date{2017, 1, 1});
static_assert(date_from_era_day(1) == Date{1, 1, 1});

}  // namespace neri_schneider

// ---- inputs ---------------------------------------------------------------------

constexpr std::size_t table_size = 4096;

struct Inputs {
    std::array<Date, table_size> dates;
    std::array<DayCount, table_size> days;
};

// Dates that exist in every mode (days up to 28) within 64 years of `year`,
// and their Gregorian Era Days (historical before the Common Era).
Inputs inputs_near(std::int32_t year) {
    Inputs inputs;
    std::mt19937 random(static_cast<std::uint32_t>(year));
    for (std::size_t i = 0; i < table_size; ++i) {
        const Date date{year + static_cast<std::int32_t>(random() % 64), static_cast<std::int32_t>(random() % 12) + 1,
                        static_cast<std::int32_t>(random() % 28) + 1};
        inputs.dates[i] = date;
        // Before the Common Era only the historical calendar has the date.
        const CalendarMode mode = year > 0 ? CalendarMode::Gregorian : CalendarMode::Historical;
        inputs.days[i] = *morvek::era_day_from_date(mode, date);
    }
    return inputs;
}

const Inputs& inputs_for(std::int32_t year) {
    static std::map<std::int32_t, Inputs> made;
    auto found = made.find(year);
    if (found == made.end()) found = made.emplace(year, inputs_near(year)).first;
    return found->second;
}

// The reference must agree with Morvek's Gregorian mode on every input, or
// its figures mean nothing.
bool reference_agrees(const Inputs& inputs) {
    for (std::size_t i = 0; i < table_size; ++i) {
        if (neri_schneider::era_day_from_date(inputs.dates[i]) != inputs.days[i]) return false;
        if (!(neri_schneider::date_from_era_day(inputs.days[i]) == inputs.dates[i])) return false;
    }
    return true;
}

// ---- the timed loops ----------------------------------------------------------------

void era_day_from_date_bench(benchmark::State& bench, CalendarMode mode, std::int32_t year) {
    const Inputs& inputs = inputs_for(year);
    std::size_t i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(morvek::era_day_from_date(mode, inputs.dates[i++ & (table_size - 1)]));
    }
}

void date_from_era_day_bench(benchmark::State& bench, CalendarMode mode, std::int32_t year) {
    const Inputs& inputs = inputs_for(year);
    std::size_t i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(morvek::date_from_era_day(mode, inputs.days[i++ & (table_size - 1)]));
    }
}

void reference_days_from_date_bench(benchmark::State& bench, std::int32_t year) {
    const Inputs& inputs = inputs_for(year);
    if (!reference_agrees(inputs)) return bench.SkipWithError("the reference disagrees with Morvek");
    std::size_t i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(neri_schneider::era_day_from_date(inputs.dates[i++ & (table_size - 1)]));
    }
}

void reference_date_from_days_bench(benchmark::State& bench, std::int32_t year) {
    const Inputs& inputs = inputs_for(year);
    if (!reference_agrees(inputs)) return bench.SkipWithError("the reference disagrees with Morvek");
    std::size_t i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(neri_schneider::date_from_era_day(inputs.days[i++ & (table_size - 1)]));
    }
}

// The year-by-year walk the closed forms replace, for scale.
void reference_walk_bench(benchmark::State& bench, CalendarMode mode, std::int32_t year) {
    const Inputs& inputs = inputs_for(year);
    std::size_t i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(morvek::reference::walk_date(mode, inputs.days[i++ & (table_size - 1)]));
    }
}

constexpr std::int32_t near_2000 = 1970;
constexpr std::int32_t near_end = 5'879'000;    // within the 32-bit Era Days
constexpr std::int32_t near_start = -5'879'000;  // historical only

#define MORVEK_BENCH_MODES(function, label, value)                                      \
    BENCHMARK_CAPTURE(function, historical_##label, CalendarMode::Historical, value);  \
    BENCHMARK_CAPTURE(function, julian_##label, CalendarMode::Julian, value);          \
    BENCHMARK_CAPTURE(function, gregorian_##label, CalendarMode::Gregorian, value)

MORVEK_BENCH_MODES(era_day_from_date_bench, year_2000, near_2000);
MORVEK_BENCH_MODES(era_day_from_date_bench, year_plus_5879000, near_end);
BENCHMARK_CAPTURE(era_day_from_date_bench, historical_year_minus_5879000, CalendarMode::Historical, near_start);
BENCHMARK_CAPTURE(reference_days_from_date_bench, year_2000, near_2000);
BENCHMARK_CAPTURE(reference_days_from_date_bench, year_plus_5879000, near_end);

MORVEK_BENCH_MODES(date_from_era_day_bench, year_2000, near_2000);
MORVEK_BENCH_MODES(date_from_era_day_bench, year_plus_5879000, near_end);
BENCHMARK_CAPTURE(date_from_era_day_bench, historical_year_minus_5879000, CalendarMode::Historical, near_start);
BENCHMARK_CAPTURE(reference_date_from_days_bench, year_2000, near_2000);
BENCHMARK_CAPTURE(reference_date_from_days_bench, year_plus_5879000, near_end);

BENCHMARK_CAPTURE(reference_walk_bench, historical_year_2000, CalendarMode::Historical, near_2000);
BENCHMARK_CAPTURE(reference_walk_bench, historical_year_plus_5879000, CalendarMode::Historical, near_end)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// ---- the ratio table ---------------------------------------------------------------------

// Prints the usual table, then each Morvek conversion as a multiple of the
// reference of the same direction and year range.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-60s %8s %8s %6s\n", "Morvek / Neri-Schneider, same inputs", "Morvek", "N-S", "ratio");
        const char* const pairs[][2] = {
            {"era_day_from_date_bench", "reference_days_from_date_bench"},
            {"date_from_era_day_bench", "reference_date_from_days_bench"},
        };
        for (const auto& [ours, theirs] : pairs) {
            for (const char* range : {"year_2000", "year_plus_5879000"}) {
                for (const char* mode : {"historical", "julian", "gregorian"}) {
                    const std::string name = std::string(ours) + "/" + mode + "_" + range;
                    const std::string reference = std::string(theirs) + "/" + range;
                    if (!times_.count(name) || !times_.count(reference)) continue;
                    std::printf("%-60s %6.2fns %6.2fns %6.2f\n", name.c_str(), times_[name], times_[reference],
                                times_[name] / times_[reference]);
                }
            }
        }
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
