// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The oblique view's projection of one paint, as a value: a point of the
// chart's space (z pixels deep) to the screen. A series keeps it with the
// little it needs of each shape, and projects the shape again for the mouse.
#include "chart/chart_types.h"
#include "chart/rounding.h"

struct TProjection {
  bool DepthOn = true;
  double ZoomFactor = 1.0;
  int XCenter = 0, YCenter = 0;  // projection centre
  int XCenterOffset = 0, YCenterOffset = 0;

  // z pixels deep is z to the right and z up. The rotated view is not used by
  // this chart and falls back to the same projection.
  TPoint Of(int X, int Y, int Z) const {
    if (!DepthOn) return TPoint{X, Y};
    if (ZoomFactor == 1.0) {
      // Unzoomed, as the chart nearly always is: whole pixels need no rounding.
      return TPoint{X - XCenter + Z + XCenterOffset, Y - YCenter - Z + YCenterOffset};
    }
    return TPoint{RoundHalfEven((X - XCenter + Z) * ZoomFactor) + XCenterOffset,
                  RoundHalfEven((Y - YCenter - Z) * ZoomFactor) + YCenterOffset};
  }
};
