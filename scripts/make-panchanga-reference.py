#!/usr/bin/env python3
"""Writes tests/data/panchanga-swetest.tsv and tests/data/sunrise-swetest.tsv
from Debian's swetest (packages swetest and swe-basic-data: the Swiss
Ephemeris with its JPL-based files), independently of the program.

Limbs: at each instant the apparent sidereal (Lahiri) Sun and Moon from
    swetest -bj<JD> -ut -p01 -sid1 -fPl -head -eswe
the tithi, karana, nakshatra, pada and yoga worked from them here, and each
limb's end found by bisection to a second on the same swetest positions.
Sunrise and sunset (the upper limb, swetest's refraction) from
    swetest -b<D.M.YYYY> -ut00:00 -rise -geopos<lon>,<lat>,0 -p0 -n2 -eswe
(the first rising and the first setting after 0h UT of a random date),
places below 60 degrees of latitude.

Run: python3 scripts/make-panchanga-reference.py (about a minute).
"""
import random
import subprocess
import sys

OUT = "tests/data/"


def sun_moon(jd):
    out = subprocess.run(["swetest", "-bj%.8f" % jd, "-ut", "-p01", "-sid1", "-fPl", "-head", "-eswe"],
                         capture_output=True, text=True, check=True).stdout.split("\n")
    values = [float(line.split()[-1]) for line in out if line.strip()]
    return values[0], values[1]


def angle(limb, sun, moon):
    if limb in ("tithi", "karana"):
        return (moon - sun) % 360
    if limb == "nakshatra":
        return moon % 360
    return (sun + moon) % 360


STEP = {"tithi": 12.0, "karana": 6.0, "nakshatra": 40.0 / 3, "yoga": 40.0 / 3}


def end_of(limb, jd, sun, moon):
    start = angle(limb, sun, moon)
    to_go = (int(start // STEP[limb]) + 1) * STEP[limb] - start

    def gone(t):
        a = angle(limb, *sun_moon(t))
        return (a - start + 180) % 360 - 180

    low, high = jd, jd + 1.5
    while high - low > 1.0 / 86400:
        mid = (low + high) / 2
        if gone(mid) < to_go:
            low = mid
        else:
            high = mid
    return (low + high) / 2


def limbs():
    rng = random.Random(36)
    rows = []
    while len(rows) < 24:
        # Whole minutes of 1901-2050 (JD 2415385.5 .. 2470172.5).
        jd = 2415385.5 + rng.randrange(0, (2470172 - 2415385) * 1440) / 1440
        sun, moon = sun_moon(jd)
        # Clear of every boundary by 0.02 degrees (two minutes of the Moon).
        if any(min(angle(l, sun, moon) % STEP[l], STEP[l] - angle(l, sun, moon) % STEP[l]) < 0.02 for l in STEP):
            continue
        e = (moon - sun) % 360
        row = [jd, sun, moon, int(e // 12) + 1, int(e // 6) + 1, int(moon // (40 / 3)) + 1,
               int(moon // (10 / 3)) % 4 + 1, int(((sun + moon) % 360) // (40 / 3)) + 1]
        row += [end_of(l, jd, sun, moon) for l in ("tithi", "nakshatra", "yoga", "karana")]
        rows.append(row)
        print(len(rows), file=sys.stderr)
    with open(OUT + "panchanga-swetest.tsv", "w") as f:
        f.write("# ut_jd\tsun\tmoon\ttithi\tkarana\tnakshatra\tpada\tyoga\ttithi_ends\tnakshatra_ends\tyoga_ends\tkarana_ends\n")
        for r in rows:
            f.write("%.8f\t%.7f\t%.7f\t%d\t%d\t%d\t%d\t%d\t%.6f\t%.6f\t%.6f\t%.6f\n" % tuple(r))


def rise_set():
    rng = random.Random(360)
    rows = []
    while len(rows) < 24:
        y, m, d = rng.randrange(1901, 2051), rng.randrange(1, 13), rng.randrange(1, 29)
        lon, lat = round(rng.uniform(-180, 180), 2), round(rng.uniform(-59.9, 59.9), 2)
        out = subprocess.run(["swetest", "-b%d.%d.%d" % (d, m, y), "-ut00:00", "-rise", "-geopos%s,%s,0" % (lon, lat),
                              "-p0", "-n2", "-eswe"], capture_output=True, text=True, check=True).stdout
        # rise D.MM.YYYY HH:MM:SS.s set D.MM.YYYY HH:MM:SS.s ("-" for none): the first of each.
        words = [l.split() for l in out.split("\n") if l.startswith("rise")]
        rise = [w[1:3] for w in words if w[1] != "-"][0]
        sets = [w[4:6] for w in words if w[4] != "-"][0]
        rows.append((y, m, d, lon, lat, rise[0], rise[1], sets[0], sets[1]))
    with open(OUT + "sunrise-swetest.tsv", "w") as f:
        f.write("# year\tmonth\tday\teast_lon\tnorth_lat\trise_date\trise_ut\tset_date\tset_ut\n")
        for r in rows:
            f.write("%d\t%d\t%d\t%.2f\t%.2f\t%s\t%s\t%s\t%s\n" % r)


limbs()
rise_set()
