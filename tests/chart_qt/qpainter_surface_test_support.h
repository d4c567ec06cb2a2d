// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the surface's tests share: a 60 x 40 surface on white paper with its
// ink measured, seeded whole numbers, and a shape filled by the surface and
// by QPainter itself for the pixels to be compared.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <random>
#include <vector>

#include "chart_qt/chart_fonts.h"
#include "chart_qt/qpainter_surface.h"
#include "platform/program_texts.h"

inline constexpr TColor Paper = RGB(255, 255, 255);

// Whole numbers From..To drawn from a seeded generator: the same cases each run.
class TPick {
public:
  explicit TPick(unsigned Seed) : FRandom(Seed) {}
  int operator()(int From, int To) { return From + static_cast<int>(FRandom() % static_cast<unsigned>(To - From + 1)); }

private:
  std::mt19937 FRandom;
};

class QPainterSurfaceTest : public ::testing::Test {
protected:
  void SetUp() override {
    Surface.EnsureImageSize(60, 40);
    Surface.FillRect(TRect{0, 0, 60, 40}, Paper);
  }

  QRgb At(int X, int Y) const { return Surface.Image().pixel(X, Y); }
  bool Ink(int X, int Y) const { return At(X, Y) != qRgb(255, 255, 255); }
  // The pixels that are not paper, as a rectangle (Left, Top, Right, Bottom exclusive).
  TRect InkBounds() const {
    TRect R{1000, 1000, -1, -1};
    for (int Y = 0; Y < Surface.Image().height(); ++Y) {
      for (int X = 0; X < Surface.Image().width(); ++X) {
        if (!Ink(X, Y)) continue;
        R.Left = std::min(R.Left, X);
        R.Top = std::min(R.Top, Y);
        R.Right = std::max(R.Right, X + 1);
        R.Bottom = std::max(R.Bottom, Y + 1);
      }
    }
    return R;
  }
  int InkCount() const {
    int N = 0;
    for (int Y = 0; Y < Surface.Image().height(); ++Y) {
      for (int X = 0; X < Surface.Image().width(); ++X) N += Ink(X, Y) ? 1 : 0;
    }
    return N;
  }
  void UsePen(TColor Color, TPenStyle Style = TPenStyle::Solid, TPenMode Mode = TPenMode::Copy) {
    TSurfacePen Pen;
    Pen.Color = Color;
    Pen.Style = Style;
    Pen.Mode = Mode;
    Surface.SetPen(Pen);
  }

  TQPainterSurface Surface{ProgramChartFonts()};
};

inline QPolygon ToQPolygon(const std::vector<TPoint>& Points) {
  QPolygon Polygon;
  for (const TPoint& P : Points) Polygon << QPoint(P.X, P.Y);
  return Polygon;
}

// Shape filled red, no outline, on white paper by the surface, inside Clip when given.
inline const QImage& SurfaceFill(TQPainterSurface& Surface, int Width, int Height, const std::vector<TPoint>& Shape,
                          const std::vector<TPoint>* Clip) {
  Surface.EnsureImageSize(Width, Height);
  Surface.ClearClip();
  Surface.FillRect(TRect{0, 0, Width, Height}, Paper);
  if (Clip != nullptr) Surface.SetClipPolygon(*Clip);
  Surface.SetPen(TSurfacePen{clBlack, 1, TPenStyle::Clear, TPenMode::Copy});
  Surface.SetBrush(TSurfaceBrush{clRed, TBrushStyle::Solid});
  Surface.Polygon(Shape);
  return Surface.Image();
}

// The same drawn by QPainter itself.
inline QImage QPainterFill(int Width, int Height, const std::vector<TPoint>& Shape, const std::vector<TPoint>* Clip) {
  QImage Image(Width, Height, QImage::Format_RGB32);
  Image.fill(Qt::white);
  QPainter Painter(&Image);
  Painter.setRenderHint(QPainter::Antialiasing, false);
  if (Clip != nullptr) Painter.setClipRegion(QRegion(ToQPolygon(*Clip), Qt::OddEvenFill));
  Painter.setPen(Qt::NoPen);
  Painter.setBrush(QColor(255, 0, 0));
  Painter.drawPolygon(ToQPolygon(Shape), Qt::OddEvenFill);
  Painter.end();
  return Image;
}
