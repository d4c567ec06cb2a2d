// SPDX-License-Identifier: GPL-3.0-or-later
// The QPainter surface keeps the raster conventions the chart geometry is
// computed for: excluded right and bottom edges, line ends left out, dotted
// pens, the inverting pen, text reference points, rotation and clipping.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <random>

#include "chart_qt/chart_fonts.h"
#include "chart_qt/polygon_rows.h"
#include "chart_qt/qpainter_surface.h"
#include "platform/program_texts.h"

namespace {

constexpr TColor Paper = RGB(255, 255, 255);

// Whole numbers From..To drawn from a seeded generator: the same cases each run.
class TPick {
public:
  explicit TPick(unsigned Seed) : FRandom(Seed) {}
  int operator()(int From, int To) { return From + static_cast<int>(FRandom() % static_cast<unsigned>(To - From + 1)); }

private:
  std::mt19937 FRandom;
};

class QPainterSurfaceTest : public ::testing::Test {
protected:
  void SetUp() override {
    Surface.EnsureImageSize(60, 40);
    Surface.FillRect(TRect{0, 0, 60, 40}, Paper);
  }

  QRgb At(int X, int Y) const { return Surface.Image().pixel(X, Y); }
  bool Ink(int X, int Y) const { return At(X, Y) != qRgb(255, 255, 255); }
  // The pixels that are not paper, as a rectangle (Left, Top, Right, Bottom exclusive).
  TRect InkBounds() const {
    TRect R{1000, 1000, -1, -1};
    for (int Y = 0; Y < Surface.Image().height(); ++Y) {
      for (int X = 0; X < Surface.Image().width(); ++X) {
        if (!Ink(X, Y)) continue;
        R.Left = std::min(R.Left, X);
        R.Top = std::min(R.Top, Y);
        R.Right = std::max(R.Right, X + 1);
        R.Bottom = std::max(R.Bottom, Y + 1);
      }
    }
    return R;
  }
  int InkCount() const {
    int N = 0;
    for (int Y = 0; Y < Surface.Image().height(); ++Y) {
      for (int X = 0; X < Surface.Image().width(); ++X) N += Ink(X, Y) ? 1 : 0;
    }
    return N;
  }
  void UsePen(TColor Color, TPenStyle Style = psSolid, TPenMode Mode = TPenMode::Copy) {
    TSurfacePen Pen;
    Pen.Color = Color;
    Pen.Style = Style;
    Pen.Mode = Mode;
    Surface.SetPen(Pen);
  }

  TQPainterSurface Surface{ProgramChartFonts()};
};

TEST_F(QPainterSurfaceTest, ImageIsKeptWhileTheSizeStays) {
  const int Created = Surface.ImageCreations();
  Surface.FillRect(TRect{0, 0, 5, 5}, clRed);
  Surface.EnsureImageSize(60, 40);
  EXPECT_EQ(Surface.ImageCreations(), Created);
  EXPECT_EQ(At(2, 2), qRgb(255, 0, 0));  // content kept
  Surface.EnsureImageSize(61, 40);
  EXPECT_EQ(Surface.ImageCreations(), Created + 1);
  EXPECT_EQ(Surface.Image().width(), 61);
}

TEST_F(QPainterSurfaceTest, FillRectAndRectangleLeaveOutTheRightAndBottomEdge) {
  Surface.FillRect(TRect{2, 3, 7, 9}, clRed);
  EXPECT_EQ(InkBounds(), (TRect{2, 3, 7, 9}));
  EXPECT_EQ(InkCount(), 5 * 6);

  SetUp();
  UsePen(clBlack);
  Surface.SetBrush(TSurfaceBrush{clBlue, bsSolid});
  Surface.Rectangle(TRect{10, 10, 20, 16});
  EXPECT_EQ(InkBounds(), (TRect{10, 10, 20, 16}));
  EXPECT_EQ(At(10, 10), qRgb(0, 0, 0));
  EXPECT_EQ(At(19, 15), qRgb(0, 0, 0));
  EXPECT_EQ(At(11, 11), qRgb(0, 0, 255));
  EXPECT_EQ(At(18, 14), qRgb(0, 0, 255));

  // Without an outline the filled part is one pixel smaller each way.
  SetUp();
  UsePen(clBlack, psClear);
  Surface.Rectangle(TRect{10, 10, 20, 16});
  EXPECT_EQ(InkBounds(), (TRect{10, 10, 19, 15}));
}

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
  UsePen(clGray, psDot);
  Surface.MoveTo(0, 4);
  Surface.LineTo(20, 4);
  for (int X = 0; X < 20; ++X) EXPECT_EQ(Ink(X, 4), X % 2 == 0) << X;

  // Opaque background fills the gaps with the background colour.
  Surface.SetBackground(bkOpaque, clRed);
  Surface.MoveTo(0, 6);
  Surface.LineTo(6, 6);
  EXPECT_EQ(At(0, 6), qRgb(128, 128, 128));
  EXPECT_EQ(At(1, 6), qRgb(255, 0, 0));
}

TEST_F(QPainterSurfaceTest, PolygonIsFilledAndOutlined) {
  UsePen(clBlack);
  Surface.SetBrush(TSurfaceBrush{clRed, bsSolid});
  Surface.Polygon({{4, 4}, {14, 4}, {14, 12}, {4, 12}});
  EXPECT_EQ(InkBounds(), (TRect{4, 4, 15, 13}));  // the outline takes in every corner
  EXPECT_EQ(At(9, 8), qRgb(255, 0, 0));
  EXPECT_EQ(At(14, 12), qRgb(0, 0, 0));

  SetUp();
  UsePen(clBlack, psClear);
  Surface.Polygon({{4, 4}, {14, 4}, {14, 12}, {4, 12}});
  EXPECT_EQ(InkBounds(), (TRect{4, 4, 14, 12}));

  SetUp();  // a clear brush leaves the inside alone
  UsePen(clBlack);
  Surface.SetBrush(TSurfaceBrush{clRed, bsClear});
  Surface.Polygon({{4, 4}, {14, 4}, {14, 12}, {4, 12}});
  EXPECT_FALSE(Ink(9, 8));
}

TEST_F(QPainterSurfaceTest, InvertingPenDrawnTwiceLeavesNothing) {
  Surface.FillRect(TRect{0, 0, 30, 40}, RGB(240, 240, 240));
  const QImage Before = Surface.Image().copy();
  UsePen(RGB(240, 240, 240), psSolid, TPenMode::NotXor);
  Surface.SetBrush(TSurfaceBrush{clWhite, bsClear});
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

TEST_F(QPainterSurfaceTest, TextSitsOnItsReferencePoint) {
  TSurfaceFont Font;
  Font.Name = Texts().PGothicFace;
  Font.Height = 21;
  Font.Color = clBlue;
  Surface.EnsureImageSize(200, 200);
  Surface.FillRect(TRect{0, 0, 200, 200}, Paper);
  Surface.SetFont(Font);
  const std::string Text = Texts().ChartTitle;
  const TSize Size = Surface.TextExtent(Text);
  EXPECT_GT(Size.Width, 4 * 15);
  EXPECT_GE(Size.Height, 21);
  EXPECT_LE(Size.Height, 30);

  auto InkWithin = [&](TRect Box) {
    TRect Ink = InkBounds();
    EXPECT_GE(Ink.Left, Box.Left);
    EXPECT_GE(Ink.Top, Box.Top);
    EXPECT_LE(Ink.Right, Box.Right);
    EXPECT_LE(Ink.Bottom, Box.Bottom);
    EXPECT_GT(std::max(Ink.Width(), Ink.Height()), Size.Width * 3 / 4);  // really drawn
  };

  Surface.SetTextAlign(htaLeft, vtaTop);
  Surface.TextOut(20, 30, Text);
  InkWithin(TRect{20, 30, 20 + Size.Width, 30 + Size.Height});

  Surface.FillRect(TRect{0, 0, 200, 200}, Paper);
  Surface.SetTextAlign(htaRight, vtaBottom);
  Surface.TextOut(180, 100, Text);
  InkWithin(TRect{180 - Size.Width, 100 - Size.Height, 180, 100});

  Surface.FillRect(TRect{0, 0, 200, 200}, Paper);
  Surface.SetTextAlign(htaCenter, vtaTop);
  Surface.TextOut(100, 10, Text);
  InkWithin(TRect{100 - Size.Width / 2 - 1, 10, 100 + Size.Width / 2 + 1, 10 + Size.Height});

  // Turned 90 degrees counter-clockwise about the reference point: it reads upward.
  Font.Escapement = 900;
  Surface.SetFont(Font);
  Surface.FillRect(TRect{0, 0, 200, 200}, Paper);
  Surface.SetTextAlign(htaLeft, vtaTop);
  Surface.TextOut(50, 150, Text);
  InkWithin(TRect{50, 150 - Size.Width, 50 + Size.Height, 151});
  // ... and 270 degrees: it reads downward, left of the point.
  Font.Escapement = 2700;
  Surface.SetFont(Font);
  Surface.FillRect(TRect{0, 0, 200, 200}, Paper);
  Surface.TextOut(50, 20, Text);
  InkWithin(TRect{50 - Size.Height, 20, 51, 20 + Size.Width});
}

TEST_F(QPainterSurfaceTest, OpaqueTextFillsItsBox) {
  TSurfaceFont Font;
  Font.Name = Texts().PGothicFace;
  Font.Height = 16;
  Surface.SetFont(Font);
  const TSize Size = Surface.TextExtent("8");
  Surface.SetTextAlign(htaLeft, vtaTop);
  Surface.SetBackground(bkOpaque, clLightYellow);
  Surface.TextOut(3, 4, "8");
  EXPECT_EQ(At(3, 4), qRgb(255, 255, 128));
  EXPECT_EQ(At(3 + Size.Width - 1, 4 + Size.Height - 1), qRgb(255, 255, 128));
  EXPECT_FALSE(Ink(3 + Size.Width, 4));

  Surface.FillRect(TRect{0, 0, 60, 40}, Paper);
  Surface.SetBackground(bkTransparent, clLightYellow);
  Surface.TextOut(3, 4, "8");
  EXPECT_FALSE(Ink(3, 4));
}

// Every kind of drawing keeps to the clip, set before the first drawing or
// between drawings, and all of it comes back when the clip goes.
TEST_F(QPainterSurfaceTest, ClipHoldsForFillsLinesAndTextAlike) {
  Surface.FillRect(TRect{0, 0, 2, 2}, clWhite);
  Surface.SetClipPolygon({{10, 10}, {30, 10}, {30, 20}, {10, 20}});
  Surface.SetPen(TSurfacePen{clBlue, 1, psSolid, TPenMode::Copy});
  Surface.SetBrush(TSurfaceBrush{clRed, bsSolid});
  Surface.Polygon({{0, 0}, {59, 0}, {59, 39}, {0, 39}});
  EXPECT_EQ(InkBounds(), (TRect{10, 10, 30, 20}));
  Surface.MoveTo(0, 15);
  Surface.LineTo(60, 15);
  Surface.SetBackground(bkOpaque, RGB(0, 255, 0));
  Surface.TextOut(0, 5, "WWWWWWWW");
  Surface.Rectangle(TRect{5, 5, 50, 30});
  EXPECT_EQ(InkBounds(), (TRect{10, 10, 30, 20}));
  // The same clip again after drawing without one, turned text among it.
  Surface.ClearClip();
  TSurfaceFont Turned;
  Turned.Name = Texts().PGothicFace;
  Turned.Escapement = 900;
  Surface.SetFont(Turned);
  Surface.TextOut(40, 30, "W");
  Surface.FillRect(TRect{0, 0, 60, 40}, Paper);
  Surface.SetClipPolygon({{10, 10}, {30, 10}, {30, 20}, {10, 20}});
  Surface.Polygon({{0, 0}, {59, 0}, {59, 39}, {0, 39}});
  EXPECT_EQ(InkBounds(), (TRect{10, 10, 30, 20}));
  // A slanted clip (the chart's box), set, taken off and set again.
  const std::vector<TPoint> Box{{5, 35}, {5, 10}, {15, 2}, {55, 2}, {55, 27}, {45, 35}};
  for (int Round = 0; Round < 2; ++Round) {
    Surface.SetClipPolygon(Box);
    Surface.FillRect(TRect{0, 0, 60, 40}, Paper);
    Surface.ClearClip();
    Surface.MoveTo(0, 0);
    Surface.LineTo(59, 0);
  }
  Surface.FillRect(TRect{0, 0, 60, 40}, Paper);
  Surface.SetClipPolygon(Box);
  Surface.Polygon({{0, 0}, {59, 0}, {59, 39}, {0, 39}});
  EXPECT_EQ(InkBounds(), (TRect{5, 2, 55, 35}));
  Surface.ClearClip();
  Surface.Polygon({{0, 0}, {59, 0}, {59, 39}, {0, 39}});
  EXPECT_EQ(InkBounds(), (TRect{0, 0, 60, 40}));
}

// A polygon whose corners lie on one line (a bar of no width seen from the
// front) fills nothing: only its outline shows, as QPainter would draw it.
TEST_F(QPainterSurfaceTest, PolygonOnOneLineShowsOnlyItsOutline) {
  Surface.SetBrush(TSurfaceBrush{clRed, bsSolid});
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
  UsePen(clBlack, psClear);
  Surface.Polygon({{10, 10}, {30, 10}, {30, 30}, {10, 30}});
  EXPECT_EQ(At(20, 20), qRgb(255, 0, 0)) << "a polygon with an area is filled";
}

QPolygon ToQPolygon(const std::vector<TPoint>& Points) {
  QPolygon Polygon;
  for (const TPoint& P : Points) Polygon << QPoint(P.X, P.Y);
  return Polygon;
}

// Shape filled red, no outline, on white paper by the surface, inside Clip when given.
const QImage& SurfaceFill(TQPainterSurface& Surface, int Width, int Height, const std::vector<TPoint>& Shape,
                          const std::vector<TPoint>* Clip) {
  Surface.EnsureImageSize(Width, Height);
  Surface.ClearClip();
  Surface.FillRect(TRect{0, 0, Width, Height}, Paper);
  if (Clip != nullptr) Surface.SetClipPolygon(*Clip);
  Surface.SetPen(TSurfacePen{clBlack, 1, psClear, TPenMode::Copy});
  Surface.SetBrush(TSurfaceBrush{clRed, bsSolid});
  Surface.Polygon(Shape);
  return Surface.Image();
}

// The same drawn by QPainter itself.
QImage QPainterFill(int Width, int Height, const std::vector<TPoint>& Shape, const std::vector<TPoint>* Clip) {
  QImage Image(Width, Height, QImage::Format_RGB32);
  Image.fill(Qt::white);
  QPainter Painter(&Image);
  Painter.setRenderHint(QPainter::Antialiasing, false);
  if (Clip != nullptr) Painter.setClipRegion(QRegion(ToQPolygon(*Clip), Qt::OddEvenFill));
  Painter.setPen(Qt::NoPen);
  Painter.setBrush(QColor(255, 0, 0));
  Painter.drawPolygon(ToQPolygon(Shape), Qt::OddEvenFill);
  Painter.end();
  return Image;
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

// Upright lines keep to the clip pixel for pixel, whatever its shape: convex
// (the chart's box), one span per row but open to the side (a column meets
// it twice), and two spans in a row.
TEST(QPainterSurfaceClip, UprightLinesKeepToTheClipOfAnyShape) {
  TQPainterSurface Surface{ProgramChartFonts()};
  Surface.EnsureImageSize(120, 100);
  const std::vector<std::vector<TPoint>> Clips{
      {{5, 95}, {5, 20}, {25, 4}, {115, 4}, {115, 80}, {95, 95}},
      {{10, 5}, {110, 5}, {110, 30}, {40, 30}, {40, 60}, {110, 60}, {110, 90}, {10, 90}},
      {{10, 10}, {50, 10}, {50, 40}, {70, 40}, {70, 10}, {110, 10}, {110, 90}, {10, 90}}};
  for (size_t Which = 0; Which < Clips.size(); ++Which) {
    SCOPED_TRACE(Which);
    QPolygon Outline;
    for (const TPoint& P : Clips[Which]) Outline << QPoint(P.X, P.Y);
    const QRegion Region(Outline, Qt::OddEvenFill);
    Surface.ClearClip();
    Surface.FillRect(TRect{0, 0, 120, 100}, clWhite);
    Surface.SetClipPolygon(Clips[Which]);
    Surface.SetPen(TSurfacePen{clBlack, 1, psSolid, TPenMode::Copy});
    for (int X = 0; X < 120; X += 3) {
      Surface.MoveTo(X, X % 2 == 0 ? -5 : 104);
      Surface.LineTo(X, X % 2 == 0 ? 104 : 20 + X / 3);
    }
    Surface.Present();
    int Wrong = 0;
    for (int Y = 0; Y < 100; ++Y) {
      for (int X = 0; X < 120; ++X) {
        const bool OnLine = X % 3 == 0 && (X % 2 == 0 || (Y > 20 + X / 3 && Y <= 99));
        const bool Black = Surface.Image().pixel(X, Y) == qRgb(0, 0, 0);
        Wrong += Black != (OnLine && Region.contains(QPoint(X, Y))) ? 1 : 0;
      }
    }
    EXPECT_EQ(Wrong, 0);
  }
}

// Slanted lines keep to the clip whatever part of them lies inside it: with
// the clip, a line's pixels are those it has without the clip, cut to it.
TEST(QPainterSurfaceClip, SlantedLinesKeepToTheClip) {
  const std::vector<TPoint> Clip{{5, 95}, {5, 20}, {25, 4}, {115, 4}, {115, 80}, {95, 95}};
  QPolygon Outline;
  for (const TPoint& P : Clip) Outline << QPoint(P.X, P.Y);
  const QRegion Region(Outline, Qt::OddEvenFill);
  TPick Pick(5);
  TQPainterSurface Clipped{ProgramChartFonts()}, Whole{ProgramChartFonts()};
  for (TQPainterSurface* Surface : {&Clipped, &Whole}) {
    Surface->EnsureImageSize(120, 100);
    Surface->FillRect(TRect{0, 0, 120, 100}, clWhite);
  }
  Clipped.SetClipPolygon(Clip);
  for (int Line = 0; Line < 400; ++Line) {
    // Short and long, inside the clip, across its edge, past the image.
    const TPoint A{Pick(-20, 139), Pick(-20, 119)};
    const int Length = Line % 2 == 0 ? 6 : 60;
    const TPoint B{A.X + Pick(-Length, Length), A.Y + Pick(-Length, Length)};
    for (TQPainterSurface* Surface : {&Clipped, &Whole}) {
      Surface->SetPen(
          TSurfacePen{static_cast<TColor>(RGB(Line % 200, 0, 255 - Line % 200)), 1, psSolid, TPenMode::Copy});
      Surface->MoveTo(A.X, A.Y);
      Surface->LineTo(B.X, B.Y);
    }
  }
  Clipped.Present();
  Whole.Present();
  int Wrong = 0, Inked = 0;
  for (int Y = 0; Y < 100; ++Y) {
    for (int X = 0; X < 120; ++X) {
      const QRgb Expected = Region.contains(QPoint(X, Y)) ? Whole.Image().pixel(X, Y) : qRgb(255, 255, 255);
      Wrong += Clipped.Image().pixel(X, Y) != Expected ? 1 : 0;
      Inked += Clipped.Image().pixel(X, Y) != qRgb(255, 255, 255) ? 1 : 0;
    }
  }
  EXPECT_EQ(Wrong, 0);
  EXPECT_GT(Inked, 1000);
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
      Surface->SetPen(
          TSurfacePen{static_cast<TColor>(RGB(Line % 250, 100, 255 - Line % 250)), 1, psSolid, TPenMode::Copy});
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
    Surface.SetPen(TSurfacePen{clBlue, Width, psSolid, TPenMode::Copy});
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
  Surface.SetPen(TSurfacePen{clBlack, 1, psDot, TPenMode::Copy});
  struct TLine {
    int FromX, ToX, Y;
    bool Opaque;
  };
  const std::vector<TLine> Lines{{-7, 130, 4, false}, {115, 3, 8, true}, {11, 100, 12, true}, {98, 40, 30, false}};
  for (const TLine& L : Lines) {
    Surface.SetBackground(L.Opaque ? bkOpaque : bkTransparent, clRed);
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

// Rows to be painted later: the surface may leave their pixels unwritten in
// the columns it fills (faces going into the depth, upright and steep lines),
// never a pixel outside them, and draws everything again once no columns are
// given; when the rows are then painted, as promised, the picture is the same.
TEST(QPainterSurfacePaintedLater, ColumnsLeaveOutOnlyTheRowsGiven) {
  // A rectangle in columns 20..40, nothing in 41..49, a face rising 45
  // degrees in 50..60.
  TColumnRuns Later{20, {}};
  for (int X = 20; X <= 60; ++X) {
    Later.Rows.push_back(X <= 40 ? std::pair{10, 30} : X < 50 ? std::pair{1, 0} : std::pair{40 - (X - 50), 70 - (X - 50)});
  }
  auto InArea = [&](int X, int Y) {
    if (X < Later.FirstColumn || X >= Later.FirstColumn + static_cast<int>(Later.Rows.size())) return false;
    const auto [First, Last] = Later.Rows[static_cast<size_t>(X - Later.FirstColumn)];
    return Y >= First && Y <= Last;
  };
  auto Draw = [&](TQPainterSurface& Surface, bool LeaveOut, bool Clipped) {
    Surface.EnsureImageSize(120, 100);
    Surface.ClearClip();
    Surface.FillRect(TRect{0, 0, 120, 100}, clWhite);
    if (Clipped) Surface.SetClipPolygon({{5, 95}, {5, 8}, {15, 2}, {115, 2}, {115, 80}, {95, 95}});
    if (LeaveOut) Surface.SetPaintedLater(Later);
    Surface.SetPen(TSurfacePen{clBlack, 1, psSolid, TPenMode::Copy});
    Surface.SetBrush(TSurfaceBrush{clRed, bsSolid});
    Surface.Polygon({{10, 60}, {70, 0}, {70, 90}, {10, 150}});  // a side face: columns of rows
    Surface.Polygon({{30, 20}, {45, 20}, {45, 50}, {30, 50}});  // a front face
    for (int X = 0; X < 120; X += 4) {
      Surface.MoveTo(X, 0);
      Surface.LineTo(X, 99);
    }
    for (int X = 2; X < 110; X += 6) {  // steep lines, written down their columns
      Surface.MoveTo(X, 3);
      Surface.LineTo(X + 9, 96);
    }
    Surface.SetPaintedLater({});
    Surface.SetPen(TSurfacePen{clBlue, 1, psSolid, TPenMode::Copy});
    Surface.MoveTo(55, 0);
    Surface.LineTo(55, 99);
    Surface.Present();
  };
  auto PaintAreas = [&](TQPainterSurface& Surface) {
    for (size_t I = 0; I < Later.Rows.size(); ++I) {
      const int X = Later.FirstColumn + static_cast<int>(I);
      const auto [First, Last] = Later.Rows[I];
      if (First <= Last) Surface.FillRect(TRect{X, First, X + 1, Last + 1}, RGB(0, 160, 0));
    }
    Surface.Present();
  };
  for (const bool Clipped : {false, true}) {
    SCOPED_TRACE(Clipped);
    TQPainterSurface LeavingOut{ProgramChartFonts()}, Everything{ProgramChartFonts()};
    Draw(LeavingOut, true, Clipped);
    Draw(Everything, false, Clipped);
    int WrongOutside = 0, LeftOut = 0;
    for (int Y = 0; Y < 100; ++Y) {
      for (int X = 0; X < 120; ++X) {
        const bool Same = LeavingOut.Image().pixel(X, Y) == Everything.Image().pixel(X, Y);
        if (!InArea(X, Y) || X == 55) WrongOutside += Same ? 0 : 1;
        else LeftOut += Same ? 0 : 1;
      }
    }
    EXPECT_EQ(WrongOutside, 0);
    EXPECT_GT(LeftOut, 100);
    PaintAreas(LeavingOut);
    PaintAreas(Everything);
    EXPECT_EQ(LeavingOut.Image(), Everything.Image());
  }
}

TEST_F(QPainterSurfaceTest, ClipPolygonRestrictsDrawing) {
  Surface.SetClipPolygon({{10, 10}, {30, 10}, {30, 20}, {10, 20}});
  Surface.FillRect(TRect{0, 0, 60, 40}, clRed);
  EXPECT_EQ(InkBounds(), (TRect{10, 10, 30, 20}));
  Surface.ClearClip();
  Surface.FillRect(TRect{0, 0, 60, 40}, clRed);
  EXPECT_EQ(InkBounds(), (TRect{0, 0, 60, 40}));
}

TEST_F(QPainterSurfaceTest, FontsComeFromTheProgramsFontTable) {
  TSurfaceFont Font;
  Font.Name = Texts().PGothicFace;
  Font.Height = 21;
  QFontInfo Info(ProgramChartFonts()(Font));
  EXPECT_EQ(Info.family().toStdString(), "IPAPGothic");
  EXPECT_EQ(Info.pixelSize(), 21);
  EXPECT_EQ(QFontInfo(ProgramChartFonts(1.5)(Font)).pixelSize(), 32);  // 31.5, away from zero
  Font.Name = Texts().PMinchoFace;
  Font.Height = 12;
  EXPECT_EQ(QFontInfo(ProgramChartFonts()(Font)).family().toStdString(), "IPAPMincho");
  Font.Bold = true;
  EXPECT_TRUE(QFontInfo(ProgramChartFonts()(Font)).bold());

  // The surface measures with the fonts its resolver gives.
  int Calls = 0;
  TQPainterSurface Other([&Calls](const TSurfaceFont& F) {
    ++Calls;
    QFont Q(QStringLiteral("IPAGothic"));
    Q.setPixelSize(F.Height * 2);
    return Q;
  });
  Other.SetFont(Font);
  EXPECT_GT(Calls, 0);
  EXPECT_GE(Other.TextExtent("W").Height, 24);
  Surface.SetFont(Font);
  EXPECT_LT(Surface.TextExtent("W").Height, 20);
}

}  // namespace
