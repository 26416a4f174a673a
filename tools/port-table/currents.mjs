// Writes the current stations (tidal streams) of the pinned tide database, for Ondrel's currents:
//   node currents.mjs OUT.json
// Reference stations keep their harmonic constants of the speed along the flood axis (knots,
// flood positive) and their mean flow; subordinate stations their reference and the offsets that
// derive them from it. Stations without usable data are left out and listed with the reason. The
// same package always gives the same bytes.
import { writeFileSync } from "node:fs";
import { stations } from "@neaps/tide-database";
import { constituentKey } from "./rules.mjs";

const output = process.argv[2];
if (!output) {
  console.error("usage: node currents.mjs OUT.json");
  process.exit(2);
}

const round = (v, digits) => Number(Number(v).toFixed(digits));
const byId = new Map(stations.map((s) => [s.id, s]));
const usable = (s) => (s.harmonic_constituents ?? []).some((c) => c.amplitude > 0);

const kept = [];
const excluded = [];
for (const s of stations.filter((x) => x.kind === "current")) {
  const c = s.current ?? {};
  const base = {
    id: s.id,
    name: s.name,
    latitude: round(s.latitude, 5),
    longitude: round(s.longitude, 5),
    timezone: s.timezone,
    flood_direction: c.flood_direction ?? null,
    ebb_direction: c.ebb_direction ?? null,
  };
  if (usable(s)) {
    const seen = new Set();
    const constituents = [];
    for (const h of s.harmonic_constituents) {
      const key = constituentKey(h.name);
      if (seen.has(key) || !(h.amplitude > 0)) continue;
      seen.add(key);
      constituents.push([key, round(h.amplitude, 4), round(h.phase, 2)]);
    }
    kept.push({ ...base, mean_flow: round(c.mean_flow ?? 0, 3), constituents });
    continue;
  }
  const o = c.offsets;
  const reference = o ? byId.get(o.reference) : undefined;
  if (!o) {
    excluded.push({ id: s.id, name: s.name, reason: "no harmonic constants nor offsets" });
  } else if (!reference || reference.kind !== "current") {
    excluded.push({ id: s.id, name: s.name, reason: `reference ${o.reference} is no current station` });
  } else if (!usable(reference)) {
    excluded.push({ id: s.id, name: s.name, reason: `reference ${o.reference} has no data` });
  } else {
    kept.push({
      ...base,
      reference: o.reference,
      // minutes: slack before flood, slack before ebb, maximum flood, maximum ebb; then the
      // flood and ebb speed ratios
      offsets: [
        o.slack_before_flood ?? 0,
        o.slack_before_ebb ?? 0,
        o.flood_time ?? 0,
        o.ebb_time ?? 0,
        round(o.flood_speed_ratio ?? 1, 3),
        round(o.ebb_speed_ratio ?? 1, 3),
      ],
    });
  }
}
const key = (s) => `${s.name}\u0000${s.id}`;
kept.sort((a, b) => (key(a) < key(b) ? -1 : key(a) > key(b) ? 1 : 0));
excluded.sort((a, b) => (a.id < b.id ? -1 : 1));
const result = {
  source: "@neaps/tide-database 0.10.20260924 (kind: current)",
  stations: kept,
  excluded,
};
writeFileSync(output, JSON.stringify(result) + "\n");
console.error(
  `${kept.length} current stations (${kept.filter((s) => s.constituents).length} reference, ` +
    `${kept.filter((s) => s.reference).length} subordinate), ${excluded.length} left out`,
);
