/* A loadable SQLite extension with one function that does nothing:
 * noop(x) returns NULL. sqlite_bench.sh times a call of it, the cost
 * of calling any extension function, beside morvek(). */
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

static void noop(sqlite3_context *context, int count, sqlite3_value **arguments) {
  (void)context;
  (void)count;
  (void)arguments;
}

int sqlite3_noop_init(sqlite3 *db, char **error, const sqlite3_api_routines *api) {
  SQLITE_EXTENSION_INIT2(api);
  (void)error;
  return sqlite3_create_function_v2(db, "noop", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, 0,
                                    noop, 0, 0, 0);
}
