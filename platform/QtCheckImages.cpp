#include "platform/QtCheckImages.h"

#include <array>

#include <QPainter>
#include <QPixmap>

namespace QtCheckImages {

namespace {

QIcon Paint(CheckMark mark) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    if (mark == CheckMark::Ticked) {
        p.setPen(QPen(QColor(0, 0, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(5, 8), QPointF(7, 10.5), QPointF(11, 5.5)}));
    } else if (mark == CheckMark::Partly) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(128, 128, 128));
        p.drawRect(QRectF(5, 5, 6, 6));
    }
    return QIcon(pixmap);
}

} // namespace

QIcon Icon(CheckMark mark) {
    static const std::array<QIcon, 3> icons = {Paint(CheckMark::Empty), Paint(CheckMark::Ticked),
                                               Paint(CheckMark::Partly)};
    return icons[static_cast<std::size_t>(mark)];
}

} // namespace QtCheckImages
