#pragma once
// Character classes of the "C" locale, independent of the process locale.

namespace morvek::detail {

constexpr bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool is_decimal_digit(char c) { return c >= '0' && c <= '9'; }

constexpr char ascii_upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace morvek::detail
