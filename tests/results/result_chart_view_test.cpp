// SPDX-License-Identifier: GPL-3.0-or-later
// The result chart's opening view of any history, drawn on the recording
// surface: the duration axis takes in every drill, and long histories show
// their bars' and ribbon's faces and a readable set of value marks.
#include <gtest/gtest.h>

#include <set>

#include "chart/bar_series.h"
#include "chart/chart.h"
#include "chart/chart_keys.h"
#include "chart_test_history.h"
#include "recording_surface.h"
#include "results/result_chart.h"

namespace {

class ResultChartViewTest : public ::testing::Test {
protected:
  void SetUp() override { ConfigureResultChart(Chart); }

  TChartSeries& Bars() { return Chart.Series(0); }

  TRecordingSurface Surface;
  TChart Chart{Surface};
};

// The duration axis takes in the shortest and the longest drill in whole
// hundreds of seconds, and keeps 100 to 300 seconds while they lie inside.
TEST_F(ResultChartViewTest, DurationAxisTakesInEveryDrill) {
  struct TRow {
    int Drills, Shortest, Longest;
    double Minimum, Maximum;
  };
  const TRow Rows[] = {
      {0, 0, 0, 100, 300},          {1, 200, 200, 100, 300},        {30, 250, 290, 100, 300},
      {365, 100, 300, 100, 300},    {20, 330, 480, 100, 500},       {3000, 45, 300, 0, 300},
      {10000, 99, 301, 0, 400},     {365, 100, 5999, 100, 6000},    {30, 0, 250, 0, 300},
      {3000, 200, 400, 100, 400},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(testing::Message() << Row.Drills << " drills, " << Row.Shortest << " to " << Row.Longest << " s");
    std::vector<std::pair<int, int>> Drills;
    for (int I = 0; I < Row.Drills; ++I) {
      const int Span = Row.Longest - Row.Shortest + 1;
      const int Seconds = I == 0 ? Row.Shortest : I == Row.Drills - 1 ? Row.Longest : Row.Shortest + (I * 37) % Span;
      Drills.push_back({I % 101, Seconds});
    }
    FillResultChart(Chart, MakeHistory(Drills));
    EXPECT_FALSE(Chart.RightAxis.Automatic);
    EXPECT_EQ(Chart.RightAxis.Minimum, Row.Minimum);
    EXPECT_EQ(Chart.RightAxis.Maximum, Row.Maximum);
  }
}

// A view the user zoomed keeps its duration range through a new showing;
// Home brings back the range the showing before it had fitted.
TEST_F(ResultChartViewTest, ZoomedViewKeepsItsDurationRange) {
  Chart.SetSize(705, 569);
  FillResultChart(Chart, MakeHistory({{50, 200}, {60, 480}}));
  Chart.Paint();
  ASSERT_TRUE(PressChartKey(Chart, TChartKey::ZoomIn));
  const double Low = Chart.RightAxis.Minimum, High = Chart.RightAxis.Maximum;
  FillResultChart(Chart, MakeHistory({{50, 200}, {60, 480}, {70, 20}}));
  EXPECT_EQ(Chart.RightAxis.Minimum, Low);
  EXPECT_EQ(Chart.RightAxis.Maximum, High);
  ASSERT_TRUE(PressChartKey(Chart, TChartKey::Restore));
  EXPECT_EQ(Chart.RightAxis.Minimum, 100);
  EXPECT_EQ(Chart.RightAxis.Maximum, 500);
}

// A line that does not read ends the filling with an error: the drills read
// are on the duration axis all the same.
TEST_F(ResultChartViewTest, ADamagedLineLeavesTheDurationAxisFitted) {
  std::vector<std::string> Lines = MakeHistory({{80, 480}, {90, 130}, {70, 140}}).Lines();
  Lines[2].replace(13, 2, "ab");  // bytes 14-15: the seconds
  EXPECT_ANY_THROW(FillResultChart(Chart, HistoryOf(Lines)));
  EXPECT_EQ(Chart.RightAxis.Minimum, 100);
  EXPECT_EQ(Chart.RightAxis.Maximum, 500);
}

// The opening view of long histories: thin bars and the ribbon's thin pieces
// are outlined in their own colours so their faces show; the value marks
// drawn neither meet one another nor the title, and the latest drill's is
// drawn last.
TEST_F(ResultChartViewTest, LongHistoriesShowRedBarsAndRowsOfMarks) {
  struct TRow {
    int Drills;
    bool ThinBars;
    size_t LeastMarks;  // a readable row at least
  };
  const TRow Rows[] = {{1, false, 1},    {30, false, 20},  {100, false, 20},
                       {365, true, 20},  {3000, true, 20}, {10000, true, 20}};
  auto Meet = [](const TRect& A, const TRect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
  };
  Chart.SetSize(705, 569);
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Drills);
    FillResultChart(Chart, MadeUpHistory(static_cast<std::size_t>(Row.Drills)));
    Surface.Clear();
    Chart.Paint();
    auto& Bars = static_cast<TBarSeries&>(this->Bars());
    EXPECT_EQ(Bars.BarPixelWidth() < TBarSeries::ThinBarWidth, Row.ThinBars);
    std::set<TColor> FrontOutlines, RibbonOutlines;
    std::vector<TRect> MarkBoxes;
    for (const TRecordedCall& Call : Surface.Calls) {
      if (Call.Op == "Polygon" && Call.Brush.Color == ColorToRGB(clRed)) FrontOutlines.insert(Call.Pen.Color);
      if (Call.Op == "Polygon" && Call.Brush.Color == ColorToRGB(clBlue)) RibbonOutlines.insert(Call.Pen.Color);
      if (Call.Op == "Rectangle" && Call.Brush.Color == ColorToRGB(clLightYellow)) MarkBoxes.push_back(Call.Rect);
    }
    EXPECT_EQ(FrontOutlines, (std::set<TColor>{ColorToRGB(Row.ThinBars ? clRed : clBlack)}));
    // The ribbon likewise, where one drill is a few pixels from the next.
    if (Row.Drills > 1) {
      EXPECT_EQ(RibbonOutlines.count(ColorToRGB(clBlack)), Row.ThinBars ? 0u : 1u);
    }
    ASSERT_FALSE(MarkBoxes.empty());
    EXPECT_EQ(MarkBoxes.back(), Bars.Marks.BoxOnScreen(Chart.Canvas, Bars.Marks.Positions.back(), Bars.MiddleZ));
    for (size_t I = 0; I < MarkBoxes.size(); ++I) {
      if (I + 1 < MarkBoxes.size()) {
        EXPECT_FALSE(Meet(MarkBoxes[I], Chart.TitleRect())) << I;
      }
      for (size_t J = I + 1; J < MarkBoxes.size(); ++J) EXPECT_FALSE(Meet(MarkBoxes[I], MarkBoxes[J])) << I << " " << J;
    }
    EXPECT_GE(MarkBoxes.size(), Row.LeastMarks);
  }
}

}  // namespace
