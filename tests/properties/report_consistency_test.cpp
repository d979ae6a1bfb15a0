// Self-consistency of the report over generated inputs of every command
// form: each report must agree with itself, with the input it came from, and
// with the reports of its own printed values fed back in.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "command/command_runner.h"
#include "command_generator.h"
#include "morvek/morvek.h"
#include "output_classifier.h"

namespace {

using morvek::check::Classification;
using morvek::check::DateTime;
using morvek::check::OutputKind;
using morvek::check::Report;
using morvek::generated::all_forms;
using morvek::generated::Form;
using morvek::generated::form_name;
using morvek::generated::Generator;
using morvek::generated::Input;

struct Outcome {
    std::string output;
    Classification verdict;
    morvek::CommandResult result;  // its argument views die with the run
};

// The clock reads what the case of the clock form sets.
morvek::DateTime clock_reading;
const auto current_reading = [] { return clock_reading; };
const morvek::UtcClock current_clock = morvek::utc_clock_from(current_reading);

// The text as the program prints it, from main()'s arguments, and the
// result from the argument texts.
Outcome run(const std::vector<std::string>& arguments) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    Outcome outcome;
    outcome.output = morvek::command_testing::program_output(arguments, current_clock);
    outcome.result = morvek::run_command(views, current_clock);
    outcome.verdict = morvek::check::classify_output(outcome.output, views);
    return outcome;
}

std::string describe(const std::vector<std::string>& arguments) {
    std::string text = "morvek";
    for (const auto& argument : arguments) text += " '" + argument + "'";
    return text;
}

constexpr int inputs_per_form = 1000;

struct Case {
    Input input;
    Outcome outcome;
};

// Generated and run once; every test reads the same cases.
const std::vector<Case>& cases() {
    static const std::vector<Case> all = [] {
        std::vector<Case> result;
        Generator generator(0x6d6f7276656bULL);
        for (int round = 0; round < inputs_per_form; ++round) {
            for (Form form : all_forms) {
                Case c;
                c.input = generator.make(form);
                if (form == Form::clock) {
                    clock_reading = {{c.input.typed.year, c.input.typed.month, c.input.typed.day},
                                     c.input.typed.hour, c.input.typed.minute, c.input.typed.second, 0};
                }
                c.outcome = run(c.input.arguments);
                result.push_back(std::move(c));
            }
        }
        return result;
    }();
    return all;
}

// Failures are counted; the first few are described.
class Findings {
public:
    void add(const std::vector<std::string>& arguments, const std::string& what) {
        if (++count_ <= 15) ADD_FAILURE() << describe(arguments) << ": " << what;
    }
    int count() const { return count_; }

private:
    int count_ = 0;
};

template <typename T>
void expect_same(Findings& findings, const std::vector<std::string>& arguments, const char* what, T printed,
                 T expected) {
    if (printed != expected) {
        std::ostringstream text;
        text << what << " is " << printed << ", expected " << expected;
        findings.add(arguments, text.str());
    }
}

// A Result that must have a value, and when an expected one is given, that value.
template <typename T>
bool expect_value(Findings& findings, const std::vector<std::string>& arguments, const char* what,
                  const morvek::Result<T>& got) {
    if (got) return true;
    findings.add(arguments, std::string(what) + " answers " + std::string(morvek::status_name(got.error())));
    return false;
}
template <typename T>
void expect_value(Findings& findings, const std::vector<std::string>& arguments, const char* what,
                  const morvek::Result<T>& got, const T& expected) {
    if (!expect_value(findings, arguments, what, got) || *got == expected) return;
    if constexpr (requires(std::ostream& out) { out << expected; }) {
        expect_same(findings, arguments, what, *got, expected);
    } else {
        findings.add(arguments, std::string(what) + " differs");
    }
}

std::string show(const DateTime& t) { return Generator::date_text(t) + " " + Generator::time_text(t); }

std::int64_t clock_seconds(const DateTime& t) { return t.hour * 3600 + t.minute * 60 + t.second; }

bool last_second_before_era(const Report& r) { return r.e0 == 0 && r.e6 < 0; }

// ---- properties ----------------------------------------------------------

TEST(ReportConsistency, EveryOutputIsAcceptedAndEnoughInputsReachAReport) {
    Findings findings;
    std::map<Form, int> reports;
    for (const Case& c : cases()) {
        const Classification& verdict = c.outcome.verdict;
        if (!verdict.accepted()) {
            findings.add(c.input.arguments, "output rejected (" + verdict.problem + "):\n" + c.outcome.output);
            continue;
        }
        if (verdict.kind != OutputKind::report) continue;
        ++reports[c.input.form];
        const std::string problem = morvek::check::report_inconsistency(verdict.report);
        if (!problem.empty()) findings.add(c.input.arguments, problem + "\n" + c.outcome.output);
    }
    EXPECT_EQ(findings.count(), 0);

    int total = 0;
    for (Form form : all_forms) {
        total += reports[form];
        std::printf("[ form     ] %-13s %4d of %d reached a report\n", form_name(form), reports[form], inputs_per_form);
        EXPECT_GE(reports[form], inputs_per_form * 6 / 10) << "too few reports for the form " << form_name(form);
    }
    EXPECT_GE(total, static_cast<int>(cases().size()) * 8 / 10);
    std::printf("[ inputs   ] %zu generated, %d reached a report\n", cases().size(), total);
}

TEST(ReportConsistency, DatesReachAReportExactlyWhenTheyExist) {
    Findings findings;
    int nonexistent = 0;
    for (const Case& c : cases()) {
        const Input& in = c.input;
        using Mode = morvek::CalendarMode;
        Mode mode = Mode::Historical;
        if (in.form == Form::date_julian || in.form == Form::date_time_julian) mode = Mode::Julian;
        else if (in.form == Form::date_gregorian || in.form == Form::date_time_gregorian) mode = Mode::Gregorian;
        else if (in.form != Form::date && in.form != Form::date_time) continue;
        const OutputKind kind = c.outcome.verdict.kind;
        const bool exists = morvek::reference::exists(mode, in.typed.year, in.typed.month, in.typed.day);
        const bool message = kind == OutputKind::nonexistent_date_one || kind == OutputKind::nonexistent_date_two;
        nonexistent += message ? 1 : 0;
        if (exists && message) findings.add(in.arguments, "an existing date is called non-existent");
        if (!exists && !message) findings.add(in.arguments, "a non-existent date is not reported as such");
        if (kind == OutputKind::nonexistent_time && in.typed.second != 60)
            findings.add(in.arguments, "non-existent time without second 60");
        if (kind == OutputKind::usage) findings.add(in.arguments, "a well-formed date shows the usage text");
    }
    EXPECT_EQ(findings.count(), 0);
    EXPECT_GT(nonexistent, 0);
}

TEST(ReportConsistency, SubSecondPartsExtendE0) {
    Findings findings;
    for (const Case& c : cases()) {
        if (c.outcome.verdict.kind != OutputKind::report) continue;
        const Report& r = c.outcome.verdict.report;
        const auto& args = c.input.arguments;
        expect_same(findings, args, "E3", r.e3, r.e0 * 1000 + c.input.millis);
        expect_same(findings, args, "E6", r.e6, r.e0 * 1000000 + c.input.millis * 1000 + c.input.micros);
        expect_same(findings, args, "hexadecimal column of E0", morvek::check::hex_column(r.e0),
                    morvek::check::hex_column(static_cast<std::int64_t>(static_cast<std::uint64_t>(r.e0))));
    }
    EXPECT_EQ(findings.count(), 0);
}

TEST(ReportConsistency, TheTypedValueComesBack) {
    Findings findings;
    for (const Case& c : cases()) {
        if (c.outcome.verdict.kind != OutputKind::report) continue;
        const Report& r = c.outcome.verdict.report;
        const Input& in = c.input;
        const auto& args = in.arguments;
        switch (in.form) {
            case Form::bare:
            case Form::e0: expect_same(findings, args, "E0", r.e0, in.value); break;
            case Form::e3:
                expect_same(findings, args, "E3", r.e3, in.value);
                expect_same(findings, args, "E0", r.e0, in.value / 1000);
                break;
            case Form::e6:
                expect_same(findings, args, "E6", r.e6, in.value);
                expect_same(findings, args, "E0", r.e0, in.value / 1000000);
                break;
            case Form::unix_time: expect_same(findings, args, "Unix time", r.unix_time, in.value); break;
            case Form::file_time:
                expect_same(findings, args, "FILE time", r.file_time, std::max<std::int64_t>(in.value, 0));
                break;
            case Form::era_day:
            case Form::rd_julian:
            case Form::rd_gregorian:
                expect_same(findings, args, "Era Day", r.era_day, in.value);
                expect_same(findings, args, "time of day", clock_seconds(r.historical()), std::int64_t{0});
                break;
            case Form::date:
            case Form::date_time:
            case Form::clock:
                expect_same(findings, args, "date and time", show(r.historical()), show(in.typed));
                break;
            default:
                expect_same(findings, args, "time of day", clock_seconds(r.historical()), clock_seconds(in.typed));
                break;
        }
    }
    EXPECT_EQ(findings.count(), 0);
}

TEST(ReportConsistency, PrintedE6FedBackGivesTheSameMoment) {
    Findings findings;
    for (const Case& c : cases()) {
        if (c.outcome.verdict.kind != OutputKind::report) continue;
        const Report& r = c.outcome.verdict.report;
        const std::vector<std::string> args = {std::to_string(r.e6), "/E6"};
        const Outcome again = run(args);
        if (again.verdict.kind != OutputKind::report) {
            findings.add(args, "no report:\n" + again.output);
            continue;
        }
        const Report& s = again.verdict.report;
        expect_same(findings, args, "Era Day", s.era_day, r.era_day);
        expect_same(findings, args, "E0", s.e0, r.e0);
        expect_same(findings, args, "E3", s.e3, r.e3);
        expect_same(findings, args, "E6", s.e6, r.e6);
        expect_same(findings, args, "Leap Seconds", s.leap_seconds, r.leap_seconds);
        expect_same(findings, args, "Unix time", s.unix_time, r.unix_time);
        // Microseconds cannot carry the 100 ns digit of a FILE time.
        expect_same(findings, args, "FILE time", s.file_time, r.file_time - c.input.ticks);
        expect_same(findings, args, "date and time", show(s.historical()), show(r.historical()));
    }
    EXPECT_EQ(findings.count(), 0);
}

TEST(ReportConsistency, PrintedE0FedBackAsBareNumberGivesTheSameSecond) {
    Findings findings;
    for (const Case& c : cases()) {
        if (c.outcome.verdict.kind != OutputKind::report) continue;
        const Report& r = c.outcome.verdict.report;
        const std::vector<std::string> args = {std::to_string(r.e0)};
        const Outcome again = run(args);
        if (again.verdict.kind != OutputKind::report) {
            findings.add(args, "no report:\n" + again.output);
            continue;
        }
        const Report& s = again.verdict.report;
        expect_same(findings, args, "E0", s.e0, r.e0);
        expect_same(findings, args, "Leap Seconds", s.leap_seconds, r.leap_seconds);
        expect_same(findings, args, "Unix time", s.unix_time, r.unix_time);
        // The whole second keeps nothing below it.
        expect_same(findings, args, "E3", s.e3, r.e0 * 1000);
        expect_same(findings, args, "E6", s.e6, r.e0 * 1000000);
        const bool whole_second = r.e3 == r.e0 * 1000 && r.e6 == r.e0 * 1000000 && c.input.ticks == 0;
        if (whole_second) expect_same(findings, args, "FILE time", s.file_time, r.file_time);
        if (r.file_time > 0 && r.e0 >= 0) {
            const std::int64_t below_second = (r.e6 - r.e0 * 1000000) * 10 + c.input.ticks;
            expect_same(findings, args, "FILE time", s.file_time, r.file_time - below_second);
        }
        if (last_second_before_era(r)) {
            // E0 0 is the first second of the Era, not the last one before it.
            expect_same(findings, args, "Era Day", s.era_day, std::int64_t{1});
        } else {
            expect_same(findings, args, "Era Day", s.era_day, r.era_day);
            expect_same(findings, args, "date and time", show(s.historical()), show(r.historical()));
        }
    }
    EXPECT_EQ(findings.count(), 0);
}

TEST(ReportConsistency, PrintedEraDayFedBackGivesItsMidnight) {
    Findings findings;
    for (const Case& c : cases()) {
        if (c.outcome.verdict.kind != OutputKind::report) continue;
        const Report& r = c.outcome.verdict.report;
        const std::vector<std::string> args = {std::to_string(r.era_day), "/D"};
        const Outcome again = run(args);
        const std::int64_t midnight =
            last_second_before_era(r) ? -86400 : r.e0 - clock_seconds(r.historical());
        std::int64_t midnight_e6 = 0;
        if (__builtin_mul_overflow(midnight, std::int64_t{1000000}, &midnight_e6)) {
            // The earliest reportable day begins before the earliest reportable moment.
            if (again.verdict.kind != OutputKind::too_big) findings.add(args, "not too big:\n" + again.output);
            continue;
        }
        if (again.verdict.kind != OutputKind::report) {
            findings.add(args, "no report:\n" + again.output);
            continue;
        }
        const Report& s = again.verdict.report;
        expect_same(findings, args, "Era Day", s.era_day, r.era_day);
        expect_same(findings, args, "weekday", s.weekday, r.weekday);
        expect_same(findings, args, "E0", s.e0, midnight);
        expect_same(findings, args, "E6", s.e6, midnight * 1000000);
        DateTime day = r.historical();
        day.hour = day.minute = day.second = 0;
        expect_same(findings, args, "date and time", show(s.historical()), show(day));
    }
    EXPECT_EQ(findings.count(), 0);
}

TEST(ReportConsistency, PrintedHistoricalDateTypedBackGivesTheSameE0) {
    Findings findings;
    for (const Case& c : cases()) {
        if (c.outcome.verdict.kind != OutputKind::report) continue;
        const Report& r = c.outcome.verdict.report;
        const DateTime& t = r.historical();
        const std::vector<std::string> args = {Generator::date_text(t), Generator::time_text(t)};
        const Outcome again = run(args);
        if (again.verdict.kind != OutputKind::report) {
            findings.add(args, "no report:\n" + again.output);
            continue;
        }
        const Report& s = again.verdict.report;
        // Within the last second before the Era, E0 0 is what truncation
        // toward zero leaves of the moment; the typed second is -1.
        expect_same(findings, args, "E0", s.e0, last_second_before_era(r) ? std::int64_t{-1} : r.e0);
        expect_same(findings, args, "date and time", show(s.historical()), show(t));
    }
    EXPECT_EQ(findings.count(), 0);
}

// ---- the library's values against the printed report ----------------------

morvek::CommandOutcome outcome_of(OutputKind kind) {
    switch (kind) {
        case OutputKind::report: return morvek::CommandOutcome::report;
        case OutputKind::nonexistent_date_one:
        case OutputKind::nonexistent_date_two: return morvek::CommandOutcome::nonexistent_date;
        case OutputKind::nonexistent_time: return morvek::CommandOutcome::nonexistent_time;
        case OutputKind::too_big: return morvek::CommandOutcome::too_big;
        case OutputKind::era_day_zero: return morvek::CommandOutcome::era_day_zero;
        case OutputKind::usage:
        case OutputKind::invalid: break;
    }
    return morvek::CommandOutcome::usage;
}

DateTime printed(const morvek::Date& date, const morvek::CommandResult& result) {
    return {date.day, date.month, date.year, result.hour, result.minute, result.second};
}

TEST(ReportConsistency, TheResultValueHoldsWhatTheReportPrints) {
    Findings findings;
    for (const Case& c : cases()) {
        const auto& args = c.input.arguments;
        const morvek::CommandResult& v = c.outcome.result;
        expect_same(findings, args, "outcome", static_cast<int>(v.outcome),
                    static_cast<int>(outcome_of(c.outcome.verdict.kind)));
        if (c.outcome.verdict.kind != OutputKind::report) continue;
        const Report& r = c.outcome.verdict.report;
        expect_same(findings, args, "layout", v.layout == morvek::ReportLayout::single_argument, r.single_layout);
        expect_same(findings, args, "clock tag", std::string(v.clock_tag), r.clock_tag);
        const morvek::CalendarMode first_calendar = r.block == morvek::check::DateBlock::julian ? morvek::CalendarMode::Julian
                                                    : r.block == morvek::check::DateBlock::gregorian
                                                        ? morvek::CalendarMode::Gregorian
                                                        : morvek::CalendarMode::Historical;
        expect_same(findings, args, "first date calendar", static_cast<int>(v.date.calendar), static_cast<int>(first_calendar));
        expect_same(findings, args, "first date", show(printed(v.date.date, v)), show(r.first));
        expect_same(findings, args, "Era Date line", v.has_era_date, r.block != morvek::check::DateBlock::plain);
        if (v.has_era_date) expect_same(findings, args, "Era Date", show(printed(v.era_date.date, v)), show(r.era_date));
        const morvek::RdLine rd = !r.has_rd ? morvek::RdLine::none : r.rd_gregorian ? morvek::RdLine::gregorian : morvek::RdLine::julian;
        expect_same(findings, args, "RD line", static_cast<int>(v.rd_line), static_cast<int>(rd));
        if (r.has_rd) expect_same(findings, args, "RD", v.rd_value, r.rd);
        expect_same(findings, args, "Era Day", v.era_day, r.era_day);
        expect_same(findings, args, "weekday", std::string(morvek::weekday_name(v.weekday)), r.weekday);
        expect_same(findings, args, "E0", v.e0, r.e0);
        expect_same(findings, args, "E3", v.e3, r.e3);
        expect_same(findings, args, "E6", v.e6, r.e6);
        expect_same(findings, args, "Leap Seconds", v.leap_seconds, r.leap_seconds);
        expect_same(findings, args, "Unix time", v.unix_time, r.unix_time);
        expect_same(findings, args, "FILE time", v.file_time, r.file_time);
        // The instant itself: the printed E6, floored, and a FILE time's 100 ns digit.
        const morvek::Moment at_e6 = *morvek::moment_from_e6(r.e6);
        expect_same(findings, args, "moment seconds", v.moment.seconds, at_e6.seconds);
        expect_same(findings, args, "moment nanosecond", std::int64_t{v.moment.nanosecond},
                    std::int64_t{at_e6.nanosecond} + c.input.ticks * 100);
    }
    EXPECT_EQ(findings.count(), 0);
}

// The typed conversions reach the report's values by their own paths: the
// midnight of a date by inserting leap seconds rather than by the month
// ladder, E6 by floor division rather than truncation.
TEST(ReportConsistency, TheTypedConversionsAgreeWithTheReport) {
    using morvek::CalendarMode;
    Findings findings;
    int compared = 0;
    for (const Case& c : cases()) {
        if (c.outcome.verdict.kind != OutputKind::report) continue;
        const auto& args = c.input.arguments;
        const Report& r = c.outcome.verdict.report;
        const DateTime& h = r.historical();
        // The report truncates a negative moment's parts of a second; the
        // typed conversions floor them, so only whole seconds meet there.
        if (r.e6 < 0 && r.e6 % 1000000 != 0) continue;
        ++compared;

        const morvek::Moment moment = *morvek::moment_from_e6(r.e6);
        const auto date_time = morvek::date_time_from_moment(CalendarMode::Historical, moment);
        if (!expect_value(findings, args, "date_time_from_moment", date_time)) continue;
        const morvek::DateTime& m = *date_time;
        expect_same(findings, args, "date_time_from_moment", show({m.date.day, m.date.month, m.date.year, m.hour, m.minute, m.second}),
                    show(h));
        expect_same(findings, args, "nanosecond", std::int64_t{m.nanosecond}, (r.e6 - r.e0 * 1000000) * 1000);
        expect_value(findings, args, "moment_from_date_time", morvek::moment_from_date_time(CalendarMode::Historical, m), moment);
        expect_value(findings, args, "e6_from_moment", morvek::e6_from_moment(moment), r.e6);
        const auto unix_time = morvek::unix_time_from_moment(*morvek::moment_from_e0(r.e0));
        if (expect_value(findings, args, "unix_time_from_moment", unix_time)) {
            expect_same(findings, args, "unix_time_from_moment", unix_time->seconds, r.unix_time);
        }
        const auto weekday = morvek::weekday_from_era_day(r.era_day);
        if (expect_value(findings, args, "weekday_from_era_day", weekday)) {
            expect_same(findings, args, "weekday_from_era_day", std::string(morvek::weekday_name(*weekday)), r.weekday);
        }
        if (r.file_time > 0) {
            const auto nanosecond = static_cast<std::int32_t>(((r.e6 - r.e0 * 1000000) * 10 + c.input.ticks) * 100);
            expect_value(findings, args, "file_time_from_moment", morvek::file_time_from_moment({r.e0, nanosecond}),
                         r.file_time);
        }

        const morvek::Date typed{c.input.typed.year, c.input.typed.month, c.input.typed.day};
        const morvek::DateTime typed_moment{typed, c.input.typed.hour, c.input.typed.minute, c.input.typed.second, 0};
        const auto expect_typed_e0 = [&](CalendarMode mode) {
            const auto typed_at = morvek::moment_from_date_time(mode, typed_moment);
            if (expect_value(findings, args, "moment_from_date_time", typed_at)) {
                expect_same(findings, args, "moment_from_date_time", typed_at->seconds, r.e0);
            }
        };
        switch (c.input.form) {
            case Form::date:
            case Form::date_time:
                expect_typed_e0(CalendarMode::Historical);
                break;
            case Form::date_julian:
            case Form::date_time_julian:
                expect_typed_e0(CalendarMode::Julian);
                break;
            case Form::date_gregorian:
            case Form::date_time_gregorian:
                expect_typed_e0(CalendarMode::Gregorian);
                break;
            case Form::era_day:
            case Form::rd_julian:
            case Form::rd_gregorian: {
                const CalendarMode mode = c.input.form == Form::rd_julian    ? CalendarMode::Julian
                                          : c.input.form == Form::rd_gregorian ? CalendarMode::Gregorian
                                                                               : CalendarMode::Historical;
                const auto d = morvek::date_from_era_day(mode, c.input.value);
                if (expect_value(findings, args, "date_from_era_day", d)) {
                    expect_same(findings, args, "date_from_era_day", show({d->day, d->month, d->year, 0, 0, 0}), show(r.first));
                }
                break;
            }
            case Form::unix_time: {
                const auto from_unix = morvek::moment_from_unix_time({c.input.value, 0});
                if (expect_value(findings, args, "moment_from_unix_time", from_unix)) {
                    expect_same(findings, args, "moment_from_unix_time", from_unix->seconds, r.e0);
                }
                break;
            }
            default:
                break;
        }
    }
    EXPECT_GT(compared, 10000);
    EXPECT_EQ(findings.count(), 0);
}

}  // namespace
