#pragma once
// The historical calendar as a place kept it: the Julian calendar until the
// day it took the Gregorian one (Reform), the day its year began
// (YearStart), and the dual dating of the days whose year two styles
// number differently (11.02.1730/31).
//
// Every function here is constexpr and computes in constant time; the
// domain is that of calendar.h: Era Days in [min_era_day, max_era_day].

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "morvek/calendar.h"
#include "morvek/text.h"

namespace morvek {

// Rome's reform: 04.10.1582 (Julian) was followed by 15.10.1582 (Gregorian).
inline constexpr Reform rome_reform{detail::last_julian_era_day + 1};
static_assert(rome_reform == Reform{});

namespace detail {
// The first Gregorian days a Reform may have: from Rome's to 31.12.9999.
// No place took the Gregorian calendar before Rome did; the upper bound
// keeps the days that never were shorter than a year (73 days in 9999).
inline constexpr DayCount earliest_first_gregorian_day = rome_reform.first_gregorian_day;
inline constexpr DayCount latest_first_gregorian_day = 3652059;  // 31.12.9999 (Gregorian)
static_assert(*era_day_from_date(CalendarMode::Gregorian, {9999, 12, 31}) == latest_first_gregorian_day);

// The reform's first Gregorian day, a value outside the range taken as its
// nearer end.
constexpr DayCount first_gregorian_day_of(Reform reform) noexcept {
    if (reform.first_gregorian_day < earliest_first_gregorian_day) return earliest_first_gregorian_day;
    if (reform.first_gregorian_day > latest_first_gregorian_day) return latest_first_gregorian_day;
    return reform.first_gregorian_day;
}
}  // namespace detail

// The reforms by name, with the last Julian and the first Gregorian date as
// the places recorded them; the table is checked below against the
// calendar (the two dates are consecutive days).
struct ReformPreset {
    std::string_view name;
    Date last_julian_date;      // Julian
    Date first_gregorian_date;  // Gregorian
    std::string_view places;
};
inline constexpr std::array<ReformPreset, 8> reform_presets = {{
    {"rome", {1582, 10, 4}, {1582, 10, 15}, "the Papal States, Spain, Portugal, Poland-Lithuania, most of Italy"},
    {"france", {1582, 12, 9}, {1582, 12, 20}, "France"},
    {"prussia", {1610, 8, 22}, {1610, 9, 2}, "the Duchy of Prussia"},
    {"denmark", {1700, 2, 18}, {1700, 3, 1}, "Denmark-Norway and the Protestant states of the Empire"},
    {"britain", {1752, 9, 2}, {1752, 9, 14}, "Great Britain, Ireland and the British colonies in America"},
    {"sweden", {1753, 2, 17}, {1753, 3, 1}, "Sweden and Finland"},
    {"russia", {1918, 1, 31}, {1918, 2, 14}, "Russia"},
    {"greece", {1923, 2, 15}, {1923, 3, 1}, "Greece"},
}};

// reform_of_preset: the Reform a preset names.
//   Example:  reform_presets[4] (britain) -> Era Day 639797 (14.09.1752)
[[nodiscard]] constexpr Reform reform_of_preset(const ReformPreset& preset) noexcept {
    return {*era_day_from_date(CalendarMode::Gregorian, preset.first_gregorian_date)};
}

// reform_from_name: a preset by its name; nullopt for no such name.
//   Example:  "britain" -> Era Day 639797; "england" -> nullopt
[[nodiscard]] constexpr std::optional<Reform> reform_from_name(std::string_view name) noexcept {
    for (const ReformPreset& preset : reform_presets) {
        if (preset.name == name) return reform_of_preset(preset);
    }
    return std::nullopt;
}

// reform_name: the preset's name of a reform; empty for a reform no preset has.
//   Example:  rome_reform -> "rome"
[[nodiscard]] constexpr std::string_view reform_name(Reform reform) noexcept {
    for (const ReformPreset& preset : reform_presets) {
        if (reform_of_preset(preset) == reform) return preset.name;
    }
    return {};
}

// reform_from_first_gregorian_date: the reform whose first Gregorian day
// has this (Gregorian) date.
//   Returns:  the reform; nonexistent_date for a date the Gregorian
//             calendar lacks; out_of_range before 15.10.1582 or after 31.12.9999
//   Example:  14.09.1752 -> Britain's reform; 10.10.1582 -> out_of_range
[[nodiscard]] constexpr Result<Reform> reform_from_first_gregorian_date(Date date) noexcept {
    const Result<DayCount> day = era_day_from_date(CalendarMode::Gregorian, date);
    if (!day) return day.error();
    if (*day < detail::earliest_first_gregorian_day || *day > detail::latest_first_gregorian_day) {
        return Status::out_of_range;
    }
    return Reform{*day};
}

// first_gregorian_date / last_julian_date: the two dates the reform joins;
// a reform outside the range of reform_from_first_gregorian_date is taken
// as its nearer end, here and in every function below.
//   Example:  Britain -> 14.09.1752 and 02.09.1752
[[nodiscard]] constexpr Date first_gregorian_date(Reform reform) noexcept {
    return *date_from_era_day(CalendarMode::Gregorian, detail::first_gregorian_day_of(reform));
}
[[nodiscard]] constexpr Date last_julian_date(Reform reform) noexcept {
    return *date_from_era_day(CalendarMode::Julian, detail::first_gregorian_day_of(reform) - 1);
}

// rule_of_day: the calendar whose rule names the day: Julian before the
// reform, Gregorian from it, Historical before 01.01.0001 (the years BCE).
//   Example:  (Britain, 600000) -> Julian; (Rome, 600000) -> Gregorian
[[nodiscard]] constexpr CalendarMode rule_of_day(Reform reform, DayCount era_day) noexcept {
    if (era_day < 1) return CalendarMode::Historical;
    return era_day < detail::first_gregorian_day_of(reform) ? CalendarMode::Julian : CalendarMode::Gregorian;
}

// era_day_from_date: a date of the historical calendar with this reform.
//
//   Returns:  the Era Day; nonexistent_date for a date the calendar does
//             not have (one between the reform's two dates, 29.02 of a
//             common year by the rule of its day, and as calendar.h);
//             out_of_range beyond the Era Day domain
//   Example:  (Britain, 29.02.1700) -> 620617; (Rome, 29.02.1700) -> nonexistent_date;
//             (Britain, 10.09.1752) -> nonexistent_date
[[nodiscard]] constexpr Result<DayCount> era_day_from_date(Reform reform, Date date) noexcept {
    if (date.year < 1) return era_day_from_date(CalendarMode::Historical, date);
    const DayCount first = detail::first_gregorian_day_of(reform);
    // A date names a later day in the Julian calendar than in the Gregorian
    // from 1582 on, so at most one of the two lies on its side of the reform.
    const Result<DayCount> julian = era_day_from_date(CalendarMode::Julian, date);
    if (julian && *julian < first) return *julian;
    const Result<DayCount> gregorian = era_day_from_date(CalendarMode::Gregorian, date);
    if (gregorian && *gregorian >= first) return *gregorian;
    if (!gregorian && gregorian.error() == Status::out_of_range) return Status::out_of_range;
    return Status::nonexistent_date;
}

// date_from_era_day: the date of an Era Day in the historical calendar with
// this reform.
//   Returns:  the date; nonexistent_date for Era Day 0; out_of_range beyond the domain
//   Example:  (Britain, 639796) -> 02.09.1752; (Britain, 639797) -> 14.09.1752
[[nodiscard]] constexpr Result<Date> date_from_era_day(Reform reform, DayCount era_day) noexcept {
    if (era_day >= 1 && era_day < detail::first_gregorian_day_of(reform)) {
        return date_from_era_day(CalendarMode::Julian, era_day);
    }
    return date_from_era_day(CalendarMode::Historical, era_day);
}

// date_fault: why the historical calendar with this reform has no such
// date, as date_fault of calendar.h; reform_gap for a date after the last
// Julian date and before the first Gregorian one.
//   Example:  (Denmark, 29.02.1700) -> reform_gap; (Rome, 29.02.1700) -> not_a_leap_year
[[nodiscard]] constexpr DateFault date_fault(Reform reform, Date date) noexcept {
    const DateFault fault = date_fault(CalendarMode::Historical, date);
    if (fault == DateFault::none || fault == DateFault::reform_gap || fault == DateFault::not_a_leap_year) {
        const Result<DayCount> era_day = era_day_from_date(reform, date);
        if (era_day) return DateFault::none;
        if (era_day.error() == Status::out_of_range) return DateFault::out_of_range;
        const bool in_gap = date > last_julian_date(reform) && date < first_gregorian_date(reform);
        return in_gap ? DateFault::reform_gap : DateFault::not_a_leap_year;
    }
    return fault;
}

// outside_civil_use: a Julian date of a day from the reform on, a
// Gregorian date of a day of the Common Era before it.
//   Example:  (Britain, Gregorian, 600000) -> true; (Rome, Gregorian, 600000) -> false
[[nodiscard]] constexpr bool outside_civil_use(Reform reform, CalendarMode mode, DayCount era_day) noexcept {
    const DayCount first = detail::first_gregorian_day_of(reform);
    if (mode == CalendarMode::Julian) return era_day >= first;
    if (mode == CalendarMode::Gregorian) return era_day >= 1 && era_day < first;
    return false;
}

// is_leap_year: whether the year has a 29 February in the calendar with
// this reform (Denmark's 1700 lost it to the reform).
//   Example:  (Britain, 1700) -> true; (Rome, 1700) -> false; (Denmark, 1700) -> false
[[nodiscard]] constexpr bool is_leap_year(Reform reform, std::int32_t year) noexcept {
    return era_day_from_date(reform, Date{year, 2, 29}).has_value();
}

// ---- the day of the year ----------------------------------------------------------

namespace detail {
// The Era Day of 1 January of a year of the historical calendar with this
// reform, or of its first day where the reform took 1 January away;
// any 32-bit year but 0.
constexpr DayCount first_day_of_year(Reform reform, std::int32_t year) noexcept {
    if (year < 1582 || year > 10000) return *era_day_from_year_month_day(CalendarMode::Historical, year, 1, 1);
    const Result<DayCount> january_1 = era_day_from_date(reform, Date{year, 1, 1});
    return january_1 ? *january_1 : first_gregorian_day_of(reform);
}
}  // namespace detail

// day_of_year: the day's number in its year, 1 January being 1.
//   Returns:  [1, 366]; the days the reform took away are not counted;
//             errors as era_day_from_date
//   Example:  (Gregorian, 31.12.2016) -> 366; (Historical, 15.10.1582) -> 278;
//             (Britain, 14.09.1752) -> 247
[[nodiscard]] constexpr Result<std::int32_t> day_of_year(Reform reform, Date date) noexcept {
    const Result<DayCount> era_day = era_day_from_date(reform, date);
    if (!era_day) return era_day.error();
    return static_cast<std::int32_t>(*era_day - detail::first_day_of_year(reform, date.year) + 1);
}
[[nodiscard]] constexpr Result<std::int32_t> day_of_year(CalendarMode mode, Date date) noexcept {
    if (mode == CalendarMode::Historical) return day_of_year(rome_reform, date);
    const Result<DayCount> era_day = era_day_from_date(mode, date);
    if (!era_day) return era_day.error();
    const bool leap = is_leap_year(mode, date.year);
    return detail::days_before_month[leap ? 1 : 0][date.month] + date.day;
}

// days_in_year: how many days the year has in the calendar with this reform.
//   Returns:  [355, 366]; nonexistent_date for year 0
//   Example:  (Rome, 1582) -> 355; (Britain, 1752) -> 355; (Britain, 1700) -> 366
[[nodiscard]] constexpr Result<std::int32_t> days_in_year(Reform reform, std::int32_t year) noexcept {
    if (year == 0) return Status::nonexistent_date;
    const std::int32_t next = year == -1 ? 1 : year + 1;
    if (year == std::numeric_limits<std::int32_t>::max()) return Status::out_of_range;
    const DayCount days = detail::first_day_of_year(reform, next) - detail::first_day_of_year(reform, year);
    return static_cast<std::int32_t>(year == -1 ? days - 1 : days);  // the missing day 0 lies between
}

// ---- the year's start ------------------------------------------------------------------

// year_start_from_name / year_start_name: "january", "annunciation", "christmas".
[[nodiscard]] constexpr std::optional<YearStart> year_start_from_name(std::string_view name) noexcept {
    if (name == "january") return YearStart::january;
    if (name == "annunciation") return YearStart::annunciation;
    if (name == "christmas") return YearStart::christmas;
    return std::nullopt;
}
[[nodiscard]] constexpr std::string_view year_start_name(YearStart style) noexcept {
    switch (style) {
        case YearStart::annunciation: return "annunciation";
        case YearStart::christmas: return "christmas";
        case YearStart::january: break;
    }
    return "january";
}

namespace detail {
constexpr std::int64_t year_after(std::int64_t year) noexcept { return year == -1 ? 1 : year + 1; }
constexpr std::int64_t year_before(std::int64_t year) noexcept { return year == 1 ? -1 : year - 1; }

// How the style's number of the day's year differs from the January
// style's: -1 for 1 January to 24 March in the annunciation style, +1 for
// 25 to 31 December in the christmas style, else 0.
constexpr int styled_year_shift(YearStart style, std::int32_t month, std::int32_t day) noexcept {
    if (style == YearStart::annunciation) return month < 3 || (month == 3 && day < 25) ? -1 : 0;
    if (style == YearStart::christmas) return month == 12 && day >= 25 ? 1 : 0;
    return 0;
}
}  // namespace detail

// styled_year: the number the style gives the year of a calendar date
// (January style).
//   Example:  (annunciation, 11.02.1731) -> 1730; (christmas, 26.12.1499) -> 1500;
//             (annunciation, 10.02.1) -> -1
[[nodiscard]] constexpr std::int64_t styled_year(YearStart style, Date date) noexcept {
    switch (detail::styled_year_shift(style, date.month, date.day)) {
        case -1: return detail::year_before(date.year);
        case 1: return detail::year_after(date.year);
        default: return date.year;
    }
}

// january_date_from_styled: the calendar date (January style) a date
// written in the style names; the day and month as they are, the year moved.
//   Returns:  the date; nonexistent_date for year 0; out_of_range where
//             the year leaves 32 bits
//   Example:  (annunciation, 11.02.1730) -> 11.02.1731; (christmas, 26.12.1500) -> 26.12.1499
[[nodiscard]] constexpr Result<Date> january_date_from_styled(YearStart style, Date styled) noexcept {
    if (styled.year == 0) return Status::nonexistent_date;
    std::int64_t year = styled.year;
    switch (detail::styled_year_shift(style, styled.month, styled.day)) {
        case -1: year = detail::year_after(year); break;
        case 1: year = detail::year_before(year); break;
        default: break;
    }
    if (year > std::numeric_limits<std::int32_t>::max() || year < std::numeric_limits<std::int32_t>::min()) {
        return Status::out_of_range;
    }
    return Date{static_cast<std::int32_t>(year), styled.month, styled.day};
}

// january_date_from_dual: a dual date D.M.A/B, the earlier year A and the
// later year B given by its last `b_digits` digits (31 in 1730/31; all of
// it when signed or written whole), to the calendar date it names: in the
// annunciation style the January year is B, in the christmas style A.
//   Returns:  the date; nonexistent_date where B is not the year after A,
//             the style does not number the day's year twice (25.03 to 31.12
//             in the annunciation style) or has no dual dates (january)
//   Example:  (annunciation, 11.02.1730, 31, 2) -> 11.02.1731;
//             (annunciation, 11.05.1730, 31, 2) -> nonexistent_date
[[nodiscard]] constexpr Result<Date> january_date_from_dual(YearStart style, Date earlier, std::int64_t b_written,
                                                            int b_digits) noexcept {
    if (earlier.year == 0 || style == YearStart::january || b_digits < 1) return Status::nonexistent_date;
    const std::int64_t later = detail::year_after(earlier.year);
    std::int64_t modulus = 1;
    for (int i = 0; i < b_digits && modulus <= later; ++i) modulus *= 10;
    const bool whole = later < 0 || modulus > later;
    if (whole ? b_written != later : later % modulus != b_written) return Status::nonexistent_date;
    const std::int64_t january_year = style == YearStart::annunciation ? later : earlier.year;
    const std::int64_t other_year = style == YearStart::annunciation ? earlier.year : later;
    if (january_year > std::numeric_limits<std::int32_t>::max()) return Status::out_of_range;
    const Date date{static_cast<std::int32_t>(january_year), earlier.month, earlier.day};
    if (styled_year(style, date) != other_year) return Status::nonexistent_date;
    return date;
}

// The dual form of a date: "11.02.1730/31" where the style's year and the
// January year differ, the earlier first and the later by its last two
// digits when both lie in one century from 100 on; else "DD.MM.YYYY".
using DualDateText = FixedText<32>;

// dual_date_text: the calendar date (January style) written in the style.
//   Example:  (annunciation, 11.02.1731) -> "11.02.1730/31";
//             (annunciation, 11.05.1731) -> "11.05.1731";
//             (christmas, 26.12.1699) -> "26.12.1699/1700"
[[nodiscard]] DualDateText dual_date_text(YearStart style, Date date) noexcept;

// ---- spans -------------------------------------------------------------------------------

// days_between: the days from the first Era Day to the second, negative
// when the second is earlier: their difference, less one where the span
// crosses the missing Era Day 0. Era Days of the domain, not 0.
//   Example:  (-1, 1) -> 1 (31.12.-1 to 01.01.0001); (736330, 736329) -> -1
[[nodiscard]] constexpr DayCount days_between(DayCount first, DayCount second) noexcept {
    return detail::day_index_from_era_day(second) - detail::day_index_from_era_day(first);
}

// Landmarks, checked as the library is compiled.
static_assert([] {
    for (const ReformPreset& preset : reform_presets) {
        const Reform reform = reform_of_preset(preset);
        if (last_julian_date(reform) != preset.last_julian_date) return false;
        if (first_gregorian_date(reform) != preset.first_gregorian_date) return false;
    }
    return true;
}());
static_assert(reform_from_name("rome") == rome_reform && reform_from_name("britain")->first_gregorian_day == 639797);
static_assert(*era_day_from_date(*reform_from_name("britain"), {1700, 2, 29}) == 620617);
static_assert(!era_day_from_date(rome_reform, {1700, 2, 29}));
static_assert(*day_of_year(*reform_from_name("britain"), {1752, 9, 14}) == 247);
static_assert(*days_in_year(rome_reform, 1582) == 355 && *days_in_year(rome_reform, -1) == 365);
static_assert(styled_year(YearStart::annunciation, {1731, 2, 11}) == 1730);
static_assert(*january_date_from_dual(YearStart::annunciation, {1730, 2, 11}, 31, 2) == Date{1731, 2, 11});
static_assert(days_between(-1, 1) == 1);

}  // namespace morvek
