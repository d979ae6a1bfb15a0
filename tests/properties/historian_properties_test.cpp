// The calendar settings over generated inputs: the default settings change
// nothing, and under every reform and style the historian's fields name
// the day they came from when they are typed back.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "command/command_runner.h"
#include "command_generator.h"
#include "morvek/morvek.h"
#include "morvek/record.h"

namespace morvek {
namespace {

using command_testing::fixed_clock;

std::string output_of(const CommandResult& result) {
    std::string text;
    write_command_output(result, string_sink(text));
    Record record;
    record.result = result;
    for (std::size_t i = 0; i < first_historian_field; ++i) {
        text.append("\t").append(field_text(static_cast<Field>(i), record).view());
    }
    return text;
}

TEST(HistorianProperties, TheDefaultSettingsGiveWhatTheCommandAlwaysGave) {
    generated::Generator generator(0x68697374ULL);
    int compared = 0;
    for (int i = 0; i < 4000; ++i) {
        for (const generated::Form form : generated::all_forms) {
            const generated::Input input = generator.make(form);
            std::vector<std::string_view> words(input.arguments.begin(), input.arguments.end());
            const CommandResult plain = run_command(words, fixed_clock);
            const CommandResult with_settings = run_command(words, fixed_clock, CalendarSettings{});
            ASSERT_EQ(output_of(with_settings), output_of(plain)) << command_testing::command_line([&] {
                std::vector<const char*> pointers;
                for (const std::string& word : input.arguments) pointers.push_back(word.c_str());
                return pointers;
            }());
            ++compared;
        }
    }
    EXPECT_EQ(compared, 4000 * static_cast<int>(generated::all_forms.size()));
}

Record record_of(const CommandResult& result) {
    Record record;
    record.result = result;
    return record;
}

// Random days from 1500 to 2000 under every preset and style: the day's
// date, typed back as the style writes it (dual_date), names the day; the
// historical, Julian and Gregorian dates each name it in their calendar;
// the day of the year counts from the year's first day.
TEST(HistorianProperties, EveryFieldTypedBackNamesItsDay) {
    std::mt19937_64 random(1616);
    for (const ReformPreset& preset : reform_presets) {
        for (const YearStart style : {YearStart::january, YearStart::annunciation, YearStart::christmas}) {
            SCOPED_TRACE(std::string(preset.name) + " " + std::string(year_start_name(style)));
            const CalendarSettings settings{reform_of_preset(preset), style};
            const CalendarSettings january{settings.reform, YearStart::january};
            for (int i = 0; i < 300; ++i) {
                const DayCount day = 547508 + static_cast<DayCount>(random() % 182621);
                const std::string number = std::to_string(day);
                const Record record = record_of(run_command(std::vector<std::string_view>{number, "/D"}, fixed_clock, settings));
                ASSERT_EQ(record.result.outcome, CommandOutcome::report) << day;
                EXPECT_EQ(field_text(Field::historical_date, record).view(), field_text(Field::date, record).view());
                const auto day_of = [&](std::vector<std::string_view> words, const CalendarSettings& in) {
                    return run_command(words, fixed_clock, in).era_day;
                };
                const std::string dual(field_text(Field::dual_date, record).view());
                EXPECT_EQ(day_of({dual}, settings), day) << dual;
                const std::string julian(field_text(Field::julian_date, record).view());
                const std::string gregorian(field_text(Field::gregorian_date, record).view());
                EXPECT_EQ(day_of({julian, "00:00:00", "/J"}, january), day) << julian;
                EXPECT_EQ(day_of({gregorian, "00:00:00", "/G"}, january), day) << gregorian;
                // The first day of the year is day_of_year - 1 days back.
                const auto day_of_year = field_integer(Field::day_of_year, record);
                ASSERT_TRUE(day_of_year.has_value());
                const Record first = record_of(run_command(
                    std::vector<std::string_view>{std::to_string(day - *day_of_year + 1), "/D"}, fixed_clock, settings));
                EXPECT_EQ(field_integer(Field::day_of_year, first), 1);
                EXPECT_EQ(first.result.date.date.year, record.result.date.date.year);
                // The ISO week date read by the iso format names the day.
                const std::string week(field_text(Field::iso_week, record).view());
                EXPECT_EQ(convert_value({Format::iso}, week, settings).era_day, day) << week;
            }
        }
    }
}

}  // namespace
}  // namespace morvek
