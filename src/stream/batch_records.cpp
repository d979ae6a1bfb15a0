#include "stream/batch_records.h"

#include <algorithm>

#include "record/field_writer.h"
#include "stream/batch_lines.h"
#include "text/tsv_escapes.h"

namespace morvek::stream {

namespace {

// A message quotes two words of the line and adds at most 90 bytes.
constexpr std::size_t max_message_bytes = 2 * max_line_bytes + 128;
constexpr std::size_t max_value_bytes = 64;  // every field's text but input and message fits
constexpr std::size_t widest_escape = 6;     // "\u00XX"

// ---- escaping of the texts that come from the input -------------------------

// Most texts need no escape: one pass tells.
template <class Special>
bool any_of_text(std::string_view text, Special special) {
    for (const char c : text) {
        if (special(c)) return true;
    }
    return false;
}

void tsv_text(detail::TextBuilder& out, std::string_view text) {
    if (!any_of_text(text, detail::needs_tsv_escape)) return out.text(text);
    for (const char c : text) {
        if (detail::needs_tsv_escape(c)) out.text(detail::tsv_escape(c));
        else out.character(c);
    }
}

void csv_text(detail::TextBuilder& out, std::string_view text) {
    if (!any_of_text(text, [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; })) return out.text(text);
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
        case BatchFormat::csv: return csv_text(out, text);
        case BatchFormat::jsonl: return json_text(out, text);
        case BatchFormat::tsv:
        case BatchFormat::list: return tsv_text(out, text);
        case BatchFormat::report: return out.text(text);
    }
}

// The message of a line, built where it is then escaped.
struct MessageText {
    char characters[max_message_bytes];
    BufferSink buffer{characters, sizeof characters};
    explicit MessageText(const Record& record) { write_message(record, buffer.sink()); }
    std::string_view view() const { return buffer.view(); }
};

void write_value(detail::TextBuilder& out, BatchFormat format, Field field, const Record& record) {
    if (field == Field::input) return escaped_text(out, format, record.input);
    if (field == Field::message) return escaped_text(out, format, MessageText(record).view());
    const bool quoted = format == BatchFormat::jsonl && field_type(field) != FieldType::number;
    if (quoted) out.character('"');
    detail::write_field_text(out, field, record);
    if (quoted) out.character('"');
}

void write_list(detail::TextBuilder& out, const BatchOptions& options, const Record& record) {
    if (record.line > 1) out.character('\n');
    const TextSink sink{[](void* target, const char* data, std::size_t size) {
                            static_cast<detail::TextBuilder*>(target)->text({data, size});
                        },
                        &out};
    morvek::write_list(record, options.chosen_fields(), {options.names.data(), options.chosen_count}, sink);
}

}  // namespace

std::size_t record_capacity(const BatchOptions& options) {
    std::size_t capacity = 2;  // braces or the line end, or a list's blank line
    for (std::size_t i = 0; i < options.chosen_count; ++i) {
        const Field field = options.fields[i];
        capacity += options.name_of(i).size() + 6;  // "name": and a separator, or the list's padding
        if (field == Field::input) capacity += max_line_bytes * widest_escape + 2;
        else if (field == Field::message) capacity += max_message_bytes * widest_escape + 2;
        else capacity += max_value_bytes;
    }
    if (options.format == BatchFormat::list) {
        std::size_t width = 0;
        for (std::size_t i = 0; i < options.chosen_count; ++i) width = std::max(width, options.name_of(i).size());
        capacity += options.chosen_count * width;  // each name padded to the longest
    }
    return capacity;
}

void write_header(detail::TextBuilder& out, const BatchOptions& options) {
    const char separator = options.format == BatchFormat::csv ? ',' : '\t';
    bool first = true;
    for (std::size_t i = 0; i < options.chosen_count; ++i) {
        if (!first) out.character(separator);
        first = false;
        out.text(options.name_of(i));
    }
    out.character('\n');
}

void write_record(detail::TextBuilder& out, const BatchOptions& options, const Record& record) {
    if (options.format == BatchFormat::list) return write_list(out, options, record);
    if (options.format == BatchFormat::jsonl) {
        out.character('{');
        bool first = true;
        for (std::size_t i = 0; i < options.chosen_count; ++i) {
            const Field field = options.fields[i];
            if (!field_has_value(field, record)) continue;
            if (!first) out.character(',');
            first = false;
            out.character('"');
            out.text(options.name_of(i));
            out.text("\":");
            write_value(out, options.format, field, record);
        }
        out.text("}\n");
        return;
    }
    // A field without a value is empty: written as nothing, no test needed
    // but for the message and the fields of a line that was not converted.
    const char separator = options.format == BatchFormat::csv ? ',' : '\t';
    const bool converted = record.result.outcome == CommandOutcome::report;
    bool first = true;
    for (const Field field : options.chosen_fields()) {
        if (!first) out.character(separator);
        first = false;
        switch (field) {
            case Field::input:
                escaped_text(out, options.format, record.input);
                break;
            case Field::message:
                if (field_has_value(field, record)) escaped_text(out, options.format, MessageText(record).view());
                break;
            case Field::line:
            case Field::status:
                detail::write_field_text(out, field, record);
                break;
            default:
                if (converted) detail::write_field_text(out, field, record);
                break;
        }
    }
    out.character('\n');
}

}  // namespace morvek::stream
