#pragma once
// Shared helpers of the time-scale tests: the texts the command prints and
// reads, and the inputs of the round-trip properties.

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "command/conversion_state.h"
#include "command/parse_date.h"
#include "command/parse_time_of_day.h"
#include "morvek/leap_seconds.h"

namespace morvek::testing {

using cli::ConversionState;

inline std::string printed_date(const ConversionState& state) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02i.%02i.%i", state.day, state.month, state.year);
    return buffer;
}

inline std::string printed_time(const ConversionState& state) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02i:%02i:%02i", state.hour, state.minute, state.second);
    return buffer;
}

inline bool any_flag(const ConversionState& state) {
    return state.bad_format || state.date_nonexistent || state.time_nonexistent;
}

// The moment of a date and a time text read as the command reads them, in a
// fresh run of the given mode.
struct ReadBack {
    std::int64_t midnight = 0;
    std::int32_t second_of_day = 0;
    ConversionState state;
    std::int64_t moment() const { return midnight + second_of_day; }
};

inline ReadBack read_back(const std::string& date, const std::string& time,
                          CalendarMode mode = CalendarMode::Historical) {
    ReadBack result;
    result.state.calendar_mode = mode;
    result.midnight = cli::parse_date(result.state, date);
    result.second_of_day = cli::parse_time_of_day(result.state, time);
    return result;
}

inline constexpr std::int64_t era_seconds_sample_limit = 9223372036854;

// Every E0 within three seconds of a leap second or of the start of the Era.
inline std::vector<std::int64_t> era_seconds_windows() {
    std::vector<std::int64_t> values;
    for (const std::int64_t centre : detail::leap_second_table) {
        for (std::int64_t d = -3; d <= 3; ++d) values.push_back(centre + d);
    }
    for (std::int64_t d = -3; d <= 3; ++d) values.push_back(d);
    return values;
}

inline std::mt19937_64 fixed_random() { return std::mt19937_64(0x6d6f72766b31ULL); }

}  // namespace morvek::testing
