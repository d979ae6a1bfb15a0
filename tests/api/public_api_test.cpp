// The public interface at its edges: what each conversion says when it has
// no answer, the day counts astronomers use, the ISO 8601 text against the
// standard library's own calendar, and run_command on several threads.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "morvek/morvek.h"

namespace morvek {
namespace {

constexpr std::int64_t int64_min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t int64_max = std::numeric_limits<std::int64_t>::max();

template <class T>
Status status_of(const Result<T>& result) {
    return result.status;
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
        {"JDN of Era Day 0", status_of(jdn_from_era_day(0)), Status::nonexistent_date},
        {"E0 max", status_of(date_time_from_e0(CalendarMode::Historical, max_e0)), Status::ok},
        {"E0 max + 1", status_of(date_time_from_e0(CalendarMode::Historical, max_e0 + 1)), Status::out_of_range},
        {"E0 min - 1", status_of(date_time_from_e0(CalendarMode::Historical, min_e0 - 1)), Status::out_of_range},
        {"E3 max + 1", status_of(date_time_from_e3(CalendarMode::Historical, max_e3 + 1)), Status::out_of_range},
        {"E6 of 1 BCE, Julian", status_of(date_time_from_e6(CalendarMode::Julian, -1)), Status::nonexistent_date},
        {"23:59:60 of 31.12.2016", status_of(e0_from_date_time(CalendarMode::Historical, leap_second)), Status::ok},
        {"23:59:60 of 31.12.2017", status_of(e0_from_date_time(CalendarMode::Historical, no_leap_second)), Status::nonexistent_time},
        {"24:00:00", status_of(e0_from_date_time(CalendarMode::Historical, {{2000, 1, 1}, 24, 0, 0, 0})), Status::nonexistent_time},
        {"1000000 microseconds", status_of(e6_from_date_time(CalendarMode::Historical, {{2000, 1, 1}, 0, 0, 0, 1000000})), Status::nonexistent_time},
        {"E6 of year 292279", status_of(e6_from_date_time(CalendarMode::Historical, {{292279, 1, 1}, 0, 0, 0, 0})), Status::out_of_range},
        {"Unix max", status_of(e0_from_unix_time(max_unix_time)), Status::ok},
        {"Unix max + 1", status_of(e0_from_unix_time(max_unix_time + 1)), Status::out_of_range},
        {"Unix min - 1", status_of(e0_from_unix_time(min_unix_time - 1)), Status::out_of_range},
        {"FILE -1", status_of(e0_from_file_time(-1)), Status::out_of_range},
        {"FILE max", status_of(e0_from_file_time(int64_max)), Status::ok},
        {"FILE of 31.12.1600", status_of(file_time_from_e0({file_epoch_e0 - 1, 0})), Status::out_of_range},
        {"FILE beyond its range", status_of(file_time_from_e0({972828326913, 0})), Status::out_of_range},
        {"FILE units 10^7", status_of(file_time_from_e0({file_epoch_e0, 10000000})), Status::out_of_range},
    };
    for (const Row& row : rows) EXPECT_EQ(row.got, row.want) << row.call;
}

// JDN 0 was a Monday, and the days run on without a gap across the missing Era Day 0.
TEST(PublicApi, JulianDayNumbersRunOnWithoutAGap) {
    EXPECT_EQ(jdn_from_era_day(era_day_from_date(CalendarMode::Gregorian, {2000, 1, 1}).value).value, 2451545);
    EXPECT_EQ(mjd_from_era_day(era_day_from_date(CalendarMode::Gregorian, {2000, 1, 1}).value).value, 51544);
    EXPECT_EQ(jdn_from_era_day(1).value, 1721426);
    EXPECT_EQ(jdn_from_era_day(-1).value, 1721425);
    EXPECT_EQ(mjd_from_era_day(era_day_from_date(CalendarMode::Gregorian, {1858, 11, 17}).value).value, 0);
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<std::int64_t> era_days(min_era_day, max_era_day);
    for (int i = 0; i < 100000; ++i) {
        const std::int64_t ends[] = {min_era_day, max_era_day, -1, 1};
        const std::int64_t era_day = i < 4 ? ends[i] : era_days(random);
        if (era_day == 0) continue;
        const auto jdn = jdn_from_era_day(era_day);
        ASSERT_TRUE(jdn) << era_day;
        ASSERT_EQ(era_day_from_jdn(jdn.value).value, era_day);
        ASSERT_EQ(era_day_from_mjd(mjd_from_era_day(era_day).value).value, era_day);
        const std::int64_t next = era_day == -1 ? 1 : era_day + 1;
        if (next <= max_era_day) {
            ASSERT_EQ(jdn_from_era_day(next).value, jdn.value + 1) << era_day;
        }
        ASSERT_EQ(static_cast<std::int64_t>(weekday_from_era_day(era_day).value), (jdn.value % 7 + 7) % 7 + 1) << era_day;
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
    for (const auto& [e6, want] : rows) EXPECT_EQ(iso8601_from_e6(e6).view(), want) << e6;
    EXPECT_EQ(iso8601_from_e6(e0_from_date_time(CalendarMode::Historical, {{12345, 1, 1}, 0, 0, 0, 0}).value * 1000000).view(),
              "+012345-01-01T00:00:00Z");

    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> moments(-1'000'000'000'000'000'000, 1'000'000'000'000'000'000);
    std::uniform_int_distribution<std::int64_t> near_leap(-3'000'000, 3'000'000);
    std::uniform_int_distribution<std::size_t> leap_days(0, leap_second_count - 1);
    for (int i = 0; i < 200000; ++i) {
        std::int64_t e6 = moments(random);
        if (i % 2 == 1) {
            const LeapSecondDay& day = leap_second_days[leap_days(random)];
            const auto leap_second = e0_from_date_time(CalendarMode::Historical, {{day.year, day.month, day.day}, 23, 59, 60, 0});
            ASSERT_TRUE(leap_second);
            e6 = leap_second.value * 1000000 + near_leap(random);
        }
        ASSERT_EQ(iso8601_from_e6(e6).view(), iso_by_chrono(e6)) << e6;
    }
}

const std::vector<std::vector<std::string_view>> commands = {
    {"01.01.2017"}, {"31.12.2016", "23:59:60"}, {"730000", "/J"}, {"-1500000", "/E6"}, {"12345678", "/F"},
    {"31.02.2000"}, {"9223372036855"}, {"0", "/D"}, {"100", "/G"}, {"01.01.-1", "12:00:00", "/G"},
};
constexpr auto fixed_clock = [] { return UtcClockReading{2024, 3, 15, 12, 34, 56}; };

// A front end that shows the values on their own shows the report's texts.
TEST(PublicApi, ValueTextsAreTheOnesInTheReport) {
    for (const auto& command : commands) {
        const CommandResult result = run_command(command, fixed_clock);
        if (result.outcome != CommandOutcome::report) continue;
        std::string report;
        write_command_output(result, {[](void* to, const char* data, std::size_t size) {
                                          static_cast<std::string*>(to)->append(data, size);
                                      },
                                      &report});
        const ReportText time = report_time_text(result.hour, result.minute, result.second);
        for (const ReportDate* date : {&result.date, result.has_era_date ? &result.era_date : nullptr}) {
            if (date == nullptr) continue;
            std::string line(report_date_text(date->date).view());
            line.append("  ").append(time.view()).append(" ");
            EXPECT_NE(report.find(line), std::string::npos) << report;
        }
        for (const std::int64_t value : {result.e0, result.e3, result.e6, result.unix_time, result.file_time}) {
            EXPECT_NE(report.find(std::string(report_hex_text(value).view()) + "\n"), std::string::npos) << value;
        }
    }
    EXPECT_EQ(report_hex_text(-1).view(), "0xFFFFFFFFFFFFFFFF");
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
                    !(result.date.date == alone[i].date.date)) {
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
