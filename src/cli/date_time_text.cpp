#include "cli/date_time_text.h"

namespace morvek {

namespace {

void three_fields(TextBuilder& out, std::int32_t first, std::int32_t second, std::int32_t third, char separator,
                  bool third_padded) {
    out.decimal(first, 2, true);
    out.character(separator);
    out.decimal(second, 2, true);
    out.character(separator);
    if (third_padded) return out.decimal(third, 2, true);
    out.decimal(third);
}

ReportText short_text(void (*write)(TextBuilder&, std::int32_t, std::int32_t, std::int32_t), std::int32_t first,
                     std::int32_t second, std::int32_t third) {
    ReportText text{};
    TextBuilder out(text.characters, sizeof text.characters);
    write(out, first, second, third);
    text.size = out.size();
    return text;
}

}  // namespace

void write_date_text(TextBuilder& out, std::int32_t day, std::int32_t month, std::int32_t year) {
    three_fields(out, day, month, year, '.', false);
}

void write_time_text(TextBuilder& out, std::int32_t hour, std::int32_t minute, std::int32_t second) {
    three_fields(out, hour, minute, second, ':', true);
}

ReportText date_text(std::int32_t day, std::int32_t month, std::int32_t year) {
    return short_text(write_date_text, day, month, year);
}

ReportText time_text(std::int32_t hour, std::int32_t minute, std::int32_t second) {
    return short_text(write_time_text, hour, minute, second);
}

ReportText report_date_text(const Date& date) { return date_text(date.day, date.month, date.year); }

ReportText report_time_text(std::int32_t hour, std::int32_t minute, std::int32_t second) {
    return time_text(hour, minute, second);
}

ReportText report_hex_text(std::int64_t value) {
    ReportText text{};
    TextBuilder out(text.characters, sizeof text.characters);
    out.hexadecimal(value);
    text.size = out.size();
    return text;
}

}  // namespace morvek
