#include "record/historian_fields.h"

#include "morvek/easter.h"
#include "morvek/week_date.h"
#include "text/date_time_text.h"
#include "text/text_builder.h"

namespace morvek::detail {

namespace {

FieldText text_of(std::string_view view) noexcept {
    FieldText text;
    TextBuilder out(text.characters, sizeof text.characters - 1);
    out.text(view);
    text.size = out.size();
    return text;
}

FieldText date_field(Result<Date> date) noexcept {
    if (!date) return {};
    FieldText text;
    TextBuilder out(text.characters, sizeof text.characters - 1);
    write_date_text(out, date->day, date->month, date->year);
    text.size = out.size();
    return text;
}

}  // namespace

std::optional<std::int64_t> day_of_year_of(const ReportDate& date, const CalendarSettings& settings) noexcept {
    const Result<std::int32_t> day = date.calendar == CalendarMode::Historical
                                         ? day_of_year(settings.reform, date.date)
                                         : day_of_year(date.calendar, date.date);
    if (!day) return std::nullopt;
    return *day;
}

FieldText historian_field_text(Field field, DayCount era_day, const ReportDate& date,
                               const CalendarSettings& settings) noexcept {
    const auto historical_year = [&] { return date_from_era_day(settings.reform, era_day).value_or(Date{0, 1, 1}).year; };
    switch (field) {
        case Field::julian_date:
            return era_day >= 1 ? date_field(date_from_era_day(CalendarMode::Julian, era_day)) : FieldText{};
        case Field::gregorian_date:
            return era_day >= 1 ? date_field(date_from_era_day(CalendarMode::Gregorian, era_day)) : FieldText{};
        case Field::historical_date: return date_field(date_from_era_day(settings.reform, era_day));
        case Field::dual_date: return text_of(dual_date_text(settings.year_start, date.date).view());
        case Field::day_of_year: {
            const std::optional<std::int64_t> day = day_of_year_of(date, settings);
            return day ? text_of(TextBuilder::decimal_text(*day).view()) : FieldText{};
        }
        case Field::iso_week: {
            const Result<IsoWeekDate> week = iso_week_date_from_era_day(era_day);
            return week ? text_of(iso_week_date_text(*week).view()) : FieldText{};
        }
        case Field::easter_julian: return date_field(easter_julian(historical_year()));
        case Field::easter_gregorian: return date_field(easter_gregorian(historical_year()));
        default: break;
    }
    return {};
}

}  // namespace morvek::detail
