#pragma once
// The program's standard output.

#include "morvek/text.h"

namespace morvek::program {

// Standard output through a buffer of the program's own, so that the C
// library allocates none; flushed when the process ends.
TextSink stdout_sink();

}  // namespace morvek::program
