// SPDX-License-Identifier: GPL-3.0-or-later
// Value lists and the point lists of a series: ordered insertion, lazily
// recomputed extremes, colours, labels, and the repaint requests they make.
#include <gtest/gtest.h>

#include "chart/bar_series.h"
#include "chart/chart_values.h"
#include "chart/line_series.h"
#include "chart_test_support.h"
#include "platform/app_error.h"

namespace {

std::vector<double> Values(const TChartValueList& L) {
  std::vector<double> V;
  for (int I = 0; I < L.ValueCount(); ++I) V.push_back(L.ValueAt(I));
  return V;
}

TEST(ChartValueList, AscendingListKeepsOrderAndPutsEqualValuesLast) {
  TChartValueList L(TChartListOrder::Ascending);
  EXPECT_EQ(L.AddValue(0), 0);
  EXPECT_EQ(L.AddValue(2), 1);
  EXPECT_EQ(L.AddValue(3), 2);
  EXPECT_EQ(L.AddValue(1), 1);
  EXPECT_EQ(Values(L), (std::vector<double>{0, 1, 2, 3}));
  EXPECT_EQ(L.AddValue(2), 3);  // after the 2 already there
  EXPECT_EQ(L.AddValue(-1), 0);
  EXPECT_EQ(Values(L), (std::vector<double>{-1, 0, 1, 2, 2, 3}));
  EXPECT_EQ(L.AddValue(3), 6);  // equal to the last: last
  EXPECT_EQ(L.AddValue(2.5), 5);
}

TEST(ChartValueList, DescendingAndUnorderedLists) {
  TChartValueList D(TChartListOrder::Descending);
  D.AddValue(5);
  D.AddValue(1);
  EXPECT_EQ(D.AddValue(3), 1);
  EXPECT_EQ(D.AddValue(5), 1);  // after the equal 5
  EXPECT_EQ(Values(D), (std::vector<double>{5, 5, 3, 1}));
  EXPECT_EQ(D.AddValue(1), 4);
  EXPECT_EQ(D.AddValue(0), 5);
  EXPECT_EQ(D.AddValue(2), 3);

  TChartValueList N(TChartListOrder::None);
  N.AddValue(85);
  N.AddValue(100);
  EXPECT_EQ(N.AddValue(60), 2);
  EXPECT_EQ(Values(N), (std::vector<double>{85, 100, 60}));
}

TEST(ChartValueList, ExtremesAreRecomputedAfterEveryChange) {
  TChartValueList L(TChartListOrder::None);
  EXPECT_EQ(L.LowestValue(), 0);
  EXPECT_EQ(L.HighestValue(), 0);
  L.AddValue(85);
  L.AddValue(100);
  L.AddValue(60);
  EXPECT_EQ(L.LowestValue(), 60);
  EXPECT_EQ(L.HighestValue(), 100);
  L.AddValue(120);
  EXPECT_EQ(L.HighestValue(), 120);
  L.InsertValue(0, -5);
  EXPECT_EQ(L.LowestValue(), -5);
  EXPECT_EQ(L.ValueAt(1), 85);
  L.RemoveAllValues();
  EXPECT_EQ(L.ValueCount(), 0);
  EXPECT_EQ(L.LowestValue(), 0);
  EXPECT_EQ(L.HighestValue(), 0);
}

TEST(ChartValueList, IndexOutsideTheListIsAnError) {
  TChartValueList L(TChartListOrder::Ascending);
  L.AddValue(1);
  try {
    L.ValueAt(3);
    FAIL() << "no error";
  } catch (const EAppError& E) {
    EXPECT_EQ(std::string(E.what()), ToSjis("リストのインデックスが範囲を超えています (3)"));
  }
  EXPECT_THROW(L.ValueAt(-1), EAppError);
  EXPECT_THROW(L.InsertValue(3, 0), EAppError);
}

// The lists a new series starts with: x ascending, y unordered.
TEST(SeriesValueLists, OrdersOfANewSeries) {
  TRecordingSurface Surface;
  TChart Chart{Surface};
  const TBarSeries& Bars = Chart.AddSeries<TBarSeries>();
  const TLineSeries& Line = Chart.AddSeries<TLineSeries>();
  for (const TChartSeries* Series : {static_cast<const TChartSeries*>(&Bars), static_cast<const TChartSeries*>(&Line)}) {
    EXPECT_EQ(Series->XValues.Order, TChartListOrder::Ascending);
    EXPECT_EQ(Series->YValues.Order, TChartListOrder::None);
  }
}

struct TSeriesPoints : ::testing::Test {
  TRecordingSurface Surface;
  TChart Chart{Surface};
  TTestSeries& Series = Chart.AddSeries<TTestSeries>();
  int Requests = 0;
  void SetUp() override {
    Series.SeriesColor = clRed;
    Chart.OnInvalidate = [this] { ++Requests; };
  }
};

TEST_F(TSeriesPoints, EmptySeriesHasZeroExtremes) {
  EXPECT_EQ(Series.PointCount(), 0);
  EXPECT_EQ(Series.LowestX(), 0);
  EXPECT_EQ(Series.HighestX(), 0);
  EXPECT_EQ(Series.LowestY(), 0);
  EXPECT_EQ(Series.HighestY(), 0);
}

TEST_F(TSeriesPoints, AllFourListsStayInStep) {
  EXPECT_EQ(Series.AddPoint(0, 85, "", clAutoColor), 0);
  EXPECT_EQ(Series.AddPoint(2, 60, "two", clBlue), 1);
  EXPECT_EQ(Series.AddPoint(3, 100, "", clAutoColor), 2);
  // x = 1 goes between 0 and 2, and its y, colour and label go with it.
  EXPECT_EQ(Series.AddPoint(1, 70, "one", clNone), 1);
  EXPECT_EQ(Series.PointCount(), 4);
  EXPECT_EQ(Series.YValues.ValueAt(1), 70);
  EXPECT_EQ(Series.YValues.ValueAt(2), 60);
  EXPECT_EQ(Series.PointLabel(1), "one");
  EXPECT_EQ(Series.PointLabel(2), "two");
  EXPECT_EQ(Series.PointLabel(0), "");
  EXPECT_EQ(Series.PointLabel(9), "");
  EXPECT_EQ(Series.PointColor(0), clRed);  // clAutoColor takes the series colour
  EXPECT_EQ(Series.PointColor(1), clNone);
  EXPECT_EQ(Series.PointColor(2), clBlue);
  EXPECT_EQ(Series.PointColor(7), clRed);  // beyond the list
  EXPECT_EQ(Series.LowestY(), 60);
  EXPECT_EQ(Series.HighestX(), 3);
}

TEST_F(TSeriesPoints, EveryChangeAsksForARepaintWhileActive) {
  Series.AddPoint(0, 1, "", clAutoColor);
  Series.AddPoint(1, 1, "", clAutoColor);
  EXPECT_EQ(Requests, 2);
  EXPECT_FALSE(Chart.Canvas.RedrawFromBuffer());  // nothing kept to copy: drawn again
  Series.ClearPoints();
  Series.ClearPoints();  // harmless when already empty, and still asks
  EXPECT_EQ(Requests, 4);
  EXPECT_EQ(Series.PointCount(), 0);
  EXPECT_EQ(Series.YValues.ValueCount(), 0);

  Series.Active = false;
  Series.AddPoint(0, 1, "", clAutoColor);
  Series.ClearPoints();
  EXPECT_EQ(Requests, 4);
}

TEST_F(TSeriesPoints, ClearingForgetsLabelsColoursAndMarkPositions) {
  Series.AddPoint(0, 1, "a", clBlue);
  Series.Marks.Positions.resize(1);
  Series.ClearPoints();
  EXPECT_TRUE(Series.Marks.Positions.empty());
  Series.AddPoint(0, 1, "", clAutoColor);
  EXPECT_EQ(Series.PointLabel(0), "");
  EXPECT_EQ(Series.PointColor(0), clRed);
}

}  // namespace
