// SPDX-License-Identifier: GPL-3.0-or-later
// The chart panel: the paint sequence, the layout of the plot box, the title,
// the walls, and the calls that draw the axes and the series.
#include "chart/chart.h"

#include <algorithm>
#include <cmath>

#include "chart/rounding.h"

namespace {

// The common part of A and B; empty (Left >= Right or Top >= Bottom) when they do not meet.
TRect Intersection(const TRect& A, const TRect& B) {
  return TRect{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
               std::min(A.Bottom, B.Bottom)};
}

bool IsEmpty(const TRect& R) { return R.Left >= R.Right || R.Top >= R.Bottom; }

}  // namespace

TChart::TChart(TSurface2D& Surface)
    : BottomAxis(*this, TAxisKind::Bottom),
      TopAxis(*this, TAxisKind::Top),
      LeftAxis(*this, TAxisKind::Left),
      RightAxis(*this, TAxisKind::Right),
      DepthAxis(*this, TAxisKind::Depth),
      Canvas(Surface) {
  Title.Font.Color = clBlue;
  BackWall.Brush.Style = TBrushStyle::Clear;
  LeftWall.Color = clLightYellow;
  BottomWall.Color = clWhite;
}

std::array<TChartAxis*, 5> TChart::Axes() { return {&BottomAxis, &TopAxis, &LeftAxis, &RightAxis, &DepthAxis}; }

TChartAxis& TChart::Axis(TAxisKind Kind) {
  switch (Kind) {
    case TAxisKind::Bottom: return BottomAxis;
    case TAxisKind::Top: return TopAxis;
    case TAxisKind::Left: return LeftAxis;
    case TAxisKind::Right: return RightAxis;
    case TAxisKind::Depth: break;
  }
  return DepthAxis;
}

bool TChart::SeriesUsesAxis(const TChartSeries& Series, const TChartAxis& Axis) const {
  if (!Series.Active) return false;
  return Axis.RunsHorizontally() ? Series.HorizAxis == Axis.Kind() : Series.VertAxis == Axis.Kind();
}

bool TChart::TitleContains(int X, int Y) const { return FTitleRect.Contains(X, Y); }

bool TChart::FootContains(int X, int Y) const { return FFootRect.Contains(X, Y); }

void TChart::NormalizePlotRect() {
  if (PlotRect.Left < PanelBounds.Left) PlotRect.Left = PanelBounds.Left;
  if (PlotRect.Top < PanelBounds.Top) PlotRect.Top = PanelBounds.Top;
  if (PlotRect.Right < PlotRect.Left)
    PlotRect.Right = PlotRect.Left + 1;
  else if (PlotRect.Right == PlotRect.Left)
    PlotRect.Right = PlotRect.Left + PanelBounds.Width();
  if (PlotRect.Bottom < PlotRect.Top)
    PlotRect.Bottom = PlotRect.Top + 1;
  else if (PlotRect.Bottom == PlotRect.Top)
    PlotRect.Bottom = PlotRect.Top + PanelBounds.Height();
}

// --- painting ---

void TChart::SetSize(int Width, int Height) {
  if (Width == FWidth && Height == FHeight) return;
  FWidth = Width;
  FHeight = Height;
  Invalidate();
}

void TChart::Invalidate() {
  Canvas.MarkDirty();
  if (OnInvalidate) OnInvalidate();
}

void TChart::Paint() {
  if (Canvas.RedrawFromBuffer()) return;
  DrawAll();
}

void TChart::DrawAll() {
  ++FFullPaintCount;
  Canvas.PanelColor = Color;
  PanelBounds = Canvas.StartDrawing(FWidth, FHeight, View3D);

  const int W = PanelBounds.Width();
  const int H = PanelBounds.Height();
  PlotRect = TRect{PanelBounds.Left + BorderWidth + MulDiv(MarginLeft, W, 100),
                   PanelBounds.Top + BorderWidth + MulDiv(MarginTop, H, 100),
                   PanelBounds.Right - BorderWidth - MulDiv(MarginRight, W, 100),
                   PanelBounds.Bottom - BorderWidth - MulDiv(MarginBottom, H, 100)};
  NormalizePlotRect();

  DrawPanel();
  DrawTitles();
  CalcDepthSlots();
  LayoutChart();
  for (int I = 0; I < SeriesCount(); ++I) {
    TChartSeries& S = Series(I);
    S.SetDepthSlot(S.DepthSlot, DepthPerSeries);
  }
  ApplySeriesMargins();
  ZoomScroll.NoteShownRanges();
  Canvas.SetProjection(TotalDepth, PanelBounds, PlotRect);
  DrawWalls();
  for (TChartAxis* A : Axes()) {
    if (A->IsVisibleInChart()) A->Draw();
  }
  DrawSeries();
  ZoomScroll.DrawZoomRectangle();
  Canvas.ResetDrawingState();
  Canvas.PresentImage();
}

void TChart::DrawPanel() {
  Canvas.FillRect(PanelBounds, Color);
  TRect R = PanelBounds;
  // One ring per bevel pixel: top and left edges light, bottom and right dark
  // for a raised bevel (the other way round when lowered).
  auto Bevel = [&](TPanelBevel Kind) {
    if (Kind == TPanelBevel::None) return;
    const TColor TopLeft = Kind == TPanelBevel::Raised ? clBtnHighlight : clBtnShadow;
    const TColor BottomRight = Kind == TPanelBevel::Raised ? clBtnShadow : clBtnHighlight;
    for (int Ring = 0; Ring < BevelWidth; ++Ring) {
      const int Right = R.Right - 1;
      const int Bottom = R.Bottom - 1;
      Canvas.SetPen(TSurfacePen{TopLeft, 1, TPenStyle::Solid, TPenMode::Copy});
      Canvas.Polyline({TPoint{R.Left, Bottom}, TPoint{R.Left, R.Top}, TPoint{Right, R.Top}});
      Canvas.SetPen(TSurfacePen{BottomRight, 1, TPenStyle::Solid, TPenMode::Copy});
      Canvas.Polyline({TPoint{Right, R.Top}, TPoint{Right, Bottom}, TPoint{R.Left - 1, Bottom}});
      R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    }
  };
  Bevel(BevelOuter);
  // The border ring keeps the panel colour, which is already there.
  R = TRect{R.Left + BorderWidth, R.Top + BorderWidth, R.Right - BorderWidth, R.Bottom - BorderWidth};
  Bevel(BevelInner);
}

void TChart::DrawTitles() {
  Canvas.BeginFlat();
  // The legend is left out of this chart, so the title and the foot come
  // straight after the panel whether or not it is visible.
  DrawTitle(Title, false, FTitleRect);
  DrawTitle(Foot, true, FFootRect);
  Canvas.EndFlat();
}

void TChart::DrawTitle(const TChartTitle& Which, bool IsFoot, TRect& Bounds) {
  Bounds = TRect{};
  if (!Which.Visible || Which.Text.empty()) return;
  // With the default settings a title has no box and no frame: only its text.
  Canvas.SetFont(Which.Font);
  Canvas.SetBrushClear();
  Canvas.SetBackground(TBackgroundMode::Transparent, Color);
  Canvas.SetTextAlign(THorizTextAlign::Left, TVertTextAlign::Top);
  const int H = Canvas.LetterHeight();
  const int Middle = (PlotRect.Left + PlotRect.Right) / 2;
  bool First = true;
  auto Line = [&](const std::string& Text, int Y) {
    const int Width = Canvas.TextPixelWidth(Text);
    const int X = Middle - Width / 2;
    Canvas.TextOut(X, Y, Text);
    const TRect Box{X, Y, X + Width, Y + H};
    Bounds = First ? Box
                   : TRect{std::min(Bounds.Left, Box.Left), std::min(Bounds.Top, Box.Top),
                           std::max(Bounds.Right, Box.Right), std::max(Bounds.Bottom, Box.Bottom)};
    First = false;
  };
  if (!IsFoot) {
    int Y = PlotRect.Top;
    for (const auto& Text : Which.Text) {
      Line(Text, Y);
      Y += H;
    }
    PlotRect.Top = Y + 5;
  } else {
    int Y = PlotRect.Bottom;
    for (auto It = Which.Text.rbegin(); It != Which.Text.rend(); ++It) {
      Y -= H;
      Line(*It, Y);
    }
    PlotRect.Bottom = Y - 5;
  }
  NormalizePlotRect();
}

void TChart::CalcDepthSlots() {
  // Active series take slots in series order; then the order is reversed so
  // that the first series stands furthest back.
  int Slot = 0;
  for (int I = 0; I < SeriesCount(); ++I) {
    if (Series(I).Active) Series(I).DepthSlot = Slot++;
  }
  FHighestSlot = Slot - 1;
  for (int I = 0; I < SeriesCount(); ++I) {
    if (Series(I).Active) Series(I).DepthSlot = FHighestSlot - Series(I).DepthSlot;
  }
}

void TChart::LayoutChart() {
  for (TChartAxis* A : Axes()) A->CalcRange();

  // The depth comes from the plot width before the axes take their room. The
  // rotated view is not drawn by this chart; every 3D view is the oblique one.
  DepthPerSeries = View3D ? RoundHalfEven(PlotWidth() * Chart3DPercent * 0.001) : 0;
  TotalDepth = DepthPerSeries * std::max(1, FHighestSlot + 1);
  if (View3D) {
    // The back of the box goes where the front was.
    PlotRect.Right -= TotalDepth + BackWall.Size;
    PlotRect.Top += TotalDepth + BackWall.Size;
    NormalizePlotRect();
  }

  for (TChartAxis* A : Axes()) {
    if (!A->IsVisibleInChart()) continue;
    TRect R = PlotRect;
    A->ReserveSpace(R);
    const TRect Common = Intersection(R, PlotRect);
    if (!IsEmpty(Common)) PlotRect = Common;
  }
  NormalizePlotRect();
  for (TChartAxis* A : Axes()) A->SetPixels(PlotRect);
}

void TChart::ApplySeriesMargins() {
  for (TChartAxis* A : {&BottomAxis, &TopAxis, &LeftAxis, &RightAxis}) {
    // First margin at StartPixel (left or top), second at EndPixel (right or bottom).
    int First = 0, Second = 0;
    for (int I = 0; I < SeriesCount(); ++I) {
      TChartSeries& S = Series(I);
      if (!SeriesUsesAxis(S, *A)) continue;
      if (A->RunsHorizontally()) {
        int Left = 0, Right = 0;
        S.HorizontalMargins(Left, Right);
        if (A->MinimumIsAutomatic()) First = std::max(First, Left);
        if (A->MaximumIsAutomatic()) Second = std::max(Second, Right);
      } else {
        int Top = 0, Bottom = 0;
        S.VerticalMargins(Top, Bottom);
        if (A->MaximumIsAutomatic()) First = std::max(First, Top);
        if (A->MinimumIsAutomatic()) Second = std::max(Second, Bottom);
      }
    }
    if ((First == 0 && Second == 0) || A->Range() == 0) continue;

    // Widen the range so that the old pixel extent keeps the margins free.
    const int Start = A->StartPixel, End = A->EndPixel, Length = A->AxisLength;
    A->StartPixel = Start + First;
    A->EndPixel = End - Second;
    A->AxisLength = A->EndPixel - A->StartPixel;
    // A narrowed extent of no length would collapse the range: keep it then.
    if (A->AxisLength > 0) {
      const double AtStart = A->PixelToValue(Start);
      const double AtEnd = A->PixelToValue(End);
      A->RangeMin = std::min(AtStart, AtEnd);
      A->RangeMax = std::max(AtStart, AtEnd);
    }
    A->StartPixel = Start;
    A->EndPixel = End;
    A->AxisLength = Length;
  }
}

void TChart::DrawWall(const TChartWall& Wall) {
  Canvas.UseChartPen(Wall.Pen);
  const TBrushStyle Style =
      (Wall.Color == clAutoColor && Wall.Brush.Style == TBrushStyle::Solid) ? TBrushStyle::Clear : Wall.Brush.Style;
  Canvas.PrepareBrush(Wall.Color, Style, Wall.Brush.Color);
}

void TChart::DrawWalls() {
  const TRect& P = PlotRect;
  if (View3D && View3DWalls) {
    DrawWall(BackWall);
    Canvas.RectangleAtZ(TRect{P.Left + 1, P.Top - 1, P.Right, P.Bottom}, TotalDepth);
    DrawWall(LeftWall);
    Canvas.PlaneAtX(P.Left, P.Top, P.Bottom + BottomWall.Size, 0, TotalDepth + 1);
    DrawWall(BottomWall);
    Canvas.PlaneAtY(P.Left, P.Bottom, P.Right, 0, TotalDepth);
  } else {
    DrawWall(BackWall);
    Canvas.Rectangle(TRect{P.Left, P.Top, P.Right + 1, P.Bottom + 1});
  }
}

void TChart::AddPaintsOfSeriesAfter(const TChartSeries& Series, TLaterColumns& Later) {
  // Every series is drawn in the same clip (the plot box's, or none).
  for (int I = SeriesCount() - 1; I >= 0 && &this->Series(I) != &Series; --I) {
    TChartSeries& After = this->Series(I);
    if (!After.Active) continue;
    After.CalcVisibleRange();
    After.AddPaintsTo(Later);
  }
}

std::optional<TRect> TChart::SeriesClipInterior() const {
  if (!ClipPoints) return std::nullopt;
  const TPoint TopLeft = Canvas.ProjectPoint(PlotRect.Left, PlotRect.Top, 0);
  const TPoint BottomRight = Canvas.ProjectPoint(PlotRect.Right, PlotRect.Bottom, 0);
  return TRect{TopLeft.X + 2, TopLeft.Y + 2, BottomRight.X - 1, BottomRight.Y - 1};
}

void TChart::DrawSeries() {
  for (int I = 0; I < SeriesCount(); ++I) {
    TChartSeries& S = Series(I);
    if (!S.Active) continue;
    S.CalcVisibleRange();
    if (ClipPoints) Canvas.ClipBox(PlotRect, 0, TotalDepth);
    S.DrawAllPoints();
    if (ClipPoints) Canvas.Unclip();
    // Marks are not clipped unless they ask for it.
    if (S.Marks.Clip) Canvas.ClipBox(PlotRect, 0, TotalDepth);
    S.DrawMarks();
    if (S.Marks.Clip) Canvas.Unclip();
  }
}
