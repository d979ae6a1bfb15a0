#pragma once
// A moment as ISO 8601 text, the form databases and timeline tools read.

#include "morvek/moment.h"
#include "morvek/text.h"

namespace morvek {

// At most 30 characters ("-292277-12-23T19:59:05.224192Z"), and a zero.
using IsoText = FixedText<32>;

// iso8601_from_moment: UTC in the proleptic Gregorian calendar with
// astronomical year numbers (year 0 is 1 BCE): four digits from 0000 to
// 9999, else a sign and six digits. Six fraction digits (the microseconds,
// floored) only when the moment has a part of a second at that resolution;
// 23:59:60 inside a leap second.
//
//   Domain:   the moments in [min_moment, max_moment]; out_of_range outside
//   Example:  {63618825626, 0} -> "2016-12-31T23:59:60Z";
//             {62135596800, 500000000} -> "1970-01-01T00:00:00.500000Z";
//             {-1, 999999000} -> "0000-12-31T23:59:59.999999Z"
[[nodiscard]] Result<IsoText> iso8601_from_moment(Moment moment) noexcept;

}  // namespace morvek
