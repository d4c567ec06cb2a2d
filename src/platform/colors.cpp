// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/colors.h"

#include <array>

namespace {

// Desktop defaults until the window layer reports the real palette.
std::array<TColor, 32>& SystemColors() {
  static std::array<TColor, 32> Table = [] {
    std::array<TColor, 32> T{};
    T.fill(RGB(128, 128, 128));
    T[5] = RGB(255, 255, 255);    // window
    T[8] = RGB(0, 0, 0);          // window text
    T[15] = RGB(240, 240, 240);   // button face
    T[16] = RGB(160, 160, 160);   // button shadow
    T[20] = RGB(255, 255, 255);   // button highlight
    T[23] = RGB(0, 0, 0);         // tool-tip text
    T[24] = RGB(255, 255, 225);   // tool-tip background
    return T;
  }();
  return Table;
}

}  // namespace

TColor ColorToRGB(TColor Color) {
  if ((Color & clSystemColor) != 0) return SystemColors()[Color & 31];
  return Color & 0xFFFFFF;
}

void SetSystemColor(TColor SystemColor, TColor Rgb) { SystemColors()[SystemColor & 31] = Rgb & 0xFFFFFF; }
