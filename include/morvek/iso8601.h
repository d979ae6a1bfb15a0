#pragma once
// A moment as ISO 8601 text, the form databases and timeline tools read.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace morvek {

// At most 30 characters ("-292277-12-23T19:59:05.224192Z"), followed by a zero.
struct IsoText {
    char characters[32];
    std::size_t size;
    std::string_view view() const { return {characters, size}; }
    const char* c_str() const { return characters; }
};

// iso8601_from_e6: UTC in the proleptic Gregorian calendar with
// astronomical year numbers (year 0 is 1 BCE): four digits from 0000 to
// 9999, else a sign and six digits. Six fraction digits only when the moment
// has a part of a second; 23:59:60 inside a leap second. Floor division, so
// a negative E6 names its true moment. Defined for every 64-bit E6.
//
//   Example:  63618825626000000 -> "2016-12-31T23:59:60Z";
//             62135596800500000 -> "1970-01-01T00:00:00.500000Z";
//             -1 -> "0000-12-31T23:59:59.999999Z"
[[nodiscard]] IsoText iso8601_from_e6(std::int64_t e6);

}  // namespace morvek
