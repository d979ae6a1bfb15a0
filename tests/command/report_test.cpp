#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "command_runner.h"

namespace morvek {
namespace {

using command_testing::command_line;
using command_testing::reported_value;
using command_testing::run_command;

struct WholeReport {
    std::vector<const char*> arguments;
    std::string_view expected;
};

// Every line worked out from the report's formats, with tab stops of 8 in
// the value lines and the hexadecimal column at 41.
const std::vector<WholeReport> whole_reports = {
    {{"01.01.2017"},
     "\n"
     "Date: \t\t 01.01.2017  00:00:00  \n"
     "\n"
     "RD Gregorian:\t 736330 \n"
     "ED:              736330          Sunday\n"
     "\n"
     "E0 time:         63618825627             0x0000000ECFFA3D9B\n"
     "E3 time:         63618825627000          0x000039DC6980A578\n"
     "E6 time:         63618825627000000       0x00E204FC1E865CC0\n"
     "Leap Seconds:\t          27\n"
     "\n"
     "Unix time:       1483228800              0x0000000058684680\n"
     "FILE time:       131277024000000000      0x01D263C1FEB0C000\n"
     "\n"},
    {{"30.06.1972"},
     "\n"
     "Date: \t\t 30.06.1972  00:00:00  \n"
     "\n"
     "RD Gregorian:\t 720074 \n"
     "ED:              720074          Friday\n"
     "\n"
     "E0 time:         62214307200             0x0000000E7C42FD80\n"
     "E3 time:         62214307200000          0x0000389565AE3C00\n"
     "E6 time:         62214307200000000       0x00DD0795309A6000\n"
     "Leap Seconds:\t           0\n"
     "\n"
     "Unix time:       78710400                0x0000000004B10680\n"
     "FILE time:       117231840000000000      0x01A07DBCC390C000\n"
     "\n"},
    // The leap second counts itself; its Unix time is that of the next midnight.
    {{"31.12.2016", "23:59:60"},
     "\n"
     "Date: \t\t 31.12.2016  23:59:60 \n"
     "\n"
     "RD Gregorian:\t 736329 \n"
     "ED:              736329          Saturday\n"
     "\n"
     "E0 time:         63618825626             0x0000000ECFFA3D9A\n"
     "E3 time:         63618825626000          0x000039DC6980A190\n"
     "E6 time:         63618825626000000       0x00E204FC1E771A80\n"
     "Leap Seconds:\t          27\n"
     "\n"
     "Unix time:       1483228800              0x0000000058684680\n"
     "FILE time:       131277023990000000      0x01D263C1FE182980\n"
     "\n"},
    // Before the Era: no RD line, and the count is as wide as "-1".
    {{"31.12.-1", "23:59:59"},
     "\n"
     "Date: \t\t 31.12.-1  23:59:59 \n"
     "\n"
     "ED:              -1              Sunday\n"
     "\n"
     "E0 time:         -1                      0xFFFFFFFFFFFFFFFF\n"
     "E3 time:         -1000                   0xFFFFFFFFFFFFFC18\n"
     "E6 time:         -1000000                0xFFFFFFFFFFF0BDC0\n"
     "Leap Seconds:\t  0\n"
     "\n"
     "Unix time:       -62135596801            0xFFFFFFF1886E08FF\n"
     "FILE time:       0                       0x0000000000000000\n"
     "\n"},
    {{"31.12.-1"},
     "\n"
     "Date: \t\t 31.12.-1  00:00:00  \n"
     "\n"
     "ED:              -1              Sunday\n"
     "\n"
     "E0 time:         -86400                  0xFFFFFFFFFFFEAE80\n"
     "E3 time:         -86400000               0xFFFFFFFFFAD9A400\n"
     "E6 time:         -86400000000            0xFFFFFFEBE228A000\n"
     "Leap Seconds:\t      0\n"
     "\n"
     "Unix time:       -62135683200            0xFFFFFFF1886CB780\n"
     "FILE time:       0                       0x0000000000000000\n"
     "\n"},
    {{"01.01.1"},
     "\n"
     "Date: \t\t 01.01.1  00:00:00  \n"
     "\n"
     "RD Julian:\t 1 \n"
     "ED:              1               Monday\n"
     "\n"
     "E0 time:         0                       0x0000000000000000\n"
     "E3 time:         0                       0x0000000000000000\n"
     "E6 time:         0                       0x0000000000000000\n"
     "Leap Seconds:\t 0\n"
     "\n"
     "Unix time:       -62135596800            0xFFFFFFF1886E0900\n"
     "FILE time:       0                       0x0000000000000000\n"
     "\n"},
    // The fixed clock of the tests, tagged (UTC).
    {{"/C"},
     "\n"
     "Date: \t\t 15.03.2024  12:34:56  (UTC)\n"
     "\n"
     "RD Gregorian:\t 738960 \n"
     "ED:              738960          Friday\n"
     "\n"
     "E0 time:         63846102923             0x0000000EDD86378B\n"
     "E3 time:         63846102923000          0x00003A115448F6F8\n"
     "E6 time:         63846102923000000       0x00E2D3B13D04B8C0\n"
     "Leap Seconds:\t          27\n"
     "\n"
     "Unix time:       1710506096              0x0000000065F44070\n"
     "FILE time:       133549796960000000      0x01DA76D52FA05800\n"
     "\n"},
    // A Gregorian day count from the Julian era shows both dates.
    {{"100", "/G"},
     "\n"
     "Gregorian Date:\t 10.04.1  00:00:00 \n"
     "\n"
     "Era Date: \t 10.04.1  00:00:00 \n"
     "\n"
     "ED:              100             Tuesday\n"
     "\n"
     "E0 time:         8553600                 0x0000000000828480\n"
     "E3 time:         8553600000              0x00000001FDD59400\n"
     "E6 time:         8553600000000           0x000007C78A4A2000\n"
     "Leap Seconds:\t       0\n"
     "\n"
     "Unix time:       -62127043200            0xFFFFFFF188F08D80\n"
     "FILE time:       0                       0x0000000000000000\n"
     "\n"},
    {{"577735", "/G"},
     "\n"
     "Gregorian Date:\t 14.10.1582  00:00:00 \n"
     "\n"
     "Era Date: \t 04.10.1582  00:00:00 \n"
     "\n"
     "ED:              577735          Thursday\n"
     "\n"
     "E0 time:         49916217600             0x0000000B9F3D0900\n"
     "E3 time:         49916217600000          0x00002D66066B2800\n"
     "E6 time:         49916217600000000       0x00B1568912944000\n"
     "Leap Seconds:\t           0\n"
     "\n"
     "Unix time:       -12219379200            0xFFFFFFFD27AB1200\n"
     "FILE time:       0                       0x0000000000000000\n"
     "\n"},
    // A Julian day count from the Gregorian era, leap seconds by the civil date.
    {{"730000", "/J"},
     "\n"
     "Julian Date: \t 21.08.1999  00:00:00 \n"
     "\n"
     "Era Date: \t 03.09.1999  00:00:00 \n"
     "\n"
     "ED:              730000          Friday\n"
     "\n"
     "E0 time:         63071913622             0x0000000EAF610696\n"
     "E3 time:         63071913622000          0x0000395D1301B9F0\n"
     "E6 time:         63071913622000000       0x00E013923EBE5180\n"
     "Leap Seconds:\t          22\n"
     "\n"
     "Unix time:       936316800               0x0000000037CF0F80\n"
     "FILE time:       125807904000000000      0x01BEF59F43DB4000\n"
     "\n"},
    // The last second before the Era in milliseconds: E0 0, E3 and E6 negative.
    {{"-1", "/E3"},
     "\n"
     "Date: \t\t 31.12.-1  23:59:59 \n"
     "\n"
     "ED:              -1              Sunday\n"
     "\n"
     "E0 time:         0                       0x0000000000000000\n"
     "E3 time:         -1                      0xFFFFFFFFFFFFFFFF\n"
     "E6 time:         -1000                   0xFFFFFFFFFFFFFC18\n"
     "Leap Seconds:\t 0\n"
     "\n"
     "Unix time:       -62135596800            0xFFFFFFF1886E0900\n"
     "FILE time:       0                       0x0000000000000000\n"
     "\n"},
    // Sub-second parts of a FILE time come back in E3, E6 and the FILE time.
    {{"12345678", "/F"},
     "\n"
     "Date: \t\t 01.01.1601  00:00:01 \n"
     "\n"
     "ED:              584389          Monday\n"
     "\n"
     "E0 time:         50491123201             0x0000000BC1816601\n"
     "E3 time:         50491123201234          0x00002DEBE17674D2\n"
     "E6 time:         50491123201234567       0x00B36168B6B85687\n"
     "Leap Seconds:\t           0\n"
     "\n"
     "Unix time:       -11644473599            0xFFFFFFFD49EF6F01\n"
     "FILE time:       12345678                0x0000000000BC614E\n"
     "\n"},
};

TEST(Report, IsPrintedByteForByte) {
    for (const auto& report : whole_reports) {
        EXPECT_EQ(run_command(report.arguments), report.expected) << command_line(report.arguments);
    }
}

// One argument ends the Date line with two spaces and the clock tag; two
// arguments end it with one space. Everything after the date block agrees.
TEST(Report, LayoutDependsOnlyOnTheNumberOfArguments) {
    const std::string single = run_command({"5"});
    const std::string_view single_date = "\nDate: \t\t 01.01.1  00:00:05  \n\n";
    ASSERT_EQ(single.substr(0, single_date.size()), single_date);
    for (const char* e0_switch : {"/E", "/E0", "/e0", "-e", "/E0s"}) {
        const std::string multi = run_command({"5", e0_switch});
        const std::string_view multi_date = "\nDate: \t\t 01.01.1  00:00:05 \n\n";
        ASSERT_EQ(multi.substr(0, multi_date.size()), multi_date) << e0_switch;
        EXPECT_EQ(multi.substr(multi_date.size()), single.substr(single_date.size())) << e0_switch;
    }
}

TEST(Report, ShowsTheCurrentTimeForEverySpellingOfTheClockSwitch) {
    const std::string expected = run_command({"/C"});
    for (const char* spelling : {"/c", "-C", "-c", "/Current", "-clock"}) {
        EXPECT_EQ(run_command({spelling}), expected) << spelling;
    }
}

// The RD line belongs to historical dates of the Era typed as text, the
// clock included; it names the calendar in force on the day.
TEST(Report, PrintsTheRataDieLineOnlyForHistoricalDatesOfTheEra) {
    struct Case {
        std::vector<const char*> arguments;
        std::string_view rd_line;  // empty: none
    };
    const std::vector<Case> cases = {
        {{"04.10.1582"}, "\nRD Julian:\t 577735 \n"},
        {{"15.10.1582"}, "\nRD Gregorian:\t 577736 \n"},
        {{"29.02.1500", "12:00:00"}, "\nRD Julian:\t 547567 \n"},
        {{"01.01.2000", "12:00:00", "/G"}, "\nRD Gregorian:\t 730120 \n"},
        {{"/C"}, "\nRD Gregorian:\t 738960 \n"},
        {{"01.01.1582", "12:00:00", "/G"}, ""},
        {{"01.01.2000", "12:00:00", "/J"}, ""},
        {{"01.01.2000", "/J"}, ""},
        {{"01.01.-5"}, ""},
        {{"577736", "/D"}, ""},
        {{"577736", "/G"}, ""},
        {{"63618825627"}, ""},
    };
    for (const auto& c : cases) {
        const std::string output = run_command(c.arguments);
        ASSERT_FALSE(reported_value(output, "ED:").empty()) << command_line(c.arguments);
        if (c.rd_line.empty()) {
            EXPECT_EQ(output.find("\nRD "), std::string::npos) << command_line(c.arguments);
        } else {
            EXPECT_NE(output.find(c.rd_line), std::string::npos) << command_line(c.arguments);
        }
    }
}

// Julian and Gregorian date texts are shown as the historical date of the
// same day; only day counts show the two-calendar block.
TEST(Report, ShowsTypedCalendarDatesAsTheHistoricalDate) {
    struct Case {
        std::vector<const char*> arguments;
        std::string_view date_block;
    };
    const std::vector<Case> cases = {
        {{"01.01.2000", "/J"}, "\nDate: \t\t 14.01.2000  00:00:00 \n\n"},
        {{"01.01.2000", "12:00:00", "/j"}, "\nDate: \t\t 14.01.2000  12:00:00 \n\n"},
        {{"01.01.1582", "06:00:00", "/g"}, "\nDate: \t\t 22.12.1581  06:00:00 \n\n"},
        {{"01.01.2000", "12:00:00", "/Gregorian"}, "\nDate: \t\t 01.01.2000  12:00:00 \n\n"},
        {{"05.10.1582", "/G"}, "\nDate: \t\t 25.09.1582  00:00:00 \n\n"},
    };
    for (const auto& c : cases) {
        const std::string output = run_command(c.arguments);
        EXPECT_EQ(output.substr(0, c.date_block.size()), c.date_block) << command_line(c.arguments);
    }
}

}  // namespace
}  // namespace morvek
