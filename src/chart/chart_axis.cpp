// SPDX-License-Identifier: GPL-3.0-or-later
// An axis of the chart: range, label step, value <-> pixel mapping, the space
// it takes from the plot box, and its drawing.
#include "chart/chart_axis.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

#include "chart/chart.h"
#include "chart/rounding.h"

namespace {

// The lines of a text; "\n" separates them (it never occurs inside a
// Shift_JIS double-byte character).
std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> Lines;
  size_t Start = 0;
  for (;;) {
    const size_t End = Text.find('\n', Start);
    Lines.push_back(Text.substr(Start, End == std::string::npos ? std::string::npos : End - Start));
    if (End == std::string::npos) break;
    Start = End + 1;
  }
  return Lines;
}

int WidestLine(TCanvas3D& Canvas, const std::string& Text) {
  int Widest = 0;
  for (const auto& Line : SplitLines(Text)) Widest = std::max(Widest, Canvas.TextPixelWidth(Line));
  return Widest;
}

int LineCount(const std::string& Text) { return static_cast<int>(SplitLines(Text).size()); }

constexpr double MinimalStep = 1e-12;

}  // namespace

double NextNiceStep(double S) {
  if (!std::isfinite(S) || S <= 0) return S;
  if (S >= 10) return NextNiceStep(S * 0.1) * 10;
  if (S < 1) return NextNiceStep(S * 10) * 0.1;
  if (S < 2) return 2;
  if (S < 5) return 5;
  return 10;
}

std::string FormatAxisValue(double Value, const std::string& Format) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";

  // The pattern: "#,##0.###" -> thousands separator, one integer digit at
  // least, no fixed decimals, three decimals at most.
  const std::string Section = Format.substr(0, Format.find(';'));
  const size_t Point = Section.find('.');
  const std::string IntPattern = Section.substr(0, Point);
  const std::string FracPattern = Point == std::string::npos ? std::string() : Section.substr(Point + 1);
  const bool Thousands = IntPattern.find(',') != std::string::npos;
  const int MinIntDigits = static_cast<int>(std::count(IntPattern.begin(), IntPattern.end(), '0'));
  const int MinDecimals = static_cast<int>(std::count(FracPattern.begin(), FracPattern.end(), '0'));
  const int MaxDecimals = MinDecimals + static_cast<int>(std::count(FracPattern.begin(), FracPattern.end(), '#'));

  // Fifteen significant digits first, so that 0.30000000000000004 reads 0.3;
  // then decimal rounding with halves away from zero.
  char Buffer[64];
  const auto Written =
      std::to_chars(Buffer, Buffer + sizeof Buffer - 1, std::fabs(Value), std::chars_format::scientific, 14);
  *Written.ptr = '\0';
  std::string Digits;
  const char* C = Buffer;
  for (; *C != 'e'; ++C) {
    if (*C >= '0' && *C <= '9') Digits += *C;
  }
  const int Exponent = std::atoi(C + 1);
  // Value = 0.Digits x 10^(Exponent + 1): split into integer and fraction digits.
  const int IntCount = Exponent + 1;
  std::string IntDigits;
  std::string FracDigits;
  if (IntCount <= 0) {
    FracDigits = std::string(static_cast<size_t>(-IntCount), '0') + Digits;
  } else if (IntCount >= static_cast<int>(Digits.size())) {
    IntDigits = Digits + std::string(static_cast<size_t>(IntCount) - Digits.size(), '0');
  } else {
    IntDigits = Digits.substr(0, static_cast<size_t>(IntCount));
    FracDigits = Digits.substr(static_cast<size_t>(IntCount));
  }

  if (static_cast<int>(FracDigits.size()) > MaxDecimals) {
    const bool RoundUp = FracDigits[static_cast<size_t>(MaxDecimals)] >= '5';
    FracDigits.resize(static_cast<size_t>(MaxDecimals));
    if (RoundUp) {
      std::string All = IntDigits + FracDigits;
      int I = static_cast<int>(All.size()) - 1;
      while (I >= 0 && All[static_cast<size_t>(I)] == '9') All[static_cast<size_t>(I--)] = '0';
      if (I >= 0)
        ++All[static_cast<size_t>(I)];
      else
        All.insert(All.begin(), '1');
      const size_t NewIntSize = All.size() - FracDigits.size();
      IntDigits = All.substr(0, NewIntSize);
      FracDigits = All.substr(NewIntSize);
    }
  }
  while (static_cast<int>(FracDigits.size()) > MinDecimals && !FracDigits.empty() && FracDigits.back() == '0')
    FracDigits.pop_back();

  size_t FirstNonZero = IntDigits.find_first_not_of('0');
  IntDigits = FirstNonZero == std::string::npos ? std::string() : IntDigits.substr(FirstNonZero);
  if (static_cast<int>(IntDigits.size()) < MinIntDigits)
    IntDigits.insert(0, static_cast<size_t>(MinIntDigits) - IntDigits.size(), '0');

  std::string IntText;
  for (size_t I = 0; I < IntDigits.size(); ++I) {
    if (Thousands && I > 0 && (IntDigits.size() - I) % 3 == 0) IntText += ',';
    IntText += IntDigits[I];
  }

  // A value that rounds to zero carries no sign.
  const bool IsZero = IntDigits.find_first_not_of('0') == std::string::npos &&
                      FracDigits.find_first_not_of('0') == std::string::npos;
  std::string Result = (Value < 0 && !IsZero) ? "-" : "";
  Result += IntText;
  if (!FracDigits.empty()) Result += "." + FracDigits;
  return Result;
}

TChartAxis::TChartAxis(TChart& Owner, TAxisKind Kind) : FOwner(Owner), FKind(Kind) {
  if (Kind == TAxisKind::Left) Title.Angle = 90;
  if (Kind == TAxisKind::Right) Title.Angle = 270;
  if (Kind == TAxisKind::Depth) Visible = false;
}

void TChartAxis::FixAxisRange(double A, double B) {
  Automatic = AutomaticMinimum = AutomaticMaximum = false;
  Minimum = std::min(A, B);
  Maximum = std::max(A, B);
  if (Maximum - Minimum < 1e-10) Maximum = Minimum + 1e-10;
}

void TChartAxis::SetAutomatic(bool Value) { Automatic = AutomaticMinimum = AutomaticMaximum = Value; }

void TChartAxis::SetMinMax(double Min, double Max) {
  SetAutomatic(false);
  Minimum = Min;
  Maximum = Max;
}

// --- value <-> pixel ---

int TChartAxis::ValueToPixel(double Value) const {
  const double R = Range();
  if (R == 0) return CenterPixel;
  const double Offset = (Value - RangeMin) * AxisLength / R;
  if (!(std::fabs(Offset) < 2147483647.0)) return CenterPixel;
  const long long Pixel = RunsHorizontally() ? static_cast<long long>(StartPixel) + RoundHalfEven(Offset)
                                             : static_cast<long long>(EndPixel) - RoundHalfEven(Offset);
  return static_cast<int>(std::clamp<long long>(Pixel, INT_MIN, INT_MAX));
}

double TChartAxis::PixelToValue(int Pixel) const {
  if (AxisLength <= 0) return 0;
  const double Scaled = static_cast<double>(Pixel - StartPixel) * Range() / AxisLength;
  return RunsHorizontally() ? RangeMin + Scaled : RangeMax - Scaled;
}

// --- layout ---

bool TChartAxis::IsVisibleInChart() const {
  if (FKind == TAxisKind::Depth) return Visible && FOwner.View3D;
  if (!FOwner.AxisVisible || !Visible) return false;
  for (int I = 0; I < FOwner.SeriesCount(); ++I) {
    if (FOwner.SeriesUsesAxis(FOwner.Series(I), *this)) return true;
  }
  return false;
}

void TChartAxis::CalcRange() {
  const bool MinAuto = MinimumIsAutomatic();
  const bool MaxAuto = MaximumIsAutomatic();
  if (MinAuto || MaxAuto) {
    auto PlottedHere = [this](const TChartSeries& S) {
      return FKind == (RunsHorizontally() ? S.HorizAxis : S.VertAxis);
    };
    // Inactive series count only when no active series is plotted against the axis.
    bool AnyActive = false;
    for (int I = 0; I < FOwner.SeriesCount(); ++I) {
      const TChartSeries& S = FOwner.Series(I);
      if (S.Active && PlottedHere(S)) AnyActive = true;
    }
    bool Found = false;
    double Low = 0, High = 0;
    for (int I = 0; I < FOwner.SeriesCount(); ++I) {
      const TChartSeries& S = FOwner.Series(I);
      if (!PlottedHere(S) || S.Active != AnyActive || S.PointCount() == 0) continue;
      const double SLow = RunsHorizontally() ? S.LowestX() : S.LowestY();
      const double SHigh = RunsHorizontally() ? S.HighestX() : S.HighestY();
      if (!Found) {
        Low = SLow;
        High = SHigh;
        Found = true;
      } else {
        Low = std::min(Low, SLow);
        High = std::max(High, SHigh);
      }
    }
    if (MinAuto) Minimum = Low;
    if (MaxAuto) Maximum = High;
  }
  RangeMin = Minimum;
  RangeMax = Maximum;
}

int TChartAxis::ShrinkEdge(TRect& R, int Amount) const {
  switch (FKind) {
    case TAxisKind::Bottom: return R.Bottom -= Amount;
    case TAxisKind::Top: return R.Top += Amount;
    case TAxisKind::Left: return R.Left += Amount;
    case TAxisKind::Right: return R.Right -= Amount;
    case TAxisKind::Depth: break;
  }
  return 0;
}

// How far PositionPercent moves the axis into the plot box (0 here).
int TChartAxis::PositionOffset() const {
  if (PositionPercent == 0) return 0;
  const int Side = RunsHorizontally() ? FOwner.PlotHeight() : FOwner.PlotWidth();
  const int Offset = RoundHalfEven(Side * 0.01 * PositionPercent);
  return (FKind == TAxisKind::Bottom || FKind == TAxisKind::Right) ? -Offset : Offset;
}

bool TChartAxis::TextRunsAlongSide(int Angle) const {
  if (RunsHorizontally()) return Angle == 0 || Angle == 180;
  return Angle == 90 || Angle == 270;
}

int TChartAxis::LabelsWidth() {
  LabelStep = CalcLabelStep();
  double Low = RangeMin, High = RangeMax;
  if (RoundFirstLabel) {
    Low = std::trunc(RangeMin / LabelStep) * LabelStep;
    High = std::trunc(RangeMax / LabelStep) * LabelStep;
  }
  TCanvas3D& Canvas = FOwner.Canvas;
  return std::max(WidestLine(Canvas, ValueText(Low)), WidestLine(Canvas, ValueText(High))) +
         Canvas.TextPixelWidth(" ");
}

int TChartAxis::SideWallSize() const {
  if (!FOwner.View3D || !FOwner.View3DWalls) return 0;
  if (FKind == TAxisKind::Left) return FOwner.LeftWall.Size;
  if (FKind == TAxisKind::Bottom) return FOwner.BottomWall.Size;
  return 0;
}

int TChartAxis::Depth() const { return (FKind == TAxisKind::Right || FKind == TAxisKind::Top) ? FOwner.TotalDepth : 0; }

void TChartAxis::ReserveSpace(TRect& R) {
  if (FKind == TAxisKind::Depth) return;
  TCanvas3D& Canvas = FOwner.Canvas;
  if (!Title.Caption.empty()) {
    int Size = TitleSize;
    if (Size == 0) {
      Canvas.SetFont(Title.Font);
      Size = TextRunsAlongSide(Title.Angle) ? Canvas.LetterHeight() * LineCount(Title.Caption)
                                            : WidestLine(Canvas, Title.Caption);
    }
    TitleEdge = ShrinkEdge(R, Size);
  }
  if (Labels) {
    int Size = LabelsSize;
    if (Size == 0) {
      // The labels width finds the step first, which sets the labels font.
      const int Width = LabelsWidth();
      Size = TextRunsAlongSide(LabelsAngle) ? Canvas.LetterHeight() : Width;
    }
    LabelsEdge = ShrinkEdge(R, Size);
  }
  int TickSize = (Axis.Visible ? Axis.Width : 0) + (Ticks.Visible ? TickLength : 0);
  if (MinorTicks.Visible) TickSize = std::max(TickSize, MinorTickLength);
  TickSize += SideWallSize();
  if (TickSize > 0) ShrinkEdge(R, TickSize);
  TitleEdge += PositionOffset();
  LabelsEdge += PositionOffset();
}

void TChartAxis::SetPixels(const TRect& PlotRect) {
  if (RunsHorizontally()) {
    const int Width = PlotRect.Right - PlotRect.Left;
    StartPixel = PlotRect.Left + RoundHalfEven(Width * 0.01 * StartPosition);
    EndPixel = PlotRect.Left + RoundHalfEven(Width * 0.01 * EndPosition);
  } else {
    const int Height = PlotRect.Bottom - PlotRect.Top;
    StartPixel = PlotRect.Top + RoundHalfEven(Height * 0.01 * StartPosition);
    EndPixel = PlotRect.Top + RoundHalfEven(Height * 0.01 * EndPosition);
  }
  AxisLength = EndPixel - StartPixel;
  CenterPixel = (StartPixel + EndPixel) / 2;
}

double TChartAxis::CalcLabelStep() {
  TCanvas3D& Canvas = FOwner.Canvas;
  Canvas.SetFont(LabelsFont);
  const double R = Range();

  // The size of one label along the axis.
  auto LabelSize = [&](double Value) {
    const std::string Text = ValueText(Value);
    const bool Upright = LabelsAngle == 90 || LabelsAngle == 270;
    if (RunsHorizontally()) return Upright ? Canvas.LetterHeight() * LineCount(Text) : WidestLine(Canvas, Text);
    return Upright ? WidestLine(Canvas, Text) : Canvas.LetterHeight() * LineCount(Text);
  };
  const int Size = std::max(LabelSize(RangeMax), LabelSize(RangeMin));

  int MostLabels = 1;
  if (Size > 0) {
    const double Room = LabelsSeparation > 0 ? Size + RoundHalfEven(LabelsSeparation * 0.01 * Size) : Size;
    MostLabels = RoundHalfEven(AxisLength / Room);
  }

  double Step = MinimalStep;
  if (MostLabels >= 1) {
    Step = Increment > 0 ? Increment : (std::fabs(R) >= 1 ? 1 : MinimalStep);
    if (LabelsSeparation > 0) {
      // Each pass at least doubles the step (a step near 1e-12 may land just
      // above itself in doubles), so the loop ends for every finite range.
      auto Next = [](double S) {
        const double N = NextNiceStep(S);
        return N > S ? N : S * 2;
      };
      long long Count = static_cast<long long>(MostLabels) + 1;
      do {
        const double Quotient = R / Step;
        if (!std::isfinite(Step) || std::isnan(Quotient)) break;
        if (std::fabs(Quotient) < 2147483647.0) {
          Count = static_cast<long long>(RoundedHalfEven(Quotient));
          if (Count > MostLabels) Step = Next(Step);
        } else {
          Step = Next(Step);
        }
      } while (Count > MostLabels);
    }
  }
  return std::max(Step, MinimalStep);
}

// --- drawing ---

void TChartAxis::DrawAxisText(int X, int Y, int Angle, const std::string& Text) {
  TCanvas3D& Canvas = FOwner.Canvas;
  Canvas.SetBrushColor(FOwner.Color);
  Canvas.SetBrushClear();
  Canvas.SetBackground(TBackgroundMode::Transparent, FOwner.Color);
  const int Z = Depth();
  const int H = Canvas.LetterHeight();
  const std::vector<std::string> Lines = SplitLines(Text);
  const int N = static_cast<int>(Lines.size());

  if (Angle == 0) {
    switch (FKind) {
      case TAxisKind::Left: Canvas.SetTextAlign(THorizTextAlign::Right, TVertTextAlign::Top); break;
      case TAxisKind::Right: Canvas.SetTextAlign(THorizTextAlign::Left, TVertTextAlign::Top); break;
      case TAxisKind::Top: Canvas.SetTextAlign(THorizTextAlign::Center, TVertTextAlign::Bottom); break;
      default: Canvas.SetTextAlign(THorizTextAlign::Center, TVertTextAlign::Top); break;
    }
    for (int I = 0; I < N; ++I) {
      int Top;
      if (!RunsHorizontally())
        Top = Y - H / 2 - RoundHalfEven(H * 0.5 * (N + 1)) + H + I * H;  // the block centred on Y
      else if (FKind == TAxisKind::Top)
        Top = Y - (N - 1 - I) * H;  // the last line's bottom on Y
      else
        Top = Y + I * H;
      Canvas.TextAtZ(X, Top, Z, Lines[static_cast<size_t>(I)]);
    }
  } else {
    Canvas.SetTextAlign(THorizTextAlign::Center, TVertTextAlign::Bottom);
    for (int I = 0; I < N; ++I) {
      int LineX = X;
      if (Angle == 90) LineX = X - (N - 1) * H + I * H;
      if (Angle == 270) LineX = X + (N - 1) * H - I * H;
      Canvas.RotatedTextAtZ(LineX, Y, Z, Angle, Lines[static_cast<size_t>(I)]);
    }
  }
  Canvas.SetTextAlign(THorizTextAlign::Left, TVertTextAlign::Top);
}

std::string TChartAxis::ValueText(double Value) {
  // A huge range zoomed through may bring new values without end: the texts
  // are forgotten now and then rather than kept for ever.
  if (FValueTextsFormat != AxisValuesFormat || FValueTexts.size() >= 4096) {
    FValueTexts.clear();
    FValueTextsFormat = AxisValuesFormat;
  }
  auto It = FValueTexts.find(Value);
  if (It == FValueTexts.end()) It = FValueTexts.emplace(Value, FormatAxisValue(Value, AxisValuesFormat)).first;
  return It->second;
}

void TChartAxis::DrawLabel(double Value) {
  const int P = ValueToPixel(Value);
  if (!LabelsOnAxis && !(P > StartPixel && P < EndPixel)) {
    if (!TickOnLabelsOnly && TickPositions.size() < MaxTickPositions) TickPositions.push_back(P);
    return;
  }
  if (Labels) {
    const std::string Text = ValueText(Value);
    if (RunsHorizontally())
      DrawAxisText(P, LabelsEdge, LabelsAngle, Text);
    else
      DrawAxisText(LabelsEdge, P, LabelsAngle, Text);
  }
  if ((Labels || !TickOnLabelsOnly) && TickPositions.size() < MaxTickPositions) TickPositions.push_back(P);
}

void TChartAxis::DrawValueLabels() {
  const double Step = LabelStep;
  if (!(std::fabs(Range() / Step) < 10000)) return;

  double V = RangeMax;
  if (RangeMin != RangeMax && RoundFirstLabel) V = std::trunc(RangeMax / Step) * Step;
  // Every loop stops as soon as subtracting the step no longer lowers the
  // value: near 10,000 and beyond a step of 1e-12 is lost in the rounding.
  while (V > RangeMax) {
    const double Next = V - Step;
    if (!(Next < V)) return;
    V = Next;
  }
  const double Lowest = (RangeMin - MinimalStep) / 1.000000000001;
  // Labelling also stops with a full tick list: beyond it an empty range far
  // from zero would only draw the same label at the same place again.
  while (V >= Lowest && TickPositions.size() < MaxTickPositions) {
    DrawLabel(V);
    const double Next = V - Step;
    if (!(Next < V)) break;
    V = Next;
  }
}

void TChartAxis::DrawTick(int P, int Offset, int Length) {
  TCanvas3D& Canvas = FOwner.Canvas;
  const int Z = Depth();
  switch (FKind) {
    case TAxisKind::Bottom: Canvas.VertLineAtZ(P, AxisLine + Offset, AxisLine + Offset + Length, Z); break;
    case TAxisKind::Top: Canvas.VertLineAtZ(P, AxisLine - Offset, AxisLine - Offset - Length, Z); break;
    case TAxisKind::Left: Canvas.HorizLineAtZ(AxisLine - Offset, AxisLine - Offset - Length, P, Z); break;
    case TAxisKind::Right: Canvas.HorizLineAtZ(AxisLine + Offset, AxisLine + Offset + Length, P, Z); break;
    case TAxisKind::Depth: break;
  }
}

void TChartAxis::DrawGrid() {
  TCanvas3D& Canvas = FOwner.Canvas;
  const TRect& Plot = FOwner.PlotRect;
  const int Total = FOwner.TotalDepth;
  const bool Depth3D = FOwner.View3D;
  Canvas.SetBrushClear();
  Canvas.SetBackground(TBackgroundMode::Transparent, Canvas.BackgroundColor());
  TChartPen Pen = Grid;
  if (Pen.Color == clAutoColor) Pen.Color = clGray;
  Canvas.UseChartPen(Pen);

  std::vector<int> Places;
  if (GridCentered) {
    for (size_t I = 1; I < TickPositions.size(); ++I)
      Places.push_back(RoundHalfEven((TickPositions[I - 1] + TickPositions[I]) * 0.5));
  } else {
    Places = TickPositions;
  }
  for (const int P : Places) {
    switch (FKind) {
      case TAxisKind::Bottom:
        if (Depth3D) Canvas.DepthLine(P, AxisLine, 0, Total);  // across the floor
        Canvas.VertLineAtZ(P, Plot.Top, Plot.Bottom, Total);     // on the back wall
        break;
      case TAxisKind::Left:
        if (Depth3D) Canvas.DepthLine(AxisLine, P, 0, Total);  // across the left wall
        Canvas.HorizLineAtZ(Plot.Left, Plot.Right, P, Total);
        break;
      case TAxisKind::Top: Canvas.VertLineAtZ(P, Plot.Top, Plot.Bottom, Total); break;
      case TAxisKind::Right: Canvas.HorizLineAtZ(Plot.Left, Plot.Right, P, Total); break;
      case TAxisKind::Depth: break;
    }
  }
  Canvas.SetBackground(TBackgroundMode::Opaque, Canvas.BackgroundColor());
}

void TChartAxis::DrawMinorTicks() {
  const int K = MinorTickCount;
  const int Offset = 1 + SideWallSize();
  auto DrawIfInside = [&](int P) {
    if (P > StartPixel && P < EndPixel) DrawTick(P, Offset, MinorTickLength);
  };
  const auto& T = TickPositions;
  if (T.size() >= 2) {
    // The spacing of the first pair, continued beyond both ends.
    for (int J = 1; J <= K; ++J) {
      const int D = RoundHalfEven(static_cast<double>(J) * (T[1] - T[0]) / (K + 1));
      DrawIfInside(T.front() - D);
      DrawIfInside(T.back() + D);
    }
  }
  for (size_t I = 1; I < T.size(); ++I) {
    for (int J = 1; J <= K; ++J)
      DrawIfInside(T[I] - RoundHalfEven(static_cast<double>(J) * (T[I] - T[I - 1]) / (K + 1)));
  }
}

void TChartAxis::Draw() {
  if (FKind == TAxisKind::Depth) return;  // the depth axis is never drawn in this chart
  TCanvas3D& Canvas = FOwner.Canvas;
  const TRect& Plot = FOwner.PlotRect;
  const int Total = FOwner.TotalDepth;

  LabelStep = CalcLabelStep();  // also makes the labels font current
  switch (FKind) {
    case TAxisKind::Bottom: AxisLine = Plot.Bottom; break;
    case TAxisKind::Top: AxisLine = Plot.Top; break;
    case TAxisKind::Left: AxisLine = Plot.Left; break;
    case TAxisKind::Right: AxisLine = Plot.Right; break;
    case TAxisKind::Depth: break;
  }
  AxisLine += PositionOffset();
  TickPositions.clear();

  if (!Title.Caption.empty()) {
    Canvas.SetFont(Title.Font);
    if (RunsHorizontally())
      DrawAxisText(CenterPixel, TitleEdge, Title.Angle, Title.Caption);
    else
      DrawAxisText(TitleEdge, CenterPixel, Title.Angle, Title.Caption);
  }

  if (LabelStep > 0 && RangeMax >= RangeMin) {
    Canvas.SetFont(LabelsFont);
    DrawValueLabels();
  }

  if (Axis.Visible) {
    Canvas.UseChartPen(Axis);
    const int LeftWall = FOwner.View3D && FOwner.View3DWalls ? FOwner.LeftWall.Size : 0;
    const int BottomWall = FOwner.View3D && FOwner.View3DWalls ? FOwner.BottomWall.Size : 0;
    switch (FKind) {
      case TAxisKind::Bottom: Canvas.HorizLineAtZ(StartPixel - LeftWall, EndPixel, AxisLine + BottomWall, 0); break;
      case TAxisKind::Top: Canvas.HorizLineAtZ(StartPixel, EndPixel, AxisLine, Total); break;
      case TAxisKind::Left: Canvas.VertLineAtZ(AxisLine - LeftWall, StartPixel, EndPixel + BottomWall, 0); break;
      case TAxisKind::Right: Canvas.VertLineAtZ(AxisLine, StartPixel, EndPixel, Total); break;
      case TAxisKind::Depth: break;
    }
  }

  const int Offset = 1 + SideWallSize();
  if (Ticks.Visible) {
    Canvas.UseChartPen(Ticks);
    for (const int P : TickPositions) DrawTick(P, Offset, TickLength);
  }
  if (Grid.Visible) DrawGrid();
  if (TicksInner.Visible && TickInnerLength > 0) {
    Canvas.UseChartPen(TicksInner);
    for (const int P : TickPositions) DrawTick(P, -1, -TickInnerLength);
  }
  if (!TickPositions.empty() && MinorTicks.Visible && MinorTickLength > 0) {
    Canvas.UseChartPen(MinorTicks);
    DrawMinorTicks();
  }
  // The minor grid is not drawn: its pen is always hidden in this chart.
}
