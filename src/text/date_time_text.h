#pragma once
// The texts "dd.mm.yyyy" and "hh:mm:ss" as the program prints them
// ("%02i.%02i.%i", "%02i:%02i:%02i"): in the report and the records, and as
// the clock and the day counts hand them to the text parsers.

#include <cstdint>

#include "morvek/command_text.h"
#include "text/text_builder.h"

namespace morvek::detail {

void write_date_text(TextBuilder& out, std::int32_t day, std::int32_t month, std::int32_t year) noexcept;
void write_time_text(TextBuilder& out, std::int32_t hour, std::int32_t minute, std::int32_t second) noexcept;

// On the stack: the conversion path never allocates.
ReportText date_text(std::int32_t day, std::int32_t month, std::int32_t year) noexcept;
ReportText time_text(std::int32_t hour, std::int32_t minute, std::int32_t second) noexcept;

}  // namespace morvek::detail
