#pragma once
// Integers from text, read the way "%i" and "%lli" read them, by hand: no
// locale, no errno, no undefined behaviour on any text.

#include <cstdint>
#include <optional>
#include <string_view>

namespace morvek::detail {

// integer_from_text: leading blanks, one sign, then "0x" hexadecimal, a
// leading "0" octal or else decimal, up to the first character that does
// not continue the number.
//
//   Returns:  the value; 0 when no digit follows; nullopt when the typed
//             value lies outside the signed 64-bit range
//   Example:  "010" -> 8; "0x1F" -> 31; "5x10" -> 5; "9223372036854775808" -> nullopt
std::optional<std::int64_t> integer_from_text(std::string_view text) noexcept;

}  // namespace morvek::detail
