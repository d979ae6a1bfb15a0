// Nanoseconds for one run of the command in-process, for each command form,
// measured twice: `result/` from the argument texts to the CommandResult
// (the conversion and the checks, no text), and `report/` from the argument
// texts to the last byte of output (the report, the usage text or a
// message). Output goes to a string that keeps its capacity from run to run,
// and the clock is fixed.
//
// Before timing, each case checks that its arguments really take the path it
// is named for (a report, the usage text or the message), and after timing
// that the last run printed the same bytes as the first, so a case cannot
// quietly measure some other path.

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "morvek/command.h"
#include "morvek/command_text.h"

namespace {

const auto fixed_reading = [] { return morvek::DateTime{{2017, 1, 1}, 12, 34, 56, 0}; };
const morvek::UtcClock fixed_clock = morvek::utc_clock_from(fixed_reading);

enum class Outcome { report, usage, message };

struct Case {
    const char* name;
    std::vector<const char*> arguments;
    Outcome outcome;
    std::string_view must_contain;  // a piece of text only this path prints
};

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"date", {"01.01.2017"}, Outcome::report, "RD Gregorian:"},
        {"date_time", {"31.12.2016", "23:59:60"}, Outcome::report, " 31.12.2016  23:59:60 "},
        {"date_time_J", {"01.01.2000", "12:00:00", "/J"}, Outcome::report, " 14.01.2000  12:00:00 "},
        {"date_time_G", {"01.01.1500", "12:00:00", "/G"}, Outcome::report, " 23.12.1499  12:00:00 "},
        {"current_time_C", {"/C"}, Outcome::report, "(UTC)"},
        {"bare_E0", {"63618825627"}, Outcome::report, "E0 time:"},
        {"era_day_D", {"736330", "/D"}, Outcome::report, "ED:"},
        {"E0", {"63618825627", "/E0"}, Outcome::report, "E0 time:"},
        {"E3", {"63618825627123", "/E3"}, Outcome::report, "E3 time:"},
        {"E6", {"63618825627123456", "/E6"}, Outcome::report, "E6 time:"},
        {"unix_U", {"1483228800", "/U"}, Outcome::report, "Unix time:"},
        {"file_time_F", {"131277024001234567", "/F"}, Outcome::report, "FILE time:"},
        {"rd_julian_J", {"736330", "/J"}, Outcome::report, "Julian Date:"},
        {"rd_gregorian_G", {"500000", "/G"}, Outcome::report, "Gregorian Date:"},
        {"usage", {}, Outcome::usage, "Usage:"},
        {"message_too_big", {"9223372036855"}, Outcome::message, "Too big number.."},
        {"message_nonexistent_date", {"31.02.2000", "12:00:00"}, Outcome::message, "non-existent date"},
    };
    return all;
}

bool looks_like(const std::string& output, const Case& c) {
    if (output.find(c.must_contain) == std::string::npos) return false;
    const bool has_report = output.find("\nE6 time:") != std::string::npos;
    const bool has_usage = output.find("\nUsage:\n") != std::string::npos;
    switch (c.outcome) {
        case Outcome::report: return has_report && !has_usage;
        case Outcome::usage: return has_usage && !has_report;
        case Outcome::message: return !has_usage && !has_report;
    }
    return false;
}

void run_to_text(benchmark::State& bench, const Case& c) {
    std::string output;
    output.reserve(2048);
    const morvek::TextSink sink = morvek::string_sink(output);
    std::vector<const char*> argv{"morvek"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    const auto run = [&] {
        morvek::write_command_output(morvek::run_command(static_cast<int>(argv.size()), argv.data(), fixed_clock), sink);
    };

    run();
    if (!looks_like(output, c)) {
        bench.SkipWithError("the arguments do not take the path this case is named for");
        return;
    }
    const std::string first = output;

    for (auto _ : bench) {
        output.clear();
        run();
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }

    if (output != first) {
        bench.SkipWithError("a repeated run printed other bytes than the first");
        return;
    }
    bench.counters["bytes"] = static_cast<double>(output.size());
}

void run_to_result(benchmark::State& bench, const Case& c) {
    const std::vector<std::string_view> arguments(c.arguments.begin(), c.arguments.end());
    const morvek::CommandResult first = morvek::run_command(arguments, fixed_clock);
    std::string output;
    morvek::write_command_output(first, morvek::string_sink(output));
    if (!looks_like(output, c)) {
        bench.SkipWithError("the arguments do not take the path this case is named for");
        return;
    }

    morvek::CommandResult last;
    for (auto _ : bench) {
        last = morvek::run_command(arguments, fixed_clock);
        benchmark::DoNotOptimize(last);
    }

    if (last.outcome != first.outcome || last.e6 != first.e6 || last.era_day != first.era_day) {
        bench.SkipWithError("a repeated run gave another result than the first");
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (const Case& c : cases()) {
        benchmark::RegisterBenchmark(("result/" + std::string(c.name)).c_str(),
                                     [&c](benchmark::State& bench) { run_to_result(bench, c); });
    }
    for (const Case& c : cases()) {
        benchmark::RegisterBenchmark(("report/" + std::string(c.name)).c_str(),
                                     [&c](benchmark::State& bench) { run_to_text(bench, c); });
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
