// The named formats through the library's interface: the ends of every
// range, the table's examples, round trips on random moments and values,
// junk, byte forms, ISO texts and guesses. The expected moments are ISO
// texts and values worked out apart from the library (by hand and with
// Python's datetime and integer arithmetic, as check_formats_program.py
// does), never values the library computed.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "morvek/formats.h"
#include "morvek/iso8601.h"

namespace morvek {
namespace {

FormatSpec named(std::string_view name) {
    const std::optional<FormatSpec> found = format_spec_from_name(name);
    if (!found) ADD_FAILURE() << "no format " << name;
    return found.value_or(FormatSpec{});
}

std::string failure(Status status) { return "(" + std::string(status_name(status)) + ")"; }

// The moment a text names, as ISO text, or the status in parentheses.
std::string read_as_iso(std::string_view format, std::string_view text) {
    const Result<Moment> moment = moment_from_text(named(format), text);
    if (!moment) return failure(moment.error());
    return std::string(iso8601_from_moment(*moment).value_or(IsoText{}).view());
}

// The text a format gives the moment another text names.
std::string written(std::string_view format, std::string_view from, std::string_view text) {
    const Result<Moment> moment = moment_from_text(named(from), text);
    if (!moment) return failure(moment.error());
    const Result<FormatText> value = text_from_moment(named(format).format, *moment);
    return value ? std::string(value->view()) : failure(value.error());
}

// ---- the ends of every range --------------------------------------------------------

struct RangeEnds {
    std::string_view format;
    std::string_view lowest, lowest_iso, below, below_status;
    std::string_view highest, highest_iso, above, above_status;
};

// The library reads every moment from -292277-12-23T19:59:05Z to
// +292278-01-10T04:00:27.999999999Z; a format's own range may end sooner.
constexpr RangeEnds range_ends[] = {
    {"e0", "-9223372036855", "-292277-12-23T19:59:05Z", "-9223372036856", "(out-of-range)",
     "9223372036854", "+292278-01-10T04:00:27Z", "9223372036855", "(out-of-range)"},
    {"e3", "-9223372036855000", "-292277-12-23T19:59:05Z", "-9223372036855001", "(out-of-range)",
     "9223372036854999", "+292278-01-10T04:00:27.999000Z", "9223372036855000", "(out-of-range)"},
    {"e6", "-9223372036854775808", "-292277-12-23T19:59:05.224192Z", "-9223372036854775809", "(out-of-range)",
     "9223372036854775807", "+292278-01-10T04:00:27.775807Z", "9223372036854775808", "(out-of-range)"},
    {"era_day", "-106751991", "-292277-12-24T00:00:00Z", "-106751992", "(out-of-range)",
     "106751992", "+292278-01-10T00:00:00Z", "106751993", "(out-of-range)"},
    {"rd_julian", "1", "0001-01-01T00:00:00Z", "0", "(nonexistent-date)",
     "106751992", "+292278-01-10T00:00:00Z", "106751993", "(out-of-range)"},
    {"rd_gregorian", "1", "0001-01-01T00:00:00Z", "0", "(nonexistent-date)",
     "106751992", "+292278-01-10T00:00:00Z", "106751993", "(out-of-range)"},
    {"unix", "-9285507633655", "-292277-12-23T19:59:05Z", "-9285507633656", "(out-of-range)",
     "9161236440027", "+292278-01-10T04:00:27Z", "9161236440028", "(out-of-range)"},
    {"file_time", "0", "1601-01-01T00:00:00Z", "-1", "(out-of-range)",
     "9223372036854775807", "+030828-09-14T02:48:05.477580Z", "9223372036854775808", "(out-of-range)"},
    {"unix_ms", "-9285507633655000", "-292277-12-23T19:59:05Z", "-9285507633655001", "(out-of-range)",
     "9161236440027999", "+292278-01-10T04:00:27.999000Z", "9161236440028000", "(out-of-range)"},
    {"unix_us", "-9223372036854775808", "-290308-12-21T19:59:05.224192Z", "-9223372036854775809", "(out-of-range)",
     "9161236440027999999", "+292278-01-10T04:00:27.999999Z", "9161236440028000000", "(out-of-range)"},
    {"unix_ns", "-9223372036854775808", "1677-09-21T00:12:43.145224Z", "-9223372036854775809", "(out-of-range)",
     "9223372036854775807", "2262-04-11T23:47:16.854775Z", "9223372036854775808", "(out-of-range)"},
    {"webkit", "-9223372036854775808", "-290677-12-23T19:59:05.224192Z", "-9223372036854775809", "(out-of-range)",
     "9172880913627999999", "+292278-01-10T04:00:27.999999Z", "9172880913628000000", "(out-of-range)"},
    {"cocoa", "-9286485940855", "-292277-12-23T19:59:05Z", "-9286485940855.000000001", "(out-of-range)",
     "9160258132827.999999999", "+292278-01-10T04:00:27.999999Z", "9160258132828", "(out-of-range)"},
    {"cocoa_ns", "-9223372036854775808", "1708-09-22T00:12:43.145224Z", "-9223372036854775809", "(out-of-range)",
     "9223372036854775807", "2293-04-11T23:47:16.854775Z", "9223372036854775808", "(out-of-range)"},
    {"hfs", "0", "1904-01-01T00:00:00Z", "-1", "(out-of-range)",
     "4294967295", "2040-02-06T06:28:15Z", "4294967296", "(out-of-range)"},
    {"dotnet_ticks", "0", "0001-01-01T00:00:00Z", "-1", "(out-of-range)",
     "3155378975999999999", "9999-12-31T23:59:59.999999Z", "3155378976000000000", "(out-of-range)"},
    {"ole", "-657434", "0100-01-01T00:00:00Z", "-657435", "(out-of-range)",
     "2958465.99999999999999", "9999-12-31T23:59:59.999999Z", "2958466", "(out-of-range)"},
    {"excel", "1", "1900-01-01T00:00:00Z", "0.999999", "(out-of-range)",
     "2958465.99999999999999", "9999-12-31T23:59:59.999999Z", "2958466", "(out-of-range)"},
    {"excel_1904", "0", "1904-01-01T00:00:00Z", "-0.000001", "(out-of-range)",
     "2957003.99999999999999", "9999-12-31T23:59:59.999999Z", "2957004", "(out-of-range)"},
    {"gps", "-9285823598464", "-292277-12-23T19:59:05Z", "-9285823598465", "(out-of-range)",
     "9160920475245", "+292278-01-10T04:00:27Z", "9160920475246", "(out-of-range)"},
    // 01.01.1980 00:00:00 and 31.12.2107 23:59:58; beyond them no day and a 60th second.
    {"fat", "2162688", "1980-01-01T00:00:00Z", "2162687", "(nonexistent-date)",
     "4288659325", "2107-12-31T23:59:58Z", "4288659326", "(nonexistent-time)"},
    {"jdn", "-105030565", "-292277-12-24T00:00:00Z", "-105030566", "(out-of-range)",
     "108473417", "+292278-01-10T00:00:00Z", "108473418", "(out-of-range)"},
    {"mjd", "-107430566", "-292277-12-24T00:00:00Z", "-107430567", "(out-of-range)",
     "106073416", "+292278-01-10T00:00:00Z", "106073417", "(out-of-range)"},
    {"iso", "-292277-12-23T19:59:05Z", "-292277-12-23T19:59:05Z", "-292277-12-23T19:59:04.999999999Z", "(out-of-range)",
     "+292278-01-10T04:00:27.999999Z", "+292278-01-10T04:00:27.999999Z", "+292278-01-10T04:00:28Z", "(out-of-range)"},
};

TEST(FormatRanges, BothEndsReadAndWriteBackAndOneStepBeyondIsRefused) {
    ASSERT_EQ(std::size(range_ends), format_table.size());
    for (const RangeEnds& row : range_ends) {
        SCOPED_TRACE(row.format);
        EXPECT_EQ(read_as_iso(row.format, row.lowest), row.lowest_iso);
        EXPECT_EQ(read_as_iso(row.format, row.highest), row.highest_iso);
        EXPECT_EQ(written(row.format, row.format, row.lowest), row.lowest);
        EXPECT_EQ(written(row.format, row.format, row.highest), row.highest);
        EXPECT_EQ(read_as_iso(row.format, row.below), row.below_status);
        EXPECT_EQ(read_as_iso(row.format, row.above), row.above_status);
    }
}

TEST(FormatTable, EveryExampleReadsAsTheFirstMomentOf2017AndWritesBackToItself) {
    for (std::size_t i = 0; i < format_table.size(); ++i) {
        const FormatInfo& row = format_table[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(static_cast<std::size_t>(row.format), i);
        EXPECT_EQ(format_from_name(row.name), row.format);
        EXPECT_FALSE(row.meaning.empty() || row.where.empty());
        EXPECT_EQ(read_as_iso(row.name, row.example), "2017-01-01T00:00:00Z");
        EXPECT_EQ(written(row.name, row.name, row.example), row.example);
        // A byte form for the integers, and only for them.
        EXPECT_EQ(row.byte_count != 0, row.kind == FormatKind::integer);
    }
}

// ---- round trips ------------------------------------------------------------------------

// What one step of a format is, in nanoseconds; 0 for the day counts.
struct Unit {
    std::string_view format;
    std::int64_t nanoseconds;
    bool names_leap_seconds;
};
constexpr Unit units[] = {
    {"e0", 1'000'000'000, true}, {"e3", 1'000'000, true}, {"e6", 1'000, true}, {"era_day", 0, true},
    {"rd_julian", 0, true}, {"rd_gregorian", 0, true}, {"unix", 1'000'000'000, false}, {"file_time", 100, false},
    {"unix_ms", 1'000'000, false}, {"unix_us", 1'000, false}, {"unix_ns", 1, false}, {"webkit", 1'000, false},
    {"cocoa", 1, false}, {"cocoa_ns", 1, false}, {"hfs", 1'000'000'000, false}, {"dotnet_ticks", 100, false},
    {"ole", 1, false}, {"excel", 1, false}, {"excel_1904", 1, false}, {"gps", 1'000'000'000, true},
    {"fat", 2'000'000'000, false}, {"jdn", 0, true}, {"mjd", 0, true}, {"iso", 1'000, true},
};

Moment at(std::string_view iso) {
    const Result<Moment> moment = moment_from_text({Format::iso, ByteOrder::none}, iso);
    if (!moment) ADD_FAILURE() << iso;
    return moment.value_or(Moment{});
}

// Moments around the leap seconds and the epochs, at both ends and anywhere.
std::vector<Moment> sample_moments() {
    std::mt19937_64 random(1483228800);
    const auto nanosecond = [&] { return static_cast<std::int32_t>(random() % 1'000'000'000); };
    std::vector<Moment> anchors = {min_moment, max_moment};
    for (const std::int64_t leap : detail::leap_second_table) anchors.push_back({leap, 0});
    for (const char* iso : {"0001-01-01", "0100-01-01", "1601-01-01", "1899-12-30", "1900-03-01", "1904-01-01",
                            "1970-01-01", "1980-01-06", "2001-01-01", "2040-02-06T06:28:15Z", "2107-12-31T23:59:59Z",
                            "9999-12-31T23:59:59Z", "-4713-11-24", "1677-09-21T00:12:43Z", "2262-04-11T23:47:16Z"}) {
        anchors.push_back(at(iso));
    }
    std::vector<Moment> moments;
    for (const Moment anchor : anchors) {
        for (std::int64_t step = -3; step <= 3; ++step) {
            const Moment moment{anchor.seconds + step, step == 0 ? 0 : nanosecond()};
            if (moment >= min_moment && moment <= max_moment) moments.push_back(moment);
        }
    }
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t span = i % 2 == 0 ? 20'000'000'000 : static_cast<std::uint64_t>(max_e0);
        const auto offset = static_cast<std::int64_t>(random() % (2 * span + 1)) - static_cast<std::int64_t>(span);
        moments.push_back({i % 2 == 0 ? unix_epoch_e0 + offset : offset, i % 5 == 0 ? 0 : nanosecond()});
    }
    return moments;
}

bool inside_leap_second(Moment moment) { return is_leap_second(moment.seconds); }

TEST(FormatRoundTrips, AMomentWrittenAndReadBackIsTheMomentFlooredToTheUnit) {
    const std::vector<Moment> moments = sample_moments();
    for (const Unit& unit : units) {
        SCOPED_TRACE(unit.format);
        const Format format = named(unit.format).format;
        std::size_t round_trips = 0;
        for (const Moment moment : moments) {
            const Result<FormatText> text = text_from_moment(format, moment);
            if (!text) {
                EXPECT_EQ(text.error(), Status::out_of_range);
                continue;
            }
            const Result<Moment> back = moment_from_text({format, ByteOrder::none}, text->view());
            // The first day of the domain has a number, but its 00:00:00 lies before the domain.
            if (!back && unit.nanoseconds == 0 && moment.seconds < min_e0 + seconds_per_day) continue;
            ASSERT_TRUE(back) << text->view();
            const std::string where = std::to_string(moment.seconds) + "." + std::to_string(moment.nanosecond);
            EXPECT_EQ(text_from_moment(format, *back)->view(), text->view()) << where;
            if (unit.nanoseconds == 0) {  // the day's 00:00:00
                const DateTime day = *date_time_from_moment(CalendarMode::Historical, moment);
                const DateTime midnight = *date_time_from_moment(CalendarMode::Historical, *back);
                EXPECT_TRUE(midnight.date == day.date && midnight.hour == 0 && midnight.minute == 0 &&
                            midnight.second == 0 && midnight.nanosecond == 0)
                    << where;
            } else if (inside_leap_second(moment) && !unit.names_leap_seconds) {
                // FILE time keeps the report's 23:59:59 for a leap second;
                // every other count the midnight after it.
                const Moment expected = unit.format == "file_time"
                                            ? Moment{moment.seconds - 1, moment.nanosecond / 100 * 100}
                                            : Moment{moment.seconds + 1, 0};
                EXPECT_EQ(*back, expected) << where;
            } else {
                const Elapsed floored = moment - *back;
                EXPECT_TRUE(floored.seconds * 1'000'000'000 + floored.nanosecond >= 0 &&
                            floored.seconds * 1'000'000'000 + floored.nanosecond < unit.nanoseconds)
                    << where << " read back as " << back->seconds << "." << back->nanosecond;
            }
            ++round_trips;
        }
        EXPECT_GT(round_trips, 100u);
    }
}

TEST(FormatRoundTrips, AnIntegerValueReadAndWrittenIsItself) {
    std::mt19937_64 random(131277024);
    for (const FormatInfo& row : format_table) {
        if (row.kind != FormatKind::integer) continue;
        SCOPED_TRACE(row.name);
        const std::int64_t example = *integer_from_moment(row.format, *moment_from_text({row.format}, row.example));
        std::size_t read = 0;
        for (int i = 0; i < 20000; ++i) {
            std::int64_t value = static_cast<std::int64_t>(random());
            if (i % 3 == 0) value = example + value % 100'000;
            if (i % 3 == 1) value %= 1'000'000'000'000;
            if (row.format == Format::hfs || row.format == Format::fat) value = static_cast<std::int64_t>(random() >> 32);
            const Result<Moment> moment = moment_from_integer(row.format, value);
            if (!moment) continue;
            ++read;
            EXPECT_EQ(integer_from_moment(row.format, *moment).value_or(-1), value);
        }
        EXPECT_GT(read, 1000u);
    }
}

TEST(FormatRoundTrips, ACanonicalDecimalOrIsoTextReadAndWrittenIsItself) {
    std::mt19937_64 random(504921600);
    const auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += static_cast<char>('0' + random() % 10);
        while (!text.empty() && text.back() == '0') text.pop_back();
        return text;
    };
    for (int i = 0; i < 20000; ++i) {
        // Up to nine decimals are exact seconds; up to eleven exact nanoseconds of a day.
        const std::string cocoa_fraction = digits(static_cast<int>(random() % 10));
        const bool negative = random() % 2 == 0;
        std::string cocoa = (negative ? "-" : "") + std::to_string(random() % 9'000'000'000'000);
        if (!cocoa_fraction.empty()) cocoa += "." + cocoa_fraction;
        if (cocoa == "-0") cocoa = "0";
        EXPECT_EQ(written("cocoa", "cocoa", cocoa), cocoa);

        const std::string day_fraction = digits(static_cast<int>(random() % 12));
        const std::string tail = day_fraction.empty() ? "" : "." + day_fraction;
        const std::string ole = (negative ? "-" : "") + std::to_string(1 + random() % 657434) + tail;
        EXPECT_EQ(written("ole", "ole", ole), ole);
        std::uint64_t excel_day = 1 + random() % 2958465;
        if (excel_day == 60) excel_day = 61;
        EXPECT_EQ(written("excel", "excel", std::to_string(excel_day) + tail), std::to_string(excel_day) + tail);
        const std::string excel_1904 = std::to_string(random() % 2957004) + tail;
        EXPECT_EQ(written("excel_1904", "excel_1904", excel_1904), excel_1904);

        // ISO: four-digit years or a sign and six, the microseconds when not 0.
        const auto year = static_cast<std::int64_t>(random() % 580000) - 290000;
        char iso[48];
        const std::string year_text = year >= 0 && year <= 9999 ? std::to_string(10000 + year).substr(1)
                                                                  : (year < 0 ? "-" : "+") +
                                                                        std::to_string(1000000 + std::abs(year)).substr(1);
        const auto micro = static_cast<int>(random() % 1000000);
        std::snprintf(iso, sizeof iso, "%s-%02d-%02dT%02d:%02d:%02d", year_text.c_str(), static_cast<int>(1 + random() % 12),
                      static_cast<int>(1 + random() % 28), static_cast<int>(random() % 24), static_cast<int>(random() % 60),
                      static_cast<int>(random() % 60));
        const std::string iso_text = std::string(iso) + (micro == 0 || i % 2 ? "" : "." + std::to_string(1000000 + micro).substr(1)) + "Z";
        EXPECT_EQ(written("iso", "iso", iso_text), iso_text);
    }
}

// ---- what is read ------------------------------------------------------------------------

struct Reading {
    std::string_view format;  // with :le or :be for the bytes
    std::string_view text;
    std::string_view expected;  // ISO text, or the status in parentheses
};

// Texts that no format reads, whatever it counts.
constexpr std::string_view junk_of_every_format[] = {"", " \t ", "-", "+", "abc", "1 2", "--1", "1e5", "0x", "1,5",
                                                     "٣", "0x1G", "\x01"};

TEST(FormatReading, JunkIsABadFormatInEveryFormat) {
    for (const FormatInfo& row : format_table) {
        for (const std::string_view junk : junk_of_every_format) {
            EXPECT_EQ(read_as_iso(row.name, junk), "(bad-format)") << row.name << " '" << junk << "'";
        }
    }
}

constexpr Reading readings[] = {
    // Integers: decimal or 0x hexadecimal, never octal; blanks at the ends only.
    {"unix", "0x58684680", "2017-01-01T00:00:00Z"},
    {"unix", "+1483228800", "2017-01-01T00:00:00Z"},
    {"unix", " \t1483228800 ", "2017-01-01T00:00:00Z"},
    {"unix", "01483228800", "2017-01-01T00:00:00Z"},
    {"unix", "-0X10", "1969-12-31T23:59:44Z"},
    {"unix_ms", "-1", "1969-12-31T23:59:59.999000Z"},
    {"unix", "1.5", "(bad-format)"},
    {"unix", "1.", "(bad-format)"},
    {"unix", "0o17", "(bad-format)"},
    {"unix", "12345678901234567890123", "(out-of-range)"},
    {"unix", "-99999999999999999999", "(out-of-range)"},
    {"unix", "0x10000000000000000", "(out-of-range)"},
    {"e0", "", "(bad-format)"},
    // Floor below the epoch, to the unit of the format.
    {"cocoa", "-0.000000001", "2000-12-31T23:59:59.999999Z"},
    {"cocoa", "-.5", "2000-12-31T23:59:59.500000Z"},
    {"cocoa", "1.", "2001-01-01T00:00:01Z"},
    {"cocoa", "1.0000000001", "2001-01-01T00:00:01Z"},             // finer than a nanosecond: floored
    {"cocoa", "-0.0000000001", "2000-12-31T23:59:59.999999Z"},     // toward the past below 0 too
    {"cocoa", ".", "(bad-format)"},
    {"cocoa", "1.2.3", "(bad-format)"},
    {"cocoa", "0x10", "(bad-format)"},
    {"cocoa", "12345678901234567890123", "(out-of-range)"},
    {"webkit", "-1", "1600-12-31T23:59:59.999999Z"},
    // OLE counts the whole days back from 30.12.1899 and the fraction forward.
    {"ole", "-1.25", "1899-12-29T06:00:00Z"},
    {"ole", "-0.5", "1899-12-30T12:00:00Z"},
    {"ole", "0.1", "1899-12-30T02:24:00Z"},
    {"ole", "1.5e3", "(bad-format)"},
    // Excel's 1900 system counts a 29.02.1900.
    {"excel", "59", "1900-02-28T00:00:00Z"},
    {"excel", "59.999", "1900-02-28T23:58:33.600000Z"},
    {"excel", "60", "(nonexistent-date)"},
    {"excel", "60.5", "(nonexistent-date)"},
    {"excel", "61", "1900-03-01T00:00:00Z"},
    {"excel", "0", "(out-of-range)"},
    {"excel", "-1", "(out-of-range)"},
    // A value of zero has no sign.
    {"excel_1904", "-0", "1904-01-01T00:00:00Z"},
    {"excel_1904", "-0.000", "1904-01-01T00:00:00Z"},
    {"excel_1904", "-0.0001", "(out-of-range)"},
    // GPS counts the leap seconds: 18 of them from 06.01.1980 to 2017.
    {"gps", "0", "1980-01-06T00:00:00Z"},
    {"gps", "1167264017", "2016-12-31T23:59:60Z"},
    {"gps", "-1", "1980-01-05T23:59:59Z"},
    {"e0", "63618825626", "2016-12-31T23:59:60Z"},
    {"e0", "62214393600", "1972-06-30T23:59:60Z"},
    // FAT: fields that name no day or no time.
    {"fat", "0", "(nonexistent-date)"},
    {"fat", "1243676702", "(nonexistent-time)"},  // 01.01.2017, second 60
    {"fat", "1243676703", "(nonexistent-time)"},  // second 62
    {"fat", "1243678592", "(nonexistent-time)"},  // minute 60
    {"fat", "1243725824", "(nonexistent-time)"},  // hour 24
    {"fat", "1243611136", "(nonexistent-date)"},  // 00.01.2017
    {"fat", "1247608832", "(nonexistent-date)"},  // 29.02.2017
    {"fat", "4294967296", "(out-of-range)"},
    {"fat", "1243676687", "2017-01-01T00:00:30Z"},
    // Day counts: JDN and MJD of the civil day, at its 00:00:00.
    {"jdn", "2451545", "2000-01-01T00:00:00Z"},
    {"mjd", "51544", "2000-01-01T00:00:00Z"},
    {"mjd", "0", "1858-11-17T00:00:00Z"},
    {"jdn", "0", "-004713-11-24T00:00:00Z"},
    {"era_day", "-1", "0000-12-31T00:00:00Z"},
    {"era_day", "0", "(nonexistent-date)"},
    {"rd_gregorian", "-5", "(nonexistent-date)"},
    // Bytes as a hex dump shows them.
    {"file_time:le", "00 C0 B0 FE C1 63 D2 01", "2017-01-01T00:00:00Z"},
    {"file_time:le", "00c0b0fec163d201", "2017-01-01T00:00:00Z"},
    {"file_time:le", "00C0 B0FE C163 D201", "2017-01-01T00:00:00Z"},
    {"file_time:be", "01 D2 63 C1 FE B0 C0 00", "2017-01-01T00:00:00Z"},
    {"file_time:le", "FF FF FF FF FF FF FF FF", "(out-of-range)"},
    {"unix:be", "00 00 00 00 58 68 46 80", "2017-01-01T00:00:00Z"},
    {"unix_ns:le", "FF FF FF FF FF FF FF FF", "1969-12-31T23:59:59.999999Z"},
    {"e6:be", "80 00 00 00 00 00 00 00", "-292277-12-23T19:59:05.224192Z"},
    {"hfs:be", "D4 8D F7 00", "2017-01-01T00:00:00Z"},
    {"hfs:le", "00 F7 8D D4", "2017-01-01T00:00:00Z"},
    {"hfs:be", "FF FF FF FF", "2040-02-06T06:28:15Z"},
    {"fat:be", "4A 21 00 00", "2017-01-01T00:00:00Z"},
    {"fat:le", "00 00 21 4A", "2017-01-01T00:00:00Z"},
    {"file_time:le", "00 C0 B0 FE C1 63 D2", "(bad-format)"},      // seven bytes
    {"file_time:le", "00 C0 B0 FE C1 63 D2 01 00", "(bad-format)"},  // nine
    {"hfs:le", "00 F7 8D D4 00 00 00 00", "(bad-format)"},         // eight for four
    {"hfs:le", "00 F7 8D", "(bad-format)"},
    {"file_time:le", "0 C0 B0 FE C1 63 D2 01", "(bad-format)"},    // half a byte
    {"file_time:le", "0x00C0B0FEC163D201", "(bad-format)"},
    {"hfs:be", "GG GG GG GG", "(bad-format)"},
    {"hfs:be", "", "(bad-format)"},
    // ISO 8601 and RFC 3339: the offset is subtracted; :60 only in a leap second.
    {"iso", "2017-01-01", "2017-01-01T00:00:00Z"},
    {"iso", "2017-01-01T00:00", "2017-01-01T00:00:00Z"},
    {"iso", "2017-01-01t00:00:00z", "2017-01-01T00:00:00Z"},
    {"iso", "2017-01-01 00:00:00", "2017-01-01T00:00:00Z"},
    {"iso", "2017-01-01T01:00:00+01:00", "2017-01-01T00:00:00Z"},
    {"iso", "2017-01-01T01:00:00+0100", "2017-01-01T00:00:00Z"},
    {"iso", "2016-12-31T19:00:00-05:00", "2017-01-01T00:00:00Z"},
    {"iso", "2017-01-01T00:00:00-00:00", "2017-01-01T00:00:00Z"},
    {"iso", "2017-01-01T00:00:00.5+23:59", "2016-12-31T00:01:00.500000Z"},
    {"iso", "2017-01-01T00:00:00,25Z", "2017-01-01T00:00:00.250000Z"},
    {"iso", "20170101", "2017-01-01T00:00:00Z"},
    {"iso", "20170101T000000Z", "2017-01-01T00:00:00Z"},
    {"iso", "20170101T010000.5+0100", "2017-01-01T00:00:00.500000Z"},
    {"iso", "+2017-01-01", "2017-01-01T00:00:00Z"},
    {"iso", "+002017-01-01T00:00:00Z", "2017-01-01T00:00:00Z"},
    {"iso", "-000001-01-01T00:00:00Z", "-000001-01-01T00:00:00Z"},
    {"iso", "0000-02-29", "0000-02-29T00:00:00Z"},
    {"iso", "-0004-02-29", "-000004-02-29T00:00:00Z"},
    {"iso", "-0400-02-29", "-000400-02-29T00:00:00Z"},
    {"iso", "2000-02-29", "2000-02-29T00:00:00Z"},
    {"iso", "2016-12-31T23:59:60Z", "2016-12-31T23:59:60Z"},
    {"iso", "2016-12-31T23:59:60.999999999Z", "2016-12-31T23:59:60.999999Z"},
    {"iso", "2017-01-01T00:59:60+01:00", "2016-12-31T23:59:60Z"},
    {"iso", "2016-12-31T18:59:60-05:00", "2016-12-31T23:59:60Z"},
    {"iso", "1972-06-30T23:59:60Z", "1972-06-30T23:59:60Z"},
    {"iso", "2017-01-01T23:59:60Z", "(nonexistent-time)"},
    {"iso", "2016-12-31T23:59:60+01:00", "(nonexistent-time)"},
    {"iso", "2016-12-31T22:59:60Z", "(nonexistent-time)"},
    {"iso", "2017-01-01T24:00:00Z", "(nonexistent-time)"},
    {"iso", "2017-01-01T24:00Z", "(nonexistent-time)"},
    {"iso", "2017-01-01T00:60:00Z", "(nonexistent-time)"},
    {"iso", "2017-02-29", "(nonexistent-date)"},
    {"iso", "1900-02-29", "(nonexistent-date)"},
    {"iso", "-0100-02-29", "(nonexistent-date)"},
    {"iso", "2017-13-01", "(nonexistent-date)"},
    {"iso", "2017-01-32", "(nonexistent-date)"},
    {"iso", "2017-01-01T00:00:00+24:00", "(bad-format)"},
    {"iso", "2017-01-01T00:00:00+00:60", "(bad-format)"},
    {"iso", "2017-01-01T00:00:00+01", "(bad-format)"},
    {"iso", "2017-01-01T00:00:00 Z", "(bad-format)"},
    {"iso", "2017-01-01T00:00:00.Z", "(bad-format)"},
    {"iso", "2017-01-01T00:00:00.1234567890Z", "(bad-format)"},
    {"iso", "20170101T000000+01:00", "(bad-format)"},
    {"iso", "20170101T0000Z", "(bad-format)"},
    {"iso", "12017-01-01", "(bad-format)"},
    {"iso", "2017-1-01", "(bad-format)"},
    {"iso", "2017-01-01T", "(bad-format)"},
    {"iso", "+300001-01-01", "(out-of-range)"},
    {"iso", "-292278-01-01", "(out-of-range)"},
};

TEST(FormatReading, EachTextReadsAsTheMomentItNamesOrFailsWithItsStatus) {
    for (const Reading& row : readings) {
        EXPECT_EQ(read_as_iso(row.format, row.text), row.expected) << row.format << " '" << row.text << "'";
    }
}

TEST(FormatReading, FractionsAreFlooredExactlyWhateverTheirLength) {
    // The first nanosecond of 30.12.1899 begins at 1 / (86400 × 10^9) of the
    // day, 0.0000000000000115740740740740..., which no decimal reaches.
    const struct {
        std::string_view format, text, unix_ns;
    } rows[] = {
        {"ole", "0.0000000000000115740740745", "-2209161599999999999"},
        {"ole", "0.0000000000000115740740740", "-2209161600000000000"},
        {"ole", "0.00000000000001157407407407407407407407407407407408", "-2209161599999999999"},
        {"ole", "0.00000000000001157407407407407407407407407407407407", "-2209161600000000000"},
        {"excel_1904", "0.5000000000000000000000000000001", "-2082801600000000000"},
        {"iso", "2017-01-01T00:00:00.123456789Z", "1483228800123456789"},
        {"cocoa", "-0.123456789", "978307199876543211"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(written("unix_ns", row.format, row.text), row.unix_ns) << row.format << " " << row.text;
    }
    // Any number of digits: 0.4 and 300 nines lies in the nanosecond before 12:00, 0.5000...01 in 12:00's.
    const std::string nines(300, '9');
    EXPECT_EQ(written("unix_ns", "excel_1904", "0.4" + nines), "-2082801600000000001");
    EXPECT_EQ(written("unix_ns", "excel_1904", "0.5" + std::string(300, '0') + "1"), "-2082801600000000000");
}

TEST(FormatWriting, FractionsAreTheShortestTextOfTheSameNanosecond) {
    const struct {
        std::string_view format, from, value, text;
    } rows[] = {
        {"ole", "unix_ns", "-2209161599999999999", "0.00000000000002"},  // 1 ns into 30.12.1899
        {"ole", "unix_ns", "-2209248000000000000", "-1"},
        {"ole", "unix_ns", "-2209226400000000000", "-1.25"},  // 29.12.1899 06:00
        {"ole", "unix_ns", "-2209152960000000000", "0.1"},
        {"excel", "unix_ns", "-2203934400000000000", "59.5"},  // 28.02.1900 12:00
        {"excel", "unix_ns", "-2203977600000000000", "59"},
        {"excel", "unix_ns", "-2203891200000000000", "61"},  // 01.03.1900
        {"excel", "unix_ns", "-2208988800000000000", "1"},
        {"excel", "unix_ns", "-2208988800000000001", "(out-of-range)"},
        {"cocoa", "unix_ns", "978307199500000000", "-0.5"},
        {"cocoa", "unix_ns", "978307200000000001", "0.000000001"},
        {"fat", "unix_ns", "1483228801999999999", "1243676672"},  // the odd second written as the even one before it
        {"fat", "unix", "315532799", "(out-of-range)"},
        {"hfs", "unix_ns", "-2082844800000000001", "(out-of-range)"},
        {"rd_julian", "unix_us", "-62135596800000001", "(out-of-range)"},
        {"era_day", "unix_us", "-62135596800000001", "-1"},
        // Inside a leap second the counts without them give the midnight after it.
        {"unix_ms", "iso", "2016-12-31T23:59:60.5Z", "1483228800000"},
        {"cocoa", "iso", "2016-12-31T23:59:60.5Z", "504921600"},
        {"ole", "iso", "2016-12-31T23:59:60.5Z", "42736"},
        {"gps", "iso", "2016-12-31T23:59:60.5Z", "1167264017"},
        {"mjd", "iso", "2016-12-31T23:59:60.5Z", "57753"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(written(row.format, row.from, row.value), row.text) << row.format << " " << row.value;
    }
}

TEST(FormatNames, ByteFormsOnlyForIntegersAndOnlyAsSuffixes) {
    for (const FormatInfo& row : format_table) {
        for (const std::string_view suffix : {":le", ":be"}) {
            const std::string name = std::string(row.name) + std::string(suffix);
            EXPECT_EQ(format_spec_from_name(name).has_value(), row.kind == FormatKind::integer) << name;
        }
        // Read in bytes anyway, a decimal or ISO text is no value.
        if (row.kind != FormatKind::integer) {
            EXPECT_EQ(moment_from_text({row.format, ByteOrder::little_endian}, "00").error(), Status::bad_format);
        }
    }
    for (const std::string_view name : {"unix:xx", "UNIX", "unix_ms:", ":le", "", "le", "unix:le:be"}) {
        EXPECT_FALSE(format_spec_from_name(name).has_value()) << name;
    }
    EXPECT_EQ(moment_from_integer(Format::iso, 0).error(), Status::bad_format);
    EXPECT_EQ(integer_from_moment(Format::cocoa, Moment{}).error(), Status::bad_format);
}

// ---- guessing ------------------------------------------------------------------------

std::string guessed_names(std::string_view text, YearWindow window = {}) {
    std::string names;
    const Guesses guesses = guess_formats(text, window);  // kept: view() of a temporary would dangle
    for (const Guess& guess : guesses.view()) {
        if (!names.empty()) names += ' ';
        names += format_info(guess.format).name;
    }
    return names;
}

TEST(FormatGuesses, EveryFormatWhoseReadingFallsInTheWindowInNameOrder) {
    // 0 is 1970 to the Unix counts, 1601 to FILE time and WebKit, 1858 to
    // MJD, 1899 to OLE, 1904 to HFS+ and Excel 1904, 1980 to GPS, 2001 to Cocoa.
    EXPECT_EQ(guessed_names("0", {1970, 1970}), "unix unix_ms unix_ns unix_us");
    EXPECT_EQ(guessed_names("0", {1601, 1601}), "file_time webkit");
    EXPECT_EQ(guessed_names("0", {1858, 1858}), "mjd");
    EXPECT_EQ(guessed_names("0", {1899, 1904}), "excel_1904 hfs ole");
    EXPECT_EQ(guessed_names("0", {1980, 2001}), "cocoa cocoa_ns gps");
    EXPECT_EQ(guessed_names("0", {1, 1}), "dotnet_ticks e0 e3 e6");
    EXPECT_EQ(guessed_names("0", {1971, 1979}), "");
    EXPECT_EQ(guessed_names("42736"), "cocoa cocoa_ns excel excel_1904 gps mjd ole unix unix_ms unix_ns unix_us");
    EXPECT_EQ(guessed_names("2017-01-01T00:00:00Z"), "iso");
    EXPECT_EQ(guessed_names("00 C0 B0 FE C1 63 D2 01"), "");
    // The window's years are included, both of them.
    EXPECT_EQ(guessed_names("1483228800", {2017, 2017}), "unix");
    EXPECT_EQ(guessed_names("1483228800", {2018, 2047}), "fat gps");
    EXPECT_EQ(guessed_names("1483228800", {2027, 2048}), "cocoa gps");
    EXPECT_EQ(guessed_names("1483228800", {2049, 2099}), "");
    // The Unix counts read -1 in 1969, just outside the default window.
    EXPECT_EQ(guessed_names("-1"), "cocoa cocoa_ns gps");
    EXPECT_EQ(guessed_names("-1", {1969, 1969}), "unix unix_ms unix_ns unix_us");
    // The window counts the years the ISO texts show: proleptic Gregorian, 0 is 1 BCE.
    EXPECT_EQ(guessed_names("-1", {0, 0}), "e0 e3 e6 era_day");
    EXPECT_EQ(guessed_names("-1", {-1, -1}), "");
    EXPECT_EQ(guessed_names("-14831424000", {1500, 1500}), "unix");  // 05.01.1500, 26.12.1499 of the Julian calendar
    const Guesses guesses = guess_formats("42736");
    ASSERT_GE(guesses.count, 3u);
    EXPECT_EQ(iso8601_from_moment(guesses.items[2].moment)->view(), "2017-01-01T00:00:00Z");  // excel
}

}  // namespace
}  // namespace morvek
