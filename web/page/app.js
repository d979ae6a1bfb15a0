// The page: keeps the guided form, the argument box and the address in step,
// and shows what the library makes of the argument line.
(function () {
  'use strict';

  const byId = (id) => document.getElementById(id);
  const form = byId('convert');
  const field = {
    day: byId('day'), month: byId('month'), year: byId('year'), era: byId('era'),
    calendar: byId('calendar'), time: byId('time'), scale: byId('scale'), number: byId('number'),
  };
  const box = byId('args');
  const resultSection = byId('result');

  // The number forms' switches; E0 is the bare number.
  const scaleSwitch = { E0: '', E3: '/E3', E6: '/E6', D: '/D', RJ: '/J', RG: '/G', U: '/U', F: '/F' };
  // The library's calendar names as a sentence writes them.
  const calendarWords = { historical: 'historical', julian: 'Julian', gregorian: 'Gregorian' };
  const monthNames = ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August',
    'September', 'October', 'November', 'December'];

  // The shell's unquoted splitting, as the glue splits too.
  const wordsOf = (line) => line.split(/[ \t\n]+/).filter((word) => word !== '');

  function source() {
    return form.elements.source.value;
  }

  function showSource(value) {
    form.elements.source.value = value;
    byId('from-date').hidden = value !== 'date';
    byId('from-number').hidden = value !== 'number';
  }

  // --- Form to line and back -------------------------------------------------

  function lineFromForm() {
    if (source() === 'number') {
      const number = field.number.value.trim();
      const suffix = scaleSwitch[field.scale.value];
      return suffix ? `${number} ${suffix}` : number;
    }
    const day = field.day.value.trim();
    let year = field.year.value.trim();
    if (field.era.value === 'BCE' && year !== '' && !year.startsWith('-')) year = `-${year}`;
    const words = [`${day.length === 1 ? '0' + day : day}.${field.month.value}.${year}`];
    const time = field.time.value.trim();
    if (time !== '') words.push(time);
    if (field.calendar.value !== 'H') words.push(`/${field.calendar.value}`);
    return words.join(' ');
  }

  // The switch a word names, the way the program reads them: '/' or '-',
  // then a letter whose followers do not count, except after E: nothing,
  // 0, 3 or 6.
  function switchOf(word) {
    const match = /^[/-]([a-z])(.?)/i.exec(word);
    if (!match) return null;
    const letter = match[1].toUpperCase();
    if (letter !== 'E') return letter;
    return { '': 'E0', 0: 'E0', 3: 'E3', 6: 'E6' }[match[2]] ?? null;
  }

  const datePattern = /^(\d{1,2})\.(\d{1,2})\.(-?\d+)$/;
  const timePattern = /^\d{1,2}:\d{1,2}:\d{1,2}$/;
  const numberPattern = /^-?(\d+|0x[0-9a-f]+)$/i;

  // The form's fields for a line of one of the form's shapes, else null.
  function formFromLine(line) {
    const words = wordsOf(line);
    if (words.length === 0 || words.length > 3) return null;
    const date = datePattern.exec(words[0]);
    if (date) {
      const month = Number(date[2]);
      if (month < 1 || month > 12) return null;
      const rest = words.slice(1);
      const time = rest.length > 0 && timePattern.test(rest[0]) ? rest.shift() : '';
      const calendar = rest.length === 0 ? 'H' : switchOf(rest[0]);
      if (rest.length > 1 || (calendar !== 'H' && calendar !== 'J' && calendar !== 'G')) return null;
      const bce = date[3].startsWith('-');
      return {
        source: 'date', calendar, day: date[1], month: String(month).padStart(2, '0'),
        year: bce ? date[3].slice(1) : date[3], era: bce ? 'BCE' : 'CE', time,
      };
    }
    if (!numberPattern.test(words[0]) || words.length > 2) return null;
    const letter = words.length === 2 ? switchOf(words[1]) : 'E0';
    const scale = { J: 'RJ', G: 'RG' }[letter] || letter;
    if (!Object.hasOwn(scaleSwitch, scale)) return null;
    return { source: 'number', scale, number: words[0] };
  }

  function fillForm(values) {
    showSource(values.source);
    for (const [name, value] of Object.entries(values)) {
      if (field[name]) field[name].value = value;
    }
  }

  // Today's date, so that the form starts on something real.
  function fillToday() {
    const now = new Date();
    field.day.value = String(now.getUTCDate()).padStart(2, '0');
    field.month.value = String(now.getUTCMonth() + 1).padStart(2, '0');
    field.year.value = String(now.getUTCFullYear());
  }

  // --- The address -----------------------------------------------------------

  // Spaces become %20 and '#' %23; ':' and '/' stay readable. A lone
  // surrogate has no UTF-8 form, so such a line keeps no address.
  function fragmentOf(line) {
    try {
      return encodeURI(line).replace(/#/g, '%23');
    } catch (error) {
      return null;
    }
  }

  function lineFromAddress() {
    const fragment = location.hash.slice(1);
    try {
      return decodeURIComponent(fragment);
    } catch (error) {
      return fragment;  // a stray '%': take the text as it stands
    }
  }

  // --- The result ------------------------------------------------------------

  function problemFor(result, words) {
    const [first = '', second = ''] = words;
    switch (result.outcome) {
      case 'usage':
        return words.length === 0
          ? 'Without arguments the program prints its usage text.'
          : 'The program does not read these arguments: the form is not one it knows, or a field is out of ' +
            'range (day above 31, month above 12, hour above 23, minute or second above 59).';
      case 'nonexistent-date':
        return result.dateFault
          ? dateProblem(result)
          : `Day ${first} of the ${switchOf(second) === 'G' ? 'Gregorian' : 'Julian'} day count does not ` +
            'exist: the count starts at day 1, 01.01.0001.';
      case 'nonexistent-time':
        return /^23:59:60$/.test(second)
          ? `${first} has no leap second: 23:59:60 exists only at the end of the 27 days on which one was ` +
            'inserted, from 30.06.1972 to 31.12.2016.'
          : `${second} does not exist: a second 60 is only ever 23:59:60, on a day with a leap second.`;
      case 'too-big':
        return 'The number is too big: the moment must lie within about 292,000 years of 01.01.0001 ' +
          '(its E6 must fit in 64 bits), and each scale has its own limit.';
      case 'era-day-zero':
        return 'There is no Era Day 0: day 1 is 01.01.0001 and day -1 is 31.12.-1, the day before it.';
      case 'too-long':
        return 'The line is longer than 4096 characters.';
      default:
        return '';
    }
  }

  // The library says why the date does not exist; this only words it.
  function dateProblem(result) {
    const date = result.faultDate;
    const calendar = calendarWords[result.faultCalendar];
    const [day, month, year] = date.split('.');
    switch (result.dateFault) {
      case 'year-zero':
        return 'There is no year 0: the year before 1 CE is 1 BCE, written -1.';
      case 'year-before-era':
        return `The ${calendar} calendar here starts at 01.01.0001: years BCE are in the historical calendar.`;
      case 'reform-gap':
        return 'The reform of 1582 skipped 05.10 to 14.10.1582: 04.10.1582 was followed by 15.10.1582.';
      case 'not-a-leap-year':
        return `${year} is not a leap year in the ${calendar} calendar: February ${year} has 28 days.`;
      case 'day-not-in-month':
        return `${monthNames[Number(month) - 1] || 'That month'} has no day ${Number(day)}.`;
      default:
        return `${date} is not a date of the ${calendar} calendar.`;
    }
  }

  function valueRows(result) {
    const rows = [
      [`Date (${calendarWords[result.calendar]} calendar)`, result.date],
      [result.clock ? 'Time of day, UTC now' : 'Time of day', result.time],
    ];
    if (result.eraDate) rows.push([`Date in civil use (${calendarWords[result.eraCalendar]})`, result.eraDate]);
    if (result.rdLine) rows.push([result.rdLine, String(result.rd)]);
    rows.push(
      ['Era Day', String(result.eraDay)],
      ['Day of the week', result.weekday],
      ['E0, seconds', result.e0], ['E0, hexadecimal', result.e0Hex],
      ['E3, milliseconds', result.e3], ['E3, hexadecimal', result.e3Hex],
      ['E6, microseconds', result.e6], ['E6, hexadecimal', result.e6Hex],
      ['Leap seconds so far', String(result.leapSeconds)],
      ['Unix time', result.unix], ['Unix time, hexadecimal', result.unixHex],
      ['FILE time', result.file], ['FILE time, hexadecimal', result.fileHex],
      ['ISO 8601 (UTC, Gregorian)', result.iso8601],
    );
    if (result.jdn !== undefined) rows.push(['Julian Day Number', String(result.jdn)]);
    if (result.mjd !== undefined) rows.push(['Modified Julian Day', String(result.mjd)]);
    return rows;
  }

  function renderValues(result) {
    const body = byId('values').tBodies[0];
    body.replaceChildren();
    byId('values-pane').hidden = result.outcome !== 'ok';
    if (result.outcome !== 'ok') return;
    for (const [label, value] of valueRows(result)) {
      const row = body.insertRow();
      const name = document.createElement('th');
      name.scope = 'row';
      name.textContent = label;
      row.append(name);
      const cell = row.insertCell();
      cell.className = 'value';
      cell.textContent = value;
      const button = document.createElement('button');
      button.type = 'button';
      button.className = 'copy';
      button.append('Copy');
      const hidden = document.createElement('span');
      hidden.className = 'visually-hidden';
      hidden.textContent = ` ${label}`;
      button.append(hidden);
      button.addEventListener('click', () => copy(value, label));
      row.insertCell().append(button);
    }
  }

  function announcement(result, problem) {
    if (result.outcome === 'ok') {
      return `${result.date} ${result.time}${result.clock ? ' UTC' : ''}, ${result.weekday}, ` +
        `Era Day ${result.eraDay}, E0 ${result.e0}.`;
    }
    if (result.outcome === 'help' || result.outcome === 'version') return 'The program\'s text is shown.';
    return problem;
  }

  let runs = 0;

  function render(line, result) {
    const words = wordsOf(line);
    const problem = problemFor(result, words);
    byId('report').textContent = result.report;
    const problemLine = byId('problem');
    problemLine.textContent = problem;
    problemLine.hidden = problem === '';
    renderValues(result);
    byId('announce').textContent = announcement(result, problem);
    runs += 1;
    resultSection.dataset.runs = String(runs);
    resultSection.dataset.outcome = result.outcome;
    if (runs === 1) performance.mark('morvek-first-result');
  }

  // --- Copying ---------------------------------------------------------------

  async function copy(text, label) {
    try {
      await navigator.clipboard.writeText(text);
    } catch (error) {
      // No clipboard access (an older browser, a page without focus): the
      // selection route still works from a click.
      const scratch = document.createElement('textarea');
      scratch.value = text;
      scratch.setAttribute('readonly', '');
      scratch.className = 'visually-hidden';
      document.body.append(scratch);
      scratch.select();
      document.execCommand('copy');
      scratch.remove();
    }
    byId('announce').textContent = `Copied ${label}: ${text}`;
  }

  // --- Wiring ----------------------------------------------------------------

  let runLine = null;  // the library, once its WebAssembly is running
  let shownLine = null;

  // how: 'push' adds an entry to the history, 'replace' does not.
  function convert(line, how) {
    if (!runLine) return;
    shownLine = line;
    render(line, JSON.parse(runLine(line)));
    const fragment = fragmentOf(line);
    const address = `#${fragment}`;
    if (fragment === null || address === location.hash) return;
    if (how === 'push') history.pushState(null, '', address);
    else history.replaceState(null, '', address);
  }

  function showLine(line, how) {
    box.value = line;
    const values = formFromLine(line);
    if (values) fillForm(values);
    convert(line, how);
  }

  form.addEventListener('input', (event) => {
    if (event.target === box) {
      const values = formFromLine(box.value);
      if (values) fillForm(values);
      return;
    }
    if (event.target.name === 'source') showSource(source());
    box.value = lineFromForm();
  });
  form.addEventListener('submit', (event) => {
    event.preventDefault();
    convert(box.value, 'push');
  });
  byId('now').addEventListener('click', () => showLine('/C', 'push'));

  // Back, forward, or a fragment typed into the address bar.
  function followAddress() {
    const line = lineFromAddress();
    if (line !== shownLine) showLine(line, 'replace');
  }
  window.addEventListener('hashchange', followAddress);
  window.addEventListener('popstate', followAddress);

  fillToday();
  box.value = lineFromForm();
  Promise.resolve(createMorvek()).then((module) => {
    runLine = module.cwrap('morvek_run', 'string', ['string']);
    // An address without a fragment opens on the current time; one with an
    // empty fragment stands for the program run without arguments.
    showLine(location.href.includes('#') ? lineFromAddress() : '/C', 'replace');
  }, (error) => {
    byId('problem').textContent = 'The converter could not start in this browser.';
    byId('problem').hidden = false;
    console.error(error);
  });
})();
