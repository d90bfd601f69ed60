#include "platform/RecordingDeviceContext.h"

#include <algorithm>
#include <cstdint>

#include "core/ClampToInt.h"

namespace {

// base × tenths × dpi ÷ (100 × 96), rounded; sizes and resolutions are kept to sane ranges so
// that a hostile font size cannot overflow.
int ScaledCharacter(int base, int tenthsOfPoint, int dpi) {
    const std::int64_t tenths = std::clamp(tenthsOfPoint, 0, 100000);
    const std::int64_t units = std::clamp(dpi, 0, 100000);
    return ClampToInt((base * tenths * units + 4800) / 9600);
}

} // namespace

RecordingDeviceContext::RecordingDeviceContext(const DeviceCaps& caps)
    : RecordingDeviceContext(caps, std::make_shared<std::vector<DrawOp>>(),
                             std::make_shared<int>(0), 0) {}

RecordingDeviceContext::RecordingDeviceContext(const DeviceCaps& caps,
                                               std::shared_ptr<std::vector<DrawOp>> log,
                                               std::shared_ptr<int> bitmapCount, int surface)
    : DeviceContext(caps), log_(std::move(log)), bitmapCount_(std::move(bitmapCount)),
      surface_(surface) {}

std::vector<const DrawOp*> RecordingDeviceContext::OfKind(DrawOp::Kind kind) const {
    std::vector<const DrawOp*> found;
    for (const DrawOp& op : *log_) {
        if (op.kind == kind) {
            found.push_back(&op);
        }
    }
    return found;
}

const DrawOp* RecordingDeviceContext::FindText(const Text& text) const {
    for (const DrawOp& op : *log_) {
        if (op.kind == DrawOp::Kind::Text && op.text == text) {
            return &op;
        }
    }
    return nullptr;
}

Size RecordingDeviceContext::CharacterSize(const Font& font) const {
    return {ScaledCharacter(8, font.tenthsOfPoint, LogPixelsX()),
            ScaledCharacter(16, font.tenthsOfPoint, LogPixelsY())};
}

Font RecordingDeviceContext::SelectFont(const Font& font) {
    Font previous = font_;
    font_ = font;
    return previous;
}

void RecordingDeviceContext::SelectPen(Colour colour, int width) {
    pen_ = DrawOp::Pen{colour, std::max(width, 0)};
}

Size RecordingDeviceContext::TextExtent(const Text& text) {
    const Size character = CharacterSize(font_);
    return {ClampToInt(static_cast<std::int64_t>(text.size()) * character.width), character.height};
}

void RecordingDeviceContext::DrawText(int x, int y, const Text& text, Align align,
                                      const std::optional<Rect>& clip) {
    const Size extent = TextExtent(text);
    const std::int64_t w = extent.width;
    const std::int64_t h = extent.height;
    // Start of the text along its own direction, relative to the reference point.
    const std::int64_t start = align == Align::Left ? 0 : align == Align::Right ? -w : -(w / 2);
    std::int64_t left = start, right = start + w, top = 0, bottom = h;
    const int quarter = ((font_.escapement % 3600 + 3600) % 3600 + 450) / 900 % 4;
    if (quarter == 1) { // upwards: the text's top faces left
        left = 0, right = h, top = -(start + w), bottom = -start;
    } else if (quarter == 2) {
        left = -(start + w), right = -start, top = -h, bottom = 0;
    } else if (quarter == 3) { // downwards
        left = -h, right = 0, top = start, bottom = start + w;
    }
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.rect = {ClampToInt(x + left), ClampToInt(y + top), ClampToInt(x + right),
               ClampToInt(y + bottom)};
    op.point = {x, y};
    op.text = text;
    op.align = align;
    op.font = font_;
    op.textColour = textColour_;
    op.backColour = backColour_;
    if (clip) {
        op.clip = clip->Normalised();
    }
    Record(std::move(op));
}

void RecordingDeviceContext::Line(int x1, int y1, int x2, int y2) {
    DrawOp op = Shape(DrawOp::Kind::Line, Rect{x1, y1, x2, y2}.Normalised());
    op.point = {x1, y1};
    op.end = {x2, y2};
    op.brush.reset();
    Record(std::move(op));
}

void RecordingDeviceContext::Rectangle(const Rect& rect) {
    Record(Shape(DrawOp::Kind::Rectangle, rect));
}

void RecordingDeviceContext::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) {
    DrawOp op = Shape(DrawOp::Kind::RoundRect, rect);
    op.corner = {ellipseWidth, ellipseHeight};
    Record(std::move(op));
}

void RecordingDeviceContext::Ellipse(const Rect& rect) {
    Record(Shape(DrawOp::Kind::Ellipse, rect));
}

void RecordingDeviceContext::FillRect(const Rect& rect, Colour colour) {
    DrawOp op;
    op.kind = DrawOp::Kind::FillRect;
    op.rect = rect.Normalised();
    op.fill = colour;
    Record(std::move(op));
}

void RecordingDeviceContext::DrawBitmap(const Rect& dest, int bitmapId,
                                        const std::optional<Rect>& clip) {
    DrawOp op;
    op.kind = DrawOp::Kind::Bitmap;
    op.rect = dest.Normalised();
    op.bitmap = bitmapId;
    if (clip) {
        op.clip = clip->Normalised();
    }
    Record(std::move(op));
}

std::unique_ptr<DeviceContext> RecordingDeviceContext::CreateCompatibleBitmap(int width,
                                                                              int height) {
    DeviceCaps caps = Caps();
    caps.printing = false;
    caps.horzRes = caps.physicalWidth = std::max(width, 0);
    caps.vertRes = caps.physicalHeight = std::max(height, 0);
    caps.physicalOffsetX = caps.physicalOffsetY = 0;
    *bitmapCount_ += 1;
    return std::unique_ptr<DeviceContext>(
        new RecordingDeviceContext(caps, log_, bitmapCount_, *bitmapCount_));
}

void RecordingDeviceContext::BlockCopy(const Rect& dest, DeviceContext& source, Point sourcePoint) {
    DrawOp op;
    op.kind = DrawOp::Kind::BlockCopy;
    op.rect = dest.Normalised();
    op.point = sourcePoint;
    if (const auto* recorder = dynamic_cast<const RecordingDeviceContext*>(&source)) {
        op.sourceSurface = recorder->surface_;
    }
    Record(std::move(op));
}

DrawOp RecordingDeviceContext::Shape(DrawOp::Kind kind, const Rect& rect) const {
    DrawOp op;
    op.kind = kind;
    op.rect = rect.Normalised();
    op.pen = pen_;
    op.brush = brush_;
    return op;
}

void RecordingDeviceContext::Record(DrawOp op) {
    op.surface = surface_;
    op.deviceClip = deviceClip_;
    log_->push_back(std::move(op));
}
