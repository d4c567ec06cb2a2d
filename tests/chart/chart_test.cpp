// SPDX-License-Identifier: GPL-3.0-or-later
// The whole chart on the recording surface: the layout of the result chart,
// its walls and axes, the paint sequence, series margins, visible ranges and
// the copy-only repaint.
#include <gtest/gtest.h>

#include <algorithm>

#include "chart_test_support.h"

namespace {

using TPoints = std::vector<TPoint>;

// Index of the first call matching Pred at or after From; Calls.size() when none.
template <typename TPred>
size_t FindCall(const std::vector<TRecordedCall>& Calls, TPred Pred, size_t From = 0) {
  for (size_t I = From; I < Calls.size(); ++I)
    if (Pred(Calls[I])) return I;
  return Calls.size();
}

auto IsOp(const std::string& Op) {
  return [Op](const TRecordedCall& C) { return C.Op == Op; };
}

auto IsText(const std::string& Text) {
  return [Text](const TRecordedCall& C) { return C.Op == "TextOut" && C.Text == Text; };
}

std::vector<std::string> Numbers(int From, int To, int Step) {
  std::vector<std::string> Result;
  for (int V = From; Step > 0 ? V <= To : V >= To; V += Step) Result.push_back(std::to_string(V));
  return Result;
}

TEST(ChartLayout, PlotRectBeforeTheTitleIsThePanelLessItsMargins) {
  TRecordingSurface Surface;
  TChart Chart(Surface);
  Chart.SetSize(705, 569);
  Chart.View3D = false;
  Chart.Paint();
  EXPECT_EQ(Chart.PanelBounds, (TRect{0, 0, 705, 569}));
  EXPECT_EQ(Chart.PlotRect, (TRect{21, 23, 684, 546}));
  EXPECT_EQ(Chart.DepthPerSeries, 0);
  EXPECT_EQ(Chart.TotalDepth, 0);
}

TEST(ChartLayout, NarrowPlotHasNoDepth) {
  TRecordingSurface Surface;
  TChart Chart(Surface);
  Chart.SetSize(35, 200);  // margins 1 each side: a plot 33 wide
  Chart.Paint();
  EXPECT_EQ(Chart.DepthPerSeries, 0);
  EXPECT_EQ(Chart.TotalDepth, 0);
}

TEST(ChartLayout, FootTakesItsRoomFromTheBottom) {
  TRecordingSurface Surface;
  TChart Chart(Surface);
  Chart.SetSize(705, 569);
  Chart.View3D = false;
  Chart.Foot.Text = {"foot"};
  Chart.Foot.Font = Font("", 13);
  Chart.Paint();
  const auto T = Surface.TextsOf("foot");
  ASSERT_EQ(T.size(), 1u);
  EXPECT_EQ(T[0].Points[0], (TPoint{352 - 12, 546 - 13}));
  EXPECT_EQ(Chart.PlotRect.Bottom, 546 - 13 - 5);
  EXPECT_TRUE(Chart.FootContains(345, 540));
}

struct TResultChart : TResultChartFixture, ::testing::Test {};

TEST_F(TResultChart, TitleIsCentredAtTheTopOfThePlotBox) {
  Chart.Paint();
  const auto T = Surface.TextsOf(ResultTexts().ChartTitle);
  ASSERT_EQ(T.size(), 1u);
  EXPECT_EQ(T[0].Points[0], (TPoint{352 - 50, 23}));  // 10 bytes, 100 pixels wide
  EXPECT_EQ(T[0].Font.Color, clBlue);
  EXPECT_EQ(T[0].BackgroundMode, TBackgroundMode::Transparent);
  EXPECT_TRUE(Chart.TitleContains(352, 30));
  EXPECT_FALSE(Chart.TitleContains(352, 60));
}

TEST_F(TResultChart, DepthAndFinalPlotRect) {
  Chart.Paint();
  EXPECT_EQ(Chart.DepthPerSeries, 10);  // Round(663 x 0.015)
  EXPECT_EQ(Chart.TotalDepth, 20);
  EXPECT_EQ(Bars->DepthSlot, 1);  // the first series stands at the back
  EXPECT_EQ(Bars->StartZ, 10);
  EXPECT_EQ(Bars->EndZ, 20);
  EXPECT_EQ(Bars->MiddleZ, 15);
  EXPECT_EQ(Line->DepthSlot, 0);
  EXPECT_EQ(Line->EndZ, 10);
  // T = 21, L = 21, w1 = w3 = 30 + 10.
  const int T = 21, L = 21, W1 = 40, W3 = 40;
  EXPECT_EQ(Chart.PlotRect, (TRect{27 + T + W1, 48 + T, 658 - T - W3, 540 - L}));
  EXPECT_EQ(Chart.LeftAxis.StartPixel, 48 + T);
  EXPECT_EQ(Chart.LeftAxis.EndPixel, 540 - L);
  EXPECT_EQ(Chart.BottomAxis.AxisLength, 658 - T - W3 - (27 + T + W1));
}

TEST_F(TResultChart, FinalPlotRectFollowsTheMeasuredLabelWidths) {
  Surface.FixedWidths["100"] = 27;
  Surface.FixedWidths["300"] = 29;
  Surface.FixedWidths[" "] = 5;
  Chart.Paint();
  const int T = 21, L = 21, W1 = 27 + 5, W3 = 29 + 5;
  EXPECT_EQ(Chart.PlotRect, (TRect{27 + T + W1, 48 + T, 658 - T - W3, 540 - L}));
  // A second layout, with the axis lengths of the first, gives the same box.
  Chart.Invalidate();
  Chart.Paint();
  EXPECT_EQ(Chart.PlotRect, (TRect{27 + T + W1, 48 + T, 658 - T - W3, 540 - L}));
}

TEST_F(TResultChart, WallsOutlineTheBackAndFillTheLeftWallAndTheFloor) {
  Chart.Paint();
  // PlotRect (88, 69, 597, 519), TotalDepth 20.
  const auto P = Surface.CallsOf("Polygon");
  ASSERT_GE(P.size(), 3u);
  EXPECT_EQ(P[0].Points, (TPoints{{109, 48}, {617, 48}, {617, 499}, {109, 499}}));
  EXPECT_EQ(P[0].Brush.Style, TBrushStyle::Clear);
  EXPECT_EQ(P[0].Pen, (TSurfacePen{clBlack, 1, TPenStyle::Solid, TPenMode::Copy}));
  EXPECT_EQ(P[1].Points, (TPoints{{88, 69}, {109, 48}, {109, 498}, {88, 519}}));
  EXPECT_EQ(P[1].Brush, (TSurfaceBrush{clLightYellow, TBrushStyle::Solid}));
  EXPECT_EQ(P[2].Points, (TPoints{{88, 519}, {597, 519}, {617, 499}, {108, 499}}));
  EXPECT_EQ(P[2].Brush, (TSurfaceBrush{clWhite, TBrushStyle::Solid}));
}

TEST_F(TResultChart, EmptyChartShowsTitleWallsAndAllThreeAxes) {
  Chart.Paint();
  const auto& T = ResultTexts();
  // Axes draw in the order bottom, left, right.
  std::vector<std::string> LeftLabels, RightLabels;
  for (const auto& Call : Surface.CallsOf("TextOut")) {
    if (Call.HorizAlign == THorizTextAlign::Right) LeftLabels.push_back(Call.Text);
    if (Call.HorizAlign == THorizTextAlign::Left && Call.Font.Escapement == 0 && Call.Text != "M") {
      RightLabels.push_back(Call.Text);
    }
  }
  EXPECT_EQ(LeftLabels, Numbers(100, 0, -5));  // 450 pixels: every 5
  RightLabels.erase(RightLabels.begin());  // the chart title
  EXPECT_EQ(RightLabels, Numbers(300, 100, -10));
  EXPECT_EQ(Chart.LeftAxis.LabelStep, 5);
  EXPECT_EQ(Chart.RightAxis.LabelStep, 10);
  EXPECT_EQ(Surface.TextsOf("300").size(), 1u);
  EXPECT_EQ(Surface.TextsOf("110").size(), 1u);

  // The left labels end at its labels edge, centred on their value's height.
  const auto Top = Surface.TextsOf("95");
  ASSERT_EQ(Top.size(), 1u);
  EXPECT_EQ(Top[0].Points[0], (TPoint{82, 91 - 10}));  // 519 - Round(427.5)
  EXPECT_EQ(Top[0].HorizAlign, THorizTextAlign::Right);
  // The right labels start at theirs, at the back of the box.
  const auto Right = Surface.TextsOf("300");
  EXPECT_EQ(Right[0].Points[0], (TPoint{603 + 20, 69 - 10 - 20}));
  EXPECT_EQ(Right[0].HorizAlign, THorizTextAlign::Left);
  // The bottom axis has the range 0 to 0 and one label in its middle.
  const auto Zero = Surface.TextsOf("0");
  ASSERT_EQ(Zero.size(), 2u);  // the bottom axis's 0 and the left axis's
  EXPECT_EQ(Zero[0].Points[0], (TPoint{342, 525}));
  EXPECT_EQ(Zero[0].HorizAlign, THorizTextAlign::Center);
  EXPECT_EQ(Chart.BottomAxis.TickPositions, (std::vector<int>{342}));

  // Titles: the left one reads upward, the right one downward at the back.
  const auto LeftTitle = Surface.TextsOf(T.LeftAxisTitle);
  ASSERT_EQ(LeftTitle.size(), 1u);
  EXPECT_EQ(LeftTitle[0].Points[0], (TPoint{42, 294}));
  EXPECT_EQ(LeftTitle[0].Font.Escapement, 900);
  EXPECT_EQ(LeftTitle[0].HorizAlign, THorizTextAlign::Center);
  EXPECT_EQ(LeftTitle[0].VertAlign, TVertTextAlign::Bottom);
  const auto RightTitle = Surface.TextsOf(T.RightAxisTitle);
  ASSERT_EQ(RightTitle.size(), 1u);
  EXPECT_EQ(RightTitle[0].Points[0], (TPoint{643 + 20, 294 - 20}));
  EXPECT_EQ(RightTitle[0].Font.Escapement, 2700);

  // The top axis has no series and is not drawn: 21 + 21 + 1 labels in all,
  // besides the titles and the series' (empty) marks.
  EXPECT_EQ(Surface.CallsOf("TextOut").size() - Surface.TextsOf("M").size(), 1u + 2u + 21u + 21u + 1u);
  EXPECT_TRUE(Surface.TextsOf("P0").empty());
}

TEST_F(TResultChart, AxisLinesTicksAndGridOfTheLeftAxis) {
  Chart.Paint();
  const auto& C = Surface.Calls;
  // The axis line: black, 2 wide, along the plot box's left edge at the front.
  const size_t Axis = FindCall(C, [](const TRecordedCall& Call) {
    return Call.Op == "LineTo" && Call.Pen.Width == 2 && Call.Points[0] == TPoint{88, 519};
  });
  ASSERT_LT(Axis, C.size());
  EXPECT_EQ(C[Axis - 1].Points[0], (TPoint{88, 69}));
  // A tick of the label 100, 1 pixel out, 4 long.
  const size_t Tick = FindCall(C, [](const TRecordedCall& Call) {
    return Call.Op == "LineTo" && Call.Pen.Color == clGray && Call.Points[0] == TPoint{83, 69};
  });
  ASSERT_LT(Tick, C.size());
  EXPECT_EQ(C[Tick - 1].Points[0], (TPoint{87, 69}));
  // Its grid line across the left wall and along the back wall, dotted.
  const size_t Grid = FindCall(C, [](const TRecordedCall& Call) {
    return Call.Op == "LineTo" && Call.Pen.Style == TPenStyle::Dot && Call.Points[0] == TPoint{617, 49};
  });
  ASSERT_LT(Grid, C.size());
  EXPECT_EQ(C[Grid - 1].Points[0], (TPoint{108, 49}));
  EXPECT_EQ(C[Grid - 2].Points[0], (TPoint{108, 49}));
  EXPECT_EQ(C[Grid - 3].Points[0], (TPoint{88, 69}));
}

TEST_F(TResultChart, PaintSequence) {
  Bars->AddPoint(0, 85, "", clAutoColor);
  Bars->AddPoint(1, 60, "", clAutoColor);
  Line->AddPoint(0, 150, "", clAutoColor);
  Chart.Paint();
  const auto& C = Surface.Calls;
  ASSERT_EQ(C.front().Op, "EnsureImageSize");
  EXPECT_EQ(C.front().Rect, (TRect{0, 0, 705, 569}));
  EXPECT_EQ(C.back().Op, "Present");

  const size_t Panel = FindCall(C, IsOp("FillRect"));
  const size_t Bevel = FindCall(C, IsOp("Polyline"));
  const size_t Title = FindCall(C, IsText(ResultTexts().ChartTitle));
  const size_t Walls = FindCall(C, IsOp("Polygon"));
  const size_t FirstAxisText = FindCall(C, IsText("0"));
  const size_t Clip1 = FindCall(C, IsOp("SetClipPolygon"));
  const size_t BarPoint = FindCall(C, IsText("P0"));
  const size_t Unclip1 = FindCall(C, IsOp("ClearClip"));
  const size_t BarMarks = FindCall(C, IsText("M"));
  const size_t Clip2 = FindCall(C, IsOp("SetClipPolygon"), Clip1 + 1);
  const size_t LinePoint = FindCall(C, IsText("P0"), BarPoint + 1);
  const size_t LineMarks = FindCall(C, IsText("M"), BarMarks + 1);
  std::vector<size_t> Order{Panel, Bevel, Title, Walls, FirstAxisText, Clip1, BarPoint, Unclip1,
                            BarMarks, Clip2, LinePoint, LineMarks};
  for (size_t I = 0; I < Order.size(); ++I) ASSERT_LT(Order[I], C.size()) << "step " << I;
  EXPECT_TRUE(std::is_sorted(Order.begin(), Order.end()));

  EXPECT_EQ(C[Panel].Rect, (TRect{0, 0, 705, 569}));
  EXPECT_EQ(C[Panel].Color, ColorToRGB(clBtnFace));
  EXPECT_TRUE(C[BarPoint].Clipped);
  EXPECT_FALSE(C[BarMarks].Clipped);  // marks are not clipped
  EXPECT_EQ(C[Clip1].Points, (TPoints{{88, 519}, {88, 69}, {108, 49}, {617, 49}, {617, 499}, {597, 519}}));
  EXPECT_EQ(Bars->Drawn, (std::vector<int>{0, 1}));
  EXPECT_EQ(Line->Drawn, (std::vector<int>{0}));
  EXPECT_EQ(Bars->HorizontalMarginCalls, 1);
}

TEST_F(TResultChart, WithoutPointClippingNothingIsClipped) {
  Chart.ClipPoints = false;
  Bars->AddPoint(0, 85, "", clAutoColor);
  Chart.Paint();
  EXPECT_TRUE(Surface.CallsOf("SetClipPolygon").empty());
  EXPECT_FALSE(Surface.TextsOf("P0")[0].Clipped);
}

TEST_F(TResultChart, SeriesMarginsWidenTheAutomaticBottomAxis) {
  for (int X = 0; X <= 8; ++X) Bars->AddPoint(X, 50, "", clAutoColor);
  Bars->LeftMargin = Bars->RightMargin = 50;
  Chart.Paint();
  TChartAxis& B = Chart.BottomAxis;
  ASSERT_EQ(B.StartPixel, 88);
  ASSERT_EQ(B.EndPixel, 597);
  EXPECT_DOUBLE_EQ(B.RangeMin, -400.0 / 409);
  EXPECT_DOUBLE_EQ(B.RangeMax, 8 + 400.0 / 409);
  EXPECT_EQ(B.ValueToPixel(0), 88 + 50);
  EXPECT_EQ(B.ValueToPixel(8), 597 - 50);
  EXPECT_EQ(B.Minimum, 0);  // the stored range stays the series' own

  // A fixed end keeps its value and its pixels.
  B.SetMinMax(0, 8);
  Chart.Invalidate();
  Chart.Paint();
  EXPECT_EQ(B.RangeMin, 0);
  EXPECT_EQ(B.RangeMax, 8);
  EXPECT_EQ(Bars->HorizontalMarginCalls, 2);  // asked all the same: bars size themselves there
}

TEST_F(TResultChart, OnePointKeepsAnEmptyRangeInTheMiddle) {
  Bars->AddPoint(0, 50, "", clAutoColor);
  Bars->LeftMargin = Bars->RightMargin = 50;
  Chart.Paint();
  EXPECT_EQ(Chart.BottomAxis.RangeMin, 0);
  EXPECT_EQ(Chart.BottomAxis.RangeMax, 0);
  EXPECT_EQ(Chart.BottomAxis.ValueToPixel(0), 342);
  EXPECT_EQ(Bars->Drawn, (std::vector<int>{0}));
}

TEST_F(TResultChart, VisibleRangeOfBarsAndLines) {
  for (int X = 0; X <= 5; ++X) {
    Bars->AddPoint(X, 50, "", clAutoColor);
    Line->AddPoint(X, 150, "", clAutoColor);
  }
  Chart.BottomAxis.SetMinMax(0.5, 3.5);
  Chart.Paint();
  EXPECT_EQ(Bars->Drawn, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Line->Drawn, (std::vector<int>{1, 2, 3, 4}));  // the line reaches the edge

  Bars->Drawn.clear();
  Chart.BottomAxis.SetMinMax(1, 4);
  Chart.Invalidate();
  Chart.Paint();
  EXPECT_EQ(Bars->Drawn, (std::vector<int>{1, 2, 3, 4}));

  Bars->Drawn.clear();
  Chart.BottomAxis.SetMinMax(6, 9);  // every point left of the plot
  Chart.Invalidate();
  Chart.Paint();
  EXPECT_TRUE(Bars->Drawn.empty());
  EXPECT_EQ(Bars->FirstVisible, -1);
}

TEST_F(TResultChart, InactiveSeriesTakeNoSlotAndNoAxis) {
  Line->Active = false;
  Chart.Paint();
  EXPECT_EQ(Chart.TotalDepth, 10);
  EXPECT_EQ(Bars->DepthSlot, 0);
  EXPECT_TRUE(Surface.TextsOf("300").empty());  // the right axis is not drawn
  EXPECT_TRUE(Surface.TextsOf(ResultTexts().RightAxisTitle).empty());
  EXPECT_EQ(Chart.PlotRect.Right, 684 - 10);
}

TEST_F(TResultChart, FlatChartHasOneFlatBackWall) {
  Chart.View3D = false;
  Chart.Paint();
  EXPECT_TRUE(Surface.CallsOf("Polygon").empty());
  const auto R = Surface.CallsOf("Rectangle");
  ASSERT_EQ(R.size(), 1u);
  const TRect& P = Chart.PlotRect;
  EXPECT_EQ(R[0].Rect, (TRect{P.Left, P.Top, P.Right + 1, P.Bottom + 1}));
}

TEST_F(TResultChart, RepaintFromTheKeptImageRunsNoLayout) {
  int Requests = 0;
  Chart.OnInvalidate = [&] { ++Requests; };
  Chart.Paint();
  EXPECT_EQ(Chart.FullPaintCount(), 1);

  Surface.Clear();
  Chart.Paint();  // uncovered: nothing changed
  EXPECT_EQ(Chart.FullPaintCount(), 1);
  ASSERT_EQ(Surface.Calls.size(), 1u);
  EXPECT_EQ(Surface.Calls[0].Op, "Present");

  Bars->AddPoint(0, 85, "", clAutoColor);
  Line->AddPoint(0, 150, "", clAutoColor);
  EXPECT_EQ(Requests, 2);
  Chart.Paint();  // both requests in one paint
  EXPECT_EQ(Chart.FullPaintCount(), 2);
  Chart.Paint();
  EXPECT_EQ(Chart.FullPaintCount(), 2);

  Chart.SetSize(705, 569);  // the same size: nothing to do
  Chart.Paint();
  EXPECT_EQ(Chart.FullPaintCount(), 2);
  EXPECT_EQ(Surface.ImageCreations, 1);
  Chart.SetSize(600, 500);
  Chart.Paint();
  EXPECT_EQ(Chart.FullPaintCount(), 3);
  EXPECT_EQ(Surface.ImageCreations, 2);
}

}  // namespace
