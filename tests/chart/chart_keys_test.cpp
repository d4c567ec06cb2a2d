// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom and scroll by keys on the result chart's frame with its real series:
// the share each key moves the shown ranges by, the limits that keep the view
// on the drills, the pages of the latest drills, the way back, and the saved
// settings the keys share with the mouse.
#include <gtest/gtest.h>

#include <array>

#include "chart/chart_keys.h"
#include "chart/hit_test.h"
#include "chart_test_support.h"

namespace {

using namespace ChartKeyLimits;

// The ranges the last paint showed: bottom, left and right, each low and high.
using TShown = std::array<double, 6>;

TShown ShownRanges(const TChart& Chart) {
  return {Chart.BottomAxis.RangeMin, Chart.BottomAxis.RangeMax, Chart.LeftAxis.RangeMin,
          Chart.LeftAxis.RangeMax,   Chart.RightAxis.RangeMin,  Chart.RightAxis.RangeMax};
}

double Width(const TChartAxis& Axis) { return Axis.RangeMax - Axis.RangeMin; }

// Presses Key until it does nothing (at most Limit times), painting after
// each; returns how often it did something.
int PressUntilRefused(TRealResultChartFixture& F, TChartKey Key, int Limit = 200) {
  int Presses = 0;
  while (Presses < Limit && PressChartKey(F.Chart, Key)) {
    ++Presses;
    F.Paint();
  }
  return Presses;
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
    TRealResultChartFixture F(100);
    // Two zooms in first: a quarter of each range, with room for every key.
    for (int I = 0; I < 2; ++I) ASSERT_TRUE(PressChartKey(F.Chart, TChartKey::ZoomIn));
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

// From the opening view "-" does nothing; "+" narrows each axis down to its
// limit and then does nothing; "-" then widens back to the opening view, and
// no further.
TEST(ChartKeys, ZoomKeysStayBetweenTheOpeningViewAndAReadableSpan) {
  struct TRow {
    int Drills;
    int ZoomsIn;          // presses before "+" is refused
    double NarrowestDrills;  // the bottom axis's range then
  };
  const TRow Rows[] = {{3, 4, 0}, {30, 4, BottomSpan}, {3000, 10, BottomSpan}};
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Drills);
    TRealResultChartFixture F(Row.Drills);
    const TShown Opening = ShownRanges(F.Chart);
    EXPECT_FALSE(PressChartKey(F.Chart, TChartKey::ZoomOut));
    EXPECT_EQ(F.Invalidations, 0);
    EXPECT_TRUE(F.Chart.ZoomScroll.RangesRestored());

    EXPECT_EQ(PressUntilRefused(F, TChartKey::ZoomIn), Row.ZoomsIn);
    EXPECT_NEAR(Width(F.Chart.LeftAxis), 100 * ValueShare, 1e-9);
    EXPECT_NEAR(Width(F.Chart.RightAxis), 200 * ValueShare, 1e-9);
    const double Bottom = Row.NarrowestDrills > 0 ? Row.NarrowestDrills : Opening[1] - Opening[0];
    EXPECT_NEAR(Width(F.Chart.BottomAxis), Bottom, 1e-9);

    EXPECT_GT(PressUntilRefused(F, TChartKey::ZoomOut), 0);
    EXPECT_EQ(ShownRanges(F.Chart), Opening);
    EXPECT_TRUE(F.Chart.ZoomScroll.RangesRestored());
    EXPECT_TRUE(F.Chart.BottomAxis.Automatic);
  }
}

// Each arrow press moves the view by pixels one sees, from the opening view
// and zoomed in, at 3 drills and at 3,000; pressed on and on it stops with
// half the view still over the opening view's range.
TEST(ChartKeys, ArrowsMoveVisiblyAndStopBeforeLeavingTheDrills) {
  struct TRow {
    int Drills;
    int ZoomsIn;
    TChartKey Key;
  };
  const TRow Rows[] = {
      {3, 0, TChartKey::ScrollLeft},    {3, 0, TChartKey::ScrollRight}, {3, 2, TChartKey::ScrollUp},
      {3, 2, TChartKey::ScrollDown},    {3000, 0, TChartKey::ScrollRight}, {3000, 3, TChartKey::ScrollLeft},
      {3000, 3, TChartKey::ScrollRight}, {3000, 0, TChartKey::ScrollUp},   {3000, 8, TChartKey::ScrollDown},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(testing::Message() << Row.Drills << " drills, " << Row.ZoomsIn << " zooms, key "
                                    << static_cast<int>(Row.Key));
    TRealResultChartFixture F(Row.Drills);
    const TShown Opening = ShownRanges(F.Chart);
    for (int I = 0; I < Row.ZoomsIn; ++I) ASSERT_TRUE(PressChartKey(F.Chart, TChartKey::ZoomIn));
    F.Paint();
    const bool Horizontal = Row.Key == TChartKey::ScrollLeft || Row.Key == TChartKey::ScrollRight;
    const TChartAxis& Axis = Horizontal ? F.Chart.BottomAxis : F.Chart.LeftAxis;
    const int End = Horizontal ? 0 : 2;
    int Presses = 0;
    for (; Presses < 200; ++Presses) {
      const double Before = Axis.RangeMin;
      if (!PressChartKey(F.Chart, Row.Key)) break;
      F.Paint();
      EXPECT_GE(std::abs(Axis.ValueToPixel(Before) - Axis.ValueToPixel(Axis.RangeMin)), VisibleMove) << Presses;
    }
    EXPECT_GT(Presses, 0);
    EXPECT_LT(Presses, 200);
    // Half the view at most lies beyond the opening view's range, on either side.
    const double Half = (Axis.RangeMax - Axis.RangeMin) / 2;
    EXPECT_GE(Axis.RangeMin, Opening[End] - Half - 1e-9);
    EXPECT_LE(Axis.RangeMax, Opening[End + 1] + Half + 1e-9);
    EXPECT_TRUE(PointsShown(*F.Bars).has_value());
  }
}

// End shows the latest page of drills with the value axes as they open; Page
// Up and Page Down go a page back and forth, and stop at the first and the
// latest page; with no more drills than a page End is the opening view.
TEST(ChartKeys, EndAndThePageKeysShowPagesOfDrills) {
  using TDrills = std::optional<std::pair<int, int>>;
  struct TStep {
    TChartKey Key;
    bool Done;
    TDrills Shown;
  };
  struct TRow {
    int Drills;
    std::vector<TStep> Steps;
  };
  const TChartKey End = TChartKey::LatestPage, Up = TChartKey::PageBack, Down = TChartKey::PageForward;
  const std::vector<TRow> Rows = {
      {3000,
       {{End, true, {{2970, 2999}}},
        {Up, true, {{2940, 2969}}},
        {Up, true, {{2910, 2939}}},
        {Down, true, {{2940, 2969}}},
        {Down, true, {{2970, 2999}}},
        {Down, false, {{2970, 2999}}},
        {End, false, {{2970, 2999}}},
        {TChartKey::Restore, true, {{0, 2999}}},
        {Up, true, {{2940, 2969}}}}},
      {45, {{Down, true, {{15, 44}}}, {Up, true, {{0, 29}}}, {Up, false, {{0, 29}}}, {End, true, {{15, 44}}}}},
      {31, {{End, true, {{1, 30}}}}},
      {30, {{End, false, {{0, 29}}}, {Up, false, {{0, 29}}}}},
      {1, {{End, false, {{0, 0}}}}},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Drills);
    TRealResultChartFixture F(Row.Drills);
    const TShown Opening = ShownRanges(F.Chart);
    int Step = 0;
    for (const TStep& S : Row.Steps) {
      SCOPED_TRACE(Step++);
      EXPECT_EQ(PressChartKey(F.Chart, S.Key), S.Done);
      F.Paint();
      EXPECT_EQ(PointsShown(*F.Bars), S.Shown);
      // A page's bars get the room of the page, however long the history.
      if (S.Shown && S.Shown->second - S.Shown->first + 1 == PagePoints) {
        EXPECT_GE(F.Bars->BarPixelWidth(), 2 * TBarSeries::ThinBarWidth);
      }
      EXPECT_EQ(F.Chart.LeftAxis.RangeMin, Opening[2]);
      EXPECT_EQ(F.Chart.LeftAxis.RangeMax, Opening[3]);
      EXPECT_EQ(F.Chart.RightAxis.RangeMin, Opening[4]);
      EXPECT_EQ(F.Chart.RightAxis.RangeMax, Opening[5]);
    }
  }
}

TEST(ChartKeys, InAndOutComeBackWithinAPixelAndHomeExactlyWhateverTheMouseDid) {
  TRealResultChartFixture F(30);
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
