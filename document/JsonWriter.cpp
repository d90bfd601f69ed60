#include "document/JsonWriter.h"

#include <charconv>
#include <cmath>

bool JsonWriter::InlineHere() const {
    for (const Level& level : levels_)
        if (level.inlineLayout)
            return true;
    return false;
}

void JsonWriter::NewLine() {
    if (InlineHere())
        return;
    out_ += '\n';
    out_.append(levels_.size() * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty())
        return;
    Level& level = levels_.back();
    if (!level.empty)
        out_ += InlineHere() ? ", " : ",";
    level.empty = false;
    NewLine();
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeValue();
    out_ += Quote(key);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

void JsonWriter::BeginObject() {
    BeforeValue();
    out_ += '{';
    levels_.push_back({true, false});
}

void JsonWriter::BeginArray(Layout layout) {
    BeforeValue();
    out_ += '[';
    levels_.push_back({false, layout == Layout::Inline});
}

void JsonWriter::EndObject() {
    const bool empty = levels_.back().empty;
    levels_.pop_back();
    if (!empty)
        NewLine();
    out_ += '}';
    if (levels_.empty())
        out_ += '\n';
}

void JsonWriter::EndArray() {
    const bool empty = levels_.back().empty;
    const bool inlineLayout = levels_.back().inlineLayout;
    levels_.pop_back();
    if (!empty && !inlineLayout)
        NewLine();
    out_ += ']';
    if (levels_.empty())
        out_ += '\n';
}

void JsonWriter::Int(std::int64_t value) {
    BeforeValue();
    out_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::Double(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
}

void JsonWriter::String(const Text& text) {
    Utf8String(ToUtf8(text));
}

void JsonWriter::Utf8String(std::string_view utf8) {
    BeforeValue();
    out_ += Quote(utf8);
}

std::string JsonWriter::Quote(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string quoted;
    quoted.reserve(utf8.size() + 2);
    quoted += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\b':
            quoted += "\\b";
            break;
        case '\f':
            quoted += "\\f";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (byte < 0x20) {
                quoted += "\\u00";
                quoted += kHex[byte >> 4];
                quoted += kHex[byte & 0x0F];
            } else {
                quoted += c;
            }
        }
    }
    quoted += '"';
    return quoted;
}
