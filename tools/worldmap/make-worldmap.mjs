// Draws the world map of the port window: 354 x 183 pixels, land and sea in two flat colours.
//
// The port window places its marker with
//   x = -0.98055 * lon + 162.7722        (lon in degrees, west positive)
//   y = -1.13796963 * lat + 116.07287    (lat in degrees, north positive)
// so this script fills every pixel whose centre falls on land under exactly that projection.
// Land comes from Natural Earth (public domain) as packaged by the npm module world-atlas.
//
// Usage: node make-worldmap.mjs OUTPUT.png
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { deflateSync } from "node:zlib";

const WIDTH = 354;
const HEIGHT = 183;
const SEA = [166, 206, 227];
const LAND = [236, 226, 190];

// Pixel coordinates of a geographic point (east longitudes positive, as in the data).
const project = (lonEast, lat) => [0.98055 * lonEast + 162.7722, -1.13796963 * lat + 116.07287];
// One turn of longitude in pixels: the map shows 195 E again at its right edge as 165 W.
const TURN = 360 * 0.98055;

function loadLandRings() {
  const require = createRequire(import.meta.url);
  const topo = JSON.parse(readFileSync(require.resolve("world-atlas/land-50m.json"), "utf8"));
  const [sx, sy] = topo.transform.scale;
  const [tx, ty] = topo.transform.translate;
  // Arcs are delta-encoded quantized positions.
  const arcs = topo.arcs.map((arc) => {
    let x = 0;
    let y = 0;
    return arc.map(([dx, dy]) => {
      x += dx;
      y += dy;
      return [x * sx + tx, y * sy + ty];
    });
  });
  const ringOf = (indices) => {
    const points = [];
    for (const index of indices) {
      const arc = index >= 0 ? arcs[index] : arcs[~index].slice().reverse();
      points.push(...(points.length ? arc.slice(1) : arc));
    }
    return points;
  };
  const polygons = [];
  const collect = (geometry) => {
    if (geometry.type === "GeometryCollection") geometry.geometries.forEach(collect);
    else if (geometry.type === "Polygon") polygons.push(geometry.arcs.map(ringOf));
    else if (geometry.type === "MultiPolygon")
      geometry.arcs.forEach((polygon) => polygons.push(polygon.map(ringOf)));
  };
  collect(topo.objects.land);
  return polygons;
}

// Even-odd scanline fill of one polygon (outer ring and holes) at pixel centres.
function fillPolygon(pixels, rings, shift) {
  const edges = [];
  for (const ring of rings) {
    // Rings that cross the antimeridian are made continuous first (a jump of more than half a
    // turn between two points is a crossing, not an edge across the whole map).
    let previous = null;
    let offset = 0;
    const pts = ring.map(([lon, lat]) => {
      if (previous !== null) {
        if (lon + offset - previous > 180) offset -= 360;
        else if (lon + offset - previous < -180) offset += 360;
      }
      previous = lon + offset;
      const [x, y] = project(lon + offset, lat);
      return [x + shift, y];
    });
    for (let i = 0; i + 1 < pts.length; i++) edges.push([pts[i], pts[i + 1]]);
  }
  for (let row = 0; row < HEIGHT; row++) {
    const yc = row + 0.5;
    const crossings = [];
    for (const [[x0, y0], [x1, y1]] of edges) {
      if ((y0 <= yc && y1 > yc) || (y1 <= yc && y0 > yc))
        crossings.push(x0 + ((yc - y0) / (y1 - y0)) * (x1 - x0));
    }
    crossings.sort((a, b) => a - b);
    for (let k = 0; k + 1 < crossings.length; k += 2) {
      const from = Math.max(0, Math.ceil(crossings[k] - 0.5));
      const to = Math.min(WIDTH - 1, Math.floor(crossings[k + 1] - 0.5));
      for (let col = from; col <= to; col++) pixels[row * WIDTH + col] = 1;
    }
  }
}

const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
function crc32(buffer) {
  let c = 0xffffffff;
  for (const byte of buffer) c = CRC_TABLE[(c ^ byte) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}
function chunk(type, data) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(data.length, 0);
  head.write(type, 4, "ascii");
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), data])), 0);
  return Buffer.concat([head, data, crc]);
}

// An 8-bit palette PNG: index 0 sea, index 1 land.
function encodePng(pixels) {
  const header = Buffer.alloc(13);
  header.writeUInt32BE(WIDTH, 0);
  header.writeUInt32BE(HEIGHT, 4);
  header.set([8, 3, 0, 0, 0], 8);
  const raw = Buffer.alloc(HEIGHT * (WIDTH + 1));
  for (let row = 0; row < HEIGHT; row++) {
    raw[row * (WIDTH + 1)] = 0; // filter: none
    for (let col = 0; col < WIDTH; col++) raw[row * (WIDTH + 1) + 1 + col] = pixels[row * WIDTH + col];
  }
  return Buffer.concat([
    Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    chunk("IHDR", header),
    chunk("PLTE", Buffer.from([...SEA, ...LAND])),
    chunk("IDAT", deflateSync(raw, { level: 9 })),
    chunk("IEND", Buffer.alloc(0)),
  ]);
}

const output = process.argv[2];
if (!output) {
  console.error("usage: node make-worldmap.mjs OUTPUT.png");
  process.exit(2);
}
const pixels = new Uint8Array(WIDTH * HEIGHT);
for (const polygon of loadLandRings()) {
  // The map runs from about 166 W to 195 E: draw each polygon a turn to either side as well.
  for (const shift of [-TURN, 0, TURN]) fillPolygon(pixels, polygon, shift);
}
writeFileSync(output, encodePng(pixels));
console.log(`${output}: ${WIDTH} x ${HEIGHT}, ${pixels.reduce((a, b) => a + b, 0)} land pixels`);
