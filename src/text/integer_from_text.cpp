#include "text/integer_from_text.h"

#include <limits>

#include "text/text_characters.h"

namespace morvek::detail {

namespace {

// The value of c as a digit of any base up to 16, or 16 when it is none.
constexpr unsigned digit_value(char c) noexcept {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return 16;
}

}  // namespace

std::optional<std::int64_t> integer_from_text(std::string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    unsigned base = 10;
    if (i < text.size() && text[i] == '0') {
        base = 8;
        const bool hex_prefix = i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
                                digit_value(text[i + 2]) < 16;
        if (hex_prefix) {
            base = 16;
            i += 2;
        }
    }

    // Magnitudes up to 2^63 are kept; one more digit beyond that can only
    // leave the range, so the check runs before every step.
    constexpr std::uint64_t largest_magnitude = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const unsigned digit = digit_value(text[i]);
        if (digit >= base) break;
        if (magnitude > (largest_magnitude - digit) / base) return std::nullopt;
        magnitude = magnitude * base + digit;
    }

    if (negative) {
        if (magnitude == largest_magnitude) return std::numeric_limits<std::int64_t>::min();
        return -static_cast<std::int64_t>(magnitude);
    }
    if (magnitude == largest_magnitude) return std::nullopt;
    return static_cast<std::int64_t>(magnitude);
}

}  // namespace morvek::detail
