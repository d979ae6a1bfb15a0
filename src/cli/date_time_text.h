#pragma once
// The texts "dd.mm.yyyy" and "hh:mm:ss" as the program prints them
// ("%02i.%02i.%i", "%02i:%02i:%02i"): in the report and the records, and as
// the clock and the day counts hand them to the text parsers.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cli/text_builder.h"
#include "morvek/command_text.h"

namespace morvek {

void write_date_text(TextBuilder& out, std::int32_t day, std::int32_t month, std::int32_t year);
void write_time_text(TextBuilder& out, std::int32_t hour, std::int32_t minute, std::int32_t second);

// On the stack: the conversion path never allocates.
ReportText date_text(std::int32_t day, std::int32_t month, std::int32_t year);
ReportText time_text(std::int32_t hour, std::int32_t minute, std::int32_t second);

}  // namespace morvek
