// Calls the SQLite extension's functions through an in-memory database with
// a fuzzed value, format name and field name, and stops at the first answer
// that is not the stream mode's record of the same value: morvek() against
// convert_value's whole record (the extension computes a converted value's
// fields alone), morvek_status, morvek_report against the command's output
// of the value's words, morvek_guess against guess_formats; a known name
// that gives an SQL error, or a wrong one that does not, or an error that
// does not name it.
//
// Input format (also that of the seed corpus):
//   byte 0   the value's SQL type: 0 NULL, 1 INTEGER, 2 REAL, 3 TEXT, 4 BLOB
//            (modulo 5)
//   byte 1   the format: one of the known names (the formats, then the byte
//            forms of the integer formats) by its index, or above them a
//            name of its own, the bytes that follow up to a zero byte
//   byte 2   the field: a known field by its index, or above them a name of
//            its own, as the format's
//   the rest the value: an INTEGER or REAL from its first 8 bytes (little
//            endian, zeros added), a TEXT or BLOB of all of them

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/value_text.h"
#include "morvek/command_text.h"
#include "morvek/iso8601.h"
#include "morvek/record.h"

extern "C" int sqlite3_morvek_init(sqlite3* db, char** error, const sqlite3_api_routines* api);

namespace {

using namespace morvek;

constexpr std::size_t max_value_bytes = 4096;  // the stream mode's longest line
constexpr std::size_t max_name_bytes = 24;

void require(bool condition) {
    if (!condition) __builtin_trap();
}

std::vector<std::string> known_formats() {
    std::vector<std::string> names;
    for (const FormatInfo& row : format_table) names.emplace_back(row.name);
    for (const FormatInfo& row : format_table) {
        if (row.kind != FormatKind::integer) continue;
        names.push_back(std::string(row.name) + ":le");
        names.push_back(std::string(row.name) + ":be");
    }
    return names;
}

struct Database {
    sqlite3* db = nullptr;
    sqlite3_stmt* field = nullptr;
    sqlite3_stmt* status = nullptr;
    sqlite3_stmt* report = nullptr;
    sqlite3_stmt* guess = nullptr;

    Database() {
        require(sqlite3_auto_extension(reinterpret_cast<void (*)()>(sqlite3_morvek_init)) == SQLITE_OK);
        require(sqlite3_open(":memory:", &db) == SQLITE_OK);
        require(sqlite3_prepare_v2(db, "SELECT morvek(?1, ?2, ?3)", -1, &field, nullptr) == SQLITE_OK);
        require(sqlite3_prepare_v2(db, "SELECT morvek_status(?1, ?2)", -1, &status, nullptr) == SQLITE_OK);
        require(sqlite3_prepare_v2(db, "SELECT morvek_report(?1)", -1, &report, nullptr) == SQLITE_OK);
        require(sqlite3_prepare_v2(db, "SELECT format, iso, e0, nanosecond FROM morvek_guess(?1)", -1, &guess,
                                   nullptr) == SQLITE_OK);
    }
};

// The value as bound, and the text the stream mode would be given for it.
struct Value {
    int type = SQLITE_NULL;
    std::int64_t integer = 0;
    double real = 0;
    std::string bytes;

    void bind(sqlite3_stmt* statement) const {
        switch (type) {
            case SQLITE_INTEGER: sqlite3_bind_int64(statement, 1, integer); break;
            case SQLITE_FLOAT: sqlite3_bind_double(statement, 1, real); break;
            case SQLITE_TEXT:
                sqlite3_bind_text(statement, 1, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
                break;
            case SQLITE_BLOB:
                sqlite3_bind_blob(statement, 1, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
                break;
            default: sqlite3_bind_null(statement, 1);
        }
    }

    // SQLite keeps no NaN: it binds as NULL.
    bool is_null() const { return type == SQLITE_NULL || (type == SQLITE_FLOAT && std::isnan(real)); }

    // A number's digits (a REAL's the shortest that read back, or all of a
    // whole number's), a text's bytes, a blob in a byte form as hex.
    std::string text(bool byte_form) const {
        char characters[512];
        switch (type) {
            case SQLITE_INTEGER: return std::to_string(integer);
            case SQLITE_FLOAT: {
                const auto written = std::to_chars(characters, characters + sizeof characters, real, std::chars_format::fixed);
                return {characters, written.ptr};
            }
            case SQLITE_BLOB:
                if (byte_form) {
                    std::string hex;
                    for (const char c : bytes) {
                        hex += "0123456789ABCDEF"[static_cast<unsigned char>(c) >> 4];
                        hex += "0123456789ABCDEF"[static_cast<unsigned char>(c) & 15];
                    }
                    return hex;
                }
                return bytes;
            default: return bytes;
        }
    }
};

void bind_name(sqlite3_stmt* statement, int index, const std::string& name) {
    sqlite3_bind_text(statement, index, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
}

std::string column_text(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text == nullptr ? std::string() : std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
}

// An unknown name is an SQL error that quotes it (up to its first zero byte
// and 200 characters, as %Q writes it).
void require_name_error(Database& database, sqlite3_stmt* statement, const std::string& name) {
    require(sqlite3_step(statement) == SQLITE_ERROR);
    const std::string message = sqlite3_errmsg(database.db);
    std::string shown = name.substr(0, name.find('\0'));
    shown = shown.substr(0, 200);
    std::string quoted;
    for (const char c : shown) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    require(message.find("unknown") != std::string::npos && message.find("'" + quoted) != std::string::npos);
}

void check_field(Database& database, const Value& value, const std::string& format_name, const std::string& field_name) {
    sqlite3_stmt* statement = database.field;
    sqlite3_reset(statement);
    value.bind(statement);
    bind_name(statement, 2, format_name);
    bind_name(statement, 3, field_name);
    std::optional<FormatSpec> read_as = format_spec_from_name(format_name);
    if (!read_as) return require_name_error(database, statement, format_name);
    const std::optional<Field> field = field_from_name(field_name);
    if (!field) return require_name_error(database, statement, field_name);
    require(sqlite3_step(statement) == SQLITE_ROW);
    const int type = sqlite3_column_type(statement, 0);
    if (value.is_null()) return require(type == SQLITE_NULL);

    // A number is read without the byte order.
    if (value.type == SQLITE_INTEGER || value.type == SQLITE_FLOAT) read_as->bytes = ByteOrder::none;
    const std::string text = value.text(read_as->bytes != ByteOrder::none);
    Record record;
    record.line = 1;
    if (text.size() > max_value_bytes) {
        record.result.outcome = CommandOutcome::too_long;
    } else {
        record.input = text;
        record.result = convert_value(*read_as, detail::trimmed(text));
    }
    // morvek_status is the record's status.
    sqlite3_stmt* status = database.status;
    sqlite3_reset(status);
    value.bind(status);
    bind_name(status, 2, format_name);
    require(sqlite3_step(status) == SQLITE_ROW);
    require(column_text(status, 0) == outcome_name(record.result.outcome));

    if (!field_has_value(*field, record)) return require(type == SQLITE_NULL);
    if (*field == Field::input) return require(type == SQLITE_TEXT && column_text(statement, 0) == record.input);
    if (*field == Field::message) {
        std::string message;
        write_message(record, string_sink(message));
        return require(type == SQLITE_TEXT && column_text(statement, 0) == message);
    }
    if (field_type(*field) != FieldType::text) {
        return require(type == SQLITE_INTEGER && sqlite3_column_int64(statement, 0) == field_integer(*field, record));
    }
    require(type == SQLITE_TEXT && column_text(statement, 0) == field_text(*field, record).view());
}

void check_report(Database& database, const Value& value) {
    sqlite3_reset(database.report);
    value.bind(database.report);
    require(sqlite3_step(database.report) == SQLITE_ROW);
    const int type = sqlite3_column_type(database.report, 0);
    const std::string text = value.text(false);
    if (value.is_null() || text.size() > max_value_bytes) return require(type == SQLITE_NULL);
    bool clock_read = false;
    const auto clock = [&clock_read] {
        clock_read = true;
        return DateTime{};
    };
    const CommandResult result = run_line(text, {}, utc_clock_from(clock));
    if (clock_read) return require(type == SQLITE_NULL);
    std::string output;
    write_command_output(result, string_sink(output));
    require(type == SQLITE_TEXT && column_text(database.report, 0) == output);
}

void check_guess(Database& database, const Value& value) {
    sqlite3_reset(database.guess);
    value.bind(database.guess);
    const std::string text = value.text(false);
    Guesses want;
    if (!value.is_null() && text.size() <= max_value_bytes) want = guess_formats(detail::trimmed(text));
    std::size_t row = 0;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(database.guess)) == SQLITE_ROW) {
        require(row < want.count);
        const Guess& guess = want.items[row++];
        require(column_text(database.guess, 0) == format_info(guess.format).name);
        require(column_text(database.guess, 1) == iso8601_from_moment(guess.moment)->view());
        require(sqlite3_column_int64(database.guess, 2) == guess.moment.seconds);
        require(sqlite3_column_int64(database.guess, 3) == guess.moment.nanosecond);
    }
    require(step == SQLITE_DONE && row == want.count);
}

// A name by its index among the known ones, or the bytes up to a zero byte.
std::string take_name(std::uint8_t choice, const std::vector<std::string>& known, std::string_view& rest) {
    if (choice < known.size()) return known[choice];
    const std::size_t end = std::min(rest.find('\0'), std::min(rest.size(), max_name_bytes));
    std::string name(rest.substr(0, end));
    rest.remove_prefix(std::min(rest.size(), end + 1));
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Database database;
    static const std::vector<std::string> formats = known_formats();
    static const std::vector<std::string> fields(field_names.begin(), field_names.end());
    if (size < 3 || size > 3 + 2 * max_name_bytes + max_value_bytes + 64) return 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 3), size - 3);
    const std::string format_name = take_name(data[1], formats, rest);
    const std::string field_name = take_name(data[2], fields, rest);

    Value value;
    constexpr int types[] = {SQLITE_NULL, SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB};
    value.type = types[data[0] % 5];
    std::uint8_t eight[8] = {};
    std::memcpy(eight, rest.data(), std::min<std::size_t>(rest.size(), 8));
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | eight[i];
    value.integer = static_cast<std::int64_t>(bits);
    std::memcpy(&value.real, &bits, sizeof value.real);
    value.bytes.assign(rest);

    check_field(database, value, format_name, field_name);
    check_report(database, value);
    check_guess(database, value);
    return 0;
}
