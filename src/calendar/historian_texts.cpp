// The texts of the historian's values: dual dates, ISO week and ordinal dates.

#include "morvek/reform.h"
#include "morvek/week_date.h"
#include "text/date_time_text.h"
#include "text/text_builder.h"

namespace morvek {

namespace {

using detail::TextBuilder;

// An astronomical year as the iso field writes it.
void iso_year(TextBuilder& out, std::int64_t year) noexcept {
    if (year >= 0 && year <= 9999) return out.decimal(year, 4, true);
    out.character(year < 0 ? '-' : '+');
    out.decimal(year < 0 ? -year : year, 6, true);
}

}  // namespace

DualDateText dual_date_text(YearStart style, Date date) noexcept {
    return detail::fixed_text_of<DualDateText>([&](TextBuilder& out) {
        const std::int64_t styled = styled_year(style, date);
        if (styled == date.year) return detail::write_date_text(out, date.day, date.month, date.year);
        const std::int64_t earlier = styled < date.year ? styled : date.year;
        const std::int64_t later = detail::year_after(earlier);
        out.decimal(date.day, 2, true);
        out.character('.');
        out.decimal(date.month, 2, true);
        out.character('.');
        out.decimal(earlier);
        out.character('/');
        if (earlier >= 100 && earlier / 100 == later / 100) return out.decimal(later % 100, 2, true);
        out.decimal(later);
    });
}

WeekDateText iso_week_date_text(IsoWeekDate date) noexcept {
    return detail::fixed_text_of<WeekDateText>([&](TextBuilder& out) {
        iso_year(out, date.year);
        out.text("-W");
        out.decimal(date.week, 2, true);
        out.character('-');
        out.decimal(static_cast<std::int32_t>(date.weekday));
    });
}

WeekDateText ordinal_date_text(OrdinalDate date) noexcept {
    return detail::fixed_text_of<WeekDateText>([&](TextBuilder& out) {
        iso_year(out, date.year);
        out.character('-');
        out.decimal(date.day, 3, true);
    });
}

}  // namespace morvek
