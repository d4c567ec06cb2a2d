// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pens and brushes as the chart's settings hold them (colours may be system
// colours or clAutoColor; the canvas resolves them when it draws).
#include "chart/surface.h"

struct TChartPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::Solid;
  bool Visible = true;
  bool SmallDots = false;  // with width 1: the cosmetic pen that sets every other pixel
};

struct TChartBrush {
  TColor Color = clAutoColor;  // clAutoColor: the chart panel's colour
  TBrushStyle Style = TBrushStyle::Solid;
};
