#include "timescale/date_time_text.h"

#include <cstdio>

namespace morvek {

namespace {

// Room for three 32-bit numbers with signs and two separators.
constexpr std::size_t text_capacity = 40;

}  // namespace

std::string date_text(std::int32_t day, std::int32_t month, std::int32_t year) {
    char buffer[text_capacity];
    const int length = std::snprintf(buffer, sizeof buffer, "%02i.%02i.%i", static_cast<int>(day),
                                     static_cast<int>(month), static_cast<int>(year));
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string time_text(std::int32_t hour, std::int32_t minute, std::int32_t second) {
    char buffer[text_capacity];
    const int length = std::snprintf(buffer, sizeof buffer, "%02i:%02i:%02i", static_cast<int>(hour),
                                     static_cast<int>(minute), static_cast<int>(second));
    return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace morvek
