// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/covered_shapes.h"

#include <algorithm>

bool TCoveredShapes::CoveredLater(std::int64_t Key, int Top, int Bottom) {
  if (!FHaveKey || Key != FKey) {
    FKey = Key;
    FHaveKey = true;
    FSpans.clear();
  }
  for (const TSpan& Span : FSpans) {
    if (Span.Top <= Top && Span.Bottom >= Bottom) return true;
  }
  std::erase_if(FSpans, [&](const TSpan& Span) { return Top <= Span.Top && Bottom >= Span.Bottom; });
  FSpans.push_back(TSpan{Top, Bottom});
  return false;
}

bool TCoveredArea::Covers(const TRect& R) const {
  if (R.Left >= R.Right || R.Top >= R.Bottom) return true;  // no pixel
  const long long First = static_cast<long long>(R.Top) - FFirstRow;
  const long long End = static_cast<long long>(R.Bottom) - FFirstRow;
  if (First < 0 || End > static_cast<long long>(FRows.size())) return false;
  for (long long Row = First; Row < End; ++Row) {
    const auto [SpanFirst, SpanLast] = FRows[static_cast<size_t>(Row)];
    if (SpanFirst > R.Left || SpanLast < R.Right - 1) return false;
  }
  return true;
}

void TCoveredArea::Clear() { std::fill(FRows.begin(), FRows.end(), TSpan{1, 0}); }

void TCoveredArea::Add(const TRect& R) {
  if (R.Left >= R.Right || R.Top >= R.Bottom) return;
  if (R.Top < -RowLimit || R.Bottom > RowLimit) return;
  if (FRows.empty()) {
    FFirstRow = R.Top;
    FRows.assign(static_cast<size_t>(R.Bottom - R.Top), TSpan{1, 0});
  } else if (R.Top < FFirstRow) {
    FRows.insert(FRows.begin(), static_cast<size_t>(FFirstRow - R.Top), TSpan{1, 0});
    FFirstRow = R.Top;
  }
  if (R.Bottom - FFirstRow > static_cast<int>(FRows.size())) {
    FRows.resize(static_cast<size_t>(R.Bottom - FFirstRow), TSpan{1, 0});
  }
  const int First = R.Left, Last = R.Right - 1;
  for (int Y = R.Top; Y < R.Bottom; ++Y) {
    auto& [SpanFirst, SpanLast] = FRows[static_cast<size_t>(Y - FFirstRow)];
    if (SpanFirst <= SpanLast && First <= SpanLast + 1 && SpanFirst <= Last + 1) {
      SpanFirst = std::min(SpanFirst, First);
      SpanLast = std::max(SpanLast, Last);
    } else {
      SpanFirst = First, SpanLast = Last;
    }
  }
}

void TLaterColumns::Start(int Width, int Height) {
  FWidth = std::clamp(Width, 0, 30000);
  FHeight = std::clamp(Height, 0, 30000);
  FLater.assign(static_cast<std::size_t>(FWidth), EmptyRun);
  FCuts.clear();
  FCutRuns.clear();
}

void TLaterColumns::KeepCut(int Shape, int First, int Last) {
  First = std::max(First, 0), Last = std::min(Last, FWidth - 1);
  if (First > Last) return;
  FCuts.push_back(TCut{Shape, static_cast<std::uint32_t>(FCutRuns.size()), static_cast<std::int16_t>(First),
                       static_cast<std::uint16_t>(Last - First + 1)});
  FCutRuns.insert(FCutRuns.end(), FLater.begin() + First, FLater.begin() + Last + 1);
}

void TLaterColumns::Add(const TBoxColumns& Paints) {
  const int First = std::max(Paints.Left, 0), Last = std::min(Paints.LastColumn(), FWidth - 1);
  if (First > Last || Paints.Top > Paints.Bottom) return;
  // Rows beyond the picture are all alike: a run is cut to one row past it
  // (a box inside the rows -1..Height needs no cut).
  if (Paints.Top - Paints.Depth >= -1 && Paints.Bottom <= FHeight) {
    AddRuns<false>(Paints, First, Last);
  } else {
    AddRuns<true>(Paints, First, Last);
  }
}

bool TLaterColumns::Covers(const TBoxColumns& Paints) const {
  const int First = std::max(Paints.Left, 0), Last = std::min(Paints.LastColumn(), FWidth - 1);
  bool Seen = false;
  for (int X = First; X <= Last; ++X) {
    const int Top = std::max(Paints.TopOf(X), 0), Bottom = std::min(Paints.BottomOf(X), FHeight - 1);
    if (Top > Bottom) continue;
    const auto [RunTop, RunBottom] = FLater[static_cast<std::size_t>(X)];
    if (RunTop > Top || RunBottom < Bottom) return false;
    Seen = true;
  }
  return Seen;
}

bool TLaterColumns::Covers(const TRect& R) const {
  const int First = std::max(R.Left, 0), Last = std::min(R.Right - 1, FWidth - 1);
  const int Top = std::max(R.Top, 0), Bottom = std::min(R.Bottom - 1, FHeight - 1);
  if (First > Last || Top > Bottom) return false;
  const TRun* Run = FLater.data() + First;
  for (int X = First; X <= Last; ++X, ++Run) {
    if (Run->first > Top || Run->second < Bottom) return false;
  }
  return true;
}

template <bool Clamped>
void TLaterColumns::AddRuns(const TBoxColumns& Paints, int First, int Last) {
  TRun* Run = FLater.data() + First;
  for (int X = First; X <= Last; ++X, ++Run) {
    int Top = Paints.TopOf(X), Bottom = Paints.BottomOf(X);
    if constexpr (Clamped) Top = std::clamp(Top, -1, FHeight), Bottom = std::clamp(Bottom, -1, FHeight);
    const int RunTop = Run->first, RunBottom = Run->second;
    if (Top <= RunBottom + 1 && RunTop <= Bottom + 1) {
      // They meet: their union.
      Run->first = static_cast<std::int16_t>(std::min(RunTop, Top));
      Run->second = static_cast<std::int16_t>(std::max(RunBottom, Bottom));
    } else if (Bottom - Top > RunBottom - RunTop) {
      *Run = TRun{static_cast<std::int16_t>(Top), static_cast<std::int16_t>(Bottom)};
    }
  }
}

const TColumnRuns& TLaterColumns::CutOf(int Shape) {
  FCut.Rows.clear();
  if (FCuts.empty() || FCuts.back().Shape != Shape) return FCut;
  const TCut Cut = FCuts.back();
  FCuts.pop_back();
  FCut.FirstColumn = Cut.FirstColumn;
  const auto Runs = FCutRuns.begin() + static_cast<std::ptrdiff_t>(Cut.Offset);
  FCut.Rows.assign(Runs, Runs + Cut.Columns);
  FCutRuns.resize(Cut.Offset);
  return FCut;
}
