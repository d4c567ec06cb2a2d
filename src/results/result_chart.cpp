// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/result_chart.h"

#include <optional>

#include "chart/bar_series.h"
#include "chart/chart.h"
#include "chart/line_series.h"
#include "history/history_file.h"
#include "platform/program_texts.h"
#include "results/duration_axis.h"
#include "results/result_texts.h"

namespace {

TSurfaceFont Font(const std::string& Face, int Height, TColor Color) {
  TSurfaceFont Result;
  Result.Name = Face;
  Result.Height = Height;
  Result.Color = Color;
  return Result;
}

void FixRange(TChartAxis& Axis, double Minimum, double Maximum) {
  Axis.Automatic = false;
  Axis.AutomaticMinimum = false;
  Axis.AutomaticMaximum = false;
  Axis.Minimum = Minimum;
  Axis.Maximum = Maximum;
}

}  // namespace

void ConfigureResultFrame(TChart& Chart) {
  const TProgramTexts& T = Texts();
  const TSurfaceFont Gothic21 = Font(T.PGothicFace, 21, clBlack);
  const TSurfaceFont Mincho12 = Font(T.PMinchoFace, 12, clBlack);

  Chart.Title.Text = {ResultTexts().ChartTitle};
  Chart.Title.Font = Font(T.PGothicFace, 21, clBlue);
  // The back wall's brush is hollow: the panel shows through.
  Chart.BackWall.Brush = TChartBrush{clWhite, TBrushStyle::Clear};

  FixRange(Chart.LeftAxis, 0, 100);
  Chart.LeftAxis.Title.Caption = ResultTexts().LeftAxisTitle;
  Chart.LeftAxis.Title.Font = Gothic21;
  Chart.LeftAxis.LabelsFont = Gothic21;

  FixRange(Chart.RightAxis, 100, 300);
  Chart.RightAxis.Title.Caption = ResultTexts().RightAxisTitle;
  Chart.RightAxis.Title.Font = Gothic21;
  Chart.RightAxis.LabelsFont = Gothic21;

  Chart.BottomAxis.LabelsFont = Gothic21;

  for (TChartAxis* Axis : {&Chart.TopAxis, &Chart.DepthAxis}) {
    Axis->LabelsFont = Mincho12;
    Axis->Title.Font = Mincho12;
  }
}

void ConfigureResultChart(TChart& Chart) {
  const TProgramTexts& T = Texts();
  const TSurfaceFont Mincho12 = Font(T.PMinchoFace, 12, clBlack);
  ConfigureResultFrame(Chart);

  auto& PercentBars = Chart.AddSeries<TBarSeries>();
  PercentBars.SeriesColor = clRed;
  PercentBars.HorizAxis = TAxisKind::Bottom;
  PercentBars.VertAxis = TAxisKind::Left;
  PercentBars.Marks.Visible = true;
  PercentBars.Marks.ArrowLength = 20;
  PercentBars.Marks.Font = Font(T.PGothicFace, 16, clBlack);

  auto& DurationLine = Chart.AddSeries<TLineSeries>();
  DurationLine.SeriesColor = clBlue;
  DurationLine.HorizAxis = TAxisKind::Bottom;
  DurationLine.VertAxis = TAxisKind::Right;
  DurationLine.Pointer.Visible = false;
  DurationLine.Marks.Visible = false;
  DurationLine.Marks.ArrowLength = 8;
  DurationLine.Marks.Font = Mincho12;

  for (TChartSeries* Series : {static_cast<TChartSeries*>(&PercentBars), static_cast<TChartSeries*>(&DurationLine)}) {
    Series->XValues.Order = TChartListOrder::Ascending;
    Series->YValues.Order = TChartListOrder::None;
  }
}

void FillResultChart(TChart& Chart, const THistoryFile& History) {
  const TDurationAxisFit Fit{Chart};
  TChartSeries& Bars = Chart.Series(0);
  TChartSeries& Line = Chart.Series(1);
  Bars.ClearPoints();
  Line.ClearPoints();
  const int Count = static_cast<int>(History.Count());
  Bars.ReservePoints(Count);
  Line.ReservePoints(Count);
  const std::string NoLabel;
  // A line without a drill's figures keeps its place, so that the numbers
  // under the bars stay those of the file's lines; the first one's error is
  // told once every drill is in.
  std::optional<std::size_t> FirstUnreadable;
  for (std::size_t I = 0; I < History.Count(); ++I) {
    const std::optional<TDrillFigures> Figures = THistoryFile::FiguresOf(History.Line(I));
    if (!Figures) {
      if (!FirstUnreadable) FirstUnreadable = I;
      continue;
    }
    const double X = static_cast<double>(I);
    Bars.AddPoint(X, Figures->Percent, NoLabel, clAutoColor);
    Line.AddPoint(X, Figures->Duration(), NoLabel, clAutoColor);
  }
  if (FirstUnreadable) {
    // The readers throw the field's own message.
    const std::string_view Unreadable = History.Line(*FirstUnreadable);
    THistoryFile::PercentOf(Unreadable);
    THistoryFile::MinutesOf(Unreadable);
    THistoryFile::SecondsOf(Unreadable);
  }
}
