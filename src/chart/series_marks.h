#pragma once
// The value marks of a series: a small box with the point's text, joined to the
// point by an arrow line, and the geometry with which each mark was last drawn.
#include <string>
#include <vector>

#include "chart_pens.h"
#include "surface.h"

class TCanvas3D;

enum TSeriesMarksStyle { smsValue, smsLabel };

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
  TSeriesMarksStyle Style = smsLabel;
  int ArrowLength = 8;
  TChartPen Arrow{clWhite, 1, psSolid, true, false};
  TChartPen Frame{clBlack, 1, psSolid, true, false};
  TColor BackColor = clLightYellow;
  bool Transparent = false;
  bool Clip = false;
  TSurfaceFont Font;

  // Geometry per point index of the last paint; ClearPoints forgets it.
  std::vector<TSeriesMarkPosition> Positions;
  void ClearPositions() { Positions.clear(); }

  // Draws one mark: the arrow at depth Z, the box and text flat at the
  // projected arrow end. PointColor decides the arrow colour when they clash;
  // PanelColor is the chart panel's colour.
  void DrawMark(TCanvas3D& Canvas, int Index, const std::string& Text, TSeriesMarkPosition Position,
                int Z, TColor PointColor, TColor PanelColor);
};
