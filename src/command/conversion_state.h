#pragma once
// The one record of working values of a conversion. Every operation that
// needs it takes it by reference, so several conversions can run side by side.

#include <cstdint>
#include <string_view>

#include "morvek/command.h"

namespace morvek::cli {

struct ConversionState {
    bool bad_format = false;
    bool date_nonexistent = false;
    bool time_nonexistent = false;
    CalendarMode calendar_mode = CalendarMode::Historical;
    std::int64_t era_seconds = 0;
    std::int32_t second_of_day = 0;  // 86400 only inside a leap second
    std::int32_t day = 0;
    std::int32_t month = 0;
    std::int32_t year = 0;  // no year 0: -1 is 1 BCE
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    std::int32_t leap_second = 0;
    std::int32_t millis = 0;  // negative only for negative E3/E6 input
    std::int32_t micros = 0;
    std::int32_t ticks = 0;        // 100 ns digit of a FILE time
    std::int32_t digit_count = 0;  // nonzero marks a numeric first argument
    std::string_view calendar_tag;  // "(J)", "(G)" or empty
    CalendarSettings settings;      // the historical calendar's reform and year start
};

// A run starts from the start values of every field, as a fresh process
// would: flags clear, Historical mode, no tag, no sub-second parts; the
// calendar settings stay.
inline void reset_for_run(ConversionState& state) {
    const CalendarSettings settings = state.settings;
    state = ConversionState{};
    state.settings = settings;
}

// Whether the historical calendar is another than the program's default
// one: only then do the operations take the settings' paths.
inline bool has_own_reform(const ConversionState& state) { return state.settings.reform != rome_reform; }

}  // namespace morvek::cli
