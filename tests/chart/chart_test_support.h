// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the chart tests share: a series that records what the paint asks of it,
// and a chart set up like the result chart (sizes, fonts, fixed left and right
// axes) on the recording surface, with recording series or with the real bars
// and line.
#include <string>
#include <vector>

#include "chart/bar_series.h"
#include "chart/chart.h"
#include "chart/line_series.h"
#include "platform/program_texts.h"
#include "recording_surface.h"

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
    const auto& T = Texts();
    const TSurfaceFont Gothic21 = Font(T.PGothicFace, 21);
    Chart.SetSize(705, 569);
    Chart.Title.Text = {T.ChartTitle};
    Chart.Title.Font = Font(T.PGothicFace, 21, clBlue);
    Chart.BackWall.Brush = TChartBrush{clWhite, bsClear};
    Chart.LeftAxis.SetMinMax(0, 100);
    Chart.LeftAxis.Title.Caption = T.LeftAxisTitle;
    Chart.LeftAxis.Title.Font = Gothic21;
    Chart.LeftAxis.LabelsFont = Gothic21;
    Chart.RightAxis.SetMinMax(100, 300);
    Chart.RightAxis.Title.Caption = T.RightAxisTitle;
    Chart.RightAxis.Title.Font = Gothic21;
    Chart.RightAxis.LabelsFont = Gothic21;
    Chart.BottomAxis.LabelsFont = Gothic21;
    for (TChartAxis* A : {&Chart.TopAxis, &Chart.DepthAxis}) {
      A->LabelsFont = Font(T.PMinchoFace, 12);
      A->Title.Font = Font(T.PMinchoFace, 12);
    }
    Bars = &Chart.AddSeries<TTestSeries>();
    Bars->SetBar(true);
    Bars->SeriesColor = clRed;
    Bars->VertAxis = akLeft;
    Line = &Chart.AddSeries<TTestSeries>();
    Line->SeriesColor = clBlue;
    Line->VertAxis = akRight;
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
    const auto& T = Texts();
    const TSurfaceFont Gothic21 = Font(T.PGothicFace, 21);
    Chart.SetSize(705, 569);
    Chart.Title.Text = {T.ChartTitle};
    Chart.Title.Font = Font(T.PGothicFace, 21, clBlue);
    Chart.LeftAxis.SetMinMax(0, 100);
    Chart.LeftAxis.LabelsFont = Gothic21;
    Chart.RightAxis.SetMinMax(100, 300);
    Chart.RightAxis.LabelsFont = Gothic21;
    Chart.BottomAxis.LabelsFont = Gothic21;
    Bars = &Chart.AddSeries<TBarSeries>();
    Bars->VertAxis = akLeft;
    Line = &Chart.AddSeries<TLineSeries>();
    Line->SeriesColor = clBlue;
    Line->VertAxis = akRight;
    Line->Marks.Visible = false;
    Chart.OnInvalidate = [this] { ++Invalidations; };
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
