// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Zoom and scroll by keys: each key changes the ranges of the bottom axis and
// of both value axes the way a mouse zoom, scroll or undo does (through the
// same range fixing, the same saved settings for the undo), by a fixed share
// of the ranges the last paint showed.
class TChart;

enum class TChartKey {
  ZoomIn,       // to the middle half of each range
  ZoomOut,      // each range twice as wide, about its middle
  ScrollLeft,   // the bottom axis a tenth of its range toward smaller values
  ScrollRight,  // ... toward larger values
  ScrollUp,     // both value axes a tenth of their ranges toward larger values
  ScrollDown,   // ... toward smaller values
  Restore,      // the undo of a zoom or scroll
};

// Carries out Key on the chart and invalidates it once. Returns false, and
// changes nothing, before the chart's first paint, while a mouse drag is on,
// or when the chart does not allow that zoom or scroll.
bool PressChartKey(TChart& Chart, TChartKey Key);
