#pragma once
// Runs the stream mode in-process on a text, fed in pieces of random sizes
// so that lines cross the blocks at every place.

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "command/command_runner.h"
#include "morvek/text.h"
#include "stream/batch.h"

namespace morvek::stream_testing {

using namespace morvek::stream;
using command_testing::fixed_clock;

struct Converted {
    std::string output;  // or why the options were refused
    std::string notices;
    BatchTotals totals;
};

inline Converted convert(const std::vector<std::string>& option_texts, const std::vector<std::string_view>& inputs,
                         std::uint64_t seed = 1) {
    std::vector<const char*> arguments;
    for (const auto& text : option_texts) arguments.push_back(text.c_str());
    std::vector<const char*> files(arguments.size());
    const BatchOptionsRead read = batch_options_from_arguments(arguments, files);
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
    std::mt19937_64 random(seed);
    for (std::string_view input : inputs) {
        while (!input.empty()) {
            const std::size_t size = std::min<std::size_t>(input.size(), 1 + random() % 5000);
            converter.feed(input.substr(0, size));
            input.remove_prefix(size);
        }
        converter.finish_input();
    }
    out.flush();
    converted.totals = converter.totals();
    return converted;
}

}  // namespace morvek::stream_testing
