// SPDX-License-Identifier: GPL-3.0-or-later
// The result chart's settings, and its series filled from the history: one bar
// and one line point per line, rebuilt on every showing, and what a damaged
// line leaves behind. Drawn on the recording surface: the pictures are the
// chart_qt tests' part.
#include <gtest/gtest.h>

#include "chart/bar_series.h"
#include "chart/chart.h"
#include "chart/line_series.h"
#include "chart_test_history.h"
#include "platform/app_error.h"
#include "platform/program_texts.h"
#include "recording_surface.h"
#include "results/result_chart.h"

namespace {

class ResultChartFillTest : public ::testing::Test {
protected:
  void SetUp() override { ConfigureResultChart(Chart); }

  TChartSeries& Bars() { return Chart.Series(0); }
  TChartSeries& Line() { return Chart.Series(1); }

  TRecordingSurface Surface;
  TChart Chart{Surface};
};

// What the pictures cannot show: the series' axes, bar settings and value
// orders, and the hidden marks and pointer of the line.
TEST_F(ResultChartFillTest, SeriesSettingsThePicturesDoNotShow) {
  ASSERT_EQ(Chart.SeriesCount(), 2);
  auto* Bar = dynamic_cast<TBarSeries*>(&Bars());
  auto* Ribbon = dynamic_cast<TLineSeries*>(&Line());
  ASSERT_NE(Bar, nullptr);
  ASSERT_NE(Ribbon, nullptr);
  const TProgramTexts& T = Texts();

  EXPECT_EQ(Bar->HorizAxis, TAxisKind::Bottom);
  EXPECT_EQ(Bar->VertAxis, TAxisKind::Left);
  EXPECT_EQ(Bar->BarWidthPercent(), 70);
  EXPECT_EQ(Bar->MultiBar, TMultiBar::Side);
  EXPECT_TRUE(Bar->SideMargins);
  EXPECT_TRUE(Bar->Marks.Visible);
  EXPECT_EQ(Bar->Marks.Style, TSeriesMarksStyle::Label);
  EXPECT_EQ(Bar->Marks.ArrowLength, 20);
  EXPECT_EQ(Bar->Marks.Font.Name, T.PGothicFace);
  EXPECT_EQ(Bar->Marks.Font.Height, 16);
  EXPECT_EQ(Bar->ValueFormat, "#,##0.###");

  EXPECT_EQ(Ribbon->HorizAxis, TAxisKind::Bottom);
  EXPECT_EQ(Ribbon->VertAxis, TAxisKind::Right);
  EXPECT_FALSE(Ribbon->Pointer.Visible);
  EXPECT_FALSE(Ribbon->Marks.Visible);
  EXPECT_EQ(Ribbon->Marks.ArrowLength, 8);
  EXPECT_EQ(Ribbon->Marks.Font.Name, T.PMinchoFace);
  EXPECT_EQ(Ribbon->Marks.Font.Height, 12);
  for (TChartSeries* Series : {&Bars(), &Line()}) {
    EXPECT_EQ(Series->XValues.Order, TChartListOrder::Ascending);
    EXPECT_EQ(Series->YValues.Order, TChartListOrder::None);
  }
}

TEST_F(ResultChartFillTest, OnePointPerLineInEachSeries) {
  THistoryFile History = MakeHistory({{85, 150}, {100, 300}, {7, 61}});
  FillResultChart(Chart, History);
  ASSERT_EQ(Bars().PointCount(), 3);
  ASSERT_EQ(Line().PointCount(), 3);
  const double Percent[] = {85, 100, 7};
  const double Seconds[] = {150, 300, 61};
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(Bars().XValues.ValueAt(I), I);
    EXPECT_EQ(Bars().YValues.ValueAt(I), Percent[I]);
    EXPECT_EQ(Line().XValues.ValueAt(I), I);
    EXPECT_EQ(Line().YValues.ValueAt(I), Seconds[I]);
    EXPECT_EQ(Bars().PointColor(I), clRed);  // the series' own colour
    EXPECT_EQ(Line().PointColor(I), clBlue);
  }
}

TEST_F(ResultChartFillTest, EveryShowingStartsAfresh) {
  FillResultChart(Chart, MakeHistory({{50, 200}, {60, 210}}));
  FillResultChart(Chart, MakeHistory({{50, 200}, {60, 210}}));
  EXPECT_EQ(Bars().PointCount(), 2);
  EXPECT_EQ(Line().PointCount(), 2);

  FillResultChart(Chart, MakeHistory({}));
  EXPECT_EQ(Bars().PointCount(), 0);
  EXPECT_EQ(Line().PointCount(), 0);
}

// A line with a field that is not a number keeps its place empty, whichever
// field it is, and every drill after it is drawn; the first bad field's error
// is thrown once the chart is filled.
TEST_F(ResultChartFillTest, ADamagedLineLeavesItsPlaceEmptyAndTheDrillsAfterItAreDrawn) {
  struct TCase {
    const char* Name;
    std::size_t At, Width;
    const char* Bytes;
    const char* Field;  // in the error's message
  };
  const TCase Cases[] = {
      {"seconds", 13, 2, "ab", "ab"},
      {"minutes", 9, 2, "1?", "1?"},
      {"percentage, a letter O for a zero", 24, 3, "8O5", "8O5"},
      {"a line that ends before the percentage", 20, 100, "", ""},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    std::vector<std::string> Lines = MakeHistory({{80, 120}, {90, 130}, {70, 140}, {60, 150}}).Lines();
    Lines[1].replace(Case.At, Case.Width, Case.Bytes);
    try {
      FillResultChart(Chart, HistoryOf(Lines));
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), "'" + std::string(Case.Field) + "'" + ToSjis(" は整数ではありません"));
    }
    ASSERT_EQ(Bars().PointCount(), 3);
    ASSERT_EQ(Line().PointCount(), 3);
    const double Places[] = {0, 2, 3};
    for (int I = 0; I < 3; ++I) {
      EXPECT_EQ(Bars().XValues.ValueAt(I), Places[I]);
      EXPECT_EQ(Line().XValues.ValueAt(I), Bars().XValues.ValueAt(I));
    }
    EXPECT_EQ(Bars().YValues.ValueAt(2), 60);
    EXPECT_EQ(Line().YValues.ValueAt(2), 150);
  }
}

}  // namespace
