// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Zoom and scroll by mouse: a left-button drag to the right and down zooms into
// its rectangle, any other left drag undoes the zoom, a right-button drag
// scrolls the axes. Only the axes' ranges change; the points are never touched.
#include <array>

#include "chart/chart_types.h"

class TChart;

struct TZoomPanningRecord {
  bool Dragging = false;
  int StartX = 0, StartY = 0;
  int LastX = 0, LastY = 0;
  void StartDrag(int X, int Y);
  void OrderCorners();
};

enum class TPanningMode { None, Horizontal, Vertical, Both };

// An axis range as a paint showed it.
struct TShownRange {
  double Low = 0, High = 0;
  double Width() const { return High - Low; }
  friend bool operator==(const TShownRange&, const TShownRange&) = default;
};

struct TSavedAxisRange {
  bool Automatic = true, AutomaticMinimum = true, AutomaticMaximum = true;
  double Minimum = 0, Maximum = 0;
};

class TChartZoomScroll {
public:
  explicit TChartZoomScroll(TChart& Owner) : FOwner(Owner) {}

  static constexpr int ClickTolerance = 3;
  static constexpr int MinimalDrag = 16;

  void MouseDown(TMouseButton Button, int X, int Y);
  void MouseMove(int X, int Y);
  void MouseUp(TMouseButton Button, int X, int Y);
  // Ends a drag whose release will never come (the chart's window was hidden
  // under it): the zoom rectangle goes, and nothing is zoomed, undone or
  // scrolled any more.
  void CancelDrags();

  // Draws the zoom rectangle, two pixels wide, with the inverting pen while a
  // zoom drag is on (the chart's paint calls it over the finished picture).
  void DrawZoomRectangle();

  bool IsZoomedIn() const { return FIsZoomedIn; }
  bool RangesRestored() const { return FRangesRestored; }
  const TZoomPanningRecord& Zoom() const { return FZoom; }
  const TZoomPanningRecord& Panning() const { return FPanning; }

  void ZoomRect();  // zoom into the (ordered) zoom record's rectangle
  void UndoZoom();
  // For a range change by other means (the keys): the settings are saved for
  // the undo as before a mouse zoom or scroll, and a zoom marks the chart zoomed in.
  void BeforeRangeChange(bool Zooming);

  // The ranges of the bottom, left and right axes the last paint showed with
  // nothing zoomed or scrolled: the opening view, which the keys keep to.
  // Noted by the chart's layout.
  void NoteShownRanges();
  const std::array<TShownRange, 3>& OpeningView() const { return FOpening; }

private:
  void SaveRanges();

  TChart& FOwner;
  TZoomPanningRecord FZoom;
  TZoomPanningRecord FPanning;
  TSavedAxisRange FSaved[4];  // top, bottom, left, right
  bool FRangesRestored = true;
  bool FIsZoomedIn = false;
  std::array<TShownRange, 3> FOpening{};
};
