// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/series_marks.h"

#include <algorithm>

#include "chart/canvas3d.h"
#include "chart/chart_axis.h"

namespace {

// The lines of a mark text, split at the separator, into Lines.
void SplitLines(const std::string& Text, std::vector<std::string>& Lines) {
  Lines.clear();
  std::string::size_type Start = 0;
  for (;;) {
    std::string::size_type End = Text.find(TSeriesMarks::LineSeparator, Start);
    if (End == std::string::npos) {
      Lines.emplace_back(Text, Start);
      return;
    }
    Lines.emplace_back(Text, Start, End - Start);
    Start = End + 1;
  }
}

std::vector<std::string> LinesOf(const std::string& Text) {
  std::vector<std::string> Lines;
  SplitLines(Text, Lines);
  return Lines;
}

}  // namespace

std::string TSeriesMarks::MarkText(const std::string& Label, double Value,
                                   const std::string& ValueFormat) const {
  if (Style == TSeriesMarksStyle::Label && !Label.empty()) return Label;
  return FormatAxisValue(Value, ValueFormat);
}

TSize TSeriesMarks::BoxSize(TCanvas3D& Canvas, const std::string& Text) const {
  std::vector<std::string> Lines = LinesOf(Text);
  int Widest = 0;
  for (const std::string& Line : Lines) Widest = std::max(Widest, Canvas.TextPixelWidth(Line));
  TSize Size{Widest + Canvas.TextPixelWidth("W"),
             static_cast<int>(Lines.size()) * Canvas.LetterHeight()};
  if (Frame.Visible) {
    Size.Width += 2 * Frame.Width;
    Size.Height += 2 * Frame.Width;
  }
  return Size;
}

void TSeriesMarks::KeepPosition(int Index, const TSeriesMarkPosition& Position) {
  if (Index < 0) return;
  if (static_cast<size_t>(Index) >= Positions.size()) Positions.resize(static_cast<size_t>(Index) + 1);
  Positions[static_cast<size_t>(Index)] = Position;
}

TRect TSeriesMarks::BoxOnScreen(const TCanvas3D& Canvas, const TSeriesMarkPosition& Position, int Z) const {
  const TPoint End = Canvas.ProjectPoint(Position.ArrowTo.X, Position.ArrowTo.Y, Z);
  const int Left = End.X + (Position.LeftTop.X - Position.ArrowTo.X);
  const int Top = End.Y - (Position.ArrowTo.Y - Position.LeftTop.Y);
  return TRect{Left, Top, Left + Position.Width, Top + Position.Height};
}

std::optional<TRect> TSeriesMarks::ArrowFootprint(const TCanvas3D& Canvas, const TSeriesMarkPosition& Position,
                                                  int Z) const {
  if (!Arrow.Visible) return TRect{};
  if (Arrow.Width != 1) return std::nullopt;
  const TPoint From = Canvas.ProjectPoint(Position.ArrowFrom.X, Position.ArrowFrom.Y, Z);
  const TPoint To = Canvas.ProjectPoint(Position.ArrowTo.X, Position.ArrowTo.Y, Z);
  return TRect{std::min(From.X, To.X), std::min(From.Y, To.Y), std::max(From.X, To.X) + 1, std::max(From.Y, To.Y) + 1};
}

std::optional<std::vector<TRect>> TSeriesMarks::BoxFootprint(TCanvas3D& Canvas, const std::string& Text, int Width,
                                                             int Height) const {
  std::vector<TRect> Parts;
  const TRect Box{0, 0, Width, Height};
  const bool BoxDrawn = Frame.Visible || !Transparent;
  int Top = 0;
  if (BoxDrawn) {
    if (Frame.Visible && Frame.Width != 1) return std::nullopt;
    Parts.push_back(Box);
    if (Transparent) {
      Canvas.SetBrushClear();
    } else {
      Canvas.PrepareBrush(BackColor, TBrushStyle::Solid, BackColor);
    }
    if (Frame.Visible) Top += Frame.Width;
  }
  Canvas.SetBrushClear();
  Canvas.SetTextAlign(THorizTextAlign::Center, TVertTextAlign::Top);
  const int LineHeight = Canvas.LetterHeight();
  bool Known = true;
  for (const std::string& Line : LinesOf(Text)) {
    const std::optional<TRect> Ink = Canvas.TextOutBounds(Width / 2, Top, Line);
    if (!Ink) {
      Known = false;
    } else if (!BoxDrawn || Ink->Left < Box.Left || Ink->Top < Box.Top || Ink->Right > Box.Right ||
               Ink->Bottom > Box.Bottom) {
      Parts.push_back(*Ink);  // not inside the box already counted
    }
    Top += LineHeight;
  }
  Canvas.SetTextAlign(THorizTextAlign::Left, TVertTextAlign::Top);
  if (!Known) return std::nullopt;
  return Parts;
}

std::optional<TRect> TSeriesMarks::OpaqueBox(const TCanvas3D& Canvas, const TSeriesMarkPosition& Position, int Z) const {
  if (Transparent || !Frame.Visible || Frame.Width != 1 || Frame.Style != TPenStyle::Solid || Frame.SmallDots) {
    return std::nullopt;
  }
  return BoxOnScreen(Canvas, Position, Z);
}

void TSeriesMarks::DrawMark(TCanvas3D& Canvas, int Index, const std::string& Text,
                            TSeriesMarkPosition Position, int Z, TColor PointColor, TColor PanelColor) {
  KeepPosition(Index, Position);

  if (Arrow.Visible) {
    TChartPen Pen = Arrow;
    // An arrow in the point's or the panel's colour would vanish: it takes the
    // panel's contrast colour instead.
    const TColor ArrowRgb = ColorToRGB(Arrow.Color);
    if (ArrowRgb == ColorToRGB(PointColor) || ArrowRgb == ColorToRGB(PanelColor)) {
      Pen.Color = ColorToRGB(PanelColor) == clBlack ? clWhite : clBlack;
    }
    Canvas.UseChartPen(Pen);
    Canvas.SetBrushClear();
    Canvas.LineAtZ(Position.ArrowFrom.X, Position.ArrowFrom.Y, Position.ArrowTo.X, Position.ArrowTo.Y, Z);
  }

  // Box and text are drawn flat.
  const TRect Box = BoxOnScreen(Canvas, Position, Z);
  const int Left = Box.Left;
  int Top = Box.Top;

  if (Frame.Visible || !Transparent) {
    if (Transparent) {
      Canvas.SetBrushClear();
    } else {
      Canvas.PrepareBrush(BackColor, TBrushStyle::Solid, BackColor);
    }
    Canvas.UseChartPen(Frame);
    SplitLines(Text, FLines);
    Canvas.TextBox(TRect{Left, Top, Left + Position.Width, Top + Position.Height}, FLines,
                   Left + Position.Width / 2, Frame.Visible ? Top + Frame.Width : Top);
    return;
  }

  Canvas.SetBrushClear();
  Canvas.SetTextAlign(THorizTextAlign::Center, TVertTextAlign::Top);
  const int LineHeight = Canvas.LetterHeight();
  for (const std::string& Line : LinesOf(Text)) {
    Canvas.TextOut(Left + Position.Width / 2, Top, Line);
    Top += LineHeight;
  }
  Canvas.SetTextAlign(THorizTextAlign::Left, TVertTextAlign::Top);
}
