#include "covered_shapes.h"

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
  FWidth = std::max(Width, 0);
  FHeight = std::clamp(Height, 0, 30000);
  FLater.assign(static_cast<std::size_t>(FWidth), TRun{1, 0});
  FCuts.clear();
  FCutRuns.clear();
}

void TLaterColumns::KeepCut(int Shape, int First, int Last) {
  First = std::max(First, 0), Last = std::min(Last, FWidth - 1);
  if (First > Last) return;
  FCuts.push_back(TCut{Shape, First, FCutRuns.size(), Last - First + 1});
  FCutRuns.insert(FCutRuns.end(), FLater.begin() + First, FLater.begin() + Last + 1);
}

void TLaterColumns::Add(const TBoxColumns& Paints) {
  const int First = std::max(Paints.Left, 0), Last = std::min(Paints.LastColumn(), FWidth - 1);
  if (First > Last || Paints.Top > Paints.Bottom) return;
  // Rows beyond the picture are all alike: a run is cut to one row past it.
  auto Row = [&](int Y) { return static_cast<std::int16_t>(std::clamp(Y, -1, FHeight)); };
  for (int X = First; X <= Last; ++X) {
    const int Top = Row(Paints.TopOf(X)), Bottom = Row(Paints.BottomOf(X));
    auto& [RunTop, RunBottom] = FLater[static_cast<std::size_t>(X)];
    if (RunTop > RunBottom || (Top <= RunBottom + 1 && RunTop <= Bottom + 1)) {
      const bool Empty = RunTop > RunBottom;
      RunTop = static_cast<std::int16_t>(Empty ? Top : std::min<int>(RunTop, Top));
      RunBottom = static_cast<std::int16_t>(Empty ? Bottom : std::max<int>(RunBottom, Bottom));
    } else if (Bottom - Top > RunBottom - RunTop) {
      RunTop = static_cast<std::int16_t>(Top), RunBottom = static_cast<std::int16_t>(Bottom);
    }
  }
}

const std::vector<TColumnsArea>& TLaterColumns::CutOf(int Shape) {
  FAreas.clear();
  if (FCuts.empty() || FCuts.back().Shape != Shape) return FAreas;
  const TCut Cut = FCuts.back();
  FCuts.pop_back();
  for (int I = 0; I < Cut.Columns; ++I) {
    const auto [Top, Bottom] = FCutRuns[Cut.Offset + static_cast<std::size_t>(I)];
    if (Top <= Bottom) FAreas.push_back(TColumnsArea{Cut.FirstColumn + I, Cut.FirstColumn + I, Top, Bottom, 0});
  }
  FCutRuns.resize(Cut.Offset);
  return FAreas;
}
