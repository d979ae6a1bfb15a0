#!/usr/bin/env python3
"""Two builds of morvek side by side: the same generated command lines, as
one-moment runs and through the stream mode in every format and field set,
must give the same bytes and exit statuses. Used to show that a change of
the code leaves every existing output as it was.

Usage: compare_programs.py NEW_MORVEK OLD_MORVEK [LINES]
"""
import random
import subprocess
import sys

FIELDS = ("line,input,status,message,date,time,calendar,era_date,rd_julian,rd_gregorian,era_day,weekday,"
          "e0,e3,e6,leap_seconds,unix,file_time,e0_hex,e3_hex,e6_hex,unix_hex,file_time_hex,jdn,mjd,iso")


def number(rng):
    shape = rng.randrange(8)
    if shape == 0:
        return str(rng.randrange(-10**19, 10**19))
    if shape == 1:
        return hex(rng.randrange(0, 2**64)).replace("0x", rng.choice(["0x", "0X", "-0x"]))
    if shape == 2:
        return "0" + str(rng.randrange(0, 10**rng.randrange(1, 12)))
    if shape == 3:
        return rng.choice(["0", "-0", "+5", "x5", "0x", "-", "+", "1.5", "5x10", "08", "010", "--5"])
    if shape == 4:
        return str(rng.randrange(-10**rng.randrange(1, 20), 10**rng.randrange(1, 20)))
    return str(rng.randrange(-3 * 10**12, 3 * 10**12) * rng.choice([1, 1000, 1000000]))


def date(rng):
    year = rng.choice([rng.randrange(-5000, 5000), rng.randrange(1570, 2030), rng.randrange(-10**9, 10**10),
                       rng.choice([1582, 1972, 2016, 0, -1, -45, -46, 292278, 292279])])
    month = rng.choice([rng.randrange(1, 13), rng.randrange(-1, 15)])
    day = rng.choice([rng.randrange(1, 32), rng.randrange(-1, 34), 29, 31, 30])
    pad = rng.random() < 0.7
    return f"{day:02d}.{month:02d}.{year}" if pad else f"{day}.{month}.{year}"


def time_of_day(rng):
    if rng.random() < 0.2:
        return "23:59:60"
    return f"{rng.randrange(0, 25):02d}:{rng.randrange(0, 61):02d}:{rng.randrange(0, 62):02d}"


def switch(rng):
    letter = rng.choice("DdEeJjGgUuFfCcXh")
    tail = rng.choice(["", "0", "3", "6", "D", "9", "x"]) if letter in "Ee" else rng.choice(["", "", "nix", "ile"])
    return rng.choice("/-") + letter + tail


def command_line(rng):
    form = rng.randrange(10)
    if form == 0:
        return date(rng)
    if form == 1:
        return f"{date(rng)} {time_of_day(rng)}"
    if form == 2:
        return f"{date(rng)} {time_of_day(rng)} {switch(rng)}"
    if form == 3:
        return number(rng)
    if form in (4, 5, 6):
        return f"{number(rng)} {switch(rng)}"
    if form == 7:
        return f"{date(rng)} {rng.choice(['/J', '/G', '/j', '-g'])}"
    if form == 8:
        return rng.choice(["", "   ", "a b c d", "31.02.2000", "0 /D", "--help", "--version", "5 -3",
                           "01.01.2000 12:00:00 X", "9223372036854775807 /U", "30.06.1972 23:59:60"])
    return " ".join(rng.choice([number(rng), date(rng), switch(rng), time_of_day(rng)])
                    for _ in range(rng.randrange(1, 5)))


def reads_the_clock(line):
    words = line.split()
    return len(words) == 1 and len(words[0]) >= 2 and words[0][0] in "/-" and words[0][1] in "Cc"


def run(program, arguments, stdin=b""):
    done = subprocess.run([program, *arguments], input=stdin, capture_output=True, timeout=600)
    return done.returncode, done.stdout, done.stderr


def main():
    new, old = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 20000
    rng = random.Random(20261207)
    # A line that reads the clock may fall into another second in each run.
    lines = [line for line in (command_line(rng) for _ in range(count)) if not reads_the_clock(line)]
    stream = ("\n".join(lines) + "\n").encode()
    differences = 0
    stream_runs = [[], ["--format=tsv"], ["--format=csv", "--header"], ["--format=jsonl"],
                   ["--format=tsv", f"--fields={FIELDS}"], ["--format=csv", f"--fields={FIELDS}"],
                   ["--format=jsonl", f"--fields={FIELDS}"], ["--from=/U", "--format=tsv"],
                   ["--from=/F"], ["--from=/E3", "--format=jsonl", f"--fields={FIELDS}"]]
    for options in stream_runs:
        if run(new, ["--batch", *options], stream) != run(old, ["--batch", *options], stream):
            print(f"stream mode differs: {' '.join(options)[:80]}")
            differences += 1
    # The stream's report format is one run per line; a sample also runs as
    # the program's own arguments, which the shell splits the same way.
    for line in lines[: min(count, 1500)]:
        words = line.split()
        if words[:1] in (["--help"], ["--version"], ["--batch"]):
            continue
        if run(new, words) != run(old, words):
            print(f"one-moment run differs: {line!r}")
            differences += 1
    count = len(lines)
    checked = len(stream_runs) * count + min(count, 1500)
    if differences:
        print(f"{differences} differences")
        return 1
    print(f"identical: {count} generated lines in {len(stream_runs)} stream runs and {min(count, 1500)} "
          f"one-moment runs ({checked} conversions)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
