// SPDX-License-Identifier: GPL-3.0-or-later
// The chart for paper: a chart of its own on an off-screen surface, set up and
// filled as the window's, with the window's axis ranges copied over.
#include "app/paper/chart_picture.h"

#include <cmath>

#include "chart/chart.h"
#include "chart_qt/chart_fonts.h"
#include "chart_qt/qpainter_surface.h"
#include "platform/app_error.h"
#include "results/result_chart.h"

namespace {

void CopyRange(const TChartAxis& From, TChartAxis& To) {
  To.Automatic = From.Automatic;
  To.AutomaticMinimum = From.AutomaticMinimum;
  To.AutomaticMaximum = From.AutomaticMaximum;
  To.Minimum = From.Minimum;
  To.Maximum = From.Maximum;
}

}  // namespace

QImage ChartPicture(const TChart& Shown, const THistoryFile& History, QSize Design, double Scale) {
  TQPainterSurface Surface(ProgramChartFonts(Scale));
  TChart Chart(Surface);
  ConfigureResultChart(Chart);
  // Paper is white: the panel takes no ink.
  Chart.Color = clWhite;
  try {
    FillResultChart(Chart, History);
  } catch (const EConvertError&) {
    // A damaged line keeps its place empty, as on screen (where it was told).
  }
  CopyRange(Shown.BottomAxis, Chart.BottomAxis);
  CopyRange(Shown.TopAxis, Chart.TopAxis);
  CopyRange(Shown.LeftAxis, Chart.LeftAxis);
  CopyRange(Shown.RightAxis, Chart.RightAxis);
  Chart.SetSize(static_cast<int>(std::lround(Design.width() * Scale)),
                static_cast<int>(std::lround(Design.height() * Scale)));
  Chart.Paint();
  return Surface.Image().copy();
}
