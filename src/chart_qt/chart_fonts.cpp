// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_qt/chart_fonts.h"

#include <algorithm>
#include <cmath>

#include "chart_qt/font_table.h"

TFontResolver ProgramChartFonts(double Scale) {
  return [Scale](const TSurfaceFont& Font) {
    const int Height = std::max(1, static_cast<int>(std::lround(Font.Height * Scale)));
    QFont Result = ProgramFont(Font.Name, Height);
    Result.setBold(Font.Bold);
    Result.setItalic(Font.Italic);
    return Result;
  };
}
