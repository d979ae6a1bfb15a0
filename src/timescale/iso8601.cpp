#include "morvek/iso8601.h"

#include "morvek/detail/date_from_era_day.h"
#include "morvek/detail/day_count_fast.h"

namespace morvek {
namespace {

constexpr std::int64_t days_per_400_years = 146097;

struct AstronomicalDate {
    std::int64_t year;  // 0 is 1 BCE
    std::int32_t month;
    std::int32_t day;
};

// The proleptic Gregorian calendar repeats every 400 years, so a day before
// 01.01.0001 is the Gregorian-mode day whole cycles later, that many times
// 400 years back; its year then counts 1 BCE as 0.
AstronomicalDate gregorian_date_from_day_index(std::int64_t index) noexcept {
    if (index >= 0) {  // from 01.01.0001, Neri and Schneider's forms
        const detail::FastDate date = detail::gregorian_date_fast(index + 1);
        return {date.year, date.month, date.day};
    }
    const std::int64_t cycles_back = index < 0 ? (-index + days_per_400_years - 1) / days_per_400_years : 0;
    const detail::CalendarDate date =
        detail::calendar_date_from_era_day(CalendarMode::Gregorian, index + cycles_back * days_per_400_years + 1);
    return {date.year - 400 * cycles_back, date.month, date.day};
}

// The two digits of a value in [0, 99] at `at`; the place after them.
char* two_digits(char* at, std::int32_t value) noexcept {
    at[0] = static_cast<char>('0' + value / 10);
    at[1] = static_cast<char>('0' + value % 10);
    return at + 2;
}

}  // namespace

Result<IsoText> iso8601_from_moment(Moment moment) noexcept {
    if (!detail::in_moment_domain(moment)) return Status::out_of_range;
    const detail::DayAndSecond found = detail::day_and_second_from_e0(moment.seconds);
    const AstronomicalDate date = gregorian_date_from_day_index(detail::day_index_from_era_day(found.era_day));
    const bool leap_second = found.second_of_day == seconds_per_day;
    const std::int32_t second = leap_second ? found.second_of_day - 1 : found.second_of_day;
    const std::int32_t microsecond = moment.nanosecond / 1000;

    // Every part has a fixed width: digits go straight to their places (the
    // columns of databases are read by the million).
    IsoText text;
    char* at = text.characters;
    if (date.year >= 0 && date.year <= 9999) {
        at = two_digits(two_digits(at, static_cast<std::int32_t>(date.year / 100)), static_cast<std::int32_t>(date.year % 100));
    } else {  // [-292278, 292278]: a sign and six digits, as JavaScript writes them
        *at++ = date.year < 0 ? '-' : '+';
        const auto magnitude = static_cast<std::int32_t>(date.year < 0 ? -date.year : date.year);
        at = two_digits(two_digits(two_digits(at, magnitude / 10000), magnitude / 100 % 100), magnitude % 100);
    }
    *at++ = '-';
    at = two_digits(at, date.month);
    *at++ = '-';
    at = two_digits(at, date.day);
    *at++ = 'T';
    at = two_digits(at, second / 3600);
    *at++ = ':';
    at = two_digits(at, second / 60 % 60);
    *at++ = ':';
    at = two_digits(at, second % 60 + (leap_second ? 1 : 0));
    if (microsecond != 0) {
        *at++ = '.';
        at = two_digits(two_digits(two_digits(at, microsecond / 10000), microsecond / 100 % 100), microsecond % 100);
    }
    *at++ = 'Z';
    text.size = static_cast<std::size_t>(at - text.characters);
    return text;
}

}  // namespace morvek
