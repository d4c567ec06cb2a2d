#include "polygon_rows.h"

bool PolygonRowsFit(const std::vector<TPoint>& Points, int Left, int Right) {
  if (Points.size() < 3 || Points.size() > MaxPolygonRowsCorners) return false;
  for (const TPoint& P : Points) {
    if (P.X < Left || P.X > Right) return false;
  }
  return true;
}
