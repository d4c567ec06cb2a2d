#pragma once
// The line series: in 3D a ribbon through its series' depth slot, one
// four-cornered piece between neighbouring points, steep rising pieces darker.
#include "chart_series.h"

class TLineSeries : public TChartSeries {
public:
  explicit TLineSeries(TChart& Owner);

  TChartPen LinePen;
  TBrushStyle LineBrush = bsSolid;
  bool Dark3D = true;
  bool Stairs = false;
  bool InvertedStairs = false;
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
  void DrawPoint(int Index) override;
  std::optional<int> Clicked(int X, int Y) const override;

private:
  void DrawSegment(int Index, TColor Color, int X, int Y);

  // Kept while one paint draws the series.
  int FPrevX = 0;
  int FPrevY = 0;
  TColor FPrevColor = clNone;
  double FDarkSlope = 1.0;
};
