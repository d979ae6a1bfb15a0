#include "cli/output.h"

#include <cstdarg>
#include <cstdio>

namespace morvek {

namespace {

void write_to_stdout(void*, const char* data, std::size_t size) { std::fwrite(data, 1, size, stdout); }

void append_to_string(void* target, const char* data, std::size_t size) {
    static_cast<std::string*>(target)->append(data, size);
}

}  // namespace

OutputSink stdout_sink() {
    // A buffer of our own keeps the C library from allocating one on the
    // first write; a whole report fits, so it leaves in one write at exit.
    static char buffer[4096];
    static const bool buffered = std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer) == 0;
    (void)buffered;
    return {write_to_stdout, nullptr};
}

OutputSink string_sink(std::string& text) { return {append_to_string, &text}; }

void write_text(OutputSink out, std::string_view text) {
    if (out.write != nullptr && !text.empty()) out.write(out.target, text.data(), text.size());
}

void write_formatted(OutputSink out, const char* format, ...) {
    char line[256];
    std::va_list values;
    va_start(values, format);
    const int length = std::vsnprintf(line, sizeof line, format, values);
    va_end(values);
    if (length <= 0) return;
    const auto written = static_cast<std::size_t>(length) < sizeof line ? static_cast<std::size_t>(length)
                                                                        : sizeof line - 1;
    write_text(out, {line, written});
}

}  // namespace morvek
