#include "platform/QtPageImages.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QWidget>

#include "platform/QtDeviceContext.h"

namespace QtPageImages {

void Measure(const DeviceCaps& caps, const std::function<void(DeviceContext&)>& use) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    QtDeviceContext dc(painter, caps);
    use(dc);
}

QImage Render(const DeviceCaps& caps, int imageDpi, int maxSide,
              const std::function<bool(DeviceContext&)>& draw) {
    const double scale = static_cast<double>(imageDpi) / std::max(1, caps.logPixelsX);
    const auto side = [&](int units) {
        return static_cast<int>(std::clamp<long>(std::lround(units * scale), 1, maxSide));
    };
    QImage image(side(caps.physicalWidth), side(caps.physicalHeight), QImage::Format_RGB32);
    image.fill(Qt::white);
    bool drawn = false;
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(scale, scale);
        painter.translate(caps.physicalOffsetX, caps.physicalOffsetY);
        QtDeviceContext dc(painter, caps);
        drawn = draw(dc);
    }
    return drawn ? image : QImage();
}

void PaintDesk(QWidget& widget, const std::vector<QImage>& pages, double scale, int gap) {
    QPainter painter(&widget);
    painter.fillRect(widget.rect(), QColor(128, 128, 128));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const auto scaled = [scale](int length) { return static_cast<int>(std::lround(length * scale)); };
    int width = gap;
    int height = 0;
    for (const QImage& image : pages) {
        if (image.isNull())
            continue;
        width += scaled(image.width()) + gap;
        height = std::max(height, scaled(image.height()));
    }
    // Centred when the desk is larger than the pages.
    int x = std::max(0, (widget.width() - width) / 2) + gap;
    const int y = std::max(gap, (widget.height() - height) / 2);
    for (const QImage& image : pages) {
        if (image.isNull())
            continue;
        const QRect target(x, y, scaled(image.width()), scaled(image.height()));
        painter.fillRect(target.translated(3, 3), QColor(64, 64, 64));
        painter.drawImage(target, image);
        painter.setPen(Qt::black);
        painter.drawRect(target.adjusted(0, 0, -1, -1));
        x += target.width() + gap;
    }
}

} // namespace QtPageImages
