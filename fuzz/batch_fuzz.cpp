// Feeds arbitrary bytes to the stream mode and stops at the first record
// that does not read back, a record count that is not the line count, or a
// report-format output that is not what the command (or, for a named
// format, the conversion of the value) prints line by line.
//
// Input format (also that of the seed corpus): the first byte chooses the
// format (low two bits; bit 7 the list format), a --from switch (next three
// bits), the header (bit 5), and a named format instead of the switch (bit
// 6); then, for a named format only, one byte chooses it: its row of the
// table (the byte modulo 24) and, for the integers, its bytes (the byte / 24
// modulo 3: as written, :le, :be). The next byte tells where to cut the rest
// into two feeds; the rest is the stream.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/value_text.h"
#include "morvek/command_text.h"
#include "morvek/formats.h"
#include "morvek/record.h"
#include "stream/batch_test_support.h"
#include "stream/record_readers.h"

namespace {

constexpr std::string_view formats[] = {"--format=report", "--format=tsv", "--format=csv", "--format=jsonl"};
constexpr std::string_view list_format = "--format=list";
constexpr std::string_view froms[] = {"", "--from=/U", "--from=/F", "--from=/E3", "--from=/E6", "--from=/D",
                                      "--from=/J", "--from=/G"};

struct LineSeen {
    std::string text;
    bool too_long;
};

// The lines as the stream mode is documented to cut them.
std::vector<LineSeen> lines_of(std::string_view stream) {
    std::vector<LineSeen> lines;
    while (!stream.empty()) {
        const std::size_t end = stream.find('\n');
        std::string_view line = stream.substr(0, end);
        stream.remove_prefix(end == std::string_view::npos ? stream.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back({std::string(line.size() > 4096 ? std::string_view{} : line), line.size() > 4096});
    }
    return lines;
}

std::string one_moment_output(const std::string& line, std::string_view from) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i == line.size()) break;
        const std::size_t begin = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        words.emplace_back(line.data() + begin, i - begin);
    }
    if (!words.empty() && !from.empty()) words.push_back(from.substr(7));
    if (words.size() > 4) words.resize(4);
    std::string output;
    morvek::write_command_output(morvek::run_command(words, morvek::stream_testing::fixed_clock),
                                 morvek::string_sink(output));
    return output;
}

// The report format's output for a line read as one value of a format.
std::string value_output(const std::string& line, morvek::FormatSpec named_format) {
    std::string output;
    morvek::write_command_output(morvek::convert_value(named_format, morvek::detail::trimmed(line)), morvek::string_sink(output));
    return output;
}

// A list record: "name  value" lines, every value at the column after the
// longest name and two blanks, the status first.
void check_list(std::string_view output, const std::vector<LineSeen>& lines) {
    std::size_t width = 0;
    for (const morvek::Field field : morvek::list_fields(false)) width = std::max(width, morvek::field_name(field).size());
    std::size_t records = 0;
    bool record_start = true;
    while (!output.empty()) {
        const std::size_t end = output.find('\n');
        if (end == std::string_view::npos) __builtin_trap();
        const std::string_view line = output.substr(0, end);
        output.remove_prefix(end + 1);
        if (line.empty()) {  // between two records
            if (record_start) __builtin_trap();
            record_start = true;
            continue;
        }
        const std::string_view name = line.substr(0, line.find(' '));
        if (!morvek::field_from_name(name) || line.size() <= width + 2 || line[width + 2] == ' ') __builtin_trap();
        if (line.substr(name.size(), width + 2 - name.size()).find_first_not_of(' ') != std::string_view::npos) __builtin_trap();
        if (record_start != (name == "status")) __builtin_trap();
        if (record_start) ++records;
        record_start = false;
    }
    if (records != lines.size()) __builtin_trap();
}

// The fields of a value read in a named format: the value written back in
// that format reads again as itself; a value without a moment says why,
// naming the format.
void check_named_fields(const morvek::records::Row& row, morvek::FormatSpec named_format) {
    // line, input, status, date, the format's own field, message
    if (row.size() != 6) __builtin_trap();
    const morvek::Format format = named_format.format;
    const std::string_view byte_order = named_format.bytes == morvek::ByteOrder::none ? ""
                                      : named_format.bytes == morvek::ByteOrder::little_endian ? ":le" : ":be";
    const std::string name = std::string(morvek::format_info(format).name) + std::string(byte_order);
    if (row[2] != "ok") {
        const bool names_format = row[5].size() > name.size() && row[5].ends_with(name) && row[5][row[5].size() - name.size() - 1] == ' ';
        if (row[2] != "too-long" && !names_format) __builtin_trap();
        if (!row[3].empty() || !row[4].empty()) __builtin_trap();
        return;
    }
    if (row[3].empty()) __builtin_trap();
    if (row[4].empty()) return;  // the RD fields are the report's RD line, which a value has not
    const auto again = morvek::moment_from_text({format, morvek::ByteOrder::none}, row[4]);
    if (!again) __builtin_trap();
    const auto written = morvek::text_from_moment(format, *again);
    if (!written || written->view() != row[4]) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t choice = data[0];
    const std::string_view format = (choice & 0x80) != 0 ? list_format : formats[choice & 3];
    const bool named = (choice & 0x40) != 0;
    std::string from(named ? std::string_view{} : froms[(choice >> 2) & 7]);
    std::optional<morvek::FormatSpec> named_format;
    std::size_t skipped = 1;
    if (named) {
        const morvek::FormatInfo& row = morvek::format_table[data[1] % morvek::format_table.size()];
        const int order = row.byte_count == 0 ? 0 : data[1] / morvek::format_table.size() % 3;
        from = "--from=" + std::string(row.name) + (order == 1 ? ":le" : order == 2 ? ":be" : "");
        named_format = morvek::format_spec_from_name(std::string_view{from}.substr(7));
        if (!named_format) __builtin_trap();
        skipped = 2;
        if (size < 3) return 0;
    }
    const bool header = (choice & 0x20) != 0 && (format == "--format=tsv" || format == "--format=csv");
    const std::uint8_t cut_byte = data[skipped];
    const std::string_view stream(reinterpret_cast<const char*>(data + skipped + 1), size - skipped - 1);
    const std::size_t cut = stream.empty() ? 0 : cut_byte % (stream.size() + 1);

    std::vector<std::string> options = {std::string(format)};
    if (!from.empty()) options.push_back(from);
    if (header) options.emplace_back("--header");
    // A named format's records: its own field (every format is one) beside the date.
    const bool chosen_fields = named_format && format != "--format=report" && format != list_format;
    if (chosen_fields) {
        options.push_back("--fields=line,input,status,date," + std::string(morvek::format_info(named_format->format).name) + ",message");
    }
    const auto converted =
        morvek::stream_testing::convert(options, {stream.substr(0, cut), stream.substr(cut)}, cut_byte);
    // Two inputs: a line cut in two is two lines, each the last of its input.
    std::vector<LineSeen> lines = lines_of(stream.substr(0, cut));
    for (LineSeen& line : lines_of(stream.substr(cut))) lines.push_back(std::move(line));
    if (converted.totals.lines != lines.size()) __builtin_trap();

    if (format == "--format=report") {
        std::string expected;
        for (const LineSeen& line : lines) {
            if (!line.too_long) expected += named_format ? value_output(line.text, *named_format) : one_moment_output(line.text, from);
        }
        if (converted.output != expected) __builtin_trap();
        return 0;
    }
    if (format == list_format) {
        check_list(converted.output, lines);
        return 0;
    }
    const std::size_t columns = chosen_fields ? 6 : 18;
    std::size_t records = 0;
    if (format == "--format=jsonl") {
        std::string_view output = converted.output;
        while (!output.empty()) {
            const std::size_t end = output.find('\n');
            if (end == std::string_view::npos) __builtin_trap();
            const auto object = morvek::records::JsonLine(output.substr(0, end)).object();
            if (!object || object->at("line") != std::to_string(records + 1)) __builtin_trap();
            if (!lines[records].too_long && !object->count("input")) __builtin_trap();
            output.remove_prefix(end + 1);
            ++records;
        }
    } else {
        const auto rows = format == "--format=tsv" ? morvek::records::read_tsv(converted.output)
                                                   : morvek::records::read_csv(converted.output);
        for (const auto& row : rows) {
            if (row.size() != columns) __builtin_trap();
        }
        records = rows.size() - (header ? 1 : 0);
        for (std::size_t i = 0; i < records; ++i) {
            const auto& row = rows[i + (header ? 1 : 0)];
            if (row[0] != std::to_string(i + 1)) __builtin_trap();
            // The input comes back exactly, whatever its bytes.
            if (!lines[i].too_long && row[1] != lines[i].text) __builtin_trap();
            if (named_format) check_named_fields(row, *named_format);
        }
    }
    if (records != lines.size()) __builtin_trap();
    return 0;
}
