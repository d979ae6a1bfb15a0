#include "cli/date_time_text.h"

#include <cstdio>

namespace morvek {

namespace {

ShortText formatted(const char* format, std::int32_t first, std::int32_t second, std::int32_t third) {
    ShortText text{};
    const int length = std::snprintf(text.characters, sizeof text.characters, format, static_cast<int>(first),
                                     static_cast<int>(second), static_cast<int>(third));
    text.size = length > 0 ? static_cast<std::size_t>(length) : 0;
    return text;
}

}  // namespace

ShortText date_text(std::int32_t day, std::int32_t month, std::int32_t year) {
    return formatted("%02i.%02i.%i", day, month, year);
}

ShortText time_text(std::int32_t hour, std::int32_t minute, std::int32_t second) {
    return formatted("%02i:%02i:%02i", hour, minute, second);
}

}  // namespace morvek
