#include "stream/batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "formats/value_text.h"
#include "stream/batch_records.h"

namespace morvek::stream {

namespace {

constexpr std::size_t read_block = 256 * 1024;
constexpr std::size_t write_block = 256 * 1024;
constexpr std::size_t report_capacity = 3 * max_line_bytes;  // a message quotes two words of a line

struct BuilderSink {
    detail::TextBuilder* out;
    static void write(void* target, const char* data, std::size_t size) {
        static_cast<BuilderSink*>(target)->out->text({data, size});
    }
};

// ---- the process's files ------------------------------------------------------

bool write_whole(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool write_to_fd(void* target, const char* data, std::size_t size) {
    return write_whole(*static_cast<int*>(target), data, size);
}

void write_to_stderr(void*, const char* data, std::size_t size) { (void)write_whole(STDERR_FILENO, data, size); }

void complain(std::initializer_list<std::string_view> parts) {
    write_to_stderr(nullptr, "morvek: ", 8);
    for (const std::string_view part : parts) write_to_stderr(nullptr, part.data(), part.size());
    write_to_stderr(nullptr, "\n", 1);
}

// Reads one input to its end, or to a read that fails: 0, or that errno.
// Either way the input ends here, so that a line it began is not glued to
// the next input's first line.
int convert_file(BatchConverter& converter, int fd, char* buffer) {
    int error = 0;
    while (true) {
        const ssize_t got = ::read(fd, buffer, read_block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = errno;
        if (got <= 0) break;
        converter.feed({buffer, static_cast<std::size_t>(got)});
    }
    converter.finish_input();
    return error;
}

}  // namespace

BatchConverter::BatchConverter(const BatchOptions& options, UtcClock clock, RecordOutput& out, TextSink notices)
    : options_(options),
      clock_(clock),
      out_(out),
      notices_(notices),
      record_capacity_(options.format == BatchFormat::report ? report_capacity : record_capacity(options)) {}

void BatchConverter::write_header() {
    detail::TextBuilder record = out_.begin_record(record_capacity_);
    stream::write_header(record, options_);
    out_.end_record(record);
}

void BatchConverter::feed(std::string_view bytes) {
    splitter_.feed(bytes, [this](std::string_view line, bool too_long) { convert_line(line, too_long); });
}

void BatchConverter::finish_input() {
    splitter_.finish([this](std::string_view line, bool too_long) { convert_line(line, too_long); });
}

void BatchConverter::convert_line(std::string_view line, bool too_long) {
    Record record;
    record.line = ++totals_.lines;
    if (too_long) {
        record.result.outcome = CommandOutcome::too_long;
    } else {
        record.input = line;
        record.result = options_.from_format
                            ? convert_value(*options_.from_format, detail::trimmed(line), options_.settings)
                            : run_line(line, options_.from_switch, clock_, options_.settings);
    }
    if (record.result.outcome != CommandOutcome::report) {
        ++totals_.failed;
        if (totals_.first_failed == 0) totals_.first_failed = record.line;
    }

    if (options_.format != BatchFormat::report) {
        detail::TextBuilder out = out_.begin_record(record_capacity_);
        write_record(out, options_, record);
        return out_.end_record(out);
    }
    if (too_long) {
        // The report format holds only what the program prints; this line
        // has nothing the program could have been given.
        const ReportText number = report_decimal_text(static_cast<std::int64_t>(record.line));
        const std::string_view parts[] = {"morvek: line ", number.view(), " is longer than 4096 bytes, not converted\n"};
        for (const std::string_view part : parts) notices_.write(notices_.target, part.data(), part.size());
        return;
    }
    detail::TextBuilder out = out_.begin_record(record_capacity_);
    BuilderSink sink{&out};
    write_command_output(record.result, {BuilderSink::write, &sink});
    out_.end_record(out);
}

int run_batch(std::span<const char* const> arguments, UtcClock clock) {
    for (const char* argument : arguments) {
        const std::string_view word = argument != nullptr ? argument : "";
        if (word == "--") break;
        if (word == "--help") {
            std::string help;
            write_help(string_sink(help));
            return write_whole(STDOUT_FILENO, help.data(), help.size()) ? 0 : 2;
        }
    }
    std::vector<const char*> file_storage(arguments.size());
    const BatchOptionsRead read = batch_options_from_arguments(arguments, file_storage);
    if (!read.problem.empty()) {
        complain({"--batch: ", read.problem, ": ", read.subject});
        complain({"usage: morvek --batch [--format=report|tsv|csv|jsonl] [--header] [--fields=NAME,...] "
                  "[--from=SWITCH] [FILE...]"});
        return 2;
    }
    const BatchOptions& options = read.options;

    int standard_output = STDOUT_FILENO;
    const bool watched = ::isatty(STDOUT_FILENO) == 1;
    RecordOutput out({write_to_fd, &standard_output}, std::max(write_block, 2 * record_capacity(options)), watched);
    BatchConverter converter(options, clock, out, {write_to_stderr, nullptr});
    if (options.header) converter.write_header();

    const std::unique_ptr<char[]> buffer(new char[read_block]);
    bool unreadable = false;
    const auto convert_named = [&](const char* name) {
        const std::string_view path = name;
        if (path == "-") {
            if (const int error = convert_file(converter, STDIN_FILENO, buffer.get())) {
                complain({"cannot read standard input: ", std::strerror(error)});
                unreadable = true;
            }
            return;
        }
        const int fd = ::open(name, O_RDONLY | O_CLOEXEC);
        const int error = fd < 0 ? errno : convert_file(converter, fd, buffer.get());
        if (error != 0) {
            complain({"cannot read ", path, ": ", std::strerror(error)});
            unreadable = true;
        }
        if (fd >= 0) ::close(fd);
    };
    if (options.files.empty()) {
        convert_named("-");
    } else {
        for (const char* name : options.files) convert_named(name);
    }
    out.flush();

    const BatchTotals& totals = converter.totals();
    if (totals.failed > 0) {
        const ReportText failed = report_decimal_text(static_cast<std::int64_t>(totals.failed));
        const ReportText lines = report_decimal_text(static_cast<std::int64_t>(totals.lines));
        const ReportText first = report_decimal_text(static_cast<std::int64_t>(totals.first_failed));
        complain({failed.view(), " of ", lines.view(), lines.view() == "1" ? " line" : " lines",
                  " not converted; the first is line ", first.view()});
    }
    if (out.failed()) {
        complain({"cannot write standard output: ", std::strerror(out.error_number())});
        return 2;
    }
    if (unreadable) return 2;
    return totals.failed > 0 ? 1 : 0;
}

}  // namespace morvek::stream
