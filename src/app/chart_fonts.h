#pragma once
// The chart's fonts on screen: its face names and pixel heights resolved
// through the program's one font table, and the desktop's button colours that
// its panel and bevel are drawn in.
#include <QPalette>

#include "qpainter_surface.h"

// Fonts as the program's table maps the face names; heights times Scale.
TFontResolver ProgramChartFonts(double Scale = 1.0);

// The button face, highlight and shadow colours of the palette become the
// chart's system colours.
void UseDesktopButtonColors(const QPalette& Palette);
