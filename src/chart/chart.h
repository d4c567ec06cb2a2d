// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart panel: its settings, title, walls, five axes and series, the layout
// that turns the panel's size into the plot box, and the paint sequence.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/canvas3d.h"
#include "chart/chart_axis.h"
#include "chart/chart_pens.h"
#include "chart/chart_series.h"
#include "chart/chart_zoom.h"

struct TChartTitle {
  std::vector<std::string> Text;  // lines, Shift_JIS
  TSurfaceFont Font;              // default colour blue
  bool Visible = true;
  TChartBrush Brush{clAutoColor, TBrushStyle::Solid};
  TColor Color = clAutoColor;
  TChartPen Frame{clBlack, 1, TPenStyle::Solid, false, false};
};

struct TChartWall {
  TChartBrush Brush{clAutoColor, TBrushStyle::Solid};
  TColor Color = clAutoColor;
  bool Dark3D = true;
  TChartPen Pen{clBlack, 1, TPenStyle::Solid, true, false};
  int Size = 0;
};

enum class TPanelBevel { None, Lowered, Raised };

class TChart {
public:
  explicit TChart(TSurface2D& Surface);
  TChart(const TChart&) = delete;
  TChart& operator=(const TChart&) = delete;

  // --- panel settings ---
  TColor Color = clBtnFace;
  TPanelBevel BevelOuter = TPanelBevel::Raised;
  TPanelBevel BevelInner = TPanelBevel::None;
  int BevelWidth = 1;
  int BorderWidth = 0;
  int MarginLeft = 3, MarginTop = 4, MarginRight = 3, MarginBottom = 4;  // per cent
  TChartTitle Title;
  TChartTitle Foot;
  TChartWall BackWall, LeftWall, BottomWall;
  bool View3D = true;
  int Chart3DPercent = 15;
  bool View3DWalls = true;
  bool AxisVisible = true;
  bool ClipPoints = true;
  bool AllowZoom = true;
  TPanningMode AllowPanning = TPanningMode::Both;

  TChartAxis BottomAxis, TopAxis, LeftAxis, RightAxis, DepthAxis;
  // In creation order: bottom, top, left, right, depth.
  std::array<TChartAxis*, 5> Axes();
  TChartAxis& Axis(TAxisKind Kind);

  TCanvas3D Canvas;
  TChartZoomScroll ZoomScroll{*this};

  // --- series, in creation order ---
  // The chart owns the series.
  template <typename TSeries>
  TSeries& AddSeries() {
    auto Series = std::make_unique<TSeries>(*this);
    TSeries& Result = *Series;
    FSeries.push_back(std::move(Series));
    Invalidate();
    return Result;
  }
  int SeriesCount() const { return static_cast<int>(FSeries.size()); }
  TChartSeries& Series(int Index) const { return *FSeries.at(static_cast<size_t>(Index)); }

  // --- geometry of the current paint ---
  TRect PanelBounds;
  TRect PlotRect;
  int PlotWidth() const { return PlotRect.Right - PlotRect.Left; }
  int PlotHeight() const { return PlotRect.Bottom - PlotRect.Top; }
  int DepthPerSeries = 0;
  int TotalDepth = 0;
  void NormalizePlotRect();

  // --- painting ---
  // The client size of the panel (705 x 569 for the result chart).
  void SetSize(int Width, int Height);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Paint request: copies the kept image when nothing changed, else lays out
  // and draws everything.
  void Paint();
  // Marks the image dirty and asks the window for a paint (OnInvalidate);
  // any number of requests merge into one paint.
  void Invalidate();
  std::function<void()> OnInvalidate;
  // Number of full layouts drawn so far (the copy-only path does not count).
  int FullPaintCount() const { return FFullPaintCount; }
  // Hands what the active series drawn after Series paint for certain, the
  // last drawn first, to Later (during a paint, for Series's own shapes).
  void AddPaintsOfSeriesAfter(const TChartSeries& Series, TLaterColumns& Later);
  // Where the series' clip surely lets their pixels through: the inside of
  // the plot box's front face, a pixel or two in from its edges (nothing
  // when the series are not clipped).
  std::optional<TRect> SeriesClipInterior() const;

  // --- mouse ---
  void MouseDown(TMouseButton Button, int X, int Y) { ZoomScroll.MouseDown(Button, X, Y); }
  void MouseMove(int X, int Y) { ZoomScroll.MouseMove(X, Y); }
  void MouseUp(TMouseButton Button, int X, int Y) { ZoomScroll.MouseUp(Button, X, Y); }

  // True when the series is active and plotted against this axis.
  bool SeriesUsesAxis(const TChartSeries& Series, const TChartAxis& Axis) const;
  // Hit tests used by the mouse handling.
  bool TitleContains(int X, int Y) const;
  // Where the title's text was drawn by the last paint (empty without a title).
  const TRect& TitleRect() const { return FTitleRect; }
  bool FootContains(int X, int Y) const;

private:
  void DrawAll();
  void DrawPanel();
  void DrawTitles();
  void CalcDepthSlots();
  void LayoutChart();
  void ApplySeriesMargins();
  void DrawWalls();
  void DrawSeries();
  // Draws the title (or, with Foot, the foot) and takes its room from the PlotRect.
  void DrawTitle(const TChartTitle& Which, bool IsFoot, TRect& Bounds);
  void DrawWall(const TChartWall& Wall);

  int FWidth = 0;
  int FHeight = 0;
  int FFullPaintCount = 0;
  int FHighestSlot = 0;  // of this paint's depth slots
  TRect FTitleRect;
  TRect FFootRect;
  std::vector<std::unique_ptr<TChartSeries>> FSeries;
};
