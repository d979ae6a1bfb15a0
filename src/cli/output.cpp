#include "cli/output.h"

#include <cstdio>

namespace morvek {

namespace {

void write_to_stdout(void*, const char* data, std::size_t size) { std::fwrite(data, 1, size, stdout); }

void append_to_string(void* target, const char* data, std::size_t size) {
    static_cast<std::string*>(target)->append(data, size);
}

}  // namespace

TextSink stdout_sink() {
    // A whole report fits, so it leaves in one write at exit.
    static char buffer[4096];
    static const bool buffered = std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer) == 0;
    (void)buffered;
    return {write_to_stdout, nullptr};
}

TextSink string_sink(std::string& text) { return {append_to_string, &text}; }

}  // namespace morvek
