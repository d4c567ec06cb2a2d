#pragma once
// Plane geometry for the mouse hit tests of the series: is a pixel inside a
// drawn outline, how far is it from a drawn line.
#include <span>

#include "chart_types.h"

// True when (X, Y) lies inside the polygon or on its outline.
bool PolygonContains(std::span<const TPoint> Polygon, int X, int Y);
// Distance in pixels from (X, Y) to the segment from A to B.
double DistanceToSegment(TPoint A, TPoint B, int X, int Y);
