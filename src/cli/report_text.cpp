// The program's text for a command result.

#include <array>

#include "cli/date_time_text.h"
#include "cli/text_builder.h"
#include "cli/usage.h"
#include "cli/value_columns.h"
#include "morvek/command_text.h"
#include "morvek/version.h"

namespace morvek {

namespace {

// Two date lines of 40 characters, eleven value lines within 128: a report
// never comes near this.
constexpr std::size_t report_capacity = 2048;

constexpr std::array<std::string_view, 8> weekday_names = {
    "Not a Day of Week", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday",
};

std::string_view date_label(CalendarMode calendar) {
    switch (calendar) {
        case CalendarMode::Julian:
            return "Julian Date: \t ";
        case CalendarMode::Gregorian:
            return "Gregorian Date:\t ";
        case CalendarMode::Historical:
            break;
    }
    return "Date: \t\t ";
}

// "%02i.%02i.%i  %02i:%02i:%02i"
void date_and_time(TextBuilder& out, const Date& date, const CommandResult& result) {
    write_date_text(out, date.day, date.month, date.year);
    out.text("  ");
    write_time_text(out, result.hour, result.minute, result.second);
}

void date_block(TextBuilder& out, const CommandResult& result) {
    out.text("\n");
    out.text(date_label(result.date.calendar));
    date_and_time(out, result.date.date, result);
    if (result.layout == ReportLayout::single_argument) {
        out.text("  ");
        out.text(result.clock_tag);
        out.text("\n");
    } else {
        out.text(" \n");
    }
    if (result.has_era_date) {
        out.text("\nEra Date: \t ");
        date_and_time(out, result.era_date.date, result);
        out.text(" \n");
    }
    out.text("\n");
}

void write_report(const CommandResult& result, TextSink sink) {
    char buffer[report_capacity];
    TextBuilder out(buffer, sizeof buffer);
    date_block(out, result);
    if (result.rd_line != RdLine::none) {
        out.text(result.rd_line == RdLine::julian ? "RD Julian:\t " : "RD Gregorian:\t ");
        out.decimal(result.rd_value);
        out.text(" \n");
    }
    print_with_text_column(out, "ED: \t\t %lli", result.era_day, report_weekday_name(result.weekday));
    out.text("\n");
    print_with_hex_column(out, "E0 time:\t %lli", result.e0);
    print_with_hex_column(out, "E3 time:\t %lli", result.e3);
    print_with_hex_column(out, "E6 time:\t %lli", result.e6);
    // The count stands right-aligned under the last digit of the E0 value.
    out.text("Leap Seconds:\t ");
    out.decimal(result.leap_seconds, TextBuilder::decimal_text(result.e0).view().size(), false);
    out.text("\n\n");
    print_with_hex_column(out, "Unix time:\t %lli", result.unix_time);
    print_with_hex_column(out, "FILE time:\t %lli", result.file_time);
    out.text("\n");
    if (sink.write != nullptr) sink.write(sink.target, buffer, out.size());
}

void write_piece(TextSink sink, std::string_view text) {
    if (sink.write != nullptr && !text.empty()) sink.write(sink.target, text.data(), text.size());
}

// The argument texts go out as they are, whatever their length.
void write_nonexistent(const CommandResult& result, TextSink sink, std::string_view what) {
    write_piece(sink, "\n\t");
    write_piece(sink, result.first_argument);
    write_piece(sink, " ");
    write_piece(sink, result.has_second_argument ? result.second_argument : std::string_view{"00:00:00"});
    write_piece(sink, what);
}

}  // namespace

std::string_view report_weekday_name(std::int32_t weekday) {
    return weekday >= 0 && static_cast<std::size_t>(weekday) < weekday_names.size()
               ? weekday_names[static_cast<std::size_t>(weekday)]
               : weekday_names[0];
}

void write_usage(TextSink out) { write_piece(out, usage_text); }

void write_version(TextSink out) {
    write_piece(out, "morvek ");
    write_piece(out, version);
    write_piece(out, "\n");
}

void write_command_output(const CommandResult& result, TextSink out) {
    switch (result.outcome) {
        case CommandOutcome::report:
            return write_report(result, out);
        case CommandOutcome::usage:
            return write_usage(out);
        case CommandOutcome::too_big:
            return write_piece(out, "\nToo big number..\n");
        case CommandOutcome::era_day_zero:
            return write_piece(
                out, "\n\tEra Day:  0 - non-existent date. \n\tUse:\t  1 - for CE  day 1\n\t\t -1 - for BCE day 1\n");
        case CommandOutcome::nonexistent_date:
            return write_nonexistent(result, out, " - non-existent date\n");
        case CommandOutcome::nonexistent_time:
            return write_nonexistent(result, out, " - non-existent time\n");
    }
}

}  // namespace morvek
