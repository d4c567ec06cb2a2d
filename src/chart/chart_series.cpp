// SPDX-License-Identifier: GPL-3.0-or-later
// The point lists every series keeps, and what the chart's paint asks of a
// series before and while it draws its points.
#include "chart/chart_series.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"

TChartSeries::TChartSeries(TChart& Owner) : FOwner(Owner) {}

int TChartSeries::AddPoint(double X, double Y, const std::string& Label, TColor Color) {
  const int Index = XValues.AddValue(X);
  YValues.InsertValue(Index, Y);
  if (Index == static_cast<int>(FColors.size())) {
    FColors.push_back(Color);  // the usual case: points come in x order
  } else {
    FColors.insert(FColors.begin() + Index, Color);
  }
  if (!Label.empty() && FLabels.empty()) FLabels.resize(FColors.size() - 1);
  if (!FLabels.empty()) {
    FLabels.insert(FLabels.begin() + Index,
                   Label.empty() ? std::optional<std::string>() : std::optional<std::string>(Label));
  }
  if (Active) FOwner.Invalidate();
  return Index;
}

void TChartSeries::ClearPoints() {
  XValues.RemoveAllValues();
  YValues.RemoveAllValues();
  std::vector<TColor>().swap(FColors);
  std::vector<std::optional<std::string>>().swap(FLabels);
  Marks.ClearPositions();
  if (Active) FOwner.Invalidate();
}

void TChartSeries::ReservePoints(int Count) {
  if (Count <= 0) return;
  XValues.Reserve(Count);
  YValues.Reserve(Count);
  FColors.reserve(static_cast<size_t>(Count));
}

TColor TChartSeries::PointColor(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FColors.size())) return SeriesColor;
  const TColor Stored = FColors[static_cast<size_t>(Index)];
  if (Stored != clAutoColor) return Stored;
  // Every point of a series that colours each point alike takes the series' colour.
  return SeriesColor;
}

std::string TChartSeries::PointLabel(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FLabels.size())) return std::string();
  return FLabels[static_cast<size_t>(Index)].value_or(std::string());
}

void TChartSeries::CalcVisibleRange() {
  FirstVisible = -1;
  LastVisible = -1;
  const int Count = PointCount();
  if (Count == 0) return;
  if (XValues.Order != TChartListOrder::Ascending) {
    FirstVisible = 0;
    LastVisible = Count - 1;
    return;
  }

  // The x values at the plot box's left and right edges.
  const TChartAxis& Axis = GetHorizAxis();
  const TRect& Plot = FOwner.PlotRect;
  const double LeftValue = Plot.Left == Axis.StartPixel ? Axis.RangeMin : Axis.PixelToValue(Plot.Left);
  const double RightValue = Plot.Right == Axis.EndPixel ? Axis.RangeMax : Axis.PixelToValue(Plot.Right);

  int First = 0;
  while (First < Count && XValues.ValueAt(First) < LeftValue) ++First;
  if (First == Count) return;

  int Last = Count - 1;
  if (XValues.ValueAt(Count - 1) > RightValue) {
    Last = First;
    while (Last < Count && XValues.ValueAt(Last) < RightValue) ++Last;
    if (Last == Count) Last = Count - 1;
    // A bar beyond the right edge is left out; a line keeps the point so that
    // it reaches the edge.
    if (IsBarSeries() && XValues.ValueAt(Last) > RightValue) --Last;
  }
  FirstVisible = First;
  LastVisible = Last;
}

void TChartSeries::DrawAllPoints() {
  if (FirstVisible < 0) return;
  for (int I = FirstVisible; I <= LastVisible; ++I) DrawPoint(I);
}

void TChartSeries::SetDepthSlot(int Slot, int DepthPerSeries) {
  DepthSlot = Slot;
  StartZ = Slot * DepthPerSeries;
  EndZ = StartZ + DepthPerSeries;
  MiddleZ = (StartZ + EndZ) / 2;
}

TChartAxis& TChartSeries::GetHorizAxis() const { return FOwner.Axis(HorizAxis); }

TChartAxis& TChartSeries::GetVertAxis() const { return FOwner.Axis(VertAxis); }
