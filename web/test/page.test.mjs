// The built page in headless Chromium, against the native program.
// Run: node web/test/page.test.mjs BUILT_PAGE_DIR NATIVE_MORVEK_BINARY
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { copyFileSync, readdirSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import {
  accessibilityFindings, afterRun, close, faults, focused, inView, launch, lineInAddress, native, nativeBinary, openPage, pageDir,
  requests, serve, textOf, typeLine, valuesOf,
} from './browser.mjs';
import { lines } from './lines.mjs';

const maxPageBytes = 300 * 1000;
const firstResultBudgetMs = 200;

// The program's value lines, and the table rows that must show the same numbers.
const valueLines = [
  ['ED', 'Era Day'], ['E0 time', 'E0, seconds', 'E0, hexadecimal'], ['E3 time', 'E3, milliseconds', 'E3, hexadecimal'],
  ['E6 time', 'E6, microseconds', 'E6, hexadecimal'], ['Leap Seconds', 'Leap seconds so far'],
  ['Unix time', 'Unix time', 'Unix time, hexadecimal'], ['FILE time', 'FILE time', 'FILE time, hexadecimal'],
];

function assertTableMatches(table, report) {
  for (const [label, decimalRow, hexRow] of valueLines) {
    const [, decimal, hex] = new RegExp(`^${label}:\\s+(-?\\d+)(?:\\s+(0x[0-9A-F]{16}))?`, 'm').exec(report);
    assert.equal(table[decimalRow], decimal, decimalRow);
    if (hexRow) assert.equal(table[hexRow], hex, hexRow);
  }
}

// The program's list of a value: { field: value }.
const listOf = (text) => Object.fromEntries(text.trim().split('\n').map((line) => line.split(/ {2,}/)));
// The first date line of the program's report, and its Era Day and weekday.
function reportDay(report) {
  const [, date, time] = /^(?:\w+ )?Date:\s+(\S+)\s+(\S+)/m.exec(report);
  const [, eraDay, weekday] = /^ED:\s+(-?\d+)\s+(\w+)/m.exec(report);
  return { date, time, eraDay: Number(eraDay), weekday };
}

let browser;
let page;

before(async () => {
  browser = await launch();
  page = await openPage(browser);
});
after(() => close(browser));

const answerOf = (on = page) => textOf(on, '#answer');
const isProblem = (on = page) => on.$eval('#answer', (element) => element.classList.contains('problem'));
const boxValue = (on = page) => on.$eval('#args', (box) => box.value);

describe('the argument box shows what the program prints', () => {
  for (const line of lines) {
    test(`morvek ${line}`, async () => {
      await typeLine(page, line);
      assert.equal(await textOf(page, '#report'), native(line));
      assert.equal(await lineInAddress(page), line);
      const outcome = await page.$eval('#result', (section) => section.dataset.outcome);
      const converted = ['ok', 'help', 'version', 'guesses', 'no-guess'].includes(outcome);
      assert.equal(await isProblem(), !converted, `outcome ${outcome}`);
      assert.notEqual(await answerOf(), '');
      assert.notEqual(await textOf(page, '#announce'), '');
      if (outcome === 'ok' && !line.startsWith('--')) assertTableMatches(await valuesOf(page), native(line));
      if (outcome === 'ok' && line.startsWith('--from=')) {
        const list = listOf(native(line));
        const table = await valuesOf(page);
        assert.equal(table['E6, microseconds'], list.e6);
        assert.equal(table['FILE time'], list.file_time);
        for (const name of ['unix_ms', 'webkit', 'cocoa', 'dotnet_ticks', 'ole', 'gps']) assert.equal(table[name], list[name], name);
      }
    });
  }

  test('the current time, between two runs of the program', async () => {
    for (const line of ['/C', '-current']) {
      const earlier = native(line);
      await typeLine(page, line);
      const shown = await textOf(page, '#report');
      const later = native(line);
      assert.match(shown, /^\nDate: \t\t \d\d\.\d\d\.\d+ {2}\d\d:\d\d:\d\d {2}\(UTC\)\n/);
      assert.ok(shown === earlier || shown === later, shown);
    }
  });

  test('a line too long for the box is refused in plain words', async () => {
    await afterRun(page, () => page.evaluate(() => { location.hash = 'x'.repeat(5000); }));
    assert.equal(await textOf(page, '#report'), '');
    assert.match(await answerOf(), /longer than 4096/);
  });
});

// Sets the guided form's fields the way a person does, one event at a time.
async function fillForm(values, on = page) {
  await on.click(`input[name="source"][value="${values.source}"]`);
  for (const [name, value] of Object.entries(values)) {
    if (name === 'source') continue;
    const selector = `#${name}`;
    if (await on.$eval(selector, (element) => element.tagName === 'SELECT')) {
      await on.select(selector, value);
    } else {
      await on.click(selector, { clickCount: 3 });
      await on.keyboard.press('Backspace');
      await on.keyboard.type(value);
    }
  }
}

// The line the form writes for what it shows, asked of the form itself: an
// input event that changes nothing makes it write its line into the box.
const formLine = (on = page) => on.evaluate(() => {
  const box = document.getElementById('args');
  const before = box.value;
  const checked = document.querySelector('input[name="source"]:checked');
  if (!checked) return null;
  const quiet = { date: 'day', number: 'number' }[checked.value];
  (quiet ? document.getElementById(quiet) : checked).dispatchEvent(new Event('input', { bubbles: true }));
  const written = box.value;
  box.value = before;
  return written;
});

describe('the guided form writes the argument line', () => {
  const date = { source: 'date', calendar: 'H', day: '31', month: '12', year: '2016', era: 'CE', time: '' };
  const cases = [
    [{ ...date, time: '23:59:60' }, '31.12.2016 23:59:60'],
    [{ ...date, calendar: 'J', day: '1', month: '01', year: '2000' }, '01.01.2000 /J'],
    [{ ...date, calendar: 'G', day: '01', month: '01', year: '1582', time: '12:00:00' }, '01.01.1582 12:00:00 /G'],
    [{ ...date, year: '1', era: 'BCE', time: '23:59:59' }, '31.12.-1 23:59:59'],
    [{ ...date, day: '15', month: '03', year: '-44' }, '15.03.-44'],
    [{ ...date, day: '29', month: '02', year: '1900', calendar: 'G' }, '29.02.1900 /G'],
    [{ source: 'number', scale: 'e0', number: '63618825627' }, '63618825627'],
    [{ source: 'number', scale: 'e0', number: '0x7FFFFFFF' }, '0x7FFFFFFF'],
    [{ source: 'number', scale: 'e3', number: '63618825627500' }, '63618825627500 /E3'],
    [{ source: 'number', scale: 'e6', number: '-1500000' }, '-1500000 /E6'],
    [{ source: 'number', scale: 'era_day', number: '736330' }, '736330 /D'],
    [{ source: 'number', scale: 'rd_julian', number: '730000' }, '730000 /J'],
    [{ source: 'number', scale: 'rd_gregorian', number: '100' }, '100 /G'],
    [{ source: 'number', scale: 'unix', number: '1483228800' }, '1483228800 /U'],
    [{ source: 'number', scale: 'file_time', number: '12345678' }, '12345678 /F'],
    [{ source: 'number', scale: 'unix_ms', number: '1483228800500' }, '--from=unix_ms 1483228800500'],
    [{ source: 'number', scale: 'iso', number: '2017-01-01T12:00:00Z' }, '--from=iso 2017-01-01T12:00:00Z'],
    [{ source: 'number', scale: 'guess', number: '1483228800' }, '--guess 1483228800'],
    [{ source: 'now' }, '/C'],
  ];
  for (const [values, line] of cases) {
    test(`${JSON.stringify(values)} -> morvek ${line}`, async () => {
      await fillForm(values);
      assert.equal(await boxValue(), line);
      await afterRun(page, () => page.click('button[type="submit"]'));
      if (line !== '/C') assert.equal(await textOf(page, '#report'), native(line));
    });
  }

  test('"From a number" offers every format, each read as the program reads it', async () => {
    const scales = await page.$$eval('#scale option', (options) => options.map((option) => option.value));
    const formats = scales.filter((scale) => scale !== 'guess');
    assert.equal(new Set(formats).size, 24);
    assert.ok(scales.includes('guess'));
    await page.click('input[name="source"][value="number"]');
    for (const format of formats) {
      await page.select('#scale', format);
      // The hint names the format's example: converted, it is the program's answer.
      const [, example] = /Example: (.+)\.$/.exec(await textOf(page, '#scale-hint'));
      await fillForm({ source: 'number', number: example });
      await afterRun(page, () => page.click('button[type="submit"]'));
      const line = await boxValue();
      assert.equal(await textOf(page, '#report'), native(line), line);
      assert.equal(await isProblem(), false, line);
      assert.equal(native(`--from=${format} ${example}`).includes('status        ok'), true, format);
    }
  });

  test('the Now button converts the current time, and the form shows it', async () => {
    await fillForm({ source: 'number', scale: 'file_time', number: '131277024005000000' });
    await afterRun(page, () => page.click('button[type="submit"]'));
    await afterRun(page, () => page.click('#now'));
    assert.equal(await boxValue(), '/C');
    assert.equal(await page.$eval('input[value="now"]', (radio) => radio.checked), true);
    assert.equal(await page.$eval('#from-number', (set) => set.hidden), true);
    assert.equal(await formLine(), '/C');
    assert.match(await textOf(page, '#report'), /\(UTC\)\n/);
    assert.match(await answerOf(), /^Now is \d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d UTC \(Gregorian\), an? \w+day\.$/);
  });

  test('a line typed into the box sets the form, and the form rewrites it', async () => {
    const formHas = async (expected) => {
      const shown = await page.evaluate((names) => Object.fromEntries(names.map((name) => [name,
        name === 'source' ? document.querySelector('input[name="source"]:checked')?.value ?? ''
          : document.getElementById(name).value])),
      Object.keys(expected));
      assert.deepEqual(shown, expected);
    };
    await typeLine(page, '736330 /D');
    await formHas({ source: 'number', scale: 'era_day', number: '736330' });
    await typeLine(page, '31.12.-1 23:59:59');
    await formHas({ source: 'date', calendar: 'H', day: '31', month: '12', year: '1', era: 'BCE', time: '23:59:59' });
    await typeLine(page, '/X 5');  // no shape of the form: it says so, and shows no source
    await formHas({ source: '' });
    assert.equal(await page.$eval('#form-note', (note) => note.hidden), false);
    await typeLine(page, '01.01.2000 /G');
    await formHas({ source: 'date', calendar: 'G', time: '', era: 'CE' });
    await fillForm({ source: 'date', day: '2' });
    assert.equal(await boxValue(), '02.01.2000 /G');
    await typeLine(page, '--from=webkit 13127702400000000');
    await formHas({ source: 'number', scale: 'webkit', number: '13127702400000000' });
  });
});

describe('the answer in words', () => {
  const cases = [
    ['25.12.1642 /J', 'Julian 25.12.1642 is Gregorian 04.01.1643, a Sunday.'],
    ['04.01.1643', 'Gregorian 04.01.1643 is Julian 25.12.1642, a Sunday.'],
    ['04.10.1582', 'Julian 04.10.1582 is Gregorian 14.10.1582, a Thursday.'],
    ['15.10.1582 12:00:00', 'Gregorian 15.10.1582 12:00:00 UTC is Julian 05.10.1582, a Friday.'],
    ['--from=file_time 131277024005000000', 'FILE time 131277024005000000 is 01.01.2017 00:00:00.5 UTC (Gregorian), a Sunday.'],
    ['131277024005000000 /F', 'FILE time 131277024005000000 is 01.01.2017 00:00:00.5 UTC (Gregorian), a Sunday.'],
    ['736330 /D', 'Era Day 736330 is 01.01.2017 (Gregorian), a Sunday.'],
    ['1 /D', 'Era Day 1 is 01.01.1 (Julian), a Monday.'],
    ['--from=iso 2017-01-01', 'The ISO 8601 time 2017-01-01 is 01.01.2017 00:00:00 UTC (Gregorian), a Sunday.'],
    ['31.12.2016 23:59:60', 'Gregorian 31.12.2016 23:59:60 UTC is Julian 18.12.2016, a Saturday; ' +
      'a leap second: the 27th, inserted at the end of 31.12.2016.'],
    ['30.06.1972 23:59:60 /G', 'Gregorian 30.06.1972 23:59:60 UTC is Julian 17.06.1972, a Friday; ' +
      'a leap second: the 1st, inserted at the end of 30.06.1972.'],
  ];
  for (const [line, expected] of cases) {
    test(`morvek ${line}: ${expected}`, async () => {
      await typeLine(page, line);
      assert.equal(await answerOf(), expected);
      assert.equal(await page.title(), `${expected} – Morvek`);
      assert.match(await textOf(page, '#announce'), new RegExp(`^${expected.replace(/[.()]/g, '\\$&')}`));
    });
  }

  test('a day before the Era is Julian, and has no Gregorian date here', async () => {
    await typeLine(page, '15.03.-44');
    const { weekday } = reportDay(native('15.03.-44'));
    assert.equal(await answerOf(),
      `Julian 15.03.-44 (44 BCE) is a ${weekday}; the Gregorian calendar here starts at 01.01.0001.`);
    assert.deepEqual(await page.$$eval('#days tbody td', (cells) => cells.map((cell) => cell.textContent)),
      ['none', 'none', '15.03.-44 (44 BCE)']);
  });

  test('days across the reform and the eras: the answer and the three calendars agree with the program', async () => {
    // Era Days from the first centuries to the far future, around 1582 closely.
    const days = [1, 2, 59, 60, 366, 100000, 577734, 577735, 577736, 577737, 600000, 639906, 719163, 736330, 800000, 3000000];
    for (const eraDay of days) {
      await typeLine(page, `${eraDay} /D`);
      const day = reportDay(native(`${eraDay} /D`));
      const civil = eraDay <= 577735 ? 'Julian' : 'Gregorian';
      assert.equal(await answerOf(), `Era Day ${eraDay} is ${day.date} (${civil}), ${/^[AEIOU]/.test(day.weekday) ? 'an' : 'a'} ${day.weekday}.`);
      const [julian, gregorian, historical] = await page.$$eval('#days tbody td', (cells) => cells.map((cell) => cell.textContent));
      assert.equal(historical, day.date);
      // Each calendar's date, typed into the program in that calendar, is the same day.
      assert.equal(reportDay(native(`${julian} /J`)).eraDay, eraDay, `Julian ${julian}`);
      assert.equal(reportDay(native(`${gregorian} /G`)).eraDay, eraDay, `Gregorian ${gregorian}`);
    }
  });

  test('a date typed in one calendar is named in the other as the program converts it', async () => {
    for (const [date, other] of [['01.03.1700', 'J'], ['18.02.1700', 'J'], ['29.02.1700', 'J'], ['01.01.1900', 'G'], ['29.02.2000', 'G']]) {
      await typeLine(page, `${date} /${other}`);
      const shown = reportDay(native(`${date} /${other}`));
      const typed = other === 'J' ? 'Julian' : 'Gregorian';
      const named = other === 'J' ? 'Gregorian' : 'Julian';
      const answerText = await answerOf();
      assert.ok(answerText.startsWith(`${typed} ${date} is ${named} `), answerText);
      // After the reform the program's own date line is the Gregorian day.
      if (other === 'J') assert.ok(answerText.includes(`Gregorian ${shown.date},`), answerText);
      assert.ok(answerText.endsWith(` ${shown.weekday}.`), answerText);
    }
  });

  test('each day that ended with a leap second says which one; every other 30.06 and 31.12 has none', async () => {
    let count = 0;
    for (let year = 1972; year <= 2016; year++) {
      for (const day of ['30.06', '31.12']) {
        const line = `${day}.${year} 23:59:60`;
        await typeLine(page, line);
        const report = native(line);
        if (report.includes('non-existent time')) {
          assert.match(await answerOf(), new RegExp(`^${day}\\.${year} has no leap second`));
          assert.equal(await focused(page), 'time');
          continue;
        }
        count += 1;
        const [, inserted] = /^Leap Seconds:\s+(\d+)/m.exec(report);
        assert.equal(Number(inserted), count, line);
        const ordinal = `${count}${count === 1 || count === 21 ? 'st' : count === 2 || count === 22 ? 'nd' : count === 3 || count === 23 ? 'rd' : 'th'}`;
        assert.ok((await answerOf()).endsWith(`; a leap second: the ${ordinal}, inserted at the end of ${day}.${year}.`), line);
      }
    }
    assert.equal(count, 27);
  });
});

describe('a failure is shown on the field that caused it', () => {
  // line, the field marked and focused, the words beside it
  const cases = [
    ['32.01.2000', 'day', /^The day of 32\.01\.2000 is not read: a day is 1 to 31\.$/],
    ['31.02.2000', 'day', /^February has no day 31\.$/],
    ['29.02.1900', 'day', /^1900 is not a leap year in the historical calendar/],
    ['10.10.1582', 'day', /04\.10\.1582 was followed by 15\.10\.1582/],
    ['01.01.0', 'year', /^There is no year 0/],
    ['01.01.-5 /J', 'year', /Julian calendar here starts at 01\.01\.0001/],
    ['01.01.292279', 'year', /too big/],
    ['01.01.2000 24:00:00', 'time', /^The hour of 24:00:00 is not read: an hour is 0 to 23\.$/],
    ['01.01.2000 12:00', 'time', /^12:00 is not a time of day: write hh:mm:ss/],
    ['01.01.2000 23:59:60', 'time', /^01\.01\.2000 has no leap second/],
    ['31.12.2016 23:58:60', 'time', /^23:58:60 does not exist: a second 60 is only ever 23:59:60/],
    ['23:59', 'args', /^23:59 is a time of day: the program reads it after a date/],
    ['2017-01-01', 'number', /^The program does not read 2017-01-01/],
    ['2017-01-01T12:00:00Z', 'args', /^The program does not read 2017-01-01T12:00:00Z/],
    ['1,483,228,800', 'number', /^1,483,228,800 is written in groups/],
    ['1483228800.5', 'number', /^1483228800\.5 has a fraction: the program's scales read whole numbers only\.$/],
    ['abc /U', 'number', /^abc has no digits/],
    ['0 /D', 'number', /^There is no Era Day 0/],
    ['0 /J', 'number', /^Day 0 of the Julian day count does not exist/],
    ['9223372036855', 'number', /^The number is too big/],
    ['5 /X', 'args', /^\/X is not a switch the program reads there/],
    ['1 2 3 4', 'args', /^The program takes at most three arguments; 4 is a fourth\.$/],
    ['--from=unix abc', 'number', /^abc is not a value of unix: seconds from 01\.01\.1970/],
    ['--from=unix 99999999999999999', 'number', /^99999999999999999 lies beyond the range of unix\.$/],
    ['--from=excel 60', 'number', /^60 - non-existent date in excel: the date it names does not exist\.$/],
    ['--from=bogus 5', 'args', /^bogus is not a format the program knows\.$/],
    ['--batch', 'args', /^The page runs the program's conversions.*--batch is an option of the program itself\.$/],
  ];
  for (const [line, id, words] of cases) {
    test(`morvek ${line}: ${id}`, async () => {
      await typeLine(page, line);
      assert.equal(await focused(page), id);
      assert.equal(await isProblem(), true);
      const mark = await page.$eval(`#${id}`, (element) => ({
        invalid: element.getAttribute('aria-invalid'),
        described: (element.getAttribute('aria-describedby') || '').split(' '),
      }));
      assert.equal(mark.invalid, 'true');
      assert.ok(mark.described.includes(`${id}-error`));
      const beside = await textOf(page, `#${id}-error`);
      assert.match(beside, words);
      assert.equal(await answerOf(), beside);
      assert.equal(await page.$$eval('[aria-invalid]', (marked) => marked.length), 1);
      assert.ok(await inView(page, `#${id}`), 'the marked field is on the screen');
    });
  }

  test('a good line clears the mark', async () => {
    await typeLine(page, '32.01.2000');
    await typeLine(page, '31.01.2000');
    assert.equal(await page.$$eval('[aria-invalid], .field-error', (marked) => marked.length), 0);
    assert.equal(await isProblem(), false);
  });

  test('a line a format reads is offered as that format, never converted silently', async () => {
    for (const [line, question, format] of [
      ['2017-01-01', 'Did you mean the ISO 8601 time 2017-01-01?', 'iso'],
      ['2017-01-01T12:00:00Z', 'Did you mean the ISO 8601 time 2017-01-01T12:00:00Z?', 'iso'],
      ['1483228800.5', 'Did you mean the cocoa value 1483228800.5?', 'cocoa'],
    ]) {
      await typeLine(page, line);
      assert.equal(await page.$eval('#values-pane', (pane) => pane.hidden), true, 'nothing converted');
      assert.equal(await textOf(page, '#readings-intro'), question);
      const offered = `--from=${format} ${line}`;
      await afterRun(page, () => page.click('#readings-list button'));
      assert.equal(await boxValue(), offered);
      assert.equal(await textOf(page, '#report'), native(offered));
      assert.equal(await isProblem(), false);
    }
    await typeLine(page, '1,483,228,800');
    assert.equal(await textOf(page, '#readings-intro'), 'Did you mean 1483228800?');
    await afterRun(page, () => page.click('#readings-list button'));
    assert.equal(await boxValue(), '1483228800');
  });
});

describe('plausibility: a number far from today, and octal', () => {
  test('Unix milliseconds read as Unix seconds show the readings of the same number', async () => {
    await typeLine(page, '1483228800500 /U');
    assert.match(await answerOf(), /^Unix time 1483228800500 is 26\.08\.48971 /);
    assert.equal(await page.$eval('#readings', (box) => box.hidden), false);
    const years = 48971 - new Date().getUTCFullYear();
    assert.ok((await textOf(page, '#readings-intro')).startsWith(`This is ${years.toLocaleString('en')} years from today.`));
    const readings = await page.$$eval('#readings-list li', (items) => items.map((item) => item.firstChild.textContent));
    assert.ok(readings.includes('unix_ms: 01.01.2017 00:00:00.5 UTC (Gregorian)'), readings.join('\n'));
    // The same formats the program's guesser names.
    const guessed = native('--guess 1483228800500').trim().split('\n').map((row) => row.split(' ')[0]);
    assert.deepEqual(readings.map((reading) => reading.split(':')[0]), guessed);
    await afterRun(page, async () => {
      const buttons = await page.$$('#readings-list button');
      await buttons[guessed.indexOf('unix_ms')].click();
    });
    assert.equal(await boxValue(), '--from=unix_ms 1483228800500');
    assert.equal(await answerOf(), 'unix_ms 1483228800500 is 01.01.2017 00:00:00.5 UTC (Gregorian), a Sunday.');
    assert.equal(await page.$eval('#readings', (box) => box.hidden), true);
  });

  test('the readings show exactly for results more than 200 years from today, from a number', async () => {
    const thisYear = new Date().getUTCFullYear();
    for (const line of ['700000 /D', '730000 /D', '740000 /D', '800000 /D', '1483228800 /U', '-1 /U', '99999999999 /U', '10000 /E']) {
      await typeLine(page, line);
      const [, year] = /\.(-?\d+)$/.exec(reportDay(native(line)).date);
      const far = Math.abs(Number(year) - thisYear) > 200;
      assert.equal(await page.$eval('#readings', (box) => !box.hidden), far, line);
    }
    await typeLine(page, '01.01.1000');  // a date typed is meant as it is
    assert.equal(await page.$eval('#readings', (box) => box.hidden), true);
  });

  test('a leading zero read as octal says so', async () => {
    for (const [line, read] of [['08 /U', '0'], ['017 /D', '15'], ['0777', '511']]) {
      await typeLine(page, line);
      assert.equal(await textOf(page, '#notes'), `A leading 0 makes the program read ${line.split(' ')[0]} as an octal number: it reads ${read}.`);
    }
    await typeLine(page, '17 /D');
    assert.equal(await page.$eval('#notes', (notes) => notes.hidden), true);
  });

  test('"What is this number?" lists what the program guesses, each one converted by a click', async () => {
    await fillForm({ source: 'number', scale: 'guess', number: '1483228800' });
    await afterRun(page, () => page.keyboard.press('Enter'));
    assert.equal(await textOf(page, '#report'), native('--guess 1483228800'));
    const guessed = native('--guess 1483228800').trim().split('\n').map((row) => row.split(' ')[0]);
    assert.equal(await answerOf(), `1483228800 is a moment from 1970 to 2099 in ${guessed.length} formats.`);
    const buttons = await page.$$eval('#readings-list button', (all) => all.map((button) => button.textContent));
    assert.equal(buttons.length, guessed.length);
    await afterRun(page, async () => {
      const all = await page.$$('#readings-list button');
      await all[guessed.indexOf('unix')].click();
    });
    assert.equal(await boxValue(), '1483228800 /U');
    assert.equal(await answerOf(), 'Unix time 1483228800 is 01.01.2017 00:00:00 UTC (Gregorian), a Sunday.');
  });
});

describe('form and box show the same line on every path', () => {
  test('typing a date into the box leaves no stale number behind', async () => {
    await typeLine(page, '736330 /D');
    await page.$eval('#args', (box) => { box.value = ''; });
    await page.focus('#args');
    await page.keyboard.type('31.02.2000');
    assert.equal(await formLine(), '31.02.2000');
    await page.click('input[name="source"][value="number"]');
    // The number shown is the moment last converted, on the scale the box last named (E0, for "31").
    const { e0 } = listOf(native('--from=era_day 736330'));
    assert.equal(await page.$eval('#number', (input) => input.value), e0);
    assert.equal(await boxValue(), e0);
    assert.equal(await formLine(), await boxValue());
  });

  test('switching the source or the scale rewrites the box, never to nothing', async () => {
    await typeLine(page, '1483228800 /U');
    for (const [source, expected] of [['date', '01.01.2017'], ['number', '1483228800 /U'], ['now', '/C']]) {
      await page.click(`input[name="source"][value="${source}"]`);
      assert.equal(await boxValue(), expected);
      assert.equal(await formLine(), expected);
    }
    await page.click('input[name="source"][value="number"]');
    await page.select('#scale', 'unix_ms');
    assert.equal(await boxValue(), '--from=unix_ms 1483228800');
  });

  test('first open, Now and Back', async () => {
    const fresh = await openPage(browser);
    try {
      assert.equal(await boxValue(fresh), '/C');
      assert.equal(await formLine(fresh), '/C');
      await typeLine(fresh, '25.12.1642 /J');
      await typeLine(fresh, '736330 /D');
      await afterRun(fresh, () => fresh.click('#now'));
      assert.equal(await formLine(fresh), '/C');
      await afterRun(fresh, () => fresh.goBack());
      assert.equal(await boxValue(fresh), '736330 /D');
      assert.equal(await formLine(fresh), '736330 /D');
      await afterRun(fresh, () => fresh.goBack());
      assert.equal(await boxValue(fresh), '25.12.1642 /J');
      assert.equal(await formLine(fresh), '25.12.1642 /J');
      assert.equal(await answerOf(fresh), 'Julian 25.12.1642 is Gregorian 04.01.1643, a Sunday.');
      assert.equal(await fresh.title(), 'Julian 25.12.1642 is Gregorian 04.01.1643, a Sunday. – Morvek');
    } finally {
      await fresh.close();
    }
  });
});

describe("the historian's calendar and the span between two moments", () => {
  const days = () => page.$$eval('#days tbody td', (cells) => cells.map((cell) => cell.textContent));
  // The program's list beside the page's calendars and values, for lines with a calendar option.
  const historianRows = {
    dual_date: /^Dual date, Old Style\/New Style \(historical, years from /, day_of_year: /^Day of the year \(historical/,
    iso_week: /^ISO week \(ISO 8601, Gregorian\)$/, easter_julian: /^Easter that year, Julian computus \(Julian date\)$/,
    easter_gregorian: /^Easter that year, Gregorian computus \(Gregorian date\)$/,
  };
  async function assertHistorianMatches(line) {
    const list = listOf(native(line));
    const table = await valuesOf(page);
    assert.deepEqual(await days(), [list.julian_date ?? 'none', list.gregorian_date ?? 'none', list.historical_date], line);
    assert.equal(table['Day of the week'], list.weekday, line);
    assert.equal(table['Era Day'], list.era_day, line);
    for (const [name, label] of Object.entries(historianRows)) {
      const rows = Object.keys(table).filter((row) => label.test(row));
      assert.deepEqual(rows.map((row) => table[row]), list[name] ? [list[name]] : [], `${line}: ${name}`);
    }
  }

  test('each calendar option reaches the library: the days, the dual date, the week, the Easters', async () => {
    for (const line of lines.filter((each) => /^--(reform|year-start)=[^ ]+ [^-]/.test(each))) {
      await typeLine(page, line);
      if (listOf(native(line)).status === 'ok') await assertHistorianMatches(line);
    }
  });

  test('the form writes Britain and the annunciation style, and reads them back from the box', async () => {
    const register = { source: 'date', calendar: 'H', day: '11', month: '02', year: '1730/31', era: 'CE', time: '' };
    await fillForm({ ...register, reform: 'britain', 'year-start': 'annunciation', until: '' });
    const line = '--reform=britain --year-start=annunciation 11.02.1730/31';
    assert.equal(await boxValue(), line);
    await afterRun(page, () => page.click('button[type="submit"]'));
    await assertHistorianMatches(line);
    assert.equal(await answerOf(), `Julian 11.02.1731 is Gregorian ${listOf(native(line)).gregorian_date}, a Thursday.`);
    // Another calendar hides the choices and leaves them out of the line.
    await page.select('#calendar', 'J');
    assert.equal(await page.$eval('#reform', (select) => select.closest('.field').hidden), true);
    assert.equal(await boxValue(), '11.02.1730/31 /J');
    for (const [typed, reform, style] of [[line, 'britain', 'annunciation'], ['--reform=russia 25.10.1917', 'russia', 'january']]) {
      await typeLine(page, typed);
      assert.deepEqual(await page.$eval('#convert', (form) => [form.reform.value, form.elements['year-start'].value]),
        [reform, style]);
      assert.equal(await formLine(), typed);
    }
  });

  test('Shakespeare and Cervantes: ten days apart, the span as the program counts it', async () => {
    const cases = [
      [{ day: '23', month: '04', year: '1616', reform: 'britain', until: '23.04.1616 /G' },
        '--reform=britain --between 23.04.1616 -- 23.04.1616 /G'],
      [{ day: '31', month: '12', year: '2016', time: '23:59:59', reform: 'rome', until: '01.01.2017 00:00:00' },
        '--between 31.12.2016 23:59:59 -- 01.01.2017 00:00:00'],
      [{ day: '18', month: '02', year: '1700', reform: 'denmark', until: '01.03.1700' },
        '--reform=denmark --between 18.02.1700 -- 01.03.1700'],
    ];
    for (const [values, line] of cases) {
      await fillForm({ source: 'date', calendar: 'H', era: 'CE', time: '', 'year-start': 'january', ...values });
      assert.equal(await boxValue(), line);
      await afterRun(page, () => page.click('button[type="submit"]'));
      const [, programDays, programSeconds] = /^days\t(-?\d+)\nseconds\t(-?[\d.]+)\n$/.exec(native(line));
      const table = await valuesOf(page);
      assert.equal(table[`Days until ${values.until}`], programDays, line);
      assert.equal(table[`SI seconds until ${values.until}, leap seconds counted`], programSeconds, line);
      assert.equal(await textOf(page, '#report'), native(line));
      assert.ok((await answerOf()).endsWith(`To ${values.until}: ${programDays} day${Math.abs(programDays) === 1 ? '' : 's'}` +
        ` and ${programSeconds} SI seconds, leap seconds counted.`), await answerOf());
    }
    // The reform's ten days, and the leap second's two seconds, the other way round too.
    assert.equal(native('--reform=britain --between 23.04.1616 -- 23.04.1616 /G'), 'days\t-10\nseconds\t-864000\n');
  });

  test('a failing second moment is marked on its own field', async () => {
    await fillForm({ source: 'date', calendar: 'H', day: '01', month: '01', year: '2017', era: 'CE', time: '',
      reform: 'rome', 'year-start': 'january', until: '31.02.2017' });
    await afterRun(page, () => page.click('button[type="submit"]'));
    assert.equal(await isProblem(), true);
    assert.equal(await focused(page), 'until');
    assert.match(await textOf(page, '#until-error'), /February has no day 31/);
    await typeLine(page, '--reform=britain 10.09.1752');
    assert.equal(await focused(page), 'day');
    assert.match(await textOf(page, '#day-error'), /02\.09\.1752 was followed by 14\.09\.1752/);
    await typeLine(page, '--reform=england 01.01.1700');
    assert.equal(await focused(page), 'args');
    assert.equal(spawnSync(nativeBinary, ['--reform=england', '01.01.1700']).status, 2);
  });

  test("Easter of each year is the program's, by both computus", async () => {
    const years = [1583, 1616, 1700, 1752, 1818, 1917, 2000, 2024, 2025, 2038];
    const run = spawnSync(nativeBinary, ['--batch', '--format=tsv', '--fields=date,easter_julian,easter_gregorian'],
      { input: years.map((year) => `01.06.${year}\n`).join(''), encoding: 'utf8' });
    const rows = run.stdout.trim().split('\n').map((row) => row.split('\t'));
    assert.equal(rows.length, years.length);
    for (const [date, julian, gregorian] of rows) {
      await typeLine(page, date);
      const table = await valuesOf(page);
      assert.equal(table['Easter that year, Julian computus (Julian date)'], julian, date);
      assert.equal(table['Easter that year, Gregorian computus (Gregorian date)'], gregorian, date);
    }
  });

  test('the settings and the second moment come back from a shared address', async () => {
    const line = '--reform=britain --year-start=annunciation --between 11.02.1730/31 -- 23.04.1731 /G';
    await typeLine(page, line);
    assert.equal(await lineInAddress(page), line);
    const shared = await openPage(browser, encodeURI(line));
    try {
      assert.equal(await shared.$eval('#args', (box) => box.value), line);
      assert.deepEqual(await shared.$eval('#convert', (form) =>
        [form.reform.value, form.elements['year-start'].value, form.year.value, form.until.value]),
      ['britain', 'annunciation', '1730/31', '23.04.1731 /G']);
      assert.equal(await textOf(shared, '#report'), native(line));
      assert.equal(await formLine(shared), line);
    } finally {
      await shared.close();
    }
  });
});

describe('the address', () => {
  test('an address with a fragment opens on its result, and follows back and forward', async () => {
    const shared = await openPage(browser, '31.12.2016%2023:59:60');
    try {
      assert.equal(await textOf(shared, '#report'), native('31.12.2016 23:59:60'));
      assert.equal(await shared.$eval('#args', (box) => box.value), '31.12.2016 23:59:60');
      assert.equal(await shared.$eval('#time', (time) => time.value), '23:59:60');
      await afterRun(shared, () => shared.evaluate(() => { location.hash = '736330%09/D'; }));
      assert.equal(await textOf(shared, '#report'), native('736330\t/D'));
      await afterRun(shared, () => shared.goBack());
      assert.equal(await textOf(shared, '#report'), native('31.12.2016 23:59:60'));
    } finally {
      await shared.close();
    }
  });

  test('an address without arguments shows the usage text', async () => {
    const empty = await openPage(browser, '');
    assert.equal(await textOf(empty, '#report'), native(''));
    assert.equal(await answerOf(empty), 'Without arguments the program prints its usage text.');
    await empty.close();
  });

  test('the page works from a static web server too', async () => {
    const { server, url } = await serve();
    try {
      const served = await openPage(browser, '1483228800%20/U', { url });
      assert.equal(await textOf(served, '#report'), native('1483228800 /U'));
      assert.ok(requests.some((request) => request === `${new URL('morvek.js', url)}`));
      await served.close();
    } finally {
      server.close();
    }
  });
});

describe('people and their devices', () => {
  for (const [width, height] of [[360, 740], [1280, 900]]) {
    test(`at ${width}x${height} the answer is on the screen after Convert, a shared link and a failure`, async () => {
      const shared = await openPage(browser, '25.12.1642%20/J', { width, height });
      try {
        assert.ok(await inView(shared, '#answer'), 'a shared link shows its answer');
        await shared.evaluate(() => window.scrollTo(0, 0));
        assert.ok(await shared.$eval('button[type="submit"]', (button) => button.getBoundingClientRect().bottom <= window.innerHeight),
          'Convert is on the first screen');
        await fillForm({ source: 'number', scale: 'file_time', number: '131277024005000000' }, shared);
        await afterRun(shared, () => shared.click('button[type="submit"]'));
        assert.ok(await inView(shared, '#answer'), 'Convert shows the answer');
        const top = await shared.$eval('#answer', (element) => element.getBoundingClientRect().top);
        if (width === 360) assert.ok(top < 40, `the answer heads the phone's screen (${top})`);
        // On a phone the values come before the program's output, which stays folded.
        const order = await shared.$eval('#values-pane', (pane) =>
          pane.compareDocumentPosition(document.getElementById('output')) & Node.DOCUMENT_POSITION_FOLLOWING);
        assert.ok(order);
        assert.equal(await shared.$eval('#output', (details) => details.open), width > 1000);
        assert.ok(await shared.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth));
        assert.ok(await shared.$eval('#report', (pre) => pre.scrollWidth > pre.clientWidth || getComputedStyle(pre).overflowX === 'auto'));
        await fillForm({ source: 'date', day: '31', month: '02', year: '2000', calendar: 'H', time: '' }, shared);
        await afterRun(shared, () => shared.click('button[type="submit"]'));
        assert.equal(await focused(shared), 'day');
        assert.ok(await inView(shared, '#day'));
        assert.ok(await inView(shared, '#day-error'));
      } finally {
        await shared.close();
      }
    });
  }

  test('every field has a label, every button a name, and Tab follows the form', async () => {
    const unlabelled = await page.$$eval('input, select', (fields) => fields.filter((f) => f.labels.length === 0).map((f) => f.id));
    assert.deepEqual(unlabelled, []);
    await typeLine(page, '01.01.2017');
    for (const button of await page.$$('button')) {
      const node = await page.accessibility.snapshot({ root: button });
      assert.match(node.name, /^(Convert|Now|Copy .+|Convert as .+)$/);
    }
    assert.equal(await page.$eval('#announce', (region) => region.getAttribute('aria-live')), 'polite');
    assert.equal(await page.$eval('#answer', (region) => region.getAttribute('role')), 'status');
    assert.match(await textOf(page, '#announce'), /^Gregorian 01\.01\.2017 is Julian 19\.12\.2016, a Sunday\./);

    await page.click('header p');  // Tab starts from the top
    const order = [];
    for (let i = 0; i < 12; i++) {
      await page.keyboard.press('Tab');
      order.push(await page.evaluate(() => document.activeElement.id || document.activeElement.name || document.activeElement.textContent));
    }
    assert.deepEqual(order, ['source', 'calendar', 'reform', 'year-start', 'day', 'month', 'year', 'era', 'time', 'until',
      'args', 'Convert']);
  });

  test('Enter converts from every control', async () => {
    await typeLine(page, '01.01.2017');
    for (const id of ['calendar', 'reform', 'year-start', 'day', 'month', 'year', 'era', 'time', 'until', 'args']) {
      await page.focus(`#${id}`);
      await afterRun(page, () => page.keyboard.press('Enter'));
    }
    await page.focus('input[name="source"]:checked');
    await afterRun(page, () => page.keyboard.press('Enter'));
    await typeLine(page, '1483228800 /U');
    for (const id of ['scale', 'number']) {
      await page.focus(`#${id}`);
      await afterRun(page, () => page.keyboard.press('Enter'));
    }
    assert.equal(await lineInAddress(page), '1483228800 /U');
  });

  test('the month is typed by its name or its number', async () => {
    await typeLine(page, '01.01.2017');
    for (const [keys, month] of [['mar', '03'], ['12', '12'], ['9', '09'], ['dec', '12'], ['ju', '06'], ['jul', '07'], ['f', '02']]) {
      await page.focus('#month');
      await new Promise((pause) => setTimeout(pause, 1100));  // a new word
      await page.keyboard.type(keys);
      assert.equal(await page.$eval('#month', (select) => select.value), month, keys);
      assert.equal(await boxValue(), `01.${month}.2017`);
    }
  });

  test('a copy button copies its value and says so for a moment', async () => {
    await typeLine(page, '63618825627500 /E3');
    await page.evaluate(() => {
      window.copied = [];
      navigator.clipboard.writeText = async (text) => { window.copied.push(text); };
    });
    const row = await page.$$eval('#values tr', (rows) => rows.findIndex((r) => r.cells[0].textContent === 'E6, microseconds'));
    const button = `#values tr:nth-child(${row + 1}) button`;
    await page.click(button);
    await page.waitForFunction(() => window.copied.length > 0);
    assert.deepEqual(await page.evaluate(() => window.copied), [/E6 time:\s+(\d+)/.exec(native('63618825627500 /E3'))[1]]);
    assert.equal(await page.$eval(button, (b) => b.firstChild.textContent), 'Copied');
    await page.waitForFunction((selector) => document.querySelector(selector).firstChild.textContent === 'Copy', { timeout: 3000 }, button);
  });

  test('axe-core finds nothing serious: first view, a result, each kind of failure, light and dark', async () => {
    const findings = {};
    for (const scheme of ['light', 'dark']) {
      for (const width of [360, 1280]) {
        const view = await openPage(browser, undefined, { width, scheme });
        findings[`${scheme} ${width} first view`] = await accessibilityFindings(view);
        for (const line of ['25.12.1642 /J', '1483228800500 /U', '08 /U', '31.12.2016 23:59:60', '--guess 1483228800',
          '32.01.2000', '31.02.2000', '01.01.2000 24:00:00', '01.01.2000 23:59:60', '2017-01-01', '1,483,228,800',
          '0 /D', '5 /X', '--from=unix abc', '--batch', '']) {
          await typeLine(view, line);
          findings[`${scheme} ${width} ${line}`] = await accessibilityFindings(view);
        }
        await view.close();
      }
    }
    const found = Object.entries(findings).filter(([, items]) => items.length > 0);
    assert.deepEqual(found, []);
  });

  test('readable at 360 px, light and dark, with a screenshot at desktop width', async (t) => {
    const backgrounds = {};
    for (const scheme of ['light', 'dark']) {
      for (const fragment of ['730000%20/J', '31.02.2000', '', '--from=unix_ms%201483228800500', '1483228800500%20/U']) {
        const narrow = await openPage(browser, fragment, { width: 360, height: 740, scheme });
        assert.ok(await narrow.evaluate(() => document.documentElement.scrollWidth <= 360), `${scheme} #${fragment}`);
        // Every list shows its options' whole text: none is held narrower than its longest.
        const cut = await narrow.$$eval('select', (selects) => {
          const measure = document.createElement('canvas').getContext('2d');
          return selects.filter((select) => !select.closest('[hidden]')).filter((select) => {
            measure.font = getComputedStyle(select).font;
            const longest = Math.max(...[...select.options].map((option) => measure.measureText(option.text).width));
            return longest + 20 > select.clientWidth;
          }).map((select) => select.id);
        });
        assert.deepEqual(cut, [], `${scheme} #${fragment}`);
        backgrounds[scheme] = await narrow.evaluate(() => getComputedStyle(document.body).backgroundColor);
        await narrow.close();
      }
    }
    assert.notEqual(backgrounds.light, backgrounds.dark);

    const shot = process.env.MORVEK_SCREENSHOT ?? join(tmpdir(), 'morvek-page.png');
    const wide = await openPage(browser, '25.12.1642%20/J', { width: 1280, height: 900 });
    await wide.evaluate(() => { document.activeElement.blur(); window.scrollTo(0, 0); });
    // The README's picture is replaced only when asked for; a run leaves the
    // page's folder and the tracked file alone.
    await wide.screenshot({ path: shot });
    await wide.close();
    t.diagnostic(`screenshot: ${shot}`);
    if (process.env.MORVEK_UPDATE_SCREENSHOT === '1') {
      copyFileSync(shot, fileURLToPath(new URL('../screenshot.png', import.meta.url)));
    }
  });
});

describe('the page itself', () => {
  test(`its files stay under ${maxPageBytes} bytes, and the first result comes within ${firstResultBudgetMs} ms`, async (t) => {
    const files = readdirSync(pageDir);
    const bytes = files.reduce((sum, name) => sum + statSync(join(pageDir, name)).size, 0);
    t.diagnostic(`page size: ${bytes} bytes in ${files.join(', ')}`);
    assert.ok(bytes < maxPageBytes, `${bytes} bytes`);

    // From opening the page, and from its scripts' arrival (the page's own
    // work: the WebAssembly compiled, the line converted and shown).
    const since = (mark) => performance.getEntriesByName('morvek-first-result')[0].startTime -
      (mark ? performance.getEntriesByName(mark)[0].startTime : 0);
    const times = [];
    const own = [];
    for (let i = 0; i < 5; i++) {
      const fresh = await openPage(browser, '01.01.2017');
      times.push(await fresh.evaluate(since));
      own.push(await fresh.evaluate(since, 'morvek-scripts'));
      await fresh.close();
    }
    const first = await page.evaluate(since);
    const median = (values) => [...values].sort((a, b) => a - b)[2];
    t.diagnostic(`first result after ${first.toFixed(0)} ms on the first load, median ${median(times).toFixed(0)} ms ` +
      `over 5 more, of which the page's own work ${median(own).toFixed(0)} ms`);
    assert.ok(own.every((time, i) => time > 0 && time < times[i]));
    assert.ok(median(own) < firstResultBudgetMs, `the page's own work: median ${median(own).toFixed(0)} ms`);
  });

  test('no console error, no page error, no request beyond its own files', () => {
    assert.ok(requests.some((url) => url.endsWith('/morvek.js')), 'the watcher sees requests');
    assert.deepEqual(faults, []);
  });
});
