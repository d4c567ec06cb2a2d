// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording_surface.h"

#include "fixed_text_metrics.h"

std::vector<TRecordedCall> TRecordingSurface::CallsOf(const std::string& Op) const {
  std::vector<TRecordedCall> Result;
  for (const auto& Call : Calls) {
    if (Call.Op == Op) Result.push_back(Call);
  }
  return Result;
}

std::vector<TRecordedCall> TRecordingSurface::TextsOf(const std::string& Text) const {
  std::vector<TRecordedCall> Result;
  for (const auto& Call : Calls) {
    if (Call.Op == "TextOut" && Call.Text == Text) Result.push_back(Call);
  }
  return Result;
}

TRecordedCall TRecordingSurface::Snapshot(const std::string& Op) const {
  TRecordedCall Call;
  Call.Op = Op;
  Call.Pen = FPen;
  Call.Brush = FBrush;
  Call.Font = FFont;
  Call.HorizAlign = FHorizAlign;
  Call.VertAlign = FVertAlign;
  Call.BackgroundMode = FBackgroundMode;
  Call.BackgroundColor = FBackgroundColor;
  Call.Clipped = FClipped;
  return Call;
}

void TRecordingSurface::EnsureImageSize(int Width, int Height) {
  if (Width != FWidth || Height != FHeight) {
    FWidth = Width;
    FHeight = Height;
    ++ImageCreations;
  }
  TRecordedCall Call = Snapshot("EnsureImageSize");
  Call.Rect = TRect{0, 0, Width, Height};
  Calls.push_back(Call);
}

void TRecordingSurface::Present() { Calls.push_back(Snapshot("Present")); }

void TRecordingSurface::Polygon(const std::vector<TPoint>& Points) {
  TRecordedCall Call = Snapshot("Polygon");
  Call.Points = Points;
  Calls.push_back(Call);
}

void TRecordingSurface::Polyline(const std::vector<TPoint>& Points) {
  TRecordedCall Call = Snapshot("Polyline");
  Call.Points = Points;
  Calls.push_back(Call);
}

void TRecordingSurface::MoveTo(int X, int Y) {
  TRecordedCall Call = Snapshot("MoveTo");
  Call.Points = {TPoint{X, Y}};
  Calls.push_back(Call);
}

void TRecordingSurface::LineTo(int X, int Y) {
  TRecordedCall Call = Snapshot("LineTo");
  Call.Points = {TPoint{X, Y}};
  Calls.push_back(Call);
}

void TRecordingSurface::Rectangle(const TRect& R) {
  TRecordedCall Call = Snapshot("Rectangle");
  Call.Rect = R;
  Calls.push_back(Call);
}

void TRecordingSurface::FillRect(const TRect& R, TColor Color) {
  TRecordedCall Call = Snapshot("FillRect");
  Call.Rect = R;
  Call.Color = Color;
  Calls.push_back(Call);
}

void TRecordingSurface::TextOut(int X, int Y, const std::string& Text) {
  TRecordedCall Call = Snapshot("TextOut");
  Call.Points = {TPoint{X, Y}};
  Call.Text = Text;
  Calls.push_back(Call);
}

TSize TRecordingSurface::TextExtent(const std::string& Text) {
  const auto Fixed = FixedWidths.find(Text);
  if (Fixed != FixedWidths.end()) return TSize{Fixed->second, FFont.Height};
  return FixedTextExtent(Text, FFont.Height);
}

void TRecordingSurface::SetClipPolygon(const std::vector<TPoint>& Points) {
  TRecordedCall Call = Snapshot("SetClipPolygon");
  Call.Points = Points;
  Calls.push_back(Call);
  FClipped = true;
}

void TRecordingSurface::ClearClip() {
  Calls.push_back(Snapshot("ClearClip"));
  FClipped = false;
}
