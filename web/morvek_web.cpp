// The page's one entry into the library: an argument line in, the program's
// output and every value of the report out, as JSON.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
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

void append_to_string(void* target, const char* data, std::size_t size) {
    static_cast<std::string*>(target)->append(data, size);
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
        text_ += std::to_string(value);
    }
    // E0, E3, E6 and FILE times go beyond 2^53, which a JavaScript number
    // cannot hold exactly.
    void exact(std::string_view name, std::int64_t value) { field(name, std::to_string(value)); }
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
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04X", byte);
                text_ += escape;
            } else {
                text_ += c;
            }
        }
        text_ += '"';
    }

    std::string text_;
};

std::string_view outcome_name(morvek::CommandOutcome outcome) {
    switch (outcome) {
        case morvek::CommandOutcome::report:
            return "report";
        case morvek::CommandOutcome::usage:
            return "usage";
        case morvek::CommandOutcome::too_big:
            return "too_big";
        case morvek::CommandOutcome::nonexistent_date:
            return "nonexistent_date";
        case morvek::CommandOutcome::nonexistent_time:
            return "nonexistent_time";
        case morvek::CommandOutcome::era_day_zero:
            return "era_day_zero";
    }
    return "usage";
}

std::string_view calendar_name(morvek::CalendarMode calendar) {
    switch (calendar) {
        case morvek::CalendarMode::Julian:
            return "Julian";
        case morvek::CalendarMode::Gregorian:
            return "Gregorian";
        case morvek::CalendarMode::Historical:
            break;
    }
    return "historical";
}

void add_values(Json& json, const morvek::CommandResult& result) {
    json.field("date", morvek::report_date_text(result.date.date).view());
    json.field("calendar", calendar_name(result.date.calendar));
    json.field("time", morvek::report_time_text(result.hour, result.minute, result.second).view());
    json.field("clock", result.clock_tag);
    if (result.has_era_date) {
        json.field("eraDate", morvek::report_date_text(result.era_date.date).view());
        json.field("eraCalendar", calendar_name(result.era_date.calendar));
    }
    if (result.rd_line != morvek::RdLine::none) {
        json.field("rdLine", result.rd_line == morvek::RdLine::julian ? "RD Julian" : "RD Gregorian");
        json.field("rd", result.rd_value);
    }
    json.field("eraDay", result.era_day);
    json.field("weekday", morvek::report_weekday_name(result.weekday));
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
    json.field("iso8601", morvek::iso8601_from_e6(result.e6).view());
    if (const auto jdn = morvek::jdn_from_era_day(result.era_day)) json.field("jdn", jdn.value);
    if (const auto mjd = morvek::mjd_from_era_day(result.era_day)) json.field("mjd", mjd.value);
}

// What the program does before the command forms: --help and --version as
// its only argument.
bool answer_option(const Words& words, Json& json) {
    if (words.count != 1) return false;
    std::string output;
    if (words.items[0] == "--help") {
        morvek::write_usage({append_to_string, &output});
        json.field("outcome", "help");
    } else if (words.items[0] == "--version") {
        morvek::write_version({append_to_string, &output});
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
        json.field("outcome", "too_long");
        json.field("report", "");
        return json.end().c_str();
    }
    const Words words = split_words(text);
    if (answer_option(words, json)) return json.end().c_str();

    const morvek::CommandResult result =
        morvek::run_command({words.items.data(), words.count}, morvek::system_utc_clock);
    std::string output;
    morvek::write_command_output(result, {append_to_string, &output});
    json.field("outcome", outcome_name(result.outcome));
    json.field("report", output);
    if (result.outcome == morvek::CommandOutcome::report) add_values(json, result);
    return json.end().c_str();
}
