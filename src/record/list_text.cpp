// A record as a list for people: one field a line.

#include <algorithm>
#include <array>

#include "morvek/record.h"
#include "record/historian_fields.h"
#include "text/tsv_escapes.h"

namespace morvek {

namespace {

constexpr bool listed(Field field, bool with_calendar_fields) noexcept {
    switch (field) {
        case Field::line:
        case Field::input:
        case Field::e0_hex:
        case Field::e3_hex:
        case Field::e6_hex:
        case Field::unix_hex:
        case Field::file_time_hex:
            return false;
        default:
            return with_calendar_fields || !detail::is_historian_field(field);
    }
}

struct FieldList {
    std::array<Field, field_count> fields{};
    std::size_t count = 0;
};

constexpr FieldList list_of(bool with_calendar_fields) noexcept {
    FieldList list;
    for (std::size_t i = 0; i < field_count; ++i) {
        const auto field = static_cast<Field>(i);
        if (listed(field, with_calendar_fields)) list.fields[list.count++] = field;
    }
    return list;
}

constexpr FieldList plain_list = list_of(false);
constexpr FieldList calendar_list = list_of(true);

}  // namespace

std::span<const Field> list_fields(bool with_calendar_fields) noexcept {
    const FieldList& list = with_calendar_fields ? calendar_list : plain_list;
    return {list.fields.data(), list.count};
}

void write_list(const Record& record, std::span<const Field> fields, std::span<const std::string_view> names,
                TextSink out) noexcept {
    std::size_t width = 0;
    for (const std::string_view name : names) width = std::max(width, name.size());
    constexpr std::string_view blanks = "                                                                ";
    for (std::size_t i = 0; i < fields.size() && i < names.size(); ++i) {
        const Field field = fields[i];
        if (!field_has_value(field, record)) continue;
        out(names[i]);
        for (std::size_t pad = width + 2 - names[i].size(); pad > 0;) {
            const std::size_t piece = std::min(pad, blanks.size());
            out(blanks.substr(0, piece));
            pad -= piece;
        }
        if (field == Field::input) {
            detail::write_tsv_escaped(record.input, out);
        } else if (field == Field::message) {
            // The message as it is written, escaped on its way out.
            struct Escaping {
                TextSink out;
                static void write(void* target, const char* data, std::size_t size) {
                    detail::write_tsv_escaped({data, size}, static_cast<Escaping*>(target)->out);
                }
            } escaping{out};
            write_message(record, {Escaping::write, &escaping});
        } else {
            out(field_text(field, record).view());
        }
        out("\n");
    }
}

}  // namespace morvek
