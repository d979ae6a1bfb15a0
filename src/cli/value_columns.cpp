#include <cstdio>
#include <string_view>

#include "cli/report.h"

namespace morvek {

namespace {

constexpr std::size_t line_capacity = 128;
constexpr std::size_t hex_column = 41;
constexpr std::size_t text_column = 33;
constexpr std::size_t tab_width = 8;
constexpr std::string_view blank_field = "                                         ";
static_assert(blank_field.size() == hex_column && text_column <= hex_column);

struct ValueLine {
    char formatted[line_capacity];
    char expanded[line_capacity];
    std::size_t formatted_length = 0;
    std::size_t expanded_length = 0;
    bool fits = false;  // the expanded line leaves room before the column
};

// Formats the value and expands its tabs; a line that reaches the column
// is marked as not fitting and is then printed as formatted.
void format_value_line(ValueLine& line, const char* format, std::int64_t value, std::size_t column) {
    const int length = std::snprintf(line.formatted, line_capacity, format, static_cast<long long>(value));
    if (length < 0) return;
    line.formatted_length = static_cast<std::size_t>(length) < line_capacity ? static_cast<std::size_t>(length)
                                                                           : line_capacity - 1;
    std::size_t size = 0;
    for (std::size_t i = 0; i < line.formatted_length; ++i) {
        const char c = line.formatted[i];
        const std::size_t next = c == '\t' ? (size / tab_width + 1) * tab_width : size + 1;
        if (next >= column) return;
        if (c == '\t') {
            while (size < next) line.expanded[size++] = ' ';
        } else {
            line.expanded[size++] = c;
        }
    }
    line.expanded_length = size;
    line.fits = true;
}

void print_padded(OutputSink out, const ValueLine& line, std::size_t column) {
    write_text(out, {line.expanded, line.expanded_length});
    write_text(out, blank_field.substr(0, column - line.expanded_length));
}

void print_unexpanded(OutputSink out, const ValueLine& line) {
    write_text(out, {line.formatted, line.formatted_length});
    write_text(out, "\n");
}

}  // namespace

void print_with_hex_column(OutputSink out, const char* format, std::int64_t value) {
    ValueLine line;
    format_value_line(line, format, value, hex_column);
    if (!line.fits) return print_unexpanded(out, line);
    print_padded(out, line, hex_column);
    write_formatted(out, "0x%016llX\n", static_cast<unsigned long long>(value));
}

void print_with_text_column(OutputSink out, const char* format, std::int64_t value, std::string_view text) {
    ValueLine line;
    format_value_line(line, format, value, text_column);
    if (!line.fits) return print_unexpanded(out, line);
    print_padded(out, line, text_column);
    write_text(out, text);
    write_text(out, "\n");
}

}  // namespace morvek
