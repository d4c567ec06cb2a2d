// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/line_series.h"

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "recording_surface.h"
#include "series_drawing.h"

namespace {

// A line series on axes laid out by hand so that a point's screen position is
// easy to name: x value v at pixel v, right-axis value v at row 1000 - v; the
// series in the front slot, 10 pixels deep.
class LineSeriesTest : public ::testing::Test {
protected:
  TRecordingSurface Surface;
  TChart Chart{Surface};
  TLineSeries& Line = Chart.AddSeries<TLineSeries>();

  void SetUp() override {
    Line.SeriesColor = clBlue;
    Line.VertAxis = TAxisKind::Right;
  }

  static void SetAxis(TChartAxis& Axis) {
    Axis.StartPixel = 0;
    Axis.EndPixel = 1000;
    Axis.AxisLength = 1000;
    Axis.CenterPixel = 500;
    Axis.RangeMin = 0;
    Axis.RangeMax = 1000;
  }

  void Draw(int DepthPerSeries = 10) {
    Chart.ClipPoints = false;
    Chart.PlotRect = TRect{0, 0, 1000, 1000};
    SetAxis(Chart.BottomAxis);
    SetAxis(Chart.RightAxis);
    Chart.DepthPerSeries = DepthPerSeries;
    Chart.TotalDepth = 2 * DepthPerSeries;
    Chart.Canvas.StartDrawing(1200, 1200, true);
    Chart.Canvas.SetProjection(Chart.TotalDepth, TRect{0, 0, 1200, 1200}, Chart.PlotRect);
    Line.SetDepthSlot(0, DepthPerSeries);
    Surface.Clear();
    Line.CalcVisibleRange();
    Line.DrawAllPoints();
    Line.DrawMarks();
  }

  // A point at screen position (X, Y).
  void AddScreenPoint(int X, int Y) { Line.AddPoint(X, 1000 - Y, "", clAutoColor); }

  std::vector<TRecordedCall> Pieces() const { return Surface.CallsOf("Polygon"); }
};

TEST_F(LineSeriesTest, SteepRisingPiecesAreDarkened) {
  // Pieces narrower than ThinPieceWidth are outlined in their fill colour.
  const struct {
    TPoint From, To;
    TColor Fill, Outline;
  } Cases[] = {
      {{340, 330}, {400, 250}, RGB(0, 0, 191), clBlack},         // s = 80 / 60
      {{340, 300}, {400, 250}, RGB(0, 0, 255), clBlack},         // s = 50 / 60
      {{340, 250}, {400, 330}, RGB(0, 0, 255), clBlack},         // falling
      {{340, 330}, {400, 270}, RGB(0, 0, 255), clBlack},         // s exactly 1
      {{340, 330}, {340, 250}, RGB(0, 0, 255), RGB(0, 0, 255)},  // vertical
      {{340, 250}, {340, 330}, RGB(0, 0, 255), RGB(0, 0, 255)},
      {{340, 330}, {343, 250}, RGB(0, 0, 191), RGB(0, 0, 191)},  // three columns, steep
      {{340, 330}, {344, 250}, RGB(0, 0, 191), clBlack},         // four
  };
  for (const auto& Case : Cases) {
    Line.ClearPoints();
    AddScreenPoint(Case.From.X, Case.From.Y);
    AddScreenPoint(Case.To.X, Case.To.Y);
    Draw();
    auto Drawn = Pieces();
    ASSERT_EQ(Drawn.size(), 1u) << Case.From.X << "," << Case.From.Y;
    EXPECT_EQ(Drawn[0].Brush.Color, Case.Fill) << Case.To.X << "," << Case.To.Y;
    EXPECT_EQ(Drawn[0].Brush.Style, TBrushStyle::Solid);
    EXPECT_EQ(Drawn[0].Pen.Color, Case.Outline);
    EXPECT_EQ(Drawn[0].Pen.Width, 1);
    // The ribbon runs through the front slot: depth 0 to 10.
    const TPoint A = Case.To, B = Case.From;
    EXPECT_EQ(SortedPoints(Drawn[0].Points),
              SortedPoints({A, B, {B.X + 10, B.Y - 10}, {A.X + 10, A.Y - 10}}));
  }
}

TEST_F(LineSeriesTest, DarkeningIsOnlyForThatPiece) {
  AddScreenPoint(340, 330);
  AddScreenPoint(400, 250);  // steep
  AddScreenPoint(460, 240);  // gentle
  Draw();
  auto Drawn = Pieces();
  ASSERT_EQ(Drawn.size(), 2u);
  EXPECT_EQ(Drawn[0].Brush.Color, RGB(0, 0, 191));
  EXPECT_EQ(Drawn[1].Brush.Color, RGB(0, 0, 255));

  Line.Dark3D = false;
  Draw();
  Drawn = Pieces();
  ASSERT_EQ(Drawn.size(), 2u);
  EXPECT_EQ(Drawn[0].Brush.Color, RGB(0, 0, 255));
}

TEST_F(LineSeriesTest, NoDrillsOrOneDrillDrawNoLine) {
  Draw();
  EXPECT_TRUE(Pieces().empty());
  AddScreenPoint(500, 500);
  Draw();
  EXPECT_TRUE(Pieces().empty());
  EXPECT_TRUE(DrawnLines(Surface).empty());
  EXPECT_TRUE(Surface.CallsOf("TextOut").empty());  // marks hidden
}

TEST_F(LineSeriesTest, TwoEqualDurationsGiveOneFlatPiece) {
  Line.AddPoint(100, 150, "", clAutoColor);
  Line.AddPoint(300, 150, "", clAutoColor);
  Draw();
  auto Drawn = Pieces();
  ASSERT_EQ(Drawn.size(), 1u);
  EXPECT_EQ(Drawn[0].Brush.Color, clBlue);
  EXPECT_EQ(SortedPoints(Drawn[0].Points), SortedPoints({{100, 850}, {300, 850}, {110, 840}, {310, 840}}));
}

TEST_F(LineSeriesTest, FarOutPointsAreSkippedAndTheLineGoesOn) {
  AddScreenPoint(100, 500);
  Line.AddPoint(200, -40000, "", clAutoColor);  // row 41000
  AddScreenPoint(300, 500);
  Draw();
  auto Drawn = Pieces();
  ASSERT_EQ(Drawn.size(), 1u);
  EXPECT_EQ(SortedPoints(Drawn[0].Points), SortedPoints({{100, 500}, {300, 500}, {110, 490}, {310, 490}}));
}

TEST_F(LineSeriesTest, FarOutFirstPointLeavesNoPieceFromNowhere) {
  Line.AddPoint(100, 40000, "", clAutoColor);  // row -39000
  AddScreenPoint(200, 500);
  AddScreenPoint(300, 600);
  Draw();
  auto Drawn = Pieces();
  ASSERT_EQ(Drawn.size(), 1u);
  EXPECT_EQ(SortedPoints(Drawn[0].Points), SortedPoints({{200, 500}, {300, 600}, {210, 490}, {310, 590}}));
}

TEST_F(LineSeriesTest, NullPointLeavesAGap) {
  AddScreenPoint(100, 500);
  Line.AddPoint(200, 500, "", clNone);
  AddScreenPoint(300, 600);
  AddScreenPoint(400, 650);
  Draw();
  auto Drawn = Pieces();
  ASSERT_EQ(Drawn.size(), 1u);
  EXPECT_EQ(SortedPoints(Drawn[0].Points), SortedPoints({{300, 600}, {400, 650}, {310, 590}, {410, 640}}));
}

TEST_F(LineSeriesTest, SlotWithoutDepthStillDarkensSteepPieces) {
  AddScreenPoint(340, 330);
  AddScreenPoint(400, 250);
  Draw(0);
  auto Drawn = Pieces();
  ASSERT_EQ(Drawn.size(), 1u);
  EXPECT_EQ(Drawn[0].Brush.Color, RGB(0, 0, 191));
  EXPECT_EQ(DoubleArea(Drawn[0].Points), 0);
}

TEST_F(LineSeriesTest, ClickedNearAPieceNamesTheNearerPoint) {
  AddScreenPoint(340, 330);
  AddScreenPoint(400, 250);
  AddScreenPoint(460, 240);
  EXPECT_FALSE(Line.Clicked(345, 324).has_value());  // nothing drawn yet
  Draw();
  EXPECT_EQ(Line.Clicked(345, 324), 0);
  EXPECT_EQ(Line.Clicked(398, 254), 1);
  EXPECT_EQ(Line.Clicked(450, 238), 2);   // inside the ribbon's depth
  EXPECT_EQ(Line.Clicked(342, 330), 0);   // 2 pixels off the front edge
  EXPECT_FALSE(Line.Clicked(340, 340).has_value());
  EXPECT_FALSE(Line.Clicked(100, 100).has_value());
}

}  // namespace

namespace {

// Upright pieces in one column: one that a later piece spans completely is
// left out of the paint; pieces that stick out, slanted ones, and every piece
// with a see-through brush are drawn. The mouse still finds every piece.
TEST_F(LineSeriesTest, UprightPiecesCoveredByLaterOnesAreLeftOut) {
  for (TPoint P : {TPoint{340, 300}, TPoint{340, 200}, TPoint{340, 250}, TPoint{340, 150}, TPoint{400, 150}}) {
    AddScreenPoint(P.X, P.Y);
  }
  Draw();
  // 300-200 sticks out below 150-250; 200-250 lies inside it and is left out.
  auto Drawn = Pieces();
  ASSERT_EQ(Drawn.size(), 3u);
  EXPECT_EQ(SortedPoints(Drawn[0].Points)[0], (TPoint{340, 200}));
  EXPECT_EQ(SortedPoints(Drawn[1].Points)[0], (TPoint{340, 150}));
  EXPECT_EQ(Line.Clicked(340, 240), 2);  // drawn over, but still the topmost there

  Line.LeaveOutCoveredShapes = false;
  Draw();
  EXPECT_EQ(Pieces().size(), 4u);
  Line.LeaveOutCoveredShapes = true;
  Line.LineBrush = TBrushStyle::Clear;
  Draw();
  EXPECT_EQ(Pieces().size(), 4u);
  Line.LineBrush = TBrushStyle::Solid;
  Line.LinePen.Style = TPenStyle::Dot;
  Draw();
  EXPECT_EQ(Pieces().size(), 4u);
}

}  // namespace
