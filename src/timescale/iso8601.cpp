#include "morvek/iso8601.h"

#include "calendar/checked_arithmetic.h"
#include "calendar/date_from_era_day.h"
#include "calendar/era_day_index.h"
#include "morvek/time_scales.h"
#include "timescale/day_and_second.h"

namespace morvek {
namespace {

constexpr std::int64_t micros_per_second = 1000000;
constexpr std::int64_t days_per_400_years = 146097;

struct AstronomicalDate {
    std::int64_t year;  // 0 is 1 BCE
    std::int32_t month;
    std::int32_t day;
};

// The proleptic Gregorian calendar repeats every 400 years, so a day before
// 01.01.0001 is the Gregorian-mode day whole cycles later, that many times
// 400 years back; its year then counts 1 BCE as 0.
AstronomicalDate gregorian_date_from_day_index(std::int64_t index) {
    const std::int64_t cycles_back = index < 0 ? (-index + days_per_400_years - 1) / days_per_400_years : 0;
    const CalendarDate date =
        calendar_date_from_era_day(CalendarMode::Gregorian, index + cycles_back * days_per_400_years + 1);
    return {date.year - 400 * cycles_back, date.month, date.day};
}

class IsoWriter {
public:
    explicit IsoWriter(IsoText& text) : text_(text) { text_.size = 0; }
    void character(char c) { text_.characters[text_.size++] = c; }
    void digits(std::int64_t value, int count) {  // value >= 0, zero-padded to count digits
        for (int i = count - 1; i >= 0; --i) {
            text_.characters[text_.size + static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
        text_.size += static_cast<std::size_t>(count);
    }

private:
    IsoText& text_;
};

}  // namespace

IsoText iso8601_from_e6(std::int64_t e6) {
    const std::int64_t e0 = floor_div(e6, micros_per_second);  // [-9223372036855, 9223372036854]
    const auto microsecond = floor_mod(e6, micros_per_second);
    const DayAndSecond found = day_and_second_from_e0(e0);
    const AstronomicalDate date = gregorian_date_from_day_index(day_index_from_era_day(found.era_day));
    const bool leap_second = found.second_of_day == seconds_per_day;
    const std::int32_t second = leap_second ? found.second_of_day - 1 : found.second_of_day;

    IsoText text{};
    IsoWriter out(text);
    if (date.year >= 0 && date.year <= 9999) {
        out.digits(date.year, 4);
    } else {  // [-292277, 292278]: a sign and six digits, as JavaScript writes them
        out.character(date.year < 0 ? '-' : '+');
        out.digits(date.year < 0 ? -date.year : date.year, 6);
    }
    out.character('-');
    out.digits(date.month, 2);
    out.character('-');
    out.digits(date.day, 2);
    out.character('T');
    out.digits(second / 3600, 2);
    out.character(':');
    out.digits(second / 60 % 60, 2);
    out.character(':');
    out.digits(second % 60 + (leap_second ? 1 : 0), 2);
    if (microsecond != 0) {
        out.character('.');
        out.digits(microsecond, 6);
    }
    out.character('Z');
    return text;
}

}  // namespace morvek
