// The judge of the fuzz target and the property tests: it must accept what
// the program prints and reject what differs from it by a single byte.

#include "output_classifier.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/command_runner.h"

namespace {

using morvek::check::OutputKind;

const auto fixed_reading = [] { return morvek::DateTime{{2021, 7, 4}, 12, 34, 56, 0}; };

std::string run(const std::vector<std::string>& arguments) {
    return morvek::command_testing::program_output(arguments, morvek::utc_clock_from(fixed_reading));
}

morvek::check::Classification classify(const std::string& output, const std::vector<std::string>& arguments) {
    std::vector<std::string_view> views(arguments.begin(), arguments.end());
    return morvek::check::classify_output(output, views);
}

struct Example {
    std::vector<std::string> arguments;
    OutputKind kind;
};

// One argument list for every kind of output and every date block.
const std::vector<Example> examples = {
    {{}, OutputKind::usage},
    {{"1", "2", "3", "4", "5"}, OutputKind::usage},
    {{"01.01.2017"}, OutputKind::report},
    {{"31.12.-1"}, OutputKind::report},
    {{"/C"}, OutputKind::report},
    {{"-5"}, OutputKind::report},
    {{"01.01.2000", "12:00:00"}, OutputKind::report},
    {{"31.12.2016", "23:59:60"}, OutputKind::report},
    {{"01.01.2000", "12:00:00", "/G"}, OutputKind::report},
    {{"736330", "/D"}, OutputKind::report},
    {{"-999", "/E3"}, OutputKind::report},
    {{"9223372036854775807", "/E6"}, OutputKind::report},
    {{"12345678", "/F"}, OutputKind::report},
    {{"1483228800", "/U"}, OutputKind::report},
    {{"730000", "/J"}, OutputKind::report},
    {{"500000", "/G"}, OutputKind::report},
    {{"19.12.2016", "/J"}, OutputKind::report},
    {{"31.02.2000"}, OutputKind::nonexistent_date_one},
    {{"31.02.2000", "12:00:00"}, OutputKind::nonexistent_date_two},
    {{"0", "/G"}, OutputKind::nonexistent_date_two},
    {{"01.01.2000", "23:59:60"}, OutputKind::nonexistent_time},
    {{"9223372036855"}, OutputKind::too_big},
    {{"0", "/D"}, OutputKind::era_day_zero},
    {{"x5"}, OutputKind::usage},
    {{"01.01.2000", "12:00:00", "X"}, OutputKind::usage},
};

TEST(OutputClassifier, AcceptsWhatTheProgramPrintsInEveryForm) {
    for (const Example& example : examples) {
        const std::string output = run(example.arguments);
        const auto verdict = classify(output, example.arguments);
        EXPECT_EQ(verdict.kind, example.kind) << verdict.problem << "\n" << output;
        if (verdict.kind == OutputKind::report) {
            EXPECT_EQ(morvek::check::report_inconsistency(verdict.report), "") << output;
        }
    }
}

TEST(OutputClassifier, ReadsTheValuesOfAReport) {
    const auto verdict = classify(run({"01.01.2017"}), {"01.01.2017"});
    ASSERT_EQ(verdict.kind, OutputKind::report) << verdict.problem;
    const auto& r = verdict.report;
    EXPECT_TRUE(r.has_rd);
    EXPECT_TRUE(r.rd_gregorian);
    EXPECT_EQ(r.era_day, 736330);
    EXPECT_EQ(r.weekday, "Sunday");
    EXPECT_EQ(r.e0, 63618825627);
    EXPECT_EQ(r.e3, 63618825627000);
    EXPECT_EQ(r.e6, 63618825627000000);
    EXPECT_EQ(r.leap_seconds, 27);
    EXPECT_EQ(r.unix_time, 1483228800);
    EXPECT_EQ(r.file_time, 131277024000000000);
    EXPECT_EQ(r.first, (morvek::check::DateTime{1, 1, 2017, 0, 0, 0}));
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "the corruption does not apply: " << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(OutputClassifier, RejectsCorruptedReports) {
    const std::vector<std::string> arguments = {"01.01.2017"};
    const std::string good = run(arguments);
    ASSERT_EQ(classify(good, arguments).kind, OutputKind::report);

    const std::vector<std::pair<const char*, std::string>> corrupted = {
        {"hex digit no longer matching", replaced(good, "0x0000000ECFFA3D9B", "0x0000000ECFFA3D9C")},
        {"hex digit in lower case", replaced(good, "0x0000000ECFFA3D9B", "0x0000000ecffa3d9b")},
        {"decimal digit changed under its hex", replaced(good, "63618825627 ", "63618825628 ")},
        {"missing E3 line", replaced(good, "E3 time:         63618825627000          0x000039DC6980A578\n", "")},
        {"missing blank line", replaced(good, "\n\nUnix", "\nUnix")},
        {"hex column one to the right", replaced(good, "1483228800              0x", "1483228800               0x")},
        {"weekday one column to the left", replaced(good, "          Sunday", "         Sunday")},
        {"stray space after the hex", replaced(good, "0x01D263C1FEB0C000\n", "0x01D263C1FEB0C000 \n")},
        {"tab instead of spaces", replaced(good, "E0 time:         ", "E0 time:\t ")},
        {"wrong weekday", replaced(good, "Sunday", "Monday")},
        {"unknown weekday", replaced(good, "Sunday", "Sundae")},
        {"Leap Seconds too narrow", replaced(good, "Leap Seconds:\t          27", "Leap Seconds:\t         27")},
        {"Leap Seconds too wide", replaced(good, "Leap Seconds:\t          27", "Leap Seconds:\t           27")},
        {"RD line without its space", replaced(good, "736330 \n", "736330\n")},
        {"label misspelt", replaced(good, "Unix time:", "UNIX time:")},
        {"date line with one space at its end", replaced(good, "00:00:00  \n", "00:00:00 \n")},
        {"day without its leading zero", replaced(good, "01.01.2017", "1.01.2017")},
        {"no final blank line", good.substr(0, good.size() - 1)},
        {"text after the report", good + "\n"},
        {"clock tag on a date", replaced(good, "00:00:00  \n", "00:00:00  (UTC)\n")},
        {"E0 line with a plus sign", replaced(good, "63618825627             0x", "+63618825627            0x")},
    };
    for (const auto& [what, text] : corrupted) {
        const auto verdict = classify(text, arguments);
        EXPECT_EQ(verdict.kind == OutputKind::report && morvek::check::report_inconsistency(verdict.report).empty(),
                  false)
            << what << " was accepted:\n" << text;
    }
    // A structurally fine report that lies about its own numbers.
    const auto lying = classify(replaced(good, "Sunday", "Monday"), arguments);
    ASSERT_EQ(lying.kind, OutputKind::report) << lying.problem;
    EXPECT_NE(morvek::check::report_inconsistency(lying.report), "");
}

TEST(OutputClassifier, RejectsCorruptedUsageAndMessages) {
    const std::string usage = run({});
    ASSERT_EQ(classify(usage, {}).kind, OutputKind::usage);
    EXPECT_FALSE(classify(usage.substr(0, usage.size() - 1), {}).accepted()) << "truncated usage text";
    EXPECT_FALSE(classify(usage.substr(0, usage.size() / 2), {}).accepted()) << "half a usage text";
    EXPECT_FALSE(classify(usage + usage, {}).accepted()) << "usage text twice";
    EXPECT_FALSE(classify("", {}).accepted()) << "no output at all";
    EXPECT_FALSE(classify("", {"01.01.2000", "12:00:00", "X"}).accepted()) << "silence on three arguments";

    const std::vector<std::string> two = {"31.02.2000", "12:00:00"};
    const std::string message = run(two);
    ASSERT_EQ(classify(message, two).kind, OutputKind::nonexistent_date_two);
    EXPECT_FALSE(classify(message, {"31.02.2000", "12:00:01"}).accepted()) << "other argument text";
    EXPECT_FALSE(classify(message, {"31.02.2000"}).accepted()) << "two-argument message for one argument";
    EXPECT_FALSE(classify(replaced(message, "date", "time"), two).kind == OutputKind::nonexistent_date_two);
    EXPECT_FALSE(classify("\nToo big number.\n", {"9223372036855"}).accepted()) << "one dot missing";
    EXPECT_FALSE(classify(run({"0", "/D"}), {"0", "/J"}).accepted()) << "Era Day message for a day count";

    // A report in the layout of the other argument count.
    const std::string single = run({"5"});
    EXPECT_FALSE(classify(single, {"5", "/E0"}).accepted());
    const std::string multi = run({"5", "/E0"});
    EXPECT_FALSE(classify(multi, {"5"}).accepted());
    EXPECT_TRUE(classify(multi, {"5", "/E0"}).accepted());
}

}  // namespace
