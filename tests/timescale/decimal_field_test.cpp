#include "command/decimal_field.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "timescale_test_support.h"

namespace morvek::cli {
namespace {

// The C library's "%d" is the reference for every field short enough not
// to overflow an int; a failed conversion leaves the value at 0.
int c_library_reading(const std::string& field) {
    int value = 0;
    if (std::sscanf(field.c_str(), "%d", &value) != 1) value = 0;
    return value;
}

TEST(DecimalField, ReadsShortFieldsLikeTheCLibrary) {
    constexpr char alphabet[] = {' ', '\t', '+', '-', '0', '1', '5', '9', 'a', '.', ':', 'x'};
    auto random = testing::fixed_random();
    std::uniform_int_distribution<std::size_t> letter(0, sizeof alphabet - 1);
    std::uniform_int_distribution<int> length(0, 9);
    for (int i = 0; i < 20000; ++i) {
        std::string field;
        for (int n = length(random); n > 0; --n) field.push_back(alphabet[letter(random)]);
        EXPECT_EQ(value_from_decimal_field(field), c_library_reading(field)) << '"' << field << '"';
    }
}

TEST(DecimalField, FieldRules) {
    EXPECT_EQ(value_from_decimal_field(""), 0);
    EXPECT_EQ(value_from_decimal_field("  "), 0);
    EXPECT_EQ(value_from_decimal_field("x1"), 0);
    EXPECT_EQ(value_from_decimal_field("-"), 0);
    EXPECT_EQ(value_from_decimal_field("+-1"), 0);
    EXPECT_EQ(value_from_decimal_field("- 1"), 0);
    EXPECT_EQ(value_from_decimal_field("1a"), 1);
    EXPECT_EQ(value_from_decimal_field("1 2"), 1);
    EXPECT_EQ(value_from_decimal_field(" \t\n\v\f\r-07"), -7);
    EXPECT_EQ(value_from_decimal_field("+42"), 42);
    EXPECT_EQ(value_from_decimal_field("0x10"), 0);
}

TEST(DecimalField, WideValuesAreExactAndOverflowStopsAtTheRangeEnds) {
    EXPECT_EQ(value_from_decimal_field("9999999999"), 9999999999);
    EXPECT_EQ(value_from_decimal_field("-999999999"), -999999999);
    EXPECT_EQ(value_from_decimal_field("2147483648"), 2147483648);
    EXPECT_EQ(value_from_decimal_field("999999999999999999"), 999999999999999999);
    EXPECT_EQ(value_from_decimal_field("-999999999999999999"), -999999999999999999);
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(value_from_decimal_field("9223372036854775807"), max);
    EXPECT_EQ(value_from_decimal_field("-9223372036854775808"), min);
    EXPECT_EQ(value_from_decimal_field("9223372036854775808"), max);
    EXPECT_EQ(value_from_decimal_field("-9223372036854775809"), min);
    EXPECT_EQ(value_from_decimal_field(std::string(400, '9')), max);
    EXPECT_EQ(value_from_decimal_field("-" + std::string(400, '9')), min);
}

}  // namespace
}  // namespace morvek::cli
