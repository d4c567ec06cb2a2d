// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_qt/polygon_rows.h"

bool PolygonRowsFit(const std::vector<TPoint>& Points, int Left, int Right) {
  if (Points.size() < 3 || Points.size() > MaxPolygonRowsCorners) return false;
  // Rows far beyond any picture are left to QPainter (the fixed-point sums stay small).
  constexpr int RowLimit = 1 << 24;
  for (const TPoint& P : Points) {
    if (P.X < Left || P.X > Right || P.Y < -RowLimit || P.Y > RowLimit) return false;
  }
  return true;
}
