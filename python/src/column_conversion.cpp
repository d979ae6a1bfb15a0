// The Python-free part of the module's convert(): the elements read in
// place, each converted into its columns, and the texts' arenas.

#include "column_conversion.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <new>
#include <utility>

#include "morvek/command_text.h"

namespace morvek::column_conversion {

char* put_utf8(char* out, std::uint32_t c) noexcept {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
        return out;
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = replacement_character;
    if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
    return out;
}

void append_utf8(std::string& out, std::uint32_t c) {
    char bytes[4];
    out.append(bytes, static_cast<std::size_t>(put_utf8(bytes, c) - bytes));
}

std::optional<std::int64_t> ElementReader::integer(std::size_t i) const noexcept {
    if (input_.kind != InputKind::int64 && input_.kind != InputKind::uint64) return std::nullopt;
    std::int64_t value;
    std::memcpy(&value, at(i), sizeof value);
    if (input_.kind == InputKind::uint64 && value < 0) return std::nullopt;
    return value;
}

ElementText ElementReader::text(std::size_t i) {
    const char* item = at(i);
    switch (input_.kind) {
        case InputKind::int64: {
            std::int64_t value;
            std::memcpy(&value, item, sizeof value);
            return {digits(value)};
        }
        case InputKind::uint64: {
            std::uint64_t value;
            std::memcpy(&value, item, sizeof value);
            return {digits(value)};
        }
        case InputKind::bytes: {
            // NumPy keeps no trailing zero bytes of an element.
            std::size_t size = input_.itemsize;
            while (size > 0 && item[size - 1] == '\0') --size;
            if (size > max_element_bytes) return {{}, true};
            return {{item, size}};
        }
        case InputKind::objects: {
            const std::string_view text = input_.texts[i];
            if (text.size() > max_element_bytes) return {{}, true};
            return {text};
        }
        case InputKind::ucs4: {
            std::size_t size = input_.itemsize / 4;
            const auto code = [&](std::size_t k) {
                std::uint32_t c;
                std::memcpy(&c, item + 4 * k, sizeof c);
                return c;
            };
            while (size > 0 && code(size - 1) == 0) --size;
            if (size > max_element_bytes) return {{}, true};  // at least one byte each
            char* const first = buffer_.data();
            char* end = first;
            for (std::size_t k = 0; k < size && end - first <= static_cast<std::ptrdiff_t>(max_element_bytes); ++k) {
                end = put_utf8(end, code(k));
            }
            const auto length = static_cast<std::size_t>(end - first);
            if (length > max_element_bytes) return {{}, true};
            return {{first, length}};
        }
    }
    return {};
}

template <class Integer>
std::string_view ElementReader::digits(Integer value) noexcept {
    const auto end = std::to_chars(digits_, digits_ + sizeof digits_, value).ptr;
    return {digits_, static_cast<std::size_t>(end - digits_)};
}

std::string_view trimmed(std::string_view text) noexcept {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::size_t utf8_sequence(const unsigned char* p, std::size_t size) noexcept {
    const unsigned lead = p[0];
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead == 0xE0) length = 3, low = 0xA0;
    else if (lead >= 0xE1 && lead <= 0xEC) length = 3;
    else if (lead == 0xED) length = 3, high = 0x9F;
    else if (lead >= 0xEE && lead <= 0xEF) length = 3;
    else if (lead == 0xF0) length = 4, low = 0x90;
    else if (lead >= 0xF1 && lead <= 0xF3) length = 4;
    else if (lead == 0xF4) length = 4, high = 0x8F;
    else return 0;
    if (size < length || p[1] < low || p[1] > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF) return 0;
    }
    return length;
}

std::size_t decode_utf8(std::string_view text, std::uint32_t* out) noexcept {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t size = text.size();
    std::size_t count = 0;
    while (size > 0) {
        const std::size_t length = utf8_sequence(p, size);
        std::uint32_t c = replacement_character;
        if (length == 1) c = p[0];
        else if (length == 2) c = (p[0] & 0x1Fu) << 6 | (p[1] & 0x3Fu);
        else if (length == 3) c = (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
        else if (length == 4) c = (p[0] & 0x07u) << 18 | (p[1] & 0x3Fu) << 12 | (p[2] & 0x3Fu) << 6 | (p[3] & 0x3Fu);
        if (out != nullptr) out[count] = c;
        ++count;
        const std::size_t taken = length == 0 ? 1 : length;
        p += taken;
        size -= taken;
    }
    return count;
}

Memory::Memory(std::size_t bytes) {
    bytes = std::max<std::size_t>(bytes, 1);
    if (bytes < mapped_from) {
        data_ = new char[bytes];
        return;
    }
    length_ = (bytes + huge_page - 1) / huge_page * huge_page + huge_page;
    mapping_ = ::mmap(nullptr, length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping_ == MAP_FAILED) {
        mapping_ = nullptr;
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapping_);
    const std::uintptr_t aligned = (start + huge_page - 1) / huge_page * huge_page;
    data_ = reinterpret_cast<char*>(aligned);
#ifdef MADV_HUGEPAGE
    (void)::madvise(data_, length_ - (aligned - start), MADV_HUGEPAGE);
#endif
}

Memory::Memory(Memory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), mapping_(std::exchange(other.mapping_, nullptr)),
      length_(std::exchange(other.length_, 0)) {}
Memory& Memory::operator=(Memory&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(mapping_, other.mapping_);
    std::swap(length_, other.length_);
    return *this;
}

Memory::~Memory() {
    if (mapping_ != nullptr) {
        ::munmap(mapping_, length_);
    } else {
        delete[] data_;
    }
}

TextArena::TextArena(std::size_t count)
    : first_capacity_(std::clamp<std::size_t>(count * 24, std::size_t{64} << 10, std::size_t{64} << 20)) {}

void TextArena::put(std::string_view text, bool ascii) {
    const std::size_t size = text.size();
    if (static_cast<std::size_t>(end_ - next_) < size + 5) grow(size + 5);
    if (size < 255) {
        *next_++ = static_cast<char>(size);
    } else {
        const auto length = static_cast<std::uint32_t>(size);
        *next_++ = '\xFF';
        std::memcpy(next_, &length, sizeof length);
        next_ += sizeof length;
    }
    if (size > 0) std::memcpy(next_, text.data(), size);
    next_ += size;
    width = std::max(width, ascii ? size : decode_utf8(text, nullptr));
}

void TextArena::write_rows(std::uint32_t* row, std::size_t row_width, bool ascii) const noexcept {
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const char* p = blocks_[b].get();
        const char* const end = b + 1 < blocks_.size() ? ends_[b] : next_;
        for (; p < end; row += row_width) {
            std::size_t size = static_cast<unsigned char>(*p++);
            if (size == 255) {
                std::uint32_t length;
                std::memcpy(&length, p, sizeof length);
                p += sizeof length;
                size = length;
            }
            std::size_t written = size;
            if (ascii) {
                for (std::size_t k = 0; k < size; ++k) row[k] = static_cast<unsigned char>(p[k]);
            } else {
                written = decode_utf8({p, size}, row);
            }
            std::fill(row + written, row + row_width, 0u);
            p += size;
        }
    }
}

void TextArena::grow(std::size_t need) {
    if (!blocks_.empty()) ends_.back() = next_;
    const std::size_t next = blocks_.empty() ? first_capacity_ : std::min<std::size_t>(2 * capacity_, std::size_t{64} << 20);
    capacity_ = std::max(need, next);
    blocks_.emplace_back(capacity_);
    ends_.push_back(nullptr);
    next_ = blocks_.back().get();
    end_ = next_ + capacity_;
}

ColumnKind column_kind(Field field) noexcept {
    if (field == Field::status) return ColumnKind::status;
    return field_type(field) == FieldType::text ? ColumnKind::text : ColumnKind::integer;
}

std::optional<Source> source_named(std::string_view name) noexcept {
    Source source;
    if (name == "lines") {
        source.lines = true;
        return source;
    }
    const std::optional<FormatSpec> read_as = format_spec_from_name(name);
    if (!read_as) return std::nullopt;
    source.read_as = *read_as;
    source.integer_format = read_as->bytes == ByteOrder::none && format_info(read_as->format).kind == FormatKind::integer;
    return source;
}

void Converter::convert(Part& part) const {
    const bool numbers = input_.kind == InputKind::int64 || input_.kind == InputKind::uint64;
    if (source_.integer_format && numbers) return convert_numbers(part);
    ElementReader reader(input_);
    std::vector<char> message(max_message_bytes);
    for (std::size_t i = part.begin; i < part.end; ++i) convert_text(part, i, reader, message);
}

// Integers of an integer format, a block at a time: the moments and the
// integer fields of the block by the library's column functions, then
// the other fields element by element, and the whole record of each
// element that has no moment.
void Converter::convert_numbers(Part& part) const {
    constexpr std::size_t block = 512;
    std::array<std::int64_t, block> gathered;
    std::array<Moment, block> moments;
    std::array<Status, block> readings;
    std::array<bool, block> converted;
    ElementReader reader(input_);
    std::vector<char> message(max_message_bytes);
    // A contiguous, aligned int64 array is read where it lies.
    const bool in_place = input_.kind == InputKind::int64 && input_.stride == sizeof(std::int64_t) &&
                          reinterpret_cast<std::uintptr_t>(input_.data) % alignof(std::int64_t) == 0;
    // Fields other than the integers and the status are written element by element.
    const bool each_element = std::any_of(columns_.begin(), columns_.end(), [](const Column& column) {
        return column.kind == ColumnKind::text || column.field == Field::line;
    });
    for (std::size_t start = part.begin; start < part.end; start += block) {
        const std::size_t count = std::min(block, part.end - start);
        const std::int64_t* values = gathered.data();
        if (in_place) {
            values = reinterpret_cast<const std::int64_t*>(reader.at(start));
        } else {
            for (std::size_t k = 0; k < count; ++k) gathered[k] = reader.integer(start + k).value_or(0);
        }
        moments_from_integers(source_.read_as.format, {values, count}, {moments.data(), count}, {readings.data(), count});
        bool all_converted = true;
        for (std::size_t k = 0; k < count; ++k) {
            converted[k] = readings[k] == Status::ok && e6_from_moment(moments[k]).has_value();
            all_converted = all_converted && converted[k];
        }
        if (input_.kind == InputKind::uint64) {  // beyond 2^63: read from the digits
            for (std::size_t k = 0; k < count; ++k) {
                if (!reader.integer(start + k)) converted[k] = all_converted = false;
            }
        }
        for (const Column& column : columns_) {
            if (column.kind != ColumnKind::integer || column.field == Field::line) continue;
            moment_field_integers(column.field, {moments.data(), count}, {column.integers + start, count},
                                  {column.present != nullptr ? column.present + start : nullptr,
                                   column.present != nullptr ? count : 0});
        }
        std::fill_n(statuses_ + start, count, static_cast<std::uint8_t>(CommandOutcome::report));
        if (!each_element && all_converted) continue;
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t i = start + k;
            if (!converted[k]) {
                convert_text(part, i, reader, message);  // overwrites the block's integers
            } else if (each_element) {
                write_moment(part, i, moments[k], [&] { return reader.text(i).text; }, false);
            }
        }
    }
}

// One element from its text: the moment's fields where it has one, else
// the whole record.
void Converter::convert_text(Part& part, std::size_t i, ElementReader& reader, std::vector<char>& message) const {
    const ElementText element = reader.text(i);
    Record record;
    record.line = i + 1;
    if (element.too_long) {
        record.result.outcome = CommandOutcome::too_long;
    } else if (source_.lines) {
        record.input = element.text;
        record.result = run_line(element.text, "", source_.clock);
    } else {
        record.input = element.text;
        const std::string_view value = trimmed(element.text);
        const Result<Moment> moment = moment_from_text(source_.read_as, value);
        if (moment && e6_from_moment(*moment)) return write_moment(part, i, *moment, [&] { return element.text; }, true);
        record.result = convert_value(source_.read_as, value);
    }
    write_record(part, i, record, message);
}

// The fields of element i, read as `moment`; the integer fields but the
// line only when `integers` (else the caller wrote them).
template <class InputText>
void Converter::write_moment(Part& part, std::size_t i, Moment moment, InputText input_text, bool integers) const {
    for (const Column& column : columns_) {
        switch (column.field) {
            case Field::line:
                set_integer(column, i, static_cast<std::int64_t>(i + 1));
                continue;
            case Field::input:
                part.arenas[column.arena].put(input_text(), false);
                continue;
            case Field::status:
                statuses_[i] = static_cast<std::uint8_t>(CommandOutcome::report);
                continue;
            case Field::message:
                part.arenas[column.arena].put({}, true);
                continue;
            default:
                break;
        }
        if (column.kind != ColumnKind::integer) {
            part.arenas[column.arena].put(moment_field_text(column.field, moment).view(), true);
        } else if (integers) {
            set_integer(column, i, moment_field_integer(column.field, moment));
        }
    }
}

void Converter::write_record(Part& part, std::size_t i, const Record& record, std::vector<char>& message) const {
    for (const Column& column : columns_) {
        switch (column.field) {
            case Field::input:
                part.arenas[column.arena].put(record.input, false);
                continue;
            case Field::status:
                statuses_[i] = static_cast<std::uint8_t>(record.result.outcome);
                continue;
            case Field::message: {
                BufferSink sink{message.data(), message.size()};
                write_message(record, sink.sink());
                part.arenas[column.arena].put(sink.view(), false);
                continue;
            }
            default:
                break;
        }
        if (column.kind == ColumnKind::integer) {
            set_integer(column, i, field_integer(column.field, record));
        } else {
            part.arenas[column.arena].put(field_text(column.field, record).view(), true);
        }
    }
}

void Converter::set_integer(const Column& column, std::size_t i, std::optional<std::int64_t> value) noexcept {
    column.integers[i] = value.value_or(0);
    if (column.present != nullptr) column.present[i] = value.has_value();
}

}  // namespace morvek::column_conversion
