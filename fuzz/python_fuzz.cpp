// Runs the Python module's converter (python/src/column_conversion.h) on a
// fuzzed buffer laid out as NumPy lays out an int64, uint64, bytes or str
// array, and stops at the first element whose columns are not the library's
// one-element record of its text (convert_value for a format, run_line for
// "lines", then field_integer / field_text / write_message, as the stream
// mode writes them), or where one part and several parts differ.
//
// Input format (also that of the seed corpus):
//   byte 0   the source: 0 "lines", then the formats of the table, then the
//            byte forms (:le, :be) of its integer formats, by index (modulo)
//   byte 1   the field count n (1 + byte modulo 6); bytes 2 to n+1 the
//            fields by index in the field table (modulo; a repeat is skipped)
//   next     the input: low two bits int64, uint64, bytes, str; bits 2-4 the
//            gap after each element (0-7 bytes); bit 5 a reversed array
//            (negative stride); bits 6-7 and the next byte's bit 0 the
//            misalignment of the first element (0-7 bytes)
//   next     bits 3-4 the part count of the split run (2-5); bits 5-7 the
//            copies of the elements
//            (1, 2, 3, 4, 8, 16, 64, 256, at most 1100 elements: long
//            arrays cross the integer blocks)
//   next     bytes and str: the element width (1 + byte, or 4090 + byte
//            modulo 128 when bit 7 is set), in bytes or code points
//   the rest the elements, one after another (integers little endian,
//            code points four bytes little endian); zeros where it ends

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "column_conversion.h"
#include "morvek/command.h"
#include "morvek/formats.h"
#include "morvek/record.h"
#include "morvek/text.h"

namespace {

using namespace morvek;
namespace cc = morvek::column_conversion;

void require(bool condition) {
    if (!condition) __builtin_trap();
}

// "now" for the lines: the same reading on every call, so that both runs
// and the one-element path agree.
const auto fixed_reading = [] { return DateTime{{2024, 3, 15}, 12, 34, 56, 0}; };

std::vector<std::string> known_sources() {
    std::vector<std::string> names{"lines"};
    for (const FormatInfo& row : format_table) names.emplace_back(row.name);
    for (const FormatInfo& row : format_table) {
        if (row.kind != FormatKind::integer) continue;
        for (const char* order : {":le", ":be"}) {
            std::string name = std::string(row.name) + order;
            if (format_spec_from_name(name)) names.push_back(std::move(name));
        }
    }
    return names;
}

// An element's text as the stream mode would read it on its line, written
// here apart from the converter's reader: UTF-8 of the code points, each
// that names no character U+FFFD.
void put_code_point(std::string& out, std::uint32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 + (c >> 6));
        out += static_cast<char>(0x80 + (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 + (c >> 12));
        out += static_cast<char>(0x80 + ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 + (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 + (c >> 18));
        out += static_cast<char>(0x80 + ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 + ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 + (c & 0x3F));
    }
}

// Code points of UTF-8, each byte outside a well-formed sequence U+FFFD:
// decoded by the lead's length, then checked by the value it gives.
std::vector<std::uint32_t> code_points(std::string_view text) {
    std::vector<std::uint32_t> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        // 0xF8 to 0xFF lead no sequence; overlong and surrogate forms fail below.
        const std::size_t length =
            lead < 0x80 ? 1 : lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        std::uint32_t c = length == 1 ? lead : length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : lead & 0x07u;
        bool good = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; good && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            good = (next & 0xC0) == 0x80;
            c = c << 6 | (next & 0x3Fu);
        }
        constexpr std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        good = good && c >= least[length] && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000);
        out.push_back(good ? c : 0xFFFD);
        i += good ? length : 1;
    }
    return out;
}

struct Expected {
    std::string text;  // the element as read
    bool too_long = false;
};

Expected element_text(cc::InputKind kind, const char* item, std::size_t itemsize) {
    Expected element;
    switch (kind) {
        case cc::InputKind::int64: {
            std::int64_t value;
            std::memcpy(&value, item, sizeof value);
            element.text = std::to_string(value);
            break;
        }
        case cc::InputKind::uint64: {
            std::uint64_t value;
            std::memcpy(&value, item, sizeof value);
            element.text = std::to_string(value);
            break;
        }
        case cc::InputKind::bytes: {
            element.text.assign(item, itemsize);
            while (!element.text.empty() && element.text.back() == '\0') element.text.pop_back();
            break;
        }
        case cc::InputKind::ucs4: {
            std::vector<std::uint32_t> codes(itemsize / 4);
            if (!codes.empty()) std::memcpy(codes.data(), item, codes.size() * 4);
            while (!codes.empty() && codes.back() == 0) codes.pop_back();
            for (const std::uint32_t c : codes) put_code_point(element.text, c);
            break;
        }
        case cc::InputKind::objects:
            break;
    }
    if (element.text.size() > cc::max_element_bytes) element = {{}, true};
    return element;
}

std::string_view blank_trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// What the module hands to Python: the integer arrays, the presence flags,
// the statuses and each text column's rows of code points.
struct Output {
    std::vector<std::vector<std::int64_t>> integers;
    std::vector<std::vector<std::uint8_t>> present;
    std::vector<std::uint8_t> statuses;
    std::vector<std::vector<std::uint32_t>> rows;
    std::vector<std::size_t> widths;

    bool operator==(const Output&) const = default;
};

Output run(const cc::Input& input, const cc::Source& source, const std::vector<Field>& fields, std::size_t part_count) {
    const std::size_t count = input.count;
    Output output;
    output.integers.assign(fields.size(), {});
    output.present.assign(fields.size(), {});
    output.rows.assign(fields.size(), {});
    output.widths.assign(fields.size(), 0);
    output.statuses.assign(count, 0xEE);
    std::vector<std::unique_ptr<bool[]>> flags(fields.size());
    std::vector<cc::Column> columns;
    std::size_t arena_count = 0;
    for (std::size_t c = 0; c < fields.size(); ++c) {
        cc::Column column;
        column.field = fields[c];
        column.kind = cc::column_kind(fields[c]);
        // As the module marks them.
        column.ascii = (fields[c] != Field::input && fields[c] != Field::message) ||
                       input.kind == cc::InputKind::int64 || input.kind == cc::InputKind::uint64;
        if (column.kind == cc::ColumnKind::integer) {
            output.integers[c].assign(count, 0x5A5A5A5A);
            column.integers = output.integers[c].data();
            flags[c] = std::make_unique<bool[]>(count + 1);
            column.present = flags[c].get();
        } else if (column.kind == cc::ColumnKind::text) {
            column.arena = arena_count++;
        }
        columns.push_back(column);
    }
    std::vector<cc::Part> parts(part_count);
    for (std::size_t k = 0; k < part_count; ++k) {
        parts[k].begin = count * k / part_count;
        parts[k].end = count * (k + 1) / part_count;
        for (std::size_t a = 0; a < arena_count; ++a) parts[k].arenas.emplace_back(parts[k].end - parts[k].begin);
    }
    const cc::Converter converter(input, source, columns, output.statuses.data());
    cc::run_parts(parts, [&](cc::Part& part) { converter.convert(part); });

    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].kind == cc::ColumnKind::integer) {
            output.present[c].assign(flags[c].get(), flags[c].get() + count);
            continue;
        }
        if (columns[c].kind != cc::ColumnKind::text) continue;
        std::size_t width = 0;
        for (const cc::Part& part : parts) width = std::max(width, part.arenas[columns[c].arena].width);
        width = std::max<std::size_t>(width, 1);  // as the module's str arrays
        output.widths[c] = width;
        output.rows[c].assign(count * width, 0xEEEE);
        for (const cc::Part& part : parts) {
            part.arenas[columns[c].arena].write_rows(output.rows[c].data() + part.begin * width, width, columns[c].ascii);
        }
    }
    return output;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> sources = known_sources();
    if (size < 5) return 0;
    std::size_t at = 0;
    const std::string& source_name = sources[data[at++] % sources.size()];
    const std::size_t field_count = 1 + data[at++] % 6;
    std::vector<Field> fields;
    for (std::size_t k = 0; k < field_count && at < size; ++k) {
        const auto field = static_cast<Field>(data[at++] % morvek::field_count);
        if (std::find(fields.begin(), fields.end(), field) == fields.end()) fields.push_back(field);
    }
    if (std::find(fields.begin(), fields.end(), Field::status) == fields.end()) fields.push_back(Field::status);
    if (size - at < 2) return 0;
    const std::uint8_t layout = data[at++];
    const std::uint8_t more = data[at++];
    constexpr cc::InputKind kinds[] = {cc::InputKind::int64, cc::InputKind::uint64, cc::InputKind::bytes,
                                       cc::InputKind::ucs4};
    const cc::InputKind kind = kinds[layout & 3];
    const std::size_t gap = (layout >> 2) & 7;
    const bool reversed = (layout & 0x20) != 0;
    const std::size_t misalignment = ((layout >> 6) | (more & 1) << 2) & 7;
    const std::size_t part_count = 2 + ((more >> 3) & 3);
    constexpr std::size_t copies_of[] = {1, 2, 3, 4, 8, 16, 64, 256};
    const std::size_t copies = copies_of[(more >> 5) & 7];

    std::size_t itemsize = 8;
    if (kind == cc::InputKind::bytes || kind == cc::InputKind::ucs4) {
        if (at == size) return 0;
        const std::uint8_t width = data[at++];
        const std::size_t units = (width & 0x80) != 0 ? 4090 + (width & 0x7F) : 1 + std::size_t{width};
        itemsize = kind == cc::InputKind::ucs4 ? 4 * units : units;
    }
    const std::size_t given = (size - at + itemsize - 1) / itemsize;
    if (given == 0) return 0;
    // Enough copies to cross a block of integers, few enough to stay quick.
    const std::size_t most_copies = std::min(1100 / given, (std::size_t{64} << 10) / (given * itemsize));
    const std::size_t count = given * std::min(copies, std::max<std::size_t>(1, most_copies));

    // The elements laid out with their gaps (filled with bytes no element
    // has), the first `misalignment` bytes into the buffer; reversed, the
    // array starts at the last element and steps back.
    const std::size_t stride = itemsize + gap;
    std::vector<char> buffer(misalignment + count * stride, '\xA5');
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t g = i % given;
        const std::size_t offset = at + g * itemsize;
        const std::size_t taken = std::min(itemsize, size - offset);
        char* item = buffer.data() + misalignment + i * stride;
        std::memcpy(item, data + offset, taken);
        std::memset(item + taken, 0, itemsize - taken);
    }
    cc::Input input;
    input.kind = kind;
    input.itemsize = itemsize;
    input.count = count;
    input.stride = static_cast<std::ptrdiff_t>(stride);
    input.data = buffer.data() + misalignment;
    if (reversed) {
        input.stride = -input.stride;
        input.data = buffer.data() + misalignment + (count - 1) * stride;
    }

    std::optional<cc::Source> source = cc::source_named(source_name);
    require(source.has_value());
    source->clock = utc_clock_from(fixed_reading);

    const Output whole = run(input, *source, fields, 1);
    const Output split = run(input, *source, fields, part_count);
    require(whole == split);

    // Every element against its one-element record.
    std::vector<std::size_t> widest(fields.size(), 0);
    std::vector<char> message(cc::max_message_bytes);
    for (std::size_t i = 0; i < count; ++i) {
        const Expected element = element_text(kind, input.data + static_cast<std::ptrdiff_t>(i) * input.stride, itemsize);
        Record record;
        record.line = i + 1;
        if (element.too_long) {
            record.result.outcome = CommandOutcome::too_long;
        } else {
            record.input = element.text;
            record.result = source->lines ? run_line(element.text, "", source->clock)
                                          : convert_value(source->read_as, blank_trimmed(element.text));
        }
        require(whole.statuses[i] == static_cast<std::uint8_t>(record.result.outcome));
        for (std::size_t c = 0; c < fields.size(); ++c) {
            const Field field = fields[c];
            const cc::ColumnKind column_kind = cc::column_kind(field);
            if (column_kind == cc::ColumnKind::status) continue;
            if (column_kind == cc::ColumnKind::integer) {
                const std::optional<std::int64_t> value = field_integer(field, record);
                require(whole.integers[c][i] == value.value_or(0));
                require(whole.present[c][i] == static_cast<std::uint8_t>(value.has_value()));
                continue;
            }
            std::string_view text;
            FieldText field_value;
            if (field == Field::input) {
                text = record.input;
            } else if (field == Field::message) {
                BufferSink sink{message.data(), message.size()};
                write_message(record, sink.sink());
                require(!sink.truncated);
                text = sink.view();
            } else {
                field_value = field_text(field, record);
                text = field_value.view();
            }
            const bool numbers = kind == cc::InputKind::int64 || kind == cc::InputKind::uint64;
            if ((field != Field::input && field != Field::message) || numbers) {
                // A column written as ASCII must hold nothing else.
                require(std::all_of(text.begin(), text.end(), [](char b) { return static_cast<unsigned char>(b) < 0x80; }));
            }
            const std::vector<std::uint32_t> codes = code_points(text);
            const std::size_t width = whole.widths[c];
            require(codes.size() <= width);
            widest[c] = std::max(widest[c], codes.size());
            const std::uint32_t* row = whole.rows[c].data() + i * width;
            require(std::equal(codes.begin(), codes.end(), row));
            require(std::all_of(row + codes.size(), row + width, [](std::uint32_t code) { return code == 0; }));
        }
    }
    // Each text column as wide as its widest text, and no wider.
    for (std::size_t c = 0; c < fields.size(); ++c) {
        if (cc::column_kind(fields[c]) == cc::ColumnKind::text) require(whole.widths[c] == std::max<std::size_t>(widest[c], 1));
    }
    return 0;
}
