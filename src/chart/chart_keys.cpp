// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom and scroll by keys, on the ranges the user sees: an automatic end as
// the last paint showed it (with the series' margins), a fixed end as it is
// set, so that keys pressed faster than the chart paints each count.
#include "chart_keys.h"

#include <array>
#include <utility>

#include "chart.h"

namespace {

constexpr double ScrollShare = 0.1;

// The axes the keys move: the bottom axis and the two value axes.
std::array<TChartAxis*, 3> KeyAxes(TChart& Chart) { return {&Chart.BottomAxis, &Chart.LeftAxis, &Chart.RightAxis}; }

std::pair<double, double> CurrentRange(const TChartAxis& Axis) {
  return {Axis.MinimumIsAutomatic() ? Axis.RangeMin : Axis.Minimum,
          Axis.MaximumIsAutomatic() ? Axis.RangeMax : Axis.Maximum};
}

bool ScrollAllowed(const TChart& Chart, bool Horizontal) {
  const TPanningMode Mode = Chart.AllowPanning;
  return Mode == TPanningMode::Both || Mode == (Horizontal ? TPanningMode::Horizontal : TPanningMode::Vertical);
}

void Zoom(TChart& Chart, double Factor) {
  Chart.ZoomScroll.BeforeRangeChange(true);
  for (TChartAxis* Axis : KeyAxes(Chart)) {
    const auto [Low, High] = CurrentRange(*Axis);
    const double Middle = (Low + High) / 2;
    const double HalfWidth = (High - Low) / 2 * Factor;
    Axis->FixAxisRange(Middle - HalfWidth, Middle + HalfWidth);
  }
}

// Moves the axes that run horizontally (or vertically) by a tenth of their
// ranges; Direction +1 shows larger values, -1 smaller.
void Scroll(TChart& Chart, bool Horizontal, int Direction) {
  Chart.ZoomScroll.BeforeRangeChange(false);
  for (TChartAxis* Axis : KeyAxes(Chart)) {
    if (Axis->RunsHorizontally() != Horizontal) continue;
    const auto [Low, High] = CurrentRange(*Axis);
    const double Delta = (High - Low) * ScrollShare * Direction;
    Axis->FixAxisRange(Low + Delta, High + Delta);
  }
}

}  // namespace

bool PressChartKey(TChart& Chart, TChartKey Key) {
  const TChartZoomScroll& Mouse = Chart.ZoomScroll;
  if (Chart.FullPaintCount() == 0 || Mouse.Zoom().Dragging || Mouse.Panning().Dragging) return false;
  switch (Key) {
    case TChartKey::ZoomIn:
    case TChartKey::ZoomOut:
    case TChartKey::Restore:
      if (!Chart.AllowZoom) return false;
      break;
    case TChartKey::ScrollLeft:
    case TChartKey::ScrollRight:
      if (!ScrollAllowed(Chart, true)) return false;
      break;
    case TChartKey::ScrollUp:
    case TChartKey::ScrollDown:
      if (!ScrollAllowed(Chart, false)) return false;
      break;
  }
  switch (Key) {
    case TChartKey::ZoomIn: Zoom(Chart, 0.5); break;
    case TChartKey::ZoomOut: Zoom(Chart, 2.0); break;
    case TChartKey::ScrollLeft: Scroll(Chart, true, -1); break;
    case TChartKey::ScrollRight: Scroll(Chart, true, +1); break;
    case TChartKey::ScrollUp: Scroll(Chart, false, +1); break;
    case TChartKey::ScrollDown: Scroll(Chart, false, -1); break;
    case TChartKey::Restore: Chart.ZoomScroll.UndoZoom(); return true;  // invalidates
  }
  Chart.Invalidate();
  return true;
}
