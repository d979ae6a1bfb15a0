// Every Era Day of the signed 32-bit range in every mode, against the
// day-by-day reference; and every day/month pair of a wide span of years
// against the reference's list of dates that exist.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "command/calendar_in_state.h"
#include "command/conversion_state.h"
#include "morvek/calendar.h"
#include "morvek/reform.h"
#include "reference/reference_calendar.h"

namespace morvek {
namespace {

using cli::ConversionState;
using reference::Mode;

constexpr std::int64_t int32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t int32_max = std::numeric_limits<std::int32_t>::max();
constexpr unsigned worker_count = 2;
constexpr std::size_t examples_kept = 8;

const char* mode_name(Mode mode) {
    switch (mode) {
        case Mode::Historical: return "Historical";
        case Mode::Julian: return "Julian";
        case Mode::Gregorian: return "Gregorian";
    }
    return "?";
}

std::string text(const reference::Date& date) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%lld", date.day, date.month,
                  static_cast<long long>(date.year));
    return buffer + std::string(date.tag);
}

// Failures are counted, and only the first few are described.
class Failures {
public:
    void add(const std::string& what) {
        std::lock_guard lock(mutex_);
        ++count_;
        if (examples_.size() < examples_kept) examples_.push_back(what);
    }
    void add_unshown(std::uint64_t count) {
        std::lock_guard lock(mutex_);
        count_ += count;
    }
    std::uint64_t count() const { return count_; }
    std::string summary() const {
        std::string result = std::to_string(count_) + " failures; first ones:";
        for (const auto& example : examples_) result += "\n  " + example;
        return result;
    }

private:
    std::mutex mutex_;
    std::uint64_t count_ = 0;
    std::vector<std::string> examples_;
};

// The tags are short texts; comparing them in place keeps the loop lean.
bool same_tag(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

struct Chunk {
    Mode mode;
    std::int64_t first;
    std::int64_t last;  // inclusive
};

std::vector<Chunk> split(const std::vector<std::pair<std::int64_t, std::int64_t>>& ranges,
                         std::int64_t chunk_days) {
    std::vector<Chunk> chunks;
    for (Mode mode : {Mode::Historical, Mode::Julian, Mode::Gregorian}) {
        for (auto [first, last] : ranges) {
            for (std::int64_t start = first; start <= last; start += chunk_days) {
                chunks.push_back({mode, start, std::min(last, start + chunk_days - 1)});
            }
        }
    }
    return chunks;
}

#ifdef MORVEK_REDUCED_SWEEP
const std::vector<std::pair<std::int64_t, std::int64_t>> swept_ranges = {
    {int32_min, int32_min + 4'999'999},
    {-20'000'000, 20'000'000},
    {int32_max - 4'999'999, int32_max},
};
constexpr std::int64_t chunk_days = 1 << 22;
constexpr std::int64_t wide_span_years = 30'000;
#else
const std::vector<std::pair<std::int64_t, std::int64_t>> swept_ranges = {{int32_min, int32_max}};
constexpr std::int64_t chunk_days = 1 << 25;
constexpr std::int64_t wide_span_years = 100'000;
#endif

// Local counts keep the hot loop free of locks; only the first few
// failures of a chunk are described.
struct ChunkResult {
    std::uint64_t days = 0;
    std::uint64_t failures = 0;
    std::vector<std::string> examples;
    void add(std::string what) {
        ++failures;
        if (examples.size() < examples_kept) examples.push_back(std::move(what));
    }
};

void sweep_chunk(const Chunk& chunk, ChunkResult& result) {
    const Mode mode = chunk.mode;
    ConversionState state;
    reference::DayStepper stepper(mode, chunk.first);
    for (std::int64_t era_day = chunk.first;; stepper.advance(), ++era_day) {
        const reference::Date& want = stepper.date();
        ++result.days;

        state.calendar_mode = mode;
        state.calendar_tag = {};
        date_from_era_day(state, era_day);
        if (state.year != want.year || state.month != want.month || state.day != want.day ||
            !same_tag(state.calendar_tag, want.tag)) {
            const reference::Date got{state.year, state.month, state.day, state.calendar_tag};
            result.add(std::string(mode_name(mode)) + " date_from_era_day(" +
                       std::to_string(era_day) + ") = " + text(got) + ", want " + text(want));
        }

        const bool exists = reference::exists(mode, want.year, want.month, want.day);
        state.calendar_mode = mode;
        state.date_nonexistent = false;
        const std::int64_t back = era_day_from_date(state, want.year, want.month, want.day);
        const Mode want_mode =
            exists && mode == Mode::Gregorian && want.year > 1582 ? Mode::Historical : mode;
        const bool ok = exists ? back == era_day && !state.date_nonexistent
                               : back == 0 && state.date_nonexistent;
        if (!ok || state.calendar_mode != want_mode) {
            result.add(std::string(mode_name(mode)) + " era_day_from_date(" + text(want) +
                       ") = " + std::to_string(back) + (state.date_nonexistent ? " rejected" : "") +
                       " mode " + mode_name(state.calendar_mode) + ", want " +
                       (exists ? std::to_string(era_day) : std::string("rejected")) + " mode " +
                       mode_name(want_mode));
        }

        // The public functions take other, faster forms for the common
        // years; they must name the same days.
        const Result<Date> public_date = morvek::date_from_era_day(mode, era_day);
        const bool has_date = era_day > 0 || (era_day < 0 && mode == Mode::Historical);
        const bool same_date = public_date && public_date->year == want.year && public_date->month == want.month &&
                               public_date->day == want.day;
        if (has_date ? !same_date : public_date.has_value()) {
            result.add(std::string(mode_name(mode)) + " public date_from_era_day(" + std::to_string(era_day) +
                       ") differs from " + text(want));
        } else if (has_date && morvek::era_day_from_date(mode, *public_date).value_or(0) != era_day) {
            result.add(std::string(mode_name(mode)) + " public era_day_from_date(" + text(want) + ") is not " +
                       std::to_string(era_day));
        }

        // The historical calendar with Rome's reform is the historical calendar.
        if (mode == Mode::Historical && era_day != 0) {
            const Result<Date> rome_date = morvek::date_from_era_day(rome_reform, era_day);
            if (!rome_date || *rome_date != *public_date ||
                morvek::era_day_from_date(rome_reform, *rome_date).value_or(0) != era_day) {
                result.add("Rome's reform differs from the historical calendar on Era Day " + std::to_string(era_day));
            }
        }

        if (era_day == chunk.last) break;
    }

    // The stepper and the walk must meet at the next chunk's first day.
    if (chunk.last < int32_max) {
        stepper.advance();
        const reference::Date walked = reference::walk_date(mode, chunk.last + 1);
        if (!(stepper.date() == walked)) {
            result.add(std::string("reference disagrees with itself: ") + mode_name(mode) +
                       " day " + std::to_string(chunk.last + 1) + " stepped " +
                       text(stepper.date()) + ", walked " + text(walked));
        }
    }
}

TEST(DaySweep, EveryEraDayMatchesTheReferenceAndConvertsBack) {
    const auto started = std::chrono::steady_clock::now();
    const std::vector<Chunk> chunks = split(swept_ranges, chunk_days);
    std::atomic<std::size_t> next{0};
    std::atomic<std::uint64_t> days{0};
    Failures failures;

    auto work = [&] {
        for (std::size_t index; (index = next.fetch_add(1)) < chunks.size();) {
            ChunkResult result;
            sweep_chunk(chunks[index], result);
            days += result.days;
            if (result.failures == 0) continue;
            for (const auto& example : result.examples) failures.add(example);
            failures.add_unshown(result.failures - result.examples.size());
        }
    };
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < worker_count; ++i) workers.emplace_back(work);
    for (auto& worker : workers) worker.join();

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("swept %llu (mode, Era Day) pairs in %.1f s\n",
                static_cast<unsigned long long>(days.load()), seconds);
    // A loop that silently ran short would pass on its failures alone.
    std::uint64_t want_days = 0;
    for (auto [first, last] : swept_ranges) want_days += 3 * static_cast<std::uint64_t>(last - first + 1);
    EXPECT_EQ(days.load(), want_days);
    EXPECT_EQ(failures.count(), 0u) << failures.summary();
}

// Whether a date exists, and the mode switch of Gregorian dates, for every
// day/month pair 1..31/1..12 of a span of years. The Era Days of the dates
// that exist must follow one another without a gap, which pins every value
// once one of them is right.
void sweep_years(Mode mode, std::int64_t first_year, std::int64_t last_year, Failures& failures,
                 std::atomic<std::uint64_t>& dates_checked) {
    ConversionState state;
    std::uint64_t checked = 0;
    std::int64_t previous = 0;
    bool anchored = false;
    for (std::int64_t year = first_year; year <= last_year; ++year) {
        for (std::int32_t month = 1; month <= 12; ++month) {
            for (std::int32_t day = 1; day <= 31; ++day) {
                ++checked;
                state.calendar_mode = mode;
                state.date_nonexistent = false;
                const std::int64_t era_day = era_day_from_date(state, year, month, day);
                const bool exists = reference::exists(mode, year, month, day);
                // The public function takes the years of 32 bits.
                const bool public_year = year >= int32_min && year <= int32_max;
                const Result<DayCount> public_era_day = morvek::era_day_from_date(
                    mode, {static_cast<std::int32_t>(year), month, day});
                const bool in_domain = era_day >= min_era_day && era_day <= max_era_day;
                const Status want_status = !exists ? Status::nonexistent_date
                                                   : in_domain ? Status::ok : Status::out_of_range;
                if (public_year && (public_era_day.error() != want_status ||
                                    (in_domain && public_era_day.value_or(0) != era_day))) {
                    failures.add(std::string(mode_name(mode)) + " public era_day_from_date(" +
                                 text(reference::Date{year, month, day, {}}) + ") differs");
                }
                if (public_year && mode == Mode::Historical) {
                    const Result<DayCount> rome = morvek::era_day_from_date(
                        rome_reform, {static_cast<std::int32_t>(year), month, day});
                    if (rome.error() != public_era_day.error() || rome.value_or(0) != public_era_day.value_or(0)) {
                        failures.add("Rome's reform reads " + text(reference::Date{year, month, day, {}}) +
                                     " otherwise than the historical calendar");
                    }
                }
                const bool switches = mode == Mode::Gregorian && year > 1582 &&
                                      reference::day_month_pair_possible(month, day);
                const Mode want_mode = switches ? Mode::Historical : mode;
                const auto where = [&] {
                    return std::string(mode_name(mode)) + " " +
                           text(reference::Date{year, month, day, {}});
                };

                if (state.calendar_mode != want_mode) {
                    failures.add(where() + " leaves mode " + mode_name(state.calendar_mode) +
                                 ", want " + mode_name(want_mode));
                }
                if (!exists) {
                    if (era_day != 0 || !state.date_nonexistent) {
                        failures.add(where() + " should not exist, got " + std::to_string(era_day));
                    }
                    continue;
                }
                if (era_day == 0 || state.date_nonexistent) {
                    failures.add(where() + " exists but was rejected");
                    continue;
                }
                if (!anchored) {
                    // The first date of the span is placed by the reference walk.
                    if (era_day >= int32_min && era_day <= int32_max) {
                        const reference::Date walked = reference::walk_date(mode, era_day);
                        if (walked.year != year || walked.month != month || walked.day != day) {
                            failures.add(where() + " got Era Day " + std::to_string(era_day) +
                                         ", which the walk names " + text(walked));
                        }
                    }
                    anchored = true;
                } else {
                    const std::int64_t want = previous == -1 ? 1 : previous + 1;
                    if (era_day != want) {
                        failures.add(where() + " got Era Day " + std::to_string(era_day) +
                                     ", want " + std::to_string(want));
                    }
                }
                previous = era_day;
            }
        }
    }
    dates_checked += checked;
}

TEST(DateSweep, ExactlyTheDatesThatExistAreAcceptedAndNumberedWithoutGaps) {
    const auto started = std::chrono::steady_clock::now();
    // Spans of years: a wide one around the Era, and short ones near the
    // ends of the 32-bit Era Days and past them.
    const std::vector<std::pair<std::int64_t, std::int64_t>> spans = {
        {-wide_span_years, wide_span_years},
        {-5'880'010, -5'879'990},
        {-5'883'530, -5'883'500},
        {-int32_max - 20, -int32_max + 20},
        {5'879'990, 5'880'010},
        {5'883'500, 5'883'530},
        {int32_max - 20, int32_max + 20},
    };
    Failures failures;
    std::atomic<std::uint64_t> dates_checked{0};
    std::vector<std::thread> workers;
    for (Mode mode : {Mode::Historical, Mode::Julian, Mode::Gregorian}) {
        workers.emplace_back([&, mode] {
            for (auto [first, last] : spans) sweep_years(mode, first, last, failures, dates_checked);
        });
        if (workers.size() == worker_count) {
            for (auto& worker : workers) worker.join();
            workers.clear();
        }
    }
    for (auto& worker : workers) worker.join();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("checked the day/month pairs of the year spans in %.1f s\n", seconds);
    std::uint64_t want_dates = 0;
    for (auto [first, last] : spans) want_dates += 3 * static_cast<std::uint64_t>(last - first + 1) * 12 * 31;
    EXPECT_EQ(dates_checked.load(), want_dates);
    EXPECT_EQ(failures.count(), 0u) << failures.summary();
}

}  // namespace
}  // namespace morvek
