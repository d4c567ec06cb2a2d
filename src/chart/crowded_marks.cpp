// SPDX-License-Identifier: GPL-3.0-or-later
// The marks left out where they crowd: the kept boxes are looked up by the
// columns of a coarse grid, so that thousands of marks each meet only the few
// kept boxes near them.
#include "chart/crowded_marks.h"

#include <algorithm>
#include <unordered_map>

namespace {

bool Meet(const TRect& A, const TRect& B) {
  return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

constexpr int CellWidth = 32;

int CellOf(int X) { return X >= 0 ? X / CellWidth : -((-X + CellWidth - 1) / CellWidth); }

}  // namespace

std::vector<bool> CrowdedMarks(const std::vector<std::optional<TRect>>& Boxes, const std::vector<TRect>& Avoid) {
  std::vector<bool> Crowded(Boxes.size(), false);
  std::unordered_map<int, std::vector<TRect>> Kept;  // by grid column
  bool Last = true;
  for (size_t I = Boxes.size(); I-- > 0;) {
    if (!Boxes[I]) continue;
    const TRect& Box = *Boxes[I];
    const int First = CellOf(Box.Left), End = CellOf(Box.Right - 1);
    bool Meets = false;
    if (!Last) {
      Meets = std::any_of(Avoid.begin(), Avoid.end(), [&](const TRect& A) { return Meet(Box, A); });
      for (int Cell = First; Cell <= End && !Meets; ++Cell) {
        const auto It = Kept.find(Cell);
        if (It == Kept.end()) continue;
        Meets = std::any_of(It->second.begin(), It->second.end(), [&](const TRect& K) { return Meet(Box, K); });
      }
    }
    Last = false;
    if (Meets) {
      Crowded[I] = true;
      continue;
    }
    for (int Cell = First; Cell <= End; ++Cell) Kept[Cell].push_back(Box);
  }
  return Crowded;
}
