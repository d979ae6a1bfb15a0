#pragma once
// Text appended to a fixed buffer, with the few printf conversions the
// program prints ("%lli", "%02i", "%*i", "0x%016llX") written by hand: a
// report is a dozen lines, and the stream mode writes millions of them.
// What does not fit is cut, never written past.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace morvek {

class TextBuilder {
public:
    TextBuilder(char* data, std::size_t capacity) : data_(data), capacity_(capacity) {}

    std::string_view view() const { return {data_, size_}; }
    std::size_t size() const { return size_; }
    bool cut() const { return cut_; }

    void text(std::string_view text) {
        const std::size_t room = capacity_ - size_;
        const std::size_t count = text.size() <= room ? text.size() : room;
        for (std::size_t i = 0; i < count; ++i) data_[size_ + i] = text[i];
        size_ += count;
        if (count < text.size()) cut_ = true;
    }

    void character(char c) { text({&c, 1}); }

    // "%lli"
    void decimal(std::int64_t value) { text(decimal_text(value).view()); }

    // "%0Ni" for zero_padded, "%Ni" otherwise: the sign counts into the width.
    void decimal(std::int64_t value, std::size_t width, bool zero_padded) {
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
    void hexadecimal(std::int64_t value) {
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
        std::string_view view() const { return {characters + begin, sizeof characters - begin}; }
    };

    static Digits decimal_text(std::int64_t value) {
        Digits digits{};
        // Unsigned, so that the magnitude of the lowest value is exact.
        std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        std::size_t at = sizeof digits.characters;
        do {
            digits.characters[--at] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0) digits.characters[--at] = '-';
        digits.begin = at;
        return digits;
    }

private:
    char* data_;
    std::size_t capacity_;
    std::size_t size_ = 0;
    bool cut_ = false;
};

}  // namespace morvek
