#include "display/TextWrap.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "platform/DeviceContext.h"

namespace Display {
namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Widths of single characters in one font. A line's width is taken as the sum of its
// characters' advances, so a long note costs one lookup per character rather than one
// measurement per word or, for a word longer than the line, per trial break.
class CharWidths {
  public:
    explicit CharWidths(DeviceContext& dc) : dc_(dc) { ascii_.fill(-1); }

    // The width of the character (or surrogate pair) at `at`; `units` gets its length.
    int At(const Text& text, std::size_t at, std::size_t& units) {
        const char16_t c = text[at];
        if (IsHighSurrogate(c) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            units = 2;
            const char32_t code = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                                  (static_cast<char32_t>(text[at + 1]) - 0xDC00);
            auto found = other_.find(code);
            if (found == other_.end())
                found = other_.emplace(code, dc_.TextExtent(text.substr(at, 2)).width).first;
            return found->second;
        }
        units = 1;
        if (c < ascii_.size()) {
            int& width = ascii_[c];
            if (width < 0)
                width = dc_.TextExtent(Text(1, c)).width;
            return width;
        }
        auto found = other_.find(c);
        if (found == other_.end())
            found = other_.emplace(c, dc_.TextExtent(Text(1, c)).width).first;
        return found->second;
    }

  private:
    DeviceContext& dc_;
    std::array<int, 128> ascii_{};
    std::unordered_map<char32_t, int> other_;
};

} // namespace

int WrappedText::Wrap(DeviceContext& dc, const Text& text, int width) {
    if (width == width_ && dc.CurrentFont() == font_ && text == text_)
        return Height();
    text_ = text;
    width_ = width;
    font_ = dc.CurrentFont();
    lines_.clear();
    lineHeight_ = dc.TextExtent(u"Fg").height;

    CharWidths widths(dc);
    std::size_t paragraph = 0;
    while (paragraph <= text.size()) {
        std::size_t end = text.find(u'\n', paragraph);
        if (end == Text::npos)
            end = text.size();
        std::size_t stop = end;
        if (stop > paragraph && text[stop - 1] == u'\r')
            --stop;

        std::size_t lineStart = paragraph;
        int lineWidth = 0;
        std::size_t lastSpace = Text::npos;
        int widthThroughSpace = 0;
        std::size_t units = 1;
        for (std::size_t at = paragraph; at < stop; at += units) {
            const int advance = widths.At(text, at, units);
            lineWidth += advance;
            if (text[at] == u' ') {
                if (lineWidth > width && at > lineStart) {
                    // A space that overflows ends the line and is not drawn.
                    lines_.push_back({lineStart, at - lineStart});
                    lineStart = at + 1;
                    lineWidth = 0;
                    lastSpace = Text::npos;
                    continue;
                }
                lastSpace = at;
                widthThroughSpace = lineWidth;
                continue;
            }
            if (lineWidth <= width || at == lineStart)
                continue;
            if (lastSpace != Text::npos && lastSpace >= lineStart) {
                lines_.push_back({lineStart, lastSpace - lineStart});
                lineStart = lastSpace + 1;
                lineWidth -= widthThroughSpace;
                lastSpace = Text::npos;
                if (lineWidth <= width || at == lineStart)
                    continue;
            }
            // A word longer than the line breaks before the character that overflows.
            lines_.push_back({lineStart, at - lineStart});
            lineStart = at;
            lineWidth = advance;
        }
        lines_.push_back({lineStart, stop - lineStart});
        paragraph = end + 1;
    }
    return Height();
}

void WrappedText::Draw(DeviceContext& dc, const Rect& rect, const Rect& clip) const {
    const Rect visible = rect.Intersected(clip);
    if (visible.IsEmpty() || lineHeight_ <= 0)
        return;
    const int count = static_cast<int>(lines_.size());
    const int first = std::max(0, (visible.top - rect.top) / lineHeight_);
    const int last = std::min(count, (visible.bottom - rect.top) / lineHeight_ + 1);
    for (int k = first; k < last; ++k) {
        const Line& line = lines_[static_cast<std::size_t>(k)];
        if (line.length == 0)
            continue;
        dc.DrawText(rect.left, rect.top + k * lineHeight_, text_.substr(line.start, line.length),
                    Align::Left, visible);
    }
}

Text ElideText(DeviceContext& dc, const Text& text, int width) {
    if (dc.TextExtent(text).width <= width)
        return text;
    const Text ellipsis = u"\u2026";
    const auto shortened = [&](std::size_t length) {
        // Never between the halves of a surrogate pair.
        if (length > 0 && length < text.size() && IsLowSurrogate(text[length]))
            --length;
        Text start = text.substr(0, length);
        while (!start.empty() && start.back() == u' ')
            start.pop_back();
        return start + ellipsis;
    };
    // The longest start that fits with the ellipsis: widths grow with the length.
    std::size_t low = 0;
    std::size_t high = text.size();
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (dc.TextExtent(shortened(middle)).width <= width)
            low = middle;
        else
            high = middle - 1;
    }
    const Text elided = shortened(low);
    return dc.TextExtent(elided).width <= width ? elided : Text();
}

HeadingEnds FitHeadingEnds(DeviceContext& dc, const Text& left, const Text& right, int width) {
    HeadingEnds ends;
    ends.blank = dc.TextExtent(u" ").width;
    ends.right = ElideText(dc, right, width);
    ends.rightWidth = ends.right.empty() ? 0 : dc.TextExtent(ends.right).width;
    ends.left = ElideText(dc, left, width - ends.rightWidth - ends.blank);
    ends.leftWidth = ends.left.empty() ? 0 : dc.TextExtent(ends.left).width;
    return ends;
}

} // namespace Display
