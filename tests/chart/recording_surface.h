// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A surface that draws nothing and records every drawing call with its exact
// coordinates and the pen, brush, font, alignment and background in force.
// Text is measured with fixed metrics: each byte is Height / 2 pixels wide
// (so a double-byte character is Height wide), the height is the font height;
// FixedWidths overrides the width of whole texts.
#include <map>
#include <string>
#include <vector>

#include "chart/surface.h"

struct TRecordedCall {
  std::string Op;  // "Polygon", "Polyline", "MoveTo", "LineTo", "Rectangle", "FillRect",
                   // "TextOut", "SetClipPolygon", "ClearClip", "Present", "EnsureImageSize"
  std::vector<TPoint> Points;  // Polygon, Polyline, MoveTo/LineTo (one point), TextOut (one point)
  TRect Rect;                  // Rectangle, FillRect; EnsureImageSize (0, 0, w, h)
  std::string Text;            // TextOut
  TColor Color = 0;            // FillRect
  TSurfacePen Pen;
  TSurfaceBrush Brush;
  TSurfaceFont Font;
  THorizTextAlign HorizAlign = THorizTextAlign::Left;
  TVertTextAlign VertAlign = TVertTextAlign::Top;
  TBackgroundMode BackgroundMode = TBackgroundMode::Transparent;
  TColor BackgroundColor = clWhite;
  bool Clipped = false;  // a clip region was in force
};

class TRecordingSurface : public TSurface2D {
public:
  std::vector<TRecordedCall> Calls;
  std::map<std::string, int> FixedWidths;
  int ImageCreations = 0;

  void Clear() { Calls.clear(); }
  // The calls whose Op is Op, in order.
  std::vector<TRecordedCall> CallsOf(const std::string& Op) const;
  // The TextOut calls with this text.
  std::vector<TRecordedCall> TextsOf(const std::string& Text) const;

  void EnsureImageSize(int Width, int Height) override;
  void Present() override;
  void SetPen(const TSurfacePen& Pen) override { FPen = Pen; }
  void SetBrush(const TSurfaceBrush& Brush) override { FBrush = Brush; }
  void SetFont(const TSurfaceFont& Font) override { FFont = Font; }
  void SetBackground(TBackgroundMode Mode, TColor Color) override {
    FBackgroundMode = Mode;
    FBackgroundColor = Color;
  }
  void SetTextAlign(THorizTextAlign Horiz, TVertTextAlign Vert) override {
    FHorizAlign = Horiz;
    FVertAlign = Vert;
  }
  void Polygon(const std::vector<TPoint>& Points) override;
  void Polyline(const std::vector<TPoint>& Points) override;
  void MoveTo(int X, int Y) override;
  void LineTo(int X, int Y) override;
  void Rectangle(const TRect& R) override;
  void FillRect(const TRect& R, TColor Color) override;
  void TextOut(int X, int Y, const std::string& Text) override;
  TSize TextExtent(const std::string& Text) override;
  void SetClipPolygon(const std::vector<TPoint>& Points) override;
  void ClearClip() override;

private:
  TRecordedCall Snapshot(const std::string& Op) const;

  TSurfacePen FPen;
  TSurfaceBrush FBrush;
  TSurfaceFont FFont;
  THorizTextAlign FHorizAlign = THorizTextAlign::Left;
  TVertTextAlign FVertAlign = TVertTextAlign::Top;
  TBackgroundMode FBackgroundMode = TBackgroundMode::Transparent;
  TColor FBackgroundColor = clWhite;
  bool FClipped = false;
  int FWidth = -1;
  int FHeight = -1;
};
