#pragma once
// The fixed texts the program prints, written out once for every test and
// for the fuzz target's output classifier to compare against.

#include <string_view>

namespace morvek::expected {

inline constexpr std::string_view too_big_message = "\nToo big number..\n";
inline constexpr std::string_view era_day_zero_message =
    "\n\tEra Day:  0 - non-existent date. \n\tUse:\t  1 - for CE  day 1\n\t\t -1 - for BCE day 1\n";

inline constexpr std::string_view usage_text =
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

}  // namespace morvek::expected
