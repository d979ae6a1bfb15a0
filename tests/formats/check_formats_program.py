#!/usr/bin/env python3
"""Every named format of the built program against a model of its own.

The model here shares nothing with Morvek: the proleptic Gregorian calendar
is Howard Hinnant's day arithmetic (checked against Python's datetime where
datetime reaches), the leap seconds are the 27 days typed below, values are
Python integers and Fractions. For each format it makes thousands of values
around the range ends, the leap seconds, 1601, 1900, 1904, 1970, 1980, 2001
and the years BCE, computes the moment each names, runs

    morvek --batch --from=NAME --format=tsv --fields=status,message,<every format>

once per format (and per byte order of the formats that have bytes), and
compares every line: the status, the ISO text, and the value the moment has
in every format (the format read included, so that each value is written
back), or the message that names the value and the format. The junk rows
end the run.

Usage: check_formats_program.py MORVEK
"""
import math
import bisect
import datetime
import random
import subprocess
import sys
from fractions import Fraction

MORVEK = sys.argv[1]
rng = random.Random(20170101)
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


# ---- the calendar: days from 1970-01-01, astronomical years ------------------

def days_from_civil(y, m, d):
    y -= 1 if m <= 2 else 0
    era = y // 400
    yoe = y - era * 400
    doy = (153 * (m + (-3 if m > 2 else 9)) + 2) // 5 + d - 1
    doe = yoe * 365 + yoe // 4 - yoe // 100 + doy
    return era * 146097 + doe - 719468


def civil_from_days(z):
    z += 719468
    era = z // 146097
    doe = z - era * 146097
    yoe = (doe - doe // 1460 + doe // 36524 - doe // 146096) // 365
    doy = doe - (365 * yoe + yoe // 4 - yoe // 100)
    mp = (5 * doy + 2) // 153
    d = doy - (153 * mp + 2) // 5 + 1
    m = mp + 3 if mp < 10 else mp - 9
    return yoe + era * 400 + (1 if m <= 2 else 0), m, d


def month_length(y, m):
    return days_from_civil(y + (m == 12), m % 12 + 1, 1) - days_from_civil(y, m, 1)


ORDINAL_1970 = datetime.date(1970, 1, 1).toordinal()  # the ordinal of 01.01.1970 (01.01.0001 is 1)
for ordinal in [1, 2, 59, 60, 577736, 577737, 693596, 719163, 2932896, 3652059] + \
        [rng.randrange(1, 3652060) for _ in range(2000)]:
    day = datetime.date.fromordinal(ordinal)
    assert civil_from_days(ordinal - ORDINAL_1970) == (day.year, day.month, day.day), ordinal
    assert days_from_civil(day.year, day.month, day.day) == ordinal - ORDINAL_1970, ordinal


def midnight(y, m, d):
    """Leap-free seconds from 01.01.1970 00:00:00 to the date's midnight."""
    return days_from_civil(y, m, d) * 86400


# ---- UTC: the days that ended with a leap second -------------------------------

LEAP_DAYS = [
    (1972, 6, 30), (1972, 12, 31), (1973, 12, 31), (1974, 12, 31), (1975, 12, 31), (1976, 12, 31),
    (1977, 12, 31), (1978, 12, 31), (1979, 12, 31), (1981, 6, 30), (1982, 6, 30), (1983, 6, 30),
    (1985, 6, 30), (1987, 12, 31), (1989, 12, 31), (1990, 12, 31), (1992, 6, 30), (1993, 6, 30),
    (1994, 6, 30), (1995, 12, 31), (1997, 6, 30), (1998, 12, 31), (2005, 12, 31), (2008, 12, 31),
    (2012, 6, 30), (2015, 6, 30), (2016, 12, 31),
]
assert len(LEAP_DAYS) == 27
AFTER_LEAP = [midnight(*day) + 86400 for day in LEAP_DAYS]  # the midnight after each leap second
EPOCH_E0 = (ORDINAL_1970 - 1) * 86400                       # E0 of 01.01.1970 00:00:00
LEAP_E0 = [u + EPOCH_E0 + k for k, u in enumerate(AFTER_LEAP)]  # E0 of each 23:59:60

# A moment is (E0, nanosecond): Era seconds with the leap seconds, floored.


def moment_from_leap_free(u, ns=0):
    return (u + EPOCH_E0 + bisect.bisect_right(AFTER_LEAP, u), ns)


def utc_of(moment):
    """(leap-free second, nanosecond, inside a leap second); inside one, the midnight after it."""
    e0, ns = moment
    k = bisect.bisect_left(LEAP_E0, e0)
    if k < len(LEAP_E0) and LEAP_E0[k] == e0:
        return AFTER_LEAP[k], ns, True
    return e0 - EPOCH_E0 - k, ns, False


def reportable(moment):
    """The program reports a moment whose E6 fits in 64 bits."""
    return -2**63 <= moment[0] * 10**6 + moment[1] // 1000 < 2**63


def iso_text(moment):
    u, ns, leap = utc_of(moment)
    second = u - 1 if leap else u
    day, of_day = divmod(second, 86400)
    y, m, d = civil_from_days(day)
    year = f"{y:04d}" if 0 <= y <= 9999 else f"{'-' if y < 0 else '+'}{abs(y):06d}"
    s = of_day % 60 + (1 if leap else 0)
    fraction = f".{ns // 1000:06d}" if ns // 1000 else ""
    return f"{year}-{m:02d}-{d:02d}T{of_day // 3600:02d}:{of_day // 60 % 60:02d}:{s:02d}{fraction}Z"


# ---- the formats -------------------------------------------------------------------

INT64 = (-2**63, 2**63 - 1)
GPS_EPOCH_E0 = moment_from_leap_free(midnight(1980, 1, 6))[0]


class Linear:
    """units per second from an epoch; leap_counted: the epoch is an E0 and the count runs on E0."""
    kind = "integer"

    def __init__(self, name, epoch, per_second, leap_counted=False, lowest=INT64[0], highest=INT64[1], bytes_=8):
        self.name, self.epoch, self.per_second, self.leap_counted = name, epoch, per_second, leap_counted
        self.lowest, self.highest, self.bytes = lowest, highest, bytes_
        self.unit = 10**9 // per_second

    def read(self, v):
        if not self.lowest <= v <= self.highest:
            return "too-big", None
        s, ns = divmod(v * self.unit, 10**9)
        if self.leap_counted:
            return "ok", (self.epoch + s, ns)
        return "ok", moment_from_leap_free(self.epoch + s, ns)

    def value(self, moment):
        if self.leap_counted:
            v = ((moment[0] - self.epoch) * 10**9 + moment[1]) // self.unit
        else:
            u, ns, leap = utc_of(moment)
            if leap and self.name == "file_time":
                u -= 1  # FILE time keeps the report's 23:59:59 for a leap second
            elif leap:
                ns = 0
            v = ((u - self.epoch) * 10**9 + ns) // self.unit
        return v if self.lowest <= v <= self.highest else None

    def write(self, moment):
        v = self.value(moment)
        return None if v is None else str(v)


class Days:
    """A count of civil days: the moment is the day's 00:00:00."""
    kind = "integer"
    bytes = 8

    def __init__(self, name, ordinal_of, value_of):
        self.name, self.ordinal_of, self.value_of = name, ordinal_of, value_of

    def read(self, v):
        ordinal = self.ordinal_of(v)
        if ordinal is None:
            return "nonexistent-date", None
        return "ok", moment_from_leap_free((ordinal - ORDINAL_1970) * 86400)

    def value(self, moment):
        u, _, leap = utc_of(moment)
        ordinal = (u - 1 if leap else u) // 86400 + ORDINAL_1970  # a leap second is its day's
        return self.value_of(ordinal)

    def write(self, moment):
        v = self.value(moment)
        return None if v is None else str(v)


class Fat:
    name, kind, bytes = "fat", "integer", 4

    def read(self, v):
        if not 0 <= v < 2**32:
            return "too-big", None
        y, m, d = 1980 + (v >> 25), v >> 21 & 15, v >> 16 & 31
        hour, minute, second = v >> 11 & 31, v >> 5 & 63, 2 * (v & 31)
        if not (1 <= m <= 12 and 1 <= d <= month_length(y, m)):
            return "nonexistent-date", None
        if hour > 23 or minute > 59 or second > 59:
            return "nonexistent-time", None
        return "ok", moment_from_leap_free(midnight(y, m, d) + hour * 3600 + minute * 60 + second)

    def value(self, moment):
        u, _, _ = utc_of(moment)
        day, s = divmod(u, 86400)
        y, m, d = civil_from_days(day)
        if not 1980 <= y <= 2107:
            return None
        return (y - 1980) << 25 | m << 21 | d << 16 | (s // 3600) << 11 | (s // 60 % 60) << 5 | (s % 60) // 2

    def write(self, moment):
        v = self.value(moment)
        return None if v is None else str(v)


def shortest_digits(part, scale):
    """The shortest digits d, no trailing zero, with floor(0.d × scale) == part."""
    for count in range(1, 40):
        power = 10**count
        candidate = -(-part * power // scale)  # the least count-digit decimal at or above part / scale
        if candidate * scale < (part + 1) * power:
            return str(candidate).rjust(count, "0").rstrip("0")
    raise AssertionError((part, scale))


def decimal_of(text):
    """(negative, magnitude as a Fraction, fraction digits) of [+-]digits[.digits], or None."""
    sign = text[:1] in "+-" and text[:1] != ""
    body = text[1:] if sign else text
    whole, dot, fraction = body.partition(".")
    if not (whole + fraction) or not all(c in "0123456789" for c in whole + fraction):
        return None
    magnitude = Fraction(int(whole or "0")) + (Fraction(int(fraction), 10**len(fraction)) if fraction else 0)
    return text.startswith("-") and magnitude != 0, magnitude, len(fraction)


class Cocoa:
    name, kind, bytes = "cocoa", "decimal", 0
    epoch = midnight(2001, 1, 1)

    def read(self, text):
        parsed = decimal_of(text)
        if parsed is None:
            return "bad-value", None
        negative, magnitude, _ = parsed
        if int(magnitude) >= 2**63:
            return "too-big", None
        # Finer than the nanosecond: floored, toward the past also below 0.
        s, ns = divmod(math.floor((-magnitude if negative else magnitude) * 10**9), 10**9)
        return "ok", moment_from_leap_free(self.epoch + s, ns)

    def write(self, moment):
        u, ns, leap = utc_of(moment)
        total = (u - self.epoch) * 10**9 + (0 if leap else ns)
        whole, part = divmod(abs(total), 10**9)
        return ("-" if total < 0 else "") + str(whole) + (f".{part:09d}".rstrip("0") if part else "")


class DayFraction:
    """Days from an epoch with the time of day as a fraction; the whole part may count back."""
    kind, bytes = "decimal", 0

    def __init__(self, name, epoch_day, lowest, highest, skipped=None):
        self.name, self.epoch_day, self.lowest, self.highest, self.skipped = name, epoch_day, lowest, highest, skipped

    def read(self, text):
        parsed = decimal_of(text)
        if parsed is None:
            return "bad-value", None
        negative, magnitude, _ = parsed
        whole = int(magnitude)
        day = -whole if negative else whole
        if not self.lowest <= day <= self.highest or (negative and self.lowest >= 0):
            return "too-big", None
        if day == self.skipped:
            return "nonexistent-date", None
        if self.skipped is not None and day < self.skipped:
            day += 1  # the days before Excel's 29.02.1900
        of_day = int((magnitude - whole) * 86400 * 10**9)
        return "ok", moment_from_leap_free((self.epoch_day + day) * 86400 + of_day // 10**9, of_day % 10**9)

    def write(self, moment):
        u, ns, leap = utc_of(moment)
        day, of_day = divmod(u, 86400)
        day -= self.epoch_day
        if self.skipped is not None and day <= self.skipped:
            day -= 1
        if not self.lowest <= day <= self.highest or day == self.skipped:
            return None
        part = of_day * 10**9 + (0 if leap else ns)
        return ("-" if day < 0 else "") + str(abs(day)) + ("." + shortest_digits(part, 86400 * 10**9) if part else "")


class Iso:
    name, kind, bytes = "iso", "text", 0

    @staticmethod
    def read_fields(y, mo, d, h, mi, s, ns, offset_minutes):
        if not (1 <= mo <= 12 and 1 <= d <= month_length(y, mo)):
            return "nonexistent-date", None
        if h > 23 or mi > 59 or s > 60:
            return "nonexistent-time", None
        u = midnight(y, mo, d) + h * 3600 + mi * 60 + min(s, 59) - offset_minutes * 60
        if s < 60:
            return "ok", moment_from_leap_free(u, ns)
        if u + 1 not in AFTER_LEAP:
            return "nonexistent-time", None
        return "ok", (LEAP_E0[AFTER_LEAP.index(u + 1)], ns)

    def write(self, moment):
        return iso_text(moment)


def era_day_of(ordinal):
    return ordinal if ordinal >= 1 else ordinal - 1


FORMATS = [
    Linear("e0", 0, 1, leap_counted=True),
    Linear("e3", 0, 1000, leap_counted=True),
    Linear("e6", 0, 10**6, leap_counted=True),
    Days("era_day", lambda v: None if v == 0 else (v if v > 0 else v + 1), era_day_of),
    Days("rd_julian", lambda v: v if v >= 1 else None, lambda o: o if o >= 1 else None),
    Days("rd_gregorian", lambda v: v if v >= 1 else None, lambda o: o if o >= 1 else None),
    Linear("unix", 0, 1),
    Linear("file_time", midnight(1601, 1, 1), 10**7, lowest=0),
    Linear("unix_ms", 0, 1000),
    Linear("unix_us", 0, 10**6),
    Linear("unix_ns", 0, 10**9),
    Linear("webkit", midnight(1601, 1, 1), 10**6),
    Cocoa(),
    Linear("cocoa_ns", midnight(2001, 1, 1), 10**9),
    Linear("hfs", midnight(1904, 1, 1), 1, lowest=0, highest=2**32 - 1, bytes_=4),
    Linear("dotnet_ticks", midnight(1, 1, 1), 10**7, lowest=0, highest=3155378975999999999),
    DayFraction("ole", days_from_civil(1899, 12, 30), -657434, 2958465),
    DayFraction("excel", days_from_civil(1899, 12, 30), 1, 2958465, skipped=60),
    DayFraction("excel_1904", days_from_civil(1904, 1, 1), 0, 2957003),
    Linear("gps", GPS_EPOCH_E0, 1, leap_counted=True),
    Fat(),
    Days("jdn", lambda v: v - 1721425, lambda o: o + 1721425),
    Days("mjd", lambda v: v + 678576, lambda o: o - 678576),
    Iso(),
]
BY_NAME = {f.name: f for f in FORMATS}
# Checked against the dates every reference gives them.
assert BY_NAME["jdn"].value(moment_from_leap_free(midnight(2000, 1, 1))) == 2451545
assert BY_NAME["mjd"].value(moment_from_leap_free(midnight(2000, 1, 1))) == 51544
assert GPS_EPOCH_E0 - EPOCH_E0 - midnight(1980, 1, 6) == 9

# The record's fields that are a format's value. The report's own FILE time
# field shows 0 before 01.01.1601 and -1 beyond the FILE range; the RD fields
# are the report's RD line, which a value read in a format does not have.
FIELDS = [f.name for f in FORMATS if f.name not in ("rd_julian", "rd_gregorian")]


def field_text(name, moment):
    if name == "file_time":
        if moment[0] < EPOCH_E0 + midnight(1601, 1, 1):
            return "0"
        text = BY_NAME["file_time"].write(moment)
        return "-1" if text is None else text
    text = BY_NAME[name].write(moment)
    return "" if text is None else text


# ---- values -----------------------------------------------------------------------

def moment_at(y, m, d, seconds=0):
    return moment_from_leap_free(midnight(y, m, d) + seconds)


# Moments the formats are tried around: the eras the formats reach, each leap second.
ANCHORS = [moment_at(*day) for day in [(1, 1, 1), (100, 1, 1), (1582, 10, 15), (1601, 1, 1), (1899, 12, 30),
                                   (1900, 1, 1), (1900, 3, 1), (1904, 1, 1), (1970, 1, 1), (1980, 1, 6),
                                   (2001, 1, 1), (2017, 1, 1), (2038, 1, 19), (2040, 2, 6), (2107, 12, 31),
                                   (9999, 12, 31), (10000, 1, 1), (0, 3, 1), (-1, 1, 1), (-4713, 11, 24),
                                   (-100000, 1, 1), (1677, 9, 21), (2262, 4, 11)]]
ANCHORS += [(e0, 0) for e0 in LEAP_E0]
LOWEST_MOMENT = (-(2**63) // 10**6, (-(2**63)) % 10**6 * 1000)
HIGHEST_MOMENT = ((2**63 - 1) // 10**6, (2**63 - 1) % 10**6 * 1000 + 999)


def around(moment, spread):
    e0 = moment[0] + rng.randint(-spread, spread)
    return (e0, rng.choice([0, 0, rng.randrange(10**9), rng.randrange(1000) * 10**6, 999999999]))


def sample_moments(count):
    moments = []
    for _ in range(count):
        pick = rng.random()
        if pick < 0.45:
            moments.append(around(rng.choice(ANCHORS), rng.choice([3, 90000, 40 * 86400 * 366])))
        elif pick < 0.75:
            moments.append((rng.randint(LOWEST_MOMENT[0], HIGHEST_MOMENT[0]), rng.randrange(10**9)))
        else:  # 1500 to 2300, where most values of the world lie
            moments.append(around(moment_at(1900, 1, 1), 400 * 366 * 86400))
    return [m for m in moments if LOWEST_MOMENT <= m <= HIGHEST_MOMENT]


def integer_ends(f):
    """The lowest and highest values the program converts, found by bisection on the model."""
    def converts(v):
        status, moment = f.read(v)
        return status == "ok" and reportable(moment)

    def edge(inside, outside):
        while abs(outside - inside) > 1:
            middle = (inside + outside) // 2
            if converts(middle):
                inside = middle
            else:
                outside = middle
        return inside
    inside = f.value(moment_from_leap_free(midnight(1990, 1, 1)))
    if isinstance(f, Fat):
        return [0x00210000, (127 << 25) | (12 << 21) | (31 << 16) | (23 << 11) | (59 << 5) | 29]
    return [edge(inside, INT64[0] - 1), edge(inside, INT64[1] + 1)]


def integer_texts(v, count):
    texts = [str(v)]
    if count > 1:
        variant = rng.randrange(5)
        magnitude = abs(v)
        sign = "-" if v < 0 else rng.choice(["", "+"])
        if variant == 0:
            texts.append(f"{sign}0x{magnitude:x}")
        elif variant == 1:
            texts.append(f"{sign}0X{magnitude:X}")
        elif variant == 2:
            texts.append(f"{sign}000{magnitude}")
        elif variant == 3:
            texts.append(f" \t{v}  ")
        else:
            texts.append(f"+{v}" if v >= 0 else str(v))
    return texts


def integer_values(f, count):
    values = []
    for lowest_or_highest in integer_ends(f):
        values += [lowest_or_highest + d for d in (-2, -1, 0, 1, 2)]
    for m in sample_moments(count):
        v = f.value(m)
        if v is not None:
            values.append(v + rng.choice([0, 0, 0, 1, -1, rng.randint(-10**6, 10**6)]))
    values += [rng.randint(*INT64) for _ in range(count // 10)]
    if isinstance(f, Fat):
        values += [rng.randrange(2**32) for _ in range(count // 4)]  # every field, good or bad
    return values


def decimal_texts(f, count):
    texts = []
    for m in sample_moments(count):
        text = f.write(m)
        if text is None:
            continue
        texts.append(text)
        if "." in text or rng.random() < 0.5:
            # More digits: the same nanosecond or a later one, read by floor
            limit = 40
            base = text if "." in text else text + "."
            extra = limit - (len(base) - base.index(".") - 1)
            if extra > 0:
                texts.append(base + "".join(rng.choice("0123456789") for _ in range(rng.randint(1, extra))))
    if f.name != "cocoa":  # just below and just above the point where the nanosecond changes
        for _ in range(count // 20):
            k, digits = rng.randrange(1, 86400 * 10**9), rng.randint(20, 120)
            below = k * 10**digits // (86400 * 10**9)  # k / (86400 × 10^9) cut to `digits` digits
            whole = str(rng.randint(max(f.lowest, 1), 50000))
            texts += [f"{whole}.{below:0{digits}d}", f"{whole}.{below + 1:0{digits}d}"]
    if f.name == "cocoa":  # the ends of the E6 range, in seconds from 2001
        low = LOWEST_MOMENT[0] - EPOCH_E0 - Cocoa.epoch
        high = HIGHEST_MOMENT[0] - EPOCH_E0 - 27 - Cocoa.epoch
        texts += [str(low), str(low + 1), f"{low + 1}.224192", f"{low + 1}.775808", f"{low + 1}.775809",
                  f"{high}.999999", f"{high}.775807999", f"{high}.775808", str(high + 1),
                  ".5", "-.5", "1.", "+1.25", "-0", "-0.000000001"]
    else:
        texts += {"ole": ["-657434", "-657434.999", "-657435", "2958465.99999999999999", "2958466", "-0.5",
                          "-1.25", "-0", "0", "0.0000000000000115740740745", "0.0000000000000115740740740740"],
                  "excel": ["1", "0.99999", "0", "59.999", "60", "60.5", "61", "2958465.9999", "2958466"],
                  "excel_1904": ["0", "-0", "-0.0", "-0.000001", "2957003.99999", "2957004"]}[f.name]
    return texts


def values_of(f, count):
    """(text, expected status, expected moment or None) for one run of --from=NAME."""
    rows = []
    if f.kind == "integer":
        for v in integer_values(f, count):
            status, moment = f.read(v) if INT64[0] <= v <= INT64[1] else ("too-big", None)
            for text in integer_texts(v, 2 if rng.random() < 0.3 else 1):
                rows.append((text, status, moment))
    elif f.kind == "decimal":
        rows = [(text, *f.read(text)) for text in decimal_texts(f, count)]
    else:
        rows = iso_values(sample_moments(count))
    return [(t, "too-big", None) if s == "ok" and not reportable(m) else (t, s, m) for t, s, m in rows]


def iso_values(moments):
    rows = []
    for m in moments + [(e0 + d, ns) for e0 in LEAP_E0 for d in (-1, 0, 1) for ns in (0, 999999999)]:
        u, ns, leap = utc_of(m)
        offset = rng.choice([0, 0, 60, -300, 330, 1439, -1439, rng.randint(-1439, 1439)])
        local = (u - 1 if leap else u) + offset * 60
        day, of_day = divmod(local, 86400)
        y, mo, d = civil_from_days(day)
        h, mi, s = of_day // 3600, of_day // 60 % 60, of_day % 60 + (1 if leap else 0)
        digits = rng.randint(0, 9)
        fraction = f"{ns:09d}"[:digits]
        read_ns = int(fraction.ljust(9, "0")) if digits else 0
        basic = 0 <= y <= 9999 and rng.random() < 0.2
        if basic or (0 <= y <= 9999 and rng.random() < 0.9):
            year = f"{y:04d}" if basic or rng.random() < 0.9 else f"+{y:04d}"
        else:
            year = ("-" if y < 0 else "+") + f"{abs(y):0{rng.randint(4, 6)}d}"
        zone = "Z" if offset == 0 and rng.random() < 0.7 else ""
        if offset or not zone:
            if offset == 0 and rng.random() < 0.5:
                zone = rng.choice(["", "z", "+00:00", "-00:00", "+0000"])
            else:
                hours, minutes = divmod(abs(offset), 60)
                zone = ("-" if offset < 0 else "+") + f"{hours:02d}" + ("" if basic else ":") + f"{minutes:02d}"
        if basic:
            text = f"{year}{mo:02d}{d:02d}T{h:02d}{mi:02d}{s:02d}" + (f".{fraction}" if digits else "") + \
                zone.replace(":", "")
        elif rng.random() < 0.1:  # the date alone: its midnight
            text, h, mi, s, read_ns, offset = f"{year}-{mo:02d}-{d:02d}", 0, 0, 0, 0, 0
        elif rng.random() < 0.1 and s == 0:  # hours and minutes
            text = f"{year}-{mo:02d}-{d:02d}{rng.choice('Tt ')}{h:02d}:{mi:02d}{zone}"
            read_ns = 0
        else:
            text = f"{year}-{mo:02d}-{d:02d}{rng.choice('TTTt ')}{h:02d}:{mi:02d}:{s:02d}" + \
                (f"{rng.choice('..,')}{fraction}" if digits else "") + zone
        status, moment = Iso.read_fields(y, mo, d, h, mi, s, read_ns, offset)
        rows.append((text, status, moment))
    return rows


# ---- junk: every format, and each kind's own ------------------------------------------

COMMON_JUNK = [("", "bad-value"), (" ", "bad-value"), ("-", "bad-value"), ("+", "bad-value"),
               ("abc", "bad-value"), ("1 2", "bad-value"), ("--1", "bad-value"), ("1e5", "bad-value"),
               ("0x", "bad-value"), ("٣", "bad-value"), ("1,5", "bad-value")]
INTEGER_JUNK = [("12345678901234567890123", "too-big"), ("-99999999999999999999", "too-big"),
                ("1.5", "bad-value"), ("1.", "bad-value"), ("0x1G", "bad-value"), ("0o17", "bad-value"),
                ("9223372036854775808", "too-big"), ("0x10000000000000000", "too-big")]
DECIMAL_JUNK = [("12345678901234567890123", "too-big"), (".", "bad-value"), ("1.2.3", "bad-value"),
                ("0x10", "bad-value"), ("1.5e3", "bad-value")]
ISO_JUNK = [("2017-01-01T23:59:60Z", "nonexistent-time"), ("2016-12-31T23:59:60+01:00", "nonexistent-time"),
            ("2017-02-29", "nonexistent-date"), ("1900-02-29", "nonexistent-date"),
            ("-0100-02-29", "nonexistent-date"), ("2017-01-01T00:00:00+24:00", "bad-value"),
            ("2017-01-01T24:00:00Z", "nonexistent-time"), ("2017-01-01T24:00Z", "nonexistent-time"),
            ("2017-13-01", "nonexistent-date"), ("2017-00-10", "nonexistent-date"), ("2017-01-32", "nonexistent-date"),
            ("2017-01-01T00:60:00Z", "nonexistent-time"), ("2017-01-01T00:00:61Z", "nonexistent-time"),
            ("2017-01-01T00:00:00.Z", "bad-value"), ("2017-01-01T00:00:00.1234567890Z", "bad-value"),
            ("2017-01-01T", "bad-value"), ("2017-1-01", "bad-value"), ("12017-01-01", "bad-value"),
            ("2017-01-01T00:00:00+01", "bad-value"), ("2017-01-01T00:00:00 Z", "bad-value"),
            ("20170101T000000+01:00", "bad-value"), ("20170101T0000Z", "bad-value"),
            ("2017-01-01T00:00:00+00:60", "bad-value"), ("2017-01-01T00:00:00Zx", "bad-value"),
            ("12345678901234567890123", "bad-value"), ("+9999999999999-01-01", "bad-value"),
            ("+300001-01-01", "too-big"), ("-292278-01-01", "too-big"), ("+292278-02-01", "too-big")]
BYTE_JUNK = [("00", "bad-value"), ("0", "bad-value"), ("0x00000000", "bad-value"), ("GG GG GG GG", "bad-value"),
             ("0 00 00 00", "bad-value"), ("", "bad-value")]


def junk_of(f):
    rows = list(COMMON_JUNK)
    if f.kind == "integer":
        rows += INTEGER_JUNK
    elif f.kind == "decimal":
        rows += DECIMAL_JUNK
    else:
        rows += ISO_JUNK
    return [(text, status, None) for text, status in rows]


def byte_texts(v, width, order):
    raw = (v % 2**(8 * width)).to_bytes(width, "little" if order == "le" else "big")
    style = rng.randrange(3)
    if style == 0:
        return " ".join(f"{b:02X}" for b in raw)
    if style == 1:
        return "".join(f"{b:02x}" for b in raw)
    return " ".join(f"{raw[i]:02X}{raw[i + 1]:02X}" for i in range(0, width, 2))


def byte_rows(f, order, count):
    rows = []
    width = f.bytes
    values = []
    for v in integer_values(f, count):
        if 0 <= v < 2**32 if width == 4 else INT64[0] <= v <= INT64[1]:
            values.append(v)
    values += [0, 2**(8 * width - 1) - 1, -1 if width == 8 else 2**32 - 1, -(2**63) if width == 8 else 2**31]
    for v in values:
        status, moment = f.read(v)
        if status == "ok" and not reportable(moment):
            status, moment = "too-big", None
        rows.append((byte_texts(v, width, order), status, moment if status == "ok" else None))
    rows += [(text, status, None) for text, status in BYTE_JUNK]
    rows += [("00 " * (width - 1), "bad-value", None), ("00 " * (width + 1), "bad-value", None)]
    return rows


# ---- runs of the program ---------------------------------------------------------------

PHRASES = {"bad-value": "not a value of", "too-big": "beyond the range of",
           "nonexistent-date": "non-existent date in", "nonexistent-time": "non-existent time in"}


def run(name, from_name, rows):
    fields = ["status", "message"] + FIELDS
    lines = "".join(text + "\n" for text, _, _ in rows).encode()
    done = subprocess.run([MORVEK, "--batch", f"--from={from_name}", "--format=tsv", "--fields=" + ",".join(fields)],
                          input=lines, capture_output=True, timeout=300)
    records = done.stdout.decode("utf-8").split("\n")[:-1]
    wrong_count = len(records) != len(rows)
    check(not wrong_count, f"{from_name}: {len(records)} records for {len(rows)} lines")
    all_ok = all(status == "ok" for _, status, _ in rows)
    check(done.returncode == (0 if all_ok else 1), f"{from_name}: exit status {done.returncode}")
    shown = 0
    for (text, status, moment), record in zip(rows, records):
        got = record.split("\t")
        if status == "ok":
            want = ["ok", ""] + [field_text(field, moment) for field in FIELDS]
        else:
            value = text.strip(" \t")
            message = f"{value} - {PHRASES[status]} {from_name}" if value else f"- {PHRASES[status]} {from_name}"
            want = [status, message] + [""] * len(FIELDS)
        if got != want:
            shown += 1
            if shown <= 8:
                differing = [f"{f}: {g!r} not {w!r}" for f, g, w in zip(fields, got, want) if g != w]
                failures.append(f"--from={from_name} {text!r}: " + "; ".join(differing or [f"{got!r} not {want!r}"]))
    if shown > 8:
        failures.append(f"--from={from_name}: {shown - 8} more lines differ")
    return len(rows)


total = 0
for f in FORMATS:
    rows = values_of(f, 1500) + junk_of(f)
    total += run(f.name, f.name, rows)
    if f.bytes:
        for order in ("le", "be"):
            total += run(f.name, f"{f.name}:{order}", byte_rows(f, order, 150))

# The texts of the formats' own examples: the values an analyst meets.
assert BY_NAME["file_time"].read(131277024000000000) == ("ok", moment_at(2017, 1, 1))
assert BY_NAME["excel"].read("42736") == ("ok", moment_at(2017, 1, 1))
assert Iso.read_fields(2017, 1, 1, 0, 59, 60, 0, 60) == ("ok", (LEAP_E0[-1], 0))

for failure in failures[:60]:
    print("FAIL:", failure)
print(f"formats of the program: {total} values of {len(FORMATS)} formats; {len(failures)} failures")
sys.exit(1 if failures else 0)
