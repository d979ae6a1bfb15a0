#include "text/value_columns.h"

namespace morvek::detail {

namespace {

constexpr std::size_t line_capacity = 128;  // with the terminating zero of the C original
constexpr std::size_t hex_column = 41;
constexpr std::size_t text_column = 33;
constexpr std::size_t tab_width = 8;
constexpr std::string_view blank_field = "                                         ";
static_assert(blank_field.size() == hex_column && text_column <= hex_column);

struct ValueLine {
    char formatted[line_capacity];
    char expanded[line_capacity];
    std::size_t formatted_length = 0;
    std::size_t expanded_length = 0;
    bool fits = false;  // the expanded line leaves room before the column
};

// The format with its one "%lli" replaced by the value, cut to what the
// line buffer holds.
void format_value(ValueLine& line, std::string_view format, std::int64_t value) {
    constexpr std::string_view conversion = "%lli";
    const std::size_t at = format.find(conversion);
    TextBuilder out(line.formatted, line_capacity - 1);
    if (at == std::string_view::npos) {
        out.text(format);
    } else {
        out.text(format.substr(0, at));
        out.decimal(value);
        out.text(format.substr(at + conversion.size()));
    }
    line.formatted_length = out.size();
}

// Expands the tabs; a line that reaches the column is marked as not fitting
// and is then printed as formatted.
void format_value_line(ValueLine& line, std::string_view format, std::int64_t value, std::size_t column) {
    format_value(line, format, value);
    std::size_t size = 0;
    for (std::size_t i = 0; i < line.formatted_length; ++i) {
        const char c = line.formatted[i];
        const std::size_t next = c == '\t' ? (size / tab_width + 1) * tab_width : size + 1;
        if (next >= column) return;
        if (c == '\t') {
            while (size < next) line.expanded[size++] = ' ';
        } else {
            line.expanded[size++] = c;
        }
    }
    line.expanded_length = size;
    line.fits = true;
}

void print_padded(TextBuilder& out, const ValueLine& line, std::size_t column) {
    out.text({line.expanded, line.expanded_length});
    out.text(blank_field.substr(0, column - line.expanded_length));
}

void print_unexpanded(TextBuilder& out, const ValueLine& line) {
    out.text({line.formatted, line.formatted_length});
    out.character('\n');
}

// The label, the value and the padding to the column, when they leave room
// before it; false, having written nothing, when they do not.
bool print_label_and_value(TextBuilder& out, const LineFormat& format, std::int64_t value, std::size_t column) {
    if (!format.label_and_value) return false;
    const TextBuilder::Digits digits = TextBuilder::decimal_text(value);
    const std::size_t width = format.label_size + digits.view().size();
    if (width >= column) return false;
    out.text({format.label, format.label_size});
    out.text(digits.view());
    out.text(blank_field.substr(0, column - width));
    return true;
}

}  // namespace

void print_with_hex_column(TextBuilder& out, std::string_view format, std::int64_t value) noexcept {
    ValueLine line;
    format_value_line(line, format, value, hex_column);
    if (!line.fits) return print_unexpanded(out, line);
    print_padded(out, line, hex_column);
    out.hexadecimal(value);
    out.character('\n');
}

void print_with_text_column(TextBuilder& out, std::string_view format, std::int64_t value,
                            std::string_view text) noexcept {
    ValueLine line;
    format_value_line(line, format, value, text_column);
    if (!line.fits) return print_unexpanded(out, line);
    print_padded(out, line, text_column);
    out.text(text);
    out.character('\n');
}

void print_with_hex_column(TextBuilder& out, const LineFormat& format, std::int64_t value) noexcept {
    if (!print_label_and_value(out, format, value, hex_column)) return print_with_hex_column(out, format.format, value);
    out.hexadecimal(value);
    out.character('\n');
}

void print_with_text_column(TextBuilder& out, const LineFormat& format, std::int64_t value,
                            std::string_view text) noexcept {
    if (!print_label_and_value(out, format, value, text_column)) {
        return print_with_text_column(out, format.format, value, text);
    }
    out.text(text);
    out.character('\n');
}

}  // namespace morvek::detail
