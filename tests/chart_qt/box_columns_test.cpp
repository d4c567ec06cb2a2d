// SPDX-License-Identifier: GPL-3.0-or-later
// What a box or a ribbon piece is said to paint for certain (the columns the
// bars and the line hand to the surface as painted later) must be painted by
// every pixel, whatever the box's size and depth or the piece's slant: a
// pixel claimed but not painted would leave an earlier shape's pixel out of
// the picture, showing what lay beneath. A box paints nothing else either: a
// bar or upright piece whose claim lies under later shapes is left out of the
// paint.
#include <gtest/gtest.h>

#include <QImage>
#include <random>

#include "chart/canvas3d.h"
#include "chart_qt/chart_fonts.h"
#include "chart_qt/qpainter_surface.h"

namespace {

constexpr int Width = 320, Height = 260;
const QRgb Ground = qRgb(255, 0, 255);  // no face or outline has it

class BoxColumnsTest : public ::testing::Test {
protected:
  TQPainterSurface Surface{ProgramChartFonts()};
  TCanvas3D Canvas{Surface};

  // A new picture of the ground, the projection of a plot box centred in it.
  void Start(int Zoom) {
    Canvas.View3DOptions.Zoom = Zoom;
    Canvas.StartDrawing(Width, Height, true);
    Canvas.FillRect(TRect{0, 0, Width, Height}, RGB(255, 0, 255));
    Canvas.SetProjection(40, TRect{0, 0, Width, Height}, TRect{40, 40, Width - 40, Height - 40});
    Canvas.SetPen(TSurfacePen{RGB(0, 0, 0), 1, TPenStyle::Solid, TPenMode::Copy});
    Canvas.PrepareBrush(RGB(200, 0, 0), TBrushStyle::Solid, RGB(200, 0, 0));
  }

  // Pixels painted outside the claim (a box's claim is all it paints).
  int PaintedOutside(const TBoxColumns& Paints) {
    Surface.Present();
    const QImage& Image = Surface.Image();
    int Count = 0;
    for (int Y = 0; Y < Height; ++Y) {
      for (int X = 0; X < Width; ++X) {
        const bool Claimed =
            X >= Paints.Left && X <= Paints.LastColumn() && Y >= Paints.TopOf(X) && Y <= Paints.BottomOf(X);
        Count += !Claimed && Image.pixel(X, Y) != Ground ? 1 : 0;
      }
    }
    return Count;
  }

  // Claimed pixels inside the picture still showing the ground.
  int Unpainted(const TBoxColumns& Paints) {
    Surface.Present();
    const QImage& Image = Surface.Image();
    int Count = 0;
    for (int X = std::max(Paints.Left, 0); X <= std::min(Paints.LastColumn(), Width - 1); ++X) {
      for (int Y = std::max(Paints.TopOf(X), 0); Y <= std::min(Paints.BottomOf(X), Height - 1); ++Y) {
        Count += Image.pixel(X, Y) == Ground ? 1 : 0;
      }
    }
    return Count;
  }
};

TEST_F(BoxColumnsTest, EveryPixelClaimedForABoxIsPainted) {
  std::mt19937 Random(7);
  auto Pick = [&](int Low, int High) { return std::uniform_int_distribution<int>(Low, High)(Random); };
  int Claimed = 0;
  for (int Round = 0; Round < 400; ++Round) {
    const int Zoom = Round % 4 == 3 ? Pick(60, 180) : 100;
    Start(Zoom);
    // Thin and wide, flat and tall, some reaching out of the picture.
    const int Left = Pick(-20, Width), Right = Left + Pick(0, Round % 3 == 0 ? 3 : 60);
    const int Top = Pick(-20, Height), Bottom = Top + Pick(0, 200);
    const int Z0 = Pick(0, 20), Z1 = Z0 + Pick(1, 25);
    Canvas.Box(Left, Right, Top, Bottom, Z0, Z1, Round % 2 == 0);
    const std::optional<TBoxColumns> Paints = Canvas.BoxColumns(Left, Right, Top, Bottom, Z0, Z1);
    if (Zoom == 100) {
      EXPECT_TRUE(Paints.has_value());
    }
    if (!Paints) continue;
    ++Claimed;
    EXPECT_EQ(Unpainted(*Paints), 0) << Left << " " << Right << " " << Top << " " << Bottom << " " << Z0 << " " << Z1
                                     << " zoom " << Zoom;
    EXPECT_EQ(PaintedOutside(*Paints), 0) << Left << " " << Right << " " << Top << " " << Bottom << " " << Z0 << " "
                                          << Z1 << " zoom " << Zoom;
  }
  EXPECT_GT(Claimed, 300);
}

TEST_F(BoxColumnsTest, EveryPixelClaimedForARibbonPieceIsPainted) {
  std::mt19937 Random(11);
  auto Pick = [&](int Low, int High) { return std::uniform_int_distribution<int>(Low, High)(Random); };
  int Claimed = 0, Slanted = 0;
  for (int Round = 0; Round < 600; ++Round) {
    const int Zoom = Round % 5 == 4 ? Pick(60, 180) : 100;
    Start(Zoom);
    const int Z0 = Pick(0, 20), Depth = Pick(1, 25);
    // Upright, steep and flat pieces, either way round.
    const TPoint A{Pick(-10, Width), Pick(-10, Height)};
    const int Across = Round % 3 == 0 ? 0 : Pick(-Depth - 2, Depth + 2);
    const TPoint B{A.X + Across, A.Y + Pick(-220, 220)};
    if (A.X == B.X && A.Y == B.Y) continue;
    Canvas.Ribbon(A, B, Z0, Z0 + Depth);
    const std::optional<TBoxColumns> Paints = Canvas.RibbonColumns(A, B, Z0, Z0 + Depth);
    if (!Paints) continue;
    ++Claimed;
    Slanted += Across != 0 ? 1 : 0;
    EXPECT_EQ(Unpainted(*Paints), 0) << A.X << "," << A.Y << " " << B.X << "," << B.Y << " " << Z0 << "+" << Depth
                                     << " zoom " << Zoom;
    // An upright piece's claim is all it paints.
    if (A.X == B.X) {
      EXPECT_EQ(PaintedOutside(*Paints), 0) << A.X << "," << A.Y << " " << B.Y << " " << Z0 << "+" << Depth;
    }
  }
  EXPECT_GT(Claimed, 350);
  EXPECT_GT(Slanted, 150);
}

// The claim is not all of nothing: a box's claim is its whole outline on
// screen, a piece's the band between its edges into the depth.
TEST_F(BoxColumnsTest, ClaimsReachTheShapesEdges) {
  Start(100);
  const TPoint FrontTopLeft = Canvas.ProjectPoint(50, 80, 5), BackBottomRight = Canvas.ProjectPoint(60, 180, 15);
  const std::optional<TBoxColumns> Box = Canvas.BoxColumns(50, 60, 80, 180, 5, 15);
  ASSERT_TRUE(Box.has_value());
  EXPECT_EQ(Box->Left, FrontTopLeft.X);
  EXPECT_EQ(Box->TopOf(Box->Left), FrontTopLeft.Y);
  EXPECT_EQ(Box->Depth, 10);
  EXPECT_EQ(Box->LastColumn(), BackBottomRight.X);
  EXPECT_EQ(Box->BottomOf(Box->LastColumn()), BackBottomRight.Y);

  // A piece two columns across with a depth of ten: eight columns between
  // its edges from the right end's column, the last of them left out.
  const std::optional<TBoxColumns> Piece = Canvas.RibbonColumns(TPoint{100, 50}, TPoint{102, 150}, 0, 10);
  ASSERT_TRUE(Piece.has_value());
  const TPoint Right = Canvas.ProjectPoint(102, 150, 0);
  EXPECT_EQ(Piece->Left, Right.X);
  EXPECT_EQ(Piece->LastColumn(), Right.X + 7);
  EXPECT_EQ(Piece->BottomOf(Right.X), Right.Y);
  EXPECT_EQ(Piece->TopOf(Right.X), Canvas.ProjectPoint(100, 50, 0).Y - 2);
  // As wide as deep: no column lies surely between its edges.
  EXPECT_FALSE(Canvas.RibbonColumns(TPoint{100, 50}, TPoint{110, 150}, 0, 10).has_value());
  // Upright: every column of the piece.
  EXPECT_EQ(Canvas.RibbonColumns(TPoint{100, 50}, TPoint{100, 150}, 0, 10)->Depth, 10);
}

}  // namespace
