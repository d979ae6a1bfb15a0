#!/usr/bin/env python3
"""A timeline from a partitioned CSV of Windows FILE times, converted on a
Dask cluster: dask.dataframe.map_partitions calls morvek.frame on each
partition, wherever the partition lives.

    python3 dask_timeline.py [--rows N] [--files K] [--workdir DIR] [--scheduler ADDRESS] [--check]

Without --scheduler it starts a distributed.LocalCluster with two worker
processes; with it, it connects to that scheduler, and the same code runs
on a cluster of many machines (each worker needs the morvek package; the
CSV files must be where every worker can read them). --check converts the
same column in this one process with morvek.frame and fails unless the
cluster's result equals it.
"""

import argparse
import sys
from pathlib import Path

import dask.dataframe as dd
import numpy as np
import pandas as pd
from distributed import Client, LocalCluster

import morvek

FIELDS = ["status", "message", "iso", "date", "time", "weekday", "unix", "era_day", "e6"]
UNIX_EPOCH_FILE_TIME = 116444736000000000


def write_timeline(directory: Path, rows: int, files: int) -> str:
    """K CSV files of events with their FILE times (100 ns units since 1601),
    in 2016 and 2017, a few of them no FILE time at all; returns their glob
    pattern."""
    rng = np.random.default_rng(20161231)
    start = UNIX_EPOCH_FILE_TIME + 1451606400 * 10**7  # 01.01.2016
    file_times = rng.integers(start, start + 2 * 365 * 86400 * 10**7, size=rows, dtype=np.int64)
    bad = rng.choice(rows, size=max(1, rows // 10000), replace=False)
    file_times[bad] = rng.choice(np.array([-1, 2**63 - 1, -(2**40)], dtype=np.int64), size=len(bad))
    events = rng.choice(np.array(["logon", "logoff", "file-created", "registry-write"]), size=rows)
    hosts = rng.choice(np.array([f"ws-{n:02d}" for n in range(12)]), size=rows)
    directory.mkdir(parents=True, exist_ok=True)
    for old in directory.glob("timeline-*.csv"):
        old.unlink()
    for part, index in enumerate(np.array_split(np.arange(rows), files)):
        table = pd.DataFrame({"host": hosts[index], "event": events[index], "file_time": file_times[index]})
        table.to_csv(directory / f"timeline-{part:03d}.csv", index=False)
    return str(directory / "timeline-*.csv")


def convert_on_cluster(pattern: str, client: Client) -> pd.DataFrame:
    table = dd.read_csv(pattern, dtype={"host": str, "event": str, "file_time": np.int64})
    # The frame of no values has the columns and types of every other.
    meta = morvek.frame(np.empty(0, dtype=np.int64), "file_time", FIELDS)
    converted = dd.map_partitions(morvek.frame, table["file_time"], "file_time", FIELDS, meta=meta)
    # The frame keeps each partition's index, so it lines up with its rows.
    timeline = table.map_partitions(lambda part, frame: part.join(frame), converted,
                                    meta=table._meta.join(meta))
    print(f"{table.npartitions} partitions on {len(client.scheduler_info()['workers'])} workers")
    return timeline.compute()


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--rows", type=int, default=400_000)
    parser.add_argument("--files", type=int, default=8)
    parser.add_argument("--workdir", type=Path, default=Path("dask-timeline"))
    parser.add_argument("--scheduler", help="the address of a running Dask scheduler")
    parser.add_argument("--check", action="store_true", help="compare with one process's morvek.frame")
    arguments = parser.parse_args()

    pattern = write_timeline(arguments.workdir.resolve(), arguments.rows, arguments.files)
    if arguments.scheduler:
        client = Client(arguments.scheduler)
        cluster = None
    else:
        cluster = LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None)
        client = Client(cluster)
    try:
        timeline = convert_on_cluster(pattern, client)
    finally:
        client.close()
        if cluster is not None:
            cluster.close()

    timeline = timeline.reset_index(drop=True)
    statuses = timeline["status"].value_counts()
    print(f"{len(timeline):,} events: " + ", ".join(f"{count:,} {status}" for status, count in statuses.items()))
    converted = timeline[timeline["status"] == "ok"]
    busiest = converted.groupby("date").size().sort_values(ascending=False)
    first, last = converted.loc[converted["e6"].idxmin()], converted.loc[converted["e6"].idxmax()]
    print(f"from {first['iso']} to {last['iso']}; busiest day {busiest.index[0]} ({busiest.iloc[0]:,} events)")
    print(timeline[timeline["status"] != "ok"].head(3).to_string())

    if arguments.check:
        whole = pd.concat([pd.read_csv(path, dtype={"host": str, "event": str, "file_time": np.int64})
                           for path in sorted(Path(pattern).parent.glob("timeline-*.csv"))], ignore_index=True)
        alone = whole.join(morvek.frame(whole["file_time"], "file_time", FIELDS))
        pd.testing.assert_frame_equal(timeline, alone)
        print("the cluster's timeline equals one process's")
    return 0


if __name__ == "__main__":
    sys.exit(main())
