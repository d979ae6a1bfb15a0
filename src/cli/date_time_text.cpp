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

}  // namespace

void write_date_text(TextBuilder& out, std::int32_t day, std::int32_t month, std::int32_t year) {
    three_fields(out, day, month, year, '.', false);
}

void write_time_text(TextBuilder& out, std::int32_t hour, std::int32_t minute, std::int32_t second) {
    three_fields(out, hour, minute, second, ':', true);
}

ShortText date_text(std::int32_t day, std::int32_t month, std::int32_t year) {
    ShortText text{};
    TextBuilder out(text.characters, sizeof text.characters);
    write_date_text(out, day, month, year);
    text.size = out.size();
    return text;
}

ShortText time_text(std::int32_t hour, std::int32_t minute, std::int32_t second) {
    ShortText text{};
    TextBuilder out(text.characters, sizeof text.characters);
    write_time_text(out, hour, minute, second);
    text.size = out.size();
    return text;
}

}  // namespace morvek
