#include "formats/value_text.h"

#include <limits>

namespace morvek::detail {

namespace {

constexpr bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

constexpr int hex_value(char c) noexcept {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

constexpr bool is_blank(char c) noexcept { return c == ' ' || c == '\t'; }

constexpr int max_kept_fraction_digits = 24;

constexpr uint128 power_of_ten(int exponent) noexcept {
    uint128 power = 1;
    for (int i = 0; i < exponent; ++i) power *= 10;
    return power;
}

}  // namespace

std::string_view trimmed(std::string_view text) noexcept {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

Result<std::int64_t> integer_from_value_text(std::string_view text) noexcept {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const bool hexadecimal = i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X');
    if (hexadecimal) i += 2;
    if (i == text.size()) return Status::bad_format;
    const unsigned base = hexadecimal ? 16 : 10;
    // Magnitudes up to 2^63 are kept; past 64 bits the value is too big.
    constexpr std::uint64_t largest_magnitude = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    bool too_big = false;
    for (; i < text.size(); ++i) {
        const int digit = hexadecimal ? hex_value(text[i]) : (is_digit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0) return Status::bad_format;
        too_big = too_big || __builtin_mul_overflow(magnitude, base, &magnitude) ||
                  __builtin_add_overflow(magnitude, static_cast<unsigned>(digit), &magnitude);
    }
    too_big = too_big || magnitude > largest_magnitude;
    if (too_big || (!negative && magnitude == largest_magnitude)) return Status::out_of_range;
    if (negative) return magnitude == largest_magnitude ? std::numeric_limits<std::int64_t>::min()
                                                        : -static_cast<std::int64_t>(magnitude);
    return static_cast<std::int64_t>(magnitude);
}

Result<std::int64_t> integer_from_bytes(std::string_view text, std::size_t count, ByteOrder order) noexcept {
    std::uint64_t bytes[8] = {};
    std::size_t found = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (is_blank(text[i])) {
            ++i;
            continue;
        }
        const int high = hex_value(text[i]);
        const int low = i + 1 < text.size() ? hex_value(text[i + 1]) : -1;
        if (high < 0 || low < 0 || found == count) return Status::bad_format;
        bytes[found++] = static_cast<std::uint64_t>(high * 16 + low);
        i += 2;
    }
    if (found != count) return Status::bad_format;
    std::uint64_t value = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint64_t byte = order == ByteOrder::little_endian ? bytes[count - 1 - k] : bytes[k];
        value = value << 8 | byte;
    }
    // Eight bytes are the two's complement of a signed value; four, as HFS+
    // and FAT store them, an unsigned one.
    return static_cast<std::int64_t>(value);
}

Result<DecimalValue> decimal_from_value_text(std::string_view text, std::size_t max_fraction_digits) noexcept {
    DecimalValue value;
    std::size_t i = 0;
    value.negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    bool any_digit = false;
    bool nonzero = false;
    bool too_big = false;
    for (; i < text.size() && is_digit(text[i]); ++i) {
        any_digit = true;
        nonzero = nonzero || text[i] != '0';
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        if (value.whole > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) too_big = true;
        if (!too_big) value.whole = value.whole * 10 + digit;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        std::size_t fraction_digits = 0;
        const std::size_t first_fraction_digit = i;
        for (; i < text.size() && is_digit(text[i]); ++i) {
            any_digit = true;
            nonzero = nonzero || text[i] != '0';
            if (++fraction_digits > max_fraction_digits) return Status::bad_format;
            if (value.digits < max_kept_fraction_digits) {
                value.fraction = value.fraction * 10 + static_cast<unsigned>(text[i] - '0');
                ++value.digits;
            }
        }
        const std::size_t first_rest_digit = first_fraction_digit + static_cast<std::size_t>(value.digits);
        value.rest = text.substr(first_rest_digit, i - first_rest_digit);
    }
    if (!any_digit || i != text.size()) return Status::bad_format;
    value.negative = value.negative && nonzero;
    if (too_big || value.whole > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return Status::out_of_range;
    }
    return value;
}

// The kept digits give floor(0.fraction × scale) = q / 10^24 floored. The
// rest adds less than 10^-24, less than one unit of 1 / scale, so it can only
// lift the floor by one: when 0.fraction + 0.rest × 10^-24 reaches
// (floor + 1) / scale, that is when 0.rest >= gap / scale with
// gap = (floor + 1) × 10^24 - q. The digits of gap / scale are made by long
// division and compared with the rest's one by one; the point a floor
// changes at need not be a decimal at all, so no count of kept digits
// would do.
std::int64_t floor_of_fraction(const DecimalValue& value, std::int64_t scale) noexcept {
    const uint128 power = power_of_ten(value.digits);
    const uint128 scaled = value.fraction * static_cast<uint128>(scale);
    const auto floor = static_cast<std::int64_t>(scaled / power);
    if (value.rest.empty()) return floor;
    const uint128 gap = static_cast<uint128>(floor + 1) * power - scaled;  // (0, 10^24]
    if (gap >= static_cast<uint128>(scale)) return floor;
    auto remainder = static_cast<std::int64_t>(gap);  // below scale: the digits of remainder / scale follow
    for (const char c : value.rest) {
        remainder *= 10;
        const std::int64_t digit = remainder / scale;
        remainder %= scale;
        if (c - '0' != digit) return c - '0' > digit ? floor + 1 : floor;
    }
    return remainder == 0 ? floor + 1 : floor;
}

FractionDigits shortest_fraction_digits(std::int64_t part, std::int64_t scale) noexcept {
    FractionDigits digits{};
    const auto wanted = static_cast<uint128>(part);
    const auto per_unit = static_cast<uint128>(scale);
    for (int count = 1; count <= max_kept_fraction_digits; ++count) {
        const uint128 power = power_of_ten(count);
        // The least decimal of `count` digits at or above part / scale; it
        // reads back to `part` unless it reaches part + 1.
        const uint128 candidate = (wanted * power + per_unit - 1) / per_unit;
        if (candidate * per_unit / power != wanted) continue;
        uint128 rest = candidate;
        for (int k = count - 1; k >= 0; --k) {
            digits.characters[k] = static_cast<char>('0' + static_cast<int>(rest % 10));
            rest /= 10;
        }
        digits.size = static_cast<std::size_t>(count);
        while (digits.size > 0 && digits.characters[digits.size - 1] == '0') --digits.size;
        return digits;
    }
    return digits;
}

}  // namespace morvek::detail
