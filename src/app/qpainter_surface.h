#pragma once
// The chart's drawing surface on screen: an off-screen QImage drawn with
// QPainter, antialiasing off, following the raster conventions of TSurface2D
// pixel for pixel. Fonts are found through a resolver so that the program's one
// font table decides which installed font stands for a face name.
#include <QFont>
#include <QImage>
#include <QPolygon>
#include <functional>

#include "surface.h"

class QPainter;

// Turns a face name (Shift_JIS) and a pixel height into an installed font.
using TFontResolver = std::function<QFont(const TSurfaceFont&)>;

class TQPainterSurface : public TSurface2D {
public:
  explicit TQPainterSurface(TFontResolver Resolver);

  // Called by Present with the finished image (the window copies it).
  std::function<void(const QImage&)> OnPresent;
  const QImage& Image() const { return FImage; }
  // Number of times the image was (re)created.
  int ImageCreations() const { return FImageCreations; }

  void EnsureImageSize(int Width, int Height) override;
  void Present() override;
  void SetPen(const TSurfacePen& Pen) override { FPen = Pen; }
  void SetBrush(const TSurfaceBrush& Brush) override { FBrush = Brush; }
  void SetFont(const TSurfaceFont& Font) override;
  void SetBackground(TBackgroundMode Mode, TColor Color) override;
  void SetTextAlign(THorizTextAlign Horiz, TVertTextAlign Vert) override;
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
  // Starts a painter on the image with the clip and raster mode in force;
  // false when there is no image to draw on.
  bool Begin(QPainter& Painter, TPenMode Mode);
  void StrokeLine(QPainter& Painter, TPoint A, TPoint B, bool LastPixel) const;
  void StrokeOpenPath(const std::vector<TPoint>& Points, bool LastPixel);

  TFontResolver FResolver;
  QImage FImage;
  int FImageCreations = 0;
  TSurfacePen FPen;
  TSurfaceBrush FBrush;
  TSurfaceFont FFont;
  QFont FQFont;
  TBackgroundMode FBackgroundMode = bkTransparent;
  TColor FBackgroundColor = clWhite;
  THorizTextAlign FHorizAlign = htaLeft;
  TVertTextAlign FVertAlign = vtaTop;
  TPoint FPenPos;
  bool FClipped = false;
  QPolygon FClip;
};
