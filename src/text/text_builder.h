#pragma once
// Text appended to a fixed buffer, with the few printf conversions the
// program prints ("%lli", "%02i", "%*i", "0x%016llX") written by hand: a
// report is a dozen lines, and the stream mode writes millions of them.
// What does not fit is cut, never written past.

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

    // "%lli"
    void decimal(std::int64_t value) noexcept { text(decimal_text(value).view()); }

    // "%0Ni" for zero_padded, "%Ni" otherwise: the sign counts into the width.
    void decimal(std::int64_t value, std::size_t width, bool zero_padded) noexcept {
        if (width == 2 && zero_padded && value >= 0 && value < 100) {  // "%02i" of a day, month or time
            character(static_cast<char>('0' + value / 10));
            return character(static_cast<char>('0' + value % 10));
        }
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

    // "0x%016llX": the 64-bit two's complement in upper-case hexadecimal.
    void hexadecimal(std::int64_t value) noexcept {
        auto bits = static_cast<std::uint64_t>(value);
        char digits[18] = {'0', 'x'};
        for (std::size_t i = 17; i >= 2; --i) {
            digits[i] = "0123456789ABCDEF"[bits & 15];
            bits >>= 4;
        }
        text({digits, sizeof digits});
    }

    struct Digits {
        char characters[20];  // "-9223372036854775808" is 20
        std::size_t begin;
        std::string_view view() const noexcept { return {characters + begin, sizeof characters - begin}; }
    };

    // Two digits per step, from a table of the hundred pairs.
    static Digits decimal_text(std::int64_t value) noexcept {
        static constexpr char pairs[] =
            "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
            "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
            "8081828384858687888990919293949596979899";
        Digits digits;
        // Unsigned, so that the magnitude of the lowest value is exact.
        std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        std::size_t at = sizeof digits.characters;
        while (magnitude >= 100) {
            const std::size_t pair = 2 * static_cast<std::size_t>(magnitude % 100);
            magnitude /= 100;
            at -= 2;
            digits.characters[at] = pairs[pair];
            digits.characters[at + 1] = pairs[pair + 1];
        }
        if (magnitude >= 10) {
            at -= 2;
            digits.characters[at] = pairs[2 * magnitude];
            digits.characters[at + 1] = pairs[2 * magnitude + 1];
        } else {
            digits.characters[--at] = static_cast<char>('0' + magnitude);
        }
        if (value < 0) digits.characters[--at] = '-';
        digits.begin = at;
        return digits;
    }

private:
    char* data_;
    std::size_t capacity_;
    std::size_t size_ = 0;
};

}  // namespace morvek::detail
