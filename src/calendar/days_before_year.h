#pragma once
// Days of the whole years 1 .. year-1, the closed forms behind every count
// of days from 01.01.0001.

#include <cstdint>
#include <optional>

#include "calendar/checked_arithmetic.h"

namespace morvek {

// Proleptic Gregorian: a leap day every 4 years, less one every 100, plus
// one every 400. nullopt when the count leaves 64 bits.
constexpr std::optional<std::int64_t> gregorian_days_before_year(std::int64_t year) {
    const std::int64_t whole_years = year - 1;  // year >= 1
    const std::int64_t leap_days = whole_years / 4 - whole_years / 100 + whole_years / 400;
    const auto common_days = checked_multiply(whole_years, 365);
    if (!common_days) return std::nullopt;
    return checked_add(*common_days, leap_days);
}

// Julian as kept: the leap days fall in 12, 16, 20, ..., none before 12.
constexpr std::optional<std::int64_t> julian_days_before_year(std::int64_t year) {
    const std::int64_t leap_days = year <= 12 ? 0 : (year - 13) / 4 + 1;  // year >= 1
    const auto common_days = checked_multiply(year - 1, 365);
    if (!common_days) return std::nullopt;
    return checked_add(*common_days, leap_days);
}

}  // namespace morvek
