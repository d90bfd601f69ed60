#pragma once

#include <cstddef>
#include <vector>

#include "core/WideText.h"
#include "platform/DrawTypes.h"

class DeviceContext;

namespace Display {

// A text broken into lines that fit a width: at spaces where it can, anywhere inside a word
// longer than the line, and always at line breaks of its own. The lines are kept with the text,
// width and font they were made for, so a text that has not changed is not broken again.
class WrappedText {
  public:
    struct Line {
        std::size_t start = 0;
        std::size_t length = 0;
    };

    // Breaks the text for the width in the device's current font (nothing when nothing
    // changed since the last call). Returns the height of all lines.
    int Wrap(DeviceContext& dc, const Text& text, int width);
    // Draws the lines into the rectangle from its top-left, only those meeting the clip.
    void Draw(DeviceContext& dc, const Rect& rect, const Rect& clip) const;

    const std::vector<Line>& Lines() const { return lines_; }
    int LineHeight() const { return lineHeight_; }
    int Height() const { return lineHeight_ * static_cast<int>(lines_.size()); }

  private:
    Text text_;
    int width_ = -1;
    Font font_;
    std::vector<Line> lines_;
    int lineHeight_ = 0;
};

// The text as it fits the width in the device's current font: whole when it fits, else as much
// of its start as fits (trailing blanks dropped) followed by "…", or nothing when not even that
// fits.
Text ElideText(DeviceContext& dc, const Text& text, int width);

// The two ends of a heading line, fitted so that they never overlap: the right text (the time
// stamp) keeps the right end, elided only when the line is narrower than it, and the left text
// (the tax basis) takes what is left of it less a blank, elided where it does not fit.
struct HeadingEnds {
    Text left;
    Text right;
    int leftWidth = 0;
    int rightWidth = 0;
    // The width of one blank, which keeps the ends (and whatever stands between them) apart.
    int blank = 0;
};
HeadingEnds FitHeadingEnds(DeviceContext& dc, const Text& left, const Text& right, int width);

} // namespace Display
