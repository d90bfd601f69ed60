#pragma once

#include <memory>
#include <optional>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>

#include "platform/DeviceContext.h"

class QGlyphRun;
class QPagedPaintDevice;
class QWidget;
class ShapedFace;

// The device context of the window, the printer, the preview and the exports, drawing through a
// QPainter. Logical units are the painter's device pixels. Fonts need a QGuiApplication.
class QtDeviceContext : public DeviceContext {
public:
    // Draws through a painter already active on its device, described by the caps.
    QtDeviceContext(QPainter& painter, const DeviceCaps& caps);
    // Draws into the image (a back buffer or a PNG export) through a painter of its own.
    explicit QtDeviceContext(QImage& image);
    // Draws on a widget from its paint event through a painter of its own.
    explicit QtDeviceContext(QWidget& widget);
    ~QtDeviceContext() override;

    // The caps of a widget's client area.
    static DeviceCaps WidgetCaps(const QWidget& widget);
    // The caps of an image at its own resolution.
    static DeviceCaps ImageCaps(const QImage& image);
    // The caps of a printer, preview printer or PDF writer at its resolution and page layout.
    static DeviceCaps PageCaps(const QPagedPaintDevice& device);

    // The bitmap drawn into, when the context draws into an image; null otherwise.
    const QImage* Image() const { return image_; }

    using DeviceContext::SelectFont;
    Font SelectFont(const Font& font) override;
    const Font& CurrentFont() const override { return font_; }
    void SelectPen(Colour colour, int width = 0) override;
    void SelectNullPen() override;
    void SelectBrush(Colour colour) override;
    void SelectNullBrush() override;
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
    void SetClip(const Rect& rect) override;
    void ResetClip() override;
    std::unique_ptr<DeviceContext> CreateCompatibleBitmap(int width, int height) override;
    void DrawBitmap(const Rect& dest, int bitmapId,
                    const std::optional<Rect>& clip = std::nullopt) override;
    void BlockCopy(const Rect& dest, DeviceContext& source, Point sourcePoint) override;

private:
    // A bitmap context that owns its image.
    QtDeviceContext(std::unique_ptr<QImage> image, const DeviceCaps& caps);
    void StartOwnPainter(QImage& image);
    // The state every new context starts in.
    void Initialise();
    bool Active() const;
    // The outline rectangle as the painter strokes it, so shapes cover [left, right).
    QRect ShapeRect(const Rect& rect) const;
    // Puts the selected pen back after text was drawn in its colour.
    void UseShapePen();
    // Draws a text shaped by the face, untransformed, clipped by changing the painter's clip
    // and putting the context's own back rather than saving and restoring the painter.
    void DrawShaped(int x, int y, const QList<QGlyphRun>& runs, int width, Align align,
                    const std::optional<Rect>& clip);

    std::unique_ptr<QImage> ownImage_;
    std::unique_ptr<QPainter> ownPainter_;
    QPainter* painter_ = nullptr;
    QImage* image_ = nullptr;
    Font font_;
    QFont qfont_;
    std::optional<QFontMetrics> metrics_;
    // The current font's shaped texts, shared with every image context of the application's
    // thread; null where texts are shaped on each call (printers, other threads).
    std::shared_ptr<ShapedFace> face_;
    bool hasPen_ = true;
    QPen pen_;
    // The painter holds a pen of the text colour instead of pen_.
    bool textPen_ = false;
    Colour textPenColour_ = 0;
    // The clip the context set, in device units; none while drawing reaches the whole device.
    std::optional<QRect> clip_;
    // False while the painter still has a clip its owner set, which the context cannot put back.
    bool clipKnown_ = true;
    Colour textColour_ = 0;
    std::optional<Colour> backColour_ = Rgb(255, 255, 255);
};
