// The public interface at its edges: what each conversion says when it has
// no answer, every range round-tripped at both ends, the day counts
// astronomers use, the ISO 8601 text and the chrono conversions against the
// standard library's own calendar, the clock, the sinks, and run_command on
// main()'s arguments and on several threads.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "command/command_runner.h"
#include "morvek/morvek.h"
#include "reference/reference_calendar.h"

namespace morvek {

// Readable failures.
static void PrintTo(const Date& date, std::ostream* out) { *out << date.day << "." << date.month << "." << date.year; }
static void PrintTo(const DateTime& t, std::ostream* out) {
    PrintTo(t.date, out);
    *out << " " << t.hour << ":" << t.minute << ":" << t.second << " +" << t.nanosecond << " ns";
}
static void PrintTo(const Moment& m, std::ostream* out) { *out << "{" << m.seconds << " s, " << m.nanosecond << " ns}"; }
static void PrintTo(const Elapsed& e, std::ostream* out) { *out << "{" << e.seconds << " s, " << e.nanosecond << " ns}"; }
static void PrintTo(const UnixTime& u, std::ostream* out) { *out << "{" << u.seconds << " s, " << u.nanosecond << " ns}"; }

namespace {

__extension__ typedef __int128 wide;

constexpr std::int64_t int64_min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t int64_max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t leap_seconds_inserted = 27;  // 30.06.1972 to 31.12.2016
constexpr CalendarMode all_modes[] = {CalendarMode::Historical, CalendarMode::Julian, CalendarMode::Gregorian};

// Landmarks the compiler checks.
static_assert(*era_day_from_date(CalendarMode::Gregorian, {2017, 1, 1}) == 736330);
static_assert(*moment_from_date_time(CalendarMode::Historical, {{2016, 12, 31}, 23, 59, 60, 0}) ==
              Moment{63618825626, 0});

template <class T>
Status status_of(const Result<T>& result) {
    return result.error();
}

// The value, or none: no fallback can pass for an expected value.
template <class T>
std::optional<T> value_of(const Result<T>& result) {
    return result ? std::optional<T>(*result) : std::nullopt;
}

wide floor_div(wide a, wide b) { return a / b - (a % b < 0 ? 1 : 0); }
wide nanoseconds_of(Moment m) { return wide{m.seconds} * 1'000'000'000 + m.nanosecond; }

// The moment some nanoseconds later (or earlier), wherever it lies.
Moment shifted(Moment m, std::int64_t nanoseconds) {
    const wide total = nanoseconds_of(m) + nanoseconds;
    const wide seconds = floor_div(total, 1'000'000'000);
    return {static_cast<std::int64_t>(seconds), static_cast<std::int32_t>(total - seconds * 1'000'000'000)};
}

// The date and time of a count of seconds without leap seconds from
// 01.01.0001, by the year-by-year walk.
DateTime walked_date_time(CalendarMode mode, std::int64_t leap_free, std::int32_t nanosecond) {
    const auto index = static_cast<std::int64_t>(floor_div(leap_free, 86400));
    const auto second = static_cast<std::int32_t>(leap_free - index * 86400);
    const reference::Date date = reference::walk_date(mode, index >= 0 ? index + 1 : index);
    return {{static_cast<std::int32_t>(date.year), date.month, date.day}, second / 3600, second / 60 % 60, second % 60,
            nanosecond};
}

// Each row: what a call says at or just beyond a limit.
TEST(PublicApi, SaysWhyThereIsNoAnswer) {
    struct Row {
        const char* call;
        Status got;
        Status want;
    };
    const DateTime leap_second{{2016, 12, 31}, 23, 59, 60, 0};
    const DateTime no_leap_second{{2017, 12, 31}, 23, 59, 60, 0};
    const Row rows[] = {
        {"date 31.04.2000", status_of(era_day_from_date(CalendarMode::Historical, {2000, 4, 31})), Status::nonexistent_date},
        {"date 10.10.1582", status_of(era_day_from_date(CalendarMode::Historical, {1582, 10, 10})), Status::nonexistent_date},
        {"Julian 10.10.1582", status_of(era_day_from_date(CalendarMode::Julian, {1582, 10, 10})), Status::ok},
        {"year 0", status_of(era_day_from_date(CalendarMode::Historical, {0, 1, 1})), Status::nonexistent_date},
        {"Gregorian year -1", status_of(era_day_from_date(CalendarMode::Gregorian, {-1, 1, 1})), Status::nonexistent_date},
        {"month 13", status_of(era_day_from_date(CalendarMode::Historical, {2000, 13, 1})), Status::nonexistent_date},
        {"year 5879611", status_of(era_day_from_date(CalendarMode::Gregorian, {5879611, 12, 31})), Status::out_of_range},
        {"Era Day 0", status_of(date_from_era_day(CalendarMode::Historical, 0)), Status::nonexistent_date},
        {"Julian Era Day -1", status_of(date_from_era_day(CalendarMode::Julian, -1)), Status::nonexistent_date},
        {"Era Day max", status_of(date_from_era_day(CalendarMode::Julian, max_era_day)), Status::ok},
        {"Era Day max + 1", status_of(date_from_era_day(CalendarMode::Historical, max_era_day + 1)), Status::out_of_range},
        {"Era Day min - 1", status_of(date_from_era_day(CalendarMode::Historical, min_era_day - 1)), Status::out_of_range},
        {"RD Julian 29.02.1700", status_of(rd_julian_from_date({1700, 2, 29})), Status::ok},
        {"RD Gregorian 29.02.1700", status_of(rd_gregorian_from_date({1700, 2, 29})), Status::nonexistent_date},
        {"weekday of Era Day 0", status_of(weekday_from_era_day(0)), Status::nonexistent_date},
        {"weekday of Era Day max + 1", status_of(weekday_from_era_day(max_era_day + 1)), Status::out_of_range},
        {"JDN of Era Day 0", status_of(jdn_from_era_day(0)), Status::nonexistent_date},
        {"E0 max", status_of(moment_from_e0(max_e0)), Status::ok},
        {"E0 max + 1", status_of(moment_from_e0(max_e0 + 1)), Status::out_of_range},
        {"E0 min - 1", status_of(moment_from_e0(min_e0 - 1)), Status::out_of_range},
        {"E3 max + 1", status_of(moment_from_e3(max_e3 + 1)), Status::out_of_range},
        {"E6 of 1 BCE, Julian", status_of(date_time_from_moment(CalendarMode::Julian, *moment_from_e6(-1))), Status::nonexistent_date},
        {"23:59:60 of 31.12.2016", status_of(moment_from_date_time(CalendarMode::Historical, leap_second)), Status::ok},
        {"23:59:60 of 31.12.2017", status_of(moment_from_date_time(CalendarMode::Historical, no_leap_second)), Status::nonexistent_time},
        {"24:00:00", status_of(moment_from_date_time(CalendarMode::Historical, {{2000, 1, 1}, 24, 0, 0, 0})), Status::nonexistent_time},
        {"10^9 nanoseconds", status_of(moment_from_date_time(CalendarMode::Historical, {{2000, 1, 1}, 0, 0, 0, 1000000000})), Status::nonexistent_time},
        {"moment of year 292279", status_of(moment_from_date_time(CalendarMode::Historical, {{292279, 1, 1}, 0, 0, 0, 0})), Status::out_of_range},
        {"E6 of the lowest moment", status_of(e6_from_moment(min_moment)), Status::out_of_range},
        {"Unix max", status_of(moment_from_unix_time({max_unix_time, 0})), Status::ok},
        {"Unix max + 1", status_of(moment_from_unix_time({max_unix_time + 1, 0})), Status::out_of_range},
        {"Unix min - 1", status_of(moment_from_unix_time({min_unix_time - 1, 0})), Status::out_of_range},
        {"Unix 10^9 nanoseconds", status_of(moment_from_unix_time({0, 1000000000})), Status::out_of_range},
        {"Unix -1 nanosecond", status_of(moment_from_unix_time({0, -1})), Status::out_of_range},
        {"FILE -1", status_of(moment_from_file_time(-1)), Status::out_of_range},
        {"FILE max", status_of(moment_from_file_time(int64_max)), Status::ok},
        {"FILE of 31.12.1600", status_of(file_time_from_moment({file_epoch_e0 - 1, 0})), Status::out_of_range},
        {"FILE beyond its range", status_of(file_time_from_moment({972828326913, 0})), Status::out_of_range},
        {"FILE of 10^9 nanoseconds", status_of(file_time_from_moment({file_epoch_e0, 1000000000})), Status::out_of_range},
        {"ISO of max moment + 1 ns", status_of(iso8601_from_moment(shifted(max_moment, 1))), Status::out_of_range},
    };
    for (const Row& row : rows) EXPECT_EQ(row.got, row.want) << row.call;
}

TEST(PublicApi, AResultHoldsAValueOrTheReasonThereIsNone) {
    const Result<DayCount> none = era_day_from_date(CalendarMode::Historical, {2000, 2, 30});
    EXPECT_FALSE(none.has_value());
    EXPECT_FALSE(static_cast<bool>(none));
    EXPECT_EQ(none.error(), Status::nonexistent_date);
    EXPECT_EQ(none.value_or(-7), -7);
    const Result<DayCount> some = era_day_from_date(CalendarMode::Historical, {2000, 1, 1});
    ASSERT_TRUE(some.has_value());
    EXPECT_EQ(some.error(), Status::ok);
    EXPECT_EQ(*some, 730120);
    EXPECT_EQ(some.value_or(-7), 730120);
    EXPECT_EQ(date_from_era_day(CalendarMode::Julian, 719163)->year, 1969);

    const std::pair<Status, std::string_view> names[] = {
        {Status::ok, "ok"}, {Status::nonexistent_date, "nonexistent-date"}, {Status::nonexistent_time, "nonexistent-time"},
        {Status::out_of_range, "out-of-range"}, {Status::bad_format, "bad-format"},
    };
    for (const auto& [status, name] : names) EXPECT_EQ(status_name(status), name);
}

// Why a date does not exist: each reason once, and none exactly when the
// date has an Era Day.
TEST(PublicApi, DateFaultNamesTheFirstReason) {
    struct Row {
        CalendarMode mode;
        Date date;
        DateFault want;
    };
    const Row rows[] = {
        {CalendarMode::Julian, {1700, 2, 29}, DateFault::none},
        {CalendarMode::Historical, {2000, 13, 1}, DateFault::month_out_of_range},
        {CalendarMode::Historical, {2000, 0, 32}, DateFault::month_out_of_range},
        {CalendarMode::Historical, {2000, 1, 32}, DateFault::day_out_of_range},
        {CalendarMode::Historical, {0, 1, 1}, DateFault::year_zero},
        {CalendarMode::Julian, {-1, 12, 31}, DateFault::year_before_era},
        {CalendarMode::Gregorian, {-5, 4, 31}, DateFault::year_before_era},
        {CalendarMode::Historical, {2000, 4, 31}, DateFault::day_not_in_month},
        {CalendarMode::Historical, {1700, 2, 29}, DateFault::not_a_leap_year},
        {CalendarMode::Historical, {-4, 2, 29}, DateFault::not_a_leap_year},
        {CalendarMode::Historical, {1582, 10, 10}, DateFault::reform_gap},
        {CalendarMode::Gregorian, {5879611, 12, 31}, DateFault::out_of_range},
        {CalendarMode::Historical, {-5879615, 1, 3}, DateFault::out_of_range},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(date_fault(row.mode, row.date), row.want) << static_cast<int>(row.want);
        const Status status = era_day_from_date(row.mode, row.date).error();
        const Status want = row.want == DateFault::none           ? Status::ok
                            : row.want == DateFault::out_of_range ? Status::out_of_range
                                                                  : Status::nonexistent_date;
        EXPECT_EQ(status, want) << static_cast<int>(row.want);
    }
}

// Each count at its lowest and highest value: to the moment and back
// unchanged; one count further, or one count's time beyond that moment,
// is out of range. The moments are checked by wide arithmetic of their own.
TEST(PublicApi, EveryScaleRoundTripsAtBothEndsAndNoFurther) {
    struct Scale {
        const char* name;
        std::int64_t lowest, highest;
        std::int64_t unit;                // nanoseconds per count
        std::int64_t epoch;               // E0 of count 0
        std::int64_t leap_seconds_below;  // inserted before the lowest's moment
        std::int64_t leap_seconds_above;  // inserted before the highest's moment
        Result<Moment> (*to_moment)(std::int64_t);
        Result<std::int64_t> (*from_moment)(Moment);
    };
    const Scale scales[] = {
        {"E0", min_e0, max_e0, 1'000'000'000, 0, 0, 0, moment_from_e0, e0_from_moment},
        {"E3", min_e3, max_e3, 1'000'000, 0, 0, 0, moment_from_e3, e3_from_moment},
        {"E6", min_e6, max_e6, 1'000, 0, 0, 0, moment_from_e6, e6_from_moment},
        {"Unix", min_unix_time, max_unix_time, 1'000'000'000, 62135596800, 0, leap_seconds_inserted,
         [](std::int64_t seconds) { return moment_from_unix_time({seconds, 0}); },
         [](Moment m) -> Result<std::int64_t> {
             const Result<UnixTime> unix_time = unix_time_from_moment(m);
             if (!unix_time) return unix_time.error();
             return unix_time->seconds;
         }},
        {"FILE", 0, int64_max, 100, 50491123200, 0, leap_seconds_inserted, moment_from_file_time, file_time_from_moment},
    };
    constexpr wide per_second = 1'000'000'000;
    for (const Scale& scale : scales) {
        SCOPED_TRACE(scale.name);
        for (const auto& [count, leap_seconds] :
             {std::pair{scale.lowest, scale.leap_seconds_below}, std::pair{scale.highest, scale.leap_seconds_above}}) {
            const Result<Moment> moment = scale.to_moment(count);
            ASSERT_TRUE(moment) << count;
            EXPECT_EQ(nanoseconds_of(*moment),
                      wide{count} * scale.unit + (wide{scale.epoch} + leap_seconds) * per_second)
                << count;
            EXPECT_EQ(value_of(scale.from_moment(*moment)), count);
        }
        if (scale.lowest > int64_min) {
            EXPECT_EQ(scale.to_moment(scale.lowest - 1).error(), Status::out_of_range);
        }
        if (scale.highest < int64_max) {
            EXPECT_EQ(scale.to_moment(scale.highest + 1).error(), Status::out_of_range);
        }
        EXPECT_EQ(scale.from_moment(shifted(*scale.to_moment(scale.lowest), -scale.unit)).error(), Status::out_of_range);
        EXPECT_EQ(scale.from_moment(shifted(*scale.to_moment(scale.highest), scale.unit)).error(), Status::out_of_range);
    }

    // The whole seconds are those of the lowest and the highest E6; E3 fills them.
    EXPECT_LE(wide{min_e0} * 1'000'000, wide{int64_min});
    EXPECT_GT(wide{min_e0 + 1} * 1'000'000, wide{int64_min});
    EXPECT_LE(wide{max_e0} * 1'000'000, wide{int64_max});
    EXPECT_GT(wide{max_e0 + 1} * 1'000'000, wide{int64_max});
    EXPECT_EQ(wide{min_e3}, wide{min_e0} * 1000);
    EXPECT_EQ(wide{max_e3} + 1, wide{max_e0 + 1} * 1000);
    EXPECT_EQ(*moment_from_e0(min_e0), min_moment);
    EXPECT_EQ(*moment_from_e3(max_e3), shifted(max_moment, -999'999));
    EXPECT_EQ(value_of(moment_from_unix_time({max_unix_time, 999'999'999})), max_moment);
    EXPECT_EQ(value_of(unix_time_from_moment(max_moment)), (UnixTime{max_unix_time, 999'999'999}));
    EXPECT_EQ(value_of(unix_time_from_moment(min_moment)), (UnixTime{min_unix_time, 0}));
}

// The dates at both ends of the moments, in every mode, as the walk names
// them; outside the historical calendar the moments begin with the Era.
TEST(PublicApi, DateTimesRoundTripAtBothEndsOfTheMomentsInEveryMode) {
    for (const CalendarMode mode : all_modes) {
        SCOPED_TRACE(calendar_name(mode));
        const bool historical = mode == CalendarMode::Historical;
        const Moment lowest = historical ? min_moment : Moment{0, 0};
        const std::int64_t lowest_leap_free = lowest.seconds;
        const std::int64_t highest_leap_free = max_moment.seconds - leap_seconds_inserted;
        const DateTime first = walked_date_time(mode, lowest_leap_free, lowest.nanosecond);
        const DateTime last = walked_date_time(mode, highest_leap_free, max_moment.nanosecond);
        EXPECT_EQ(value_of(date_time_from_moment(mode, lowest)), first);
        EXPECT_EQ(value_of(date_time_from_moment(mode, max_moment)), last);
        EXPECT_EQ(value_of(moment_from_date_time(mode, first)), lowest);
        EXPECT_EQ(value_of(moment_from_date_time(mode, last)), max_moment);

        const Status below = historical ? Status::out_of_range : Status::nonexistent_date;
        EXPECT_EQ(date_time_from_moment(mode, shifted(lowest, -1)).error(), below);
        EXPECT_EQ(date_time_from_moment(mode, shifted(max_moment, 1)).error(), Status::out_of_range);
        EXPECT_EQ(moment_from_date_time(mode, walked_date_time(mode, lowest_leap_free - 1, 999'999'999)).error(), below);
        EXPECT_EQ(moment_from_date_time(mode, walked_date_time(mode, highest_leap_free + 1, 0)).error(),
                  Status::out_of_range);
    }
    // The lowest E6 lies 0.224192 s after the lowest moment; read back, its
    // date and time give it exactly.
    const auto lowest_e6 = date_time_from_moment(CalendarMode::Historical, *moment_from_e6(min_e6));
    ASSERT_TRUE(lowest_e6);
    EXPECT_EQ(*lowest_e6, (DateTime{{-292278, 10, 6}, 19, 59, 5, 224'192'000}));
    const auto back = moment_from_date_time(CalendarMode::Historical, *lowest_e6);
    ASSERT_TRUE(back);
    EXPECT_EQ(value_of(e6_from_moment(*back)), min_e6);
}

// The Era Days at both ends, in every mode, as the walk names them, and the
// system clock's days of the same ends.
TEST(PublicApi, EraDaysRoundTripAtBothEndsInEveryMode) {
    for (const CalendarMode mode : all_modes) {
        SCOPED_TRACE(calendar_name(mode));
        const bool historical = mode == CalendarMode::Historical;
        const DayCount lowest = historical ? min_era_day : 1;
        for (const DayCount end : {lowest, max_era_day}) {
            const reference::Date walked = reference::walk_date(mode, end);
            const Date want{static_cast<std::int32_t>(walked.year), walked.month, walked.day};
            EXPECT_EQ(value_of(date_from_era_day(mode, end)), want) << end;
            EXPECT_EQ(value_of(era_day_from_date(mode, want)), end) << end;
        }
        EXPECT_EQ(date_from_era_day(mode, max_era_day + 1).error(), Status::out_of_range);
        EXPECT_EQ(date_from_era_day(mode, min_era_day - 1).error(), Status::out_of_range);
        EXPECT_EQ(date_from_era_day(mode, historical ? min_era_day - 1 : -1).error(),
                  historical ? Status::out_of_range : Status::nonexistent_date);
        const reference::Date after = reference::walk_date(mode, max_era_day + 1);
        EXPECT_EQ(era_day_from_date(mode, {static_cast<std::int32_t>(after.year), after.month, after.day}).error(),
                  Status::out_of_range);
        const reference::Date before = reference::walk_date(mode, historical ? min_era_day - 1 : -1);
        EXPECT_EQ(era_day_from_date(mode, {static_cast<std::int32_t>(before.year), before.month, before.day}).error(),
                  historical ? Status::out_of_range : Status::nonexistent_date);
    }
    // The ends as the calendar types name them.
    EXPECT_EQ(value_of(date_from_era_day(CalendarMode::Historical, min_era_day)), (Date{-5879615, 1, 4}));
    EXPECT_EQ(value_of(date_from_era_day(CalendarMode::Gregorian, max_era_day)), (Date{5879611, 7, 11}));
    EXPECT_EQ(value_of(date_from_era_day(CalendarMode::Julian, max_era_day)), (Date{5879490, 10, 19}));

    for (const DayCount end : {min_era_day, max_era_day}) {
        const auto day = sys_days_from_era_day(end);
        ASSERT_TRUE(day) << end;
        EXPECT_EQ(value_of(era_day_from_sys_days(*day)), end);
        const auto beyond = *day + std::chrono::days{end < 0 ? -1 : 1};
        EXPECT_EQ(era_day_from_sys_days(beyond).error(), Status::out_of_range) << end;
        EXPECT_EQ(sys_days_from_era_day(end < 0 ? end - 1 : end + 1).error(), Status::out_of_range) << end;
    }
    EXPECT_EQ(sys_days_from_era_day(0).error(), Status::nonexistent_date);
}

// JDN 0 was a Monday, and the days run on without a gap across the missing Era Day 0.
TEST(PublicApi, JulianDayNumbersRunOnWithoutAGap) {
    EXPECT_EQ(*jdn_from_era_day(*era_day_from_date(CalendarMode::Gregorian, {2000, 1, 1})), 2451545);
    EXPECT_EQ(*mjd_from_era_day(*era_day_from_date(CalendarMode::Gregorian, {2000, 1, 1})), 51544);
    EXPECT_EQ(*jdn_from_era_day(1), 1721426);
    EXPECT_EQ(*jdn_from_era_day(-1), 1721425);
    EXPECT_EQ(*mjd_from_era_day(*era_day_from_date(CalendarMode::Gregorian, {1858, 11, 17})), 0);
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<std::int64_t> era_days(min_era_day, max_era_day);
    for (int i = 0; i < 100000; ++i) {
        const std::int64_t ends[] = {min_era_day, max_era_day, -1, 1};
        const std::int64_t era_day = i < 4 ? ends[i] : era_days(random);
        if (era_day == 0) continue;
        const auto jdn = jdn_from_era_day(era_day);
        ASSERT_TRUE(jdn) << era_day;
        ASSERT_EQ(value_of(era_day_from_jdn(*jdn)), era_day);
        ASSERT_EQ(value_of(era_day_from_mjd(mjd_from_era_day(era_day).value_or(0))), era_day);
        const std::int64_t next = era_day == -1 ? 1 : era_day + 1;
        if (next <= max_era_day) {
            ASSERT_EQ(value_of(jdn_from_era_day(next)), *jdn + 1) << era_day;
        }
        ASSERT_EQ(static_cast<std::int64_t>(weekday_from_era_day(era_day).value_or(Weekday{})), (*jdn % 7 + 7) % 7 + 1)
            << era_day;
    }
}

// Moments order as time runs, and the time between two counts every SI
// second, leap seconds included; a negative span is floored.
TEST(PublicApi, MomentsOrderInTimeAndTheirDifferenceCountsLeapSeconds) {
    const Moment before = *moment_from_date_time(CalendarMode::Historical, {{2016, 12, 31}, 23, 59, 59, 0});
    const Moment after = *moment_from_date_time(CalendarMode::Historical, {{2017, 1, 1}, 0, 0, 0, 0});
    EXPECT_LT(before, after);
    EXPECT_EQ(after - before, (Elapsed{2, 0}));
    EXPECT_EQ(before - after, (Elapsed{-2, 0}));
    EXPECT_EQ((Moment{10, 0} - Moment{10, 250'000'000}), (Elapsed{-1, 750'000'000}));
    EXPECT_EQ(max_moment - min_moment, (Elapsed{max_e0 - min_e0, 999'999'999}));
}

// Any moment, near a leap second or anywhere: in every mode its date and
// time give it back, with 23:59:60 only inside a leap second; its counts
// are its floors at each resolution; and it orders and subtracts as its
// nanoseconds do.
TEST(PublicApi, MomentsComeBackFromTheirDateTimesAndCounts) {
    std::mt19937_64 random(1972);
    std::uniform_int_distribution<std::int64_t> anywhere(min_e0, max_e0);
    std::uniform_int_distribution<std::int64_t> near(-2, 2);
    std::uniform_int_distribution<std::size_t> leap_days(0, leap_second_count - 1);
    std::uniform_int_distribution<std::int32_t> nanoseconds(0, 999'999'999);
    Moment previous = min_moment;
    for (int i = 0; i < 20000; ++i) {
        const DateTime leap_second{leap_second_days[leap_days(random)], 23, 59, 60, 0};
        const Moment m{i % 2 == 0 ? anywhere(random) : moment_from_date_time(CalendarMode::Historical, leap_second)->seconds + near(random),
                       nanoseconds(random)};
        for (const CalendarMode mode : all_modes) {
            const Result<DateTime> date_time = date_time_from_moment(mode, m);
            if (mode != CalendarMode::Historical && m.seconds < 0) {
                ASSERT_EQ(date_time.error(), Status::nonexistent_date) << m.seconds;
                continue;
            }
            ASSERT_TRUE(date_time) << m.seconds;
            ASSERT_EQ(date_time->second == 60, is_leap_second(m.seconds)) << m.seconds;
            ASSERT_EQ(value_of(moment_from_date_time(mode, *date_time)), m) << calendar_name(mode);
        }
        const wide total = nanoseconds_of(m);
        ASSERT_EQ(value_of(e0_from_moment(m)), m.seconds);
        ASSERT_EQ(value_of(e3_from_moment(m)), static_cast<std::int64_t>(floor_div(total, 1'000'000)));
        const wide e6 = floor_div(total, 1000);
        if (e6 >= int64_min && e6 <= int64_max) {
            ASSERT_EQ(value_of(e6_from_moment(m)), static_cast<std::int64_t>(e6));
        } else {
            ASSERT_EQ(e6_from_moment(m).error(), Status::out_of_range);
        }
        ASSERT_EQ(value_of(moment_from_e3(*e3_from_moment(m))), (Moment{m.seconds, m.nanosecond / 1'000'000 * 1'000'000}));

        // Against the moment before, far away, or one within a few seconds.
        const Moment other = i % 4 < 2 ? previous : Moment{std::clamp(m.seconds + near(random), min_e0, max_e0), nanoseconds(random)};
        ASSERT_EQ(m < other, total < nanoseconds_of(other));
        ASSERT_EQ(m == other, total == nanoseconds_of(other));
        const Elapsed span = m - other;
        ASSERT_TRUE(span.nanosecond >= 0 && span.nanosecond < 1'000'000'000);
        ASSERT_EQ(wide{span.seconds} * 1'000'000'000 + span.nanosecond, total - nanoseconds_of(other));
        previous = m;
    }
}

// The standard library's proleptic Gregorian calendar reaches the years
// -32767 to 32767; a leap second and the part of a second are Morvek's own.
std::string iso_by_chrono(std::int64_t e6) {
    using namespace std::chrono;
    const std::int64_t e0 = e6 / 1000000 - (e6 % 1000000 < 0 ? 1 : 0);
    const std::int64_t microsecond = e6 - e0 * 1000000;
    const bool leap_second = is_leap_second(e0);
    const std::int64_t leap_free = e0 - leap_seconds_up_to(e0);
    const sys_seconds moment{seconds{leap_free - unix_epoch_e0}};
    const auto day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss<seconds> time{moment - day};
    char text[64];
    const int year = static_cast<int>(date.year());
    const int second = static_cast<int>(time.seconds().count()) + (leap_second ? 1 : 0);
    int size = std::snprintf(text, sizeof text, year >= 0 && year <= 9999 ? "%04d-%02u-%02uT%02d:%02d:%02d" : "%+07d-%02u-%02uT%02d:%02d:%02d",
                             year, static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                             static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()), second);
    if (microsecond != 0) size += std::snprintf(text + size, sizeof text - static_cast<std::size_t>(size), ".%06lld", static_cast<long long>(microsecond));
    std::snprintf(text + size, sizeof text - static_cast<std::size_t>(size), "Z");
    return text;
}

std::string iso_of_e6(std::int64_t e6) {
    const Result<IsoText> text = iso8601_from_moment(*moment_from_e6(e6));
    return text ? std::string(text->view()) : std::string(status_name(text.error()));
}

TEST(PublicApi, IsoTextNamesTheMomentOfE6) {
    const std::pair<std::int64_t, const char*> rows[] = {
        {63618825626000000, "2016-12-31T23:59:60Z"},
        {63618825626250000, "2016-12-31T23:59:60.250000Z"},
        {62135596800500000, "1970-01-01T00:00:00.500000Z"},
        {0, "0001-01-01T00:00:00Z"},
        {-1, "0000-12-31T23:59:59.999999Z"},
        {-86400LL * 366 * 1000000, "0000-01-01T00:00:00Z"},     // 1 BCE, a leap year
        {-86400LL * 367 * 1000000, "-000001-12-31T00:00:00Z"},  // 2 BCE
        {int64_max, "+292278-01-10T04:00:27.775807Z"},
        {int64_min, "-292277-12-23T19:59:05.224192Z"},
    };
    for (const auto& [e6, want] : rows) EXPECT_EQ(iso_of_e6(e6), want) << e6;
    const auto far = moment_from_date_time(CalendarMode::Historical, {{12345, 1, 1}, 0, 0, 0, 0});
    ASSERT_TRUE(far);
    EXPECT_EQ(iso8601_from_moment(*far)->view(), "+012345-01-01T00:00:00Z");

    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> moments(-1'000'000'000'000'000'000, 1'000'000'000'000'000'000);
    std::uniform_int_distribution<std::int64_t> near_leap(-3'000'000, 3'000'000);
    std::uniform_int_distribution<std::size_t> leap_days(0, leap_second_count - 1);
    for (int i = 0; i < 200000; ++i) {
        std::int64_t e6 = moments(random);
        if (i % 2 == 1) {
            const Date& day = leap_second_days[leap_days(random)];
            const auto leap_second = moment_from_date_time(CalendarMode::Historical, {day, 23, 59, 60, 0});
            ASSERT_TRUE(leap_second);
            e6 = leap_second->seconds * 1000000 + near_leap(random);
        }
        ASSERT_EQ(iso_of_e6(e6), iso_by_chrono(e6)) << e6;
    }
}

// Morvek's Gregorian calendar and the standard library's name every day they
// share alike, and the other two calendars reach the same days through them.
TEST(PublicApi, ChronoDaysAreTheEraDaysOfTheSameDates) {
    using namespace std::chrono;
    EXPECT_EQ(value_of(era_day_from_sys_days(sys_days{2017y / 1 / 1})), 736330);
    EXPECT_EQ(value_of(era_day_from_sys_days(sys_days{0y / 12 / 31})), -1);
    EXPECT_EQ(value_of(year_month_day_from_date(CalendarMode::Julian, {1582, 10, 5})), 1582y / 10 / 15);
    int checked = 0;
    const auto check = [&](sys_days day) {
        ++checked;
        const auto where = day.time_since_epoch().count();
        const year_month_day ymd{day};
        const Result<DayCount> era_day = era_day_from_sys_days(day);
        ASSERT_TRUE(era_day) << where;
        ASSERT_EQ(value_of(sys_days_from_era_day(*era_day)), day);
        for (const CalendarMode mode : all_modes) {
            const Result<Date> date = date_from_era_day(mode, *era_day);
            ASSERT_EQ(date.has_value(), *era_day > 0 || mode == CalendarMode::Historical) << where;
            if (date) {
                ASSERT_EQ(value_of(year_month_day_from_date(mode, *date)), ymd) << where;
            }
        }
        const Result<Date> gregorian = date_from_year_month_day(ymd);
        if (static_cast<int>(ymd.year()) < 1) {
            ASSERT_EQ(gregorian.error(), Status::nonexistent_date) << where;
        } else {
            const Date want{static_cast<int>(ymd.year()), static_cast<std::int32_t>(unsigned{ymd.month()}),
                            static_cast<std::int32_t>(unsigned{ymd.day()})};
            ASSERT_EQ(value_of(gregorian), want) << where;
            ASSERT_EQ(value_of(date_from_era_day(CalendarMode::Gregorian, *era_day)), want) << where;
        }
    };
    const sys_days first{year::min() / January / 1};
    const sys_days last{year::max() / December / 31};
    for (sys_days day = first; day <= last; day += days{13}) check(day);
    for (sys_days day{-3y / 1 / 1}; day <= sys_days{3y / 12 / 31}; day += days{1}) check(day);
    for (sys_days day{1581y / 1 / 1}; day <= sys_days{1583y / 12 / 31}; day += days{1}) check(day);
    EXPECT_GT(checked, 1'800'000);

    // Beyond the years of std::chrono.
    EXPECT_EQ(value_of(year_month_day_from_date(CalendarMode::Gregorian, {32767, 12, 31})), year::max() / 12 / 31);
    EXPECT_EQ(year_month_day_from_date(CalendarMode::Gregorian, {32768, 1, 1}).error(), Status::out_of_range);
    const Date before_first = *date_from_era_day(CalendarMode::Historical, *era_day_from_sys_days(first) - 1);
    EXPECT_EQ(year_month_day_from_date(CalendarMode::Historical, before_first).error(), Status::out_of_range);
    EXPECT_EQ(date_from_year_month_day(2023y / 2 / 29).error(), Status::nonexistent_date);
}

// sys_time at any resolution: to the moment and back unchanged, its date
// and time those std::chrono gives, and a leap second the midnight after it.
template <class Duration>
void expect_sys_time_round_trips(std::int64_t lowest, std::int64_t highest) {
    using namespace std::chrono;
    using period = typename Duration::period;
    std::mt19937_64 random(period::num + period::den);
    std::uniform_int_distribution<std::int64_t> anywhere(lowest, highest);
    // The years 1583 to 9999, where the historical calendar is the Gregorian
    // one, as far as Duration reaches.
    const auto count_at = [&](sys_days day) {
        const wide count = wide{day.time_since_epoch().count()} * 86400 * period::den / period::num;
        return static_cast<std::int64_t>(std::clamp<wide>(count, lowest, highest));
    };
    std::uniform_int_distribution<std::int64_t> chrono_years(count_at(sys_days{1583y / 1 / 1}),
                                                             count_at(sys_days{9999y / 12 / 31}));
    for (int i = 0; i < 4000; ++i) {
        const sys_time<Duration> time{Duration{i % 2 == 0 ? anywhere(random) : chrono_years(random)}};
        const Result<Moment> moment = moment_from_sys_time(time);
        ASSERT_TRUE(moment) << time.time_since_epoch().count();
        ASSERT_EQ(value_of(sys_time_from_moment<Duration>(*moment)), time);
        if (i % 2 == 0) continue;
        const auto day = floor<days>(time);
        const year_month_day date{day};
        const hh_mm_ss<nanoseconds> of_day{duration_cast<nanoseconds>(time - day)};
        const DateTime want{{static_cast<int>(date.year()), static_cast<std::int32_t>(unsigned{date.month()}),
                             static_cast<std::int32_t>(unsigned{date.day()})},
                            static_cast<std::int32_t>(of_day.hours().count()),
                            static_cast<std::int32_t>(of_day.minutes().count()),
                            static_cast<std::int32_t>(of_day.seconds().count()),
                            static_cast<std::int32_t>(of_day.subseconds().count())};
        ASSERT_EQ(value_of(date_time_from_moment(CalendarMode::Historical, *moment)), want);
    }
}

TEST(PublicApi, SysTimeRoundTripsAtEveryResolution) {
    using namespace std::chrono;
    expect_sys_time_round_trips<seconds>(min_unix_time, max_unix_time);
    expect_sys_time_round_trips<milliseconds>(min_unix_time * 1000, max_unix_time * 1000 + 999);
    expect_sys_time_round_trips<nanoseconds>(int64_min, int64_max);
    expect_sys_time_round_trips<days>(min_unix_time / 86400 + 1, max_unix_time / 86400 - 1);
    EXPECT_EQ(moment_from_sys_time(sys_seconds{seconds{max_unix_time + 1}}).error(), Status::out_of_range);
    EXPECT_EQ(sys_time_from_moment<nanoseconds>(max_moment).error(), Status::out_of_range);
    EXPECT_EQ(value_of(sys_time_from_moment<seconds>(max_moment)), sys_seconds{seconds{max_unix_time}});

    const auto leap_second = moment_from_date_time(CalendarMode::Historical, {{2016, 12, 31}, 23, 59, 60, 500'000'000});
    const auto midnight = moment_from_date_time(CalendarMode::Historical, {{2017, 1, 1}, 0, 0, 0, 0});
    ASSERT_TRUE(leap_second && midnight);
    const auto as_milliseconds = sys_time_from_moment<milliseconds>(*leap_second);
    EXPECT_EQ(value_of(as_milliseconds), sys_days{2017y / 1 / 1} + 0ms);
    EXPECT_EQ(value_of(moment_from_sys_time(as_milliseconds.value_or({}))), *midnight);
}

// The clock is whatever the caller makes it: here a reading the test
// changes between runs, and counts.
TEST(PublicApi, TheClockIsReadByTheCurrentTimeFormOnly) {
    int reads = 0;
    DateTime now{{2024, 2, 29}, 23, 59, 58, 999'999'999};
    const auto reading = [&] {
        ++reads;
        return now;
    };
    const UtcClock clock = utc_clock_from(reading);
    const std::array<std::string_view, 1> current = {"/C"};
    const CommandResult first = run_command(current, clock);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(first.outcome, CommandOutcome::report);
    EXPECT_EQ(first.date.date, now.date);
    EXPECT_EQ(first.second, 58);
    EXPECT_EQ(first.clock_tag, "(UTC)");
    // The command takes the whole seconds.
    EXPECT_EQ(first.e0, moment_from_date_time(CalendarMode::Gregorian, now)->seconds);
    EXPECT_EQ(first.moment.nanosecond, 0);

    const std::array<std::string_view, 1> date = {"01.01.2000"};
    EXPECT_EQ(run_command(date, clock).outcome, CommandOutcome::report);
    EXPECT_EQ(reads, 1);

    now = {{2024, 3, 1}, 0, 0, 1, 0};
    EXPECT_EQ(run_command(current, clock).e0, first.e0 + 3);
    EXPECT_EQ(reads, 2);
}

const std::vector<std::vector<std::string_view>> commands = {
    {"01.01.2017"}, {"31.12.2016", "23:59:60"}, {"730000", "/J"}, {"-1500000", "/E6"}, {"12345678", "/F"},
    {"31.02.2000"}, {"9223372036855"}, {"0", "/D"}, {"100", "/G"}, {"01.01.-1", "12:00:00", "/G"},
};
using command_testing::fixed_clock;

std::string output_of(const CommandResult& result) {
    std::string text;
    write_command_output(result, string_sink(text));
    return text;
}

// A front end that shows the values on their own shows the report's texts.
TEST(PublicApi, ValueTextsAreTheOnesInTheReport) {
    for (const auto& command : commands) {
        const CommandResult result = run_command(command, fixed_clock);
        if (result.outcome != CommandOutcome::report) continue;
        const std::string report = output_of(result);
        const ReportText time = report_time_text(result.hour, result.minute, result.second);
        for (const ReportDate* date : {&result.date, result.has_era_date ? &result.era_date : nullptr}) {
            if (date == nullptr) continue;
            std::string line(report_date_text(date->date).view());
            line.append("  ").append(time.view()).append(" ");
            EXPECT_NE(report.find(line), std::string::npos) << report;
        }
        for (const std::int64_t value : {result.e0, result.e3, result.e6, result.unix_time, result.file_time}) {
            EXPECT_NE(report.find(std::string(report_hex_text(value).view()) + "\n"), std::string::npos) << value;
            std::string decimal(" ");
            decimal.append(report_decimal_text(value).view()).append(" ");
            EXPECT_NE(report.find(decimal), std::string::npos) << value;
        }
        EXPECT_NE(report.find(std::string(weekday_name(result.weekday)) + "\n"), std::string::npos) << report;
    }
    EXPECT_EQ(report_hex_text(-1).view(), "0xFFFFFFFFFFFFFFFF");
    EXPECT_EQ(report_decimal_text(int64_min).view(), "-9223372036854775808");
}

// The same bytes through every sink; a buffer that is too small keeps what
// fits and says so.
TEST(PublicApi, SinksTakeTheWholeTextOrSayWhatTheyCut) {
    const std::string text = output_of(run_command(commands[0], fixed_clock));
    ASSERT_GT(text.size(), 400u);

    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    write_command_output(run_command(commands[0], fixed_clock), file_sink(file));
    std::rewind(file);
    std::string read_back(text.size() + 1, '\0');
    read_back.resize(std::fread(read_back.data(), 1, read_back.size(), file));
    EXPECT_EQ(std::ferror(file), 0);
    std::fclose(file);
    EXPECT_EQ(read_back, text);

    for (const std::size_t capacity : {text.size() + 10, text.size(), text.size() - 1, std::size_t{100}, std::size_t{0}}) {
        std::vector<char> bytes(capacity + 1, '#');
        BufferSink buffer{bytes.data(), capacity};
        write_command_output(run_command(commands[0], fixed_clock), buffer.sink());
        EXPECT_EQ(buffer.view(), text.substr(0, capacity)) << capacity;
        EXPECT_EQ(buffer.truncated, capacity < text.size()) << capacity;
        EXPECT_EQ(bytes[capacity], '#') << "written past the buffer of " << capacity;
    }
}

// main()'s arguments give what their texts give: the program's name
// skipped, a missing text read as empty, four or more the usage form.
TEST(PublicApi, RunCommandOnMainsArgumentsIsRunCommandOnTheirTexts) {
    for (const auto& command : commands) {
        const std::vector<std::string> words(command.begin(), command.end());
        EXPECT_EQ(command_testing::program_output(words), output_of(run_command(command, fixed_clock))) << words[0];
    }
    const std::pair<std::vector<const char*>, std::vector<std::string_view>> rows[] = {
        {{"5", nullptr}, {"5", ""}},
        {{nullptr, "/E3"}, {"", "/E3"}},
        {{"1", "2", "3", "4", "5", "6"}, {"1", "2", "3", "4"}},
    };
    for (const auto& [argv, texts] : rows) {
        EXPECT_EQ(command_testing::program_output(argv), output_of(run_command(texts, fixed_clock))) << texts.size();
    }
    const char* const words[] = {"morvek", "736330", "/D"};
    for (const auto& [argc, argv] : {std::pair<int, const char* const*>{1, words}, {0, words}, {3, nullptr}}) {
        EXPECT_EQ(output_of(run_command(argc, argv, fixed_clock)), command_testing::usage_text) << argc;
    }
    const CommandResult era_day = run_command(3, words, fixed_clock);
    EXPECT_EQ(era_day.first_argument, "736330");
    EXPECT_EQ(era_day.second_argument, "/D");
    EXPECT_EQ(era_day.date.date, (Date{2017, 1, 1}));
}

TEST(PublicApi, RunCommandGivesTheSameResultsOnSeveralThreads) {
    std::vector<CommandResult> alone;
    for (const auto& command : commands) alone.push_back(run_command(command, fixed_clock));

    std::vector<int> mismatches(2, 0);
    auto work = [&](int thread) {
        for (int round = 0; round < 2000; ++round) {
            for (std::size_t i = 0; i < commands.size(); ++i) {
                const CommandResult result = run_command(commands[i], fixed_clock);
                if (result.outcome != alone[i].outcome || result.e6 != alone[i].e6 || result.era_day != alone[i].era_day ||
                    !(result.date.date == alone[i].date.date) || !(result.moment == alone[i].moment)) {
                    ++mismatches[static_cast<std::size_t>(thread)];
                }
            }
        }
    };
    std::thread first(work, 0);
    std::thread second(work, 1);
    first.join();
    second.join();
    EXPECT_EQ(mismatches[0] + mismatches[1], 0);
    EXPECT_EQ(alone[0].e0, 63618825627);
    EXPECT_EQ(alone[5].outcome, CommandOutcome::nonexistent_date);
}

}  // namespace
}  // namespace morvek
