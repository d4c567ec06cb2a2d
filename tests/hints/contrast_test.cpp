// SPDX-License-Identifier: GPL-3.0-or-later
// Contrast ratios and the readable colours chosen with them.
#include <gtest/gtest.h>

#include "hints/contrast.h"

TEST(ContrastRatio, MatchesTheGuidelinesFigures) {
  struct TCase {
    TColor A, B;
    double Ratio;
  };
  const TCase Cases[] = {
      {clBlack, clWhite, 21.0},
      {clWhite, clWhite, 1.0},
      {clBlue, clWhite, 8.59},
      {RGB(119, 119, 119), clWhite, 4.48},  // the well-known grey just short of 4.5
      {clTeal, clMoneyGreen, 3.24},
      {clNavy, clWhite, 16.01},
  };
  for (const TCase& Case : Cases) {
    EXPECT_NEAR(ContrastRatio(Case.A, Case.B), Case.Ratio, 0.01) << Case.A << " on " << Case.B;
    EXPECT_DOUBLE_EQ(ContrastRatio(Case.A, Case.B), ContrastRatio(Case.B, Case.A));
  }
}

TEST(ReadableTextColor, KeepsReadablePairsAndMixesOthersAsLittleAsNeeded) {
  struct TCase {
    TColor Text, Ground;
    bool Kept;
  };
  const TCase Cases[] = {
      {clNavy, RGB(255, 255, 220), true},    // the light tool-tip colour
      {clNavy, RGB(49, 54, 59), false},      // a dark one
      {clTeal, RGB(35, 38, 41), false},
      {RGB(252, 252, 252), clMoneyGreen, false},  // a dark palette's window text on the fixed green
      {clBlack, RGB(128, 128, 128), true},
      {RGB(128, 128, 128), RGB(118, 118, 118), false},  // the middle: either end has to do
  };
  for (const TCase& Case : Cases) {
    const TColor Chosen = ReadableTextColor(Case.Text, Case.Ground);
    EXPECT_GE(ContrastRatio(Chosen, Case.Ground), MinimumTextContrast) << Case.Text << " on " << Case.Ground;
    EXPECT_EQ(Chosen == Case.Text, Case.Kept) << Case.Text << " on " << Case.Ground;
    // A changed colour goes on to the higher contrast where its end colour reaches it.
    const TColor End = ContrastRatio(clWhite, Case.Ground) > ContrastRatio(clBlack, Case.Ground) ? clWhite : clBlack;
    if (!Case.Kept && ContrastRatio(End, Case.Ground) >= ChangedTextContrast) {
      EXPECT_GE(ContrastRatio(Chosen, Case.Ground), ChangedTextContrast) << Case.Text << " on " << Case.Ground;
    }
  }
  // Navy on a dark ground lightens but stays bluish.
  const TColor Navy = ReadableTextColor(clNavy, RGB(49, 54, 59));
  EXPECT_GT(BlueOf(Navy), RedOf(Navy));
}

TEST(FocusMarkColors, StandOutFromBothSidesOfTheMark) {
  struct TCase {
    TColor Outside, Inside;
    bool OneColour;
  };
  const TCase Cases[] = {
      {clMoneyGreen, RGB(239, 239, 239), true},   // a light button on the main window
      {clMoneyGreen, RGB(255, 255, 220), true},   // a question box
      {RGB(49, 54, 59), RGB(49, 54, 59), true},   // a dark button on a dark window
      {clMoneyGreen, RGB(49, 54, 59), false},     // a dark button on the green window
  };
  for (const TCase& Case : Cases) {
    const TFocusMarkColors Mark = FocusMarkColors(Case.Outside, Case.Inside);
    EXPECT_GE(ContrastRatio(Mark.Outer, Case.Outside), MinimumMarkContrast);
    EXPECT_GE(ContrastRatio(Mark.Inner, Case.Inside), MinimumMarkContrast);
    EXPECT_EQ(Mark.Outer == Mark.Inner, Case.OneColour);
  }
}
