// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One axis of the chart: its settings, its range, the mapping between values
// and pixels, and its drawing (title, labels, line, ticks, grid, minor ticks).
#include <string>
#include <unordered_map>
#include <vector>

#include "chart/chart_pens.h"
#include "chart/chart_series.h"
#include "chart/surface.h"

class TChart;

// 1, 2, 5, 10, 20, 50, ...: the next nice label step after S.
double NextNiceStep(double S);
// Formats a value with a "#,##0.###" style pattern (thousands separator, at
// least one integer digit, up to three decimals without trailing zeros).
std::string FormatAxisValue(double Value, const std::string& Format);

struct TChartAxisTitle {
  int Angle = 0;
  std::string Caption;  // Shift_JIS
  TSurfaceFont Font;
};

class TChartAxis {
public:
  TChartAxis(TChart& Owner, TAxisKind Kind);

  // --- settings ---
  bool Automatic = true;
  bool AutomaticMinimum = true;
  bool AutomaticMaximum = true;
  double Minimum = 0;
  double Maximum = 0;
  double Increment = 0;
  std::string AxisValuesFormat = "#,##0.###";
  bool Labels = true;
  int LabelsAngle = 0;
  TSurfaceFont LabelsFont;
  bool LabelsOnAxis = true;
  int LabelsSeparation = 10;
  int LabelsSize = 0;
  int TitleSize = 0;
  bool RoundFirstLabel = true;
  int TickLength = 4;
  int TickInnerLength = 0;
  int MinorTickLength = 2;
  int MinorTickCount = 3;
  bool TickOnLabelsOnly = true;
  TChartPen Axis{clBlack, 2, TPenStyle::Solid, true, false};
  TChartPen Ticks{clGray, 1, TPenStyle::Solid, true, false};
  TChartPen TicksInner{clGray, 1, TPenStyle::Solid, true, false};
  TChartPen MinorTicks{clGray, 1, TPenStyle::Solid, true, false};
  TChartPen Grid{clGray, 1, TPenStyle::Dot, true, true};
  bool GridCentered = false;
  TChartAxisTitle Title;
  bool Visible = true;
  int StartPosition = 0;
  int EndPosition = 100;
  int PositionPercent = 0;

  TAxisKind Kind() const { return FKind; }
  bool RunsHorizontally() const { return FKind == TAxisKind::Bottom || FKind == TAxisKind::Top; }
  // Stops being automatic; the smaller value becomes Minimum, the larger
  // Maximum, at least 1e-10 apart.
  void FixAxisRange(double A, double B);
  // Automatic covers both ends: these set or clear all three flags together.
  void SetAutomatic(bool Value);
  // A fixed range: not automatic at either end, Minimum and Maximum as given.
  void SetMinMax(double Min, double Max);
  // Whether each end takes its value from the series (Automatic and the end's own flag).
  bool MinimumIsAutomatic() const { return Automatic && AutomaticMinimum; }
  bool MaximumIsAutomatic() const { return Automatic && AutomaticMaximum; }

  // --- working values of the current paint ---
  double RangeMin = 0;
  double RangeMax = 0;
  double Range() const { return RangeMax - RangeMin; }
  int StartPixel = 0;
  int EndPixel = 0;
  int AxisLength = 0;
  int CenterPixel = 0;
  int AxisLine = 0;
  int LabelsEdge = 0;
  int TitleEdge = 0;
  double LabelStep = 0;
  std::vector<int> TickPositions;  // at most 2000 per paint

  int ValueToPixel(double Value) const;
  double PixelToValue(int Pixel) const;

  // --- used by the chart's layout and paint ---
  bool IsVisibleInChart() const;  // drawn and reserves space
  void CalcRange();               // automatic range from the series
  void ReserveSpace(TRect& R);    // shrinks R by the title, labels and ticks
  void SetPixels(const TRect& PlotRect);
  double CalcLabelStep();
  void Draw();

  // Tick positions beyond this many are not kept.
  static constexpr size_t MaxTickPositions = 2000;

private:
  // Moves the edge of R on the axis's side inward by Amount and returns it.
  int ShrinkEdge(TRect& R, int Amount) const;
  int PositionOffset() const;
  int LabelsWidth();
  // Title or labels band size when not fixed: along the side one letter
  // height, across it the text width.
  bool TextRunsAlongSide(int Angle) const;
  // Draws one label or title text (lines) at (X, Y) with Angle, aligned and
  // at the depth of the axis's side.
  void DrawAxisText(int X, int Y, int Angle, const std::string& Text);
  void DrawValueLabels();
  void DrawLabel(double Value);
  // A value's label text in AxisValuesFormat (kept from paint to paint: an
  // axis shows the same few values again and again).
  std::string ValueText(double Value);
  // A tick of Length at pixel P, starting Offset pixels outside the axis line
  // (a negative Length points into the plot box).
  void DrawTick(int P, int Offset, int Length);
  void DrawGrid();
  void DrawMinorTicks();
  int SideWallSize() const;
  int Depth() const;

  TChart& FOwner;
  TAxisKind FKind;
  std::string FValueTextsFormat;  // the format FValueTexts were made with
  std::unordered_map<double, std::string> FValueTexts;
};
