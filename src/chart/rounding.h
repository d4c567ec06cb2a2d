#pragma once
// Rounding for the chart's geometry: to the nearest integer, halves to the
// even neighbour, as the default floating-point rounding mode does.
#include <cmath>

// std::rint rounds in the current mode (the default one is never changed
// here) and, unlike std::nearbyint, compiles to a few inline instructions.
inline double RoundedHalfEven(double V) { return std::rint(V); }
inline int RoundHalfEven(double V) { return static_cast<int>(RoundedHalfEven(V)); }
