// SPDX-License-Identifier: GPL-3.0-or-later
// Luminance and contrast of colours, and the readable choices made with them.
#include "hints/contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(unsigned Channel) {
  const double C = Channel / 255.0;
  return C <= 0.04045 ? C / 12.92 : std::pow((C + 0.055) / 1.055, 2.4);
}

unsigned Mix(unsigned From, unsigned To, int Step, int Steps) {
  return static_cast<unsigned>(std::lround(From + (static_cast<double>(To) - From) * Step / Steps));
}

}  // namespace

double RelativeLuminance(TColor Rgb) {
  return 0.2126 * Linear(RedOf(Rgb)) + 0.7152 * Linear(GreenOf(Rgb)) + 0.0722 * Linear(BlueOf(Rgb));
}

double ContrastRatio(TColor A, TColor B) {
  const double La = RelativeLuminance(A);
  const double Lb = RelativeLuminance(B);
  return (std::max(La, Lb) + 0.05) / (std::min(La, Lb) + 0.05);
}

TColor ReadableTextColor(TColor Text, TColor Ground) {
  if (ContrastRatio(Text, Ground) >= MinimumTextContrast) return Text;
  // Toward whichever end lies farther from the ground: it reaches 4.5 on
  // every ground.
  const TColor End = ContrastRatio(clWhite, Ground) > ContrastRatio(clBlack, Ground) ? clWhite : clBlack;
  constexpr int Steps = 20;
  for (int Step = 1; Step < Steps; ++Step) {
    const TColor Mixed = RGB(Mix(RedOf(Text), RedOf(End), Step, Steps), Mix(GreenOf(Text), GreenOf(End), Step, Steps),
                             Mix(BlueOf(Text), BlueOf(End), Step, Steps));
    if (ContrastRatio(Mixed, Ground) >= ChangedTextContrast) return Mixed;
  }
  return End;
}

TFocusMarkColors FocusMarkColors(TColor Outside, TColor Inside) {
  for (const TColor One : {clBlack, clWhite}) {
    if (ContrastRatio(One, Outside) >= MinimumMarkContrast && ContrastRatio(One, Inside) >= MinimumMarkContrast) {
      return {One, One};
    }
  }
  auto Against = [](TColor Ground) {
    return ContrastRatio(clBlack, Ground) >= ContrastRatio(clWhite, Ground) ? clBlack : clWhite;
  };
  return {Against(Outside), Against(Inside)};
}
