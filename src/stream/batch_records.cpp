#include "stream/batch_records.h"

#include "stream/batch_lines.h"
#include "text/date_time_text.h"
#include "morvek/calendar.h"
#include "morvek/command_text.h"
#include "morvek/iso8601.h"

namespace morvek::stream {

namespace {

// A message quotes two words of the line and adds at most 90 bytes.
constexpr std::size_t max_message_bytes = 2 * max_line_bytes + 128;
constexpr std::size_t max_value_bytes = 64;   // "-292277-12-23T19:59:05.224192Z" and every number fit
constexpr std::size_t widest_escape = 6;      // "\u00XX"

constexpr std::string_view too_long_message = "line longer than 4096 bytes";

enum class JsonType : std::uint8_t { number, string };

constexpr JsonType json_type(Field field) {
    switch (field) {
        case Field::line:
        case Field::era_day:
        case Field::rd_julian:
        case Field::rd_gregorian:
        case Field::jdn:
        case Field::mjd:
        case Field::leap_seconds:
            return JsonType::number;
        default:
            return JsonType::string;
    }
}

// ---- texts of values --------------------------------------------------------

// The message as one line: each run of blanks and line ends one space, trimmed.
class MessageText {
public:
    explicit MessageText(const CommandResult& result) : builder_(text_, sizeof text_) {
        write_command_output(result, {append, this});
    }
    std::string_view view() const { return builder_.view(); }

private:
    static void append(void* target, const char* data, std::size_t size) {
        auto& self = *static_cast<MessageText*>(target);
        for (std::size_t i = 0; i < size; ++i) {
            const char c = data[i];
            const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
            if (blank) {
                self.pending_space_ = self.builder_.size() > 0;
                continue;
            }
            if (self.pending_space_) self.builder_.character(' ');
            self.pending_space_ = false;
            self.builder_.character(c);
        }
    }

    char text_[max_message_bytes];
    detail::TextBuilder builder_;
    bool pending_space_ = false;
};

// Whether a line has a value for the field: a line that was not converted
// has only its number, input, status and (but for usage) message.
bool has_value(Field field, const LineRecord& record) {
    switch (field) {
        case Field::line:
        case Field::input:
        case Field::status:
            return true;
        case Field::message:
            return record.status != CommandOutcome::report && record.status != CommandOutcome::usage;
        default:
            break;
    }
    if (record.status != CommandOutcome::report) return false;
    switch (field) {
        case Field::era_date: return record.result->has_era_date;
        case Field::rd_julian: return record.result->rd_line == RdLine::julian;
        case Field::rd_gregorian: return record.result->rd_line == RdLine::gregorian;
        default: return true;
    }
}

// The value of a field whose text needs no escaping: digits, names, dates.
void write_plain_value(detail::TextBuilder& out, Field field, const LineRecord& record) {
    if (field == Field::line) return out.decimal(static_cast<std::int64_t>(record.line));
    if (field == Field::status) return out.text(outcome_name(record.status));
    const CommandResult& r = *record.result;
    switch (field) {
        case Field::date: return detail::write_date_text(out, r.date.date.day, r.date.date.month, r.date.date.year);
        case Field::time: return detail::write_time_text(out, r.hour, r.minute, r.second);
        case Field::calendar: return out.text(calendar_name(r.date.calendar));
        case Field::era_date: return detail::write_date_text(out, r.era_date.date.day, r.era_date.date.month, r.era_date.date.year);
        case Field::rd_julian:
        case Field::rd_gregorian: return out.decimal(r.rd_value);
        case Field::era_day: return out.decimal(r.era_day);
        case Field::weekday: return out.text(weekday_name(r.weekday));
        case Field::e0: return out.decimal(r.e0);
        case Field::e3: return out.decimal(r.e3);
        case Field::e6: return out.decimal(r.e6);
        case Field::leap_seconds: return out.decimal(r.leap_seconds);
        case Field::unix_time: return out.decimal(r.unix_time);
        case Field::file_time: return out.decimal(r.file_time);
        case Field::e0_hex: return out.hexadecimal(r.e0);
        case Field::e3_hex: return out.hexadecimal(r.e3);
        case Field::e6_hex: return out.hexadecimal(r.e6);
        case Field::unix_hex: return out.hexadecimal(r.unix_time);
        case Field::file_time_hex: return out.hexadecimal(r.file_time);
        case Field::jdn: return out.decimal(jdn_from_era_day(r.era_day).value_or(0));
        case Field::mjd: return out.decimal(mjd_from_era_day(r.era_day).value_or(0));
        case Field::iso: return out.text(iso8601_from_moment(r.moment)->view());
        case Field::line:
        case Field::input:
        case Field::status:
        case Field::message:
            break;
    }
}

// ---- escaping of the texts that come from the input -------------------------

void tsv_text(detail::TextBuilder& out, std::string_view text) {
    constexpr std::string_view escaped{"\\\t\n\r\0", 5};
    if (text.find_first_of(escaped) == std::string_view::npos) return out.text(text);
    for (const char c : text) {
        switch (c) {
            case '\\': out.text("\\\\"); break;
            case '\t': out.text("\\t"); break;
            case '\n': out.text("\\n"); break;
            case '\r': out.text("\\r"); break;
            case '\0': out.text("\\0"); break;
            default: out.character(c);
        }
    }
}

void csv_text(detail::TextBuilder& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return out.text(text);
    out.character('"');
    for (const char c : text) {
        if (c == '"') out.character('"');
        out.character(c);
    }
    out.character('"');
}

// The length of the well-formed UTF-8 sequence at the start, or 0.
std::size_t utf8_sequence(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(0);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead == 0xE0) length = 3, low = 0xA0;
    else if (lead >= 0xE1 && lead <= 0xEC) length = 3;
    else if (lead == 0xED) length = 3, high = 0x9F;  // no surrogates
    else if (lead >= 0xEE && lead <= 0xEF) length = 3;
    else if (lead == 0xF0) length = 4, low = 0x90;
    else if (lead >= 0xF1 && lead <= 0xF3) length = 4;
    else if (lead == 0xF4) length = 4, high = 0x8F;
    else return 0;
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

void json_text(detail::TextBuilder& out, std::string_view text) {
    out.character('"');
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text[0]);
        const std::size_t length = utf8_sequence(text);
        if (length == 0) {
            out.text("\\ufffd");
            text.remove_prefix(1);
            continue;
        }
        if (c == '"' || c == '\\') {
            out.character('\\');
            out.character(static_cast<char>(c));
        } else if (c == '\n') {
            out.text("\\n");
        } else if (c == '\t') {
            out.text("\\t");
        } else if (c == '\r') {
            out.text("\\r");
        } else if (c < 0x20 || c == 0x7F) {
            out.text("\\u00");
            out.character("0123456789abcdef"[c >> 4]);
            out.character("0123456789abcdef"[c & 15]);
        } else {
            out.text(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    out.character('"');
}

void escaped_text(detail::TextBuilder& out, BatchFormat format, std::string_view text) {
    switch (format) {
        case BatchFormat::tsv: return tsv_text(out, text);
        case BatchFormat::csv: return csv_text(out, text);
        case BatchFormat::jsonl: return json_text(out, text);
        case BatchFormat::report: return out.text(text);
    }
}

void write_value(detail::TextBuilder& out, BatchFormat format, Field field, const LineRecord& record) {
    if (field == Field::input) return escaped_text(out, format, record.input);
    if (field == Field::message) {
        if (record.status == CommandOutcome::too_long) return escaped_text(out, format, too_long_message);
        return escaped_text(out, format, MessageText(*record.result).view());
    }
    const bool quoted = format == BatchFormat::jsonl && json_type(field) == JsonType::string;
    if (quoted) out.character('"');
    write_plain_value(out, field, record);
    if (quoted) out.character('"');
}

}  // namespace

std::size_t record_capacity(const BatchOptions& options) {
    std::size_t capacity = 2;  // braces or the line end
    for (const Field field : options.chosen_fields()) {
        capacity += field_names[static_cast<std::size_t>(field)].size() + 6;  // "name": and a separator
        if (field == Field::input) capacity += max_line_bytes * widest_escape + 2;
        else if (field == Field::message) capacity += max_message_bytes * widest_escape + 2;
        else capacity += max_value_bytes;
    }
    return capacity;
}

void write_header(detail::TextBuilder& out, const BatchOptions& options) {
    const char separator = options.format == BatchFormat::csv ? ',' : '\t';
    bool first = true;
    for (const Field field : options.chosen_fields()) {
        if (!first) out.character(separator);
        first = false;
        out.text(field_names[static_cast<std::size_t>(field)]);
    }
    out.character('\n');
}

void write_record(detail::TextBuilder& out, const BatchOptions& options, const LineRecord& record) {
    if (options.format == BatchFormat::jsonl) {
        out.character('{');
        bool first = true;
        for (const Field field : options.chosen_fields()) {
            if (!has_value(field, record)) continue;
            if (!first) out.character(',');
            first = false;
            out.character('"');
            out.text(field_names[static_cast<std::size_t>(field)]);
            out.text("\":");
            write_value(out, options.format, field, record);
        }
        out.text("}\n");
        return;
    }
    const char separator = options.format == BatchFormat::csv ? ',' : '\t';
    bool first = true;
    for (const Field field : options.chosen_fields()) {
        if (!first) out.character(separator);
        first = false;
        if (has_value(field, record)) write_value(out, options.format, field, record);
    }
    out.character('\n');
}

}  // namespace morvek::stream
