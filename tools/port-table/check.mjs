// Accuracy check of the port table against @neaps/tide-predictor.
//
//   node check.mjs PORTS.json TABLE.dbf PORT_CHECK_TOOL ONDREL_CLI [--reference OUT.json]
//
// PORTS.json is convert.mjs's output (it ties each row to its station id), TABLE.dbf the table
// written from it, PORT_CHECK_TOOL the ondrel-port-check program (water heights of our engine
// from the ten stored constituents of rows of the table) and ONDREL_CLI the program's
// command-line companion, whose "day" command gives our high and low waters.
//
// 1. Convention check: at stations of different kinds and zones, the water height over 30 days
//    from the ten stored constituents alone, by @neaps/tide-predictor (from the source's
//    constants, Greenwich phases, instants in UT) and by our engine (the derived constituents
//    set to 0, instants in the port's standard time). @neaps/tide-predictor always applies its
//    nodal corrections (f, u), so the two differ by the nodal modulation (a few per cent of each
//    amplitude, up to about 2 degrees of phase for M2). The same comparison with the diurnal
//    phases turned by 180 degrees (the Schureman convention for K1, O1 and Q1) shows that the
//    phases are to be used as they stand.
// 2. Accuracy: for a sample of standard and secondary ports over a month of UT days, the high
//    and low waters of `ondrel-cli day PORT --json --ref 100` (full record, secondary
//    corrections, instants in UT) against @neaps/tide-predictor's full prediction (all the
//    source's constituents, nodal corrections, and the secondary offsets), matched by time.
// 3. Both models: the same comparison for `--model table` and `--model full` (harmonics.bin,
//    found beside TABLE.dbf), the predictor's heights put on chart datum by the exact mean level
//    the companion holds (the table's Z0 is rounded to the centimetre).
//
// With --reference, writes a small file of @neaps/tide-predictor's extremes for a few ports,
// used by the data tests to check the shipped table.

import { readFileSync, writeFileSync } from "node:fs";
import { execFile, spawnSync } from "node:child_process";
import { availableParallelism } from "node:os";
import { stationsById } from "@neaps/tide-database";
import { createTidePredictor } from "@neaps/tide-predictor";
import { CONSTITUENTS, constituentKey } from "./rules.mjs";

const [portsPath, dbfPath, toolPath, cliPath] = process.argv.slice(2);
if (!portsPath || !dbfPath || !toolPath || !cliPath || cliPath.startsWith("--")) {
  console.error("usage: node check.mjs PORTS.json TABLE.dbf PORT_CHECK_TOOL ONDREL_CLI [--reference OUT.json]");
  process.exit(2);
}
const refIndex = process.argv.indexOf("--reference");
const referenceOut = refIndex > 0 ? process.argv[refIndex + 1] : null;

const ports = JSON.parse(readFileSync(portsPath, "utf8"));
const rowById = new Map(ports.rows.map((r) => [r.id, r.cols]));
const hourCorrected = new Set(ports.corrected.filter((c) => /phases moved/.test(c.what)).map((c) => c.id));

const MS_PER_DAY = 86400e3;
const jdOf = (ms) => ms / MS_PER_DAY + 2440587.5;
const msOf = (jd) => (jd - 2440587.5) * MS_PER_DAY;

function runEngine(request) {
  const out = spawnSync(toolPath, [dbfPath], { input: JSON.stringify(request), maxBuffer: 1 << 28 });
  if (out.status !== 0) throw new Error(`ondrel-port-check failed: ${out.stderr}`);
  const answer = JSON.parse(out.stdout.toString());
  if (answer.loadMessages !== 0) throw new Error(`${answer.loadMessages} rows loaded with a message`);
  return answer;
}

// `ondrel-cli day NAME --json --ref 100` for one UT day (YYYY-MM-DD): its events in UT.
function cliDay(name, date, model) {
  const args = ["day", name, "--json", "--table", dbfPath, "--date", date, "--ref", "100"];
  if (model) args.push("--model", model);
  return new Promise((resolve, reject) => {
    execFile(cliPath, args, { maxBuffer: 1 << 20 }, (error, stdout, stderr) => {
      if (error) return reject(new Error(`ondrel-cli ${args.join(" ")} failed: ${stderr || error.message}`));
      // The port loader reports a doubtful row on stderr.
      if (stderr.length > 0) return reject(new Error(`ondrel-cli ${args.join(" ")}: ${stderr}`));
      const answer = JSON.parse(stdout);
      if (answer.port !== name) return reject(new Error(`ondrel-cli gave ${answer.port} for ${name}`));
      if (model && answer.model !== model) return reject(new Error(`ondrel-cli used the ${answer.model} model for ${name}`));
      resolve(answer.events);
    });
  });
}

// Runs the jobs (functions returning promises) a few at a time; the results in the jobs' order.
async function inParallel(jobs, width) {
  const results = new Array(jobs.length);
  let next = 0;
  const worker = async () => {
    while (next < jobs.length) {
      const i = next++;
      results[i] = await jobs[i]();
    }
  };
  await Promise.all(Array.from({ length: Math.min(width, jobs.length) }, worker));
  return results;
}

const quantile = (values, q) => {
  if (values.length === 0) return NaN;
  const s = [...values].sort((a, b) => a - b);
  const i = Math.min(s.length - 1, Math.max(0, Math.ceil(q * s.length) - 1));
  return s[i];
};
const rms = (v) => Math.sqrt(v.reduce((a, x) => a + x * x, 0) / v.length);
const f1 = (x) => (Number.isFinite(x) ? x.toFixed(1) : "-");

// Local extremes of a regularly sampled series, refined by a parabola through three samples.
function extremesOf(times, levels) {
  const out = [];
  for (let i = 1; i < levels.length - 1; i++) {
    const [a, b, c] = [levels[i - 1], levels[i], levels[i + 1]];
    const high = b > a && b >= c;
    const low = b < a && b <= c;
    if (!high && !low) continue;
    const denom = a - 2 * b + c;
    const x = denom === 0 ? 0 : (0.5 * (a - c)) / denom;
    out.push({ time: times[i] + x * (times[i + 1] - times[i]), level: b - 0.25 * (a - c) * x, high });
  }
  return out;
}

// Matches each event of `a` with the nearest event of the same kind of `b` within 3 hours.
function matchEvents(a, b) {
  const used = new Set();
  const pairs = [];
  for (const e of a) {
    let best = -1;
    let bestDt = 3 * 3600e3;
    b.forEach((f, j) => {
      if (f.high !== e.high || used.has(j)) return;
      const dt = Math.abs(f.time - e.time);
      if (dt <= bestDt) {
        bestDt = dt;
        best = j;
      }
    });
    if (best >= 0) {
      used.add(best);
      pairs.push({ dtMin: (b[best].time - e.time) / 60e3, dhCm: (b[best].level - e.level) * 100 });
    }
  }
  return { pairs, unmatched: a.length - pairs.length + (b.length - used.size) };
}

// The source's ten constituents; with turnDiurnal, K1, O1 and Q1 turned by 180 degrees (what a
// conversion would store if the database used the Schureman convention for them).
function sourceTen(station, turnDiurnal) {
  const byName = new Map();
  for (const c of station.harmonic_constituents) {
    const k = constituentKey(c.name);
    if (!byName.has(k)) byName.set(k, c);
  }
  const ten = [];
  for (const c of CONSTITUENTS) {
    const src = byName.get(c.name);
    if (!src) continue;
    const phase = turnDiurnal && ["K1", "O1", "Q1"].includes(c.name) ? src.phase + 180 : src.phase;
    ten.push({ name: c.name, amplitude: src.amplitude, phase });
  }
  return ten;
}

const START = Date.UTC(2026, 2, 1); // 1 March 2026
const DAYS = 30;
const dateText = (ms) => new Date(ms).toISOString().slice(0, 10);

// ---------------------------------------------------------------------------------------------
// 1. Convention check with the ten stored constituents.
const CONVENTION_STATIONS = [
  ["ticon/brest-822-fra-uhslc_fd", "semidiurnal, UT+1"],
  ["noaa/8729840", "diurnal (Gulf of Mexico), UT-6"],
  ["noaa/8771450", "mixed, mainly diurnal, UT-6"],
  ["noaa/9447130", "mixed, UT-8"],
  ["noaa/1612340", "mixed, UT-10"],
  ["ticon/fremantle-175-aus-uhslc_fd", "diurnal, UT+8"],
  ["ticon/tokyo-ma15-jpn-jodc_jma", "mixed, UT+9"],
  ["ticon/st_johns-276-can-uhslc_fd", "semidiurnal, UT-3.5"],
  ["ticon/southampton-sou-gbr-da_idh", "shallow water, UT+0"],
];

function conventionCheck() {
  const step = 6 * 60e3;
  const times = [];
  for (let t = START; t < START + DAYS * MS_PER_DAY; t += step) times.push(t);
  const request = { ports: [] };
  const cases = [];
  for (const [id, kind] of CONVENTION_STATIONS) {
    const cols = rowById.get(id);
    if (!cols) throw new Error(`${id} is not in the table`);
    const tz = cols[25];
    cases.push({ id, kind, name: cols[1], tz, z0: cols[2] / 100 });
    request.ports.push({ name: cols[1], times: times.map((t) => jdOf(t) + tz / 24) });
  }
  const answer = runEngine(request);
  const lines = [];
  cases.forEach((c, i) => {
    const station = stationsById.get(c.id);
    const ours = answer.ports[i].heights;
    if (!ours) throw new Error(`${c.name} is not in ${dbfPath}`);
    const result = { ...c };
    for (const turned of [false, true]) {
      const predictor = createTidePredictor(sourceTen(station, turned), { offset: c.z0 });
      const timeline = predictor.getTimelinePrediction({
        start: new Date(times[0]),
        end: new Date(times[times.length - 1]),
        timeFidelity: step / 1000,
      });
      if (timeline.length !== times.length || timeline[0].time.getTime() !== times[0])
        throw new Error("unexpected timeline from @neaps/tide-predictor");
      const theirs = timeline.map((p) => p.level);
      const diff = theirs.map((h, k) => (ours[k] - h) * 100);
      const m = matchEvents(extremesOf(times, theirs), extremesOf(times, ours));
      result[turned ? "turned" : "plain"] = {
        rms: rms(diff),
        max: Math.max(...diff.map(Math.abs)),
        dtMedian: quantile(m.pairs.map((p) => Math.abs(p.dtMin)), 0.5),
        dtMax: Math.max(...m.pairs.map((p) => Math.abs(p.dtMin))),
        unmatched: m.unmatched,
      };
    }
    lines.push(result);
  });
  return lines;
}

// ---------------------------------------------------------------------------------------------
// 2. High and low waters over a month.
const SAMPLE_STANDARD = [
  // French Atlantic and Channel
  "ticon/brest-822-fra-uhslc_fd", "ticon/saint_malo-410-fra-refmar", "ticon/le_havre-4-fra-refmar",
  "ticon/cherbourg-13-fra-refmar", "ticon/la_rochelle_la_pallice-34-fra-refmar", "ticon/saint_nazaire-37-fra-refmar",
  // United Kingdom and Ireland
  "ticon/dover-dov-gbr-bodc", "ticon/newlyn-new-gbr-bodc", "ticon/liverpool_gladstone_dock-liv-gbr-bodc",
  "ticon/aberdeen-abe-gbr-bodc", "ticon/avonmouth-avo-gbr-bodc",
  // Iberia
  "ticon/cascais-209-prt-uhslc_fd", "ticon/santander-sant-esp-ieo", "ticon/cadiz-cadi-esp-ieo", "ticon/vigo-vigo-esp-ieo",
  // North Sea
  "ticon/denheldertg-den-nld-cmems", "ticon/hoekvanhollandtg-hoe-nld-cmems", "ticon/cuxhaven-825-deu-uhslc_fd",
  "ticon/esbjerg-esb-dnk-dmi",
  // US east coast
  "noaa/8443970", "noaa/8518750", "noaa/8665530", "noaa/8724580",
  // US west coast
  "noaa/9414290", "noaa/9447130", "noaa/9410170", "noaa/9410660",
  // Gulf of Mexico (diurnal)
  "noaa/8729840", "noaa/8771450", "noaa/8761724",
  // Alaska
  "noaa/9455920", "noaa/9452210", "noaa/9457292", "noaa/9451600",
  // Hawaii
  "noaa/1612340", "noaa/1617760",
  // Japan
  "ticon/tokyo-ma15-jpn-jodc_jma", "ticon/osaka-ma30-jpn-jodc_jma", "ticon/nagasaki-362-jpn-uhslc_fd",
  // Australia and New Zealand
  "ticon/fort_denison-333-aus-uhslc_fd", "ticon/fremantle-175-aus-uhslc_fd", "ticon/darwin-168-aus-uhslc_fd",
  "ticon/brisbane-331-aus-uhslc_fd", "ticon/auckland-070a-nzl-uhslc_rq",
  // Shallow water
  "ticon/southampton-sou-gbr-da_idh",
  // Other zones
  "ticon/st_johns-276-can-uhslc_fd", "ticon/reykjavik-reyk-isl-icg",
];

// Secondary ports: the first subordinate station (in id order) of each of these regions.
const SECONDARY_REGIONS = ["US-ME", "US-MA", "US-NY", "US-NJ", "US-VA", "US-NC", "US-SC", "US-GA", "US-FL", "US-AL",
  "US-LA", "US-TX", "US-CA", "US-OR", "US-WA", "US-AK", "US-HI", "PR"];

function sampleSecondary() {
  const picked = [];
  const ids = [...rowById.keys()].sort();
  for (const region of SECONDARY_REGIONS) {
    for (const id of ids) {
      const s = stationsById.get(id);
      if (s.type !== "subordinate") continue;
      if ((s.region_code ?? s.country_code) !== region) continue;
      // Skip the ones with time offsets so large that the matching window cannot pair events.
      picked.push(id);
      break;
    }
  }
  return picked;
}

// The exact mean level above chart datum (metres) of a row's standard port.
const exactZ0 = new Map(ports.rows.filter((r) => r.harmonics?.datum_offset !== undefined).map((r) => [r.cols[1], r.harmonics.datum_offset]));

async function accuracy(ids, model) {
  const cases = ids.map((id) => {
    const cols = rowById.get(id);
    if (!cols) throw new Error(`${id} is not in the table`);
    const z0 = model ? exactZ0.get(cols[28] || cols[1]) : cols[2] / 100;
    return { id, name: cols[1], tz: cols[25], z0 };
  });
  // One ondrel-cli call per port and day: our events of the UT days 1-30 March.
  const jobs = cases.flatMap((c) =>
    Array.from({ length: DAYS }, (_, d) => () => cliDay(c.name, dateText(START + d * MS_PER_DAY), model)),
  );
  const days = await inParallel(jobs, Math.max(2, availableParallelism()));
  const from = START;
  const to = from + DAYS * MS_PER_DAY;
  return cases.map((c, i) => {
    const station = stationsById.get(c.id);
    const ours = days
      .slice(i * DAYS, (i + 1) * DAYS)
      .flat()
      .map((e) => ({ time: msOf(Math.abs(e.time)), level: e.height, high: e.time >= 0 }));
    const theirs = predictedExtremes(station, c.z0, from, to);
    const m = matchEvents(theirs, ours);
    return { ...c, secondary: station.type === "subordinate", ours, theirs, ...m };
  });
}

// @neaps/tide-predictor's high and low waters from `from` to `to` (ms, UT) with all the source's
// constituents; for a subordinate station, the reference's constants with its offsets.
function predictedExtremes(station, z0, from, to) {
  const reference = station.type === "subordinate" ? stationsById.get(station.offsets.reference) : station;
  const predictor = createTidePredictor(reference.harmonic_constituents, { offset: z0 });
  return predictor
    .getExtremesPrediction({ start: new Date(from - MS_PER_DAY), end: new Date(to + MS_PER_DAY), offsets: station.offsets })
    .map((e) => ({ time: e.time.getTime(), level: e.level, high: e.high }))
    .filter((e) => e.time >= from && e.time < to);
}

function summary(results) {
  const pairs = results.flatMap((r) => r.pairs);
  const total = results.reduce((a, r) => a + r.theirs.length + r.ours.length, 0);
  const unmatched = results.reduce((a, r) => a + r.unmatched, 0);
  const dt = pairs.map((p) => Math.abs(p.dtMin));
  const dh = pairs.map((p) => Math.abs(p.dhCm));
  return {
    ports: results.length,
    events: pairs.length,
    dtMedian: quantile(dt, 0.5),
    dt95: quantile(dt, 0.95),
    dhMedian: quantile(dh, 0.5),
    dh95: quantile(dh, 0.95),
    unmatchedShare: (100 * unmatched) / total,
  };
}

// ---------------------------------------------------------------------------------------------
const convention = conventionCheck();
console.log("## Ten stored constituents: our engine against @neaps/tide-predictor (1-30 March 2026, every 6 min)\n");
console.log("| port | kind, zone | RMS cm | max cm | HW/LW time median / max min | diurnal phases turned by 180 deg: RMS cm |");
console.log("|---|---|---|---|---|---|");
for (const r of convention) {
  console.log(
    `| ${r.name} | ${r.kind} | ${f1(r.plain.rms)} | ${f1(r.plain.max)} | ${f1(r.plain.dtMedian)} / ${f1(r.plain.dtMax)} | ${f1(r.turned.rms)} |`,
  );
}

const sample = [...SAMPLE_STANDARD.filter((id) => !hourCorrected.has(id)), ...sampleSecondary()];
const results = await accuracy(sample);
const std = results.filter((r) => !r.secondary);
const sec = results.filter((r) => r.secondary);
console.log("\n## High and low waters, 1-30 March 2026 (UT days): ondrel-cli day --ref 100 against @neaps/tide-predictor (full prediction)\n");
console.log("| ports | matched events | time median / 95 % (min) | height median / 95 % (cm) | unmatched |");
console.log("|---|---|---|---|---|");
for (const [label, set] of [["standard", std], ["secondary", sec]]) {
  const s = summary(set);
  console.log(
    `| ${s.ports} ${label} | ${s.events} | ${f1(s.dtMedian)} / ${f1(s.dt95)} | ${f1(s.dhMedian)} / ${f1(s.dh95)} | ${f1(s.unmatchedShare)} % |`,
  );
}
console.log("\n### Per port\n");
console.log("| port | kind | time median (min) | height median (cm) | unmatched |");
console.log("|---|---|---|---|---|");
for (const r of results) {
  const s = summary([r]);
  console.log(`| ${r.name} | ${r.secondary ? "secondary" : "standard"} | ${f1(s.dtMedian)} | ${f1(s.dhMedian)} | ${r.unmatched} |`);
}

console.log("\n## Both models against @neaps/tide-predictor, 1-30 March 2026 (UT days): ondrel-cli day --ref 100 --model table|full\n");
console.log("| model | ports | matched events | time median / 95 % (min) | height median / 95 % (cm) | unmatched |");
console.log("|---|---|---|---|---|---|");
const byModel = {};
for (const model of ["table", "full"]) {
  byModel[model] = await accuracy(sample, model);
  for (const [label, secondary] of [["standard", false], ["secondary", true]]) {
    const s = summary(byModel[model].filter((r) => r.secondary === secondary));
    console.log(
      `| ${model} | ${s.ports} ${label} | ${s.events} | ${f1(s.dtMedian)} / ${f1(s.dt95)} | ${f1(s.dhMedian)} / ${f1(s.dh95)} | ${f1(s.unmatchedShare)} % |`,
    );
  }
}
console.log("\n### Per port, full model\n");
console.log("| port | kind | time median / max (min) | height median / max (cm) | unmatched |");
console.log("|---|---|---|---|---|");
for (const r of byModel.full) {
  const s = summary([r]);
  const dtMax = Math.max(...r.pairs.map((p) => Math.abs(p.dtMin)));
  const dhMax = Math.max(...r.pairs.map((p) => Math.abs(p.dhCm)));
  console.log(`| ${r.name} | ${r.secondary ? "secondary" : "standard"} | ${f1(s.dtMedian)} / ${f1(dtMax)} | ${f1(s.dhMedian)} / ${f1(dhMax)} | ${r.unmatched} |`);
}

if (referenceOut) {
  // A few ports of different kinds for the data tests: the predictor's extremes in UT (ms) over
  // the 30 days 1-30 March in the port's standard time, as the tests take them.
  const names = ["BREST", "SEATTLE", "GALVESTON", "HONOLULU", "FREMANTLE", "TOKYO"];
  const ref = {
    comment:
      "High and low waters by @neaps/tide-predictor (full prediction, nodal corrections) for 1-30 March 2026, written by tools/port-table/check.mjs; times in ms since 1970 UT, levels in metres above chart datum",
    ports: results
      .filter((r) => names.includes(r.name))
      .map((r) => {
        const from = msOf(jdOf(START) - r.tz / 24);
        const extremes = predictedExtremes(stationsById.get(r.id), r.z0, from, from + DAYS * MS_PER_DAY);
        return {
          name: r.name,
          timeZone: r.tz,
          firstDayJd: jdOf(START),
          days: DAYS,
          extremes: extremes.map((e) => [Math.round(e.time), Math.round(e.level * 1000) / 1000, e.high ? 1 : 0]),
        };
      }),
  };
  writeFileSync(referenceOut, JSON.stringify(ref) + "\n");
  console.log(`\nreference extremes -> ${referenceOut}`);
}
