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

#include "cli/entry.h"
#include "morvek/morvek.h"
#include "output_classifier.h"
#include "reference/reference_calendar.h"

namespace {

using morvek::check::Classification;
using morvek::check::DateTime;
using morvek::check::OutputKind;
using morvek::check::Report;

enum class Form {
    date, date_time, date_julian, date_gregorian, date_time_julian, date_time_gregorian, clock,
    bare, e0, e3, e6, unix_time, file_time, era_day, rd_julian, rd_gregorian,
};

constexpr std::array all_forms = {
    Form::date, Form::date_time, Form::date_julian, Form::date_gregorian, Form::date_time_julian,
    Form::date_time_gregorian, Form::clock, Form::bare, Form::e0, Form::e3, Form::e6,
    Form::unix_time, Form::file_time, Form::era_day, Form::rd_julian, Form::rd_gregorian,
};

const char* form_name(Form form) {
    constexpr std::array<const char*, 16> names = {
        "date", "date time", "date /J", "date /G", "date time /J", "date time /G", "/C",
        "bare number", "/E0", "/E3", "/E6", "/U", "/F", "/D", "number /J", "number /G",
    };
    return names[static_cast<std::size_t>(form)];
}

struct Input {
    Form form = Form::bare;
    std::vector<std::string> arguments;
    std::int64_t value = 0;  // the number typed, for number forms
    DateTime typed;          // the date and time typed, for date forms and the clock
    std::int64_t millis = 0;  // sub-second parts the input carries
    std::int64_t micros = 0;
    std::int64_t ticks = 0;
};

struct Outcome {
    std::string output;
    Classification verdict;
    morvek::CommandResult result;  // its argument views die with the run
};

morvek::UtcClockReading clock_reading;
morvek::UtcClockReading current_clock() { return clock_reading; }

Outcome run(const std::vector<std::string>& arguments) {
    std::vector<const char*> pointers;
    std::vector<std::string_view> views;
    for (const auto& argument : arguments) {
        pointers.push_back(argument.c_str());
        views.push_back(argument);
    }
    Outcome outcome;
    morvek::ConversionState state;
    morvek::run_morvek(state, pointers, current_clock, morvek::string_sink(outcome.output));
    outcome.result = morvek::run_command(views, current_clock);
    outcome.verdict = morvek::check::classify_output(outcome.output, views);
    return outcome;
}

std::string describe(const std::vector<std::string>& arguments) {
    std::string text = "morvek";
    for (const auto& argument : arguments) text += " '" + argument + "'";
    return text;
}

// ---- generation ----------------------------------------------------------

class Generator {
public:
    explicit Generator(std::uint64_t seed) : random_(seed) {}

    std::int64_t between(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random_);
    }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename T>
    T pick(std::initializer_list<T> items) {
        return items.begin()[between(0, static_cast<std::int64_t>(items.size()) - 1)];
    }

    // Decimal, signed, hexadecimal or octal, within the digit limits given.
    std::string spell(std::int64_t value, int decimal_limit, int hex_limit) {
        const bool negative = value < 0;
        const std::uint64_t magnitude =
            negative ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        const std::string sign = negative ? "-" : (chance(15) ? "+" : "");
        char digits[40];
        const int style = static_cast<int>(between(0, 9));
        if (style == 0 && value != std::numeric_limits<std::int64_t>::min()) {
            std::snprintf(digits, sizeof digits, chance(50) ? "%" PRIx64 : "%" PRIX64, magnitude);
            if (static_cast<int>(std::string_view(digits).size()) <= hex_limit)
                return sign + (chance(50) ? "0x" : "0X") + digits;
        } else if (style == 1 && magnitude != 0) {
            std::snprintf(digits, sizeof digits, "0%" PRIo64, magnitude);
            if (static_cast<int>(std::string_view(digits).size()) <= decimal_limit) return sign + digits;
        }
        std::snprintf(digits, sizeof digits, "%" PRIu64, magnitude);
        return sign + digits;
    }

    std::int64_t near_interesting_e0() {
        const std::int64_t leap =
            morvek::check::unix_epoch_e0 + pick<std::int64_t>({78796800, 94694400, 362793600, 915148800,
                                                              1136073600, 1435708800, 1483228800});
        const std::int64_t centre = pick<std::int64_t>(
            {0, leap, leap + 26, morvek::check::unix_epoch_e0, morvek::check::file_epoch_e0,
             63618825627, 9223372036854, -9223372036854, 972828326912, 49914316800});
        return centre + between(-100000, 100000);
    }

    std::int64_t e0_value() {
        switch (between(0, 3)) {
            case 0: return between(-9223372036854, 9223372036854);
            case 1: return between(60000000000, 64000000000);
            case 2: return between(-100000000000, 100000000000);
            default: return std::clamp<std::int64_t>(near_interesting_e0(), -9223372036854, 9223372036854);
        }
    }

    DateTime date_time() {
        DateTime t;
        t.day = static_cast<std::int32_t>(between(1, 31));
        t.month = static_cast<std::int32_t>(between(1, 12));
        switch (between(0, 5)) {
            case 0: t.year = static_cast<std::int32_t>(between(-5000, 5000)); break;
            case 1: t.year = static_cast<std::int32_t>(between(1560, 1600)); break;
            case 2: t.year = static_cast<std::int32_t>(between(1965, 2030)); break;
            case 3: t.year = static_cast<std::int32_t>(between(-60, 60)); break;
            case 4: t.year = static_cast<std::int32_t>(between(-293000, 293000)); break;
            default: t.year = static_cast<std::int32_t>(between(1, 3000)); break;
        }
        if (t.year == 0) t.year = 1;
        t.hour = static_cast<std::int32_t>(between(0, 23));
        t.minute = static_cast<std::int32_t>(between(0, 59));
        t.second = static_cast<std::int32_t>(between(0, 59));
        if (chance(10)) {
            // The inserted seconds, and 23:59:60 on days that had none.
            t.year = static_cast<std::int32_t>(between(1970, 2018));
            t.month = chance(50) ? 6 : 12;
            t.day = t.month == 6 ? 30 : 31;
            t.hour = 23;
            t.minute = 59;
            t.second = chance(80) ? 60 : 59;
        }
        return t;
    }

    Input make(Form form) {
        Input in;
        in.form = form;
        switch (form) {
            case Form::date:
            case Form::date_time:
            case Form::date_julian:
            case Form::date_gregorian:
            case Form::date_time_julian:
            case Form::date_time_gregorian: {
                in.typed = date_time();
                const bool with_time =
                    form == Form::date_time || form == Form::date_time_julian || form == Form::date_time_gregorian;
                if (!with_time) in.typed.hour = in.typed.minute = in.typed.second = 0;
                in.arguments.push_back(date_text(in.typed));
                if (with_time) in.arguments.push_back(time_text(in.typed));
                if (form == Form::date_julian || form == Form::date_time_julian)
                    in.arguments.push_back(pick<const char*>({"/J", "-j", "/Julian"}));
                if (form == Form::date_gregorian || form == Form::date_time_gregorian)
                    in.arguments.push_back(pick<const char*>({"/G", "-g", "/Gregorian"}));
                break;
            }
            case Form::clock: {
                // A clock names only days that exist, and never second 60.
                do {
                    in.typed = date_time();
                    in.typed.year = static_cast<std::int32_t>(between(1583, 9999));
                } while (!morvek::reference::exists(morvek::CalendarMode::Historical, in.typed.year,
                                                    in.typed.month, in.typed.day));
                if (in.typed.second == 60) in.typed.second = 59;
                in.arguments.push_back(pick<const char*>({"/C", "-c", "/Current"}));
                break;
            }
            case Form::bare:
            case Form::e0:
                in.value = e0_value();
                in.arguments.push_back(spell(in.value, 19, 16));
                if (form == Form::e0) in.arguments.push_back(pick<const char*>({"/E0", "/E", "-e0", "/e"}));
                break;
            case Form::e3: {
                in.value = chance(10) ? between(-999, 999)
                                      : e0_value() / (chance(20) ? 1 : 1000) * 1000 + between(-999, 999);
                in.value = std::clamp<std::int64_t>(in.value, -9223372036854775, 9223372036854775);
                in.millis = in.value % 1000;
                in.arguments = {spell(in.value, 19, 16), pick<const char*>({"/E3", "-e3"})};
                break;
            }
            case Form::e6: {
                switch (between(0, 3)) {
                    case 0: in.value = between(std::numeric_limits<std::int64_t>::min() + 1,
                                               std::numeric_limits<std::int64_t>::max()); break;
                    case 1: in.value = between(-999999, 999999); break;
                    default:
                        // At the ends of the range a part below the second may not fit.
                        in.value = e0_value() * 1000000;
                        if (__builtin_add_overflow(in.value, between(-999999, 999999), &in.value))
                            in.value = 0;
                }
                in.micros = in.value % 1000;
                in.millis = in.value / 1000 % 1000;
                in.arguments = {spell(in.value, 19, 16), pick<const char*>({"/E6", "-E6"})};
                break;
            }
            case Form::unix_time:
                in.value = chance(50) ? e0_value() - morvek::check::unix_epoch_e0
                                      : between(-9300000000000, 9300000000000);
                in.arguments = {spell(in.value, 40, 40), pick<const char*>({"/U", "-u", "/Unix"})};
                break;
            case Form::file_time:
                if (chance(10)) {
                    in.value = between(-1000000, -1);
                } else if (chance(50)) {
                    in.value = between(0, std::numeric_limits<std::int64_t>::max());
                } else {
                    const std::int64_t e0 = std::clamp<std::int64_t>(e0_value(), morvek::check::file_epoch_e0,
                                                                     972828326912 - 100);
                    in.value = (e0 - morvek::check::file_epoch_e0) * 10000000 + between(0, 9999999);
                }
                if (in.value >= 0) {
                    in.ticks = in.value % 10;
                    in.micros = in.value / 10 % 1000;
                    in.millis = in.value / 10000 % 1000;
                }
                in.arguments = {spell(in.value, 40, 40), pick<const char*>({"/F", "-f", "/FILE"})};
                break;
            case Form::era_day:
                in.value = chance(70) ? between(-106751991, 106751992) : between(-800000, 800000);
                if (in.value == 0) in.value = 1;
                in.arguments = {spell(in.value, 9, 7), pick<const char*>({"/D", "-d", "/ED"})};
                break;
            case Form::rd_julian:
            case Form::rd_gregorian:
                in.value = chance(50) ? between(1, 106751991) : between(500000, 800000);
                if (chance(3)) in.value = -in.value;
                in.arguments = {spell(in.value, 40, 40),
                                form == Form::rd_julian ? pick<const char*>({"/J", "-j"}) : pick<const char*>({"/G", "-g"})};
                break;
        }
        return in;
    }

    static std::string date_text(const DateTime& t) {
        char text[40];
        std::snprintf(text, sizeof text, "%02d.%02d.%d", t.day, t.month, t.year);
        return text;
    }
    static std::string time_text(const DateTime& t) {
        char text[40];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
        return text;
    }

private:
    std::mt19937_64 random_;
};

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
                    clock_reading = {c.input.typed.year, c.input.typed.month, c.input.typed.day,
                                     c.input.typed.hour, c.input.typed.minute, c.input.typed.second};
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
        expect_same(findings, args, "weekday", std::string(morvek::report_weekday_name(v.weekday)), r.weekday);
        expect_same(findings, args, "E0", v.e0, r.e0);
        expect_same(findings, args, "E3", v.e3, r.e3);
        expect_same(findings, args, "E6", v.e6, r.e6);
        expect_same(findings, args, "Leap Seconds", v.leap_seconds, r.leap_seconds);
        expect_same(findings, args, "Unix time", v.unix_time, r.unix_time);
        expect_same(findings, args, "FILE time", v.file_time, r.file_time);
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

        const auto moment = morvek::date_time_from_e6(CalendarMode::Historical, r.e6);
        expect_same(findings, args, "date_time_from_e6 status", static_cast<int>(moment.status), 0);
        const morvek::DateTime& m = moment.value;
        expect_same(findings, args, "date_time_from_e6", show({m.date.day, m.date.month, m.date.year, m.hour, m.minute, m.second}),
                    show(h));
        expect_same(findings, args, "microsecond", std::int64_t{m.microsecond}, r.e6 - r.e0 * 1000000);
        expect_same(findings, args, "e6_from_date_time", morvek::e6_from_date_time(CalendarMode::Historical, m).value, r.e6);
        expect_same(findings, args, "unix_time_from_e0", morvek::unix_time_from_e0(r.e0).value, r.unix_time);
        expect_same(findings, args, "weekday_from_era_day",
                    std::string(morvek::weekday_name(morvek::weekday_from_era_day(r.era_day).value)), r.weekday);
        if (r.file_time > 0) {
            const auto units = static_cast<std::int32_t>((r.e6 - r.e0 * 1000000) * 10 + c.input.ticks);
            expect_same(findings, args, "file_time_from_e0", morvek::file_time_from_e0({r.e0, units}).value, r.file_time);
        }

        const morvek::Date typed{c.input.typed.year, c.input.typed.month, c.input.typed.day};
        const morvek::DateTime typed_moment{typed, c.input.typed.hour, c.input.typed.minute, c.input.typed.second, 0};
        switch (c.input.form) {
            case Form::date:
            case Form::date_time:
                expect_same(findings, args, "e0_from_date_time", morvek::e0_from_date_time(CalendarMode::Historical, typed_moment).value, r.e0);
                break;
            case Form::date_julian:
            case Form::date_time_julian:
                expect_same(findings, args, "e0_from_date_time", morvek::e0_from_date_time(CalendarMode::Julian, typed_moment).value, r.e0);
                break;
            case Form::date_gregorian:
            case Form::date_time_gregorian:
                expect_same(findings, args, "e0_from_date_time", morvek::e0_from_date_time(CalendarMode::Gregorian, typed_moment).value, r.e0);
                break;
            case Form::era_day:
            case Form::rd_julian:
            case Form::rd_gregorian: {
                const CalendarMode mode = c.input.form == Form::rd_julian    ? CalendarMode::Julian
                                          : c.input.form == Form::rd_gregorian ? CalendarMode::Gregorian
                                                                               : CalendarMode::Historical;
                const morvek::Date d = morvek::date_from_era_day(mode, c.input.value).value;
                expect_same(findings, args, "date_from_era_day", show({d.day, d.month, d.year, 0, 0, 0}), show(r.first));
                break;
            }
            case Form::unix_time:
                expect_same(findings, args, "e0_from_unix_time", morvek::e0_from_unix_time(c.input.value).value, r.e0);
                break;
            default:
                break;
        }
    }
    EXPECT_GT(compared, 10000);
    EXPECT_EQ(findings.count(), 0);
}

}  // namespace
