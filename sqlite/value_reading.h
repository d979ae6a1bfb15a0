#pragma once
// One SQL value read in a format, as the stream mode reads a line with
// --from=FORMAT: its text, its moment, and the fields of its record. No
// SQLite here: the functions in extension.cpp pass the value in and hand
// the answer back to SQLite.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "morvek/formats.h"
#include "morvek/iso8601.h"
#include "morvek/record.h"
#include "morvek/text.h"
#include "stream/batch_lines.h"

namespace morvek::sql {

// The longest text read, as the stream mode's longest line; a longer value
// has the record of a line too long to read.
inline constexpr std::size_t max_value_bytes = stream::max_line_bytes;

// A value as SQLite holds it: NULL, INTEGER, REAL, TEXT or BLOB.
enum class SqlType : std::uint8_t { null, integer, real, text, blob };

struct SqlValue {
    SqlType type = SqlType::null;
    std::int64_t integer = 0;
    double real = 0;
    std::string_view bytes;  // of a TEXT or a BLOB
};

// The text a value stands for, written when it is first asked for:
//   INTEGER  its decimal digits;
//   REAL     the shortest decimal text without exponent that reads back to
//            the same double ("0.1"; 1e-7 as "0.0000001"; 2.0 as "2"); a
//            whole number of more than 17 digits, where several texts are
//            that short, as its exact digits (2^63 as 9223372036854775808);
//            "inf" or "-inf" for those;
//   TEXT     as it is;
//   BLOB     in a byte form (NAME:le, NAME:be): its bytes as two upper-case
//            hexadecimal digits each; otherwise its bytes as text.
// A text longer than max_value_bytes is too long; so is a BLOB of more than
// half as many bytes in a byte form.
class ValueText {
public:
    ValueText(const SqlValue& value, ByteOrder bytes) noexcept : value_(value), bytes_(bytes) {}
    ValueText(const ValueText&) = delete;
    ValueText& operator=(const ValueText&) = delete;

    // The text; empty when too long.
    [[nodiscard]] std::string_view view() noexcept;
    [[nodiscard]] bool too_long() noexcept;

private:
    void write() noexcept;

    const SqlValue& value_;
    ByteOrder bytes_;
    bool written_ = false;
    bool too_long_ = false;
    std::string_view text_;
    char characters_[max_value_bytes];  // a REAL's text has at most some 330 characters
};

// A format argument as read once per statement: the format, and whether
// it is an integer format (whose INTEGER values are read as integers).
struct FormatChoice {
    FormatSpec read_as;
    bool integer = false;
};
[[nodiscard]] FormatChoice format_choice(FormatSpec read_as) noexcept;

// A field argument as read once per statement, with its type.
struct FieldChoice {
    Field field = Field::line;
    FieldType type = FieldType::number;
};
[[nodiscard]] FieldChoice field_choice(Field field) noexcept;

// A field's answer: NULL, an integer or a text.
enum class AnswerKind : std::uint8_t { null, integer, text };

struct Answer {
    AnswerKind kind = AnswerKind::null;
    std::int64_t integer = 0;
    std::string_view text;
};

// A value read in a format, as the stream mode reads a line with
// --from=FORMAT. A number (INTEGER or REAL) is the value itself, so a byte
// form reads it as its format without the byte order.
class ValueReading {
public:
    ValueReading(const FormatChoice& format, const SqlValue& value) noexcept
        : value_(value),
          read_as_(number(value) ? FormatSpec{format.read_as.format, ByteOrder::none} : format.read_as),
          integer_format_(format.integer),
          text_(value, read_as_.bytes) {}
    ValueReading(const ValueReading&) = delete;
    ValueReading& operator=(const ValueReading&) = delete;

    // The moment when the value's record is a report; nullopt when it is
    // not, and for a NULL value.
    [[nodiscard]] std::optional<Moment> converted_moment() noexcept;

    // The whole record, as the stream mode writes it for a line of the
    // value's text: line 1, the text as input, the result of convert_value
    // on it (or too_long). Not for a NULL value.
    [[nodiscard]] Record record() noexcept;

    // field: the field of that record as SQL gives it: a number or digits
    // field as an integer, any other as text; NULL where the record has no
    // such field, and for a NULL value. The line is 1 (one value); input
    // is the value's text. A text answer lives as long as the reading.
    [[nodiscard]] Answer field(FieldChoice field) noexcept;

    // status: the record's status word; nullopt for a NULL value.
    [[nodiscard]] std::optional<std::string_view> status() noexcept;

private:
    static bool number(const SqlValue& value) noexcept {
        return value.type == SqlType::integer || value.type == SqlType::real;
    }

    const SqlValue& value_;
    FormatSpec read_as_;
    bool integer_format_;
    ValueText text_;
    FieldText field_text_;
    union {
        Result<IsoText> iso_text_;  // made in place by field(iso)
    };
    char message_[2 * max_value_bytes + 128];  // a message quotes the value
};

// The room a report needs: a message quotes two words of its line.
inline constexpr std::size_t max_report_bytes = 3 * max_value_bytes;

// report_answer: the program's output for the value taken as one line of
// words (the stream mode's report format), into `out` (max_report_bytes);
// false, no answer, for a NULL value, a line longer than max_value_bytes,
// and a line that reads the clock (/C): a deterministic function's answer
// must not change.
[[nodiscard]] bool report_answer(const SqlValue& value, BufferSink& out) noexcept;

// guess_answer: the guesses of `morvek --guess` for the value's text (a
// number's as ValueText writes it); none for a NULL value.
[[nodiscard]] Guesses guess_answer(const SqlValue& value, YearWindow window) noexcept;

}  // namespace morvek::sql
