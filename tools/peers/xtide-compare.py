#!/usr/bin/env python3
# Both prediction models of ondrel-cli against XTide 2.14 (a peer, built outside the repository) at
# 20 US reference stations: |dt| and |dh| of the matched high and low waters of December 2026 and
# June 2027, in UT.
#   apt-get install -y libtcd-dev xtide-data libpng-dev zlib1g-dev
#   build XTide 2.14 in $TMPDIR/xtide-src as ../shared/PEERS.md says (`make tide`), then
#   $TMPDIR/xtide-src/tide -m l > /tmp/xt-list.txt
#   tools/peers/xtide-compare.py [ONDREL-CLI]
# The stations are XTide's reference stations whose place matches a port of the table with a full
# constituent list (within 0.02 degree), every n-th of them.
import json, math, os, re, subprocess, sys, statistics, datetime as dt
TIDE = os.path.join(os.environ.get('TMPDIR', '/tmp'), 'xtide-src', 'tide')
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CLI = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build/src/cli/ondrel-cli')
TABLE = os.path.join(ROOT, 'data/ports.dbf')
env = dict(os.environ, HFILE_PATH=subprocess.check_output(['sh','-c',"dpkg -L xtide-data | grep '\\.tcd$' | head -1"], text=True).strip())
refs = []
for line in open('/tmp/xt-list.txt', encoding='utf-8', errors='replace'):
    m = re.match(r'^(.*?)\s+Ref\s+([\d.]+)° ([NS]),\s+([\d.]+)° ([EW])', line)
    if not m or 'Current' in line or 'current' in line: continue
    name = m.group(1).strip()
    lat = float(m.group(2)) * (1 if m.group(3) == 'N' else -1)
    lon = float(m.group(4)) * (1 if m.group(5) == 'E' else -1)
    refs.append((name, lat, lon))
ports = []
for line in subprocess.check_output([CLI, 'ports', '--table', TABLE, '--model', 'full'], text=True).splitlines():
    f = line.split('\t')
    if len(f) < 6 or f[5] != 'full': continue
    def deg(t):
        d, mnt, h = t.split(); v = int(d) + int(mnt) / 60
        return -v if h in 'SW' else v
    ports.append((f[0], deg(f[1]), deg(f[2])))
pairs = []
for name, lat, lon in refs:
    if len(name) >= 50: continue  # names cut in the list
    best = min(ports, key=lambda p: (p[1]-lat)**2 + ((p[2]-lon)*math.cos(math.radians(lat)))**2)
    d = math.hypot(best[1]-lat, (best[2]-lon)*math.cos(math.radians(lat)))
    if d < 0.02: pairs.append((name, best[0]))
step = max(1, len(pairs) // 20)
pairs = pairs[::step][:20]
def xtide(name, b, e):
    out = subprocess.run([TIDE, '-l', name, '-b', b, '-e', e, '-z', 'y', '-u', 'm', '-em', 'pSsMm', '-m', 'p', '-f', 'c', '-df', '%Y-%m-%d', '-tf', '%H:%M:%S'], env=env, capture_output=True, text=True).stdout
    ev = []
    for l in out.splitlines():
        f = l.split(',')
        if len(f) < 5 or 'Tide' not in f[-1]: continue
        t = dt.datetime.strptime(f[1] + ' ' + f[2], '%Y-%m-%d %H:%M:%S').replace(tzinfo=dt.timezone.utc)
        ev.append((t.timestamp(), float(f[3].split()[0]), f[-1].startswith('High')))
    return ev
def ondrel(port, frm, to, model):
    out = subprocess.run([CLI, 'table', port, '--from', frm, '--to', to, '--ref', '100', '--json', '--model', model, '--table', TABLE], capture_output=True, text=True).stdout
    ev = []
    for day in json.loads(out)['days']:
        for e in day['events']:
            jd = abs(e['time'])
            ev.append(((jd - 2440587.5) * 86400, e['height'], e['time'] > 0))
    return ev
res = {'table': ([], [], 0), 'full': ([], [], 0)}
for name, port in pairs:
    for b, e, frm, to in [('2026-12-01 00:00', '2027-01-01 00:00', '2026-12-01', '2026-12-31'), ('2027-06-01 00:00', '2027-07-01 00:00', '2027-06-01', '2027-06-30')]:
        x = xtide(name, b, e)
        for model in ('table', 'full'):
            o = ondrel(port, frm, to, model)
            dts, dhs, missed = res[model]
            for (t, h, high) in x:
                cand = [c for c in o if c[2] == high and abs(c[0] - t) < 3 * 3600]
                if not cand: missed += 1; continue
                c = min(cand, key=lambda c: abs(c[0] - t))
                dts.append(abs(c[0] - t) / 60); dhs.append(abs(c[1] - h) * 100)
            res[model] = (dts, dhs, missed)
def q(v, p): v = sorted(v); return v[min(len(v)-1, int(p * len(v)))]
print(f'{len(pairs)} US reference stations, Dec 2026 and Jun 2027, against XTide 2.14')
for model, (dts, dhs, missed) in res.items():
    print(f'{model:5} model: {len(dts)} matched tides, {missed} unmatched; |dt| median {statistics.median(dts):.1f} min, p95 {q(dts,.95):.1f}; |dh| median {statistics.median(dhs):.1f} cm, p95 {q(dhs,.95):.1f}')
