// Reads the tide stations of @neaps/tide-database and writes the rows of Ondrel's port table as
// a deterministic JSON file.
//
//   node convert.mjs OUTPUT.json
//
// The JSON holds the 37 column values of every row (in the table's row order), the source
// package and version, the corrections and exclusions with their reasons, and counts for
// data/README.md. ondrel-make-table turns it into data/ports.dbf and data/ports.tags.

import { writeFileSync, readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { stations } from "@neaps/tide-database";
import { createTidePredictor } from "@neaps/tide-predictor";
import {
  CONSTITUENTS,
  constituentKey,
  referPhase,
  amplitudeMm,
  latitudeText,
  longitudeText,
  standardOffsetHours,
  regionOf,
  countryNumber,
  zoneCode,
  uniqueNames,
  correctionColumns,
  needsContext,
  fixed,
} from "./rules.mjs";

const output = process.argv[2];
if (!output) {
  console.error("usage: node convert.mjs OUTPUT.json");
  process.exit(2);
}

const require = createRequire(import.meta.url);
const dbPackage = JSON.parse(readFileSync(require.resolve("@neaps/tide-database/package.json"), "utf8"));

const corrected = []; // { id, name, what, reason }
const excluded = []; // { id, name, reason }

// ---------------------------------------------------------------------------------------------
// Source records that are plainly wrong and are corrected by hand, with the reason.
const MANUAL_CORRECTIONS = {
  "ticon/tubuai-113-fra-refmar": {
    apply: (s) => ({ ...s, longitude: -149.48, timezone: "Pacific/Tahiti" }),
    what: "longitude -23.342 -> -149.48, time zone Etc/GMT+2 -> Pacific/Tahiti",
    reason:
      "the longitude copies the latitude (Tubuai, Austral Islands, lies at 149 29 W); the time zone had been derived from the wrong longitude",
  },
};

// ---------------------------------------------------------------------------------------------
// Station selection: accepted tide stations (not current stations), in id order.
let tide = stations.filter((s) => s.kind === "tide").sort((a, b) => (a.id < b.id ? -1 : a.id > b.id ? 1 : 0));
tide = tide.map((s) => {
  const fix = MANUAL_CORRECTIONS[s.id];
  if (!fix) return s;
  corrected.push({ id: s.id, name: s.name, what: fix.what, reason: fix.reason });
  // Keep the lazily decoded fields.
  const fixedStation = fix.apply({
    ...s,
    harmonic_constituents: s.harmonic_constituents,
    datums: s.datums,
  });
  return fixedStation;
});

const references = tide.filter((s) => s.type === "reference");
const subordinates = tide.filter((s) => s.type === "subordinate");

// Constituents of a reference station by normalised name (the first of each name).
function constituentMap(station) {
  const map = new Map();
  for (const c of station.harmonic_constituents ?? []) {
    const key = constituentKey(c.name);
    if (!map.has(key)) map.set(key, c);
  }
  return map;
}

// Speed (degrees per hour) of a database constituent name among the ones used for the
// neighbour comparison.
const SPEED = Object.fromEntries(CONSTITUENTS.map((c) => [c.name, c.speed]));

// ---------------------------------------------------------------------------------------------
// Lowest astronomical tide of a station without a usable chart datum: the lowest low water of
// a full prediction (all its constituents, nodal corrections) over a nodal cycle, 2020-2038,
// relative to the prediction's mean level.
function lowestAstronomicalTide(station) {
  const predictor = createTidePredictor(station.harmonic_constituents);
  const start = Date.UTC(2020, 0, 1);
  const end = start + 18.61 * 365.25 * 86400e3;
  let lowest = Infinity;
  const step = 365 * 86400e3;
  for (let t = start; t < end; t += step) {
    const ex = predictor.getExtremesPrediction({ start: new Date(t), end: new Date(Math.min(end, t + step)) });
    for (const e of ex) if (e.low && e.level < lowest) lowest = e.level;
  }
  return lowest;
}

// Chart datums that are not a low-water level and so cannot be the zero of the table's heights.
const UNUSABLE_DATUMS = new Set(["MSL", "STND", "MTL", "DTL"]);

// Mean level above chart datum (metres) and a note on how it was found.
function meanLevel(station) {
  const d = station.datums ?? {};
  const cd = station.chart_datum;
  if (cd && !UNUSABLE_DATUMS.has(cd) && d[cd] !== undefined && d.MSL !== undefined) {
    return { z0: d.MSL - d[cd], how: `MSL - ${cd}` };
  }
  if (d.LAT !== undefined && d.MSL !== undefined) {
    return { z0: d.MSL - d.LAT, how: "MSL - LAT (no usable chart datum)" };
  }
  return { z0: -lowestAstronomicalTide(station), how: "computed LAT (no datums)" };
}

// ---------------------------------------------------------------------------------------------
// Standard ports: the stations with constituents.
const standard = new Map(); // id -> { station, cmap, z0, how, tz, hours, amps, phases, ... }
for (const s of references) {
  const cmap = constituentMap(s);
  if (cmap.size === 0) {
    excluded.push({ id: s.id, name: s.name, reason: "no harmonic constituents" });
    continue;
  }
  const { z0, how } = meanLevel(s);
  standard.set(s.id, { station: s, cmap, z0, how, tz: standardOffsetHours(s.timezone), hours: 0 });
}

// ---------------------------------------------------------------------------------------------
// Gauges whose phases disagree by whole hours with their neighbours. For two gauges with
// similar M2, S2, K1 and O1 amplitudes, the phase differences of these four constituents are
// turned into times; when all four give the same whole number of hours (not 0), the gauges
// disagree by that many hours, which tidal propagation cannot do for all four alike between
// close gauges. Two rules use it:
// - a data provider (the last part of a TICON id, or the agency) all of whose comparisons with
//   other providers' gauges within 10 km disagree, mostly by one number of hours, referred its
//   phases to another time than UT: all its gauges are moved back by that many hours;
// - a gauge that disagrees by the same number of hours with every gauge within 5 km, while
//   at least two of those agree with each other, is moved back by that many hours.
function distanceKm(a, b) {
  const r = Math.PI / 180;
  const dLat = (b.latitude - a.latitude) * r;
  const dLon = (b.longitude - a.longitude) * r;
  const h = Math.sin(dLat / 2) ** 2 + Math.cos(a.latitude * r) * Math.cos(b.latitude * r) * Math.sin(dLon / 2) ** 2;
  return 2 * 6371 * Math.asin(Math.sqrt(h));
}

function wrap180(deg) {
  let d = ((deg % 360) + 360) % 360;
  if (d > 180) d -= 360;
  return d;
}

// Whole hours by which a's phases lag b's once both are moved by their corrections (0 when they
// agree within half an hour, null when the gauges are not comparable or tell no consistent story).
function hourShift(a, b) {
  const times = [];
  for (const n of ["M2", "S2", "K1", "O1"]) {
    const ca = a.cmap.get(n);
    const cb = b.cmap.get(n);
    if (!ca || !cb || ca.amplitude < 0.02 || cb.amplitude < 0.02) return null;
    const ratio = ca.amplitude / cb.amplitude;
    if (ratio < 0.7 || ratio > 1 / 0.7) return null;
    times.push(wrap180(ca.phase - b.cmap.get(n).phase - SPEED[n] * (a.hours - b.hours)) / SPEED[n]);
  }
  if (times.every((t) => Math.abs(t) < 0.5)) return 0;
  const n = Math.round(times[0]);
  if (n !== 0 && times.every((t) => Math.abs(t - n) < 0.25)) return n;
  return null;
}

const provider = (s) => (s.id.startsWith("ticon/") ? `TICON ${s.id.split("-").pop()}` : s.id.split("/")[0]);
const standardList = [...standard.values()];
const neighbours = new Map(
  standardList.map((a) => [
    a,
    standardList.filter((b) => b !== a && distanceKm(a.station, b.station) < 10).map((b) => ({ b, km: distanceKm(a.station, b.station) })),
  ]),
);
{
  const byProvider = new Map();
  for (const a of standardList) {
    const p = provider(a.station);
    for (const { b } of neighbours.get(a)) {
      if (provider(b.station) === p) continue;
      const n = hourShift(a, b);
      if (n === null) continue;
      const tally = byProvider.get(p) ?? new Map();
      tally.set(n, (tally.get(n) ?? 0) + 1);
      byProvider.set(p, tally);
    }
  }
  for (const [p, tally] of [...byProvider].sort()) {
    const total = [...tally.values()].reduce((x, y) => x + y, 0);
    if (total < 3 || tally.has(0)) continue;
    const [hours, most] = [...tally].sort((x, y) => y[1] - x[1])[0];
    if (most * 2 <= total) continue;
    const members = standardList.filter((a) => provider(a.station) === p);
    for (const a of members) {
      a.hours = hours;
      corrected.push({
        id: a.station.id,
        name: a.station.name,
        what: `phases moved by ${-hours} h`,
        reason: `provider ${p}: its gauges' phases lag other providers' gauges within 10 km by whole hours in every comparison (${hours} h in ${most} of ${total}), as if referred to UT${hours < 0 ? "" : "+"}${hours}`,
      });
    }
  }
}
for (const a of standardList) {
  const close = neighbours.get(a).filter((v) => v.km < 5).map((v) => v.b);
  const verdicts = close.map((b) => hourShift(a, b)).filter((n) => n !== null);
  if (verdicts.length < 2 || verdicts.some((n) => n === 0)) continue;
  const hours = verdicts[0];
  if (verdicts.some((n) => n !== hours)) continue;
  const others = close.filter((b) => hourShift(a, b) !== null);
  const othersAgree = others.some((b, i) => others.some((c, j) => i !== j && hourShift(b, c) === 0));
  if (!othersAgree) continue;
  a.pendingHours = hours;
  corrected.push({
    id: a.station.id,
    name: a.station.name,
    what: `phases moved by ${-hours} h`,
    reason: `its phases lag those of its ${verdicts.length} neighbours within 5 km by ${hours} h in M2, S2, K1 and O1 alike, while those neighbours agree with each other`,
  });
}
for (const a of standardList) if (a.pendingHours) a.hours += a.pendingHours;

// Stored constituents: amplitudes in mm, phases referred to the port's zone, after the hour
// correction of the gauge.
for (const e of standard.values()) {
  e.amps = [];
  e.phases = [];
  for (const c of CONSTITUENTS) {
    const src = e.cmap.get(c.name);
    const amp = src && Number.isFinite(src.amplitude) && Number.isFinite(src.phase) ? amplitudeMm(src.amplitude) : 0;
    e.amps.push(amp);
    e.phases.push(amp === 0 ? 0 : referPhase(src.phase - c.speed * e.hours, c.speed, e.tz));
  }
  if (!e.cmap.has("SA") && e.cmap.has("SA_KV")) {
    corrected.push({
      id: e.station.id,
      name: e.station.name,
      what: "annual constituent SA_KV not used (Sa = 0)",
      reason: "the annual term is stored under the non-standard name SA_KV with another phase convention",
    });
  }
}

// ---------------------------------------------------------------------------------------------
// Plausibility of the datum: the mean level must lie above chart datum by at least half of the
// sum of the main amplitudes and not absurdly far above it.
for (const [id, e] of [...standard]) {
  const sum = (e.amps[3] + e.amps[2] + e.amps[5] + e.amps[6] + e.amps[4]) / 1000;
  if (!(e.z0 > 0.5 * sum - 0.05) || e.z0 > 3 * sum + 2) {
    const d = e.station.datums ?? {};
    if (d.LAT !== undefined && d.MSL !== undefined && d.MSL - d.LAT > 0.5 * sum && d.MSL - d.LAT < 3 * sum + 2) {
      corrected.push({
        id,
        name: e.station.name,
        what: `mean level ${e.z0.toFixed(2)} m (${e.how}) -> ${(d.MSL - d.LAT).toFixed(2)} m (MSL - LAT)`,
        reason: `the chart datum level gives a mean level that does not fit the tidal range (sum of main amplitudes ${sum.toFixed(2)} m)`,
      });
      e.z0 = d.MSL - d.LAT;
      e.how = "MSL - LAT (chart datum implausible)";
    } else {
      excluded.push({
        id,
        name: e.station.name,
        reason: `mean level ${e.z0.toFixed(2)} m above chart datum does not fit the tidal range (sum of main amplitudes ${sum.toFixed(2)} m) and no usable LAT`,
      });
      standard.delete(id);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Secondary ports.
const secondary = new Map();
for (const s of subordinates) {
  const ref = standard.get(s.offsets?.reference);
  if (!ref) {
    excluded.push({ id: s.id, name: s.name, reason: `its reference station ${s.offsets?.reference} is not in the table` });
    continue;
  }
  const o = s.offsets;
  const h = o.height;
  const values = [h.high, h.low, o.time.high, o.time.low];
  if (!values.every(Number.isFinite)) {
    excluded.push({ id: s.id, name: s.name, reason: "incomplete offsets" });
    continue;
  }
  if (h.type === "ratio" && (h.high <= 0 || h.low <= 0 || h.high > 5 || h.low > 5)) {
    excluded.push({ id: s.id, name: s.name, reason: `height ratio ${h.high}/${h.low} outside 0..5` });
    continue;
  }
  if (h.type === "fixed" && (Math.abs(h.high) >= 10 || Math.abs(h.low) >= 10)) {
    excluded.push({ id: s.id, name: s.name, reason: `height offset ${h.high}/${h.low} m of 10 m or more` });
    continue;
  }
  if (Math.abs(o.time.high) > 12 * 60 || Math.abs(o.time.low) > 12 * 60) {
    excluded.push({ id: s.id, name: s.name, reason: `time offset ${o.time.high}/${o.time.low} min beyond 12 h` });
    continue;
  }
  secondary.set(s.id, { station: s, ref });
}

// ---------------------------------------------------------------------------------------------
// Names: reference stations before subordinate ones, higher quality score first, then id.
const named = [...standard.values(), ...secondary.values()].map((e) => e.station);
const priority = (s) => [s.type === "reference" ? 0 : 1, -(s.quality?.score ?? 0), s.id];
named.sort((a, b) => {
  const pa = priority(a);
  const pb = priority(b);
  for (let i = 0; i < pa.length; i++) if (pa[i] !== pb[i]) return pa[i] < pb[i] ? -1 : 1;
  return 0;
});
const names = uniqueNames(named);

// ---------------------------------------------------------------------------------------------
// Rows.
const rows = [];
function positionColumns(s) {
  return [latitudeText(s.latitude), longitudeText(s.longitude)];
}
for (const e of standard.values()) {
  const s = e.station;
  const region = regionOf(s.latitude, s.longitude);
  const country = countryNumber(s.country_code);
  e.zone = zoneCode(region, country);
  e.name = names.get(s.id);
  e.z0cm = Math.round(e.z0 * 100);
  rows.push({
    id: s.id,
    kind: "standard",
    cols: [0, e.name, e.z0cm, ...e.amps, ...e.phases, ...positionColumns(s), e.tz, 0, e.zone, "", 0, 0, 0, 0, 0, 0, 0, 0],
    // For harmonics.bin: every constituent of the station (the first of each name, as the source
    // writes it), the gauge's hour correction (its phases are moved by -speed x hours), the exact
    // mean level above chart datum (metres) and the IANA time zone.
    harmonics: {
      timezone: s.timezone,
      datum_offset: e.z0,
      hours: e.hours,
      constituents: [...e.cmap.values()]
        .filter((c) => Number.isFinite(c.amplitude) && Number.isFinite(c.phase))
        .map((c) => [c.name, c.amplitude, c.phase]),
    },
  });
}
for (const e of secondary.values()) {
  const s = e.station;
  const r = e.ref;
  const corr = correctionColumns(s.offsets).map((v) => fixed(v, 4));
  rows.push({
    id: s.id,
    kind: "secondary",
    cols: [0, names.get(s.id), r.z0cm, ...r.amps, ...r.phases, ...positionColumns(s), r.tz, 0, r.zone, r.name, ...corr],
    harmonics: { timezone: s.timezone },
  });
}
// Row order: by name (byte order of the ASCII names), numbered from 1.
rows.sort((a, b) => (a.cols[1] < b.cols[1] ? -1 : a.cols[1] > b.cols[1] ? 1 : 0));
rows.forEach((r, i) => (r.cols[0] = i + 1));

// ---------------------------------------------------------------------------------------------
// Counts and attributions for data/README.md.
const stationOf = new Map([...standard.values(), ...secondary.values()].map((e) => [e.station.id, e.station]));
const count = (f) => {
  const m = {};
  for (const r of rows) {
    const k = f(r, stationOf.get(r.id));
    m[k] = (m[k] ?? 0) + 1;
  }
  return Object.fromEntries(Object.entries(m).sort((a, b) => b[1] - a[1] || (a[0] < b[0] ? -1 : 1)));
};
const licences = {};
for (const r of rows) {
  const s = stationOf.get(r.id);
  const key = `${s.source.name} | ${s.license.type}`;
  const l = (licences[key] ??= {
    source: s.source.name,
    licence: s.license.type,
    licence_url: s.license.url,
    commercial_use: s.license.commercial_use,
    attribution: new Set(),
    rows: 0,
  });
  l.attribution.add(s.attribution);
  l.rows++;
}
const datumHow = {};
for (const e of standard.values()) datumHow[e.how] = (datumHow[e.how] ?? 0) + 1;

const result = {
  source: { package: dbPackage.name, version: dbPackage.version, license: dbPackage.license, homepage: dbPackage.homepage },
  columns: [
    "NUM", "NOM", "Z0",
    ...CONSTITUENTS.map((c) => `A_${c.name}`), ...CONSTITUENTS.map((c) => `G_${c.name}`),
    "LATITUDE", "LONGITUDE", "FUSEAU", "RESERVE", "ZONE", "PORT_REF",
    "HPMVE", "HPMME", "HBMVE", "HBMME", "TPMVE", "TPMME", "TBMVE", "TBMME",
  ],
  counts: {
    rows: rows.length,
    standard: rows.filter((r) => r.kind === "standard").length,
    secondary: rows.filter((r) => r.kind === "secondary").length,
    by_source: count((r, s) => `${s.source.name} (${r.kind})`),
    by_country: count((r, s) => s.country_code),
    by_region: count((r) => Math.floor(r.cols[27] / 1000)),
    by_country_number: count((r) => r.cols[27] % 1000),
    mean_level_from: datumHow,
    relative_names_with_place: named.filter((s) => needsContext(s.name)).length,
  },
  licences: Object.values(licences)
    .map((l) => ({ ...l, attribution: [...l.attribution].sort() }))
    .sort((a, b) => b.rows - a.rows),
  corrected,
  excluded,
  rows: rows.map((r) => ({ id: r.id, cols: r.cols, harmonics: r.harmonics })),
};
writeFileSync(output, JSON.stringify(result, null, 1) + "\n");
console.log(
  `${rows.length} rows (${result.counts.standard} standard, ${result.counts.secondary} secondary), ` +
    `${corrected.length} corrections, ${excluded.length} exclusions -> ${output}`,
);
