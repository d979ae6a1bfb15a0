// The SQLite extension: morvek(value, format, field), morvek_status(value,
// format), morvek_report(line) and the table morvek_guess(value). Loaded
// from morvek.so, whose entry point SQLite names after the file:
// sqlite3_morvek_init.

#include <array>
#include <tuple>
#include <type_traits>

#include "sql_arguments.h"

SQLITE_EXTENSION_INIT1

namespace morvek::sql {

namespace {

// ---- the names, read once per statement ------------------------------------------------
// A format or field argument that is a constant is read on the first row;
// SQLite keeps what it read as the argument's auxiliary data, a pointer to
// one of these rows (made once, never freed), for the rows after it.

constexpr std::size_t format_count = std::tuple_size_v<std::remove_cvref_t<decltype(format_table)>>;
constexpr std::size_t byte_order_count = 3;

const FormatChoice& format_row(FormatSpec read_as) noexcept {
    static const std::array<FormatChoice, format_count * byte_order_count> rows = [] {
        std::array<FormatChoice, format_count * byte_order_count> made{};
        for (std::size_t i = 0; i < made.size(); ++i) {
            made[i] = format_choice({static_cast<Format>(i / byte_order_count), static_cast<ByteOrder>(i % byte_order_count)});
        }
        return made;
    }();
    return rows[static_cast<std::size_t>(read_as.format) * byte_order_count + static_cast<std::size_t>(read_as.bytes)];
}

const FieldChoice& field_row(Field field) noexcept {
    static const std::array<FieldChoice, field_count> rows = [] {
        std::array<FieldChoice, field_count> made{};
        for (std::size_t i = 0; i < made.size(); ++i) made[i] = field_choice(static_cast<Field>(i));
        return made;
    }();
    return rows[static_cast<std::size_t>(field)];
}

// "morvek: unknown format 'unixx'; the formats: e0, e3, ..." as the SQL error.
void name_error(sqlite3_context* context, const char* function, const char* what, sqlite3_value* argument) {
    sqlite3_str* message = sqlite3_str_new(sqlite3_context_db_handle(context));
    if (sqlite3_value_type(argument) == SQLITE_NULL) {
        sqlite3_str_appendf(message, "%s: the %s is NULL", function, what);
    } else {
        sqlite3_str_appendf(message, "%s: unknown %s %.200Q", function, what, sqlite3_value_text(argument));
    }
    const std::string_view kind = what;
    sqlite3_str_appendf(message, "; the %ss:", what);
    const auto append_name = [&](std::string_view name, bool first) {
        sqlite3_str_appendf(message, "%s%.*s", first ? " " : ", ", static_cast<int>(name.size()), name.data());
    };
    if (kind == "format") {
        for (const FormatInfo& row : format_table) append_name(row.name, row.format == format_table[0].format);
        sqlite3_str_appendall(message, " (an integer format also as NAME:le or NAME:be, its bytes)");
    } else {
        for (std::size_t i = 0; i < field_count; ++i) append_name(field_names[i], i == 0);
    }
    char* const text = sqlite3_str_finish(message);
    if (text == nullptr) return sqlite3_result_error_nomem(context);
    sqlite3_result_error(context, text, -1);
    sqlite3_free(text);
}

std::string_view name_text(sqlite3_value* argument) {
    const unsigned char* text = sqlite3_value_text(argument);
    if (text == nullptr) return {};
    return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_value_bytes(argument))};
}

// The format argument: "unix_ms", "file_time:le"; null with the error set.
const FormatChoice* format_argument(sqlite3_context* context, sqlite3_value** arguments, int index, const char* function) {
    if (const void* cached = sqlite3_get_auxdata(context, index)) return static_cast<const FormatChoice*>(cached);
    std::optional<FormatSpec> read_as;
    if (sqlite3_value_type(arguments[index]) != SQLITE_NULL) read_as = format_spec_from_name(name_text(arguments[index]));
    if (!read_as) {
        name_error(context, function, "format", arguments[index]);
        return nullptr;
    }
    const FormatChoice* row = &format_row(*read_as);
    sqlite3_set_auxdata(context, index, const_cast<FormatChoice*>(row), nullptr);
    return row;
}

// The field argument: "iso", "unix"; null with the error set.
const FieldChoice* field_argument(sqlite3_context* context, sqlite3_value** arguments, int index, const char* function) {
    if (const void* cached = sqlite3_get_auxdata(context, index)) return static_cast<const FieldChoice*>(cached);
    std::optional<Field> field;
    if (sqlite3_value_type(arguments[index]) != SQLITE_NULL) field = field_from_name(name_text(arguments[index]));
    if (!field) {
        name_error(context, function, "field", arguments[index]);
        return nullptr;
    }
    const FieldChoice* row = &field_row(*field);
    sqlite3_set_auxdata(context, index, const_cast<FieldChoice*>(row), nullptr);
    return row;
}

// ---- the functions ----------------------------------------------------------------------

// An empty text is a text, not NULL (a null pointer would be NULL).
void result_text(sqlite3_context* context, std::string_view text) {
    sqlite3_result_text(context, text.empty() ? "" : text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// morvek(value, format, field)
void field_function(sqlite3_context* context, int, sqlite3_value** arguments) {
    const FormatChoice* format = format_argument(context, arguments, 1, "morvek");
    if (format == nullptr) return;
    const FieldChoice* field = field_argument(context, arguments, 2, "morvek");
    if (field == nullptr) return;
    SqlValue value;
    if (!sql_value_of(context, arguments[0], value)) return;
    ValueReading reading(*format, value);
    const Answer answer = reading.field(*field);
    switch (answer.kind) {
        case AnswerKind::null: return sqlite3_result_null(context);
        case AnswerKind::integer: return sqlite3_result_int64(context, answer.integer);
        case AnswerKind::text: return result_text(context, answer.text);
    }
}

// morvek_status(value, format)
void status_function(sqlite3_context* context, int, sqlite3_value** arguments) {
    const FormatChoice* format = format_argument(context, arguments, 1, "morvek_status");
    if (format == nullptr) return;
    SqlValue value;
    if (!sql_value_of(context, arguments[0], value)) return;
    ValueReading reading(*format, value);
    const std::optional<std::string_view> status = reading.status();
    if (!status) return sqlite3_result_null(context);
    // The status words are the library's constants.
    sqlite3_result_text(context, status->data(), static_cast<int>(status->size()), SQLITE_STATIC);
}

// morvek_report(line)
void report_function(sqlite3_context* context, int, sqlite3_value** arguments) {
    SqlValue value;
    if (!sql_value_of(context, arguments[0], value)) return;
    char characters[max_report_bytes];
    BufferSink report{characters, sizeof characters};
    if (!report_answer(value, report)) return sqlite3_result_null(context);
    result_text(context, report.view());
}

}  // namespace

bool sql_value_of(sqlite3_value* argument, SqlValue& value) noexcept {
    value = {};
    switch (sqlite3_value_type(argument)) {
        case SQLITE_INTEGER:
            value.type = SqlType::integer;
            value.integer = sqlite3_value_int64(argument);
            return true;
        case SQLITE_FLOAT:
            value.type = SqlType::real;
            value.real = sqlite3_value_double(argument);
            return true;
        case SQLITE_TEXT: {
            const unsigned char* text = sqlite3_value_text(argument);
            if (text == nullptr) return false;
            value.type = SqlType::text;
            value.bytes = {reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_value_bytes(argument))};
            return true;
        }
        case SQLITE_BLOB: {
            const void* bytes = sqlite3_value_blob(argument);
            const int size = sqlite3_value_bytes(argument);
            if (bytes == nullptr && size > 0) return false;
            value.type = SqlType::blob;
            if (size > 0) value.bytes = {static_cast<const char*>(bytes), static_cast<std::size_t>(size)};
            return true;
        }
        default:
            return true;
    }
}

bool sql_value_of(sqlite3_context* context, sqlite3_value* argument, SqlValue& value) noexcept {
    if (sql_value_of(argument, value)) return true;
    sqlite3_result_error_nomem(context);
    return false;
}

}  // namespace morvek::sql

// The entry point: the functions are deterministic (usable in indexes,
// generated columns and CHECK constraints) and innocuous (no side effect,
// nothing read but their arguments), so a schema may use them even with
// trusted_schema off.
extern "C" __attribute__((visibility("default"))) int sqlite3_morvek_init(sqlite3* db, char** error,
                                                                         const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    (void)error;
    using namespace morvek::sql;
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    int status = sqlite3_create_function_v2(db, "morvek", 3, flags, nullptr, field_function, nullptr, nullptr, nullptr);
    if (status == SQLITE_OK) {
        status = sqlite3_create_function_v2(db, "morvek_status", 2, flags, nullptr, status_function, nullptr, nullptr,
                                            nullptr);
    }
    if (status == SQLITE_OK) {
        status = sqlite3_create_function_v2(db, "morvek_report", 1, flags, nullptr, report_function, nullptr, nullptr,
                                            nullptr);
    }
    if (status == SQLITE_OK) status = register_guess_table(db);
    return status;
}
