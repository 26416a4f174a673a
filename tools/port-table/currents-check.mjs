// Ondrel's tidal-stream events against an independent computation from the same constants: the
// harmonic sum of @neaps/tide-predictor (its arguments and nodal corrections) sampled every
// minute, its slacks (zero crossings, interpolated) and the strongest flood and ebb between
// them, matched with `ondrel-cli currents --json` event for event.
//   node currents-check.mjs CURRENTS.json ONDREL-CLI [STATIONS] [FROM] [DAYS]
// Prints the medians and 95th percentiles of the time and speed differences, reference and
// subordinate stations apart, and the share of events without a partner within 60 minutes.
import { readFileSync } from "node:fs";
import { execFileSync } from "node:child_process";
import { createTidePredictor } from "@neaps/tide-predictor";

const [file, cli, count = "60", from = "2026-03-01", days = "30"] = process.argv.slice(2);
const data = JSON.parse(readFileSync(file, "utf8"));
const byId = new Map(data.stations.map((s) => [s.id, s]));
const MS_DAY = 86400000;
const start = Date.parse(from + "T00:00:00Z");
const end = start + Number(days) * MS_DAY;
const to = new Date(end - MS_DAY).toISOString().slice(0, 10);

function theirEvents(ref, offsets) {
  const predictor = createTidePredictor(
    ref.constituents.map(([name, amplitude, phase]) => ({ name, amplitude, phase })),
    { offset: ref.mean_flow },
  );
  const t0 = start - 2 * MS_DAY;
  const line = predictor.getTimelinePrediction({
    start: new Date(t0),
    end: new Date(end + 2 * MS_DAY),
    timeFidelity: 60,
  });
  const slacks = [];
  for (let k = 1; k < line.length; k++) {
    const a = line[k - 1].level, b = line[k].level;
    if ((a < 0) !== (b < 0)) {
      const t = line[k - 1].time.getTime() + (60000 * a) / (a - b);
      slacks.push({ t, k, flood: b > 0 });
    }
  }
  const events = [];
  for (let s = 0; s + 1 < slacks.length; s++) {
    events.push({ kind: "slack", t: slacks[s].t, v: 0, flood: slacks[s].flood });
    let best = null;
    for (let k = slacks[s].k; k < slacks[s + 1].k; k++)
      if (!best || Math.abs(line[k].level) > Math.abs(best.level)) best = line[k];
    if (best)
      events.push({ kind: best.level > 0 ? "max_flood" : "max_ebb", t: best.time.getTime(), v: best.level });
  }
  if (!offsets) return events;
  const [sbf, sbe, fl, eb, fr, er] = offsets;
  return events.map((e) =>
    e.kind === "slack"
      ? { ...e, t: e.t + (e.flood ? sbf : sbe) * 60000 }
      : e.kind === "max_flood"
        ? { ...e, t: e.t + fl * 60000, v: e.v * fr }
        : { ...e, t: e.t + eb * 60000, v: e.v * er },
  );
}

const quantile = (xs, q) => {
  const s = [...xs].sort((a, b) => a - b);
  return s.length ? s[Math.min(s.length - 1, Math.floor(q * s.length))] : NaN;
};

function compare(stations) {
  const dt = [], dv = [];
  let unmatched = 0, total = 0;
  for (const s of stations) {
    const ref = s.constituents ? s : byId.get(s.reference);
    const theirs = theirEvents(ref, s.constituents ? null : s.offsets).filter((e) => e.t >= start && e.t < end);
    const ours = JSON.parse(
      execFileSync(cli, ["currents", s.id, "--from", from, "--to", to, "--ref", "100", "--json"], { encoding: "utf8" }),
    ).events.filter((e) => e.kind === "slack" || e.kind.startsWith("max"));
    for (const e of ours) {
      total++;
      const t = Date.parse(e.time);
      let best = null;
      for (const x of theirs)
        if (x.kind === e.kind && (!best || Math.abs(x.t - t) < Math.abs(best.t - t))) best = x;
      if (!best || Math.abs(best.t - t) > 60 * 60000) {
        unmatched++;
        continue;
      }
      dt.push(Math.abs(best.t - t) / 60000);
      dv.push(Math.abs(best.v - e.speed_kn));
    }
  }
  return {
    stations: stations.length,
    events: total,
    time_min: [quantile(dt, 0.5), quantile(dt, 0.95)].map((x) => +x.toFixed(2)),
    speed_kn: [quantile(dv, 0.5), quantile(dv, 0.95)].map((x) => +x.toFixed(3)),
    unmatched_percent: +((100 * unmatched) / Math.max(1, total)).toFixed(2),
  };
}

const pick = (list, n) => list.filter((_, i) => i % Math.max(1, Math.floor(list.length / n)) === 0).slice(0, n);
const refs = pick(data.stations.filter((s) => s.constituents), Number(count));
const subs = pick(data.stations.filter((s) => s.reference), Math.floor(Number(count) / 2));
console.log(JSON.stringify({ from, days: Number(days), reference: compare(refs), subordinate: compare(subs) }, null, 1));
