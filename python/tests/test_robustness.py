"""Whatever it is given, the module answers with records or raises
TypeError or ValueError: random bytes against the program, and arrays of
every dtype and shape."""

import numpy as np
import pytest

import morvek
from conftest import assert_columns_equal, stream_records

STATUSES = {"ok", "usage", "too-big", "nonexistent-date", "nonexistent-time", "era-day-zero", "too-long", "bad-value"}


def random_lines(rng, count):
    """Byte strings without a line end: random bytes, and good lines with
    random bytes in them."""
    alphabet = np.frombuffer(b"0123456789 ./:-+TZxe/JGDUFE\t\x00\xc3\xa9\xff\x80", dtype=np.uint8)
    lines = []
    for _ in range(count):
        length = int(rng.integers(0, 40))
        if rng.integers(0, 2):
            raw = rng.integers(0, 256, size=length, dtype=np.uint8).tobytes()
        else:
            raw = alphabet[rng.integers(0, len(alphabet), size=length)].tobytes()
        lines.append(raw.replace(b"\n", b" ").replace(b"\r", b" "))
    return lines


@pytest.mark.parametrize("source", ["lines", "iso", "unix", "excel", "cocoa", "fat:be"])
def test_random_bytes_give_the_programs_records(program, source):
    raw = random_lines(np.random.default_rng(sum(map(ord, source))), 1500)
    fields = ["line", "input", "status", "message", "date", "time", "e6", "iso"]
    lines = [line.decode("utf-8", "surrogateescape") for line in raw]
    records = stream_records(program, lines, source, fields)
    # NumPy keeps no trailing zero bytes of a bytes element; a list keeps them.
    assert_columns_equal(morvek.convert(raw, source, fields), records, fields, lines)
    kept = [index for index, line in enumerate(raw) if not line.endswith(b"\x00")]
    columns = morvek.convert(np.array([raw[index] for index in kept], dtype="S"), source, fields)
    assert_columns_equal(columns, [dict(records[index], line=n + 1) for n, index in enumerate(kept)], fields)


def odd_arrays():
    rng = np.random.default_rng(5)
    yield np.array([], dtype="V8")
    yield np.zeros(3, dtype="V8")
    yield np.array(["2017-01-01T00"], dtype="datetime64[s]")
    yield np.array([5], dtype="timedelta64[s]")
    yield np.array([1.0, np.nan])
    yield np.array([1 + 1j])
    yield np.array([(1, "a")], dtype=[("n", "i8"), ("t", "U1")])
    yield np.zeros((0, 3), dtype=np.int64)
    yield np.zeros((2, 0), dtype=np.int64)
    yield np.zeros((2, 3, 4), dtype=np.int64)
    yield np.array(7)
    yield np.array("736330 /D")
    yield np.array([b"\x00" * 10, b"", b"1\x002"], dtype="S10")
    yield np.array(["x" * 100_000, ""], dtype="U100000")
    yield np.array(["\U0010FFFF" * 3, "\ud800"], dtype=object)
    yield np.frombuffer(rng.integers(0, 2**32, size=64, dtype=np.uint32).tobytes(), dtype="<U4")
    yield np.frombuffer(b"\x00" + np.arange(9, dtype=np.int64).tobytes(), dtype=np.int64, offset=1)
    yield np.broadcast_to(np.int64(1483228800), (100,))
    yield np.arange(10, dtype=np.int64)[::-1]
    yield np.array([None, None], dtype=object)
    yield np.array([2**63 - 1, 2**63, 2**64 - 1], dtype=np.uint64)[::2]
    yield np.array([-(2**63)], dtype=np.int64)
    yield np.array([np.int8(-1), np.uint64(2**64 - 1), 10**40, -(10**5000)], dtype=object)
    yield np.array([[1, 2]], dtype=object)[0]
    yield np.array([1, "2", b"3", None, 4.0], dtype=object)
    yield np.array([{"a": 1}], dtype=object)


@pytest.mark.parametrize("source", ["unix", "iso", "lines", "cocoa", "file_time:le"])
def test_odd_arrays_answer_or_raise_cleanly(source):
    for values in odd_arrays():
        try:
            columns = morvek.convert(values, source, morvek.FIELDS, threads=3)
        except (TypeError, ValueError):
            continue
        length = len(columns["status"])
        assert set(columns["status"].tolist()) <= STATUSES, values
        assert all(len(column) == length for column in columns.values())
        assert columns["line"].tolist() == list(range(1, length + 1))


def test_more_elements_than_memory_is_a_memory_error():
    huge = np.broadcast_to(np.int64(1483228800), (2**59,))
    with pytest.raises(MemoryError):
        morvek.convert(huge, "unix", ["e0"])
    with pytest.raises(MemoryError):
        morvek.convert(np.broadcast_to(np.array("x"), (2**60,)), "iso", ["iso"])


def test_the_compiled_part_checks_what_it_is_given():
    from morvek import _morvek

    with pytest.raises(ValueError):
        _morvek.convert(np.zeros((2, 2), dtype=np.int64), "unix", ["e0"], 1, False)
    with pytest.raises(TypeError):
        _morvek.convert(np.zeros(2, dtype=">i8"), "unix", ["e0"], 1, False)
    with pytest.raises(TypeError):
        _morvek.convert(np.zeros(2, dtype=np.float64), "unix", ["e0"], 1, False)
    with pytest.raises(ValueError):
        _morvek.convert(np.zeros(2, dtype=np.int64), "unix", ["e0"], 0, False)
    columns, present = _morvek.convert(np.arange(5, dtype=np.int64), "unix", ["e0", "iso"], 10**6, True)
    assert list(present) == ["e0"] and present["e0"].all()
