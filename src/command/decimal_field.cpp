#include "command/decimal_field.h"

#include <limits>

#include "text/text_characters.h"

namespace morvek::cli {

std::int64_t value_from_decimal_field(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && detail::is_blank(field[i])) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    // Accumulated as a negative number, whose range is the larger one; a
    // field too long to fit stops at the end of the range.
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    for (; i < field.size() && detail::is_decimal_digit(field[i]); ++i) {
        const std::int64_t digit = field[i] - '0';
        if (value < (lowest + digit) / 10) {
            value = lowest;
        } else {
            value = value * 10 - digit;
        }
    }
    if (negative) return value;
    return value == lowest ? std::numeric_limits<std::int64_t>::max() : -value;
}

}  // namespace morvek::cli
