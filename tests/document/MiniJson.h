#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A strict little JSON reader for tests: it keeps object members in their written order (so key
// order and duplicates can be checked) and numbers as their text.
namespace MiniJson {

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text; // number text, or the decoded UTF-8 string
    std::vector<Value> elements;
    std::vector<std::pair<std::string, Value>> members;

    // Defined after the struct: the member vectors need Value complete before they are walked.
    const Value& operator[](std::string_view key) const;
    const Value& operator[](std::size_t index) const;
    std::vector<std::string> Keys() const;
    long long Int() const {
        if (kind != Kind::Number || text.find_first_of(".eE") != std::string::npos)
            throw std::runtime_error("not an integer: " + text);
        return std::stoll(text);
    }
};

inline const Value& Value::operator[](std::string_view key) const {
    for (const auto& [name, value] : members)
        if (name == key)
            return value;
    throw std::out_of_range("no key " + std::string(key));
}

inline const Value& Value::operator[](std::size_t index) const { return elements.at(index); }

inline std::vector<std::string> Value::Keys() const {
    std::vector<std::string> keys;
    for (const auto& member : members)
        keys.push_back(member.first);
    return keys;
}

class Parser {
  public:
    explicit Parser(std::string_view input) : in_(input) {}

    Value Document() {
        Value value = Parse();
        SkipBlanks();
        if (pos_ != in_.size())
            Fail("text after the value");
        return value;
    }

  private:
    [[noreturn]] void Fail(const std::string& what) {
        throw std::runtime_error("JSON: " + what + " at " + std::to_string(pos_));
    }

    void SkipBlanks() {
        while (pos_ < in_.size() &&
               (in_[pos_] == ' ' || in_[pos_] == '\n' || in_[pos_] == '\r' || in_[pos_] == '\t'))
            ++pos_;
    }

    bool Take(char c) {
        SkipBlanks();
        if (pos_ < in_.size() && in_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    void Expect(char c) {
        if (!Take(c))
            Fail(std::string("expected ") + c);
    }

    bool Word(std::string_view word) {
        if (in_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    Value Parse() {
        SkipBlanks();
        if (pos_ >= in_.size())
            Fail("end of text");
        Value value;
        const char c = in_[pos_];
        if (c == '{') {
            ++pos_;
            value.kind = Value::Kind::Object;
            if (Take('}'))
                return value;
            do {
                SkipBlanks();
                std::string key = String();
                Expect(':');
                value.members.emplace_back(std::move(key), Parse());
            } while (Take(','));
            Expect('}');
        } else if (c == '[') {
            ++pos_;
            value.kind = Value::Kind::Array;
            if (Take(']'))
                return value;
            do
                value.elements.push_back(Parse());
            while (Take(','));
            Expect(']');
        } else if (c == '"') {
            value.kind = Value::Kind::String;
            value.text = String();
        } else if (Word("true") || Word("false")) {
            value.kind = Value::Kind::Bool;
            value.boolean = in_[pos_ - 1] == 'e' && in_[pos_ - 2] == 'u';
        } else if (Word("null")) {
            value.kind = Value::Kind::Null;
        } else {
            value.kind = Value::Kind::Number;
            value.text = Number();
        }
        return value;
    }

    std::string Number() {
        const std::size_t start = pos_;
        auto digits = [&] {
            const std::size_t from = pos_;
            while (pos_ < in_.size() && in_[pos_] >= '0' && in_[pos_] <= '9')
                ++pos_;
            if (pos_ == from)
                Fail("digit expected");
        };
        if (in_[pos_] == '-')
            ++pos_;
        if (pos_ < in_.size() && in_[pos_] == '0')
            ++pos_;
        else
            digits();
        if (pos_ < in_.size() && in_[pos_] == '.') {
            ++pos_;
            digits();
        }
        if (pos_ < in_.size() && (in_[pos_] == 'e' || in_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < in_.size() && (in_[pos_] == '+' || in_[pos_] == '-'))
                ++pos_;
            digits();
        }
        return std::string(in_.substr(start, pos_ - start));
    }

    unsigned Hex4() {
        if (pos_ + 4 > in_.size())
            Fail("short \\u escape");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = in_[pos_++];
            value <<= 4;
            if (h >= '0' && h <= '9')
                value |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f')
                value |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                value |= static_cast<unsigned>(h - 'A' + 10);
            else
                Fail("bad hex digit");
        }
        return value;
    }

    static void AppendUtf8(std::string& out, unsigned c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }

    std::string String() {
        if (pos_ >= in_.size() || in_[pos_] != '"')
            Fail("string expected");
        ++pos_;
        std::string out;
        while (true) {
            if (pos_ >= in_.size())
                Fail("unterminated string");
            const char c = in_[pos_++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("raw control character in string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= in_.size())
                Fail("unterminated escape");
            switch (const char e = in_[pos_++]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                unsigned code = Hex4();
                if (code >= 0xD800 && code < 0xDC00 && Word("\\u")) {
                    const unsigned low = Hex4();
                    if (low < 0xDC00 || low >= 0xE000)
                        Fail("bad low surrogate");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                } else if (code >= 0xD800 && code < 0xE000) {
                    Fail("unpaired surrogate escape");
                }
                AppendUtf8(out, code);
                break;
            }
            default:
                Fail(std::string("bad escape \\") + e);
            }
        }
    }

    std::string_view in_;
    std::size_t pos_ = 0;
};

inline Value Parse(std::string_view text) {
    return Parser(text).Document();
}

} // namespace MiniJson
