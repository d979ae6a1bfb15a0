#include "morvek/iso8601.h"

#include "morvek/detail/date_from_era_day.h"
#include "text/text_builder.h"

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
    if (index >= 0 && index < max_era_day) {
        const Date date = *date_from_era_day(CalendarMode::Gregorian, index + 1);
        return {date.year, date.month, date.day};
    }
    const std::int64_t cycles_back = index < 0 ? (-index + days_per_400_years - 1) / days_per_400_years : 0;
    const detail::CalendarDate date =
        detail::calendar_date_from_era_day(CalendarMode::Gregorian, index + cycles_back * days_per_400_years + 1);
    return {date.year - 400 * cycles_back, date.month, date.day};
}

}  // namespace

Result<IsoText> iso8601_from_moment(Moment moment) noexcept {
    if (!detail::in_moment_domain(moment)) return Status::out_of_range;
    const detail::DayAndSecond found = detail::day_and_second_from_e0(moment.seconds);
    const AstronomicalDate date = gregorian_date_from_day_index(detail::day_index_from_era_day(found.era_day));
    const bool leap_second = found.second_of_day == seconds_per_day;
    const std::int32_t second = leap_second ? found.second_of_day - 1 : found.second_of_day;
    const std::int32_t microsecond = moment.nanosecond / 1000;

    IsoText text;
    detail::TextBuilder out(text.characters, sizeof text.characters - 1);
    if (date.year >= 0 && date.year <= 9999) {
        out.decimal(date.year, 4, true);
    } else {  // [-292278, 292278]: a sign and six digits, as JavaScript writes them
        out.character(date.year < 0 ? '-' : '+');
        out.decimal(date.year < 0 ? -date.year : date.year, 6, true);
    }
    out.character('-');
    out.decimal(date.month, 2, true);
    out.character('-');
    out.decimal(date.day, 2, true);
    out.character('T');
    out.decimal(second / 3600, 2, true);
    out.character(':');
    out.decimal(second / 60 % 60, 2, true);
    out.character(':');
    out.decimal(second % 60 + (leap_second ? 1 : 0), 2, true);
    if (microsecond != 0) {
        out.character('.');
        out.decimal(microsecond, 6, true);
    }
    out.character('Z');
    text.size = out.size();
    return text;
}

}  // namespace morvek
