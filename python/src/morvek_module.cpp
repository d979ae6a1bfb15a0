// The Python module morvek._morvek: whole arrays through the library.
//
// Python objects are made only around the conversion: the output arrays
// before it, the dict after it. The loop itself runs with the interpreter's
// lock released, reads the caller's buffer in place (int64, uint64, NumPy
// str or bytes, any stride) and writes integers straight into int64 arrays.
// Integers of an integer format go a block at a time through the
// library's column functions. Texts go first into one byte arena per column
// and thread (their longest length is not known before), then into NumPy
// str arrays of that width. Large buffers lie on huge pages.
//
// An element's record is the stream mode's record of the same text: for a
// format, the value read with moment_from_integer / moment_from_text and its
// fields computed alone, or convert_value's record where the value has no
// moment; for "lines", run_line's record.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <deque>
#include <exception>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "morvek/command.h"
#include "morvek/command_text.h"
#include "morvek/formats.h"
#include "morvek/record.h"
#include "morvek/system_clock.h"
#include "morvek/version.h"

namespace py = pybind11;

namespace {

using namespace morvek;

constexpr std::size_t max_element_bytes = 4096;  // the stream mode's longest line
constexpr std::size_t max_message_bytes = 2 * max_element_bytes + 128;
constexpr std::size_t min_elements_per_thread = 16384;  // fewer: a thread costs more than it saves
constexpr std::uint32_t replacement_character = 0xFFFD;

// ---- the elements ----------------------------------------------------------------

enum class InputKind : std::uint8_t { int64, uint64, ucs4, bytes, objects };

struct Input {
    InputKind kind = InputKind::int64;
    const char* data = nullptr;
    py::ssize_t stride = 0;
    std::size_t itemsize = 0;
    std::size_t count = 0;
    const std::string_view* texts = nullptr;  // objects: each element's UTF-8
};

struct ElementText {
    std::string_view text;
    bool too_long = false;  // more than max_element_bytes in UTF-8
};

// Writes the UTF-8 of one code point at `out`, one that names no character
// (a surrogate, beyond U+10FFFF) as U+FFFD; returns the end. Room for four bytes.
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

// Reads the elements of one input: as an integer where it is one, and as
// the text the stream mode would have read on its line.
class ElementReader {
public:
    explicit ElementReader(const Input& input) : input_(input), buffer_(max_element_bytes + 8) {}

    [[nodiscard]] const char* at(std::size_t i) const noexcept {
        return input_.data + static_cast<py::ssize_t>(i) * input_.stride;
    }

    // The element as a signed integer: only for int64 input, and for
    // uint64 input below 2^63.
    [[nodiscard]] std::optional<std::int64_t> integer(std::size_t i) const noexcept {
        if (input_.kind != InputKind::int64 && input_.kind != InputKind::uint64) return std::nullopt;
        std::int64_t value;
        std::memcpy(&value, at(i), sizeof value);
        if (input_.kind == InputKind::uint64 && value < 0) return std::nullopt;
        return value;
    }

    // The element's text; valid until the next call.
    [[nodiscard]] ElementText text(std::size_t i) {
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

private:
    template <class Integer>
    std::string_view digits(Integer value) noexcept {
        const auto end = std::to_chars(digits_, digits_ + sizeof digits_, value).ptr;
        return {digits_, static_cast<std::size_t>(end - digits_)};
    }

    const Input& input_;
    std::vector<char> buffer_;  // a str element's UTF-8: up to max_element_bytes and one more character
    char digits_[24];
};

// The text without the spaces and tabs at its ends, as the stream mode
// gives a value to convert_value.
std::string_view trimmed(std::string_view text) noexcept {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// ---- UTF-8 in the arena, UCS-4 in the arrays -------------------------------------

// The length of the well-formed UTF-8 sequence at the start, or 0: the
// rule the stream mode's JSON records follow, where a byte outside such a
// sequence becomes U+FFFD.
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

// Decodes UTF-8 to code points, each bad byte one U+FFFD; writes them when
// `out` is given; returns their count.
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

// ---- memory ------------------------------------------------------------------------

// Large buffers are mapped on 2 MiB boundaries and advised for transparent
// huge pages: ten million texts then touch a few hundred huge pages rather
// than a hundred thousand 4 KiB ones, each a page fault. (NumPy advises its
// own large buffers, but not the zero-filled ones it makes for str arrays.)
class Memory {
public:
    static constexpr std::size_t huge_page = std::size_t{2} << 20;
    static constexpr std::size_t mapped_from = 2 * huge_page;

    explicit Memory(std::size_t bytes) {
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
    Memory(Memory&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), mapping_(std::exchange(other.mapping_, nullptr)),
          length_(std::exchange(other.length_, 0)) {}
    Memory& operator=(Memory&& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(mapping_, other.mapping_);
        std::swap(length_, other.length_);
        return *this;
    }
    Memory(const Memory&) = delete;
    Memory& operator=(const Memory&) = delete;
    ~Memory() {
        if (mapping_ != nullptr) {
            ::munmap(mapping_, length_);
        } else {
            delete[] data_;
        }
    }

    [[nodiscard]] char* get() const noexcept { return data_; }

private:
    char* data_ = nullptr;
    void* mapping_ = nullptr;  // when mapped
    std::size_t length_ = 0;
};

// The texts of one column written by one thread: each a length (one byte,
// or 255 and four bytes) and its UTF-8, in blocks that grow to 64 MiB;
// `width` the most code points.
class TextArena {
public:
    std::size_t width = 0;

    // For `count` texts: the first block holds as many of 23 bytes (most
    // fields' longest), so that a large part starts on huge pages; pages
    // never written cost nothing.
    explicit TextArena(std::size_t count = 0) : first_capacity_(std::clamp<std::size_t>(count * 24, std::size_t{64} << 10, std::size_t{64} << 20)) {}

    void put(std::string_view text, bool ascii) {
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

    // Writes the texts, in order, into rows of `row_width` code points.
    void write_rows(std::uint32_t* row, std::size_t row_width, bool ascii) const noexcept {
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

private:
    void grow(std::size_t need) {
        if (!blocks_.empty()) ends_.back() = next_;
        const std::size_t next = blocks_.empty() ? first_capacity_ : std::min<std::size_t>(2 * capacity_, std::size_t{64} << 20);
        capacity_ = std::max(need, next);
        blocks_.emplace_back(capacity_);
        ends_.push_back(nullptr);
        next_ = blocks_.back().get();
        end_ = next_ + capacity_;
    }

    std::vector<Memory> blocks_;
    std::vector<const char*> ends_;  // where each full block's texts end
    std::size_t first_capacity_;
    std::size_t capacity_ = 0;
    char* next_ = nullptr;
    char* end_ = nullptr;
};

// ---- the columns -------------------------------------------------------------------

enum class ColumnKind : std::uint8_t { integer, status, text };

struct Column {
    Field field = Field::status;
    ColumnKind kind = ColumnKind::text;
    bool ascii = true;                 // every text is ASCII: all but input and message
    std::int64_t* integers = nullptr;  // integer columns
    bool* present = nullptr;           // where a value is, when asked for
    std::size_t arena = 0;             // text columns: the arena's index
};

ColumnKind column_kind(Field field) noexcept {
    if (field == Field::status) return ColumnKind::status;
    return field_type(field) == FieldType::text ? ColumnKind::text : ColumnKind::integer;
}

struct Source {
    bool lines = false;
    FormatSpec spec;
    bool integer_format = false;  // read from a number (no byte form, an integer format)
};

// One thread's part of the elements and what it wrote.
struct Part {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::vector<TextArena> arenas;
    std::exception_ptr error;
};

class Converter {
public:
    Converter(const Input& input, const Source& source, std::vector<Column>& columns, std::uint8_t* statuses)
        : input_(input), source_(source), columns_(columns), statuses_(statuses) {}

    void convert(Part& part) const {
        const bool numbers = input_.kind == InputKind::int64 || input_.kind == InputKind::uint64;
        if (source_.integer_format && numbers) return convert_numbers(part);
        ElementReader reader(input_);
        std::vector<char> message(max_message_bytes);
        for (std::size_t i = part.begin; i < part.end; ++i) convert_text(part, i, reader, message);
    }

private:
    // Integers of an integer format, a block at a time: the moments and the
    // integer fields of the block by the library's column functions, then
    // the other fields element by element, and the whole record of each
    // element that has no moment.
    void convert_numbers(Part& part) const {
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
            moments_from_integers(source_.spec.format, {values, count}, {moments.data(), count}, {readings.data(), count});
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
    void convert_text(Part& part, std::size_t i, ElementReader& reader, std::vector<char>& message) const {
        const ElementText element = reader.text(i);
        Record record;
        record.line = i + 1;
        if (element.too_long) {
            record.result.outcome = CommandOutcome::too_long;
        } else if (source_.lines) {
            record.input = element.text;
            record.result = run_line(element.text, "", system_utc_clock());
        } else {
            record.input = element.text;
            const std::string_view value = trimmed(element.text);
            const Result<Moment> moment = moment_from_text(source_.spec, value);
            if (moment && e6_from_moment(*moment)) return write_moment(part, i, *moment, [&] { return element.text; }, true);
            record.result = convert_value(source_.spec, value);
        }
        write_record(part, i, record, message);
    }

    // The fields of element i, read as `moment`; the integer fields but the
    // line only when `integers` (else the caller wrote them).
    template <class InputText>
    void write_moment(Part& part, std::size_t i, Moment moment, InputText input_text, bool integers) const {
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

    void write_record(Part& part, std::size_t i, const Record& record, std::vector<char>& message) const {
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

    static void set_integer(const Column& column, std::size_t i, std::optional<std::int64_t> value) noexcept {
        column.integers[i] = value.value_or(0);
        if (column.present != nullptr) column.present[i] = value.has_value();
    }

    const Input& input_;
    const Source& source_;
    std::vector<Column>& columns_;
    std::uint8_t* statuses_;
};

// Runs job(part) for every part, each on a thread of its own but the first,
// which runs on the calling thread; rethrows the first failure.
template <class Job>
void run_parts(std::vector<Part>& parts, Job job) {
    const auto guarded = [&job](Part& part) {
        try {
            job(part);
        } catch (...) {
            part.error = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(parts.size());
    for (std::size_t k = 1; k < parts.size(); ++k) threads.emplace_back(guarded, std::ref(parts[k]));
    if (!parts.empty()) guarded(parts[0]);
    for (std::thread& thread : threads) thread.join();
    for (const Part& part : parts) {
        if (part.error) std::rethrow_exception(part.error);
    }
}

// ---- the Python side -------------------------------------------------------------

// The UTF-8 of the elements of an object array, and the objects, held
// while the loop reads them without the lock.
struct ObjectTexts {
    std::vector<std::string_view> views;
    std::deque<std::string> owned;  // the texts of integers and of strs with lone surrogates
    std::vector<py::object> held;
};

// An element longer than any text the stream mode reads: its record is too-long.
const std::string too_long_text(max_element_bytes + 1, ' ');

void read_objects(const py::array& values, ObjectTexts& texts) {
    const py::object numpy_integer = py::module_::import("numpy").attr("integer");
    const auto count = static_cast<std::size_t>(values.shape(0));
    const auto* data = static_cast<const char*>(values.data());
    texts.views.resize(count);
    texts.held.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        PyObject* item;
        std::memcpy(&item, data + static_cast<py::ssize_t>(i) * values.strides(0), sizeof item);
        texts.held.push_back(py::reinterpret_borrow<py::object>(item));
        if (item == Py_None) continue;  // an empty text
        if (PyUnicode_Check(item)) {
            Py_ssize_t size = 0;
            if (const char* utf8 = PyUnicode_AsUTF8AndSize(item, &size)) {
                texts.views[i] = {utf8, static_cast<std::size_t>(size)};
                continue;
            }
            PyErr_Clear();  // lone surrogates: each one U+FFFD, as in str arrays
            std::string& text = texts.owned.emplace_back();
            const Py_ssize_t length = PyUnicode_GetLength(item);
            for (Py_ssize_t k = 0; k < length && text.size() <= max_element_bytes; ++k) {
                append_utf8(text, static_cast<std::uint32_t>(PyUnicode_ReadChar(item, k)));
            }
            texts.views[i] = text;
        } else if (PyBytes_Check(item)) {
            texts.views[i] = {PyBytes_AS_STRING(item), static_cast<std::size_t>(PyBytes_GET_SIZE(item))};
        } else if (!PyBool_Check(item) && (PyLong_Check(item) || PyObject_IsInstance(item, numpy_integer.ptr()) == 1)) {
            PyObject* digits = PyObject_Str(item);
            if (digits == nullptr) {  // more digits than Python writes: no value the stream mode reads either
                PyErr_Clear();
                texts.views[i] = too_long_text;
                continue;
            }
            const py::str text = py::reinterpret_steal<py::str>(digits);
            texts.views[i] = texts.owned.emplace_back(std::string(text));
        } else {
            throw py::type_error("element " + std::to_string(i) + " is a " +
                                 std::string(py::str(py::type::handle_of(texts.held.back()).attr("__name__"))) +
                                 ": elements are int, str, bytes or None");
        }
    }
}

Input input_from_array(const py::array& values, ObjectTexts& objects) {
    if (values.ndim() != 1) throw py::value_error("values must be one-dimensional");
    const py::dtype dtype = values.dtype();
    const char kind = dtype.kind();
    const char order = dtype.byteorder();
    const bool native = order == '=' || order == '|' || order == (std::endian::native == std::endian::little ? '<' : '>');
    Input input;
    input.data = static_cast<const char*>(values.data());
    input.stride = values.strides(0);
    input.itemsize = static_cast<std::size_t>(dtype.itemsize());
    input.count = static_cast<std::size_t>(values.shape(0));
    if ((kind == 'i' || kind == 'u') && input.itemsize == 8 && native) {
        input.kind = kind == 'u' ? InputKind::uint64 : InputKind::int64;
    } else if (kind == 'U' && native) {
        input.kind = InputKind::ucs4;
    } else if (kind == 'S') {
        input.kind = InputKind::bytes;
    } else if (kind == 'O') {
        read_objects(values, objects);
        input.kind = InputKind::objects;
        input.texts = objects.views.data();
    } else {
        throw py::type_error("values must be a native-order int64, uint64, str, bytes or object array, not " +
                             std::string(py::repr(dtype)));
    }
    return input;
}

Source source_from_name(const std::string& name) {
    Source source;
    if (name == "lines") {
        source.lines = true;
        return source;
    }
    const std::optional<FormatSpec> spec = format_spec_from_name(name);
    if (!spec) throw py::value_error("unknown source: '" + name + "' (a format name or \"lines\")");
    source.spec = *spec;
    source.integer_format = spec->bytes == ByteOrder::none && format_info(spec->format).kind == FormatKind::integer;
    return source;
}

std::vector<Field> fields_from_names(const std::vector<std::string>& names) {
    if (names.empty()) throw py::value_error("fields names no field");
    std::vector<Field> fields;
    for (const std::string& name : names) {
        const std::optional<Field> field = field_from_name(name);
        if (!field) throw py::value_error("unknown field: '" + name + "'");
        if (std::find(fields.begin(), fields.end(), *field) != fields.end()) {
            throw py::value_error("field named twice: '" + name + "'");
        }
        fields.push_back(*field);
    }
    return fields;
}

// An array of `count` items of the dtype, in Memory of our own, which the
// array keeps and frees.
py::array array_of(const py::dtype& dtype, std::size_t count) {
    const auto itemsize = static_cast<std::size_t>(dtype.itemsize());
    // A broadcast array may name more elements than memory has bytes.
    if (itemsize != 0 && count > std::numeric_limits<std::size_t>::max() / itemsize) throw std::bad_alloc();
    auto memory = std::make_unique<Memory>(count * itemsize);
    char* const data = memory->get();
    const py::capsule owner(memory.get(), [](void* kept) { delete static_cast<Memory*>(kept); });
    memory.release();  // the capsule's now
    return py::array(dtype, py::array::ShapeContainer{static_cast<py::ssize_t>(count)},
                     py::array::StridesContainer{static_cast<py::ssize_t>(itemsize)}, data, owner);
}

// A str array of `count` rows of `width` code points.
py::array str_array(std::size_t count, std::size_t width) {
    return array_of(py::dtype("U" + std::to_string(std::max<std::size_t>(width, 1))), count);
}

// convert: the records of every element, as one array per field, and for
// the integer fields (with `presence`) where a value is.
py::tuple convert(const py::array& values, const std::string& source_name,
                  const std::vector<std::string>& field_names_given, int thread_count, bool presence) {
    ObjectTexts objects;
    const Input input = input_from_array(values, objects);
    const Source source = source_from_name(source_name);
    std::vector<Field> fields = fields_from_names(field_names_given);
    if (std::find(fields.begin(), fields.end(), Field::status) == fields.end()) fields.push_back(Field::status);
    if (thread_count < 1) throw py::value_error("threads must be at least 1");

    const std::size_t count = input.count;
    std::vector<Column> columns;
    std::vector<py::object> arrays;   // by column
    std::vector<py::object> present;  // by column; none (a null object) for texts
    std::size_t arena_count = 0;
    for (const Field field : fields) {
        Column column;
        column.field = field;
        column.kind = column_kind(field);
        // The input and the messages that quote it are ASCII when it is numbers.
        column.ascii = (field != Field::input && field != Field::message) || input.kind == InputKind::int64 ||
                       input.kind == InputKind::uint64;
        py::object array, mask;
        if (column.kind == ColumnKind::integer) {
            py::array integers = array_of(py::dtype::of<std::int64_t>(), count);
            column.integers = static_cast<std::int64_t*>(integers.mutable_data());
            array = integers;
            if (presence) {
                py::array flags = array_of(py::dtype::of<bool>(), count);
                column.present = static_cast<bool*>(flags.mutable_data());
                mask = flags;
            }
        } else if (column.kind == ColumnKind::text) {
            column.arena = arena_count++;
        }
        columns.push_back(column);
        arrays.push_back(array);
        present.push_back(mask);
    }
    const Memory status_memory(count);
    auto* const statuses = reinterpret_cast<std::uint8_t*>(status_memory.get());

    const std::size_t most_threads = std::max<std::size_t>(1, count / min_elements_per_thread);
    const std::size_t part_count = std::min(static_cast<std::size_t>(thread_count), most_threads);
    std::vector<Part> parts(part_count);
    for (std::size_t k = 0; k < part_count; ++k) {
        parts[k].begin = count * k / part_count;
        parts[k].end = count * (k + 1) / part_count;
        parts[k].arenas.reserve(arena_count);
        for (std::size_t a = 0; a < arena_count; ++a) parts[k].arenas.emplace_back(parts[k].end - parts[k].begin);
    }

    const Converter converter(input, source, columns, statuses);
    {
        const py::gil_scoped_release unlocked;
        run_parts(parts, [&](Part& part) { converter.convert(part); });
    }

    // The texts' arrays, as wide as their longest value.
    std::vector<std::uint32_t*> rows(columns.size(), nullptr);
    std::vector<std::size_t> widths(columns.size(), 0);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].kind != ColumnKind::text) continue;
        for (const Part& part : parts) widths[c] = std::max(widths[c], part.arenas[columns[c].arena].width);
    }
    // The status words: the widest of those that occur, each once as a row.
    constexpr std::size_t outcome_count = static_cast<std::size_t>(CommandOutcome::bad_value) + 1;
    std::size_t status_width = 0;
    {
        bool seen[256] = {};
        for (std::size_t i = 0; i < count; ++i) seen[statuses[i]] = true;
        for (std::size_t status = 0; status < outcome_count; ++status) {
            if (seen[status]) {
                status_width = std::max(status_width, outcome_name(static_cast<CommandOutcome>(status)).size());
            }
        }
    }
    status_width = std::max<std::size_t>(status_width, 1);  // as str_array makes it
    std::vector<std::uint32_t> status_rows(outcome_count * status_width, 0);
    for (std::size_t status = 0; status < outcome_count; ++status) {
        const std::string_view word = outcome_name(static_cast<CommandOutcome>(status));
        for (std::size_t k = 0; k < word.size() && k < status_width; ++k) {
            status_rows[status * status_width + k] = static_cast<unsigned char>(word[k]);
        }
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].kind == ColumnKind::integer) continue;
        if (columns[c].kind == ColumnKind::status) widths[c] = status_width;
        py::array array = str_array(count, widths[c]);
        widths[c] = static_cast<std::size_t>(array.dtype().itemsize()) / 4;
        rows[c] = static_cast<std::uint32_t*>(array.mutable_data());
        arrays[c] = array;
    }
    {
        const py::gil_scoped_release unlocked;
        run_parts(parts, [&](const Part& part) {
            for (std::size_t c = 0; c < columns.size(); ++c) {
                const Column& column = columns[c];
                std::uint32_t* first_row = rows[c] + part.begin * widths[c];
                if (column.kind == ColumnKind::text) {
                    part.arenas[column.arena].write_rows(first_row, widths[c], column.ascii);
                } else if (column.kind == ColumnKind::status) {
                    const std::size_t width = widths[c];
                    std::uint32_t* row = first_row;
                    for (std::size_t i = part.begin; i < part.end; ++i, row += width) {
                        const std::uint32_t* word = &status_rows[statuses[i] * width];
                        for (std::size_t k = 0; k < width; ++k) row[k] = word[k];
                    }
                }
            }
        });
    }

    py::dict columns_by_name, present_by_name;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const py::str name(std::string(field_name(columns[c].field)));
        columns_by_name[name] = arrays[c];
        if (present[c]) present_by_name[name] = present[c];
    }
    return py::make_tuple(columns_by_name, present_by_name);
}

// report: the program's output for its arguments.
py::str report(const std::vector<std::string>& arguments) {
    const std::vector<std::string_view> words(arguments.begin(), arguments.end());
    std::string text;
    {
        const py::gil_scoped_release unlocked;
        const CommandResult result = run_command(words, system_utc_clock());
        write_command_output(result, string_sink(text));
    }
    // The messages quote the arguments, which came from str: valid UTF-8.
    return py::str(text);
}

}  // namespace

PYBIND11_MODULE(_morvek, module) {
    module.doc() = "Morvek's conversions over whole arrays (use the morvek package)";
    module.attr("__version__") = std::string(morvek::version);

    py::list names, formats;
    py::dict kinds;
    for (const std::string_view name : morvek::field_names) {
        names.append(std::string(name));
        const morvek::FieldType type = morvek::field_type(*morvek::field_from_name(name));
        kinds[py::str(std::string(name))] = type == morvek::FieldType::number   ? "number"
                                            : type == morvek::FieldType::digits ? "digits"
                                                                                : "text";
    }
    py::dict format_kinds, format_byte_counts;
    for (const morvek::FormatInfo& info : morvek::format_table) {
        const py::str name(std::string(info.name));
        formats.append(name);
        format_kinds[name] = info.kind == morvek::FormatKind::integer   ? "integer"
                             : info.kind == morvek::FormatKind::decimal ? "decimal"
                                                                        : "text";
        format_byte_counts[name] = info.byte_count;
    }
    module.attr("field_names") = py::tuple(names);
    module.attr("default_field_count") = morvek::default_field_count;
    module.attr("field_types") = kinds;
    module.attr("format_names") = py::tuple(formats);
    module.attr("format_kinds") = format_kinds;
    module.attr("format_byte_counts") = format_byte_counts;

    module.def("convert", &convert, py::arg("values"), py::arg("source"),
               py::arg("fields"), py::arg("threads"), py::arg("presence"),
               "The records of a one-dimensional int64, uint64, str, bytes or object array: "
               "({field: array}, {integer field: where a value is, when presence}).");
    module.def("report", &report, py::arg("arguments"), "The program's output for its arguments, as str.");
}
