#pragma once
// The texts "dd.mm.yyyy" and "hh:mm:ss" that the clock and the day counts
// hand to the text parsers.

#include <cstdint>
#include <string>

namespace morvek {

std::string date_text(std::int32_t day, std::int32_t month, std::int32_t year);
std::string time_text(std::int32_t hour, std::int32_t minute, std::int32_t second);

}  // namespace morvek
