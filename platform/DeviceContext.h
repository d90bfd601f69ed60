#pragma once

#include <memory>
#include <optional>

#include "core/WideText.h"
#include "platform/DrawTypes.h"

// The one surface every view and layout object draws on: the window, the printer, the preview,
// the PDF and PNG exports, and the recorder of the tests. Coordinates are logical units, which
// are the device's own units; fonts are sized in points through the device's resolution.
//
// A new context has a black pen of width 0 (one unit), a white brush, black text on an opaque
// white background, the device's default face at 10 pt, and no clip.
class DeviceContext {
  public:
    explicit DeviceContext(const DeviceCaps& caps) : caps_(caps) {}
    virtual ~DeviceContext() = default;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // What the device is and how large.
    const DeviceCaps& Caps() const { return caps_; }
    bool IsPrinting() const { return caps_.printing; }
    int HorzRes() const { return caps_.horzRes; }
    int VertRes() const { return caps_.vertRes; }
    int PhysicalWidth() const { return caps_.physicalWidth; }
    int PhysicalHeight() const { return caps_.physicalHeight; }
    int PhysicalOffsetX() const { return caps_.physicalOffsetX; }
    int PhysicalOffsetY() const { return caps_.physicalOffsetY; }
    int LogPixelsX() const { return caps_.logPixelsX; }
    int LogPixelsY() const { return caps_.logPixelsY; }

    // Hundredths of a millimetre to logical units across or down, rounded to nearest.
    int HimetricToLogicalX(int hundredthsMm) const;
    int HimetricToLogicalY(int hundredthsMm) const;

    // Makes the font current; returns the one it replaces so the caller can put it back.
    virtual Font SelectFont(const Font& font) = 0;
    Font SelectFont(const Text& face, int tenthsOfPoint, int weight = 400, int escapement = 0) {
        return SelectFont(Font{face, tenthsOfPoint, weight, escapement});
    }
    // The current font.
    virtual const Font& CurrentFont() const = 0;

    // Lines and outlines: solid in the colour; width 0 is one device unit.
    virtual void SelectPen(Colour colour, int width = 0) = 0;
    // Shapes without outline.
    virtual void SelectNullPen() = 0;
    // Shape interiors: solid in the colour.
    virtual void SelectBrush(Colour colour) = 0;
    // Shapes without interior.
    virtual void SelectNullBrush() = 0;

    // Colour of text drawn from now on.
    virtual void SetTextColour(Colour colour) = 0;
    // Text is drawn on a box of this colour from now on.
    virtual void SetBackColour(Colour colour) = 0;
    // Text is drawn without a box from now on.
    virtual void SetBackTransparent() = 0;

    // Width and height of the text in the current font, unrotated.
    virtual Size TextExtent(const Text& text) = 0;
    // Text with its top at y, placed at x as the alignment says, cut to the clip when given.
    virtual void DrawText(int x, int y, const Text& text, Align align = Align::Left,
                          const std::optional<Rect>& clip = std::nullopt) = 0;

    // A straight line from one point to the other in the current pen.
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // A rectangle outlined with the pen and filled with the brush.
    virtual void Rectangle(const Rect& rect) = 0;
    // A rectangle with corners rounded by an ellipse of the given size.
    virtual void RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) = 0;
    // The ellipse inside the rectangle, outlined and filled.
    virtual void Ellipse(const Rect& rect) = 0;
    // The rectangle in a solid colour, pen and brush untouched.
    virtual void FillRect(const Rect& rect, Colour colour) = 0;

    // Nothing is drawn outside the rectangle from now on.
    virtual void SetClip(const Rect& rect) = 0;
    // Drawing reaches the whole device again.
    virtual void ResetClip() = 0;

    // One of the program's own bitmaps (by resource number), scaled into the rectangle and cut
    // to the clip when given. A number without a bitmap draws nothing.
    virtual void DrawBitmap(const Rect& dest, int bitmapId,
                            const std::optional<Rect>& clip = std::nullopt) = 0;

    // An off-screen surface of the given size with this device's resolution, initially white.
    virtual std::unique_ptr<DeviceContext> CreateCompatibleBitmap(int width, int height) = 0;
    // Copies the source surface from the source point into the destination rectangle. The
    // source must be a bitmap made by CreateCompatibleBitmap of the same kind of context.
    virtual void BlockCopy(const Rect& dest, DeviceContext& source, Point sourcePoint) = 0;

  private:
    DeviceCaps caps_;
};
