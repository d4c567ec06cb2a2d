// SPDX-License-Identifier: GPL-3.0-or-later
// The clip on the surface: every kind of drawing keeps to it, whatever its
// shape, and the rows painted later are left out only where given.
#include <gtest/gtest.h>

#include "qpainter_surface_test_support.h"

namespace {

// Every kind of drawing keeps to the clip, set before the first drawing or
// between drawings, and all of it comes back when the clip goes.
TEST_F(QPainterSurfaceTest, ClipHoldsForFillsLinesAndTextAlike) {
  Surface.FillRect(TRect{0, 0, 2, 2}, clWhite);
  Surface.SetClipPolygon({{10, 10}, {30, 10}, {30, 20}, {10, 20}});
  Surface.SetPen(TSurfacePen{clBlue, 1, TPenStyle::Solid, TPenMode::Copy});
  Surface.SetBrush(TSurfaceBrush{clRed, TBrushStyle::Solid});
  Surface.Polygon({{0, 0}, {59, 0}, {59, 39}, {0, 39}});
  EXPECT_EQ(InkBounds(), (TRect{10, 10, 30, 20}));
  Surface.MoveTo(0, 15);
  Surface.LineTo(60, 15);
  Surface.SetBackground(TBackgroundMode::Opaque, RGB(0, 255, 0));
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
    Surface.SetPen(TSurfacePen{clBlack, 1, TPenStyle::Solid, TPenMode::Copy});
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
          TSurfacePen{static_cast<TColor>(RGB(Line % 200, 0, 255 - Line % 200)), 1, TPenStyle::Solid, TPenMode::Copy});
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
    Surface.SetPen(TSurfacePen{clBlack, 1, TPenStyle::Solid, TPenMode::Copy});
    Surface.SetBrush(TSurfaceBrush{clRed, TBrushStyle::Solid});
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
    Surface.SetPen(TSurfacePen{clBlue, 1, TPenStyle::Solid, TPenMode::Copy});
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

}  // namespace
