// The stream mode against the one-moment command, over generated command
// lines of every form, good and bad: the report format gives the same bytes
// as the command run once per line, and every field of a tsv, csv or jsonl
// record is the value on the matching line of that output.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "stream/batch_test_support.h"
#include "stream/record_readers.h"
#include "command_generator.h"
#include "morvek/morvek.h"
#include "output_classifier.h"

namespace morvek {
namespace {

using check::OutputKind;
using generated::Generator;

struct Line {
    std::string text;  // as written into the input, without its line end
    std::vector<std::string> words;
};

// Every form, and lines the command refuses: blank, too many words, stray bytes.
std::vector<Line> generated_lines(int count) {
    Generator generator(0x62617463ULL);
    std::mt19937_64 random(11);
    const std::string separators[] = {" ", "\t", "  ", " \t "};
    std::vector<Line> lines;
    for (int i = 0; i < count; ++i) {
        Line line;
        switch (i % 20) {
            case 17: break;  // blank
            case 18: line.words = {"1", "2", "3", "4"}; break;
            case 19: line.words = {std::string("\x01\xff\"\\,", 6), "x"}; break;
            default: line.words = generator.make(generated::all_forms[static_cast<std::size_t>(i) % 16]).arguments;
        }
        if (random() % 4 == 0) line.text += separators[random() % 4];
        for (std::size_t w = 0; w < line.words.size(); ++w) {
            if (w > 0) line.text += separators[random() % 4];
            line.text += line.words[w];
        }
        if (random() % 4 == 0) line.text += separators[random() % 4];
        lines.push_back(line);
    }
    return lines;
}

std::string one_moment_output(const std::vector<std::string>& words) {
    std::vector<std::string_view> views(words.begin(), words.end());
    std::string output;
    write_command_output(run_command(views, stream_testing::fixed_clock), string_sink(output));
    return output;
}

std::string input_text(const std::vector<Line>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += lines[i].text + (i % 3 == 0 ? "\r\n" : "\n");
    return text;
}

// The values the one-moment output shows, by field name.
std::map<std::string, std::string> expected_fields(const Line& line, std::uint64_t number) {
    const std::string output = one_moment_output(line.words);
    std::vector<std::string_view> views(line.words.begin(), line.words.end());
    const check::Classification verdict = check::classify_output(output, views);
    std::map<std::string, std::string> fields;
    fields["line"] = std::to_string(number);
    fields["input"] = line.text;
    constexpr std::pair<OutputKind, const char*> statuses[] = {
        {OutputKind::report, "ok"}, {OutputKind::usage, "usage"}, {OutputKind::nonexistent_date_one, "nonexistent-date"},
        {OutputKind::nonexistent_date_two, "nonexistent-date"}, {OutputKind::nonexistent_time, "nonexistent-time"},
        {OutputKind::too_big, "too-big"}, {OutputKind::era_day_zero, "era-day-zero"},
    };
    for (const auto& [kind, name] : statuses) {
        if (verdict.kind == kind) fields["status"] = name;
    }
    if (verdict.kind != OutputKind::report) {
        if (verdict.kind != OutputKind::usage) {
            std::string message;
            for (const char c : output) {
                const bool blank = c == ' ' || c == '\t' || c == '\n';
                if (!blank) message += c;
                else if (!message.empty() && message.back() != ' ') message += ' ';
            }
            if (!message.empty() && message.back() == ' ') message.pop_back();
            fields["message"] = message;
        }
        return fields;
    }
    const check::Report& r = verdict.report;
    fields["date"] = Generator::date_text(r.first);
    fields["time"] = Generator::time_text(r.first);
    fields["calendar"] = r.block == check::DateBlock::julian ? "julian" : r.block == check::DateBlock::gregorian ? "gregorian" : "historical";
    if (r.block != check::DateBlock::plain) fields["era_date"] = Generator::date_text(r.era_date);
    if (r.has_rd) fields[r.rd_gregorian ? "rd_gregorian" : "rd_julian"] = std::to_string(r.rd);
    fields["era_day"] = std::to_string(r.era_day);
    fields["weekday"] = r.weekday;
    fields["e0"] = std::to_string(r.e0);
    fields["e3"] = std::to_string(r.e3);
    fields["e6"] = std::to_string(r.e6);
    fields["leap_seconds"] = std::to_string(r.leap_seconds);
    fields["unix"] = std::to_string(r.unix_time);
    fields["file_time"] = std::to_string(r.file_time);
    fields["e0_hex"] = check::hex_column(r.e0);
    fields["e3_hex"] = check::hex_column(r.e3);
    fields["e6_hex"] = check::hex_column(r.e6);
    fields["unix_hex"] = check::hex_column(r.unix_time);
    fields["file_time_hex"] = check::hex_column(r.file_time);
    // Days counted without a gap: Era Day 1 is JDN 1721426, -1 is 1721425.
    const std::int64_t jdn = r.era_day + (r.era_day > 0 ? 1721425 : 1721426);
    fields["jdn"] = std::to_string(jdn);
    fields["mjd"] = std::to_string(jdn - 2400001);
    const Result<IsoText> iso = iso8601_from_moment(*moment_from_e6(r.e6));
    if (iso) fields["iso"] = std::string(iso->view());
    return fields;
}

constexpr const char* every_field =
    "--fields=line,input,status,message,date,time,calendar,era_date,rd_julian,rd_gregorian,era_day,weekday,"
    "e0,e3,e6,leap_seconds,unix,file_time,e0_hex,e3_hex,e6_hex,unix_hex,file_time_hex,jdn,mjd,iso";

class BatchDifferential : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        lines_ = new std::vector<Line>(generated_lines(8000));
        text_ = new std::string(input_text(*lines_));
    }
    static void TearDownTestSuite() {
        delete lines_;
        delete text_;
    }
    static std::vector<Line>* lines_;
    static std::string* text_;
};
std::vector<Line>* BatchDifferential::lines_ = nullptr;
std::string* BatchDifferential::text_ = nullptr;

TEST_F(BatchDifferential, TheReportFormatIsTheOneMomentOutputOfEveryLine) {
    std::string expected;
    std::uint64_t reports = 0;
    for (const Line& line : *lines_) {
        const std::string output = one_moment_output(line.words);
        reports += output.find("E0 time:") != std::string::npos;
        expected += output;
    }
    const stream_testing::Converted converted = stream_testing::convert({}, {*text_});
    EXPECT_EQ(converted.output, expected);
    EXPECT_EQ(converted.totals.lines, lines_->size());
    EXPECT_EQ(converted.totals.lines - converted.totals.failed, reports);
    EXPECT_GT(reports, lines_->size() / 2);
}

TEST_F(BatchDifferential, EveryFieldOfEveryRecordIsTheValueOnTheReportLine) {
    const std::string names = std::string(every_field).substr(9);
    for (const char* format : {"--format=tsv", "--format=csv", "--format=jsonl"}) {
        const bool json = std::string_view(format) == "--format=jsonl";
        std::vector<std::string> options = {format, every_field};
        if (!json) options.push_back("--header");
        const stream_testing::Converted converted = stream_testing::convert(options, {*text_}, 5);

        std::vector<std::map<std::string, std::string>> records;
        if (json) {
            std::size_t begin = 0;
            while (begin < converted.output.size()) {
                const std::size_t end = converted.output.find('\n', begin);
                const auto object = records::JsonLine(std::string_view(converted.output).substr(begin, end - begin)).object();
                ASSERT_TRUE(object) << "not strict JSON: " << converted.output.substr(begin, end - begin);
                records.push_back(*object);
                begin = end + 1;
            }
        } else {
            const auto rows = std::string_view(format) == "--format=tsv" ? records::read_tsv(converted.output)
                                                                        : records::read_csv(converted.output);
            ASSERT_FALSE(rows.empty());
            for (std::size_t i = 1; i < rows.size(); ++i) {
                ASSERT_EQ(rows[i].size(), rows[0].size()) << format << " record " << i;
                std::map<std::string, std::string> record;
                for (std::size_t f = 0; f < rows[0].size(); ++f) {
                    if (!rows[i][f].empty()) record[rows[0][f]] = rows[i][f];
                }
                records.push_back(record);
            }
        }
        ASSERT_EQ(records.size(), lines_->size()) << format;
        int differences = 0;
        for (std::size_t i = 0; i < lines_->size(); ++i) {
            auto expected = expected_fields((*lines_)[i], i + 1);
            if (!json) {
                // An empty field is how tsv and csv leave a value out.
                std::erase_if(expected, [](const auto& field) { return field.second.empty(); });
            } else {
                // The only byte above 127 in the lines is 0xFF, never UTF-8:
                // JSON carries it as U+FFFD.
                std::string& input = expected["input"];
                for (std::size_t at; (at = input.find('\xff')) != std::string::npos;) input.replace(at, 1, "\xEF\xBF\xBD");
            }
            if (records[i] != expected && ++differences <= 5) {
                ADD_FAILURE() << format << " line " << i + 1 << " '" << (*lines_)[i].text << "'";
                for (const auto& [name, value] : expected) {
                    const auto got = records[i].find(name);
                    if (got == records[i].end() || got->second != value) {
                        ADD_FAILURE() << "  " << name << ": got '" << (got == records[i].end() ? "<none>" : got->second)
                                      << "', want '" << value << "'";
                    }
                }
            }
        }
        EXPECT_EQ(differences, 0) << format;
    }
}

// Threads change nothing: every format and field set, with the switches,
// the formats and the CSV and TSV columns, given in pieces of random sizes,
// gives on three threads the bytes, notices and totals of one.
TEST(BatchThreads, ThreeThreadsWriteWhatOneWrites) {
    std::string every_field;
    for (const std::string_view name : field_names) every_field += (every_field.empty() ? "" : ",") + std::string(name);
    const std::vector<Line> lines = generated_lines(6000);
    // Runs of blank lines make a report each, longer than the line, between
    // the generated lines: chunks whose records outgrow their buffers come
    // among chunks that do not, and must still be written in turn.
    std::string text;
    for (std::size_t part = 0; part < 6; ++part) {
        text += input_text({lines.begin() + part * 1000, lines.begin() + (part + 1) * 1000});
        text += std::string(2500, '\n');
    }
    text += std::string(5000, 'x') + "\n" + std::string(80000, 'y') + "\n13300000000000000\n2017-01-01T12:00:00Z";
    std::string rows = "id,when,note\n";
    std::string tab_rows = "id\twhen\tnote\n";
    std::mt19937_64 random(3);
    for (int i = 0; i < 20000; ++i) {
        const std::string when = std::to_string(static_cast<std::int64_t>(random() % 20000000000ULL) - 5000000000LL);
        const std::string note = i % 7 == 0 ? "\"two\nlines, \"\"quoted\"\"\"" : i % 11 == 0 ? "" : "n" + std::to_string(i);
        rows += std::to_string(i) + "," + (i % 13 == 0 ? "" : when + ",") + note + (i % 5 == 0 ? "\r\n" : "\n");
        tab_rows += std::to_string(i) + "\t" + when + (i % 17 == 0 ? "" : "\tx\\ty") + "\n";
    }
    const std::vector<std::vector<std::string>> runs = {
        {"--format=report"},
        {"--format=tsv", "--header"},
        {"--format=csv", "--fields=" + every_field},
        {"--format=jsonl", "--fields=line,input,status,message,iso,webkit,ole,cocoa,fat"},
        {"--format=list"},
        {"--from=/U", "--format=tsv", "--fields=date,time"},
        {"--from=unix_ms", "--format=jsonl"},
        {"--from=iso", "--format=csv", "--fields=t=unix_ns,status"},
        {"--input=csv", "--column=when", "--from=unix", "--fields=datetime=iso,status,message"},
        {"--input=csv", "--column=2", "--from=/U"},
        {"--input=tsv", "--column=when", "--header", "--from=webkit"},
    };
    for (const auto& options : runs) {
        const bool rows_input = options.front().starts_with("--input=");
        const std::string& input = !rows_input ? text : options.front() == "--input=csv" ? rows : tab_rows;
        const std::vector<std::string_view> inputs = {input, std::string_view(input).substr(0, input.size() / 3)};
        const stream_testing::Converted one = stream_testing::convert_run(options, inputs, 1, 7);
        const stream_testing::Converted three = stream_testing::convert_run(options, inputs, 3, 8);
        const std::string name = options.front() + " " + options.back();
        EXPECT_GE(one.totals.lines, 6000u) << name;  // the input was read
        EXPECT_TRUE(one.output == three.output) << name;
        EXPECT_EQ(one.notices, three.notices) << name;
        EXPECT_EQ(one.totals.lines, three.totals.lines) << name;
        EXPECT_EQ(one.totals.failed, three.totals.failed) << name;
        EXPECT_EQ(one.totals.first_failed, three.totals.first_failed) << name;
    }
}

}  // namespace
}  // namespace morvek
