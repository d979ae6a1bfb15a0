#include "stream/batch_options.h"

#include <algorithm>

#include "command/command_forms.h"
#include "formats/value_text.h"

namespace morvek::stream {

namespace {

constexpr std::string_view prefix_of(std::string_view argument, std::string_view prefix) {
    return argument.substr(0, prefix.size()) == prefix ? argument.substr(prefix.size()) : std::string_view{};
}

bool read_format(std::string_view name, BatchFormat& format) {
    constexpr std::array<std::pair<std::string_view, BatchFormat>, 5> formats = {{
        {"report", BatchFormat::report}, {"tsv", BatchFormat::tsv}, {"csv", BatchFormat::csv},
        {"jsonl", BatchFormat::jsonl}, {"list", BatchFormat::list},
    }};
    for (const auto& [known, value] : formats) {
        if (name == known) {
            format = value;
            return true;
        }
    }
    return false;
}

// A comma-separated list of fields, each NAME or LABEL=NAME (written under
// LABEL); no name written twice.
std::string_view read_fields(std::string_view list, BatchOptions& options) {
    options.chosen_count = 0;
    if (list.empty()) return "--fields names no field";
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        const std::size_t equals = item.find('=');
        const std::string_view label = item.substr(0, equals);
        const std::optional<Field> known = field_from_name(equals == std::string_view::npos ? item : item.substr(equals + 1));
        if (!known) return "unknown field in --fields";
        if (label.empty() || label.find_first_of("\t\n\r,\"") != std::string_view::npos) return "a name in --fields is empty or not plain";
        for (std::size_t i = 0; i < options.chosen_count; ++i) {
            if (options.names[i] == label) return "a field is named twice in --fields";
        }
        if (options.chosen_count == max_chosen_fields) return "too many fields in --fields";
        options.fields[options.chosen_count] = *known;
        options.names[options.chosen_count++] = label;
        if (comma == std::string_view::npos) return {};
        list.remove_prefix(comma + 1);
    }
}

// --jobs=N: 0 to 256.
bool read_jobs(std::string_view text, unsigned& jobs) {
    const Result<std::int64_t> value = detail::integer_from_value_text(text);
    if (!value || *value < 0 || *value > 256 || text.empty() || text[0] == '-' || text[0] == '+') return false;
    jobs = static_cast<unsigned>(*value);
    return true;
}

// --column=N (1-based) or --column=NAME.
bool read_column(std::string_view text, BatchOptions& options) {
    if (text.empty()) return false;
    const bool number = text.find_first_not_of("0123456789") == std::string_view::npos;
    if (!number) {
        options.column_name = text;
        options.column = 0;
        return true;
    }
    const Result<std::int64_t> value = detail::integer_from_value_text(text);
    if (!value || *value < 1 || *value > 1000000) return false;
    options.column = static_cast<std::size_t>(*value);
    options.column_name = {};
    return true;
}

// "FROM..TO": two years, the first not after the second.
bool read_window(std::string_view text, YearWindow& window) {
    const std::size_t dots = text.find("..");
    if (dots == std::string_view::npos) return false;
    const Result<std::int64_t> first = detail::integer_from_value_text(text.substr(0, dots));
    const Result<std::int64_t> last = detail::integer_from_value_text(text.substr(dots + 2));
    constexpr std::int64_t limit = 300000;  // beyond every moment Morvek handles
    if (!first || !last || *first > *last || *first < -limit || *last > limit) return false;
    window = {static_cast<std::int32_t>(*first), static_cast<std::int32_t>(*last)};
    return true;
}

// A preset's name, or the first Gregorian day as DD.MM.YYYY.
bool read_reform(std::string_view text, Reform& reform) {
    if (const std::optional<Reform> preset = reform_from_name(text)) {
        reform = *preset;
        return true;
    }
    std::int32_t parts[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t dot = i < 2 ? text.find('.') : text.size();
        const std::string_view digits = text.substr(0, dot);
        if (dot == std::string_view::npos || digits.empty() || digits.size() > (i < 2 ? 2u : 5u)) return false;
        for (const char c : digits) {
            if (c < '0' || c > '9') return false;
            parts[i] = parts[i] * 10 + (c - '0');
        }
        text.remove_prefix(i < 2 ? dot + 1 : dot);
    }
    const Result<Reform> read = reform_from_first_gregorian_date({parts[2], parts[1], parts[0]});
    if (!read) return false;
    reform = *read;
    return true;
}

}  // namespace

BatchOptionsRead batch_options_from_arguments(std::span<const char* const> arguments, std::span<const char*> files,
                                              Operands kind) {
    BatchOptionsRead read;
    BatchOptions& options = read.options;
    for (std::size_t i = 0; i < default_field_count; ++i) {
        options.fields[i] = static_cast<Field>(i);
        options.names[i] = field_names[i];
    }
    options.chosen_count = default_field_count;
    bool column_given = false;
    bool format_given = false;
    bool fields_chosen = false;
    std::size_t file_count = 0;
    bool options_ended = false;

    for (const char* text : arguments) {
        const std::string_view argument = text != nullptr ? text : "";
        const auto fail = [&](std::string_view problem) {
            read.problem = problem;
            read.subject = argument;
            return read;
        };
        if (options_ended || argument == "-" || argument.substr(0, 2) != "--") {
            if (file_count == files.size()) return fail("too many files");
            files[file_count++] = text != nullptr ? text : "";
        } else if (argument == "--") {
            options_ended = true;
        } else if (argument == "--header") {
            options.header = true;
        } else if (argument.substr(0, 9) == "--format=") {
            if (!read_format(prefix_of(argument, "--format="), options.format)) return fail("unknown --format");
            format_given = true;
        } else if (argument.substr(0, 9) == "--fields=") {
            const std::string_view problem = read_fields(prefix_of(argument, "--fields="), options);
            if (!problem.empty()) return fail(problem);
            fields_chosen = true;
        } else if (argument.substr(0, 7) == "--from=") {
            const std::string_view from = prefix_of(argument, "--from=");
            options.from_switch = {};
            options.from_format = format_spec_from_name(from);
            if (cli::is_switch(from)) {
                options.from_switch = from;
            } else if (!options.from_format) {
                return fail("--from needs a switch such as /U or a format such as unix_ms");
            }
        } else if (kind == Operands::files && argument.substr(0, 7) == "--jobs=") {
            if (!read_jobs(prefix_of(argument, "--jobs="), options.jobs)) return fail("--jobs needs a number from 0 to 256");
        } else if (kind == Operands::files && argument.substr(0, 8) == "--input=") {
            const std::string_view input = prefix_of(argument, "--input=");
            if (input == "csv") {
                options.input = InputKind::csv;
            } else if (input == "tsv") {
                options.input = InputKind::tsv;
            } else {
                return fail("--input needs csv or tsv");
            }
        } else if (kind == Operands::files && argument.substr(0, 9) == "--column=") {
            if (!read_column(prefix_of(argument, "--column="), options)) return fail("--column needs a number from 1 or a name");
            column_given = true;
        } else if (argument.substr(0, 9) == "--reform=") {
            if (!read_reform(prefix_of(argument, "--reform="), options.settings.reform)) {
                return fail("--reform needs rome, france, prussia, denmark, britain, sweden, russia, greece or the "
                            "first Gregorian day, DD.MM.YYYY from 15.10.1582 to 31.12.9999");
            }
            options.calendar_chosen = true;
        } else if (argument.substr(0, 13) == "--year-start=") {
            const std::optional<YearStart> style = year_start_from_name(prefix_of(argument, "--year-start="));
            if (!style) return fail("--year-start needs january, annunciation or christmas");
            options.settings.year_start = *style;
            options.calendar_chosen = true;
        } else if (kind == Operands::value_words && argument == "--between") {
            options.between = true;
        } else if (kind == Operands::value_words && argument == "--guess") {
            options.guess = true;
        } else if (kind == Operands::value_words && argument.substr(0, 9) == "--window=") {
            if (!read_window(prefix_of(argument, "--window="), options.window)) {
                return fail("--window needs two years, FROM..TO");
            }
        } else {
            return fail("unknown option");
        }
    }
    // Rows keep their dialect: the new fields follow in it.
    if (options.input != InputKind::lines) {
        const BatchFormat dialect = options.input == InputKind::csv ? BatchFormat::csv : BatchFormat::tsv;
        if (format_given && options.format != dialect) {
            return {options, "--input=csv and tsv write their own dialect; --format may only name it", "--format"};
        }
        if (!column_given) return {options, "--input needs --column=N or --column=NAME", "--input"};
        options.format = dialect;
    } else if (column_given) {
        return {options, "--column needs --input=csv or tsv", "--column"};
    }
    // A report is the program's own text: it has no fields and no header.
    if (options.format == BatchFormat::report && fields_chosen) return {options, "--fields needs --format=tsv, csv or jsonl", "--fields"};
    if (options.format == BatchFormat::list && !fields_chosen) {
        // The historian's fields only when a calendar option asks for them.
        const std::span<const Field> listed = list_fields(options.calendar_chosen);
        std::copy(listed.begin(), listed.end(), options.fields.begin());
        options.chosen_count = listed.size();
        for (std::size_t i = 0; i < options.chosen_count; ++i) options.names[i] = field_name(options.fields[i]);
    }
    if (options.header && options.format != BatchFormat::tsv && options.format != BatchFormat::csv) {
        return {options, "--header needs --format=tsv or csv", "--header"};
    }
    options.files = {files.data(), file_count};
    return read;
}

}  // namespace morvek::stream
