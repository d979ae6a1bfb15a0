// A program that uses Morvek as a library: the example of the README.

#include <cstdio>
#include <string_view>

#include <morvek/morvek.h>

int main() {
    using namespace morvek;

    // The day of the reform: Julian 05.10.1582 is Gregorian 15.10.1582.
    const Result<std::int64_t> era_day = era_day_from_date(CalendarMode::Julian, {1582, 10, 5});
    const Result<Date> gregorian = date_from_era_day(CalendarMode::Gregorian, era_day.value);
    const std::string_view weekday = weekday_name(weekday_from_era_day(era_day.value).value);
    std::printf("Julian 05.10.1582 = Gregorian %02d.%02d.%d, a %.*s, Era Day %lld, JDN %lld\n",
                gregorian.value.day, gregorian.value.month, gregorian.value.year,
                static_cast<int>(weekday.size()), weekday.data(),
                static_cast<long long>(era_day.value), static_cast<long long>(jdn_from_era_day(era_day.value).value));

    // 23:59:60 exists only where a leap second was inserted.
    for (const Date day : {Date{2016, 12, 31}, Date{2017, 12, 31}}) {
        const Result<std::int64_t> e0 = e0_from_date_time(CalendarMode::Historical, {day, 23, 59, 60, 0});
        if (e0) {
            std::printf("%d-12-31 23:59:60 is E0 %lld, %s\n", day.year, static_cast<long long>(e0.value),
                        iso8601_from_e6(e0.value * 1000000).c_str());
        } else if (e0.status == Status::nonexistent_time) {
            std::printf("%d-12-31 23:59:60 does not exist\n", day.year);
        }
    }

    // A FILE time from a forensic report, to Unix time and ISO 8601.
    const Result<FileTimeMoment> moment = e0_from_file_time(131277024005000000);
    std::printf("FILE 131277024005000000 = Unix %lld, %s\n",
                static_cast<long long>(unix_time_from_e0(moment.value.e0).value),
                iso8601_from_e6(moment.value.e0 * 1000000 + moment.value.units / 10).c_str());

    // The program's own report, byte for byte.
    const std::string_view arguments[] = {"730000", "/J"};
    const CommandResult result = run_command(arguments, system_utc_clock);
    write_command_output(result, {[](void*, const char* data, std::size_t size) { std::fwrite(data, 1, size, stdout); }});
    return result.outcome == CommandOutcome::report ? 0 : 1;
}
