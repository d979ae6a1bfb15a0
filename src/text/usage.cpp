#include "text/usage.h"

namespace morvek::detail {

constexpr std::string_view usage_text =
    "\n"
    "Calculate Era Day & Time from given date, Unix or FILE time - v1.1 (2017)\n"
    "\n"
    "Usage:\n"
    "        Morvek /C                     - from current Era Time (UTC)\n"
    "        Morvek dd.mm.yyyy hh:mm:ss    - from historical Date\n"
    "        Morvek dd.mm.yyyy hh:mm:ss /J - from Julian Date\n"
    "        Morvek dd.mm.yyyy hh:mm:ss /G - from Gregorian Date\n"
    "        Morvek d+ /D                  - from Era Day (ED)\n"
    "        Morvek d+ /J                  - from RD Julian\n"
    "        Morvek d+ /G                  - from RD Gregorian\n"
    "        Morvek d+                     - from E0\n"
    "        Morvek d+ /E3                 - from E3\n"
    "        Morvek d+ /E6                 - from E6\n"
    "        Morvek d+ /U                  - from Unix time\n"
    "        Morvek d+ /F                  - from FILE time\n"
    "Examples:\n"
    "        Morvek 01.01.1970            -  Unix time 0\n"
    "        Morvek 30.06.1972 23:59:60   -  first UTC Leap Second\n"
    "        Morvek 01.01.1601            -  Windows FILE time 0\n"
    "        Morvek 01.01.01              -  CE  time 0\n"
    "        Morvek 01.01.01 00:00:01     -  CE  time 1\n"
    "        Morvek 31.12.-1 23:59:59     -  BCE time 1\n"
    "        Morvek 31.12.-1              -  BCE time 86400\n";

constexpr std::string_view help_text =
    "\n"
    "Beyond one moment:\n"
    "        morvek --batch [OPTIONS] [FILE...]   - one command line per input line (stream mode)\n"
    "            --format=report|tsv|csv|jsonl|list the output; report is the default\n"
    "            --fields=NAME,...                  the fields of a record (tsv, csv, jsonl, list)\n"
    "            --header                           the field names first (tsv, csv)\n"
    "            --from=SWITCH                      append /U, /F, /E3 ... to every line\n"
    "            --from=FORMAT                      each line one value: unix_ms, webkit, iso, file_time:le ...\n"
    "            exit status 0: every line converted; 1: some not; 2: wrong options or files\n"
    "        morvek --from=FORMAT VALUE...        - one value of a format; --format (list), --fields, --header\n"
    "        morvek --guess VALUE [--window=A..B] - the formats that read VALUE as a moment of 1970..2099 or A..B\n"
    "        morvek --batch --help                - this text\n"
    "        morvek --version                     - the name and version\n"
    "        morvek --help                        - this text\n"
    "The manual: man morvek\n";

}  // namespace morvek::detail
