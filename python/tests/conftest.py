"""What the module's tests share: the built program, whose stream mode is
the reference every record is compared with, and the comparison itself."""

import json
import os
import subprocess

import numpy as np
import pytest

import morvek
from morvek import _morvek


def program_path():
    path = os.environ.get("MORVEK_PROGRAM")
    if not path:
        raise RuntimeError("set MORVEK_PROGRAM to the built program (build/release/morvek): the tests compare with it")
    if not os.access(path, os.X_OK):
        raise RuntimeError(f"MORVEK_PROGRAM={path} is not an executable program")
    return path


@pytest.fixture(scope="session")
def program():
    return program_path()


def stream_records(program, lines, source, fields):
    """The stream mode's JSON records of the lines, one per line: with
    --from=SOURCE, or without it for "lines"."""
    text = "".join(line + "\n" for line in lines)
    assert not any("\n" in line or line.endswith("\r") for line in lines), "a line the stream mode would cut"
    command = [program, "--batch", "--format=jsonl", "--fields=" + ",".join(fields)]
    if source != "lines":
        command.append("--from=" + source)
    run = subprocess.run(command, input=text.encode("utf-8", "surrogateescape"), capture_output=True, check=False)
    assert run.returncode in (0, 1), run.stderr.decode(errors="replace")
    # Records end with LF; str.splitlines would also cut at U+0085 or U+2028 inside a text.
    records = [json.loads(line) for line in run.stdout.decode("utf-8").split("\n")[:-1]]
    assert len(records) == len(lines)
    return records


def expected_column(records, field):
    """The column the records give: 0 or "" where a record has no value."""
    if _morvek.field_types[field] == "text":
        return np.array([record.get(field, "") for record in records], dtype=str)
    return np.array([int(record.get(field, 0)) for record in records], dtype=np.int64)


def assert_columns_equal(columns, records, fields, inputs=None):
    """Every asked field, and status, equals the records' field for field."""
    assert list(columns) == list(fields) + ([] if "status" in fields else ["status"])
    for field in columns:
        got = columns[field]
        want = expected_column(records, field)
        assert got.shape == want.shape, field
        if _morvek.field_types[field] == "text":
            assert got.dtype.kind == "U", field
        else:
            assert got.dtype == np.int64, field
        if not np.array_equal(got, want):
            where = int(np.flatnonzero(got != want)[0])
            shown = inputs[where] if inputs is not None else where
            pytest.fail(f"{field} of element {where} ({shown!r}): {got[where]!r}, the program: {want[where]!r}")


ALL_FIELDS = list(morvek.FIELDS)
