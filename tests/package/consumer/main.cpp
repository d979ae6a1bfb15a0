// A program that uses Morvek as a library: the example of the README.

#include <chrono>
#include <cstdio>
#include <string_view>

#include <morvek/morvek.h>

using namespace morvek;

// The calendar is constexpr: the compiler checks this landmark.
static_assert(*era_day_from_date(CalendarMode::Julian, {1582, 10, 5}) ==
              *era_day_from_date(CalendarMode::Historical, {1582, 10, 15}));

int main() {
    // The day of the reform: Julian 05.10.1582 is Gregorian 15.10.1582.
    const Result<DayCount> era_day = era_day_from_date(CalendarMode::Julian, {1582, 10, 5});
    if (!era_day) return 1;
    const Date gregorian = date_from_era_day(CalendarMode::Gregorian, *era_day).value_or(Date{});
    const std::string_view weekday = weekday_name(weekday_from_era_day(*era_day).value_or(Weekday::Monday));
    std::printf("Julian 05.10.1582 = Gregorian %s, a %.*s, Era Day %lld, JDN %lld\n",
                report_date_text(gregorian).c_str(), static_cast<int>(weekday.size()), weekday.data(),
                static_cast<long long>(*era_day), static_cast<long long>(jdn_from_era_day(*era_day).value_or(0)));

    // 23:59:60 exists only where a leap second was inserted.
    for (const Date day : {Date{2016, 12, 31}, Date{2017, 12, 31}}) {
        const Result<Moment> moment = moment_from_date_time(CalendarMode::Historical, {day, 23, 59, 60, 0});
        if (moment) {
            std::printf("%d-12-31 23:59:60 is E0 %lld, %s\n", day.year, static_cast<long long>(moment->seconds),
                        iso8601_from_moment(*moment)->c_str());
        } else {
            const std::string_view why = status_name(moment.error());
            std::printf("%d-12-31 23:59:60: %.*s\n", day.year, static_cast<int>(why.size()), why.data());
        }
    }

    // A FILE time from a forensic report, to Unix time, ISO 8601 and E6.
    const Result<Moment> moment = moment_from_file_time(131277024005000000);
    if (!moment) return 1;
    std::printf("FILE 131277024005000000 = Unix %lld, %s, E6 %lld\n",
                static_cast<long long>(unix_time_from_moment(*moment)->seconds), iso8601_from_moment(*moment)->c_str(),
                static_cast<long long>(*e6_from_moment(*moment)));

    // The standard library's types: sys_time has no leap seconds.
    const auto seconds = sys_time_from_moment<std::chrono::seconds>(*moment);
    const Elapsed across = *moment - *moment_from_date_time(CalendarMode::Historical, {{2016, 12, 31}, 23, 59, 59, 0});
    std::printf("sys_seconds %lld; %lld.%09d s since 31.12.2016 23:59:59\n",
                static_cast<long long>(seconds->time_since_epoch().count()), static_cast<long long>(across.seconds),
                across.nanosecond);

    // The program's own report, byte for byte.
    const char* const argv[] = {"morvek", "730000", "/J"};
    const CommandResult result = run_command(3, argv, system_utc_clock());
    write_command_output(result, file_sink(stdout));
    return result.outcome == CommandOutcome::report ? 0 : 1;
}
