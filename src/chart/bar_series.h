// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bar series: one 3D box per point from the origin to its value, with a
// value mark above each bar.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "chart/chart_series.h"
#include "chart/covered_shapes.h"
#include "chart/projection.h"

// How the bar series of a chart share an x position: each bar centred on it,
// or the bars of all series side by side.
enum class TMultiBar { None, Side };

class TBarSeries : public TChartSeries {
public:
  explicit TBarSeries(TChart& Owner);

  // Refused outside 1..100 with "棒の幅は 1% から 100% でなければなりません".
  void SetBarWidthPercent(int Value);
  int BarWidthPercent() const { return FBarWidthPercent; }

  bool SideMargins = true;
  TMultiBar MultiBar = TMultiBar::Side;
  bool Dark3D = true;
  bool UseYOrigin = true;
  double YOrigin = 0.0;
  TChartPen BarPen;
  TChartBrush BarBrush;

  double LowestY() const override;
  double HighestY() const override;
  void HorizontalMargins(int& Left, int& Right) override;
  void VerticalMargins(int& Top, int& Bottom) override;
  void DrawAllPoints() override;
  void DrawPoint(int Index) override;
  void DrawMarks() override;
  std::optional<int> Clicked(int X, int Y) const override;
  std::optional<int> ClickedAmong(int X, int Y, int First, int Last) const override;

  // Bars narrower than this many pixels are thin: they are outlined in their
  // own colour, and a fixed range showing part of the series widens them to
  // the part's room.
  static constexpr int ThinBarWidth = 4;
  // Width of one bar in pixels, recomputed at every layout of the bottom axis.
  void UpdateBarPixelWidth();
  int BarPixelWidth() const { return FBarPixelWidth; }

private:
  // Where bar Index stands before projection: edges, value row, origin row.
  struct TBarPlace {
    long long Left = 0;
    long long Right = 0;
    long long ValueRow = 0;
    long long OriginRow = 0;
  };
  TBarPlace PlaceOf(int Index) const;
  long long BarLeftAt(long long XPixel) const;
  // How far side-by-side bars of this series stand from their x position.
  long long SideBySideOffset() const;
  int SideBySideCount() const;
  int BarOrderPosition() const;
  void DrawBar(TColor Color, int Left, int Right, int Top, int Bottom);
  std::vector<TRect> CrowdAvoids() const;
  void FindCoveredBars();
  // What the bars drawn after each bar paint in its columns (FindCoveredBars).
  TLaterColumns FLaterBars;
  // What the series drawn after this one paint, for the marks (gathered with
  // FLaterBars in the paint FLaterSeriesPaint).
  TLaterColumns FLaterSeries;
  int FLaterSeriesPaint = -1;

  // Each bar drawn by the last paint, per point index, for the mouse hit
  // test: its box in the chart's space (every pixel lies within 32767), and
  // the projection and depth it was drawn with. FDrawn tells which bars the
  // last paint drew.
  struct TDrawnBox {
    std::int16_t Left = 0, Right = 0, Top = 0, Bottom = 0;
  };
  std::vector<TDrawnBox> FDrawnBoxes;
  std::vector<bool> FDrawn;
  TProjection FDrawnProjection;
  int FDrawnStartZ = 0, FDrawnEndZ = 0;
  // The silhouette on screen of the bar at Index as the last paint drew it.
  std::array<TPoint, 6> DrawnOutline(std::size_t Index) const;
  // Bars of this paint that later bars paint over (FindCoveredBars).
  std::vector<bool> FCovered;
  // Whether this paint's bars paint every pixel of their front and side
  // faces (plain 1-pixel outline, solid brush; set with FCovered).
  bool FOpaqueBars = false;
  // The boxes of later marks while DrawMarks looks for covered ones (kept
  // from paint to paint for its room).
  TCoveredArea FLaterMarks;
  // A mark's text, its box and where it can change pixels (relative to the
  // box; looked for once).
  struct TMarkText {
    std::string Text;
    TSize Box;
    bool FootprintTried = false;
    std::optional<std::vector<TRect>> Footprint;
  };
  // What the texts of the value marks depend on besides the value.
  struct TMarkTextsMadeWith {
    TSeriesMarksStyle Style = TSeriesMarksStyle::Label;
    std::string ValueFormat;
    TSurfaceFont Font;
    bool FrameVisible = false;
    int FrameWidth = 0;
    bool Transparent = false;
    friend bool operator==(const TMarkTextsMadeWith&, const TMarkTextsMadeWith&) = default;
  };
  // The marks of points without a label, by value: many share their text (a
  // percentage), which is formatted, measured and probed once and kept from
  // paint to paint while it is made the same way (at most MostMarkTexts).
  static constexpr size_t MostMarkTexts = 4096;
  std::unordered_map<double, TMarkText> FValueMarkTexts;
  std::optional<TMarkTextsMadeWith> FValueMarkTextsMadeWith;

  // SideBySideOffset, kept while a paint draws the bars or their marks.
  std::optional<long long> FPaintSideOffset;

  int FBarWidthPercent = 70;
  int FBarPixelWidth = 0;
};
