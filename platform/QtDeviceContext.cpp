#include "platform/QtDeviceContext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPen>
#include <QWidget>

namespace {

// Qt's raster engine works in fixed point; coordinates far beyond any page would overflow it.
constexpr int kCoordinateLimit = 4'000'000;
// A hostile font size must not make the glyph cache eat memory; 4000 pixels is over six inches
// at 600 dpi.
constexpr int kMaxFontPixels = 4000;
constexpr int kMaxPenWidth = 1000;
constexpr int kMaxBitmapSide = 16384;

int Coord(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, -kCoordinateLimit, kCoordinateLimit));
}

QColor ToQColor(Colour colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

QString ToQString(const Text& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The rectangle covering [left, right) × [top, bottom), ready for QPainter.
QRect FillArea(const Rect& rect) {
    const Rect r = rect.Normalised();
    const int left = Coord(r.left);
    const int top = Coord(r.top);
    return QRect(left, top, Coord(r.right) - left, Coord(r.bottom) - top);
}

int DotsPerMeter(int dpi) {
    return static_cast<int>(std::lround(dpi / 0.0254));
}

int PositiveOr96(int dpi) {
    return dpi > 0 ? dpi : 96;
}

} // namespace

QtDeviceContext::QtDeviceContext(QPainter& painter, const DeviceCaps& caps)
    : DeviceContext(caps), painter_(&painter) {
    if (auto* image = dynamic_cast<QImage*>(painter.device())) {
        image_ = image;
    }
    Initialise();
}

QtDeviceContext::QtDeviceContext(QImage& image) : DeviceContext(ImageCaps(image)) {
    StartOwnPainter(image);
}

QtDeviceContext::QtDeviceContext(std::unique_ptr<QImage> image, const DeviceCaps& caps)
    : DeviceContext(caps), ownImage_(std::move(image)) {
    StartOwnPainter(*ownImage_);
}

QtDeviceContext::~QtDeviceContext() = default;

void QtDeviceContext::StartOwnPainter(QImage& image) {
    image_ = &image;
    ownPainter_ = std::make_unique<QPainter>();
    if (!image.isNull()) {
        ownPainter_->begin(&image);
    }
    painter_ = ownPainter_.get();
    Initialise();
}

void QtDeviceContext::Initialise() {
    // Crisp shapes as on the printed page; smooth text.
    if (Active()) {
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
    }
    SelectFont(Font{});
    SelectPen(Rgb(0, 0, 0));
    SelectBrush(Rgb(255, 255, 255));
}

bool QtDeviceContext::Active() const {
    return painter_ != nullptr && painter_->isActive();
}

DeviceCaps QtDeviceContext::WidgetCaps(const QWidget& widget) {
    DeviceCaps caps =
        DeviceCaps::Screen(widget.width(), widget.height(), PositiveOr96(widget.logicalDpiX()));
    caps.logPixelsY = PositiveOr96(widget.logicalDpiY());
    return caps;
}

DeviceCaps QtDeviceContext::ImageCaps(const QImage& image) {
    DeviceCaps caps =
        DeviceCaps::Screen(image.width(), image.height(), PositiveOr96(image.logicalDpiX()));
    caps.logPixelsY = PositiveOr96(image.logicalDpiY());
    return caps;
}

DeviceCaps QtDeviceContext::PageCaps(const QPagedPaintDevice& device) {
    const int dpi = PositiveOr96(device.logicalDpiX());
    const QPageLayout layout = device.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    DeviceCaps caps;
    caps.printing = true;
    caps.horzRes = paint.width();
    caps.vertRes = paint.height();
    caps.physicalWidth = full.width();
    caps.physicalHeight = full.height();
    caps.physicalOffsetX = paint.x() - full.x();
    caps.physicalOffsetY = paint.y() - full.y();
    caps.logPixelsX = dpi;
    caps.logPixelsY = PositiveOr96(device.logicalDpiY());
    return caps;
}

Font QtDeviceContext::SelectFont(const Font& font) {
    Font previous = font_;
    font_ = font;
    // Points to pixels as the device's resolution says: tenths × dpi ÷ 720, rounded.
    const std::int64_t tenths = std::clamp(font.tenthsOfPoint, 0, 1'000'000);
    const std::int64_t pixels = (tenths * LogPixelsY() + 360) / 720;
    QFont qfont;
    if (!font.face.empty()) {
        qfont.setFamily(ToQString(font.face));
    }
    qfont.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(pixels, 1, kMaxFontPixels)));
    qfont.setWeight(
        static_cast<QFont::Weight>(font.weight <= 0 ? 400 : std::min(font.weight, 1000)));
    qfont_ = qfont;
    metrics_.emplace(qfont_, Active() ? painter_->device() : nullptr);
    if (Active()) {
        painter_->setFont(qfont_);
    }
    return previous;
}

void QtDeviceContext::SelectPen(Colour colour, int width) {
    hasPen_ = true;
    if (Active()) {
        QPen pen(ToQColor(colour), std::clamp(width, 0, kMaxPenWidth));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter_->setPen(pen);
    }
}

void QtDeviceContext::SelectNullPen() {
    hasPen_ = false;
    if (Active()) {
        painter_->setPen(Qt::NoPen);
    }
}

void QtDeviceContext::SelectBrush(Colour colour) {
    if (Active()) {
        painter_->setBrush(ToQColor(colour));
    }
}

void QtDeviceContext::SelectNullBrush() {
    if (Active()) {
        painter_->setBrush(Qt::NoBrush);
    }
}

Size QtDeviceContext::TextExtent(const Text& text) {
    return {metrics_->horizontalAdvance(ToQString(text)), metrics_->height()};
}

void QtDeviceContext::DrawText(int x, int y, const Text& text, Align align,
                               const std::optional<Rect>& clip) {
    if (!Active() || text.empty()) {
        return;
    }
    const QString qtext = ToQString(text);
    const int width = metrics_->horizontalAdvance(qtext);
    const int height = metrics_->height();
    const int start = align == Align::Left ? 0 : align == Align::Right ? -width : -(width / 2);
    painter_->save();
    if (clip) {
        painter_->setClipRect(FillArea(*clip), Qt::IntersectClip);
    }
    painter_->translate(Coord(x), Coord(y));
    if (font_.escapement % 3600 != 0) {
        painter_->rotate(-(font_.escapement % 3600) / 10.0);
    }
    if (backColour_) {
        painter_->fillRect(QRect(start, 0, width, height), ToQColor(*backColour_));
    }
    painter_->setPen(ToQColor(textColour_));
    painter_->drawText(QPoint(start, metrics_->ascent()), qtext);
    painter_->restore();
}

void QtDeviceContext::Line(int x1, int y1, int x2, int y2) {
    if (Active()) {
        painter_->drawLine(Coord(x1), Coord(y1), Coord(x2), Coord(y2));
    }
}

QRect QtDeviceContext::ShapeRect(const Rect& rect) const {
    // A stroked rectangle is one unit larger than its geometry; without a pen the fill alone
    // covers it.
    const QRect area = FillArea(rect);
    return hasPen_ ? area.adjusted(0, 0, -1, -1) : area;
}

void QtDeviceContext::Rectangle(const Rect& rect) {
    if (Active() && !rect.Normalised().IsEmpty()) {
        painter_->drawRect(ShapeRect(rect));
    }
}

void QtDeviceContext::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) {
    if (Active() && !rect.Normalised().IsEmpty()) {
        painter_->drawRoundedRect(QRectF(ShapeRect(rect)), Coord(ellipseWidth) / 2.0,
                                  Coord(ellipseHeight) / 2.0, Qt::AbsoluteSize);
    }
}

void QtDeviceContext::Ellipse(const Rect& rect) {
    if (Active() && !rect.Normalised().IsEmpty()) {
        painter_->drawEllipse(ShapeRect(rect));
    }
}

void QtDeviceContext::FillRect(const Rect& rect, Colour colour) {
    if (Active() && !rect.Normalised().IsEmpty()) {
        painter_->fillRect(FillArea(rect), ToQColor(colour));
    }
}

void QtDeviceContext::SetClip(const Rect& rect) {
    if (Active()) {
        painter_->setClipRect(FillArea(rect), Qt::ReplaceClip);
    }
}

void QtDeviceContext::ResetClip() {
    if (Active()) {
        painter_->setClipping(false);
    }
}

std::unique_ptr<DeviceContext> QtDeviceContext::CreateCompatibleBitmap(int width, int height) {
    const int w = std::clamp(width, 1, kMaxBitmapSide);
    const int h = std::clamp(height, 1, kMaxBitmapSide);
    auto image = std::make_unique<QImage>(w, h, QImage::Format_RGB32);
    if (!image->isNull()) {
        image->setDotsPerMeterX(DotsPerMeter(LogPixelsX()));
        image->setDotsPerMeterY(DotsPerMeter(LogPixelsY()));
        image->fill(Qt::white);
    }
    DeviceCaps caps = DeviceCaps::Screen(w, h, LogPixelsX());
    caps.logPixelsY = LogPixelsY();
    return std::unique_ptr<DeviceContext>(new QtDeviceContext(std::move(image), caps));
}

void QtDeviceContext::BlockCopy(const Rect& dest, DeviceContext& source, Point sourcePoint) {
    const auto* bitmap = dynamic_cast<const QtDeviceContext*>(&source);
    if (!Active() || bitmap == nullptr || bitmap->image_ == nullptr || bitmap->image_->isNull()) {
        return;
    }
    const QRect target = FillArea(dest);
    painter_->drawImage(
        target, *bitmap->image_,
        QRect(Coord(sourcePoint.x), Coord(sourcePoint.y), target.width(), target.height()));
}
