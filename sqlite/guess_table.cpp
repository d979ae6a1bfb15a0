// morvek_guess(value [, first_year [, last_year]]): a table-valued function
// with one row per format that reads the value as a moment within the years
// (1970 to 2099 unless given), ordered by format name: what
// `morvek --guess VALUE --window=FIRST..LAST` prints, with the moment.

#include <limits>
#include <new>

#include "morvek/iso8601.h"
#include "sql_arguments.h"

SQLITE_EXTENSION_INIT3

namespace morvek::sql {

namespace {

enum Column : int { format_column, iso_column, e0_column, nanosecond_column, value_column, first_column, last_column };
constexpr int argument_count = 3;  // value, first_year, last_year: the hidden columns

struct GuessCursor {
    sqlite3_vtab_cursor base{};
    Guesses guesses;
    std::size_t row = 0;
    YearWindow window;
    sqlite3_value* value = nullptr;  // the argument, for the hidden column
};

int connect_table(sqlite3* db, void*, int, const char* const*, sqlite3_vtab** table, char**) {
    const int status = sqlite3_declare_vtab(
        db, "CREATE TABLE x(format TEXT, iso TEXT, e0 INTEGER, nanosecond INTEGER, "
            "value HIDDEN, first_year HIDDEN, last_year HIDDEN)");
    if (status != SQLITE_OK) return status;
    *table = static_cast<sqlite3_vtab*>(sqlite3_malloc(sizeof(sqlite3_vtab)));
    if (*table == nullptr) return SQLITE_NOMEM;
    **table = sqlite3_vtab{};
    sqlite3_vtab_config(db, SQLITE_VTAB_INNOCUOUS);
    return SQLITE_OK;
}

int disconnect_table(sqlite3_vtab* table) {
    sqlite3_free(table);
    return SQLITE_OK;
}

void set_error(sqlite3_vtab* table, const char* message) {
    sqlite3_free(table->zErrMsg);
    table->zErrMsg = sqlite3_mprintf("%s", message);
}

// The hidden columns given with = are the arguments, in the order value,
// first_year, last_year; idxNum has a bit for each. A plan without the
// value (the planner asks for one while it weighs the terms of an OR) is
// priced out of use, and fails if it is run all the same.
int best_index(sqlite3_vtab*, sqlite3_index_info* info) {
    int constraint_of[argument_count] = {-1, -1, -1};
    int unusable = 0;
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& constraint = info->aConstraint[i];
        if (constraint.iColumn < value_column || constraint.op != SQLITE_INDEX_CONSTRAINT_EQ) continue;
        const int argument = constraint.iColumn - value_column;
        if (!constraint.usable) {
            unusable |= 1 << argument;
            continue;
        }
        constraint_of[argument] = i;
    }
    int given = 0;
    int next_argument = 1;
    for (int argument = 0; argument < argument_count; ++argument) {
        if (constraint_of[argument] < 0) continue;
        given |= 1 << argument;
        info->aConstraintUsage[constraint_of[argument]].argvIndex = next_argument++;
        info->aConstraintUsage[constraint_of[argument]].omit = 1;
    }
    // A plan where an argument comes later (from a join) is tried again.
    if ((unusable & ~given) != 0) return SQLITE_CONSTRAINT;
    info->idxNum = given;
    info->estimatedCost = (given & 1) != 0 ? 10 : 1e300;
    info->estimatedRows = static_cast<sqlite3_int64>(format_table.size());
    return SQLITE_OK;
}

int open_cursor(sqlite3_vtab*, sqlite3_vtab_cursor** cursor) {
    void* memory = sqlite3_malloc(sizeof(GuessCursor));
    if (memory == nullptr) return SQLITE_NOMEM;
    *cursor = &(new (memory) GuessCursor{})->base;
    return SQLITE_OK;
}

GuessCursor& cursor_of(sqlite3_vtab_cursor* cursor) { return *reinterpret_cast<GuessCursor*>(cursor); }

int close_cursor(sqlite3_vtab_cursor* cursor) {
    sqlite3_value_free(cursor_of(cursor).value);
    sqlite3_free(cursor);
    return SQLITE_OK;
}

// A year of the window: an integer that fits in 32 bits.
bool read_year(sqlite3_value* argument, std::int32_t& year) {
    if (sqlite3_value_type(argument) != SQLITE_INTEGER) return false;
    const sqlite3_int64 value = sqlite3_value_int64(argument);
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) return false;
    year = static_cast<std::int32_t>(value);
    return true;
}

int filter_rows(sqlite3_vtab_cursor* base, int given, const char*, int count, sqlite3_value** arguments) {
    GuessCursor& cursor = cursor_of(base);
    sqlite3_value_free(cursor.value);
    cursor.value = nullptr;
    cursor.guesses = {};
    cursor.row = 0;
    cursor.window = {};
    int next = 0;
    if ((given & 1) == 0 || count < 1) {
        set_error(base->pVtab, "morvek_guess: no value given; as in SELECT * FROM morvek_guess('1483228800')");
        return SQLITE_ERROR;
    }
    sqlite3_value* value = arguments[next++];
    const bool first_read = (given & 2) == 0 || (next < count && read_year(arguments[next++], cursor.window.first));
    const bool last_read = (given & 4) == 0 || (next < count && read_year(arguments[next++], cursor.window.last));
    if (!first_read || !last_read || cursor.window.first > cursor.window.last) {
        set_error(base->pVtab, "morvek_guess: the years are two integers, the first not after the last "
                               "(1970 and 2099 unless given)");
        return SQLITE_ERROR;
    }
    cursor.value = sqlite3_value_dup(value);
    SqlValue read;
    if (cursor.value == nullptr || !sql_value_of(cursor.value, read)) return SQLITE_NOMEM;
    cursor.guesses = guess_answer(read, cursor.window);
    return SQLITE_OK;
}

int next_row(sqlite3_vtab_cursor* cursor) {
    ++cursor_of(cursor).row;
    return SQLITE_OK;
}

int at_end(sqlite3_vtab_cursor* cursor) { return cursor_of(cursor).row >= cursor_of(cursor).guesses.count ? 1 : 0; }

int column_value(sqlite3_vtab_cursor* base, sqlite3_context* context, int column) {
    const GuessCursor& cursor = cursor_of(base);
    const Guess& guess = cursor.guesses.items[cursor.row];
    switch (column) {
        case format_column: {
            const std::string_view name = format_info(guess.format).name;  // the table's constants
            sqlite3_result_text(context, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
            break;
        }
        case iso_column: {
            const Result<IsoText> iso = iso8601_from_moment(guess.moment);
            if (!iso) return SQLITE_OK;  // NULL: a guess is always within the ISO range
            sqlite3_result_text(context, iso->characters, static_cast<int>(iso->size), SQLITE_TRANSIENT);
            break;
        }
        case e0_column: sqlite3_result_int64(context, guess.moment.seconds); break;
        case nanosecond_column: sqlite3_result_int(context, guess.moment.nanosecond); break;
        case value_column: sqlite3_result_value(context, cursor.value); break;
        case first_column: sqlite3_result_int(context, cursor.window.first); break;
        case last_column: sqlite3_result_int(context, cursor.window.last); break;
        default: break;
    }
    return SQLITE_OK;
}

int row_id(sqlite3_vtab_cursor* cursor, sqlite3_int64* row) {
    *row = static_cast<sqlite3_int64>(cursor_of(cursor).row) + 1;
    return SQLITE_OK;
}

const sqlite3_module guess_module = [] {
    sqlite3_module module{};
    module.iVersion = 0;
    module.xCreate = nullptr;  // eponymous only: morvek_guess exists in every schema, no CREATE VIRTUAL TABLE
    module.xConnect = connect_table;
    module.xBestIndex = best_index;
    module.xDisconnect = disconnect_table;
    module.xOpen = open_cursor;
    module.xClose = close_cursor;
    module.xFilter = filter_rows;
    module.xNext = next_row;
    module.xEof = at_end;
    module.xColumn = column_value;
    module.xRowid = row_id;
    return module;
}();

}  // namespace

int register_guess_table(sqlite3* db) noexcept {
    return sqlite3_create_module(db, "morvek_guess", &guess_module, nullptr);
}

}  // namespace morvek::sql
