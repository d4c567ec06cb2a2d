// SPDX-License-Identifier: GPL-3.0-or-later
// Writing pixels within the image and the clip: areas, columns around the
// rows painted later, and the tests of a box against the clip.
#include <algorithm>

#include "chart_qt/qpainter_pixels.h"

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
    // Wide: row by row, or all at once where the rows follow each other
    // (the panel).
    const auto Run = static_cast<size_t>(Width);
    if (Width == FStride) {
      FillLongRun(First, Run * static_cast<size_t>(Bottom - Top + 1), Color);
      return;
    }
    for (int Y = Top; Y <= Bottom; ++Y, First += FStride) FillLongRun(First, Run, Color);
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
