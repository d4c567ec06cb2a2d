// SPDX-License-Identifier: GPL-3.0-or-later
// Hit tests: the plane geometry of outlines and lines, and from it the point
// of the chart under the pointer.
#include "chart/hit_test.h"

#include <algorithm>
#include <cmath>

#include "chart/bar_series.h"
#include "chart/chart.h"

namespace {

// The x value that the series' horizontal axis, drawn at depth Z, shows at
// screen column X (nothing while the axis has no extent).
std::optional<double> ValueAtColumn(const TChartSeries& Series, double X, int Z) {
  const TChart& Chart = Series.ParentChart();
  const TChartAxis& Axis = Series.GetHorizAxis();
  if (Axis.AxisLength <= 0) return std::nullopt;
  // The projection moves every x alike at one depth: undo it by its two ends.
  const int Near = Chart.Canvas.ProjectPoint(Axis.StartPixel, 0, Z).X;
  const int Far = Chart.Canvas.ProjectPoint(Axis.EndPixel, 0, Z).X;
  if (Far == Near) return std::nullopt;
  return Axis.RangeMin + (X - Near) / (Far - Near) * Axis.Range();
}

// The first of points First to Last whose x is not below Value (Last + 1 when none).
int FirstNotBelow(const TChartSeries& Series, int First, int Last, double Value) {
  int Low = First, High = Last + 1;
  while (Low < High) {
    const int Middle = Low + (High - Low) / 2;
    if (Series.XValues.ValueAt(Middle) < Value) {
      Low = Middle + 1;
    } else {
      High = Middle;
    }
  }
  return Low;
}

// The visible point of Series whose x, drawn at depth Z, lies nearest screen column X.
std::optional<int> NearestPointInColumn(const TChartSeries& Series, int X, int Z) {
  const int First = Series.FirstVisible, Last = Series.LastVisible;
  if (First < 0 || Last < First) return std::nullopt;
  const std::optional<double> Value = ValueAtColumn(Series, X, Z);
  if (!Value) return First;
  const int Above = std::min(FirstNotBelow(Series, First, Last, *Value), Last);
  if (Above > First && *Value - Series.XValues.ValueAt(Above - 1) <= Series.XValues.ValueAt(Above) - *Value) {
    return Above - 1;
  }
  return Above;
}

// The visible points whose shapes can reach column X: drawn anywhere in the
// series' depth and Slack pixels either way, and one more on each side (a
// line's piece runs from its neighbour).
std::pair<int, int> PointsNearColumn(const TChartSeries& Series, int X, int Slack) {
  const int First = Series.FirstVisible, Last = Series.LastVisible;
  const std::optional<double> Low = ValueAtColumn(Series, X - Slack, Series.EndZ);
  const std::optional<double> High = ValueAtColumn(Series, X + Slack, Series.StartZ);
  if (First < 0 || !Low || !High) return {First, Last};
  const int From = FirstNotBelow(Series, First, Last, std::min(*Low, *High)) - 1;
  const int To = FirstNotBelow(Series, First, Last, std::max(*Low, *High));
  return {std::max(From, First), std::min(To, Last)};
}

}  // namespace

std::optional<int> PointAt(const TChart& Chart, int X, int Y) {
  for (int I = Chart.SeriesCount() - 1; I >= 0; --I) {
    const TChartSeries& Series = Chart.Series(I);
    if (!Series.Active || Series.FirstVisible < 0) continue;
    const auto* Bars = Series.IsBarSeries() ? static_cast<const TBarSeries*>(&Series) : nullptr;
    const int BarWidth = Bars != nullptr ? Bars->BarPixelWidth() : 0;
    const auto [First, Last] = PointsNearColumn(Series, X, BarWidth + 4);
    const std::optional<int> Drawn = Series.ClickedAmong(X, Y, First, Last);
    if (!Drawn) continue;
    if (Bars != nullptr) {
      // Wide bars are told apart by their outlines; where many share a pixel
      // column the topmost is any of them, and the column's own point is meant.
      if (BarWidth > 1) return Drawn;
      return NearestPointInColumn(Series, X, Series.StartZ);
    }
    return NearestPointInColumn(Series, X, Series.MiddleZ);
  }
  return std::nullopt;
}

std::optional<std::pair<int, int>> PointsShown(const TChartSeries& Series) {
  const TChartAxis& Axis = Series.GetHorizAxis();
  const int Count = Series.PointCount();
  int First = 0;
  while (First < Count && Series.XValues.ValueAt(First) < Axis.RangeMin) ++First;
  int Last = First - 1;
  while (Last + 1 < Count && Series.XValues.ValueAt(Last + 1) <= Axis.RangeMax) ++Last;
  if (Last < First) return std::nullopt;
  return std::pair{First, Last};
}

double DistanceToSegment(TPoint A, TPoint B, int X, int Y) {
  const double Dx = static_cast<double>(B.X) - A.X;
  const double Dy = static_cast<double>(B.Y) - A.Y;
  const double Px = static_cast<double>(X) - A.X;
  const double Py = static_cast<double>(Y) - A.Y;
  const double LengthSquared = Dx * Dx + Dy * Dy;
  double T = LengthSquared == 0 ? 0 : (Px * Dx + Py * Dy) / LengthSquared;
  T = std::clamp(T, 0.0, 1.0);
  return std::hypot(Px - T * Dx, Py - T * Dy);
}

bool PolygonContains(std::span<const TPoint> Polygon, int X, int Y) {
  const size_t N = Polygon.size();
  if (N == 0) return false;
  // The outline itself counts as inside, so flat outlines (a bar of no height)
  // can still be hit.
  for (size_t I = 0; I < N; ++I) {
    if (DistanceToSegment(Polygon[I], Polygon[(I + 1) % N], X, Y) < 0.5) return true;
  }
  // Even-odd rule: count the edges that a ray to the right crosses.
  bool Inside = false;
  for (size_t I = 0, J = N - 1; I < N; J = I++) {
    const TPoint& A = Polygon[I];
    const TPoint& B = Polygon[J];
    if ((A.Y > Y) != (B.Y > Y)) {
      const double CrossX = A.X + static_cast<double>(Y - A.Y) * (B.X - A.X) / (B.Y - A.Y);
      if (X < CrossX) Inside = !Inside;
    }
  }
  return Inside;
}
