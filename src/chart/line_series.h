// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line series: in 3D a ribbon through its series' depth slot, one
// four-cornered piece between neighbouring points, steep rising pieces darker.
#include <array>
#include <cstdint>
#include <vector>

#include "chart/chart_series.h"
#include "chart/covered_shapes.h"
#include "chart/projection.h"

class TLineSeries : public TChartSeries {
public:
  explicit TLineSeries(TChart& Owner);

  // Pieces spanning fewer pixel columns than this are outlined in their own
  // colour: thousands of drills show a blue ribbon, not a black one.
  static constexpr int ThinPieceWidth = 4;

  TChartPen LinePen;
  TBrushStyle LineBrush = TBrushStyle::Solid;
  bool Dark3D = true;
  int LineHeight = 0;
  struct TPointerSettings {
    bool Visible = false;
    int HorizSize = 4;
    int VertSize = 4;
    bool InflateMargins = true;
  } Pointer;

  void HorizontalMargins(int& Left, int& Right) override;
  void VerticalMargins(int& Top, int& Bottom) override;
  void DrawAllPoints() override;
  void AddPaintsTo(TLaterColumns& Later) override;
  void DrawPoint(int Index) override;
  std::optional<int> Clicked(int X, int Y) const override;
  std::optional<int> ClickedAmong(int X, int Y, int First, int Last) const override;

private:
  // The piece from the previous point to point Index at (X, Y), for the mouse
  // at once and for the paint once every piece is known.
  void AddPiece(int Index, TColor Color, int X, int Y);

  // A piece of the ribbon from point A back to the previous point B (every
  // point drawn lies within 32767 pixels: small coordinates keep the pieces
  // of a long history in little memory).
  struct TPiece {
    TColor Color = clNone;
    std::int16_t AX = 0, AY = 0, BX = 0, BY = 0;
    bool Darker = false;   // rises more steeply than the depth runs
    bool Covered = false;  // a later piece paints over it
  };
  // The pieces of this paint (drawn once every piece is known), and which of
  // them later ones cover.
  void GatherPieces();
  int FGatheredInPaint = -1;  // the chart's paint count when gathered, until drawn
  void FindCoveredPieces();
  bool FOpaquePieces = false;   // this paint's pieces paint every pixel of their closed outline
  TLaterColumns FLaterPieces;   // what the pieces drawn after each upright piece paint in its columns
  void DrawPiece(const TPiece& Piece);
  std::vector<TPiece> FPieces;  // of the paint under way

  // Kept while one paint draws the series.
  int FPrevX = 0;
  int FPrevY = 0;
  bool FHavePrev = false;  // a point has been placed in this paint
  TColor FPrevColor = clNone;
  double FDarkSlope = 1.0;

  // The pieces drawn by the last paint, for the mouse hit test: their ends in
  // the chart's space, and the projection and depth they were drawn with.
  struct TDrawnPiece {
    int FromIndex = 0;  // the earlier point
    int ToIndex = 0;
    std::int16_t AX = 0, AY = 0, BX = 0, BY = 0;  // A at ToIndex, B at FromIndex
  };
  std::vector<TDrawnPiece> FDrawnPieces;
  TProjection FDrawnProjection;
  int FDrawnStartZ = 0, FDrawnEndZ = 0;
  int FPrevIndex = -1;
};
