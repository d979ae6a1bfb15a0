// What the page tests share: the browser, the page with its watchers, the
// argument box, and the native program as the oracle.
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, resolve, sep } from 'node:path';
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

export const pageDir = resolve(process.argv[2] ?? 'build/web');
export const nativeBinary = resolve(process.argv[3] ?? 'build/release/morvek');
const pageUrl = pathToFileURL(join(pageDir, 'index.html')).href;
// Where the page's own files may come from: its folder, and the test's own
// server of that folder on the loopback address.
const ownPrefixes = [pathToFileURL(pageDir).href + '/'];

// The argument words as the page splits its line, which is how a shell
// splits an unquoted line.
export const wordsOf = (line) => line.split(/[ \t\n]+/).filter((word) => word !== '');

// What the program writes to its standard output; --from and --guess end
// with status 1 when there is no answer, and still write it.
export function native(line) {
  const run = spawnSync(nativeBinary, wordsOf(line), { encoding: 'utf8' });
  if (run.error || run.status > 1) throw new Error(`morvek ${line}: ${run.error ?? run.stderr}`);
  return run.stdout;
}

// Every console error, page error and request outside the page's own files,
// over all pages of the run.
export const faults = [];
export const requests = [];

let profile;

export async function launch() {
  profile = mkdtempSync(join(tmpdir(), 'morvek-chromium-'));
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

export async function close(browser) {
  await browser?.close();
  if (profile) rmSync(profile, { recursive: true, force: true });
}

function ownFile(url) {
  return ownPrefixes.some((prefix) => url.startsWith(prefix));
}

export async function openPage(browser, fragment, { width = 1200, height = 900, scheme = 'light', url = pageUrl } = {}) {
  const page = await browser.newPage();
  page.on('console', (message) => {
    if (message.type() === 'error') faults.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => faults.push(`page error: ${error.message}`));
  page.on('request', (request) => {
    requests.push(request.url());
    if (!ownFile(request.url())) faults.push(`request outside the page: ${request.url()}`);
  });
  await page.setViewport({ width, height });
  await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: scheme }]);
  await page.goto(fragment === undefined ? url : `${url}#${fragment}`);
  await page.waitForSelector('#result[data-runs]');
  return page;
}

const contentTypes = { '.html': 'text/html', '.css': 'text/css', '.js': 'text/javascript', '.png': 'image/png' };

// A plain static server of the page's folder on 127.0.0.1.
export async function serve() {
  const server = createServer((request, response) => {
    const path = join(pageDir, new URL(request.url, 'http://page/').pathname);
    if (!path.startsWith(pageDir + sep) || !existsSync(path)) return response.writeHead(404).end();
    response.writeHead(200, { 'content-type': contentTypes[extname(path)] ?? 'application/octet-stream' });
    return response.end(readFileSync(path));
  });
  await new Promise((listening) => server.listen(0, '127.0.0.1', listening));
  const origin = `http://127.0.0.1:${server.address().port}/`;
  ownPrefixes.push(origin);
  return { server, url: `${origin}index.html` };
}

const runsOf = (page) => page.$eval('#result', (section) => Number(section.dataset.runs));

// Waits for the conversion that the action starts.
export async function afterRun(page, action) {
  const before = await runsOf(page);
  await action();
  await page.waitForFunction((n) => Number(document.getElementById('result').dataset.runs) > n, {}, before);
}

// Types the line into the argument box and presses Enter, as a person would.
export async function typeLine(page, line) {
  await page.$eval('#args', (box) => { box.value = ''; });
  await page.focus('#args');
  await page.keyboard.type(line);
  await afterRun(page, () => page.keyboard.press('Enter'));
}

export const textOf = (page, selector) => page.$eval(selector, (element) => element.textContent);

export const lineInAddress = (page) => page.evaluate(() => decodeURIComponent(location.hash.slice(1)));

// The values table as { label: value }.
export const valuesOf = (page) => page.$$eval('#values tr', (rows) =>
  Object.fromEntries(rows.map((row) => [row.cells[0].textContent, row.cells[1].textContent])));

// axe-core, from the test's own packages, run in the page: never shipped with it.
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// The rules' findings that matter: every violation, and the items axe could
// not decide whose impact is serious or critical.
export async function accessibilityFindings(page) {
  if (!(await page.evaluate(() => typeof window.axe === 'object'))) await page.evaluate(axeSource);
  const results = await page.evaluate(() => window.axe.run(document, { resultTypes: ['violations', 'incomplete'], preload: false }));
  const serious = (item) => item.impact === 'serious' || item.impact === 'critical';
  return [...results.violations, ...results.incomplete.filter(serious)]
    .map((item) => `${item.id} (${item.impact}): ${item.nodes.map((node) => node.target.join(' ')).join(', ')}`);
}

// Whether an element lies wholly within the window.
export const inView = (page, selector) => page.$eval(selector, (element) => {
  const box = element.getBoundingClientRect();
  return box.top >= 0 && box.bottom <= window.innerHeight && box.height > 0;
});

export const focused = (page) => page.evaluate(() => document.activeElement.id);
