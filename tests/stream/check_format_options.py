#!/usr/bin/env python3
"""The program's ways into the named formats, from the outside: --from=NAME
in the stream mode, --format=list, one value with morvek --from=NAME VALUE,
--guess with --window, and the option words it refuses (exit status 2).

Usage: check_format_options.py MORVEK
"""
import csv
import io
import json
import subprocess
import sys

MORVEK = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def run(arguments, stdin=b""):
    done = subprocess.run([MORVEK, *arguments], input=stdin, capture_output=True, timeout=60)
    return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")


def expect(arguments, status, stdout, stdin=b""):
    got = run(arguments, stdin)
    check(got[0] == status and got[1] == stdout,
          f"morvek {' '.join(arguments)}: status {got[0]}, {got[1]!r}; wanted {status}, {stdout!r} ({got[2]!r})")
    return got


# ---- the stream mode reads each line as one value of a format -----------------------

status, out, err = run(["--batch", "--from=webkit", "--format=tsv", "--fields=line,input,status,iso,webkit"],
                       b"13300000000000000\n  13300000000000000\t\nx\n0x2F40478F834000\n")
check(out == "1\t13300000000000000\tok\t2022-06-18T04:26:40Z\t13300000000000000\n"
             "2\t  13300000000000000\\t\tok\t2022-06-18T04:26:40Z\t13300000000000000\n"
             "3\tx\tbad-value\t\t\n"
             "4\t0x2F40478F834000\tok\t2022-06-18T04:26:40Z\t13300000000000000\n", f"--from=webkit: {out!r}")
check(status == 1 and err == "morvek: 1 of 4 lines not converted; the first is line 3\n", f"--from=webkit: {status} {err!r}")
expect(["--batch", "--from=/U", "--format=tsv", "--fields=status,iso"], 0, "ok\t2017-01-01T00:00:00Z\n", b"1483228800\n")
expect(["--batch", "--from=file_time:le", "--format=csv", "--header", "--fields=input,iso"], 0,
       "input,iso\n00 C0 B0 FE C1 63 D2 01,2017-01-01T00:00:00Z\n", b"00 C0 B0 FE C1 63 D2 01\n")

# JSON Lines: day counts are numbers; 64-bit counts are their digits; decimals and ISO are texts.
status, out, _ = run(["--batch", "--from=cocoa", "--format=jsonl", "--fields=status,era_day,unix_ms,cocoa,iso,message"],
                     b"504921600.25\n-0.5\n1.5s\n")
records = [json.loads(line) for line in out.splitlines()]
check(records[0] == {"status": "ok", "era_day": 736330, "unix_ms": "1483228800250", "cocoa": "504921600.25",
                     "iso": "2017-01-01T00:00:00.250000Z"}, f"jsonl: {records[0]}")
check(records[1]["cocoa"] == "-0.5" and records[1]["iso"] == "2000-12-31T23:59:59.500000Z", f"jsonl: {records[1]}")
check(records[2] == {"status": "bad-value", "message": "1.5s - not a value of cocoa"}, f"jsonl: {records[2]}")
rows = list(csv.reader(io.StringIO(run(["--batch", "--from=ole", "--format=csv", "--fields=input,ole,message"],
                                       b"-1.25\n2958466\n")[1])))
check(rows == [["-1.25", "-1.25", ""], ["2958466", "", "2958466 - beyond the range of ole"]], f"csv: {rows}")

# The report format is what one run per value prints, good value or not.
values = ["0", "4294967295", "-1", "x", "3566073600"]
status, out, _ = run(["--batch", "--from=hfs"], "".join(v + "\n" for v in values).encode())
one_by_one = "".join(run(["--from=hfs", "--format=report", v])[1] for v in values)
check(status == 1 and out == one_by_one, "the report of each hfs value equals its own run")
check("\n\tx - not a value of hfs\n" in out and "\n\t-1 - beyond the range of hfs\n" in out, f"report messages: {out!r}")

# ---- --format=list: name  value, aligned, one blank line between records -------------

status, out, _ = run(["--batch", "--from=hfs", "--format=list", "--fields=status,iso,hfs,message"], b"0\n-1\n")
check(status == 1 and out == "status   ok\niso      1904-01-01T00:00:00Z\nhfs      0\n\n"
                             "status   too-big\nmessage  -1 - beyond the range of hfs\n", f"list: {out!r}")
status, out, _ = run(["--batch", "--from=unix", "--format=list"], b"1483228800\n")
names = [line.split()[0] for line in out.splitlines()]
check(status == 0 and "line" not in names and "input" not in names and "e0_hex" not in names and "message" not in names,
      f"list leaves out the line, the input, the hexadecimal columns and an empty message: {names}")
check(names[:3] == ["status", "date", "time"] and "iso" in names and "webkit" in names and names[-1] == "fat",
      f"list: every value a person reads, in field order: {names}")
check(len({line.index(line.split()[1]) for line in out.splitlines()}) == 1, f"list values in one column: {out!r}")

# ---- one value: morvek --from=NAME VALUE ------------------------------------------------

status, one, _ = run(["--from=unix", "1483228800"])
check(status == 0 and one == out, "one value prints the stream's list record")
expect(["--from=file_time:le", "00", "C0", "B0", "FE", "C1", "63", "D2", "01", "--fields=iso,unix"], 0,
       "iso   2017-01-01T00:00:00Z\nunix  1483228800\n")
expect(["--from=iso", "2017-01-01", "00:59:60+01:00", "--format=tsv", "--header", "--fields=status,iso"], 0,
       "status\tiso\nok\t2016-12-31T23:59:60Z\n")
expect(["--from=excel", "60"], 1, "status        nonexistent-date\nmessage       60 - non-existent date in excel\n")
expect(["--from=fat", "1243676702", "--fields=status,message"], 1,
       "status   nonexistent-time\nmessage  1243676702 - non-existent time in fat\n")
expect(["--from=hfs", "x", "--format=report"], 1, "\n\tx - not a value of hfs\n")
expect(["--from=unix_ms", "--fields=status,message"], 1, "status   bad-value\nmessage  - not a value of unix_ms\n")
expect(["--format=list", "01.01.2017", "--fields=date,unix"], 0, "date  01.01.2017\nunix  1483228800\n")
expect(["--format=tsv", "--fields=status", "31.02.2000"], 1, "nonexistent-date\n")

# ---- --guess: every reading within the window, by name ---------------------------------

guesses_2017 = ("cocoa     2048-01-02T00:00:00Z\n"
                "cocoa_ns  2001-01-01T00:00:01.483228Z\n"
                "fat       2024-03-08T08:52:00Z\n"
                "gps       2027-01-05T23:59:42Z\n"
                "unix      2017-01-01T00:00:00Z\n"
                "unix_ms   1970-01-18T04:00:28.800000Z\n"
                "unix_ns   1970-01-01T00:00:01.483228Z\n"
                "unix_us   1970-01-01T00:24:43.228800Z\n")
expect(["--guess", "1483228800"], 0, guesses_2017)
expect(["--guess", "1483228800", "--window=1900..2100"], 0,
       guesses_2017.replace("unix ", "hfs       1951-01-01T00:00:00Z\nunix "))
expect(["--window=2017..2017", "--guess", "1483228800"], 0, "unix  2017-01-01T00:00:00Z\n")
expect(["--guess", "0", "--window=1601..1601"], 0, "file_time  1601-01-01T00:00:00Z\nwebkit     1601-01-01T00:00:00Z\n")
expect(["--guess", "0", "--window=1971..1979"], 1, "")
expect(["--guess", "abc"], 1, "")
expect(["--guess", "2017-01-01", "00:00:00"], 0, "iso  2017-01-01T00:00:00Z\n")
expect(["--guess", "-1", "--window=-5..1969"], 0,
       "e0       0000-12-31T23:59:59Z\ne3       0000-12-31T23:59:59.999000Z\ne6       0000-12-31T23:59:59.999999Z\n"
       "era_day  0000-12-31T00:00:00Z\nmjd      1858-11-16T00:00:00Z\nole      1899-12-29T00:00:00Z\nunix     1969-12-31T23:59:59Z\n"
       "unix_ms  1969-12-31T23:59:59.999000Z\nunix_ns  1969-12-31T23:59:59.999999Z\n"
       "unix_us  1969-12-31T23:59:59.999999Z\nwebkit   1600-12-31T23:59:59.999999Z\n")

status, out, _ = run(["--help"])
check(status == 0 and "--format=report|tsv|csv|jsonl|list" in out and "--from=FORMAT" in out and "--guess VALUE" in out,
      f"--help tells of the formats: {out!r}")

# ---- option words the program refuses: status 2, nothing on standard output -------------

refused = [
    (["--from=bogus", "1"], "--from needs a switch such as /U or a format such as unix_ms"),
    (["--from=cocoa:le", "00"], "--from needs a switch such as /U or a format such as unix_ms"),
    (["--from=unix:xx", "1"], "--from needs a switch"),
    (["--from=unix", "1", "--format=xml"], "unknown --format"),
    (["--from=unix", "1", "--fields=nope"], "unknown field in --fields"),
    (["--from=unix", "1", "--fields=iso,iso"], "a field is named twice in --fields"),
    (["--from=unix", "1", "--fields="], "--fields names no field"),
    (["--from=unix", "1", "--header"], "--header needs --format=tsv or csv"),
    (["--from=unix", "1", "--bogus"], "unknown option"),
    (["--from=unix", "1", "--format=report", "--fields=iso"], "--fields needs --format=tsv, csv or jsonl"),
    (["--guess", "0", "--window=2100..1900"], "--window needs two years, FROM..TO"),
    (["--guess", "0", "--window=1900"], "--window needs two years"),
    (["--guess", "0", "--window=a..b"], "--window needs two years"),
    (["--batch", "--guess"], "unknown option"),
    (["--batch", "--window=1900..2000"], "unknown option"),
    (["--batch", "--from=bogus"], "--from needs a switch"),
    (["--batch", "--format=list", "--header"], "--header needs --format=tsv or csv"),
]
for arguments, problem in refused:
    status, out, err = run(arguments, b"0\n")
    check(status == 2 and out == "" and err.startswith("morvek: ") and problem in err,
          f"morvek {' '.join(arguments)}: status {status}, {out!r}, {err!r}")

for failure in failures:
    print("FAIL:", failure)
print(f"format options of the program: {len(failures)} failures")
sys.exit(1 if failures else 0)
