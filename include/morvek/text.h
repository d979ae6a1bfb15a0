#pragma once
// Short texts kept on the stack, and the sinks that longer output goes to.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace morvek {

// FixedText: a text of at most Capacity - 1 characters, followed by a zero,
// with no heap behind it.
template <std::size_t Capacity>
struct FixedText {
    char characters[Capacity] = {};
    std::size_t size = 0;
    [[nodiscard]] constexpr std::string_view view() const noexcept { return {characters, size}; }
    [[nodiscard]] constexpr const char* c_str() const noexcept { return characters; }
    friend constexpr bool operator==(const FixedText& a, std::string_view b) noexcept { return a.view() == b; }
};

// Where output goes: a function and the target it writes to. The sinks
// below cover a std::string, a FILE* and a fixed buffer; any other is a
// function of the same shape.
struct TextSink {
    void (*write)(void* target, const char* data, std::size_t size) = nullptr;
    void* target = nullptr;
    void operator()(std::string_view text) const {
        if (write != nullptr && !text.empty()) write(target, text.data(), text.size());
    }
};

// Appends to the string (which may allocate).
inline TextSink string_sink(std::string& text) noexcept {
    return {[](void* target, const char* data, std::size_t size) { static_cast<std::string*>(target)->append(data, size); },
            &text};
}

// Writes to the stream with fwrite; the stream's own error flag tells of a
// failed write.
inline TextSink file_sink(std::FILE* file) noexcept {
    return {[](void* target, const char* data, std::size_t size) {
                (void)std::fwrite(data, 1, size, static_cast<std::FILE*>(target));
            },
            file};
}

// BufferSink: keeps what fits in the caller's buffer and notes whether
// anything did not (`truncated`); no zero is added.
struct BufferSink {
    char* data = nullptr;
    std::size_t capacity = 0;
    std::size_t size = 0;
    bool truncated = false;

    [[nodiscard]] std::string_view view() const noexcept { return {data, size}; }
    [[nodiscard]] TextSink sink() noexcept {
        return {[](void* target, const char* text, std::size_t count) {
                    auto& self = *static_cast<BufferSink*>(target);
                    const std::size_t room = self.capacity - self.size;
                    const std::size_t kept = count <= room ? count : room;
                    for (std::size_t i = 0; i < kept; ++i) self.data[self.size + i] = text[i];
                    self.size += kept;
                    self.truncated = self.truncated || kept < count;
                },
                this};
    }
};

}  // namespace morvek
