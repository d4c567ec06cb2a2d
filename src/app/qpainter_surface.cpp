#include "qpainter_surface.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "qt_colors.h"
#include "sjis.h"

namespace {

QString ToQString(const std::string& Sjis) { return QString::fromStdString(FromSjis(Sjis)); }

QPolygon ToQPolygon(const std::vector<TPoint>& Points) {
  QPolygon Result;
  Result.reserve(static_cast<int>(Points.size()));
  for (const TPoint& P : Points) Result << QPoint(P.X, P.Y);
  return Result;
}

// The pixels of a 1-pixel line from A towards B, B itself only when LastPixel
// (the classic integer line: each step moves one pixel along the major axis).
template <typename TVisit>
void LinePixels(TPoint A, TPoint B, bool LastPixel, TVisit&& Visit) {
  int Dx = std::abs(B.X - A.X), Dy = std::abs(B.Y - A.Y);
  int Sx = B.X >= A.X ? 1 : -1, Sy = B.Y >= A.Y ? 1 : -1;
  int Steps = std::max(Dx, Dy);
  int Count = LastPixel ? Steps + 1 : Steps;
  int X = A.X, Y = A.Y;
  if (Dx >= Dy) {
    int Err = 2 * Dy - Dx;
    for (int I = 0; I < Count; ++I) {
      Visit(X, Y);
      if (Err > 0) {
        Y += Sy;
        Err -= 2 * Dx;
      }
      Err += 2 * Dy;
      X += Sx;
    }
  } else {
    int Err = 2 * Dx - Dy;
    for (int I = 0; I < Count; ++I) {
      Visit(X, Y);
      if (Err > 0) {
        X += Sx;
        Err -= 2 * Dy;
      }
      Err += 2 * Dx;
      Y += Sy;
    }
  }
}

QPainter::CompositionMode CompositionOf(TPenMode Mode) {
  return Mode == pmNotXor ? QPainter::RasterOp_NotSourceXorDestination : QPainter::CompositionMode_SourceOver;
}

}  // namespace

TQPainterSurface::TQPainterSurface(TFontResolver Resolver) : FResolver(std::move(Resolver)) {
  FQFont = FResolver(FFont);
}

void TQPainterSurface::EnsureImageSize(int Width, int Height) {
  Width = std::max(Width, 0);
  Height = std::max(Height, 0);
  if (FImage.width() == Width && FImage.height() == Height && !FImage.isNull()) return;
  if (Width == 0 || Height == 0) {
    FImage = QImage();
  } else {
    FImage = QImage(Width, Height, QImage::Format_RGB32);
    FImage.fill(Qt::white);
  }
  ++FImageCreations;
}

void TQPainterSurface::Present() {
  if (OnPresent) OnPresent(FImage);
}

void TQPainterSurface::SetFont(const TSurfaceFont& Font) {
  if (Font == FFont) return;
  FFont = Font;
  FQFont = FResolver(Font);
}

void TQPainterSurface::SetBackground(TBackgroundMode Mode, TColor Color) {
  FBackgroundMode = Mode;
  FBackgroundColor = Color;
}

void TQPainterSurface::SetTextAlign(THorizTextAlign Horiz, TVertTextAlign Vert) {
  FHorizAlign = Horiz;
  FVertAlign = Vert;
}

bool TQPainterSurface::Begin(QPainter& Painter, TPenMode Mode) {
  if (FImage.isNull()) return false;
  if (!Painter.begin(&FImage)) return false;
  Painter.setRenderHint(QPainter::Antialiasing, false);
  Painter.setRenderHint(QPainter::TextAntialiasing, true);
  Painter.setCompositionMode(CompositionOf(Mode));
  if (FClipped) Painter.setClipRegion(QRegion(FClip, Qt::OddEvenFill));
  return true;
}

// One 1-pixel pen stroke, pixel by pixel, so that every pixel is set exactly
// once (the inverting pen relies on it); a wider pen is stroked by QPainter.
void TQPainterSurface::StrokeLine(QPainter& Painter, TPoint A, TPoint B, bool LastPixel) const {
  if (FPen.Style == psClear) return;
  if (FPen.Width > 1) {
    QPen Pen(ToQColor(FPen.Color));
    Pen.setWidth(FPen.Width);
    Pen.setCapStyle(Qt::FlatCap);
    Pen.setJoinStyle(Qt::MiterJoin);
    if (FPen.Style == psDot) Pen.setStyle(Qt::DotLine);
    Painter.setPen(Pen);
    Painter.setBrush(Qt::NoBrush);
    Painter.drawLine(A.X, A.Y, B.X, B.Y);
    return;
  }
  QPolygon On, Gap;
  int Index = 0;
  LinePixels(A, B, LastPixel, [&](int X, int Y) {
    if (FPen.Style == psDot && Index % 2 == 1) {
      Gap << QPoint(X, Y);
    } else {
      On << QPoint(X, Y);
    }
    ++Index;
  });
  QPen Pen;
  Pen.setWidth(0);
  Pen.setCapStyle(Qt::SquareCap);
  Painter.setBrush(Qt::NoBrush);
  if (!Gap.isEmpty() && FBackgroundMode == bkOpaque) {
    Pen.setColor(ToQColor(FBackgroundColor));
    Painter.setPen(Pen);
    Painter.drawPoints(Gap);
  }
  Pen.setColor(ToQColor(FPen.Color));
  Painter.setPen(Pen);
  Painter.drawPoints(On);
}

void TQPainterSurface::StrokeOpenPath(const std::vector<TPoint>& Points, bool LastPixel) {
  QPainter Painter;
  if (!Begin(Painter, FPen.Mode)) return;
  for (size_t I = 1; I < Points.size(); ++I) {
    StrokeLine(Painter, Points[I - 1], Points[I], LastPixel && I + 1 == Points.size());
  }
}

void TQPainterSurface::Polygon(const std::vector<TPoint>& Points) {
  if (Points.size() < 2) return;
  QPainter Painter;
  if (!Begin(Painter, FPen.Mode)) return;
  if (FBrush.Style == bsSolid) {
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(ToQColor(FBrush.Color));
    Painter.drawPolygon(ToQPolygon(Points), Qt::OddEvenFill);
  }
  // Closed outline: each edge leaves out its end, which is the next edge's start.
  for (size_t I = 0; I < Points.size(); ++I) {
    StrokeLine(Painter, Points[I], Points[(I + 1) % Points.size()], false);
  }
}

void TQPainterSurface::Polyline(const std::vector<TPoint>& Points) {
  StrokeOpenPath(Points, false);
  if (!Points.empty()) FPenPos = Points.back();
}

void TQPainterSurface::MoveTo(int X, int Y) { FPenPos = TPoint{X, Y}; }

void TQPainterSurface::LineTo(int X, int Y) {
  StrokeOpenPath({FPenPos, TPoint{X, Y}}, false);
  FPenPos = TPoint{X, Y};
}

void TQPainterSurface::Rectangle(const TRect& R) {
  int L = std::min(R.Left, R.Right), Rt = std::max(R.Left, R.Right);
  int T = std::min(R.Top, R.Bottom), B = std::max(R.Top, R.Bottom);
  QPainter Painter;
  if (!Begin(Painter, FPen.Mode)) return;
  const bool Outline = FPen.Style != psClear;
  if (FBrush.Style == bsSolid) {
    // Without an outline the filled area is one pixel smaller each way.
    QRect Fill = Outline ? QRect(QPoint(L + 1, T + 1), QPoint(Rt - 2, B - 2)) : QRect(QPoint(L, T), QPoint(Rt - 2, B - 2));
    if (Fill.isValid()) Painter.fillRect(Fill, ToQColor(FBrush.Color));
  }
  if (!Outline || Rt - L < 1 || B - T < 1) return;
  if (FPen.Width > 1) {
    StrokeLine(Painter, {L, T}, {Rt - 1, T}, false);
    StrokeLine(Painter, {Rt - 1, T}, {Rt - 1, B - 1}, false);
    StrokeLine(Painter, {Rt - 1, B - 1}, {L, B - 1}, false);
    StrokeLine(Painter, {L, B - 1}, {L, T}, false);
    return;
  }
  // The ring Left..Right-1 x Top..Bottom-1, each pixel once.
  if (Rt - L == 1 || B - T == 1) {
    StrokeLine(Painter, {L, T}, {Rt - 1, B - 1}, true);
    return;
  }
  StrokeLine(Painter, {L, T}, {Rt - 1, T}, false);
  StrokeLine(Painter, {Rt - 1, T}, {Rt - 1, B - 1}, false);
  StrokeLine(Painter, {Rt - 1, B - 1}, {L, B - 1}, false);
  StrokeLine(Painter, {L, B - 1}, {L, T}, false);
}

void TQPainterSurface::FillRect(const TRect& R, TColor Color) {
  QPainter Painter;
  if (!Begin(Painter, pmCopy)) return;
  QRect Area(QPoint(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom)),
             QPoint(std::max(R.Left, R.Right) - 1, std::max(R.Top, R.Bottom) - 1));
  if (Area.isValid()) Painter.fillRect(Area, ToQColor(Color));
}

void TQPainterSurface::TextOut(int X, int Y, const std::string& Text) {
  QPainter Painter;
  if (!Begin(Painter, pmCopy)) return;
  QString Str = ToQString(Text);
  QFontMetrics Metrics(FQFont);
  int Width = Metrics.horizontalAdvance(Str);
  int Ascent = Metrics.ascent(), Descent = Metrics.descent();
  int Dx = FHorizAlign == htaLeft ? 0 : FHorizAlign == htaCenter ? -Width / 2 : -Width;
  int Baseline = FVertAlign == vtaTop ? Ascent : FVertAlign == vtaBottom ? -Descent : 0;
  // The text box turns around the reference point.
  Painter.translate(X, Y);
  if (FFont.Escapement % 3600 != 0) Painter.rotate(-FFont.Escapement / 10.0);
  if (FBackgroundMode == bkOpaque) {
    Painter.fillRect(QRect(Dx, Baseline - Ascent, Width, Ascent + Descent), ToQColor(FBackgroundColor));
  }
  Painter.setFont(FQFont);
  Painter.setPen(ToQColor(FFont.Color));
  Painter.drawText(Dx, Baseline, Str);
}

TSize TQPainterSurface::TextExtent(const std::string& Text) {
  QFontMetrics Metrics(FQFont);
  return TSize{Metrics.horizontalAdvance(ToQString(Text)), Metrics.ascent() + Metrics.descent()};
}

void TQPainterSurface::SetClipPolygon(const std::vector<TPoint>& Points) {
  FClip = ToQPolygon(Points);
  FClipped = true;
}

void TQPainterSurface::ClearClip() {
  FClip.clear();
  FClipped = false;
}
