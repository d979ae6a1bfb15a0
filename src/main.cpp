#include "cli/entry.h"

int main(int argc, char** argv) {
    morvek::ConversionState state;
    return morvek::run_morvek(state, {argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)},
                              morvek::system_utc_clock, morvek::stdout_sink());
}
