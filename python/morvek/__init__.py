r"""Morvek for NumPy, pandas and Dask: whole columns of timestamps converted
exactly, in C++, with the interpreter's lock released.

Each element becomes the record that ``morvek --batch`` writes for the same
text: its status, its message where it was not converted, and every field
that was asked for (the stream mode's names and default set).

    >>> import morvek
    >>> morvek.convert([1483228800], "unix", ["date", "time", "e0"])["e0"]
    array([63618825627])
"""

from __future__ import annotations

import operator
from typing import TYPE_CHECKING, Any, Dict, Iterable, Optional, Tuple, Union

import numpy as np

from . import _morvek

if TYPE_CHECKING:  # pragma: no cover
    import pandas

__version__: str = _morvek.__version__

#: Every field a record can have, in the stream mode's order.
FIELDS: Tuple[str, ...] = tuple(_morvek.field_names)
#: The fields of a record when none are named.
DEFAULT_FIELDS: Tuple[str, ...] = FIELDS[: _morvek.default_field_count]
#: The named timestamp formats a source can be, besides "lines".
FORMATS: Tuple[str, ...] = tuple(_morvek.format_names)

__all__ = ["convert", "frame", "report", "FIELDS", "DEFAULT_FIELDS", "FORMATS", "__version__"]

FieldNames = Union[None, str, Iterable[str]]


def _field_list(fields: FieldNames) -> list:
    if fields is None:
        return list(DEFAULT_FIELDS)
    if isinstance(fields, str):
        return fields.split(",")
    names = list(fields)
    for name in names:
        if not isinstance(name, str):
            raise TypeError(f"field names are str, not {type(name).__name__}")
    return names


def _thread_count(threads: Optional[int]) -> int:
    if threads is None:
        return 1
    if isinstance(threads, bool):
        raise TypeError("threads is a number of threads, not a bool")
    count = operator.index(threads)
    if count < 1:
        raise ValueError(f"threads must be at least 1, not {count}")
    return min(count, 1024)


def _array_from_sequence(values: Union[list, tuple]) -> np.ndarray:
    if values and all(type(value) is int for value in values):
        try:
            return np.array(values, dtype=np.int64)
        except OverflowError:
            pass  # beyond 64 bits: read from their digits
    if not values:
        return np.empty(0, dtype=np.int64)
    array = np.empty(len(values), dtype=object)
    array[:] = values
    return array


def _elements(values: Any) -> np.ndarray:
    """The values as a one-dimensional array the module reads in place:
    int64 or uint64 (native order), str, bytes, or objects (int, str, bytes,
    None)."""
    if values is None:
        raise TypeError("values must be an array-like of integers or texts, not None")
    if type(values).__module__.partition(".")[0] == "pandas" and hasattr(values, "to_numpy"):
        # Nullable columns: a missing value becomes None, an empty text.
        dtype = getattr(values, "dtype", None)
        values = values.to_numpy() if isinstance(dtype, np.dtype) else values.to_numpy(dtype=object, na_value=None)
    if isinstance(values, (list, tuple)):
        array = _array_from_sequence(values)
    else:
        array = np.asarray(values)
    if array.ndim == 0:
        array = array.reshape(1)
    if array.ndim != 1:
        raise ValueError(f"values must be one-dimensional, not {array.ndim}-dimensional")
    kind = array.dtype.kind
    if kind == "i":
        return array if array.dtype == np.int64 else array.astype(np.int64)
    if kind == "u":
        if array.dtype.itemsize < 8:
            return array.astype(np.int64)
        return array if array.dtype == np.uint64 else array.astype(np.uint64)
    if kind == "U":
        return array if array.dtype.isnative else array.astype(array.dtype.newbyteorder("="))
    if kind in "SO":
        return array
    if array.size == 0:
        return np.empty(0, dtype=np.int64)
    if kind == "b":
        raise TypeError("values are booleans, not timestamps")
    if kind in "fc":
        raise TypeError(
            "values are floating-point numbers, which are not exact: give integers, "
            "or texts (values.astype(str)) for the decimal formats"
        )
    raise TypeError(f"values of dtype {array.dtype} are not timestamps: give integers or texts")


def _convert(values: Any, source: str, fields: FieldNames, threads: Optional[int], presence: bool):
    if not isinstance(source, str):
        raise TypeError(f"source is a format name or 'lines', not {type(source).__name__}")
    return _morvek.convert(_elements(values), source, _field_list(fields), _thread_count(threads), presence)


def convert(
    values: Any, source: str, fields: FieldNames = None, *, threads: Optional[int] = None
) -> Dict[str, np.ndarray]:
    r"""Convert every element of `values`, read as `source`, into the fields
    of its record.

    values:  an array-like: integers (int64; any integer dtype, a list, a
             scalar) for the integer formats, texts (str) for ``iso``, the
             decimal formats (``cocoa``, ``ole``, ``excel``, ``excel_1904``)
             and ``"lines"``. An integer given for a text source is read from
             its decimal digits; None is an empty text.
    source:  a format name (``morvek.FORMATS``; ``"file_time:le"`` reads
             hex-dump bytes), or ``"lines"``: each element is one line of
             ``morvek --batch``, such as ``"25.12.1642 /J"`` or ``"736330 /D"``.
    fields:  names from ``morvek.FIELDS`` (a list, or one comma-separated
             str); None for ``morvek.DEFAULT_FIELDS``.
    threads: how many threads share a large array (default 1).

    Returns one NumPy array per field, all of the length of `values`, in the
    order asked for, and ``status`` always ("ok", "bad-value", "too-big",
    "nonexistent-date", ...). Integer fields are int64, 0 where the record
    has none; the others are str arrays, "" where the record has none.
    ``line`` is the element's index from 1 and ``input`` its text. A bad
    element does not raise: its status says why, and ``message`` how the
    program puts it. An unknown source or field raises ValueError.

    >>> import morvek
    >>> out = morvek.convert([131277024005000000, -1], "file_time", ["unix", "iso"])
    >>> out["unix"]
    array([1483228800,          0])
    >>> out["iso"]
    array(['2017-01-01T00:00:00.500000Z', ''], dtype='<U27')
    >>> out["status"]
    array(['ok', 'too-big'], dtype='<U7')
    """
    columns, _ = _convert(values, source, fields, threads, False)
    return columns


def frame(values: Any, source: str, fields: FieldNames = None, *, threads: Optional[int] = None) -> "pandas.DataFrame":
    r"""The records of `values` (as in `convert`) as a pandas DataFrame.

    Integer fields are nullable ``Int64`` columns and the others ``string``
    columns; a field the record does not have is ``<NA>``. A pandas Series
    keeps its index, so the frame lines up with the table it came from
    (and ``dask.dataframe``'s ``map_partitions`` can call this directly).

    >>> import morvek
    >>> morvek.frame(["2017-01-01T00:00:00Z", "2017-02-29"], "iso", ["unix", "status", "message"])
             unix            status                                message
    0  1483228800                ok                                   <NA>
    1        <NA>  nonexistent-date  2017-02-29 - non-existent date in iso
    """
    try:
        import pandas as pd
    except ImportError as missing:  # pragma: no cover
        raise ImportError("morvek.frame needs pandas (apt-get install python3-pandas)") from missing
    index = values.index if isinstance(values, pd.Series) else None
    columns, present = _convert(values, source, fields, threads, True)
    data = {}
    for name, array in columns.items():
        if name in present:
            data[name] = pd.arrays.IntegerArray(array, ~present[name])
            continue
        texts = array.astype(object)
        if name != "input":  # the input is a value even when empty
            texts[array == ""] = None
        data[name] = pd.array(texts, dtype="string")
    return pd.DataFrame(data, index=index)


def report(*args: Union[str, int]) -> str:
    r"""The program's exact output for one moment: what ``morvek ARGS...``
    prints (the report, a message or the usage text), as str.

    Each argument is one of the program's words, a str or an int.

    >>> import morvek
    >>> morvek.report("31.02.2000")
    '\n\t31.02.2000 00:00:00 - non-existent date\n'
    >>> morvek.report(1483228800, "/U").splitlines()[3]
    'ED:              736330          Sunday'
    """
    words = []
    for arg in args:
        if isinstance(arg, str):
            words.append(arg.encode("utf-8"))  # a lone surrogate raises UnicodeEncodeError
        elif isinstance(arg, (int, np.integer)) and not isinstance(arg, (bool, np.bool_)):
            words.append(str(int(arg)).encode("ascii"))
        else:
            raise TypeError(f"arguments are str or int, not {type(arg).__name__}")
    return _morvek.report(words)
