#!/usr/bin/env python3
"""The atlas's zones against Python's zoneinfo (both read the system's tz
database): random atlas zones and local moments, each looked up with
velorin-chart --tz, compared in offset and daylight saving.

    scripts/check-zones-zoneinfo.py [SEED [COUNT [FIRST_YEAR [LAST_YEAR]]]]

Run from the repository after a build (build/velorin-chart, build/atlas.sqlite).
Local times the clocks skipped or showed twice are left out."""
import sqlite3, random, subprocess, json, zoneinfo, datetime, sys
ATLAS = 'build/atlas.sqlite'
CHART = 'build/velorin-chart'
args = sys.argv[1:] + ['1', '1000', '1901', '2050'][len(sys.argv) - 1:]
db = sqlite3.connect(ATLAS)
zones = [r[0] for r in db.execute('select distinct zone from place')]
random.seed(int(args[0]))
n = int(args[1]); lo = int(args[2]); hi = int(args[3])
bad = checked = skipped = 0
for i in range(n):
    z = random.choice(zones)
    y = random.randint(lo, hi); mo = random.randint(1, 12); d = random.randint(1, 28); h = random.randint(0, 23); mi = random.randint(0, 59)
    t = datetime.datetime(y, mo, d, h, mi, tzinfo=zoneinfo.ZoneInfo(z))
    # skip nonexistent and ambiguous local times
    u = t.astimezone(datetime.timezone.utc).astimezone(zoneinfo.ZoneInfo(z))
    if u.replace(tzinfo=None) != t.replace(tzinfo=None) or t.replace(fold=1).utcoffset() != t.utcoffset():
        skipped += 1; continue
    out = subprocess.run([CHART, '--name', 'A', '--tz', z, '--lon', '10:00E', '--lat', '10:00N', '--city', 'C', '--state', 'S', '--country', 'K',
                          '--date', f'{y}-{mo:02d}-{d:02d}', '--time', f'{h}:{mi:02d}', '--format', 'json', '--sections', 'none'], capture_output=True, text=True)
    if out.returncode != 0:
        print('refused', z, t, out.stderr.strip()[:200]); bad += 1; continue
    p = json.loads(out.stdout)['Place']
    off = t.utcoffset().total_seconds() / 60; dst = bool(t.dst())
    checked += 1
    if abs(p['UtcOffsetMinutes'] - off) > 1e-9 or p['DaylightSaving'] != dst:
        bad += 1; print('differs', z, t, p['UtcOffsetMinutes'], p['DaylightSaving'], off, dst)
print(f'{checked} compared, {bad} differ, {skipped} left out (skipped or repeated local times)')
sys.exit(1 if bad else 0)
