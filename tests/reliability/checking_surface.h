// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A surface for charts of any size: it keeps nothing, counts the drawing calls
// and remembers the largest coordinate it was given. Text has the test
// surfaces' fixed metrics.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/surface.h"
#include "fixed_text_metrics.h"

class TCheckingSurface : public TSurface2D {
public:
  long Calls = 0;
  long long LargestCoordinate = 0;  // in magnitude

  void EnsureImageSize(int, int) override {}
  void Present() override {}
  void SetPen(const TSurfacePen&) override {}
  void SetBrush(const TSurfaceBrush&) override {}
  void SetFont(const TSurfaceFont& Font) override { FHeight = Font.Height; }
  void SetBackground(TBackgroundMode, TColor) override {}
  void SetTextAlign(THorizTextAlign, TVertTextAlign) override {}
  void Polygon(const std::vector<TPoint>& Points) override { See(Points); }
  void Polyline(const std::vector<TPoint>& Points) override { See(Points); }
  void MoveTo(int X, int Y) override { See({{X, Y}}); }
  void LineTo(int X, int Y) override { See({{X, Y}}); }
  void Rectangle(const TRect& R) override { See({{R.Left, R.Top}, {R.Right, R.Bottom}}); }
  void FillRect(const TRect& R, TColor) override { See({{R.Left, R.Top}, {R.Right, R.Bottom}}); }
  void TextOut(int X, int Y, const std::string&) override { See({{X, Y}}); }
  TSize TextExtent(const std::string& Text) override { return FixedTextExtent(Text, FHeight); }
  void SetClipPolygon(const std::vector<TPoint>& Points) override { See(Points); }
  void ClearClip() override {}

private:
  void See(const std::vector<TPoint>& Points) {
    ++Calls;
    for (const TPoint& P : Points) {
      LargestCoordinate = std::max({LargestCoordinate, std::llabs(P.X), std::llabs(P.Y)});
    }
  }
  int FHeight = 13;
};
