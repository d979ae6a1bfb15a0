#pragma once
// Exact 64-bit arithmetic that reports overflow instead of wrapping, and
// division rounded toward minus infinity.

#include <cstdint>
#include <limits>
#include <optional>

namespace morvek::detail {

constexpr std::optional<std::int64_t> checked_add(std::int64_t a, std::int64_t b) noexcept {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) return std::nullopt;
    return sum;
}

constexpr std::optional<std::int64_t> checked_multiply(std::int64_t a, std::int64_t b) noexcept {
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) return std::nullopt;
    return product;
}

// Sums that leave the range stop at its ends; used where a moment that far
// out is refused later anyway and only needs to stay well defined.
constexpr std::int64_t saturating_add(std::int64_t a, std::int64_t b) noexcept {
    std::int64_t sum = 0;
    if (!__builtin_add_overflow(a, b, &sum)) return sum;
    return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

constexpr std::int32_t saturated_to_int32(std::int64_t value) noexcept {
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// Quotient and remainder rounded toward minus infinity, for a positive divisor.
constexpr std::int64_t floor_div(std::int64_t a, std::int64_t b) noexcept {
    const std::int64_t q = a / b;
    return (a % b < 0) ? q - 1 : q;
}
constexpr std::int64_t floor_mod(std::int64_t a, std::int64_t b) noexcept {
    const std::int64_t r = a % b;
    return r < 0 ? r + b : r;
}

}  // namespace morvek::detail
