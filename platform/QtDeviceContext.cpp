#include "platform/QtApplication.h"

#include "platform/QtDeviceContext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QGlyphRun>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPen>
#include <QTextLayout>
#include <QThread>
#include <QWidget>

#include "platform/QtText.h"

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

// Shaped texts are kept for a few faces (zooming makes a new one per size) and a few screenfuls
// of texts per face, counted in texts and in characters so that the long labels a hostile file
// may hold cannot make the cache large; longer texts still are shaped on each call.
constexpr std::size_t kMaxShapedFaces = 8;
constexpr std::size_t kMaxShapedTexts = 8192;
constexpr std::size_t kMaxShapedCharacters = 131072;
constexpr std::size_t kMaxShapedLength = 256;

// Below this size the raster engine draws glyphs from its cache of glyph images; a margin under
// its limit keeps clear of rounding in how it compares sizes.
int MaxCachedGlyphPixels() {
    static const int limit = [] {
        const int set = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE");
        return set > 0 ? std::min(set, 64) * 3 / 4 : 48;
    }();
    return limit;
}

// Whether a text layout draws the text exactly as QPainter::drawText does. Controls and
// separators are broken, tabbed or cut short differently; marks and broken surrogate pairs come
// out slightly differently placed.
bool LaysOutAsDrawn(const Text& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            return false;
        }
        if (c < 0x300) {
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1])) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(c)) {
            return false;
        }
        const QChar::Category category = QChar::category(c);
        if (c == 0x2028 || c == 0x2029 || c == 0xFFFC || category == QChar::Mark_NonSpacing ||
            category == QChar::Mark_SpacingCombining || category == QChar::Mark_Enclosing) {
            return false;
        }
    }
    return true;
}

} // namespace

// The texts shaped in one font for one resolution and direction: their widths and their glyphs
// placed from the start of the baseline.
class ShapedFace {
public:
    struct Shaped {
        int width = 0;
        // Empty when the text is drawn through QPainter::drawText instead.
        QList<QGlyphRun> runs;
    };

    ShapedFace(const QFont& font, QPaintDevice* device, Qt::LayoutDirection direction)
        : font_(font), metrics_(font, device), ascent_(metrics_.ascent()),
          height_(metrics_.height()), cachedGlyphs_(font.pixelSize() < MaxCachedGlyphPixels()),
          direction_(direction) {}

    const QFont& Font() const { return font_; }
    const QFontMetrics& Metrics() const { return metrics_; }
    int Ascent() const { return ascent_; }
    int Height() const { return height_; }
    // Whether the raster engine draws the face's glyphs from its glyph cache rather than as
    // outlines (it does below 64 pixels, or the size QT_MAX_CACHED_GLYPH_SIZE sets).
    bool DrawnFromGlyphImages() const { return cachedGlyphs_; }
    // Dropped from the registry because the fonts changed: the glyphs may be of another face.
    bool Stale() const { return stale_; }
    void MarkStale() {
        stale_ = true;
        texts_.clear();
        characters_ = 0;
    }
    // The shaped text, shaped for the device when new (any device of the face's resolution
    // shapes alike); null when the text is too long to keep.
    const Shaped* Find(const Text& text, QPaintDevice* device) {
        if (text.size() > kMaxShapedLength) {
            return nullptr;
        }
        if (auto found = texts_.find(text); found != texts_.end()) {
            return &found->second;
        }
        if (texts_.size() >= kMaxShapedTexts || characters_ + text.size() > kMaxShapedCharacters) {
            texts_.clear();
            characters_ = 0;
        }
        characters_ += text.size();
        return &texts_.emplace(text, Shape(text, device)).first->second;
    }

private:
    Shaped Shape(const Text& text, QPaintDevice* device) const {
        const QString qtext = ToQString(text);
        Shaped shaped;
        if (LaysOutAsDrawn(text)) {
            QTextLayout layout(qtext, font_, device);
            QTextOption option;
            option.setWrapMode(QTextOption::NoWrap);
            option.setTextDirection(direction_);
            layout.setTextOption(option);
            // Otherwise the layout drops its shaping at the end and shapes again for the runs.
            layout.setCacheEnabled(true);
            layout.beginLayout();
            const QTextLine line = layout.createLine();
            layout.endLayout();
            if (line.isValid() && layout.lineCount() == 1) {
                // Rounded half up, as the metrics round their fixed-point widths.
                shaped.width = static_cast<int>(std::floor(line.horizontalAdvance() + 0.5));
                const qreal baseline = line.y() + line.ascent();
                shaped.runs = line.glyphRuns();
                for (QGlyphRun& run : shaped.runs) {
                    QList<QPointF> positions = run.positions();
                    for (QPointF& position : positions) {
                        position.ry() -= baseline;
                    }
                    run.setPositions(positions);
                }
                return shaped;
            }
        }
        shaped.width = metrics_.horizontalAdvance(qtext);
        return shaped;
    }

    QFont font_;
    QFontMetrics metrics_;
    int ascent_;
    int height_;
    bool cachedGlyphs_;
    Qt::LayoutDirection direction_;
    bool stale_ = false;
    std::unordered_map<Text, Shaped> texts_;
    std::size_t characters_ = 0;
};

namespace {

struct FaceKey {
    Text face;
    int pixels = 0;
    int weight = 0;
    int dpiX = 0;
    int dpiY = 0;
    Qt::LayoutDirection direction = Qt::LeftToRight;
    friend bool operator==(const FaceKey&, const FaceKey&) = default;
};

// The faces of the application's thread. Kept until the fonts on the system or the application
// change, and released while the application still has its font engines.
struct FaceRegistry {
    std::vector<std::pair<FaceKey, std::shared_ptr<ShapedFace>>> faces;
    const QCoreApplication* app = nullptr;

    void Drop() {
        for (auto& entry : faces) {
            entry.second->MarkStale();
        }
        faces.clear();
    }
};

FaceRegistry& Registry() {
    // Never destroyed: its glyphs must go before the application, not after it.
    static auto* registry = new FaceRegistry;
    return *registry;
}

void DropRegistry() {
    Registry().Drop();
    Registry().app = nullptr;
}

// The shared face for the key, made with the font when new; null off the application's thread
// or without a GUI application.
std::shared_ptr<ShapedFace> AcquireFace(const FaceKey& key, const QFont& font,
                                        QPaintDevice* device) {
    const QGuiApplication* app = qGuiApp;
    if (app == nullptr || QThread::currentThread() != app->thread()) {
        return nullptr;
    }
    FaceRegistry& registry = Registry();
    if (registry.app != app) {
        registry.Drop();
        registry.app = app;
        // Queued to this thread should another thread add a font.
        QObject::connect(app, &QGuiApplication::fontDatabaseChanged, app,
                         [] { Registry().Drop(); });
        qAddPostRoutine(DropRegistry);
    }
    for (auto& [faceKey, face] : registry.faces) {
        if (faceKey == key) {
            return face;
        }
    }
    if (registry.faces.size() >= kMaxShapedFaces) {
        registry.Drop();
    }
    auto face = std::make_shared<ShapedFace>(font, device, key.direction);
    registry.faces.emplace_back(key, face);
    return face;
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

QtDeviceContext::QtDeviceContext(QWidget& widget)
    : DeviceContext(WidgetCaps(widget)), ownPainter_(std::make_unique<QPainter>(&widget)) {
    painter_ = ownPainter_.get();
    Initialise();
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
    clipKnown_ = !Active() || !painter_->hasClipping();
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
    face_.reset();
    if (Active() && image_ != nullptr) {
        const FaceKey key{font.face,
                          qfont.pixelSize(),
                          qfont.weight(),
                          image_->logicalDpiX(),
                          image_->logicalDpiY(),
                          painter_->layoutDirection()};
        face_ = AcquireFace(key, qfont, painter_->device());
    }
    if (face_) {
        qfont_ = face_->Font();
        metrics_ = face_->Metrics();
    } else {
        qfont_ = qfont;
        metrics_.emplace(qfont_, Active() ? painter_->device() : nullptr);
    }
    if (Active()) {
        painter_->setFont(qfont_);
    }
    return previous;
}

void QtDeviceContext::SelectPen(Colour colour, int width) {
    hasPen_ = true;
    pen_ = QPen(ToQColor(colour), std::clamp(width, 0, kMaxPenWidth));
    pen_.setCapStyle(Qt::RoundCap);
    pen_.setJoinStyle(Qt::RoundJoin);
    textPen_ = false;
    if (Active()) {
        painter_->setPen(pen_);
    }
}

void QtDeviceContext::SelectNullPen() {
    hasPen_ = false;
    pen_ = QPen(Qt::NoPen);
    textPen_ = false;
    if (Active()) {
        painter_->setPen(pen_);
    }
}

void QtDeviceContext::UseShapePen() {
    if (textPen_) {
        painter_->setPen(pen_);
        textPen_ = false;
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
    if (face_ && face_->Stale()) {
        SelectFont(font_);
    }
    if (const ShapedFace::Shaped* shaped =
            face_ ? face_->Find(text, painter_->device()) : nullptr) {
        return {shaped->width, face_->Height()};
    }
    return {metrics_->horizontalAdvance(ToQString(text)), metrics_->height()};
}

void QtDeviceContext::DrawText(int x, int y, const Text& text, Align align,
                               const std::optional<Rect>& clip) {
    if (!Active() || text.empty()) {
        return;
    }
    if (face_ && face_->Stale()) {
        SelectFont(font_);
    }
    const ShapedFace::Shaped* shaped = face_ ? face_->Find(text, painter_->device()) : nullptr;
    // Turned text keeps QPainter's own path for its rotated glyphs.
    const bool runs = shaped && !shaped->runs.isEmpty() && font_.escapement % 3600 == 0;
    // Cached glyph images land on whole pixels wherever the painter's origin is; large glyphs
    // are filled as outlines, whose edges depend on the transform, so they are drawn from the
    // translated origin as always. So is text clipped inside a clip the context did not set.
    if (runs && face_->DrawnFromGlyphImages() && (!clip || clipKnown_) &&
        painter_->deviceTransform().type() == QTransform::TxNone) {
        DrawShaped(x, y, shaped->runs, shaped->width, align, clip);
        return;
    }
    const QString qtext = runs ? QString() : ToQString(text);
    const int width = shaped ? shaped->width : metrics_->horizontalAdvance(qtext);
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
    if (runs) {
        const QPointF baseline(start, metrics_->ascent());
        for (const QGlyphRun& run : shaped->runs) {
            painter_->drawGlyphRun(baseline, run);
        }
    } else {
        painter_->drawText(QPoint(start, metrics_->ascent()), qtext);
    }
    painter_->restore();
}

void QtDeviceContext::DrawShaped(int x, int y, const QList<QGlyphRun>& runs, int width, Align align,
                                 const std::optional<Rect>& clip) {
    const int start = align == Align::Left ? 0 : align == Align::Right ? -width : -(width / 2);
    const int left = Coord(x) + start;
    const int top = Coord(y);
    if (clip) {
        QRect area = FillArea(*clip);
        if (clip_) {
            area &= *clip_;
        }
        if (area.isEmpty()) {
            return;
        }
        painter_->setClipRect(area, Qt::ReplaceClip);
    }
    if (backColour_) {
        painter_->fillRect(QRect(left, top, width, face_->Height()), ToQColor(*backColour_));
    }
    if (!textPen_ || textPenColour_ != textColour_) {
        painter_->setPen(ToQColor(textColour_));
        textPen_ = true;
        textPenColour_ = textColour_;
    }
    const QPointF baseline(left, top + face_->Ascent());
    for (const QGlyphRun& run : runs) {
        painter_->drawGlyphRun(baseline, run);
    }
    if (clip) {
        if (clip_) {
            painter_->setClipRect(*clip_, Qt::ReplaceClip);
        } else {
            painter_->setClipping(false);
        }
    }
}

void QtDeviceContext::Line(int x1, int y1, int x2, int y2) {
    if (Active()) {
        UseShapePen();
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
        UseShapePen();
        painter_->drawRect(ShapeRect(rect));
    }
}

void QtDeviceContext::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) {
    if (Active() && !rect.Normalised().IsEmpty()) {
        UseShapePen();
        painter_->drawRoundedRect(QRectF(ShapeRect(rect)), Coord(ellipseWidth) / 2.0,
                                  Coord(ellipseHeight) / 2.0, Qt::AbsoluteSize);
    }
}

void QtDeviceContext::Ellipse(const Rect& rect) {
    if (Active() && !rect.Normalised().IsEmpty()) {
        UseShapePen();
        painter_->drawEllipse(ShapeRect(rect));
    }
}

void QtDeviceContext::FillRect(const Rect& rect, Colour colour) {
    if (Active() && !rect.Normalised().IsEmpty()) {
        painter_->fillRect(FillArea(rect), ToQColor(colour));
    }
}

void QtDeviceContext::SetClip(const Rect& rect) {
    clip_ = FillArea(rect);
    clipKnown_ = true;
    if (Active()) {
        painter_->setClipRect(*clip_, Qt::ReplaceClip);
    }
}

void QtDeviceContext::ResetClip() {
    clip_.reset();
    clipKnown_ = true;
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

void QtDeviceContext::DrawBitmap(const Rect& dest, int bitmapId,
                                 const std::optional<Rect>& clip) {
    if (!Active() || dest.Normalised().IsEmpty()) {
        return;
    }
    // The bitmaps are small and few; each is read from the resources once.
    static std::unordered_map<int, QImage> loaded;
    auto found = loaded.find(bitmapId);
    if (found == loaded.end()) {
        found = loaded.emplace(bitmapId, QImage(QStringLiteral(":/bitmaps/%1.png").arg(bitmapId)))
                    .first;
    }
    if (found->second.isNull()) {
        return;
    }
    painter_->save();
    if (clip) {
        painter_->setClipRect(FillArea(*clip), Qt::IntersectClip);
    }
    painter_->drawImage(FillArea(dest), found->second);
    painter_->restore();
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
