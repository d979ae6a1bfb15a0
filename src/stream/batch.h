#pragma once
// The stream mode: each line of the input is one command line, converted
// into one record.

#include <cstdint>
#include <span>
#include <string_view>

#include "stream/batch_lines.h"
#include "stream/batch_options.h"
#include "stream/batch_output.h"
#include "morvek/command.h"
#include "morvek/command_text.h"

namespace morvek::stream {

struct BatchTotals {
    std::uint64_t lines = 0;
    std::uint64_t failed = 0;        // lines whose status is not ok
    std::uint64_t first_failed = 0;  // the number of the first of them, 0 for none
};

// BatchConverter: lines in, records out.
//
//   Given:    the options, the clock (read once per /C line), where records
//             go, and where notices go (a too-long line in the report format,
//             which has no record for it)
//   Writes:   for each line, in order, its record: in the report format what
//             the program prints for the line's words
class BatchConverter {
public:
    BatchConverter(const BatchOptions& options, UtcClock clock, RecordOutput& out, TextSink notices);

    void write_header();
    void feed(std::string_view bytes);
    void finish_input();
    const BatchTotals& totals() const { return totals_; }

private:
    void convert_line(std::string_view line, bool too_long);

    const BatchOptions& options_;
    UtcClock clock_;
    RecordOutput& out_;
    TextSink notices_;
    std::size_t record_capacity_;
    LineSplitter splitter_;
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
