// Tests of the conversion rules (node --test rules.test.mjs). They need no npm package.
import { test } from "node:test";
import assert from "node:assert/strict";
import {
  CONSTITUENTS,
  referPhase,
  amplitudeMm,
  latitudeText,
  longitudeText,
  standardOffsetHours,
  regionOf,
  countryNumber,
  zoneCode,
  baseName,
  needsContext,
  uniqueNames,
  correctionColumns,
  COUNTRY_NUMBERS,
  TERRITORY_STATES,
} from "./rules.mjs";

test("position texts: fixed widths, hemisphere letters, minutes rounded with carry", () => {
  assert.equal(latitudeText(48.383), "48 23 N");
  assert.equal(longitudeText(-4.5), "004 30 W");
  assert.equal(latitudeText(-12.5), "12 30 S");
  assert.equal(longitudeText(151.2333), "151 14 E");
  // 59.6 minutes round to 60 and carry into the degrees.
  assert.equal(latitudeText(47.9934), "48 00 N");
  assert.equal(longitudeText(-122.9999), "123 00 W");
  assert.equal(latitudeText(0), "00 00 N");
  assert.equal(longitudeText(0), "000 00 E");
  assert.equal(longitudeText(-179.99999), "180 00 W");
  assert.equal(latitudeText(-0.0083), "00 00 S");
});

test("phase referral: g = G + speed * zone, whole degrees 0..359", () => {
  const m2 = CONSTITUENTS.find((c) => c.name === "M2").speed;
  const k1 = CONSTITUENTS.find((c) => c.name === "K1").speed;
  assert.equal(referPhase(108.9, m2, 1), Math.round(108.9 + m2));
  assert.equal(referPhase(75.03, k1, 1), 90);
  // West of Greenwich the phase decreases and wraps below 0.
  assert.equal(referPhase(10, m2, -8), Math.round((((10 - 8 * m2) % 360) + 360) % 360));
  // Half-hour zones.
  assert.equal(referPhase(0, 30, 5.5), 165);
  assert.equal(referPhase(0, 30, -3.5), 255);
  // 359.6 rounds to 0, never 360.
  assert.equal(referPhase(359.6, 30, 0), 0);
  for (let g = -720; g <= 720; g += 7.3) {
    const p = referPhase(g, 13.943035578333333, 9);
    assert.ok(Number.isInteger(p) && p >= 0 && p <= 359, `${g} -> ${p}`);
  }
  assert.equal(amplitudeMm(2.0509), 2051);
});

test("the ten constituents follow the column order with the engine's speeds", () => {
  assert.deepEqual(
    CONSTITUENTS.map((c) => c.name),
    ["SA", "Q1", "O1", "K1", "N2", "M2", "S2", "MN4", "M4", "MS4"],
  );
  assert.equal(CONSTITUENTS.find((c) => c.name === "S2").speed, 30);
  assert.equal(CONSTITUENTS.find((c) => c.name === "M2").speed, 28.9841042175);
});

test("standard time zone offsets, without daylight saving", () => {
  assert.equal(standardOffsetHours("Europe/Paris"), 1);
  assert.equal(standardOffsetHours("Europe/London"), 0);
  assert.equal(standardOffsetHours("Europe/Dublin"), 0);
  assert.equal(standardOffsetHours("America/New_York"), -5);
  assert.equal(standardOffsetHours("Australia/Sydney"), 10); // southern summer in January
  assert.equal(standardOffsetHours("America/St_Johns"), -3.5);
  assert.equal(standardOffsetHours("Asia/Kolkata"), 5.5);
  assert.equal(standardOffsetHours("Pacific/Honolulu"), -10);
  assert.equal(standardOffsetHours("Etc/GMT+2"), -2);
});

test("regions from the position", () => {
  const cases = [
    ["Brest", 48.38, -4.5, 1],
    ["Reykjavik", 64.15, -21.94, 1],
    ["Ponta Delgada (Azores)", 37.74, -25.67, 1],
    ["Boston", 42.35, -71.05, 2],
    ["San Juan (Puerto Rico)", 18.46, -66.12, 2],
    ["Colon (Caribbean side of Panama)", 9.36, -79.9, 2],
    ["Balboa (Pacific side of Panama)", 8.95, -79.57, 5],
    ["Salina Cruz", 16.17, -95.2, 5],
    ["Coatzacoalcos", 18.15, -94.4, 2],
    ["Seattle", 47.6, -122.34, 5],
    ["Adak (Aleutians)", 51.86, -176.63, 5],
    ["Rio de Janeiro", -22.9, -43.17, 3],
    ["Cartagena (Colombia)", 10.4, -75.55, 3],
    ["Valparaiso", -33.03, -71.63, 4],
    ["Buenaventura", 3.9, -77.08, 4],
    ["Tokyo", 35.65, 139.77, 6],
    ["Aden", 12.79, 44.98, 6],
    ["Jeddah", 21.5, 39.15, 6],
    ["Port Sudan", 19.6, 37.2, 9],
    ["Dakar", 14.67, -17.42, 9],
    ["Algiers", 36.77, 3.06, 9],
    ["Tunis (La Goulette)", 36.8, 10.3, 9],
    ["Malta", 35.9, 14.52, 1],
    ["Cape Town", -33.9, 18.43, 9],
    ["Port Louis (Mauritius)", -20.16, 57.5, 10],
    ["Kerguelen", -49.35, 70.22, 10],
    ["Fremantle", -32.05, 115.74, 8],
    ["Darwin", -12.47, 130.85, 8],
    ["Suva (Fiji)", -18.13, 178.43, 7],
    ["Papeete", -17.53, -149.57, 7],
    ["Honolulu", 21.31, -157.87, 7],
    ["Guam", 13.44, 144.65, 7],
    ["Antarctic station", -67.57, 68.13, 10],
  ];
  for (const [name, lat, lon, region] of cases) assert.equal(regionOf(lat, lon), region, name);
});

test("country numbers: the table's rows, territories by their state, 0 otherwise, never 36", () => {
  assert.equal(countryNumber("FR"), 1);
  assert.equal(countryNumber("US"), 5);
  assert.equal(countryNumber("GB"), 21);
  assert.equal(countryNumber("SN"), 34);
  assert.equal(countryNumber("AQ"), 114);
  assert.equal(countryNumber("PR"), 5);
  assert.equal(countryNumber("PF"), 1);
  assert.equal(countryNumber("GP"), 1);
  assert.equal(countryNumber("BM"), 21);
  assert.equal(countryNumber("CW"), 109);
  assert.equal(countryNumber("GL"), 91);
  assert.equal(countryNumber("SE"), 0);
  assert.equal(countryNumber(undefined), 0);
  for (const n of Object.values(COUNTRY_NUMBERS)) assert.ok(n >= 1 && n <= 114 && n !== 36);
  for (const state of Object.values(TERRITORY_STATES)) assert.ok(COUNTRY_NUMBERS[state], state);
  assert.equal(zoneCode(1, 1), 1001);
  assert.equal(zoneCode(5, 0), 5000);
  assert.throws(() => zoneCode(9, 36));
});

test("names: upper case ASCII, place in front of relative names, at most 50 characters", () => {
  assert.equal(baseName({ name: "Brest" }), "BREST");
  assert.equal(baseName({ name: "Tromsø" }), "TROMSO");
  assert.equal(baseName({ name: "Ålesund" }), "ALESUND");
  assert.ok(needsContext("0.8 N.mi. Above Entrance"));
  assert.ok(needsContext("Below Spring Bluff"));
  assert.ok(!needsContext("Isle of Hope"));
  assert.equal(
    baseName({ name: "0.8 N.mi. Above Entrance", locality: "Salem", context: "Salem, NJ" }),
    "SALEM, 0.8 N.MI. ABOVE ENTRANCE",
  );
  assert.equal(
    baseName({ name: "5 Miles NE of Point Brazil", locality: null, context: "Montague Island" }),
    "MONTAGUE ISLAND, 5 MILES NE OF POINT BRAZIL",
  );
  const long = baseName({ name: "Saint Marks River at San Marcosde Apalachee State Park" });
  assert.ok(long.length <= 50);
  assert.ok("SAINT MARKS RIVER AT SAN MARCOSDE APALACHEE STATE PARK".startsWith(long));
});

test("unique names: the first keeps the name, the others get their region, then a number", () => {
  const stations = [
    { id: "a", name: "Vancouver", region_code: "CA-BC" },
    { id: "b", name: "Vancouver", region_code: "US-WA" },
    { id: "c", name: "Vancouver", region_code: "CA-BC" },
    { id: "d", name: "Vancouver", region_code: "CA-BC" },
    { id: "e", name: "Oslo", country_code: "NO" },
    { id: "f", name: "Oslo", region_code: "US-FL" },
    { id: "g", name: "Wakkanai", region_code: "JP-01" },
    { id: "h", name: "Wakkanai", region_code: "JP-01" },
    { id: "i", name: "X".repeat(60) },
    { id: "j", name: "X".repeat(60), country_code: "FR" },
  ];
  const names = uniqueNames(stations);
  assert.equal(names.get("a"), "VANCOUVER");
  assert.equal(names.get("b"), "VANCOUVER - WA");
  assert.equal(names.get("c"), "VANCOUVER - BC");
  assert.equal(names.get("d"), "VANCOUVER - BC 2");
  assert.equal(names.get("e"), "OSLO");
  assert.equal(names.get("f"), "OSLO - FL");
  assert.equal(names.get("h"), "WAKKANAI - JP-01");
  assert.equal(names.get("i").length, 50);
  assert.ok(names.get("j").endsWith(" - FR") && names.get("j").length <= 50);
  const all = [...names.values()];
  assert.equal(new Set(all).size, all.length);
});

test("secondary corrections: 90 + ratio or metres, decimal hours, the same at springs and neaps", () => {
  assert.deepEqual(
    correctionColumns({ height: { high: 1.15, low: 0.9, type: "ratio" }, time: { high: 6, low: -31 } }),
    [91.15, 91.15, 90.9, 90.9, 0.1, 0.1, -31 / 60, -31 / 60],
  );
  assert.deepEqual(
    correctionColumns({ height: { high: 0.3, low: -0.1, type: "fixed" }, time: { high: 90, low: 0 } }),
    [0.3, 0.3, -0.1, -0.1, 1.5, 1.5, 0, 0],
  );
});
