#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/DeviceContext.h"

// One operation a RecordingDeviceContext was asked to perform, with the state it was drawn in.
struct DrawOp {
    enum class Kind { Text, Line, Rectangle, RoundRect, Ellipse, FillRect, BlockCopy, Bitmap };
    struct Pen {
        Colour colour = 0;
        int width = 0;
        friend bool operator==(const Pen&, const Pen&) = default;
    };

    Kind kind = Kind::Text;
    int surface = 0; // 0 the device itself, n its n-th bitmap
    Rect rect;       // shape, fill or copy destination; where text lands
    Point point;     // text reference point, line start, copy source point
    Point end;       // line end
    Size corner;     // round rectangle's corner ellipse
    Text text;
    Align align = Align::Left;
    Font font;
    Colour textColour = 0;
    std::optional<Colour> backColour; // none when text is transparent
    std::optional<Rect> clip;         // the text's own clip rectangle
    std::optional<Rect> deviceClip;   // the clip set by SetClip
    std::optional<Pen> pen;           // none for a null pen
    std::optional<Colour> brush;      // none for a null brush
    Colour fill = 0;                  // FillRect's colour
    int sourceSurface = -1;           // BlockCopy's source; -1 when it was no recorder
    int bitmap = 0;                   // DrawBitmap's resource number
};

// A device that draws nothing and remembers everything, so tests can check what was drawn where.
// Text metrics are fixed: at 96 units per inch each character is 8 × 16 units at 10 pt; both
// scale linearly with the point size and with the resolution (rounded to nearest). Rotated text
// is turned by the nearest quarter turn.
class RecordingDeviceContext : public DeviceContext {
  public:
    explicit RecordingDeviceContext(const DeviceCaps& caps = DeviceCaps::Screen(800, 600));

    // Every operation so far, of the device and all bitmaps made from it, in order.
    const std::vector<DrawOp>& Operations() const { return *log_; }
    // The operations of one kind, in order.
    std::vector<const DrawOp*> OfKind(DrawOp::Kind kind) const;
    // The first text operation drawing exactly this text, or null.
    const DrawOp* FindText(const Text& text) const;
    // Forgets the operations recorded so far.
    void Clear() { log_->clear(); }
    // Width and height of one character in the font.
    Size CharacterSize(const Font& font) const;

    using DeviceContext::SelectFont;
    Font SelectFont(const Font& font) override;
    const Font& CurrentFont() const override { return font_; }
    void SelectPen(Colour colour, int width = 0) override;
    void SelectNullPen() override { pen_.reset(); }
    void SelectBrush(Colour colour) override { brush_ = colour; }
    void SelectNullBrush() override { brush_.reset(); }
    void SetTextColour(Colour colour) override { textColour_ = colour; }
    void SetBackColour(Colour colour) override { backColour_ = colour; }
    void SetBackTransparent() override { backColour_.reset(); }
    Size TextExtent(const Text& text) override;
    void DrawText(int x, int y, const Text& text, Align align = Align::Left,
                  const std::optional<Rect>& clip = std::nullopt) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Rectangle(const Rect& rect) override;
    void RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) override;
    void Ellipse(const Rect& rect) override;
    void FillRect(const Rect& rect, Colour colour) override;
    void DrawBitmap(const Rect& dest, int bitmapId,
                    const std::optional<Rect>& clip = std::nullopt) override;
    void SetClip(const Rect& rect) override { deviceClip_ = rect.Normalised(); }
    void ResetClip() override { deviceClip_.reset(); }
    std::unique_ptr<DeviceContext> CreateCompatibleBitmap(int width, int height) override;
    void BlockCopy(const Rect& dest, DeviceContext& source, Point sourcePoint) override;

  private:
    RecordingDeviceContext(const DeviceCaps& caps, std::shared_ptr<std::vector<DrawOp>> log,
                           std::shared_ptr<int> bitmapCount, int surface);
    DrawOp Shape(DrawOp::Kind kind, const Rect& rect) const;
    void Record(DrawOp op);

    std::shared_ptr<std::vector<DrawOp>> log_;
    std::shared_ptr<int> bitmapCount_;
    int surface_ = 0;
    Font font_;
    std::optional<DrawOp::Pen> pen_ = DrawOp::Pen{};
    std::optional<Colour> brush_ = Rgb(255, 255, 255);
    Colour textColour_ = 0;
    std::optional<Colour> backColour_ = Rgb(255, 255, 255);
    std::optional<Rect> deviceClip_;
};
