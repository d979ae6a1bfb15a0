#include "program/process_output.h"

#include <cstdio>

namespace morvek::program {

TextSink stdout_sink() {
    // A whole report fits, so it leaves in one write at exit.
    static char buffer[4096];
    static const bool buffered = std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer) == 0;
    (void)buffered;
    return file_sink(stdout);
}

}  // namespace morvek::program
