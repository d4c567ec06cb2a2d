// SPDX-License-Identifier: GPL-3.0-or-later
// The point under the pointer on the result chart's frame with its real
// series, at one, thirty and a thousand drills (bars narrower than a pixel),
// and the points inside the shown range.
#include <gtest/gtest.h>

#include <cstdlib>

#include "chart/chart_keys.h"
#include "chart/hit_test.h"
#include "chart_test_support.h"

namespace {

// On bar I's front face, just above the axis, below where the line runs.
TPoint OnBarFront(const TRealResultChartFixture& F, int I) {
  const int X = F.Chart.BottomAxis.ValueToPixel(F.Bars->XValues.ValueAt(I));  // the bar's middle
  return F.Chart.Canvas.ProjectPoint(X, F.Chart.LeftAxis.ValueToPixel(2), F.Bars->StartZ);
}

// On the line at point I, in the middle of the ribbon's depth.
TPoint OnLine(const TRealResultChartFixture& F, int I) {
  const int X = F.Chart.BottomAxis.ValueToPixel(F.Line->XValues.ValueAt(I));
  const int Y = F.Chart.RightAxis.ValueToPixel(F.Line->YValues.ValueAt(I));
  return F.Chart.Canvas.ProjectPoint(X, Y, F.Line->MiddleZ);
}

TEST(PointAt, FindsTheDrillUnderThePointerAtAnyCount) {
  for (int Count : {1, 30, 1000}) {
    SCOPED_TRACE(Count);
    TRealResultChartFixture F(Count);
    for (int I : {0, Count / 2, Count - 1}) {
      SCOPED_TRACE(I);
      const TPoint Bar = OnBarFront(F, I);
      const auto OnBar = PointAt(F.Chart, Bar.X, Bar.Y);
      ASSERT_TRUE(OnBar.has_value());
      if (F.Bars->BarPixelWidth() > 1) {
        EXPECT_EQ(*OnBar, I);
      } else {
        // Several drills share the pixel column: the one found is drawn in it.
        EXPECT_LE(std::abs(F.Chart.BottomAxis.ValueToPixel(*OnBar) - F.Chart.BottomAxis.ValueToPixel(I)), 1);
        EXPECT_LE(std::abs(*OnBar - I), 2);
      }
      if (Count > 1) {  // a single point draws no line
        const TPoint Line = OnLine(F, I);
        const auto OnRibbon = PointAt(F.Chart, Line.X, Line.Y);
        ASSERT_TRUE(OnRibbon.has_value());
        EXPECT_LE(std::abs(*OnRibbon - I), Count > 30 ? 2 : 0);
      }
    }
    // Above everything in the plot box's top left corner, and on the title: no drill.
    EXPECT_FALSE(PointAt(F.Chart, F.Chart.PlotRect.Left + 2, F.Chart.PlotRect.Top + 2).has_value());
    EXPECT_FALSE(PointAt(F.Chart, F.Chart.Width() / 2, 10).has_value());
  }
}

// PointAt looks only at the shapes near the pointer's column: over the whole
// plot box it finds a drill exactly where some series' full hit test does, and
// on wide bars alone the same bar.
TEST(PointAt, LooksNearThePointerYetMissesNoShape) {
  for (int Count : {30, 1000}) {
    SCOPED_TRACE(Count);
    TRealResultChartFixture F(Count);
    const TRect& Plot = F.Chart.PlotRect;
    for (int X = Plot.Left - 10; X < Plot.Right + 20; X += 5) {
      for (int Y = Plot.Top - 20; Y < Plot.Bottom + 10; Y += 13) {
        const auto Found = PointAt(F.Chart, X, Y);
        const auto OnLine = F.Line->Clicked(X, Y);
        const auto OnBar = F.Bars->Clicked(X, Y);
        ASSERT_EQ(Found.has_value(), OnLine.has_value() || OnBar.has_value()) << X << ", " << Y;
        if (!OnLine && OnBar && F.Bars->BarPixelWidth() > 1) {
          ASSERT_EQ(Found, OnBar) << X << ", " << Y;
        }
      }
    }
  }
}

TEST(PointsShown, AreThePointsInsideTheShownRange) {
  TRealResultChartFixture F(30);
  EXPECT_EQ(PointsShown(*F.Bars), (std::pair{0, 29}));
  ASSERT_TRUE(PressChartKey(F.Chart, TChartKey::ZoomIn));
  F.Paint();
  // The bottom axis showed about -0.9 to 29.9; its middle half is about 6.8 to 22.2.
  EXPECT_EQ(PointsShown(*F.Bars), (std::pair{7, 22}));
  for (int I = 0; I < 3; ++I) ASSERT_TRUE(PressChartKey(F.Chart, TChartKey::ScrollRight));
  F.Paint();
  // Three tenths of that further right: about 11.4 to 26.8.
  EXPECT_EQ(PointsShown(*F.Bars), (std::pair{12, 26}));
}

}  // namespace
