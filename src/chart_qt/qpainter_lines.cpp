// SPDX-License-Identifier: GPL-3.0-or-later
// Lines and pens: 1-pixel strokes written pixel by pixel, dotted rows, wide
// level lines, and the open paths drawn from them.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "chart_qt/qpainter_pixels.h"

namespace {

// The pixels of a 1-pixel line from A towards B, B itself only when LastPixel
// (the classic integer line: each step moves one pixel along the major axis).
template <typename TVisit>
void LinePixels(TPoint A, TPoint B, bool LastPixel, TVisit&& Visit) {
  const int Dx = std::abs(B.X - A.X), Dy = std::abs(B.Y - A.Y);
  const int StepX = B.X >= A.X ? 1 : -1, StepY = B.Y >= A.Y ? 1 : -1;
  int X = A.X, Y = A.Y;
  const bool AlongX = Dx >= Dy;
  int& MajorAt = AlongX ? X : Y;
  int& MinorAt = AlongX ? Y : X;
  const int Major = AlongX ? Dx : Dy, Minor = AlongX ? Dy : Dx;
  const int MajorStep = AlongX ? StepX : StepY, MinorStep = AlongX ? StepY : StepX;
  const int Count = LastPixel ? Major + 1 : Major;
  int Err = 2 * Minor - Major;
  for (int I = 0; I < Count; ++I) {
    Visit(X, Y);
    if (Err > 0) {
      MinorAt += MinorStep;
      Err -= 2 * Major;
    }
    Err += 2 * Minor;
    MajorAt += MajorStep;
  }
}

// The pixels LinePixels visits set to Color, the first at Start, stepping
// through the image by pointer (rows Stride pixels apart).
void WriteLinePixels(QRgb* Start, qsizetype Stride, TPoint A, TPoint B, bool LastPixel, QRgb Color) {
  const int Dx = std::abs(B.X - A.X), Dy = std::abs(B.Y - A.Y);
  const qsizetype StepX = B.X >= A.X ? 1 : -1, StepY = B.Y >= A.Y ? Stride : -Stride;
  const bool AlongX = Dx >= Dy;
  const int Major = AlongX ? Dx : Dy, Minor = AlongX ? Dy : Dx;
  const qsizetype MajorStep = AlongX ? StepX : StepY, MinorStep = AlongX ? StepY : StepX;
  const int Count = LastPixel ? Major + 1 : Major;
  QRgb* Pixel = Start;
  int Err = 2 * Minor - Major;
  for (int I = 0; I < Count; ++I) {
    if (I > 0) {
      // The step to this pixel (none is taken past the last one).
      if (Err > 0) {
        Pixel += MinorStep;
        Err -= 2 * Major;
      }
      Err += 2 * Minor;
      Pixel += MajorStep;
    }
    *Pixel = Color;
  }
}

}  // namespace

// A level or upright wide line (an axis) with the copying solid pen:
// QPainter's flat-ended pen fills Width rows or columns, the first Width / 2
// before the line, from the start up to the end left out, whichever way it
// runs. False for any other line.
bool TQPainterSurface::FillWideLevelLine(TPoint A, TPoint B) {
  constexpr int Far = 1 << 24;  // beyond any picture: left to QPainter
  auto NearBy = [](int V) { return V > -Far && V < Far; };
  if (FPen.Mode != TPenMode::Copy || FPen.Style != TPenStyle::Solid || FPen.Width > 1024 ||
      (A.X == B.X) == (A.Y == B.Y) || !NearBy(A.X) || !NearBy(A.Y) || !NearBy(B.X) || !NearBy(B.Y)) {
    return false;
  }
  const int Before = FPen.Width / 2, Last = FPen.Width - 1;
  const QRgb On = ToPixel(FPen.Color);
  if (A.Y == B.Y) {
    FillArea(std::min(A.X, B.X), A.Y - Before, std::max(A.X, B.X) - 1, A.Y - Before + Last, On);
  } else {
    FillArea(A.X - Before, std::min(A.Y, B.Y), A.X - Before + Last, std::max(A.Y, B.Y) - 1, On);
  }
  return true;
}

// One 1-pixel pen stroke, pixel by pixel, so that every pixel is set exactly
// once (the inverting pen relies on it); a wider pen is stroked by QPainter,
// but for a level or upright line with the copying solid pen (an axis).
void TQPainterSurface::StrokeLine(TPoint A, TPoint B, bool LastPixel) {
  if (FPen.Style == TPenStyle::Clear) return;
  QPainter* P = Painter(FPen.Mode);
  if (P == nullptr) return;
  if (FPen.Width > 1) {
    if (FillWideLevelLine(A, B)) return;
    QPen Pen(ToQColor(FPen.Color));
    Pen.setWidth(FPen.Width);
    Pen.setCapStyle(Qt::FlatCap);
    Pen.setJoinStyle(Qt::MiterJoin);
    if (FPen.Style == TPenStyle::Dot) Pen.setStyle(Qt::DotLine);
    P->setPen(Pen);
    P->setBrush(Qt::NoBrush);
    P->drawLine(A.X, A.Y, B.X, B.Y);
    return;
  }
  const bool Dotted = FPen.Style == TPenStyle::Dot;
  const bool GapShows = Dotted && FBackgroundMode == TBackgroundMode::Opaque;
  if (FPen.Mode == TPenMode::Copy) {
    // Opaque pixels: written straight into the image. The gaps of a dotted
    // line come first, then the dots, as QPainter would draw them.
    const QRgb On = ToPixel(FPen.Color);
    if (!Dotted && (A.X == B.X || A.Y == B.Y)) {
      // A level or upright line is a span of pixels.
      int X0 = A.X, Y0 = A.Y, X1 = B.X, Y1 = B.Y;
      if (!LastPixel) {
        if (A.X == B.X && A.Y == B.Y) return;
        if (A.Y == B.Y) X1 += X1 > X0 ? -1 : 1;
        else Y1 += Y1 > Y0 ? -1 : 1;
      }
      FillArea(std::min(X0, X1), std::min(Y0, Y1), std::max(X0, X1), std::max(Y0, Y1), On);
      return;
    }
    if (Dotted && A.Y == B.Y) {
      DottedRow(A, B, LastPixel, On, GapShows, ToPixel(FBackgroundColor));
      return;
    }
    if (!Dotted) {
      // A slanted line whose box lies in the image, and inside the clip when
      // there is one (looked at for lines of 8 pixels or more), is written
      // without a test per pixel.
      const int Left = std::min(A.X, B.X), Right = std::max(A.X, B.X);
      const int Top = std::min(A.Y, B.Y), Bottom = std::max(A.Y, B.Y);
      const bool InImage = Left >= 0 && Top >= 0 && Right < FImageWidth && Bottom < FImageHeight;
      const bool InClip =
          !FClipped || (std::max(Right - Left, Bottom - Top) >= 8 && BoxInsideClip(Left, Top, Right, Bottom));
      if (InImage && InClip) {
        if (Bottom - Top > Right - Left) {
          WriteSteepLine(A, B, LastPixel, On);
        } else {
          WriteLinePixels(FBits + static_cast<qsizetype>(A.Y) * FStride + A.X, FStride, A, B, LastPixel, On);
        }
        return;
      }
    }
    if (GapShows) {
      const QRgb Gap = ToPixel(FBackgroundColor);
      int Index = 0;
      LinePixels(A, B, LastPixel, [&](int X, int Y) {
        if (Index++ % 2 == 1) PutPixel(X, Y, Gap);
      });
    }
    int Index = 0;
    LinePixels(A, B, LastPixel, [&](int X, int Y) {
      if (!Dotted || Index % 2 == 0) PutPixel(X, Y, On);
      ++Index;
    });
    return;
  }
  QPolygon On, Gap;
  int Index = 0;
  LinePixels(A, B, LastPixel, [&](int X, int Y) {
    if (Dotted && Index % 2 == 1) {
      Gap << QPoint(X, Y);
    } else {
      On << QPoint(X, Y);
    }
    ++Index;
  });
  QPen Pen;
  Pen.setWidth(0);
  Pen.setCapStyle(Qt::SquareCap);
  P->setBrush(Qt::NoBrush);
  if (!Gap.isEmpty() && GapShows) {
    Pen.setColor(ToQColor(FBackgroundColor));
    P->setPen(Pen);
    P->drawPoints(Gap);
  }
  Pen.setColor(ToQColor(FPen.Color));
  P->setPen(Pen);
  P->drawPoints(On);
}

// A steep line (more rows than columns) as LinePixels draws it, written as
// its runs of pixels down each column: the step across comes after
// floor(-Err / (2 Dx)) + 1 rows of a run while Err is not above 0.
void TQPainterSurface::WriteSteepLine(TPoint A, TPoint B, bool LastPixel, QRgb Color) {
  const int Dx = std::abs(B.X - A.X), Dy = std::abs(B.Y - A.Y);
  const int StepX = B.X >= A.X ? 1 : -1, StepY = B.Y >= A.Y ? 1 : -1;
  const int Count = LastPixel ? Dy + 1 : Dy;
  int X = A.X, First = 0;  // the run's column, its first pixel's number along the line
  long long Err = 2LL * Dx - Dy;
  while (First < Count) {
    // Pixels First..Last of this column; Err is the one after pixel First (an
    // upright line is one run).
    const long long Rows = Dx == 0 ? Count : Err > 0 ? 1 : (-Err) / (2LL * Dx) + 2;
    const int Last = static_cast<int>(std::min<long long>(First + Rows - 1, Count - 1));
    const int Y0 = A.Y + StepY * First, Y1 = A.Y + StepY * Last;
    FillColumn(X, std::min(Y0, Y1), std::max(Y0, Y1), Color);
    Err += 2LL * Dx * (Last - First) - 2LL * Dy + 2LL * Dx;
    X += StepX;
    First = Last + 1;
  }
}

// A dotted level line: the dots on the pixels an even number of steps from
// A, the gaps (when they show) between them.
void TQPainterSurface::DottedRow(TPoint A, TPoint B, bool LastPixel, QRgb On, bool GapShows, QRgb Gap) {
  const int Y = A.Y;
  if (static_cast<unsigned>(Y) >= static_cast<unsigned>(FImageHeight)) return;
  int First = A.X, Last = B.X;
  if (!LastPixel) {
    if (A.X == B.X) return;
    Last += Last > First ? -1 : 1;
  }
  if (First > Last) std::swap(First, Last);
  First = std::max(First, 0);
  Last = std::min(Last, FImageWidth - 1);
  QRgb* Row = FBits + static_cast<qsizetype>(Y) * FStride;
  auto Span = [&](int From, int To) {
    From = std::max(From, First);
    To = std::min(To, Last);
    // The dots every other pixel from the first of A's parity, the gaps between.
    const int FirstDot = From + ((From - A.X) & 1);
    for (int X = FirstDot; X <= To; X += 2) Row[X] = On;
    if (GapShows) {
      for (int X = FirstDot == From ? From + 1 : From; X <= To; X += 2) Row[X] = Gap;
    }
  };
  if (!FClipped) {
    Span(First, Last);
    return;
  }
  const int ClipRow = Y - FClipTop;
  if (ClipRow < 0 || ClipRow >= static_cast<int>(FClipRowRange.size())) return;
  const auto [Begin, End] = FClipRowRange[static_cast<size_t>(ClipRow)];
  for (int I = Begin; I < End; ++I) {
    const auto [SpanFirst, SpanLast] = FClipSpans[static_cast<size_t>(I)];
    Span(SpanFirst, SpanLast);
  }
}

void TQPainterSurface::StrokeOpenPath(const std::vector<TPoint>& Points, bool LastPixel) {
  for (size_t I = 1; I < Points.size(); ++I) {
    StrokeLine(Points[I - 1], Points[I], LastPixel && I + 1 == Points.size());
  }
}

void TQPainterSurface::Polyline(const std::vector<TPoint>& Points) {
  StrokeOpenPath(Points, false);
  if (!Points.empty()) FPenPos = Points.back();
}

void TQPainterSurface::MoveTo(int X, int Y) { FPenPos = TPoint{X, Y}; }

void TQPainterSurface::LineTo(int X, int Y) {
  StrokeLine(FPenPos, TPoint{X, Y}, false);
  FPenPos = TPoint{X, Y};
}
