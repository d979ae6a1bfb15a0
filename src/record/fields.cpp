// The fields of a record: which it has, their types and their texts.

#include <algorithm>

#include "morvek/command_text.h"
#include "morvek/iso8601.h"
#include "morvek/record.h"
#include "record/field_writer.h"
#include "record/historian_fields.h"
#include "text/date_time_text.h"
#include "text/text_builder.h"

namespace morvek {

namespace {

using detail::TextBuilder;

constexpr std::string_view too_long_message = "line longer than 4096 bytes";

// The fields that are formats of their own, and their format.
constexpr std::pair<Field, Format> format_fields[] = {
    {Field::unix_ms, Format::unix_ms}, {Field::unix_us, Format::unix_us},   {Field::unix_ns, Format::unix_ns},
    {Field::webkit, Format::webkit},   {Field::cocoa, Format::cocoa},       {Field::cocoa_ns, Format::cocoa_ns},
    {Field::hfs, Format::hfs},         {Field::dotnet_ticks, Format::dotnet_ticks}, {Field::ole, Format::ole},
    {Field::excel, Format::excel},     {Field::excel_1904, Format::excel_1904}, {Field::gps, Format::gps},
    {Field::fat, Format::fat},
};

// The same, indexed by field: a format of its own, or none.
struct FieldFormat {
    bool is_format = false;
    Format format = Format::e0;
};
constexpr auto field_formats = [] {
    std::array<FieldFormat, field_count> table{};
    for (const auto& [field, format] : format_fields) table[static_cast<std::size_t>(field)] = {true, format};
    return table;
}();

constexpr const FieldFormat& format_field(Field field) noexcept { return field_formats[static_cast<std::size_t>(field)]; }

bool converted(const Record& record) noexcept { return record.result.outcome == CommandOutcome::report; }

// The message as one line: each run of blanks and line ends one space, trimmed.
struct OneLine {
    TextSink out;
    bool pending_space = false;
    bool started = false;
    static void append(void* target, const char* data, std::size_t size) {
        auto& self = *static_cast<OneLine*>(target);
        std::size_t run = 0;  // characters kept since the last blank, written together
        const auto flush = [&](std::size_t end) {
            if (run == 0) return;
            if (self.pending_space) self.out(" ");
            self.out({data + end - run, run});
            self.pending_space = false;
            self.started = true;
            run = 0;
        };
        for (std::size_t i = 0; i < size; ++i) {
            const char c = data[i];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
                flush(i);
                self.pending_space = self.started;
            } else {
                ++run;
            }
        }
        flush(size);
    }
};

}  // namespace

std::optional<Field> field_from_name(std::string_view name) noexcept {
    const auto found = std::find(field_names.begin(), field_names.end(), name);
    if (found == field_names.end()) return std::nullopt;
    return static_cast<Field>(found - field_names.begin());
}

std::optional<Format> format_of_field(Field field) noexcept {
    if (!format_field(field).is_format) return std::nullopt;
    return format_field(field).format;
}

FieldType field_type(Field field) noexcept {
    switch (field) {
        case Field::line:
        case Field::era_day:
        case Field::rd_julian:
        case Field::rd_gregorian:
        case Field::jdn:
        case Field::mjd:
        case Field::leap_seconds:
        case Field::day_of_year:
            return FieldType::number;
        case Field::e0:
        case Field::e3:
        case Field::e6:
        case Field::unix_time:
        case Field::file_time:
            return FieldType::digits;
        default:
            break;
    }
    const std::optional<Format> format = format_of_field(field);
    return format && format_info(*format).kind == FormatKind::integer ? FieldType::digits : FieldType::text;
}

bool field_has_value(Field field, const Record& record) noexcept {
    switch (field) {
        case Field::line:
        case Field::input:
        case Field::status:
            return true;
        case Field::message:
            return record.result.outcome != CommandOutcome::report && record.result.outcome != CommandOutcome::usage;
        default:
            break;
    }
    if (!converted(record)) return false;
    const CommandResult& r = record.result;
    switch (field) {
        case Field::era_date: return r.has_era_date;
        case Field::rd_julian: return r.rd_line == RdLine::julian;
        case Field::rd_gregorian: return r.rd_line == RdLine::gregorian;
        default: break;
    }
    if (detail::is_historian_field(field)) {
        return !detail::historian_field_text(field, r.era_day, r.date, r.settings).view().empty();
    }
    if (format_field(field).is_format) return text_from_moment(format_field(field).format, r.moment).has_value();
    return true;
}

std::optional<std::int64_t> field_integer(Field field, const Record& record) noexcept {
    if (field_type(field) == FieldType::text || !field_has_value(field, record)) return std::nullopt;
    const CommandResult& r = record.result;
    switch (field) {
        case Field::line: return static_cast<std::int64_t>(record.line);
        case Field::rd_julian:
        case Field::rd_gregorian: return r.rd_value;
        case Field::era_day: return r.era_day;
        case Field::leap_seconds: return r.leap_seconds;
        case Field::e0: return r.e0;
        case Field::e3: return r.e3;
        case Field::e6: return r.e6;
        case Field::unix_time: return r.unix_time;
        case Field::file_time: return r.file_time;
        case Field::jdn: return jdn_from_era_day(r.era_day).value_or(0);
        case Field::mjd: return mjd_from_era_day(r.era_day).value_or(0);
        case Field::day_of_year: return detail::day_of_year_of(r.date, r.settings);
        default: break;
    }
    const std::optional<Format> format = format_of_field(field);
    if (!format) return std::nullopt;
    const Result<std::int64_t> value = integer_from_moment(*format, r.moment);
    if (!value) return std::nullopt;
    return *value;
}

FieldText field_text(Field field, const Record& record) noexcept {
    FieldText text;
    if (!field_has_value(field, record) || field == Field::input || field == Field::message) return text;
    TextBuilder out(text.characters, sizeof text.characters - 1);
    detail::write_field_text(out, field, record);
    text.size = out.size();
    return text;
}

void detail::write_field_text(TextBuilder& out, Field field, const Record& record) noexcept {
    const CommandResult& r = record.result;
    switch (field) {
        case Field::era_date:
            if (!r.has_era_date) return;
            break;
        case Field::rd_julian:
            if (r.rd_line != RdLine::julian) return;
            break;
        case Field::rd_gregorian:
            if (r.rd_line != RdLine::gregorian) return;
            break;
        default:
            break;
    }
    switch (field) {
        case Field::line: return out.decimal(static_cast<std::int64_t>(record.line));
        case Field::status: return out.text(outcome_name(r.outcome));
        case Field::date: return write_date_text(out, r.date.date.day, r.date.date.month, r.date.date.year);
        case Field::time: return write_time_text(out, r.hour, r.minute, r.second);
        case Field::calendar: return out.text(calendar_name(r.date.calendar));
        case Field::era_date: return write_date_text(out, r.era_date.date.day, r.era_date.date.month, r.era_date.date.year);
        case Field::rd_julian:
        case Field::rd_gregorian: return out.decimal(r.rd_value);
        case Field::era_day: return out.decimal(r.era_day);
        case Field::weekday: return out.text(weekday_name(r.weekday));
        case Field::e0: return out.decimal(r.e0);
        case Field::e3: return out.decimal(r.e3);
        case Field::e6: return out.decimal(r.e6);
        case Field::leap_seconds: return out.decimal(r.leap_seconds);
        case Field::unix_time: return out.decimal(r.unix_time);
        case Field::file_time: return out.decimal(r.file_time);
        case Field::e0_hex: return out.hexadecimal(r.e0);
        case Field::e3_hex: return out.hexadecimal(r.e3);
        case Field::e6_hex: return out.hexadecimal(r.e6);
        case Field::unix_hex: return out.hexadecimal(r.unix_time);
        case Field::file_time_hex: return out.hexadecimal(r.file_time);
        case Field::jdn: return out.decimal(jdn_from_era_day(r.era_day).value_or(0));
        case Field::mjd: return out.decimal(mjd_from_era_day(r.era_day).value_or(0));
        case Field::iso: return out.text(iso8601_from_moment(r.moment).value_or(IsoText{}).view());
        case Field::input:
        case Field::message: return;
        default: break;
    }
    if (detail::is_historian_field(field)) {
        return out.text(detail::historian_field_text(field, r.era_day, r.date, r.settings).view());
    }
    if (format_field(field).is_format) {
        out.text(text_from_moment(format_field(field).format, r.moment).value_or(FormatText{}).view());
    }
}

void write_message(const Record& record, TextSink out) noexcept {
    if (record.result.outcome == CommandOutcome::too_long) return out(too_long_message);
    if (!field_has_value(Field::message, record)) return;
    OneLine line{out};
    write_command_output(record.result, {OneLine::append, &line});
}

}  // namespace morvek
