#include "formats/iso8601_reader.h"

#include <cstdint>

#include "morvek/week_date.h"

namespace morvek::detail {

namespace {

constexpr bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

// Reads the text from left to right; every step either takes what it
// expects or leaves the position as it was.
class Cursor {
public:
    explicit Cursor(std::string_view text) noexcept : text_(text) {}

    bool done() const noexcept { return at_ == text_.size(); }
    std::size_t position() const noexcept { return at_; }
    char peek() const noexcept { return at_ < text_.size() ? text_[at_] : '\0'; }

    bool take(char c) noexcept {
        if (peek() != c) return false;
        ++at_;
        return true;
    }

    // Exactly `count` digits.
    bool digits(int count, std::int64_t& value) noexcept {
        if (at_ + static_cast<std::size_t>(count) > text_.size()) return false;
        std::int64_t read = 0;
        for (int i = 0; i < count; ++i) {
            const char c = text_[at_ + static_cast<std::size_t>(i)];
            if (!is_digit(c)) return false;
            read = read * 10 + (c - '0');
        }
        at_ += static_cast<std::size_t>(count);
        value = read;
        return true;
    }

    // As many digits as there are, at most `most`; their count.
    int digit_run(int most, std::int64_t& value) noexcept {
        int count = 0;
        std::int64_t read = 0;
        while (count < most && is_digit(peek())) {
            read = read * 10 + (text_[at_++] - '0');
            ++count;
        }
        value = read;
        return count;
    }

    std::size_t digits_ahead() const noexcept {
        std::size_t count = 0;
        while (at_ + count < text_.size() && is_digit(text_[at_ + count])) ++count;
        return count;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// How the date was given: year, month and day; year, week and weekday;
// year and day of the year.
enum class DateForm { calendar, week, ordinal };

struct Fields {
    DateForm form = DateForm::calendar;
    std::int64_t year = 0;  // astronomical
    std::int64_t month = 0, day = 0, hour = 0, minute = 0, second = 0;  // week: month the week, day the weekday; ordinal: day
    std::int64_t nanosecond = 0;
    std::int64_t offset_minutes = 0;  // east of UTC
};

// The years Morvek's moments reach, with room for an offset either way.
constexpr std::int64_t year_limit = 300000;

bool read_fraction(Cursor& in, Fields& fields) noexcept {
    if (!in.take('.') && !in.take(',')) return true;
    std::int64_t digits = 0;
    const int count = in.digit_run(9, digits);
    if (count == 0 || is_digit(in.peek())) return false;
    for (int i = count; i < 9; ++i) digits *= 10;
    fields.nanosecond = digits;
    return true;
}

bool read_zone(Cursor& in, Fields& fields, bool basic) noexcept {
    if (in.done()) return true;
    if (in.take('Z') || in.take('z')) return in.done();
    const char sign = in.peek();
    if (sign != '+' && sign != '-') return false;
    in.take(sign);
    std::int64_t hours = 0, minutes = 0;
    if (!in.digits(2, hours)) return false;
    const bool colon = in.take(':');
    if (colon && basic) return false;
    if (!in.digits(2, minutes) || !in.done()) return false;
    if (hours > 23 || minutes > 59) return false;
    fields.offset_minutes = (sign == '-' ? -1 : 1) * (hours * 60 + minutes);
    return true;
}

// After the year: Www-D (Www D in the basic form), DDD, or MM-DD (MMDD).
bool read_month_day_or_week(Cursor& in, Fields& fields, bool basic) noexcept {
    if (in.take('W')) {
        fields.form = DateForm::week;
        return in.digits(2, fields.month) && (basic || in.take('-')) && in.digits(1, fields.day);
    }
    if (in.digits_ahead() == 3 && !basic) {
        fields.form = DateForm::ordinal;
        return in.digits(3, fields.day);
    }
    return in.digits(2, fields.month) && (basic || in.take('-')) && in.digits(2, fields.day);
}

// The date part; `basic` tells which form was met.
bool read_date(Cursor& in, Fields& fields, bool& basic) noexcept {
    const char sign = in.peek();
    const bool signed_year = sign == '+' || sign == '-';
    if (signed_year) in.take(sign);
    const std::size_t run = in.digits_ahead();
    if (!signed_year && run == 8) {  // YYYYMMDD
        basic = true;
        return in.digits(4, fields.year) && read_month_day_or_week(in, fields, true);
    }
    if (run < 4 || (!signed_year && run != 4) || run > 12) return false;
    if (!in.digits(static_cast<int>(run), fields.year)) return false;
    if (sign == '-') fields.year = -fields.year;
    basic = !signed_year && in.peek() == 'W';  // YYYYWwwD
    if (basic) return read_month_day_or_week(in, fields, true);
    return in.take('-') && read_month_day_or_week(in, fields, false);
}

bool read_time(Cursor& in, Fields& fields, bool basic) noexcept {
    if (!(in.take('T') || in.take('t') || (!basic && in.take(' ')))) return true;
    if (!in.digits(2, fields.hour)) return false;
    if (basic) {
        return in.digits(2, fields.minute) && in.digits(2, fields.second) && read_fraction(in, fields);
    }
    if (!in.take(':') || !in.digits(2, fields.minute)) return false;
    if (!in.take(':')) return true;
    return in.digits(2, fields.second) && read_fraction(in, fields);
}

constexpr bool gregorian_leap(std::int64_t year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Leap-free seconds from 01.01.0001 to the day's midnight, for an
// astronomical Gregorian year: the calendar repeats every 400 years.
constexpr std::int64_t leap_free_midnight(std::int64_t year, std::int64_t month, std::int64_t day) noexcept {
    const std::int64_t cycles_back = year <= 0 ? -year / 400 + 1 : 0;
    const auto shifted = static_cast<std::int32_t>(year + 400 * cycles_back);
    const std::int64_t index = *era_day_from_date(CalendarMode::Gregorian,
                                                  {shifted, static_cast<std::int32_t>(month),
                                                   static_cast<std::int32_t>(day)}) - 1 - cycles_back * 146097;
    return index * seconds_per_day;
}
static_assert(leap_free_midnight(1, 1, 1) == 0 && leap_free_midnight(0, 12, 31) == -seconds_per_day);

}  // namespace

Result<Moment> moment_from_iso8601(std::string_view text) noexcept {
    Cursor in(text);
    Fields fields;
    bool basic = false;
    if (!read_date(in, fields, basic) || !read_time(in, fields, basic) || !read_zone(in, fields, basic)) {
        return Status::bad_format;
    }
    if (fields.year > year_limit || fields.year < -year_limit) return Status::out_of_range;
    std::int64_t midnight = 0;
    if (fields.form == DateForm::calendar) {
        if (fields.month < 1 || fields.month > 12 || fields.day < 1) return Status::nonexistent_date;
        const std::int32_t length = month_lengths[gregorian_leap(fields.year) ? 1 : 0][fields.month];
        if (fields.day > length) return Status::nonexistent_date;
        midnight = leap_free_midnight(fields.year, fields.month, fields.day);
    } else {
        const auto year = static_cast<std::int32_t>(fields.year);
        const Result<DayCount> era_day =
            fields.form == DateForm::week
                ? era_day_from_iso_week_date({year, static_cast<std::int32_t>(fields.month), static_cast<Weekday>(fields.day)})
                : era_day_from_ordinal_date({year, static_cast<std::int32_t>(fields.day)});
        if (!era_day) return era_day.error();
        midnight = day_index_from_era_day(*era_day) * seconds_per_day;
    }
    if (fields.hour > 23 || fields.minute > 59 || fields.second > 60) return Status::nonexistent_time;

    // A second 60 is read as the 59 before it, then moved on by the leap
    // second, if the UTC moment has one.
    const bool second_60 = fields.second == 60;
    const std::int64_t leap_free = midnight + fields.hour * 3600 +
                                   fields.minute * 60 + (second_60 ? 59 : fields.second) -
                                   fields.offset_minutes * 60;
    std::int64_t seconds = insert_leap_seconds(leap_free);
    if (second_60) {
        if (!is_leap_second(seconds + 1)) return Status::nonexistent_time;
        ++seconds;
    }
    if (seconds < min_e0 || seconds > max_e0) return Status::out_of_range;
    return Moment{seconds, static_cast<std::int32_t>(fields.nanosecond)};
}

}  // namespace morvek::detail
