// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom and scroll by keys on the result chart's frame with its real series:
// the share each key moves the shown ranges by, the way back, and the saved
// settings the keys share with the mouse.
#include <gtest/gtest.h>

#include <array>

#include "chart_keys.h"
#include "chart_test_support.h"

namespace {

// The ranges the last paint showed: bottom, left and right, each low and high.
using TShown = std::array<double, 6>;

TShown ShownRanges(const TChart& Chart) {
  return {Chart.BottomAxis.RangeMin, Chart.BottomAxis.RangeMax, Chart.LeftAxis.RangeMin,
          Chart.LeftAxis.RangeMax,   Chart.RightAxis.RangeMin,  Chart.RightAxis.RangeMax};
}

TEST(ChartKeys, EachKeyMovesTheShownRangesByItsShareWithOneRepaint) {
  // How far each end moves in shares of its range: the bottom axis's ends, the value axes' ends.
  struct TRow {
    TChartKey Key;
    double BottomLow, BottomHigh, ValueLow, ValueHigh;
  };
  const TRow Rows[] = {
      {TChartKey::ZoomIn, 0.25, -0.25, 0.25, -0.25},  {TChartKey::ZoomOut, -0.5, 0.5, -0.5, 0.5},
      {TChartKey::ScrollLeft, -0.1, -0.1, 0, 0},      {TChartKey::ScrollRight, 0.1, 0.1, 0, 0},
      {TChartKey::ScrollUp, 0, 0, 0.1, 0.1},          {TChartKey::ScrollDown, 0, 0, -0.1, -0.1},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(static_cast<int>(Row.Key));
    TRealResultChartFixture F;
    F.AddDrills(30);
    F.Paint();
    const TShown From = ShownRanges(F.Chart);
    ASSERT_TRUE(PressChartKey(F.Chart, Row.Key));
    EXPECT_EQ(F.Invalidations, 1);
    F.Paint();
    const TShown To = ShownRanges(F.Chart);
    const double Shares[] = {Row.BottomLow, Row.BottomHigh, Row.ValueLow, Row.ValueHigh, Row.ValueLow, Row.ValueHigh};
    for (int End = 0; End < 6; ++End) {
      const double Range = From[End | 1] - From[End & ~1];
      EXPECT_NEAR(To[End], From[End] + Shares[End] * Range, 1e-9 * Range) << End;
    }
    EXPECT_FALSE(F.Chart.ZoomScroll.RangesRestored());
  }
}

TEST(ChartKeys, InAndOutComeBackWithinAPixelAndHomeExactlyWhateverTheMouseDid) {
  TRealResultChartFixture F;
  F.AddDrills(30);
  F.Paint();
  const TShown Before = ShownRanges(F.Chart);
  ASSERT_TRUE(PressChartKey(F.Chart, TChartKey::ZoomIn));
  F.Paint();
  ASSERT_TRUE(PressChartKey(F.Chart, TChartKey::ZoomOut));
  F.Paint();
  const TShown Back = ShownRanges(F.Chart);
  const TChartAxis* Axes[] = {&F.Chart.BottomAxis, &F.Chart.LeftAxis, &F.Chart.RightAxis};
  for (int End = 0; End < 6; ++End) {
    EXPECT_NEAR(Back[End], Before[End], (Before[End | 1] - Before[End & ~1]) / Axes[End / 2]->AxisLength) << End;
  }
  // Keys faster than the paints each count: two zooms and a scroll make a quarter, a fortieth lower.
  for (TChartKey Key : {TChartKey::ZoomIn, TChartKey::ZoomIn, TChartKey::ScrollDown}) PressChartKey(F.Chart, Key);
  F.Paint();
  EXPECT_NEAR(F.Chart.LeftAxis.RangeMin, 50 - 12.5 - 2.5, 1e-9);
  EXPECT_NEAR(F.Chart.LeftAxis.RangeMax, 50 + 12.5 - 2.5, 1e-9);
  // A mouse scroll among the keys: Home still goes back to before the first key.
  const TRect P = F.Chart.PlotRect;
  F.Chart.MouseDown(TMouseButton::Right, P.Left + 100, P.Top + 100);
  F.Chart.MouseMove(P.Left + 130, P.Top + 120);
  F.Chart.MouseUp(TMouseButton::Right, P.Left + 130, P.Top + 120);
  F.Paint();
  ASSERT_TRUE(PressChartKey(F.Chart, TChartKey::Restore));
  F.Paint();
  EXPECT_EQ(ShownRanges(F.Chart), Before);
  EXPECT_TRUE(F.Chart.BottomAxis.Automatic);
  EXPECT_FALSE(F.Chart.ZoomScroll.IsZoomedIn());
}

TEST(ChartKeys, KeysWaitForAPaintAndForTheMouseAndFollowTheSettings) {
  TRealResultChartFixture F;
  F.AddDrills(3);
  EXPECT_FALSE(PressChartKey(F.Chart, TChartKey::ZoomIn));  // nothing shown yet
  F.Paint();
  const TRect P = F.Chart.PlotRect;
  F.Chart.MouseDown(TMouseButton::Left, P.Left + 100, P.Top + 100);
  EXPECT_FALSE(PressChartKey(F.Chart, TChartKey::ScrollLeft));  // a zoom drag is on
  F.Chart.MouseUp(TMouseButton::Left, P.Left + 100, P.Top + 100);
  F.Chart.AllowZoom = false;
  F.Chart.AllowPanning = TPanningMode::Horizontal;
  EXPECT_FALSE(PressChartKey(F.Chart, TChartKey::ZoomIn));
  EXPECT_FALSE(PressChartKey(F.Chart, TChartKey::Restore));
  EXPECT_FALSE(PressChartKey(F.Chart, TChartKey::ScrollUp));
  EXPECT_EQ(F.Invalidations, 0);
  EXPECT_TRUE(F.Chart.ZoomScroll.RangesRestored());
  EXPECT_TRUE(PressChartKey(F.Chart, TChartKey::ScrollRight));
}

}  // namespace
