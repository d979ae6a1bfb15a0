#include "stream/batch.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "formats/value_text.h"
#include "stream/batch_records.h"
#include "stream/inputs.h"
#include "stream/pipeline.h"

namespace morvek::stream {

namespace {

constexpr std::size_t write_block = 256 * 1024;
constexpr std::size_t report_capacity = 3 * max_line_bytes;  // a message quotes two words of a line
// A CSV row written back: every field quoted, every quote doubled.
constexpr std::size_t row_capacity = 2 * max_row_bytes + 2;

struct BuilderSink {
    detail::TextBuilder* out;
    static void write(void* target, const char* data, std::size_t size) {
        static_cast<BuilderSink*>(target)->out->text({data, size});
    }
};

void csv_field(detail::TextBuilder& out, std::string_view text) {
    bool quoted = false;
    for (const char c : text) quoted = quoted || c == ',' || c == '"' || c == '\r' || c == '\n';
    if (!quoted) return out.text(text);
    out.character('"');
    for (const char c : text) {
        if (c == '"') out.character('"');
        out.character(c);
    }
    out.character('"');
}

// The result of a line or row that was not converted, quoting what it lacks.
CommandResult unconverted(CommandOutcome outcome, std::string_view quoted = {}) {
    CommandResult result;
    result.outcome = outcome;
    result.first_argument = quoted;
    return result;
}

}  // namespace

BatchConverter::BatchConverter(const BatchOptions& options, UtcClock clock, RecordOutput& out, TextSink notices)
    : options_(options),
      clock_(clock),
      out_(out),
      notices_(notices),
      record_capacity_(options.format == BatchFormat::report ? report_capacity : record_capacity(options)),
      rows_(options.input == InputKind::tsv ? Dialect::tsv : Dialect::csv) {
    if (options.input != InputKind::lines) {
        record_capacity_ += row_capacity;
        column_index_ = options.column > 0 ? options.column - 1 : 0;
        column_label_ = report_decimal_text(static_cast<std::int64_t>(options.column));
    }
}

std::size_t batch_output_capacity(const BatchOptions& options) {
    const std::size_t record = options.format == BatchFormat::report ? report_capacity : record_capacity(options);
    return std::max(write_block, 2 * (record + (options.input != InputKind::lines ? row_capacity : 0)));
}

void BatchConverter::write_header() {
    detail::TextBuilder record = out_.begin_record(record_capacity_);
    stream::write_header(record, options_);
    out_.end_record(record);
}

void BatchConverter::feed(std::string_view bytes) {
    if (!problem_.empty()) return;
    if (options_.input == InputKind::lines) {
        return lines_.feed(bytes, [this](std::string_view line, bool too_long) { convert_line(line, too_long); });
    }
    rows_.feed(bytes, [this](std::string_view row, bool too_long) { convert_row(row, too_long); });
}

void BatchConverter::finish_input() {
    if (options_.input == InputKind::lines) {
        return lines_.finish([this](std::string_view line, bool too_long) { convert_line(line, too_long); });
    }
    rows_.finish([this](std::string_view row, bool too_long) { convert_row(row, too_long); });
}

void BatchConverter::too_long() {
    if (options_.input == InputKind::lines) return convert_line({}, true);
    convert_row({}, true);
}

void BatchConverter::count(const Record& record) {
    if (record.result.outcome == CommandOutcome::report) return;
    ++totals_.failed;
    if (totals_.first_failed == 0) totals_.first_failed = record.line;
}

CommandResult BatchConverter::result_of(std::string_view text) const {
    return options_.from_format ? convert_value(*options_.from_format, detail::trimmed(text), options_.settings)
                                : run_line(text, options_.from_switch, clock_, options_.settings);
}

// A record is built where it stays, its result in place: a stream makes one per line.
void BatchConverter::convert_line(std::string_view line, bool too_long) {
    const Record record{++totals_.lines, too_long ? std::string_view{} : line,
                        too_long ? unconverted(CommandOutcome::too_long) : result_of(line)};
    count(record);

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
        for (const std::string_view part : parts) notices_(part);
        return;
    }
    detail::TextBuilder out = out_.begin_record(record_capacity_);
    BuilderSink sink{&out};
    write_command_output(record.result, {BuilderSink::write, &sink});
    out_.end_record(out);
}

void BatchConverter::write_row_fields(detail::TextBuilder& out, std::string_view row) {
    if (options_.input == InputKind::tsv) {
        out.text(row);
    } else {
        for (std::size_t i = 0; i < fields_.count(); ++i) {
            if (i > 0) out.character(',');
            csv_field(out, fields_[i]);
        }
    }
    out.character(options_.input == InputKind::tsv ? '\t' : ',');
}

void BatchConverter::take_header_row(std::string_view row) {
    header_pending_ = false;
    fields_.split(row, options_.input == InputKind::tsv ? Dialect::tsv : Dialect::csv);
    if (!options_.column_name.empty()) {
        std::size_t index = 0;
        while (index < fields_.count() && fields_[index] != options_.column_name) ++index;
        if (index == fields_.count()) {
            problem_ = "the header row has no such column";
            return;
        }
        column_index_ = index;
    }
    detail::TextBuilder out = out_.begin_record(record_capacity_);
    write_row_fields(out, row);
    // The record's names follow, the line end with them.
    stream::write_header(out, options_);
    out_.end_record(out);
}

void BatchConverter::convert_row(std::string_view row, bool too_long) {
    if (!problem_.empty()) return;
    if (header_pending_ && !too_long) return take_header_row(row);
    header_pending_ = false;
    fields_.split(too_long ? std::string_view{} : row,
                  too_long || options_.input == InputKind::tsv ? Dialect::tsv : Dialect::csv);
    const bool has_column = !too_long && column_index_ < fields_.count();
    const std::string_view input = has_column ? fields_[column_index_] : std::string_view{};
    const std::string_view column_name = options_.column_name.empty() ? column_label_.view() : options_.column_name;
    const Record record{++totals_.lines, input,
                        has_column ? result_of(input)
                        : too_long ? unconverted(CommandOutcome::too_long)
                                   : unconverted(CommandOutcome::no_column, column_name)};
    count(record);
    detail::TextBuilder out = out_.begin_record(record_capacity_);
    write_row_fields(out, too_long ? std::string_view{} : row);
    write_record(out, options_, record);
    out_.end_record(out);
}

int run_batch(std::span<const char* const> arguments, UtcClock clock) {
    for (const char* argument : arguments) {
        const std::string_view word = argument != nullptr ? argument : "";
        if (word == "--") break;
        if (word == "--help") {
            std::string help;
            write_help(string_sink(help));
            return write_whole(STDOUT_FILENO, help) ? 0 : 2;
        }
    }
    std::vector<const char*> file_storage(arguments.size());
    const BatchOptionsRead read = batch_options_from_arguments(arguments, file_storage);
    if (!read.problem.empty()) {
        complain({"--batch: ", read.problem, ": ", read.subject});
        complain({"usage: morvek --batch [--format=report|tsv|csv|jsonl|list] [--header] [--fields=[NAME=]FIELD,...] "
                  "[--from=SWITCH|FORMAT] [--input=csv|tsv --column=N|NAME] [--jobs=N] [FILE...]"});
        return 2;
    }
    const BatchOptions& options = read.options;
    // A person watching sees each line as it comes: one thread, line by line.
    const bool watched = ::isatty(STDOUT_FILENO) == 1;
    const unsigned jobs = watched ? 1 : options.jobs > 0 ? options.jobs : usable_cpu_count();
    const InputFeed files = [&](InputReader& reader) { read_inputs(options, reader); };
    const RunTotals totals =
        jobs > 1 ? convert_on_threads(options, clock, jobs, files) : convert_in_order(options, clock, watched, files);
    if (totals.converted.failed > 0) {
        const ReportText failed = report_decimal_text(static_cast<std::int64_t>(totals.converted.failed));
        const ReportText lines = report_decimal_text(static_cast<std::int64_t>(totals.converted.lines));
        const ReportText first = report_decimal_text(static_cast<std::int64_t>(totals.converted.first_failed));
        complain({failed.view(), " of ", lines.view(), lines.view() == "1" ? " line" : " lines",
                  " not converted; the first is line ", first.view()});
    }
    if (!totals.problem.empty()) complain({"--batch: ", totals.problem, ": ", options.column_name});
    if (totals.write_error != 0) {
        complain({"cannot write standard output: ", std::strerror(totals.write_error)});
        return 2;
    }
    if (totals.unreadable || !totals.problem.empty()) return 2;
    return totals.converted.failed > 0 ? 1 : 0;
}

}  // namespace morvek::stream
