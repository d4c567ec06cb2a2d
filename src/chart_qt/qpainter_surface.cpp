// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_qt/qpainter_surface.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>

#include "chart_qt/polygon_rows.h"
#include "chart_qt/qt_colors.h"
#include "platform/sjis.h"

namespace {

// The pixel value an opaque colour leaves in an RGB32 image.
QRgb ToPixel(TColor Color) {
  if (Color == clNone) return ToQColor(Color).rgb();
  const TColor Rgb = ColorToRGB(Color);
  return qRgb(static_cast<int>(RedOf(Rgb)), static_cast<int>(GreenOf(Rgb)), static_cast<int>(BlueOf(Rgb)));
}

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
enum TFaceKind { fkNone, fkRectangle, fkTop, fkSide };
struct TFace {
  TFaceKind Kind = fkNone;
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // of the rectangle before the shear
  int Depth = 0;                                 // the shear, in pixels
};

// The face the four points outline, corner after corner in either direction;
// fkNone for any other polygon.
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
    Face = TFace{fkRectangle, MinX, MinY, MaxX, MaxY, 0};
    return Face;
  }
  // A top face: level edges at MaxY (front) and MinY (back), Depth = MaxY - MinY.
  const int Depth = MaxY - MinY;
  if (Depth > 0) {
    const int Left = MinX, Right = MaxX - Depth;
    if (Left < Right && Matches({TPoint{Left, MaxY}, TPoint{Right, MaxY}, TPoint{Right + Depth, MinY},
                                 TPoint{Left + Depth, MinY}})) {
      return TFace{fkTop, Left, MaxY - Depth, Right, MaxY, Depth};
    }
  }
  // A side face: upright edges at MinX (front) and MaxX (back), Depth = MaxX - MinX.
  const int Shear = MaxX - MinX;
  if (Shear > 0) {
    const int Top = MinY + Shear, Bottom = MaxY;
    if (Top < Bottom && Matches({TPoint{MinX, Top}, TPoint{MaxX, Top - Shear}, TPoint{MaxX, Bottom - Shear},
                                 TPoint{MinX, Bottom}})) {
      return TFace{fkSide, MinX, Top, MaxX, Bottom, Shear};
    }
  }
  return {};
}

// The box around the pixels a face's fill sets; nothing for no face.
std::optional<QRect> FaceFillBox(const TFace& Face) {
  switch (Face.Kind) {
    case fkRectangle:
      return QRect(QPoint(Face.Left, Face.Top), QPoint(Face.Right - 1, Face.Bottom - 1));
    case fkTop:
      return QRect(QPoint(Face.Left + 1, Face.Top), QPoint(Face.Right + Face.Depth - 1, Face.Bottom - 1));
    case fkSide:
      return QRect(QPoint(Face.Left, Face.Top - Face.Depth + 1), QPoint(Face.Left + Face.Depth - 1, Face.Bottom - 1));
    case fkNone:
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

// Count pixels from Pixel on set to Color, four at a time (one 16-byte store).
inline void FillPixels(QRgb* Pixel, int Count, QRgb Color) {
  const std::array<QRgb, 4> Four{Color, Color, Color, Color};
  for (; Count >= 4; Count -= 4, Pixel += 4) std::memcpy(Pixel, Four.data(), sizeof Four);
  for (; Count > 0; --Count) *Pixel++ = Color;
}

// True when Count pixels from Pixel on all hold Color (four compared at a time).
inline bool AllPixels(const QRgb* Pixel, int Count, QRgb Color) {
  QRgb Differs = 0;
  for (; Count >= 4; Count -= 4, Pixel += 4) {
    Differs |= (Pixel[0] ^ Color) | (Pixel[1] ^ Color) | (Pixel[2] ^ Color) | (Pixel[3] ^ Color);
  }
  for (; Count > 0; --Count) Differs |= *Pixel++ ^ Color;
  return Differs == 0;
}

// True when, for spans of successive rows (one per row, [1, 0] for none),
// every column meets the spans in rows that follow each other: no row
// without a span between two with one, the left ends first falling then
// rising, the right ends first rising then falling (a convex clip).
bool ColumnsWhole(const std::vector<std::pair<int, int>>& RowSpans) {
  size_t First = 0, End = RowSpans.size();
  while (First < End && RowSpans[First].first > RowSpans[First].second) ++First;
  while (End > First && RowSpans[End - 1].first > RowSpans[End - 1].second) --End;
  bool LeftRising = false, RightFalling = false;
  for (size_t I = First; I < End; ++I) {
    if (RowSpans[I].first > RowSpans[I].second) return false;
    if (I == First) continue;
    const auto [Left, Right] = RowSpans[I];
    const auto [PrevLeft, PrevRight] = RowSpans[I - 1];
    if (Left > PrevLeft) LeftRising = true;
    else if (Left < PrevLeft && LeftRising) return false;
    if (Right < PrevRight) RightFalling = true;
    else if (Right > PrevRight && RightFalling) return false;
  }
  return true;
}

QPainter::CompositionMode CompositionOf(TPenMode Mode) {
  return Mode == TPenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination : QPainter::CompositionMode_SourceOver;
}

void PreparePainter(QPainter& Painter) {
  Painter.setRenderHint(QPainter::Antialiasing, false);
  Painter.setRenderHint(QPainter::TextAntialiasing, true);
}

}  // namespace

TQPainterSurface::TQPainterSurface(TFontResolver Resolver) : FResolver(std::move(Resolver)) { SetFont(FFont); }

TQPainterSurface::~TQPainterSurface() { EndPainting(); }

void TQPainterSurface::EnsureImageSize(int Width, int Height) {
  Width = std::max(Width, 0);
  Height = std::max(Height, 0);
  if (FImage.width() == Width && FImage.height() == Height && !FImage.isNull()) return;
  EndPainting();
  if (Width == 0 || Height == 0) {
    FImage = QImage();
  } else {
    FImage = QImage(Width, Height, QImage::Format_RGB32);
    FImage.fill(Qt::white);
  }
  ++FImageCreations;
}

void TQPainterSurface::Present() {
  EndPainting();
  if (OnPresent) OnPresent(FImage);
}

QPainter* TQPainterSurface::OpenPainter(TPenMode Mode) {
  // FBits is set exactly while the painter is open.
  if (FBits == nullptr) {
    if (FImage.isNull()) return nullptr;
    // The image's pixels become this image's own before the painter opens;
    // while it is open a copy of the image is a copy of the pixels.
    FBits = reinterpret_cast<QRgb*>(FImage.bits());
    FStride = FImage.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    if (!FPainter.begin(&FImage)) {
      FBits = nullptr;
      return nullptr;
    }
    FBits = reinterpret_cast<QRgb*>(const_cast<uchar*>(FImage.constBits()));
    FImageWidth = FImage.width();
    FImageHeight = FImage.height();
    PreparePainter(FPainter);
    FPainterMode = TPenMode::Copy;
    FPainter.setCompositionMode(CompositionOf(TPenMode::Copy));
    if (FClipped) FPainter.setClipRegion(FClipRegion);
  }
  if (Mode != FPainterMode) {
    FPainterMode = Mode;
    FPainter.setCompositionMode(CompositionOf(Mode));
  }
  return &FPainter;
}

void TQPainterSurface::EndPainting() {
  if (FPainter.isActive()) FPainter.end();
  FBits = nullptr;
}

void TQPainterSurface::SetFont(const TSurfaceFont& Font) {
  if (Font == FFont && FFontEntry != nullptr) return;
  FFont = Font;
  auto Key = std::make_tuple(Font.Name, Font.Height, Font.Escapement, Font.Bold, Font.Italic);
  auto It = FFonts.find(Key);
  if (It == FFonts.end()) {
    It = FFonts.emplace(std::move(Key), std::make_unique<TFontEntry>(FResolver(Font))).first;
  }
  FFontEntry = It->second.get();
}

void TQPainterSurface::SetBackground(TBackgroundMode Mode, TColor Color) {
  FBackgroundMode = Mode;
  FBackgroundColor = Color;
}

void TQPainterSurface::SetTextAlign(THorizTextAlign Horiz, TVertTextAlign Vert) {
  FHorizAlign = Horiz;
  FVertAlign = Vert;
}

// --- pixels ---

bool TQPainterSurface::InsideClip(int X, int Y) const {
  if (!FClipped) return true;
  const int Row = Y - FClipTop;
  if (Row < 0 || Row >= static_cast<int>(FClipRowRange.size())) return false;
  if (FClipOneSpanPerRow) {
    const auto [First, Last] = FClipRowSpan[static_cast<size_t>(Row)];
    return X >= First && X <= Last;
  }
  const auto [First, End] = FClipRowRange[static_cast<size_t>(Row)];
  for (int I = First; I < End; ++I) {
    const auto& Span = FClipSpans[static_cast<size_t>(I)];
    if (X >= Span.first && X <= Span.second) return true;
  }
  return false;
}

bool TQPainterSurface::RectInsideClip(const QRect& R) const {
  if (!FClipped) return true;
  for (int Y = R.top(); Y <= R.bottom(); ++Y) {
    const int Row = Y - FClipTop;
    if (Row < 0 || Row >= static_cast<int>(FClipRowRange.size())) return false;
    const auto [First, End] = FClipRowRange[static_cast<size_t>(Row)];
    bool Inside = false;
    for (int I = First; I < End && !Inside; ++I) {
      const auto& Span = FClipSpans[static_cast<size_t>(I)];
      Inside = R.left() >= Span.first && R.right() <= Span.second;
    }
    if (!Inside) return false;
  }
  return true;
}

bool TQPainterSurface::BoxInsideClip(int Left, int Top, int Right, int Bottom) const {
  // A clip of one span per row that every column meets in one run of rows
  // holds a box when it holds the box's corners: the top and bottom rows
  // between them, and every column between those rows.
  return FClipColumnsWhole && InsideClip(Left, Top) && InsideClip(Right, Top) && InsideClip(Left, Bottom) &&
         InsideClip(Right, Bottom);
}

inline void TQPainterSurface::PutPixel(int X, int Y, QRgb Color) {
  if (static_cast<unsigned>(X) >= static_cast<unsigned>(FImageWidth) ||
      static_cast<unsigned>(Y) >= static_cast<unsigned>(FImageHeight) || (FClipped && !InsideClip(X, Y))) {
    return;
  }
  FBits[static_cast<qsizetype>(Y) * FStride + X] = Color;
}

void TQPainterSurface::FillArea(int Left, int Top, int Right, int Bottom, QRgb Color) {
  Left = std::max(Left, 0);
  Top = std::max(Top, 0);
  Right = std::min(Right, FImageWidth - 1);
  Bottom = std::min(Bottom, FImageHeight - 1);
  if (Left > Right || Top > Bottom) return;
  if (!FClipped) {
    const int Width = Right - Left + 1;
    QRgb* First = FBits + static_cast<qsizetype>(Top) * FStride + Left;
    if (Width == 1) {
      FillColumn(Left, Top, Bottom, Color);
      return;
    }
    if (Width < 64) {
      // Narrow: each row filled where it is.
      for (int Y = Top; Y <= Bottom; ++Y, First += FStride) FillPixels(First, Width, Color);
      return;
    }
    // Wide: one row filled, the others copied from it.
    FillPixels(First, Width, Color);
    const size_t Bytes = static_cast<size_t>(Width) * sizeof(QRgb);
    for (int Y = Top + 1; Y <= Bottom; ++Y) std::memcpy(FBits + static_cast<qsizetype>(Y) * FStride + Left, First, Bytes);
    return;
  }
  if (Left == Right && FClipOneSpanPerRow) {
    // One column (an upright line): a pixel per row inside the clip.
    const int ClipRows = static_cast<int>(FClipRowSpan.size());
    int From = std::max(Top, FClipTop), To = std::min(Bottom, FClipTop + ClipRows - 1);
    auto Inside = [&](int Y) {
      const auto [First, Last] = FClipRowSpan[static_cast<size_t>(Y - FClipTop)];
      return Left >= First && Left <= Last;
    };
    if (FClipColumnsWhole) {
      // The rows of the clip in this column follow each other: find the
      // first and the last, and fill between them.
      while (From <= To && !Inside(From)) ++From;
      while (To >= From && !Inside(To)) --To;
      FillColumn(Left, From, To, Color);
      return;
    }
    QRgb* Pixel = FBits + static_cast<qsizetype>(From) * FStride + Left;
    for (int Y = From; Y <= To; ++Y, Pixel += FStride) {
      if (Inside(Y)) *Pixel = Color;
    }
    return;
  }
  for (int Y = Top; Y <= Bottom; ++Y) FillRow(Y, Left, Right, Color);
}

void TQPainterSurface::FillColumn(int X, int From, int To, QRgb Color) {
  auto Fill = [&](int First, int Last) {
    QRgb* const TopPixel = FBits + X;  // of the column, in row 0
    const qsizetype Stride = FStride;
    qsizetype Row = First;
    for (; Row + 3 <= Last; Row += 4) {
      QRgb* Pixel = TopPixel + Row * Stride;
      Pixel[0] = Color;
      Pixel[Stride] = Color;
      Pixel[2 * Stride] = Color;
      Pixel[3 * Stride] = Color;
    }
    for (; Row <= Last; ++Row) TopPixel[Row * Stride] = Color;
  };
  const auto Column = static_cast<size_t>(X - FLaterFirstColumn);
  if (X < FLaterFirstColumn || Column >= FLaterRows.size()) {
    Fill(From, To);
    return;
  }
  // The run cut by the rows painted later: a piece above them, one below.
  const auto [CutFirst, CutLast] = FLaterRows[Column];
  if (CutFirst > CutLast || CutLast < From || CutFirst > To) {
    Fill(From, To);
    return;
  }
  if (From < CutFirst) Fill(From, CutFirst - 1);
  if (To > CutLast) Fill(CutLast + 1, To);
}

inline void TQPainterSurface::FillRow(int Y, int From, int To, QRgb Color) {
  if (static_cast<unsigned>(Y) >= static_cast<unsigned>(FImageHeight)) return;
  From = std::max(From, 0);
  To = std::min(To, FImageWidth - 1);
  QRgb* Row = FBits + static_cast<qsizetype>(Y) * FStride;
  if (FClipped) {
    const int ClipRow = Y - FClipTop;
    if (ClipRow < 0 || ClipRow >= static_cast<int>(FClipRowRange.size())) return;
    if (!FClipOneSpanPerRow) {
      const auto [First, End] = FClipRowRange[static_cast<size_t>(ClipRow)];
      for (int I = First; I < End; ++I) {
        const auto& Span = FClipSpans[static_cast<size_t>(I)];
        const int SpanFrom = std::max(From, Span.first), SpanTo = std::min(To, Span.second);
        if (SpanFrom <= SpanTo) FillPixels(Row + SpanFrom, SpanTo - SpanFrom + 1, Color);
      }
      return;
    }
    const auto [First, Last] = FClipRowSpan[static_cast<size_t>(ClipRow)];
    From = std::max(From, First);
    To = std::min(To, Last);
  }
  if (From <= To) FillPixels(Row + From, To - From + 1, Color);
}

// A level or upright wide line (an axis) with the copying solid pen:
// QPainter's flat-ended pen fills Width rows or columns, the first Width / 2
// before the line, from the start up to the end left out, whichever way it
// runs. False for any other line.
bool TQPainterSurface::FillWideLevelLine(TPoint A, TPoint B) {
  constexpr int Far = 1 << 24;  // beyond any picture: left to QPainter
  auto NearBy = [](int V) { return V > -Far && V < Far; };
  if (FPen.Mode != TPenMode::Copy || FPen.Style != psSolid || FPen.Width > 1024 || (A.X == B.X) == (A.Y == B.Y) ||
      !NearBy(A.X) || !NearBy(A.Y) || !NearBy(B.X) || !NearBy(B.Y)) {
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
  if (FPen.Style == psClear) return;
  QPainter* P = Painter(FPen.Mode);
  if (P == nullptr) return;
  if (FPen.Width > 1) {
    if (FillWideLevelLine(A, B)) return;
    QPen Pen(ToQColor(FPen.Color));
    Pen.setWidth(FPen.Width);
    Pen.setCapStyle(Qt::FlatCap);
    Pen.setJoinStyle(Qt::MiterJoin);
    if (FPen.Style == psDot) Pen.setStyle(Qt::DotLine);
    P->setPen(Pen);
    P->setBrush(Qt::NoBrush);
    P->drawLine(A.X, A.Y, B.X, B.Y);
    return;
  }
  const bool Dotted = FPen.Style == psDot;
  const bool GapShows = Dotted && FBackgroundMode == bkOpaque;
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

// --- shapes ---

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
  if (FBrush.Style == bsSolid && !EnclosesNothing(Points)) {
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
      case fkRectangle:
        FillArea(Face.Left, Face.Top, Face.Right - 1, Face.Bottom - 1, Fill);
        break;
      case fkTop:
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
      case fkSide:
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
      case fkNone:
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

void TQPainterSurface::Polyline(const std::vector<TPoint>& Points) {
  StrokeOpenPath(Points, false);
  if (!Points.empty()) FPenPos = Points.back();
}

void TQPainterSurface::MoveTo(int X, int Y) { FPenPos = TPoint{X, Y}; }

void TQPainterSurface::LineTo(int X, int Y) {
  StrokeLine(FPenPos, TPoint{X, Y}, false);
  FPenPos = TPoint{X, Y};
}

void TQPainterSurface::Rectangle(const TRect& R) {
  int L = std::min(R.Left, R.Right), Rt = std::max(R.Left, R.Right);
  int T = std::min(R.Top, R.Bottom), B = std::max(R.Top, R.Bottom);
  QPainter* P = Painter(FPen.Mode);
  if (P == nullptr) return;
  const TClipTestSkipped Skipped(FClipped, FClipped && BoxInsideClip(L, T, Rt, B));
  const bool Outline = FPen.Style != psClear;
  if (FBrush.Style == bsSolid) {
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

// --- text ---

TQPainterSurface::TTextInfo& TQPainterSurface::TextInfo(const std::string& Text) {
  auto& Texts = FFontEntry->Texts;
  auto It = Texts.find(Text);
  if (It != Texts.end()) return It->second;
  // A chart has a few hundred different texts at most; a flood of new ones
  // (a label per point of a huge range) must not grow this without end.
  if (Texts.size() >= 4096) Texts.clear();
  TTextInfo Info;
  Info.Chars = ToQString(Text);
  Info.Width = FFontEntry->Metrics.horizontalAdvance(Info.Chars);
  return Texts.emplace(Text, std::move(Info)).first->second;
}

// The box that the text's ink can touch, relative to the point Draw is given:
// drawn dark on light and light on dark, every pixel that changes in either,
// and one pixel more on each side. Empty when nothing shows; nullopt when the
// ink may run past the probe.
std::optional<QRect> TQPainterSurface::FindInk(const TTextInfo& Info, const TDrawText& Draw, bool Turned) const {
  const int Height = FFontEntry->Ascent + FFontEntry->Descent;
  const int Margin = 2 * Height + 8;
  // Level text runs right of the pen; turned text may run any way from it.
  const int Across = Turned ? Info.Width + Margin : Margin;
  const QSize Size = Turned ? QSize(2 * Across, 2 * Across) : QSize(Info.Width + 2 * Margin, Height + 2 * Margin);
  const QPoint Origin = Turned ? QPoint(Across, Across) : QPoint(Margin, Margin + FFontEntry->Ascent);
  QRect Ink;
  for (const auto& [Ground, Ink1] : {std::pair{Qt::white, Qt::black}, std::pair{Qt::black, Qt::white}}) {
    QImage Probe(Size, QImage::Format_RGB32);
    Probe.fill(Ground);
    const QRgb Plain = Probe.pixel(0, 0);
    QPainter P(&Probe);
    PreparePainter(P);
    P.setFont(FFontEntry->Font);
    P.setPen(QColor(Ink1));
    Draw(P, Origin.x(), Origin.y());
    P.end();
    for (int Y = 0; Y < Size.height(); ++Y) {
      const QRgb* Row = reinterpret_cast<const QRgb*>(Probe.constScanLine(Y));
      for (int X = 0; X < Size.width(); ++X) {
        if (Row[X] != Plain) Ink |= QRect(X, Y, 1, 1);
      }
    }
  }
  if (Ink.isEmpty()) return QRect();
  if (Ink.left() <= 1 || Ink.top() <= 1 || Ink.right() >= Size.width() - 2 || Ink.bottom() >= Size.height() - 2) {
    return std::nullopt;
  }
  return Ink.adjusted(-1, -1, 1, 1).translated(-Origin);
}

// Draws the level text with its pen at the point given.
TQPainterSurface::TDrawText TQPainterSurface::LevelText(const TTextInfo& Info) {
  return [&Info](QPainter& P, int X, int Y) { P.drawText(X, Y, Info.Chars); };
}

void TQPainterSurface::FindInk(TTextInfo& Info) {
  Info.InkTried = true;
  const std::optional<QRect> Ink = FindInk(Info, LevelText(Info), false);
  Info.InkKnown = Ink.has_value();
  Info.Ink = Ink.value_or(QRect());
}

bool TQPainterSurface::CopyInkPicture(const QRect& Ink, int X, int Y, TInkPictures& Pictures, const TDrawText& Draw) {
  if (FBits == nullptr) return false;
  if (Ink.isEmpty()) return true;  // nothing to see
  const QRect Box = Ink.translated(X, Y);
  if (!FImage.rect().contains(Box) || !RectInsideClip(Box)) return false;
  const QRgb Ground = FBits[static_cast<qsizetype>(Box.top()) * FStride + Box.left()];
  for (int Row = Box.top(); Row <= Box.bottom(); ++Row) {
    if (!AllPixels(FBits + static_cast<qsizetype>(Row) * FStride + Box.left(), Box.width(), Ground)) return false;
  }
  const QRgb TextColor = ToPixel(FFont.Color);
  QImage& Picture = Pictures[{TextColor, Ground}];
  if (Picture.isNull()) {
    Picture = QImage(Box.size(), QImage::Format_RGB32);
    Picture.fill(QColor::fromRgb(Ground));
    QPainter P(&Picture);
    PreparePainter(P);
    P.setFont(FFontEntry->Font);
    P.setPen(QColor::fromRgb(TextColor));
    Draw(P, -Ink.left(), -Ink.top());
  }
  for (int Row = 0; Row < Box.height(); ++Row) {
    std::memcpy(FBits + static_cast<qsizetype>(Box.top() + Row) * FStride + Box.left(), Picture.constScanLine(Row),
                static_cast<size_t>(Box.width()) * sizeof(QRgb));
  }
  return true;
}

bool TQPainterSurface::CopyTextPicture(TTextInfo& Info, int PenX, int PenY) {
  if (FBits == nullptr) return false;
  if (!Info.InkTried) FindInk(Info);
  if (!Info.InkKnown) return false;
  return CopyInkPicture(Info.Ink, PenX, PenY, Info.Pictures, LevelText(Info));
}

bool TQPainterSurface::CopyTurnedTextPicture(TTextInfo& Info, int X, int Y, int Dx, int Baseline) {
  // Only quarter turns: they move the glyphs' pixels without resampling them.
  if (FBits == nullptr || FFont.Escapement % 900 != 0) return false;
  const TDrawText Draw = [&, Angle = FFont.Escapement](QPainter& P, int AtX, int AtY) {
    P.translate(AtX, AtY);
    P.rotate(-Angle / 10.0);
    P.drawText(Dx, Baseline, Info.Chars);
    P.resetTransform();
  };
  auto [It, New] = Info.Turned.try_emplace(std::tuple{FFont.Escapement % 3600, Dx, Baseline});
  TTurnedInk& Turned = It->second;
  if (New) {
    const std::optional<QRect> Ink = FindInk(Info, Draw, true);
    Turned.Known = Ink.has_value();
    Turned.Ink = Ink.value_or(QRect());
  }
  if (!Turned.Known) return false;
  return CopyInkPicture(Turned.Ink, X, Y, Turned.Pictures, Draw);
}

std::pair<int, int> TQPainterSurface::PenOffset(const TTextInfo& Info) const {
  const int Dx = FHorizAlign == htaLeft ? 0 : FHorizAlign == htaCenter ? -Info.Width / 2 : -Info.Width;
  const int Baseline =
      FVertAlign == vtaTop ? FFontEntry->Ascent : FVertAlign == vtaBottom ? -FFontEntry->Descent : 0;
  return {Dx, Baseline};
}

void TQPainterSurface::TextOut(int X, int Y, const std::string& Text) {
  QPainter* P = Painter(TPenMode::Copy);
  if (P == nullptr) return;
  TTextInfo& Info = TextInfo(Text);
  const int Width = Info.Width;
  const int Ascent = FFontEntry->Ascent, Descent = FFontEntry->Descent;
  const auto [Dx, Baseline] = PenOffset(Info);
  const bool Turned = FFont.Escapement % 3600 != 0;
  if (FBackgroundMode == bkOpaque) {
    if (!Turned) {
      FillArea(X + Dx, Y + Baseline - Ascent, X + Dx + Width - 1, Y + Baseline + Descent - 1,
               ToPixel(FBackgroundColor));
    } else {
      P->translate(X, Y);
      P->rotate(-FFont.Escapement / 10.0);
      P->fillRect(QRect(Dx, Baseline - Ascent, Width, Ascent + Descent), ToQColor(FBackgroundColor));
      P->resetTransform();
    }
  }
  if (Turned ? CopyTurnedTextPicture(Info, X, Y, Dx, Baseline) : CopyTextPicture(Info, X + Dx, Y + Baseline)) return;
  // The text box turns around the reference point. (Only the transform is
  // undone afterwards: a saved and restored painter state would bring back
  // the clip of that moment and undo a clip set later.)
  P->translate(X, Y);
  if (Turned) P->rotate(-FFont.Escapement / 10.0);
  P->setFont(FFontEntry->Font);
  P->setPen(ToQColor(FFont.Color));
  P->drawText(Dx, Baseline, Info.Chars);
  P->resetTransform();
}

std::optional<TRect> TQPainterSurface::TextOutBounds(int X, int Y, const std::string& Text) {
  if (FFont.Escapement % 3600 != 0) return std::nullopt;
  TTextInfo& Info = TextInfo(Text);
  if (!Info.InkTried) FindInk(Info);
  if (!Info.InkKnown) return std::nullopt;
  const int Ascent = FFontEntry->Ascent, Descent = FFontEntry->Descent;
  const auto [Dx, Baseline] = PenOffset(Info);
  QRect Box = Info.Ink.isEmpty() ? QRect() : Info.Ink.translated(X + Dx, Y + Baseline);
  if (FBackgroundMode == bkOpaque && Info.Width > 0) Box |= QRect(X + Dx, Y + Baseline - Ascent, Info.Width, Ascent + Descent);
  if (Box.isEmpty()) return TRect{X, Y, X, Y};
  return TRect{Box.left(), Box.top(), Box.right() + 1, Box.bottom() + 1};
}

TSize TQPainterSurface::TextExtent(const std::string& Text) {
  return TSize{TextInfo(Text).Width, FFontEntry->Ascent + FFontEntry->Descent};
}

// --- clip ---

void TQPainterSurface::SetClipPolygon(const std::vector<TPoint>& Points) {
  FClipped = true;
  // A chart clips to the same outline again and again (each series, each
  // paint): the spans of the last outline are kept.
  if (FClipKnown && Points == FClipPoints) {
    EndPainting();
    return;
  }
  FClipPoints = Points;
  FClipKnown = true;
  FClipRegion = QRegion(ToQPolygon(Points), Qt::OddEvenFill);
  FClipSpans.clear();
  FClipRowRange.clear();
  const QRect Bounds = FClipRegion.boundingRect();
  FClipBounds = Bounds;
  FClipTop = Bounds.top();
  if (!Bounds.isEmpty()) {
    // The region's rectangles come in bands of rows, left to right within a
    // band: each band's spans are stored once, and its rows point at them.
    FClipRowRange.assign(static_cast<size_t>(Bounds.height()), {0, 0});
    int BandTop = INT_MIN;
    int BandFirst = 0;
    for (const QRect& R : FClipRegion) {
      if (R.top() != BandTop) {
        BandTop = R.top();
        BandFirst = static_cast<int>(FClipSpans.size());
      }
      FClipSpans.push_back({R.left(), R.right()});
      for (int Y = R.top(); Y <= R.bottom(); ++Y) {
        FClipRowRange[static_cast<size_t>(Y - FClipTop)] = {BandFirst, static_cast<int>(FClipSpans.size())};
      }
    }
  }
  FClipOneSpanPerRow = true;
  for (const auto& [First, End] : FClipRowRange) FClipOneSpanPerRow = FClipOneSpanPerRow && End - First <= 1;
  FClipRowSpan.clear();
  FClipColumnsWhole = false;
  if (FClipOneSpanPerRow) {
    FClipRowSpan.reserve(FClipRowRange.size());
    for (const auto& [First, End] : FClipRowRange) {
      FClipRowSpan.push_back(End > First ? FClipSpans[static_cast<size_t>(First)] : std::pair{1, 0});
    }
    FClipColumnsWhole = ColumnsWhole(FClipRowSpan);
  }
  // The painter opens again with the new clip. (An open painter that had its
  // clip switched off does not take the same clip back from setClipRegion.)
  EndPainting();
}

void TQPainterSurface::SetPaintedLater(const TColumnRuns& Runs) {
  FLaterFirstColumn = Runs.FirstColumn;
  FLaterRows.assign(Runs.Rows.begin(), Runs.Rows.end());
}

void TQPainterSurface::ClearClip() {
  FClipped = false;
  EndPainting();
}

// --- kept pictures ---

std::optional<QRect> TQPainterSurface::WholeAreaWritable(const TRect& Area) {
  if (Area.Right <= Area.Left || Area.Bottom <= Area.Top || !FLaterRows.empty()) return std::nullopt;
  if (Painter(TPenMode::Copy) == nullptr) return std::nullopt;
  const QRect Box(QPoint(Area.Left, Area.Top), QPoint(Area.Right - 1, Area.Bottom - 1));
  if (!FImage.rect().contains(Box)) return std::nullopt;
  if (FClipped && !BoxInsideClip(Box.left(), Box.top(), Box.right(), Box.bottom()) && !RectInsideClip(Box)) {
    return std::nullopt;
  }
  return Box;
}

void TQPainterSurface::KeepPicture(const std::string& Key, const TRect& Area) {
  const std::optional<QRect> Box = WholeAreaWritable(Area);
  if (!Box) return;
  const size_t Pixels = static_cast<size_t>(Box->width()) * static_cast<size_t>(Box->height());
  // Room for the boxes of a hundred or so different marks (the result chart's
  // 101 percentages take about 70,000 pixels); past it the pictures start over.
  constexpr size_t MaxKeptPixels = 96 * 1024;
  if (Pixels > MaxKeptPixels / 4) return;
  if (FKeptPixels + Pixels > MaxKeptPixels) {
    FKeptPictures.clear();
    FKeptPixels = 0;
  }
  auto [It, New] = FKeptPictures.try_emplace(Key);
  if (!New) return;
  TKeptPicture& Picture = It->second;
  Picture.Width = Box->width();
  Picture.Height = Box->height();
  Picture.Pixels.resize(Pixels);
  for (int Row = 0; Row < Picture.Height; ++Row) {
    std::memcpy(Picture.Pixels.data() + static_cast<size_t>(Row) * static_cast<size_t>(Picture.Width),
                FBits + static_cast<qsizetype>(Box->top() + Row) * FStride + Box->left(),
                static_cast<size_t>(Picture.Width) * sizeof(QRgb));
  }
  FKeptPixels += Pixels;
}

bool TQPainterSurface::CopyKeptPicture(const std::string& Key, const TRect& Area) {
  const auto It = FKeptPictures.find(Key);
  if (It == FKeptPictures.end()) return false;
  const TKeptPicture& Picture = It->second;
  const std::optional<QRect> Box = WholeAreaWritable(Area);
  if (!Box || Box->width() != Picture.Width || Box->height() != Picture.Height) return false;
  for (int Row = 0; Row < Picture.Height; ++Row) {
    std::memcpy(FBits + static_cast<qsizetype>(Box->top() + Row) * FStride + Box->left(),
                Picture.Pixels.data() + static_cast<size_t>(Row) * static_cast<size_t>(Picture.Width),
                static_cast<size_t>(Picture.Width) * sizeof(QRgb));
  }
  return true;
}
