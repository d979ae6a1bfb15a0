#!/usr/bin/env python3
"""The SQLite extension through a real SQLite: Python's sqlite3 module
(--via=python) or the sqlite3 shell (--via=shell).

- Every format (and byte form) and every field of morvek(value, format,
  field) and morvek_status against the built program's stream mode on the
  same values: generated values of every SQL type, the edges of each
  format's range found by bisection, bad texts; NULL where the record has
  no field, the SQL type of each answer.
- The SQL errors for wrong format and field names; the functions' flags.
- A generated column, a CHECK constraint and indexes on morvek(...), used
  by the query planner, checked by integrity_check, after reopening.
- A million rows with bad values among them in one query.
- morvek_report against the stream mode's report format, morvek_guess
  against morvek --guess.

Usage: check_sqlite_extension.py --via=python|shell EXTENSION MORVEK [SQLITE3]
"""
import argparse
import datetime
import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sqlite_support import (  # noqa: E402
    DECIMAL_FORMATS, FIELDS, FORMATS, FOUR_BYTE_FORMATS, INTEGER_FIELDS, INTEGER_FORMATS, Blob, Text, line_of,
    literal, open_backend, program_records, program_format)

parser = argparse.ArgumentParser()
parser.add_argument("--via", choices=["python", "shell"], required=True)
parser.add_argument("extension", help="the extension's path without .so, as .load takes it")
parser.add_argument("morvek")
parser.add_argument("sqlite3", nargs="?", default="sqlite3")
options = parser.parse_args()

failures = []
random_source = random.Random(20240607)


def check(condition, what):
    if not condition:
        failures.append(what)


def backend(database=":memory:"):
    return open_backend(options.via, options.extension, options.sqlite3, database)


def quoted(text):
    return "'" + text.replace("'", "''") + "'"


# ---------------------------------------------------------------------------------------
# Values for each format.

INT64_MIN, INT64_MAX = -(2**63), 2**63 - 1
EXAMPLES = {
    "e0": 63618825627, "e3": 63618825627000, "e6": 63618825627000000, "era_day": 736330, "rd_julian": 736330,
    "rd_gregorian": 736330, "unix": 1483228800, "file_time": 131277024000000000, "unix_ms": 1483228800000,
    "unix_us": 1483228800000000, "unix_ns": 1483228800000000000, "webkit": 13127702400000000,
    "cocoa_ns": 504921600000000000, "hfs": 3566073600, "dotnet_ticks": 636188256000000000, "gps": 1167264018,
    "fat": 1243676672, "jdn": 2457755, "mjd": 57754,
}
UNITS_PER_SECOND = {
    "e0": 1, "e3": 1000, "e6": 10**6, "era_day": 1 / 86400, "rd_julian": 1 / 86400, "rd_gregorian": 1 / 86400,
    "unix": 1, "file_time": 10**7, "unix_ms": 1000, "unix_us": 10**6, "unix_ns": 10**9, "webkit": 10**6,
    "cocoa_ns": 10**9, "hfs": 1, "dotnet_ticks": 10**7, "gps": 1, "fat": 1, "jdn": 1 / 86400, "mjd": 1 / 86400,
}
BAD_NUMBER_TEXTS = ["", " ", "-", "+", "0x", "1.5", "1e5", "12 34", "abc", "\uff11\uff12", "9" * 30, "-" + "9" * 19,
                    "0x" + "F" * 17, "--1", "1-", "0b101", "١٢٣"]


def integer_values(name):
    example = EXAMPLES[name]
    values = [0, 1, -1, 2, INT64_MIN, INT64_MAX, example, example - 1, example + 1, 60, 1 << 32, (1 << 32) - 1]
    for _ in range(10):
        values.append(random_source.randrange(INT64_MIN, INT64_MAX + 1))
    for _ in range(12):
        seconds = random_source.randrange(-200 * 365 * 86400, 200 * 365 * 86400)
        values.append(example + int(seconds * UNITS_PER_SECOND[name]))
    for _ in range(4):
        values.append(random_source.randrange(0, 1 << 32))
    texts = [f" {example} ", f"\t{example}", f"+{example}", hex(example), "-0x1F", "0X1f", "010", f"{example}\t\t"]
    texts += BAD_NUMBER_TEXTS
    reals = [float(example), example + 0.5, 1.5, -1.0, 2.0**63, -(2.0**63), 1e300, -0.0, float("inf"),
             float("-inf"), 0.1, float(2**53 + 1)]
    return values + [Text(t.encode()) for t in texts] + reals + [None]


def decimal_values(name):
    if name == "cocoa":
        reals = [random_source.uniform(-1.5e9, 1.5e9) for _ in range(20)]
        reals += [504921600.0, 504921600.5, 1e-7, -1e-7, 12345.678901234567, -0.25, 1e20, -1e20, 9.2e18]
    else:
        reals = [random_source.uniform(-700000 if name == "ole" else 0, 3000000) for _ in range(20)]
        reals += [42736.0, 42736.5, 60.0, 59.99999999999999, 61.0, 1e-7, 2958465.9999999, 2958466.0, -0.25, 0.5]
    texts = ["42736.5", ".5", "-.5", "5.", "1.234567890123456789012345678901", "+1", " 1 ", "1e5", "0x10", "",
             "60", "59.999999999999", "-657434.5", "2957003.25", "1.2.3", "-", "0.000000001", "0.0000000001",
             "504921600.123456789", "504921600.1234567891"]
    integers = [0, -1, 1, 60, 2958465, 2958466, 504921600, INT64_MAX, INT64_MIN]
    return reals + [Text(t.encode()) for t in texts] + integers + [None]


def iso_values():
    texts = ["2016-12-31T23:59:60Z", "2017-12-31T23:59:60Z", "2017-02-29", "2017-01-01T24:00:00Z",
             "+012345-01-01", "-000001-12-31T00:00:00Z", "2017-01-01", "2017-01-01 00:00", "20170101T000000Z",
             "2017-01-01t00:00:00z", "2017-01-01T00:59:60+01:00", "2017-01-01T00:00:00.123456789Z",
             "2017-01-01T00:00:00.1234567891Z", "junk", "", "2017-13-01", "2017-01-01T00:00:00+2400", " 2017-01-01 "]
    for _ in range(40):
        moment = datetime.datetime(1, 1, 1) + datetime.timedelta(seconds=random_source.randrange(0, 315537897599))
        text = moment.strftime("%Y-%m-%dT%H:%M:%S").rjust(19, "0")
        digits = random_source.randrange(0, 10)
        if digits:
            text += "." + "".join(random_source.choice("0123456789") for _ in range(digits))
        zone = random_source.choice(["Z", "", "+01:00", "-0530", "z", "+14:00"])
        values = text + zone
        texts.append(values)
    return [Text(t.encode()) for t in texts] + [2017, 20170101, 2017.5, None]


def byte_form_values(name, order):
    count = 4 if name in FOUR_BYTE_FORMATS else 8
    values = []
    for _ in range(12):
        number = random_source.randrange(0, 1 << (8 * count))
        if random_source.random() < 0.5:
            example = EXAMPLES[name]
            number = example % (1 << (8 * count))
        raw = number.to_bytes(count, "little" if order == "le" else "big")
        values.append(Blob(raw))
        spaced = " ".join(f"{b:02X}" for b in raw)
        values.append(Text(random_source.choice([spaced, raw.hex(), raw.hex().upper()]).encode()))
    values += [Blob(b""), Blob(b"\x01"), Blob(bytes(count + 1)), Blob(bytes(count - 1)), Text(b"00 11"),
               Text(b"zz" * count), Blob(b"\xff" * count), Blob(bytes(3000))]
    values += [EXAMPLES[name], float(EXAMPLES[name]), None]
    return values


def formats_and_values():
    for name in INTEGER_FORMATS:
        yield name, integer_values(name)
        for order in ("le", "be"):
            yield f"{name}:{order}", byte_form_values(name, order)
    for name in DECIMAL_FORMATS:
        yield name, decimal_values(name)
    yield "iso", iso_values()


# ---------------------------------------------------------------------------------------
# The differential: every field of every value against the program's record.

def field_query(name, table="v"):
    columns = ["id", f"morvek_status(x, {quoted(name)}) AS s"]
    for i, field in enumerate(FIELDS):
        call = f"morvek(x, {quoted(name)}, {quoted(field)})"
        columns += [f"typeof({call}) AS t{i}", f"hex({call}) AS h{i}"]
    return f"SELECT {', '.join(columns)} FROM {table} ORDER BY id"


def expected_records(name, values):
    """The program's record of each value; None for NULL."""
    by_format = {}
    for i, value in enumerate(values):
        if value is not None:
            by_format.setdefault(program_format(value, name), []).append(i)
    records = [None] * len(values)
    for run_format, indexes in by_format.items():
        lines = [line_of(values[i], name) for i in indexes]
        for i, record in zip(indexes, program_records(options.morvek, run_format, lines)):
            records[i] = record
    return records


def describe(value):
    return repr(value)[:80]


def compare_format(database, name, values, table):
    records = expected_records(name, values)
    rows = database.rows(field_query(name, table))
    check(len(rows) == len(values), f"{name}: {len(rows)} rows for {len(values)} values")
    mismatches = 0
    for row in rows:
        value_id, status = row[0], row[1]
        value, record = values[value_id], records[value_id]
        answers = row[2:]
        if record is None:
            check(status is None and all(answers[2 * i] == "null" for i in range(len(FIELDS))),
                  f"{name} NULL: some answer is not NULL: {row}")
            continue
        check(status == record["status"].decode(), f"{name} {describe(value)}: status {status!r}, "
                                                   f"the program's {record['status']!r}")
        for i, field in enumerate(FIELDS):
            sql_type, hex_text = answers[2 * i], answers[2 * i + 1]
            got = bytes.fromhex(hex_text) if hex_text is not None else None
            if field == "line":
                want_type, want = "integer", b"1"
            elif field not in record:
                want_type, want = "null", b""
            elif field in INTEGER_FIELDS:
                want_type, want = "integer", str(record[field]).encode()
            else:
                want_type, want = "text", record[field]
            if sql_type != want_type or got != want:
                mismatches += 1
                if mismatches <= 10:
                    failures.append(f"{name} {describe(value)} {field}: {sql_type} {got!r}, "
                                    f"the program's {want_type} {want!r}")
    return len(rows)


def check_against_program(database):
    compared = 0
    for n, (name, values) in enumerate(formats_and_values()):
        table = f"v{n}"
        database.put_values(table, values)
        compared += compare_format(database, name, values, table)
    check(compared > 2000, f"only {compared} values compared")
    return compared


def check_edges(database):
    """The first and last value each integer format reads, found by
    bisection in SQL, and their neighbours, against the program."""
    values = {}
    for name in INTEGER_FORMATS:
        if name == "fat":  # months and days inside its bits: no single edge
            continue
        edges = []
        for outside in (INT64_MIN, INT64_MAX):
            # From the example (read) toward the end of 64 bits (read or not):
            # halve the distance, keeping a read value on one side. The middle
            # is computed without leaving 64 bits.
            middle = "(inside / 2 + outside / 2 + (inside % 2 + outside % 2) / 2)"
            read = f"morvek_status({middle}, {quoted(name)}) = 'ok'"
            rows = database.rows(f"""
                WITH RECURSIVE b(step, inside, outside) AS (
                  SELECT 0, {EXAMPLES[name]}, {literal(outside)}
                  UNION ALL
                  SELECT step + 1, CASE WHEN {read} THEN {middle} ELSE inside END,
                         CASE WHEN {read} THEN outside ELSE {middle} END
                  FROM b WHERE abs(outside - inside) > 1)
                SELECT inside, outside, morvek_status(outside, {quoted(name)}) FROM b ORDER BY step DESC LIMIT 1""")
            inside, outside_found, status = rows[0]
            edges += [outside_found] if status == "ok" else [inside, outside_found]
        values[name] = sorted({e + d for e in edges for d in (-1, 0, 1) if INT64_MIN <= e + d <= INT64_MAX})
    for n, (name, numbers) in enumerate(values.items()):
        table = f"edge{n}"
        database.put_values(table, numbers)
        compare_format(database, name, numbers, table)
    return values


# ---------------------------------------------------------------------------------------

def check_errors(database):
    cases = [
        ("SELECT morvek(1, 'unixx', 'iso')", ["morvek", "unknown format", "'unixx'"]),
        ("SELECT morvek(1, 'unix', 'isoo')", ["morvek", "unknown field", "'isoo'"]),
        ("SELECT morvek(1, 'cocoa:le', 'iso')", ["unknown format", "'cocoa:le'"]),
        ("SELECT morvek(1, 'file_time:xx', 'iso')", ["unknown format", "'file_time:xx'"]),
        ("SELECT morvek(1, 'UNIX', 'iso')", ["unknown format", "'UNIX'"]),
        ("SELECT morvek(1, '/U', 'iso')", ["unknown format", "'/U'"]),
        ("SELECT morvek(1, NULL, 'iso')", ["morvek", "format is NULL"]),
        ("SELECT morvek(1, 'unix', NULL)", ["morvek", "field is NULL"]),
        ("SELECT morvek(NULL, 'bad', 'iso')", ["unknown format", "'bad'"]),
        ("SELECT morvek_status(1, 'bad name')", ["morvek_status", "unknown format", "'bad name'"]),
        ("SELECT morvek(1, 'unix')", ["wrong number of arguments", "morvek"]),
        ("SELECT morvek_report()", ["wrong number of arguments", "morvek_report"]),
        ("SELECT * FROM morvek_guess", ["morvek_guess", "no value"]),
        ("SELECT * FROM morvek_guess('1483228800', 2100, 2000)", ["morvek_guess", "years"]),
        ("SELECT * FROM morvek_guess('1483228800', 'x')", ["morvek_guess", "years"]),
        ("SELECT * FROM morvek_guess('1483228800', 1990, 5000000000)", ["morvek_guess", "years"]),
    ]
    for sql, words in cases:
        error = database.error(sql)
        check(error is not None, f"no error for {sql}")
        if error is not None:
            for word in words:
                check(word in error, f"{sql}: the error {error.strip()!r} does not say {word!r}")
    # Every name that is wrong is an error on the first row, whatever the value.
    database.execute("CREATE TABLE names(format, field); "
                     "INSERT INTO names VALUES ('unix', 'iso'), ('webkit', 'date'), ('nope', 'iso');")
    error = database.error("SELECT morvek(1483228800, format, field) FROM names")
    check(error is not None and "'nope'" in error, f"a format from a column: {error}")
    rows = database.rows("SELECT morvek(13127702400000000, format, field) FROM names WHERE format != 'nope'")
    check(rows == [(None,), ("01.01.2017",)], f"names from a column: {rows}")


def check_flags(database):
    rows = database.rows("SELECT name, narg, flags FROM pragma_function_list WHERE name LIKE 'morvek%' ORDER BY name")
    names = [(name, narg) for name, narg, _ in rows]
    check(names == [("morvek", 3), ("morvek_report", 1), ("morvek_status", 2)], f"functions: {names}")
    deterministic, innocuous = 0x800, 0x200000
    for name, _, flags in rows:
        check(flags & deterministic and flags & innocuous, f"{name}: flags {flags:#x}")
    rows = database.rows("SELECT name FROM pragma_module_list WHERE name = 'morvek_guess'")
    check(rows == [("morvek_guess",)], f"module: {rows}")


def webkit_iso(webkit):
    """ISO 8601 of a WebKit time (microseconds from 1601), by Python's calendar."""
    moment = datetime.datetime(1601, 1, 1) + datetime.timedelta(microseconds=webkit)
    fraction = f".{moment.microsecond:06d}" if moment.microsecond else ""
    return moment.strftime("%Y-%m-%dT%H:%M:%S") + fraction + "Z"


def check_schema(work):
    """Generated columns, a CHECK and indexes on morvek(...) in a file that
    is reopened."""
    path = os.path.join(work, f"history-{options.via}.db")
    database = backend(path)
    times = [(11644473600 + 1483228800 - 3 * 86400 + random_source.randrange(0, 6 * 86400)) * 10**6
             + random_source.choice([0, random_source.randrange(0, 10**6)]) for _ in range(1500)]
    inserts = ";\n".join(f"INSERT INTO visits(visit_time) VALUES ({t})" for t in times)
    database.execute(f"""
        BEGIN;
        CREATE TABLE visits(
          id INTEGER PRIMARY KEY,
          visit_time INTEGER,
          visited TEXT GENERATED ALWAYS AS (morvek(visit_time, 'webkit', 'iso')) STORED,
          visit_unix INTEGER GENERATED ALWAYS AS (morvek(visit_time, 'webkit', 'unix')) VIRTUAL,
          CHECK (morvek_status(visit_time, 'webkit') = 'ok'));
        CREATE INDEX visits_by_day ON visits(morvek(visit_time, 'webkit', 'date'));
        CREATE INDEX visits_by_unix ON visits(visit_unix);
        {inserts};
        COMMIT;""")
    database.close()

    for reopened in range(2):
        database = backend(path)
        rows = database.rows("SELECT visit_time, visited, visit_unix FROM visits ORDER BY id")
        check([r[0] for r in rows] == times, "visits: the times read back")
        check(all(r[1] == webkit_iso(r[0]) for r in rows), "visits: the generated ISO column")
        check(all(r[2] == r[0] // 10**6 - 11644473600 for r in rows), "visits: the generated Unix column")
        day_count = sum(1 for t in times if webkit_iso(t).startswith("2017-01-01"))
        query = "SELECT count(*) FROM visits WHERE morvek(visit_time, 'webkit', 'date') = '01.01.2017'"
        check(database.rows(query) == [(day_count,)], f"rows of a day: {database.rows(query)}, want {day_count}")
        plan = " ".join(str(r[-1]) for r in database.rows("EXPLAIN QUERY PLAN " + query))
        check("visits_by_day" in plan, f"the day query does not use its index: {plan}")
        low, high = 1483228800, 1483228800 + 3600
        in_hour = sum(1 for t in times if low <= t // 10**6 - 11644473600 < high)
        query = f"SELECT count(*) FROM visits WHERE visit_unix >= {low} AND visit_unix < {high}"
        check(database.rows(query) == [(in_hour,)], "rows of an hour")
        plan = " ".join(str(r[-1]) for r in database.rows("EXPLAIN QUERY PLAN " + query))
        check("visits_by_unix" in plan, f"the hour query does not use its index: {plan}")
        check(database.rows("PRAGMA integrity_check") == [("ok",)], "integrity_check")
        error = database.error("INSERT INTO visits(visit_time) VALUES ('yesterday')")
        check(error is not None and "CHECK constraint failed" in error, f"the CHECK constraint: {error}")
        # With trusted_schema off, a schema may use only innocuous functions:
        # the generated column, the index and the CHECK still work.
        database.set_pragma("PRAGMA trusted_schema = OFF")
        rows = database.rows(f"SELECT count(*) FROM visits WHERE visit_unix >= {low} AND "
                             "morvek(visit_time, 'webkit', 'date') = '01.01.2017'")
        check(rows and rows[0][0] > 0, f"trusted_schema off: {rows}")
        error = database.error("INSERT INTO visits(visit_time) VALUES (13127702400000000)")
        check(error is None, f"trusted_schema off, an insert: {error}")
        times.append(13127702400000000)
        database.close()


def check_million_rows(database):
    """A million FILE times, one in ten a bad text, one in ten negative, one
    in ten NULL: one query converts them all."""
    database.execute("""
        CREATE TABLE big(t);
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000)
        INSERT INTO big SELECT CASE
            WHEN i % 10 = 3 THEN 'not a time ' || i
            WHEN i % 10 = 7 THEN -i
            WHEN i % 10 = 9 THEN NULL
            WHEN i % 20 = 1 THEN ' ' || (131277024000000000 + i) || ' '
            ELSE 116444736000000000 + i * 10000019 END FROM n;""")
    rows = database.rows("""
        SELECT morvek_status(t, 'file_time') AS s, count(*) AS n, count(morvek(t, 'file_time', 'iso')) AS iso,
               sum(morvek(t, 'file_time', 'unix')) AS total
        FROM big GROUP BY s ORDER BY s""")
    ok_total = 0
    counts = {"bad-value": 0, "too-big": 0, None: 0, "ok": 0}
    for i in range(1, 1000001):
        if i % 10 == 3:
            counts["bad-value"] += 1
        elif i % 10 == 7:
            counts["too-big"] += 1
        elif i % 10 == 9:
            counts[None] += 1
        else:
            counts["ok"] += 1
            file_time = 131277024000000000 + i if i % 20 == 1 else 116444736000000000 + i * 10000019
            ok_total += (file_time - 116444736000000000) // 10**7
    want = [(None, counts[None], 0, None), ("bad-value", counts["bad-value"], 0, None),
            ("ok", counts["ok"], counts["ok"], ok_total), ("too-big", counts["too-big"], 0, None)]
    check(rows == want, f"a million rows: {rows}, want {want}")
    # The messages of bad rows are the program's.
    rows = database.rows("SELECT t, morvek(t, 'file_time', 'message') FROM big WHERE rowid IN (3, 7) ORDER BY rowid")
    want = [record["message"].decode() for record in program_records(options.morvek, "file_time", [b"not a time 3", b"-7"])]
    check(rows == [("not a time 3", want[0]), (-7, want[1])], f"messages of bad rows: {rows}, want {want}")


def check_report(database):
    lines = ["31.12.2016 23:59:60", "01.01.2017", "730000 /J", "0 /D", "31.02.2000", "", "a b c d",
             "9223372036855", "1483228800 /U", "  63618825627\t/E ", "--help", "01.01.2000 12:00:00 /J",
             "100 /G", "-1500000 /E6", "x" * 5000]
    for line in lines:
        rows = database.rows(f"SELECT morvek_report(CAST(X'{line.encode().hex()}' AS TEXT))")
        run = subprocess.run([options.morvek, "--batch"], input=line.encode() + b"\n", capture_output=True)
        want = run.stdout.decode() if len(line) <= 4096 else None
        check(rows == [(want,)], f"morvek_report({line[:40]!r}): {rows!r:.200}, want {want!r:.200}")
    # Numbers are their text; the current time is not deterministic.
    run = subprocess.run([options.morvek, "63618825627"], capture_output=True)
    check(database.rows("SELECT morvek_report(63618825627)") == [(run.stdout.decode(),)], "morvek_report(integer)")
    check(database.rows("SELECT morvek_report('/C'), morvek_report('/c'), morvek_report('-Current'), "
                        "morvek_report(NULL)") == [(None, None, None, None)], "morvek_report of the clock")


def check_guess(database):
    for value, window in [("1483228800", None), ("13127702400000000", None), ("504921600", None), ("42736.5", None),
                          ("2017-01-01T00:00:00Z", None), ("junk", None), ("0", None), ("1483228800", (1900, 2200)),
                          (" 131277024000000000 ", (1601, 1601)), ("1", (-5000, 5000))]:
        arguments = [options.morvek, "--guess", value] + ([f"--window={window[0]}..{window[1]}"] if window else [])
        run = subprocess.run(arguments, capture_output=True)
        want = [tuple(line.split()) for line in run.stdout.decode().splitlines()]
        window_sql = f", {window[0]}, {window[1]}" if window else ""
        rows = database.rows(f"SELECT format, iso FROM morvek_guess({quoted(value)}{window_sql})")
        check(rows == want, f"morvek_guess({value!r}{window_sql}): {rows}, want {want}")
        # The moment columns are the moment of each guess.
        rows = database.rows(f"SELECT g.e0 = morvek(g.value, g.format, 'e0'), "
                             f"morvek(g.value, g.format, 'e6') - g.e0 * 1000000 = g.nanosecond / 1000 "
                             f"FROM morvek_guess({quoted(value)}{window_sql}) AS g")
        check(all(r == (1, 1) for r in rows), f"morvek_guess({value!r}): the moment columns {rows}")
    rows = database.rows("SELECT count(*) FROM morvek_guess(1483228800)")
    check(rows[0][0] >= 5, f"morvek_guess of an integer: {rows}")
    check(database.rows("SELECT count(*) FROM morvek_guess(NULL)") == [(0,)], "morvek_guess(NULL)")
    # A join feeds the value from another table.
    database.execute("CREATE TABLE raw(v); INSERT INTO raw VALUES ('1483228800'), ('13127702400000000');")
    rows = database.rows("SELECT raw.v, g.format FROM raw, morvek_guess(raw.v) AS g WHERE g.format = 'unix' "
                         "OR g.format = 'webkit' ORDER BY 1, 2")
    check(rows == [("13127702400000000", "webkit"), ("1483228800", "unix")], f"morvek_guess in a join: {rows}")


def main():
    database = backend()
    compared = check_against_program(database)
    edges = check_edges(database)
    check_errors(database)
    check_flags(database)
    check_report(database)
    check_guess(database)
    check_million_rows(database)
    database.close()
    with tempfile.TemporaryDirectory() as work:
        check_schema(work)
    if failures:
        print(f"{len(failures)} failures through the {options.via}:", file=sys.stderr)
        for failure in failures[:60]:
            print("  " + failure, file=sys.stderr)
        return 1
    print(f"SQLite extension through the {options.via}: {compared} values of {len(FORMATS)} formats and their "
          f"byte forms, {len(FIELDS)} fields each, equal the stream mode's records; the edges of "
          f"{len(edges)} formats; errors, flags, schema, a million rows, reports and guesses")
    return 0


sys.exit(main())
