#pragma once
// Rows of a CSV file (RFC 4180: quoted fields may hold commas, quotes and
// line breaks) or of a TSV file (one row a line, the stream mode's own
// escapes in a field): where they end, and their fields.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace morvek::stream {

enum class Dialect : std::uint8_t { csv, tsv };

// Rows longer than this are reported, not kept: memory stays bounded.
inline constexpr std::size_t max_row_bytes = 64 * 1024;

// Where a CSV row stands as its bytes go by: a line end ends the row only
// outside quotes. A quote opens a quoted field only at the field's start,
// "" inside one is a quote, and text after a closing quote belongs to the
// field (read leniently); TSV has no quoting.
class RowScanner {
public:
    explicit RowScanner(Dialect dialect) noexcept : dialect_(dialect) {}

    // True when `c` ends the row (and the scanner is at the next row's start).
    bool ends_row(char c) noexcept {
        if (dialect_ == Dialect::tsv) return c == '\n';
        switch (state_) {
            case State::field_start:
                if (c == '"') state_ = State::quoted;
                else if (c != ',' && c != '\n') state_ = State::unquoted;
                break;
            case State::unquoted:
                if (c == ',') state_ = State::field_start;
                break;
            case State::quoted:
                if (c == '"') state_ = State::quote_in_quoted;
                return false;
            case State::quote_in_quoted:
                state_ = c == '"' ? State::quoted : c == ',' ? State::field_start : State::unquoted;
                break;
        }
        if (c != '\n') return false;
        state_ = State::field_start;
        return true;
    }

    void reset() noexcept { state_ = State::field_start; }

private:
    enum class State : std::uint8_t { field_start, unquoted, quoted, quote_in_quoted };
    Dialect dialect_;
    State state_ = State::field_start;
};

// RowSplitter: a byte stream cut into rows, in bounded memory; a CR before
// the row's line end goes with it; a row longer than max_row_bytes is
// reported as too long, at once, and not kept. on_row(std::string_view row,
// bool too_long) is called once per row, in order.
class RowSplitter {
public:
    explicit RowSplitter(Dialect dialect) : scanner_(dialect) { kept_.reserve(1024); }

    template <class OnRow>
    void feed(std::string_view bytes, OnRow&& on_row) {
        for (const char c : bytes) {
            const bool end = scanner_.ends_row(c);
            if (skipping_) {
                skipping_ = !end;
                continue;
            }
            if (end) {
                emit(on_row);
                continue;
            }
            if (kept_.size() == max_row_bytes) {
                on_row(std::string_view{}, true);
                kept_.clear();
                skipping_ = true;
                continue;
            }
            kept_.push_back(c);
        }
    }

    // The end of one input: a last row without a line end is a row too.
    template <class OnRow>
    void finish(OnRow&& on_row) {
        if (!skipping_ && !kept_.empty()) emit(on_row);
        kept_.clear();
        skipping_ = false;
        scanner_.reset();
    }

private:
    template <class OnRow>
    void emit(OnRow& on_row) {
        std::string_view row{kept_.data(), kept_.size()};
        if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
        on_row(row, false);
        kept_.clear();
    }

    RowScanner scanner_;
    std::vector<char> kept_;
    bool skipping_ = false;  // in the rest of a row already reported as too long
};

// RowFields: the fields of one row, their quoting and escapes undone.
class RowFields {
public:
    // split: the row's fields; views into storage of this object, valid until
    // the next split.
    void split(std::string_view row, Dialect dialect);

    std::size_t count() const noexcept { return fields_.size(); }
    std::string_view operator[](std::size_t index) const noexcept { return fields_[index]; }

private:
    std::vector<char> text_;
    std::vector<std::string_view> fields_;
};

}  // namespace morvek::stream
