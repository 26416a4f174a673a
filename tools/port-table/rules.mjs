// Conversion rules from a tide station of the public database to a row of Ondrel's port table.
// Pure functions without the database, so that they can be tested on their own
// (rules.test.mjs) and shared by convert.mjs and check.mjs.

// The ten stored constituents in the column order of the table (amplitudes in columns 3-12,
// phases in columns 13-22), with the speeds (degrees per hour) that the engine uses.
export const CONSTITUENTS = [
  { name: "SA", speed: 0.041068639166666664 },
  { name: "Q1", speed: 13.398660884583334 },
  { name: "O1", speed: 13.943035578333333 },
  { name: "K1", speed: 15.041068639166667 },
  { name: "N2", speed: 28.43972952375 },
  { name: "M2", speed: 28.9841042175 },
  { name: "S2", speed: 30 },
  { name: "MN4", speed: 57.42383374125 },
  { name: "M4", speed: 57.968208435 },
  { name: "MS4", speed: 58.9841042175 },
];

// The engine's arguments (K1 = T + h + 90, O1 = T - 2s + h - 90, ...) are those of the
// database's phases: a Greenwich phase lag G is used as it stands, only referred to the port's
// zone. check.mjs verifies this numerically (turning the diurnal phases by 180 degrees, as a
// Schureman-convention source would need, makes the two predictions disagree).

// Name of a source constituent normalised for matching ("Sa" and "SA" are the same). The
// Kartverket stations store their annual term as "SA_KV" with another phase convention: it does
// not match "SA" and so is left out.
export function constituentKey(name) {
  return String(name).trim().toUpperCase();
}

// Phase g referred to a zone Z hours east of UT from the Greenwich phase lag G (degrees):
// g = G + speed * Z, reduced to a whole number of degrees in 0..359.
export function referPhase(greenwichPhase, speed, zoneHours) {
  const g = greenwichPhase + speed * zoneHours;
  let whole = Math.round(((g % 360) + 360) % 360);
  if (whole >= 360) whole -= 360;
  return whole;
}

// Amplitude in metres to whole millimetres.
export function amplitudeMm(metres) {
  return Math.round(metres * 1000);
}

// Position texts: latitude "48 23 N" (two-digit degrees), longitude "004 30 W" (three-digit
// degrees), minutes rounded to the nearest whole minute with the carry into the degrees.
// Zero takes N and E.
function degreesMinutes(value) {
  const abs = Math.abs(value);
  let deg = Math.floor(abs);
  let min = Math.round((abs - deg) * 60);
  if (min >= 60) {
    deg += 1;
    min -= 60;
  }
  return [deg, min];
}

export function latitudeText(lat) {
  const [deg, min] = degreesMinutes(lat);
  return `${String(deg).padStart(2, "0")} ${String(min).padStart(2, "0")} ${lat < 0 ? "S" : "N"}`;
}

export function longitudeText(lon) {
  const [deg, min] = degreesMinutes(lon);
  return `${String(deg).padStart(3, "0")} ${String(min).padStart(2, "0")} ${lon < 0 ? "W" : "E"}`;
}

// Offset from UT in hours of an IANA zone at an instant, from the ICU data of Node.
function offsetAt(timeZone, date) {
  const fmt = new Intl.DateTimeFormat("en-US", { timeZone, timeZoneName: "longOffset" });
  const part = fmt.formatToParts(date).find((p) => p.type === "timeZoneName").value;
  const m = /GMT(?:([+-])(\d{1,2}):?(\d{2})?)?/.exec(part);
  if (!m || !m[1]) return 0;
  return (m[1] === "-" ? -1 : 1) * (Number(m[2]) + Number(m[3] ?? 0) / 60);
}

// Standard offset of an IANA zone in hours east of UT, without daylight saving: the smaller of
// the offsets of mid-January and mid-July 2025 (daylight saving always moves clocks forward
// in the zones of the database).
export function standardOffsetHours(timeZone) {
  const jan = offsetAt(timeZone, new Date(Date.UTC(2025, 0, 15, 12)));
  const jul = offsetAt(timeZone, new Date(Date.UTC(2025, 6, 15, 12)));
  return Math.min(jan, jul);
}

// ---------------------------------------------------------------------------------------------
// Regions 1-10 of the port window's zone operations, from the position alone.
// 1 Europe, 2 North America east, 3 South America east, 4 South America west, 5 North America
// west, 6 Asia, 7 Pacific islands ("South Pacific"), 8 Australia, 9 Africa, 10 South Indian
// Ocean and Antarctica. lon is east-positive, in degrees.

function interpolate(points, x) {
  // points sorted by x; clamps outside.
  if (x <= points[0][0]) return points[0][1];
  for (let i = 1; i < points.length; i++) {
    const [x1, y1] = points[i];
    const [x0, y0] = points[i - 1];
    if (x <= x1) return y0 + ((y1 - y0) * (x - x0)) / (x1 - x0);
  }
  return points[points.length - 1][1];
}

// Latitude of the Central American divide as a function of longitude (Mexico to Panama, by
// increasing longitude): a point south of it lies on the Pacific side.
const ISTHMUS = [
  [-99.0, 19.0],
  [-94.5, 17.5],
  [-91.5, 15.3],
  [-89.0, 15.0],
  [-87.5, 14.5],
  [-86.5, 12.8],
  [-85.5, 11.5],
  [-83.0, 9.6],
  [-79.7, 9.15],
  [-77.35, 7.2],
];

// Longitude of the Red Sea's axis as a function of latitude (Suez to Bab-el-Mandeb): a point
// west of it lies in Africa.
const RED_SEA = [
  [12.6, 43.4],
  [15.0, 41.5],
  [19.5, 38.9],
  [23.0, 36.6],
  [27.8, 34.0],
  [29.9, 32.6],
];

function americasRegion(lat, lon) {
  if (lon < -140 && lat < 30) return 7; // Hawaii, Line Islands, Samoa, Polynesia
  if (lat < -3 && lon < -82) return 7; // Polynesia, Pitcairn, Easter Island
  const north = lat >= 12.6 || (lat >= 7.2 && lon < -77.35);
  if (north) {
    const pacific = lat < 19 ? lat < interpolate(ISTHMUS, lon) : lon < -100;
    return pacific ? 5 : 2;
  }
  // South America: the Pacific coast lies west of 69 W and south of the Colombia-Panama border.
  return lon < -69 && lat < 7.3 ? 4 : 3;
}

export function regionOf(lat, lon) {
  let lambda = ((((lon + 180) % 360) + 360) % 360) - 180;
  if (lambda === -180) lambda = 180;
  const phi = lat;
  if (phi < -60) return 10;
  if (phi >= 50 && (lambda <= -130 || lambda >= 165)) return 5; // Alaska, Aleutians, Bering Sea
  if (phi >= 59.5 && lambda >= -75 && lambda <= -11) return lambda < -25 || phi > 67.5 ? 2 : 1; // Greenland, Iceland
  if (phi >= 30 && phi <= 45 && lambda >= -32 && lambda <= -13) return 1; // Azores, Madeira
  if (lambda >= -180 && lambda < -25) return americasRegion(phi, lambda);
  // Europe, less the African shore of the Mediterranean.
  const africanMediterranean =
    (lambda >= -13 && lambda < -2 && phi < 35.95) || (lambda >= -2 && lambda < 11.4 && phi < 37.4);
  const europe = (phi >= 34.5 && lambda >= -32 && lambda <= 34.7) || (phi >= 40 && lambda > 34.7 && lambda <= 60);
  if (europe && !africanMediterranean) return 1;
  // Africa: west of the Red Sea axis and south of the Gulf of Aden; the islands east of 43 E
  // south of the equator belong to the South Indian Ocean.
  if (lambda >= -26 && lambda <= 52 && phi >= -40 && phi < 37.4) {
    const levant = lambda > 32.6 && phi > 29.9;
    const eastOfRedSea = phi >= 12.6 && phi <= 29.9 && lambda > interpolate(RED_SEA, phi);
    const arabia = phi >= 12.0 && lambda >= 43.3;
    const indianIsland = phi < 0 && lambda >= 43;
    if (!levant && !eastOfRedSea && !arabia && !indianIsland) return 9;
  }
  if ((phi < 0 && lambda >= 43 && lambda < 95) || (phi < -9 && lambda >= 95 && lambda < 112)) return 10;
  if ((lambda >= 112 && lambda <= 155 && phi <= -10.9) || (lambda >= 141 && lambda <= 145 && phi <= -9.2)) return 8;
  if (phi < 0 && lambda >= 141) return 7;
  if (phi < 30 && lambda >= 134) return 7; // Palau, Micronesia, Marianas, Marshall, Wake
  if (lambda <= -170 || lambda >= 170) return 7;
  return 6;
}

// ---------------------------------------------------------------------------------------------
// Country numbers of the program's country table (ISO 3166-1 alpha-2 codes). Number 36, a second
// "Senegal", is never used.
export const COUNTRY_NUMBERS = {
  FR: 1, ES: 2, PT: 3, MA: 4, US: 5, CA: 6, MX: 7, HN: 8, SV: 9, PA: 10, CO: 11, VE: 12, TT: 13,
  GY: 14, SR: 15, BR: 16, UY: 17, AR: 18, CL: 19, PE: 20, GB: 21, IE: 22, IS: 23, NO: 24, IT: 25,
  SI: 26, HR: 27, RS: 28, ME: 28, AL: 29, EG: 30, TN: 31, DZ: 32, MR: 33, SN: 34, GM: 35, GW: 37,
  GN: 38, SL: 39, LR: 40, CI: 41, GH: 42, TG: 43, NG: 44, CM: 45, GQ: 46, GA: 47, CG: 48, AO: 49,
  NA: 50, ZA: 51, MZ: 52, TZ: 53, KE: 54, SO: 55, DJ: 56, ER: 57, SD: 58, YE: 59, OM: 60, AE: 61,
  QA: 62, BH: 63, SA: 64, KW: 65, IQ: 66, IR: 67, PK: 68, IN: 69, LK: 70, BD: 71, MM: 72, TH: 73,
  MY: 74, SG: 75, KH: 76, VN: 77, CN: 78, KP: 79, KR: 80, ID: 81, PH: 82, PG: 83, AU: 84, NZ: 85,
  JP: 86, RU: 87, BE: 88, NL: 89, DE: 90, DK: 91, MT: 92, CV: 93, MG: 94, SC: 95, PW: 96, FM: 97,
  MH: 98, SB: 99, VU: 100, FJ: 101, TV: 102, WS: 103, TO: 104, EC: 105, CU: 106, BS: 107, HT: 108,
  AN: 109, GD: 110, VC: 111, LC: 112, TW: 113, AQ: 114,
};

// Dependent territories that the table lacks, by the state they belong to (or, for the former
// Netherlands Antilles, the table's own row for them).
export const TERRITORY_STATES = {
  // United States
  PR: "US", VI: "US", AS: "US", GU: "US", MP: "US", UM: "US",
  // France
  PF: "FR", GP: "FR", MQ: "FR", GF: "FR", RE: "FR", YT: "FR", NC: "FR", PM: "FR", WF: "FR", BL: "FR",
  MF: "FR", TF: "FR",
  // United Kingdom
  BM: "GB", KY: "GB", TC: "GB", VG: "GB", AI: "GB", MS: "GB", GI: "GB", FK: "GB", SH: "GB", IO: "GB",
  PN: "GB", GS: "GB", GG: "GB", JE: "GB", IM: "GB",
  // Netherlands Antilles (Curacao, Aruba, Sint Maarten, Caribbean Netherlands)
  CW: "AN", AW: "AN", SX: "AN", BQ: "AN",
  // Denmark
  GL: "DK", FO: "DK",
  // New Zealand (realm)
  CK: "NZ", NU: "NZ", TK: "NZ",
  // Australia
  NF: "AU", CX: "AU", CC: "AU", HM: "AU",
  // Norway
  SJ: "NO", BV: "NO",
  // China
  HK: "CN", MO: "CN",
};

// Country number of an ISO code: the table's row, the row of the territory's state, or 0.
export function countryNumber(isoCode) {
  const code = String(isoCode ?? "").toUpperCase();
  const direct = COUNTRY_NUMBERS[code];
  if (direct) return direct;
  const state = TERRITORY_STATES[code];
  if (state) return COUNTRY_NUMBERS[state];
  return 0;
}

export function zoneCode(region, country) {
  if (country === 36) throw new Error("country number 36 is never used");
  return region * 1000 + country;
}

// ---------------------------------------------------------------------------------------------
// Names.

// Upper case ASCII: accents removed, a few letters spelled out, anything else dropped, blanks
// collapsed.
export function plainUpper(text) {
  const spelled = String(text)
    .replace(/[Øø]/g, "O")
    .replace(/[Ææ]/g, "AE")
    .replace(/ß/g, "SS")
    .replace(/[Łł]/g, "L")
    .replace(/[Đđ]/g, "D")
    .replace(/[’‘`´]/g, "'");
  return spelled
    .normalize("NFD")
    .replace(/[\u0300-\u036f]/g, "")
    .replace(/[^\x20-\x7e]/g, "")
    .replace(/\s+/g, " ")
    .trim()
    .toUpperCase();
}

// A name that only makes sense beside its neighbours: a distance or a direction from something
// ("0.8 N.mi. Above Entrance", "5 Miles NE of Point Brazil", "Below Spring Bluff").
const RELATIVE_NAME = /^(\d|\(|above\b|below\b|entrance\b|mouth\b|off\b|near\b|(north|south|east|west)\s+of\b)/i;

export function needsContext(name) {
  return RELATIVE_NAME.test(String(name).trim());
}

// The place in front of a relative name: the station's locality, else its context (without a
// trailing state or country abbreviation such as ", NJ").
export function placeForContext(station) {
  for (const field of [station.locality, station.context]) {
    if (!field) continue;
    const place = String(field).replace(/,\s*[A-Z.]{1,5}$/, "").trim();
    if (place && !/^[A-Z.]{1,5}$/.test(place)) return place;
  }
  return null;
}

export const NAME_LENGTH = 50;

// Cuts a name to a length, at a word boundary when that keeps most of it.
function cut(text, length) {
  if (text.length <= length) return text;
  const hard = text.slice(0, length);
  const space = hard.lastIndexOf(" ");
  const soft = space >= length * 0.7 ? hard.slice(0, space) : hard;
  return soft.replace(/[\s,;:(-]+$/, "");
}

// Base name of a station (before de-duplication).
export function baseName(station) {
  let name = station.name;
  if (needsContext(name)) {
    const place = placeForContext(station);
    if (place && !plainUpper(name).startsWith(plainUpper(place))) name = `${place}, ${name}`;
  }
  return cut(plainUpper(name), NAME_LENGTH);
}

// Short code of the station's region ("US-ME" gives "ME"; a numeric subdivision keeps the
// country: "JP-01" gives "JP-01"), else its country code.
export function regionTag(station) {
  const rc = station.region_code;
  if (rc) {
    const [country, sub] = String(rc).split("-");
    if (sub && /^[A-Z]+$/i.test(sub)) return sub.toUpperCase();
    return String(rc).toUpperCase();
  }
  return String(station.country_code ?? "").toUpperCase() || "XX";
}

// Unique names for stations given in priority order: the first of a name keeps it; the others
// get " - " and their region or country code, then a number where that is still taken. Every
// result has at most 50 characters.
export function uniqueNames(stationsInPriorityOrder) {
  const taken = new Set();
  const base = stationsInPriorityOrder.map((s) => baseName(s));
  const result = new Map();
  // Plain names first, so that a plain name is never taken by another's suffixed form.
  const counts = new Map();
  for (const b of base) counts.set(b, (counts.get(b) ?? 0) + 1);
  stationsInPriorityOrder.forEach((s, i) => {
    if (!taken.has(base[i])) {
      taken.add(base[i]);
      result.set(s.id, base[i]);
    }
  });
  stationsInPriorityOrder.forEach((s, i) => {
    if (result.has(s.id)) return;
    const suffix = ` - ${regionTag(s)}`;
    let candidate = cut(base[i], NAME_LENGTH - suffix.length) + suffix;
    for (let n = 2; taken.has(candidate); n++) {
      const numbered = `${suffix} ${n}`;
      candidate = cut(base[i], NAME_LENGTH - numbered.length) + numbered;
    }
    taken.add(candidate);
    result.set(s.id, candidate);
  });
  return result;
}

// ---------------------------------------------------------------------------------------------
// Secondary-port corrections from the database's subordinate offsets: heights as 90 + ratio or
// an additive amount in metres, times in decimal hours, the same at springs and neaps.
// Returns columns 29..36 in order.
export function correctionColumns(offsets) {
  const h = offsets.height;
  const hw = h.type === "ratio" ? 90 + h.high : h.high;
  const lw = h.type === "ratio" ? 90 + h.low : h.low;
  const hwTime = offsets.time.high / 60;
  const lwTime = offsets.time.low / 60;
  return [hw, hw, lw, lw, hwTime, hwTime, lwTime, lwTime];
}

// Rounds a real to a fixed number of decimals so that the JSON (and the table) are the same on
// every run.
export function fixed(value, decimals) {
  const f = 10 ** decimals;
  const r = Math.round(value * f) / f;
  return Object.is(r, -0) ? 0 : r;
}
