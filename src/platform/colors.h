// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours of the program: 32-bit values with red in the low byte. System
// colours (top bit set) stand for the desktop's current ones and are resolved
// through a table that the window layer fills from the desktop's palette.
#include <cstdint>

using TColor = uint32_t;

constexpr TColor RGB(unsigned R, unsigned G, unsigned B) { return R | (G << 8) | (B << 16); }
constexpr unsigned RedOf(TColor C) { return C & 0xFF; }
constexpr unsigned GreenOf(TColor C) { return (C >> 8) & 0xFF; }
constexpr unsigned BlueOf(TColor C) { return (C >> 16) & 0xFF; }

constexpr TColor clAutoColor = 0x20000000;  // take the owner's colour
constexpr TColor clNone = 0x1FFFFFFF;       // null point: not drawn
constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clWhite = RGB(255, 255, 255);
constexpr TColor clRed = RGB(255, 0, 0);
constexpr TColor clBlue = RGB(0, 0, 255);
constexpr TColor clGray = RGB(128, 128, 128);
constexpr TColor clLightYellow = RGB(255, 255, 128);
constexpr TColor clNavy = RGB(0, 0, 128);
constexpr TColor clTeal = RGB(0, 128, 128);
constexpr TColor clMoneyGreen = RGB(192, 220, 192);

// System colours: resolved through the table below when drawn.
constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;

// The RGB value of a colour; a system colour is looked up in the table that the
// window layer fills from the desktop's palette (defaults until then).
TColor ColorToRGB(TColor Color);
void SetSystemColor(TColor SystemColor, TColor Rgb);
