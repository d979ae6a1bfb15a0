"""A thousand calls leave no references, Python memory or process memory
behind, whatever they were given and however they ended."""

import gc
import os
import sys
import tracemalloc

import numpy as np
import pytest

import morvek


def resident_bytes():
    with open("/proc/self/statm") as statm:
        return int(statm.read().split()[1]) * 4096


def calls():
    """Every path through the module once: each kind of input, each
    source kind, the frame, the report and the errors."""
    integers = np.arange(-2_000, 2_000, dtype=np.int64) * 1_000_000_007
    texts = integers.astype(str)
    objects = np.array([1483228800, "1483228800", None, b"12", "x" * 5000, 2**70], dtype=object)
    lines = np.array(["25.12.1642 /J", "", "31.02.2000", "736330 /D", "0 /D"] * 40)
    keep = [integers, texts, objects, lines]

    def each():
        morvek.convert(integers, "file_time", ["unix", "iso", "message"], threads=2)
        morvek.convert(texts, "unix_ms", ["input", "date", "status"])
        morvek.convert(objects, "unix", morvek.FIELDS)
        morvek.convert(lines, "lines")
        morvek.convert(integers[::7], "excel", ["excel", "e6"])
        morvek.report("730000", "/J")
        morvek.report(*["1"] * 5)
        for bad in [lambda: morvek.convert(integers, "nope"), lambda: morvek.convert(texts, "iso", ["x"]),
                    lambda: morvek.convert([1.5], "unix"), lambda: morvek.convert([object()], "unix"),
                    lambda: morvek.report(None)]:
            with pytest.raises((TypeError, ValueError)):
                bad()

    return each, keep


def test_no_reference_or_memory_is_left_behind():
    each, keep = calls()
    for _ in range(20):
        each()  # caches, interned names, the allocator's pools
    gc.collect()
    references = [sys.getrefcount(value) for value in keep]
    modules = [sys.getrefcount(morvek), sys.getrefcount(morvek.FIELDS), sys.getrefcount(None)]
    resident = resident_bytes()
    tracemalloc.start()
    try:
        before, _ = tracemalloc.get_traced_memory()
        for _ in range(1000):
            each()
        gc.collect()
        after, _ = tracemalloc.get_traced_memory()
    finally:
        tracemalloc.stop()
    assert [sys.getrefcount(value) for value in keep] == references
    assert [sys.getrefcount(morvek), sys.getrefcount(morvek.FIELDS)] == modules[:2]
    assert abs(sys.getrefcount(None) - modules[2]) < 100
    assert after - before < 64 * 1024, after - before
    # Each call makes C++ arenas and str arrays of its own, over 1 MB in
    # all: a thousand calls leaking any of it would show here. (Under
    # AddressSanitizer freed memory waits in its quarantine, and its leak
    # check is the measure.)
    if "libasan" not in os.environ.get("LD_PRELOAD", ""):
        assert resident_bytes() - resident < 32 * 1024 * 1024


def test_frames_leave_nothing_behind():
    values = np.arange(300, dtype=np.int64) * 86_400
    for _ in range(10):
        morvek.frame(values, "unix", ["date", "unix", "status"])
    gc.collect()
    count = sys.getrefcount(values)
    tracemalloc.start()
    try:
        before, _ = tracemalloc.get_traced_memory()
        for _ in range(1000):
            morvek.frame(values, "unix", ["date", "unix", "status"])
        gc.collect()
        after, _ = tracemalloc.get_traced_memory()
    finally:
        tracemalloc.stop()
    assert sys.getrefcount(values) == count
    assert after - before < 64 * 1024, after - before
