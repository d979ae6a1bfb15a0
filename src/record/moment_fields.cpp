// The fields of a moment read from a value, each computed alone. They must
// be what the whole report of the moment shows (result_from_moment); the
// record tests compare the two on random moments of every kind.

#include "morvek/iso8601.h"
#include "morvek/record.h"
#include "record/historian_fields.h"
#include "text/date_time_text.h"
#include "text/text_builder.h"

namespace morvek {

namespace {

using detail::TextBuilder;

template <class Write>
FieldText text_of(Write write) noexcept {
    FieldText text;
    TextBuilder out(text.characters, sizeof text.characters - 1);
    write(out);
    text.size = out.size();
    return text;
}

// The report's FILE time: 0 before 01.01.1601, -1 beyond its range.
std::int64_t report_file_time(Moment moment) noexcept {
    if (moment.seconds < file_epoch_e0) return 0;
    return file_time_from_moment(moment).value_or(-1);
}

// The report's date of a moment: the historical date of its day.
ReportDate report_date_of(Moment moment, const CalendarSettings& settings) noexcept {
    const DayCount era_day = detail::day_and_second_from_e0(moment.seconds).era_day;
    return {CalendarMode::Historical, date_from_era_day(settings.reform, era_day).value_or(Date{})};
}

}  // namespace

std::optional<std::int64_t> moment_field_integer(Field field, Moment moment, const CalendarSettings& settings) noexcept {
    if (field_type(field) == FieldType::text || !e6_from_moment(moment)) return std::nullopt;
    const std::int64_t e0 = moment.seconds;
    switch (field) {
        case Field::day_of_year: return detail::day_of_year_of(report_date_of(moment, settings), settings);
        case Field::era_day: return detail::day_and_second_from_e0(e0).era_day;
        case Field::leap_seconds: return leap_seconds_up_to(e0);
        case Field::e0: return e0;
        case Field::e3: return *e3_from_moment(moment);
        case Field::e6: return *e6_from_moment(moment);
        case Field::unix_time: return unix_time_from_moment(moment)->seconds;
        case Field::file_time: return report_file_time(moment);
        case Field::jdn: return jdn_from_era_day(detail::day_and_second_from_e0(e0).era_day).value_or(0);
        case Field::mjd: return mjd_from_era_day(detail::day_and_second_from_e0(e0).era_day).value_or(0);
        case Field::line:
        case Field::rd_julian:
        case Field::rd_gregorian:
            return std::nullopt;  // the line is the caller's; a value has no RD line
        default:
            break;
    }
    const std::optional<Format> format = format_of_field(field);
    if (!format) return std::nullopt;
    const Result<std::int64_t> value = integer_from_moment(*format, moment);
    if (!value) return std::nullopt;
    return *value;
}

FieldText moment_field_text(Field field, Moment moment, const CalendarSettings& settings) noexcept {
    if (!e6_from_moment(moment)) return {};
    if (field_type(field) != FieldType::text) {
        const std::optional<std::int64_t> value = moment_field_integer(field, moment, settings);
        if (!value) return {};
        return text_of([&](TextBuilder& out) { out.decimal(*value); });
    }
    if (detail::is_historian_field(field)) {
        return detail::historian_field_text(field, detail::day_and_second_from_e0(moment.seconds).era_day,
                                            report_date_of(moment, settings), settings);
    }
    const auto date_time = [&] {
        DateTime at = *date_time_from_moment(CalendarMode::Historical, moment);
        if (settings.reform != rome_reform) at.date = report_date_of(moment, settings).date;
        return at;
    };
    const auto hex = [&](std::int64_t value) { return text_of([&](TextBuilder& out) { out.hexadecimal(value); }); };
    switch (field) {
        case Field::date: {
            const DateTime at = date_time();
            return text_of([&](TextBuilder& out) { detail::write_date_text(out, at.date.day, at.date.month, at.date.year); });
        }
        case Field::time: {
            const DateTime at = date_time();
            return text_of([&](TextBuilder& out) { detail::write_time_text(out, at.hour, at.minute, at.second); });
        }
        case Field::calendar: return text_of([](TextBuilder& out) { out.text(calendar_name(CalendarMode::Historical)); });
        case Field::weekday: {
            const Weekday day = weekday_from_era_day(detail::day_and_second_from_e0(moment.seconds).era_day).value_or(Weekday::Monday);
            return text_of([&](TextBuilder& out) { out.text(weekday_name(day)); });
        }
        case Field::e0_hex: return hex(moment.seconds);
        case Field::e3_hex: return hex(*e3_from_moment(moment));
        case Field::e6_hex: return hex(*e6_from_moment(moment));
        case Field::unix_hex: return hex(unix_time_from_moment(moment)->seconds);
        case Field::file_time_hex: return hex(report_file_time(moment));
        case Field::iso:
            return text_of([&](TextBuilder& out) { out.text(iso8601_from_moment(moment).value_or(IsoText{}).view()); });
        default:
            break;
    }
    if (const std::optional<Format> format = format_of_field(field)) {
        const Result<FormatText> text = text_from_moment(*format, moment);
        if (!text) return {};
        return text_of([&](TextBuilder& out) { out.text(text->view()); });
    }
    return {};  // status, message, input, era_date: the caller's, or none for a value
}

}  // namespace morvek
