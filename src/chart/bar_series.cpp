// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/bar_series.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>
#include <unordered_map>

#include "chart/chart.h"
#include "chart/chart_texts.h"
#include "chart/covered_shapes.h"
#include "chart/crowded_marks.h"
#include "chart/hit_test.h"
#include "platform/app_error.h"

namespace {

// Coordinates beyond this are far outside any panel; edges are held here so
// that a bar stretching far beyond the plot box still shows its visible part
// and the projection's arithmetic cannot overflow.
constexpr long long PixelLimit = 32767;

int ClampPixel(long long V) { return static_cast<int>(std::clamp(V, -PixelLimit, PixelLimit)); }
bool WithinLimit(long long V) { return V > -PixelLimit && V < PixelLimit; }

// Nearest integer, halves to the even neighbour.
long long RoundHalfEvenLong(double V) {
  const double Floor = std::floor(V);
  long long Result = static_cast<long long>(Floor);
  const double Fraction = V - Floor;
  if (Fraction > 0.5 || (Fraction == 0.5 && Result % 2 != 0)) ++Result;
  return Result;
}

// Numerator / Denominator (Denominator > 0) to the nearest integer, halves to
// even, without a detour through floating point: 70 per cent of 75 is 52.
long long DivideHalfEven(long long Numerator, long long Denominator) {
  long long Quotient = Numerator / Denominator;
  long long Remainder = Numerator % Denominator;
  if (Remainder < 0) {
    Remainder += Denominator;
    --Quotient;
  }
  if (2 * Remainder > Denominator || (2 * Remainder == Denominator && Quotient % 2 != 0)) ++Quotient;
  return Quotient;
}

// Empties a value kept for the time of one paint, however the paint ends.
struct TForgetOnExit {
  std::optional<long long>& Kept;
  ~TForgetOnExit() { Kept.reset(); }
};

}  // namespace

TBarSeries::TBarSeries(TChart& Owner) : TChartSeries(Owner) {
  FIsBar = true;
  Marks.Visible = true;
}

void TBarSeries::SetBarWidthPercent(int Value) {
  if (Value < 1 || Value > 100) throw EAppError(ChartTexts().BarWidthOutOfRange);
  FBarWidthPercent = Value;
  ParentChart().Invalidate();
}

double TBarSeries::LowestY() const {
  const double Lowest = TChartSeries::LowestY();
  return UseYOrigin ? std::min(Lowest, YOrigin) : Lowest;
}

double TBarSeries::HighestY() const {
  const double Highest = TChartSeries::HighestY();
  return UseYOrigin ? std::max(Highest, YOrigin) : Highest;
}

int TBarSeries::SideBySideCount() const {
  if (MultiBar != TMultiBar::Side) return 1;
  int Count = 0;
  const TChart& Chart = ParentChart();
  for (int I = 0; I < Chart.SeriesCount(); ++I) {
    const TChartSeries& Other = Chart.Series(I);
    if (Other.Active && typeid(Other) == typeid(*this)) ++Count;
  }
  return std::max(1, Count);
}

int TBarSeries::BarOrderPosition() const {
  int Position = 1;
  const TChart& Chart = ParentChart();
  for (int I = 0; I < Chart.SeriesCount(); ++I) {
    const TChartSeries& Other = Chart.Series(I);
    if (&Other == this) break;
    if (Other.Active && typeid(Other) == typeid(*this)) ++Position;
  }
  return Position;
}

void TBarSeries::UpdateBarPixelWidth() {
  long long Count = PointCount();
  if (MultiBar == TMultiBar::Side) {
    const TChart& Chart = ParentChart();
    for (int I = 0; I < Chart.SeriesCount(); ++I) {
      const TChartSeries& Other = Chart.Series(I);
      if (Other.Active && typeid(Other) == typeid(*this)) Count = std::max<long long>(Count, Other.PointCount());
    }
  }
  if (Count <= 0) {
    FBarPixelWidth = 0;
    return;
  }
  if (SideMargins) ++Count;

  const TChartAxis& Axis = GetHorizAxis();
  const long long Room = Axis.AxisLength / Count;
  long long Width = DivideHalfEven(FBarWidthPercent * Room, 100) / SideBySideCount();
  if (Width % 2 != 0) ++Width;
  // A fixed range (zoomed, scrolled, a page) that shows part of a series too
  // long for readable bars gives them the room of the part shown, as if the
  // series were that part.
  const double Shown = Axis.Range() + 1 + (SideMargins ? 1 : 0);
  if (Width < ThinBarWidth && !Axis.Automatic && Shown > 0 && Shown < Count) {
    long long ShownWidth = DivideHalfEven(FBarWidthPercent * static_cast<long long>(Axis.AxisLength / Shown), 100) /
                           SideBySideCount();
    if (ShownWidth % 2 != 0) ++ShownWidth;
    Width = std::max(Width, ShownWidth);
  }
  FBarPixelWidth = static_cast<int>(std::clamp(Width, -PixelLimit, PixelLimit));
}

void TBarSeries::HorizontalMargins(int& Left, int& Right) {
  Left = 0;
  Right = 0;
  UpdateBarPixelWidth();
  const int Margin = SideBySideCount() * FBarPixelWidth;
  Left += SideMargins ? Margin : Margin / 2;
  Right += SideMargins ? Margin : Margin / 2;
}

void TBarSeries::VerticalMargins(int& Top, int& Bottom) {
  Top = 0;
  Bottom = 0;
  if (PointCount() == 0 || !Marks.Visible) return;
  TCanvas3D& Canvas = ParentChart().Canvas;
  Canvas.SetFont(Marks.Font);
  int MarkLength = Canvas.LetterHeight() + Marks.ArrowLength;
  if (Marks.Frame.Visible) MarkLength += 2 * Marks.Frame.Width;
  if (MarkLength == 0) return;
  // The left axis of this chart is never inverted: marks of bars above the
  // origin need room at the top, below it at the bottom.
  if (UseYOrigin && YValues.LowestValue() < YOrigin) Bottom += MarkLength + 1;
  if (!UseYOrigin || YValues.HighestValue() > YOrigin) Top += MarkLength + 1;
}

long long TBarSeries::SideBySideOffset() const {
  return RoundHalfEvenLong((BarOrderPosition() - SideBySideCount() * 0.5 - 1) * FBarPixelWidth);
}

long long TBarSeries::BarLeftAt(long long XPixel) const {
  long long Left;
  if (MultiBar == TMultiBar::Side) {
    Left = XPixel + (FPaintSideOffset ? *FPaintSideOffset : SideBySideOffset());
  } else {
    Left = XPixel - FBarPixelWidth / 2;
  }
  return Left;
}

TBarSeries::TBarPlace TBarSeries::PlaceOf(int Index) const {
  const TChartAxis& Horiz = GetHorizAxis();
  const TChartAxis& Vert = GetVertAxis();
  TBarPlace Place;
  Place.Left = BarLeftAt(Horiz.ValueToPixel(XValues.ValueAt(Index)));
  Place.Right = Place.Left + FBarPixelWidth;
  Place.ValueRow = Vert.ValueToPixel(YValues.ValueAt(Index));
  Place.OriginRow = UseYOrigin ? Vert.ValueToPixel(YOrigin) : Vert.EndPixel;
  return Place;
}

void TBarSeries::DrawAllPoints() {
  FDrawnBoxes.assign(static_cast<size_t>(PointCount()), {});
  FDrawn.assign(static_cast<size_t>(PointCount()), false);
  FDrawnProjection = ParentChart().Canvas.Projection();
  FDrawnStartZ = StartZ;
  FDrawnEndZ = EndZ;
  FPaintSideOffset = SideBySideOffset();
  const TForgetOnExit Forget{FPaintSideOffset};
  FindCoveredBars();
  TChartSeries::DrawAllPoints();
  FCovered.clear();
}

// A bar is painted over completely by a later bar with the same left and
// right edges that reaches at least as high and as low: with a solid brush
// and a plain 1-pixel outline a box's pixels are those of its closed outline
// on screen, and the later box's outline holds the earlier one's. From some
// hundred drills on many bars share their columns, and only the last of
// them, and the taller ones before it, show. Of the bars that are drawn, the
// bars after each paint over much of it where they stand close (its side
// face above all), and so does the series drawn after the bars: what they
// paint in its columns is gathered with them (FLaterBars), for the surface
// to leave unwritten.
void TBarSeries::FindCoveredBars() {
  FCovered.assign(static_cast<size_t>(PointCount()), false);
  const bool Opaque = BarBrush.Style == TBrushStyle::Solid && BarPen.Visible && BarPen.Width == 1 &&
                      BarPen.Style == TPenStyle::Solid && !BarPen.SmallDots;
  FOpaqueBars = LeaveOutCoveredShapes && Opaque;
  TChart& Chart = ParentChart();
  FLaterSeries.Start(Chart.Width(), Chart.Height());
  FLaterSeriesPaint = Chart.FullPaintCount();
  FLaterBars.Start(Chart.Width(), Chart.Height());
  if (!LeaveOutCoveredShapes || !Opaque || FirstVisible < 0) return;
  // The line's ribbon, drawn after the bars and their marks, hides many of them.
  Chart.AddPaintsOfSeriesAfter(*this, FLaterSeries);
  FLaterBars = FLaterSeries;
  TCoveredShapes Later;
  for (int Index = std::min(LastVisible, PointCount() - 1); Index >= FirstVisible; --Index) {
    if (PointColor(Index) == clNone) continue;
    const TBarPlace Place = PlaceOf(Index);
    const int Left = ClampPixel(Place.Left), Right = ClampPixel(Place.Right);
    const int Top = ClampPixel(std::min(Place.ValueRow, Place.OriginRow));
    const int Bottom = ClampPixel(std::max(Place.ValueRow, Place.OriginRow));
    const std::int64_t Edges = (static_cast<std::int64_t>(Left) << 32) | static_cast<std::uint32_t>(Right);
    const bool Covered = Later.CoveredLater(Edges, Top, Bottom);
    FCovered[static_cast<size_t>(Index)] = Covered;
    if (Covered) continue;  // what it paints, the bar that covers it paints
    if (const auto Paints = Chart.Canvas.BoxColumns(Left, Right, Top, Bottom, StartZ, EndZ)) {
      if (FLaterBars.Covers(*Paints)) {
        FCovered[static_cast<size_t>(Index)] = true;  // hidden under what comes later
        continue;
      }
      FLaterBars.KeepCut(Index, Paints->Left, Paints->LastColumn());
      FLaterBars.Add(*Paints);
    }
  }
}

void TBarSeries::DrawPoint(int Index) {
  const TColor Color = PointColor(Index);
  if (Color == clNone) return;
  const TBarPlace Place = PlaceOf(Index);
  const bool Covered = Index >= 0 && static_cast<size_t>(Index) < FCovered.size() && FCovered[static_cast<size_t>(Index)];
  if (!Covered) {
    TSurface2D& Surface = ParentChart().Canvas.Surface();
    if (FOpaqueBars) Surface.SetPaintedLater(FLaterBars.CutOf(Index));
    DrawBar(Color, ClampPixel(Place.Left), ClampPixel(Place.Right),
            ClampPixel(std::min(Place.ValueRow, Place.OriginRow)),
            ClampPixel(std::max(Place.ValueRow, Place.OriginRow)));
    if (FOpaqueBars) Surface.SetPaintedLater({});
  }

  // The box, for the mouse.
  if (Index >= 0 && static_cast<size_t>(Index) < FDrawnBoxes.size()) {
    FDrawn[static_cast<size_t>(Index)] = true;
    FDrawnBoxes[static_cast<size_t>(Index)] = {
        static_cast<std::int16_t>(ClampPixel(Place.Left)), static_cast<std::int16_t>(ClampPixel(Place.Right)),
        static_cast<std::int16_t>(ClampPixel(std::min(Place.ValueRow, Place.OriginRow))),
        static_cast<std::int16_t>(ClampPixel(std::max(Place.ValueRow, Place.OriginRow)))};
  }
}

std::array<TPoint, 6> TBarSeries::DrawnOutline(std::size_t Index) const {
  const TDrawnBox& Box = FDrawnBoxes[Index];
  const TProjection& At = FDrawnProjection;
  return {At.Of(Box.Left, Box.Bottom, FDrawnStartZ), At.Of(Box.Left, Box.Top, FDrawnStartZ),
          At.Of(Box.Left, Box.Top, FDrawnEndZ),      At.Of(Box.Right, Box.Top, FDrawnEndZ),
          At.Of(Box.Right, Box.Bottom, FDrawnEndZ),  At.Of(Box.Right, Box.Bottom, FDrawnStartZ)};
}

void TBarSeries::DrawBar(TColor Color, int Left, int Right, int Top, int Bottom) {
  TChart& Chart = ParentChart();
  TCanvas3D& Canvas = Chart.Canvas;
  // A thin bar has no room for a dark outline beside its face: its outline
  // takes the bar's colour (the same pixels, so nothing else changes).
  if (FBarPixelWidth < ThinBarWidth && BarPen.Visible) {
    TChartPen Pen = BarPen;
    Pen.Color = Color;
    Canvas.UseChartPen(Pen);
  } else {
    Canvas.UseChartPen(BarPen);
  }
  // The bar brush's own colour "auto" is the panel's colour.
  const TColor BrushOwnColor = BarBrush.Color == clAutoColor ? Chart.Color : BarBrush.Color;
  Canvas.PrepareBrush(Color, BarBrush.Style, BrushOwnColor);
  Canvas.Box(Left, Right, Top, Bottom, StartZ, EndZ, Dark3D);
}

// What a crowded mark must not cover: the title, and the value axes' labels
// (all beyond their lines, as the screen shows them).
std::vector<TRect> TBarSeries::CrowdAvoids() const {
  const TChart& Chart = ParentChart();
  constexpr int Far = 1 << 20;
  std::vector<TRect> Avoid{Chart.TitleRect()};
  if (Chart.LeftAxis.IsVisibleInChart()) {
    const int X = Chart.Canvas.ProjectPoint(Chart.LeftAxis.AxisLine, 0, 0).X;
    Avoid.push_back(TRect{-Far, -Far, X, Far});
  }
  if (Chart.RightAxis.IsVisibleInChart()) {
    const int X = Chart.Canvas.ProjectPoint(Chart.RightAxis.AxisLine, 0, Chart.TotalDepth).X;
    Avoid.push_back(TRect{X, -Far, Far, Far});
  }
  return Avoid;
}

// Drawn after all bars, and not clipped unless the marks ask for it (the
// chart's paint takes care of that).
void TBarSeries::DrawMarks() {
  if (!Marks.Visible || FirstVisible < 0) return;
  TChart& Chart = ParentChart();
  TCanvas3D& Canvas = Chart.Canvas;

  TSurfaceFont Font = Marks.Font;
  const TView3DOptions& View = Canvas.View3DOptions;
  if (Chart.View3D && View.ZoomText && View.Zoom != 100) {
    Font.Height = static_cast<int>(std::max<long long>(1, RoundHalfEvenLong(Font.Height * View.Zoom * 0.01)));
  }

  const int Last = std::min(LastVisible, PointCount() - 1);
  // Each mark keeps its place by index: room for the last one at once.
  if (Last >= 0) Marks.Positions.reserve(static_cast<size_t>(Last) + 1);
  Canvas.SetFont(Font);

  // Where each mark goes. Many marks share their text (a percentage), which
  // is formatted and measured once and kept for the next paint.
  struct TMarkToDraw {
    TColor Color = clNone;
    TMarkText* Text = nullptr;
    TMarkText LabelText;
    TSeriesMarkPosition Position;
  };
  const TMarkTextsMadeWith MadeWith{Marks.Style, ValueFormat, Font, Marks.Frame.Visible, Marks.Frame.Width,
                                    Marks.Transparent};
  if (FValueMarkTextsMadeWith != MadeWith || FValueMarkTexts.size() > MostMarkTexts) {
    FValueMarkTexts.clear();
    FValueMarkTextsMadeWith = MadeWith;
  }
  std::unordered_map<double, TMarkText>& ValueTexts = FValueMarkTexts;
  auto MarkAt = [&](int Index, TMarkToDraw& Mark) {
    Mark.Color = PointColor(Index);
    if (Mark.Color == clNone) return false;
    const std::string Label = PointLabel(Index);
    const double Value = YValues.ValueAt(Index);
    if (Label.empty()) {
      auto It = ValueTexts.find(Value);
      if (It == ValueTexts.end()) {
        std::string Text = Marks.MarkText(Label, Value, ValueFormat);
        const TSize Box = Text.empty() ? TSize{} : Marks.BoxSize(Canvas, Text);
        It = ValueTexts.emplace(Value, TMarkText{std::move(Text), Box, false, std::nullopt}).first;
      }
      Mark.Text = &It->second;
    } else {
      Mark.LabelText = TMarkText{};
      Mark.LabelText.Text = Marks.MarkText(Label, Value, ValueFormat);
      if (!Mark.LabelText.Text.empty()) Mark.LabelText.Box = Marks.BoxSize(Canvas, Mark.LabelText.Text);
      Mark.Text = &Mark.LabelText;
    }
    if (Mark.Text->Text.empty()) return false;
    const TBarPlace Place = PlaceOf(Index);
    // A bar whose top lies far outside the panel has no mark to show.
    if (!WithinLimit(Place.Left) || !WithinLimit(Place.ValueRow) || !WithinLimit(Place.OriginRow)) return false;

    const TSize Box = Mark.Text->Box;
    const int Left = static_cast<int>(Place.Left);
    const int ValueRow = static_cast<int>(Place.ValueRow);

    TSeriesMarkPosition& Position = Mark.Position;
    Position.ArrowFrom = Position.ArrowTo = TPoint{Left, ValueRow};
    Position.LeftTop = TPoint{Left - Box.Width / 2, ValueRow - Box.Height + 1};
    Position.Width = Box.Width;
    Position.Height = Box.Height;

    // The arrow starts at the middle of the bar's top and points away from
    // the origin: up for a bar above it, down for one hanging below it.
    const int Half = FBarPixelWidth / 2;
    int Length = Marks.ArrowLength;
    if (Place.OriginRow < Place.ValueRow) Length = -Length - Box.Height;
    Position.ArrowFrom.X += Half;
    Position.ArrowTo.X += Half;
    Position.LeftTop.X += Half;
    Position.ArrowTo.Y -= Length;
    Position.LeftTop.Y -= Length;
    return true;
  };

  // A mark all of whose pixels lie under the boxes of later marks is left out:
  // each later box is painted over whatever lies beneath it. With hundreds of
  // drills most marks lie under later ones. So is one under what the series
  // drawn after this one paint inside their clip.
  FPaintSideOffset = SideBySideOffset();
  const TForgetOnExit Forget{FPaintSideOffset};
  const size_t Count = static_cast<size_t>(std::max(0, Last - FirstVisible + 1));
  TMarkToDraw Mark;
  // Marks that would cover a later one or the title are left out.
  std::vector<std::optional<TRect>> Boxes(Marks.LeaveOutCrowded ? Count : 0);
  for (int Index = FirstVisible; Index <= Last && Marks.LeaveOutCrowded; ++Index) {
    if (!MarkAt(Index, Mark)) continue;
    Boxes[static_cast<size_t>(Index - FirstVisible)] = Marks.BoxOnScreen(Canvas, Mark.Position, MiddleZ);
  }
  std::vector<bool> Covered = Marks.LeaveOutCrowded ? CrowdedMarks(Boxes, CrowdAvoids()) : std::vector<bool>(Count);
  const std::vector<bool> Crowded = Covered;
  if (LeaveOutCoveredShapes) {
    TCoveredArea& Later = FLaterMarks;
    Later.Clear();
    const bool SeriesAfter = FLaterSeriesPaint == Chart.FullPaintCount();
    const std::optional<TRect> SeriesClip = Chart.SeriesClipInterior();
    // Later marks cover a rectangle, or the later series do where their clip lets them.
    auto CoveredLater = [&](const TRect& R) {
      if (Later.Covers(R)) return true;
      if (!SeriesAfter) return false;
      if (SeriesClip && (R.Left < SeriesClip->Left || R.Top < SeriesClip->Top || R.Right > SeriesClip->Right ||
                         R.Bottom > SeriesClip->Bottom)) {
        return false;
      }
      return FLaterSeries.Covers(R);
    };
    for (int Index = Last; Index >= FirstVisible; --Index) {
      if (Crowded[static_cast<size_t>(Index - FirstVisible)] || !MarkAt(Index, Mark)) continue;
      TMarkText& Text = *Mark.Text;
      if (!Text.FootprintTried) {
        Text.Footprint = Marks.BoxFootprint(Canvas, Text.Text, Mark.Position.Width, Mark.Position.Height);
        Text.FootprintTried = true;
      }
      const std::optional<TRect> Arrow = Marks.ArrowFootprint(Canvas, Mark.Position, MiddleZ);
      const TRect Box = Marks.BoxOnScreen(Canvas, Mark.Position, MiddleZ);
      auto CoveredOnScreen = [&](const TRect& R) {
        return CoveredLater(TRect{R.Left + Box.Left, R.Top + Box.Top, R.Right + Box.Left, R.Bottom + Box.Top});
      };
      if (Text.Footprint && Arrow && CoveredLater(*Arrow) &&
          std::all_of(Text.Footprint->begin(), Text.Footprint->end(), CoveredOnScreen)) {
        Covered[static_cast<size_t>(Index - FirstVisible)] = true;
      } else if (const auto Box = Marks.OpaqueBox(Canvas, Mark.Position, MiddleZ)) {
        Later.Add(*Box);
      }
    }
  }

  for (int Index = FirstVisible; Index <= Last; ++Index) {
    if (!MarkAt(Index, Mark)) continue;
    if (Covered[static_cast<size_t>(Index - FirstVisible)]) {
      Marks.KeepPosition(Index, Mark.Position);
    } else {
      Marks.DrawMark(Canvas, Index, Mark.Text->Text, Mark.Position, MiddleZ, Mark.Color, Chart.Color);
    }
  }
}

std::optional<int> TBarSeries::Clicked(int X, int Y) const { return ClickedAmong(X, Y, 0, PointCount() - 1); }

std::optional<int> TBarSeries::ClickedAmong(int X, int Y, int First, int Last) const {
  const int Count = std::min(PointCount(), static_cast<int>(FDrawnBoxes.size()));
  // The bar drawn last lies on top.
  for (int Index = std::min(Last, Count - 1); Index >= std::max(First, 0); --Index) {
    if (FDrawn[static_cast<size_t>(Index)] && PolygonContains(DrawnOutline(static_cast<size_t>(Index)), X, Y)) {
      return Index;
    }
  }
  return std::nullopt;
}
