#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "text/value_columns.h"

namespace morvek::detail {
namespace {

std::string hex_line(const std::string& format, std::int64_t value) {
    char buffer[512];
    TextBuilder out(buffer, sizeof buffer);
    print_with_hex_column(out, format, value);
    return std::string(out.view());
}

std::string text_line(const std::string& format, std::int64_t value, std::string_view text) {
    char buffer[512];
    TextBuilder out(buffer, sizeof buffer);
    print_with_text_column(out, format, value, text);
    return std::string(out.view());
}

TEST(ValueColumns, PutTheHexadecimalValueAtColumn41) {
    EXPECT_EQ(hex_line("E0 time:\t %lli", 0), "E0 time:         0                       0x0000000000000000\n");
    EXPECT_EQ(hex_line("E6 time:\t %lli", std::numeric_limits<std::int64_t>::min()),
              "E6 time:         -9223372036854775808    0x8000000000000000\n");
    EXPECT_EQ(hex_line("E6 time:\t %lli", std::numeric_limits<std::int64_t>::max()),
              "E6 time:         9223372036854775807     0x7FFFFFFFFFFFFFFF\n");
    EXPECT_EQ(hex_line("%lli", -2), "-2                                       0xFFFFFFFFFFFFFFFE\n");
}

TEST(ValueColumns, PutTheTextAtColumn33) {
    EXPECT_EQ(text_line("ED: \t\t %lli", 1, "Monday"), "ED:              1               Monday\n");
    EXPECT_EQ(text_line("ED: \t\t %lli", -99999999999999, "Sunday"),
              "ED:              -99999999999999 Sunday\n");
    EXPECT_EQ(text_line("%lli", 7, ""), "7                                \n");
}

// A tab always moves on to the next multiple of 8, even from one: labels of
// every length up to and past the column show where the value lands.
TEST(ValueColumns, ExpandTabsToTheNextStopOrFallBackToThePlainLine) {
    for (std::size_t label_length = 0; label_length < 48; ++label_length) {
        const std::string label(label_length, 'a');
        const std::string format = label + "\t%lli";
        const std::size_t value_column = (label_length / 8 + 1) * 8;
        const std::string value = "123";

        const std::string hex = hex_line(format, 123);
        if (value_column + value.size() < 41) {
            const std::string expected = label + std::string(value_column - label_length, ' ') + value +
                                         std::string(41 - value_column - value.size(), ' ') +
                                         "0x000000000000007B\n";
            EXPECT_EQ(hex, expected) << label_length;
        } else {
            EXPECT_EQ(hex, label + "\t123\n") << label_length;
        }

        const std::string text = text_line(format, 123, "Monday");
        if (value_column + value.size() < 33) {
            const std::string expected = label + std::string(value_column - label_length, ' ') + value +
                                         std::string(33 - value_column - value.size(), ' ') + "Monday\n";
            EXPECT_EQ(text, expected) << label_length;
        } else {
            EXPECT_EQ(text, label + "\t123\n") << label_length;
        }
    }
}

TEST(ValueColumns, FallBackWhenTheValueReachesTheColumn) {
    // 17 + 16 characters end exactly at column 33: no room for the text.
    EXPECT_EQ(text_line("ED: \t\t %lli", 1234567890123456, "Monday"), "ED: \t\t 1234567890123456\n");
    EXPECT_EQ(text_line("ED: \t\t %lli", 123456789012345, "Monday"),
              "ED:              123456789012345 Monday\n");
    // 17 + 2 + 22 characters end exactly at column 41; one less still fits.
    const std::string reaching(22, ' ');
    EXPECT_EQ(hex_line("Unix time:\t %lli" + reaching, -1), "Unix time:\t -1" + reaching + "\n");
    EXPECT_EQ(hex_line("Unix time:\t %lli" + reaching.substr(1), -1),
              "Unix time:       -1" + reaching + "0xFFFFFFFFFFFFFFFF\n");
    EXPECT_EQ(hex_line("A label long enough to pass the column:\t%lli", 5),
              "A label long enough to pass the column:\t5\n");
}

// Lines beyond the 128-character buffers are cut, never written past.
TEST(ValueColumns, CutALineLongerThanTheirBuffer) {
    const std::string long_label(300, 'x');
    EXPECT_EQ(hex_line(long_label + "%lli", 1), std::string(127, 'x') + "\n");
    EXPECT_EQ(text_line(long_label + "%lli", 1, "Monday"), std::string(127, 'x') + "\n");
    const std::string tabs(200, '\t');
    EXPECT_EQ(hex_line(tabs + "%lli", 1), std::string(127, '\t') + "\n");
}

}  // namespace
}  // namespace morvek::detail
