// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How well two colours tell apart on screen: the relative luminance and the
// contrast ratio of the web's accessibility guidelines, and the choices the
// windows make with them where a fixed colour of the program meets one of
// the desktop's (a dark palette), so that texts and the focus mark stay
// readable in light and dark palettes alike.
#include "platform/colors.h"

// Texts need this contrast with what is behind them, the focus mark this
// with what is around it.
constexpr double MinimumTextContrast = 4.5;
constexpr double MinimumMarkContrast = 3.0;
// A text colour that has to change goes on to this contrast: older eyes read
// a text just at the minimum as faint.
constexpr double ChangedTextContrast = 7.0;

// 0 for black to 1 for white, of an RGB colour (no system colour).
double RelativeLuminance(TColor Rgb);
// From 1 (the same luminance) to 21 (black and white).
double ContrastRatio(TColor A, TColor B);

// Text itself when it reaches MinimumTextContrast on Ground; else Text mixed
// with black (on a light ground) or white (on a dark one), as little as
// reaches ChangedTextContrast (or the end colour where nothing does), so its
// hue stays recognisable.
TColor ReadableTextColor(TColor Text, TColor Ground);

// The focus mark's colours, RGB: Outer lies next to the control's
// surroundings (Outside), Inner next to its face (Inside). One colour, black
// or white, where it stands out from both; else black on the light side and
// white on the dark one.
struct TFocusMarkColors {
  TColor Outer;
  TColor Inner;
};
TFocusMarkColors FocusMarkColors(TColor Outside, TColor Inside);
