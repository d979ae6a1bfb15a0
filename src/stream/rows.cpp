#include "stream/rows.h"

namespace morvek::stream {

namespace {

// The TSV escapes the stream mode writes: \\ \t \n \r \0; another
// backslash is itself.
char unescaped(char c) noexcept {
    switch (c) {
        case 't': return '\t';
        case 'n': return '\n';
        case 'r': return '\r';
        case '0': return '\0';
        default: return c;
    }
}

}  // namespace

void RowFields::split(std::string_view row, Dialect dialect) {
    // The values are never longer than the row, so the views stay valid.
    text_.resize(row.size());
    fields_.clear();
    std::size_t start = 0;
    std::size_t size = 0;
    const auto end_field = [&] {
        fields_.emplace_back(text_.data() + start, size - start);
        start = size;
    };
    if (dialect == Dialect::tsv) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            const char c = row[i];
            if (c == '\t') {
                end_field();
            } else if (c == '\\' && i + 1 < row.size() &&
                       (row[i + 1] == '\\' || row[i + 1] == 't' || row[i + 1] == 'n' || row[i + 1] == 'r' ||
                        row[i + 1] == '0')) {
                text_[size++] = unescaped(row[++i]);
            } else {
                text_[size++] = c;
            }
        }
        return end_field();
    }
    enum class State { field_start, unquoted, quoted, quote_in_quoted } state = State::field_start;
    for (const char c : row) {
        switch (state) {
            case State::field_start:
                if (c == '"') {
                    state = State::quoted;
                } else if (c == ',') {
                    end_field();
                } else {
                    text_[size++] = c;
                    state = State::unquoted;
                }
                break;
            case State::unquoted:
                if (c == ',') {
                    end_field();
                    state = State::field_start;
                } else {
                    text_[size++] = c;
                }
                break;
            case State::quoted:
                if (c == '"') state = State::quote_in_quoted;
                else text_[size++] = c;
                break;
            case State::quote_in_quoted:
                if (c == '"') {
                    text_[size++] = '"';
                    state = State::quoted;
                } else if (c == ',') {
                    end_field();
                    state = State::field_start;
                } else {
                    text_[size++] = c;
                    state = State::unquoted;
                }
                break;
        }
    }
    end_field();
}

}  // namespace morvek::stream
