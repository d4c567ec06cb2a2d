// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Zoom and scroll by keys: each key changes the ranges of the bottom axis and
// of both value axes the way a mouse zoom, scroll or undo does (through the
// same range fixing, the same saved settings for the undo), by a fixed share
// of the ranges the last paint showed. The keys keep to the points: they never
// show more than the opening view (everything, as the chart first showed it),
// never less than a readable part of it, and never scroll it away from the
// points. The points stand one unit apart on the bottom axis (the result
// chart's drills), which is what a page counts.
class TChart;

enum class TChartKey {
  ZoomIn,       // to the middle half of each range, down to the narrowest below
  ZoomOut,      // each range twice as wide, about its middle, up to the opening view
  ScrollLeft,   // the bottom axis a tenth of its range toward smaller values
  ScrollRight,  // ... toward larger values
  ScrollUp,     // both value axes a tenth of their ranges toward larger values
  ScrollDown,   // ... toward smaller values
  Restore,      // the undo of a zoom or scroll
  LatestPage,   // the last PagePoints points, the value axes as they open
  PageBack,     // the PagePoints points before the first page point shown
  PageForward,  // the PagePoints points after the last one shown
};

namespace ChartKeyLimits {
// The narrowest a key zooms: a tenth of each value axis's opening range (10
// points of a percentage), five units of the bottom axis.
inline constexpr double ValueShare = 0.1;
inline constexpr double BottomSpan = 5;
// A scroll stops where half the view lies beyond the opening view's range.
inline constexpr double ScrollBeyond = 0.5;
// A move of less than this many pixels is no move: the key does nothing.
inline constexpr int VisibleMove = 2;
// A page: this many points, with half a unit before the first and after the
// last (a point's own room: no neighbour's bar shows).
inline constexpr int PagePoints = 30;
inline constexpr double PagePad = 0.5;
}  // namespace ChartKeyLimits

// Carries out Key on the chart and invalidates it once. Returns false, and
// changes nothing, before the chart's first paint, while a mouse drag is on,
// when the chart does not allow that zoom or scroll, or when the view is
// already at the key's limit.
bool PressChartKey(TChart& Chart, TChartKey Key);
