// The page: keeps the guided form, the argument box and the address on the
// same line, and says in words what the library makes of it. Every fact the
// words carry (the scale a number was read on, the day in each calendar,
// which argument was not read and why, the readings of a number in other
// formats) comes from the library; this file only words it and places it.
performance.mark('morvek-scripts');  // the page's own work starts: its scripts have arrived
(function () {
  'use strict';

  const byId = (id) => document.getElementById(id);
  const form = byId('convert');
  const field = {
    day: byId('day'), month: byId('month'), year: byId('year'), era: byId('era'),
    calendar: byId('calendar'), time: byId('time'), scale: byId('scale'), number: byId('number'),
    reform: byId('reform'), yearStart: byId('year-start'), until: byId('until'),
  };
  const box = byId('args');
  const resultSection = byId('result');
  const answer = byId('answer');
  const narrow = window.matchMedia('(max-width: 61.99rem)');

  // The program's own scales: their switch after the number, and their names in a sentence.
  const commandScales = {
    e0: '', e3: '/E3', e6: '/E6', era_day: '/D', rd_julian: '/J', rd_gregorian: '/G', unix: '/U', file_time: '/F',
  };
  const scaleWords = {
    e0: 'E0', e3: 'E3', e6: 'E6', era_day: 'Era Day', rd_julian: 'RD Julian', rd_gregorian: 'RD Gregorian',
    unix: 'Unix time', file_time: 'FILE time', iso: 'The ISO 8601 time',
  };
  // Scales that count whole days: their moment is a midnight, said without its time.
  const dayScales = new Set(['era_day', 'rd_julian', 'rd_gregorian', 'jdn', 'mjd']);
  const calendarWords = { historical: 'historical', julian: 'Julian', gregorian: 'Gregorian' };
  const monthNames = ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August',
    'September', 'October', 'November', 'December'];
  const formats = {};  // the library's table: name -> { meaning, where, example }
  const reforms = {};  // the library's presets: name -> { lastJulian, firstGregorian, places }
  const yearStartWords = {
    january: 'years from 1 January', annunciation: 'years from 25 March', christmas: 'years from 25 December',
  };

  // The shell's unquoted splitting, as the glue splits too.
  const wordsOf = (line) => line.split(/[ \t\n]+/).filter((word) => word !== '');
  const capital = (text) => text.charAt(0).toUpperCase() + text.slice(1);

  // --- The form's source ------------------------------------------------------

  function source() {
    const checked = form.querySelector('input[name="source"]:checked');
    return checked ? checked.value : '';
  }

  // '' is a line the form has no place for: no source is chosen then.
  function showSource(value) {
    for (const radio of form.elements.source) radio.checked = radio.value === value;
    byId('from-date').hidden = value !== 'date';
    byId('from-number').hidden = value !== 'number';
    byId('form-note').hidden = value !== '';
    showCalendarChoices();
  }

  // The reform and the year's start belong to the historical calendar only.
  function showCalendarChoices() {
    const historical = field.calendar.value === 'H';
    for (const choice of form.querySelectorAll('.historical-only')) choice.hidden = !historical;
    // The hint speaks of the reform only; the other two calendars need none.
    byId('calendar-hint').hidden = !historical;
    const reform = reforms[field.reform.value];
    if (reform) {
      byId('calendar-hint').textContent =
        `Historical: Julian until ${reform.lastJulian}, then Gregorian from ${reform.firstGregorian}, ` +
        `as in ${reform.places}.`;
    }
  }

  // The calendar options as the program takes them, when the historical
  // calendar is not the program's own.
  function calendarOptions() {
    if (source() !== 'date' || field.calendar.value !== 'H') return [];
    const options = [];
    if (field.reform.value !== 'rome') options.push(`--reform=${field.reform.value}`);
    if (field.yearStart.value !== 'january') options.push(`--year-start=${field.yearStart.value}`);
    return options;
  }

  // --- Form to line and back -------------------------------------------------

  // The moment's words, the calendar options before them, and the second
  // moment after --between.
  function lineFromForm() {
    const first = momentFromForm();
    const options = calendarOptions();
    const until = source() === 'date' ? field.until.value.trim() : '';
    if (source() === '') return first;
    if (until !== '') return [...options, '--between', first, '--', until].join(' ');
    return [...options, first].join(' ');
  }

  function momentFromForm() {
    switch (source()) {
      case 'now':
        return '/C';
      case 'number': {
        const number = field.number.value.trim();
        const scale = field.scale.value;
        if (scale === 'guess') return `--guess ${number}`.trim();
        if (!Object.hasOwn(commandScales, scale)) return `--from=${scale} ${number}`.trim();
        return commandScales[scale] ? `${number} ${commandScales[scale]}`.trim() : number;
      }
      case 'date': {
        const day = field.day.value.trim();
        let year = field.year.value.trim();
        if (field.era.value === 'BCE' && year !== '' && !year.startsWith('-')) year = `-${year}`;
        const words = [`${day.length === 1 ? '0' + day : day}.${field.month.value}.${year}`];
        const time = field.time.value.trim();
        if (time !== '') words.push(time);
        if (field.calendar.value !== 'H') words.push(`/${field.calendar.value}`);
        return words.join(' ');
      }
      default:
        return box.value;
    }
  }

  // A word that stands where a switch goes: '/' or '-', then a letter.
  const isSwitch = (word) => /^[/-][^0-9]/.test(word);
  // The switch's letters as the form names them.
  function switchOf(word) {
    const match = /^[/-]([a-z])(.?)/i.exec(word);
    if (!match) return null;
    const letter = match[1].toUpperCase();
    if (letter !== 'E') return letter;
    return { '': 'E0', 0: 'E0', 3: 'E3', 6: 'E6', d: 'D', D: 'D' }[match[2]] ?? null;
  }
  const scaleOfSwitch = { E0: 'e0', E3: 'e3', E6: 'e6', D: 'era_day', J: 'rd_julian', G: 'rd_gregorian', U: 'unix', F: 'file_time' };

  // A dual date's year is written 1730/31.
  const datePattern = /^(\d{1,2})\.(\d{1,2})\.(-?\d+(?:\/\d+)?)$/;
  const hasOption = (select, value) => [...select.options].some((option) => option.value === value);

  // The form's fields for a line, placed by its shape only: the library
  // judges the words. null for a line the form has no place for.
  function formFromLine(line) {
    let words = wordsOf(line);
    const choices = { reform: 'rome', yearStart: 'january', until: '' };
    let chosen = false;
    while (words.length > 0 && /^--(reform|year-start)=/.test(words[0])) {
      const [name, value] = words.shift().slice(2).split('=');
      const select = name === 'reform' ? field.reform : field.yearStart;
      if (!hasOption(select, value)) return null;
      choices[name === 'reform' ? 'reform' : 'yearStart'] = value;
      chosen = true;
    }
    if (words[0] === '--between') {
      const separator = words.indexOf('--');
      if (separator < 0) return null;
      choices.until = words.slice(separator + 1).join(' ');
      words = words.slice(1, separator);
    } else if (words.includes('--between')) {
      return null;
    }
    const moment = momentFromWords(words);
    if (!moment || (chosen && (moment.source !== 'date' || moment.calendar !== 'H'))) return null;
    if (choices.until !== '' && moment.source !== 'date') return null;
    return { ...moment, ...choices };
  }

  function momentFromWords(words) {
    if (words.length === 0) return null;
    const [first, ...rest] = words;
    if (first.startsWith('--from=')) {
      const scale = first.slice(7);
      if (!Object.hasOwn(formats, scale) || rest.some((word) => word.startsWith('--'))) return null;
      return { source: 'number', scale, number: rest.join(' ') };
    }
    if (first === '--guess') {
      if (rest.some((word) => word.startsWith('--'))) return null;
      return { source: 'number', scale: 'guess', number: rest.join(' ') };
    }
    if (first.startsWith('--') || words.length > 3) return null;
    if (words.length === 1 && switchOf(first) === 'C') return { source: 'now' };
    const date = datePattern.exec(first);
    if (date) {
      const month = Number(date[2]);
      if (month < 1 || month > 12) return null;
      const time = rest.length > 0 && !isSwitch(rest[0]) ? rest.shift() : '';
      const calendar = rest.length === 0 ? 'H' : switchOf(rest[0]);
      if (rest.length > 1 || !['H', 'J', 'G'].includes(calendar)) return null;
      const bce = date[3].startsWith('-');
      return {
        source: 'date', calendar, day: date[1], month: String(month).padStart(2, '0'),
        year: bce ? date[3].slice(1) : date[3], era: bce ? 'BCE' : 'CE', time,
      };
    }
    if (isSwitch(first) || words.length > 2 || first.includes(':')) return null;
    const scale = words.length === 2 ? scaleOfSwitch[switchOf(words[1])] : 'e0';
    if (!scale) return null;
    return { source: 'number', scale, number: first };
  }

  function fillFields(values) {
    for (const [name, value] of Object.entries(values)) {
      if (field[name]) field[name].value = value;
    }
    showScaleHint();
    showCalendarChoices();
  }

  function fillForm(values) {
    showSource(values.source);
    fillFields(values);
  }

  // The form follows the box; a line it has no place for leaves no source chosen.
  function formFollows(line) {
    const values = formFromLine(line);
    if (values) fillForm(values);
    else showSource('');
  }

  // The fields of a source that was hidden take the moment last converted,
  // so that switching shows the same moment in the other shape.
  function fillFromResult(value) {
    const shown = lastMoment;
    if (!shown) return;
    if (value === 'date' && shown.days.historical) {
      // In another year-start style the date is typed as that style writes it.
      const styled = shown.yearStart !== 'january' && shown.historian.dual_date;
      const [day, month, year] = (styled || shown.days.historical).split('.');
      fillFields({
        calendar: 'H', day, month, year: year.replace('-', ''), era: year.startsWith('-') ? 'BCE' : 'CE',
        time: shown.time === '00:00:00' ? '' : shown.time, reform: shown.reformName || 'rome',
        yearStart: shown.yearStart,
      });
    } else if (value === 'number') {
      let scale = field.scale.value;
      let number = valueOnScale(shown, scale);
      if (number === undefined) [scale, number] = ['e0', shown.e0];
      fillFields({ scale, number });
    }
  }

  function valueOnScale(result, scale) {
    const own = { e0: result.e0, e3: result.e3, e6: result.e6, era_day: String(result.eraDay), unix: result.unix };
    if (Object.hasOwn(own, scale)) return own[scale];
    if (scale === 'file_time') return result.file === '-1' ? undefined : result.file;
    if (scale === 'rd_gregorian' && result.eraDay > 0) return String(result.eraDay);
    const other = (result.formats || []).find((entry) => entry.format === scale);
    return other ? other.value : undefined;
  }

  function showScaleHint() {
    const info = formats[field.scale.value];
    byId('scale-hint').textContent = field.scale.value === 'guess'
      ? 'Lists every format that reads the value as a moment from 1970 to 2099.'
      : info ? `${capital(info.meaning)}.${info.where === 'Morvek' ? '' : ` Met in ${info.where}.`} ` +
        `Example: ${info.example}.` : '';
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

  // --- The answer in words -----------------------------------------------------

  function ordinal(n) {
    const tens = n % 100;
    const suffix = tens >= 11 && tens <= 13 ? 'th' : { 1: 'st', 2: 'nd', 3: 'rd' }[n % 10] || 'th';
    return `${n}${suffix}`;
  }

  // "15.03.-44" is 44 BCE: the year said so, after the date.
  const bce = (date) => (/\.-\d+$/.test(date) ? ` (${date.split('.-')[1]} BCE)` : '');
  const timeOf = (result) => `${result.time}${result.fraction ? '.' + result.fraction : ''}`;
  const article = (word) => (/^[AEIOU]/.test(word) ? 'an' : 'a');
  const momentWords = (date, time, calendar) => `${date}${bce(date)} ${time} UTC (${calendarWords[calendar]})`;

  function leapSecondWords(result) {
    const leap = result.leapSecond;
    return leap ? `; a leap second: the ${ordinal(leap.number)}, inserted at the end of ${leap.day}` : '';
  }

  function scaleName(scale) {
    return scaleWords[scale] ?? scale;
  }

  // The span to a second moment, as --between counts it.
  function spanWords(result) {
    const span = result.span;
    if (!span) return '';
    const plural = (number, word) => `${number} ${word}${number === '1' || number === '-1' ? '' : 's'}`;
    return ` To ${span.line}: ${plural(span.days, 'day')} and ${plural(span.seconds, 'SI second')}, ` +
      'leap seconds counted.';
  }

  function answerForResult(result) {
    return momentAnswer(result) + spanWords(result);
  }

  function momentAnswer(result) {
    const weekday = `${article(result.weekday)} ${result.weekday}`;
    const leap = leapSecondWords(result);
    if (result.now) {
      return `Now is ${momentWords(result.date, timeOf(result), result.civil)}, ${weekday}${leap}.`;
    }
    if (result.typedCalendar) {
      // The typed date in its calendar, and the same day in the other one.
      const typed = result.typedCalendar === 'historical' ? result.civil : result.typedCalendar;
      const other = typed === 'julian' ? 'gregorian' : 'julian';
      const time = result.typedTime ? ` ${timeOf(result)} UTC` : '';
      const named = `${calendarWords[typed]} ${result.typedDate}${bce(result.typedDate)}${time}`;
      const otherDate = result.days[other];
      return otherDate
        ? `${named} is ${calendarWords[other]} ${otherDate}, ${weekday}${leap}.`
        : `${named} is ${weekday}${leap}; the ${calendarWords[other]} calendar here starts at 01.01.0001.`;
    }
    const number = `${scaleName(result.scale)} ${result.number}`;
    const moment = dayScales.has(result.scale)
      ? `${result.date}${bce(result.date)} (${calendarWords[result.civil]})`
      : momentWords(result.date, timeOf(result), result.civil);
    return `${number} is ${moment}, ${weekday}${leap}.`;
  }

  // The library says why; this words it.
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
        return `The reform skipped the days between ${result.lastJulian} and ${result.reform}: ` +
          `${result.lastJulian} was followed by ${result.reform}.`;
      case 'not-a-leap-year':
        return `${year} is not a leap year in the ${calendar} calendar: February ${year} has 28 days.`;
      case 'day-not-in-month':
        return `${monthNames[Number(month) - 1] || 'That month'} has no day ${Number(day)}.`;
      default:
        return `${date} is not a date of the ${calendar} calendar.`;
    }
  }

  function problemFor(result, words) {
    const word = result.faultWord ?? '';
    switch (result.fault) {
      case 'no-arguments':
        return 'Without arguments the program prints its usage text.';
      case 'too-many-arguments':
        return `The program takes at most three arguments; ${word} is a fourth.`;
      case 'day-out-of-range':
        return `The day of ${word} is not read: a day is 1 to 31.`;
      case 'month-out-of-range':
        return `The month of ${word} is not read: a month is 1 to 12.`;
      case 'year-too-long':
        return `The year of ${word} is not read: it has more than 10 characters.`;
      case 'not-a-time':
        return `${word} is not a time of day: write hh:mm:ss, such as 12:00:00.`;
      case 'hour-out-of-range':
        return `The hour of ${word} is not read: an hour is 0 to 23.`;
      case 'minute-out-of-range':
        return `The minute of ${word} is not read: a minute is 0 to 59.`;
      case 'second-out-of-range':
        return `The second of ${word} is not read: a second is 0 to 59, or 60 in a leap second.`;
      case 'time-without-date':
        return `${word} is a time of day: the program reads it after a date, such as 01.01.2017 ${word}.`;
      case 'fraction':
        return `${word} has a fraction: the program's scales read whole numbers only.`;
      case 'grouped-digits':
        return `${word} is written in groups: the program reads the digits without separators.`;
      case 'unknown-switch':
        return `${word} is not a switch the program reads there: after a number come /E3, /E6, /D, /J, /G, ` +
          '/U or /F, after a date /J or /G; /C stands alone.';
      case 'not-a-number':
        return `${word} has no digits: the switch after it wants a number.`;
      case 'calendar-switch-needed':
        return `After a date and a time the program reads /J or /G; ${word} is neither.`;
      case 'nonexistent-date':
        if (result.dateFault) return dateProblem(result);
        if (result.kind === 'format') return `${result.message}: the date it names does not exist.`;
        return `Day ${word} of the ${result.scale === 'rd_gregorian' ? 'Gregorian' : 'Julian'} day count does ` +
          'not exist: the count starts at day 1, 01.01.0001.';
      case 'era-day-zero':
        return 'There is no Era Day 0: day 1 is 01.01.0001 and day -1 is 31.12.-1, the day before it.';
      case 'no-leap-second-that-day':
        return `${words[0]} has no leap second: 23:59:60 exists only at the end of the 27 days on which one was ` +
          'inserted, from 30.06.1972 to 31.12.2016.';
      case 'second-60-not-at-23-59':
        return `${word} does not exist: a second 60 is only ever 23:59:60, on a day with a leap second.`;
      case 'nonexistent-time':
        return `${result.message}: the time it names does not exist.`;
      case 'too-big':
        return result.kind === 'format'
          ? `${result.number} lies beyond the range of ${result.scale}.`
          : 'The number is too big: the moment must lie within about 292,000 years of 01.01.0001 ' +
            '(its E6 must fit in 64 bits), and each scale has its own limit.';
      case 'bad-value': {
        const info = formats[result.scale];
        return `${result.number === '' ? 'An empty value' : result.number} is not a value of ${result.scale}` +
          (info ? `: ${info.meaning}, such as ${info.example}.` : '.');
      }
      case 'bad-calendar-option':
        return `${word} is not read: --reform= takes a reform's name or its first Gregorian day (DD.MM.YYYY), ` +
          '--year-start= january, annunciation or christmas.';
      case 'no-second-moment':
        return 'A span needs two moments: --between WORDS -- WORDS.';
      case 'unknown-format':
        return `${result.scale} is not a format the program knows.`;
      case 'unknown-option':
        return `The page runs the program's conversions, --from=FORMAT VALUE and --guess VALUE; ${word} is ` +
          'an option of the program itself.';
      default:
        if (result.outcome === 'too-long') return 'The line is longer than 4096 characters.';
        return `The program does not read ${word || 'this line'}: it takes a date (dd.mm.yyyy), a number, or /C.`;
    }
  }

  // --- Which field a failure belongs to ---------------------------------------

  const dayFaults = new Set(['day-out-of-range', 'day-not-in-month', 'not-a-leap-year', 'reform-gap']);
  const monthFaults = new Set(['month-out-of-range']);

  function faultField(result, words) {
    const visible = (element) => element && !element.closest('[hidden]');
    if (result.fault === 'bad-calendar-option') return box;
    if (result.side === 'second') return visible(field.until) ? field.until : box;
    const at = result.side ? result.sideArgument : result.faultArgument ?? 0;
    let target = null;
    switch (source()) {
      case 'date':
        if (at === 0) {
          const reason = result.dateFault || result.fault;
          target = dayFaults.has(reason) ? field.day : monthFaults.has(reason) ? field.month : field.year;
        } else if (at === 1 && words.length >= 2 && !isSwitch(words[1])) {
          target = field.time;
        } else {
          target = field.calendar;
        }
        break;
      case 'number':
        if (result.fault === 'unknown-format') target = null;
        else if (result.kind === 'command' && at === 1) target = field.scale;
        else target = field.number;
        break;
      default:
    }
    return visible(target) ? target : box;
  }

  function clearMarks() {
    for (const marked of form.querySelectorAll('[aria-invalid]')) {
      marked.removeAttribute('aria-invalid');
      const described = (marked.getAttribute('aria-describedby') || '').split(' ')
        .filter((id) => id !== `${marked.id}-error`).join(' ');
      if (described) marked.setAttribute('aria-describedby', described);
      else marked.removeAttribute('aria-describedby');
    }
    for (const message of form.querySelectorAll('.field-error')) message.remove();
  }

  // The message goes beside the field: after its own box in the form's rows.
  function markField(target, message) {
    target.setAttribute('aria-invalid', 'true');
    const note = document.createElement('p');
    note.className = 'field-error';
    note.id = `${target.id}-error`;
    note.textContent = message;
    const place = target === box ? byId('args-field') : target.closest('.field');
    place.after(note);
    const described = target.getAttribute('aria-describedby');
    target.setAttribute('aria-describedby', described ? `${described} ${note.id}` : note.id);
  }

  // --- The result ------------------------------------------------------------

  function historianRows(result) {
    const found = result.historian || {};
    const rows = [];
    if (found.dual_date) {
      rows.push([`Dual date, Old Style/New Style (historical, ${yearStartWords[result.yearStart]})`, found.dual_date]);
    }
    if (found.day_of_year) rows.push(['Day of the year (historical calendar)', found.day_of_year]);
    if (found.iso_week) rows.push(['ISO week (ISO 8601, Gregorian)', found.iso_week]);
    if (found.easter_julian) rows.push(['Easter that year, Julian computus (Julian date)', found.easter_julian]);
    if (found.easter_gregorian) {
      rows.push(['Easter that year, Gregorian computus (Gregorian date)', found.easter_gregorian]);
    }
    return rows;
  }

  function valueRows(result) {
    const rows = [];
    if (result.span) {
      rows.push(
        [`Days until ${result.span.line}`, result.span.days],
        [`SI seconds until ${result.span.line}, leap seconds counted`, result.span.seconds],
      );
    }
    rows.push(['Time of day, UTC', timeOf(result)]);
    if (result.rdLine) rows.push([result.rdLine, String(result.rd)]);
    rows.push(
      ['Era Day', String(result.eraDay)],
      ['Day of the week', result.weekday],
      ...historianRows(result),
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
    for (const other of result.formats || []) {
      if (other.format !== 'iso' && other.format !== 'jdn' && other.format !== 'mjd') rows.push([other.format, other.value]);
    }
    return rows;
  }

  function copyButton(value, label) {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'copy';
    const word = document.createElement('span');
    word.textContent = 'Copy';
    const hidden = document.createElement('span');
    hidden.className = 'visually-hidden';
    hidden.textContent = ` ${label}`;
    button.append(word, hidden);
    button.addEventListener('click', () => copy(value, label, word));
    return button;
  }

  function renderValues(result) {
    const body = byId('values').tBodies[0];
    body.replaceChildren();
    const shown = result.outcome === 'ok';
    byId('values-pane').hidden = !shown;
    if (!shown) return;
    const cells = byId('days').tBodies[0].rows[0].cells;
    ['julian', 'gregorian', 'historical'].forEach((calendar, i) => {
      cells[i].textContent = result.days[calendar] ? result.days[calendar] + bce(result.days[calendar]) : 'none';
    });
    const reform = result.reformName ? `the reform of ${result.reform}` : `a reform on ${result.reform}`;
    byId('days-caption').textContent =
      `The day in each calendar; the historical one, with ${reform}, is the ${calendarWords[result.civil]} then.`;
    for (const [label, value] of valueRows(result)) {
      const row = body.insertRow();
      const name = document.createElement('th');
      name.scope = 'row';
      name.textContent = label;
      row.append(name);
      const cell = row.insertCell();
      cell.className = 'value';
      cell.textContent = value;
      row.insertCell().append(copyButton(value, label));
    }
  }

  // A reading of the number in a format, with the button that converts it so.
  function readingItem(reading, line) {
    const item = document.createElement('li');
    const words = document.createElement('span');
    const moment = dayScales.has(reading.format)
      ? `${reading.date}${bce(reading.date)}`
      : momentWords(reading.date, `${reading.time}${reading.fraction ? '.' + reading.fraction : ''}`,
        reading.year > 1582 ? 'gregorian' : 'julian');
    words.textContent = `${reading.format ? scaleName(reading.format) + ': ' : ''}${moment}`;
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'offer';
    button.textContent = reading.format ? `Convert as ${scaleName(reading.format)}` : `Convert ${line}`;
    button.addEventListener('click', () => showLine(line, 'push', { user: true }));
    item.append(words, ' ', button);
    return item;
  }

  // A format's reading as the form writes it: the program's own scales as
  // their command, the others with --from.
  function lineOfReading(reading) {
    if (reading.line) return reading.line;
    if (Object.hasOwn(commandScales, reading.format)) return `${reading.value} ${commandScales[reading.format]}`.trim();
    return `--from=${reading.format} ${reading.value}`;
  }

  function renderReadings(result) {
    const list = byId('readings-list');
    list.replaceChildren();
    let intro = '';
    let readings = [];
    if (result.kind === 'guess') {
      readings = result.guesses;
      intro = readings.length > 0
        ? `${result.number} read as each format that makes it a moment from 1970 to 2099:`
        : '';
    } else if (result.guesses && result.outcome === 'ok') {
      const years = Math.abs(result.year - new Date().getUTCFullYear());
      readings = result.guesses;
      intro = `This is ${years.toLocaleString('en')} years from today. ` + (readings.length > 0
        ? `${result.number} read in the formats that make it a moment from 1970 to 2099:`
        : `No format reads ${result.number} as a moment from 1970 to 2099.`);
    } else if (result.offers && result.offers.length > 0) {
      readings = result.offers;
      const first = readings[0];
      intro = first.format
        ? `Did you mean ${first.format === 'iso' ? 'the ISO 8601 time' : `the ${first.format} value`} ${first.value}?`
        : `Did you mean ${first.line}?`;
    }
    for (const reading of readings) list.append(readingItem(reading, lineOfReading(reading)));
    byId('readings-intro').textContent = intro;
    byId('readings-heading').textContent = result.offers ? 'Read another way' : 'What is this number?';
    byId('readings').hidden = intro === '';
    return intro;
  }

  function renderNotes(result, words) {
    const notes = [];
    if (result.octal) {
      notes.push(`A leading 0 makes the program read ${words[0]} as an octal number: it reads ${result.number}.`);
    }
    const list = byId('notes');
    list.replaceChildren(...notes.map((text) => Object.assign(document.createElement('li'), { textContent: text })));
    list.hidden = notes.length === 0;
    return notes.join(' ');
  }

  let runs = 0;
  let lastMoment = null;

  // The words of the moment a failure is in: the side of a span, or the
  // words after the calendar options.
  function faultWords(line, result) {
    let words = wordsOf(line);
    while (words.length > 0 && /^--(reform|year-start)=/.test(words[0])) words = words.slice(1);
    if (words[0] !== '--between') return words;
    const separator = words.indexOf('--');
    return result.side === 'second' ? words.slice(separator + 1) : words.slice(1, separator < 0 ? undefined : separator);
  }

  function render(line, result, how) {
    const words = faultWords(line, result);
    clearMarks();
    byId('report').textContent = result.report;
    let text;
    let problem = '';
    if (result.outcome === 'ok') {
      text = answerForResult(result);
      lastMoment = result;
    } else if (result.kind === 'guess') {
      text = result.guesses.length > 0
        ? `${result.number} is a moment from 1970 to 2099 in ${result.guesses.length} ` +
          `format${result.guesses.length === 1 ? '' : 's'}.`
        : `No format reads ${result.number === '' ? 'an empty value' : result.number} as a moment from 1970 to 2099.`;
    } else if (result.outcome === 'help' || result.outcome === 'version') {
      text = `The program's ${result.outcome === 'help' ? 'help' : 'version'} text is shown below.`;
    } else {
      problem = problemFor(result, words);
      text = problem;
    }
    answer.textContent = text;
    answer.classList.toggle('problem', problem !== '');
    const readings = renderReadings(result);
    const notes = renderNotes(result, words);
    renderValues(result);
    document.title = `${text} – Morvek`;
    byId('announce').textContent = [text, notes, readings].filter(Boolean).join(' ');

    if (problem !== '' && result.fault !== 'no-arguments') {
      const target = faultField(result, words);
      markField(target, problem);
      if (how.focus) target.focus();
    } else if (how.scroll) {
      // On a phone the answer goes to the top, with the values under it;
      // in the next frame, once the page is laid out anyway.
      requestAnimationFrame(() => answer.scrollIntoView({ block: narrow.matches ? 'start' : 'nearest' }));
    }

    runs += 1;
    resultSection.dataset.runs = String(runs);
    resultSection.dataset.outcome = result.outcome;
    if (runs === 1) performance.mark('morvek-first-result');
  }

  // --- Copying ---------------------------------------------------------------

  async function copy(text, label, word) {
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
    word.textContent = 'Copied';
    setTimeout(() => { word.textContent = 'Copy'; }, 1500);
    byId('announce').textContent = `Copied ${label}: ${text}`;
  }

  // --- Wiring ----------------------------------------------------------------

  let runLine = null;  // the library, once its WebAssembly is running
  let shownLine = null;

  // how.push adds an entry to the history; how.user is a person's own
  // action, whose failure takes the focus to the field and whose answer is
  // scrolled into view.
  function convert(line, how) {
    if (!runLine) return;
    shownLine = line;
    render(line, JSON.parse(runLine(line)), { focus: how.user, scroll: how.user || how.scroll });
    const fragment = fragmentOf(line);
    const address = `#${fragment}`;
    if (fragment === null || address === location.hash) return;
    if (how.push) history.pushState(null, '', address);
    else history.replaceState(null, '', address);
  }

  function showLine(line, entry, how = {}) {
    box.value = line;
    formFollows(line);
    convert(line, { ...how, push: entry === 'push' });
  }

  form.addEventListener('input', (event) => {
    if (event.target === box) {
      formFollows(box.value);
      return;
    }
    if (event.target.name === 'source') {
      showSource(source());
      fillFromResult(source());
    }
    if (event.target === field.scale) showScaleHint();
    if (event.target === field.calendar || event.target === field.reform) showCalendarChoices();
    box.value = lineFromForm();
  });
  form.addEventListener('submit', (event) => {
    event.preventDefault();
    convert(box.value, { push: true, user: true });
  });
  byId('now').addEventListener('click', () => showLine('/C', 'push', { user: true }));

  // Enter converts from every control, the lists and the choices too.
  form.addEventListener('keydown', (event) => {
    const target = event.target;
    if (event.key !== 'Enter' || !(target.tagName === 'SELECT' || target.type === 'radio')) return;
    event.preventDefault();
    form.requestSubmit();
  });

  // The month by its name or its number, typed: "mar", "3", "03", "12".
  let typed = '';
  let typedAt = 0;
  field.month.addEventListener('keydown', (event) => {
    if (event.key.length !== 1 || event.ctrlKey || event.metaKey || event.altKey || !/[a-z0-9]/i.test(event.key)) return;
    event.preventDefault();
    const now = performance.now();
    typed = (now - typedAt < 1000 ? typed : '') + event.key.toLowerCase();
    typedAt = now;
    let index = -1;
    if (/^\d+$/.test(typed)) {
      index = Number(typed) - 1;
      if (index < 0 || index > 11) {
        typed = event.key;
        index = Number(typed) - 1;
      }
    } else {
      index = monthNames.findIndex((name) => name.toLowerCase().startsWith(typed));
    }
    if (index < 0 || index > 11) return;
    field.month.selectedIndex = index;
    field.month.dispatchEvent(new Event('input', { bubbles: true }));
    field.month.dispatchEvent(new Event('change', { bubbles: true }));
  });

  // Back, forward, or a fragment typed into the address bar.
  function followAddress() {
    const line = lineFromAddress();
    if (line !== shownLine) showLine(line, 'replace', { scroll: true });
  }
  window.addEventListener('hashchange', followAddress);
  window.addEventListener('popstate', followAddress);

  // The program's output opens by itself where there is room beside the values.
  byId('output').open = !narrow.matches;

  showSource('now');
  box.value = '/C';
  Promise.resolve(createMorvek()).then((module) => {
    runLine = module.cwrap('morvek_run', 'string', ['string']);
    const group = byId('other-formats');
    const table = JSON.parse(module.cwrap('morvek_formats', 'string', [])());
    for (const row of table.formats) {
      formats[row.name] = row;
      if (!Object.hasOwn(commandScales, row.name)) group.append(new Option(row.name, row.name));
    }
    for (const row of table.reforms) reforms[row.name] = row;
    // An address without a fragment opens on the current time; one with an
    // empty fragment stands for the program run without arguments. A shared
    // address shows its answer at once.
    const shared = location.href.includes('#');
    showLine(shared ? lineFromAddress() : '/C', 'replace', { scroll: shared, focus: shared });
    if (source() !== 'date') fillFromResult('date');
  }, (error) => {
    answer.textContent = 'The converter could not start in this browser.';
    answer.classList.add('problem');
    console.error(error);
  });
})();
