// The formats: one row each, in the order of Format.

#include <algorithm>

#include "morvek/formats.h"

namespace morvek {

namespace {

using enum Format;
constexpr FormatKind integer = FormatKind::integer;
constexpr FormatKind decimal = FormatKind::decimal;
constexpr FormatKind text = FormatKind::text;

}  // namespace

const std::array<FormatInfo, 24> format_table = {{
    {e0, "e0", integer, 8, "Era seconds from 01.01.0001 00:00:00, leap seconds counted", "Morvek", "63618825627"},
    {e3, "e3", integer, 8, "Era milliseconds, leap seconds counted", "Morvek", "63618825627000"},
    {e6, "e6", integer, 8, "Era microseconds, leap seconds counted", "Morvek", "63618825627000000"},
    {era_day, "era_day", integer, 8, "days from 01.01.0001 (day 1), the day before is -1; its 00:00:00", "Morvek",
     "736330"},
    {rd_julian, "rd_julian", integer, 8, "Julian day count, 01.01.0001 Julian is day 1; its 00:00:00", "Morvek",
     "736330"},
    {rd_gregorian, "rd_gregorian", integer, 8, "Gregorian day count (Rata Die), 01.01.0001 is day 1; its 00:00:00",
     "calendar books", "736330"},
    {unix_time, "unix", integer, 8, "seconds from 01.01.1970 00:00:00 UTC, without leap seconds",
     "Unix, Linux and macOS files, logs, databases", "1483228800"},
    {file_time, "file_time", integer, 8, "100 ns units from 01.01.1601 00:00:00 UTC, without leap seconds",
     "Windows FILETIME: NTFS, the registry, event logs", "131277024000000000"},
    {unix_ms, "unix_ms", integer, 8, "milliseconds from 01.01.1970 00:00:00 UTC, without leap seconds",
     "JavaScript, Java, Firefox bookmarks, Android", "1483228800000"},
    {unix_us, "unix_us", integer, 8, "microseconds from 01.01.1970 00:00:00 UTC, without leap seconds",
     "Firefox history (PRTime), Timesketch", "1483228800000000"},
    {unix_ns, "unix_ns", integer, 8, "nanoseconds from 01.01.1970 00:00:00 UTC, without leap seconds",
     "APFS, Go, ext4 nanoseconds", "1483228800000000000"},
    {webkit, "webkit", integer, 8, "microseconds from 01.01.1601 00:00:00 UTC, without leap seconds",
     "Chrome and Edge history, cookies", "13127702400000000"},
    {cocoa, "cocoa", decimal, 0, "seconds from 01.01.2001 00:00:00 UTC, without leap seconds, with decimals",
     "Apple Cocoa and Core Data, iOS and macOS databases", "504921600"},
    {cocoa_ns, "cocoa_ns", integer, 8, "nanoseconds from 01.01.2001 00:00:00 UTC, without leap seconds",
     "iOS and macOS databases", "504921600000000000"},
    {hfs, "hfs", integer, 4, "unsigned seconds from 01.01.1904 00:00:00 UTC, without leap seconds",
     "HFS+ file systems, old Mac files", "3566073600"},
    {dotnet_ticks, "dotnet_ticks", integer, 8, "100 ns ticks from 01.01.0001 00:00:00 (Gregorian), without leap seconds",
     ".NET DateTime.Ticks, PowerShell", "636188256000000000"},
    {ole, "ole", decimal, 0, "days from 30.12.1899 00:00 with a fraction for the time of day",
     "OLE Automation dates: COM, VBA, SQL Server", "42736"},
    {excel, "excel", decimal, 0, "Excel serial date, 1900 system: 1 is 01.01.1900, 60 the 29.02.1900 that never was",
     "Excel and LibreOffice sheets", "42736"},
    {excel_1904, "excel_1904", decimal, 0, "Excel serial date, 1904 system: 0 is 01.01.1904", "Excel for Mac sheets",
     "41274"},
    {gps, "gps", integer, 8, "seconds from 06.01.1980 00:00:00 UTC, leap seconds counted",
     "GPS receivers, GNSS logs", "1167264018"},
    {fat, "fat", integer, 4, "MS-DOS date and time: year-1980, month, day, hour, minute, seconds/2 in 32 bits",
     "FAT file systems, ZIP archives", "1243676672"},
    {jdn, "jdn", integer, 8, "Julian Day Number of the civil day (01.01.2000 is 2451545); its 00:00:00",
     "astronomy", "2457755"},
    {mjd, "mjd", integer, 8, "Modified Julian Day of the civil day (01.01.2000 is 51544); its 00:00:00",
     "astronomy, satellites", "57754"},
    {iso, "iso", text, 0, "ISO 8601 / RFC 3339 UTC, proleptic Gregorian, astronomical years",
     "JSON, XML, databases, Timesketch", "2017-01-01T00:00:00Z"},
}};

const FormatInfo& format_info(Format format) noexcept { return format_table[static_cast<std::size_t>(format)]; }

std::optional<Format> format_from_name(std::string_view name) noexcept {
    const auto found = std::find_if(format_table.begin(), format_table.end(),
                                    [&](const FormatInfo& row) { return row.name == name; });
    if (found == format_table.end()) return std::nullopt;
    return found->format;
}

std::optional<FormatSpec> format_spec_from_name(std::string_view name) noexcept {
    ByteOrder bytes = ByteOrder::none;
    if (name.ends_with(":le")) bytes = ByteOrder::little_endian;
    if (name.ends_with(":be")) bytes = ByteOrder::big_endian;
    if (bytes != ByteOrder::none) name.remove_suffix(3);
    const std::optional<Format> format = format_from_name(name);
    if (!format || (bytes != ByteOrder::none && format_info(*format).byte_count == 0)) return std::nullopt;
    return FormatSpec{*format, bytes};
}

}  // namespace morvek
