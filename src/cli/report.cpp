#include "cli/report.h"

#include <cstdint>
#include <cstdio>

#include "calendar/checked_arithmetic.h"
#include "calendar/date_from_era_day.h"
#include "calendar/rata_die.h"
#include "calendar/weekday.h"
#include "timescale/leap_seconds.h"
#include "timescale/unix_file_time.h"

namespace morvek {

namespace {

constexpr std::int64_t seconds_per_day = 86400;

// The entry refuses every moment whose E6 value leaves 64 bits, so these
// never wrap there; computing them unsigned keeps any other caller defined.
std::int64_t scaled_sum(std::int64_t value, std::int64_t factor, std::int64_t part) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(value) * static_cast<std::uint64_t>(factor) +
                                     static_cast<std::uint64_t>(part));
}

std::int64_t era_day_from_midnight(std::int64_t midnight) {
    const std::int64_t quotient = midnight / seconds_per_day;
    return quotient >= 0 ? quotient + 1 : quotient;
}

void print_date_line(OutputSink out, const char* format, const ConversionState& state) {
    write_formatted(out, format, state.day, state.month, state.year, state.hour, state.minute, state.second);
}

// Shows the day in the calendar of the typed count and again in the
// calendar in civil use that day, which then also gives the Era Day.
std::int64_t print_two_calendar_dates(ConversionState& state, OutputSink out, const char* first_format,
                                      std::int64_t era_day, CalendarMode civil_mode, CalendarMode typed_mode) {
    print_date_line(out, first_format, state);
    state.calendar_mode = civil_mode;
    date_from_era_day(state, era_day);
    state.calendar_mode = typed_mode;
    write_text(out, "\n");
    print_date_line(out, "Era Date: \t %02i.%02i.%i  %02i:%02i:%02i \n", state);
    return era_day;
}

}  // namespace

void print_report(ConversionState& state, OutputSink out, ReportLayout layout, std::string_view clock_tag) {
    std::int64_t era_day = era_day_from_midnight(state.era_seconds);
    state.era_seconds = saturating_add(state.era_seconds, state.second_of_day);
    const std::int64_t rd_julian = rd_julian_from_date(state.year, state.month, state.day);
    const std::int64_t rd_gregorian = rd_gregorian_from_date(state.year, state.month, state.day);

    write_text(out, "\n");
    if (layout == ReportLayout::single_argument) {
        print_date_line(out, "Date: \t\t %02i.%02i.%i  %02i:%02i:%02i  ", state);
        write_text(out, clock_tag);
        write_text(out, "\n");
    } else if (state.calendar_tag == gregorian_tag) {
        era_day = print_two_calendar_dates(state, out, "Gregorian Date:\t %02i.%02i.%i  %02i:%02i:%02i \n",
                                           rd_gregorian, CalendarMode::Julian, CalendarMode::Gregorian);
    } else if (state.calendar_tag == julian_tag) {
        era_day = print_two_calendar_dates(state, out, "Julian Date: \t %02i.%02i.%i  %02i:%02i:%02i \n",
                                           rd_julian, CalendarMode::Gregorian, CalendarMode::Julian);
    } else {
        print_date_line(out, "Date: \t\t %02i.%02i.%i  %02i:%02i:%02i \n", state);
    }
    write_text(out, "\n");

    if (state.year > 0 && state.digit_count == 0 && state.calendar_mode == CalendarMode::Historical) {
        if (era_day <= last_julian_era_day) {
            write_formatted(out, "RD Julian:\t %lli \n", static_cast<long long>(rd_julian));
        } else {
            write_formatted(out, "RD Gregorian:\t %lli \n", static_cast<long long>(rd_gregorian));
        }
    }

    const std::int32_t weekday = weekday_from_era_day(era_day);
    const bool known_weekday = weekday >= 0 && static_cast<std::size_t>(weekday) < weekday_names.size();
    print_with_text_column(out, "ED: \t\t %lli", era_day, weekday_names[known_weekday ? weekday : 0]);
    write_text(out, "\n");

    const std::int64_t e0 = state.era_seconds;
    print_with_hex_column(out, "E0 time:\t %lli", e0);
    print_with_hex_column(out, "E3 time:\t %lli", scaled_sum(e0, 1000, state.millis));
    print_with_hex_column(out, "E6 time:\t %lli",
                          scaled_sum(e0, 1000000, scaled_sum(state.millis, 1000, state.micros)));

    // The count stands right-aligned under the last digit of the E0 value.
    char e0_text[24];
    const int e0_width = std::snprintf(e0_text, sizeof e0_text, "%lli", static_cast<long long>(e0));
    write_formatted(out, "Leap Seconds:\t %*i\n", e0_width, leap_seconds_up_to(e0));
    write_text(out, "\n");

    print_with_hex_column(out, "Unix time:\t %lli", unix_time_from_era_seconds(state, e0));
    print_with_hex_column(out, "FILE time:\t %lli", file_time_from_era_seconds(state, e0));
    write_text(out, "\n");
}

}  // namespace morvek
