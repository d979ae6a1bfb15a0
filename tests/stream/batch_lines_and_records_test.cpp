// The stream mode's edges: one record per status, line ends and line
// lengths, bytes that must be escaped, and the options.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stream/batch_test_support.h"
#include "stream/record_readers.h"

namespace morvek {
namespace {

using stream_testing::convert;
using stream_testing::fixed_clock;
using namespace morvek::stream;

TEST(BatchRecords, OneRecordPerStatusWithItsMessage) {
    struct Row {
        std::string line;
        const char* record;  // --fields=line,status,message,date,time
    };
    const Row rows[] = {
        {"01.01.2017", "1\tok\t\t01.01.2017\t00:00:00"},
        {"5 /X", "1\tusage\t\t\t"},
        {"31.02.2000", "1\tnonexistent-date\t31.02.2000 00:00:00 - non-existent date\t\t"},
        {"31.02.2000 12:00:00 /J", "1\tnonexistent-date\t31.02.2000 12:00:00 - non-existent date\t\t"},
        {"01.01.2000 23:59:60", "1\tnonexistent-time\t01.01.2000 23:59:60 - non-existent time\t\t"},
        {"9223372036855", "1\ttoo-big\tToo big number..\t\t"},
        {"0 /D", "1\tera-day-zero\tEra Day: 0 - non-existent date. Use: 1 - for CE day 1 -1 - for BCE day 1\t\t"},
        {"", "1\tusage\t\t\t"},
        {" \t ", "1\tusage\t\t\t"},
        {std::string(4097, '1'), "1\ttoo-long\tline longer than 4096 bytes\t\t"},
    };
    for (const Row& row : rows) {
        const std::string input = row.line + "\n";
        const auto converted = convert({"--format=tsv", "--fields=line,status,message,date,time"}, {input});
        EXPECT_EQ(converted.output, std::string(row.record) + "\n") << row.line;
        EXPECT_EQ(converted.totals.failed, std::string_view(row.record).substr(2, 2) == "ok" ? 0u : 1u) << row.line;
    }
}

// Line ends, lengths and inputs: the records keep the lines' numbers and order.
TEST(BatchRecords, LinesAreCountedAcrossInputsWhateverTheirEnds) {
    const std::string longest(4096, '7');
    const std::string long_lines = longest + "\r\n" + longest + "7\n3 /U\n";  // 4096 bytes and a CR fit; 4097 do not
    const std::vector<std::string_view> inputs = {
        "1 /U\r\n\n2 /U",  // CRLF, a blank line, no final line end
        "",                 // an empty input has no line
        long_lines,
        std::string_view("4\0 /U\n\xff\xfe /U\n", 12),
    };
    const auto converted = convert({"--format=tsv", "--fields=line,status,input"}, inputs);
    const auto rows = records::read_tsv(converted.output);
    ASSERT_EQ(rows.size(), 8u);
    const char* want[][2] = {{"ok", "1 /U"}, {"usage", ""}, {"ok", "2 /U"}, {"too-big", nullptr},
                             {"too-long", ""}, {"ok", "3 /U"}, {"usage", nullptr}, {"usage", "\xff\xfe /U"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 3u);
        EXPECT_EQ(rows[i][0], std::to_string(i + 1));
        EXPECT_EQ(rows[i][1], want[i][0]) << i;
        if (want[i][1] != nullptr) {
            EXPECT_EQ(rows[i][2], want[i][1]) << i;
        }
    }
    EXPECT_EQ(rows[3][2], longest);
    EXPECT_EQ(rows[6][2], std::string("4\0 /U", 5));
    EXPECT_EQ(converted.totals.lines, 8u);
    EXPECT_EQ(converted.totals.failed, 5u);
    EXPECT_EQ(converted.totals.first_failed, 2u);
}

TEST(BatchRecords, ALineTooLongIsANoticeInTheReportFormat) {
    const std::string input = "01.01.2017\n" + std::string(10000, 'x') + "\n01.01.2017";
    const auto converted = convert({}, {input});
    std::string once;
    write_command_output(run_command(std::vector<std::string_view>{"01.01.2017"}, fixed_clock),
                         string_sink(once));
    EXPECT_EQ(converted.output, once + once);
    EXPECT_EQ(converted.notices, "morvek: line 2 is longer than 4096 bytes, not converted\n");
}

TEST(BatchRecords, TextsAreEscapedSoThatEveryRecordReadsBack) {
    const std::string line("a,\"b\"\t\\c\x01\x7f\xc3\xa9\xe2\x82", 14);
    struct Row {
        const char* format;
        std::string record;
    };
    const Row rows[] = {
        {"--format=tsv", "1\ta,\"b\"\\t\\\\c\x01\x7f\xc3\xa9\xe2\x82\tusage\n"},
        {"--format=csv", "1,\"a,\"\"b\"\"\t\\c\x01\x7f\xc3\xa9\xe2\x82\",usage\n"},
        {"--format=jsonl", "{\"line\":1,\"input\":\"a,\\\"b\\\"\\t\\\\c\\u0001\\u007f\xc3\xa9\\ufffd\\ufffd\",\"status\":\"usage\"}\n"},
    };
    for (const Row& row : rows) {
        const auto converted = convert({row.format, "--fields=line,input,status"}, {line + "\n"});
        EXPECT_EQ(converted.output, row.record) << row.format;
    }
}

TEST(BatchRecords, FromAppendsTheSwitchAndHeaderNamesTheFields) {
    const auto converted = convert({"--from=/F", "--format=csv", "--header", "--fields=line,date,time,file_time,iso"},
                                   {"131277024005000000\n\n1 2 3\n"});
    EXPECT_EQ(converted.output,
              "line,date,time,file_time,iso\n"
              "1,01.01.2017,00:00:00,131277024005000000,2017-01-01T00:00:00.500000Z\n"
              "2,,,,\n"
              "3,,,,\n");
    const auto defaults = convert({"--format=tsv", "--header"}, {});
    EXPECT_EQ(defaults.output,
              "line\tinput\tstatus\tmessage\tdate\ttime\tcalendar\tera_date\trd_julian\trd_gregorian\tera_day\tweekday\t"
              "e0\te3\te6\tleap_seconds\tunix\tfile_time\n");
}

TEST(BatchOptions, RefuseWhatTheyCannotDo) {
    const std::vector<std::vector<const char*>> refused = {
        {"--format=xml"}, {"--fields=date,nope"}, {"--fields="}, {"--fields=date,date", "--format=tsv"},
        {"--fields=date"}, {"--header"}, {"--header", "--format=jsonl"}, {"--from=U"}, {"--from="}, {"--verbose"},
    };
    for (const auto& arguments : refused) {
        std::vector<const char*> files(arguments.size());
        EXPECT_FALSE(batch_options_from_arguments(arguments, files).problem.empty()) << arguments[0];
    }
    const std::vector<const char*> accepted = {"a.txt", "--format=jsonl", "-", "--", "--header"};
    std::vector<const char*> files(accepted.size());
    const BatchOptionsRead read = batch_options_from_arguments(accepted, files);
    ASSERT_TRUE(read.problem.empty());
    ASSERT_EQ(read.options.files.size(), 3u);
    EXPECT_STREQ(read.options.files[2], "--header");
}

}  // namespace
}  // namespace morvek
