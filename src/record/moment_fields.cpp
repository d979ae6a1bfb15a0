// The fields of a moment read from a value, each computed alone. They must
// be what the whole report of the moment shows (result_from_moment); the
// record tests compare the two on random moments of every kind.

#include <algorithm>
#include <array>
#include <utility>

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
    return detail::fixed_text_of<FieldText>(write);
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

// Whether the moment's E6 fits in 64 bits, as e6_from_moment says, by two
// comparisons with the first and the last such moment.
constexpr Moment first_e6_moment = *moment_from_e6(min_e6);
constexpr Moment last_e6_moment = *moment_from_e6(max_e6);
constexpr bool has_e6(Moment moment) noexcept {
    return moment.nanosecond >= 0 && moment.nanosecond < nanoseconds_per_second && moment >= first_e6_moment &&
           moment <= last_e6_moment;
}
static_assert(has_e6(first_e6_moment) && !has_e6({first_e6_moment.seconds, first_e6_moment.nanosecond - 1}));
static_assert(has_e6(last_e6_moment) && !has_e6({last_e6_moment.seconds, last_e6_moment.nanosecond + 1}));
static_assert(!has_e6({0, -1}) && !has_e6({0, 1000000000}) && has_e6({0, 999999999}));

// One integer field of a moment, the field a template argument, so that a
// column of one field is one loop without a choice inside it.
template <Field F>
std::optional<std::int64_t> integer_field(Moment moment, const CalendarSettings& settings) noexcept {
    constexpr bool own_scale = F == Field::day_of_year || F == Field::era_day || F == Field::leap_seconds ||
                               F == Field::e0 || F == Field::e3 || F == Field::e6 || F == Field::unix_time ||
                               F == Field::file_time || F == Field::jdn || F == Field::mjd;
    // The line is the caller's; a value has no RD line, and a text field no integer.
    if constexpr (!own_scale && !(F >= Field::unix_ms && F <= Field::fat)) {
        return std::nullopt;
    } else {
        if (!has_e6(moment)) return std::nullopt;
        const std::int64_t e0 = moment.seconds;
        if constexpr (F == Field::day_of_year) return detail::day_of_year_of(report_date_of(moment, settings), settings);
        if constexpr (F == Field::era_day) return detail::day_and_second_from_e0(e0).era_day;
        if constexpr (F == Field::leap_seconds) return leap_seconds_up_to(e0);
        if constexpr (F == Field::e0) return e0;
        if constexpr (F == Field::e3) return *e3_from_moment(moment);
        if constexpr (F == Field::e6) return *e6_from_moment(moment);
        if constexpr (F == Field::unix_time) return unix_time_from_moment(moment)->seconds;
        if constexpr (F == Field::file_time) return report_file_time(moment);
        if constexpr (F == Field::jdn) return jdn_from_era_day(detail::day_and_second_from_e0(e0).era_day).value_or(0);
        if constexpr (F == Field::mjd) return mjd_from_era_day(detail::day_and_second_from_e0(e0).era_day).value_or(0);
        if constexpr (!own_scale) {
            if (field_type(F) == FieldType::text) return std::nullopt;  // a decimal format: cocoa, ole, excel
            const Result<std::int64_t> value = integer_from_moment(*format_of_field(F), moment);
            if (!value) return std::nullopt;
            return *value;
        }
    }
}

template <Field F>
void integer_column(std::span<const Moment> moments, std::span<std::int64_t> values, std::span<bool> present,
                    const CalendarSettings& settings) noexcept {
    const std::size_t count = std::min(moments.size(), values.size());
    const bool marked = present.size() >= count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<std::int64_t> value = integer_field<F>(moments[i], settings);
        values[i] = value.value_or(0);
        if (marked) present[i] = value.has_value();
    }
}

using IntegerField = std::optional<std::int64_t> (*)(Moment, const CalendarSettings&) noexcept;
using IntegerColumn = void (*)(std::span<const Moment>, std::span<std::int64_t>, std::span<bool>,
                               const CalendarSettings&) noexcept;

template <std::size_t... I>
constexpr std::array<IntegerField, field_count> integer_fields(std::index_sequence<I...>) noexcept {
    return {&integer_field<static_cast<Field>(I)>...};
}
template <std::size_t... I>
constexpr std::array<IntegerColumn, field_count> integer_columns(std::index_sequence<I...>) noexcept {
    return {&integer_column<static_cast<Field>(I)>...};
}
constexpr auto integer_field_of = integer_fields(std::make_index_sequence<field_count>{});
constexpr auto integer_column_of = integer_columns(std::make_index_sequence<field_count>{});

}  // namespace

std::optional<std::int64_t> moment_field_integer(Field field, Moment moment, const CalendarSettings& settings) noexcept {
    const auto index = static_cast<std::size_t>(field);
    return index < field_count ? integer_field_of[index](moment, settings) : std::nullopt;
}

void moment_field_integers(Field field, std::span<const Moment> moments, std::span<std::int64_t> values,
                           std::span<bool> present, const CalendarSettings& settings) noexcept {
    const auto index = static_cast<std::size_t>(field);
    if (index < field_count) integer_column_of[index](moments, values, present, settings);
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
