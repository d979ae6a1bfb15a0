#pragma once

#include <string_view>

namespace morvek {

// The usage text, byte for byte. The program's name in it is fixed text,
// whatever the process was started as.
extern const std::string_view usage_text;

}  // namespace morvek
