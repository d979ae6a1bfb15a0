#pragma once
// The calendar counted the slow way: year by year and day by day, exactly as
// the calendar rules read, sharing nothing with the closed forms it checks.
// Walks of day numbers are meant for the signed 32-bit range of Era Days.

#include <array>
#include <cstdint>
#include <string_view>

#include "command/conversion_state.h"

namespace morvek::reference {

using Mode = morvek::CalendarMode;

inline constexpr std::string_view tag_julian = "(J)";
inline constexpr std::string_view tag_gregorian = "(G)";
inline constexpr std::string_view no_tag = "";

struct Date {
    std::int64_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::string_view tag;

    friend bool operator==(const Date&, const Date&) = default;
};

inline constexpr std::array<std::array<std::int32_t, 13>, 2> month_length_table = {{
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
}};

constexpr std::int32_t month_length(bool leap, std::int32_t month) {
    return month_length_table[leap ? 1 : 0][static_cast<std::size_t>(month)];
}

constexpr bool gregorian_rule(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Before 45 BCE, on the BCE number itself; a century only when its number
// is 2 or 6 in the cycle of nine.
constexpr bool bce_rule(std::int64_t year) {
    const std::int64_t n = -year;
    const std::int64_t century_in_cycle = (n / 100) % 9;
    return n % 4 == 0 && (n % 100 != 0 || century_in_cycle == 2 || century_in_cycle == 6);
}

// The leap table row by row; years that do not exist in a mode are common.
constexpr bool is_leap(Mode mode, std::int64_t year) {
    const bool historical = mode == Mode::Historical;
    if (year <= -46) return historical && bce_rule(year);
    if (year <= -5) return historical && (year - 1) % 3 == 0;
    if (year <= 0) return false;
    if (year <= 11) return mode == Mode::Gregorian && gregorian_rule(year);
    if (year <= 1581) return mode == Mode::Gregorian ? gregorian_rule(year) : year % 4 == 0;
    if (year == 1582) return false;
    return mode == Mode::Julian ? year % 4 == 0 : gregorian_rule(year);
}

// Whether the day/month pair appears in any year at all (30.02 never does).
constexpr bool day_month_pair_possible(std::int32_t month, std::int32_t day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= month_length(true, month);
}

constexpr bool exists(Mode mode, std::int64_t year, std::int32_t month, std::int32_t day) {
    if (year == 0) return false;
    if (year < 0 && mode != Mode::Historical) return false;
    if (!day_month_pair_possible(month, day)) return false;
    if (month == 2 && day == 29 && !is_leap(mode, year)) return false;
    if (mode == Mode::Historical && year == 1582 && month == 10 && day >= 5 && day <= 14) return false;
    return true;
}

constexpr bool later_than_last_julian_day(std::int64_t year, std::int32_t month, std::int32_t day) {
    return year > 1582 || (year == 1582 && (month > 10 || (month == 10 && day > 4)));
}

constexpr bool earlier_than_first_gregorian_day(std::int64_t year, std::int32_t month,
                                                std::int32_t day) {
    return year < 1582 || (year == 1582 && (month < 10 || (month == 10 && day < 15)));
}

// The date of an Era Day by walking whole years from a fixed start, then
// splitting the day of the year into month and day.
inline Date walk_date(Mode mode, std::int64_t era_day) {
    enum class Walk { triennial, bce, julian, gregorian };
    Walk walk = Walk::gregorian;
    std::int64_t year = 0;
    std::int64_t r = 0;
    std::int64_t len = 0;
    std::int64_t doy = 0;
    bool leap = false;

    if (era_day < 0 && era_day >= -16439) {
        walk = Walk::triennial;
        r = -era_day;
        year = -1;
        for (;;) {
            leap = year <= -5 && (year - 1) % 3 == 0;
            len = leap ? 366 : 365;
            if (r <= len) break;
            r -= len;
            --year;
        }
        doy = len - r + 1;
    } else if (era_day <= -16440) {
        walk = Walk::bce;
        r = -16439 - era_day;
        year = -46;
        for (;;) {
            const std::int64_t n = -year;
            leap = n % 4 == 0 && (n % 100 != 0 || (n / 100) % 9 == 2 || (n / 100) % 9 == 6);
            len = leap ? 366 : 365;
            if (r <= len) break;
            r -= len;
            --year;
        }
        doy = len - r + 1;
    } else if (mode == Mode::Julian || (mode == Mode::Historical && era_day < 577736)) {
        walk = Walk::julian;
        r = era_day;
        year = 1;
        for (;;) {
            leap = year >= 9 && year % 4 == 0;
            len = leap ? 366 : 365;
            if (r <= len) break;
            r -= len;
            ++year;
        }
        doy = r;
    } else {
        walk = Walk::gregorian;
        if (mode == Mode::Gregorian) {
            year = 1;
            r = era_day;
        } else {
            year = 1582;
            r = era_day - 577448;
        }
        for (;;) {
            leap = gregorian_rule(year);
            len = leap ? 366 : 365;
            if (r <= len) break;
            r -= len;
            ++year;
        }
        doy = r;
    }

    std::int32_t month = 1;
    while (doy > 31) {
        doy -= month_length(leap, month);
        ++month;
    }
    if (doy > month_length(leap, month)) {
        doy -= month_length(leap, month);
        ++month;
    }
    Date date{year, month, static_cast<std::int32_t>(doy), no_tag};
    if (walk == Walk::julian && later_than_last_julian_day(date.year, date.month, date.day)) {
        date.tag = tag_julian;
    }
    if (walk == Walk::gregorian && earlier_than_first_gregorian_day(date.year, date.month, date.day)) {
        date.tag = tag_gregorian;
    }
    return date;
}

// Follows the dates of consecutive Era Days in one mode, one day per step:
// the same sequence the walk gives, found without walking.
class DayStepper {
public:
    DayStepper(Mode mode, std::int64_t era_day)
        : mode_(mode), era_day_(era_day), date_(walk_date(mode, era_day)) {
        update_month_end();
    }

    std::int64_t era_day() const { return era_day_; }
    const Date& date() const { return date_; }

    void advance() {
        ++era_day_;
        if (era_day_ == 0) {
            // No day at all: the walk from year 1 stops before January starts.
            date_ = Date{1, 1, 0, mode_ == Mode::Gregorian ? tag_gregorian : no_tag};
            update_month_end();
            return;
        }
        if (mode_ == Mode::Historical && date_.year == 1582 && date_.month == 10 && date_.day == 4) {
            date_.day = 15;
        } else if (date_.day < month_end_) {
            ++date_.day;
        } else {
            date_.day = 1;
            if (date_.month < 12) {
                ++date_.month;
            } else {
                date_.month = 1;
                ++date_.year;
            }
            update_month_end();
        }
        date_.tag = tag_of_current_day();
    }

private:
    void update_month_end() {
        // Days before the Era follow the historical calendar in every mode.
        const Mode rule = date_.year < 0 ? Mode::Historical : mode_;
        month_end_ = date_.month >= 1 && date_.month <= 12
                         ? month_length(is_leap(rule, date_.year), date_.month)
                         : 0;
    }

    std::string_view tag_of_current_day() const {
        if (era_day_ < 0) return no_tag;
        if (mode_ == Mode::Julian && later_than_last_julian_day(date_.year, date_.month, date_.day)) {
            return tag_julian;
        }
        if (mode_ == Mode::Gregorian &&
            earlier_than_first_gregorian_day(date_.year, date_.month, date_.day)) {
            return tag_gregorian;
        }
        return no_tag;
    }

    Mode mode_;
    std::int64_t era_day_;
    Date date_;
    std::int32_t month_end_ = 0;
};

// The two leap rules of the day totals.
enum class TotalRule { julian, gregorian };

constexpr bool total_rule_leap(TotalRule rule, std::int64_t year) {
    if (rule == TotalRule::julian) return year % 4 == 0 && year != 4 && year != 8;
    return gregorian_rule(year);
}

// Days from 01.01.0001 (day 1) to the date, adding every month of every
// year before it. Months 1 to 12 only.
inline std::int64_t day_total_walk(TotalRule rule, std::int32_t year, std::int32_t month,
                                   std::int32_t day) {
    std::int64_t total = day;
    if (year < 1) return total;
    for (std::int64_t y = 1; y <= year; ++y) {
        const bool leap = total_rule_leap(rule, y);
        const std::int32_t months = y < year ? 12 : month - 1;
        for (std::int32_t m = 1; m <= months; ++m) total += month_length(leap, m);
    }
    return total;
}

// The same walk kept between calls, for totals of many dates in ascending
// years: each year is added once.
class DayTotalWalk {
public:
    explicit DayTotalWalk(TotalRule rule) : rule_(rule) {}

    void advance_to(std::int64_t year) {
        while (year_ < year) {
            const bool leap = total_rule_leap(rule_, year_);
            for (std::int32_t m = 1; m <= 12; ++m) days_before_year_ += month_length(leap, m);
            ++year_;
        }
    }

    // The total of a date in the year the walk has reached.
    std::int64_t total(std::int32_t month, std::int32_t day) const {
        const bool leap = total_rule_leap(rule_, year_);
        std::int64_t result = day + days_before_year_;
        for (std::int32_t m = 1; m < month; ++m) result += month_length(leap, m);
        return result;
    }

    std::int64_t year() const { return year_; }

private:
    TotalRule rule_;
    std::int64_t year_ = 1;
    std::int64_t days_before_year_ = 0;
};

}  // namespace morvek::reference
