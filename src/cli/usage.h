#pragma once

#include "cli/output.h"

namespace morvek {

void print_usage(OutputSink out);

}  // namespace morvek
