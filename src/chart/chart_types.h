#pragma once
// Plain geometry and colour types of the chart.
#include <cstdint>

// A 32-bit colour with red in the low byte; system colours have the top bit set.
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

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(int X, int Y) const { return X >= Left && X < Right && Y >= Top && Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };
