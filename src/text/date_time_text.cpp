#include "text/date_time_text.h"

namespace morvek {

namespace detail {
namespace {

void three_fields(TextBuilder& out, std::int32_t first, std::int32_t second, std::int32_t third, char separator,
                  bool third_padded) noexcept {
    out.decimal(first, 2, true);
    out.character(separator);
    out.decimal(second, 2, true);
    out.character(separator);
    if (third_padded) return out.decimal(third, 2, true);
    out.decimal(third);
}

template <class Write>
ReportText short_text(Write write) noexcept {
    return fixed_text_of<ReportText>(write);
}

}  // namespace

void write_date_text(TextBuilder& out, std::int32_t day, std::int32_t month, std::int32_t year) noexcept {
    // The days of four-digit years, every one of which a record shows, go
    // out in one piece.
    if (day >= 1 && day <= 31 && month >= 1 && month <= 12 && year >= 1000 && year <= 9999) {
        char text[10];
        TextBuilder piece(text, sizeof text);
        piece.two_digits(static_cast<unsigned>(day));
        piece.character('.');
        piece.two_digits(static_cast<unsigned>(month));
        piece.character('.');
        piece.two_digits(static_cast<unsigned>(year / 100));
        piece.two_digits(static_cast<unsigned>(year % 100));
        return out.text({text, sizeof text});
    }
    three_fields(out, day, month, year, '.', false);
}

void write_time_text(TextBuilder& out, std::int32_t hour, std::int32_t minute, std::int32_t second) noexcept {
    if (hour >= 0 && hour <= 99 && minute >= 0 && minute <= 99 && second >= 0 && second <= 99) {
        char text[8];
        TextBuilder piece(text, sizeof text);
        piece.two_digits(static_cast<unsigned>(hour));
        piece.character(':');
        piece.two_digits(static_cast<unsigned>(minute));
        piece.character(':');
        piece.two_digits(static_cast<unsigned>(second));
        return out.text({text, sizeof text});
    }
    three_fields(out, hour, minute, second, ':', true);
}

ReportText date_text(std::int32_t day, std::int32_t month, std::int32_t year) noexcept {
    return short_text([&](TextBuilder& out) { write_date_text(out, day, month, year); });
}

ReportText time_text(std::int32_t hour, std::int32_t minute, std::int32_t second) noexcept {
    return short_text([&](TextBuilder& out) { write_time_text(out, hour, minute, second); });
}

}  // namespace detail

ReportText report_date_text(const Date& date) noexcept { return detail::date_text(date.day, date.month, date.year); }

ReportText report_time_text(std::int32_t hour, std::int32_t minute, std::int32_t second) noexcept {
    return detail::time_text(hour, minute, second);
}

ReportText report_decimal_text(std::int64_t value) noexcept {
    return detail::short_text([&](detail::TextBuilder& out) { out.decimal(value); });
}

ReportText report_hex_text(std::int64_t value) noexcept {
    return detail::short_text([&](detail::TextBuilder& out) { out.hexadecimal(value); });
}

ReportText elapsed_text(Elapsed elapsed, bool with_fraction) noexcept {
    return detail::short_text([&](detail::TextBuilder& out) {
        if (!with_fraction) return out.decimal(elapsed.seconds);
        std::int64_t whole = elapsed.seconds;  // [-2^63, 2^63 - 1]
        std::int64_t part = elapsed.nanosecond;
        const bool negative = whole < 0;
        if (negative && part > 0) {  // -1 + 0.75 is -0.25
            whole += 1;
            part = nanoseconds_per_second - part;
        }
        if (negative && whole == 0) out.character('-');
        out.decimal(whole);
        out.character('.');
        std::size_t digits = 9;
        while (digits > 1 && part % 10 == 0) {
            part /= 10;
            --digits;
        }
        out.decimal(part, digits, true);
    });
}

}  // namespace morvek
