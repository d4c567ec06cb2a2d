// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's canvas: oblique projection, drawing state and the primitives
// with depth, all drawn onto the off-screen surface.
#include "chart/canvas3d.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "chart/rounding.h"

namespace {

TColor ResolveAuto(TColor Color, TColor PanelColor) {
  return ColorToRGB(Color == clAutoColor ? PanelColor : Color);
}

// A zoomed text's font: its size in points (font heights are pixels at 96 per
// inch, 72 points to the inch) times the zoom, at least 1 point, back in pixels.
int ZoomedFontHeight(int Height, double ZoomFactor) {
  const int Points = MulDiv(Height, 72, 96);
  const int ZoomedPoints = std::max(1, RoundHalfEven(Points * ZoomFactor));
  return MulDiv(ZoomedPoints, 96, 72);
}

}  // namespace

TColor Darken(TColor Color, int Amount) {
  const TColor Rgb = ColorToRGB(Color);
  auto Less = [Amount](unsigned Component) -> unsigned {
    return static_cast<int>(Component) > Amount ? Component - static_cast<unsigned>(Amount) : 0u;
  };
  return RGB(Less(RedOf(Rgb)), Less(GreenOf(Rgb)), Less(BlueOf(Rgb)));
}

TCanvas3D::TCanvas3D(TSurface2D& Surface) : FSurface(Surface) {}

// --- per paint ---

TRect TCanvas3D::StartDrawing(int Width, int Height, bool View3D) {
  FDepthOn = View3D;
  FSavedDepthOn = View3D;
  if (View3D) {
    FObliqueOn = View3DOptions.Orthogonal;
    FZoomFactor = View3DOptions.Zoom * 0.01;
    FZoomText = View3DOptions.ZoomText;
  } else {
    FObliqueOn = false;
    FZoomFactor = 1.0;
  }
  FWidth = Width;
  FHeight = Height;
  FSurface.EnsureImageSize(Width, Height);
  // A re-created image starts from scratch: hand it the whole drawing state.
  FSurface.SetPen(FPen);
  FSurface.SetBrush(FBrush);
  FSurface.SetFont(FFont);
  FSurface.SetBackground(FBackgroundMode, FBackgroundColor);
  FSurface.SetTextAlign(THorizTextAlign::Left, TVertTextAlign::Top);
  return TRect{0, 0, Width, Height};
}

void TCanvas3D::SetProjection(int TotalDepth, const TRect& PanelBounds, const TRect& PlotRect) {
  (void)PanelBounds;
  FXCenter = (PlotRect.Left + PlotRect.Right) / 2;
  FYCenter = (PlotRect.Top + PlotRect.Bottom) / 2;
  FXCenterOffset = FXCenter + View3DOptions.HorizOffset;
  FYCenterOffset = FYCenter + View3DOptions.VertOffset;
  FDepthCenter = TotalDepth / 2;
}

void TCanvas3D::PresentImage() {
  FSurface.Present();
  FDirty = false;
}

void TCanvas3D::ResetDrawingState() {
  SetPen(TSurfacePen{});
  FBrush = TSurfaceBrush{clWhite, TBrushStyle::Solid};
  FSurface.SetBrush(FBrush);
  FFont.Color = clBlack;
  FFont.Height = 13;  // 10 points at 96 pixels per inch
  FFont.Escapement = 0;
  FSurface.SetFont(FFont);
  SetBackground(TBackgroundMode::Transparent, clWhite);
}

bool TCanvas3D::RedrawFromBuffer() {
  if (FDirty) return false;
  FSurface.Present();
  return true;
}

// --- projection and measurement ---

int TCanvas3D::TextPixelWidth(const std::string& Text) { return FSurface.TextExtent(Text).Width; }

int TCanvas3D::TextPixelHeight(const std::string& Text) { return FSurface.TextExtent(Text).Height; }

int TCanvas3D::LetterHeight() { return TextPixelHeight("W"); }

// --- drawing state ---

void TCanvas3D::UseChartPen(const TChartPen& Pen) {
  TSurfacePen P;
  if (!Pen.Visible) {
    P.Style = TPenStyle::Clear;
    P.Color = ColorToRGB(Pen.Color);
    P.Width = Pen.Width;
  } else if (Pen.SmallDots && Pen.Width == 1) {
    P = TSurfacePen{ColorToRGB(Pen.Color), 1, TPenStyle::Dot, TPenMode::Copy};
  } else {
    P = TSurfacePen{ColorToRGB(Pen.Color), Pen.Width, Pen.Style, TPenMode::Copy};
  }
  SetPen(P);
}

void TCanvas3D::SetPen(const TSurfacePen& Pen) {
  FPen = Pen;
  FPen.Color = ColorToRGB(Pen.Color);
  FSurface.SetPen(FPen);
}

void TCanvas3D::ApplyBrush() {
  FSurface.SetBrush(FBrush);
  if (FBrush.Style == TBrushStyle::Solid)
    SetBackground(TBackgroundMode::Opaque, FBrush.Color);
  else
    SetBackground(TBackgroundMode::Transparent, FBackgroundColor);
}

void TCanvas3D::PrepareBrush(TColor AreaColor, TBrushStyle Style, TColor BrushOwnColor) {
  TColor Area = ResolveAuto(AreaColor, PanelColor);
  if (Style == TBrushStyle::Solid) {
    FBrush = TSurfaceBrush{Area, Style};
    ApplyBrush();
    SetBackground(TBackgroundMode::Transparent, FBackgroundColor);
    return;
  }
  // A hatched or clear brush shows its own colour as the background; an area
  // of that very colour would vanish, so it turns black (white on black).
  const TColor Back = ResolveAuto(BrushOwnColor, PanelColor);
  if (Area == Back) Area = Back == clBlack ? clWhite : clBlack;
  FBrush = TSurfaceBrush{Area, Style};
  ApplyBrush();
  SetBackground(TBackgroundMode::Opaque, Back);
}

void TCanvas3D::SetBrushColor(TColor Color) {
  FBrush.Color = ResolveAuto(Color, PanelColor);
  ApplyBrush();
}

void TCanvas3D::SetBrushClear() {
  FBrush.Style = TBrushStyle::Clear;
  ApplyBrush();
}

void TCanvas3D::SetFont(const TSurfaceFont& Font) {
  FFont = Font;
  FFont.Color = ColorToRGB(Font.Color);
  FSurface.SetFont(FFont);
}

void TCanvas3D::SetBackground(TBackgroundMode Mode, TColor Color) {
  FBackgroundMode = Mode;
  FBackgroundColor = ResolveAuto(Color, PanelColor);
  FSurface.SetBackground(FBackgroundMode, FBackgroundColor);
}

void TCanvas3D::SetTextAlign(THorizTextAlign Horiz, TVertTextAlign Vert) { FSurface.SetTextAlign(Horiz, Vert); }

// --- primitives with depth ---

void TCanvas3D::RectangleAtZ(const TRect& R, int Z) {
  ProjectedPolygon({ProjectPoint(R.Left, R.Top, Z), ProjectPoint(R.Right, R.Top, Z),
                    ProjectPoint(R.Right, R.Bottom, Z), ProjectPoint(R.Left, R.Bottom, Z)});
}

void TCanvas3D::PlaneAtX(int X, int Top, int Bottom, int Z0, int Z1) {
  ProjectedPolygon({ProjectPoint(X, Top, Z0), ProjectPoint(X, Top, Z1), ProjectPoint(X, Bottom, Z1),
                    ProjectPoint(X, Bottom, Z0)});
}

void TCanvas3D::PlaneAtY(int Left, int Y, int Right, int Z0, int Z1) {
  ProjectedPolygon({ProjectPoint(Left, Y, Z0), ProjectPoint(Right, Y, Z0), ProjectPoint(Right, Y, Z1),
                    ProjectPoint(Left, Y, Z1)});
}

void TCanvas3D::Box(int Left, int Right, int Top, int Bottom, int Z0, int Z1, bool DarkSides) {
  const bool Solid = FBrush.Style == TBrushStyle::Solid;
  const TColor Fill = Solid ? FBrush.Color : FBackgroundColor;
  // Each darker face starts from the fill colour, not from the previous face.
  auto UseFaceColor = [&](TColor Color) {
    if (Solid)
      SetBrushColor(Color);
    else
      SetBackground(FBackgroundMode, Color);
  };

  RectangleAtZ(TRect{Left, Top, Right, Bottom}, Z0);

  const TPoint BackBottomRight = ProjectPoint(Right, Bottom, Z1);
  const TPoint FrontBottomRight = ProjectPoint(Right, Bottom, Z0);
  if (BackBottomRight.X > FrontBottomRight.X) {
    if (DarkSides) UseFaceColor(Darken(Fill, 128));
    ProjectedPolygon({ProjectPoint(Right, Top, Z0), ProjectPoint(Right, Top, Z1), BackBottomRight, FrontBottomRight});
  } else {
    const TPoint BackBottomLeft = ProjectPoint(Left, Bottom, Z1);
    const TPoint FrontBottomLeft = ProjectPoint(Left, Bottom, Z0);
    if (BackBottomLeft.X < FrontBottomLeft.X) {
      if (DarkSides) UseFaceColor(Darken(Fill, 128));
      ProjectedPolygon({ProjectPoint(Left, Top, Z0), ProjectPoint(Left, Top, Z1), BackBottomLeft, FrontBottomLeft});
    }
  }

  const TPoint BackTopLeft = ProjectPoint(Left, Top, Z1);
  const TPoint FrontTopRight = ProjectPoint(Right, Top, Z0);
  if (BackTopLeft.Y < FrontTopRight.Y) {
    if (DarkSides) UseFaceColor(Darken(Fill, 64));
    ProjectedPolygon({ProjectPoint(Left, Top, Z0), FrontTopRight, ProjectPoint(Right, Top, Z1), BackTopLeft});
  }
}

void TCanvas3D::Ribbon(TPoint A, TPoint B, int Z0, int Z1) {
  ProjectedPolygon({ProjectPoint(A.X, A.Y, Z0), ProjectPoint(B.X, B.Y, Z0), ProjectPoint(B.X, B.Y, Z1),
                    ProjectPoint(A.X, A.Y, Z1)});
}

std::optional<TBoxColumns> TCanvas3D::BoxColumns(int Left, int Right, int Top, int Bottom, int Z0, int Z1) const {
  const TPoint FrontTopLeft = ProjectPoint(Left, Top, Z0), FrontBottomRight = ProjectPoint(Right, Bottom, Z0);
  const TPoint BackTopLeft = ProjectPoint(Left, Top, Z1), BackBottomRight = ProjectPoint(Right, Bottom, Z1);
  const int Depth = BackTopLeft.X - FrontTopLeft.X;
  if (Depth <= 0 || FrontTopLeft.X > FrontBottomRight.X || FrontTopLeft.Y > FrontBottomRight.Y ||
      BackTopLeft.Y != FrontTopLeft.Y - Depth || BackBottomRight.X != FrontBottomRight.X + Depth ||
      BackBottomRight.Y != FrontBottomRight.Y - Depth) {
    return std::nullopt;
  }
  return TBoxColumns{FrontTopLeft.X, FrontBottomRight.X, FrontTopLeft.Y, FrontBottomRight.Y, Depth};
}

std::optional<TBoxColumns> TCanvas3D::RibbonColumns(TPoint A, TPoint B, int Z0, int Z1) const {
  TPoint Front[2] = {ProjectPoint(A.X, A.Y, Z0), ProjectPoint(B.X, B.Y, Z0)};
  const TPoint BackA = ProjectPoint(A.X, A.Y, Z1), BackB = ProjectPoint(B.X, B.Y, Z1);
  const int Depth = BackA.X - Front[0].X;
  if (Depth <= 0 || BackA.Y != Front[0].Y - Depth || BackB.X != Front[1].X + Depth ||
      BackB.Y != Front[1].Y - Depth) {
    return std::nullopt;
  }
  if (Front[1].X < Front[0].X) std::swap(Front[0], Front[1]);
  // Column X of the right end's column .. the left end's column + Depth lies
  // between the edge into the depth from the left end and the one from the
  // right end: a box no wider than one column whose depth is that many
  // columns. Of a slanted piece the last of them is left out: there the
  // outline of the back edge may have moved on to the next column while the
  // fill stops short of the edge.
  const auto [Left, LeftY] = Front[0];
  const auto [Right, RightY] = Front[1];
  const int Across = Right - Left;
  const int Columns = Across == 0 ? Depth : Depth - Across - 1;
  if (Columns < 0) return std::nullopt;
  const int LeftEdgeRow = LeftY - Across;  // the left end's edge, in the right end's column
  return TBoxColumns{Right, Right, std::min(LeftEdgeRow, RightY), std::max(LeftEdgeRow, RightY), Columns};
}

void TCanvas3D::LineAtZ(int X0, int Y0, int X1, int Y1, int Z) {
  MoveToAtZ(X0, Y0, Z);
  LineToAtZ(X1, Y1, Z);
}

void TCanvas3D::MoveToAtZ(int X, int Y, int Z) {
  const TPoint P = ProjectPoint(X, Y, Z);
  FSurface.MoveTo(P.X, P.Y);
}

void TCanvas3D::LineToAtZ(int X, int Y, int Z) {
  const TPoint P = ProjectPoint(X, Y, Z);
  FSurface.LineTo(P.X, P.Y);
}

void TCanvas3D::HorizLineAtZ(int Left, int Right, int Y, int Z) { LineAtZ(Left, Y, Right, Y, Z); }

void TCanvas3D::VertLineAtZ(int X, int Top, int Bottom, int Z) { LineAtZ(X, Top, X, Bottom, Z); }

void TCanvas3D::DepthLine(int X, int Y, int Z0, int Z1) {
  MoveToAtZ(X, Y, Z0);
  LineToAtZ(X, Y, Z1);
}

void TCanvas3D::TextWithFont(int X, int Y, const std::string& Text, int Escapement) {
  const bool Scaled = FZoomText && FZoomFactor != 1.0;
  if (!Scaled && Escapement == FFont.Escapement) {
    FSurface.TextOut(X, Y, Text);
    return;
  }
  // A temporary font for this one text; the current font comes back after it.
  TSurfaceFont Temporary = FFont;
  Temporary.Escapement = Escapement;
  if (Scaled) Temporary.Height = ZoomedFontHeight(FFont.Height, FZoomFactor);
  FSurface.SetFont(Temporary);
  FSurface.TextOut(X, Y, Text);
  FSurface.SetFont(FFont);
}

void TCanvas3D::TextAtZ(int X, int Y, int Z, const std::string& Text) {
  const TPoint P = ProjectPoint(X, Y, Z);
  TextWithFont(P.X, P.Y, Text, FFont.Escapement);
}

void TCanvas3D::RotatedTextAtZ(int X, int Y, int Z, int Angle, const std::string& Text) {
  const TPoint P = ProjectPoint(X, Y, Z);
  RotatedText(P.X, P.Y, Angle, Text);
}

// --- flat primitives ---

void TCanvas3D::FillRect(const TRect& R, TColor Color) { FSurface.FillRect(R, ResolveAuto(Color, PanelColor)); }

void TCanvas3D::Rectangle(const TRect& R) { FSurface.Rectangle(R); }

void TCanvas3D::Line(int X0, int Y0, int X1, int Y1) {
  FSurface.MoveTo(X0, Y0);
  FSurface.LineTo(X1, Y1);
}

void TCanvas3D::Polygon(const std::vector<TPoint>& Points) { FSurface.Polygon(Points); }

void TCanvas3D::ProjectedPolygon(std::initializer_list<TPoint> Points) {
  FPolygonPoints.assign(Points);
  FSurface.Polygon(FPolygonPoints);
}

void TCanvas3D::Polyline(const std::vector<TPoint>& Points) { FSurface.Polyline(Points); }

void TCanvas3D::TextOut(int X, int Y, const std::string& Text) { FSurface.TextOut(X, Y, Text); }

std::optional<TRect> TCanvas3D::TextOutBounds(int X, int Y, const std::string& Text) {
  return FSurface.TextOutBounds(X, Y, Text);
}

void TCanvas3D::TextBox(const TRect& Box, const std::vector<std::string>& Lines, int TextX, int TextTop) {
  // A solid 1-pixel outline around a solid fill sets every pixel of the box,
  // whatever lies beneath: only such a box is kept and copied.
  const bool Opaque = FPen.Style == TPenStyle::Solid && FPen.Width == 1 && FPen.Mode == TPenMode::Copy &&
                      FBrush.Style == TBrushStyle::Solid && FFont.Escapement % 3600 == 0;
  if (Opaque) {
    MakeTextBoxKey(Box, Lines, TextX, TextTop);
    if (FSurface.CopyKeptPicture(FTextBoxKey, Box)) {
      SetBrushClear();
      SetTextAlign(THorizTextAlign::Left, TVertTextAlign::Top);
      return;
    }
  }
  Rectangle(Box);
  SetBrushClear();
  SetTextAlign(THorizTextAlign::Center, TVertTextAlign::Top);
  const int LineHeight = LetterHeight();
  // The picture is kept only when no text reaches past the box.
  bool InsideBox = Opaque;
  int Top = TextTop;
  for (const std::string& Line : Lines) {
    TextOut(TextX, Top, Line);
    if (InsideBox) {
      const std::optional<TRect> Ink = TextOutBounds(TextX, Top, Line);
      InsideBox = Ink && (Ink->Width() <= 0 || Ink->Height() <= 0 ||
                          (Ink->Left >= Box.Left && Ink->Top >= Box.Top && Ink->Right <= Box.Right &&
                           Ink->Bottom <= Box.Bottom));
    }
    Top += LineHeight;
  }
  SetTextAlign(THorizTextAlign::Left, TVertTextAlign::Top);
  if (InsideBox) FSurface.KeepPicture(FTextBoxKey, Box);
}

void TCanvas3D::MakeTextBoxKey(const TRect& Box, const std::vector<std::string>& Lines, int TextX, int TextTop) {
  struct TFixedPart {
    int Width, Height, TextDx, TextDy, FontHeight;
    TColor PenColor, BrushColor, FontColor;
    bool Bold, Italic;
  };
  TFixedPart Fixed;
  std::memset(&Fixed, 0, sizeof Fixed);  // the padding too: the key is compared byte by byte
  Fixed.Width = Box.Width();
  Fixed.Height = Box.Height();
  Fixed.TextDx = TextX - Box.Left;
  Fixed.TextDy = TextTop - Box.Top;
  Fixed.FontHeight = FFont.Height;
  Fixed.PenColor = FPen.Color;
  Fixed.BrushColor = FBrush.Color;
  Fixed.FontColor = FFont.Color;
  Fixed.Bold = FFont.Bold;
  Fixed.Italic = FFont.Italic;
  std::string& Key = FTextBoxKey;
  Key.assign(reinterpret_cast<const char*>(&Fixed), sizeof Fixed);
  Key += FFont.Name;
  for (const std::string& Line : Lines) {
    // Each line after a zero byte, which no Shift_JIS text holds.
    Key += '\0';
    Key += Line;
  }
}

void TCanvas3D::RotatedText(int X, int Y, int Angle, const std::string& Text) {
  SetBrushClear();
  if (Angle > 360) Angle -= 360;
  TextWithFont(X, Y, Text, Angle * 10);
}

void TCanvas3D::BeginFlat() {
  FSavedDepthOn = FDepthOn;
  FDepthOn = false;
}

void TCanvas3D::EndFlat() { FDepthOn = FSavedDepthOn; }

void TCanvas3D::ClipBox(const TRect& R, int Z0, int Z1) {
  if (FDepthOn) {
    FSurface.SetClipPolygon({ProjectPoint(R.Left, R.Bottom, Z0), ProjectPoint(R.Left, R.Top, Z0),
                             ProjectPoint(R.Left, R.Top, Z1), ProjectPoint(R.Right, R.Top, Z1),
                             ProjectPoint(R.Right, R.Bottom, Z1), ProjectPoint(R.Right, R.Bottom, Z0)});
  } else {
    FSurface.SetClipPolygon({TPoint{R.Left + 1, R.Top + 1}, TPoint{R.Right, R.Top + 1}, TPoint{R.Right, R.Bottom - 1},
                             TPoint{R.Left + 1, R.Bottom - 1}});
  }
}

void TCanvas3D::Unclip() { FSurface.ClearClip(); }
