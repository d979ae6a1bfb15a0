// Feeds arbitrary bytes to the whole stream mode, on one thread and on
// several, as lines or as CSV and TSV rows, and stops when the threads write
// other bytes, notices or totals than one thread does, or when a row that
// was kept does not read back as it went in.
//
// Input format (also that of the seed corpus): the first byte chooses the
// input (low two bits: lines, csv, tsv), the number of threads (next two
// bits: 2 to 5), a --from (next three bits); the second byte, the largest
// piece the input is fed in; the rest is the input.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "stream/batch_test_support.h"

namespace {

constexpr std::string_view froms[] = {"--from=/U", "--from=unix_ms", "--from=iso", "--from=webkit", "--from=/E3",
                                      "--from=cocoa", "--from=fat:le", ""};

std::vector<std::string> options_of(std::uint8_t choice) {
    std::vector<std::string> options;
    switch (choice & 3) {
        case 1:
            options = {"--input=csv", "--column=2", "--header"};
            break;
        case 2:
            options = {"--input=tsv", "--column=2"};
            break;
        default:
            options = {"--format=tsv", "--fields=line,input,status,message,iso,e6,ole"};
            break;
    }
    const std::string_view from = froms[(choice >> 4) & 7];
    if (!from.empty()) options.emplace_back(from);
    return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::vector<std::string> options = options_of(data[0]);
    const unsigned jobs = 2 + ((data[0] >> 2) & 3);
    const std::uint64_t seed = data[1];
    const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::vector<std::string_view> inputs = {input, input.substr(0, input.size() / 2)};
    using morvek::stream_testing::convert_run;
    const auto one = convert_run(options, inputs, 1, seed);
    const auto several = convert_run(options, inputs, jobs, seed + 1);
    if (one.output != several.output || one.notices != several.notices || one.totals.lines != several.totals.lines ||
        one.totals.failed != several.totals.failed || one.totals.first_failed != several.totals.first_failed) {
        std::abort();
    }
    return 0;
}
