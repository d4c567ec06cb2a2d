// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rounding for the chart's geometry: to the nearest integer, halves to the
// even neighbour, as the default floating-point rounding mode does; and the
// integer scaling A x B / C, whose halves go away from zero.
#include <cmath>
#include <cstdlib>

// std::rint rounds in the current mode (the default one is never changed
// here) and, unlike std::nearbyint, compiles to a few inline instructions.
inline double RoundedHalfEven(double V) { return std::rint(V); }
inline int RoundHalfEven(double V) { return static_cast<int>(RoundedHalfEven(V)); }

// A x B / C rounded to the nearest integer, halves away from zero; 0 for C = 0.
inline int MulDiv(int A, int B, int C) {
  if (C == 0) return 0;
  const long long N = static_cast<long long>(A) * B;
  long long Q = N / C;
  const long long R = N % C;
  if (2 * std::llabs(R) >= std::llabs(static_cast<long long>(C))) Q += ((N < 0) != (C < 0)) ? -1 : 1;
  return static_cast<int>(Q);
}
