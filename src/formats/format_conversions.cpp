// Each format read from its text to a moment, and written from a moment.

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>

#include "formats/iso8601_reader.h"
#include "formats/value_text.h"
#include "morvek/formats.h"
#include "morvek/iso8601.h"
#include "text/text_builder.h"

namespace morvek {

namespace {

constexpr std::int64_t int64_min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t int64_max = std::numeric_limits<std::int64_t>::max();

// ---- epochs ------------------------------------------------------------------------
// Scales without leap seconds count on the leap-free Era scale (every day
// 86400 s from 01.01.0001); GPS time counts the leap seconds, on E0.

constexpr std::int64_t day_index_of(std::int32_t year, std::int32_t month, std::int32_t day) {
    return *era_day_from_date(CalendarMode::Gregorian, {year, month, day}) - 1;
}
constexpr std::int64_t leap_free_midnight(std::int32_t year, std::int32_t month, std::int32_t day) {
    return day_index_of(year, month, day) * seconds_per_day;
}

constexpr std::int64_t cocoa_epoch = leap_free_midnight(2001, 1, 1);
constexpr std::int64_t hfs_epoch = leap_free_midnight(1904, 1, 1);
constexpr std::int64_t ole_epoch_day = day_index_of(1899, 12, 30);
constexpr std::int64_t excel_1904_epoch_day = day_index_of(1904, 1, 1);
constexpr std::int64_t gps_epoch_e0 = detail::midnight_e0_from_era_day(day_index_of(1980, 1, 6) + 1);
static_assert(unix_epoch_e0 == leap_free_midnight(1970, 1, 1) && file_epoch_e0 == leap_free_midnight(1601, 1, 1));
static_assert(gps_epoch_e0 == leap_free_midnight(1980, 1, 6) + 9);  // nine leap seconds by then

constexpr std::int64_t nanos_per_day = seconds_per_day * nanoseconds_per_second;

// A moment as leap-free seconds and nanoseconds: inside a leap second the
// midnight after it, exactly, as Unix time has it.
struct LeapFree {
    std::int64_t seconds;
    std::int32_t nanosecond;
};

Result<LeapFree> leap_free_from_moment(Moment moment) noexcept {
    const Result<UnixTime> unix_time = unix_time_from_moment(moment);
    if (!unix_time) return unix_time.error();
    return LeapFree{unix_time->seconds + unix_epoch_e0, unix_time->nanosecond};
}

[[gnu::always_inline]] inline Result<Moment> moment_from_leap_free(std::int64_t seconds, std::int64_t nanosecond) noexcept {
    const auto unix_seconds = detail::checked_add(seconds, -unix_epoch_e0);
    if (!unix_seconds) return Status::out_of_range;
    return moment_from_unix_time({*unix_seconds, static_cast<std::int32_t>(nanosecond)});
}

// ---- integers counted from an epoch ---------------------------------------------------

struct Linear {
    Format format;
    std::int64_t epoch;          // leap-free seconds, or E0 where the leap seconds count
    std::int64_t per_second;     // units
    bool leap_seconds_counted;
    std::int64_t lowest;
    std::int64_t highest;
};

constexpr Linear linear_formats[] = {
    {Format::e0, 0, 1, true, int64_min, int64_max},
    {Format::e3, 0, 1000, true, int64_min, int64_max},
    {Format::e6, 0, 1000000, true, int64_min, int64_max},
    {Format::unix_time, unix_epoch_e0, 1, false, int64_min, int64_max},
    {Format::file_time, file_epoch_e0, 10000000, false, 0, int64_max},
    {Format::unix_ms, unix_epoch_e0, 1000, false, int64_min, int64_max},
    {Format::unix_us, unix_epoch_e0, 1000000, false, int64_min, int64_max},
    {Format::unix_ns, unix_epoch_e0, 1000000000, false, int64_min, int64_max},
    {Format::webkit, file_epoch_e0, 1000000, false, int64_min, int64_max},
    {Format::cocoa_ns, cocoa_epoch, 1000000000, false, int64_min, int64_max},
    {Format::hfs, hfs_epoch, 1, false, 0, 4294967295},
    {Format::dotnet_ticks, 0, 10000000, false, 0, 3155378975999999999},  // to 31.12.9999 23:59:59.9999999
    {Format::gps, gps_epoch_e0, 1, true, int64_min, int64_max},
};

// The row of each format, by its number; -1 for a format that is no Linear.
constexpr auto linear_rows = [] {
    std::array<std::int8_t, format_table.size()> rows{};
    rows.fill(-1);
    for (std::size_t i = 0; i < std::size(linear_formats); ++i) {
        rows[static_cast<std::size_t>(linear_formats[i].format)] = static_cast<std::int8_t>(i);
    }
    return rows;
}();

const Linear* linear_of(Format format) noexcept {
    const auto index = static_cast<std::size_t>(format);
    if (index >= linear_rows.size() || linear_rows[index] < 0) return nullptr;
    return &linear_formats[static_cast<std::size_t>(linear_rows[index])];
}

// A value of a format counted from an epoch. The units per second are a
// template argument, one of five, so that the division by them is a
// multiplication: a column of timestamps goes through here once per value.
template <std::int64_t PerSecond>
[[gnu::always_inline]] inline Result<Moment> moment_from_linear_in(const Linear& row, std::int64_t value) noexcept {
    if (value < row.lowest || value > row.highest) return Status::out_of_range;
    const std::int64_t whole = detail::floor_div(value, PerSecond);
    const std::int64_t part = detail::floor_mod(value, PerSecond) * (nanoseconds_per_second / PerSecond);
    const auto seconds = detail::checked_add(row.epoch, whole);
    if (!seconds) return Status::out_of_range;
    if (!row.leap_seconds_counted) return moment_from_leap_free(*seconds, part);
    const Moment moment{*seconds, static_cast<std::int32_t>(part)};
    if (!detail::in_moment_domain(moment)) return Status::out_of_range;
    return moment;
}

// Calls job.template operator()<PerSecond>() for the row's units per second.
template <class Job>
decltype(auto) with_units_of(const Linear& row, Job&& job) noexcept {
    switch (row.per_second) {
        case 1: return job.template operator()<1>();
        case 1000: return job.template operator()<1000>();
        case 1000000: return job.template operator()<1000000>();
        case 10000000: return job.template operator()<10000000>();
        default: return job.template operator()<1000000000>();
    }
}
static_assert(std::all_of(std::begin(linear_formats), std::end(linear_formats), [](const Linear& row) {
    return row.per_second == 1 || row.per_second == 1000 || row.per_second == 1000000 || row.per_second == 10000000 ||
           row.per_second == 1000000000;
}));

Result<Moment> moment_from_linear(const Linear& row, std::int64_t value) noexcept {
    return with_units_of(row, [&]<std::int64_t PerSecond>() { return moment_from_linear_in<PerSecond>(row, value); });
}

Result<std::int64_t> linear_from_moment(const Linear& row, Moment moment) noexcept {
    // FILE time keeps the report's rule for a leap second.
    if (row.format == Format::file_time) return file_time_from_moment(moment);
    LeapFree at{moment.seconds, moment.nanosecond};
    if (!row.leap_seconds_counted) {
        const Result<LeapFree> leap_free = leap_free_from_moment(moment);
        if (!leap_free) return leap_free.error();
        at = *leap_free;
    } else if (!detail::in_moment_domain(moment)) {
        return Status::out_of_range;
    }
    // Before the epoch the part of a second counts back from the next whole
    // second, so that the lowest values are reached without overflow.
    const std::int64_t seconds = at.seconds - row.epoch;  // both within 2^45
    const std::int64_t units = at.nanosecond / (nanoseconds_per_second / row.per_second);
    const bool back = seconds < 0 && units > 0;
    const auto whole = detail::checked_multiply(back ? seconds + 1 : seconds, row.per_second);
    const auto value = whole ? detail::checked_add(*whole, back ? units - row.per_second : units) : std::nullopt;
    if (!value || *value < row.lowest || *value > row.highest) return Status::out_of_range;
    return *value;
}

// ---- whole days -------------------------------------------------------------------

Result<DayCount> era_day_from_day_value(Format format, std::int64_t value) noexcept {
    switch (format) {
        case Format::jdn: return era_day_from_jdn(value);
        case Format::mjd: return era_day_from_mjd(value);
        case Format::rd_julian:
        case Format::rd_gregorian:
            // The Julian and Gregorian calendars here begin with 01.01.0001.
            if (value < 1) return Status::nonexistent_date;
            [[fallthrough]];
        default:
            if (value == 0) return Status::nonexistent_date;
            if (value < min_era_day || value > max_era_day) return Status::out_of_range;
            return value;
    }
}

bool is_day_format(Format format) noexcept {
    return format == Format::era_day || format == Format::rd_julian || format == Format::rd_gregorian ||
           format == Format::jdn || format == Format::mjd;
}

Result<Moment> moment_from_day_value(Format format, std::int64_t value) noexcept {
    const Result<DayCount> era_day = era_day_from_day_value(format, value);
    if (!era_day) return era_day.error();
    const std::int64_t midnight = detail::midnight_e0_from_era_day(*era_day);
    if (midnight < min_e0 || midnight > max_e0) return Status::out_of_range;
    return Moment{midnight, 0};
}

Result<std::int64_t> day_value_from_moment(Format format, Moment moment) noexcept {
    if (!detail::in_moment_domain(moment)) return Status::out_of_range;
    const DayCount era_day = detail::day_and_second_from_e0(moment.seconds).era_day;
    switch (format) {
        case Format::jdn: return jdn_from_era_day(era_day);
        case Format::mjd: return mjd_from_era_day(era_day);
        case Format::rd_julian:
        case Format::rd_gregorian:
            if (era_day < 1) return Status::out_of_range;
            return era_day;
        default:
            return era_day;
    }
}

// ---- FAT: date and time in 32 bits ------------------------------------------------------

Result<Moment> moment_from_fat(std::int64_t value) noexcept {
    if (value < 0 || value > 0xFFFFFFFF) return Status::out_of_range;
    const auto bits = static_cast<std::uint32_t>(value);
    const auto year = static_cast<std::int32_t>(bits >> 25) + 1980;
    const auto month = static_cast<std::int32_t>(bits >> 21 & 15);
    const auto day = static_cast<std::int32_t>(bits >> 16 & 31);
    const std::int64_t hour = bits >> 11 & 31, minute = bits >> 5 & 63, second = 2 * (bits & 31);
    const Result<DayCount> era_day = era_day_from_date(CalendarMode::Gregorian, {year, month, day});
    if (!era_day) return Status::nonexistent_date;
    if (hour > 23 || minute > 59 || second > 59) return Status::nonexistent_time;
    return moment_from_leap_free((*era_day - 1) * seconds_per_day + hour * 3600 + minute * 60 + second, 0);
}

Result<std::int64_t> fat_from_moment(Moment moment) noexcept {
    const Result<LeapFree> at = leap_free_from_moment(moment);
    if (!at) return at.error();
    const std::int64_t second_of_day = detail::floor_mod(at->seconds, seconds_per_day);
    const Result<Date> date = date_from_era_day(CalendarMode::Gregorian, detail::floor_div(at->seconds, seconds_per_day) + 1);
    if (!date || date->year < 1980 || date->year > 1980 + 127) return Status::out_of_range;
    const auto packed = static_cast<std::uint32_t>(date->year - 1980) << 25 | static_cast<std::uint32_t>(date->month) << 21 |
                        static_cast<std::uint32_t>(date->day) << 16 |
                        static_cast<std::uint32_t>(second_of_day / 3600) << 11 |
                        static_cast<std::uint32_t>(second_of_day / 60 % 60) << 5 |
                        static_cast<std::uint32_t>(second_of_day % 60 / 2);
    return std::int64_t{packed};
}

// ---- decimal fractions ---------------------------------------------------------------------

// Cocoa: seconds with a decimal fraction (Core Data stores a double: its
// shortest text may have more than nine decimals), floored to the
// nanosecond, toward the past also below 0.
Result<Moment> moment_from_cocoa(std::string_view text) noexcept {
    const Result<detail::DecimalValue> value = detail::decimal_from_value_text(text, text.size());
    if (!value) return value.error();
    std::int64_t nanos = detail::floor_of_fraction(*value, nanoseconds_per_second);
    auto whole = static_cast<std::int64_t>(value->whole);
    std::int64_t part = nanos;
    if (value->negative) {
        // Back from 0, a fraction beyond the nanosecond takes the one before.
        const std::size_t point = text.find('.');
        const std::string_view finer = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
        if (finer.size() > 9 && finer.substr(9).find_first_not_of('0') != std::string_view::npos) ++nanos;
        if (nanos == nanoseconds_per_second) {
            nanos = 0;
            ++whole;
        }
        whole = -whole - (nanos > 0 ? 1 : 0);
        part = nanos > 0 ? nanoseconds_per_second - nanos : 0;
    }
    const auto seconds = detail::checked_add(cocoa_epoch, whole);
    if (!seconds) return Status::out_of_range;
    return moment_from_leap_free(*seconds, part);
}

// The days of OLE Automation and Excel: the whole part counts days, the
// fraction the time of day, forward even below 0.
Result<Moment> moment_from_day_fraction(Format format, std::string_view text) noexcept {
    // However many digits: they are floored exactly.
    const Result<detail::DecimalValue> value = detail::decimal_from_value_text(text, text.size());
    if (!value) return value.error();
    const auto whole = static_cast<std::int64_t>(value->whole);
    std::int64_t day = 0;  // from the epoch of the format
    std::int64_t epoch_day = ole_epoch_day;
    switch (format) {
        case Format::ole:
            if ((value->negative && whole > 657434) || (!value->negative && whole > 2958465)) return Status::out_of_range;
            day = value->negative ? -whole : whole;
            break;
        case Format::excel:
            if (value->negative || whole < 1 || whole > 2958465) return Status::out_of_range;
            if (whole == 60) return Status::nonexistent_date;  // 29.02.1900, which Excel counts and no calendar has
            day = whole < 60 ? whole + 1 : whole;
            break;
        default:  // excel_1904
            if (value->negative || whole > 2957003) return Status::out_of_range;
            day = whole;
            epoch_day = excel_1904_epoch_day;
            break;
    }
    const std::int64_t time = detail::floor_of_fraction(*value, nanos_per_day);  // [0, 86400 × 10^9)
    return moment_from_leap_free((epoch_day + day) * seconds_per_day + time / nanoseconds_per_second,
                                 time % nanoseconds_per_second);
}

// "-" and the whole part, then the shortest fraction that reads back.
FormatText decimal_text(bool negative, std::int64_t whole, std::int64_t part, std::int64_t scale) noexcept {
    FormatText text;
    detail::TextBuilder out(text.characters, sizeof text.characters - 1);
    if (negative) out.character('-');
    out.decimal(whole);
    if (part != 0) {
        out.character('.');
        out.text(detail::shortest_fraction_digits(part, scale).view());
    }
    text.size = out.size();
    return text;
}

Result<FormatText> cocoa_from_moment(Moment moment) noexcept {
    const Result<LeapFree> at = leap_free_from_moment(moment);
    if (!at) return at.error();
    const std::int64_t seconds = at->seconds - cocoa_epoch;
    if (seconds >= 0 || at->nanosecond == 0) return decimal_text(false, seconds, at->nanosecond, nanoseconds_per_second);
    return decimal_text(true, -(seconds + 1), nanoseconds_per_second - at->nanosecond, nanoseconds_per_second);
}

Result<FormatText> day_fraction_from_moment(Format format, Moment moment) noexcept {
    const Result<LeapFree> at = leap_free_from_moment(moment);
    if (!at) return at.error();
    const std::int64_t day_index = detail::floor_div(at->seconds, seconds_per_day);
    const std::int64_t time = detail::floor_mod(at->seconds, seconds_per_day) * nanoseconds_per_second + at->nanosecond;
    std::int64_t day = day_index - (format == Format::excel_1904 ? excel_1904_epoch_day : ole_epoch_day);
    switch (format) {
        case Format::ole:
            if (day < -657434 || day > 2958465) return Status::out_of_range;
            return decimal_text(day < 0, day < 0 ? -day : day, time, nanos_per_day);
        case Format::excel:
            if (day < 2 || day > 2958465) return Status::out_of_range;
            if (day <= 60) --day;  // before 29.02.1900, which Excel counts
            break;
        default:  // excel_1904
            if (day < 0 || day > 2957003) return Status::out_of_range;
            break;
    }
    return decimal_text(false, day, time, nanos_per_day);
}

FormatText integer_text(std::int64_t value) noexcept {
    FormatText text;
    detail::TextBuilder out(text.characters, sizeof text.characters - 1);
    out.decimal(value);
    text.size = out.size();
    return text;
}

}  // namespace

Result<Moment> moment_from_integer(Format format, std::int64_t value) noexcept {
    if (const Linear* row = linear_of(format)) return moment_from_linear(*row, value);
    if (is_day_format(format)) return moment_from_day_value(format, value);
    if (format == Format::fat) return moment_from_fat(value);
    return Status::bad_format;
}

void moments_from_integers(Format format, std::span<const std::int64_t> values, std::span<Moment> moments,
                           std::span<Status> statuses) noexcept {
    const std::size_t count = std::min({values.size(), moments.size(), statuses.size()});
    const auto store = [&](std::size_t i, const Result<Moment>& moment) {
        moments[i] = moment.value_or(Moment{});
        statuses[i] = moment.error();
    };
    if (const Linear* row = linear_of(format)) {
        return with_units_of(*row, [&]<std::int64_t PerSecond>() {
            for (std::size_t i = 0; i < count; ++i) store(i, moment_from_linear_in<PerSecond>(*row, values[i]));
        });
    }
    for (std::size_t i = 0; i < count; ++i) store(i, moment_from_integer(format, values[i]));
}

Result<Moment> moment_from_text(FormatSpec read_as, std::string_view text) noexcept {
    text = detail::trimmed(text);
    const FormatInfo& info = format_info(read_as.format);
    switch (info.kind) {
        case FormatKind::integer: {
            const Result<std::int64_t> value = read_as.bytes == ByteOrder::none
                                                   ? detail::integer_from_value_text(text)
                                                   : detail::integer_from_bytes(text, info.byte_count, read_as.bytes);
            if (!value) return value.error();
            return moment_from_integer(read_as.format, *value);
        }
        case FormatKind::decimal:
            if (read_as.bytes != ByteOrder::none) return Status::bad_format;
            if (read_as.format == Format::cocoa) return moment_from_cocoa(text);
            return moment_from_day_fraction(read_as.format, text);
        case FormatKind::text:
            if (read_as.bytes != ByteOrder::none) return Status::bad_format;
            return detail::moment_from_iso8601(text);
    }
    return Status::bad_format;
}

Result<std::int64_t> integer_from_moment(Format format, Moment moment) noexcept {
    if (const Linear* row = linear_of(format)) return linear_from_moment(*row, moment);
    if (is_day_format(format)) return day_value_from_moment(format, moment);
    if (format == Format::fat) return fat_from_moment(moment);
    return Status::bad_format;
}

Result<FormatText> text_from_moment(Format format, Moment moment) noexcept {
    switch (format_info(format).kind) {
        case FormatKind::integer: {
            const Result<std::int64_t> value = integer_from_moment(format, moment);
            if (!value) return value.error();
            return integer_text(*value);
        }
        case FormatKind::decimal:
            if (format == Format::cocoa) return cocoa_from_moment(moment);
            return day_fraction_from_moment(format, moment);
        case FormatKind::text: {
            const Result<IsoText> iso = iso8601_from_moment(moment);
            if (!iso) return iso.error();
            FormatText text;
            text.size = iso->size;
            std::copy_n(iso->characters, iso->size, text.characters);
            return text;
        }
    }
    return Status::bad_format;
}

namespace {

// The year of a moment as its ISO text writes it: proleptic Gregorian with
// astronomical years (0 is 1 BCE). The calendar repeats every 400 years, so
// a day before the Era is counted whole cycles later, then moved back.
std::int64_t iso_year(Moment moment) noexcept {
    constexpr std::int64_t days_per_400_years = 146097;
    const std::int64_t index = detail::day_index_from_era_day(detail::day_and_second_from_e0(moment.seconds).era_day);
    const std::int64_t cycles_back = index < 0 ? (-index + days_per_400_years - 1) / days_per_400_years : 0;
    const detail::CalendarDate date =
        detail::calendar_date_from_era_day(CalendarMode::Gregorian, index + cycles_back * days_per_400_years + 1);
    return date.year - 400 * cycles_back;
}

}  // namespace

Guesses guess_formats(std::string_view text, YearWindow window) noexcept {
    Guesses guesses;
    for (const FormatInfo& row : format_table) {
        const Result<Moment> moment = moment_from_text({row.format, ByteOrder::none}, text);
        if (!moment) continue;
        const std::int64_t year = iso_year(*moment);
        if (year < window.first || year > window.last) continue;
        guesses.items[guesses.count++] = {row.format, *moment};
    }
    std::sort(guesses.items.begin(), guesses.items.begin() + static_cast<std::ptrdiff_t>(guesses.count),
              [](const Guess& a, const Guess& b) { return format_info(a.format).name < format_info(b.format).name; });
    return guesses;
}

}  // namespace morvek
