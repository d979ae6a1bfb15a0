#pragma once
// Text appended to a fixed buffer, with the few printf conversions the
// program prints ("%lli", "%02i", "%*i", "0x%016llX") written by hand: a
// report is a dozen lines, and the stream mode writes millions of them.
// What does not fit is cut, never written past.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace morvek::detail {

class TextBuilder {
public:
    TextBuilder(char* data, std::size_t capacity) noexcept : data_(data), capacity_(capacity) {}

    std::string_view view() const noexcept { return {data_, size_}; }
    std::size_t size() const noexcept { return size_; }

    void text(std::string_view text) noexcept {
        const std::size_t room = capacity_ - size_;
        const std::size_t count = text.size() <= room ? text.size() : room;
        if (count > 0) std::memcpy(data_ + size_, text.data(), count);
        size_ += count;
    }

    void character(char c) noexcept {
        if (size_ < capacity_) data_[size_++] = c;
    }

    // "%lli", written in place when it fits (it nearly always does).
    void decimal(std::int64_t value) noexcept {
        const std::uint64_t magnitude =
            value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        const std::size_t count = digit_count(magnitude) + (value < 0 ? 1 : 0);
        if (capacity_ - size_ < count) return text(decimal_text(value).view());
        if (value < 0) data_[size_] = '-';
        write_digits_before(data_ + size_ + count, magnitude);
        size_ += count;
    }

    // "%0Ni" for zero_padded, "%Ni" otherwise: the sign counts into the width.
    void decimal(std::int64_t value, std::size_t width, bool zero_padded) noexcept {
        if (width == 2 && zero_padded && value >= 0 && value < 100) return two_digits(static_cast<unsigned>(value));
        const Digits digits = decimal_text(value);
        std::string_view number = digits.view();
        const bool negative = value < 0;
        for (std::size_t n = number.size(); n < width; ++n) {
            if (zero_padded && negative && n == number.size()) {
                character('-');
                number.remove_prefix(1);
            }
            character(zero_padded ? '0' : ' ');
        }
        text(number);
    }

    // "%02i" of a number below 100: a day, a month, a time field.
    void two_digits(unsigned value) noexcept {
        if (capacity_ - size_ < 2) {
            character(static_cast<char>('0' + value / 10));
            return character(static_cast<char>('0' + value % 10));
        }
        std::memcpy(data_ + size_, pairs + 2 * value, 2);
        size_ += 2;
    }

    // "0x%016llX": the 64-bit two's complement in upper-case hexadecimal.
    void hexadecimal(std::int64_t value) noexcept {
        static constexpr auto hex_pairs = [] {
            std::array<char, 512> pairs{};
            for (std::size_t byte = 0; byte < 256; ++byte) {
                pairs[2 * byte] = "0123456789ABCDEF"[byte >> 4];
                pairs[2 * byte + 1] = "0123456789ABCDEF"[byte & 15];
            }
            return pairs;
        }();
        auto bits = static_cast<std::uint64_t>(value);
        char digits[18] = {'0', 'x'};
        for (std::size_t i = 16; i >= 2; i -= 2) {  // a byte, two digits, per step
            std::memcpy(digits + i, hex_pairs.data() + 2 * (bits & 255), 2);
            bits >>= 8;
        }
        text({digits, sizeof digits});
    }

    struct Digits {
        char characters[20];  // "-9223372036854775808" is 20
        std::size_t begin;
        std::string_view view() const noexcept { return {characters + begin, sizeof characters - begin}; }
    };

    static Digits decimal_text(std::int64_t value) noexcept {
        Digits digits;
        // Unsigned, so that the magnitude of the lowest value is exact.
        const std::uint64_t magnitude =
            value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        std::size_t at = sizeof digits.characters - digit_count(magnitude);
        write_digits_before(digits.characters + sizeof digits.characters, magnitude);
        if (value < 0) digits.characters[--at] = '-';
        digits.begin = at;
        return digits;
    }

    // The decimal digits of a number: [1, 20].
    static std::size_t digit_count(std::uint64_t value) noexcept {
        static constexpr std::uint64_t powers_of_ten[20] = {
            1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000,
            100000000000, 1000000000000, 10000000000000, 100000000000000, 1000000000000000,
            10000000000000000, 100000000000000000, 1000000000000000000, 10000000000000000000u,
        };
        // 1233 / 4096 is just above log10(2): the estimate is exact or one high.
        const auto estimate = static_cast<std::size_t>(std::bit_width(value | 1) * 1233 >> 12);  // [0, 19]
        return estimate + ((value | 1) >= powers_of_ten[estimate] ? 1 : 0);
    }

    // The digits of `value`, ending just before `end`: eight at a time in
    // 32 bits, whose divisions are cheaper, each eight as two halves of four
    // so that their divisions need not wait on each other; two digits per
    // step from a table of the hundred pairs.
    static void write_digits_before(char* end, std::uint64_t value) noexcept {
        while (value >= 100000000) {
            end -= 8;
            write_eight_digits(end, static_cast<std::uint32_t>(value % 100000000));  // [0, 99999999]
            value /= 100000000;
        }
        auto rest = static_cast<std::uint32_t>(value);  // [0, 99999999]
        while (rest >= 100) {
            end -= 2;
            std::memcpy(end, pairs + 2 * (rest % 100), 2);
            rest /= 100;
        }
        if (rest >= 10) {
            std::memcpy(end - 2, pairs + 2 * rest, 2);
        } else {
            end[-1] = static_cast<char>('0' + rest);
        }
    }

private:
    static void write_eight_digits(char* at, std::uint32_t value) noexcept {
        const std::uint32_t high = value / 10000;  // [0, 9999]
        const std::uint32_t low = value % 10000;   // [0, 9999]
        std::memcpy(at, pairs + 2 * (high / 100), 2);
        std::memcpy(at + 2, pairs + 2 * (high % 100), 2);
        std::memcpy(at + 4, pairs + 2 * (low / 100), 2);
        std::memcpy(at + 6, pairs + 2 * (low % 100), 2);
    }

    static constexpr char pairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";

    char* data_;
    std::size_t capacity_;
    std::size_t size_ = 0;
};

// fixed_text_of: what `write` writes, as a FixedText of the caller's size,
// its last character kept free for the terminating NUL.
//   Example:  fixed_text_of<ReportText>([](TextBuilder& out) { out.decimal(-1); }) -> "-1"
template <class Text, class Write>
Text fixed_text_of(Write write) noexcept {
    Text text{};
    TextBuilder out(text.characters, sizeof text.characters - 1);
    write(out);
    text.size = out.size();
    return text;
}

}  // namespace morvek::detail
