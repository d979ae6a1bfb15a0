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

}  // namespace morvek::detail
