#pragma once

#include <cstdint>
#include <string_view>

#include "cli/conversion_state.h"

namespace morvek {

// Reads "dd.mm.yyyy" in state.calendar_mode and returns the Era seconds of
// the midnight that begins that day, the leap seconds before it included.
// Sets bad_format or date_nonexistent (and returns 0) for text that is not
// such a date. A Julian or Gregorian date text is replaced in the state by
// its historical date unless the first argument was a number.
std::int64_t parse_date(ConversionState& state, std::string_view text);

}  // namespace morvek
