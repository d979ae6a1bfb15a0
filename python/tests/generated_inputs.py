"""Inputs for the comparisons with the program: values of every format and
command lines, good and bad, from a seeded generator. The expected records
never come from here: the program gives them."""

import numpy as np

import morvek
from morvek import _morvek

INT64_MIN = -(2**63)
INT64_MAX = 2**63 - 1

INTEGER_FORMATS = [name for name in morvek.FORMATS if _morvek.format_kinds[name] == "integer"]
TEXT_FORMATS = [name for name in morvek.FORMATS if _morvek.format_kinds[name] != "integer"]
BYTE_FORMATS = [name for name in morvek.FORMATS if _morvek.format_byte_counts[name] > 0]

# Leap seconds and the seconds around them, and other days where a rule changes.
LANDMARK_LINES = [
    "30.06.1972 23:59:60", "31.12.2016 23:59:59", "31.12.2016 23:59:60", "01.01.2017 00:00:00",
    "31.12.1998 23:59:60", "04.10.1582 23:59:59", "15.10.1582", "01.01.1601", "01.01.1970",
    "01.01.1900", "28.02.1900", "01.03.1900", "30.12.1899", "06.01.1980", "01.01.1904", "01.01.2001",
    "31.12.-1 23:59:59", "01.01.1", "19.01.2038 03:14:08", "01.01.292277", "31.12.-292277",
]


def random_integers(rng, count):
    """Integers of every size: raw 64-bit patterns, log-uniform magnitudes of
    both signs, small numbers and the edges of common ranges."""
    raw = rng.integers(INT64_MIN, INT64_MAX, size=count // 4, dtype=np.int64, endpoint=True)
    magnitude = (10.0 ** rng.uniform(0, 18.9, size=count // 4)).astype(np.int64)
    signs = rng.choice(np.array([-1, 1], dtype=np.int64), size=count // 4)
    small = rng.integers(-2000, 2000, size=count // 8, dtype=np.int64)
    edges = []
    for edge in (0, 2**31, 2**32, 2**53, 10**12, 9223372036854, 9223372036855, 10**15, 10**17, 10**18):
        edges += [edge - 1, edge, edge + 1, -edge - 1, -edge, -edge + 1]
    edges += [INT64_MIN, INT64_MIN + 1, INT64_MAX - 1, INT64_MAX]
    return np.concatenate([raw, magnitude * signs, small, np.array(edges, dtype=np.int64)])


def random_e6(rng, count):
    """E6 values (the exact moments) from the whole range, most of them near
    the present and around leap seconds."""
    landmarks = morvek.convert(LANDMARK_LINES, "lines", ["e6"])["e6"]
    near = landmarks[rng.integers(0, len(landmarks), size=count // 4)] + rng.integers(
        -3_000_000, 3_000_000, size=count // 4
    )
    present = rng.integers(59_000_000_000_000_000, 66_000_000_000_000_000, size=count // 4, dtype=np.int64)
    whole = present // 1_000_000 * 1_000_000  # whole seconds too, as most data holds
    anywhere = rng.integers(INT64_MIN, INT64_MAX, size=count // 4, dtype=np.int64, endpoint=True)
    return np.concatenate([near, present, whole, anywhere])


def format_values(rng, name, count):
    """Values of the format, as text, for moments of every kind (the module
    writes them; which of them the program reads back, and how, is the
    comparison's business)."""
    # The RD fields are the report's RD lines, which no value has: its
    # Era Day is a day count near enough.
    field = "era_day" if name in ("rd_julian", "rd_gregorian") else name
    column = morvek.convert(random_e6(rng, count), "e6", [field])
    texts = column[field].astype(str)
    if _morvek.format_kinds[name] == "integer":
        return list(texts[column["status"] == "ok"])
    return [text for text in texts if text]


def mutated(rng, texts, count):
    """Texts with one character deleted, doubled or replaced."""
    alphabet = list("0123456789-+.:TZ eE\tx_,;/ÿé٣")
    result = []
    for _ in range(count):
        text = texts[rng.integers(0, len(texts))] if texts else ""
        if not text:
            result.append(str(rng.choice(alphabet)))
            continue
        at = int(rng.integers(0, len(text)))
        how = rng.integers(0, 3)
        if how == 0:
            text = text[:at] + text[at + 1 :]
        elif how == 1:
            text = text[:at] + text[at] + text[at:]
        else:
            text = text[:at] + str(rng.choice(alphabet)) + text[at + 1 :]
        result.append(text)
    return result


JUNK = [
    "", " ", "\t", "-", "+", "0x", "-0x", "1e5", "1.5", "1,5", ".5", "5.", "NaN", "inf", "١٢٣", "１２３",
    " 12 ", "\t7\t", "+17", "-0", "0x1F", "-0x1f", "010", "12\x0034", "0b101", "ÿ", "2017", "2017-01-01",
    "2017-01-01T00:00:00Z", "2017-02-29T00:00:00Z", "2016-12-31T23:59:60Z", "2017-12-31T23:59:60Z",
    "2017-01-01T24:00:00Z", "2017-01-01T00:00:00+01:00", "2017-01-01 00:00:00", "+002017-01-01T00:00:00Z",
    "-000001-12-31T23:59:59.999999999Z", "1970-01-01T00:00:00.5Z", "42736.25", "-1.25", "60", "59.999",
    "0.0000000000000000000000001", "99999999999999999999", "-99999999999999999999", "18446744073709551615",
    "9223372036854775807", "-9223372036854775808", "9223372036854775808",
]


def format_texts(rng, name, count):
    """Texts for a format: its values, those values mutated, integers, junk."""
    values = format_values(rng, name, count)
    integers = [str(value) for value in random_integers(rng, count // 4)]
    return values + mutated(rng, values, count // 3) + integers + JUNK


def byte_dumps(rng, name, count):
    """Hex dumps of the format's bytes, both orders, with and without blanks,
    and broken ones."""
    size = _morvek.format_byte_counts[name]
    values = random_integers(rng, count)
    dumps = []
    for value in values:
        raw = int(value).to_bytes(8, "little", signed=True)[:size]
        little = raw.hex().upper()
        spaced = " ".join(f"{byte:02X}" for byte in raw)
        dumps += [little, spaced]
    return dumps + mutated(rng, dumps, count // 2) + JUNK


def command_lines(rng, count):
    """Command lines of every form the program reads, most of them good."""
    switches = ["", " /J", " /G", " /j", " -g"]
    number_switches = ["", " /D", " /J", " /G", " /E", " /E0", " /E3", " /E6", " /U", " /F", " /Unix", " -e3", " /X"]
    lines = list(LANDMARK_LINES)
    for _ in range(count):
        form = rng.integers(0, 5)
        if form <= 1:
            day, month = rng.integers(0, 33), rng.integers(0, 14)
            year = int(rng.choice([rng.integers(-3000, 3000), rng.integers(1500, 2100), rng.integers(-400000, 400000)]))
            line = f"{day:02d}.{month:02d}.{year}"
            if rng.integers(0, 2):
                line += f" {rng.integers(0, 25):02d}:{rng.integers(0, 61):02d}:{rng.integers(0, 62):02d}"
            line += str(rng.choice(switches))
        elif form <= 3:
            value = int(random_integers(rng, 8)[rng.integers(0, 8)])
            written = int(rng.integers(0, 4))
            text = hex(value) if written == 0 and value >= 0 else str(value)
            if written == 1 and value > 0:
                text = "0" + oct(value)[2:]
            line = text + str(rng.choice(number_switches))
        else:
            line = str(rng.choice(["", "  ", "--help", "1 2 3 4", "a", "01.01.2000 25:00:00", "1 /D /J", "/D",
                                   "0 /D", "0 /J", "31.02.2000", "29.02.1900", "29.02.1500", "05.10.1582",
                                   "01.01.2000 23:59:60", "01.01.0", "x /U", "12:00:00 01.01.2000"]))
        lines.append(line)
    return lines
