#pragma once
// The texts a format value is written in: integers, hex-dump bytes and
// decimal fractions, read and written exactly, digit by digit.

#include <cstdint>
#include <optional>
#include <string_view>

#include "morvek/formats.h"
#include "morvek/result.h"

namespace morvek::detail {

// Products of a 24-digit fraction and a day in nanoseconds need 128 bits.
__extension__ typedef unsigned __int128 uint128;

// The text without the blanks (spaces, tabs) at its ends.
std::string_view trimmed(std::string_view text) noexcept;

// integer_from_value_text: an optional sign, then decimal digits or 0x and
// hexadecimal digits, and nothing else. A leading 0 is decimal.
//   Returns:  the value; bad_format for anything else; out_of_range beyond 64 bits
//   Example:  "-0x1F" -> -31; "010" -> 10; "1.5" -> bad_format
Result<std::int64_t> integer_from_value_text(std::string_view text) noexcept;

// integer_from_bytes: `count` bytes (4 or 8) as two hexadecimal digits each,
// blanks between the bytes allowed, in the given order; their two's
// complement for 8 bytes, the unsigned value for 4.
//   Example:  ("00 C0 B0 FE C1 63 D2 01", 8, little_endian) -> 131277024000000000
Result<std::int64_t> integer_from_bytes(std::string_view text, std::size_t count, ByteOrder order) noexcept;

// A decimal number read whole: sign, integer digits, fraction digits. The
// fraction keeps its first 24 digits as an integer and the rest as text, so
// that a floor is exact however many digits there are. A value of zero is
// never negative ("-0.0" is 0).
struct DecimalValue {
    bool negative = false;
    std::uint64_t whole = 0;
    uint128 fraction = 0;   // the first `digits` fraction digits as an integer
    int digits = 0;         // [0, 24]
    std::string_view rest;  // the fraction digits after the 24th: a view of the text read
};

// decimal_from_value_text: [+-]digits[.digits] or [+-].digits; at least one
// digit; up to `max_fraction_digits` fraction digits (more: bad_format).
//   Returns:  the value; bad_format for other text; out_of_range when the
//             whole part leaves 64 bits
Result<DecimalValue> decimal_from_value_text(std::string_view text, std::size_t max_fraction_digits) noexcept;

// floor_of_fraction: floor(0.fraction × scale), all digits counted, for
// scale <= 10^14.
//   Example:  ("0.0000000000000115740740745", 86400 × 10^9) -> 1
std::int64_t floor_of_fraction(const DecimalValue& value, std::int64_t scale) noexcept;

// shortest_fraction_digits: the shortest decimal digits d (no trailing
// zero) such that floor(0.d × scale) = part, for 0 < part < scale <= 10^14.
//   Example:  (250000000, 10^9) -> "25"; (21600000000000, 86400 × 10^9) -> "25"
struct FractionDigits {
    char characters[24];
    std::size_t size;
    std::string_view view() const noexcept { return {characters, size}; }
};
FractionDigits shortest_fraction_digits(std::int64_t part, std::int64_t scale) noexcept;

}  // namespace morvek::detail
