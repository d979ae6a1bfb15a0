#pragma once
// The stream mode: each line of the input is one command line (or value),
// or each row of a CSV or TSV input holds one in a column, converted into
// one record.

#include <cstdint>
#include <span>
#include <string_view>

#include "morvek/command.h"
#include "morvek/command_text.h"
#include "stream/batch_lines.h"
#include "stream/batch_options.h"
#include "stream/batch_output.h"
#include "stream/rows.h"

namespace morvek::stream {

struct BatchTotals {
    std::uint64_t lines = 0;         // lines, or data rows
    std::uint64_t failed = 0;        // those whose status is not ok
    std::uint64_t first_failed = 0;  // the number of the first of them, 0 for none
};

// BatchConverter: lines (or rows) in, records out.
//
//   Given:    the options, the clock (read once per /C line), where records
//             go, and where notices go (a too-long line in the report format,
//             which has no record for it)
//   Writes:   for each line, in order, its record: in the report format what
//             the program prints for the line's words; for each row the row
//             as it was (CSV fields quoted only where needed) and the record's
//             fields in the same dialect, the header row (when the input has
//             one) with the field names appended
class BatchConverter {
public:
    BatchConverter(const BatchOptions& options, UtcClock clock, RecordOutput& out, TextSink notices);

    // The field names, for a tsv or csv record of lines.
    void write_header();
    // Rows: the first row to come is the header (--column=NAME or --header).
    void expect_header_row() { header_pending_ = true; }
    bool header_taken() const { return !header_pending_; }
    // Rows: the column to convert, 0-based, once known.
    void convert_column(std::size_t index) { column_index_ = index; }
    std::size_t column() const { return column_index_; }
    // The number the next line or row gets, less one.
    void continue_after(std::uint64_t lines) { totals_.lines = lines; }

    void feed(std::string_view bytes);
    void finish_input();
    // A line or row too long to be kept, found outside the converter.
    void too_long();

    const BatchTotals& totals() const { return totals_; }
    // Not empty when the input cannot be read as asked (no such column in
    // the header); nothing more is converted.
    std::string_view problem() const { return problem_; }

private:
    void convert_line(std::string_view line, bool too_long);
    void convert_row(std::string_view row, bool too_long);
    // The result of one line or column value, as --from asks.
    CommandResult result_of(std::string_view text) const;
    void take_header_row(std::string_view row);
    void count(const Record& record);
    // The row as it was, in its dialect, and the separator before the fields.
    void write_row_fields(detail::TextBuilder& out, std::string_view row);

    const BatchOptions& options_;
    UtcClock clock_;
    RecordOutput& out_;
    TextSink notices_;
    std::size_t record_capacity_;
    LineSplitter lines_;
    RowSplitter rows_;
    RowFields fields_;
    bool header_pending_ = false;
    std::size_t column_index_ = 0;
    ReportText column_label_;
    std::string_view problem_;
    BatchTotals totals_;
};

// run_batch: the whole stream mode, on the process's files.
//
//   Given:    the arguments after "--batch"
//   Writes:   the records to standard output, problems to standard error
//   Returns:  0 when every line is ok; 1 when some line is not; 2 when the
//             options are wrong, an input cannot be read or the output cannot
//             be written
int run_batch(std::span<const char* const> arguments, UtcClock clock);

}  // namespace morvek::stream
