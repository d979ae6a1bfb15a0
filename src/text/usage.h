#pragma once

#include <string_view>

namespace morvek::detail {

// The usage text, byte for byte. The program's name in it is fixed text,
// whatever the process was started as.
extern const std::string_view usage_text;

// What --help adds after the usage text: the options beyond the command
// forms and where the manual is.
extern const std::string_view help_text;

}  // namespace morvek::detail
