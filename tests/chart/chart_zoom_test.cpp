// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom, undo and scroll by mouse on a chart laid out on the recording surface:
// which presses start a drag, the inverting rectangle, the ranges they leave.
#include <gtest/gtest.h>

#include "chart/bar_series.h"
#include "chart/chart.h"
#include "chart/line_series.h"
#include "recording_surface.h"
#include "results/result_chart.h"

namespace {

// Value of a vertical axis at a pixel, from the axis's laid-out extent.
double VerticalValue(const TChartAxis& Axis, int Pixel, double Min, double Max) {
  return Max - (Pixel - Axis.StartPixel) * (Max - Min) / Axis.AxisLength;
}

class ChartZoomTest : public ::testing::Test {
protected:
  void SetUp() override {
    ConfigureResultChart(Chart);
    Bars = &dynamic_cast<TBarSeries&>(Chart.Series(0));
    Line = &dynamic_cast<TLineSeries&>(Chart.Series(1));
    Chart.OnInvalidate = [this] { ++Invalidations; };
    // 515 pixels high makes both vertical axes 400 pixels long.
    Chart.SetSize(705, 515);
  }

  void AddDrills(int Count) {
    for (int I = 0; I < Count; ++I) {
      Bars->AddPoint(I, 50 + I % 50, "", clAutoColor);
      Line->AddPoint(I, 150 + I, "", clAutoColor);
    }
  }

  void Paint() {
    Chart.Paint();
    Surface.Clear();
    Invalidations = 0;
  }

  // A point well inside the plot box.
  TPoint Inside() const {
    return TPoint{(Chart.PlotRect.Left + Chart.PlotRect.Right) / 2, (Chart.PlotRect.Top + Chart.PlotRect.Bottom) / 2};
  }

  void Drag(TMouseButton Button, TPoint From, TPoint To) {
    Chart.MouseDown(Button, From.X, From.Y);
    Chart.MouseMove(To.X, To.Y);
    Chart.MouseUp(Button, To.X, To.Y);
  }

  TRecordingSurface Surface;
  TChart Chart{Surface};
  TBarSeries* Bars = nullptr;
  TLineSeries* Line = nullptr;
  int Invalidations = 0;
};

void ExpectRange(const TChartAxis& Axis, bool Automatic, double Min, double Max) {
  EXPECT_EQ(Axis.Automatic, Automatic);
  EXPECT_EQ(Axis.AutomaticMinimum, Automatic);
  EXPECT_EQ(Axis.AutomaticMaximum, Automatic);
  if (!Automatic) {
    EXPECT_NEAR(Axis.Minimum, Min, 1e-9);
    EXPECT_NEAR(Axis.Maximum, Max, 1e-9);
  }
}

TEST(FixAxisRangeTest, FixesBothEndsInOrderWithAMinimalWidth) {
  TRecordingSurface Surface;
  TChart Chart(Surface);
  TChartAxis& Axis = Chart.LeftAxis;
  Axis.FixAxisRange(80, 20);
  ExpectRange(Axis, false, 20, 80);

  Axis.FixAxisRange(5, 5);
  EXPECT_EQ(Axis.Minimum, 5);
  EXPECT_EQ(Axis.Maximum, 5 + 1e-10);

  Axis.FixAxisRange(1.0, 1.0 + 1e-12);
  EXPECT_EQ(Axis.Minimum, 1.0);
  EXPECT_EQ(Axis.Maximum, 1.0 + 1e-10);

  Axis.FixAxisRange(-3, -3 + 2e-10);  // wide enough already
  EXPECT_EQ(Axis.Maximum, -3 + 2e-10);
}

TEST(ZoomPanningRecordTest, StartDragAndOrderCorners) {
  TZoomPanningRecord R;
  R.StartDrag(30, 40);
  EXPECT_TRUE(R.Dragging);
  EXPECT_EQ(R.LastX, 30);
  EXPECT_EQ(R.LastY, 40);
  R.LastX = 10;
  R.LastY = 90;
  R.OrderCorners();
  EXPECT_EQ(R.StartX, 10);
  EXPECT_EQ(R.LastX, 30);
  EXPECT_EQ(R.StartY, 40);
  EXPECT_EQ(R.LastY, 90);
}

TEST_F(ChartZoomTest, DragRightAndDownZoomsIntoTheRectangle) {
  AddDrills(10);
  Paint();
  ASSERT_EQ(Chart.LeftAxis.AxisLength, 400);
  const TPoint A = Inside();
  const TPoint B{A.X + 80, A.Y + 60};
  const TChartAxis& Bottom = Chart.BottomAxis;
  const double Step = Bottom.Range() / Bottom.AxisLength;
  const double BottomLow = Bottom.RangeMin + (A.X - Bottom.StartPixel) * Step;
  const double BottomHigh = Bottom.RangeMin + (B.X - Bottom.StartPixel) * Step;

  Drag(TMouseButton::Left, A, B);

  ExpectRange(Chart.LeftAxis, false, VerticalValue(Chart.LeftAxis, B.Y, 0, 100), VerticalValue(Chart.LeftAxis, A.Y, 0, 100));
  ExpectRange(Chart.RightAxis, false, VerticalValue(Chart.RightAxis, B.Y, 100, 300),
              VerticalValue(Chart.RightAxis, A.Y, 100, 300));
  ExpectRange(Chart.BottomAxis, false, BottomLow, BottomHigh);
  EXPECT_NEAR(Chart.LeftAxis.Maximum - Chart.LeftAxis.Minimum, 60 * 100.0 / 400, 1e-9);
  EXPECT_NEAR(Chart.RightAxis.Maximum - Chart.RightAxis.Minimum, 60 * 200.0 / 400, 1e-9);
  EXPECT_TRUE(Chart.ZoomScroll.IsZoomedIn());
  EXPECT_FALSE(Chart.ZoomScroll.RangesRestored());
  EXPECT_GT(Invalidations, 0);
  EXPECT_EQ(Bars->PointCount(), 10);  // the points are never touched
}

TEST_F(ChartZoomTest, OnlyDragsOfMoreThanSixteenPixelsBothWaysCount) {
  Paint();
  const TPoint A = Inside();
  for (TPoint D : {TPoint{10, 40}, TPoint{16, 40}, TPoint{40, 16}, TPoint{-10, -40}, TPoint{16, 16}}) {
    Drag(TMouseButton::Left, A, TPoint{A.X + D.X, A.Y + D.Y});
    ExpectRange(Chart.LeftAxis, false, 0, 100);
    ExpectRange(Chart.BottomAxis, true, 0, 0);
    EXPECT_FALSE(Chart.ZoomScroll.IsZoomedIn());
    EXPECT_TRUE(Chart.ZoomScroll.RangesRestored());
    EXPECT_FALSE(Chart.ZoomScroll.Zoom().Dragging);
  }
  EXPECT_EQ(Invalidations, 0);

  Drag(TMouseButton::Left, A, TPoint{A.X + 17, A.Y + 17});
  EXPECT_TRUE(Chart.ZoomScroll.IsZoomedIn());
}

TEST_F(ChartZoomTest, AnyOtherLargeDragUndoesTheZoom) {
  AddDrills(5);
  Paint();
  const TPoint A = Inside();
  // Each direction other than right-and-down, after a fresh zoom.
  for (TPoint D : {TPoint{-30, -30}, TPoint{30, -30}, TPoint{-30, 30}}) {
    Drag(TMouseButton::Left, A, TPoint{A.X + 40, A.Y + 40});
    Paint();
    ASSERT_TRUE(Chart.ZoomScroll.IsZoomedIn());
    Drag(TMouseButton::Left, A, TPoint{A.X + D.X, A.Y + D.Y});
    EXPECT_FALSE(Chart.ZoomScroll.IsZoomedIn());
    EXPECT_TRUE(Chart.ZoomScroll.RangesRestored());
    ExpectRange(Chart.LeftAxis, false, 0, 100);
    ExpectRange(Chart.RightAxis, false, 100, 300);
    ExpectRange(Chart.BottomAxis, true, 0, 0);
    EXPECT_GT(Invalidations, 0);
    Paint();
  }
}

TEST_F(ChartZoomTest, UndoWithNothingZoomedKeepsTheSettings) {
  Paint();
  const TPoint A = Inside();
  Drag(TMouseButton::Left, A, TPoint{A.X - 30, A.Y - 30});
  ExpectRange(Chart.LeftAxis, false, 0, 100);
  ExpectRange(Chart.RightAxis, false, 100, 300);
  ExpectRange(Chart.BottomAxis, true, 0, 0);
  EXPECT_TRUE(Chart.ZoomScroll.RangesRestored());
}

TEST_F(ChartZoomTest, ZoomRectangleIsDrawnInvertedAndRemovedAgain) {
  Paint();
  const TPoint A = Inside();
  Chart.MouseDown(TMouseButton::Left, A.X, A.Y);
  Chart.MouseMove(A.X + 30, A.Y + 20);
  Chart.MouseMove(A.X + 30, A.Y + 20);  // same place: nothing drawn
  Chart.MouseUp(TMouseButton::Left, A.X + 31, A.Y + 25);

  // Drawn, removed, drawn at the new place with its inner ring, both removed:
  // every pixel inverted as often as it is put back.
  auto Rects = Surface.CallsOf("Rectangle");
  ASSERT_EQ(Rects.size(), 6u);
  const TRect Zero{A.X, A.Y, A.X, A.Y}, Outer{A.X, A.Y, A.X + 30, A.Y + 20};
  const TRect Inner{A.X + 1, A.Y + 1, A.X + 29, A.Y + 19};
  const TRect Expected[] = {Zero, Zero, Outer, Inner, Outer, Inner};
  for (size_t I = 0; I < Rects.size(); ++I) {
    const auto& R = Rects[I];
    EXPECT_EQ(R.Rect, Expected[I]) << I;
    EXPECT_EQ(R.Pen.Mode, TPenMode::NotXor);
    EXPECT_EQ(R.Pen.Style, TPenStyle::Solid);
    EXPECT_EQ(R.Pen.Width, 1);
    EXPECT_EQ(R.Pen.Color, clBlack);  // inverts whatever lies under it
    EXPECT_EQ(R.Brush.Style, TBrushStyle::Clear);
  }
  // The window sees each change, and the pen is back to copying afterwards.
  EXPECT_GE(Surface.CallsOf("Present").size(), 3u);
  Surface.Clear();
  Chart.Paint();
  ASSERT_FALSE(Surface.Calls.empty());
  for (const auto& Call : Surface.Calls) EXPECT_EQ(Call.Pen.Mode, TPenMode::Copy) << Call.Op;
}

TEST_F(ChartZoomTest, ZoomRectangleOnAWhitePanelIsBlackAndFollowsTheDragUpAndLeft) {
  Chart.Color = clWhite;
  Paint();
  const TPoint A = Inside();
  Chart.MouseDown(TMouseButton::Left, A.X, A.Y);
  Chart.MouseMove(A.X - 20, A.Y - 10);
  auto Rects = Surface.CallsOf("Rectangle");
  ASSERT_EQ(Rects.size(), 4u);
  EXPECT_EQ(Rects[2].Pen.Color, clBlack);
  EXPECT_EQ(Rects[2].Rect, (TRect{A.X - 20, A.Y - 10, A.X, A.Y}));
  EXPECT_EQ(Rects[3].Rect, (TRect{A.X - 19, A.Y - 9, A.X - 1, A.Y - 1}));

  // A paint during the drag draws the rectangle over the new picture.
  Surface.Clear();
  Chart.Invalidate();
  Chart.Paint();
  auto Inverted = Surface.CallsOf("Rectangle");
  ASSERT_FALSE(Inverted.empty());
  EXPECT_EQ(Inverted.back().Pen.Mode, TPenMode::NotXor);
  EXPECT_EQ(Inverted.back().Rect, Rects[3].Rect);
}

TEST_F(ChartZoomTest, PressesOnTheTitleOrOutsideStartNothing) {
  AddDrills(3);
  Paint();
  const TChartAxis& Left = Chart.LeftAxis;
  const TChartAxis& Bottom = Chart.BottomAxis;
  const int TitleY = Chart.PlotRect.Top - 20 - 12;  // inside the title's line, above the back wall
  const int MidX = (Chart.PlotRect.Left + Chart.PlotRect.Right) / 2;
  ASSERT_TRUE(Chart.TitleContains(MidX, TitleY));

  const TPoint Nothing[] = {
      {MidX, TitleY},                          // title
      {5, 5},                                  // panel corner
      {Left.LabelsEdge - 2, Left.CenterPixel}, // on the left axis's labels
      {MidX, Bottom.LabelsEdge + 2},           // on the bottom axis's labels
  };
  for (TPoint P : Nothing) {
    Chart.MouseDown(TMouseButton::Left, P.X, P.Y);
    Chart.MouseDown(TMouseButton::Right, P.X, P.Y);
    EXPECT_FALSE(Chart.ZoomScroll.Zoom().Dragging) << P.X << "," << P.Y;
    EXPECT_FALSE(Chart.ZoomScroll.Panning().Dragging) << P.X << "," << P.Y;
  }
  EXPECT_TRUE(Surface.CallsOf("Rectangle").empty());

  // The band from an axis's line to its labels counts, outside the plot box too.
  Chart.MouseDown(TMouseButton::Left, Left.LabelsEdge + 1, Left.CenterPixel);
  EXPECT_TRUE(Chart.ZoomScroll.Zoom().Dragging);
  Chart.MouseUp(TMouseButton::Left, Left.LabelsEdge + 1, Left.CenterPixel);
  Chart.MouseDown(TMouseButton::Right, MidX, Bottom.LabelsEdge - 1);
  EXPECT_TRUE(Chart.ZoomScroll.Panning().Dragging);
  Chart.MouseUp(TMouseButton::Right, MidX, Bottom.LabelsEdge - 1);
}

TEST_F(ChartZoomTest, PlotBoxCountsOnlyWhileASeriesIsActive) {
  Paint();  // empty chart: the plot box still counts
  const TPoint A = Inside();
  Drag(TMouseButton::Left, A, TPoint{A.X + 20, A.Y + 20});
  EXPECT_TRUE(Chart.ZoomScroll.IsZoomedIn());
  EXPECT_FALSE(Chart.BottomAxis.Automatic);
  EXPECT_LT(Chart.BottomAxis.Minimum, Chart.BottomAxis.Maximum);

  Bars->Active = false;
  Line->Active = false;
  Chart.Invalidate();
  Paint();
  Chart.MouseDown(TMouseButton::Left, A.X, A.Y);
  EXPECT_FALSE(Chart.ZoomScroll.Zoom().Dragging);
}

TEST_F(ChartZoomTest, ASecondButtonDuringADragIsIgnored) {
  Paint();
  const TPoint A = Inside();
  Chart.MouseDown(TMouseButton::Left, A.X, A.Y);
  Chart.MouseDown(TMouseButton::Right, A.X, A.Y);
  EXPECT_FALSE(Chart.ZoomScroll.Panning().Dragging);
  Chart.MouseMove(A.X, A.Y + 50);
  ExpectRange(Chart.RightAxis, false, 100, 300);
  // Releasing the other button ends no zoom.
  Chart.MouseUp(TMouseButton::Right, A.X + 40, A.Y + 50);
  EXPECT_TRUE(Chart.ZoomScroll.Zoom().Dragging);
  Chart.MouseUp(TMouseButton::Left, A.X + 40, A.Y + 50);
  EXPECT_TRUE(Chart.ZoomScroll.IsZoomedIn());
}

TEST_F(ChartZoomTest, ScrollFollowsThePointerStepByStep) {
  AddDrills(10);
  Paint();
  ASSERT_EQ(Chart.RightAxis.AxisLength, 400);
  const double BottomMin = Chart.BottomAxis.Minimum, BottomMax = Chart.BottomAxis.Maximum;
  const TPoint A = Inside();
  Chart.MouseDown(TMouseButton::Right, A.X, A.Y);
  Chart.MouseMove(A.X, A.Y + 50);
  ExpectRange(Chart.RightAxis, false, 125, 325);
  ExpectRange(Chart.LeftAxis, false, 12.5, 112.5);
  ExpectRange(Chart.BottomAxis, true, 0, 0);  // no horizontal move
  EXPECT_FALSE(Chart.ZoomScroll.RangesRestored());
  EXPECT_FALSE(Chart.ZoomScroll.IsZoomedIn());
  EXPECT_EQ(Invalidations, 1);

  // Each step counts from the previous pointer position, not from the press.
  Paint();
  Chart.MouseMove(A.X, A.Y + 50);  // no move: nothing
  EXPECT_EQ(Invalidations, 0);
  Chart.MouseMove(A.X, A.Y + 30);
  Paint();
  ExpectRange(Chart.RightAxis, false, 115, 315);

  // Horizontally: to the right shows smaller x values.
  Chart.MouseMove(A.X + 40, A.Y + 30);
  const double Shift = 40 * (Chart.BottomAxis.Range() / Chart.BottomAxis.AxisLength);
  EXPECT_FALSE(Chart.BottomAxis.Automatic);
  EXPECT_NEAR(Chart.BottomAxis.Minimum, BottomMin - Shift, 1e-9);
  EXPECT_NEAR(Chart.BottomAxis.Maximum, BottomMax - Shift, 1e-9);
  ExpectRange(Chart.RightAxis, false, 115, 315);
  Chart.MouseUp(TMouseButton::Right, A.X + 40, A.Y + 30);
  EXPECT_FALSE(Chart.ZoomScroll.Panning().Dragging);
}

TEST_F(ChartZoomTest, LeavingThePlotBoxEndsTheScrollForGood) {
  Paint();
  const TPoint A = Inside();
  Chart.MouseDown(TMouseButton::Right, A.X, A.Y);
  Chart.MouseMove(A.X, Chart.PlotRect.Bottom + 5);
  EXPECT_FALSE(Chart.ZoomScroll.Panning().Dragging);
  ExpectRange(Chart.RightAxis, false, 100, 300);
  Chart.MouseMove(A.X, A.Y + 50);  // back inside: no scroll
  ExpectRange(Chart.RightAxis, false, 100, 300);
  EXPECT_EQ(Invalidations, 0);
}

TEST_F(ChartZoomTest, PanningSettingLimitsTheDirections) {
  Paint();
  const TPoint A = Inside();
  Chart.AllowPanning = TPanningMode::Horizontal;
  Drag(TMouseButton::Right, A, TPoint{A.X + 30, A.Y + 50});
  ExpectRange(Chart.RightAxis, false, 100, 300);
  EXPECT_FALSE(Chart.BottomAxis.Automatic);

  Chart.AllowPanning = TPanningMode::None;
  Chart.MouseDown(TMouseButton::Right, A.X, A.Y);
  EXPECT_FALSE(Chart.ZoomScroll.Panning().Dragging);

  Chart.AllowZoom = false;
  Chart.MouseDown(TMouseButton::Left, A.X, A.Y);
  EXPECT_FALSE(Chart.ZoomScroll.Zoom().Dragging);
}

TEST_F(ChartZoomTest, UndoGoesBackToBeforeTheFirstScrollOrZoom) {
  AddDrills(8);
  Paint();
  const TPoint A = Inside();
  Drag(TMouseButton::Right, A, TPoint{A.X, A.Y + 50});
  Paint();
  Drag(TMouseButton::Left, A, TPoint{A.X + 50, A.Y + 50});  // a zoom after the scroll saves nothing new
  Paint();
  ASSERT_TRUE(Chart.ZoomScroll.IsZoomedIn());
  Drag(TMouseButton::Left, A, TPoint{A.X - 50, A.Y - 50});
  ExpectRange(Chart.LeftAxis, false, 0, 100);
  ExpectRange(Chart.RightAxis, false, 100, 300);
  ExpectRange(Chart.BottomAxis, true, 0, 0);
}

TEST_F(ChartZoomTest, ZoomSurvivesRefillingTheSeries) {
  AddDrills(6);
  Paint();
  const TPoint A = Inside();
  Drag(TMouseButton::Left, A, TPoint{A.X + 50, A.Y + 40});
  const double LeftMin = Chart.LeftAxis.Minimum, LeftMax = Chart.LeftAxis.Maximum;
  const double BottomMin = Chart.BottomAxis.Minimum, BottomMax = Chart.BottomAxis.Maximum;
  Paint();
  // What showing the window again does: clear and add the points again.
  Bars->ClearPoints();
  Line->ClearPoints();
  AddDrills(7);
  Paint();
  ExpectRange(Chart.LeftAxis, false, LeftMin, LeftMax);
  ExpectRange(Chart.BottomAxis, false, BottomMin, BottomMax);
  EXPECT_DOUBLE_EQ(Chart.BottomAxis.RangeMin, BottomMin);
  EXPECT_TRUE(Chart.ZoomScroll.IsZoomedIn());
}

}  // namespace
