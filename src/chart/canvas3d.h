// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart's one drawing surface: maps chart points (x, y in panel pixels,
// z in pixels of depth) to screen points in the oblique 3D view, offers the
// primitives that walls, axes, bars, marks and lines need, and paints off-screen
// so that a whole chart reaches the window in one copy.
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_pens.h"
#include "chart/projection.h"
#include "chart/surface.h"

struct TView3DOptions {
  bool Orthogonal = true;
  int Zoom = 100;  // per cent
  bool ZoomText = true;
  int HorizOffset = 0;
  int VertOffset = 0;
};

// Subtracts Amount from each of red, green and blue (a system colour is first
// resolved); a component not greater than Amount becomes 0.
TColor Darken(TColor Color, int Amount);

class TCanvas3D {
public:
  explicit TCanvas3D(TSurface2D& Surface);

  TView3DOptions View3DOptions;

  // --- per paint ---
  // Sizes the off-screen image, directs drawing to it, returns (0, 0, Width, Height).
  TRect StartDrawing(int Width, int Height, bool View3D);
  void SetProjection(int TotalDepth, const TRect& PanelBounds, const TRect& PlotRect);
  // Copies the image to the window and clears the dirty flag.
  void PresentImage();
  // Pen black width 1 solid, brush white solid, font colour black size 10 pt,
  // background white, transparent.
  void ResetDrawingState();

  // --- outside a paint ---
  void MarkDirty() { FDirty = true; }
  // Copies the kept image and returns true when nothing changed since it was drawn.
  bool RedrawFromBuffer();

  // --- projection and measurement ---
  TPoint ProjectPoint(int X, int Y, int Z) const { return Projection().Of(X, Y, Z); }
  TProjection Projection() const {
    return TProjection{FDepthOn, FZoomFactor, FXCenter, FYCenter, FXCenterOffset, FYCenterOffset};
  }
  int TextPixelWidth(const std::string& Text);
  int TextPixelHeight(const std::string& Text);
  int LetterHeight();  // height of "W" in the current font

  // --- drawing state ---
  // Invisible pen -> no outline; small dots and width 1 -> dotted cosmetic pen; else a copy.
  void UseChartPen(const TChartPen& Pen);
  void SetPen(const TSurfacePen& Pen);
  // Brush preparation for a filled area (see the .cpp for the background rules).
  void PrepareBrush(TColor AreaColor, TBrushStyle Style, TColor BrushOwnColor);
  void SetBrushColor(TColor Color);
  void SetBrushClear();
  void SetFont(const TSurfaceFont& Font);
  const TSurfaceFont& Font() const { return FFont; }
  void SetBackground(TBackgroundMode Mode, TColor Color);
  void SetTextAlign(THorizTextAlign Horiz, TVertTextAlign Vert);
  TColor BrushColor() const { return FBrush.Color; }
  TColor BackgroundColor() const { return FBackgroundColor; }
  // The panel colour that resolves clAutoColor brushes (set by the chart).
  TColor PanelColor = clBtnFace;

  // --- primitives with depth ---
  void RectangleAtZ(const TRect& R, int Z);
  void PlaneAtX(int X, int Top, int Bottom, int Z0, int Z1);
  void PlaneAtY(int Left, int Y, int Right, int Z0, int Z1);
  void Box(int Left, int Right, int Top, int Bottom, int Z0, int Z1, bool DarkSides);
  void Ribbon(TPoint A, TPoint B, int Z0, int Z1);
  // The pixels Box and Ribbon paint for certain with a solid brush and a
  // plain 1-pixel outline in the copying mode, when the depth runs exactly
  // 45 degrees on screen (nothing otherwise): the whole box; of a ribbon piece
  // the columns between its two edges into the depth.
  std::optional<TBoxColumns> BoxColumns(int Left, int Right, int Top, int Bottom, int Z0, int Z1) const;
  std::optional<TBoxColumns> RibbonColumns(TPoint A, TPoint B, int Z0, int Z1) const;
  void LineAtZ(int X0, int Y0, int X1, int Y1, int Z);
  void MoveToAtZ(int X, int Y, int Z);
  void LineToAtZ(int X, int Y, int Z);
  void HorizLineAtZ(int Left, int Right, int Y, int Z);
  void VertLineAtZ(int X, int Top, int Bottom, int Z);
  void DepthLine(int X, int Y, int Z0, int Z1);
  void TextAtZ(int X, int Y, int Z, const std::string& Text);
  void RotatedTextAtZ(int X, int Y, int Z, int Angle, const std::string& Text);

  // --- flat primitives ---
  void FillRect(const TRect& R, TColor Color);
  void Rectangle(const TRect& R);
  void Line(int X0, int Y0, int X1, int Y1);
  void Polygon(const std::vector<TPoint>& Points);
  void Polyline(const std::vector<TPoint>& Points);
  void TextOut(int X, int Y, const std::string& Text);
  // Where TextOut(X, Y, Text) can change pixels, when the surface can tell.
  std::optional<TRect> TextOutBounds(int X, int Y, const std::string& Text);
  // Rectangle(Box) with the pen and brush, then the lines of text over it with
  // the brush clear, centred on TextX from TextTop down, a letter height
  // apart; leaves the text aligned left and top. A box drawn the same way
  // before is copied instead where the surface kept its picture.
  void TextBox(const TRect& Box, const std::vector<std::string>& Lines, int TextX, int TextTop);
  void RotatedText(int X, int Y, int Angle, const std::string& Text);

  void BeginFlat();
  void EndFlat();

  // Restricts drawing to the projected box's silhouette (six corners in 3D).
  void ClipBox(const TRect& R, int Z0, int Z1);
  void Unclip();

  TSurface2D& Surface() { return FSurface; }

private:
  // Hands the brush to the surface; a solid brush makes the text background
  // opaque in its colour, any other brush makes it transparent.
  void ApplyBrush();
  // Draws Text at (X, Y) with a temporary copy of the current font, scaled by
  // the zoom when zoomed text is on, and turned by Escapement tenths of a degree.
  void TextWithFont(int X, int Y, const std::string& Text, int Escapement);
  // Polygon on points already on screen, through one kept list (a face or a
  // piece of ribbon each time: no list made and freed per shape).
  void ProjectedPolygon(std::initializer_list<TPoint> Points);
  // Fills FTextBoxKey with all that decides the pixels of TextBox's box.
  void MakeTextBoxKey(const TRect& Box, const std::vector<std::string>& Lines, int TextX, int TextTop);

  TSurface2D& FSurface;
  bool FDepthOn = true;
  bool FSavedDepthOn = true;
  bool FObliqueOn = true;
  double FZoomFactor = 1.0;
  bool FZoomText = true;
  int FXCenter = 0, FYCenter = 0;          // projection centre
  int FXCenterOffset = 0, FYCenterOffset = 0;
  int FDepthCenter = 0;
  bool FDirty = true;
  int FWidth = 0, FHeight = 0;
  TSurfacePen FPen;
  TSurfaceBrush FBrush;
  TSurfaceFont FFont;
  TColor FBackgroundColor = clWhite;
  TBackgroundMode FBackgroundMode = TBackgroundMode::Transparent;
  std::string FTextBoxKey;
  std::vector<TPoint> FPolygonPoints;
};
