// The page's one entry into the library: an argument line in, the program's
// output and every value of the result out, as JSON. What the page says in
// words is built from what this tells it: the scale a number was read on,
// the day in each calendar, which argument was not read and why, the
// formats that read a line the command does not, and the guesser's readings.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "morvek/morvek.h"
#include "morvek/record.h"

namespace {

// Longer lines are refused rather than converted: the page caps its box at
// this too, and a message quotes its arguments whole.
constexpr std::size_t max_line = 4096;

// A result this many years from today, read from a number, is shown with
// the readings of the same number in the other formats.
constexpr std::int64_t plausible_years = 200;

// The shell's unquoted splitting: spaces, tabs and newlines separate words.
std::vector<std::string_view> split_words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t\n", at);
        if (at == std::string_view::npos) break;
        const std::size_t end = std::min(line.find_first_of(" \t\n", at), line.size());
        words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

class Json {
public:
    void begin() {
        text_ = "{";
        first_ = true;
    }
    std::string& end() {
        text_ += '}';
        return text_;
    }

    void field(std::string_view name, std::string_view value) {
        key(name);
        quoted(value);
    }
    void field(std::string_view name, const char* value) { field(name, std::string_view{value}); }
    void field(std::string_view name, std::int64_t value) {
        key(name);
        text_ += morvek::report_decimal_text(value).view();
    }
    void flag(std::string_view name, bool value) {
        key(name);
        text_ += value ? "true" : "false";
    }
    // E0, E3, E6 and FILE times go beyond 2^53, which a JavaScript number
    // cannot hold exactly.
    void exact(std::string_view name, std::int64_t value) { field(name, morvek::report_decimal_text(value).view()); }
    void hex(std::string_view name, std::int64_t value) { field(name, morvek::report_hex_text(value).view()); }

    // Nested objects and arrays: open_object("name") ... close('}').
    void open_object(std::string_view name) { open(name, '{'); }
    void open_array(std::string_view name) { open(name, '['); }
    void open_item() {
        if (!first_) text_ += ',';
        text_ += '{';
        first_ = true;
    }
    void close(char bracket) {
        text_ += bracket;
        first_ = false;
    }

private:
    void open(std::string_view name, char bracket) {
        key(name);
        text_ += bracket;
        first_ = true;
    }
    void key(std::string_view name) {
        if (!first_) text_ += ',';
        first_ = false;
        quoted(name);
        text_ += ':';
    }
    void quoted(std::string_view value) {
        text_ += '"';
        for (const char c : value) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                text_ += '\\';
                text_ += c;
            } else if (byte < 0x20 || byte == 0x7F) {
                text_ += "\\u00";
                text_ += "0123456789ABCDEF"[byte >> 4];
                text_ += "0123456789ABCDEF"[byte & 15];
            } else {
                text_ += c;
            }
        }
        text_ += '"';
    }

    std::string text_;
    bool first_ = true;
};

std::string_view date_fault_name(morvek::DateFault fault) {
    using morvek::DateFault;
    switch (fault) {
        case DateFault::none: return "";
        case DateFault::month_out_of_range: return "month-out-of-range";
        case DateFault::day_out_of_range: return "day-out-of-range";
        case DateFault::year_zero: return "year-zero";
        case DateFault::year_before_era: return "year-before-era";
        case DateFault::day_not_in_month: return "day-not-in-month";
        case DateFault::not_a_leap_year: return "not-a-leap-year";
        case DateFault::reform_gap: return "reform-gap";
        case DateFault::out_of_range: return "out-of-range";
    }
    return "";
}

// The part of a second after the whole one, as the digits after a point
// without trailing zeros: 500000000 ns -> "5"; empty for none.
std::string fraction_digits(std::int32_t nanosecond) {
    if (nanosecond <= 0) return {};
    std::string digits = std::to_string(1000000000 + nanosecond).substr(1);
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    return digits;
}

// The Gregorian year of a moment, for distances in years.
// (the historical calendar's: before 1582 within ten days of the Gregorian).
std::int64_t year_of(morvek::Moment moment) {
    const auto date_time = morvek::date_time_from_moment(morvek::CalendarMode::Historical, moment);
    return date_time ? date_time->date.year : 0;
}

std::int64_t current_year() {
    const morvek::DateTime now = morvek::system_utc_clock()();
    return now.date.year;
}

// A moment's date and time as the report writes them, with the part of a
// second, for readings and offers.
void add_moment_texts(Json& json, morvek::Moment moment) {
    json.field("iso", morvek::iso8601_from_moment(moment).value_or(morvek::IsoText{}).view());
    json.field("date", morvek::moment_field_text(morvek::Field::date, moment).view());
    json.field("time", morvek::moment_field_text(morvek::Field::time, moment).view());
    json.field("fraction", fraction_digits(moment.nanosecond));
    json.field("year", year_of(moment));
}

// Every format that reads the text as a moment within 1970 .. 2099, by name.
void add_guesses(Json& json, std::string_view text) {
    const morvek::Guesses guesses = morvek::guess_formats(text);
    json.open_array("guesses");
    for (const morvek::Guess& guess : guesses.view()) {
        json.open_item();
        json.field("format", morvek::format_info(guess.format).name);
        json.field("value", text);
        add_moment_texts(json, guess.moment);
        json.close('}');
    }
    json.close(']');
}

// The same day in the Julian, the Gregorian and the historical calendar of
// the settings, and which of the first two the historical one is then.
void add_days(Json& json, morvek::DayCount era_day, const morvek::CalendarSettings& settings) {
    using morvek::CalendarMode;
    json.open_object("days");
    for (const CalendarMode mode : {CalendarMode::Julian, CalendarMode::Gregorian}) {
        if (const auto date = morvek::date_from_era_day(mode, era_day)) {
            json.field(morvek::calendar_name(mode), morvek::report_date_text(*date).view());
        }
    }
    if (const auto date = morvek::date_from_era_day(settings.reform, era_day)) {
        json.field("historical", morvek::report_date_text(*date).view());
    }
    json.close('}');
    // Before the Era the historical calendar is the Julian one.
    const bool julian = morvek::rule_of_day(settings.reform, era_day) != CalendarMode::Gregorian;
    json.field("civil", julian ? "julian" : "gregorian");
    json.field("reform", morvek::report_date_text(morvek::first_gregorian_date(settings.reform)).view());
    json.field("lastJulian", morvek::report_date_text(morvek::last_julian_date(settings.reform)).view());
    json.field("reformName", morvek::reform_name(settings.reform));
    json.field("yearStart", morvek::year_start_name(settings.year_start));
}

// The historian's fields as the program's records write them.
void add_historian(Json& json, morvek::Moment moment, const morvek::CalendarSettings& settings) {
    using morvek::Field;
    json.open_object("historian");
    for (const Field field : {Field::dual_date, Field::day_of_year, Field::iso_week, Field::easter_julian,
                              Field::easter_gregorian}) {
        const morvek::FieldText text = morvek::moment_field_text(field, moment, settings);
        if (!text.view().empty()) json.field(morvek::field_name(field), text.view());
    }
    json.close('}');
}

void add_values(Json& json, const morvek::CommandResult& result) {
    json.field("date", morvek::report_date_text(result.date.date).view());
    json.field("calendar", morvek::calendar_name(result.date.calendar));
    json.field("time", morvek::report_time_text(result.hour, result.minute, result.second).view());
    json.field("fraction", fraction_digits(result.moment.nanosecond));
    json.field("clock", result.clock_tag);
    if (result.has_era_date) {
        json.field("eraDate", morvek::report_date_text(result.era_date.date).view());
        json.field("eraCalendar", morvek::calendar_name(result.era_date.calendar));
    }
    if (result.rd_line != morvek::RdLine::none) {
        json.field("rdLine", result.rd_line == morvek::RdLine::julian ? "RD Julian" : "RD Gregorian");
        json.field("rd", result.rd_value);
    }
    json.field("eraDay", result.era_day);
    add_days(json, result.era_day, result.settings);
    add_historian(json, result.moment, result.settings);
    json.field("weekday", morvek::weekday_name(result.weekday));
    json.exact("e0", result.e0);
    json.hex("e0Hex", result.e0);
    json.exact("e3", result.e3);
    json.hex("e3Hex", result.e3);
    json.exact("e6", result.e6);
    json.hex("e6Hex", result.e6);
    json.field("leapSeconds", result.leap_seconds);
    if (result.second == 60) {
        const std::int32_t number = morvek::leap_seconds_up_to(result.moment.seconds);
        json.open_object("leapSecond");
        json.field("number", number);
        json.field("day", morvek::report_date_text(morvek::leap_second_days[static_cast<std::size_t>(number - 1)]).view());
        json.close('}');
    }
    json.exact("unix", result.unix_time);
    json.hex("unixHex", result.unix_time);
    json.exact("file", result.file_time);
    json.hex("fileHex", result.file_time);
    if (const auto iso = morvek::iso8601_from_moment(result.moment)) json.field("iso8601", iso->view());
    if (const auto jdn = morvek::jdn_from_era_day(result.era_day)) json.field("jdn", *jdn);
    if (const auto mjd = morvek::mjd_from_era_day(result.era_day)) json.field("mjd", *mjd);
    json.field("year", year_of(result.moment));
    // The value in each format that is not one of the report's own scales.
    json.open_array("formats");
    for (const morvek::FormatInfo& row : morvek::format_table) {
        if (row.format <= morvek::Format::file_time) continue;
        const auto field = morvek::field_from_name(row.name);
        if (!field) continue;
        const morvek::FieldText text = morvek::moment_field_text(*field, result.moment);
        if (text.view().empty()) continue;
        json.open_item();
        json.field("format", row.name);
        json.field("value", text.view());
        json.close('}');
    }
    json.close(']');
}

// A date that does not exist: the date as read, its calendar and why.
void add_date_fault(Json& json, const morvek::CommandResult& result) {
    if (result.date_fault == morvek::DateFault::none) return;
    json.field("faultDate", morvek::report_date_text(result.date.date).view());
    json.field("faultCalendar", morvek::calendar_name(result.date.calendar));
    json.field("dateFault", date_fault_name(result.date_fault));
    // The dates of the reform a reform gap lies in.
    json.field("reform", morvek::report_date_text(morvek::first_gregorian_date(result.settings.reform)).view());
    json.field("lastJulian", morvek::report_date_text(morvek::last_julian_date(result.settings.reform)).view());
}

// The formats that read the whole line, which the command does not: the
// line is offered as a value of each, those within 1970 .. 2099 first.
void add_format_offers(Json& json, std::string_view line) {
    struct Offer {
        morvek::Format format;
        morvek::Moment moment;
        bool plausible;
    };
    std::array<Offer, morvek::format_table.size()> offers{};
    std::size_t count = 0;
    // Two rounds: the readings within the years of the guesser, then the others.
    for (const bool plausible : {true, false}) {
        for (const morvek::FormatInfo& row : morvek::format_table) {
            const auto moment = morvek::moment_from_text({row.format}, line);
            if (!moment || count == 3) continue;
            const std::int64_t year = year_of(*moment);
            if ((year >= 1970 && year <= 2099) == plausible) offers[count++] = {row.format, *moment, plausible};
        }
    }
    json.open_array("offers");
    for (const Offer& offer : std::span{offers}.first(count)) {
        json.open_item();
        const std::string_view name = morvek::format_info(offer.format).name;
        json.field("format", name);
        json.field("value", line);
        json.field("line", "--from=" + std::string(name) + " " + std::string(line));
        add_moment_texts(json, offer.moment);
        json.close('}');
    }
    json.close(']');
}

std::string joined(std::span<const std::string_view> words) {
    std::string line;
    for (const std::string_view word : words) {
        if (!line.empty()) line += ' ';
        line += word;
    }
    return line;
}

// A number written in groups: the line again with the groups joined, when
// the command reads it so.
void add_regrouped_offer(Json& json, std::span<const std::string_view> words, std::size_t argument) {
    std::vector<std::string> texts(words.begin(), words.end());
    std::string& word = texts[argument];
    std::erase_if(word, [](char c) { return c == ',' || c == '\'' || c == '_'; });
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    const morvek::CommandResult again = morvek::run_command(views, morvek::system_utc_clock());
    if (again.outcome != morvek::CommandOutcome::report) return;
    json.open_array("offers");
    json.open_item();
    json.field("line", joined(views));
    add_moment_texts(json, again.moment);
    json.close('}');
    json.close(']');
}

// The program's command forms; with a calendar option the program lists the
// moment's record, the historian's fields among them, instead of its report.
void answer_command(Json& json, std::span<const std::string_view> words, const morvek::CalendarSettings& settings,
                    bool listed) {
    const morvek::CommandResult result = morvek::run_command(words, morvek::system_utc_clock(), settings);
    std::string output;
    if (listed) {
        morvek::Record record;
        record.line = 1;
        const std::string value = joined(words);
        record.input = value;
        record.result = result;
        const std::span<const morvek::Field> fields = morvek::list_fields(true);
        std::vector<std::string_view> names;
        for (const morvek::Field field : fields) names.push_back(morvek::field_name(field));
        morvek::write_list(record, fields, names, morvek::string_sink(output));
    } else {
        morvek::write_command_output(result, morvek::string_sink(output));
    }
    json.field("kind", "command");
    json.field("outcome", morvek::outcome_name(result.outcome));
    json.field("report", output);

    const morvek::CommandReading reading = morvek::command_reading(words, result);
    if (reading.scale) {
        json.field("scale", morvek::format_info(*reading.scale).name);
        json.exact("number", reading.number);
        json.flag("octal", reading.octal);
    }
    if (reading.calendar) json.field("typedCalendar", morvek::calendar_name(*reading.calendar));
    if (result.clock_tag.size() > 0) json.flag("now", true);

    if (result.outcome == morvek::CommandOutcome::report) {
        add_values(json, result);
        if (reading.calendar) {
            const auto typed = *reading.calendar == morvek::CalendarMode::Historical
                                   ? morvek::date_from_era_day(settings.reform, result.era_day)
                                   : morvek::date_from_era_day(*reading.calendar, result.era_day);
            if (typed) json.field("typedDate", morvek::report_date_text(*typed).view());
            // A time of day follows the date, else a switch or nothing.
            const bool typed_time = words.size() == 3 || (words.size() == 2 && !words[1].starts_with('/') &&
                                                          !words[1].starts_with('-'));
            json.flag("typedTime", typed_time);
        }
        if (reading.scale && std::abs(year_of(result.moment) - current_year()) > plausible_years) {
            add_guesses(json, words[0]);
        }
        return;
    }
    json.field("fault", morvek::argument_fault_name(reading.fault));
    json.field("faultArgument", static_cast<std::int64_t>(reading.argument));
    if (reading.argument < words.size()) json.field("faultWord", words[reading.argument]);
    if (result.outcome == morvek::CommandOutcome::nonexistent_date) add_date_fault(json, result);
    if (reading.fault == morvek::ArgumentFault::grouped_digits) {
        add_regrouped_offer(json, words, reading.argument);
    } else if (result.outcome == morvek::CommandOutcome::usage && !words.empty()) {
        add_format_offers(json, joined(words));
    }
}

// morvek --from=FORMAT VALUE...: the value's record as the program lists it.
void answer_format(Json& json, morvek::FormatSpec read_as, std::string_view name, std::span<const std::string_view> words) {
    const std::string value = joined(words);
    morvek::Record record;
    record.line = 1;
    record.input = value;
    record.result = morvek::convert_value(read_as, value);
    // The program's list: every field a person reads that has a value.
    const std::span<const morvek::Field> fields = morvek::list_fields(false);
    std::vector<std::string_view> names;
    for (const morvek::Field field : fields) names.push_back(morvek::field_name(field));
    std::string output;
    morvek::write_list(record, fields, names, morvek::string_sink(output));
    json.field("kind", "format");
    json.field("outcome", morvek::outcome_name(record.result.outcome));
    json.field("report", output);
    json.field("scale", name);
    json.field("number", value);
    if (record.result.outcome == morvek::CommandOutcome::report) {
        add_values(json, record.result);
        if (std::abs(year_of(record.result.moment) - current_year()) > plausible_years) add_guesses(json, value);
        return;
    }
    // bad-value, too-big, nonexistent-date or nonexistent-time: the value's own fault.
    json.field("fault", morvek::outcome_name(record.result.outcome));
    json.field("faultArgument", std::int64_t{1});
    std::string message;
    morvek::write_message(record, morvek::string_sink(message));
    json.field("message", message);
}

// morvek --guess VALUE...: each format that reads the value within 1970 .. 2099.
void answer_guess(Json& json, std::span<const std::string_view> words) {
    const std::string value = joined(words);
    const morvek::Guesses guesses = morvek::guess_formats(value);
    std::size_t width = 0;
    for (const morvek::Guess& guess : guesses.view()) width = std::max(width, morvek::format_info(guess.format).name.size());
    std::string output;
    for (const morvek::Guess& guess : guesses.view()) {
        const std::string_view name = morvek::format_info(guess.format).name;
        output.append(name).append(width + 2 - name.size(), ' ');
        output.append(morvek::iso8601_from_moment(guess.moment).value_or(morvek::IsoText{}).view()).append("\n");
    }
    json.field("kind", "guess");
    json.field("outcome", guesses.count > 0 ? "guesses" : "no-guess");
    json.field("report", output);
    json.field("number", value);
    add_guesses(json, value);
}

// What the program does before the command forms: --help and --version as
// its only argument, --from=FORMAT and --guess with a value. Its other
// options (the stream mode's) are not the page's.
bool answer_option(std::span<const std::string_view> words, Json& json) {
    if (words.empty() || !words[0].starts_with("--")) return false;
    const std::span<const std::string_view> rest = words.subspan(1);
    const bool more_options = std::any_of(rest.begin(), rest.end(), [](std::string_view w) { return w.starts_with("--"); });
    std::string output;
    if (words.size() == 1 && words[0] == "--help") {
        morvek::write_help(morvek::string_sink(output));
        json.field("kind", "text");
        json.field("outcome", "help");
    } else if (words.size() == 1 && words[0] == "--version") {
        morvek::write_version(morvek::string_sink(output));
        json.field("kind", "text");
        json.field("outcome", "version");
    } else if (words[0].starts_with("--from=") && !more_options) {
        const std::string_view name = words[0].substr(7);
        if (const auto read_as = morvek::format_spec_from_name(name)) {
            answer_format(json, *read_as, name, rest);
            return true;
        }
        json.field("kind", "format");
        json.field("outcome", "unknown-format");
        json.field("scale", name);
        json.field("fault", "unknown-format");
        json.field("faultArgument", std::int64_t{0});
    } else if (words[0] == "--guess" && !more_options) {
        answer_guess(json, rest);
        return true;
    } else {
        json.field("kind", "option");
        json.field("outcome", "unknown-option");
        json.field("fault", "unknown-option");
        json.field("faultArgument", std::int64_t{0});
        json.field("faultWord", words[0]);
    }
    json.field("report", output);
    return true;
}

// The calendar options the program takes before the moment's words:
// --reform=NAME|DD.MM.YYYY and --year-start=NAME. Returns how many words
// they are, or the index of the first one it cannot read as faultAt.
struct CalendarOptions {
    morvek::CalendarSettings settings;
    std::size_t count = 0;
    bool bad = false;
};

std::optional<morvek::Reform> reform_from_text(std::string_view text) {
    if (const auto preset = morvek::reform_from_name(text)) return preset;
    // DD.MM.YYYY: the first Gregorian day, as the program reads it.
    std::int32_t parts[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t dot = i < 2 ? text.find('.') : text.size();
        const std::string_view digits = text.substr(0, dot);
        if (dot == std::string_view::npos || digits.empty() || digits.size() > (i < 2 ? 2u : 5u)) return std::nullopt;
        for (const char c : digits) {
            if (c < '0' || c > '9') return std::nullopt;
            parts[i] = parts[i] * 10 + (c - '0');
        }
        text.remove_prefix(i < 2 ? dot + 1 : dot);
    }
    const auto reform = morvek::reform_from_first_gregorian_date(morvek::Date{parts[2], parts[1], parts[0]});
    if (!reform) return std::nullopt;
    return *reform;
}

CalendarOptions calendar_options(std::span<const std::string_view> words) {
    CalendarOptions options;
    for (const std::string_view word : words) {
        if (word.starts_with("--reform=")) {
            const auto reform = reform_from_text(word.substr(9));
            if (!reform) return {options.settings, options.count, true};
            options.settings.reform = *reform;
        } else if (word.starts_with("--year-start=")) {
            const auto style = morvek::year_start_from_name(word.substr(13));
            if (!style) return {options.settings, options.count, true};
            options.settings.year_start = *style;
        } else {
            break;
        }
        ++options.count;
    }
    return options;
}

// morvek [--reform=R] [--year-start=S] --between WORDS -- WORDS: the first
// moment's values, and the days and SI seconds to the second. A side that
// is no moment is reported as that side's failure, its argument counted
// in the whole line.
void answer_between(Json& json, std::span<const std::string_view> words, std::size_t at,
                    const morvek::CalendarSettings& settings) {
    const std::span<const std::string_view> sides = words.subspan(at + 1);
    const auto separator = std::find(sides.begin(), sides.end(), std::string_view{"--"});
    json.field("kind", "between");
    if (separator == sides.end()) {
        json.field("outcome", "usage");
        json.field("report", "");
        json.field("fault", "no-second-moment");
        json.field("faultArgument", static_cast<std::int64_t>(at));
        return;
    }
    const auto split = static_cast<std::size_t>(separator - sides.begin());
    const std::span<const std::string_view> first_words = sides.first(split);
    const std::span<const std::string_view> second_words = sides.subspan(split + 1);
    const morvek::CommandResult first = morvek::run_command(first_words, morvek::system_utc_clock(), settings);
    const morvek::CommandResult second = morvek::run_command(second_words, morvek::system_utc_clock(), settings);
    std::string output;
    if (first.outcome == morvek::CommandOutcome::report && second.outcome == morvek::CommandOutcome::report) {
        const bool fraction = first.moment.nanosecond != 0 || second.moment.nanosecond != 0;
        const std::string days = std::to_string(morvek::days_between(first.era_day, second.era_day));
        const std::string seconds(morvek::elapsed_text(second.moment - first.moment, fraction).view());
        output.append("days\t").append(days).append("\nseconds\t").append(seconds).append("\n");
        json.field("outcome", "ok");
        json.field("report", output);
        add_values(json, first);
        json.open_object("span");
        json.field("days", days);
        json.field("seconds", seconds);
        json.field("line", joined(second_words));
        json.field("date", morvek::report_date_text(second.date.date).view());
        json.field("calendar", morvek::calendar_name(second.date.calendar));
        json.field("time", morvek::report_time_text(second.hour, second.minute, second.second).view());
        json.field("fraction", fraction_digits(second.moment.nanosecond));
        json.close('}');
        return;
    }
    // The program says nothing on standard output then.
    const bool first_failed = first.outcome != morvek::CommandOutcome::report;
    const morvek::CommandResult& failed = first_failed ? first : second;
    const std::span<const std::string_view> failed_words = first_failed ? first_words : second_words;
    const morvek::CommandReading reading = morvek::command_reading(failed_words, failed);
    json.field("outcome", morvek::outcome_name(failed.outcome));
    json.field("report", "");
    json.field("side", first_failed ? "first" : "second");
    json.field("fault", morvek::argument_fault_name(reading.fault));
    const std::size_t offset = at + 1 + (first_failed ? 0 : split + 1);
    json.field("faultArgument", static_cast<std::int64_t>(offset + reading.argument));
    json.field("sideArgument", static_cast<std::int64_t>(reading.argument));
    if (reading.argument < failed_words.size()) json.field("faultWord", failed_words[reading.argument]);
    if (failed.outcome == morvek::CommandOutcome::nonexistent_date) add_date_fault(json, failed);
}

// The historian's run: calendar options, then --between or the moment's words.
bool answer_calendar(std::span<const std::string_view> words, Json& json) {
    const CalendarOptions options = calendar_options(words);
    if (options.bad) {
        json.field("kind", "option");
        json.field("outcome", "bad-option");
        json.field("report", "");
        json.field("fault", "bad-calendar-option");
        json.field("faultArgument", static_cast<std::int64_t>(options.count));
        json.field("faultWord", words[options.count]);
        return true;
    }
    const std::span<const std::string_view> rest = words.subspan(options.count);
    if (!rest.empty() && rest[0] == "--between") {
        answer_between(json, words, options.count, options.settings);
        return true;
    }
    if (options.count == 0) return false;
    if (!rest.empty() && rest[0].starts_with("--")) {
        json.field("kind", "option");
        json.field("outcome", "unknown-option");
        json.field("report", "");
        json.field("fault", "unknown-option");
        json.field("faultArgument", static_cast<std::int64_t>(options.count));
        json.field("faultWord", rest[0]);
        return true;
    }
    json.field("calendarOptions", static_cast<std::int64_t>(options.count));
    answer_command(json, rest, options.settings, true);
    return true;
}

}  // namespace

extern "C" const char* morvek_run(const char* line) {
    // One call at a time: WebAssembly here runs on the page's one thread.
    static Json json;
    json.begin();
    const std::string_view text = line != nullptr ? std::string_view{line} : std::string_view{};
    if (text.size() > max_line) {
        json.field("kind", "command");
        json.field("outcome", morvek::outcome_name(morvek::CommandOutcome::too_long));
        json.field("report", "");
        return json.end().c_str();
    }
    const std::vector<std::string_view> words = split_words(text);
    if (!answer_calendar(words, json) && !answer_option(words, json)) {
        // Four words already make the usage form, so the rest need no place.
        answer_command(json, std::span{words}.first(std::min<std::size_t>(words.size(), 4)), {}, false);
    }
    return json.end().c_str();
}

// The formats the page offers for a number: name, what it counts, where it
// is met and an example, from the library's table.
extern "C" const char* morvek_formats() {
    static Json json;
    json.begin();
    json.open_array("formats");
    for (const morvek::FormatInfo& row : morvek::format_table) {
        json.open_item();
        json.field("name", row.name);
        json.field("meaning", row.meaning);
        json.field("where", row.where);
        json.field("example", row.example);
        json.close('}');
    }
    json.close(']');
    // The reforms the page offers, with the two days each joins.
    json.open_array("reforms");
    for (const morvek::ReformPreset& preset : morvek::reform_presets) {
        json.open_item();
        json.field("name", preset.name);
        json.field("lastJulian", morvek::report_date_text(preset.last_julian_date).view());
        json.field("firstGregorian", morvek::report_date_text(preset.first_gregorian_date).view());
        json.field("places", preset.places);
        json.close('}');
    }
    json.close(']');
    return json.end().c_str();
}
