// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom and scroll by keys, on the ranges the user sees: an automatic end as
// the last paint showed it (with the series' margins), a fixed end as it is
// set, so that keys pressed faster than the chart paints each count. Each
// key works out the new range of each of its axes, held to the limits; a
// key that changes no range changes nothing.
#include "chart/chart_keys.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "chart/chart.h"

namespace {

using namespace ChartKeyLimits;

constexpr double ScrollShare = 0.1;

// The axes the keys move, in the order of the opening view: bottom, left, right.
std::array<TChartAxis*, 3> KeyAxes(TChart& Chart) { return {&Chart.BottomAxis, &Chart.LeftAxis, &Chart.RightAxis}; }

TShownRange CurrentRange(const TChartAxis& Axis) {
  return {Axis.MinimumIsAutomatic() ? Axis.RangeMin : Axis.Minimum,
          Axis.MaximumIsAutomatic() ? Axis.RangeMax : Axis.Maximum};
}

bool ScrollAllowed(const TChart& Chart, bool Horizontal) {
  const TPanningMode Mode = Chart.AllowPanning;
  return Mode == TPanningMode::Both || Mode == (Horizontal ? TPanningMode::Horizontal : TPanningMode::Vertical);
}

// The new ranges of the bottom, left and right axes; nothing for an axis the key leaves.
using TNewRanges = std::array<std::optional<TShownRange>, 3>;

// A range of Width about Middle, moved the least way into Bounds when it fits there.
TShownRange Centred(double Middle, double Width, const TShownRange& Bounds) {
  TShownRange R{Middle - Width / 2, Middle + Width / 2};
  if (Width <= Bounds.Width()) {
    if (R.Low < Bounds.Low) R = {Bounds.Low, Bounds.Low + Width};
    if (R.High > Bounds.High) R = {Bounds.High - Width, Bounds.High};
  }
  return R;
}

TNewRanges Zoomed(TChart& Chart, bool In) {
  const auto& Opening = Chart.ZoomScroll.OpeningView();
  const auto Axes = KeyAxes(Chart);
  TNewRanges New;
  for (size_t I = 0; I < Axes.size(); ++I) {
    const TShownRange Now = CurrentRange(*Axes[I]);
    const double Widest = Opening[I].Width();
    double Width;
    if (In) {
      const double Narrowest = std::min(Widest, I == 0 ? BottomSpan : Widest * ValueShare);
      Width = std::min(Now.Width(), std::max(Now.Width() / 2, Narrowest));  // never wider
    } else {
      Width = std::max(Now.Width(), std::min(Now.Width() * 2, Widest));  // never narrower
    }
    New[I] = Centred((Now.Low + Now.High) / 2, Width, Opening[I]);
  }
  return New;
}

// Moves the axes that run horizontally (or vertically) by a tenth of their
// ranges, Direction +1 toward larger values, -1 smaller; no further than half
// the view beyond the opening view's range.
TNewRanges Scrolled(TChart& Chart, bool Horizontal, int Direction) {
  const auto& Opening = Chart.ZoomScroll.OpeningView();
  const auto Axes = KeyAxes(Chart);
  TNewRanges New;
  for (size_t I = 0; I < Axes.size(); ++I) {
    if (Axes[I]->RunsHorizontally() != Horizontal) continue;
    const TShownRange Now = CurrentRange(*Axes[I]);
    double Delta = Now.Width() * ScrollShare * Direction;
    const double Beyond = Now.Width() * ScrollBeyond;
    if (Delta > 0) Delta = std::min(Delta, std::max(0.0, Opening[I].High + Beyond - Now.High));
    if (Delta < 0) Delta = std::max(Delta, std::min(0.0, Opening[I].Low - Beyond - Now.Low));
    New[I] = TShownRange{Now.Low + Delta, Now.High + Delta};
  }
  return New;
}

// The points on the bottom axis: the lowest and the highest x of the series
// plotted against it; nothing without points.
std::optional<TShownRange> PointsExtent(const TChart& Chart) {
  std::optional<TShownRange> Extent;
  for (int I = 0; I < Chart.SeriesCount(); ++I) {
    const TChartSeries& S = Chart.Series(I);
    if (!Chart.SeriesUsesAxis(S, Chart.BottomAxis) || S.PointCount() == 0) continue;
    const TShownRange Own{S.LowestX(), S.HighestX()};
    Extent = Extent ? TShownRange{std::min(Extent->Low, Own.Low), std::max(Extent->High, Own.High)} : Own;
  }
  return Extent;
}

// The page that ends with the point at Last (held between the first page
// and the last), the value axes as they open; nothing when every point fits
// on one page (the opening view shows them all).
std::optional<TNewRanges> PageEndingAt(TChart& Chart, double Last) {
  const std::optional<TShownRange> Points = PointsExtent(Chart);
  if (!Points || Points->Width() < PagePoints) return std::nullopt;
  Last = std::clamp(Last, Points->Low + PagePoints - 1, Points->High);
  const auto& Opening = Chart.ZoomScroll.OpeningView();
  return TNewRanges{TShownRange{Last - (PagePoints - 1) - PagePad, Last + PagePad}, Opening[1], Opening[2]};
}

std::optional<TNewRanges> Paged(TChart& Chart, TChartKey Key) {
  const std::optional<TShownRange> Points = PointsExtent(Chart);
  if (!Points) return std::nullopt;
  if (Key == TChartKey::LatestPage) return PageEndingAt(Chart, Points->High);
  // The last point of the page shown, or the last point the view shows.
  const TShownRange Now = CurrentRange(Chart.BottomAxis);
  const bool OnAPage = !Chart.BottomAxis.Automatic && std::fabs(Now.Width() - (PagePoints - 1 + 2 * PagePad)) < 1e-6;
  const double LastShown = OnAPage ? std::round(Now.High - PagePad) : std::floor(Now.High);
  return PageEndingAt(Chart, LastShown + (Key == TChartKey::PageForward ? PagePoints : -PagePoints));
}

// Whether New moves an end of an axis by a visible amount.
bool MovesVisibly(TChart& Chart, const TNewRanges& New) {
  const auto Axes = KeyAxes(Chart);
  for (size_t I = 0; I < Axes.size(); ++I) {
    if (!New[I] || Axes[I]->AxisLength <= 0) continue;
    const TShownRange Now = CurrentRange(*Axes[I]);
    const double PixelsPerUnit = Axes[I]->AxisLength / std::max(Now.Width(), 1e-10);
    const double Moved = std::max(std::fabs(New[I]->Low - Now.Low), std::fabs(New[I]->High - Now.High));
    if (Moved * PixelsPerUnit >= VisibleMove) return true;
  }
  return false;
}

// Whether New is the opening view, but for the rounding of its ends.
bool IsOpeningView(TChart& Chart, const TNewRanges& New) {
  const auto& Opening = Chart.ZoomScroll.OpeningView();
  for (size_t I = 0; I < New.size(); ++I) {
    if (!New[I]) continue;
    const double Tolerance = 1e-9 * Opening[I].Width();
    if (std::fabs(New[I]->Low - Opening[I].Low) > Tolerance || std::fabs(New[I]->High - Opening[I].High) > Tolerance) {
      return false;
    }
  }
  return true;
}

bool Allowed(const TChart& Chart, TChartKey Key) {
  switch (Key) {
    case TChartKey::ScrollLeft:
    case TChartKey::ScrollRight:
    case TChartKey::PageBack:
    case TChartKey::PageForward: return ScrollAllowed(Chart, true);
    case TChartKey::ScrollUp:
    case TChartKey::ScrollDown: return ScrollAllowed(Chart, false);
    default: return Chart.AllowZoom;
  }
}

}  // namespace

bool PressChartKey(TChart& Chart, TChartKey Key) {
  TChartZoomScroll& Mouse = Chart.ZoomScroll;
  if (Chart.FullPaintCount() == 0 || Mouse.Zoom().Dragging || Mouse.Panning().Dragging) return false;
  if (!Allowed(Chart, Key)) return false;
  if (Key == TChartKey::Restore) {
    Mouse.UndoZoom();  // invalidates
    return true;
  }
  std::optional<TNewRanges> New;
  switch (Key) {
    case TChartKey::ZoomIn: New = Zoomed(Chart, true); break;
    case TChartKey::ZoomOut: New = Zoomed(Chart, false); break;
    case TChartKey::ScrollLeft: New = Scrolled(Chart, true, -1); break;
    case TChartKey::ScrollRight: New = Scrolled(Chart, true, +1); break;
    case TChartKey::ScrollUp: New = Scrolled(Chart, false, +1); break;
    case TChartKey::ScrollDown: New = Scrolled(Chart, false, -1); break;
    default: New = Paged(Chart, Key); break;
  }
  // A page of everything, or a zoom out to the whole opening view, is the opening view itself.
  if (!New || (Key == TChartKey::ZoomOut && IsOpeningView(Chart, *New))) {
    if (Mouse.RangesRestored()) return false;
    Mouse.UndoZoom();  // invalidates
    return true;
  }
  if (!MovesVisibly(Chart, *New)) return false;
  const bool Zooming = Key != TChartKey::ScrollLeft && Key != TChartKey::ScrollRight && Key != TChartKey::ScrollUp &&
                       Key != TChartKey::ScrollDown;
  Mouse.BeforeRangeChange(Zooming);
  const auto Axes = KeyAxes(Chart);
  for (size_t I = 0; I < Axes.size(); ++I) {
    if (const auto& Range = (*New)[I]) Axes[I]->FixAxisRange(Range->Low, Range->High);
  }
  Chart.Invalidate();
  return true;
}
