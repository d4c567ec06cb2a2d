// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom and scroll by mouse: the drag records, the hit test that decides whether
// a press may start a drag, the inverting zoom rectangle, and the range changes
// of zoom, undo and scroll (through the axes' FixAxisRange).
#include "chart/chart_zoom.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "chart/chart.h"

namespace {

// The four axes whose ranges are saved and restored, in the order of the saved table.
std::array<TChartAxis*, 4> SavedAxes(TChart& Chart) {
  return {&Chart.TopAxis, &Chart.BottomAxis, &Chart.LeftAxis, &Chart.RightAxis};
}

// The band of an axis that answers a press: from its line to its labels edge
// (the ticks' room), widened by the click tolerance on the line's side, along
// the whole length of the axis.
bool AxisBandContains(const TChartAxis& Axis, int X, int Y) {
  const int Tolerance = TChartZoomScroll::ClickTolerance;
  int Near = Axis.AxisLine;
  int Far = Axis.LabelsEdge;
  int Low, High;
  if (Far <= Near) {  // labels on the smaller-coordinate side (left, top)
    Low = Far;
    High = Near + Tolerance;
  } else {  // labels on the larger-coordinate side (right, bottom)
    Low = Near - Tolerance;
    High = Far;
  }
  int Across = Axis.RunsHorizontally() ? Y : X;
  int Along = Axis.RunsHorizontally() ? X : Y;
  int AlongLow = std::min(Axis.StartPixel, Axis.EndPixel);
  int AlongHigh = std::max(Axis.StartPixel, Axis.EndPixel);
  return Across >= Low && Across <= High && Along >= AlongLow && Along <= AlongHigh;
}

bool AnySeriesActive(const TChart& Chart) {
  for (int I = 0; I < Chart.SeriesCount(); ++I) {
    if (Chart.Series(I).Active) return true;
  }
  return false;
}

// What a press lands on, in the order the chart asks: a series point, an axis,
// the title, the foot, the plot box. Only the first, second and last start a drag.
bool PressStartsDrag(TChart& Chart, int X, int Y) {
  for (int I = Chart.SeriesCount() - 1; I >= 0; --I) {
    const TChartSeries& Series = Chart.Series(I);
    if (Series.Active && Series.Clicked(X, Y).has_value()) return true;
  }
  for (TChartAxis* Axis : Chart.Axes()) {
    if (Axis->Kind() == TAxisKind::Depth) continue;  // never laid out as a band
    if (Axis->IsVisibleInChart() && AxisBandContains(*Axis, X, Y)) return true;
  }
  if (Chart.TitleContains(X, Y)) return false;
  if (Chart.FootContains(X, Y)) return false;
  return Chart.PlotRect.Contains(X, Y) && AnySeriesActive(Chart);
}

}  // namespace

void TZoomPanningRecord::StartDrag(int X, int Y) {
  Dragging = true;
  StartX = LastX = X;
  StartY = LastY = Y;
}

void TZoomPanningRecord::OrderCorners() {
  if (StartX > LastX) std::swap(StartX, LastX);
  if (StartY > LastY) std::swap(StartY, LastY);
}

void TChartZoomScroll::MouseDown(TMouseButton Button, int X, int Y) {
  if (FZoom.Dragging || FPanning.Dragging) return;
  if (!PressStartsDrag(FOwner, X, Y)) return;
  if (FOwner.AllowZoom && Button == TMouseButton::Left) {
    FZoom.StartDrag(X, Y);
    DrawZoomRectangle();
    FOwner.Canvas.Surface().Present();
  }
  if (FOwner.AllowPanning != TPanningMode::None && Button == TMouseButton::Right) FPanning.StartDrag(X, Y);
}

void TChartZoomScroll::MouseMove(int X, int Y) {
  if (FZoom.Dragging) {
    if (X == FZoom.LastX && Y == FZoom.LastY) return;
    DrawZoomRectangle();  // removes it from its old place
    FZoom.LastX = X;
    FZoom.LastY = Y;
    DrawZoomRectangle();
    FOwner.Canvas.Surface().Present();
    return;
  }
  if (!FPanning.Dragging) return;
  if (!FOwner.PlotRect.Contains(X, Y)) {
    FPanning.Dragging = false;  // leaving the plot box ends the scroll for good
    return;
  }
  if (X == FPanning.LastX && Y == FPanning.LastY) return;
  if (FRangesRestored) SaveRanges();

  bool Moved = false;
  const TPanningMode Mode = FOwner.AllowPanning;
  for (TChartAxis* Axis : FOwner.Axes()) {
    if (Axis->Kind() == TAxisKind::Depth) continue;
    int From, To;
    if (Axis->RunsHorizontally()) {
      if (X == FPanning.LastX || (Mode != TPanningMode::Horizontal && Mode != TPanningMode::Both)) continue;
      From = FPanning.LastX;
      To = X;
    } else {
      if (Y == FPanning.LastY || (Mode != TPanningMode::Vertical && Mode != TPanningMode::Both)) continue;
      From = FPanning.LastY;
      To = Y;
    }
    double Delta = Axis->PixelToValue(From) - Axis->PixelToValue(To);
    Axis->FixAxisRange(Axis->Minimum + Delta, Axis->Maximum + Delta);
    Moved = true;
  }
  FPanning.LastX = X;
  FPanning.LastY = Y;
  if (Moved) FOwner.Invalidate();
}

void TChartZoomScroll::MouseUp(TMouseButton Button, int X, int Y) {
  if (FZoom.Dragging && Button == TMouseButton::Left) {
    DrawZoomRectangle();  // the last one drawn, removed
    FOwner.Canvas.Surface().Present();
    FZoom.Dragging = false;
    FZoom.LastX = X;
    FZoom.LastY = Y;
    if (std::abs(FZoom.LastX - FZoom.StartX) > MinimalDrag && std::abs(FZoom.LastY - FZoom.StartY) > MinimalDrag) {
      if (FZoom.StartX < FZoom.LastX && FZoom.StartY < FZoom.LastY) {
        ZoomRect();
      } else {
        UndoZoom();
      }
      FOwner.Invalidate();
    }
  }
  FPanning.Dragging = false;
}

void TChartZoomScroll::CancelDrags() {
  if (FZoom.Dragging) {
    DrawZoomRectangle();  // removed
    FOwner.Canvas.Surface().Present();
    FZoom.Dragging = false;
  }
  FPanning.Dragging = false;
}

// The rectangle inverts the pixels under it (a black pen with the inverting
// mode), two pixels wide: red bars show it cyan, the blue ribbon yellow, white
// walls black. Drawn again at the same place, it is gone.
void TChartZoomScroll::DrawZoomRectangle() {
  if (!FZoom.Dragging) return;
  TSurfacePen Pen;
  Pen.Color = clBlack;
  Pen.Width = 1;
  Pen.Style = TPenStyle::Solid;
  Pen.Mode = TPenMode::NotXor;
  TCanvas3D& Canvas = FOwner.Canvas;
  Canvas.SetPen(Pen);
  Canvas.SetBrushClear();
  const TRect Outer{std::min(FZoom.StartX, FZoom.LastX), std::min(FZoom.StartY, FZoom.LastY),
                    std::max(FZoom.StartX, FZoom.LastX), std::max(FZoom.StartY, FZoom.LastY)};
  Canvas.Rectangle(Outer);
  // The inner ring only where it cannot meet the outer one.
  if (Outer.Width() > 4 && Outer.Height() > 4) {
    Canvas.Rectangle(TRect{Outer.Left + 1, Outer.Top + 1, Outer.Right - 1, Outer.Bottom - 1});
  }
  // Back to normal copying, and to the state the canvas keeps between paints.
  Canvas.ResetDrawingState();
}

void TChartZoomScroll::ZoomRect() {
  FZoom.OrderCorners();
  auto Horizontal = [this](const TChartAxis& Axis) {
    return std::pair{Axis.PixelToValue(FZoom.StartX), Axis.PixelToValue(FZoom.LastX)};
  };
  auto Vertical = [this](const TChartAxis& Axis) {
    return std::pair{Axis.PixelToValue(FZoom.LastY), Axis.PixelToValue(FZoom.StartY)};
  };
  auto [TopA, TopB] = Horizontal(FOwner.TopAxis);
  auto [BottomA, BottomB] = Horizontal(FOwner.BottomAxis);
  auto [LeftA, LeftB] = Vertical(FOwner.LeftAxis);
  auto [RightA, RightB] = Vertical(FOwner.RightAxis);
  if (FRangesRestored) SaveRanges();
  FOwner.LeftAxis.FixAxisRange(LeftA, LeftB);
  FOwner.RightAxis.FixAxisRange(RightA, RightB);
  FOwner.TopAxis.FixAxisRange(TopA, TopB);
  FOwner.BottomAxis.FixAxisRange(BottomA, BottomB);
  FIsZoomedIn = true;
}

void TChartZoomScroll::UndoZoom() {
  if (!FRangesRestored) {
    auto Axes = SavedAxes(FOwner);
    for (size_t I = 0; I < Axes.size(); ++I) {
      TChartAxis& Axis = *Axes[I];
      const TSavedAxisRange& Saved = FSaved[I];
      Axis.Automatic = Saved.Automatic;
      Axis.AutomaticMinimum = Saved.AutomaticMinimum;
      Axis.AutomaticMaximum = Saved.AutomaticMaximum;
      if (!Axis.Automatic) Axis.FixAxisRange(Saved.Minimum, Saved.Maximum);
    }
  }
  FRangesRestored = true;
  FIsZoomedIn = false;
  FOwner.Invalidate();
}

void TChartZoomScroll::BeforeRangeChange(bool Zooming) {
  if (FRangesRestored) SaveRanges();
  if (Zooming) FIsZoomedIn = true;
}

void TChartZoomScroll::NoteShownRanges() {
  if (!FRangesRestored) return;
  const TChartAxis* Axes[] = {&FOwner.BottomAxis, &FOwner.LeftAxis, &FOwner.RightAxis};
  for (size_t I = 0; I < FOpening.size(); ++I) FOpening[I] = TShownRange{Axes[I]->RangeMin, Axes[I]->RangeMax};
}

void TChartZoomScroll::SaveRanges() {
  auto Axes = SavedAxes(FOwner);
  for (size_t I = 0; I < Axes.size(); ++I) {
    const TChartAxis& Axis = *Axes[I];
    FSaved[I] = TSavedAxisRange{Axis.Automatic, Axis.AutomaticMinimum, Axis.AutomaticMaximum, Axis.Minimum,
                                Axis.Maximum};
  }
  FRangesRestored = false;
}
