// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/line_series.h"

#include <cmath>
#include <cstdlib>

#include "chart/chart.h"
#include "chart/covered_shapes.h"
#include "chart/hit_test.h"

namespace {

// A point whose pixel lies this far out is not drawn at all: the pieces
// around it would overflow the surface's coordinates.
constexpr int PixelLimit = 32767;
bool WithinLimit(int V) { return V > -PixelLimit && V < PixelLimit; }

// How near the line a press still hits it, in pixels.
constexpr double HitTolerance = 3.0;

}  // namespace

TLineSeries::TLineSeries(TChart& Owner) : TChartSeries(Owner) { Marks.Visible = false; }

void TLineSeries::HorizontalMargins(int& Left, int& Right) {
  Left = Right = 0;
  if (Pointer.Visible && Pointer.InflateMargins) Left = Right = Pointer.HorizSize + 1;
}

void TLineSeries::VerticalMargins(int& Top, int& Bottom) {
  Top = Bottom = 0;
  if (Pointer.Visible && Pointer.InflateMargins) Top = Bottom = Pointer.VertSize + 1;
}

void TLineSeries::DrawAllPoints() {
  // The pieces may have been gathered already in this paint, for the series
  // drawn before this one.
  if (FGatheredInPaint != ParentChart().FullPaintCount()) GatherPieces();
  FGatheredInPaint = -1;
  TSurface2D& Surface = ParentChart().Canvas.Surface();
  for (std::size_t I = 0; I < FPieces.size(); ++I) {
    if (FPieces[I].Covered) continue;
    if (FOpaquePieces) Surface.SetPaintedLater(FLaterPieces.CutOf(static_cast<int>(I)));
    DrawPiece(FPieces[I]);
  }
  if (FOpaquePieces) Surface.SetPaintedLater({});
  FPieces.clear();
}

void TLineSeries::GatherPieces() {
  FHavePrev = false;
  FPrevColor = clNone;
  FPrevIndex = -1;
  FDrawnPieces.clear();
  if (FirstVisible >= 0) FDrawnPieces.reserve(static_cast<size_t>(LastVisible - FirstVisible + 1));
  FDrawnProjection = ParentChart().Canvas.Projection();
  FDrawnStartZ = StartZ;
  FDrawnEndZ = EndZ;
  // A piece is darkened when it rises more steeply than the depth direction
  // runs on screen; the back of a slot is drawn as far up as it is deep.
  const int DepthPerSeries = ParentChart().DepthPerSeries;
  const int VerticalSlotOffset = DepthPerSeries;
  FDarkSlope = DepthPerSeries == 0 ? 1.0 : std::fabs(static_cast<double>(VerticalSlotOffset) / DepthPerSeries);
  FPieces.clear();
  if (FirstVisible >= 0) FPieces.reserve(static_cast<size_t>(LastVisible - FirstVisible + 1));
  TChartSeries::DrawAllPoints();
  FindCoveredPieces();
  FGatheredInPaint = ParentChart().FullPaintCount();
}

void TLineSeries::AddPaintsTo(TLaterColumns& Later) {
  GatherPieces();
  if (!FOpaquePieces) return;
  const TCanvas3D& Canvas = ParentChart().Canvas;
  for (std::size_t I = FPieces.size(); I-- > 0;) {
    const TPiece& Piece = FPieces[I];
    if (Piece.Covered) continue;
    if (const auto Paints = Canvas.RibbonColumns(TPoint{Piece.AX, Piece.AY}, TPoint{Piece.BX, Piece.BY}, StartZ, EndZ)) {
      Later.Add(*Paints);
    }
  }
}

// An upright piece (both ends in one pixel column) is painted over completely
// by a later upright piece in the same column that reaches at least as high
// and as low: with a solid brush and a plain 1-pixel outline a piece's pixels
// are those of its closed outline on screen. With thousands of drills most
// pieces are upright, many to a column. Of the upright pieces that are drawn
// (filled column by column), the pieces after each paint over much of it
// where the line goes up and down within a few pixels: what they paint in its
// columns is gathered with them (FLaterPieces), for the surface to leave
// unwritten.
void TLineSeries::FindCoveredPieces() {
  const bool Opaque = LineBrush == TBrushStyle::Solid && LinePen.Visible && LinePen.Width == 1 &&
                      LinePen.Style == TPenStyle::Solid && !LinePen.SmallDots;
  FOpaquePieces = LeaveOutCoveredShapes && Opaque;
  const TChart& Chart = ParentChart();
  FLaterPieces.Start(Chart.Width(), Chart.Height());
  if (!FOpaquePieces) return;
  TCoveredShapes LaterUpright;
  for (std::size_t I = FPieces.size(); I-- > 0;) {
    TPiece& Piece = FPieces[I];
    if (Piece.AX == Piece.BX) {
      Piece.Covered = LaterUpright.CoveredLater(Piece.AX, std::min(Piece.AY, Piece.BY), std::max(Piece.AY, Piece.BY));
      if (Piece.Covered) continue;  // what it paints, the piece that covers it paints
    }
    if (const auto Paints = Chart.Canvas.RibbonColumns(TPoint{Piece.AX, Piece.AY}, TPoint{Piece.BX, Piece.BY}, StartZ,
                                                       EndZ)) {
      // An upright piece paints exactly those pixels: one that lies under the
      // pieces after it is left out, another keeps its cut. A slanted piece is
      // filled row by row, where a cut would cost more than the pixels it
      // leaves out.
      if (Piece.AX == Piece.BX) {
        if (FLaterPieces.Covers(*Paints)) {
          Piece.Covered = true;
          continue;
        }
        FLaterPieces.KeepCut(static_cast<int>(I), Paints->Left, Paints->LastColumn());
      }
      FLaterPieces.Add(*Paints);
    }
  }
}

void TLineSeries::DrawPiece(const TPiece& Piece) {
  TCanvas3D& Canvas = ParentChart().Canvas;
  Canvas.PrepareBrush(Piece.Color, LineBrush, ParentChart().Color);
  const TColor Face = Piece.Darker ? Darken(Piece.Color, 64) : Piece.Color;
  // A piece narrower than a few pixels has no room for a dark outline beside
  // its face: its outline takes the face's colour (the same pixels).
  if (std::abs(Piece.AX - Piece.BX) < ThinPieceWidth && LinePen.Visible && LineBrush == TBrushStyle::Solid) {
    TChartPen Pen = LinePen;
    Pen.Color = Face;
    Canvas.UseChartPen(Pen);
  } else {
    Canvas.UseChartPen(LinePen);
  }
  if (Piece.Darker) Canvas.SetBrushColor(Face);
  Canvas.Ribbon(TPoint{Piece.AX, Piece.AY}, TPoint{Piece.BX, Piece.BY}, StartZ, EndZ);
  if (Dark3D) Canvas.SetBrushColor(Piece.Color);
}

void TLineSeries::DrawPoint(int Index) {
  const TColor Color = PointColor(Index);
  const int X = GetHorizAxis().ValueToPixel(XValues.ValueAt(Index));
  const int Y = GetVertAxis().ValueToPixel(YValues.ValueAt(Index));
  if (WithinLimit(X) && WithinLimit(Y)) {
    // No piece starts at a null point, nor before the first placed point.
    if (FPrevColor == clNone || !FHavePrev) {
      FPrevX = X;
      FPrevY = Y;
      FPrevIndex = Index;
    }
    if (Index != FirstVisible) AddPiece(Index, Color, X, Y);
    FPrevX = X;
    FPrevY = Y;
    FPrevIndex = Index;
    FHavePrev = true;
  }
  FPrevColor = Color;
}

void TLineSeries::AddPiece(int Index, TColor Color, int X, int Y) {
  if ((X == FPrevX && Y == FPrevY) || Color == clNone) return;
  // Screen y grows downward: a piece rising to the right has a positive slope.
  const bool Darker = Dark3D && X != FPrevX && FDarkSlope != 0 &&
                      static_cast<double>(FPrevY - Y) / (X - FPrevX) > FDarkSlope;
  const TPoint A{X, Y};
  const TPoint B{FPrevX, FPrevY};
  // Drawn once the series knows which pieces later ones cover.
  FPieces.push_back(TPiece{Color, static_cast<std::int16_t>(X), static_cast<std::int16_t>(Y),
                           static_cast<std::int16_t>(FPrevX), static_cast<std::int16_t>(FPrevY), Darker, false});

  FDrawnPieces.push_back(TDrawnPiece{FPrevIndex, Index, static_cast<std::int16_t>(A.X),
                                     static_cast<std::int16_t>(A.Y), static_cast<std::int16_t>(B.X),
                                     static_cast<std::int16_t>(B.Y)});
}

std::optional<int> TLineSeries::Clicked(int X, int Y) const { return ClickedAmong(X, Y, 0, PointCount() - 1); }

std::optional<int> TLineSeries::ClickedAmong(int X, int Y, int First, int Last) const {
  // Later pieces lie on top; a hit names the nearer end of the piece.
  for (auto It = FDrawnPieces.rbegin(); It != FDrawnPieces.rend(); ++It) {
    const TDrawnPiece& Piece = *It;
    if (Piece.ToIndex >= PointCount() || Piece.FromIndex < 0) continue;
    if (Piece.ToIndex < First || Piece.FromIndex > Last) continue;
    const TProjection& At = FDrawnProjection;
    const TPoint From = At.Of(Piece.BX, Piece.BY, FDrawnStartZ), To = At.Of(Piece.AX, Piece.AY, FDrawnStartZ);
    const std::array<TPoint, 4> Outline = {To, From, At.Of(Piece.BX, Piece.BY, FDrawnEndZ),
                                           At.Of(Piece.AX, Piece.AY, FDrawnEndZ)};
    if (PolygonContains(Outline, X, Y) || DistanceToSegment(From, To, X, Y) <= HitTolerance) {
      const double ToFrom = std::hypot(X - From.X, Y - From.Y);
      const double ToTo = std::hypot(X - To.X, Y - To.Y);
      return ToFrom < ToTo ? Piece.FromIndex : Piece.ToIndex;
    }
  }
  return std::nullopt;
}
