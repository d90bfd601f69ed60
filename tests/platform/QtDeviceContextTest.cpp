#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "platform/QtDeviceContext.h"

namespace {

const QRgb kWhite = qRgb(255, 255, 255);

QImage WhiteImage(int width, int height, int dpi = 96) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

// The box holding every pixel that is not white; empty when the image is blank.
QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kWhite) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

QRect DrawnText(const Text& text, int x, int y, Align align, int escapement = 0) {
    QImage image = WhiteImage(400, 200);
    {
        QtDeviceContext dc(image);
        dc.SelectFont(u"Times New Roman", 120, 400, escapement);
        dc.DrawText(x, y, text, align);
    }
    return InkBounds(image);
}

TEST(QtDeviceContextTest, FillsCoverLeftAndTopButNotRightAndBottom) {
    QImage image = WhiteImage(100, 100);
    {
        QtDeviceContext dc(image);
        dc.FillRect({10, 10, 20, 20}, Rgb(10, 20, 30));
    }
    EXPECT_EQ(image.pixel(10, 10), qRgb(10, 20, 30));
    EXPECT_EQ(image.pixel(19, 19), qRgb(10, 20, 30));
    EXPECT_EQ(image.pixel(20, 20), kWhite);
    EXPECT_EQ(image.pixel(9, 15), kWhite);
}

TEST(QtDeviceContextTest, ShapesUsePenAndBrush) {
    QImage image = WhiteImage(100, 100);
    {
        QtDeviceContext dc(image);
        dc.SelectPen(Rgb(0, 0, 255));
        dc.Line(0, 50, 99, 50);
        dc.SelectPen(Rgb(0, 200, 0));
        dc.SelectNullBrush();
        dc.Rectangle({20, 10, 40, 30});
        dc.SelectNullPen();
        dc.SelectBrush(Rgb(200, 0, 0));
        dc.Rectangle({60, 10, 80, 30});
    }
    EXPECT_EQ(image.pixel(70, 50), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(70, 49), kWhite);
    // Outline only: both vertical edges inside [20, 40), the interior left white.
    EXPECT_EQ(image.pixel(20, 20), qRgb(0, 200, 0));
    EXPECT_EQ(image.pixel(39, 20), qRgb(0, 200, 0));
    EXPECT_EQ(image.pixel(40, 20), kWhite);
    EXPECT_EQ(image.pixel(30, 20), kWhite);
    // Fill only: the whole of [60, 80) × [10, 30).
    EXPECT_EQ(image.pixel(60, 10), qRgb(200, 0, 0));
    EXPECT_EQ(image.pixel(79, 29), qRgb(200, 0, 0));
    EXPECT_EQ(image.pixel(80, 29), kWhite);
}

TEST(QtDeviceContextTest, ClipKeepsDrawingInside) {
    QImage image = WhiteImage(100, 100);
    {
        QtDeviceContext dc(image);
        dc.SetClip({0, 0, 50, 100});
        dc.FillRect({0, 0, 100, 10}, Rgb(0, 0, 0));
        dc.ResetClip();
        dc.FillRect({0, 20, 100, 30}, Rgb(0, 0, 0));
    }
    EXPECT_EQ(image.pixel(49, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(50, 5), kWhite);
    EXPECT_EQ(image.pixel(99, 25), qRgb(0, 0, 0));
}

TEST(QtDeviceContextTest, TextExtentFollowsTextAndSize) {
    QImage image = WhiteImage(10, 10);
    QtDeviceContext dc(image);
    dc.SelectFont(u"Times New Roman", 100);
    const Size one = dc.TextExtent(u"M");
    const Size two = dc.TextExtent(u"MM");
    EXPECT_GT(one.width, 0);
    EXPECT_GT(one.height, 0);
    // Advances are fractional, so two may round one unit away from twice one.
    EXPECT_NEAR(two.width, 2 * one.width, 1);
    EXPECT_EQ(two.height, one.height);
    // Twice the point size, about twice the height.
    dc.SelectFont(u"Times New Roman", 200);
    const Size large = dc.TextExtent(u"M");
    EXPECT_GE(large.height * 10, one.height * 18);
    EXPECT_LE(large.height * 10, one.height * 22);
}

TEST(QtDeviceContextTest, FontSizeFollowsTheResolution) {
    QImage screenImage = WhiteImage(10, 10, 96);
    QImage printImage = WhiteImage(10, 10, 600);
    QtDeviceContext screen(screenImage);
    QtDeviceContext print(printImage);
    EXPECT_EQ(print.LogPixelsY(), 600);
    screen.SelectFont(u"Times New Roman", 100);
    print.SelectFont(u"Times New Roman", 100);
    // 600 / 96 = 6.25 times as many units for the same 10 pt.
    const int ratio100 =
        100 * print.TextExtent(u"Total").height / screen.TextExtent(u"Total").height;
    EXPECT_GE(ratio100, 560);
    EXPECT_LE(ratio100, 690);
}

TEST(QtDeviceContextTest, AlignmentPlacesTextAroundThePoint) {
    const QRect left = DrawnText(u"Income", 200, 50, Align::Left);
    const QRect right = DrawnText(u"Income", 200, 50, Align::Right);
    const QRect centre = DrawnText(u"Income", 200, 50, Align::Centre);
    ASSERT_FALSE(left.isEmpty());
    EXPECT_GE(left.left(), 199);
    EXPECT_LE(right.right(), 200);
    EXPECT_LT(centre.left(), 200);
    EXPECT_GT(centre.right(), 200);
    // The top of the text is at y, not its baseline.
    EXPECT_GE(left.top(), 50);
    EXPECT_GE(right.top(), 50);
}

TEST(QtDeviceContextTest, UpwardTextRisesFromThePoint) {
    const QRect bounds = DrawnText(u"2000", 100, 150, Align::Left, 900);
    ASSERT_FALSE(bounds.isEmpty());
    EXPECT_GT(bounds.height(), bounds.width());
    EXPECT_GE(bounds.left(), 99);
    EXPECT_LE(bounds.bottom(), 150);
}

TEST(QtDeviceContextTest, TextClipAndBackground) {
    QImage image = WhiteImage(300, 100);
    {
        QtDeviceContext dc(image);
        dc.SetBackColour(Rgb(0, 255, 0));
        dc.DrawText(10, 10, u"NET SURPLUS", Align::Left, Rect{10, 10, 40, 60});
        dc.SetBackTransparent();
        dc.DrawText(10, 60, u"NET SURPLUS");
    }
    const QRect clipped = InkBounds(image.copy(0, 0, 300, 55));
    EXPECT_EQ(clipped.left(), 10);
    EXPECT_EQ(clipped.right(), 39);
    // The opaque box shows between the letters; transparent text leaves the paper white there.
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(10, 60), kWhite);
    EXPECT_GT(InkBounds(image.copy(0, 55, 300, 45)).right(), 60);
}

TEST(QtDeviceContextTest, KeptTextWidthsFollowFontAndResolution) {
    QImage image = WhiteImage(10, 10, 96);
    QImage fine = WhiteImage(10, 10, 192);
    QtDeviceContext dc(image);
    QtDeviceContext fineDc(fine);
    dc.SelectFont(u"DejaVu Sans", 100);
    const Size small = dc.TextExtent(u"Income");
    dc.SelectFont(u"DejaVu Sans", 200);
    const Size large = dc.TextExtent(u"Income");
    dc.SelectFont(u"DejaVu Sans", 100, 700);
    const Size bold = dc.TextExtent(u"Income");
    dc.SelectFont(u"DejaVu Sans", 100);
    // Twice the points, or twice the dots per inch, about twice the width (hinting rounds
    // 13.3 and 26.7 pixel faces differently, so allow a tenth): the kept widths of one font
    // must not be handed out for another.
    const auto aboutTwice = [&](int width) {
        EXPECT_GE(width * 10, small.width * 18);
        EXPECT_LE(width * 10, small.width * 22);
    };
    aboutTwice(large.width);
    EXPECT_GT(large.height, small.height);
    EXPECT_GT(bold.width, small.width);
    EXPECT_EQ(dc.TextExtent(u"Income"), small);
    fineDc.SelectFont(u"DejaVu Sans", 100);
    aboutTwice(fineDc.TextExtent(u"Income").width);
    // A one-letter change is a different text.
    EXPECT_NE(dc.TextExtent(u"Incomes").width, small.width);
    // More texts than a face keeps (8192) and long ones: measured afresh once dropped.
    for (int i = 0; i < 9000; ++i) {
        dc.TextExtent(Ascii(std::to_string(i)));
    }
    const Text longText(300, u'M');
    EXPECT_EQ(dc.TextExtent(longText).width, dc.TextExtent(longText).width);
    EXPECT_GT(dc.TextExtent(longText).width, 250 * dc.TextExtent(u"M").width);
    EXPECT_EQ(dc.TextExtent(u"Income"), small);
}

TEST(QtDeviceContextTest, KeptShapesDrawAsThePainterDoes) {
    // A text the layout takes and one it leaves to QPainter (a tab), in a size drawn from glyph
    // images and one drawn as outlines: 11 pt and 60 pt at 96 dpi are 15 and 80 pixels.
    for (const auto& [tenths, pixels] : {std::pair{110, 15}, std::pair{600, 80}}) {
        for (const Text& text : {Text(u"(1,234.56) Ty"), Text(u"Income"), Text(u"Tax\tCode")}) {
            QImage image = WhiteImage(1000, 240);
            int width = 0;
            {
                QtDeviceContext dc(image);
                dc.SelectFont(u"Times New Roman", tenths);
                dc.SetBackColour(Rgb(0, 255, 0));
                dc.SetClip({0, 0, 1000, 200});
                // Shaped on the first call, kept for the second.
                dc.DrawText(900, 10, text, Align::Right, Rect{100, 0, 1000, 110});
                width = dc.TextExtent(text).width;
                dc.DrawText(900, 120, text, Align::Right);
            }
            ASSERT_GT(width, 10);
            // The box's top row is above the glyphs: green from 900 - width up to 899.
            for (const int y : {10, 120}) {
                EXPECT_EQ(image.pixel(900 - width, y), qRgb(0, 255, 0));
                EXPECT_EQ(image.pixel(899, y), qRgb(0, 255, 0));
                EXPECT_EQ(image.pixel(900 - width - 1, y), kWhite);
                EXPECT_EQ(image.pixel(900, y), kWhite);
            }
            EXPECT_EQ(image.copy(0, 10, 1000, 80), image.copy(0, 120, 1000, 80));

            // The same text straight through QPainter from the translated origin.
            QImage expected = WhiteImage(1000, 240);
            {
                QPainter painter(&expected);
                QFont font(QStringLiteral("Times New Roman"));
                font.setPixelSize(pixels);
                const QFontMetrics metrics(font, &expected);
                const QString qtext = QString::fromStdU16String(text);
                const int start = -metrics.horizontalAdvance(qtext);
                painter.setClipRect(QRect(100, 0, 900, 110));
                painter.translate(900, 10);
                painter.fillRect(QRect(start, 0, -start, metrics.height()), QColor(0, 255, 0));
                painter.setFont(font);
                painter.drawText(QPoint(start, metrics.ascent()), qtext);
            }
            EXPECT_EQ(image.copy(0, 0, 1000, 110), expected.copy(0, 0, 1000, 110));
        }
    }
}

TEST(QtDeviceContextTest, TextLeavesPenAndClipAsSelected) {
    QImage image = WhiteImage(100, 100);
    {
        QtDeviceContext dc(image);
        dc.SelectPen(Rgb(0, 0, 255));
        dc.SetClip({0, 0, 50, 100});
        dc.SetTextColour(Rgb(255, 0, 0));
        dc.DrawText(10, 10, u"Ab", Align::Left, Rect{10, 10, 20, 30});
        // Blue as selected, and cut at 50 by the context's clip, not the text's.
        dc.Line(0, 40, 99, 40);
        dc.ResetClip();
        dc.DrawText(10, 60, u"Ab", Align::Left, Rect{10, 60, 20, 80});
        dc.Line(0, 90, 99, 90);
    }
    EXPECT_EQ(image.pixel(45, 40), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(55, 40), kWhite);
    EXPECT_EQ(image.pixel(95, 90), qRgb(0, 0, 255));
}

TEST(QtDeviceContextTest, BitmapCopiesFromItsSourcePoint) {
    QImage image = WhiteImage(200, 100, 120);
    {
        QtDeviceContext dc(image);
        auto bitmap = dc.CreateCompatibleBitmap(50, 40);
        EXPECT_EQ(bitmap->HorzRes(), 50);
        EXPECT_EQ(bitmap->VertRes(), 40);
        EXPECT_EQ(bitmap->LogPixelsX(), 120);
        bitmap->FillRect({10, 10, 20, 20}, Rgb(0, 0, 200));
        // The bitmap's (10, 10) lands at (110, 0).
        dc.BlockCopy({100, 0, 130, 30}, *bitmap, {10, 10});
    }
    EXPECT_EQ(image.pixel(100, 0), qRgb(0, 0, 200));
    EXPECT_EQ(image.pixel(109, 9), qRgb(0, 0, 200));
    EXPECT_EQ(image.pixel(110, 10), kWhite);
    EXPECT_EQ(image.pixel(99, 0), kWhite);
    EXPECT_EQ(image.pixel(130, 0), kWhite);
}

TEST(QtDeviceContextTest, PageCapsDescribeTheSheet) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPdfWriter writer(dir.filePath("page.pdf"));
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(10, 15, 10, 15), QPageLayout::Millimeter));
    const DeviceCaps caps = QtDeviceContext::PageCaps(writer);
    EXPECT_TRUE(caps.printing);
    EXPECT_EQ(caps.logPixelsX, 600);
    // Qt keeps page geometry in whole points, so each figure may be up to half a point
    // (600 / 72 / 2 = 4.2 units) off the exact one.
    // A4 is 210 × 297 mm: 210 / 25.4 × 600 = 4960.6, 297 / 25.4 × 600 = 7015.7.
    EXPECT_NEAR(caps.physicalWidth, 4961, 5);
    EXPECT_NEAR(caps.physicalHeight, 7016, 5);
    // 10 mm = 236.2 units, 15 mm = 354.3; the margins are equal on both sides, so the
    // printable area is the sheet less twice the offset.
    EXPECT_NEAR(caps.physicalOffsetX, 236, 5);
    EXPECT_NEAR(caps.physicalOffsetY, 354, 5);
    EXPECT_NEAR(caps.horzRes, caps.physicalWidth - 2 * caps.physicalOffsetX, 1);
    EXPECT_NEAR(caps.vertRes, caps.physicalHeight - 2 * caps.physicalOffsetY, 1);

    QPainter painter(&writer);
    QtDeviceContext dc(painter, caps);
    EXPECT_NEAR(dc.HimetricToLogicalX(1000), caps.physicalOffsetX, 5);
    dc.DrawText(0, 0, u"Page 1");
    EXPECT_GT(dc.TextExtent(u"Page 1").width, 0);
}

TEST(QtDeviceContextTest, AnUnusableImageDrawsNothingAndDoesNotFail) {
    QImage none;
    QtDeviceContext dc(none);
    dc.FillRect({0, 0, 10, 10}, Rgb(0, 0, 0));
    dc.DrawText(0, 0, u"x");
    dc.SelectFont(u"", INT_MAX);
    EXPECT_GT(dc.TextExtent(u"x").height, 0);
    auto bitmap = dc.CreateCompatibleBitmap(-5, 0);
    EXPECT_EQ(bitmap->HorzRes(), 1);
    dc.BlockCopy({0, 0, 10, 10}, *bitmap, {0, 0});
}

} // namespace
