// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the drawing of a series back from the recording surface: lines,
// polygon corner sets and areas, independent of the order of the corners.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "recording_surface.h"

struct TDrawnLine {
  TPoint From, To;
  TSurfacePen Pen;
  size_t CallIndex = 0;
};

// Every straight line drawn: a MoveTo followed by a LineTo, or a two-point Polyline.
inline std::vector<TDrawnLine> DrawnLines(const TRecordingSurface& Surface) {
  std::vector<TDrawnLine> Lines;
  TPoint Pen{};
  for (size_t I = 0; I < Surface.Calls.size(); ++I) {
    const TRecordedCall& Call = Surface.Calls[I];
    if (Call.Op == "MoveTo") {
      Pen = Call.Points[0];
    } else if (Call.Op == "LineTo") {
      Lines.push_back({Pen, Call.Points[0], Call.Pen, I});
      Pen = Call.Points[0];
    } else if (Call.Op == "Polyline" && Call.Points.size() == 2) {
      Lines.push_back({Call.Points[0], Call.Points[1], Call.Pen, I});
    }
  }
  return Lines;
}

inline std::vector<TPoint> SortedPoints(std::vector<TPoint> Points) {
  std::sort(Points.begin(), Points.end(),
            [](const TPoint& A, const TPoint& B) { return A.X != B.X ? A.X < B.X : A.Y < B.Y; });
  return Points;
}

// Twice the enclosed area (shoelace), 0 for a polygon that has collapsed to a line.
inline long DoubleArea(const std::vector<TPoint>& Points) {
  long Sum = 0;
  for (size_t I = 0; I < Points.size(); ++I) {
    const TPoint& A = Points[I];
    const TPoint& B = Points[(I + 1) % Points.size()];
    Sum += static_cast<long>(A.X) * B.Y - static_cast<long>(B.X) * A.Y;
  }
  return std::labs(Sum);
}

// Index of the first / last call matching Pred, or -1.
template <typename TPred>
long FirstCall(const TRecordingSurface& Surface, TPred Pred) {
  for (size_t I = 0; I < Surface.Calls.size(); ++I)
    if (Pred(Surface.Calls[I])) return static_cast<long>(I);
  return -1;
}
template <typename TPred>
long LastCall(const TRecordingSurface& Surface, TPred Pred) {
  for (size_t I = Surface.Calls.size(); I-- > 0;)
    if (Pred(Surface.Calls[I])) return static_cast<long>(I);
  return -1;
}
