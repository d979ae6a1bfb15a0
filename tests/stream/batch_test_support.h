#pragma once
// Runs the stream mode in-process on a text, fed in pieces of random sizes
// so that lines cross the blocks at every place.

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <cstdio>

#include "command/command_runner.h"
#include "morvek/text.h"
#include "stream/batch.h"
#include "stream/pipeline.h"

namespace morvek::stream_testing {

using namespace morvek::stream;
using command_testing::fixed_clock;

struct Converted {
    std::string output;  // or why the options were refused
    std::string notices;
    BatchTotals totals;
};

// The options read from their texts; the texts must outlive them.
struct ReadOptions {
    std::vector<const char*> arguments;
    std::vector<const char*> files;
    BatchOptionsRead read;
    explicit ReadOptions(const std::vector<std::string>& option_texts) {
        for (const auto& text : option_texts) arguments.push_back(text.c_str());
        files.resize(arguments.size());
        read = batch_options_from_arguments(arguments, files);
    }
};

// Each input in pieces of random sizes, 1 to `largest` bytes, given to
// `piece`; `ended` after each input.
template <class Piece, class Ended>
void feed_in_pieces(const std::vector<std::string_view>& inputs, std::uint64_t seed, std::size_t largest, Piece piece,
                    Ended ended) {
    std::mt19937_64 random(seed);
    for (std::string_view input : inputs) {
        while (!input.empty()) {
            const std::size_t size = std::min<std::size_t>(input.size(), 1 + random() % largest);
            piece(input.substr(0, size));
            input.remove_prefix(size);
        }
        ended();
    }
}

inline Converted convert(const std::vector<std::string>& option_texts, const std::vector<std::string_view>& inputs,
                         std::uint64_t seed = 1) {
    const ReadOptions options(option_texts);
    const BatchOptionsRead& read = options.read;
    Converted converted;
    if (!read.problem.empty()) {
        converted.output = "options refused: " + std::string(read.problem);
        return converted;
    }

    const BlockSink sink{[](void* target, const char* data, std::size_t size) {
                             static_cast<std::string*>(target)->append(data, size);
                             return true;
                         },
                         &converted.output};
    RecordOutput out(sink, 1 << 18, false);
    BatchConverter converter(read.options, fixed_clock, out, string_sink(converted.notices));
    if (read.options.header) converter.write_header();
    feed_in_pieces(
        inputs, seed, 5000, [&](std::string_view piece) { converter.feed(piece); }, [&] { converter.finish_input(); });
    out.flush();
    converted.totals = converter.totals();
    return converted;
}

// The whole run as the program makes it, on `jobs` threads (1: in order),
// the inputs given in pieces of random sizes; records and notices through
// real files, as the program writes them.
inline Converted convert_run(const std::vector<std::string>& option_texts, const std::vector<std::string_view>& inputs,
                             unsigned jobs, std::uint64_t seed = 1) {
    const ReadOptions options(option_texts);
    const BatchOptionsRead& read = options.read;
    Converted converted;
    if (!read.problem.empty()) {
        converted.output = "options refused: " + std::string(read.problem);
        return converted;
    }
    const InputFeed feed = [&](InputReader& reader) {
        feed_in_pieces(
            inputs, seed, 70000, [&](std::string_view piece) { reader.bytes(piece); }, [&] { reader.input_ended(); });
    };
    std::FILE* records = std::tmpfile();
    std::FILE* notices = std::tmpfile();
    const StreamFiles to{fileno(records), fileno(notices)};
    const RunTotals totals = jobs > 1 ? convert_on_threads(read.options, fixed_clock, jobs, feed, to)
                                      : convert_in_order(read.options, fixed_clock, false, feed, to);
    const auto contents = [](std::FILE* file) {
        std::string text;
        std::rewind(file);
        char buffer[65536];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
        std::fclose(file);
        return text;
    };
    converted.output = contents(records);
    converted.notices = contents(notices);
    converted.totals = totals.converted;
    return converted;
}

}  // namespace morvek::stream_testing
