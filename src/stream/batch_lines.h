#pragma once
// A byte stream cut into lines, in bounded memory: LF ends a line and a CR
// before it goes with it; a line longer than max_line_bytes is reported as
// too long, at once, and not kept.

#include <cstddef>
#include <cstring>
#include <string_view>

namespace morvek::stream {

inline constexpr std::size_t max_line_bytes = 4096;

// on_line(std::string_view line, bool too_long) is called once per line, in
// order; a line that lies whole in one block is passed without a copy.
class LineSplitter {
public:
    template <class OnLine>
    void feed(std::string_view bytes, OnLine&& on_line) {
        while (!bytes.empty()) {
            const auto* end = static_cast<const char*>(std::memchr(bytes.data(), '\n', bytes.size()));
            const std::size_t taken = end != nullptr ? static_cast<std::size_t>(end - bytes.data()) : bytes.size();
            const std::string_view part = bytes.substr(0, taken);
            bytes.remove_prefix(end != nullptr ? taken + 1 : taken);
            if (skipping_) {
                skipping_ = end == nullptr;
            } else if (kept_ == 0 && end != nullptr) {
                emit(part, on_line);
            } else if (kept_ + part.size() > sizeof kept_bytes_) {
                on_line(std::string_view{}, true);
                kept_ = 0;
                skipping_ = end == nullptr;
            } else {
                std::memcpy(kept_bytes_ + kept_, part.data(), part.size());
                kept_ += part.size();
                if (end != nullptr) {
                    emit({kept_bytes_, kept_}, on_line);
                    kept_ = 0;
                }
            }
        }
    }

    // The end of one input: a last line without a line end is a line too.
    template <class OnLine>
    void finish(OnLine&& on_line) {
        if (!skipping_ && kept_ > 0) emit({kept_bytes_, kept_}, on_line);
        kept_ = 0;
        skipping_ = false;
    }

private:
    template <class OnLine>
    static void emit(std::string_view line, OnLine& on_line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > max_line_bytes) return on_line(std::string_view{}, true);
        on_line(line, false);
    }

    char kept_bytes_[max_line_bytes + 1];  // a line begun in an earlier block, with room for its CR
    std::size_t kept_ = 0;
    bool skipping_ = false;  // in the rest of a line already reported as too long
};

}  // namespace morvek::stream
