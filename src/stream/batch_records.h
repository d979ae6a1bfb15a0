#pragma once
// One record per input line, in the stream mode's formats.

#include <cstdint>
#include <string_view>

#include "morvek/record.h"
#include "stream/batch_options.h"
#include "text/text_builder.h"

namespace morvek::stream {

// The most a record of these fields can take, with every escape at its
// widest; a line of 4096 bytes quoted in a message twice is the bulk.
std::size_t record_capacity(const BatchOptions& options);

// write_header: the field names, for tsv and csv.
void write_header(detail::TextBuilder& out, const BatchOptions& options);

// write_record: one line's record.
//
//   Writes:   tsv: the fields separated by tabs, a field without a value
//             empty, "\\", tab, LF, CR and NUL in a text escaped as "\\\\",
//             "\\t", "\\n", "\\r", "\\0"; csv: separated by commas, a field
//             with a comma, quote, CR or LF quoted with its quotes doubled;
//             jsonl: one object of the fields that have a value, control
//             characters escaped, bytes that are not UTF-8 as U+FFFD; list:
//             "name  value" for each field that has a value, one a line,
//             the values aligned, texts escaped as in tsv, and a blank line
//             before every record but the first. Each record ends with "\n".
//   Example:  tsv, fields line,status,date for "31.02.2000" -> "1\tnonexistent-date\t\n"
void write_record(detail::TextBuilder& out, const BatchOptions& options, const Record& record);

}  // namespace morvek::stream
