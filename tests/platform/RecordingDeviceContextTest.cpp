#include <gtest/gtest.h>

#include <climits>

#include "platform/RecordingDeviceContext.h"

namespace {

TEST(HimetricTest, ConvertsThroughTheResolution) {
    RecordingDeviceContext screen(DeviceCaps::Screen(800, 600, 96));
    // 100 × 96 / 2540 = 3.78 → 4; 50 → 1.89 → 2; 250 → 9.45 → 9; 2540 → 96 exactly.
    EXPECT_EQ(screen.HimetricToLogicalX(100), 4);
    EXPECT_EQ(screen.HimetricToLogicalX(50), 2);
    EXPECT_EQ(screen.HimetricToLogicalX(250), 9);
    EXPECT_EQ(screen.HimetricToLogicalY(2540), 96);
    EXPECT_EQ(screen.HimetricToLogicalX(-100), -4);

    DeviceCaps caps = DeviceCaps::Screen(4000, 6000, 600);
    caps.logPixelsX = 300;
    RecordingDeviceContext printer(caps);
    // Across at 300: 100 × 300 / 2540 = 11.81 → 12. Down at 600: 23.62 → 24; 250 → 59.06 → 59.
    EXPECT_EQ(printer.HimetricToLogicalX(100), 12);
    EXPECT_EQ(printer.HimetricToLogicalY(100), 24);
    EXPECT_EQ(printer.HimetricToLogicalY(250), 59);
    EXPECT_EQ(printer.HimetricToLogicalY(2540), 600);
}

TEST(HimetricTest, HugeValuesSaturate) {
    RecordingDeviceContext dc(DeviceCaps::Screen(10, 10, 100000));
    EXPECT_EQ(dc.HimetricToLogicalX(INT_MAX), INT_MAX);
    EXPECT_EQ(dc.HimetricToLogicalY(INT_MIN), INT_MIN);
}

TEST(RecordingDeviceContextTest, FixedMetricsScaleWithSizeAndResolution) {
    RecordingDeviceContext dc;
    // 10 pt at 96: 8 × 16 a character.
    EXPECT_EQ(dc.TextExtent(u"Total"), (Size{40, 16}));
    EXPECT_EQ(dc.TextExtent(u""), (Size{0, 16}));
    dc.SelectFont(u"Times New Roman", 200);
    EXPECT_EQ(dc.TextExtent(u"ab"), (Size{32, 32}));
    // 12 pt: 8 × 1.2 = 9.6 → 10 wide, 16 × 1.2 = 19.2 → 19 high.
    dc.SelectFont(u"Times New Roman", 120);
    EXPECT_EQ(dc.TextExtent(u"abc"), (Size{30, 19}));

    // 10 pt at 600: 8 × 600 / 96 = 50, 16 × 600 / 96 = 100.
    RecordingDeviceContext printer(DeviceCaps::Screen(4000, 6000, 600));
    EXPECT_EQ(printer.TextExtent(u"x"), (Size{50, 100}));
}

TEST(RecordingDeviceContextTest, RecordsTextWithPlacementAndState) {
    RecordingDeviceContext dc;
    dc.SelectFont(u"Arial", 100, 700);
    dc.SetTextColour(Rgb(200, 0, 0));
    dc.SetBackColour(Rgb(205, 205, 205));
    dc.DrawText(200, 30, u"Jan", Align::Right, Rect{150, 30, 200, 50});
    dc.SetBackTransparent();
    dc.DrawText(100, 60, u"Total", Align::Centre);
    dc.DrawText(10, 90, u"Income");

    const DrawOp* jan = dc.FindText(u"Jan");
    ASSERT_NE(jan, nullptr);
    // Right-aligned: 3 × 8 = 24 wide, ending at x = 200.
    EXPECT_EQ(jan->rect, (Rect{176, 30, 200, 46}));
    EXPECT_EQ(jan->point, (Point{200, 30}));
    EXPECT_EQ(jan->align, Align::Right);
    EXPECT_EQ(jan->font, (Font{u"Arial", 100, 700, 0}));
    EXPECT_EQ(jan->textColour, Rgb(200, 0, 0));
    EXPECT_EQ(jan->backColour, Rgb(205, 205, 205));
    EXPECT_EQ(jan->clip, (Rect{150, 30, 200, 50}));

    const DrawOp* total = dc.FindText(u"Total");
    ASSERT_NE(total, nullptr);
    // Centred: 40 wide, half of it left of x = 100.
    EXPECT_EQ(total->rect, (Rect{80, 60, 120, 76}));
    EXPECT_FALSE(total->backColour.has_value());
    EXPECT_FALSE(total->clip.has_value());

    EXPECT_EQ(dc.FindText(u"Income")->rect, (Rect{10, 90, 58, 106}));
    EXPECT_EQ(dc.FindText(u"Expenses"), nullptr);
    EXPECT_EQ(dc.OfKind(DrawOp::Kind::Text).size(), 3u);
}

TEST(RecordingDeviceContextTest, UpwardTextStandsOnItsReferencePoint) {
    RecordingDeviceContext dc;
    const Font previous = dc.SelectFont(u"Arial", 100, 400, 900);
    dc.DrawText(10, 100, u"2000");
    // 32 long and 16 high, turned anticlockwise: it rises from y = 100 to 68 and lies right of x.
    EXPECT_EQ(dc.FindText(u"2000")->rect, (Rect{10, 68, 26, 100}));
    EXPECT_EQ(dc.TextExtent(u"2000"), (Size{32, 16}));
    dc.SelectFont(previous);
    EXPECT_EQ(dc.CurrentFont().escapement, 0);
}

TEST(RecordingDeviceContextTest, RecordsShapesWithPenBrushAndClip) {
    RecordingDeviceContext dc;
    dc.SelectPen(Rgb(170, 170, 170));
    dc.SelectBrush(Rgb(230, 230, 230));
    dc.SetClip({0, 0, 100, 100});
    dc.RoundRect({10, 20, 60, 40}, 9, 9);
    dc.ResetClip();
    dc.SelectNullPen();
    dc.SelectNullBrush();
    dc.Ellipse({50, 50, 40, 40}); // given back to front
    dc.SelectPen(Rgb(0, 0, 255), 2);
    dc.Line(5, 6, 7, 8);
    dc.FillRect({1, 2, 3, 4}, Rgb(1, 2, 3));

    const auto& ops = dc.Operations();
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[0].kind, DrawOp::Kind::RoundRect);
    EXPECT_EQ(ops[0].corner, (Size{9, 9}));
    EXPECT_EQ(ops[0].pen, (DrawOp::Pen{Rgb(170, 170, 170), 0}));
    EXPECT_EQ(ops[0].brush, Rgb(230, 230, 230));
    EXPECT_EQ(ops[0].deviceClip, (Rect{0, 0, 100, 100}));

    EXPECT_EQ(ops[1].kind, DrawOp::Kind::Ellipse);
    EXPECT_EQ(ops[1].rect, (Rect{40, 40, 50, 50}));
    EXPECT_FALSE(ops[1].pen.has_value());
    EXPECT_FALSE(ops[1].brush.has_value());
    EXPECT_FALSE(ops[1].deviceClip.has_value());

    EXPECT_EQ(ops[2].point, (Point{5, 6}));
    EXPECT_EQ(ops[2].end, (Point{7, 8}));
    EXPECT_EQ(ops[2].pen, (DrawOp::Pen{Rgb(0, 0, 255), 2}));

    EXPECT_EQ(ops[3].fill, Rgb(1, 2, 3));
    EXPECT_EQ(ops[3].rect, (Rect{1, 2, 3, 4}));
}

TEST(RecordingDeviceContextTest, BitmapsShareTheLogAndCopiesNameTheirSource) {
    RecordingDeviceContext window(DeviceCaps::Screen(640, 480, 120));
    auto back = window.CreateCompatibleBitmap(300, 200);
    EXPECT_EQ(back->HorzRes(), 300);
    EXPECT_EQ(back->VertRes(), 200);
    EXPECT_EQ(back->LogPixelsY(), 120);
    EXPECT_FALSE(back->IsPrinting());
    // The bitmap starts in the default state, whatever the window had selected.
    window.SetTextColour(Rgb(9, 9, 9));
    back->DrawText(3, 4, u"Heading");
    window.BlockCopy({0, 0, 300, 200}, *back, {0, 0});

    const auto& ops = window.Operations();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].surface, 1);
    EXPECT_EQ(ops[0].textColour, Rgb(0, 0, 0));
    EXPECT_EQ(ops[1].kind, DrawOp::Kind::BlockCopy);
    EXPECT_EQ(ops[1].surface, 0);
    EXPECT_EQ(ops[1].sourceSurface, 1);
    EXPECT_EQ(ops[1].rect, (Rect{0, 0, 300, 200}));
}

TEST(ColourTest, HoldsRedInTheLowByte) {
    EXPECT_EQ(Rgb(200, 0, 0), 0x0000C8u);
    EXPECT_EQ(Rgb(1, 2, 3), 0x030201u);
    EXPECT_EQ(RedOf(0x030201u), 1);
    EXPECT_EQ(GreenOf(0x030201u), 2);
    EXPECT_EQ(BlueOf(0x030201u), 3);
}

} // namespace
