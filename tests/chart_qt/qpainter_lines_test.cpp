// SPDX-License-Identifier: GPL-3.0-or-later
// Lines and pens on the surface: line ends left out, dotted pens in phase,
// the inverting pen, steep and wide lines set the very pixels expected.
#include <gtest/gtest.h>

#include "qpainter_surface_test_support.h"

namespace {

TEST_F(QPainterSurfaceTest, LinesLeaveOutTheirEndPoint) {
  UsePen(clBlack);
  Surface.MoveTo(5, 5);
  Surface.LineTo(15, 5);
  EXPECT_EQ(InkBounds(), (TRect{5, 5, 15, 6}));
  // Upwards and to the left as well: the start is drawn, the end is not.
  SetUp();
  Surface.MoveTo(20, 30);
  Surface.LineTo(10, 10);
  EXPECT_TRUE(Ink(20, 30));
  EXPECT_FALSE(Ink(10, 10));
  EXPECT_EQ(InkCount(), 20);  // one pixel per step along the longer side

  SetUp();
  Surface.Polyline({{2, 2}, {12, 2}, {12, 9}});
  EXPECT_EQ(InkBounds(), (TRect{2, 2, 13, 9}));
  EXPECT_EQ(InkCount(), 10 + 7);
}

TEST_F(QPainterSurfaceTest, DottedPenSetsEveryOtherPixel) {
  UsePen(clGray, TPenStyle::Dot);
  Surface.MoveTo(0, 4);
  Surface.LineTo(20, 4);
  for (int X = 0; X < 20; ++X) EXPECT_EQ(Ink(X, 4), X % 2 == 0) << X;

  // Opaque background fills the gaps with the background colour.
  Surface.SetBackground(TBackgroundMode::Opaque, clRed);
  Surface.MoveTo(0, 6);
  Surface.LineTo(6, 6);
  EXPECT_EQ(At(0, 6), qRgb(128, 128, 128));
  EXPECT_EQ(At(1, 6), qRgb(255, 0, 0));
}

TEST_F(QPainterSurfaceTest, InvertingPenDrawnTwiceLeavesNothing) {
  Surface.FillRect(TRect{0, 0, 30, 40}, RGB(240, 240, 240));
  const QImage Before = Surface.Image().copy();
  UsePen(RGB(240, 240, 240), TPenStyle::Solid, TPenMode::NotXor);
  Surface.SetBrush(TSurfaceBrush{clWhite, TBrushStyle::Clear});
  Surface.Rectangle(TRect{25, 30, 5, 8});  // corners in any order
  EXPECT_EQ(At(5, 8), qRgb(255, 255, 255));    // on the panel colour: white
  EXPECT_EQ(At(40, 29), qRgb(255, 255, 255));  // not touched
  EXPECT_EQ(At(24, 29), qRgb(255, 255, 255));
  EXPECT_EQ(At(15, 20), qRgb(240, 240, 240));  // hollow: the inside is kept
  Surface.Rectangle(TRect{5, 8, 25, 30});
  EXPECT_EQ(Surface.Image(), Before);

  // Across the white part it shows in the panel colour.
  Surface.Rectangle(TRect{20, 2, 50, 20});
  EXPECT_EQ(At(49, 10), qRgb(240, 240, 240));
}

// Steep lines inside the image are written run by run down their columns:
// every pixel must be the one the pixel-by-pixel line sets, which a clip with
// a notch (no quick test of a line's box against it) makes the surface use.
TEST(QPainterSurfaceLines, SteepLinesSetThePixelsOfThePixelByPixelLine) {
  const std::vector<TPoint> Notched{{0, 0}, {160, 0}, {160, 110}, {150, 120}, {140, 110}, {0, 110}};
  TQPainterSurface ByRuns{ProgramChartFonts()}, ByPixels{ProgramChartFonts()};
  for (TQPainterSurface* Surface : {&ByRuns, &ByPixels}) {
    Surface->EnsureImageSize(160, 120);
    Surface->FillRect(TRect{0, 0, 160, 120}, clWhite);
  }
  ByPixels.SetClipPolygon(Notched);
  TPick Pick(17);
  for (int Line = 0; Line < 600; ++Line) {
    // Nearly upright to nearly diagonal, up and down, left and right.
    const int Rows = Pick(2, 105);
    const int Columns = Pick(1, std::min(Rows - 1, Line % 3 == 0 ? 3 : 60));
    const TPoint A{Pick(0, 159), Pick(0, 109)};
    const TPoint B{A.X + (Line % 2 == 0 ? Columns : -Columns), A.Y + (Line % 4 < 2 ? Rows : -Rows)};
    if (B.X < 0 || B.X > 159 || B.Y < 0 || B.Y > 109) continue;
    for (TQPainterSurface* Surface : {&ByRuns, &ByPixels}) {
      const auto Color = static_cast<TColor>(RGB(Line % 250, 100, 255 - Line % 250));
      Surface->SetPen(TSurfacePen{Color, 1, TPenStyle::Solid, TPenMode::Copy});
      Surface->MoveTo(A.X, A.Y);
      Surface->LineTo(B.X, B.Y);
    }
  }
  ByRuns.Present();
  ByPixels.Present();
  int Wrong = 0, Inked = 0;
  for (int Y = 0; Y < 110; ++Y) {
    for (int X = 0; X < 160; ++X) {
      Wrong += ByRuns.Image().pixel(X, Y) != ByPixels.Image().pixel(X, Y) ? 1 : 0;
      Inked += ByRuns.Image().pixel(X, Y) != qRgb(255, 255, 255) ? 1 : 0;
    }
  }
  EXPECT_EQ(Wrong, 0);
  EXPECT_GT(Inked, 3000);
}

// Wide level and upright lines (the axes) are filled by the surface itself:
// every pixel must be the one QPainter's wide flat-ended pen sets, for any
// width, either way along, with and without a slanted clip.
TEST(QPainterSurfaceClip, WideAxisLinesSetTheVeryPixelsQPainterSets) {
  const std::vector<TPoint> Clip{{5, 95}, {5, 20}, {25, 4}, {115, 4}, {115, 80}, {95, 95}};
  QPolygon ClipOutline;
  for (const TPoint& P : Clip) ClipOutline << QPoint(P.X, P.Y);
  TPick Pick(3);
  TQPainterSurface Surface{ProgramChartFonts()};
  Surface.EnsureImageSize(120, 100);
  for (int Case = 0; Case < 600; ++Case) {
    SCOPED_TRACE(Case);
    const int Width = Pick(2, 7);
    const TPoint A{Pick(-10, 129), Pick(-10, 109)};
    const int Length = Pick(1, 80) * (Pick(0, 1) == 1 ? 1 : -1);
    const TPoint B = Case % 2 == 0 ? TPoint{A.X + Length, A.Y} : TPoint{A.X, A.Y + Length};
    const bool Clipped = (Case / 2) % 2 == 1;

    Surface.ClearClip();
    Surface.FillRect(TRect{0, 0, 120, 100}, Paper);
    if (Clipped) Surface.SetClipPolygon(Clip);
    Surface.SetPen(TSurfacePen{clBlue, Width, TPenStyle::Solid, TPenMode::Copy});
    Surface.MoveTo(A.X, A.Y);
    Surface.LineTo(B.X, B.Y);
    Surface.Present();

    QImage Expected(120, 100, QImage::Format_RGB32);
    Expected.fill(Qt::white);
    QPainter Painter(&Expected);
    Painter.setRenderHint(QPainter::Antialiasing, false);
    if (Clipped) Painter.setClipRegion(QRegion(ClipOutline, Qt::OddEvenFill));
    QPen Pen(QColor(0, 0, 255));
    Pen.setWidth(Width);
    Pen.setCapStyle(Qt::FlatCap);
    Pen.setJoinStyle(Qt::MiterJoin);
    Painter.setPen(Pen);
    Painter.drawLine(A.X, A.Y, B.X, B.Y);
    Painter.end();
    ASSERT_EQ(Surface.Image(), Expected);
  }
}

// Dotted level lines (the chart's grid) in either direction: the dots stay
// an even number of pixels from the start, the end is left out, and a clip of
// two spans per row keeps both the dots and the opaque gaps.
TEST(QPainterSurfaceClip, DottedLevelLinesKeepTheirPhaseAndTheClip) {
  TQPainterSurface Surface{ProgramChartFonts()};
  Surface.EnsureImageSize(120, 40);
  const std::vector<TPoint> Clip{{10, 2}, {50, 2}, {50, 20}, {70, 20}, {70, 2}, {110, 2}, {110, 38}, {10, 38}};
  QPolygon Outline;
  for (const TPoint& P : Clip) Outline << QPoint(P.X, P.Y);
  const QRegion Region(Outline, Qt::OddEvenFill);
  Surface.FillRect(TRect{0, 0, 120, 40}, clWhite);
  Surface.SetClipPolygon(Clip);
  Surface.SetPen(TSurfacePen{clBlack, 1, TPenStyle::Dot, TPenMode::Copy});
  struct TLine {
    int FromX, ToX, Y;
    bool Opaque;
  };
  const std::vector<TLine> Lines{{-7, 130, 4, false}, {115, 3, 8, true}, {11, 100, 12, true}, {98, 40, 30, false}};
  for (const TLine& L : Lines) {
    Surface.SetBackground(L.Opaque ? TBackgroundMode::Opaque : TBackgroundMode::Transparent, clRed);
    Surface.MoveTo(L.FromX, L.Y);
    Surface.LineTo(L.ToX, L.Y);
  }
  Surface.Present();
  int Wrong = 0;
  for (const TLine& L : Lines) {
    for (int X = 0; X < 120; ++X) {
      const bool OnLine = L.FromX < L.ToX ? X >= L.FromX && X < L.ToX : X <= L.FromX && X > L.ToX;
      QRgb Expected = qRgb(255, 255, 255);
      if (OnLine && Region.contains(QPoint(X, L.Y))) {
        if ((X - L.FromX) % 2 == 0) Expected = qRgb(0, 0, 0);
        else if (L.Opaque) Expected = qRgb(255, 0, 0);
      }
      Wrong += Surface.Image().pixel(X, L.Y) != Expected ? 1 : 0;
    }
  }
  EXPECT_EQ(Wrong, 0);
}

}  // namespace
