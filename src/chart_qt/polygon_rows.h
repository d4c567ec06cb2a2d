// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pixels QPainter's aliased even-odd fill gives a polygon whose corners
// are whole pixels, row by row, for the surface to write itself.
//
// Row y is sampled along its middle (y + 0.5): an edge from (x0, y0) down to
// (x1, y1) crosses rows y0 .. y1 - 1 (a level edge none). Its crossing is
// carried in 16.16 fixed point: it starts at x0 + 0.5 plus half a row's step,
// the step being dx / dy cut toward zero to 16.16, and moves by that step from
// row to row; the pixel it names is the crossing's whole part. Between the
// first and second crossing of a row (in x order), the third and fourth, and
// so on, the pixels from the one named up to the next one named, that one
// left out, are filled.
//
// QPainter rasterizes in a box (the image, cut to the clip's bounding box).
// Rows above or below it are left out and change nothing in the others; an
// edge that leaves it to the left or right, though, is cut there by other
// rules. PolygonRowsFit says whether the rule here applies.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "chart/surface.h"

// At most this many corners are filled by the rule here.
inline constexpr std::size_t MaxPolygonRowsCorners = 16;

// True when the polygon's corners lie in columns Left..Right (inclusive),
// none lies absurdly far above or below, and it has no more corners than the
// rule takes.
bool PolygonRowsFit(const std::vector<TPoint>& Points, int Left, int Right);

// Calls Visit(Y, From, To) for each filled span in rows FirstRow..LastRow, To
// included, top row first.
template <class TVisit>
void ForEachPolygonRowSpan(const std::vector<TPoint>& Points, int FirstRow, int LastRow, TVisit&& Visit) {
  struct TEdge {
    int Top, Bottom;   // rows crossed, both included
    std::int64_t X;    // 16.16 crossing in row Top
    std::int64_t Step; // 16.16 change per row
  };
  std::array<TEdge, MaxPolygonRowsCorners> Edges;
  std::size_t Count = 0;
  int Top = 0, Bottom = -1;
  const std::size_t N = std::min(Points.size(), MaxPolygonRowsCorners);
  constexpr std::int64_t One = 65536, Half = 32768;
  for (std::size_t I = 0; I < N; ++I) {
    TPoint A = Points[I], B = Points[(I + 1) % N];
    if (A.Y == B.Y) continue;
    if (A.Y > B.Y) std::swap(A, B);
    TEdge& E = Edges[Count++];
    E.Top = A.Y;
    E.Bottom = B.Y - 1;
    if (A.X == B.X) {
      E.Step = 0;
      E.X = A.X * One + Half;
    } else {
      const double Slope = static_cast<double>(B.X - A.X) / static_cast<double>(B.Y - A.Y);
      E.Step = static_cast<std::int64_t>(Slope * 65536.0);
      // Half a row down from the corner; the product is floored like a shift.
      E.X = A.X * One + Half + ((E.Step * Half) >> 16);
    }
    if (Count == 1) {
      Top = E.Top, Bottom = E.Bottom;
    } else {
      Top = std::min(Top, E.Top), Bottom = std::max(Bottom, E.Bottom);
    }
  }
  // Rows come in bands between the corners' rows; within a band the same
  // edges cross every row (two for a shape without a dent).
  std::array<int, MaxPolygonRowsCorners> Crossings;
  std::array<const TEdge*, MaxPolygonRowsCorners> Active;
  const int End = std::min(Bottom, LastRow);
  for (int Y = std::max(Top, FirstRow); Y <= End;) {
    int BandEnd = End;
    std::size_t ActiveCount = 0;
    for (std::size_t I = 0; I < Count; ++I) {
      const TEdge& E = Edges[I];
      if (Y >= E.Top && Y <= E.Bottom) {
        Active[ActiveCount++] = &E;
        BandEnd = std::min(BandEnd, E.Bottom);
      } else if (E.Top > Y) {
        BandEnd = std::min(BandEnd, E.Top - 1);
      }
    }
    if (ActiveCount == 2) {
      const TEdge& A = *Active[0];
      const TEdge& B = *Active[1];
      std::int64_t XA = A.X + A.Step * (Y - A.Top), XB = B.X + B.Step * (Y - B.Top);
      for (; Y <= BandEnd; ++Y, XA += A.Step, XB += B.Step) {
        const int From = static_cast<int>(std::min(XA, XB) >> 16), To = static_cast<int>(std::max(XA, XB) >> 16);
        if (From < To) Visit(Y, From, To - 1);
      }
      continue;
    }
    for (; Y <= BandEnd; ++Y) {
      for (std::size_t I = 0; I < ActiveCount; ++I) {
        const TEdge& E = *Active[I];
        const int X = static_cast<int>((E.X + E.Step * (Y - E.Top)) >> 16);
        // Insertion into x order.
        std::size_t J = I;
        for (; J > 0 && Crossings[J - 1] > X; --J) Crossings[J] = Crossings[J - 1];
        Crossings[J] = X;
      }
      for (std::size_t I = 0; I + 1 < ActiveCount; I += 2) {
        if (Crossings[I] < Crossings[I + 1]) Visit(Y, Crossings[I], Crossings[I + 1] - 1);
      }
    }
  }
}
