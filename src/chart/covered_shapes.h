// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds what the shapes drawn after a shape paint over, so that a paint can
// leave out the shape, or the part of it, without changing a pixel: a shape
// covered by one later shape of its family (TCoveredShapes), a mark under
// later marks (TCoveredArea), and the columns of a shape under all that comes
// after it (TLaterColumns).
//
// TCoveredShapes: the shapes are handed in from the last drawn to the first.
// Each belongs to a family (a key): the bars with the same left and right
// edges, the upright ribbon pieces of one pixel column. Within a family a
// shape is known by the rows it spans before projection, and its pixels are
// those of the one in the family that spans the most rows, cut at its own top
// and bottom: a later shape of the same family whose rows include all of an
// earlier one's covers it. Shapes of one family follow each other in drawing
// order (the points are in ascending x), so only the family of the latest
// shape is remembered.
#include <cstdint>
#include <utility>
#include <vector>

#include "chart/chart_types.h"
#include "chart/surface.h"

class TCoveredShapes {
public:
  // True when a shape already handed in (drawn later) has the same key and
  // spans at least the rows Top..Bottom; otherwise this shape is remembered
  // and false is returned.
  bool CoveredLater(std::int64_t Key, int Top, int Bottom);

private:
  struct TSpan {
    int Top, Bottom;
  };
  std::int64_t FKey = 0;
  bool FHaveKey = false;
  // The spans of the current family, none inside another.
  std::vector<TSpan> FSpans;
};

// The pixels that shapes drawn later paint over whatever lies beneath them,
// gathered from the last drawn shape to the first, as one span per row: an
// earlier shape all of whose pixels lie inside can be left out of the paint.
// Where a new rectangle meets a row's span they become one; where it stands
// apart it takes the row's place (the shapes come from right to left, and
// the nearest is the likeliest to cover the next). Rectangles hold
// Left..Right-1 x Top..Bottom-1.
class TCoveredArea {
public:
  bool Covers(const TRect& R) const;
  void Add(const TRect& R);
  // Nothing covered; the rows keep their room for the next paint.
  void Clear();

private:
  // Rows far outside any picture are not kept: nothing there counts as covered.
  static constexpr int RowLimit = 32768;
  using TSpan = std::pair<int, int>;  // first..last; empty when first > last
  int FFirstRow = 0;
  std::vector<TSpan> FRows;
};

// What the shapes of a series drawn after a shape paint in its columns, for
// the surface to leave unwritten (TSurface2D::SetPaintedLater). The shapes
// are handed in from the last drawn to the first, each with what it paints
// for certain; a shape that asks for its cut keeps, for each of its columns
// in the picture, the rows the shapes handed in before it paint there: one
// run per column (runs that meet are joined; of two apart the longer is kept,
// leaving the other written, which is never wrong). The cuts are then taken
// in drawing order.
class TLaterColumns {
public:
  // Columns 0..Width-1 and rows -1..Height of the picture (at most 30,000
  // of each are looked at); nothing handed in.
  void Start(int Width, int Height);
  // Keeps Shape's cut: what the shapes handed in so far paint in columns
  // First..Last. Then hand in what Shape itself paints.
  void KeepCut(int Shape, int First, int Last);
  void Add(const TBoxColumns& Paints);
  // True when Paints has pixels in the picture and the shapes handed in so
  // far paint every one of them.
  bool Covers(const TBoxColumns& Paints) const;
  bool Covers(const TRect& R) const;  // Left..Right-1 x Top..Bottom-1
  // The cut kept for Shape (no columns when Shape kept none or is not the
  // next in drawing order); valid until the next call.
  const TColumnRuns& CutOf(int Shape);

private:
  // First..last row; an empty run lies above every row and ends below every
  // row, so that any run meets no empty one and is longer.
  using TRun = std::pair<std::int16_t, std::int16_t>;
  static constexpr TRun EmptyRun{INT16_MAX, INT16_MIN};
  template <bool Clamped>
  void AddRuns(const TBoxColumns& Paints, int First, int Last);
  struct TCut {  // small: a long history keeps thousands
    std::int32_t Shape;
    std::uint32_t Offset;  // into FCutRuns
    std::int16_t FirstColumn;
    std::uint16_t Columns;
  };
  int FWidth = 0, FHeight = 0;
  std::vector<TRun> FLater;  // per picture column, of the shapes handed in so far
  std::vector<TCut> FCuts;   // the last handed in on top
  std::vector<TRun> FCutRuns;
  TColumnRuns FCut;
};
