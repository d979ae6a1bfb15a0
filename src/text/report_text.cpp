// The program's text for a command result.

#include "morvek/command_text.h"
#include "morvek/version.h"
#include "text/date_time_text.h"
#include "text/text_builder.h"
#include "text/usage.h"
#include "text/value_columns.h"

namespace morvek {

namespace {

using detail::TextBuilder;

// Two date lines of 40 characters, eleven value lines within 128: a report
// never comes near this.
constexpr std::size_t report_capacity = 2048;

std::string_view date_label(CalendarMode calendar) noexcept {
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
void date_and_time(TextBuilder& out, const Date& date, const CommandResult& result) noexcept {
    detail::write_date_text(out, date.day, date.month, date.year);
    out.text("  ");
    detail::write_time_text(out, result.hour, result.minute, result.second);
}

void date_block(TextBuilder& out, const CommandResult& result) noexcept {
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

void write_report(const CommandResult& result, TextSink sink) noexcept {
    char buffer[report_capacity];
    TextBuilder out(buffer, sizeof buffer);
    date_block(out, result);
    if (result.rd_line != RdLine::none) {
        out.text(result.rd_line == RdLine::julian ? "RD Julian:\t " : "RD Gregorian:\t ");
        out.decimal(result.rd_value);
        out.text(" \n");
    }
    static constexpr detail::LineFormat era_day_line = detail::line_format("ED: \t\t %lli");
    static constexpr detail::LineFormat e0_line = detail::line_format("E0 time:\t %lli");
    static constexpr detail::LineFormat e3_line = detail::line_format("E3 time:\t %lli");
    static constexpr detail::LineFormat e6_line = detail::line_format("E6 time:\t %lli");
    static constexpr detail::LineFormat unix_line = detail::line_format("Unix time:\t %lli");
    static constexpr detail::LineFormat file_line = detail::line_format("FILE time:\t %lli");
    detail::print_with_text_column(out, era_day_line, result.era_day, weekday_name(result.weekday));
    out.text("\n");
    detail::print_with_hex_column(out, e0_line, result.e0);
    detail::print_with_hex_column(out, e3_line, result.e3);
    detail::print_with_hex_column(out, e6_line, result.e6);
    // The count stands right-aligned under the last digit of the E0 value.
    out.text("Leap Seconds:\t ");
    const std::uint64_t e0_magnitude = result.e0 < 0 ? 0 - static_cast<std::uint64_t>(result.e0) : static_cast<std::uint64_t>(result.e0);
    out.decimal(result.leap_seconds, TextBuilder::digit_count(e0_magnitude) + (result.e0 < 0 ? 1 : 0), false);
    out.text("\n\n");
    detail::print_with_hex_column(out, unix_line, result.unix_time);
    detail::print_with_hex_column(out, file_line, result.file_time);
    out.text("\n");
    sink(out.view());
}

// The argument texts go out as they are, whatever their length.
void write_nonexistent(const CommandResult& result, TextSink sink, std::string_view what) noexcept {
    sink("\n\t");
    sink(result.first_argument);
    sink(" ");
    sink(result.has_second_argument ? result.second_argument : std::string_view{"00:00:00"});
    sink(what);
}

// A value of a format that has no moment: the value, then why, naming the
// format.
void write_value_message(const CommandResult& result, TextSink sink) noexcept {
    sink("\n\t");
    sink(result.first_argument);
    switch (result.outcome) {
        case CommandOutcome::too_big: sink(" - beyond the range of "); break;
        case CommandOutcome::nonexistent_date: sink(" - non-existent date in "); break;
        case CommandOutcome::nonexistent_time: sink(" - non-existent time in "); break;
        default: sink(" - not a value of "); break;
    }
    sink(format_info(result.format).name);
    if (result.format_bytes != ByteOrder::none) sink(result.format_bytes == ByteOrder::little_endian ? ":le" : ":be");
    sink("\n");
}

}  // namespace

void write_usage(TextSink out) noexcept { out(detail::usage_text); }

void write_help(TextSink out) noexcept {
    out(detail::usage_text);
    out(detail::help_text);
}

void write_version(TextSink out) noexcept {
    out("morvek ");
    out(version);
    out("\n");
}

void write_command_output(const CommandResult& result, TextSink out) noexcept {
    if (result.from_format && result.outcome != CommandOutcome::report) return write_value_message(result, out);
    switch (result.outcome) {
        case CommandOutcome::report:
            return write_report(result, out);
        case CommandOutcome::usage:
            return write_usage(out);
        case CommandOutcome::too_big:
            return out("\nToo big number..\n");
        case CommandOutcome::era_day_zero:
            return out("\n\tEra Day:  0 - non-existent date. \n\tUse:\t  1 - for CE  day 1\n\t\t -1 - for BCE day 1\n");
        case CommandOutcome::nonexistent_date:
            return write_nonexistent(result, out, " - non-existent date\n");
        case CommandOutcome::nonexistent_time:
            return write_nonexistent(result, out, " - non-existent time\n");
        case CommandOutcome::no_column:
            out("\n\tno column ");
            out(result.first_argument);
            return out(" in this row\n");
        case CommandOutcome::too_long:
        case CommandOutcome::bad_value:
            return;  // the stream mode's own; the program prints nothing for them
    }
}

}  // namespace morvek
