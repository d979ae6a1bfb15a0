#pragma once
// The columns of the Python module's convert(): every element of a buffer
// laid out as NumPy lays out int64, uint64, str or bytes arrays (any
// stride), converted by the library into integer columns, statuses and
// per-thread text arenas. No Python here: the module makes the arrays
// around it, and the fuzz target runs it on bytes.
//
// An element's record is the stream mode's record of the same text: for a
// format, the value read with moment_from_integer / moment_from_text and its
// fields computed alone, or convert_value's record where the value has no
// moment; for "lines", run_line's record.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "morvek/command.h"
#include "morvek/formats.h"
#include "morvek/record.h"
#include "morvek/system_clock.h"

namespace morvek::column_conversion {

inline constexpr std::size_t max_element_bytes = 4096;  // the stream mode's longest line
inline constexpr std::size_t max_message_bytes = 2 * max_element_bytes + 128;
inline constexpr std::size_t min_elements_per_thread = 16384;  // fewer: a thread costs more than it saves
inline constexpr std::uint32_t replacement_character = 0xFFFD;

// ---- the elements ----------------------------------------------------------------

enum class InputKind : std::uint8_t { int64, uint64, ucs4, bytes, objects };

struct Input {
    InputKind kind = InputKind::int64;
    const char* data = nullptr;
    std::ptrdiff_t stride = 0;
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
char* put_utf8(char* out, std::uint32_t c) noexcept;
void append_utf8(std::string& out, std::uint32_t c);

// Reads the elements of one input: as an integer where it is one, and as
// the text the stream mode would have read on its line.
class ElementReader {
public:
    explicit ElementReader(const Input& input) : input_(input), buffer_(max_element_bytes + 8) {}

    [[nodiscard]] const char* at(std::size_t i) const noexcept {
        return input_.data + static_cast<std::ptrdiff_t>(i) * input_.stride;
    }

    // The element as a signed integer: only for int64 input, and for
    // uint64 input below 2^63.
    [[nodiscard]] std::optional<std::int64_t> integer(std::size_t i) const noexcept;

    // The element's text; valid until the next call.
    [[nodiscard]] ElementText text(std::size_t i);

private:
    template <class Integer>
    std::string_view digits(Integer value) noexcept;

    const Input& input_;
    std::vector<char> buffer_;  // a str element's UTF-8: up to max_element_bytes and one more character
    char digits_[24];
};

// The text without the spaces and tabs at its ends, as the stream mode
// gives a value to convert_value.
std::string_view trimmed(std::string_view text) noexcept;

// ---- UTF-8 in the arena, UCS-4 in the arrays -------------------------------------

// The length of the well-formed UTF-8 sequence at the start, or 0: the
// rule the stream mode's JSON records follow, where a byte outside such a
// sequence becomes U+FFFD.
std::size_t utf8_sequence(const unsigned char* p, std::size_t size) noexcept;

// Decodes UTF-8 to code points, each bad byte one U+FFFD; writes them when
// `out` is given; returns their count.
std::size_t decode_utf8(std::string_view text, std::uint32_t* out) noexcept;

// ---- memory ------------------------------------------------------------------------

// Large buffers are mapped on 2 MiB boundaries and advised for transparent
// huge pages: ten million texts then touch a few hundred huge pages rather
// than a hundred thousand 4 KiB ones, each a page fault. (NumPy advises its
// own large buffers, but not the zero-filled ones it makes for str arrays.)
class Memory {
public:
    static constexpr std::size_t huge_page = std::size_t{2} << 20;
    static constexpr std::size_t mapped_from = 2 * huge_page;

    explicit Memory(std::size_t bytes);
    Memory(Memory&& other) noexcept;
    Memory& operator=(Memory&& other) noexcept;
    Memory(const Memory&) = delete;
    Memory& operator=(const Memory&) = delete;
    ~Memory();

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
    explicit TextArena(std::size_t count = 0);

    void put(std::string_view text, bool ascii);

    // Writes the texts, in order, into rows of `row_width` code points.
    void write_rows(std::uint32_t* row, std::size_t row_width, bool ascii) const noexcept;

private:
    void grow(std::size_t need);

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

ColumnKind column_kind(Field field) noexcept;

struct Source {
    bool lines = false;
    FormatSpec read_as;
    bool integer_format = false;  // read from a number (no byte form, an integer format)
    UtcClock clock = system_utc_clock();  // for "lines"; tests fix it
};

// The source of a format name or "lines"; nullopt for any other name.
std::optional<Source> source_named(std::string_view name) noexcept;

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

    void convert(Part& part) const;

private:
    void convert_numbers(Part& part) const;
    void convert_text(Part& part, std::size_t i, ElementReader& reader, std::vector<char>& message) const;
    template <class InputText>
    void write_moment(Part& part, std::size_t i, Moment moment, InputText input_text, bool integers) const;
    void write_record(Part& part, std::size_t i, const Record& record, std::vector<char>& message) const;
    static void set_integer(const Column& column, std::size_t i, std::optional<std::int64_t> value) noexcept;

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

}  // namespace morvek::column_conversion
