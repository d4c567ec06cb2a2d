// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pixels of every size of the window icon, written from the icon's PNGs
// when the program is built (icon_pixels_writer): the icon is put together at
// start without reading or decoding a file.

struct TIconPixels {
  int Width;
  int Height;
  bool Alpha;                  // QImage::Format_ARGB32 when true, else Format_RGB32
  const unsigned int* Pixels;  // Width * Height, row by row
};

extern const TIconPixels ProgramIconPixels[];
extern const int ProgramIconPixelsCount;
