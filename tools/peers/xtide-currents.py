#!/usr/bin/env python3
"""ondrel-cli's tidal-stream events against XTide 2.14 (a peer, built outside the repository as
../shared/PEERS.md says) at the reference current stations both files hold, matched by position
(within 0.001 degree) and by the first 15 letters of the name:
    HFILE_PATH=... tools/peers/xtide-currents.py XTIDE-TIDE ONDREL-CLI CURRENTS.json [STATIONS]
Prints the medians and 95th percentiles of the time and speed differences of the slacks and the
maxima of March 2026 (UT), and the share of events without a partner within an hour."""
import datetime
import json
import re
import subprocess
import sys

tide, cli, data = sys.argv[1:4]
count = int(sys.argv[4]) if len(sys.argv) > 4 else 100
listing = subprocess.run([tide, "-m", "l"], capture_output=True, text=True).stdout.splitlines()
line = re.compile(r"^(.*?)\s+(Ref|Sub)\s+([\d.]+)° ([NS]),\s+([\d.]+)° ([EW])\s*$")
xtide = []
for text in listing:
    m = line.match(text)
    if m and m.group(2) == "Ref":
        lat = float(m.group(3)) * (1 if m.group(4) == "N" else -1)
        lon = float(m.group(5)) * (1 if m.group(6) == "E" else -1)
        xtide.append((m.group(1).strip(), lat, lon))
stations = [s for s in json.load(open(data))["stations"] if "constituents" in s]
pairs = []
for s in stations:
    if "@" in s["id"]:
        continue  # a depth bin: XTide holds one depth a place
    for name, lat, lon in xtide:
        if abs(lat - s["latitude"]) < 1e-3 and abs(lon - s["longitude"]) < 1e-3 and \
                name[:15].lower() == s["name"][:15].lower():
            pairs.append((s, name))
            break
step = max(1, len(pairs) // count)
pairs = pairs[::step][:count]
kinds = {"Slack": "slack", "Max Flood": "max_flood", "Max Ebb": "max_ebb"}
dt, dv, unmatched, total, used = [], [], 0, 0, 0
for s, name in pairs:
    out = subprocess.run([tide, "-l", name, "-b", "2026-03-01 00:00", "-e", "2026-03-31 00:00",
                          "-m", "p", "-em", "pSsMm", "-z", "y", "-f", "c"],
                         capture_output=True, text=True).stdout.splitlines()
    if not out or "Current" not in out[0].split(",")[0]:
        continue
    used += 1
    theirs = []
    for row in out:
        f = row.split(",")
        kind = next((v for k, v in kinds.items() if f[4].startswith(k)), None)
        if not kind:
            continue
        t = datetime.datetime.strptime(f[1] + " " + f[2].replace(" UTC", ""), "%Y-%m-%d %I:%M %p")
        theirs.append((kind, t.replace(tzinfo=datetime.timezone.utc), float(f[3].split()[0])))
    ours = json.loads(subprocess.run([cli, "currents", s["id"], "--from", "2026-03-01", "--to",
                                      "2026-03-30", "--ref", "100", "--json"],
                                     capture_output=True, text=True).stdout)["events"]
    for e in ours:
        if e["kind"] not in kinds.values():
            continue
        total += 1
        t = datetime.datetime.fromisoformat(e["time"])
        near = [x for x in theirs if x[0] == e["kind"]]
        best = min(near, key=lambda x: abs((x[1] - t).total_seconds()), default=None)
        if best is None or abs((best[1] - t).total_seconds()) > 3600:
            unmatched += 1
            continue
        dt.append(abs((best[1] - t).total_seconds()) / 60)
        dv.append(abs(best[2] - e["speed_kn"]))


def q(xs, p):
    xs = sorted(xs)
    return xs[min(len(xs) - 1, int(p * len(xs)))] if xs else float("nan")


print(json.dumps({"stations": used, "events": total,
                  "time_min": [round(q(dt, .5), 2), round(q(dt, .95), 2)],
                  "speed_kn": [round(q(dv, .5), 3), round(q(dv, .95), 3)],
                  "unmatched_percent": round(100 * unmatched / max(1, total), 2)}))
