#!/usr/bin/env python3
"""The Python module's speed beside NumPy's and pandas' own conversions of
the same values: 10 million values (fixed seed) per job, the best of
several runs, values (rows) per second.

    PYTHONPATH=build/release/python python3 bench/python_bench.py [COUNT] [RUNS]

(10 million values and 5 runs when not given.)

Each morvek job is also checked against the NumPy or pandas result it is
timed beside, so the figures compare the same answers.
"""

import sys
import time

import numpy as np
import pandas as pd

import morvek

COUNT = int(sys.argv[1]) if len(sys.argv) > 1 else 10_000_000
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 5

UNIX_EPOCH_FILE_TIME = 116444736000000000
UNIX_EPOCH_ERA_DAY = 719163  # 01.01.1970


def best(*jobs):
    """The fastest of RUNS runs of each job, in seconds, and each job's last
    result. Several jobs run in turns, so that a machine shared with other
    work slows each of them alike."""
    fastest = [float("inf")] * len(jobs)
    results = [None] * len(jobs)
    for _ in range(RUNS):
        for k, job in enumerate(jobs):
            results[k] = None  # the previous result's memory back first
            start = time.perf_counter()
            results[k] = job()
            fastest[k] = min(fastest[k], time.perf_counter() - start)
    return (fastest[0], results[0]) if len(jobs) == 1 else (fastest, results)


rows = []


def report(job, tool, seconds):
    rate = COUNT / seconds
    rows.append((job, tool, rate))
    print(f"{job:34s} {tool:58s} {rate / 1e6:8.2f} M/s  ({seconds:.3f} s)", flush=True)
    return rate


rng = np.random.default_rng(20170101)
# 01.01.1990 to 01.01.2030, in 100 ns units, and the same span in seconds.
file_times = rng.integers(UNIX_EPOCH_FILE_TIME + 631152000 * 10**7, UNIX_EPOCH_FILE_TIME + 1893456000 * 10**7,
                          size=COUNT, dtype=np.int64)
unix = rng.integers(631152000, 1893456000, size=COUNT, dtype=np.int64)

print(f"{COUNT:,} values, best of {RUNS} runs; NumPy {np.__version__}, pandas {pd.__version__}, morvek {morvek.__version__}")

# ---- FILE time to Unix time and Era Day (integers) ----
job = "file_time -> unix, era_day"
(seconds, seconds2), (ours, ours2) = best(lambda: morvek.convert(file_times, "file_time", ["unix", "era_day"]),
                                          lambda: morvek.convert(file_times, "file_time", ["unix", "era_day"], threads=2))
one_thread = report(job, "morvek.convert(threads=1)", seconds)
two_threads = report(job, "morvek.convert(threads=2)", seconds2)


def numpy_integers():
    unix_time = (file_times - UNIX_EPOCH_FILE_TIME) // 10**7
    return unix_time, unix_time // 86400 + UNIX_EPOCH_ERA_DAY


seconds, theirs = best(numpy_integers)
report(job, "NumPy arithmetic (no leap seconds, no checks)", seconds)
assert np.array_equal(ours["unix"], theirs[0]) and np.array_equal(ours["era_day"], theirs[1])
assert all(np.array_equal(ours[k], ours2[k]) for k in ours)
print(f"{'':34s} two threads / one thread: {two_threads / one_thread:.2f}")
del ours, ours2, theirs

# ---- Unix time to ISO 8601 text ----
job = "unix -> iso"
(seconds, theirs_seconds), (ours, theirs) = best(
    lambda: morvek.convert(unix, "unix", ["iso"]),
    lambda: np.datetime_as_string(unix.astype("datetime64[s]"), timezone="UTC"))
report(job, "morvek.convert", seconds)
report(job, "numpy.datetime_as_string(timezone='UTC')", theirs_seconds)
assert np.array_equal(ours["iso"], theirs)
iso = ours["iso"]
del ours, theirs

# ---- ISO 8601 text to E6 ----
job = "iso -> e6"
if int(pd.__version__.split(".")[0]) >= 2:
    forms = {'pandas.to_datetime(format="ISO8601")': lambda: pd.to_datetime(iso, format="ISO8601")}
else:  # pandas 1.5 has no format="ISO8601": its ISO 8601 parser without a format, and the explicit format
    forms = {"pandas.to_datetime(utc=True) (its ISO 8601 parser)": lambda: pd.to_datetime(iso, utc=True),
             'pandas.to_datetime(format="%Y-%m-%dT%H:%M:%S%z")':
                 lambda: pd.to_datetime(iso, format="%Y-%m-%dT%H:%M:%S%z")}
times, results = best(lambda: morvek.convert(iso, "iso", ["e6"]), *forms.values())
report(job, "morvek.convert", times[0])
for name, seconds in zip(forms, times[1:]):
    report(job, name, seconds)
ours = results[0]
# E6 counts the leap seconds (27 by 2017); pandas' nanoseconds do not.
leap_seconds = morvek.convert(unix, "unix", ["leap_seconds"])["leap_seconds"]
for theirs in results[1:]:
    e6_from_pandas = (theirs.asi8 // 1000) + (UNIX_EPOCH_ERA_DAY - 1) * 86400 * 10**6 + leap_seconds * 10**6
    assert np.array_equal(ours["e6"], e6_from_pandas)
del ours, results, iso

# ---- every default field ----
job = "unix -> the 18 default fields"
seconds, ours = best(lambda: morvek.convert(unix, "unix"))
report(job, "morvek.convert (rows)", seconds)
del ours

print()
print("| Job | Tool | Values per second |")
print("|---|---|---|")
for job, tool, rate in rows:
    print(f"| {job} | {tool} | {rate / 1e6:.1f} M |")
