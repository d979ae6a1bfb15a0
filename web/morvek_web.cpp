// The page's one entry into the library: an argument line in, the program's
// output and every value of the report out, as JSON.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "morvek/morvek.h"

namespace {

// Longer lines are refused rather than converted: the page caps its box at
// this too, and a message quotes its arguments whole.
constexpr std::size_t max_line = 4096;

// Four words already make the usage form, so the rest need no place.
struct Words {
    std::array<std::string_view, 4> items;
    std::size_t count = 0;
};

// The shell's unquoted splitting: spaces, tabs and newlines separate words.
Words split_words(std::string_view line) {
    Words words;
    std::size_t at = 0;
    while (words.count < words.items.size()) {
        at = line.find_first_not_of(" \t\n", at);
        if (at == std::string_view::npos) break;
        const std::size_t end = std::min(line.find_first_of(" \t\n", at), line.size());
        words.items[words.count++] = line.substr(at, end - at);
        at = end;
    }
    return words;
}

class Json {
public:
    void begin() { text_ = "{"; }
    std::string& end() {
        text_ += '}';
        return text_;
    }

    void field(std::string_view name, std::string_view value) {
        key(name);
        quoted(value);
    }
    void field(std::string_view name, std::int64_t value) {
        key(name);
        text_ += morvek::report_decimal_text(value).view();
    }
    // E0, E3, E6 and FILE times go beyond 2^53, which a JavaScript number
    // cannot hold exactly.
    void exact(std::string_view name, std::int64_t value) { field(name, morvek::report_decimal_text(value).view()); }
    void hex(std::string_view name, std::int64_t value) { field(name, morvek::report_hex_text(value).view()); }

private:
    void key(std::string_view name) {
        if (text_.size() > 1) text_ += ',';
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
};

// The library's reason for a date that does not exist, as a word.
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

void add_values(Json& json, const morvek::CommandResult& result) {
    json.field("date", morvek::report_date_text(result.date.date).view());
    json.field("calendar", morvek::calendar_name(result.date.calendar));
    json.field("time", morvek::report_time_text(result.hour, result.minute, result.second).view());
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
    json.field("weekday", morvek::weekday_name(result.weekday));
    json.exact("e0", result.e0);
    json.hex("e0Hex", result.e0);
    json.exact("e3", result.e3);
    json.hex("e3Hex", result.e3);
    json.exact("e6", result.e6);
    json.hex("e6Hex", result.e6);
    json.field("leapSeconds", result.leap_seconds);
    json.exact("unix", result.unix_time);
    json.hex("unixHex", result.unix_time);
    json.exact("file", result.file_time);
    json.hex("fileHex", result.file_time);
    if (const auto iso = morvek::iso8601_from_moment(result.moment)) json.field("iso8601", iso->view());
    if (const auto jdn = morvek::jdn_from_era_day(result.era_day)) json.field("jdn", *jdn);
    if (const auto mjd = morvek::mjd_from_era_day(result.era_day)) json.field("mjd", *mjd);
}

// A date the calendar does not have: the date as read, its calendar and why.
void add_date_fault(Json& json, const morvek::CommandResult& result) {
    if (result.date_fault == morvek::DateFault::none) return;
    json.field("faultDate", morvek::report_date_text(result.date.date).view());
    json.field("faultCalendar", morvek::calendar_name(result.date.calendar));
    json.field("dateFault", date_fault_name(result.date_fault));
}

// What the program does before the command forms: --help and --version as
// its only argument.
bool answer_option(const Words& words, Json& json) {
    if (words.count != 1) return false;
    std::string output;
    if (words.items[0] == "--help") {
        morvek::write_help(morvek::string_sink(output));
        json.field("outcome", "help");
    } else if (words.items[0] == "--version") {
        morvek::write_version(morvek::string_sink(output));
        json.field("outcome", "version");
    } else {
        return false;
    }
    json.field("report", output);
    return true;
}

}  // namespace

extern "C" const char* morvek_run(const char* line) {
    // One call at a time: WebAssembly here runs on the page's one thread.
    static Json json;
    json.begin();
    const std::string_view text = line != nullptr ? std::string_view{line} : std::string_view{};
    if (text.size() > max_line) {
        json.field("outcome", morvek::outcome_name(morvek::CommandOutcome::too_long));
        json.field("report", "");
        return json.end().c_str();
    }
    const Words words = split_words(text);
    if (answer_option(words, json)) return json.end().c_str();

    const morvek::CommandResult result =
        morvek::run_command({words.items.data(), words.count}, morvek::system_utc_clock());
    std::string output;
    morvek::write_command_output(result, morvek::string_sink(output));
    json.field("outcome", morvek::outcome_name(result.outcome));
    json.field("report", output);
    if (result.outcome == morvek::CommandOutcome::report) add_values(json, result);
    if (result.outcome == morvek::CommandOutcome::nonexistent_date) add_date_fault(json, result);
    return json.end().c_str();
}
