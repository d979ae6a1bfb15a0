#include "output_classifier.h"

#include <array>
#include <cinttypes>
#include <cstdio>
#include <limits>
#include <optional>
#include <vector>

#include "expected_texts.h"

namespace morvek::check {

namespace {

constexpr std::string_view usage = expected::usage_text;
constexpr std::string_view too_big_text = expected::too_big_message;
constexpr std::string_view era_day_zero_text = expected::era_day_zero_message;

constexpr std::array<std::string_view, 8> weekday_texts = {
    "Not a Day of Week", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday",
};

// Unix time of the midnight after each inserted second.
constexpr std::array<std::int64_t, 27> leap_midnights_unix = {
    78796800,   94694400,   126230400,  157766400,  189302400,  220924800,  252460800,
    283996800,  315532800,  362793600,  394329600,  425865600,  489024000,  567993600,
    631152000,  662688000,  709948800,  741484800,  773020800,  820454400,  867715200,
    915148800,  1136073600, 1230768000, 1341100800, 1435708800, 1483228800,
};

std::int64_t leap_entry(std::size_t index) {
    return unix_epoch_e0 + leap_midnights_unix[index] + static_cast<std::int64_t>(index);
}

struct Rejection {
    std::string problem;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "%lli" output: an optional minus and digits, no leading zero, no "-0".
std::optional<std::int64_t> strict_integer(std::string_view text) {
    bool negative = false;
    std::size_t i = 0;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        i = 1;
    }
    if (i == text.size()) return std::nullopt;
    if (text[i] == '0' && (text.size() != i + 1 || negative)) return std::nullopt;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!is_digit(text[i])) return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        if (magnitude > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    if (magnitude > limit) return std::nullopt;
    if (negative) return magnitude == limit ? std::numeric_limits<std::int64_t>::min()
                                            : -static_cast<std::int64_t>(magnitude);
    return static_cast<std::int64_t>(magnitude);
}

std::optional<std::int32_t> two_digits(std::string_view text) {
    if (text.size() != 2 || !is_digit(text[0]) || !is_digit(text[1])) return std::nullopt;
    return (text[0] - '0') * 10 + (text[1] - '0');
}

std::string expand_tabs(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\t') {
            do out.push_back(' ');
            while (out.size() % 8 != 0);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

// "dd.mm.y  hh:mm:ss" exactly, nothing before or after.
std::optional<DateTime> date_time(std::string_view text) {
    const auto gap = text.find("  ");
    if (gap == std::string_view::npos || gap < 7) return std::nullopt;
    if (text[2] != '.' || text[5] != '.') return std::nullopt;
    const auto day = two_digits(text.substr(0, 2));
    const auto month = two_digits(text.substr(3, 2));
    const auto year = strict_integer(text.substr(6, gap - 6));
    const std::string_view time = text.substr(gap + 2);
    if (time.size() != 8 || time[2] != ':' || time[5] != ':') return std::nullopt;
    const auto hour = two_digits(time.substr(0, 2));
    const auto minute = two_digits(time.substr(3, 2));
    const auto second = two_digits(time.substr(6, 2));
    if (!day || !month || !year || !hour || !minute || !second) return std::nullopt;
    if (*day < 1 || *day > 31 || *month < 1 || *month > 12) return std::nullopt;
    if (*year == 0 || *year < std::numeric_limits<std::int32_t>::min() ||
        *year > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    if (*hour > 23 || *minute > 59 || *second > 60) return std::nullopt;
    if (*second == 60 && (*hour != 23 || *minute != 59)) return std::nullopt;
    return DateTime{*day, *month, static_cast<std::int32_t>(*year), *hour, *minute, *second};
}

// A dated line: the label, the date and time, then the given ending.
std::optional<DateTime> dated_line(std::string_view line, std::string_view label, std::string_view ending) {
    if (!line.starts_with(label) || !line.ends_with(ending)) return std::nullopt;
    if (line.size() < label.size() + ending.size()) return std::nullopt;
    return date_time(line.substr(label.size(), line.size() - label.size() - ending.size()));
}

// A value line through the column layout: the expanded format with the value
// and the tail in its column, or, when the expansion leaves no room for the
// column, the format unexpanded with the value alone.
std::optional<std::pair<std::int64_t, std::string_view>> column_line(std::string_view line,
                                                                     std::string_view raw_prefix,
                                                                     std::size_t column) {
    const std::string expanded = expand_tabs(raw_prefix);
    if (line.starts_with(expanded)) {
        const std::string_view rest = line.substr(expanded.size());
        const auto end = rest.find(' ');
        if (end == std::string_view::npos) return std::nullopt;
        const auto value = strict_integer(rest.substr(0, end));
        if (!value) return std::nullopt;
        const std::size_t value_end = expanded.size() + end;
        if (value_end >= column || line.size() < column) return std::nullopt;
        for (std::size_t i = value_end; i < column; ++i)
            if (line[i] != ' ') return std::nullopt;
        return std::pair{*value, line.substr(column)};
    }
    if (line.starts_with(raw_prefix)) {
        const std::string_view digits = line.substr(raw_prefix.size());
        const auto value = strict_integer(digits);
        if (!value || expanded.size() + digits.size() < column) return std::nullopt;
        return std::pair{*value, std::string_view{}};
    }
    return std::nullopt;
}

std::optional<std::int64_t> hex_line(std::string_view line, std::string_view raw_prefix) {
    const auto parsed = column_line(line, raw_prefix, 41);
    if (!parsed) return std::nullopt;
    if (!parsed->second.empty() && parsed->second != hex_column(parsed->first)) return std::nullopt;
    return parsed->first;
}

bool is_switch(std::string_view text) {
    return text.size() >= 2 && (text[0] == '-' || text[0] == '/') && !is_digit(text[1]);
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

char switch_letter(std::string_view text) { return is_switch(text) ? upper(text[1]) : '\0'; }

bool is_era_day_switch(std::string_view text) {
    const char letter = switch_letter(text);
    return letter == 'D' || (letter == 'E' && text.size() >= 3 && upper(text[2]) == 'D');
}

struct Lines {
    std::vector<std::string_view> items;
    std::size_t next = 0;

    std::optional<std::string_view> take() {
        if (next >= items.size()) return std::nullopt;
        return items[next++];
    }
    bool take_blank() {
        const auto line = take();
        return line && line->empty();
    }
};

std::string parse_report(std::string_view output, std::span<const std::string_view> arguments,
                         Report& report) {
    if (!output.ends_with('\n')) return "report does not end with a line end";
    Lines lines;
    std::size_t start = 0;
    while (start < output.size()) {
        const auto end = output.find('\n', start);
        lines.items.push_back(output.substr(start, end - start));
        start = end + 1;
    }

    report.single_layout = arguments.size() == 1;
    if (!lines.take_blank()) return "no blank line before the date";
    const auto first = lines.take();
    if (!first) return "no date line";
    if (report.single_layout) {
        std::optional<DateTime> parsed;
        if ((parsed = dated_line(*first, "Date: \t\t ", "  (UTC)"))) {
            report.clock_tag = "(UTC)";
        } else if (!(parsed = dated_line(*first, "Date: \t\t ", "  "))) {
            return "malformed single-argument date line";
        }
        report.first = report.era_date = *parsed;
    } else if (auto plain = dated_line(*first, "Date: \t\t ", " ")) {
        report.block = DateBlock::plain;
        report.first = report.era_date = *plain;
    } else {
        std::optional<DateTime> other;
        if ((other = dated_line(*first, "Gregorian Date:\t ", " "))) {
            report.block = DateBlock::gregorian;
        } else if ((other = dated_line(*first, "Julian Date: \t ", " "))) {
            report.block = DateBlock::julian;
        } else {
            return "malformed multi-argument date line";
        }
        report.first = *other;
        if (!lines.take_blank()) return "no blank line before the Era Date line";
        const auto era_line = lines.take();
        if (!era_line) return "no Era Date line";
        const auto era = dated_line(*era_line, "Era Date: \t ", " ");
        if (!era) return "malformed Era Date line";
        report.era_date = *era;
        if (era->hour != other->hour || era->minute != other->minute || era->second != other->second)
            return "the two date lines show different times";
    }
    if (!lines.take_blank()) return "no blank line after the date block";

    auto line = lines.take();
    if (!line) return "report ends after the date block";
    if (line->starts_with("RD ")) {
        std::string_view label;
        if (line->starts_with("RD Julian:\t ")) {
            label = "RD Julian:\t ";
        } else if (line->starts_with("RD Gregorian:\t ")) {
            label = "RD Gregorian:\t ";
            report.rd_gregorian = true;
        } else {
            return "malformed RD label";
        }
        if (!line->ends_with(' ') || line->size() < label.size() + 2) return "malformed RD line";
        const auto value = strict_integer(line->substr(label.size(), line->size() - label.size() - 1));
        if (!value) return "malformed RD value";
        report.has_rd = true;
        report.rd = *value;
        line = lines.take();
        if (!line) return "report ends after the RD line";
    }

    const auto ed = column_line(*line, "ED: \t\t ", 33);
    if (!ed) return "malformed ED line";
    report.era_day = ed->first;
    report.weekday = std::string(ed->second);
    if (!ed->second.empty()) {
        bool known = false;
        for (auto name : weekday_texts) known = known || name == ed->second;
        if (!known) return "unknown weekday text";
    }
    if (!lines.take_blank()) return "no blank line after the ED line";

    struct HexLine {
        std::string_view prefix;
        std::int64_t* target;
    };
    for (const HexLine& hex : {HexLine{"E0 time:\t ", &report.e0}, HexLine{"E3 time:\t ", &report.e3},
                               HexLine{"E6 time:\t ", &report.e6}}) {
        line = lines.take();
        if (!line) return "report ends before " + std::string(hex.prefix);
        const auto value = hex_line(*line, hex.prefix);
        if (!value) return "malformed line: " + std::string(*line);
        *hex.target = *value;
    }

    line = lines.take();
    constexpr std::string_view leap_label = "Leap Seconds:\t ";
    if (!line || !line->starts_with(leap_label)) return "malformed Leap Seconds label";
    {
        const std::size_t width = std::to_string(report.e0).size();
        const std::string_view field = line->substr(leap_label.size());
        const auto digits_at = field.find_first_not_of(' ');
        if (digits_at == std::string_view::npos) return "empty Leap Seconds field";
        const std::string_view digits = field.substr(digits_at);
        const auto count = strict_integer(digits);
        if (!count || *count < 0 || *count > 27) return "malformed Leap Seconds count";
        if (field.size() != std::max(width, digits.size())) return "Leap Seconds field has the wrong width";
        report.leap_seconds = static_cast<std::int32_t>(*count);
    }
    if (!lines.take_blank()) return "no blank line after the Leap Seconds line";

    for (const HexLine& hex : {HexLine{"Unix time:\t ", &report.unix_time},
                               HexLine{"FILE time:\t ", &report.file_time}}) {
        line = lines.take();
        if (!line) return "report ends before " + std::string(hex.prefix);
        const auto value = hex_line(*line, hex.prefix);
        if (!value) return "malformed line: " + std::string(*line);
        *hex.target = *value;
    }
    if (!lines.take_blank()) return "no blank line at the end";
    if (lines.next != lines.items.size()) return "text after the report";

    // What the arguments decide about the shape.
    const bool historical_year = report.historical().year > 0;
    if (report.single_layout) {
        const std::string_view a = arguments[0];
        const bool clock = a.size() >= 2 && (a[0] == '-' || a[0] == '/') && upper(a[1]) == 'C';
        if (clock != (report.clock_tag == "(UTC)")) return "clock tag does not match the argument";
        const bool dated = clock || a.find('.') != std::string_view::npos;
        if (report.has_rd != (dated && historical_year)) return "RD line where none belongs, or missing";
    } else {
        const std::string_view b = arguments[1];
        const char letter = switch_letter(b);
        const bool day_count_form = arguments.size() == 2 && (letter == 'J' || letter == 'G') &&
                                    arguments[0].find('.') == std::string_view::npos;
        if (report.block != DateBlock::plain && !day_count_form)
            return "two-calendar date block for a form without a day count";
        if (report.block == DateBlock::gregorian && letter != 'G') return "Gregorian block without /G";
        if (report.block == DateBlock::julian && letter != 'J') return "Julian block without /J";
        if (arguments.size() == 2 && !is_switch(b) && report.has_rd != historical_year)
            return "RD line of a historical date and time missing or misplaced";
        if (arguments.size() == 2 && (letter == 'D' || letter == 'E' || letter == 'U' || letter == 'F') &&
            report.has_rd)
            return "RD line in a number form";
    }
    if (report.has_rd && (report.block != DateBlock::plain || !historical_year))
        return "RD line after a two-calendar block or before year 1";
    return {};
}

}  // namespace

std::string_view usage_text() { return usage; }

std::string hex_column(std::int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%016" PRIX64, static_cast<std::uint64_t>(value));
    return text;
}

std::int32_t leap_seconds_up_to(std::int64_t e0) {
    std::int32_t count = 0;
    for (std::size_t i = 0; i < leap_midnights_unix.size(); ++i)
        if (leap_entry(i) <= e0) ++count;
    return count;
}

bool is_leap_second(std::int64_t e0) {
    for (std::size_t i = 0; i < leap_midnights_unix.size(); ++i)
        if (leap_entry(i) == e0) return true;
    return false;
}

Classification classify_output(std::string_view output, std::span<const std::string_view> arguments) {
    Classification result;
    const std::size_t count = arguments.size();
    if (output == usage) {
        result.kind = OutputKind::usage;
        return result;
    }
    if (count == 0 || count >= 4) {
        result.problem = "only the usage text fits this number of arguments";
        return result;
    }
    if (output == too_big_text) {
        result.kind = OutputKind::too_big;
        return result;
    }
    const std::string_view a = arguments[0];
    if (count == 1) {
        if (output == "\n\t" + std::string(a) + " 00:00:00 - non-existent date\n") {
            result.kind = OutputKind::nonexistent_date_one;
            return result;
        }
    } else {
        const std::string pair = "\n\t" + std::string(a) + " " + std::string(arguments[1]);
        if (output == pair + " - non-existent date\n") {
            result.kind = OutputKind::nonexistent_date_two;
            return result;
        }
        if (output == pair + " - non-existent time\n") {
            result.kind = OutputKind::nonexistent_time;
            return result;
        }
        if (count == 2 && is_era_day_switch(arguments[1]) && output == era_day_zero_text) {
            result.kind = OutputKind::era_day_zero;
            return result;
        }
    }
    const std::string problem = parse_report(output, arguments, result.report);
    if (problem.empty()) {
        result.kind = OutputKind::report;
    } else {
        result.problem = problem;
        result.report = Report{};
    }
    return result;
}

std::string report_inconsistency(const Report& r) {
    // Weekday: Era Day 1 is a Monday and the days run on across the missing day 0.
    if (r.era_day == 0) return "Era Day 0";
    if (!r.weekday.empty()) {
        const std::int64_t from_monday = r.era_day > 0 ? r.era_day - 1 : r.era_day;
        const auto index = static_cast<std::size_t>(((from_monday % 7) + 7) % 7 + 1);
        if (r.weekday != weekday_texts[index]) return "weekday does not match the Era Day";
    }
    if ((r.historical().year > 0) != (r.era_day > 0)) return "year and Era Day disagree in sign";
    if (r.has_rd) {
        if (r.rd != r.era_day) return "RD total differs from the Era Day";
        if (r.rd_gregorian != (r.era_day > 577735)) return "RD label on the wrong side of the reform";
    }

    // Sub-second parts: E3 and E6 extend E0 by at most 999 units each, with the sign of the whole.
    std::int64_t e0_ms = 0;
    std::int64_t e3_us = 0;
    if (__builtin_mul_overflow(r.e0, std::int64_t{1000}, &e0_ms)) return "E0 x 1000 overflows";
    if (__builtin_mul_overflow(r.e3, std::int64_t{1000}, &e3_us)) return "E3 x 1000 overflows";
    std::int64_t millis = 0;
    std::int64_t micros = 0;
    if (__builtin_sub_overflow(r.e3, e0_ms, &millis) || millis < -999 || millis > 999)
        return "E3 is not E0 x 1000 plus a millisecond part";
    if (__builtin_sub_overflow(r.e6, e3_us, &micros) || micros < -999 || micros > 999)
        return "E6 is not E3 x 1000 plus a microsecond part";
    if ((millis > 0 && micros < 0) || (millis < 0 && micros > 0)) return "sub-second parts differ in sign";
    if (r.e0 > 0 && (millis < 0 || micros < 0)) return "negative sub-second part of a positive E0";
    if (r.e0 < 0 && (millis > 0 || micros > 0)) return "positive sub-second part of a negative E0";

    const std::int32_t leaps = leap_seconds_up_to(r.e0);
    if (r.leap_seconds != leaps) return "Leap Seconds count does not match E0";

    // Time of day and Era Day from E0.
    const DateTime& t = r.historical();
    const bool in_leap_second = t.second == 60;
    const std::int64_t clock_seconds = t.hour * 3600 + t.minute * 60 + t.second;
    const bool last_second_before_era = r.e0 == 0 && r.e6 < 0;
    if (last_second_before_era) {
        if (!(t.day == 31 && t.month == 12 && t.year == -1 && clock_seconds == 86399 && r.era_day == -1))
            return "a moment within the last second before the Era is not 31.12.-1 23:59:59";
    } else if (r.e0 >= 0) {
        if (in_leap_second != is_leap_second(r.e0)) return "second 60 shown where there is no leap second";
        const std::int64_t leap_free = r.e0 - leaps;
        if (leap_free % 86400 != clock_seconds - (in_leap_second ? 1 : 0)) return "time of day does not match E0";
        if (leap_free / 86400 + 1 != r.era_day) return "Era Day does not match E0";
    } else {
        const std::int64_t day = r.e0 / 86400 - (r.e0 % 86400 != 0 ? 1 : 0);
        if (day != r.era_day) return "Era Day does not match a negative E0";
        if (r.e0 - day * 86400 != clock_seconds) return "time of day does not match a negative E0";
    }

    if (r.unix_time != r.e0 + (in_leap_second ? 1 : 0) - leaps - unix_epoch_e0)
        return "Unix time does not match E0";

    if (r.e0 < file_epoch_e0) {
        if (r.file_time != 0) return "FILE time of a moment before 1601 is not 0";
    } else {
        std::int64_t base = 0;
        const std::int64_t below = (r.e0 - leaps - file_epoch_e0);
        if (__builtin_mul_overflow(below, std::int64_t{10000000}, &base) ||
            __builtin_add_overflow(base, millis * 10000 + micros * 10, &base)) {
            if (r.file_time != -1) return "FILE time beyond 64 bits is not -1";
        } else if (r.file_time == -1) {
            if (base <= std::numeric_limits<std::int64_t>::max() - 9) return "FILE time -1 for a value in range";
        } else if (r.file_time < base || r.file_time - base > 9) {
            return "FILE time does not match E0 and its sub-second parts";
        }
    }
    return {};
}

}  // namespace morvek::check
