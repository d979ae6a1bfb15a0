"""What convert() accepts and refuses, the shape of what it returns, and
its threads."""

import threading
import time
import tracemalloc

import numpy as np
import pytest

import morvek
from generated_inputs import command_lines, random_integers


def test_a_wrong_source_or_field_raises_value_error_naming_it():
    with pytest.raises(ValueError, match="unixx"):
        morvek.convert([1], "unixx")
    for source in ["", "UNIX", "file_time:xx", "iso:le", "cocoa:be", "/U", "lines "]:
        with pytest.raises(ValueError, match="unknown source"):
            morvek.convert([1], source)
    with pytest.raises(ValueError, match="'nope'"):
        morvek.convert([1], "unix", ["date", "nope"])
    with pytest.raises(ValueError, match="'date'"):
        morvek.convert([1], "unix", ["date", "time", "date"])
    with pytest.raises(ValueError, match="no field"):
        morvek.convert([1], "unix", [])
    with pytest.raises(ValueError, match="'Date'"):
        morvek.convert([1], "unix", "Date")
    with pytest.raises(TypeError):
        morvek.convert([1], "unix", ["date", 5])
    with pytest.raises(TypeError):
        morvek.convert([1], b"unix")


@pytest.mark.parametrize("values", [
    None,
    np.zeros((2, 2), dtype=np.int64),
    [[1, 2], [3, 4]],
    np.array([1.5, 2.0]),
    [1483228800.0],
    np.array([True, False]),
    [True],
    np.array(["2017-01-01"], dtype="datetime64[D]"),
    np.array([1 + 2j]),
    np.array([1, 2], dtype=np.float16),
    np.array([(1, 2)], dtype=[("a", "i8"), ("b", "i8")]),
    [1, 2.5],
    [1, None, 3.0],
    [object()],
    {"a": 1},
    (value for value in [1, 2]),
    np.array([1, [2]], dtype=object),
    [float("nan")],
])
def test_values_that_are_no_timestamps_raise_type_or_value_error(values):
    with pytest.raises((TypeError, ValueError)):
        morvek.convert(values, "unix")


def test_the_columns_and_their_types():
    columns = morvek.convert([1483228800, -1, 2**62], "unix", "iso,era_day,weekday,line,message")
    assert list(columns) == ["iso", "era_day", "weekday", "line", "message", "status"]
    assert all(len(column) == 3 for column in columns.values())
    assert columns["line"].tolist() == [1, 2, 3]
    assert columns["era_day"].dtype == np.int64 and columns["era_day"][2] == 0
    # Each text column is as wide as its longest value.
    for name in ["iso", "weekday", "message", "status"]:
        width = max(len(text) for text in columns[name].tolist())
        assert columns[name].dtype == np.dtype(f"<U{max(width, 1)}"), name
    assert columns["status"].tolist() == ["ok", "ok", "too-big"]
    assert columns["message"][2] == "4611686018427387904 - beyond the range of unix"


def test_one_bad_element_never_raises():
    values = np.array(["2017-01-01T00:00:00Z", "x" * 5000, "", "\x00", "2017-02-30T00:00:00Z", "ﬀ", "9" * 4096])
    columns = morvek.convert(values, "iso", ["status"])
    assert columns["status"].tolist() == ["ok", "too-long", "bad-value", "bad-value", "nonexistent-date",
                                          "bad-value", "bad-value"]


def test_threads_give_the_records_of_one_thread():
    rng = np.random.default_rng(3)
    integers = random_integers(rng, 100_000)
    lines = np.array(command_lines(rng, 40_000), dtype=str)
    fields = ["line", "input", "status", "message", "date", "era_date", "rd_julian", "e6", "unix", "iso", "ole"]
    for values, source in [(integers, "file_time"), (integers.astype(str), "unix_ms"), (lines, "lines")]:
        one = morvek.convert(values, source, fields)
        for threads in [2, 3, 8]:
            many = morvek.convert(values, source, fields, threads=threads)
            for field in fields:
                assert many[field].dtype == one[field].dtype, (source, threads, field)
                assert np.array_equal(many[field], one[field]), (source, threads, field)
    for threads in [0, -1]:
        with pytest.raises(ValueError, match="threads"):
            morvek.convert([1], "unix", threads=threads)
    for threads in [True, 1.5, "2"]:
        with pytest.raises(TypeError):
            morvek.convert([1], "unix", threads=threads)


def test_the_lock_is_released_while_converting():
    """Another thread runs while a long conversion does: the longest pause
    between its steps is a small part of the conversion's time."""
    values = np.arange(600_000, dtype=np.int64) * 1_000_003
    steps = []
    done = threading.Event()

    def convert():
        morvek.convert(values, "unix", ["iso", "date", "time", "weekday"])
        done.set()

    worker = threading.Thread(target=convert)
    start = time.perf_counter()
    worker.start()
    while not done.is_set():
        steps.append(time.perf_counter())
    worker.join()
    elapsed = time.perf_counter() - start
    longest_pause = max(np.diff([start] + steps + [time.perf_counter()]))
    assert len(steps) > 100
    assert longest_pause < 0.5 * elapsed, (longest_pause, elapsed)


def test_a_contiguous_int64_array_is_read_in_place():
    """tracemalloc sees the buffers NumPy allocates, and none of the
    module's own (the results): a copy of the input would be 8 bytes a
    value."""
    values = np.arange(2_000_000, dtype=np.int64) + 1_483_228_800
    morvek.convert(values[:10], "unix", ["e6"])
    tracemalloc.start()
    try:
        columns = morvek.convert(values, "unix", ["e6"])
        _, peak = tracemalloc.get_traced_memory()
    finally:
        tracemalloc.stop()
    assert columns["e6"][0] == 63618825627000000
    assert peak < len(values), peak
    # The same array in big-endian order is copied: the measure sees that.
    swapped = values.astype(">i8")
    tracemalloc.start()
    try:
        morvek.convert(swapped, "unix", ["e6"])
        _, peak = tracemalloc.get_traced_memory()
    finally:
        tracemalloc.stop()
    assert peak >= 8 * len(values)
