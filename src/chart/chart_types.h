// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain geometry types of the chart (colours: colors.h).
#include "platform/colors.h"

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(int X, int Y) const { return X >= Left && X < Right && Y >= Top && Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

enum class TMouseButton { Left, Right, Middle };
