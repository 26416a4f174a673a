#!/usr/bin/python3
# The sun and the moon of the ephemerides window against PyEphem.
#
# Needs Debian's PyEphem, seen by the system's python3:
#     apt-get install -y python3-ephem
# and the build's ondrel-cli and ondrel-astro-dump:
#     cmake --build build --target ondrel-cli ondrel-astro-dump
#     tools/astro-check/astro-check.py [--build build] [--table data/ports.dbf] [--step N]
#     tools/astro-check/astro-check.py --day "DAVIS - AU" 2026-05-23    (one day, in full)
#
# The sample: 44 ports from 69 S to 79 N, every day of 2026 and every 10th day of 1950 and 2090
# (--step N takes every Nth of these days). For each port-day, ondrel-astro-dump gives what
# `ondrel-cli sun PORT --date D --ref 100 --json` gives (checked on one day of every port), and
# PyEphem the reference, in the window's convention:
# - the sun rises or sets when its upper limb is 34' below the horizon (the standard refraction;
#   centre at -0.8333 deg for the mean semi-diameter): an Observer without pressure and with
#   horizon -0:34, next_rising(Sun(), use_center=False);
# - the day's events are the first rise and the first set in the 24 hours that follow the port's
#   local mean midnight; the day rises and sets, only rises or only sets (at the edges of the
#   midnight sun), or has the sun always up or always down. Above 60 deg the crossings are found
#   on PyEphem's altitude sampled every 20 minutes and at the meridian passages, refined by
#   bisection: PyEphem's next_rising decides that the sun is circumpolar from its position at the
#   start of the search, which misses some grazing days;
# - azimuths of the sun's centre at those instants;
# - the moon's age at 0 h UT of the date since previous_new_moon; its phase named by the window's
#   table (below 14 days increasing, 14 to 15 full, 15 to 28 decreasing, above 28 new) read on
#   the phase's age in a mean lunation, drawn between the true new and full moons (0 at the new
#   moon, 14.77 days at the full moon, 29.53 at the next new moon); the lit fraction of the disc
#   from Moon().moon_phase.
# It prints, by band of latitude, the median, 95th percentile and largest |difference| of the
# times (minutes) and azimuths (degrees), the days whose kind differs, and the moon's figures.
import argparse
import bisect
import datetime
import json
import math
import os
import statistics
import subprocess
import sys

import ephem

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# 44 ports from 69 S to 79 N: 12 inside the polar circles, 8 from 60 deg to the circles, both
# sides of Greenwich and of the date line (SUVA HARBOR, APIA, MIDWAY).
PORTS = [
    "SYOWA ANTARCTICA", "DAVIS - AU", "ROTHERA", "DUMONT D'URVILLE",
    "CASEY", "FARADAY", "ESPERANZA - AR", "BASE PRAT",
    "USHUAIA", "KING EDWARD POINT", "KERGUELEN", "BLUFF", "HOBART", "WELLINGTON", "AUCKLAND",
    "CAPE TOWN", "VALPARAISO", "PORT LOUIS", "SUVA HARBOR", "APIA", "DARWIN", "RECIFE USCGS",
    "MOMBASA", "BALBOA", "DAKAR", "HONOLULU", "MIDWAY", "TOKYO", "SAN FRANCISCO (GOLDEN GATE)",
    "NEW YORK (THE BATTERY)", "BREST", "JUNEAU",
    "BERGEN", "ANCHORAGE", "REYKJAVIK", "NOME - AK",
    "KOTZEBUE", "BODO", "TROMSO", "HAMMERFEST", "BARROW OFFSHORE", "RESOLUTE", "THULE PITUFFIK",
    "NY-ALESUND",
]

DUBLIN = 2415020.0  # ephem.Date counts days from this Julian date
MEAN_LUNATION = 29.53059028
HORIZON = ephem.degrees("-0:34")
POLAR_CIRCLE = 66.5622
KINDS = ("rises and sets", "rises only", "sets only", "always up", "always down")


def jd_of_date(d):
    return d.toordinal() + 1721424.5


def date_of_jd(jd):
    return datetime.date.fromordinal(int(jd - 1721424.5))


def sample_dates(step):
    dates = []
    day = datetime.date(2026, 1, 1)
    while day.year == 2026:
        dates.append(day)
        day += datetime.timedelta(days=1)
    for year in (1950, 2090):
        dates += [datetime.date(year, 1, 1) + datetime.timedelta(days=10 * i) for i in range(37)]
    return dates[::step]


def kind_of(rise, set_, up_at_midnight):
    if rise is not None and set_ is not None:
        return "rises and sets"
    if rise is not None:
        return "rises only"
    if set_ is not None:
        return "sets only"
    return "always up" if up_at_midnight else "always down"


class Reference:
    """PyEphem's sun and moon at a port."""

    def __init__(self, latitude, longitude_west):
        self.latitude = latitude
        self.longitude_west = longitude_west
        self.observer = ephem.Observer()
        self.observer.lat = math.radians(latitude)
        self.observer.lon = math.radians(-longitude_west)
        self.observer.elevation = 0
        self.observer.pressure = 0
        self.observer.horizon = HORIZON
        self.sun = ephem.Sun()

    def limb(self, t):
        """Height (radians) of the upper limb above the -34' horizon at ephem date t."""
        self.observer.date = t
        self.sun.compute(self.observer)
        return self.sun.alt + self.sun.radius - HORIZON

    def azimuth(self, t):
        self.observer.date = t
        self.sun.compute(self.observer)
        return math.degrees(self.sun.az)

    def day(self, jd):
        """Kind, rise and set (ephem dates), azimuths, of the day that starts at local mean
        midnight of the date whose 0 h UT is jd."""
        start = jd - DUBLIN + self.longitude_west / 360
        end = start + 1
        if abs(self.latitude) < 60:
            self.observer.date = start
            rise = float(self.observer.next_rising(self.sun, use_center=False))
            set_ = float(self.observer.next_setting(self.sun, use_center=False))
            assert rise < end and set_ < end
            up = self.limb(start) >= 0
        else:
            rise, set_, up = self.crossings(start, end)
        return (kind_of(rise, set_, up), rise, set_,
                self.azimuth(rise) if rise is not None else None,
                self.azimuth(set_) if set_ is not None else None)

    def crossings(self, start, end):
        times = [start + i / 72 for i in range(73)]
        for passage in (self.observer.next_transit, self.observer.next_antitransit):
            self.observer.date = start
            t = float(passage(self.sun, start=start))
            if start < t < end:
                bisect.insort(times, t)
        heights = [self.limb(t) for t in times]
        rise = set_ = None
        for i in range(1, len(times)):
            a, b, ha, hb = times[i - 1], times[i], heights[i - 1], heights[i]
            if rise is None and ha < 0 <= hb:
                rise = self.refine(a, b, True)
            if set_ is None and ha >= 0 > hb:
                set_ = self.refine(a, b, False)
        return rise, set_, heights[0] >= 0

    def refine(self, a, b, rising):
        for _ in range(30):
            mid = (a + b) / 2
            if (self.limb(mid) >= 0) == rising:
                b = mid
            else:
                a = mid
        return (a + b) / 2


def moon_reference(jd):
    """Age (days), phase name and lit fraction of the moon at the Julian date jd."""
    t = ephem.Date(jd - DUBLIN)
    new = float(ephem.previous_new_moon(t))
    full = float(ephem.next_full_moon(new))
    next_new = float(ephem.next_new_moon(t))
    now = float(t)
    half = MEAN_LUNATION / 2
    if now < full:
        phase_age = half * (now - new) / (full - new)
    else:
        phase_age = half + half * (now - full) / (next_new - full)
    return now - new, phase_name(phase_age), ephem.Moon(t).moon_phase, now < full


def phase_name(age):
    if age < 14:
        return "Increasing moon"
    if 14 < age < 15:
        return "Full moon"
    if 15 < age < 28:
        return "Decreasing moon"
    if age > 28:
        return "New moon"
    return None


def run_dump(build, table, names, dates):
    tool = os.path.join(build, "tools", "astro-check", "ondrel-astro-dump")
    request = {"ports": [{"name": n, "dates": [jd_of_date(d) for d in dates]} for n in names]}
    out = subprocess.run([tool, table], input=json.dumps(request).encode(), capture_output=True,
                         check=True)
    answer = json.loads(out.stdout)
    missing = [p["name"] for p in answer["ports"] if p.get("missing")]
    if missing:
        sys.exit("not in the table: " + ", ".join(missing))
    return answer["ports"]


def run_cli(build, table, name, date):
    cli = os.path.join(build, "src", "cli", "ondrel-cli")
    out = subprocess.run([cli, "sun", name, "--table", table, "--date", date.isoformat(), "--ref",
                          "100", "--lang", "en", "--json"], capture_output=True, check=True)
    return json.loads(out.stdout)


def ours_of(row):
    date, day, rise, set_, rise_az, set_az, age, phase, lit, waxing = row
    if day == "rises and sets":
        kind = kind_of(rise, set_, False)
    else:
        kind = day
    return kind, rise, set_, rise_az, set_az, age, phase, lit, waxing


def minutes_apart(ours_hours, ref_date, jd):
    """|ours - reference| in minutes, ours as UT hours of the date taken modulo a day."""
    ref_minutes = (ref_date + DUBLIN - jd) * 1440
    return abs(math.remainder(ours_hours * 60 - ref_minutes, 1440))


def percentile(values, p):
    if not values:
        return float("nan")
    values = sorted(values)
    return values[min(len(values) - 1, max(0, math.ceil(p / 100 * len(values)) - 1))]


def band_of(latitude):
    lat = abs(latitude)
    if lat < 60:
        return "below 60"
    if lat < POLAR_CIRCLE:
        return "60 to the polar circle"
    return "inside the polar circles"


def one_day(args):
    name, text = args.day
    date = datetime.date.fromisoformat(text)
    port = run_dump(args.build, args.table, [name], [date])[0]
    ours = ours_of(port["days"][0])
    ref = Reference(port["latitude"], port["longitude"])
    jd = jd_of_date(date)
    kind, rise, set_, rise_az, set_az = ref.day(jd)
    age, phase, lit, waxing = moon_reference(jd)

    def hours(t):
        return None if t is None else (t + DUBLIN - jd) * 24

    print(f"{name} {date}  latitude {port['latitude']:.4f}  longitude {port['longitude']:.4f} W")
    print(f"  ours    : {ours[0]}, sunrise {ours[1]} h UT az {ours[3]}, sunset {ours[2]} h UT "
          f"az {ours[4]}; moon {ours[5]} d, {ours[6]}, lit {ours[7]}, waxing {ours[8]}")
    print(f"  PyEphem : {kind}, sunrise {hours(rise)} h UT az {rise_az}, sunset {hours(set_)} h "
          f"UT az {set_az}; moon {age} d, {phase}, lit {lit}, waxing {waxing}")


def main():
    parser = argparse.ArgumentParser(description="The sun and moon of Ondrel against PyEphem.")
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--table", default=os.path.join(ROOT, "data", "ports.dbf"))
    parser.add_argument("--step", type=int, default=1, help="every Nth day of the sample")
    parser.add_argument("--day", nargs=2, metavar=("PORT", "YYYY-MM-DD"))
    args = parser.parse_args()
    if args.day:
        one_day(args)
        return

    dates = sample_dates(args.step)
    ports = run_dump(args.build, args.table, PORTS, dates)

    # The dump gives what `ondrel-cli sun` gives: one day of every port.
    for i, port in enumerate(ports):
        date = dates[(37 * i) % len(dates)]
        cli = run_cli(args.build, args.table, port["name"], date)
        row = port["days"][(37 * i) % len(dates)]
        dumped = {"sunrise": row[2], "sunset": row[3], "sunrise_azimuth": row[4],
                  "sunset_azimuth": row[5], "moon_age": row[6], "phase": row[7]}
        for key, value in dumped.items():
            same = (cli[key] == value if value is None or isinstance(value, str)
                    else cli[key] is not None and abs(cli[key] - value) < 1e-9)
            if not same:
                sys.exit(f"{port['name']} {date}: ondrel-cli sun gives {key} {cli[key]}, "
                         f"ondrel-astro-dump {value}")

    times, azimuths, kinds, wrong_kinds, worst = {}, {}, {}, [], {}
    ages, phases, lit_errors = [], [0, 0], []
    moon_of_date = {}
    for port in ports:
        ref = Reference(port["latitude"], port["longitude"])
        band = band_of(port["latitude"])
        for date, row in zip(dates, port["days"]):
            jd = jd_of_date(date)
            kind, rise, set_, rise_az, set_az, age, phase, lit, _ = ours_of(row)
            ref_kind, ref_rise, ref_set, ref_rise_az, ref_set_az = ref.day(jd)
            counts = kinds.setdefault(band, [0, 0])
            counts[0] += kind == ref_kind
            counts[1] += 1
            if kind != ref_kind:
                wrong_kinds.append(f"{port['name']} {date}: {kind}, PyEphem {ref_kind}")
            for ours_t, ref_t, ours_az, ref_az in ((rise, ref_rise, rise_az, ref_rise_az),
                                                   (set_, ref_set, set_az, ref_set_az)):
                if ours_t is None or ref_t is None:
                    continue
                dt = minutes_apart(ours_t, ref_t, jd)
                times.setdefault(band, []).append(dt)
                azimuths.setdefault(band, []).append(abs(math.remainder(ours_az - ref_az, 360)))
                if dt > worst.get(band, (0, ""))[0]:
                    worst[band] = (dt, f"{port['name']} {date}")
            if date not in moon_of_date:
                moon_of_date[date] = moon_reference(jd)
                ref_age, ref_phase, ref_lit, _ = moon_of_date[date]
                ages.append(abs(math.remainder(age - ref_age, MEAN_LUNATION)) * 1440)
                phases[0] += phase == ref_phase
                phases[1] += 1
                if lit is not None:
                    lit_errors.append(abs(lit - ref_lit))

    print(f"{len(ports)} ports, {len(dates)} days ({dates[0]} to {dates[-1]}), "
          f"{len(ports) * len(dates)} port-days; ondrel-cli sun agrees with the dump")
    print()
    print("Sunrise and sunset, |ours - PyEphem| in minutes, and azimuths in degrees:")
    print(f"  {'band':26} {'events':>7} {'median':>7} {'p95':>7} {'max':>7}"
          f" {'az p95':>7} {'az max':>7}  worst")
    for band in ("below 60", "60 to the polar circle", "inside the polar circles"):
        t, a = times.get(band, []), azimuths.get(band, [])
        print(f"  {band:26} {len(t):7} {statistics.median(t) if t else float('nan'):7.3f}"
              f" {percentile(t, 95):7.3f} {max(t, default=float('nan')):7.3f}"
              f" {percentile(a, 95):7.3f} {max(a, default=float('nan')):7.3f}"
              f"  {worst.get(band, (0, ''))[1]}")
    print()
    print("Kind of day (rises and sets, rises only, sets only, always up, always down):")
    for band in ("below 60", "60 to the polar circle", "inside the polar circles"):
        right, total = kinds.get(band, [0, 0])
        print(f"  {band:26} {right} of {total} port-days right")
    for line in wrong_kinds[:12]:
        print("    " + line)
    if len(wrong_kinds) > 12:
        print(f"    ... and {len(wrong_kinds) - 12} more")
    print()
    print(f"Moon, {phases[1]} dates at 0 h UT: age |ours - PyEphem| median "
          f"{statistics.median(ages):.2f} min, p95 {percentile(ages, 95):.2f} min, "
          f"max {max(ages):.2f} min; phase name right on {phases[0]} "
          f"({100 * phases[0] / phases[1]:.1f} %)")
    if lit_errors:
        print(f"  lit fraction of the disc |ours - PyEphem|: p95 {percentile(lit_errors, 95):.4f},"
              f" max {max(lit_errors):.4f}")


if __name__ == "__main__":
    main()
