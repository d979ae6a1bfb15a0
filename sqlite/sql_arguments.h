#pragma once
// What the SQL functions share: their arguments read from SQLite's values.

#include <sqlite3ext.h>

#include "value_reading.h"

namespace morvek::sql {

// The value of an argument; false (with the context's error set) when
// SQLite could not give its text or bytes.
[[nodiscard]] bool sql_value_of(sqlite3_context* context, sqlite3_value* argument, SqlValue& value) noexcept;

// The same for a virtual table's argument; false when out of memory.
[[nodiscard]] bool sql_value_of(sqlite3_value* argument, SqlValue& value) noexcept;

// The eponymous table morvek_guess(value [, first_year [, last_year]]).
[[nodiscard]] int register_guess_table(sqlite3* db) noexcept;

}  // namespace morvek::sql
