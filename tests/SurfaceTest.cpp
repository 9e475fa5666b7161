#include <gtest/gtest.h>

#include "platform/Surface.h"

namespace {

// A 4 x 4 sprite with its mask below it: a diagonal of two colours.
Surface SpriteSheet() {
    Surface sheet(4, 8);
    sheet.SetBackColour(0);
    for (int y = 4; y < 8; ++y)
        for (int x = 0; x < 4; ++x) sheet.SetPixel(x, y, 0xFFFFFF);
    for (int i = 0; i < 4; ++i) {
        sheet.SetPixel(i, i, i % 2 ? RGB(200, 10, 10) : RGB(10, 200, 10));
        sheet.SetPixel(i, 4 + i, 0);
    }
    return sheet;
}

bool AllBlack(const Surface& s) {
    for (uint32_t p : s.Pixels())
        if (p != 0) return false;
    return true;
}

} // namespace

TEST(Surface, RasterOpsFollowTheirTruthTables) {
    Surface src(1, 1), dst(1, 1);
    src.SetPixel(0, 0, 0x0F0F0F);
    dst.SetPixel(0, 0, 0x3C3C3C);
    BitBlt(dst, 0, 0, 1, 1, src, 0, 0, RasterOp::SrcAnd);
    EXPECT_EQ(dst.Pixel(0, 0), 0x0C0C0Cu);
    BitBlt(dst, 0, 0, 1, 1, src, 0, 0, RasterOp::SrcPaint);
    EXPECT_EQ(dst.Pixel(0, 0), 0x0F0F0Fu);
    dst.SetPixel(0, 0, 0x123456);
    BitBlt(dst, 0, 0, 1, 1, src, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(dst.Pixel(0, 0), 0x0F0F0Fu);
}

TEST(Surface, SpriteDrawnAndErasedAnywhereLeavesBlack) {
    const Surface sheet = SpriteSheet();
    // Inside, and across every edge of the destination (clipped).
    const int places[][2] = {{3, 3}, {-2, 0}, {0, -3}, {8, 2}, {2, 8}, {-3, -3}, {9, 9}, {100, 100}, {-100, 5}};
    for (const auto& p : places) {
        Surface field(10, 10);
        BitBlt(field, p[0], p[1], 4, 4, sheet, 0, 4, RasterOp::SrcAnd);
        BitBlt(field, p[0], p[1], 4, 4, sheet, 0, 0, RasterOp::SrcPaint);
        BitBlt(field, p[0], p[1], 4, 4, sheet, 0, 4, RasterOp::SrcAnd);
        EXPECT_TRUE(AllBlack(field)) << p[0] << "," << p[1];
    }
}

TEST(Surface, BlitReadsNothingOutsideTheSource) {
    const Surface sheet = SpriteSheet();
    Surface field(6, 6);
    field.SetBackColour(RGB(1, 2, 3));
    // Source rectangle hanging off the sheet's right and bottom: only the overlap is copied.
    BitBlt(field, 0, 0, 6, 6, sheet, 2, 5, RasterOp::SrcCopy);
    EXPECT_EQ(field.Pixel(0, 0), sheet.Pixel(2, 5));
    EXPECT_EQ(field.Pixel(2, 0), RGB(1, 2, 3));
    EXPECT_EQ(field.Pixel(0, 3), RGB(1, 2, 3));
    BitBlt(field, 0, 0, 6, 6, sheet, -10, -10, RasterOp::SrcCopy); // entirely outside
    EXPECT_EQ(field.Pixel(5, 5), RGB(1, 2, 3));
}

TEST(Surface, ShapesRedrawnInBlackEraseThemselves) {
    Surface field(40, 40);
    field.SetFillColour(RGB(50, 60, 70));
    field.Circle(20, 20, 9, RGB(255, 255, 255));
    field.Circle(38, 2, 6, RGB(255, 0, 0)); // across two edges
    field.Line(-5, 3, 45, 30, RGB(0, 255, 0));
    field.OutlineBox(5, 5, 15, 12, RGB(0, 0, 255));
    field.FillBoxSized(30, 30, 20, 20, RGB(9, 9, 9));
    EXPECT_EQ(field.Pixel(20, 20), RGB(50, 60, 70)); // filled with the fill colour
    EXPECT_EQ(field.Pixel(29, 20), RGB(255, 255, 255)); // outlined in its colour
    field.SetFillColour(0);
    field.Circle(20, 20, 9, 0);
    field.Circle(38, 2, 6, 0);
    field.Line(-5, 3, 45, 30, 0);
    field.OutlineBox(5, 5, 15, 12, 0);
    field.FillBoxSized(30, 30, 20, 20, 0);
    EXPECT_TRUE(AllBlack(field));
}

TEST(Surface, PenModesMergeTheColour) {
    Surface s(3, 1);
    s.SetBackColour(RGB(0x10, 0x00, 0x00));
    s.SetPenMode(PenMode::MergePen);
    s.Plot(0, 0, RGB(0x01, 0x02, 0x03));
    EXPECT_EQ(s.Pixel(0, 0), RGB(0x11, 0x02, 0x03));
    s.SetPenMode(PenMode::MergeNotPen);
    s.Plot(1, 0, RGB(0xFF, 0xFF, 0x00));
    EXPECT_EQ(s.Pixel(1, 0), RGB(0x10, 0x00, 0xFF));
    s.SetPenMode(PenMode::CopyPen);
    s.Plot(2, 0, RGB(1, 1, 1));
    EXPECT_EQ(s.Pixel(2, 0), RGB(1, 1, 1));
}

TEST(Surface, BackColourRepaintsAndClearRestoresTheBackgroundPicture) {
    Surface s(4, 4);
    s.SetPixel(1, 1, 0xFFFFFF);
    s.SetBackColour(RGB(0, 0, 255));
    for (uint32_t p : s.Pixels()) EXPECT_EQ(p, RGB(0, 0, 255));
    Surface picture(2, 2);
    picture.SetBackColour(RGB(9, 9, 9));
    s.SetBackgroundPicture(picture);
    s.SetPixel(3, 3, 0xFFFFFF);
    s.Clear();
    EXPECT_EQ(s.Pixel(0, 0), RGB(9, 9, 9));
    EXPECT_EQ(s.Pixel(3, 3), 0u); // beyond the picture: black
    s.ClearBackgroundPicture();
    s.Clear();
    EXPECT_EQ(s.Pixel(0, 0), RGB(0, 0, 255));
}

TEST(Surface, StretchScalesAndMirrors) {
    Surface src(2, 1);
    src.SetPixel(0, 0, 1);
    src.SetPixel(1, 0, 2);
    Surface dst(4, 1);
    StretchBlt(dst, 0, 0, 4, 1, src, 0, 0, 2, 1, RasterOp::SrcCopy);
    EXPECT_EQ(dst.Pixel(0, 0), 1u);
    EXPECT_EQ(dst.Pixel(1, 0), 1u);
    EXPECT_EQ(dst.Pixel(2, 0), 2u);
    StretchBlt(dst, 4, 0, -4, 1, src, 0, 0, 2, 1, RasterOp::SrcCopy);
    EXPECT_EQ(dst.Pixel(0, 0), 2u);
    EXPECT_EQ(dst.Pixel(3, 0), 1u);
}
