"""convert() against the stream mode: every format and field, from every
kind of array, equals the record `morvek --batch --format=jsonl` writes for
the same text."""

import subprocess

import numpy as np
import pytest

import morvek
from conftest import ALL_FIELDS, assert_columns_equal, stream_records
from generated_inputs import (BYTE_FORMATS, INTEGER_FORMATS, JUNK, byte_dumps, command_lines, format_texts,
                              random_integers)


def rng_for(name):
    return np.random.default_rng(sum(map(ord, name)) * 7919)


@pytest.mark.parametrize("source", INTEGER_FORMATS)
def test_integer_formats_from_int64(program, source):
    values = random_integers(rng_for(source), 3000)
    texts = [str(value) for value in values]
    columns = morvek.convert(values, source, ALL_FIELDS)
    assert_columns_equal(columns, stream_records(program, texts, source, ALL_FIELDS), ALL_FIELDS, texts)


@pytest.mark.parametrize("source", morvek.FORMATS)
def test_every_format_from_text(program, source):
    texts = format_texts(rng_for(source), source, 1500)
    columns = morvek.convert(np.array(texts, dtype=str), source, ALL_FIELDS)
    assert_columns_equal(columns, stream_records(program, texts, source, ALL_FIELDS), ALL_FIELDS, texts)
    # Not only failures: the generated values of the format convert.
    assert (columns["status"] == "ok").sum() > len(texts) // 5


@pytest.mark.parametrize("source", [f"{name}:{order}" for name in BYTE_FORMATS[:: max(1, len(BYTE_FORMATS) // 5)] +
                                    ["fat", "hfs"] for order in ("le", "be")])
def test_byte_forms(program, source):
    texts = byte_dumps(rng_for(source), source.partition(":")[0], 300)
    fields = ["status", "message", "e6", "iso", source.partition(":")[0]]
    columns = morvek.convert(texts, source, fields)
    assert_columns_equal(columns, stream_records(program, texts, source, fields), fields, texts)


def test_command_lines(program):
    lines = command_lines(np.random.default_rng(1642), 4000)
    columns = morvek.convert(np.array(lines, dtype=str), "lines", ALL_FIELDS)
    assert_columns_equal(columns, stream_records(program, lines, "lines", ALL_FIELDS), ALL_FIELDS, lines)
    statuses = set(columns["status"])
    assert {"ok", "usage", "nonexistent-date", "nonexistent-time", "too-big", "era-day-zero"} <= statuses


def test_integers_read_as_lines_and_decimal_formats(program):
    values = random_integers(np.random.default_rng(7), 400)
    texts = [str(value) for value in values]
    for source in ["lines", "cocoa", "ole", "excel", "excel_1904", "iso"]:
        columns = morvek.convert(values, source, ALL_FIELDS)
        assert_columns_equal(columns, stream_records(program, texts, source, ALL_FIELDS), ALL_FIELDS, texts)


def test_default_fields_are_the_stream_modes(program):
    header = subprocess.run([program, "--batch", "--format=tsv", "--header"], input=b"", capture_output=True,
                            check=True).stdout.decode()
    assert tuple(header.rstrip("\n").split("\t")) == morvek.DEFAULT_FIELDS
    texts = ["1483228800", "-1", "x", "9223372036854775807", ""]
    columns = morvek.convert(texts, "unix")
    assert_columns_equal(columns, stream_records(program, texts, "unix", list(morvek.DEFAULT_FIELDS)),
                         list(morvek.DEFAULT_FIELDS), texts)


def test_other_integer_dtypes_read_as_their_digits(program):
    fields = ["input", "status", "message", "e6", "unix", "iso"]
    arrays = [
        np.array([0, 1, -1, 127, -128], dtype=np.int8),
        np.array([0, 65535, 4096], dtype=np.uint16),
        np.array([-(2**31), 2**31 - 1], dtype=np.int32),
        np.array([0, 2**32 - 1], dtype=np.uint32),
        np.array([0, 1483228800, 2**63 - 1, 2**63, 2**64 - 1], dtype=np.uint64),
        np.array([1483228800, -1, 2**62], dtype=">i8"),
        np.array([1483228800, 2**63 + 5], dtype=">u8"),
    ]
    for source in ["unix", "hfs", "e6", "cocoa"]:
        for array in arrays:
            texts = [str(int(value)) for value in array]
            columns = morvek.convert(array, source, fields)
            assert_columns_equal(columns, stream_records(program, texts, source, fields), fields, texts)


def test_objects_lists_and_scalars(program):
    fields = ["line", "input", "status", "message", "e0", "date", "time"]
    elements = [1483228800, "1483228800", " 1483228800 ", None, 2**64, -(2**70), np.int32(5), np.uint64(2**63 + 1),
                "0x58684680", b"1483228800", b"\xff1", "1483228800\udc80", "٣", ""]
    texts = [("" if element is None else
              element.decode("utf-8", "replace") if isinstance(element, bytes) else
              "".join("\ufffd" if 0xD800 <= ord(c) <= 0xDFFF else c for c in element) if isinstance(element, str)
              else str(int(element)))
             for element in elements]
    # The program reads the bytes as given; the module's input shows a bad byte as U+FFFD.
    lines = [text if not isinstance(element, bytes) else element.decode("utf-8", "surrogateescape")
             for element, text in zip(elements, texts)]
    records = stream_records(program, lines, "unix", fields)
    for values in (elements, tuple(elements), np.array(elements, dtype=object)):
        assert_columns_equal(morvek.convert(values, "unix", fields), records, fields, lines)

    for scalar, text in [(1483228800, "1483228800"), (np.int64(-5), "-5"), ("2017-01-01", "2017-01-01"),
                         (2**80, str(2**80)), (np.str_("17"), "17")]:
        columns = morvek.convert(scalar, "unix", fields)
        assert_columns_equal(columns, stream_records(program, [text], "unix", fields), fields, [text])


def test_texts_beyond_ascii_and_bytes(program):
    fields = ["input", "status", "message", "unix", "iso"]
    texts = ["2017-01-01T00:00:00Z", "2017‐01‐01T00:00:00Z", "٢٠١٧-01-01T00:00:00Z", "日本 2017", "😀",
             "2017-01-01T00:00:00Z\x01", "\x7f", "é" * 40]
    records = stream_records(program, texts, "iso", fields)
    assert_columns_equal(morvek.convert(texts, "iso", fields), records, fields, texts)
    assert_columns_equal(morvek.convert(np.array(texts, dtype="<U40"), "iso", fields), records, fields, texts)
    assert_columns_equal(morvek.convert(np.array(texts, dtype=">U40"), "iso", fields), records, fields, texts)
    # Bytes are read as they are; the records show a byte that is not
    # UTF-8 as U+FFFD, as the stream mode's JSON does.
    raw = [b"2017-01-01T00:00:00Z", b"\xff\xfe2017", b"2017\xe2\x80", b"\xc3\xa9t\xc3", b"\xed\xa0\x80"]
    lines = [line.decode("utf-8", "surrogateescape") for line in raw]
    records = stream_records(program, lines, "iso", fields)
    assert_columns_equal(morvek.convert(np.array(raw, dtype="S"), "iso", fields), records, fields, lines)
    assert_columns_equal(morvek.convert(raw, "iso", fields), records, fields, lines)


def test_the_longest_element(program):
    fields = ["line", "input", "status", "message", "e0"]
    texts = [" " * 4086 + "1483228800", " " * 4087 + "1483228800", "é" * 2048, "é" * 2049, "1" * 5000, "17"]
    records = stream_records(program, texts, "e0", fields)
    assert [record["status"] for record in records][:5] == ["ok", "too-long", "bad-value", "too-long", "too-long"]
    for values in (texts, np.array(texts, dtype=str), np.array([text.encode() for text in texts], dtype="S")):
        assert_columns_equal(morvek.convert(values, "e0", fields), records, fields, texts)
    # Ten million characters in one element: too long, and no more.
    huge = morvek.convert(["7", "9" * 10_000_000], "lines", fields)
    assert list(huge["status"]) == ["ok", "too-long"]
    assert huge["input"].dtype == np.dtype("<U1")


def test_empty_arrays():
    for values in ([], (), np.array([], dtype=np.int64), np.array([], dtype=str), np.array([], dtype=object),
                   np.array([], dtype=np.float64), np.array([], dtype="S")):
        for source in ["unix", "iso", "lines"]:
            columns = morvek.convert(values, source, ALL_FIELDS)
            assert list(columns) == ALL_FIELDS
            for field, column in columns.items():
                assert column.shape == (0,)
                assert column.dtype.kind == ("U" if morvek._morvek.field_types[field] == "text" else "i"), field


def test_layouts_give_the_records_of_the_contiguous_array():
    values = random_integers(np.random.default_rng(11), 2000)
    texts = values.astype(str)
    want = morvek.convert(values[::3].copy(), "file_time", ALL_FIELDS)
    wanted_texts = morvek.convert(texts[::3].copy(), "file_time", ALL_FIELDS)
    for field in ALL_FIELDS:
        if field != "input":
            assert np.array_equal(want[field], wanted_texts[field]), field
    views = [values[::3], values[::-1][::-1][::3], values.astype(">i8")[::3], texts[::3], texts.astype(">U20")[::3],
             np.array(list(zip(values, texts)), dtype=[("v", "<i8"), ("t", "<U20")])["v"][::3],
             np.array([(0, v) for v in values], dtype=np.dtype([("pad", "u1"), ("v", "<i8")], align=False))["v"][::3]]
    for view in views:
        got = morvek.convert(view, "file_time", ALL_FIELDS)
        for field in ALL_FIELDS:
            assert np.array_equal(got[field], want[field]), (view.dtype, field)
