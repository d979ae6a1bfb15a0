// Argument lines for the byte-for-byte comparison with the program: every
// command form, every message, the usage text, and the reader's corners.
export const lines = [
  // no arguments, the options the program answers before the forms
  '', '--help', '--version',
  // historical dates, with and without a time
  '01.01.2017', '30.06.1972', '30.06.1972 23:59:60', '31.12.2016 23:59:60', '31.12.-1 23:59:59', '31.12.-1',
  '01.01.01', '04.10.1582', '15.10.1582 00:00:00', '01.03.-44 12:00:00', '1.1.2000 12:0:0',
  // Julian and Gregorian dates
  '01.01.2000 12:00:00 /J', '01.01.1582 12:00:00 /G', '19.12.2016 /J', '15.10.1582 /G', '30.06.1972 23:59:60 /G',
  '01.01.2000 12:00:00 /j',
  // numbers on every scale, decimal, hexadecimal and octal
  '63618825627', '63618825627 /E', '63618825627 /E0', '63618825627500 /E3', '63618825627500 -e3', '-1500000 /E6',
  '0x7FFFFFFF /E', '736330 /D', '-1 /D', '0X1F /d', '017 /D', '1483228800 /U', '-1 /Unix', '12345678 /F',
  '-5 /F', '730000 /J', '100 /G', '577735 /G', '9223372036854775807 /E6', '-9223372036854775808 /E6',
  '106751992 /D',
  // the messages
  '31.02.2000', '10.10.1582', '01.01.0', '01.01.-5 /J', '31.02.2000 /Jü', '0 /J', '-5 /G',
  '01.01.2000 23:59:60', '30.06.1972 23:59:60 /J', '31.12.2016 23:58:60', '0 /D',
  '9223372036855', '9223372036854775807 /U', '9223372036854776 /E3', '2147483648 /J', '01.01.292279',
  // the usage form
  '5 /X', '1 2 3 4', '01.01.2000 12:00:00 12:00', '01.01.2000 24:00:00', '32.01.2000', '/C x', 'hello',
  '23:59', '2017-01-01', '1,483,228,800', '1483228800.5',
  // a value of a named format, its record as the program lists it, and the guesses
  '--from=file_time 131277024005000000', '--from=iso 2017-01-01T12:00:00Z', '--from=unix_ms 1483228800500',
  '--from=cocoa 504921600.5', '--from=excel 60', '--from=fat 1243676672', '--from=iso 2017-02-29',
  '--from=unix abc', '--from=unix 99999999999999999', '--from=hfs -1', '--from=unix', '--from=file_time:le 00 C0 B0 FE C1 63 D2 01',
  '--guess 1483228800', '--guess 2017-01-01', '--guess abc', '--guess',
  // the historian's calendar: a reform, a year-start style, a dual date, a reform of one's own, its gap
  '--reform=britain --year-start=annunciation 11.02.1730/31', '--reform=russia 25.10.1917',
  '--year-start=christmas 26.12.1500', '--reform=14.09.1752 29.02.1700', '--reform=britain 10.09.1752',
  '--reform=britain 14.09.1752 /J', '--reform=denmark 29.02.1700',
  // the span between two moments, across a reform, a leap second, the missing year 0, with a fraction
  '--reform=britain --between 23.04.1616 /G -- 23.04.1616', '--between 31.12.2016 23:59:59 -- 01.01.2017',
  '--between 31.12.-1 -- 01.01.1', '--between 131277024005000000 /F -- 1483228800 /U',
  '--between 01.01.2017 -- 131277024005000000 /F', '--between 31.02.2000 -- 01.01.2017',
  '--between 01.01.2017 -- 32.01.2017',
];
