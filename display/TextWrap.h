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

} // namespace Display
