#!/usr/bin/env python3
"""The stream mode of the built program, from the outside: exit statuses,
standard input and several files, the line on standard error, records that
Python's own json and csv readers take back, the report format against one
process per line, and line-by-line output to a terminal.

Usage: check_batch_program.py MORVEK
"""
import csv
import io
import json
import os
import pty
import select
import subprocess
import sys
import tempfile
import time

MORVEK = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def batch(arguments, stdin=b""):
    return subprocess.run([MORVEK, "--batch", *arguments], input=stdin, capture_output=True, timeout=60)


good = b"01.01.2017\n1483228800 /U\n730000 /J\n31.12.2016 23:59:60\n"
bad = b"31.02.2000\n\n" + b"7" * 5000 + b"\n0 /D"
nasty = b"1 \x00 2\n\xff\xfe\x80 /U\n\x01\x1f\x7f \\ \" , ;\r\n\xc3\xa9\xe2\x82\xac /E\n\t\t\n"

with tempfile.TemporaryDirectory() as work:
    good_file = os.path.join(work, "good.txt")
    bad_file = os.path.join(work, "bad.txt")
    with open(good_file, "wb") as f:
        f.write(good)
    with open(bad_file, "wb") as f:
        f.write(bad)

    # Exit statuses, and the last line on standard error.
    run = batch([good_file])
    check(run.returncode == 0 and run.stderr == b"", f"all good: status {run.returncode}, {run.stderr!r}")
    run = batch([good_file, bad_file])
    check(run.returncode == 1, f"a bad line: status {run.returncode}")
    check(run.stderr.endswith(b"morvek: 4 of 8 lines not converted; the first is line 5\n"), f"summary: {run.stderr!r}")
    check(b"line 7 is longer than 4096 bytes" in run.stderr, f"too-long notice: {run.stderr!r}")
    missing = os.path.join(work, "missing.txt")
    run = batch(["--format=tsv", "--fields=line,status", missing, good_file])
    check(run.returncode == 2, f"unreadable file: status {run.returncode}")
    check(f"cannot read {missing}".encode() in run.stderr, f"unreadable file named: {run.stderr!r}")
    check(run.stdout == b"1\tok\n2\tok\n3\tok\n4\tok\n", f"the other file still read: {run.stdout!r}")
    if os.path.exists("/dev/full"):
        with open("/dev/full", "wb") as full:
            status = subprocess.run([MORVEK, "--batch"], input=good, stdout=full, stderr=subprocess.PIPE)
        check(status.returncode == 2 and b"cannot write standard output" in status.stderr,
              f"unwritable output: {status.returncode} {status.stderr!r}")
    run = batch(["--format=tsv", "--fields=line,status", work, good_file])
    check(run.returncode == 2 and f"cannot read {work}".encode() in run.stderr and run.stdout.count(b"\tok\n") == 4,
          f"a folder is no input, the file after it is: {run.returncode} {run.stderr!r} {run.stdout!r}")
    run = batch(["--format=xml"])
    check(run.returncode == 2 and b"unknown --format" in run.stderr, f"bad option: {run.returncode} {run.stderr!r}")

    # Standard input, "-" among files, and one count of lines across them.
    run = batch(["--format=tsv", "--fields=line,input", good_file, "-", good_file], stdin=b"x\n")
    lines = run.stdout.decode().splitlines()
    check([l.split("\t")[0] for l in lines] == [str(i) for i in range(1, 10)], f"numbering: {lines}")
    check(lines[4] == "5\tx", f"standard input in its place: {lines}")
    run = batch(["--format=csv", "--fields=line,status"], stdin=good)
    check(run.stdout == b"1,ok\n2,ok\n3,ok\n4,ok\n", f"standard input alone: {run.stdout!r}")

    # Every record reads back with a strict reader, one per line.
    text = good + bad + b"\n" + nasty
    count = text.count(b"\n") + (0 if text.endswith(b"\n") else 1)
    run = batch(["--format=jsonl", "--fields=line,input,status,message,date,iso,e6"], stdin=text)
    records = [json.loads(line, parse_constant=lambda c: failures.append(f"constant {c}"))
               for line in run.stdout.decode("utf-8").split("\n")[:-1]]
    check(len(records) == count, f"jsonl: {len(records)} records for {count} lines")
    check([r["line"] for r in records] == list(range(1, count + 1)), "jsonl: records in line order")
    check(records[3]["iso"] == "2016-12-31T23:59:60Z" and records[3]["e6"] == "63618825626000000",
          f"jsonl values: {records[3]}")
    check(records[8]["input"] == "1 \x00 2" and records[9]["input"] == "\ufffd\ufffd\ufffd /U",
          f"jsonl bytes: {records[8:10]}")
    run = batch(["--format=csv", "--header", "--fields=line,input,status,message"], stdin=text)
    rows = list(csv.reader(io.StringIO(run.stdout.decode("latin-1"), newline="")))
    check(len(rows) == count + 1 and all(len(r) == 4 for r in rows), f"csv: {len(rows)} rows")
    check(rows[11][1] == "\x01\x1f\x7f \\ \" , ;", f"csv bytes: {rows[11]!r}")
    run = batch(["--format=tsv", "--header"], stdin=text)
    rows = run.stdout.split(b"\n")[:-1]
    check(len(rows) == count + 1 and all(r.count(b"\t") == 17 for r in rows), "tsv: one row per line, 18 fields")

    # The report format is what one process per line prints.
    run = batch([good_file, bad_file])
    expected = b""
    for line in (good + bad).split(b"\n"):
        if len(line) <= 4096:
            expected += subprocess.run([MORVEK, *line.decode().split()], capture_output=True).stdout
    check(run.stdout == expected, "report format equals the one-moment outputs")

# The historical calendar's options, in one-moment runs and the stream mode,
# and the span between two moments.
def program(arguments, stdin=b""):
    return subprocess.run([MORVEK, *arguments], input=stdin, capture_output=True, timeout=60)


run = program(["--reform=britain", "--year-start=annunciation", "--format=tsv",
               "--fields=date,dual_date,day_of_year", "11.02.1730/31"])
check(run.returncode == 0 and run.stdout == b"11.02.1731\t11.02.1730/31\t42\n", f"dual date: {run.stdout!r}")
run = batch(["--reform=russia", "--format=tsv", "--fields=input,date,gregorian_date"], b"25.10.1917\n")
check(run.stdout == b"25.10.1917\t25.10.1917\t07.11.1917\n", f"Russia's calendar: {run.stdout!r}")
run = batch(["--reform=england"])
check(run.returncode == 2 and b"--reform needs" in run.stderr, f"unknown reform: {run.returncode} {run.stderr!r}")
run = program(["--reform=01.01.1500", "0"])
check(run.returncode == 2 and b"15.10.1582" in run.stderr, f"reform before Rome's: {run.returncode} {run.stderr!r}")
check(b"julian_date" not in program(["--from=unix", "0"]).stdout, "the list has no historian's fields by default")
check(b"easter_gregorian" in program(["--reform=rome", "--from=unix", "0"]).stdout, "a calendar option adds them")
spans = [
    (["--between", "31.12.2016", "23:59:59", "--", "01.01.2017"], b"days\t1\nseconds\t2\n"),
    (["--reform=britain", "--between", "23.04.1616", "/G", "--", "23.04.1616"], b"days\t10\nseconds\t864000\n"),
    (["--between", "31.12.-1", "--", "01.01.1"], b"days\t1\nseconds\t86400\n"),
    (["--between", "1500", "/E3", "--", "0"], b"days\t0\nseconds\t-1.5\n"),
    (["--between", "500", "/E3", "--", "1500", "/E3"], b"days\t0\nseconds\t1.0\n"),
]
for arguments, want in spans:
    run = program(arguments)
    check(run.returncode == 0 and run.stdout == want, f"{' '.join(arguments)}: {run.returncode} {run.stdout!r}")
run = program(["--between", "31.02.2000", "--", "01.01.2017"])
check(run.returncode == 1 and run.stdout == b"" and b"first: nonexistent-date" in run.stderr,
      f"a side that is no moment: {run.returncode} {run.stderr!r}")
for arguments in (["--between", "01.01.2017"], ["--format=tsv", "--between", "1", "--", "2"]):
    run = program(arguments)
    check(run.returncode == 2 and run.stdout == b"", f"{' '.join(arguments)}: {run.returncode}")

# A terminal sees each record as soon as its line is read.
leader, follower = pty.openpty()
process = subprocess.Popen([MORVEK, "--batch", "--from=/U", "--format=tsv", "--fields=line,date,time"],
                           stdin=subprocess.PIPE, stdout=follower, stderr=subprocess.DEVNULL)
os.close(follower)
process.stdin.write(b"1483228800\n")
process.stdin.flush()
seen = b""
deadline = time.monotonic() + 10
while b"\n" not in seen and time.monotonic() < deadline:
    ready, _, _ = select.select([leader], [], [], 0.5)
    if ready:
        seen += os.read(leader, 1024)
check(seen.replace(b"\r", b"") == b"1\t01.01.2017\t00:00:00\n", f"terminal: record before the input ends: {seen!r}")
process.stdin.close()
process.wait(timeout=10)
os.close(leader)

for failure in failures:
    print("FAIL:", failure)
print(f"stream mode of the program: {len(failures)} failures")
sys.exit(1 if failures else 0)
