#pragma once
// The report's value lines: a label and a value, the tabs expanded to stops
// every 8 columns, then a column of their own.

#include <cstdint>
#include <string_view>

#include "text/text_builder.h"

namespace morvek::detail {

// print_with_hex_column / print_with_text_column: one value line.
//
//   Given:    a format with one "%lli" (cut at 127 characters, as the
//             program's 128-character line buffers hold)
//   Writes:   the line with its tabs expanded, then the value's 64-bit two's
//             complement as "0x%016llX" at column 41, or the text at column
//             33; a line that reaches its column is written unexpanded and
//             alone; each ends with a line end
//   Example:  ("E0 time:\t %lli", 0) ->
//             "E0 time:         0                       0x0000000000000000\n"
void print_with_hex_column(TextBuilder& out, std::string_view format, std::int64_t value) noexcept;
void print_with_text_column(TextBuilder& out, std::string_view format, std::int64_t value,
                            std::string_view text) noexcept;

// A format taken apart once, at compile time: when it is a label followed by
// "%lli", the label with its tabs expanded, so that a line is the label, the
// value and the padding, written at once.
struct LineFormat {
    std::string_view format;
    char label[48] = {};
    std::size_t label_size = 0;
    bool label_and_value = false;
};

consteval LineFormat line_format(std::string_view format) {
    LineFormat line{format};
    constexpr std::string_view conversion = "%lli";
    if (!format.ends_with(conversion)) return line;
    for (const char c : format.substr(0, format.size() - conversion.size())) {
        if (c == '%') return line;
        const std::size_t next = c == '\t' ? (line.label_size / 8 + 1) * 8 : line.label_size + 1;
        if (next > sizeof line.label) return line;
        while (line.label_size < next) line.label[line.label_size++] = c == '\t' ? ' ' : c;
    }
    line.label_and_value = true;
    return line;
}

// As above, the same bytes for every format and value.
void print_with_hex_column(TextBuilder& out, const LineFormat& format, std::int64_t value) noexcept;
void print_with_text_column(TextBuilder& out, const LineFormat& format, std::int64_t value,
                            std::string_view text) noexcept;

}  // namespace morvek::detail
