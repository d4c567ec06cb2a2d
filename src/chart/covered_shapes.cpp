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

const TCoveredArea::TSpans* TCoveredArea::RowSpans(int Y) const {
  const long long Row = static_cast<long long>(Y) - FFirstRow;
  if (Row < 0 || Row >= static_cast<long long>(FRows.size())) return nullptr;
  return &FRows[static_cast<size_t>(Row)];
}

bool TCoveredArea::Covers(const TRect& R) const {
  if (R.Left >= R.Right || R.Top >= R.Bottom) return true;  // no pixel
  for (int Y = R.Top; Y < R.Bottom; ++Y) {
    const TSpans* Spans = RowSpans(Y);
    if (Spans == nullptr) return false;
    // The first span that ends at or after the rectangle's left edge.
    auto It = std::lower_bound(Spans->begin(), Spans->end(), R.Left,
                               [](const std::pair<int, int>& Span, int X) { return Span.second < X; });
    if (It == Spans->end() || It->first > R.Left || It->second < R.Right - 1) return false;
  }
  return true;
}

void TCoveredArea::Clear() {
  for (TSpans& Spans : FRows) Spans.clear();
}

void TCoveredArea::Add(const TRect& R) {
  if (R.Left >= R.Right || R.Top >= R.Bottom) return;
  if (R.Top < -RowLimit || R.Bottom > RowLimit) return;
  if (FRows.empty()) {
    FFirstRow = R.Top;
    FRows.resize(static_cast<size_t>(R.Bottom - R.Top));
  } else if (R.Top < FFirstRow) {
    FRows.insert(FRows.begin(), static_cast<size_t>(FFirstRow - R.Top), TSpans{});
    FFirstRow = R.Top;
  }
  if (R.Bottom - FFirstRow > static_cast<int>(FRows.size())) FRows.resize(static_cast<size_t>(R.Bottom - FFirstRow));
  const int First = R.Left, Last = R.Right - 1;
  for (int Y = R.Top; Y < R.Bottom; ++Y) {
    TSpans& Spans = FRows[static_cast<size_t>(Y - FFirstRow)];
    // The spans that touch or meet First..Last become one.
    auto From = std::lower_bound(Spans.begin(), Spans.end(), First,
                                 [](const std::pair<int, int>& Span, int X) { return Span.second + 1 < X; });
    auto To = From;
    int NewFirst = First, NewLast = Last;
    while (To != Spans.end() && To->first <= Last + 1) {
      NewFirst = std::min(NewFirst, To->first);
      NewLast = std::max(NewLast, To->second);
      ++To;
    }
    if (From == To) {
      Spans.insert(From, {NewFirst, NewLast});
    } else {
      *From = {NewFirst, NewLast};
      Spans.erase(From + 1, To);
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
