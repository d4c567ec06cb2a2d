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
