// SPDX-License-Identifier: GPL-3.0-or-later
// The clip, kept as spans per row, the rows painted later, and the pictures
// kept by key and copied back.
#include <QRegion>
#include <climits>
#include <cstring>
#include <optional>

#include "chart_qt/qpainter_pixels.h"

namespace {

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

}  // namespace

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
