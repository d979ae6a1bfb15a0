#pragma once
// The historian's fields of a record: each a function of the day, the
// record's date and its calendar settings.

#include "morvek/record.h"

namespace morvek::detail {

constexpr bool is_historian_field(Field field) noexcept {
    return static_cast<std::size_t>(field) >= first_historian_field;
}

// historian_field_text: the text of a historian's field (record.h) of the
// day era_day (not 0), whose date field is `date`; empty where it has none.
//   Example:  (dual_date, 631922, {Julian... 11.02.1731}, {britain, annunciation}) -> "11.02.1730/31"
FieldText historian_field_text(Field field, DayCount era_day, const ReportDate& date,
                               const CalendarSettings& settings) noexcept;

// day_of_year_of: the day of the year of a date field's date in its calendar.
std::optional<std::int64_t> day_of_year_of(const ReportDate& date, const CalendarSettings& settings) noexcept;

}  // namespace morvek::detail
