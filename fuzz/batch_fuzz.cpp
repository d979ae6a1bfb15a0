// Feeds arbitrary bytes to the stream mode and stops at the first record
// that does not read back, a record count that is not the line count, or a
// report-format output that is not what the command prints line by line.
//
// Input format (also that of the seed corpus): the first byte chooses the
// format (low two bits), a --from switch (next three bits) and the header
// (bit 5); the second byte, where to cut the rest into two feeds; the rest
// is the stream.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "morvek/command_text.h"
#include "stream/batch_test_support.h"
#include "stream/record_readers.h"

namespace {

constexpr std::string_view formats[] = {"--format=report", "--format=tsv", "--format=csv", "--format=jsonl"};
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t choice = data[0];
    const std::string_view format = formats[choice & 3];
    const std::string_view from = froms[(choice >> 2) & 7];
    const bool header = (choice & 0x20) != 0 && (format == "--format=tsv" || format == "--format=csv");
    const std::string_view stream(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t cut = stream.empty() ? 0 : data[1] % (stream.size() + 1);

    std::vector<std::string> options = {std::string(format)};
    if (!from.empty()) options.emplace_back(from);
    if (header) options.emplace_back("--header");
    const auto converted =
        morvek::stream_testing::convert(options, {stream.substr(0, cut), stream.substr(cut)}, data[1]);
    // Two inputs: a line cut in two is two lines, each the last of its input.
    std::vector<LineSeen> lines = lines_of(stream.substr(0, cut));
    for (LineSeen& line : lines_of(stream.substr(cut))) lines.push_back(std::move(line));
    if (converted.totals.lines != lines.size()) __builtin_trap();

    if (format == "--format=report") {
        std::string expected;
        for (const LineSeen& line : lines) {
            if (!line.too_long) expected += one_moment_output(line.text, from);
        }
        if (converted.output != expected) __builtin_trap();
        return 0;
    }
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
            if (row.size() != 18) __builtin_trap();
        }
        records = rows.size() - (header ? 1 : 0);
        for (std::size_t i = 0; i < records; ++i) {
            const auto& row = rows[i + (header ? 1 : 0)];
            if (row[0] != std::to_string(i + 1)) __builtin_trap();
            // The input comes back exactly, whatever its bytes.
            if (!lines[i].too_long && row[1] != lines[i].text) __builtin_trap();
        }
    }
    if (records != lines.size()) __builtin_trap();
    return 0;
}
