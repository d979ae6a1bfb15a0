// The historical calendar's options of the stream mode, and the text of a
// span of seconds.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "morvek/command_text.h"
#include "stream/batch_options.h"
#include "stream/between.h"

namespace morvek::stream {
namespace {

BatchOptionsRead read_options(std::vector<const char*> arguments) {
    static std::vector<const char*> operands(8);
    return batch_options_from_arguments(arguments, operands, Operands::value_words);
}

TEST(CalendarOptions, ReformsByNameOrFirstGregorianDayAndYearStarts) {
    struct Case {
        const char* argument;
        DayCount first_gregorian_day;  // 0: refused
        YearStart style;
    };
    const Case cases[] = {
        {"--reform=britain", 639797, YearStart::january},  {"--reform=14.09.1752", 639797, YearStart::january},
        {"--reform=15.10.1582", 577736, YearStart::january}, {"--reform=31.12.9999", 3652059, YearStart::january},
        {"--reform=14.10.1582", 0, YearStart::january},    {"--reform=01.01.10000", 0, YearStart::january},
        {"--reform=29.02.1700", 0, YearStart::january},    {"--reform=14.9.1752x", 0, YearStart::january},
        {"--reform=", 0, YearStart::january},              {"--reform=Britain", 0, YearStart::january},
        {"--year-start=christmas", 577736, YearStart::christmas},
        {"--year-start=annunciation", 577736, YearStart::annunciation},
        {"--year-start=march", 0, YearStart::january},
    };
    for (const Case& c : cases) {
        const BatchOptionsRead read = read_options({c.argument});
        EXPECT_EQ(read.problem.empty(), c.first_gregorian_day != 0) << c.argument;
        if (!read.problem.empty()) continue;
        EXPECT_TRUE(read.options.calendar_chosen);
        EXPECT_EQ(read.options.settings.reform.first_gregorian_day, c.first_gregorian_day) << c.argument;
        EXPECT_EQ(read.options.settings.year_start, c.style) << c.argument;
    }
    EXPECT_FALSE(read_options({"--from=unix"}).options.calendar_chosen);
}

TEST(CalendarOptions, TheListShowsTheHistoriansFieldsOnlyWhenACalendarIsChosen) {
    const auto has_historian_field = [](const BatchOptions& options) {
        for (const Field field : options.chosen_fields()) {
            if (static_cast<std::size_t>(field) >= first_historian_field) return true;
        }
        return false;
    };
    EXPECT_FALSE(has_historian_field(read_options({"--format=list"}).options));
    EXPECT_TRUE(has_historian_field(read_options({"--format=list", "--reform=rome"}).options));
    EXPECT_TRUE(has_historian_field(read_options({"--year-start=january", "--format=list"}).options));
    EXPECT_FALSE(has_historian_field(read_options({"--format=tsv", "--reform=rome"}).options));
    EXPECT_TRUE(has_historian_field(read_options({"--format=tsv", "--fields=iso_week,easter_julian"}).options));
}

TEST(Between, SecondsAreWrittenAsOneSignedNumber) {
    struct Case {
        Elapsed elapsed;
        bool fraction;
        std::string_view text;
    };
    const Case cases[] = {
        {{2, 0}, false, "2"},           {{-864000, 0}, false, "-864000"},   {{2, 0}, true, "2.0"},
        {{1, 500000000}, true, "1.5"},  {{-1, 750000000}, true, "-0.25"},   {{-2, 500000000}, true, "-1.5"},
        {{0, 100}, true, "0.0000001"},  {{-1, 1}, true, "-0.999999999"},    {{-3, 0}, true, "-3.0"},
        // The ends of the 64-bit seconds.
        {{INT64_MIN, 1}, true, "-9223372036854775807.999999999"},
        {{INT64_MAX, 999999999}, true, "9223372036854775807.999999999"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(elapsed_text(c.elapsed, c.fraction).view(), c.text) << c.elapsed.seconds << " " << c.elapsed.nanosecond;
    }
}

}  // namespace
}  // namespace morvek::stream
