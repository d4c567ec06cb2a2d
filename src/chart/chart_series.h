// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A series of the chart: its points in four parallel lists (x, y, colour,
// label), the operations that fill, empty and read them, and what the axes and
// the paint ask of every series. Bar and line series derive from it.
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_types.h"
#include "chart/chart_values.h"
#include "chart/series_marks.h"

class TLaterColumns;

class TChart;
class TChartAxis;

enum class TAxisKind { Bottom, Top, Left, Right, Depth };

class TChartSeries {
public:
  explicit TChartSeries(TChart& Owner);
  virtual ~TChartSeries() = default;
  TChartSeries(const TChartSeries&) = delete;
  TChartSeries& operator=(const TChartSeries&) = delete;

  // --- settings ---
  TColor SeriesColor = clRed;
  bool Active = true;
  TAxisKind HorizAxis = TAxisKind::Bottom;
  TAxisKind VertAxis = TAxisKind::Left;
  TChartValueList XValues{TChartListOrder::Ascending};
  TChartValueList YValues{TChartListOrder::None};
  TSeriesMarks Marks;
  std::string ValueFormat = "#,##0.###";
  // Shapes that later shapes of the series paint over completely are left
  // out of the paint; the picture is the same either way. Off, every shape
  // is drawn (to compare the two).
  bool LeaveOutCoveredShapes = true;

  // --- points ---
  // Inserts the point where the x order asks, asks the chart for a repaint,
  // returns its index.
  int AddPoint(double X, double Y, const std::string& Label, TColor Color);
  void ClearPoints();
  // Makes room for Count points in all, so that adding them moves nothing.
  void ReservePoints(int Count);
  int PointCount() const { return XValues.ValueCount(); }
  TColor PointColor(int Index) const;
  std::string PointLabel(int Index) const;

  // --- asked by the axes ---
  virtual double LowestX() const { return XValues.LowestValue(); }
  virtual double HighestX() const { return XValues.HighestValue(); }
  virtual double LowestY() const { return YValues.LowestValue(); }
  virtual double HighestY() const { return YValues.HighestValue(); }
  // Pixels to keep free at the ends of the axes; both start at 0.
  virtual void HorizontalMargins(int& Left, int& Right) { Left = Right = 0; }
  virtual void VerticalMargins(int& Top, int& Bottom) { Top = Bottom = 0; }

  // --- drawing, called by the chart's paint in this order ---
  // First and last visible point index (-1 when none), from the bottom axis's range.
  void CalcVisibleRange();
  int FirstVisible = -1;
  int LastVisible = -1;
  // Draws every visible point (DrawPoint), inside the chart's clip.
  virtual void DrawAllPoints();
  virtual void DrawPoint(int Index) = 0;
  // Draws the marks of the visible points (does nothing when hidden).
  virtual void DrawMarks() {}
  // Hands in what the series' shapes paint for certain, from the last drawn
  // to the first (none by default), for a series drawn before it in the same
  // clip to leave unwritten; called in the paint before its DrawAllPoints.
  virtual void AddPaintsTo(TLaterColumns& Later) { (void)Later; }
  // The index of the point drawn at (X, Y), if any (mouse hit test).
  virtual std::optional<int> Clicked(int X, int Y) const { (void)X; (void)Y; return std::nullopt; }
  // The same, looking only at the shapes of points First to Last (those near
  // the pointer), so that a long series is not searched whole.
  virtual std::optional<int> ClickedAmong(int X, int Y, int First, int Last) const {
    (void)First;
    (void)Last;
    return Clicked(X, Y);
  }

  // Depth slot of this paint and the depth range it gives.
  int DepthSlot = 0;
  int StartZ = 0;   // zStart
  int EndZ = 0;     // zEnd
  int MiddleZ = 0;  // zMiddle
  void SetDepthSlot(int Slot, int DepthPerSeries);

  TChart& ParentChart() const { return FOwner; }
  TChartAxis& GetHorizAxis() const;
  TChartAxis& GetVertAxis() const;
  bool IsBarSeries() const { return FIsBar; }

protected:
  bool FIsBar = false;

private:
  TChart& FOwner;
  std::vector<TColor> FColors;
  // Empty while no point has a label; then one entry per point.
  std::vector<std::optional<std::string>> FLabels;
};
