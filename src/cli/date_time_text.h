#pragma once
// The texts "dd.mm.yyyy" and "hh:mm:ss" as the program prints them
// ("%02i.%02i.%i", "%02i:%02i:%02i"): in the report and the records, and as
// the clock and the day counts hand them to the text parsers.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cli/text_builder.h"

namespace morvek {

void write_date_text(TextBuilder& out, std::int32_t day, std::int32_t month, std::int32_t year);
void write_time_text(TextBuilder& out, std::int32_t hour, std::int32_t minute, std::int32_t second);

// Room for three 32-bit numbers with signs and two separators, kept on the
// stack: the conversion path never allocates.
struct ShortText {
    char characters[40];
    std::size_t size;
    std::string_view view() const { return {characters, size}; }
};

ShortText date_text(std::int32_t day, std::int32_t month, std::int32_t year);
ShortText time_text(std::int32_t hour, std::int32_t minute, std::int32_t second);

}  // namespace morvek
