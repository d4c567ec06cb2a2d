// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 2D raster surface that the chart's canvas draws on: an off-screen image
// with a pen, a brush, a font and a clip region. The window draws with QPainter
// on a QImage; tests record every call with its exact coordinates.
//
// Coordinates follow the classic raster conventions the chart geometry is
// computed for: Rectangle and FillRect cover Left..Right-1 and Top..Bottom-1;
// LineTo draws up to, not including, its end point; Polygon fills and outlines.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart_types.h"

enum class TPenStyle { Solid, Dot, Clear };  // Dot: a 1-pixel pen that sets every other pixel
enum class TPenMode { Copy, NotXor };  // NotXor inverts: drawn twice, it is gone
enum class TBrushStyle { Solid, Clear };
enum class TBackgroundMode { Transparent, Opaque };
enum class THorizTextAlign { Left, Center, Right };
enum class TVertTextAlign { Top, Bottom, Baseline };

struct TSurfacePen {
  TColor Color = clBlack;  // RGB (system colours already resolved)
  int Width = 1;
  TPenStyle Style = TPenStyle::Solid;
  TPenMode Mode = TPenMode::Copy;
  friend bool operator==(const TSurfacePen&, const TSurfacePen&) = default;
};

struct TSurfaceBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::Solid;
  friend bool operator==(const TSurfaceBrush&, const TSurfaceBrush&) = default;
};

struct TSurfaceFont {
  std::string Name;        // face name, Shift_JIS ("ＭＳ Ｐゴシック")
  int Height = 13;         // character height in pixels
  TColor Color = clBlack;
  int Escapement = 0;      // text angle in tenths of a degree, counter-clockwise
  bool Bold = false;
  bool Italic = false;
  friend bool operator==(const TSurfaceFont&, const TSurfaceFont&) = default;
};

// Rows given column by column: column FirstColumn + I holds the rows
// Rows[I].first .. Rows[I].second, ends included (none when first > second).
struct TColumnRuns {
  int FirstColumn = 0;
  std::vector<std::pair<int, int>> Rows;
};

// The pixels of a box in the oblique view, its depth running 45 degrees up
// and to the right, column by column: column X of Left..Right + Depth holds
// the rows Top - min(X - Left, Depth) .. Bottom - max(0, X - Right), ends
// included (front face, top face and right side face together).
struct TBoxColumns {
  int Left = 0, Right = -1, Top = 0, Bottom = -1, Depth = 0;
  int LastColumn() const { return Right + Depth; }
  int TopOf(int X) const { return Top - std::min(X - Left, Depth); }
  int BottomOf(int X) const { return Bottom - std::max(0, X - Right); }
};

class TSurface2D {
public:
  virtual ~TSurface2D() = default;

  // Makes the off-screen image Width x Height; it is kept while the size stays.
  virtual void EnsureImageSize(int Width, int Height) = 0;
  // Copies the whole image to the window.
  virtual void Present() = 0;

  virtual void SetPen(const TSurfacePen& Pen) = 0;
  virtual void SetBrush(const TSurfaceBrush& Brush) = 0;
  virtual void SetFont(const TSurfaceFont& Font) = 0;
  virtual void SetBackground(TBackgroundMode Mode, TColor Color) = 0;
  // Where the reference point of TextOut lies on the text's box.
  virtual void SetTextAlign(THorizTextAlign Horiz, TVertTextAlign Vert) = 0;

  virtual void Polygon(const std::vector<TPoint>& Points) = 0;
  virtual void Polyline(const std::vector<TPoint>& Points) = 0;
  virtual void MoveTo(int X, int Y) = 0;
  virtual void LineTo(int X, int Y) = 0;
  virtual void Rectangle(const TRect& R) = 0;             // outlined with the pen, filled with the brush
  virtual void FillRect(const TRect& R, TColor Color) = 0;  // filled, no outline
  // Draws Shift_JIS text in the current font, rotated by the font's escapement.
  virtual void TextOut(int X, int Y, const std::string& Text) = 0;
  // Width and height of the text's box in the current font (unrotated).
  virtual TSize TextExtent(const std::string& Text) = 0;
  // The rectangle outside which TextOut(X, Y, Text) changes no pixel with the
  // current font, alignment and background (empty when it changes none), or
  // nothing when the surface cannot tell.
  virtual std::optional<TRect> TextOutBounds(int X, int Y, const std::string& Text) {
    (void)X, (void)Y, (void)Text;
    return std::nullopt;
  }

  virtual void SetClipPolygon(const std::vector<TPoint>& Points) = 0;
  virtual void ClearClip() = 0;

  // Pixels the caller will paint over, opaquely and inside the same clip,
  // before the picture is presented: the surface may leave them unwritten
  // until they are set again (no columns ends it), or ignore them.
  virtual void SetPaintedLater(const TColumnRuns& Runs) { (void)Runs; }

  // Small areas drawn the same way again and again (every pixel of the area
  // set by the drawing, none outside it, whatever was there before):
  // KeepPicture notes the area's pixels as they are now under Key, and
  // CopyKeptPicture writes the picture kept under Key into another area of the
  // same size in place of drawing it. A surface may keep nothing, and it
  // copies only where it can do so for every pixel; false means draw.
  virtual void KeepPicture(const std::string& Key, const TRect& Area) { (void)Key, (void)Area; }
  virtual bool CopyKeptPicture(const std::string& Key, const TRect& Area) {
    (void)Key, (void)Area;
    return false;
  }
};
