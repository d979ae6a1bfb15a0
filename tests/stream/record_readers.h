#pragma once
// Readers of the stream mode's records that know nothing of the writer:
// tab-separated values with their escapes, RFC 4180 CSV, and a strict
// reader of the flat JSON objects of JSON Lines.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvek::records {

using Row = std::vector<std::string>;

inline std::vector<Row> read_tsv(std::string_view text) {
    std::vector<Row> rows;
    Row row(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            rows.push_back(row);
            row.assign(1, {});
        } else if (c == '\t') {
            row.emplace_back();
        } else if (c == '\\' && i + 1 < text.size()) {
            const char e = text[++i];
            row.back() += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e == '0' ? '\0' : e;
        } else {
            row.back() += c;
        }
    }
    return rows;
}

inline std::vector<Row> read_csv(std::string_view text) {
    std::vector<Row> rows;
    Row row(1);
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                row.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                row.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.emplace_back();
        } else if (c == '\n') {
            rows.push_back(row);
            row.assign(1, {});
        } else {
            row.back() += c;
        }
    }
    return rows;
}

// One JSON object per line whose values are strings or integers; nullopt
// for anything a strict parser would refuse. Numbers come back as their text.
using JsonObject = std::map<std::string, std::string>;

class JsonLine {
public:
    explicit JsonLine(std::string_view text) : text_(text) {}

    std::optional<JsonObject> object() {
        JsonObject result;
        if (!take('{')) return std::nullopt;
        if (take('}')) return end(result);
        do {
            auto key = string();
            if (!key || !take(':')) return std::nullopt;
            auto value = peek() == '"' ? string() : number();
            if (!value || !result.emplace(*key, *value).second) return std::nullopt;
        } while (take(','));
        if (!take('}')) return std::nullopt;
        return end(result);
    }

private:
    std::optional<JsonObject> end(JsonObject& result) const {
        if (at_ != text_.size()) return std::nullopt;
        return result;
    }
    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    bool take(char c) {
        if (peek() != c || at_ >= text_.size()) return false;
        ++at_;
        return true;
    }
    std::optional<std::string> number() {
        const std::size_t begin = at_;
        take('-');
        if (!(peek() >= '0' && peek() <= '9')) return std::nullopt;
        if (peek() == '0' && at_ + 1 < text_.size() && text_[at_ + 1] >= '0' && text_[at_ + 1] <= '9') return std::nullopt;
        while (peek() >= '0' && peek() <= '9') ++at_;
        return std::string(text_.substr(begin, at_ - begin));
    }
    static void append_utf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    std::optional<std::string> string() {
        if (!take('"')) return std::nullopt;
        std::string out;
        while (at_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[at_++]);
            if (c == '"') return out;
            if (c < 0x20) return std::nullopt;  // a control character must be escaped
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (at_ >= text_.size()) return std::nullopt;
            const char e = text_[at_++];
            switch (e) {
                case '"': case '\\': case '/': out += e; break;
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case 'r': out += '\r'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'u': {
                    if (at_ + 4 > text_.size()) return std::nullopt;
                    std::uint32_t code = 0;
                    for (int i = 0; i < 4; ++i) {
                        const char h = text_[at_++];
                        const int digit = h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10
                                          : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
                        if (digit < 0) return std::nullopt;
                        code = code * 16 + static_cast<std::uint32_t>(digit);
                    }
                    if (code >= 0xD800 && code <= 0xDFFF) return std::nullopt;  // the writer needs no surrogates
                    append_utf8(out, code);
                    break;
                }
                default: return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace morvek::records
