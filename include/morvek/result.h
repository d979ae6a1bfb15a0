#pragma once
// How a function of the library reports that it has no answer.

#include <cstdint>
#include <string_view>

namespace morvek {

enum class Status : std::uint8_t {
    ok,
    nonexistent_date,  // no such date in the calendar (31.02, 05.10.1582 historical, year 0, ...)
    nonexistent_time,  // no such time of day (24:00:00, or 23:59:60 on a day without a leap second)
    out_of_range,      // a value beyond the domain the function publishes
    bad_format,        // a text that is not a value of the form it is read as
};

// status_name: the status as one word, as records and messages show it.
//
//   Returns:  "ok", "nonexistent-date", "nonexistent-time", "out-of-range", "bad-format"
//   Example:  Status::nonexistent_date -> "nonexistent-date"
[[nodiscard]] constexpr std::string_view status_name(Status status) noexcept {
    switch (status) {
        case Status::ok: return "ok";
        case Status::nonexistent_date: return "nonexistent-date";
        case Status::nonexistent_time: return "nonexistent-time";
        case Status::out_of_range: return "out-of-range";
        case Status::bad_format: return "bad-format";
    }
    return "out-of-range";
}

// Result<T>: a value, or the reason there is none, in the shape of C++23's
// std::expected<T, Status>. The value is read only through names that say
// so: test first (`if (result)`, has_value()), then `*result` or
// `result->field`; value_or() where a fallback will do. A failed Result
// holds a value-initialized T, so reading it by mistake is defined (and
// checked in debug builds), never undefined.
template <class T>
class Result {
public:
    constexpr Result(T value) noexcept : value_(value) {}                    // NOLINT: a value converts
    // A failure; Status::ok names none, and is kept as out_of_range so that
    // no value-initialized T passes for an answer.
    constexpr Result(Status error) noexcept  // NOLINT: a failure converts
        : value_{}, status_(error == Status::ok ? Status::out_of_range : error) {}

    [[nodiscard]] constexpr bool has_value() const noexcept { return status_ == Status::ok; }
    constexpr explicit operator bool() const noexcept { return has_value(); }

    // Only after has_value().
    [[nodiscard]] constexpr const T& operator*() const noexcept { return checked(); }
    constexpr const T* operator->() const noexcept { return &checked(); }

    [[nodiscard]] constexpr T value_or(T fallback) const noexcept { return has_value() ? value_ : fallback; }

    // Status::ok when there is a value.
    [[nodiscard]] constexpr Status error() const noexcept { return status_; }

private:
    constexpr const T& checked() const noexcept {
#ifndef NDEBUG
        if (!has_value()) __builtin_trap();
#endif
        return value_;
    }

    T value_{};
    Status status_ = Status::ok;
};

}  // namespace morvek
