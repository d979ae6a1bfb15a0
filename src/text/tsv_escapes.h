#pragma once
// Texts from the input written on one line, as tsv and the list format
// write them: backslash, tab, LF, CR and NUL as "\\", "\t", "\n", "\r", "\0".

#include <string_view>

#include "morvek/text.h"

namespace morvek::detail {

constexpr bool needs_tsv_escape(char c) noexcept {
    return c == '\\' || c == '\t' || c == '\n' || c == '\r' || c == '\0';
}

// The escape of a character that needs one.
constexpr std::string_view tsv_escape(char c) noexcept {
    switch (c) {
        case '\\': return "\\\\";
        case '\t': return "\\t";
        case '\n': return "\\n";
        case '\r': return "\\r";
        default: return "\\0";
    }
}

// write_tsv_escaped: the text, its runs without escapes whole.
inline void write_tsv_escaped(std::string_view text, TextSink out) noexcept {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!needs_tsv_escape(text[i])) continue;
        out(text.substr(start, i - start));
        out(tsv_escape(text[i]));
        start = i + 1;
    }
    out(text.substr(start));
}

}  // namespace morvek::detail
