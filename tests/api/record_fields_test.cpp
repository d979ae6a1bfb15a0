// The record fields: each field of a moment computed alone is what the
// whole report of that moment shows.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

#include "command/date_time_from_era_seconds.h"
#include "command/report.h"
#include "command/result_from_moment.h"
#include "morvek/easter.h"
#include "morvek/record.h"

namespace morvek {
namespace {

// Moments of every kind: around the leap seconds, the epochs, the Era, the
// ends of the domain, and anywhere.
std::vector<Moment> moments_of_every_kind() {
    std::mt19937_64 random(20261207);
    std::vector<Moment> moments;
    const auto nanosecond = [&] { return static_cast<std::int32_t>(random() % 1000000000); };
    for (const std::int64_t leap : detail::leap_second_table) {
        for (std::int64_t offset = -2; offset <= 2; ++offset) moments.push_back({leap + offset, nanosecond()});
    }
    for (const std::int64_t epoch : {std::int64_t{0}, file_epoch_e0, unix_epoch_e0}) {
        for (std::int64_t offset = -2; offset <= 2; ++offset) moments.push_back({epoch + offset, offset == 0 ? 0 : nanosecond()});
    }
    moments.push_back(min_moment);
    moments.push_back(max_moment);
    moments.push_back(*moment_from_e6(min_e6));
    moments.push_back(*moment_from_e6(max_e6));
    for (int i = 0; i < 4000; ++i) {
        const std::int64_t span = i % 2 == 0 ? 100'000'000'000 : max_e0;
        moments.push_back({static_cast<std::int64_t>(random() % (2 * static_cast<std::uint64_t>(span) + 1)) - span,
                           i % 3 == 0 ? 0 : nanosecond()});
    }
    return moments;
}

// The default calendar, and two of other reforms and year-start styles.
const CalendarSettings settings_rows[] = {
    {},
    {*reform_from_name("britain"), YearStart::annunciation},
    {*reform_from_first_gregorian_date({1800, 1, 5}), YearStart::christmas},
};

// The report of a moment as the command's own conversions make it: the
// whole second through the Era-seconds form, its parts of a second as a
// FILE time leaves them.
CommandResult report_through_the_command(Moment moment, const CalendarSettings& settings) {
    cli::ConversionState state;
    state.settings = settings;
    if (!e6_from_moment(moment)) {
        CommandResult too_big;
        too_big.outcome = CommandOutcome::too_big;
        return too_big;
    }
    state.digit_count = 1;  // a number: no RD line
    const std::int32_t units = moment.nanosecond / 100;
    state.millis = units / 10000;
    state.micros = units / 10 % 1000;
    state.ticks = units % 10;
    state.era_seconds = cli::date_time_from_era_seconds(state, moment.seconds);
    CommandResult result = cli::report_from_state(state, ReportLayout::multi_argument, {});
    result.moment = moment;
    return result;
}

TEST(RecordFields, TheReportOfAMomentIsTheCommandsOwn) {
    for (const CalendarSettings& settings : settings_rows) {
        for (const Moment moment : moments_of_every_kind()) {
            const CommandResult want = report_through_the_command(moment, settings);
            const CommandResult got = cli::result_from_moment(moment, settings);
            const auto fields = [](const CommandResult& r) {
                return std::tuple{r.outcome, r.layout, r.date.calendar, r.date.date, r.hour, r.minute, r.second,
                                  r.has_era_date, r.rd_line, r.era_day, r.weekday, r.e0, r.e3, r.e6, r.leap_seconds,
                                  r.unix_time, r.file_time};
            };
            EXPECT_EQ(fields(got), fields(want)) << moment.seconds << "." << moment.nanosecond;
            if (got.outcome == CommandOutcome::report) {
                EXPECT_EQ(got.moment, moment);
            }
        }
    }
}

TEST(RecordFields, EachFieldOfAMomentIsWhatItsWholeReportShows) {
    std::size_t compared = 0;
    for (const CalendarSettings& settings : settings_rows) {
        for (const Moment moment : moments_of_every_kind()) {
            Record record;
            record.result = report_through_the_command(moment, settings);
            for (std::size_t i = 0; i < field_count; ++i) {
                const auto field = static_cast<Field>(i);
                if (field == Field::line || field == Field::input || field == Field::status || field == Field::message) continue;
                const FieldText want = field_text(field, record);  // the text itself: a view of a temporary would dangle
                EXPECT_EQ(moment_field_text(field, moment, settings).view(), want.view())
                    << field_name(field) << " of " << moment.seconds << "." << moment.nanosecond;
                if (field_type(field) != FieldType::text) {
                    EXPECT_EQ(moment_field_integer(field, moment, settings), field_integer(field, record)) << field_name(field);
                }
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 300000u);
}

// The historian's fields of a report, against the library's functions of
// its day: each field is the function it is said to be.
TEST(RecordFields, TheHistoriansFieldsAreTheirDaysInEachCalendar) {
    for (const CalendarSettings& settings : settings_rows) {
        for (const Moment moment : moments_of_every_kind()) {
            Record record;
            record.result = cli::result_from_moment(moment, settings);
            if (record.result.outcome != CommandOutcome::report) continue;
            const DayCount day = record.result.era_day;
            const Date historical = *date_from_era_day(settings.reform, day);
            EXPECT_EQ(record.result.date.date, historical);
            EXPECT_EQ(field_has_value(Field::julian_date, record), day >= 1);
            EXPECT_EQ(field_has_value(Field::easter_gregorian, record), historical.year >= 1 && historical.year <= 5879611);
            if (historical.year >= 1 && historical.year < 100000) {
                const Date easter = *easter_gregorian(historical.year);
                char text[32];
                std::snprintf(text, sizeof text, "%02d.%02d.%d", easter.day, easter.month, easter.year);
                EXPECT_EQ(field_text(Field::easter_gregorian, record).view(), text);
                EXPECT_EQ(field_integer(Field::day_of_year, record), *day_of_year(settings.reform, historical));
            }
        }
    }
}

// A column of one field gives each moment's field as moment_field_integer
// gives it alone.
TEST(RecordFields, AColumnOfAFieldIsEachMomentsField) {
    const std::vector<Moment> moments = moments_of_every_kind();
    std::vector<std::int64_t> values(moments.size());
    std::unique_ptr<bool[]> present(new bool[moments.size()]);
    for (const CalendarSettings& settings : settings_rows) {
        for (std::size_t f = 0; f < field_count; ++f) {
            const auto field = static_cast<Field>(f);
            std::fill(values.begin(), values.end(), -7);
            moment_field_integers(field, moments, values, {present.get(), moments.size()}, settings);
            for (std::size_t i = 0; i < moments.size(); ++i) {
                const std::optional<std::int64_t> alone = moment_field_integer(field, moments[i], settings);
                ASSERT_EQ(present[i], alone.has_value()) << field_name(field) << " " << i;
                ASSERT_EQ(values[i], alone.value_or(0)) << field_name(field) << " " << i;
            }
        }
    }
    // Without the marks, the values alone.
    std::fill(values.begin(), values.end(), -7);
    moment_field_integers(Field::unix_time, moments, values, {});
    EXPECT_EQ(values[0], moment_field_integer(Field::unix_time, moments[0]).value_or(0));
}

}  // namespace
}  // namespace morvek
