#pragma once
// The sinks the program and the tests write to.

#include <string>

#include "morvek/command_text.h"

namespace morvek {

// Standard output through a buffer of the program's own, so that the C
// library allocates none; flushed when the process ends.
TextSink stdout_sink();

// Appends to a string, for the tests.
TextSink string_sink(std::string& text);

}  // namespace morvek
