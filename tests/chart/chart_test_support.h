// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the chart tests share: a series that records what the paint asks of it,
// and the result chart as the program sets it up (results/result_chart.h), at
// its size on the recording surface, with recording series or with the real
// bars and line.
#include <string>
#include <vector>

#include "chart/bar_series.h"
#include "chart/chart.h"
#include "chart/line_series.h"
#include "recording_surface.h"
#include "results/result_chart.h"
#include "results/result_texts.h"

// A series that draws a text "P<i>" per point and "M" for its marks, so the
// order of the paint can be read from the recorded calls.
class TTestSeries : public TChartSeries {
public:
  explicit TTestSeries(TChart& Owner) : TChartSeries(Owner) {}

  void SetBar(bool IsBar) { FIsBar = IsBar; }
  int LeftMargin = 0, RightMargin = 0, TopMargin = 0, BottomMargin = 0;
  int HorizontalMarginCalls = 0;
  std::vector<int> Drawn;

  void HorizontalMargins(int& Left, int& Right) override {
    ++HorizontalMarginCalls;
    Left = LeftMargin;
    Right = RightMargin;
  }
  void VerticalMargins(int& Top, int& Bottom) override {
    Top = TopMargin;
    Bottom = BottomMargin;
  }
  void DrawPoint(int Index) override {
    Drawn.push_back(Index);
    ParentChart().Canvas.TextOut(0, 0, "P" + std::to_string(Index));
  }
  void DrawMarks() override { ParentChart().Canvas.TextOut(0, 0, "M"); }
};

inline TSurfaceFont Font(const std::string& Name, int Height, TColor Color = clBlack) {
  TSurfaceFont F;
  F.Name = Name;
  F.Height = Height;
  F.Color = Color;
  return F;
}

// The result chart's frame with two recording series in place of the bars
// (index 0, left axis) and the line (index 1, right axis).
struct TResultChartFixture {
  TRecordingSurface Surface;
  TChart Chart{Surface};
  TTestSeries* Bars = nullptr;
  TTestSeries* Line = nullptr;

  TResultChartFixture() {
    ConfigureResultFrame(Chart);
    Chart.SetSize(705, 569);
    Bars = &Chart.AddSeries<TTestSeries>();
    Bars->SetBar(true);
    Bars->SeriesColor = clRed;
    Bars->VertAxis = TAxisKind::Left;
    Line = &Chart.AddSeries<TTestSeries>();
    Line->SeriesColor = clBlue;
    Line->VertAxis = TAxisKind::Right;
  }
};

// The result chart's frame with its real series: bars of percentages (index
// 0, left axis) and the line of durations (index 1, right axis), filled with
// made-up drills; counts its invalidations.
struct TRealResultChartFixture {
  TRecordingSurface Surface;
  TChart Chart{Surface};
  TBarSeries* Bars = nullptr;
  TLineSeries* Line = nullptr;
  int Invalidations = 0;

  TRealResultChartFixture() {
    ConfigureResultChart(Chart);
    Chart.SetSize(705, 569);
    Bars = &dynamic_cast<TBarSeries&>(Chart.Series(0));
    Line = &dynamic_cast<TLineSeries&>(Chart.Series(1));
    Chart.OnInvalidate = [this] { ++Invalidations; };
  }
  // With Drills drills, painted once.
  explicit TRealResultChartFixture(int Drills) : TRealResultChartFixture() {
    AddDrills(Drills);
    Paint();
  }

  // Drill i: a bar of 40 to 99 per cent, a duration of 120 to 279 seconds.
  void AddDrills(int Count) {
    for (int I = 0; I < Count; ++I) {
      Bars->AddPoint(I, 40 + (I * 7) % 60, "", clAutoColor);
      Line->AddPoint(I, 120 + (I * 13) % 160, "", clAutoColor);
    }
  }

  void Paint() {
    Chart.Paint();
    Surface.Clear();
    Invalidations = 0;
  }
};
