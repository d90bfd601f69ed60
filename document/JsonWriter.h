#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/WideText.h"

// Writes one JSON value as UTF-8 text, two-space indented. Arrays may be written on one line
// (for arrays of numbers and flags) or one element per line. Callers pair every Begin with its
// End and give a key before each value inside an object.
class JsonWriter {
  public:
    enum class Layout { Block, Inline };

    void BeginObject();
    void EndObject();
    void BeginArray(Layout layout = Layout::Block);
    void EndArray();

    // The key of the next value inside an object.
    JsonWriter& Key(std::string_view key);

    void Int(std::int64_t value);
    void Bool(bool value);
    // A double as the shortest decimal text that reads back as the same value; JSON has no
    // infinities or NaN, so those are written as null.
    void Double(double value);
    void String(const Text& text);
    void Utf8String(std::string_view utf8);

    // The text written so far, with a final newline once the outer value is closed.
    const std::string& Result() const { return out_; }

    // The JSON string literal of UTF-8 text.
    static std::string Quote(std::string_view utf8);

  private:
    struct Level {
        bool object;
        bool inlineLayout;
        bool empty = true;
    };

    void BeforeValue();
    void NewLine();
    bool InlineHere() const;

    std::string out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};
