// SPDX-License-Identifier: GPL-3.0-or-later
// Fills on the surface: right and bottom edges left out, polygons filled and
// outlined, and the boxes' faces and slanted shapes filled pixel for pixel as
// QPainter fills them.
#include <gtest/gtest.h>

#include "chart_qt/polygon_rows.h"
#include "qpainter_surface_test_support.h"

namespace {

TEST_F(QPainterSurfaceTest, FillRectAndRectangleLeaveOutTheRightAndBottomEdge) {
  Surface.FillRect(TRect{2, 3, 7, 9}, clRed);
  EXPECT_EQ(InkBounds(), (TRect{2, 3, 7, 9}));
  EXPECT_EQ(InkCount(), 5 * 6);

  SetUp();
  UsePen(clBlack);
  Surface.SetBrush(TSurfaceBrush{clBlue, TBrushStyle::Solid});
  Surface.Rectangle(TRect{10, 10, 20, 16});
  EXPECT_EQ(InkBounds(), (TRect{10, 10, 20, 16}));
  EXPECT_EQ(At(10, 10), qRgb(0, 0, 0));
  EXPECT_EQ(At(19, 15), qRgb(0, 0, 0));
  EXPECT_EQ(At(11, 11), qRgb(0, 0, 255));
  EXPECT_EQ(At(18, 14), qRgb(0, 0, 255));

  // Without an outline the filled part is one pixel smaller each way.
  SetUp();
  UsePen(clBlack, TPenStyle::Clear);
  Surface.Rectangle(TRect{10, 10, 20, 16});
  EXPECT_EQ(InkBounds(), (TRect{10, 10, 19, 15}));
}

TEST_F(QPainterSurfaceTest, PolygonIsFilledAndOutlined) {
  UsePen(clBlack);
  Surface.SetBrush(TSurfaceBrush{clRed, TBrushStyle::Solid});
  Surface.Polygon({{4, 4}, {14, 4}, {14, 12}, {4, 12}});
  EXPECT_EQ(InkBounds(), (TRect{4, 4, 15, 13}));  // the outline takes in every corner
  EXPECT_EQ(At(9, 8), qRgb(255, 0, 0));
  EXPECT_EQ(At(14, 12), qRgb(0, 0, 0));

  SetUp();
  UsePen(clBlack, TPenStyle::Clear);
  Surface.Polygon({{4, 4}, {14, 4}, {14, 12}, {4, 12}});
  EXPECT_EQ(InkBounds(), (TRect{4, 4, 14, 12}));

  SetUp();  // a clear brush leaves the inside alone
  UsePen(clBlack);
  Surface.SetBrush(TSurfaceBrush{clRed, TBrushStyle::Clear});
  Surface.Polygon({{4, 4}, {14, 4}, {14, 12}, {4, 12}});
  EXPECT_FALSE(Ink(9, 8));
}

// A polygon whose corners lie on one line (a bar of no width seen from the
// front) fills nothing: only its outline shows, as QPainter would draw it.
TEST_F(QPainterSurfaceTest, PolygonOnOneLineShowsOnlyItsOutline) {
  Surface.SetBrush(TSurfaceBrush{clRed, TBrushStyle::Solid});
  UsePen(clBlue);
  Surface.Polygon({{10, 30}, {10, 5}, {10, 5}, {10, 30}});
  Surface.Polygon({{20, 30}, {30, 20}, {40, 10}, {25, 25}});
  int Red = 0;
  for (int Y = 0; Y < 40; ++Y) {
    for (int X = 0; X < 60; ++X) Red += At(X, Y) == qRgb(255, 0, 0) ? 1 : 0;
  }
  EXPECT_EQ(Red, 0);
  EXPECT_EQ(At(10, 17), qRgb(0, 0, 255));
  EXPECT_EQ(At(30, 20), qRgb(0, 0, 255));
  UsePen(clBlack, TPenStyle::Clear);
  Surface.Polygon({{10, 10}, {30, 10}, {30, 30}, {10, 30}});
  EXPECT_EQ(At(20, 20), qRgb(255, 0, 0)) << "a polygon with an area is filled";
}

// The faces of the chart's boxes (rectangles, and the top and side faces that
// go 45 degrees into the depth) are filled by the surface itself: every pixel
// must be the one QPainter fills, with and without a slanted clip, whatever
// corner the outline starts at and whichever way it runs.
TEST(QPainterSurfaceFaces, FillTheVeryPixelsQPainterFills) {
  TQPainterSurface Surface{ProgramChartFonts()};
  Surface.EnsureImageSize(120, 100);
  const std::vector<TPoint> Clip{{5, 95}, {5, 20}, {25, 4}, {115, 4}, {115, 80}, {95, 95}};
  TPick Pick(7);
  for (int Case = 0; Case < 900; ++Case) {
    SCOPED_TRACE(Case);
    const int L = Pick(-10, 100), T = Pick(-5, 105), W = Pick(1, 40), H = Pick(1, 60), D = Pick(1, 25);
    std::vector<TPoint> Face;
    switch (Case % 3) {
      case 0: Face = {{L, T}, {L + W, T}, {L + W, T + H}, {L, T + H}}; break;
      case 1: Face = {{L, T}, {L + W, T}, {L + W + D, T - D}, {L + D, T - D}}; break;
      default: Face = {{L, T}, {L + D, T - D}, {L + D, T + H - D}, {L, T + H}}; break;
    }
    std::rotate(Face.begin(), Face.begin() + Pick(0, 3), Face.end());
    if (Pick(0, 1) == 1) std::reverse(Face.begin(), Face.end());
    const bool Clipped = (Case / 3) % 2 == 1;

    const std::vector<TPoint>* ClipUsed = Clipped ? &Clip : nullptr;
    ASSERT_EQ(SurfaceFill(Surface, 120, 100, Face, ClipUsed), QPainterFill(120, 100, Face, ClipUsed));
  }
}

// Slanted shapes (the pieces of the line's ribbon, and any other outline) are
// filled by the surface itself while their corners lie in the columns of the
// box QPainter rasterizes in: every pixel must be the one QPainter fills,
// steep or flat, crossing itself or not, with and without a slanted clip,
// running above or below the box or not; shapes that leave it to the side go
// to QPainter.
TEST(QPainterSurfaceFaces, SlantedShapesFillTheVeryPixelsQPainterFills) {
  TQPainterSurface Surface{ProgramChartFonts()};
  constexpr int Width = 120, Height = 100;
  Surface.EnsureImageSize(Width, Height);
  const std::vector<TPoint> Clip{{5, 95}, {5, 20}, {25, 4}, {115, 4}, {115, 80}, {95, 95}};
  TPick Pick(11);
  int Fitting = 0;
  constexpr int Cases = 3000;
  // Pieces that start far above the image (a value far off the axis): only
  // the last rows show, and they must sit where QPainter puts them.
  const std::vector<std::vector<TPoint>> FarOff{{{10, -100000}, {40, 90}, {50, 80}, {20, -100010}},
                                                {{110, 300000}, {3, 7}, {13, -3}, {119, 299990}},
                                                {{60, -40000000}, {61, 95}, {71, 85}, {70, -40000010}}};
  for (int Case = 0; Case < Cases + static_cast<int>(FarOff.size()); ++Case) {
    SCOPED_TRACE(Case);
    std::vector<TPoint> Shape;
    switch (Case >= Cases ? -1 : Case % 4) {
      case -1:
        Shape = FarOff[static_cast<size_t>(Case - Cases)];
        break;
      case 0: {  // a ribbon piece: a slanted edge pushed into the depth
        const TPoint A{Pick(0, 119), Pick(0, 99)}, B{A.X + Pick(0, 30), Pick(0, 99)};
        const int D = Pick(1, 20);
        Shape = {A, B, {B.X + D, B.Y - D}, {A.X + D, A.Y - D}};
        break;
      }
      case 1:  // a triangle
        Shape = {{Pick(0, 119), Pick(0, 99)}, {Pick(0, 119), Pick(0, 99)}, {Pick(0, 119), Pick(0, 99)}};
        break;
      case 2: {  // a narrow steep or flat sliver
        const TPoint A{Pick(0, 119), Pick(0, 99)};
        const bool Steep = Pick(0, 1) == 1;
        const TPoint B = Steep ? TPoint{A.X + Pick(-3, 3), Pick(0, 99)} : TPoint{Pick(0, 119), A.Y + Pick(-3, 3)};
        const int D = Pick(1, 4);
        Shape = {A, B, {B.X + D, B.Y - D}, {A.X + D, A.Y - D}};
        break;
      }
      default:  // any outline of up to eight corners, crossing itself or not
        for (int I = Pick(4, 8); I > 0; --I) Shape.push_back({Pick(0, 119), Pick(0, 99)});
        break;
    }
    // Some go past the image or the clip, to the left or below.
    if (Case < Cases && Case % 7 == 0) {
      for (TPoint& P : Shape) P.X -= 20;
    } else if (Case < Cases && Case % 7 == 1) {
      for (TPoint& P : Shape) P.Y += 30;
    }
    std::rotate(Shape.begin(), Shape.begin() + Pick(0, static_cast<int>(Shape.size()) - 1), Shape.end());
    if (Pick(0, 1) == 1) std::reverse(Shape.begin(), Shape.end());
    const bool Clipped = (Case / 4) % 2 == 1;
    Fitting += PolygonRowsFit(Shape, Clipped ? 5 : 0, Clipped ? 114 : Width - 1) ? 1 : 0;

    const std::vector<TPoint>* ClipUsed = Clipped ? &Clip : nullptr;
    ASSERT_EQ(SurfaceFill(Surface, Width, Height, Shape, ClipUsed), QPainterFill(Width, Height, Shape, ClipUsed));
  }
  // Most shapes took the surface's own fill.
  EXPECT_GT(Fitting, Cases / 2);
}

}  // namespace
