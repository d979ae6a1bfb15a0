#pragma once
// The one writer that all output goes through: standard output in the
// program, a string in tests.

#include <cstddef>
#include <string>
#include <string_view>

namespace morvek {

struct OutputSink {
    void (*write)(void* target, const char* data, std::size_t size) = nullptr;
    void* target = nullptr;
};

OutputSink stdout_sink();
OutputSink string_sink(std::string& text);

void write_text(OutputSink out, std::string_view text);

// printf-style formatting of one line of at most 255 characters.
[[gnu::format(printf, 2, 3)]] void write_formatted(OutputSink out, const char* format, ...);

}  // namespace morvek
