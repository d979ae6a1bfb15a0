// The table against the list of leap seconds that the system's time-zone
// data ships, which comes from the bulletins of the rotation service.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "morvek/leap_seconds.h"

namespace morvek::detail {
namespace {

constexpr const char* leap_seconds_list = "/usr/share/zoneinfo/leap-seconds.list";
constexpr std::int64_t ntp_epoch_era_seconds = 59926608000;  // 01.01.1900 00:00:00
constexpr std::int64_t ntp_01_01_2017 = 3692217600;

struct ListLine {
    std::int64_t ntp_seconds;
    std::int64_t tai_minus_utc;
};

TEST(LeapSecondsList, TableMatchesSystemList) {
    std::ifstream file(leap_seconds_list);
    if (!file) GTEST_SKIP() << leap_seconds_list << " is absent (tzdata not installed)";

    std::vector<ListLine> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        ListLine entry{};
        ASSERT_TRUE(fields >> entry.ntp_seconds >> entry.tai_minus_utc) << line;
        lines.push_back(entry);
    }
    ASSERT_GE(lines.size(), 28u) << "the list ends before 2017";

    // The first line marks the start of UTC in 1972; each further line is
    // the midnight after one leap second.
    std::size_t compared = 0;
    for (std::size_t k = 1; k < lines.size() && lines[k].ntp_seconds <= ntp_01_01_2017; ++k) {
        ASSERT_LE(k, leap_second_table.size());
        const auto earlier = static_cast<std::int64_t>(k - 1);
        const std::int64_t expected = lines[k].ntp_seconds + ntp_epoch_era_seconds + earlier;
        EXPECT_EQ(leap_second_table[k - 1], expected) << "leap second " << k;
        EXPECT_EQ(lines[k].tai_minus_utc - lines[0].tai_minus_utc, static_cast<std::int64_t>(k));
        ++compared;
    }
    EXPECT_EQ(compared, leap_second_table.size());
}

}  // namespace
}  // namespace morvek::detail
