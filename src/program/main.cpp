// The program: reads its arguments, converts, writes.

#include <string_view>

#include "morvek/morvek.h"
#include "program/process_output.h"
#include "stream/batch.h"
#include "stream/one_moment.h"

int main(int argc, char** argv) {
    const auto word = [&](int i) { return argc > i && argv[i] != nullptr ? std::string_view{argv[i]} : std::string_view{}; };
    if (word(1) == "--batch") {
        return morvek::stream::run_batch({argv + 2, static_cast<std::size_t>(argc - 2)}, morvek::system_utc_clock());
    }
    if (morvek::stream::starts_one_moment_run(word(1))) {
        return morvek::stream::run_one_moment({argv + 1, static_cast<std::size_t>(argc - 1)}, morvek::system_utc_clock());
    }
    const morvek::TextSink out = morvek::program::stdout_sink();
    if (argc == 2 && word(1) == "--help") {
        morvek::write_help(out);
    } else if (argc == 2 && word(1) == "--version") {
        morvek::write_version(out);
    } else {
        morvek::write_command_output(morvek::run_command(argc, argv, morvek::system_utc_clock()), out);
    }
    return 0;
}
