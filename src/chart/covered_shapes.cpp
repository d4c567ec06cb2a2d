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
