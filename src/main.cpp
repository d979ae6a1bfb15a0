// The program: reads its arguments, converts, writes.

#include <string_view>

#include "cli/batch.h"
#include "cli/entry.h"
#include "cli/output.h"
#include "morvek/morvek.h"

int main(int argc, char** argv) {
    const std::span<const char* const> arguments{argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)};
    if (!arguments.empty() && arguments[0] != nullptr && arguments[0] == std::string_view{"--batch"}) {
        return morvek::run_batch(arguments.subspan(1), morvek::system_utc_clock);
    }
    const morvek::ArgumentTexts texts = morvek::argument_texts(arguments);
    const morvek::TextSink out = morvek::stdout_sink();
    if (texts.count == 1 && texts.texts[0] == "--help") {
        morvek::write_usage(out);
    } else if (texts.count == 1 && texts.texts[0] == "--version") {
        morvek::write_version(out);
    } else {
        morvek::write_command_output(morvek::run_command(texts.view(), morvek::system_utc_clock), out);
    }
    return 0;
}
