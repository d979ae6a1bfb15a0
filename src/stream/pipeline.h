#pragma once
// The stream mode's conversion of its inputs, in order on one thread, or on
// several threads with the same bytes out.

#include <functional>
#include <string_view>

#include <unistd.h>

#include "morvek/command.h"
#include "stream/batch.h"
#include "stream/inputs.h"

namespace morvek::stream {

struct RunTotals {
    BatchTotals converted;
    std::string_view problem;  // the input cannot be read as asked (no such column)
    bool unreadable = false;   // an input could not be read (each told on standard error)
    int write_error = 0;       // errno of a failed write of standard output
};

// The output buffer's size: full blocks are written, and a record of the
// options always fits after a flush.
std::size_t batch_output_capacity(const BatchOptions& options);

// Where the inputs come from: read_inputs on the files of the options, or
// (for the tests) pieces of bytes given one by one.
using InputFeed = std::function<void(InputReader&)>;

// Where the records and the notices go.
struct StreamFiles {
    int records = STDOUT_FILENO;
    int notices = STDERR_FILENO;
};

// convert_in_order: every input, line after line, on this thread; each
// record written at once when a person watches the output.
RunTotals convert_in_order(const BatchOptions& options, UtcClock clock, bool watched, const InputFeed& inputs,
                           StreamFiles files = {});

// convert_on_threads: the same bytes, records, notices and totals, with the
// lines (rows) converted on `jobs` threads. This thread reads the inputs and
// cuts them into chunks of whole lines, a fixed number of them under way at
// once, and writes each chunk's records when every chunk before it is out.
RunTotals convert_on_threads(const BatchOptions& options, UtcClock clock, unsigned jobs, const InputFeed& inputs,
                             StreamFiles files = {});

}  // namespace morvek::stream
