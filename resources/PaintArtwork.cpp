// Paints the viewer's own artwork into resources/: the 520 x 253 picture of the splash window and
// the mode dialog, the program icon at the sizes the desktop wants, the toolbar buttons and the
// statement's column toggles.
// Run once after changing the design and commit the PNGs:
//   cmake --build build --target paint-artwork && build/app/paint-artwork resources
// The program draws with DejaVu Sans so that the result does not depend on the machine's fonts
// beyond that one.
#include <cmath>
#include <cstdio>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>

namespace {

// A forecast's closing balance climbing through the months, in [0, 1] of the chart's height.
constexpr double kRise[] = {0.10, 0.18, 0.14, 0.27, 0.33, 0.29, 0.45, 0.52, 0.49, 0.66, 0.74, 0.92};
constexpr int kMonths = static_cast<int>(sizeof(kRise) / sizeof(kRise[0]));

QPolygonF ChartLine(const QRectF& area) {
    QPolygonF line;
    for (int month = 0; month < kMonths; ++month)
        line << QPointF(area.left() + area.width() * month / (kMonths - 1),
                        area.bottom() - area.height() * kRise[month]);
    return line;
}

QImage Picture() {
    QImage image(520, 253, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 520, 212);
    sky.setColorAt(0.0, QColor(16, 62, 40));
    sky.setColorAt(1.0, QColor(44, 122, 70));
    p.fillRect(0, 0, 520, 212, sky);

    // Monthly columns behind the line, as the statement's months.
    const QRectF chart(262, 34, 232, 150);
    p.setPen(Qt::NoPen);
    for (int month = 0; month < kMonths; ++month) {
        const double width = chart.width() / kMonths;
        const double height = chart.height() * (0.25 + 0.5 * kRise[month]);
        p.setBrush(QColor(255, 255, 255, month % 2 ? 26 : 38));
        p.drawRect(QRectF(chart.left() + width * month - width / 2 + 2, chart.bottom() - height,
                          width - 4, height));
    }
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    for (int step = 0; step <= 4; ++step) {
        const double y = chart.bottom() - chart.height() * step / 4;
        p.drawLine(QPointF(chart.left() - 12, y), QPointF(chart.right() + 12, y));
    }

    const QPolygonF line = ChartLine(chart);
    QPainterPath under;
    under.moveTo(line.first().x(), chart.bottom());
    for (const QPointF& point : line)
        under.lineTo(point);
    under.lineTo(line.last().x(), chart.bottom());
    under.closeSubpath();
    QLinearGradient fill(0, chart.top(), 0, chart.bottom());
    fill.setColorAt(0.0, QColor(176, 222, 176, 150));
    fill.setColorAt(1.0, QColor(176, 222, 176, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(under);

    p.setPen(QPen(QColor(255, 224, 64), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
    p.setPen(QPen(QColor(16, 62, 40), 2));
    p.setBrush(QColor(255, 224, 64));
    for (const QPointF& point : line)
        p.drawEllipse(point, 4.5, 4.5);
    // The arrow head of the rise.
    const QPointF tip = line.last();
    QPolygonF head;
    head << tip + QPointF(14, -12) << tip + QPointF(-4, -10) << tip + QPointF(10, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 224, 64));
    p.drawPolygon(head);

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(34);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QPointF(24, 62), QStringLiteral("Varnobel"));
    p.drawText(QPointF(24, 102), QStringLiteral("Viewer"));
    QFont tagline(QStringLiteral("DejaVu Sans"));
    tagline.setPixelSize(14);
    p.setFont(tagline);
    p.setPen(QColor(176, 222, 176));
    p.drawText(QPointF(26, 128), QStringLiteral("Cash-flow forecasts at a glance"));

    // The version band: the version text is drawn on this colour when the picture is shown.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(176, 222, 176));
    p.drawRoundedRect(QRectF(20, 152, 222, 40), 8, 8);

    // The notice strip: the legal notice is drawn centred on this colour.
    p.fillRect(0, 212, 520, 41, QColor(65, 157, 65));
    p.fillRect(0, 212, 520, 2, QColor(255, 224, 64));
    return image;
}

// The program icon: a rounded green tile with the rising line, at any size.
QImage Icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    QLinearGradient tile(0, 0, 64, 64);
    tile.setColorAt(0.0, QColor(44, 122, 70));
    tile.setColorAt(1.0, QColor(16, 62, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setBrush(QColor(176, 222, 176, 90));
    p.drawRect(QRectF(12, 40, 8, 12));
    p.drawRect(QRectF(24, 34, 8, 18));
    p.drawRect(QRectF(36, 28, 8, 24));
    QPolygonF line;
    line << QPointF(10, 46) << QPointF(22, 36) << QPointF(32, 40) << QPointF(50, 18);
    p.setPen(QPen(QColor(255, 224, 64), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
    QPolygonF head;
    head << QPointF(56, 12) << QPointF(43, 15) << QPointF(53, 25);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 224, 64));
    p.drawPolygon(head);
    return image;
}

// The Open button: a folder with its flap lifted.
QImage OpenButton() {
    QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 84, 10), 1));
    p.setBrush(QColor(230, 180, 60));
    QPolygonF back;
    back << QPointF(2.5, 5.5) << QPointF(9.5, 5.5) << QPointF(11.5, 7.5) << QPointF(19.5, 7.5)
         << QPointF(19.5, 19.5) << QPointF(2.5, 19.5);
    p.drawPolygon(back);
    p.setBrush(QColor(250, 214, 110));
    QPolygonF flap;
    flap << QPointF(5.5, 11.5) << QPointF(22.5, 11.5) << QPointF(19.5, 19.5) << QPointF(2.5, 19.5);
    p.drawPolygon(flap);
    return image;
}

// The Font Toolbar's last button: a letter over a colour bar.
QImage FontButton() {
    QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont letter(QStringLiteral("DejaVu Sans"));
    letter.setPixelSize(16);
    letter.setBold(true);
    p.setFont(letter);
    p.setPen(QColor(30, 30, 30));
    p.drawText(QRectF(0, 0, 24, 18), Qt::AlignCenter, QStringLiteral("A"));
    p.fillRect(QRectF(4, 19, 16, 3), QColor(65, 157, 65));
    return image;
}

bool Save(const QImage& image, const QString& path) {
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "paint-artwork: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

// A 20 x 20 check box on a statement sub-column's colour: a tick when the column is shown, a
// cross when it is not.
QImage CheckBox(const QColor& column, bool on) {
    QImage image(20, 20, QImage::Format_RGB888);
    image.fill(column);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 3.5, 13, 13));
    if (on) {
        p.setPen(QPen(QColor(0, 120, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(6, 10.5), QPointF(9, 13.5), QPointF(14.5, 6.5)}));
    } else {
        p.setPen(QPen(QColor(170, 0, 0), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7, 7), QPointF(13, 13));
        p.drawLine(QPointF(13, 7), QPointF(7, 13));
    }
    return image;
}

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    bool ok = Save(Picture(), folder + "/splash.png");
    for (int size : {16, 32, 48, 64, 128, 256})
        ok = Save(Icon(size), folder + QString("/icons/varnobel-view-%1.png").arg(size)) && ok;
    ok = Save(OpenButton(), folder + "/icons/open.png") && ok;
    ok = Save(FontButton(), folder + "/icons/font-extra.png") && ok;
    // The statement's column toggles, by resource number: Actual green, Expected yellow,
    // Variance blue.
    const struct {
        int off, on;
        QColor colour;
    } checks[] = {{301, 305, QColor(200, 255, 200)},
                  {303, 302, QColor(255, 255, 200)},
                  {300, 304, QColor(200, 200, 255)}};
    for (const auto& check : checks) {
        ok = Save(CheckBox(check.colour, false), folder + QString("/bitmaps/%1.png").arg(check.off)) &&
             ok;
        ok = Save(CheckBox(check.colour, true), folder + QString("/bitmaps/%1.png").arg(check.on)) &&
             ok;
    }
    return ok ? 0 : 1;
}
