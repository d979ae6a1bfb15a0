#include "morvek/leap_seconds.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>
#include <algorithm>

#include "command/calendar_in_state.h"
#include "timescale_test_support.h"

namespace morvek {
namespace {

using cli::ConversionState;
using detail::insert_leap_seconds;
using detail::is_leap_second_day;
using detail::leap_second_table;
using detail::leap_seconds_before_month;
using testing::fixed_random;

constexpr std::int64_t int64_max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64_min = std::numeric_limits<std::int64_t>::min();

TEST(LeapSecondTable, CountsAndRecognisesTheInsertedSeconds) {
    EXPECT_EQ(leap_seconds_up_to(62214393599), 0);
    EXPECT_EQ(leap_seconds_up_to(62214393600), 1);
    EXPECT_EQ(leap_seconds_up_to(62214393601), 1);
    EXPECT_EQ(leap_seconds_up_to(62230291200), 1);
    EXPECT_EQ(leap_seconds_up_to(62230291201), 2);
    EXPECT_EQ(leap_seconds_up_to(63618825625), 26);
    for (const std::int64_t value : {std::int64_t{0}, std::int64_t{-1}, int64_min}) {
        EXPECT_EQ(leap_seconds_up_to(value), 0) << value;
    }
    for (const std::int64_t value : {std::int64_t{63618825626}, std::int64_t{10000000000000}, int64_max}) {
        EXPECT_EQ(leap_seconds_up_to(value), 27) << value;
    }

    // Around each entry: counted from the entry itself on, recognised only there.
    for (std::size_t k = 0; k < leap_second_table.size(); ++k) {
        const std::int64_t entry = leap_second_table[k];
        const auto before = static_cast<std::int32_t>(k);
        EXPECT_EQ(leap_seconds_up_to(entry - 1), before);
        EXPECT_EQ(leap_seconds_up_to(entry), before + 1);
        EXPECT_EQ(leap_seconds_up_to(entry + 1), before + 1);
        EXPECT_FALSE(is_leap_second(entry - 1));
        EXPECT_TRUE(is_leap_second(entry));
        EXPECT_FALSE(is_leap_second(entry + 1));
    }
    EXPECT_FALSE(is_leap_second(int64_min));
    EXPECT_FALSE(is_leap_second(int64_max));
}

TEST(LeapSecondTable, InsertingFollowsEveryEntryPassed) {
    EXPECT_EQ(insert_leap_seconds(62214393599), 62214393599);
    EXPECT_EQ(insert_leap_seconds(62214393600), 62214393601);
    EXPECT_EQ(insert_leap_seconds(62230291199), 62230291200);
    // Passing the first entry lands on the second, which is then passed too.
    EXPECT_EQ(insert_leap_seconds(62230291200), 62230291202);
    EXPECT_EQ(insert_leap_seconds(63618825599), 63618825625);
    EXPECT_EQ(insert_leap_seconds(63618825600), 63618825627);
    EXPECT_EQ(insert_leap_seconds(-1), -1);
    EXPECT_EQ(insert_leap_seconds(int64_min), int64_min);
    // The end of the range holds the values that no longer fit.
    EXPECT_EQ(insert_leap_seconds(int64_max - 27), int64_max);
    EXPECT_EQ(insert_leap_seconds(int64_max - 26), int64_max);
    EXPECT_EQ(insert_leap_seconds(int64_max), int64_max);
}

// The leap-free count, put back into E0 and taken out again, is unchanged;
// the result is never a leap second, and the mapping is strictly increasing.
void expect_insert_inverts(std::int64_t leap_free) {
    const std::int64_t era_seconds = insert_leap_seconds(leap_free);
    EXPECT_FALSE(is_leap_second(era_seconds)) << leap_free;
    EXPECT_EQ(era_seconds - leap_seconds_up_to(era_seconds), leap_free) << leap_free;
    EXPECT_LT(era_seconds, insert_leap_seconds(leap_free + 1)) << leap_free;
}

TEST(LeapSecondTable, InsertingIsUndoneByCounting) {
    for (std::size_t k = 0; k < leap_second_table.size(); ++k) {
        // The leap-free value of the midnight after leap second k + 1.
        const std::int64_t midnight = leap_second_table[k] - static_cast<std::int64_t>(k);
        for (std::int64_t d = -3; d <= 3; ++d) expect_insert_inverts(midnight + d);
        EXPECT_EQ(insert_leap_seconds(midnight - 1), leap_second_table[k] - 1);
        EXPECT_EQ(insert_leap_seconds(midnight), leap_second_table[k] + 1);
    }
    auto random = fixed_random();
    std::uniform_int_distribution<std::int64_t> anywhere(int64_min, int64_max - 28);
    std::uniform_int_distribution<std::int64_t> near_table(62000000000, 64000000000);
    for (int i = 0; i < 5000; ++i) {
        expect_insert_inverts(anywhere(random));
        expect_insert_inverts(near_table(random));
    }
}

// The month ladder of the date parser and the table are two views of the
// same days: the leap-free midnight of each month, with the table's
// seconds put in, moves by exactly the ladder's count.
TEST(LeapSecondTable, MonthLadderAgreesWithTableEveryMonth) {
    for (std::int64_t year = 1972; year <= 2017; ++year) {
        for (std::int32_t month = 1; month <= 12; ++month) {
            ConversionState state;
            const std::int64_t era_day = era_day_from_date(state, year, month, 1);
            ASSERT_FALSE(state.date_nonexistent);
            const std::int64_t leap_free = (era_day - 1) * 86400;
            const std::int32_t ladder = leap_seconds_before_month(year, month);
            EXPECT_EQ(insert_leap_seconds(leap_free) - leap_free, ladder) << month << "." << year;
            EXPECT_EQ(leap_seconds_up_to(leap_free + ladder), ladder) << month << "." << year;
        }
    }
    EXPECT_EQ(leap_seconds_before_month(2015, 6), 25);
    EXPECT_EQ(leap_seconds_before_month(2015, 7), 26);
    EXPECT_EQ(leap_seconds_before_month(1971, 12), 0);
    EXPECT_EQ(leap_seconds_before_month(-5000000000, 1), 0);
    EXPECT_EQ(leap_seconds_before_month(5000000000, 1), 27);
}

// Each listed day ends with its own table entry: 23:59:59 of the day, by
// the leap-free count, is the second before it.
TEST(LeapSecondTable, DaysAndEntriesMatch) {
    for (std::size_t k = 0; k < leap_second_days.size(); ++k) {
        const Date& d = leap_second_days[k];
        ConversionState state;
        const std::int64_t era_day = era_day_from_date(state, d.year, d.month, d.day);
        const std::int64_t last_leap_free_second = (era_day - 1) * 86400 + 86399;
        EXPECT_EQ(insert_leap_seconds(last_leap_free_second) + 1, leap_second_table[k]) << k;
        EXPECT_TRUE(is_leap_second_day(d.year, d.month, d.day));
        EXPECT_FALSE(is_leap_second_day(d.year, d.month, d.day - 1));
    }
}

// The bucket index answers as a search of the sorted table does: at every
// bucket boundary, around every instant and at random seconds across the
// span of the leap seconds and beyond it.
TEST(LeapSecondTable, TheIndexAnswersAsASearchOfTheTable) {
    const auto passed = [](const auto& table, std::int64_t second) {
        return static_cast<std::int32_t>(std::upper_bound(table.begin(), table.end(), second) - table.begin());
    };
    std::vector<std::int64_t> seconds = {int64_min, -1, 0, int64_max};
    for (const detail::InstantIndex& index : {detail::leap_second_index, detail::leap_free_threshold_index}) {
        for (std::size_t bucket = 0; bucket <= detail::InstantIndex::most_buckets; ++bucket) {
            const std::int64_t start = (index.first_bucket + static_cast<std::int64_t>(bucket))
                                       << detail::InstantIndex::bucket_shift;
            seconds.insert(seconds.end(), {start - 1, start, start + 1});
        }
    }
    for (const auto* table : {&leap_second_table, &detail::leap_free_thresholds}) {
        for (const std::int64_t instant : *table) {
            for (std::int64_t step = -3; step <= 3; ++step) seconds.push_back(instant + step);
        }
    }
    auto random = fixed_random();
    std::uniform_int_distribution<std::int64_t> span(leap_second_table.front() - 100000000,
                                                     leap_second_table.back() + 100000000);
    for (int i = 0; i < 200000; ++i) seconds.push_back(span(random));

    for (const std::int64_t second : seconds) {
        ASSERT_EQ(leap_seconds_up_to(second), passed(leap_second_table, second)) << second;
        ASSERT_EQ(is_leap_second(second), std::binary_search(leap_second_table.begin(), leap_second_table.end(), second))
            << second;
        if (second > int64_max - leap_second_count) continue;  // insert_leap_seconds saturates there
        ASSERT_EQ(insert_leap_seconds(second) - second, passed(detail::leap_free_thresholds, second)) << second;
    }
}

}  // namespace
}  // namespace morvek
