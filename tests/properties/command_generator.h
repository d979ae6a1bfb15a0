#pragma once
// Command lines of every form, good and bad, generated from a seed: shared
// by the report's property tests and the stream mode's differential test.

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "output_classifier.h"
#include "reference/reference_calendar.h"

namespace morvek::generated {

using check::DateTime;

enum class Form {
    date, date_time, date_julian, date_gregorian, date_time_julian, date_time_gregorian, clock,
    bare, e0, e3, e6, unix_time, file_time, era_day, rd_julian, rd_gregorian,
};

constexpr std::array all_forms = {
    Form::date, Form::date_time, Form::date_julian, Form::date_gregorian, Form::date_time_julian,
    Form::date_time_gregorian, Form::clock, Form::bare, Form::e0, Form::e3, Form::e6,
    Form::unix_time, Form::file_time, Form::era_day, Form::rd_julian, Form::rd_gregorian,
};

inline const char* form_name(Form form) {
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

}  // namespace morvek::generated
