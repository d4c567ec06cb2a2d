// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hit tests on what the last paint drew: plane geometry for the series' own
// tests (is a pixel inside a drawn outline, how far is it from a drawn line),
// the point under the pointer, and the points inside the shown range.
#include <optional>
#include <span>
#include <utility>

#include "chart/chart_types.h"

class TChart;
class TChartSeries;

// True when (X, Y) lies inside the polygon or on its outline.
bool PolygonContains(std::span<const TPoint> Polygon, int X, int Y);
// Distance in pixels from (X, Y) to the segment from A to B.
double DistanceToSegment(TPoint A, TPoint B, int X, int Y);

// The point the last paint drew at (X, Y), asking the active series from the
// last to the first. On a bar more than a pixel wide it is that bar; on the
// line, or on bars a pixel wide or less, it is the visible point whose x lies
// nearest the pointer's x at the series' depth (the bars' front face, the
// line's middle). Point indices are those of the series hit.
std::optional<int> PointAt(const TChart& Chart, int X, int Y);

// The first and last index of the series' points whose x lies inside the
// range its horizontal axis showed at the last paint; nothing when none does.
std::optional<std::pair<int, int>> PointsShown(const TChartSeries& Series);
