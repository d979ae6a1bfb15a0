#!/usr/bin/env python3
"""The stream mode's CSV and TSV columns, read back as Python's csv module
reads them: every row kept as it was, the record appended, nothing lost.

Usage: check_csv_columns.py MORVEK
"""
import csv
import io
import subprocess
import sys

MORVEK = sys.argv[1]
failures = []


def run(arguments, data):
    done = subprocess.run([MORVEK, "--batch", *arguments], input=data.encode(), capture_output=True, timeout=60)
    return done.returncode, done.stdout.decode(), done.stderr.decode()


def expect(what, condition):
    if not condition:
        failures.append(what)


def csv_rows(text, delimiter=","):
    return list(csv.reader(io.StringIO(text, newline=""), delimiter=delimiter))


# Rows with quoting, a quote doubled, a line break inside quotes, a CRLF row,
# a row without the column, and a value that names no moment.
rows_in = [
    ["id", "when", "note"],
    ["1", "1483228800", "plain"],
    ["2", "1483228800", 'quoted, with "quotes"'],
    ["3", "78796799", "two\nlines"],
    ["4"],
    ["5", "abc", ""],
]
text = io.StringIO(newline="")
writer = csv.writer(text, lineterminator="\r\n")
writer.writerows(rows_in)
for jobs in ("--jobs=1", "--jobs=2"):
    status, out, err = run(["--input=csv", "--column=when", "--from=unix", "--fields=datetime=iso,status", jobs],
                           text.getvalue())
    got = csv_rows(out)
    expect(f"{jobs}: exit status 1 for the rows not converted, got {status}", status == 1)
    expect(f"{jobs}: the header gets the names appended: {got[:1]}", got[:1] == [rows_in[0] + ["datetime", "status"]])
    expect(f"{jobs}: as many rows out as in: {len(got)}", len(got) == len(rows_in))
    for row_in, row_out in zip(rows_in[1:], got[1:]):
        expect(f"{jobs}: the row is kept: {row_in} -> {row_out}", row_out[: len(row_in)] == row_in)
    expect(f"{jobs}: row 1 converted: {got[1]}", got[1][-2:] == ["2017-01-01T00:00:00Z", "ok"])
    expect(f"{jobs}: row 3 converted: {got[3]}", got[3][-2:] == ["1972-06-30T23:59:59Z", "ok"])
    expect(f"{jobs}: row 4 has no column: {got[4]}", got[4][-2:] == ["", "no-column"])
    expect(f"{jobs}: row 5 is a bad value: {got[5]}", got[5][-2:] == ["", "bad-value"])
    expect(f"{jobs}: the summary counts data rows: {err!r}", "2 of 5 lines not converted; the first is line 4" in err)

# By number, without a header: every row is data; line numbers and inputs.
status, out, _ = run(["--input=csv", "--column=2", "--from=/U", "--fields=line,input,unix"],
                     "a,1483228800\nb,0\n")
expect(f"by number: {out!r}", csv_rows(out) == [["a", "1483228800", "1", "1483228800", "1483228800"],
                                                  ["b", "0", "2", "0", "0"]] and status == 0)

# An empty file, and a header alone.
for data, want in (("", []), ("id,when\n", [["id", "when", "iso"]]), ("id,when", [["id", "when", "iso"]])):
    status, out, err = run(["--input=csv", "--column=when", "--from=unix", "--fields=iso"], data)
    expect(f"{data!r}: {out!r} status {status}", csv_rows(out) == want and status == 0 and err == "")

# A header without the column named: the options are wrong, status 2.
status, out, err = run(["--input=csv", "--column=nowhere", "--from=unix"], "id,when\n1,2\n")
expect(f"a missing column name: status {status}, {err!r}", status == 2 and "no such column" in err and out == "")

# TSV: the stream mode's escapes read back, the row written as it was.
status, out, _ = run(["--input=tsv", "--column=2", "--header", "--from=unix", "--fields=input,iso"],
                     "a\\tb\twhen\n1\\n2\t1483228800\r\n")
expect(f"tsv: {out!r}", out == "a\\tb\twhen\tinput\tiso\n1\\n2\t1483228800\t1483228800\t2017-01-01T00:00:00Z\n")

# Another format than the input's dialect is an option error.
status, _, err = run(["--input=csv", "--column=1", "--format=jsonl"], "1\n")
expect(f"--format=jsonl with csv input: status {status}", status == 2 and "dialect" in err)

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("csv and tsv columns: rows kept, records appended, read back by Python's csv module")
