#include "hit_test.h"

#include <algorithm>
#include <cmath>

double DistanceToSegment(TPoint A, TPoint B, int X, int Y) {
  const double Dx = static_cast<double>(B.X) - A.X;
  const double Dy = static_cast<double>(B.Y) - A.Y;
  const double Px = static_cast<double>(X) - A.X;
  const double Py = static_cast<double>(Y) - A.Y;
  const double LengthSquared = Dx * Dx + Dy * Dy;
  double T = LengthSquared == 0 ? 0 : (Px * Dx + Py * Dy) / LengthSquared;
  T = std::clamp(T, 0.0, 1.0);
  return std::hypot(Px - T * Dx, Py - T * Dy);
}

bool PolygonContains(std::span<const TPoint> Polygon, int X, int Y) {
  const size_t N = Polygon.size();
  if (N == 0) return false;
  // The outline itself counts as inside, so flat outlines (a bar of no height)
  // can still be hit.
  for (size_t I = 0; I < N; ++I) {
    if (DistanceToSegment(Polygon[I], Polygon[(I + 1) % N], X, Y) < 0.5) return true;
  }
  // Even-odd rule: count the edges that a ray to the right crosses.
  bool Inside = false;
  for (size_t I = 0, J = N - 1; I < N; J = I++) {
    const TPoint& A = Polygon[I];
    const TPoint& B = Polygon[J];
    if ((A.Y > Y) != (B.Y > Y)) {
      const double CrossX = A.X + static_cast<double>(Y - A.Y) * (B.X - A.X) / (B.Y - A.Y);
      if (X < CrossX) Inside = !Inside;
    }
  }
  return Inside;
}
