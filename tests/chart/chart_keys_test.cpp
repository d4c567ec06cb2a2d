// Zoom and scroll by keys on the result chart's frame with its real series:
// the share each key moves the shown ranges by, the way back, and how the keys
// share the saved settings with the mouse.
#include <gtest/gtest.h>

#include <array>

#include "chart_keys.h"
#include "chart_test_support.h"

namespace {

// The ranges the last paint showed: bottom, left, right; each low and high.
using TShown = std::array<double, 6>;

TShown ShownRanges(const TChart& Chart) {
  return {Chart.BottomAxis.RangeMin, Chart.BottomAxis.RangeMax, Chart.LeftAxis.RangeMin,
          Chart.LeftAxis.RangeMax,   Chart.RightAxis.RangeMin,  Chart.RightAxis.RangeMax};
}

class ChartKeysTest : public ::testing::Test, protected TRealResultChartFixture {
protected:
  void SetUp() override {
    AddDrills(30);
    Paint();
    Before = ShownRanges(Chart);
  }
  void Press(TChartKey Key) {
    ASSERT_TRUE(PressChartKey(Chart, Key));
    EXPECT_EQ(Invalidations, 1);  // one repaint per key
    Paint();
  }
  TShown Before{};
};

TEST(ChartKeys, EachKeyMovesTheShownRangesByItsShare) {
  // How far each end moves, in shares of the range: bottom low and high, then
  // the value axes' low and high.
  struct TRow {
    TChartKey Key;
    double BottomLow, BottomHigh, ValueLow, ValueHigh;
    bool Zooms;
  };
  const TRow Rows[] = {
      {TChartKey::ZoomIn, 0.25, -0.25, 0.25, -0.25, true},
      {TChartKey::ZoomOut, -0.5, 0.5, -0.5, 0.5, true},
      {TChartKey::ScrollLeft, -0.1, -0.1, 0, 0, false},
      {TChartKey::ScrollRight, 0.1, 0.1, 0, 0, false},
      {TChartKey::ScrollUp, 0, 0, 0.1, 0.1, false},
      {TChartKey::ScrollDown, 0, 0, -0.1, -0.1, false},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(static_cast<int>(Row.Key));
    TRealResultChartFixture Fresh;
    Fresh.AddDrills(30);
    Fresh.Paint();
    const TShown From = ShownRanges(Fresh.Chart);
    ASSERT_TRUE(PressChartKey(Fresh.Chart, Row.Key));
    EXPECT_EQ(Fresh.Invalidations, 1);
    Fresh.Paint();
    const TShown To = ShownRanges(Fresh.Chart);
    for (int Axis = 0; Axis < 3; ++Axis) {
      const double Low = From[2 * Axis], High = From[2 * Axis + 1], Range = High - Low;
      const bool Bottom = Axis == 0;
      EXPECT_NEAR(To[2 * Axis], Low + (Bottom ? Row.BottomLow : Row.ValueLow) * Range, 1e-9 * Range);
      EXPECT_NEAR(To[2 * Axis + 1], High + (Bottom ? Row.BottomHigh : Row.ValueHigh) * Range, 1e-9 * Range);
    }
    EXPECT_EQ(Fresh.Chart.ZoomScroll.IsZoomedIn(), Row.Zooms);
    EXPECT_FALSE(Fresh.Chart.ZoomScroll.RangesRestored());
    EXPECT_EQ(Fresh.Bars->PointCount(), 30);  // the points are never touched
  }
}

TEST_F(ChartKeysTest, ZoomInThenOutComesBackWithinAPixel) {
  Press(TChartKey::ZoomIn);
  Press(TChartKey::ZoomOut);
  const TShown After = ShownRanges(Chart);
  const TChartAxis* Axes[] = {&Chart.BottomAxis, &Chart.LeftAxis, &Chart.RightAxis};
  for (int Axis = 0; Axis < 3; ++Axis) {
    const double Pixel = (Before[2 * Axis + 1] - Before[2 * Axis]) / Axes[Axis]->AxisLength;
    EXPECT_NEAR(After[2 * Axis], Before[2 * Axis], Pixel);
    EXPECT_NEAR(After[2 * Axis + 1], Before[2 * Axis + 1], Pixel);
  }
}

TEST_F(ChartKeysTest, KeysFasterThanThePaintsEachCount) {
  ASSERT_TRUE(PressChartKey(Chart, TChartKey::ZoomIn));
  ASSERT_TRUE(PressChartKey(Chart, TChartKey::ZoomIn));
  ASSERT_TRUE(PressChartKey(Chart, TChartKey::ScrollDown));
  Paint();
  const TShown After = ShownRanges(Chart);
  const double Width = Before[5] - Before[4];
  EXPECT_NEAR(After[5] - After[4], Width / 4, 1e-9);
  EXPECT_NEAR(After[4], (Before[4] + Before[5]) / 2 - Width / 8 - Width / 40, 1e-9);
}

TEST_F(ChartKeysTest, HomePutsBackTheSettingsExactly) {
  for (TChartKey Key : {TChartKey::ZoomIn, TChartKey::ScrollLeft, TChartKey::ScrollUp, TChartKey::ZoomIn,
                        TChartKey::ZoomOut, TChartKey::ScrollDown}) {
    Press(Key);
  }
  Press(TChartKey::Restore);
  EXPECT_TRUE(Chart.BottomAxis.Automatic);
  EXPECT_FALSE(Chart.LeftAxis.Automatic);
  EXPECT_EQ(Chart.LeftAxis.Minimum, 0);
  EXPECT_EQ(Chart.LeftAxis.Maximum, 100);
  EXPECT_EQ(Chart.RightAxis.Minimum, 100);
  EXPECT_EQ(Chart.RightAxis.Maximum, 300);
  EXPECT_EQ(ShownRanges(Chart), Before);
  EXPECT_FALSE(Chart.ZoomScroll.IsZoomedIn());
  EXPECT_TRUE(Chart.ZoomScroll.RangesRestored());
}

TEST_F(ChartKeysTest, KeysAndTheMouseShareOneSavedSetting) {
  const TPoint Inside{(Chart.PlotRect.Left + Chart.PlotRect.Right) / 2,
                      (Chart.PlotRect.Top + Chart.PlotRect.Bottom) / 2};
  // A key zoom, a mouse scroll, another key: the undo drag goes back to the start.
  Press(TChartKey::ZoomIn);
  Chart.MouseDown(mbRight, Inside.X, Inside.Y);
  Chart.MouseMove(Inside.X + 30, Inside.Y + 20);
  Chart.MouseUp(mbRight, Inside.X + 30, Inside.Y + 20);
  Paint();
  Press(TChartKey::ScrollRight);
  Chart.MouseDown(mbLeft, Inside.X, Inside.Y);
  Chart.MouseMove(Inside.X - 40, Inside.Y - 40);
  Chart.MouseUp(mbLeft, Inside.X - 40, Inside.Y - 40);
  Paint();
  EXPECT_EQ(ShownRanges(Chart), Before);

  // A mouse zoom, then Home: the same.
  Chart.MouseDown(mbLeft, Inside.X, Inside.Y);
  Chart.MouseMove(Inside.X + 60, Inside.Y + 60);
  Chart.MouseUp(mbLeft, Inside.X + 60, Inside.Y + 60);
  Paint();
  ASSERT_NE(ShownRanges(Chart), Before);
  Press(TChartKey::Restore);
  EXPECT_EQ(ShownRanges(Chart), Before);
}

TEST_F(ChartKeysTest, KeysWaitForAPaintAndForTheMouseAndFollowTheSettings) {
  TRealResultChartFixture Unpainted;
  Unpainted.AddDrills(3);
  Unpainted.Invalidations = 0;
  EXPECT_FALSE(PressChartKey(Unpainted.Chart, TChartKey::ZoomIn));
  EXPECT_EQ(Unpainted.Invalidations, 0);
  EXPECT_TRUE(Unpainted.Chart.ZoomScroll.RangesRestored());

  const int X = (Chart.PlotRect.Left + Chart.PlotRect.Right) / 2, Y = (Chart.PlotRect.Top + Chart.PlotRect.Bottom) / 2;
  for (TMouseButton Button : {mbLeft, mbRight}) {
    Chart.MouseDown(Button, X, Y);
    EXPECT_FALSE(PressChartKey(Chart, TChartKey::ScrollLeft));
    Chart.MouseUp(Button, X, Y);
  }
  Paint();
  EXPECT_EQ(ShownRanges(Chart), Before);

  Chart.AllowZoom = false;
  Chart.AllowPanning = pmHorizontal;
  EXPECT_FALSE(PressChartKey(Chart, TChartKey::ZoomIn));
  EXPECT_FALSE(PressChartKey(Chart, TChartKey::Restore));
  EXPECT_FALSE(PressChartKey(Chart, TChartKey::ScrollUp));
  EXPECT_EQ(Invalidations, 0);
  EXPECT_TRUE(PressChartKey(Chart, TChartKey::ScrollRight));
  Chart.AllowPanning = pmNone;
  EXPECT_FALSE(PressChartKey(Chart, TChartKey::ScrollLeft));
}

}  // namespace
