// SPDX-License-Identifier: GPL-3.0-or-later
// Fills: polygons, with the faces of the chart's boxes written straight into
// the image, rectangles and filled areas.
#include <algorithm>
#include <array>
#include <optional>

#include "chart_qt/polygon_rows.h"
#include "chart_qt/qpainter_pixels.h"

namespace {

// True when every point lies on one straight line: such a polygon encloses no
// area, and QPainter fills no pixel of it (a bar or a face seen edge-on).
bool EnclosesNothing(const std::vector<TPoint>& Points) {
  const TPoint A = Points.front();
  size_t Other = 1;
  while (Other < Points.size() && Points[Other].X == A.X && Points[Other].Y == A.Y) ++Other;
  if (Other == Points.size()) return true;
  const long long Dx = Points[Other].X - A.X, Dy = Points[Other].Y - A.Y;
  for (size_t I = Other + 1; I < Points.size(); ++I) {
    if (Dx * (Points[I].Y - A.Y) != Dy * (Points[I].X - A.X)) return false;
  }
  return true;
}

// The faces of the chart's boxes, as QPainter fills them: a rectangle fills
// Left..Right-1 x Top..Bottom-1; the faces that go into the depth are that
// rectangle sheared 45 degrees up to the right, pixel row by pixel row (a top
// face) or column by column (a side face).
enum class TFaceKind { None, Rectangle, Top, Side };
struct TFace {
  TFaceKind Kind = TFaceKind::None;
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // of the rectangle before the shear
  int Depth = 0;                                 // the shear, in pixels
};

// The face the four points outline, corner after corner in either direction;
// TFaceKind::None for any other polygon.
TFace FaceOf(const std::vector<TPoint>& Points) {
  if (Points.size() != 4) return {};
  constexpr int Limit = 16384;  // far beyond any panel
  for (const TPoint& P : Points) {
    if (P.X < -Limit || P.X > Limit || P.Y < -Limit || P.Y > Limit) return {};
  }
  int MinX = Points[0].X, MaxX = MinX, MinY = Points[0].Y, MaxY = MinY;
  for (const TPoint& P : Points) {
    MinX = std::min(MinX, P.X), MaxX = std::max(MaxX, P.X);
    MinY = std::min(MinY, P.Y), MaxY = std::max(MaxY, P.Y);
  }
  // The candidates' corners in outline order: the first point is one of
  // them, and the others follow it one way round or the other.
  auto Matches = [&](const std::array<TPoint, 4>& Corners) {
    auto Same = [](const TPoint& A, const TPoint& B) { return A.X == B.X && A.Y == B.Y; };
    for (size_t Start = 0; Start < 4; ++Start) {
      if (!Same(Corners[Start], Points[0])) continue;
      for (size_t Step : {size_t{1}, size_t{3}}) {
        if (Same(Corners[(Start + Step) % 4], Points[1]) && Same(Corners[(Start + 2 * Step) % 4], Points[2]) &&
            Same(Corners[(Start + 3 * Step) % 4], Points[3])) {
          return true;
        }
      }
    }
    return false;
  };
  TFace Face;
  // A rectangle.
  if (MinX < MaxX && MinY < MaxY &&
      Matches({TPoint{MinX, MinY}, TPoint{MaxX, MinY}, TPoint{MaxX, MaxY}, TPoint{MinX, MaxY}})) {
    Face = TFace{TFaceKind::Rectangle, MinX, MinY, MaxX, MaxY, 0};
    return Face;
  }
  // A top face: level edges at MaxY (front) and MinY (back), Depth = MaxY - MinY.
  const int Depth = MaxY - MinY;
  if (Depth > 0) {
    const int Left = MinX, Right = MaxX - Depth;
    if (Left < Right && Matches({TPoint{Left, MaxY}, TPoint{Right, MaxY}, TPoint{Right + Depth, MinY},
                                 TPoint{Left + Depth, MinY}})) {
      return TFace{TFaceKind::Top, Left, MaxY - Depth, Right, MaxY, Depth};
    }
  }
  // A side face: upright edges at MinX (front) and MaxX (back), Depth = MaxX - MinX.
  const int Shear = MaxX - MinX;
  if (Shear > 0) {
    const int Top = MinY + Shear, Bottom = MaxY;
    if (Top < Bottom && Matches({TPoint{MinX, Top}, TPoint{MaxX, Top - Shear}, TPoint{MaxX, Bottom - Shear},
                                 TPoint{MinX, Bottom}})) {
      return TFace{TFaceKind::Side, MinX, Top, MaxX, Bottom, Shear};
    }
  }
  return {};
}

// The box around the pixels a face's fill sets; nothing for no face.
std::optional<QRect> FaceFillBox(const TFace& Face) {
  switch (Face.Kind) {
    case TFaceKind::Rectangle:
      return QRect(QPoint(Face.Left, Face.Top), QPoint(Face.Right - 1, Face.Bottom - 1));
    case TFaceKind::Top:
      return QRect(QPoint(Face.Left + 1, Face.Top), QPoint(Face.Right + Face.Depth - 1, Face.Bottom - 1));
    case TFaceKind::Side:
      return QRect(QPoint(Face.Left, Face.Top - Face.Depth + 1), QPoint(Face.Left + Face.Depth - 1, Face.Bottom - 1));
    case TFaceKind::None:
      break;
  }
  return std::nullopt;
}

// While it lives, the surface's own pixel writes leave out the clip test
// (for a shape that lies inside the clip); the painter keeps its clip.
class TClipTestSkipped {
public:
  TClipTestSkipped(bool& Clipped, bool Skip) : FClipped(Clipped), FWas(Clipped) {
    if (Skip) FClipped = false;
  }
  ~TClipTestSkipped() { FClipped = FWas; }
  TClipTestSkipped(const TClipTestSkipped&) = delete;
  TClipTestSkipped& operator=(const TClipTestSkipped&) = delete;

private:
  bool& FClipped;
  const bool FWas;
};

}  // namespace

void TQPainterSurface::Polygon(const std::vector<TPoint>& Points) {
  if (Points.size() < 2) return;
  QPainter* P = Painter(FPen.Mode);
  if (P == nullptr) return;
  int Left = Points[0].X, Right = Left, Top = Points[0].Y, Bottom = Top;
  for (const TPoint& Point : Points) {
    Left = std::min(Left, Point.X), Right = std::max(Right, Point.X);
    Top = std::min(Top, Point.Y), Bottom = std::max(Bottom, Point.Y);
  }
  // The box QPainter rasterizes in: the image, cut to the clip's bounding box.
  QRect RasterBox(0, 0, FImageWidth, FImageHeight);
  if (FClipped) RasterBox &= FClipBounds;
  const TClipTestSkipped Skipped(FClipped, FClipped && BoxInsideClip(Left, Top, Right, Bottom));
  if (FBrush.Style == TBrushStyle::Solid && !EnclosesNothing(Points)) {
    const TFace Face = FPen.Mode == TPenMode::Copy ? FaceOf(Points) : TFace{};
    const QRgb Fill = ToPixel(FBrush.Color);
    // A face's fill stays off its bottom and right edges, where the outline
    // may leave the clip (a bar standing on the plot's bottom edge).
    const std::optional<QRect> FillBox = FaceFillBox(Face);
    const TClipTestSkipped FillSkipped(FClipped, FClipped && FillBox &&
                                                     BoxInsideClip(FillBox->left(), FillBox->top(),
                                                                   FillBox->right(), FillBox->bottom()));
    // A fill inside the clip and the image is written where it is.
    const bool InPlace = !FClipped && FillBox && QRect(0, 0, FImageWidth, FImageHeight).contains(*FillBox);
    switch (Face.Kind) {
      case TFaceKind::Rectangle:
        FillArea(Face.Left, Face.Top, Face.Right - 1, Face.Bottom - 1, Fill);
        break;
      case TFaceKind::Top:
        // Row y of the face lies T - y pixels to the right of the front edge.
        for (int Y = Face.Top; Y < Face.Bottom; ++Y) {
          const int Shift = Face.Bottom - Y;
          if (InPlace) {
            FillPixels(FBits + static_cast<qsizetype>(Y) * FStride + Face.Left + Shift, Face.Right - Face.Left, Fill);
          } else {
            FillRow(Y, Face.Left + Shift, Face.Right + Shift - 1, Fill);
          }
        }
        break;
      case TFaceKind::Side:
        // Column Left + k holds rows Top - k .. Bottom - k - 1.
        if (InPlace) {
          if (Face.Top < Face.Bottom) {
            for (int K = 0; K < Face.Depth; ++K) FillColumn(Face.Left + K, Face.Top - K, Face.Bottom - K - 1, Fill);
          }
          break;
        }
        if (!FClipped || FClipColumnsWhole) {
          // Taller than deep, as a bar's side is: column by column (in a
          // clip that meets each column in one run, that run of each).
          for (int K = 0; K < Face.Depth; ++K) {
            FillArea(Face.Left + K, Face.Top - K, Face.Left + K, Face.Bottom - K - 1, Fill);
          }
          break;
        }
        for (int Y = Face.Top - Face.Depth + 1; Y < Face.Bottom; ++Y) {
          const int First = std::max(0, Face.Top - Y), End = std::min(Face.Depth, Face.Bottom - Y);
          if (First < End) FillRow(Y, Face.Left + First, Face.Left + End - 1, Fill);
        }
        break;
      case TFaceKind::None:
        if (FPen.Mode == TPenMode::Copy && !RasterBox.isEmpty() &&
            PolygonRowsFit(Points, RasterBox.left(), RasterBox.right())) {
          // A slanted shape (a piece of the line's ribbon) within the box's columns.
          if (FClipped) {
            ForEachPolygonRowSpan(Points, RasterBox.top(), RasterBox.bottom(),
                                  [&](int Y, int From, int To) { FillRow(Y, From, To, Fill); });
            break;
          }
          // Inside the clip: the spans lie within the image's rows and the
          // shape's columns, and are written where they are.
          ForEachPolygonRowSpan(Points, RasterBox.top(), RasterBox.bottom(), [&](int Y, int From, int To) {
            FillPixels(FBits + static_cast<qsizetype>(Y) * FStride + From, To - From + 1, Fill);
          });
          break;
        }
        P->setPen(Qt::NoPen);
        P->setBrush(ToQColor(FBrush.Color));
        P->drawPolygon(ToQPolygon(Points), Qt::OddEvenFill);
        break;
    }
  }
  // Closed outline: each edge leaves out its end, which is the next edge's start.
  for (size_t I = 0; I < Points.size(); ++I) {
    StrokeLine(Points[I], Points[(I + 1) % Points.size()], false);
  }
}

void TQPainterSurface::Rectangle(const TRect& R) {
  int L = std::min(R.Left, R.Right), Rt = std::max(R.Left, R.Right);
  int T = std::min(R.Top, R.Bottom), B = std::max(R.Top, R.Bottom);
  QPainter* P = Painter(FPen.Mode);
  if (P == nullptr) return;
  const TClipTestSkipped Skipped(FClipped, FClipped && BoxInsideClip(L, T, Rt, B));
  const bool Outline = FPen.Style != TPenStyle::Clear;
  if (FBrush.Style == TBrushStyle::Solid) {
    // Without an outline the filled area is one pixel smaller each way.
    QRect Fill = Outline ? QRect(QPoint(L + 1, T + 1), QPoint(Rt - 2, B - 2)) : QRect(QPoint(L, T), QPoint(Rt - 2, B - 2));
    if (Fill.isValid()) {
      if (FPen.Mode == TPenMode::Copy) {
        FillArea(Fill.left(), Fill.top(), Fill.right(), Fill.bottom(), ToPixel(FBrush.Color));
      } else {
        P->fillRect(Fill, ToQColor(FBrush.Color));
      }
    }
  }
  if (!Outline || Rt - L < 1 || B - T < 1) return;
  if (FPen.Width > 1) {
    StrokeLine({L, T}, {Rt - 1, T}, false);
    StrokeLine({Rt - 1, T}, {Rt - 1, B - 1}, false);
    StrokeLine({Rt - 1, B - 1}, {L, B - 1}, false);
    StrokeLine({L, B - 1}, {L, T}, false);
    return;
  }
  // The ring Left..Right-1 x Top..Bottom-1, each pixel once.
  if (Rt - L == 1 || B - T == 1) {
    StrokeLine({L, T}, {Rt - 1, B - 1}, true);
    return;
  }
  StrokeLine({L, T}, {Rt - 1, T}, false);
  StrokeLine({Rt - 1, T}, {Rt - 1, B - 1}, false);
  StrokeLine({Rt - 1, B - 1}, {L, B - 1}, false);
  StrokeLine({L, B - 1}, {L, T}, false);
}

void TQPainterSurface::FillRect(const TRect& R, TColor Color) {
  if (Painter(TPenMode::Copy) == nullptr) return;
  FillArea(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right) - 1,
           std::max(R.Top, R.Bottom) - 1, ToPixel(Color));
}
