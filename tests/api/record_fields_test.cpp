// The record fields: each field of a moment computed alone is what the
// whole report of that moment shows.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "command/result_from_moment.h"
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

TEST(RecordFields, EachFieldOfAMomentIsWhatItsWholeReportShows) {
    std::size_t compared = 0;
    for (const Moment moment : moments_of_every_kind()) {
        cli::ConversionState state;
        Record record;
        record.result = cli::result_from_moment(state, moment);
        for (std::size_t i = 0; i < field_count; ++i) {
            const auto field = static_cast<Field>(i);
            if (field == Field::line || field == Field::input || field == Field::status || field == Field::message) continue;
            const FieldText want = field_text(field, record);  // kept: a view of the temporary would dangle
            EXPECT_EQ(moment_field_text(field, moment).view(), want.view())
                << field_name(field) << " of " << moment.seconds << "." << moment.nanosecond;
            if (field_type(field) != FieldType::text) {
                EXPECT_EQ(moment_field_integer(field, moment), field_integer(field, record)) << field_name(field);
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 100000u);
}

// A column of one field gives each moment's field as moment_field_integer
// gives it alone.
TEST(RecordFields, AColumnOfAFieldIsEachMomentsField) {
    const std::vector<Moment> moments = moments_of_every_kind();
    std::vector<std::int64_t> values(moments.size());
    std::unique_ptr<bool[]> present(new bool[moments.size()]);
    for (std::size_t f = 0; f < field_count; ++f) {
        const auto field = static_cast<Field>(f);
        std::fill(values.begin(), values.end(), -7);
        moment_field_integers(field, moments, values, {present.get(), moments.size()});
        for (std::size_t i = 0; i < moments.size(); ++i) {
            const std::optional<std::int64_t> alone = moment_field_integer(field, moments[i]);
            ASSERT_EQ(present[i], alone.has_value()) << field_name(field) << " " << i;
            ASSERT_EQ(values[i], alone.value_or(0)) << field_name(field) << " " << i;
        }
    }
    // Without the marks, the values alone.
    std::fill(values.begin(), values.end(), -7);
    moment_field_integers(Field::unix_time, moments, values, {});
    EXPECT_EQ(values[0], moment_field_integer(Field::unix_time, moments[0]).value_or(0));
}

}  // namespace
}  // namespace morvek
