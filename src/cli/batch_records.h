#pragma once
// One record per input line, in the stream mode's formats.

#include <cstdint>
#include <string_view>

#include "cli/batch_options.h"
#include "cli/text_builder.h"
#include "morvek/command.h"

namespace morvek {

// A line's outcome: a command result, or a line too long to be read.
enum class LineStatus : std::uint8_t { ok, usage, nonexistent_date, nonexistent_time, too_big, era_day_zero, too_long };

inline constexpr std::string_view line_status_names[] = {
    "ok", "usage", "nonexistent-date", "nonexistent-time", "too-big", "era-day-zero", "too-long",
};

LineStatus line_status_from(CommandOutcome outcome);

struct LineRecord {
    std::uint64_t line = 0;       // 1-based, across all inputs
    std::string_view input;       // the line without its line end; empty when too long
    LineStatus status = LineStatus::ok;
    const CommandResult* result = nullptr;  // null when too long
};

// The most a record of these fields can take, with every escape at its
// widest; a line of 4096 bytes quoted in a message twice is the bulk.
std::size_t record_capacity(const BatchOptions& options);

// write_header: the field names, for tsv and csv.
void write_header(TextBuilder& out, const BatchOptions& options);

// write_record: one line's record.
//
//   Writes:   tsv: the fields separated by tabs, a field without a value
//             empty, "\\", tab, LF, CR and NUL in a text escaped as "\\\\",
//             "\\t", "\\n", "\\r", "\\0"; csv: separated by commas, a field
//             with a comma, quote, CR or LF quoted with its quotes doubled;
//             jsonl: one object of the fields that have a value, control
//             characters escaped, bytes that are not UTF-8 as U+FFFD. Each
//             record ends with "\n".
//   Example:  tsv, fields line,status,date for "31.02.2000" -> "1\tnonexistent-date\t\n"
void write_record(TextBuilder& out, const BatchOptions& options, const LineRecord& record);

}  // namespace morvek
