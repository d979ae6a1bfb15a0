#include "value_reading.h"

#include <charconv>
#include <new>

#include "formats/value_text.h"
#include "morvek/command_text.h"
#include "morvek/iso8601.h"

namespace morvek::sql {

namespace {

// The stream mode's record of a moment that converted carries these.
constexpr std::string_view converted_status = outcome_name(CommandOutcome::report);

}  // namespace

// ---- the text of a value ------------------------------------------------------------

void ValueText::write() noexcept {
    written_ = true;
    char* const begin = characters_;
    char* const end = characters_ + sizeof characters_;
    switch (value_.type) {
        case SqlType::null:
            text_ = {};
            return;
        case SqlType::integer: {
            const std::to_chars_result written = std::to_chars(begin, end, value_.integer);
            text_ = {begin, static_cast<std::size_t>(written.ptr - begin)};
            return;
        }
        case SqlType::real: {
            // Without a precision, the fixed form is the shortest that reads
            // back to the same double, and the exact digits of a whole number
            // (libstdc++; what the tests require): no arithmetic on the value.
            const std::to_chars_result written = std::to_chars(begin, end, value_.real, std::chars_format::fixed);
            text_ = {begin, static_cast<std::size_t>(written.ptr - begin)};
            return;
        }
        case SqlType::text:
            too_long_ = value_.bytes.size() > max_value_bytes;
            text_ = too_long_ ? std::string_view{} : value_.bytes;
            return;
        case SqlType::blob:
            if (bytes_ == ByteOrder::none) {
                too_long_ = value_.bytes.size() > max_value_bytes;
                text_ = too_long_ ? std::string_view{} : value_.bytes;
                return;
            }
            too_long_ = 2 * value_.bytes.size() > max_value_bytes;
            if (too_long_) {
                text_ = {};
                return;
            }
            for (std::size_t i = 0; i < value_.bytes.size(); ++i) {
                const auto byte = static_cast<unsigned char>(value_.bytes[i]);
                characters_[2 * i] = "0123456789ABCDEF"[byte >> 4];
                characters_[2 * i + 1] = "0123456789ABCDEF"[byte & 15];
            }
            text_ = {begin, 2 * value_.bytes.size()};
            return;
    }
}

std::string_view ValueText::view() noexcept {
    if (!written_) write();
    return text_;
}

bool ValueText::too_long() noexcept {
    if (!written_) write();
    return too_long_;
}

FormatChoice format_choice(FormatSpec read_as) noexcept {
    return {read_as, format_info(read_as.format).kind == FormatKind::integer};
}

FieldChoice field_choice(Field field) noexcept { return {field, field_type(field)}; }

// ---- a value read in a format --------------------------------------------------------

std::optional<Moment> ValueReading::converted_moment() noexcept {
    if (value_.type == SqlType::null) return std::nullopt;
    // An integer is read as that integer: what its digits read as.
    const bool integer = value_.type == SqlType::integer && integer_format_;
    if (!integer && text_.too_long()) return std::nullopt;
    const Result<Moment> moment =
        integer ? moment_from_integer(read_as_.format, value_.integer) : moment_from_text(read_as_, text_.view());
    // A moment whose E6 leaves 64 bits has no report (too_big).
    if (!moment || !e6_from_moment(*moment)) return std::nullopt;
    return *moment;
}

Record ValueReading::record() noexcept {
    Record record;
    record.line = 1;
    if (text_.too_long()) {
        record.result.outcome = CommandOutcome::too_long;
    } else {
        record.input = text_.view();
        record.result = convert_value(read_as_, detail::trimmed(record.input));
    }
    return record;
}

Answer ValueReading::field(FieldChoice choice) noexcept {
    const Field field = choice.field;
    if (value_.type == SqlType::null) return {};
    const auto integer = [](std::optional<std::int64_t> value) {
        return value ? Answer{AnswerKind::integer, *value, {}} : Answer{};
    };
    const auto text = [](std::string_view value) { return Answer{AnswerKind::text, 0, value}; };

    if (const std::optional<Moment> moment = converted_moment()) {
        // The record's fields of a converted value, each computed alone.
        switch (field) {
            case Field::line: return integer(1);
            case Field::input: return text(text_.view());
            case Field::status: return text(converted_status);
            case Field::message: return {};
            default: break;
        }
        if (choice.type != FieldType::text) return integer(moment_field_integer(field, *moment));
        // The ISO text, the field most asked for, is the library's text of
        // the moment as it is: copied once, to SQLite.
        if (field == Field::iso) {
            const Result<IsoText>& iso =
                *::new (static_cast<void*>(&iso_text_)) Result<IsoText>(iso8601_from_moment(*moment));
            return iso ? text(iso->view()) : Answer{};
        }
        // Made in its place, not copied there: a column's every row passes here.
        const FieldText& made = *::new (static_cast<void*>(&field_text_)) FieldText(moment_field_text(field, *moment));
        return made.size == 0 ? Answer{} : text(made.view());
    }

    const Record whole = record();
    if (!field_has_value(field, whole)) return {};
    switch (field) {
        case Field::input: return text(whole.input);
        case Field::message: {
            BufferSink message{message_, sizeof message_};
            write_message(whole, message.sink());
            return text(message.view());
        }
        default: break;
    }
    if (choice.type != FieldType::text) return integer(field_integer(field, whole));
    field_text_ = field_text(field, whole);
    return text(field_text_.view());
}

std::optional<std::string_view> ValueReading::status() noexcept {
    if (value_.type == SqlType::null) return std::nullopt;
    if (converted_moment()) return converted_status;
    return outcome_name(record().result.outcome);
}

// ---- whole lines and guesses ---------------------------------------------------------------

bool report_answer(const SqlValue& value, BufferSink& out) noexcept {
    if (value.type == SqlType::null) return false;
    ValueText text(value, ByteOrder::none);
    if (text.too_long()) return false;
    bool clock_read = false;
    const auto clock = [&clock_read] {
        clock_read = true;
        return DateTime{};
    };
    const CommandResult result = run_line(text.view(), {}, utc_clock_from(clock));
    if (clock_read) return false;
    write_command_output(result, out.sink());
    return !out.truncated;
}

Guesses guess_answer(const SqlValue& value, YearWindow window) noexcept {
    if (value.type == SqlType::null) return {};
    ValueText text(value, ByteOrder::none);
    if (text.too_long()) return {};
    return guess_formats(detail::trimmed(text.view()), window);
}

}  // namespace morvek::sql
