#pragma once
// How a conversion of the library reports that it has no answer.

#include <cstdint>

namespace morvek {

enum class Status : std::uint8_t {
    ok,
    nonexistent_date,  // no such date in the calendar (31.02, 05.10.1582 historical, year 0, ...)
    nonexistent_time,  // no such time of day (24:00:00, or 23:59:60 on a day without a leap second)
    out_of_range,      // a value beyond the limits the function publishes
};

// A value, or the reason there is none. The value is meaningful only when
// the status is ok; it is then also what `bool` tests.
template <class T>
struct Result {
    T value{};
    Status status = Status::ok;

    constexpr explicit operator bool() const noexcept { return status == Status::ok; }
};

}  // namespace morvek
