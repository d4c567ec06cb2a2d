// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the test surfaces measure text: each byte is half the font's height
// wide, the text one height tall, so that a chart's layout does not hang on
// the fonts installed.
#include <string>

#include "chart/surface.h"

inline TSize FixedTextExtent(const std::string& Text, int FontHeight) {
  return TSize{static_cast<int>(Text.size()) * (FontHeight / 2), FontHeight};
}
