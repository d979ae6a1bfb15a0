"""frame(): the records as a DataFrame with <NA> where the program's record
has no value."""

import numpy as np
import pandas as pd
import pytest

import morvek
from conftest import ALL_FIELDS, stream_records
from generated_inputs import command_lines


def test_na_exactly_where_the_record_has_no_field(program):
    lines = command_lines(np.random.default_rng(1900), 1500) + ["", "  ", "0 /D", "x"]
    table = morvek.frame(lines, "lines", ALL_FIELDS)
    records = stream_records(program, lines, "lines", ALL_FIELDS)
    assert list(table.columns) == ALL_FIELDS
    assert isinstance(table.index, pd.RangeIndex) and len(table) == len(lines)
    for field in ALL_FIELDS:
        column = table[field]
        integer = morvek._morvek.field_types[field] != "text"
        assert column.dtype == (pd.Int64Dtype() if integer else pd.StringDtype()), field
        missing = [field not in record for record in records]
        assert column.isna().tolist() == missing, field
        want = [(int(record[field]) if integer else record[field]) for record in records if field in record]
        assert column.dropna().tolist() == want, field
    # An empty line is a value of input, and has no message (usage).
    assert table["input"].iloc[-4] == "" and pd.isna(table["message"].iloc[-4])


def test_a_series_keeps_its_index_and_the_rest_equals_convert():
    values = pd.Series([131277024005000000, -5, 0], index=[10, 20, 30], name="ft")
    table = morvek.frame(values, "file_time", ["iso", "unix", "status"])
    assert table.index.tolist() == [10, 20, 30]
    columns = morvek.convert(values, "file_time", ["iso", "unix", "status"])
    assert table["unix"].fillna(0).astype(np.int64).tolist() == columns["unix"].tolist()
    assert table["iso"].fillna("").tolist() == columns["iso"].tolist()
    assert table["unix"].isna().tolist() == [False, True, False]  # 01.01.1601 has a Unix time


def test_nullable_and_empty_inputs():
    values = pd.Series(["2017-01-01T00:00:00Z", None, pd.NA], dtype="string")
    table = morvek.frame(values, "iso", ["input", "status", "e0"])
    assert table["status"].tolist() == ["ok", "bad-value", "bad-value"]
    assert table["input"].tolist() == ["2017-01-01T00:00:00Z", "", ""]
    integers = pd.Series([1483228800, None], dtype="Int64")
    assert morvek.frame(integers, "unix", ["status"])["status"].tolist() == ["ok", "bad-value"]
    empty = morvek.frame(np.empty(0, dtype=np.int64), "unix")
    assert list(empty.columns) == list(morvek.DEFAULT_FIELDS) and len(empty) == 0
    assert empty["e6"].dtype == pd.Int64Dtype() and empty["date"].dtype == pd.StringDtype()
    with pytest.raises(ValueError, match="'nope'"):
        morvek.frame([1], "unix", ["nope"])
