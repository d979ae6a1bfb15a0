"""What the SQLite extension's tests share: two ways into SQLite (Python's
sqlite3 module and the sqlite3 shell) behind one interface, SQL literals
that name a value exactly, the text the stream mode is given for a value,
and the stream mode's records of the built program as the expected answer.
"""
import json
import math
import os
import sqlite3
import subprocess
import tempfile
from decimal import Decimal

# The record fields, in the stream mode's order, and those that are integers
# (JSON numbers, or digit strings beyond 2^53): the README's list.
FIELDS = [
    "line", "input", "status", "message", "date", "time", "calendar", "era_date", "rd_julian", "rd_gregorian",
    "era_day", "weekday", "e0", "e3", "e6", "leap_seconds", "unix", "file_time",
    "e0_hex", "e3_hex", "e6_hex", "unix_hex", "file_time_hex", "jdn", "mjd", "iso",
    "unix_ms", "unix_us", "unix_ns", "webkit", "cocoa", "cocoa_ns", "hfs", "dotnet_ticks", "ole", "excel",
    "excel_1904", "gps", "fat",
]
INTEGER_FIELDS = {
    "line", "era_day", "rd_julian", "rd_gregorian", "jdn", "mjd", "leap_seconds",
    "e0", "e3", "e6", "unix", "file_time",
    "unix_ms", "unix_us", "unix_ns", "webkit", "cocoa_ns", "hfs", "dotnet_ticks", "gps", "fat",
}
DECIMAL_FORMATS = ["cocoa", "ole", "excel", "excel_1904"]
INTEGER_FORMATS = [
    "e0", "e3", "e6", "era_day", "rd_julian", "rd_gregorian", "unix", "file_time", "unix_ms", "unix_us", "unix_ns",
    "webkit", "cocoa_ns", "hfs", "dotnet_ticks", "gps", "fat", "jdn", "mjd",
]
FORMATS = INTEGER_FORMATS + DECIMAL_FORMATS + ["iso"]
FOUR_BYTE_FORMATS = {"hfs", "fat"}


class Text(bytes):
    """A TEXT value given as its bytes (which need not be UTF-8)."""


class Blob(bytes):
    """A BLOB value."""


def real_text(x):
    """The decimal text of a double without exponent: a whole number as its
    exact digits (2.0**63 as 9223372036854775808), any other as the shortest
    text that reads back to the same double (Python's repr finds its digits)."""
    if math.isinf(x):
        return "inf" if x > 0 else "-inf"
    if x == math.floor(x):
        return ("-" if math.copysign(1, x) < 0 else "") + str(abs(int(x)))
    text = format(Decimal(repr(x)), "f")
    return text.rstrip("0").rstrip(".") if "." in text else text


def line_of(value, format_name):
    """The bytes the stream mode is given for the value read in the format
    (a number's text, a text as it is, a blob in a byte form as hex)."""
    if isinstance(value, bool) or value is None:
        raise ValueError(value)
    if isinstance(value, int):
        return str(value).encode()
    if isinstance(value, float):
        return real_text(value).encode()
    if isinstance(value, Blob) and (format_name.endswith(":le") or format_name.endswith(":be")):
        return value.hex().upper().encode()
    return bytes(value)


def program_format(value, format_name):
    """A number is read without the byte order."""
    if isinstance(value, (int, float)) and ":" in format_name:
        return format_name.split(":")[0]
    return format_name


def literal(value):
    """An SQL expression for exactly this value."""
    if value is None:
        return "NULL"
    if isinstance(value, Text):
        return f"CAST(X'{value.hex()}' AS TEXT)"
    if isinstance(value, Blob):
        return f"X'{value.hex()}'"
    if isinstance(value, int):
        return f"({value + 1} - 1)" if value == -(2**63) else str(value)
    if isinstance(value, float):
        if math.isinf(value):
            return "9e999" if value > 0 else "-9e999"
        if value == 0:
            return "-0.0" if math.copysign(1, value) < 0 else "0.0"
        # value = mantissa * 2^exponent, the mantissa below 2^53.
        fraction, exponent = math.frexp(value)
        mantissa, exponent = int(fraction * 2**53), exponent - 53
        while mantissa % 2 == 0:
            mantissa, exponent = mantissa // 2, exponent + 1
        return f"ieee754({mantissa}, {exponent})"
    raise TypeError(value)


class PythonModule:
    """Python's sqlite3 module, the extension loaded with load_extension()."""

    name = "python"

    def __init__(self, extension, database=":memory:"):
        self.connection = sqlite3.connect(database, isolation_level=None)
        self.connection.enable_load_extension(True)
        self.connection.load_extension(extension)
        self.connection.enable_load_extension(False)
        self.connection.text_factory = bytes

    def execute(self, script):
        self.connection.executescript(script)

    def set_pragma(self, pragma):
        self.connection.execute(pragma)

    def rows(self, sql):
        return [tuple(decode(v) for v in row) for row in self.connection.execute(sql).fetchall()]

    def error(self, sql):
        try:
            self.connection.execute(sql).fetchall()
        except sqlite3.Error as error:
            return str(error)
        return None

    def put_values(self, table, values):
        """A table (id, x) of the values, exactly."""
        self.connection.execute(f"CREATE TABLE {table}(id INTEGER PRIMARY KEY, x)")
        for i, value in enumerate(values):
            if isinstance(value, Text):
                self.connection.execute(f"INSERT INTO {table} VALUES (?, CAST(? AS TEXT))", (i, bytes(value)))
            elif isinstance(value, Blob):
                self.connection.execute(f"INSERT INTO {table} VALUES (?, ?)", (i, bytes(value)))
            else:
                self.connection.execute(f"INSERT INTO {table} VALUES (?, ?)", (i, value))

    def close(self):
        self.connection.close()


def decode(value):
    return value.decode() if isinstance(value, bytes) else value


class Shell:
    """The sqlite3 shell, one process per query, the extension loaded with
    `.load PATH` (the path without its .so). Results come back through
    `.mode json`. An in-memory database is a temporary file here, so that
    what one process made the next one finds."""

    name = "shell"

    def __init__(self, sqlite3_shell, extension, database=":memory:"):
        self.shell = sqlite3_shell
        self.extension = extension
        self.temporary = None
        if database == ":memory:":
            self.temporary = tempfile.TemporaryDirectory()
            database = os.path.join(self.temporary.name, "memory.db")
        self.database = database
        self.pragmas = ["PRAGMA synchronous = OFF;"]

    def run(self, script):
        text = "\n".join([f".load {self.extension}", ".mode json", *self.pragmas, script]) + "\n"
        return subprocess.run([self.shell, "-bail", "-batch", self.database], input=text.encode(),
                              capture_output=True, timeout=600)

    def execute(self, script):
        run = self.run(script)
        if run.returncode != 0:
            raise RuntimeError(f"sqlite3 failed: {run.stderr.decode(errors='replace')}")

    def set_pragma(self, pragma):
        """For each process after this one."""
        self.pragmas.append(pragma.rstrip(";") + ";")

    def rows(self, sql):
        run = self.run(sql.rstrip().rstrip(";") + ";")
        if run.returncode != 0:
            raise RuntimeError(f"sqlite3 failed on {sql[:200]}: {run.stderr.decode(errors='replace')}")
        output = run.stdout.decode()
        if sql.lstrip().upper().startswith("EXPLAIN QUERY PLAN"):  # the shell draws the plan as a tree
            return [(line,) for line in output.splitlines()]
        if not output.strip():
            return []
        return [tuple(row.values()) for row in json.loads(output)]

    def error(self, sql):
        run = self.run(sql.rstrip().rstrip(";") + ";")
        if run.returncode == 0:
            return None
        return run.stderr.decode(errors="replace")

    def put_values(self, table, values):
        inserts = ["BEGIN;", f"CREATE TABLE {table}(id INTEGER PRIMARY KEY, x);"]
        for i, value in enumerate(values):
            inserts.append(f"INSERT INTO {table} VALUES ({i}, {literal(value)});")
        self.execute("\n".join(inserts + ["COMMIT;"]))

    def close(self):
        if self.temporary:
            self.temporary.cleanup()


def open_backend(via, extension, sqlite3_shell, database=":memory:"):
    if via == "python":
        return PythonModule(extension, database)
    return Shell(sqlite3_shell, extension, database)


def tsv_unescape(field):
    out = bytearray()
    i = 0
    while i < len(field):
        c = field[i]
        if c == 0x5C and i + 1 < len(field):
            out += {ord("\\"): b"\\", ord("t"): b"\t", ord("n"): b"\n", ord("r"): b"\r", ord("0"): b"\0"}[field[i + 1]]
            i += 2
        else:
            out.append(c)
            i += 1
    return bytes(out)


def program_records(morvek, format_name, lines):
    """The stream mode's records, `morvek --batch --from=NAME --format=tsv`
    with every field, for lines of bytes: a dict per line, the fields
    without a value left out, integer fields as int, texts as bytes."""
    if not lines:
        return []
    run = subprocess.run([morvek, "--batch", f"--from={format_name}", "--format=tsv", "--fields=" + ",".join(FIELDS)],
                         input=b"".join(line + b"\n" for line in lines), capture_output=True, timeout=300)
    if run.returncode not in (0, 1):
        raise RuntimeError(f"morvek --batch --from={format_name}: status {run.returncode}: {run.stderr!r}")
    records = []
    for row in run.stdout.split(b"\n")[:-1]:
        fields = row.split(b"\t")
        assert len(fields) == len(FIELDS), row
        record = {}
        for name, field in zip(FIELDS, fields):
            value = tsv_unescape(field)
            # Only input is ever present and empty (a line too long).
            if value == b"" and name != "input":
                continue
            record[name] = int(value) if name in INTEGER_FIELDS else value
        records.append(record)
    if len(records) != len(lines):
        raise RuntimeError(f"morvek --batch --from={format_name}: {len(records)} records for {len(lines)} lines")
    return records


def find_shared_object(path):
    return path if os.path.exists(path) else path + ".so"
