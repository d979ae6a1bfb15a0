#pragma once
// Splitting "dd.mm.yyyy" and "hh:mm:ss" into their fields.

#include <cstddef>
#include <optional>
#include <string_view>

namespace morvek::cli {

struct SeparatedField {
    std::string_view field;
    std::string_view rest;  // the text after the separator
};

// The characters before the separator, at most max_width of them, which
// must be followed by the separator itself; nothing when they are not.
inline std::optional<SeparatedField> separated_field(std::string_view text, char separator,
                                                     std::size_t max_width) {
    std::size_t width = 0;
    while (width < max_width && width < text.size() && text[width] != separator) ++width;
    if (width >= text.size() || text[width] != separator) return std::nullopt;
    return SeparatedField{text.substr(0, width), text.substr(width + 1)};
}

}  // namespace morvek::cli
