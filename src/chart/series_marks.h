// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value marks of a series: a small box with the point's text, joined to the
// point by an arrow line, and the geometry with which each mark was last drawn.
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_pens.h"
#include "chart/surface.h"

class TCanvas3D;

enum class TSeriesMarksStyle { Value, Label };

struct TSeriesMarkPosition {
  TPoint ArrowFrom;
  TPoint ArrowTo;
  TPoint LeftTop;  // of the box
  int Width = 0;
  int Height = 0;
};

class TSeriesMarks {
public:
  bool Visible = true;
  TSeriesMarksStyle Style = TSeriesMarksStyle::Label;
  int ArrowLength = 8;
  TChartPen Arrow{clWhite, 1, TPenStyle::Solid, true, false};
  TChartPen Frame{clBlack, 1, TPenStyle::Solid, true, false};
  TColor BackColor = clLightYellow;
  bool Transparent = false;
  bool Clip = false;
  // Marks that would cover a later mark or the title are not drawn (bar
  // series; crowded_marks.h). Off, every mark is drawn.
  bool LeaveOutCrowded = true;
  TSurfaceFont Font;

  // Geometry per point index of the last paint; ClearPoints forgets it.
  std::vector<TSeriesMarkPosition> Positions;
  void ClearPositions() { Positions.clear(); }

  // Separates the lines of a multi-line mark text.
  static constexpr char LineSeparator = '\r';

  // The text of a point's mark: with TSeriesMarksStyle::Label the label, or the value when the
  // label is empty; with TSeriesMarksStyle::Value the value. Values are formatted with ValueFormat.
  std::string MarkText(const std::string& Label, double Value, const std::string& ValueFormat) const;
  // Width and height of the box for Text in the canvas's current font: the
  // widest line plus one "W", the lines' height, plus the frame on both sides.
  TSize BoxSize(TCanvas3D& Canvas, const std::string& Text) const;

  // Draws one mark in the canvas's current font: the arrow at depth Z, the box
  // and text flat at the projected arrow end. PointColor decides the arrow
  // colour when they clash; PanelColor is the chart panel's colour.
  void DrawMark(TCanvas3D& Canvas, int Index, const std::string& Text, TSeriesMarkPosition Position,
                int Z, TColor PointColor, TColor PanelColor);
  // Keeps the geometry of a mark that is not drawn because later ones cover it.
  void KeepPosition(int Index, const TSeriesMarkPosition& Position);

  // Where DrawMark can change pixels, or nothing when that cannot be told:
  // the rectangles of the box and its text, relative to the box's top left
  // corner (the same for every mark with that text; sets the canvas's brush
  // and text alignment as DrawMark does), and the arrow's (empty when there
  // is none).
  std::optional<std::vector<TRect>> BoxFootprint(TCanvas3D& Canvas, const std::string& Text, int Width,
                                                 int Height) const;
  std::optional<TRect> ArrowFootprint(const TCanvas3D& Canvas, const TSeriesMarkPosition& Position, int Z) const;
  // The box on screen: the arrow's end moves with the depth, the box keeps
  // its offset from it.
  TRect BoxOnScreen(const TCanvas3D& Canvas, const TSeriesMarkPosition& Position, int Z) const;
  // The box that DrawMark paints over completely (its fill and frame),
  // when the box is opaque and framed with a plain 1-pixel pen.
  std::optional<TRect> OpaqueBox(const TCanvas3D& Canvas, const TSeriesMarkPosition& Position, int Z) const;

private:
  std::vector<std::string> FLines;  // DrawMark's lines of text (kept for their room)
};
