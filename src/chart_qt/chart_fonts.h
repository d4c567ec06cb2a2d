// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart's fonts on screen: its face names and pixel heights resolved
// through the program's one font table.

#include "chart_qt/qpainter_surface.h"

// Fonts as the program's table maps the face names; heights times Scale.
TFontResolver ProgramChartFonts(double Scale = 1.0);
