#pragma once

#include <cstdint>
#include <string_view>

namespace morvek::cli {

// A field of a date or time text read as "%d" reads it: leading blanks, one
// sign, then decimal digits up to the first other character; no number at
// all reads as 0. Exact for every field of up to 18 characters.
std::int64_t value_from_decimal_field(std::string_view field);

}  // namespace morvek::cli
